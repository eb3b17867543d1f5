// Building from the command line: a project file becomes a runnable package that the
// command line and the player itself inspect alike.

#include "BuildFixtures.h"
#include "CliRunner.h"
#include "FaultInjection.h"
#include "PeFixtures.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

QStringList Lines(const QByteArray& out) {
  QStringList lines = QString::fromUtf8(out).split(u'\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

class CliBuildTest : public testing::Test {
 protected:
  QString Picture(const QString& name) {
    return folder_.Write(name, test::Encoded(test::Gradient(4, 3, QImage::Format_RGB32), "jpeg"));
  }

  // Two pictures, two songs with a lyric for the second, synchronised.
  QString Project(const QStringList& extra = {}) {
    const QString project = folder_.Path(u"show.aps"_s);
    const QStringList args = QStringList{u"project"_s,
                                         u"create"_s,
                                         project,
                                         u"--picture"_s,
                                         Picture(u"one.jpg"_s),
                                         u"--picture"_s,
                                         Picture(u"two.jpg"_s),
                                         u"--song"_s,
                                         folder_.Write(u"first.mp3"_s, "a"),
                                         u"--duration"_s,
                                         u"10.2"_s,
                                         u"--song"_s,
                                         folder_.Write(u"Second.wav"_s, "b"),
                                         u"--duration"_s,
                                         u"20.3"_s,
                                         u"--lyric"_s,
                                         folder_.Write(u"second.lrc"_s, "[00:01]x"),
                                         u"--set"_s,
                                         u"EnableSync=true"_s,
                                         u"--set"_s,
                                         u"TxtSetting(0)=假日"_s} +
                             extra;
    const auto created = RunCli(args);
    EXPECT_EQ(created.exit_code, 0) << created.err.toStdString();
    return project;
  }

  test::CliResult Build(const QStringList& args) { return RunCli(QStringList{u"build"_s} + args); }
  static QString AppFile(const QString& name) {
    return QFileInfo(QStringLiteral(PIVLO_CLI_PATH)).absolutePath() + u'/' + name;
  }

  test::TempFolder folder_;
};

TEST_F(CliBuildTest, TheBuiltFileRunsAndReportsEveryKeyAndItem) {
  const QString output = folder_.Path(u"假日.scr"_s);
  const auto built = Build({Project(), output});
  ASSERT_EQ(built.exit_code, 0) << built.err.toStdString();
  const QStringList summary = Lines(built.out);
  ASSERT_EQ(summary.size(), 5);
  EXPECT_EQ(summary[0], u"屏保名称： 假日"_s);
  EXPECT_EQ(summary[1], u"图片总数： 2"_s);
  EXPECT_EQ(summary[2], u"音乐总数： 2"_s);
  EXPECT_TRUE(summary[3].startsWith(u"文件大小： "_s) && summary[3].endsWith(u" MB"_s));
  EXPECT_EQ(summary[4], u"保存路径： "_s + output);
  EXPECT_TRUE(QFileInfo(output).isExecutable());

  const auto inspected = RunCli({u"package"_s, u"inspect"_s, output});
  ASSERT_EQ(inspected.exit_code, 0) << inspected.err.toStdString();
  const QStringList report = Lines(inspected.out);
  ASSERT_GE(report.size(), 6);
  EXPECT_TRUE(report[0].startsWith(u"S="_s));
  EXPECT_EQ(report[3], u"trailer=ok"_s);
  const QString runtime_size = QString::number(QFileInfo(AppFile(u"libpivlofx.so"_s)).size());
  EXPECT_TRUE(report[4].startsWith(u"item\tTextureImage\t0\t"_s)) << report[4].toStdString();
  EXPECT_TRUE(report[5].startsWith(u"item\td3DFile\t"_s) && report[5].endsWith(u'\t' + runtime_size + u"\t.SO"_s))
      << report[5].toStdString();
  for (const QString& line : {u"IsPackage\tbool\tfalse"_s, u"SongDurationTotal\tint32\t31"_s,
                              u"MusicLyricFiles(2)\ttext\t"_s + folder_.Path(u"second.lrc"_s),
                              u"StyleSelect\ttext\t"_s + QString(23, u'1') + QString(105, u' '),
                              u"OrigScreenWidth\tint32\t1920"_s, u"ResFileSize\tint16\t0"_s}) {
    EXPECT_TRUE(report.contains(line)) << line.toStdString();
  }

  // The player finds the same in its own file, and its resources unscrambled.
  const auto played = test::RunProgram(output, {u"--inspect"_s});
  ASSERT_EQ(played.exit_code, 0) << played.err.toStdString();
  const QStringList found = Lines(played.out);
  ASSERT_EQ(found.size(), report.size());
  const QString runtime_crc = QString::fromUtf8(RunCli({u"crc"_s, AppFile(u"libpivlofx.so"_s)}).out).trimmed();
  EXPECT_EQ(found[5], report[5] + u'\t' + runtime_crc);
  EXPECT_EQ(found.mid(6), report.mid(6));
}

TEST_F(CliBuildTest, AnExistingOutputIsReplacedOnlyWithForce) {
  const QString project = Project();
  const QString output = folder_.Write(u"show.exe"_s, "mine");
  for (const bool preview : {false, true}) {
    const QStringList mode = preview ? QStringList{u"--preview"_s} : QStringList();
    const auto refused = Build(QStringList{project, output} + mode);
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_TRUE(QString::fromUtf8(refused.err).contains(u"文件 'show.exe' 已经存在，要替换为新的文件吗？"_s));
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(test::ReadWholeFile(output), "mine");
  }
  const auto replaced = Build({project, output, u"--force"_s, u"--preview"_s});
  ASSERT_EQ(replaced.exit_code, 0) << replaced.err.toStdString();
  EXPECT_EQ(Lines(replaced.out).size(), 5);
  const auto inspected = RunCli({u"package"_s, u"inspect"_s, output});
  EXPECT_TRUE(Lines(inspected.out).contains(u"IsPackage\tbool\ttrue"_s));
}

TEST_F(CliBuildTest, RefusedBuildsSayWhy) {
  const QString one = folder_.Path(u"one.aps"_s);
  ASSERT_EQ(RunCli({u"project"_s, u"create"_s, one, u"--picture"_s, Picture(u"a.jpg"_s), u"--picture"_s,
                    Picture(u"b.jpg"_s)})
                .exit_code,
            0);
  QFile::remove(folder_.Path(u"b.jpg"_s));  // dropped on reading: one picture is left
  const auto refused = Build({one, folder_.Path(u"out.scr"_s)});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(refused.err).contains(u"请首先添加至少两张图片到屏幕保护中"_s));
  EXPECT_FALSE(QFileInfo::exists(folder_.Path(u"out.scr"_s)));

  EXPECT_EQ(Build({folder_.Path(u"none.aps"_s), folder_.Path(u"out.scr"_s)}).exit_code, 1);
  EXPECT_EQ(Build({one}).exit_code, 2);
  EXPECT_EQ(Build({one, folder_.Path(u"out.scr"_s), u"--fast"_s}).exit_code, 2);
}

// The project's own PNG frame goes into the package; a JPEG is no frame.
TEST_F(CliBuildTest, ThePackageCarriesTheProjectsPngFrame) {
  QImage frame(16, 9, QImage::Format_ARGB32);
  frame.fill(QColor(0, 200, 0, 100));
  for (const char* format : {"png", "jpeg"}) {
    const QString path = folder_.Write(u"frame."_s + QString::fromLatin1(format), test::Encoded(frame, format));
    const QString project = Project({u"--set"_s, u"PictureFrameNum=-1"_s, u"--set"_s, u"PictureFrameImage="_s + path});
    const QString output = folder_.Path(u"framed.scr"_s);
    ASSERT_EQ(Build({project, output, u"--force"_s}).exit_code, 0) << format;
    const QString report = QString::fromUtf8(RunCli({u"package"_s, u"inspect"_s, output}).out);
    const bool png = QByteArrayView(format) == "png";
    EXPECT_EQ(report.contains(u"item\tPictureFrameData\t"_s), png) << format;
    EXPECT_EQ(report.contains(u"PictureFrameNum\tint32\t-1\n"_s), png) << format;
  }
}

TEST_F(CliBuildTest, AnIconIsRefusedUnlessItIsAnIconFile) {
  const QString project = Project();
  const auto refused = Build({project, folder_.Path(u"out.scr"_s), u"--icon"_s, folder_.Write(u"x.ico"_s, "x")});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(refused.err).contains(u"not an icon file"_s));
  // The player is no PE program: it has no icon to replace, and that is no failure.
  const QString icon = folder_.Write(u"good.ico"_s, test::IconFileBytes(32, 8, QByteArray(2216, 'i')));
  EXPECT_EQ(Build({project, folder_.Path(u"out.scr"_s), u"--icon"_s, icon}).exit_code, 0);
}

QStringList ItemLines(const QByteArray& out) {
  return Lines(out).filter(QRegularExpression(u"^item\t"_s));
}

// The player is no PE program, so the icon travels in the package for the player to show,
// right behind the runtime; both inspections list it.
TEST_F(CliBuildTest, AnIconTravelsInThePackageAndBothInspectionsListIt) {
  const QString project = Project();
  const QString icon = folder_.Write(u"good.ico"_s, test::IconFileBytes(32, 8, QByteArray(2216, 'i')));
  const QString plain = folder_.Path(u"plain.scr"_s);
  const QString iconic = folder_.Path(u"iconic.scr"_s);
  ASSERT_EQ(Build({project, plain}).exit_code, 0);
  const auto built = Build({project, iconic, u"--icon"_s, icon});
  ASSERT_EQ(built.exit_code, 0) << built.err.toStdString();
  EXPECT_NE(test::ReadWholeFile(plain), test::ReadWholeFile(iconic));

  const QStringList without = ItemLines(RunCli({u"package"_s, u"inspect"_s, plain}).out);
  ASSERT_EQ(without.size(), 2);
  const QStringList with = ItemLines(RunCli({u"package"_s, u"inspect"_s, iconic}).out);
  ASSERT_EQ(with.size(), 3);
  EXPECT_EQ(with.first(2), without);
  const QStringList runtime = with[1].split(u'\t');
  const qint64 end = runtime[2].toLongLong() + runtime[3].toLongLong();
  EXPECT_EQ(with[2], u"item\tIconFile\t%1\t%2\tICO"_s.arg(end).arg(QFileInfo(icon).size()));

  const auto played = test::RunProgram(iconic, {u"--inspect"_s});
  ASSERT_EQ(played.exit_code, 0) << played.err.toStdString();
  const QStringList found = ItemLines(played.out);
  ASSERT_EQ(found.size(), 3);
  EXPECT_EQ(found[2], with[2] + u'\t' + QString::fromUtf8(RunCli({u"crc"_s, icon}).out).trimmed());

  // A preview keeps the player's own.
  const QString preview = folder_.Path(u"preview.scr"_s);
  ASSERT_EQ(Build({project, preview, u"--preview"_s, u"--icon"_s, icon}).exit_code, 0);
  EXPECT_EQ(ItemLines(RunCli({u"package"_s, u"inspect"_s, preview}).out), without);
}

// A damaged icon item costs the icon, not the package: both inspections read the rest and
// say what they left out.
TEST_F(CliBuildTest, ADamagedIconItemIsLeftOutAndSaidSo) {
  const QString icon = folder_.Write(u"good.ico"_s, test::IconFileBytes(32, 8, QByteArray(2216, 'i')));
  const QString iconic = folder_.Path(u"iconic.scr"_s);
  ASSERT_EQ(Build({Project(), iconic, u"--icon"_s, icon}).exit_code, 0);
  const QString damaged = folder_.Write(
      u"damaged.scr"_s,
      test::WithPackageSetting(test::ReadWholeFile(iconic), u"IconFile_OffSet"_s, qint32(0x7FFFFFF0)));
  QFile::setPermissions(damaged, QFile::permissions(iconic));

  const auto inspected = RunCli({u"package"_s, u"inspect"_s, damaged});
  EXPECT_EQ(inspected.exit_code, 0);
  EXPECT_EQ(ItemLines(inspected.out).size(), 2);
  EXPECT_TRUE(Lines(inspected.out).contains(u"IconFile_OffSet\tint32\t2147483632"_s));
  EXPECT_EQ(inspected.err, "pivlo-cli: " + damaged.toUtf8() + ": IconFile: lies outside the resource blob, left out\n");

  const auto played = test::RunProgram(damaged, {u"--inspect"_s});
  EXPECT_EQ(played.exit_code, 0);
  EXPECT_EQ(ItemLines(played.out).size(), 2);
  EXPECT_TRUE(played.err.contains(": IconFile: lies outside the resource blob, left out\n"))
      << played.err.toStdString();
}

// Builds from one installation share its Temp/ folder: each has work files of its own.
TEST_F(CliBuildTest, BuildsRunSideBySide) {
  const QString project = Project();
  constexpr int kBuilds = 4;
  for (int round = 0; round < 2; ++round) {
    std::vector<std::unique_ptr<QProcess>> builds;
    for (int i = 0; i < kBuilds; ++i) {
      builds.push_back(std::make_unique<QProcess>());
      const QString output = folder_.Path(u"show"_s + QString::number(i) + u".scr"_s);
      builds.back()->start(QStringLiteral(PIVLO_CLI_PATH), {u"build"_s, project, output, u"--force"_s});
    }
    for (const auto& build : builds) {
      ASSERT_TRUE(build->waitForFinished(60000));
      EXPECT_EQ(build->exitCode(), 0) << build->readAllStandardError().toStdString();
    }
  }
  // Other test programs build beside this one: their work files go when they finish.
  const QDir temp(AppFile(u"Temp"_s));
  const QDeadlineTimer others_done(30000);
  while (!temp.entryList({u"Pivlo.bfq.*"_s}, QDir::Files).isEmpty() && !others_done.hasExpired()) {
    QThread::msleep(100);
  }
  EXPECT_TRUE(temp.entryList({u"Pivlo.bfq.*"_s}, QDir::Files).isEmpty());
}

TEST_F(CliBuildTest, AFullDiskKeepsTheOldFilesAndSaysWhy) {
  test::SmallDisk disk;
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  const QString project = disk.Path(u"show.aps"_s);
  ASSERT_TRUE(QFile::copy(Project(), project));
  const QString picture = disk.Path(u"one.png"_s);
  ASSERT_EQ(RunCli({u"decode"_s, Picture(u"decoded.jpg"_s), picture}).exit_code, 0);
  const QByteArray old_project = test::ReadWholeFile(project);
  const QByteArray old_picture = test::ReadWholeFile(picture);
  disk.Fill();

  const auto saved = RunCli({u"project"_s, u"create"_s, project, u"--picture"_s, Picture(u"a.jpg"_s),
                             u"--picture"_s, Picture(u"b.jpg"_s)});
  EXPECT_EQ(saved.exit_code, 1);
  EXPECT_EQ(saved.err, "pivlo-cli: " + project.toUtf8() + ": cannot write: No space left on device\n");
  EXPECT_EQ(test::ReadWholeFile(project), old_project);

  const auto decoded = RunCli({u"decode"_s, Picture(u"c.jpg"_s), picture});
  EXPECT_EQ(decoded.exit_code, 1);
  EXPECT_EQ(decoded.err, "pivlo-cli: " + picture.toUtf8() + ": cannot write: No space left on device\n");
  EXPECT_EQ(test::ReadWholeFile(picture), old_picture);

  const QString output = disk.Path(u"show.scr"_s);
  const auto built = Build({project, output});
  EXPECT_EQ(built.exit_code, 1);
  EXPECT_TRUE(built.err.contains("No space left on device")) << built.err.toStdString();
  EXPECT_TRUE(built.err.endsWith(output.toUtf8() + ": no screensaver was written\n"));
}

TEST(CliPackageInspect, ALyingTrailerIsReported) {
  test::TempFolder folder;
  QByteArray bytes = QByteArray(40, 'p') + QByteArray::fromHex("000000100000001000000010B1BB574D");
  const auto lying = RunCli({u"package"_s, u"inspect"_s, folder.Write(u"lying.scr"_s, bytes)});
  EXPECT_EQ(lying.exit_code, 1);
  EXPECT_EQ(lying.out, "S=16\nB=16\nC=16\ntrailer=bad\n");
  EXPECT_FALSE(lying.err.isEmpty());
  const auto plain = RunCli({u"package"_s, u"inspect"_s, folder.Write(u"plain.txt"_s, "no package")});
  EXPECT_EQ(plain.exit_code, 1);
  EXPECT_TRUE(plain.out.isEmpty());
}

TEST(CliIcon, ScanListsThePickersTextsAndReplaceRewritesTheProgram) {
  test::TempFolder folder;
  QByteArray image(2216, 'i');
  image.replace(0, 16, QByteArray::fromHex("28000000200000004000000001000800"));
  const QString icons = folder.Write(u"icons.icl"_s, "xx" + image + image);
  const auto scanned = RunCli({u"icon"_s, u"scan"_s, icons});
  EXPECT_EQ(scanned.exit_code, 0);
  EXPECT_EQ(QString::fromUtf8(scanned.out), u"图标 - 001  32*32   8位\n图标 - 002  32*32   8位\n"_s);

  const test::PeFile pe = test::SamplePe();
  const QString program = folder.Write(u"player.exe"_s, pe.bytes);
  const QString icon = folder.Write(u"new.ico"_s, test::IconFileBytes(32, 8, image));
  const auto replaced = RunCli({u"icon"_s, u"replace"_s, icon, program});
  EXPECT_EQ(replaced.exit_code, 0) << replaced.err.toStdString();
  EXPECT_EQ(replaced.out, "replaced\n");
  EXPECT_EQ(test::ReadWholeFile(program).sliced(pe.icons[0].data, image.size()), image);

  const QString large = folder.Write(u"large.ico"_s, test::IconFileBytes(48, 32, QByteArray(9640, 'l')));
  const auto failed = RunCli({u"icon"_s, u"replace"_s, large, program});
  EXPECT_EQ(failed.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(failed.err).contains(u"替换图标失败"_s));

  const QString elf = folder.Write(u"player"_s, "\x7F" "ELF and more");
  const auto unchanged = RunCli({u"icon"_s, u"replace"_s, icon, elf});
  EXPECT_EQ(unchanged.exit_code, 0);
  EXPECT_TRUE(unchanged.out.startsWith("unchanged"));
}

}  // namespace
}  // namespace pivlo
