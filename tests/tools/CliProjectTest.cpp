#include "CliRunner.h"
#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "TestFiles.h"
#include "media/AudioFixtures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::RunCli;

class CliProjectTest : public testing::Test {
 protected:
  QString Picture(const QString& name) {
    return folder_.Write(name, test::Encoded(test::Gradient(4, 3, QImage::Format_RGB32), "jpeg"));
  }
  QString File(const QString& name) { return folder_.Write(name, "x"); }

  test::CliResult Create(const QStringList& options) {
    return RunCli(QStringList{u"project"_s, u"create"_s, Out()} + options);
  }
  test::CliResult Show(const QString& path) { return RunCli({u"project"_s, u"show"_s, path}); }
  QString Out() const { return folder_.Path(u"out.aps"_s); }

  static QStringList Lines(const QByteArray& out) {
    QStringList lines = QString::fromUtf8(out).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  test::TempFolder folder_;
};

// Short names typed in a folder are that folder's files: the project stores them whole,
// and probe finds them although the libraries read a path under 8 characters as none.
TEST_F(CliProjectTest, PathsTypedRelativeAreTakenFromTheWorkingFolder) {
  Picture(u"a.jpg"_s);
  Picture(u"b.jpg"_s);
  const QString here = folder_.Path(QString());
  const test::CliResult probe = test::RunCliIn(here, {u"probe"_s, u"a.jpg"_s});
  EXPECT_EQ(probe.exit_code, 0);
  EXPECT_TRUE(probe.out.startsWith("JPG\t4\t3\t")) << probe.out.toStdString();
  EXPECT_TRUE(probe.out.endsWith("\ta.jpg\n")) << "printed as typed";

  const test::CliResult created =
      test::RunCliIn(here, {u"project"_s, u"create"_s, u"p.aps"_s, u"--picture"_s, u"a.jpg"_s, u"--picture"_s, u"b.jpg"_s});
  ASSERT_EQ(created.exit_code, 0) << created.err.toStdString();
  const QStringList lines = Lines(test::RunCliIn(here, {u"project"_s, u"show"_s, u"p.aps"_s}).out);
  EXPECT_TRUE(lines.contains(u"ImgNames(1)="_s + folder_.Path(u"a.jpg"_s)));
  EXPECT_TRUE(lines.contains(u"ImgNames(2)="_s + folder_.Path(u"b.jpg"_s)));
}

TEST_F(CliProjectTest, CreatesAProjectThatShowPrintsInTheWritersOrder) {
  const QString one = Picture(u"一.jpg"_s);
  const QString two = Picture(u"two.jpg"_s);
  const QString song = File(u"song.mp3"_s);
  const QString lyric = File(u"song.lrc"_s);
  const auto created = Create({u"--picture"_s, one, u"--picture"_s, two, u"--song"_s, song, u"--duration"_s,
                               u"183.5"_s, u"--lyric"_s, lyric, u"--set"_s, u"ImgCaption(1)=第一\\r\\n行"_s,
                               u"--set"_s, u"MuteSound=true"_s, u"--set"_s, u"TimeInterval=3"_s, u"--set"_s,
                               u"OpeningDurationTime=6.5"_s, u"--set"_s, u"TxtSetting(0)=a/b"_s});
  ASSERT_EQ(created.exit_code, 0) << created.err.toStdString();
  EXPECT_TRUE(created.out.isEmpty());

  const auto shown = Show(Out());
  ASSERT_EQ(shown.exit_code, 0) << shown.err.toStdString();
  EXPECT_TRUE(shown.err.isEmpty());
  const QStringList lines = Lines(shown.out);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.first(), u"TitleText(1)=屏幕保护\\r\\n"_s);
  EXPECT_TRUE(lines.contains(u"MuteSound=true"_s));
  EXPECT_TRUE(lines.contains(u"TimeInterval=3.5"_s));        // the time box's minimum
  EXPECT_TRUE(lines.contains(u"OpeningDurationTime=6"_s));   // a whole number, halves to even
  EXPECT_TRUE(lines.contains(u"TxtSetting(0)=未命名屏幕保护"_s));
  const QStringList tail = lines.mid(lines.indexOf(u"NowI=2"_s));
  EXPECT_EQ(tail, (QStringList{u"NowI=2"_s, u"NowM=1"_s, u"LyricFilesCount=1"_s, u"MusicNames(1)="_s + song,
                               u"SongDuration(1)=183.5"_s, u"LyricFiles(1)="_s + lyric, u"ImgNames(1)="_s + one,
                               u"ImgCaption(1)=第一\\r\\n行"_s, u"CapPosX(1)=96"_s, u"CapPosY(1)=54"_s,
                               u"CapPosW(1)=1728"_s, u"CapPosH(1)=972"_s, u"ImgNames(2)="_s + two}));
}

TEST_F(CliProjectTest, FewerThanTwoPicturesAreRefused) {
  const auto result = Create({u"--picture"_s, Picture(u"a.jpg"_s)});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(result.err).contains(u"请首先添加至少两张图片到屏幕保护中"_s));
  EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(CliProjectTest, PicturesAreAddedAsThePictureListAddsThem) {
  const QString a = Picture(u"a.jpg"_s);
  const auto result = Create({u"--picture"_s, a, u"--picture"_s, a.left(a.size() - 5) + u"A.JPG"_s,
                              u"--picture"_s, Picture(u"b.jpeg"_s), u"--picture"_s, folder_.Write(u"c.jpg"_s, "text"),
                              u"--picture"_s, Picture(u"d.png"_s)});
  ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
  const QStringList lines = Lines(Show(Out()).out);
  EXPECT_TRUE(lines.contains(u"NowI=2"_s));
  EXPECT_TRUE(lines.contains(u"ImgNames(2)="_s + folder_.Path(u"d.png"_s)));
}

TEST_F(CliProjectTest, SettingsTheModelRefusesStopWithAMessage) {
  const QStringList two = {u"--picture"_s, Picture(u"a.jpg"_s), u"--picture"_s, Picture(u"b.jpg"_s)};
  const struct {
    const char16_t* set;
    const char16_t* message;
  } cases[] = {
      {u"NoSuchKey=1", u"NoSuchKey"},       {u"AppVersion=9", u"AppVersion"},
      {u"ImgDrawScale=9", u"invalid value"}, {u"EnableSync=maybe", u"invalid value"},
      {u"TimeInterval=soon", u"invalid value"}, {u"ImgCaption(3)=x", u"no such picture"},
      {u"NowI=5", u"NowI"},
  };
  for (const auto& c : cases) {
    const auto result = Create(two + QStringList{u"--set"_s, QString::fromUtf16(c.set)});
    EXPECT_EQ(result.exit_code, 1) << QString::fromUtf16(c.set).toStdString();
    EXPECT_TRUE(QString::fromUtf8(result.err).contains(QString::fromUtf16(c.message))) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(Out()));
  }
  const auto duration = Create(two + QStringList{u"--song"_s, u"/m/a.mp3"_s, u"--duration"_s, u"-1"_s});
  EXPECT_EQ(duration.exit_code, 1);
}

TEST_F(CliProjectTest, MalformedArgumentsPrintUsage) {
  const QList<QStringList> malformed = {
      {},
      {u"--picture"_s, u"a.jpg"_s},
      {Out(), u"--picture"_s},
      {Out(), u"--song"_s, u"a.mp3"_s, u"--duration"_s},
      {Out(), u"--duration"_s, u"3"_s},
      {Out(), u"--set"_s, u"NoEquals"_s},
      {Out(), u"--set"_s, u"=value"_s},
      {Out(), u"--colour"_s, u"red"_s},
  };
  for (const QStringList& args : malformed) {
    const auto result = RunCli(QStringList{u"project"_s, u"create"_s} + args);
    EXPECT_EQ(result.exit_code, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(result.err.startsWith("usage: pivlo-cli")) << args.join(u' ').toStdString();
  }
  EXPECT_EQ(RunCli({u"project"_s, u"show"_s}).exit_code, 2);
}

TEST_F(CliProjectTest, ShowReportsThePurgeOnStderr) {
  const QString kept = Picture(u"kept.jpg"_s);
  const QString gone = Picture(u"gone.jpg"_s);
  ASSERT_EQ(Create({u"--picture"_s, kept, u"--picture"_s, gone, u"--picture"_s, Picture(u"c.jpg"_s)}).exit_code, 0);
  QFile::remove(gone);
  const auto shown = Show(Out());
  EXPECT_EQ(shown.exit_code, 0);
  const QString err = QString::fromUtf8(shown.err);
  EXPECT_TRUE(err.contains(u"找不到屏幕保护配置中的某些文件，程序将自动将这些文件从列表中清除。\n"_s)) << err.toStdString();
  const QStringList lines = Lines(shown.out);
  EXPECT_TRUE(lines.contains(u"NowI=2"_s));
  EXPECT_TRUE(lines.contains(u"ImgNames(1)="_s + kept));
  EXPECT_FALSE(QString::fromUtf8(shown.out).contains(gone));
}

TEST_F(CliProjectTest, ShowMeasuresSongsStoredWithoutADuration) {
  const QString song = folder_.Write(u"song.wav"_s, test::WavFile(1, 8000, 16, 20000));
  ASSERT_EQ(Create({u"--picture"_s, Picture(u"a.jpg"_s), u"--picture"_s, Picture(u"b.jpg"_s), u"--song"_s, song,
                    u"--duration"_s, u"0"_s})
                .exit_code,
            0);
  const QStringList lines = Lines(Show(Out()).out);
  EXPECT_TRUE(lines.contains(u"SongDuration(1)=2.5"_s)) << lines.join(u'\n').toStdString();
}

TEST_F(CliProjectTest, SongsWithoutADurationAreMeasuredAndFindTheirLyricsAsTheMusicListDoes) {
  const QStringList two = {u"--picture"_s, Picture(u"a.jpg"_s), u"--picture"_s, Picture(u"b.jpg"_s)};
  const QString beside = folder_.Write(u"one.wav"_s, test::WavFile(1, 8000, 16, 20000));
  const QString beside_lyric = File(u"one.lrc"_s);
  QDir(folder_.Path(QString())).mkpath(u"songs/lyrics"_s);
  const QString in_folder = folder_.Write(u"songs/two.wav"_s, test::WavFile(1, 8000, 16, 10000));
  const QString folder_lyric = File(u"songs/lyrics/two.lrc"_s);
  const QString given = File(u"given.lrc"_s);
  const auto created = Create(two + QStringList{u"--set"_s, u"LyricFolder="_s + folder_.Path(u"songs/lyrics/"_s),
                                                u"--song"_s, beside, u"--song"_s, in_folder, u"--song"_s,
                                                beside.toUpper(), u"--lyric"_s, given});
  ASSERT_EQ(created.exit_code, 0) << created.err.toStdString();
  const QStringList lines = Lines(Show(Out()).out);
  const QStringList tail = lines.mid(lines.indexOf(u"NowM=2"_s));
  EXPECT_EQ(tail.mid(0, 9), (QStringList{u"NowM=2"_s, u"LyricFilesCount=3"_s, u"MusicNames(1)="_s + beside,
                                         u"SongDuration(1)=2.5"_s, u"MusicNames(2)="_s + in_folder,
                                         u"SongDuration(2)=1.25"_s, u"LyricFiles(1)="_s + beside_lyric,
                                         u"LyricFiles(2)="_s + folder_lyric, u"LyricFiles(3)="_s + given}))
      << lines.join(u'\n').toStdString();

  // A relative path is taken as the full path a dialog would give.
  const test::WorkingFolder working(folder_.Path(QString()));
  const auto relative = Create(two + QStringList{u"--song"_s, u"one.wav"_s});
  ASSERT_EQ(relative.exit_code, 0) << relative.err.toStdString();
  EXPECT_TRUE(Lines(Show(Out()).out).contains(u"MusicNames(1)="_s + beside));
}

TEST_F(CliProjectTest, ASongTheMusicListRefusesStopsTheCommand) {
  const QStringList two = {u"--picture"_s, Picture(u"a.jpg"_s), u"--picture"_s, Picture(u"b.jpg"_s)};
  const QString text = File(u"text.mp3"_s);
  const auto refused = Create(two + QStringList{u"--song"_s, text});
  EXPECT_EQ(refused.exit_code, 1);
  const QString err = QString::fromUtf8(refused.err);
  EXPECT_TRUE(err.contains(u"不支持这个音乐文件！"_s)) << err.toStdString();
  EXPECT_TRUE(err.contains(text + u": the music list refuses this file"_s)) << err.toStdString();
  EXPECT_FALSE(QFile::exists(Out()));

  const auto missing = Create(two + QStringList{u"--song"_s, folder_.Path(u"missing.mp3"_s)});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_TRUE(QString::fromUtf8(missing.err).contains(u"missing.mp3: no such file"_s));
  EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(CliProjectTest, ShowReadsTheOlderFormAndRefusesWhatIsNoProject) {
  test::LegacyFile legacy = test::PlainLegacyFile({Picture(u"甲.jpg"_s), Picture(u"乙.jpg"_s)});
  legacy.Text(5, u"12"_s).Text(36, u"名"_s);
  const auto shown = Show(folder_.Write(u"old.aps"_s, legacy.Bytes()));
  ASSERT_EQ(shown.exit_code, 0) << shown.err.toStdString();
  const QStringList lines = Lines(shown.out);
  EXPECT_TRUE(lines.contains(u"TimeInterval=12"_s));
  EXPECT_TRUE(lines.contains(u"TxtSetting(5)=名"_s));
  EXPECT_TRUE(lines.contains(u"ImgNames(2)="_s + folder_.Path(u"乙.jpg"_s)));
  EXPECT_TRUE(lines.contains(u"NowI=2"_s));

  for (const QString& path : {folder_.Write(u"junk.aps"_s, QByteArray(500, 'j')), folder_.Path(u"none.aps"_s)}) {
    const auto refused = Show(path);
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(refused.err.count('\n'), 1);
  }
}

}  // namespace
}  // namespace pivlo
