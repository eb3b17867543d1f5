// A FIFO where a file is expected: every reader refuses it at once, as it refuses a
// missing file, instead of waiting for a writer that never comes.

#include "CliRunner.h"
#include "PeFixtures.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct ReaderCase {
  const char* name;
  const char* file;                   // the name the FIFO or missing file has
  std::vector<std::string> arguments;  // FILE stands for it; other names are made below
};

class CliFifoTest : public testing::TestWithParam<ReaderCase> {
 protected:
  CliFifoTest() {
    QDir().mkpath(folder_.Path(u"fifo"_s));
    QDir().mkpath(folder_.Path(u"missing"_s));
    const QByteArray picture = test::Encoded(test::Gradient(4, 3, QImage::Format_RGB32), "jpeg");
    folder_.Write(u"one.jpg"_s, picture);
    folder_.Write(u"two.jpg"_s, picture);
    folder_.Write(u"icon.ico"_s, test::IconFileBytes(32, 8, QByteArray(2216, 'i')));
    folder_.Write(u"program.exe"_s, test::SamplePe().bytes);
    const QString one = folder_.Path(u"one.jpg"_s);
    const QString two = folder_.Path(u"two.jpg"_s);
    EXPECT_EQ(test::RunCli({u"project"_s, u"create"_s, folder_.Path(u"show.aps"_s), u"--picture"_s, one,
                            u"--picture"_s, two})
                  .exit_code,
              0);
  }

  // The arguments with FILE in `where` and the other names in the test's folder.
  QStringList Arguments(const QString& where) const {
    QStringList arguments;
    for (const std::string& argument : GetParam().arguments) {
      const QString text = QString::fromStdString(argument);
      if (text == u"FILE") {
        arguments << folder_.Path(where + u'/' + QString::fromUtf8(GetParam().file));
      } else if (text.contains(u'.')) {
        arguments << folder_.Path(text);
      } else {
        arguments << text;
      }
    }
    return arguments;
  }

  test::TempFolder folder_;
};

TEST_P(CliFifoTest, IsRefusedAtOnceLikeAMissingFile) {
  const QString fifo = folder_.Path(u"fifo/"_s + QString::fromUtf8(GetParam().file));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const test::CliResult missing = test::RunCli(Arguments(u"missing"_s));
  const test::CliResult refused = test::RunCli(Arguments(u"fifo"_s), 5000);
  ASSERT_NE(refused.exit_code, -1) << "waited on the FIFO";
  EXPECT_EQ(refused.exit_code, missing.exit_code);
  EXPECT_EQ(QString::fromUtf8(refused.err).replace(u"/fifo/"_s, u"/missing/"_s).toStdString(), missing.err.toStdString());
  EXPECT_EQ(QString::fromUtf8(refused.out).replace(u"/fifo/"_s, u"/missing/"_s).toStdString(), missing.out.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    EveryReader, CliFifoTest,
    testing::Values(ReaderCase{"Probe", "x.jpg", {"probe", "FILE"}},
                    ReaderCase{"Mp3", "x.mp3", {"mp3", "FILE"}},
                    ReaderCase{"Duration", "x.mp3", {"duration", "FILE"}},
                    ReaderCase{"DurationOfMidi", "x.mid", {"duration", "FILE"}},
                    ReaderCase{"DurationOfWav", "x.wav", {"duration", "FILE"}},
                    ReaderCase{"PackList", "x.src", {"pack", "list", "FILE"}},
                    ReaderCase{"PackExtract", "x.src", {"pack", "extract", "FILE", "rainbow.jpg", "out.jpg"}},
                    ReaderCase{"IconReplaceIcon", "x.ico", {"icon", "replace", "FILE", "program.exe"}},
                    ReaderCase{"IconReplaceProgram", "x.exe", {"icon", "replace", "icon.ico", "FILE"}},
                    ReaderCase{"IconScan", "x.ico", {"icon", "scan", "FILE"}},
                    ReaderCase{"ProjectPicture", "x.jpg",
                               {"project", "create", "new.aps", "--picture", "FILE", "--picture", "one.jpg",
                                "--picture", "two.jpg"}},
                    ReaderCase{"ProjectSong", "x.mp3",
                               {"project", "create", "new.aps", "--picture", "one.jpg", "--picture", "two.jpg",
                                "--song", "FILE"}},
                    ReaderCase{"ProjectShow", "x.aps", {"project", "show", "FILE"}},
                    ReaderCase{"BuildProject", "x.aps", {"build", "FILE", "out.scr"}},
                    ReaderCase{"BuildIcon", "x.ico", {"build", "show.aps", "out.scr", "--icon", "FILE"}},
                    ReaderCase{"Decode", "x.tga", {"decode", "FILE", "out.png"}},
                    ReaderCase{"Convert", "x.jpg", {"convert", "FILE", "out.jpg"}},
                    ReaderCase{"Crc", "x.bin", {"crc", "FILE"}},
                    ReaderCase{"BagDump", "x.aps", {"bag", "dump", "FILE"}},
                    ReaderCase{"PackageInspect", "x.scr", {"package", "inspect", "FILE"}},
                    ReaderCase{"ShowPlan", "x.scr", {"show", "plan", "FILE"}}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pivlo
