// The show on the command line: the timeline a package plays and the frames it shows.

#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"
#include "ToneFixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

class CliShowTest : public testing::Test {
 protected:
  QString Picture(const QString& name, QRgb colour) {
    return folder_.Write(name, test::Encoded(test::MakeImage(64, 48, QImage::Format_RGB32,
                                                             [&](int, int) { return colour; }),
                                             "png"));
  }

  // Three coloured pictures, five seconds each, cut from one to the next.
  QString Package(const QStringList& more = {}) {
    const QString project = folder_.Path(u"show.aps"_s);
    const auto created = RunCli(QStringList{u"project"_s, u"create"_s, project, u"--picture"_s,
                                            Picture(u"red.png"_s, qRgb(255, 0, 0)), u"--picture"_s,
                                            Picture(u"green.png"_s, qRgb(0, 255, 0)), u"--picture"_s,
                                            Picture(u"blue.png"_s, qRgb(0, 0, 255)), u"--set"_s, u"TimeInterval=5"_s,
                                            u"--set"_s, u"EnableTransition=false"_s, u"--set"_s,
                                            u"EnableCaption=false"_s} +
                                more);
    EXPECT_EQ(created.exit_code, 0) << created.err.toStdString();
    const QString package = folder_.Path(u"show.scr"_s);
    const auto built = RunCli({u"build"_s, project, package, u"--force"_s});
    EXPECT_EQ(built.exit_code, 0) << built.err.toStdString();
    return package;
  }

  QStringList Songs();

  test::TempFolder folder_;
};

TEST_F(CliShowTest, ThePlanListsTheSlidesAndLeavesOutAPictureThatIsGone) {
  const QString package = Package();
  const auto plan = RunCli({u"show"_s, u"plan"_s, package, u"--seed"_s, u"4"_s});
  ASSERT_EQ(plan.exit_code, 0) << plan.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(plan.out), u"0.000\t5.000\tslide\t1\t"_s + folder_.Path(u"red.png"_s) +
                                             u"\n5.000\t10.000\tslide\t2\t"_s + folder_.Path(u"green.png"_s) +
                                             u"\n10.000\t15.000\tslide\t3\t"_s + folder_.Path(u"blue.png"_s) + u'\n');

  QFile::remove(folder_.Path(u"green.png"_s));
  const auto later = RunCli({u"show"_s, u"plan"_s, package, u"--seconds"_s, u"12"_s});
  ASSERT_EQ(later.exit_code, 0);
  EXPECT_EQ(QString::fromUtf8(later.out), u"0.000\t5.000\tslide\t1\t"_s + folder_.Path(u"red.png"_s) +
                                              u"\n5.000\t10.000\tslide\t3\t"_s + folder_.Path(u"blue.png"_s) +
                                              u"\n10.000\t15.000\tslide\t1\t"_s + folder_.Path(u"red.png"_s) + u'\n');
  const QStringList said = QString::fromUtf8(later.err).split(u'\n').filter(u"pivlo-cli: "_s);
  ASSERT_EQ(said.size(), 1);
  EXPECT_TRUE(said[0].contains(u"green.png"_s));
}

// A FIFO would block a reader for ever, a folder is no picture: both are left out unread.
TEST_F(CliShowTest, FifosAndFoldersAreLeftOutWithoutWaiting) {
  const QString package = Package();
  const QByteArray red = QFile::encodeName(folder_.Path(u"red.png"_s));
  ASSERT_TRUE(QFile::remove(folder_.Path(u"red.png"_s)) && mkfifo(red.constData(), 0600) == 0);
  ASSERT_TRUE(QFile::remove(folder_.Path(u"blue.png"_s)) && QDir().mkdir(folder_.Path(u"blue.png"_s)));
  const auto plan = RunCli({u"show"_s, u"plan"_s, package});
  ASSERT_EQ(plan.exit_code, 0);
  EXPECT_EQ(QString::fromUtf8(plan.out), u"0.000\t5.000\tslide\t2\t"_s + folder_.Path(u"green.png"_s) + u'\n');
  EXPECT_EQ(QString::fromUtf8(plan.err).split(u'\n').filter(u"left out"_s).size(), 2);
}

TEST_F(CliShowTest, RenderWritesTheFrameShownAtEachTime) {
  const QString package = Package();
  const QString out = folder_.Path(u"frames"_s);
  const auto rendered = RunCli({u"show"_s, u"render"_s, package, out, u"--at"_s, u"7.25,1,14.999"_s, u"--size"_s,
                                u"320x180"_s, u"--seed"_s, u"9"_s});
  ASSERT_EQ(rendered.exit_code, 0) << rendered.err.toStdString();
  const struct {
    const char* name;
    QRgb colour;
  } expected[] = {{"1.000.png", qRgb(255, 0, 0)}, {"7.250.png", qRgb(0, 255, 0)}, {"14.999.png", qRgb(0, 0, 255)}};
  for (const auto& frame : expected) {
    const QImage image(out + u'/' + QString::fromUtf8(frame.name));
    ASSERT_EQ(image.size(), QSize(320, 180)) << frame.name;
    EXPECT_EQ(image.pixel(160, 90) & 0xFFFFFF, frame.colour & 0xFFFFFF) << frame.name;
  }
}

// Two songs of distinct tones, two seconds and half a second, each with its lyric file
// beside it.
QStringList CliShowTest::Songs() {
  folder_.Write(u"one.lrc"_s, "[00:00.50]first\tline\n[00:01.25]second\n");
  folder_.Write(u"two.lrc"_s, "[00:00.10]third\n");
  return {u"--song"_s, folder_.Write(u"one.wav"_s, test::ToneWav(1, 96000)), u"--song"_s,
          folder_.Write(u"two.wav"_s, test::ToneWav(2, 24000))};
}

TEST_F(CliShowTest, ThePlanListsTheSongsAndTheirLyricsAmongTheSlides) {
  const QString package = Package(Songs());
  const auto plan = RunCli({u"show"_s, u"plan"_s, package, u"--seconds"_s, u"5.5"_s});
  ASSERT_EQ(plan.exit_code, 0) << plan.err.toStdString();
  const QString one = folder_.Path(u"one.wav"_s);
  const QString two = folder_.Path(u"two.wav"_s);
  EXPECT_EQ(QString::fromUtf8(plan.out),
            u"0.000\t5.000\tslide\t1\t"_s + folder_.Path(u"red.png"_s) + u"\n0.000\t2.000\tsong\t1\t"_s + one +
                u"\n0.500\t1.250\tlyric\t1\tfirst\\tline\n1.250\t2.000\tlyric\t1\tsecond\n"
                u"2.000\t2.500\tsong\t2\t"_s +
                two + u"\n2.100\t2.500\tlyric\t2\tthird\n2.500\t4.500\tsong\t1\t"_s + one +
                u"\n3.000\t3.750\tlyric\t1\tfirst\\tline\n3.750\t4.500\tlyric\t1\tsecond\n"
                u"4.500\t5.000\tsong\t2\t"_s +
                two + u"\n4.600\t5.000\tlyric\t2\tthird\n5.000\t10.000\tslide\t2\t"_s +
                folder_.Path(u"green.png"_s) + u"\n5.000\t7.000\tsong\t1\t"_s + one + u'\n');

  const QString muted = Package(Songs() + QStringList{u"--set"_s, u"MuteSound=true"_s});
  const auto silent = RunCli({u"show"_s, u"plan"_s, muted, u"--seconds"_s, u"5.5"_s});
  EXPECT_FALSE(silent.out.contains("\tsong\t")) << silent.out.toStdString();
  EXPECT_FALSE(silent.out.contains("\tlyric\t"));
}

// The sound is each song's own samples end to end; muted, it is silence.
TEST_F(CliShowTest, RenderWritesTheSamplesThePlayerPlays) {
  const QString package = Package(Songs());
  const QString wav = folder_.Path(u"sound.wav"_s);
  const auto rendered = RunCli({u"show"_s, u"render"_s, package, folder_.Path(u"frames"_s), u"--at"_s, u"0.2,1"_s,
                                u"--audio"_s, wav, u"--seconds"_s, u"3"_s});
  ASSERT_EQ(rendered.exit_code, 0) << rendered.err.toStdString();
  const QByteArray sound = test::ReadWholeFile(wav);
  ASSERT_EQ(sound.size(), 44 + 3 * 48000 * 4);
  EXPECT_TRUE(sound.mid(44) == test::ToneFrames(1, 96000) + test::ToneFrames(2, 24000) + test::ToneFrames(1, 24000));

  // The lyric stands at one second in its box, over the picture's colour.
  const QImage before(folder_.Path(u"frames/0.200.png"_s));
  const QImage during(folder_.Path(u"frames/1.000.png"_s));
  ASSERT_FALSE(before.isNull() || during.isNull());
  int changed = 0;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) == during.pixel(x, y)) continue;
      ++changed;
      EXPECT_GT(y, before.height() * 7 / 10) << "only in the lyric box";
    }
  }
  EXPECT_GT(changed, 100);

  const QString muted = Package(Songs() + QStringList{u"--set"_s, u"MuteSound=true"_s});
  ASSERT_EQ(RunCli({u"show"_s, u"render"_s, muted, folder_.Path(u"frames"_s), u"--at"_s, u"1"_s, u"--audio"_s, wav,
                    u"--seconds"_s, u"0.5"_s})
                .exit_code,
            0);
  EXPECT_TRUE(test::ReadWholeFile(wav).mid(44) == QByteArray(24000 * 4, 0));
  EXPECT_EQ(RunCli({u"show"_s, u"render"_s, muted, folder_.Path(u"frames"_s), u"--at"_s, u"1"_s, u"--audio"_s, wav})
                .exit_code,
            2)
      << "--audio wants --seconds";
}

TEST_F(CliShowTest, BadPackagesAndArgumentsSayWhy) {
  const QString package = Package();
  const auto usage = RunCli({u"show"_s, u"render"_s, package, folder_.Path(u"frames"_s)});
  EXPECT_EQ(usage.exit_code, 2) << "render wants --at";
  EXPECT_EQ(RunCli({u"show"_s, u"plan"_s, package, u"--seconds"_s, u"-1"_s}).exit_code, 2);

  const QString cut = folder_.Write(u"cut.scr"_s, test::ReadWholeFile(package).chopped(1));
  for (const QString& word : {u"plan"_s, u"render"_s}) {
    const auto refused = RunCli({u"show"_s, word, cut, folder_.Path(u"frames"_s), u"--at"_s, u"1"_s});
    EXPECT_EQ(refused.exit_code, word == u"plan" ? 2 : 1) << word.toStdString();
  }
  const auto refused = RunCli({u"show"_s, u"plan"_s, cut});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(refused.err.contains("pivlo-cli: " + cut.toUtf8() + ": ")) << refused.err.toStdString();
}

}  // namespace
}  // namespace pivlo
