#include "CliRunner.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

using test::RunCli;

TEST(CliLyrics, PrintsTheLinesInDisplayOrder) {
  test::TempFolder folder;
  const QString path = folder.Write(u"song.lrc"_s, u"[ti:歌]\n[00:03.5][00:01]副歌\n[00:02.25]\n[01:00.001]a\tb\n"_s.toUtf8());
  const auto result = RunCli({u"lyrics"_s, path});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.err, QByteArray());
  EXPECT_EQ(result.out, u"1.000\t副歌\n2.250\t\n3.500\t副歌\n60.001\ta\\tb\n"_s.toUtf8());
}

TEST(CliLyrics, AFileWithoutLyricsExitsOneAndWrongArgumentsTwo) {
  test::TempFolder folder;
  const QString path = folder.Write(u"none.lrc"_s, "[ar:someone]\njust text\n");
  const auto none = RunCli({u"lyrics"_s, path});
  EXPECT_EQ(none.exit_code, 1);
  EXPECT_EQ(none.out, QByteArray());
  EXPECT_EQ(none.err.count('\n'), 1);
  EXPECT_TRUE(none.err.contains("no time tag")) << none.err.constData();
  EXPECT_EQ(RunCli({u"lyrics"_s, folder.Path(u"missing.lrc"_s)}).exit_code, 1);
  EXPECT_EQ(RunCli({u"lyrics"_s}).exit_code, 2);
  EXPECT_EQ(RunCli({u"lyrics"_s, path, path}).exit_code, 2);
}

}  // namespace
}  // namespace pivlo
