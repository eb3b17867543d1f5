#include "TestFiles.h"
#include "audio/LrcLyrics.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace pivlo {

void PrintTo(const LyricLine& line, std::ostream* out) { *out << line.ms << " \"" << line.text.toStdString() << '"'; }

namespace {

struct LyricCase {
  const char* name;
  QByteArray bytes;
  QList<LyricLine> lines;
};

QByteArray Encoded(const QString& text, QStringConverter::Encoding encoding, bool bom) {
  QStringEncoder encoder(encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
  return encoder.encode(text);
}

const QString kChinese = u"[ti:月亮]\r\n[00:01.50]月亮代表我的心\r\n[00:04.00]你问我爱你有多深"_s;
const QList<LyricLine> kChineseLines = {{1500, u"月亮代表我的心"_s}, {4000, u"你问我爱你有多深"_s}};

class LrcForms : public testing::TestWithParam<LyricCase> {};

TEST_P(LrcForms, GiveTheLinesTheShowReads) { EXPECT_EQ(ParseLyrics(GetParam().bytes), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Table, LrcForms,
    testing::Values(
        LyricCase{"minutes_seconds", "[01:02]a\n[123:00]b", {{62000, u"a"_s}, {123 * 60000, u"b"_s}}},
        LyricCase{"tenths", "[00:01.5]a", {{1500, u"a"_s}}},
        LyricCase{"hundredths", "[00:01.25]a", {{1250, u"a"_s}}},
        LyricCase{"milliseconds", "[00:01.255]a", {{1255, u"a"_s}}},
        LyricCase{"colon_hundredths", "[00:01:25]a", {{1250, u"a"_s}}},
        LyricCase{"several_tags_on_a_line",
                  "[00:05.00][00:01.00]chorus\n[00:03.00]verse",
                  {{1000, u"chorus"_s}, {3000, u"verse"_s}, {5000, u"chorus"_s}}},
        LyricCase{"equal_times_keep_file_order",
                  "[00:02]b\n[00:01]a\n[00:02]c",
                  {{1000, u"a"_s}, {2000, u"b"_s}, {2000, u"c"_s}}},
        LyricCase{"positive_offset_comes_earlier",
                  "[offset:+500]\n[00:02.00]x\n[00:00.20]y",
                  {{0, u"y"_s}, {1500, u"x"_s}}},
        LyricCase{"negative_offset_comes_later", "[00:02.00]x\n[offset:-250]", {{2250, u"x"_s}}},
        LyricCase{"id_tags_ignored",
                  "[ti:Title]\n[ar:Artist]\n[al:Album]\n[by:Maker]\n[length:03:00]\n[00:01]x",
                  {{1000, u"x"_s}}},
        LyricCase{"empty_line_clears",
                  "[00:01]a\n[00:02]\n[00:03]  b  \n\n",
                  {{1000, u"a"_s}, {2000, QString()}, {3000, u"b"_s}}},
        LyricCase{"crlf_and_cr_endings", "[00:01]a\r\n[00:02]b\r[00:03]c", {{1000, u"a"_s}, {2000, u"b"_s}, {3000, u"c"_s}}},
        LyricCase{"bracket_after_tags_is_text", "[00:01][chorus] sing", {{1000, u"[chorus] sing"_s}}},
        LyricCase{"malformed_tags_are_no_time",
                  "[00:60]a\n[00:01.2345]b\n[:01]c\n[00:1x]d\n[00:01.]e\n[00:02]f",
                  {{2000, u"f"_s}}},
        LyricCase{"no_time_tag", "[ti:only tags]\nplain text", {}},
        LyricCase{"utf8_without_bom", kChinese.toUtf8(), kChineseLines},
        LyricCase{"utf8_with_bom", "\xEF\xBB\xBF" + kChinese.toUtf8(), kChineseLines},
        LyricCase{"utf16le_with_bom", Encoded(kChinese, QStringConverter::Utf16LE, true), kChineseLines},
        LyricCase{"utf16be_with_bom", Encoded(kChinese, QStringConverter::Utf16BE, true), kChineseLines},
        LyricCase{"gb18030", QStringEncoder("GB18030").encode(kChinese), kChineseLines}),
    [](const testing::TestParamInfo<LyricCase>& info) { return std::string(info.param.name); });

TEST(LrcFile, OverOneMebibyteGivesNoLyrics) {
  test::TempFolder folder;
  const QByteArray line = "[00:01]a\n";
  const QByteArray full = line + QByteArray(kLargestLyricFile - line.size(), ' ');
  EXPECT_EQ(ReadLyricFile(folder.Write(u"full.lrc"_s, full)).size(), 1);
  QString error;
  EXPECT_TRUE(ReadLyricFile(folder.Write(u"over.lrc"_s, full + ' '), &error).isEmpty());
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(ParseLyrics(full + ' ').isEmpty());
}

TEST(LrcFile, RefusesWhatIsNoRegularFileWithoutBlocking) {
  test::TempFolder folder;
  const QString fifo = folder.Path(u"pipe.lrc"_s);
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  QString error;
  EXPECT_TRUE(ReadLyricFile(fifo, &error).isEmpty());  // returns: no writer is waited for
  EXPECT_EQ(error, u"not a regular file"_s);
  EXPECT_TRUE(ReadLyricFile(folder.Path(u"missing.lrc"_s), &error).isEmpty());
  EXPECT_TRUE(ReadLyricFile(folder.Path(QString()), &error).isEmpty());  // the folder
}

TEST(LrcFile, SaysWhyAFileWithoutTimeTagsGivesNoLyrics) {
  test::TempFolder folder;
  QString error;
  EXPECT_TRUE(ReadLyricFile(folder.Write(u"a.lrc"_s, "[ar:someone]\n"), &error).isEmpty());
  EXPECT_EQ(error, u"no time tag"_s);
}

}  // namespace
}  // namespace pivlo
