#include "core/ProjectBag.h"

#include "core/PathRules.h"
#include "core/ProjectKeys.h"
#include "core/SettingRules.h"
#include "core/basPropertyBag.h"

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using Group = PictureKey::Group;

// A headline pattern of 2 (rainbow) is not offered for headlines: slot 2 reads it as 6,
// a picture's headline as 0.
constexpr qint32 kRainbowPattern = 2;

void PutSetting(const SettingKey& key, const ProjectSettings& settings) {
  const BagValue value = key.access.get(settings);
  switch (key.write) {
    case WriteRule::Always: break;
    case WriteRule::OmitWhenEmpty:
      if (value.ToText().isEmpty()) return;
      break;
    case WriteRule::OnlyWhenPathSet:
      if (!IsPathSet(value.ToText())) return;
      break;
  }
  PutValue(key.key, value);
}

bool IsPictureKeyWritten(const PictureKey& key, const ImageEntry& entry, const BagValue& value) {
  switch (key.group) {
    case Group::Name: return true;
    case Group::Duration: return entry.slide_duration > 0;
    case Group::Offset: return value.ToInt32() != 0;
    case Group::Caption: return !entry.caption.isEmpty();
    case Group::Headline: return !entry.headline.isEmpty();
  }
  return false;
}

void WriteLists(const ProjectModel& model) {
  PutValue(u"NowI"_s, qint32(model.pictures.size()));
  PutValue(u"NowM"_s, qint32(model.songs.size()));
  PutValue(u"LyricFilesCount"_s, qint32(model.lyric_files.size()));
  for (qsizetype i = 1; i <= model.songs.size(); ++i) {
    PutValue(IndexedKey(u"MusicNames("_s, i), model.songs[i - 1].file);
    PutValue(IndexedKey(u"SongDuration("_s, i), model.songs[i - 1].duration);
  }
  for (qsizetype i = 1; i <= model.lyric_files.size(); ++i) {
    PutValue(IndexedKey(u"LyricFiles("_s, i), model.lyric_files[i - 1]);
  }
  for (qsizetype i = 1; i <= model.pictures.size(); ++i) {
    const ImageEntry& entry = model.pictures[i - 1];
    for (const PictureKey& key : PictureKeys()) {
      const BagValue value = key.access.get(entry);
      if (IsPictureKeyWritten(key, entry, value)) PutValue(IndexedKey(key.prefix, i), value);
    }
  }
}

// Reads one key into a field by the reader's rule for a missing value.
template <typename Target>
void ReadKey(Target& target, const QString& key, const KeyAccess<Target>& access, ReadRule rule) {
  if (!access.set) return;
  BagValue value = GetValue(key, BagValue());
  const bool empty = value.IsEmpty() || (value.kind() == BagValue::Kind::Text && value.AsText().isEmpty());
  switch (rule) {
    case ReadRule::KeepWhenAbsent:
      if (value.IsEmpty()) return;
      break;
    case ReadRule::EmptyWhenAbsent:
      if (value.IsEmpty()) value = QString();
      break;
    case ReadRule::KeepWhenEmpty:
      if (empty) return;
      break;
    case ReadRule::ZeroWhenAbsent:
      if (empty) value = qint32(0);
      break;
  }
  access.set(target, value);  // a value the field cannot hold leaves it as it was
}

ReadRule PictureReadRule(Group group) {
  switch (group) {
    case Group::Name: return ReadRule::EmptyWhenAbsent;
    case Group::Duration:
    case Group::Offset: return ReadRule::ZeroWhenAbsent;
    case Group::Caption:
    case Group::Headline: break;
  }
  return ReadRule::KeepWhenAbsent;
}

void ReadPictureKeys(ImageEntry& entry, qsizetype index, auto&& wanted) {
  for (const PictureKey& key : PictureKeys()) {
    if (wanted(key.group)) ReadKey(entry, IndexedKey(key.prefix, index), key.access, PictureReadRule(key.group));
  }
}

void ReadPicture(const ProjectModel& model, ImageEntry& entry, qsizetype index) {
  ReadPictureKeys(entry, index, [](Group g) { return g == Group::Name || g == Group::Duration || g == Group::Offset; });
  if (GetValue(IndexedKey(u"ImgCaption("_s, index)).ToText().isEmpty()) {
    entry.caption.clear();
    entry.caption_box = model.ReadDefaultCaptionBox();
  } else {
    ReadPictureKeys(entry, index, [](Group g) { return g == Group::Caption; });
  }
  if (GetValue(IndexedKey(u"ImgHeadline("_s, index)).ToText().isEmpty()) {
    entry.headline.clear();
    model.ResetHeadline(entry);
  } else {
    ReadPictureKeys(entry, index, [](Group g) { return g == Group::Headline; });
    if (entry.head_pattern == kRainbowPattern) entry.head_pattern = 0;
  }
}

// A stored count, never more than the bag has items: each listed item writes its key of
// `item_prefix` (its file), so a larger count can only come from a damaged file.
qsizetype StoredCount(const QString& key, QStringView item_prefix) {
  const qint32 count = IntOf(GetValue(key, qint32(0))).value_or(0);
  const std::vector<PropertyBag::Entry>& entries = SharedBag().Entries();
  const auto items = std::count_if(entries.begin(), entries.end(),
                                   [&](const PropertyBag::Entry& entry) { return entry.key.startsWith(item_prefix); });
  return std::clamp<qsizetype>(count, 0, items);
}

void ReadLists(ProjectModel& model) {
  const qsizetype pictures = StoredCount(u"NowI"_s, u"ImgNames(");
  const qsizetype songs = StoredCount(u"NowM"_s, u"MusicNames(");
  const qsizetype lyrics = StoredCount(u"LyricFilesCount"_s, u"LyricFiles(");

  model.songs.clear();
  for (qsizetype i = 1; i <= songs; ++i) {
    const QString file = GetValue(IndexedKey(u"MusicNames("_s, i)).ToText();
    float duration = FloatOf(GetValue(IndexedKey(u"SongDuration("_s, i), qint16(0))).value_or(0);
    if (duration < 0) duration = 0;
    if (duration == 0 && model.measure_song) duration = model.measure_song(file);
    model.AddSong(file, duration);
  }
  model.lyric_files.clear();
  for (qsizetype i = 1; i <= lyrics; ++i) model.lyric_files.append(GetValue(IndexedKey(u"LyricFiles("_s, i)).ToText());

  model.pictures.clear();
  model.GrowImageEntries(pictures);
  for (qsizetype i = 1; i <= pictures; ++i) ReadPicture(model, model.pictures[i - 1], i);
}

}  // namespace

void WriteSettingsToBag(ProjectModel& model) {
  if (model.pictures.isEmpty()) return;
  ProjectSettings& settings = model.settings;
  if (settings.picture_frame_num != 0 && model.frame_picture.isEmpty()) settings.picture_frame_num = 0;
  settings.time_text = NormalizeTimeIntervalText(settings.time_text);
  for (const SettingKey& key : SettingsBlockKeys()) PutSetting(key, settings);
}

void WriteProjectToBag(ProjectModel& model) {
  if (model.pictures.isEmpty()) return;
  for (const SettingKey& key : ProjectPathKeys()) PutSetting(key, model.settings);
  WriteSettingsToBag(model);
  if (!model.flags.SettingsOnlyWrite) WriteLists(model);
}

void ReadProjectFromBag(ProjectModel& model) {
  model.flags.LoadingFlag = true;
  for (const QList<SettingKey>* keys : {&SettingsBlockKeys(), &ProjectPathKeys()}) {
    for (const SettingKey& key : *keys) ReadKey(model.settings, key.key, key.access, key.read);
  }
  TextStyle& headline = model.settings.Style(kHeadlineSlot);
  if (headline.pattern == kRainbowPattern) headline.pattern = 6;

  if (model.flags.SettingsOnlyRead) {
    model.pictures.clear();
    model.songs.clear();
    model.lyric_files.clear();
    model.file_name.clear();
  } else if (IntOf(GetValue(u"NowI"_s, BagValue())).has_value()) {
    ReadLists(model);
  }
  model.flags.LoadingFlag = false;
  SharedBag().Clear();
}

}  // namespace pivlo
