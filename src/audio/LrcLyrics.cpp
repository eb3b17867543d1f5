#include "audio/LrcLyrics.h"

#include "core/MediaFiles.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// A run of 1 to `most` decimal digits at `pos`; the position moves past it.
std::optional<qint64> Digits(QStringView text, qsizetype& pos, int most) {
  qint64 value = 0;
  int count = 0;
  while (pos < text.size() && count < most && text[pos].isDigit() && text[pos].unicode() < 0x80) {
    value = value * 10 + (text[pos].unicode() - u'0');
    ++pos;
    ++count;
  }
  if (count == 0) return std::nullopt;
  return value;
}

// "mm:ss", "mm:ss.x" ... "mm:ss.xxx" or "mm:ss:xx" in milliseconds.
std::optional<qint64> TimeTag(QStringView tag) {
  qsizetype pos = 0;
  const std::optional<qint64> minutes = Digits(tag, pos, 5);
  if (!minutes || pos >= tag.size() || tag[pos] != u':') return std::nullopt;
  ++pos;
  const std::optional<qint64> seconds = Digits(tag, pos, 2);
  if (!seconds || *seconds >= 60) return std::nullopt;
  qint64 ms = (*minutes * 60 + *seconds) * 1000;
  if (pos == tag.size()) return ms;
  if (tag[pos] != u'.' && tag[pos] != u':') return std::nullopt;
  const qsizetype fraction_start = ++pos;
  const std::optional<qint64> fraction = Digits(tag, pos, 3);
  if (!fraction || pos != tag.size()) return std::nullopt;
  static constexpr qint64 kScale[] = {100, 10, 1};  // tenths, hundredths, milliseconds
  return ms + *fraction * kScale[pos - fraction_start - 1];
}

// "offset:+500" in milliseconds.
std::optional<qint64> OffsetTag(QStringView tag) {
  constexpr QStringView kName = u"offset:";
  if (!tag.startsWith(kName, Qt::CaseInsensitive)) return std::nullopt;
  const QStringView value = tag.sliced(kName.size()).trimmed();
  qsizetype pos = 0;
  qint64 sign = 1;
  if (pos < value.size() && (value[pos] == u'+' || value[pos] == u'-')) sign = value[pos++] == u'-' ? -1 : 1;
  const std::optional<qint64> ms = Digits(value, pos, 9);
  if (!ms || pos != value.size()) return std::nullopt;
  return sign * *ms;
}

struct TaggedLine {
  qint64 tag_ms;
  QString text;
};

// One line of the file: its time tags and its text, or an offset tag.
void ReadLine(QStringView line, QList<TaggedLine>& lines, std::optional<qint64>& offset) {
  line = line.trimmed();
  QList<qint64> times;
  qsizetype pos = 0;
  while (pos < line.size() && line[pos] == u'[') {
    const qsizetype close = line.indexOf(u']', pos);
    if (close < 0) break;
    const QStringView tag = line.sliced(pos + 1, close - pos - 1);
    if (const std::optional<qint64> ms = TimeTag(tag)) {
      times << *ms;
      pos = close + 1;
      continue;
    }
    if (times.isEmpty()) {
      // An ID tag line; of them only the offset counts.
      if (const std::optional<qint64> ms = OffsetTag(tag)) offset = ms;
      return;
    }
    break;  // a bracket behind the time tags is part of the text
  }
  const QString text = line.sliced(pos).trimmed().toString();
  for (const qint64 ms : times) lines << TaggedLine{ms, text};
}

}  // namespace

QString DecodeLyricText(QByteArrayView bytes) {
  // The decoders drop the byte order mark themselves.
  if (bytes.startsWith("\xEF\xBB\xBF")) return QStringDecoder(QStringConverter::Utf8).decode(bytes);
  if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringConverter::Utf16LE).decode(bytes);
  if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringConverter::Utf16BE).decode(bytes);
  QStringDecoder utf8(QStringConverter::Utf8);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QStringDecoder("GB18030").decode(bytes);
}

QList<LyricLine> ParseLyrics(QByteArrayView bytes) {
  if (bytes.size() > kLargestLyricFile) return {};
  QString text = DecodeLyricText(bytes);
  text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');

  QList<TaggedLine> tagged;
  std::optional<qint64> offset;
  for (const QStringView line : QStringView(text).split(u'\n')) ReadLine(line, tagged, offset);

  QList<LyricLine> lines;
  lines.reserve(tagged.size());
  for (TaggedLine& line : tagged) {
    lines << LyricLine{std::max<qint64>(0, line.tag_ms - offset.value_or(0)), std::move(line.text)};
  }
  std::stable_sort(lines.begin(), lines.end(), [](const LyricLine& a, const LyricLine& b) { return a.ms < b.ms; });
  return lines;
}

QList<LyricLine> ReadLyricFile(const QString& path, QString* error, const MediaFiles* media) {
  const std::optional<QByteArray> bytes = ReadMediaFile(media, path, kLargestLyricFile, error);
  if (!bytes) return {};
  QList<LyricLine> lines = ParseLyrics(*bytes);
  if (lines.isEmpty() && error) *error = u"no time tag"_s;
  return lines;
}

}  // namespace pivlo
