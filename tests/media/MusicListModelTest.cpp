#include "media/MusicListModel.h"

#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"
#include "core/ProjectBag.h"
#include "core/ProjectFiles.h"
#include "core/basPropertyBag.h"
#include "media/AudioFixtures.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::WavFile;

const QString kRefusedText =
    u"不支持这个音乐文件！或这是一种不支持的特殊动态码率格式，要添加这个文件，请先使用其他音乐编辑软件将其转换为正常恒定码率的MP3或WMA\r"_s;

// Records what a long operation showed, and the flags the model held meanwhile.
class RecordingProgress : public Progress {
 public:
  explicit RecordingProgress(const RunFlags& flags) : flags_(flags) {}
  void SetWaitCursor(bool on) override { calls << (on ? u"wait"_s : u"arrow"_s); }
  void InitProgress() override { calls << u"init"_s; }
  void ShowProgress(float percentage, const QString& text) override {
    calls << QString::number(percentage) + text;
    busy_meanwhile = busy_meanwhile && flags_.ListBusy && flags_.BusyFlag;
  }
  void CloseProgress() override { calls << u"close"_s; }

  QStringList calls;
  bool busy_meanwhile = true;

 private:
  const RunFlags& flags_;
};

class MusicListModelTest : public testing::Test {
 protected:
  // A mono WAV of `seconds` at 8000 Hz.
  QString Song(const QString& name, double seconds = 2.5) {
    return folder_.Write(name, WavFile(1, 8000, 16, qint64(seconds * 8000)));
  }
  QString File(const QString& name) { return folder_.Write(name, "x"); }
  QStringList SongFiles() const {
    QStringList files;
    for (const SongEntry& song : model_.songs) files << song.file;
    return files;
  }
  void Select(const QList<qsizetype>& rows) { music_.Selection().Select(rows, rows.value(0, -1)); }

  test::TempFolder folder_;
  ProjectModel model_{test::TestEnvironment()};
  test::ScriptedPrompter prompter_;
  RecordingProgress progress_{model_.flags};
  MusicListModel music_{model_, prompter_, progress_};
};

TEST_F(MusicListModelTest, AddsMeasuredSongsWithTheirLyricsAndShowsProgressForSeveral) {
  const QString a = Song(u"a.wav"_s, 2.5);
  const QString b = Song(u"b.wav"_s, 1.25);
  const QString lyric = File(u"a.lrc"_s);
  EXPECT_EQ(music_.AddSongs({a, b}), 2);
  EXPECT_EQ(model_.songs, (QList<SongEntry>{{a, 2.5f}, {b, 1.25f}}));
  EXPECT_EQ(model_.lyric_files, QStringList{lyric});
  EXPECT_EQ(music_.LyricCount(), 1);
  EXPECT_EQ(progress_.calls, (QStringList{u"wait"_s, u"init"_s, u"50"_s, u"100"_s, u"close"_s, u"arrow"_s}));
  EXPECT_TRUE(progress_.busy_meanwhile);
  EXPECT_FALSE(model_.flags.ListBusy);
  EXPECT_FALSE(model_.flags.BusyFlag);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(music_.Selection().Count(), 2);

  progress_.calls.clear();
  EXPECT_EQ(music_.AddSongs({Song(u"c.wav"_s)}), 1);
  EXPECT_EQ(progress_.calls, (QStringList{u"wait"_s, u"arrow"_s}));  // one file: no progress window
}

TEST_F(MusicListModelTest, SkipsShortAndListedPathsAndNamesTheLastRefusedFile) {
  const QString song = Song(u"song.wav"_s);
  ASSERT_EQ(music_.AddSongs({song}), 1);
  const QString first_refused = File(u"text.mp3"_s);
  const QString last_refused = folder_.Write(u"short.wav"_s, WavFile(1, 8000, 16, 2400));  // 0.3 s
  QDir(folder_.Path(QString())).mkdir(u"folder.mp3"_s);
  Song(u"ab.wav"_s);
  Song(u"abc.wav"_s);
  const test::WorkingFolder working(folder_.Path(QString()));
  const QStringList paths = {song.toUpper(),  last_refused, u"ab.wav"_s,  // six characters: no song
                             first_refused,   u"abc.wav"_s,  folder_.Path(u"folder.mp3"_s),
                             last_refused,    folder_.Path(u"missing.mp3"_s)};
  EXPECT_EQ(music_.AddSongs(paths), 1);
  EXPECT_EQ(SongFiles(), (QStringList{song, u"abc.wav"_s}));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, kRefusedText + QDir::toNativeSeparators(last_refused));
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(progress_.calls.count(u"init"_s), 1);
  EXPECT_EQ(progress_.calls.count(u"close"_s), 1);
}

TEST_F(MusicListModelTest, AWavWhoseHeaderMeasuresNothingKeepsTheFrameworksDuration) {
  const QString listed = folder_.Write(u"listed.wav"_s, WavFile(1, 8000, 16, 16000, true));
  ASSERT_EQ(music_.AddSongs({listed}), 1);
  EXPECT_EQ(model_.songs[0].duration, 2.0f);
}

TEST_F(MusicListModelTest, FindsTheLyricBesideTheSongElseInAnAbsoluteLyricFolder) {
  QDir(folder_.Path(QString())).mkdir(u"lyrics"_s);
  const QString in_folder = File(u"lyrics/x.lrc"_s);
  const QString song = folder_.Path(u"x.mp3"_s);
  EXPECT_EQ(music_.FindLyricFile(song), QString());  // no folder set
  model_.settings.lyric_folder = folder_.Path(u"lyrics/"_s);
  EXPECT_EQ(music_.FindLyricFile(song), in_folder);
  model_.settings.lyric_folder = folder_.Path(u"lyrics"_s);  // a folder read without its separator
  EXPECT_EQ(music_.FindLyricFile(song), in_folder);
  const QString beside = File(u"x.lrc"_s);
  EXPECT_EQ(music_.FindLyricFile(song), beside);

  const test::WorkingFolder working(folder_.Path(QString()));
  for (const QString& relative : {u"lyrics/"_s, u"./lyrics/"_s, QString()}) {
    model_.settings.lyric_folder = relative;
    EXPECT_EQ(music_.FindLyricFile(folder_.Path(u"y/x.wma"_s)), QString()) << relative.toStdString();
  }
  model_.settings.lyric_folder = folder_.Path(u"lyrics/"_s);
  EXPECT_EQ(music_.FindLyricFile(folder_.Path(u"y/x.wma"_s)), in_folder);
  EXPECT_EQ(music_.FindLyricFile(u"ab"_s), QString());
}

TEST_F(MusicListModelTest, ChoosingALyricFolderFindsLyricsForTitlesWithoutOne) {
  const QString a = Song(u"a.wav"_s);
  const QString b = Song(u"b.wav"_s);
  const QString c = Song(u"c.wav"_s);
  const QString a_beside = File(u"a.lrc"_s);
  ASSERT_EQ(music_.AddSongs({a, b, c}), 3);
  ASSERT_EQ(model_.lyric_files, QStringList{a_beside});
  QDir(folder_.Path(QString())).mkdir(u"lyrics"_s);
  File(u"lyrics/A.lrc"_s);  // its title has a lyric already
  const QString b_lyric = File(u"lyrics/b.lrc"_s);

  EXPECT_EQ(music_.LyricFolderLabel(), u"指定歌词目录："_s);
  prompter_.folder_results << QString();  // cancelled
  music_.ChooseLyricFolder();
  EXPECT_TRUE(model_.settings.lyric_folder.isEmpty());

  model_.last_chosen_folder = u"/start/"_s;
  prompter_.folder_results << folder_.Path(u"lyrics"_s);
  music_.ChooseLyricFolder();
  EXPECT_EQ(prompter_.dialogs.last().title, u"请选择一个目录让程序寻找歌词文件"_s);
  EXPECT_EQ(prompter_.dialogs.last().start_folder, u"/start/"_s);
  EXPECT_EQ(model_.settings.lyric_folder, folder_.Path(u"lyrics/"_s));
  EXPECT_EQ(model_.last_chosen_folder, folder_.Path(u"lyrics/"_s));
  EXPECT_EQ(music_.LyricFolderLabel(), QDir::toNativeSeparators(folder_.Path(u"lyrics/"_s)));
  EXPECT_EQ(model_.lyric_files, (QStringList{a_beside, b_lyric}));

  music_.RescanLyrics();  // nothing new
  EXPECT_EQ(music_.LyricCount(), 2);
}

TEST_F(MusicListModelTest, DeletingRemovesTheLyricOfTheSameTitleAndSelectsTheFirstSong) {
  const QString a = Song(u"a.wav"_s);
  const QString b = Song(u"b.wav"_s);
  const QString c = Song(u"c.wav"_s);
  File(u"b.lrc"_s);
  const QString c_lyric = File(u"c.lrc"_s);
  ASSERT_EQ(music_.AddSongs({a, b, c}), 3);

  music_.DeleteSelectedSongs();  // nothing selected
  EXPECT_EQ(music_.SongCount(), 3);

  Select({1});
  music_.DeleteSelectedSongs();
  EXPECT_EQ(SongFiles(), (QStringList{a, c}));
  EXPECT_EQ(model_.lyric_files, QStringList{c_lyric});
  EXPECT_EQ(music_.Selection().SelectedRows(), QList<qsizetype>{0});
  EXPECT_EQ(music_.Selection().Current(), 0);

  Select({0, 1});  // every song: emptied without a question
  music_.DeleteSelectedSongs();
  EXPECT_EQ(music_.SongCount(), 0);
  EXPECT_EQ(music_.LyricCount(), 0);
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(MusicListModelTest, ClearingAsksFirst) {
  ASSERT_EQ(music_.AddSongs({Song(u"a.wav"_s)}), 1);
  model_.lyric_files << u"/l/a.lrc"_s;
  prompter_.answers << MessageAnswer::Cancel << MessageAnswer::Ok;
  music_.ClearSongs();
  EXPECT_EQ(music_.SongCount(), 1);
  music_.ClearSongs();
  EXPECT_EQ(music_.SongCount(), 0);
  EXPECT_EQ(music_.LyricCount(), 0);
  ASSERT_EQ(prompter_.messages.size(), 2);
  EXPECT_EQ(prompter_.messages[0].text, u"你确定要从列表中清空所有音乐文件吗？"_s);
  EXPECT_EQ(prompter_.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  music_.ClearSongs();  // an empty list asks nothing
  EXPECT_EQ(prompter_.messages.size(), 2);
}

TEST_F(MusicListModelTest, MovesTakeTheDurationsWithTheirSongs) {
  const QString a = Song(u"a.wav"_s, 1);
  const QString b = Song(u"b.wav"_s, 2);
  const QString c = Song(u"c.wav"_s, 3);
  const QString lyric = File(u"c.lrc"_s);
  ASSERT_EQ(music_.AddSongs({a, b, c}), 3);
  Select({2});
  music_.MoveSelectedUp();
  EXPECT_EQ(model_.songs, (QList<SongEntry>{{a, 1}, {c, 3}, {b, 2}}));
  EXPECT_EQ(music_.Selection().SelectedRows(), QList<qsizetype>{1});
  Select({0, 1});
  music_.MoveSelectedDown();
  EXPECT_EQ(model_.songs, (QList<SongEntry>{{b, 2}, {a, 1}, {c, 3}}));
  EXPECT_EQ(model_.lyric_files, QStringList{lyric});  // the lyric list keeps its order
}

TEST_F(MusicListModelTest, NothingChangesWhileAListOperationRuns) {
  ASSERT_EQ(music_.AddSongs({Song(u"a.wav"_s), Song(u"b.wav"_s)}), 2);
  Select({1});
  model_.flags.ListBusy = true;
  EXPECT_EQ(music_.AddSongs({Song(u"c.wav"_s)}), 0);
  music_.MoveSelectedUp();
  music_.DeleteSelectedSongs();
  music_.ClearSongs();
  music_.AddSongFiles();
  music_.ChooseLyricFolder();
  EXPECT_EQ(music_.SongCount(), 2);
  EXPECT_EQ(model_.songs[1].file, folder_.Path(u"b.wav"_s));
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_TRUE(prompter_.dialogs.isEmpty());
}

TEST_F(MusicListModelTest, TheAddDialogStartsInTheFolderOfTheLastSongChosen) {
  const QString a = Song(u"a.wav"_s);
  prompter_.open_results << QStringList{a} << QStringList();
  music_.AddSongFiles();
  music_.AddSongFiles();
  ASSERT_EQ(prompter_.dialogs.size(), 2);
  const FileDialogOptions& first = prompter_.dialogs[0];
  EXPECT_EQ(first.title, u"添加音乐文件"_s);
  EXPECT_TRUE(first.multiple);
  EXPECT_TRUE(first.start_folder.isEmpty());
  ASSERT_EQ(first.filters.size(), 5);
  EXPECT_EQ(first.filters[0].description, u"所有可支持格式"_s);
  EXPECT_EQ(first.filters[0].patterns, u"*.Mid *.Wav *.Mp3 *.Wma"_s);
  EXPECT_EQ(first.filters[2].description, u"Windows Media 音频文件(*.Wma)"_s);
  EXPECT_EQ(first.filters[4].patterns, u"*.Mid"_s);
  EXPECT_EQ(prompter_.dialogs[1].start_folder, QFileInfo(a).absolutePath());
  EXPECT_EQ(SongFiles(), QStringList{a});
}

TEST_F(MusicListModelTest, DropsTakeOnlySongNames) {
  const QString song = Song(u"a.WAV"_s);
  const QString text = Song(u"b.txt"_s);  // a song by content, but not by name
  const QString four = Song(u"c.mp3x"_s);
  music_.AddDroppedSongs({text, four});
  EXPECT_EQ(music_.SongCount(), 0);
  EXPECT_TRUE(progress_.calls.isEmpty());  // nothing left: nothing happens
  music_.AddDroppedSongs({text, song});
  EXPECT_EQ(SongFiles(), QStringList{song});
}

TEST_F(MusicListModelTest, TheLyricListHintDependsOnSongs) {
  EXPECT_EQ(music_.LyricListHint(), u"你尚未添加任何歌曲文件"_s);
  ASSERT_EQ(music_.AddSongs({Song(u"a.wav"_s)}), 1);
  EXPECT_EQ(music_.LyricListHint(), u"点击右上方小按钮可指定一个歌词目录，让程序自动寻找歌词文件"_s);
}

// The editor's project reader measures songs stored without a duration through the hook
// the music list installs; a WAV whose header measures nothing stays at 0.
TEST_F(MusicListModelTest, OpeningAProjectMeasuresSongsStoredWithoutADuration) {
  const QString measured = Song(u"zero.wav"_s, 1.5);
  const QString listed = folder_.Write(u"listed.wav"_s, WavFile(1, 8000, 16, 8000, true));
  const QString kept = Song(u"kept.wav"_s, 1.5);
  ProjectModel source(test::TestEnvironment());
  source.AddPicture(File(u"p1.jpg"_s));
  source.AddPicture(File(u"p2.jpg"_s));
  source.AddSong(measured, 0);
  source.AddSong(listed, 0);
  source.AddSong(kept, 9.5f);
  const QString project = folder_.Path(u"p.aps"_s);
  ASSERT_TRUE(WriteProjectToFile(source, project));

  prompter_.open_results << QStringList{project};
  ProjectView view;
  OpenProject(model_, prompter_, view);
  EXPECT_EQ(model_.songs, (QList<SongEntry>{{measured, 1.5f}, {listed, 0}, {kept, 9.5f}}));
  EXPECT_EQ(music_.Selection().SelectedRows(), QList<qsizetype>{0});
}

}  // namespace
}  // namespace pivlo
