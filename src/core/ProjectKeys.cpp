#include "core/ProjectKeys.h"

#include "core/NumberText.h"
#include "core/SettingRules.h"
#include "core/Version.h"

#include <QHash>

#include <cmath>
#include <limits>
#include <optional>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr qint32 kIntMin = std::numeric_limits<qint32>::min();
constexpr qint32 kIntMax = std::numeric_limits<qint32>::max();

// --- Field accessors: generic lambdas serve both the writer (const) and the setters.

template <typename Class, typename T>
auto Field(T Class::*member) {
  return [member](auto& target) -> auto& { return target.*member; };
}

template <typename Class>
auto BoxField(ScreenBox Class::*box, qint32 ScreenBox::*side) {
  return [box, side](auto& target) -> auto& { return (target.*box).*side; };
}

template <typename T>
auto StyleField(int slot, T TextStyle::*member) {
  return [slot, member](auto& settings) -> auto& { return settings.Style(slot).*member; };
}

// --- Key kinds.

template <typename Target, typename Access>
KeyAccess<Target> BoolAccess(Access field) {
  return {[field](const Target& t) { return BagValue(bool(field(t))); },
          [field](Target& t, const BagValue& value) {
            const std::optional<bool> b = BoolOf(value);
            if (b) field(t) = *b;
            return b.has_value();
          }};
}

template <typename Target, typename Access>
KeyAccess<Target> IntAccess(Access field, qint32 low = kIntMin, qint32 high = kIntMax) {
  return {[field](const Target& t) { return BagValue(qint32(field(t))); },
          [field, low, high](Target& t, const BagValue& value) {
            const std::optional<qint32> n = IntOf(value);
            if (!n || *n < low || *n > high) return false;
            field(t) = *n;
            return true;
          }};
}

template <typename Target, typename Access>
KeyAccess<Target> TextAccess(Access field) {
  return {[field](const Target& t) { return BagValue(QString(field(t))); },
          [field](Target& t, const BagValue& value) {
            const std::optional<QString> text = TextOf(value);
            if (text) field(t) = *text;
            return text.has_value();
          }};
}

// A number box kept as the text it shows; the writer stores its value.
template <typename Access>
KeyAccess<ProjectSettings> NumberTextAccess(Access field) {
  return {[field](const ProjectSettings& s) { return BagValue(float(NumberFromText(field(s)).value_or(0.0))); },
          [field](ProjectSettings& s, const BagValue& value) {
            const std::optional<float> f = FloatOf(value);
            if (f) field(s) = FloatToShortestText(*f);
            return f.has_value();
          }};
}

// Fill patterns are even 0..18; odd values are kept, they draw only the outline.
constexpr qint32 kPatternHigh = 19;

SettingKey Bool(const QString& key, bool ProjectSettings::*member) {
  return {key, BoolAccess<ProjectSettings>(Field(member))};
}
SettingKey Int(const QString& key, qint32 ProjectSettings::*member, qint32 low = kIntMin, qint32 high = kIntMax) {
  return {key, IntAccess<ProjectSettings>(Field(member), low, high)};
}
SettingKey Text(const QString& key, QString ProjectSettings::*member, WriteRule write = WriteRule::Always,
                ReadRule read = ReadRule::KeepWhenAbsent) {
  return {key, TextAccess<ProjectSettings>(Field(member)), write, read};
}
SettingKey Box(const QString& key, ScreenBox ProjectSettings::*box, qint32 ScreenBox::*side) {
  return {key, IntAccess<ProjectSettings>(BoxField(box, side))};
}

void AppendStyleKeys(QList<SettingKey>& keys, int slot) {
  const QString n = QString::number(slot) + u')';
  keys << SettingKey{u"FontStartColor("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::start_color))}
       << SettingKey{u"FontEndColor("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::end_color))}
       << SettingKey{u"BorderColor("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::border_color))}
       << SettingKey{u"fFontName("_s + n, TextAccess<ProjectSettings>(StyleField(slot, &TextStyle::font_name))}
       << SettingKey{u"fFontSize("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::size), 1)}
       << SettingKey{u"fFontAlign("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::align), 0, 8)}
       << SettingKey{u"fFontPattern("_s + n,
                     IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::pattern), 0, kPatternHigh)}
       << SettingKey{u"fBorderWidth("_s + n,
                     IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::border_width), 0, 5)}
       << SettingKey{u"fFontStyle("_s + n, IntAccess<ProjectSettings>(StyleField(slot, &TextStyle::style_flags), 0, 3)};
}

// Written for the player's sake, never read back.
SettingKey WrittenOnly(const QString& key, std::function<BagValue()> value) {
  return {key, {[value](const ProjectSettings&) { return value(); }, {}}};
}

QList<SettingKey> MakeSettingsBlockKeys() {
  using S = ProjectSettings;
  QList<SettingKey> keys;
  keys << Text(u"TitleText(1)"_s, &S::title_opening, WriteRule::OmitWhenEmpty, ReadRule::EmptyWhenAbsent)
       << Text(u"TitleText(2)"_s, &S::title_ending, WriteRule::OmitWhenEmpty, ReadRule::EmptyWhenAbsent)
       << Bool(u"PlayPhotoInRamdomOrder"_s, &S::play_photo_random)
       << Bool(u"IgnoreMouseMove"_s, &S::ignore_mouse_move)
       << Bool(u"ShowCursor"_s, &S::show_cursor)
       << WrittenOnly(u"EnableFloating"_s, [] { return BagValue(false); })
       << Bool(u"MuteSound"_s, &S::mute_sound)
       << Bool(u"EnableTransition"_s, &S::enable_transition)
       << Bool(u"EnableHeadlineEffect"_s, &S::enable_headline_effect)
       << Bool(u"EnableOpening"_s, &S::enable_opening)
       << Bool(u"EnableEnding"_s, &S::enable_ending)
       << Bool(u"FilenameAsCaption"_s, &S::filename_as_caption)
       << Bool(u"IsPackage"_s, &S::is_package)
       << Bool(u"EnableCaption"_s, &S::enable_caption)
       << Bool(u"EnableExport"_s, &S::enable_export)
       << WrittenOnly(u"AppVersion"_s, [] { return BagValue(VersionText()); })
       << Text(u"LyricFolder"_s, &S::lyric_folder)
       << Int(u"ImgDrawScale"_s, &S::img_draw_scale, 0, 4);
  // Only the two placements the background list offers: tiled and stretched.
  keys << SettingKey{u"BackgroundDrawScale"_s,
                     {[](const S& s) { return BagValue(s.background_draw_scale); },
                      [](S& s, const BagValue& value) {
                        const std::optional<qint32> n = IntOf(value);
                        if (!n || (*n != 2 && *n != 4)) return false;
                        s.background_draw_scale = *n;
                        return true;
                      }}}
       << Int(u"BackgroundGradientMode"_s, &S::background_gradient_mode, 0, 3)
       << Bool(u"EnableLyric"_s, &S::enable_lyric)
       << Int(u"TitleStyle"_s, &S::title_style, 0, 2)
       << Bool(u"EnableSync"_s, &S::enable_sync)
       << Int(u"PlayMusicOrder"_s, &S::play_music_order, 0, 2);
  keys << SettingKey{u"BackGroundSet"_s,
                     {[](const S& s) { return BagValue(s.background_kind); },
                      [](S& s, const BagValue& value) {
                        const std::optional<QString> kind = TextOf(value);
                        if (!kind || (*kind != u"1" && *kind != u"2" && *kind != u"3")) return false;
                        s.background_kind = *kind;
                        return true;
                      }}}
       << Text(u"ExportPassword"_s, &S::export_password)
       << Int(u"SolidColor"_s, &S::solid_color)
       << Int(u"BeginColor"_s, &S::begin_color)
       << Int(u"EndColor"_s, &S::end_color)
       << Bool(u"IsShowTip"_s, &S::is_show_tip)
       << Bool(u"EnableOpenFolder"_s, &S::enable_open_folder);
  SettingKey frame = Int(u"PictureFrameNum"_s, &S::picture_frame_num, -2);
  frame.read = ReadRule::ZeroWhenAbsent;
  keys << frame << Text(u"PictureFrameImage"_s, &S::picture_frame_image);
  for (int slot = 1; slot <= kTextSlotCount; ++slot) AppendStyleKeys(keys, slot);
  keys << Box(u"LyricPosX"_s, &S::lyric_box, &ScreenBox::x) << Box(u"LyricPosY"_s, &S::lyric_box, &ScreenBox::y)
       << Box(u"LyricPosW"_s, &S::lyric_box, &ScreenBox::w) << Box(u"LyricPosH"_s, &S::lyric_box, &ScreenBox::h)
       << Box(u"TitlePosX"_s, &S::title_box, &ScreenBox::x) << Box(u"TitlePosY"_s, &S::title_box, &ScreenBox::y)
       << Box(u"TitlePosW"_s, &S::title_box, &ScreenBox::w) << Box(u"TitlePosH"_s, &S::title_box, &ScreenBox::h)
       << Int(u"LyricDynamicFontPattern"_s, &S::lyric_dynamic_pattern, 0, kPatternHigh)
       << Int(u"LyricDynamicFontStartColor"_s, &S::lyric_dynamic_start_color)
       << Int(u"LyricDynamicFontEndColor"_s, &S::lyric_dynamic_end_color)
       << Int(u"LyricStyle"_s, &S::lyric_style, 0, 3);
  for (int i = 0; i < kInfoCount; ++i) {
    keys << SettingKey{IndexedKey(u"TxtSetting("_s, i),
                       TextAccess<S>([i](auto& s) -> auto& { return s.info[i]; }),
                       WriteRule::OmitWhenEmpty, ReadRule::KeepWhenEmpty};
  }
  keys << SettingKey{u"TimeInterval"_s, NumberTextAccess(Field(&S::time_text))}
       << SettingKey{u"OpeningDurationTime"_s, NumberTextAccess(Field(&S::opening_time_text))}
       << SettingKey{u"EndingDurationTime"_s, NumberTextAccess(Field(&S::ending_time_text))}
       << SettingKey{u"StyleSelect"_s,
                     {[](const S& s) { return BagValue(StyleSelectText(s.transitions)); },
                      [](S& s, const BagValue& value) {
                        const std::optional<QString> text = TextOf(value);
                        if (text) s.transitions = TransitionsFromStyleSelect(*text);
                        return text.has_value();
                      }}};
  return keys;
}

QList<PictureKey> MakePictureKeys() {
  using E = ImageEntry;
  using G = PictureKey::Group;
  const auto box = [](const QString& prefix, G group, ScreenBox E::*b, qint32 ScreenBox::*side) {
    return PictureKey{prefix, group, IntAccess<E>(BoxField(b, side))};
  };
  return {
      {u"ImgNames("_s, G::Name, TextAccess<E>(Field(&E::file))},
      {u"SlideDuration("_s, G::Duration,
       {[](const E& e) { return BagValue(e.slide_duration); },
        [](E& e, const BagValue& value) {
          const std::optional<float> seconds = FloatOf(value);
          if (!seconds || *seconds < 0) return false;
          e.slide_duration = *seconds;
          return true;
        }}},
      {u"ImgPosX("_s, G::Offset, IntAccess<E>(Field(&E::pos_x))},
      {u"ImgPosY("_s, G::Offset, IntAccess<E>(Field(&E::pos_y))},
      {u"ImgCaption("_s, G::Caption, TextAccess<E>(Field(&E::caption))},
      box(u"CapPosX("_s, G::Caption, &E::caption_box, &ScreenBox::x),
      box(u"CapPosY("_s, G::Caption, &E::caption_box, &ScreenBox::y),
      box(u"CapPosW("_s, G::Caption, &E::caption_box, &ScreenBox::w),
      box(u"CapPosH("_s, G::Caption, &E::caption_box, &ScreenBox::h),
      {u"ImgHeadline("_s, G::Headline, TextAccess<E>(Field(&E::headline))},
      box(u"HeadPosX("_s, G::Headline, &E::headline_box, &ScreenBox::x),
      box(u"HeadPosY("_s, G::Headline, &E::headline_box, &ScreenBox::y),
      box(u"HeadPosW("_s, G::Headline, &E::headline_box, &ScreenBox::w),
      box(u"HeadPosH("_s, G::Headline, &E::headline_box, &ScreenBox::h),
      {u"HeadDynamicStyle("_s, G::Headline, IntAccess<E>(Field(&E::head_dynamic_style), 0, 8)},
      {u"HeadSize("_s, G::Headline, IntAccess<E>(Field(&E::head_size), 1)},
      {u"HeadPattern("_s, G::Headline, IntAccess<E>(Field(&E::head_pattern), 0, kPatternHigh)},
      {u"HeadBorder("_s, G::Headline, IntAccess<E>(Field(&E::head_border), 0, 5)},
      {u"HeadStyle("_s, G::Headline, IntAccess<E>(Field(&E::head_style), 0, 3)},
      {u"HeadStartColor("_s, G::Headline, IntAccess<E>(Field(&E::head_start_color))},
      {u"HeadEndColor("_s, G::Headline, IntAccess<E>(Field(&E::head_end_color))},
      {u"HeadBorderColor("_s, G::Headline, IntAccess<E>(Field(&E::head_border_color))},
  };
}

// The 1-based index of a per-index key with the given prefix; nothing when the rest is
// not a plain decimal number (no sign, blanks or leading zeros) and ")".
std::optional<qint64> IndexOfKey(const QString& key, const QString& prefix) {
  if (!key.startsWith(prefix) || !key.endsWith(u')')) return std::nullopt;
  const QStringView digits = QStringView(key).sliced(prefix.size(), key.size() - prefix.size() - 1);
  if (digits.isEmpty() || digits.startsWith(u'0') || digits.size() > 9) return std::nullopt;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
  }
  return digits.toLongLong();
}

}  // namespace

std::optional<qint32> IntOf(const BagValue& value) {
  switch (value.kind()) {
    case BagValue::Kind::Int16: return value.AsInt16();
    case BagValue::Kind::Int32: return value.AsInt32();
    case BagValue::Kind::Bool: return value.AsBool() ? -1 : 0;
    case BagValue::Kind::Float32: {
      const float f = value.AsFloat();
      if (f != std::trunc(f) || f < float(kIntMin) || f >= -float(kIntMin)) return std::nullopt;
      return qint32(f);
    }
    case BagValue::Kind::Text: {
      bool ok = false;
      const qint32 number = value.AsText().trimmed().toInt(&ok, 10);
      if (!ok) return std::nullopt;
      return number;
    }
    default: return std::nullopt;
  }
}

std::optional<bool> BoolOf(const BagValue& value) {
  switch (value.kind()) {
    case BagValue::Kind::Bool: return value.AsBool();
    case BagValue::Kind::Float32: return value.AsFloat() != 0.0f;
    case BagValue::Kind::Text: {
      const QString text = value.AsText().trimmed();
      if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0) return true;
      if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0) return false;
      break;
    }
    default: break;
  }
  const std::optional<qint32> number = IntOf(value);
  if (!number) return std::nullopt;
  return *number != 0;
}

std::optional<float> FloatOf(const BagValue& value) {
  switch (value.kind()) {
    case BagValue::Kind::Float32:
      if (!std::isfinite(value.AsFloat())) return std::nullopt;
      return value.AsFloat();
    case BagValue::Kind::Int16:
    case BagValue::Kind::Int32: return float(value.ToInt32());
    case BagValue::Kind::Text: {
      const std::optional<double> number = NumberFromText(value.AsText());
      if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) return std::nullopt;
      return float(*number);
    }
    default: return std::nullopt;
  }
}

std::optional<QString> TextOf(const BagValue& value) {
  switch (value.kind()) {
    case BagValue::Kind::Empty:
    case BagValue::Kind::Bytes: return std::nullopt;
    default: return value.ToText();
  }
}

const QList<SettingKey>& ProjectPathKeys() {
  static const QList<SettingKey> keys = {
      Text(u"BackGroundPicture"_s, &ProjectSettings::background_picture, WriteRule::OnlyWhenPathSet,
           ReadRule::EmptyWhenAbsent),
      Text(u"OpeningImage"_s, &ProjectSettings::opening_image, WriteRule::OnlyWhenPathSet, ReadRule::EmptyWhenAbsent),
      Text(u"EndingImage"_s, &ProjectSettings::ending_image, WriteRule::OnlyWhenPathSet, ReadRule::EmptyWhenAbsent),
      Text(u"LogoImage"_s, &ProjectSettings::logo_image, WriteRule::OnlyWhenPathSet, ReadRule::EmptyWhenAbsent),
  };
  return keys;
}

const QList<SettingKey>& SettingsBlockKeys() {
  static const QList<SettingKey> keys = MakeSettingsBlockKeys();
  return keys;
}

const QList<PictureKey>& PictureKeys() {
  static const QList<PictureKey> keys = MakePictureKeys();
  return keys;
}

QString IndexedKey(const QString& prefix, qint64 index) {
  return prefix + QString::number(index) + u')';
}

KeyResult SetValueByKey(ProjectModel& model, const QString& key, const BagValue& value) {
  static const QHash<QString, const SettingKey*> settings = [] {
    QHash<QString, const SettingKey*> byKey;
    for (const SettingKey& k : ProjectPathKeys()) byKey.insert(k.key, &k);
    for (const SettingKey& k : SettingsBlockKeys()) byKey.insert(k.key, &k);
    return byKey;
  }();
  if (const SettingKey* setting = settings.value(key)) {
    if (!setting->access.set) return KeyResult::UnknownKey;
    return setting->access.set(model.settings, value) ? KeyResult::Applied : KeyResult::InvalidValue;
  }
  for (const PictureKey& picture : PictureKeys()) {
    const std::optional<qint64> index = IndexOfKey(key, picture.prefix);
    if (!index) continue;
    if (*index > model.pictures.size()) return KeyResult::NoSuchPicture;
    return picture.access.set(model.pictures[*index - 1], value) ? KeyResult::Applied : KeyResult::InvalidValue;
  }
  return KeyResult::UnknownKey;
}

}  // namespace pivlo
