#include "core/LegacyProject.h"

#include "core/NumberText.h"
#include "core/ProjectKeys.h"
#include "core/Rounding.h"
#include "core/basByteFiles.h"

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr qint64 kRecordSize = 128;
constexpr quint16 kLongestText = kRecordSize - 2;

// The flag characters of record 4: position, key, and whether an older file may end
// before it.
struct FlagChar {
  qsizetype position;
  const char16_t* key;
  bool optional;
};
constexpr FlagChar kFlagChars[] = {
    {1, u"PlayPhotoInRamdomOrder", false}, {2, u"IgnoreMouseMove", false}, {3, u"ShowCursor", false},
    {4, u"MuteSound", false},              {7, u"EnableTransition", false}, {8, u"EnableHeadlineEffect", false},
    {17, u"FilenameAsCaption", true},      {18, u"IsPackage", true},        {19, u"EnableCaption", true},
    {20, u"EnableExport", true},
};

// The records of one file. Every read checks the record against the file, so no count
// or offset from the file can reach beyond it.
class LegacyRecords {
 public:
  explicit LegacyRecords(QIODevice& file)
      : file_(file), records_((file.size() + kRecordSize - 1) / kRecordSize), decoder_("GB18030") {
    // Without ICU there is no GB18030 decoder; the system's code page is the best guess.
    if (!decoder_.isValid()) decoder_ = QStringDecoder(QStringDecoder::System);
  }

  // False ends the reading: a record past the end or a byte count beyond the record.
  bool Text(qint64 record, QString& text) {
    if (record < 1 || record > records_ || !file_.seek((record - 1) * kRecordSize)) return false;
    const QByteArray bytes = file_.read(kRecordSize);
    if (bytes.size() < 2) return false;
    const quint16 length = qFromLittleEndian<quint16>(bytes.constData());
    if (length > kLongestText || 2 + length > bytes.size()) return false;
    decoder_.resetState();
    text = decoder_.decode(QByteArrayView(bytes).sliced(2, length));
    return true;
  }

  enum class Number { Read, PassedOver, End };

  // A decimal text taken to the nearest integer; one beyond 32 bits is passed over.
  Number Integer(qint64 record, qint32& value) {
    QString text;
    if (!Text(record, text)) return Number::End;
    const std::optional<double> number = NumberFromText(text);
    if (!number) return Number::End;
    const double rounded = RoundHalfEven(*number);
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max()) {
      return Number::PassedOver;
    }
    value = qint32(rounded);
    return Number::Read;
  }

 private:
  QIODevice& file_;
  qint64 records_;
  QStringDecoder decoder_;
};

class LegacyParser {
 public:
  explicit LegacyParser(QIODevice& file) : records_(file) {}

  // Reads until the end or the first record that cannot be taken.
  void Read() {
    if (!ReadFlags()) return;
    if (!ReadText(5, u"TimeInterval"_s) || !ReadNumber(6, u"SolidColor"_s) || !ReadNumber(7, u"BeginColor"_s) ||
        !ReadNumber(8, u"EndColor"_s) || !ReadText(9, u"BackGroundPicture"_s)) {
      return;
    }
    qint32 pictures = 0;
    qint32 songs = 0;
    qint32 skipped = 0;
    if (!ReadCount(11, pictures) || !ReadCount(12, songs)) return;
    counts_read_ = true;
    if (!ReadCount(21, skipped) || !ReadText(30, u"BackGroundSet"_s)) return;
    for (int i = 0; i < 4; ++i) {
      if (!ReadText(32 + i, IndexedKey(u"TxtSetting("_s, i))) return;
    }
    if (!ReadText(36, IndexedKey(u"TxtSetting("_s, 5)) || !ReadText(44, u"LogoImage"_s) ||
        !ReadText(48, u"ExportPassword"_s)) {
      return;
    }
    const qint64 songs_at = 50 + qint64(skipped);
    bag_.Put(u"NowM"_s, qint32(0));
    for (qint32 i = 1; i <= songs; ++i) {
      if (!ReadText(songs_at + i, IndexedKey(u"MusicNames("_s, i))) return;
      bag_.Put(u"NowM"_s, i);
    }
    const qint64 at = songs_at + songs;
    const qint64 n = pictures;
    bag_.Put(u"NowI"_s, qint32(0));
    for (qint32 i = 1; i <= pictures; ++i) {
      if (!ReadText(at + i, IndexedKey(u"ImgNames("_s, i))) return;
      bag_.Put(u"NowI"_s, i);
      if (!ReadNumber(at + n + i, IndexedKey(u"ImgPosX("_s, i)) ||
          !ReadNumber(at + 2 * n + i, IndexedKey(u"ImgPosY("_s, i)) ||
          !ReadText(at + 3 * n + i, IndexedKey(u"ImgCaption("_s, i)) ||
          !ReadNumber(at + 4 * n + i, IndexedKey(u"CapPosX("_s, i)) ||
          !ReadNumber(at + 5 * n + i, IndexedKey(u"CapPosY("_s, i))) {
        return;
      }
    }
  }

  std::optional<PropertyBag> Result() const {
    if (!counts_read_) return std::nullopt;
    return bag_;
  }

 private:
  // Each flag is a digit, 0 false and any other true; the last four only when the text
  // reaches them.
  bool ReadFlags() {
    QString flags;
    if (!records_.Text(4, flags)) return false;
    for (const FlagChar& flag : kFlagChars) {
      if (flag.position > flags.size()) {
        if (flag.optional) continue;
        return false;
      }
      const QChar c = flags[flag.position - 1];
      if (c < u'0' || c > u'9') return false;
      bag_.Put(QString::fromUtf16(flag.key), c != u'0');
    }
    return true;
  }

  bool ReadText(qint64 record, const QString& key) {
    QString text;
    if (!records_.Text(record, text)) return false;
    bag_.Put(key, text);
    return true;
  }

  bool ReadNumber(qint64 record, const QString& key) {
    qint32 value = 0;
    switch (records_.Integer(record, value)) {
      case LegacyRecords::Number::Read: bag_.Put(key, value); return true;
      case LegacyRecords::Number::PassedOver: return true;
      case LegacyRecords::Number::End: break;
    }
    return false;
  }

  bool ReadCount(qint64 record, qint32& count) {
    const LegacyRecords::Number result = records_.Integer(record, count);
    return result == LegacyRecords::Number::PassedOver || (result == LegacyRecords::Number::Read && count >= 0);
  }

  LegacyRecords records_;
  PropertyBag bag_;
  bool counts_read_ = false;
};

}  // namespace

std::optional<PropertyBag> ParseLegacyProject(QIODevice& file) {
  LegacyParser parser(file);
  parser.Read();
  return parser.Result();
}

std::optional<PropertyBag> ParseLegacyProject(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path)) return std::nullopt;
  return ParseLegacyProject(file);
}

void ApplyLegacyProject(ProjectModel& model, const PropertyBag& legacy) {
  model.flags.LoadingFlag = true;
  if (legacy.Contains(u"NowM"_s)) {
    model.songs.clear();
    const qint32 songs = legacy.Get(u"NowM"_s).ToInt32();
    for (qint32 i = 1; i <= songs; ++i) {
      const QString file = legacy.Get(IndexedKey(u"MusicNames("_s, i)).ToText();
      model.AddSong(file, model.measure_song ? model.measure_song(file) : 0.0f);
    }
  }
  if (legacy.Contains(u"NowI"_s)) {
    model.pictures.clear();
    const qint32 pictures = legacy.Get(u"NowI"_s).ToInt32();
    for (qint32 i = 1; i <= pictures; ++i) model.AddPicture(legacy.Get(IndexedKey(u"ImgNames("_s, i)).ToText());
  }
  for (const PropertyBag::Entry& entry : legacy.Entries()) {
    // The time box takes the stored text as it stands.
    if (entry.key == u"TimeInterval") {
      model.settings.time_text = entry.value.ToText();
    } else {
      SetValueByKey(model, entry.key, entry.value);  // list keys are not settable; invalid values are passed over
    }
  }
  model.flags.LoadingFlag = false;
}

bool ReadLegacyProject(ProjectModel& model, const QString& path) {
  const std::optional<PropertyBag> legacy = ParseLegacyProject(path);
  if (!legacy) return false;
  ApplyLegacyProject(model, *legacy);
  return true;
}

}  // namespace pivlo
