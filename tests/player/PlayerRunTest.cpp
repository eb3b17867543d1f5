// The built program played as a user, the editor and an XScreenSaver daemon start it:
// it plays until it is told to stop, and refuses what it cannot play with a reason and
// the exit code scripts rely on.

#include "BuildFixtures.h"
#include "CliRunner.h"
#include "PictureFiles.h"
#include "TestFiles.h"
#include "ToneFixtures.h"
#include "XServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

// However slow the checked build, a stopped show is gone well within this.
constexpr int kEndBoundMs = 3000;
constexpr QRgb kGreen = qRgb(0, 200, 0);

QString Picture(const test::TempFolder& folder, const QString& name, QRgb colour) {
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(colour);
  return folder.Write(name, test::Encoded(image, "png"));
}

// A screensaver of two pictures, the first green, built with the command line; `more`
// goes to `project create`, `build_more` to `build`.
QString BuildShow(const test::TempFolder& folder, const QString& name, const QStringList& more = {},
                  const QStringList& build_more = {}) {
  const QString project = folder.Path(name + u".aps"_s);
  const test::CliResult created =
      RunCli(QStringList{u"project"_s, u"create"_s, project, u"--picture"_s, Picture(folder, name + u"-1.png"_s, kGreen),
                         u"--picture"_s, Picture(folder, name + u"-2.png"_s, qRgb(0, 0, 200))} +
             more);
  EXPECT_EQ(created.exit_code, 0) << created.err.toStdString();
  const QString output = folder.Path(name + u".scr"_s);
  const test::CliResult built = RunCli(QStringList{u"build"_s, project, output} + build_more);
  EXPECT_EQ(built.exit_code, 0) << built.err.toStdString();
  return output;
}

// A copy whose graphics runtime is garbage.
QString DamageRuntime(const test::TempFolder& folder, const QString& package) {
  const QStringList report = QString::fromUtf8(RunCli({u"package"_s, u"inspect"_s, package}).out).split(u'\n');
  qint64 stub = -1;
  qint64 offset = -1;
  for (const QString& line : report) {
    if (line.startsWith(u"S="_s)) stub = line.mid(2).toLongLong();
    if (line.startsWith(u"item\td3DFile\t"_s)) offset = line.section(u'\t', 2, 2).toLongLong();
  }
  EXPECT_GE(stub, 0);
  EXPECT_GE(offset, 0);
  QByteArray bytes = test::ReadWholeFile(package);
  for (qint64 i = stub + offset; i < stub + offset + 4096; ++i) bytes[i] = char(~bytes[i]);
  const QString damaged = folder.Write(u"damaged.scr"_s, bytes);
  QFile::setPermissions(damaged, QFile::permissions(package));
  return damaged;
}

struct Ended {
  bool ended = false;
  int exit_code = -1;
  QString err;
};

// Starts the program, checks it is still playing after `play_ms` (and, when given, once
// `played` is true, however slow the checked build starts), ends it with SIGTERM.
Ended PlayThenTerminate(const QString& program, const QStringList& args, int play_ms,
                        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
                        const std::function<bool()>& played = nullptr) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, args);
  Ended result;
  if (!process.waitForStarted()) return result;
  bool ended_early = process.waitForFinished(play_ms);
  for (const QDeadlineTimer deadline(30000); !ended_early && played && !played() && !deadline.hasExpired();) {
    ended_early = process.waitForFinished(100);
  }
  if (ended_early) {
    result.err = QString::fromUtf8(process.readAllStandardError());
    ADD_FAILURE() << "the show ended by itself: " << result.err.toStdString();
    return result;
  }
  process.terminate();
  result.ended = process.waitForFinished(kEndBoundMs) && process.exitStatus() == QProcess::NormalExit;
  result.exit_code = process.exitCode();
  result.err = QString::fromUtf8(process.readAllStandardError());
  if (!result.ended) process.kill();
  process.waitForFinished();
  return result;
}

// The program's own lines on stderr (Qt may add notices of its own).
QStringList OwnLines(const QString& err, const QString& program) {
  QStringList lines;
  for (const QString& line : err.split(u'\n')) {
    if (line.startsWith(QFileInfo(program).fileName() + u": "_s)) lines << line;
  }
  return lines;
}

class PlayerRunTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new test::TempFolder;
    show_ = new QString(BuildShow(*folder_, u"holiday"_s));
  }
  static void TearDownTestSuite() {
    delete show_;
    delete folder_;
  }

  static test::TempFolder* folder_;
  static QString* show_;
};

test::TempFolder* PlayerRunTest::folder_ = nullptr;
QString* PlayerRunTest::show_ = nullptr;

TEST_F(PlayerRunTest, PlaysInAWindowOrFullScreenUntilTerminated) {
  for (const QStringList& args : {QStringList{u"--window"_s, u"--seed"_s, u"7"_s}, QStringList{u"/s"_s}}) {
    const Ended ended = PlayThenTerminate(*show_, args, 1500);
    EXPECT_TRUE(ended.ended) << args.join(u' ').toStdString();
    EXPECT_EQ(ended.exit_code, 0) << ended.err.toStdString();
    EXPECT_EQ(OwnLines(ended.err, *show_), QStringList()) << args.join(u' ').toStdString();
  }
}

TEST_F(PlayerRunTest, WithoutItsPicturesItSaysSoAndStillEndsWhenTold) {
  test::TempFolder folder;
  const QString show = BuildShow(folder, u"gone"_s);
  QFile::remove(folder.Path(u"gone-1.png"_s));
  QFile::remove(folder.Path(u"gone-2.png"_s));
  const Ended ended = PlayThenTerminate(show, {u"--window"_s}, 1500);
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(ended.exit_code, 0);
  const QStringList lines = OwnLines(ended.err, show);
  ASSERT_EQ(lines.size(), 2) << ended.err.toStdString();
  EXPECT_TRUE(lines[0].contains(folder.Path(u"gone-1.png"_s)) && lines[0].endsWith(u"left out"_s));
}

TEST_F(PlayerRunTest, RefusesWhatItCannotPlayWithItsReasonAndExitCode) {
  const QString bare = QFileInfo(QStringLiteral(PIVLO_CLI_PATH)).absolutePath() + u"/pivlo-player"_s;
  const QString damaged = DamageRuntime(*folder_, *show_);
  struct Case {
    QString program;
    QStringList args;
    QStringList unset;  // environment variables taken away
    int exit_code;
    QString says;
  };
  const Case cases[] = {
      {*show_, {u"--window-id"_s, u"zz"_s}, {}, 2, u"needs a window id"_s},
      {*show_, {u"--bogus"_s}, {}, 2, u"unknown option: --bogus"_s},
      {*show_, {u"--window"_s}, {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s}, 1, u"no display"_s},
      {*show_, {u"--window-id"_s, u"0x400001"_s}, {u"DISPLAY"_s}, 1, u"cannot connect to the X display"_s},
      {bare, {u"--window"_s}, {}, 1, u"carries no show"_s},
      {damaged, {u"--window"_s}, {}, 1, u"the show cannot start"_s},
  };
  for (const Case& c : cases) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : c.unset) environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(c.program, c.args);
    const std::string name = c.args.join(u' ').toStdString();
    ASSERT_TRUE(process.waitForFinished(30000)) << name;
    EXPECT_EQ(process.exitCode(), c.exit_code) << name;
    const QStringList lines = OwnLines(QString::fromUtf8(process.readAllStandardError()), c.program);
    ASSERT_FALSE(lines.isEmpty()) << name;
    EXPECT_TRUE(lines[0].contains(c.says)) << name << ": " << lines[0].toStdString();
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << name;
  }

  const test::CliResult help = test::RunProgram(*show_, {u"--help"_s});
  EXPECT_EQ(help.exit_code, 0);
  for (const char* mode : {"--fullscreen", "--window", "--window-id ID", "--root", "/c", "--seed N", "--inspect"}) {
    EXPECT_TRUE(help.out.contains(mode)) << mode;
  }
}

TEST_F(PlayerRunTest, ExportsItsFilesForAScriptWithTheExitCodeOfTheOutcome) {
  test::TempFolder folder;
  const QString show =
      BuildShow(folder, u"shared"_s, {u"--set"_s, u"EnableExport=true"_s, u"--set"_s, u"ExportPassword=pw 1"_s});
  const QString out = folder.Path(u"out"_s);
  ASSERT_TRUE(QDir().mkdir(out));
  struct Case {
    QString program;
    QStringList args;
    int exit_code;
    QString says;  // in the one line said; empty: nothing
    QStringList in_folder;
  };
  const QStringList both{u"shared-1.png"_s, u"shared-2.png"_s};
  const Case cases[] = {
      {show, {u"--export"_s, out, u"--password"_s, u"pw"_s}, 3, u"the export password is wrong"_s, {}},
      {show, {u"--export"_s, out}, 3, u"needs its password"_s, {}},
      {*show_, {u"--export"_s, out}, 1, u"does not allow"_s, {}},
      {show, {u"--export"_s, folder.Path(u"none"_s), u"--password=pw 1"_s}, 1, u"none: no such folder"_s, {}},
      {show, {u"--export"_s, out, u"--password"_s, u"pw 1"_s}, 0, {}, both},
      // Again: nothing there is replaced.
      {show, {u"--export"_s, out, u"--password"_s, u"pw 1"_s}, 0, {},
       {u"shared-1 (2).png"_s, u"shared-1.png"_s, u"shared-2 (2).png"_s, u"shared-2.png"_s}},
  };
  for (const Case& c : cases) {
    const std::string name = c.args.join(u' ').toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& display : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s}) environment.remove(display);
    QProcess process;
    process.setProcessEnvironment(environment);  // no display needed
    process.start(c.program, c.args);
    ASSERT_TRUE(process.waitForFinished(30000)) << name;
    EXPECT_EQ(process.exitCode(), c.exit_code) << name;
    const QStringList lines = OwnLines(QString::fromUtf8(process.readAllStandardError()), c.program);
    if (c.says.isEmpty()) {
      EXPECT_EQ(lines, QStringList()) << name;
    } else {
      ASSERT_EQ(lines.size(), 1) << name;
      EXPECT_TRUE(lines[0].contains(c.says)) << name << ": " << lines[0].toStdString();
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), c.in_folder) << name;
  }
  EXPECT_EQ(test::ReadWholeFile(folder.Path(u"out/shared-1 (2).png"_s)),
            test::ReadWholeFile(folder.Path(u"shared-1.png"_s)));
}

// The samples with every stretch of 64 or more silent frames taken out.
QByteArray WithoutSilentStretches(const QByteArray& samples) {
  constexpr qsizetype kFrame = 4;
  constexpr qsizetype kStretch = 64;
  QByteArray kept;
  qsizetype silent_from = -1;
  for (qsizetype at = 0; at + kFrame <= samples.size(); at += kFrame) {
    const bool silent = QByteArrayView(samples).sliced(at, kFrame) == QByteArrayView("\0\0\0\0", kFrame);
    if (silent) {
      if (silent_from < 0) silent_from = at;
      continue;
    }
    if (silent_from >= 0 && at - silent_from < kStretch * kFrame) kept += samples.mid(silent_from, at - silent_from);
    silent_from = -1;
    kept += samples.mid(at, kFrame);
  }
  return kept;
}

// The sound device gets the music from the show's first frame, each song's own samples
// end to end; muted, it is not opened; without one the show plays on, saying so once.
TEST_F(PlayerRunTest, PlaysItsMusicOnTheSoundDeviceOrSilentlyWithoutOne) {
  test::TempFolder folder;
  const QStringList songs{u"--song"_s, folder.Write(u"one.wav"_s, test::ToneWav(1, 12000)), u"--duration"_s, u"0.25"_s,
                          u"--song"_s, folder.Write(u"two.wav"_s, test::ToneWav(2, 7000)), u"--duration"_s, u"0.15"_s};
  const QString show = BuildShow(folder, u"songs"_s, songs);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"SDL_AUDIODRIVER"_s, u"disk"_s);
  environment.insert(u"SDL_DISKAUDIOFILE"_s, folder.Path(u"heard.raw"_s));
  const auto two_rounds = [&folder] { return QFileInfo(folder.Path(u"heard.raw"_s)).size() > 2 * 19000 * 4; };
  Ended ended = PlayThenTerminate(show, {u"--window"_s}, 500, environment, two_rounds);
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(ended.exit_code, 0);
  EXPECT_EQ(OwnLines(ended.err, show), QStringList());
  const QByteArray heard = test::ReadWholeFile(folder.Path(u"heard.raw"_s));
  ASSERT_GT(heard.size(), 2 * 19000 * 4) << "two rounds of the songs";
  // SDL gives the device silence of its own: until it is first unpaused, and where the
  // checked build decodes too slowly under load. The rest is the songs, end to end.
  const QByteArray sounded = WithoutSilentStretches(heard);
  QByteArray expected;
  while (expected.size() < sounded.size()) expected += test::ToneFrames(1, 12000) + test::ToneFrames(2, 7000);
  ASSERT_GT(sounded.size(), 19000 * 4);
  EXPECT_TRUE(sounded == expected.left(sounded.size())) << "the songs' samples are not what was heard";

  const QString muted = BuildShow(folder, u"muted"_s, songs + QStringList{u"--set"_s, u"MuteSound=true"_s});
  environment.insert(u"SDL_DISKAUDIOFILE"_s, folder.Path(u"muted.raw"_s));
  EXPECT_EQ(PlayThenTerminate(muted, {u"--window"_s}, 1000, environment).exit_code, 0);
  EXPECT_FALSE(QFile::exists(folder.Path(u"muted.raw"_s)));

  environment.insert(u"SDL_AUDIODRIVER"_s, u"no-such-driver"_s);
  ended = PlayThenTerminate(show, {u"--window"_s}, 1500, environment);
  EXPECT_EQ(ended.exit_code, 0);
  const QStringList lines = OwnLines(ended.err, show);
  ASSERT_EQ(lines.size(), 1) << ended.err.toStdString();
  EXPECT_TRUE(lines[0].contains(u"no audio device ("_s) && lines[0].endsWith(u"the show plays silently"_s))
      << lines[0].toStdString();
}

// Built with its files packed in, the screensaver needs none of them: with the originals
// gone its plan, its frames, its sound and its export come from its own blob.
TEST_F(PlayerRunTest, ASelfContainedShowPlaysAndExportsItsOwnCopiesOnceTheOriginalsAreGone) {
  test::TempFolder folder;
  std::optional<test::TempFolder> sources(std::in_place);
  QImage red(64, 48, QImage::Format_RGB32);
  red.fill(qRgb(200, 0, 0));
  const QString bmp = sources->Write(u"red.bmp"_s, test::Encoded(red, "bmp"));  // converted to JPEG
  const QString song = sources->Write(u"one.wav"_s, test::ToneWav(1, 12000));
  const QString lyric = sources->Write(u"one.lrc"_s, "[00:00.10]hello\n");
  sources->Write(u"alone.lrc"_s, "[00:00.10]no song\n");
  const QString show = BuildShow(folder, u"packed"_s,
                                 {u"--picture"_s, bmp, u"--song"_s, song, u"--duration"_s, u"0.25"_s, u"--lyric"_s,
                                  lyric, u"--lyric"_s, sources->Path(u"alone.lrc"_s), u"--set"_s, u"EnableExport=true"_s,
                                  u"--set"_s, u"TimeInterval=4"_s, u"--set"_s, u"EnableTransition=false"_s},
                                 {u"--pack-media"_s});
  const QByteArray png = test::ReadWholeFile(folder.Path(u"packed-1.png"_s));
  for (const QString& name : {u"packed-1.png"_s, u"packed-2.png"_s}) ASSERT_TRUE(QFile::remove(folder.Path(name)));
  sources.reset();

  const QStringList report = QString::fromUtf8(RunCli({u"package"_s, u"inspect"_s, show}).out).split(u'\n');
  const auto setting = [&report](const QString& key) {
    const QStringList found = report.filter(QRegularExpression(u"^"_s + QRegularExpression::escape(key) + u"\t"_s));
    return found.size() == 1 ? found[0].section(u'\t', 2) : QString();
  };
  EXPECT_EQ(setting(u"ImgNames(1)"_s), u"res:1/packed-1.png"_s);
  EXPECT_EQ(setting(u"ImgNames(3)"_s), u"res:3/red.jpg"_s);
  EXPECT_EQ(setting(u"MusicNames(1)"_s), u"res:4/one.wav"_s);
  EXPECT_EQ(setting(u"MusicLyricFiles(1)"_s), u"res:5/one.lrc"_s);
  EXPECT_EQ(setting(u"LyricFilesCount"_s), u"1"_s) << "a lyric file no song plays stays out";
  EXPECT_EQ(setting(u"MediaInPackage"_s), u"true"_s);
  EXPECT_EQ(report.filter(u"item\tMediaFile("_s).size(), 5);

  const test::CliResult plan = RunCli({u"show"_s, u"plan"_s, show, u"--seconds"_s, u"12"_s});
  ASSERT_EQ(plan.exit_code, 0) << plan.err.toStdString();
  EXPECT_TRUE(plan.out.contains("\tslide\t1\tres:1/packed-1.png\n") && plan.out.contains("\tslide\t3\tres:3/red.jpg\n") &&
              plan.out.contains("0.100\t0.250\tlyric\t1\thello\n"))
      << plan.out.toStdString();
  EXPECT_FALSE(plan.err.contains("left out")) << plan.err.toStdString();
  const test::CliResult frames = RunCli({u"show"_s, u"render"_s, show, folder.Path(u"frames"_s), u"--at"_s, u"1,9"_s,
                                         u"--size"_s, u"320x180"_s, u"--audio"_s, folder.Path(u"sound.wav"_s),
                                         u"--seconds"_s, u"0.5"_s});
  ASSERT_EQ(frames.exit_code, 0) << frames.err.toStdString();
  EXPECT_EQ(QImage(folder.Path(u"frames/1.000.png"_s)).pixel(160, 90), kGreen);
  const QRgb converted = QImage(folder.Path(u"frames/9.000.png"_s)).pixel(160, 90);
  EXPECT_NEAR(qRed(converted), 200, 8);
  EXPECT_LT(qGreen(converted) + qBlue(converted), 16);
  const QByteArray tone = test::ToneFrames(1, 12000);
  EXPECT_TRUE(test::ReadWholeFile(folder.Path(u"sound.wav"_s)).mid(44, tone.size() * 2) == tone + tone);

  const QString out = folder.Path(u"out"_s);
  ASSERT_TRUE(QDir().mkdir(out));
  QProcess exporter;
  exporter.start(show, {u"--export"_s, out});
  ASSERT_TRUE(exporter.waitForFinished(30000));
  EXPECT_EQ(exporter.exitCode(), 0) << exporter.readAllStandardError().toStdString();
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
            (QStringList{u"one.lrc"_s, u"one.wav"_s, u"packed-1.png"_s, u"packed-2.png"_s, u"red.jpg"_s}));
  EXPECT_EQ(test::ReadWholeFile(out + u"/packed-1.png"_s), png);
  EXPECT_EQ(test::ReadWholeFile(out + u"/one.wav"_s), test::ToneWav(1, 12000));
  EXPECT_EQ(test::ReadWholeFile(out + u"/one.lrc"_s), QByteArray("[00:00.10]hello\n"));
}

// The window shows the icon the screensaver was built with; a damaged one costs only the
// icon, with a line saying so.
TEST_F(PlayerRunTest, ItsWindowShowsTheIconItWasBuiltWith) {
  const std::unique_ptr<test::XServer> x = test::XServer::Start(QSize(640, 480));
  if (!x) GTEST_SKIP() << "no Xvfb to make windows on";
  test::TempFolder folder;
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(qRgb(200, 100, 0));
  const QString icon = folder.Write(u"orange.ico"_s, test::Encoded(image, "ico"));
  const QString show = BuildShow(folder, u"iconic"_s, {}, {u"--icon"_s, icon});
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"DISPLAY"_s, x->Display());
  environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
  // The keyboard library of Qt's X11 plugin gives strndup names that end at their length,
  // not at a NUL: allowed, but strict string checks report it.
  environment.insert(u"ASAN_OPTIONS"_s, environment.value(u"ASAN_OPTIONS"_s) + u":strict_string_checks=0"_s);
  QImage shown;
  const Ended ended = PlayThenTerminate(show, {u"--window"_s}, 500, environment, [&] {
    shown = x->ClientIcon();
    return !shown.isNull();
  });
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(OwnLines(ended.err, show), QStringList());
  ASSERT_EQ(shown.size(), QSize(32, 32)) << "the window never showed an icon";
  EXPECT_EQ(shown.pixel(16, 16), qRgb(200, 100, 0));

  const QString damaged = folder.Write(
      u"damaged.scr"_s, test::WithPackageSetting(test::ReadWholeFile(show), u"IconFile_Size"_s, qint32(1 << 30)));
  QFile::setPermissions(damaged, QFile::permissions(show));
  const Ended played = PlayThenTerminate(damaged, {u"--window"_s}, 1500);
  EXPECT_TRUE(played.ended);
  EXPECT_EQ(played.exit_code, 0);
  EXPECT_EQ(OwnLines(played.err, damaged),
            QStringList{u"damaged.scr: the show has no window icon: IconFile: lies outside the resource blob"_s});
}

// What an XScreenSaver daemon does: it makes the window, starts the hack with --root and
// the window in $XSCREENSAVER_WINDOW, may resize the window, and destroys it at the end.
TEST_F(PlayerRunTest, AsAnXScreenSaverHackItDrawsIntoTheDaemonsWindowWhileItLives) {
  const std::unique_ptr<test::XServer> x = test::XServer::Start(QSize(640, 480));
  if (!x) GTEST_SKIP() << "no Xvfb to make windows on";
  constexpr QRgb kUnpainted = qRgb(255, 0, 255);
  // Whether the window comes to show what `expected` wants, every pixel painted over.
  const auto comes_to_show = [&](quint32 window, QSize size, const std::function<bool(const QImage&)>& expected) {
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
      const QImage shown = x->Contents(window, size);
      bool painted = !shown.isNull();
      for (int y = 0; y < shown.height() && painted; y += 2) {
        for (int column = 0; column < shown.width() && painted; column += 2) {
          painted = shown.pixel(column, y) != kUnpainted;
        }
      }
      if (painted && expected(shown)) return true;
      QThread::msleep(100);
    }
    return false;
  };

  const quint32 window = x->CreateWindow(QSize(320, 240), kUnpainted);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"DISPLAY"_s, x->Display());
  environment.insert(u"XSCREENSAVER_WINDOW"_s, u"0x"_s + QString::number(window, 16));
  QProcess hack;
  hack.setProcessEnvironment(environment);
  hack.start(*show_, {u"--root"_s});
  EXPECT_TRUE(comes_to_show(window, QSize(320, 240), [](const QImage& shown) { return shown.pixel(160, 120) == kGreen; }))
      << "the first slide never filled the window";

  // Taller than the show: it fits the width, with bars above and below.
  x->ResizeWindow(window, QSize(320, 400));
  EXPECT_TRUE(comes_to_show(window, QSize(320, 400), [](const QImage& shown) {
    return shown.pixel(160, 20) == qRgb(0, 0, 0) && shown.pixel(160, 200) == kGreen;
  })) << "the grown window was not painted over with the show fitted";

  x->DestroyWindow(window);
  ASSERT_TRUE(hack.waitForFinished(kEndBoundMs)) << "the hack outlived its window";
  EXPECT_EQ(hack.exitCode(), 0) << hack.readAllStandardError().toStdString();

  QProcess missing;
  missing.setProcessEnvironment(environment);
  missing.start(*show_, {u"--window-id"_s, u"0x3fffff0"_s});
  ASSERT_TRUE(missing.waitForFinished(30000));
  EXPECT_EQ(missing.exitCode(), 2);
  EXPECT_TRUE(OwnLines(QString::fromUtf8(missing.readAllStandardError()), *show_).constFirst().contains(u"0x3fffff0"_s));
}

}  // namespace
}  // namespace pivlo
