#include "core/AppFolders.h"
#include "core/ProjectBag.h"
#include "core/ProjectFiles.h"
#include "core/SettingsFile.h"
#include "core/basPropertyBag.h"

#include "FaultInjection.h"
#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

class ProjectFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    Reset();
    view_.model = &model_;
  }
  void TearDown() override { Reset(); }
  static void Reset() {
    SharedBag().Clear();
    QFile::remove(AutoSavePath());
    QFile::remove(SettingsFilePath());
  }

  // The icon chosen for the next build.
  static void WriteCustomIcon() {
    QDir().mkpath(TempFolder());
    QFile icon(CustomIconPath());
    ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
  }
  // Pictures whose files exist, so that opening keeps them.
  void AddPictures(ProjectModel& model, int count) {
    for (int i = 1; i <= count; ++i) model.AddPicture(folder_.Write(u"p"_s + QString::number(i) + u".jpg"_s, "x"));
  }
  // A saved project file of two pictures with the given screensaver name.
  QString SavedProject(const QString& name, const QString& screensaver) {
    ProjectModel other(test::TestEnvironment());
    AddPictures(other, 2);
    other.settings.info[kInfoName] = screensaver;
    const QString path = folder_.Path(name);
    EXPECT_TRUE(WriteProjectToFile(other, path));
    return path;
  }
  // The screensaver name stored in a project file.
  static QString StoredName(const QString& path) {
    if (!LoadBagFromFile(path)) return QString();
    const QString name = GetValue(u"TxtSetting(0)"_s).ToText();
    SharedBag().Clear();
    return name;
  }

  test::TempFolder folder_;
  test::ScriptedPrompter prompter_;
  test::RecordingView view_;
  ProjectModel model_{test::TestEnvironment()};
};

TEST_F(ProjectFilesTest, SaveAsNeedsTwoPictures) {
  AddPictures(model_, 1);
  EXPECT_FALSE(SaveProject(model_, prompter_, view_));
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"请首先添加至少两张图片到屏幕保护中"_s});
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(view_.calls, QStringList{u"PointAtAddPictures"_s});
  EXPECT_TRUE(prompter_.dialogs.isEmpty());
}

TEST_F(ProjectFilesTest, SaveAsAsksForAFileAndNamesTheProjectAfterIt) {
  AddPictures(model_, 2);
  model_.settings.info[kInfoName] = u"假期"_s;
  const QString path = folder_.Path(u"假期.aps"_s);
  prompter_.save_results << path + QChar(0) + u"junk"_s;
  EXPECT_TRUE(SaveProject(model_, prompter_, view_));
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  const FileDialogOptions& dialog = prompter_.dialogs[0];
  EXPECT_EQ(dialog.title, u"保存屏幕保护设置为……"_s);
  ASSERT_EQ(dialog.filters.size(), 1);
  EXPECT_EQ(dialog.filters[0].description, u"屏幕保护配置文件(*.aps)"_s);
  EXPECT_EQ(dialog.filters[0].patterns, u"*.aps"_s);
  EXPECT_EQ(dialog.start_folder, ProjectFolder());
  EXPECT_EQ(dialog.file_name, u"假期"_s);
  EXPECT_TRUE(QDir(ProjectFolder()).exists());
  EXPECT_EQ(model_.file_name, path);
  EXPECT_EQ(StoredName(path), u"假期"_s);

  prompter_.save_results << QString();  // cancelled: nothing changes
  model_.file_name.clear();
  EXPECT_FALSE(SaveProject(model_, prompter_, view_));
  EXPECT_TRUE(model_.file_name.isEmpty());
}

TEST_F(ProjectFilesTest, TheAutomaticCopyIsRefusedInAnyLetterCase) {
  AddPictures(model_, 2);
  const QString other_case = WritableFolder() + u"PROJECT/autosave.APS"_s;
  const QString roundabout = ProjectFolder() + u"../Project/AutoSave.aps"_s;
  for (const QString& target : {other_case, roundabout}) {
    prompter_.save_results << target;
    EXPECT_FALSE(SaveProject(model_, prompter_, view_)) << target.toStdString();
  }
  EXPECT_EQ(prompter_.MessageTexts(), QStringList(2, u"请选择另一个文件名来保存设置。"_s));
  EXPECT_FALSE(QFile::exists(AutoSavePath()));
  EXPECT_TRUE(model_.file_name.isEmpty());
}

TEST_F(ProjectFilesTest, AnExistingFileIsReplacedOnlyAfterConfirmation) {
  AddPictures(model_, 2);
  model_.settings.info[kInfoName] = u"新"_s;
  const QString path = SavedProject(u"show.aps"_s, u"旧"_s);

  prompter_.save_results << path;
  prompter_.answers << MessageAnswer::No;
  EXPECT_FALSE(SaveProject(model_, prompter_, view_));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, u"文件 'show.aps' 已经存在，要替换为新的文件吗？"_s);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(prompter_.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(StoredName(path), u"旧"_s);

  prompter_.save_results << path;
  prompter_.answers << MessageAnswer::Yes;
  EXPECT_TRUE(SaveProject(model_, prompter_, view_));
  EXPECT_EQ(StoredName(path), u"新"_s);

  // Something that cannot be replaced (a folder of that name) is reported.
  QDir().mkpath(folder_.Path(u"folder.aps"_s));
  prompter_.save_results << folder_.Path(u"folder.aps"_s);
  prompter_.answers << MessageAnswer::Yes;
  EXPECT_FALSE(SaveProject(model_, prompter_, view_));
  EXPECT_EQ(prompter_.MessageTexts().last(), u"无法替换 'folder.aps'，文件可能正在使用中"_s);
  EXPECT_EQ(model_.file_name, path);
}

TEST_F(ProjectFilesTest, AFailedWriteIsReportedAndNamesNothing) {
  AddPictures(model_, 2);
  prompter_.save_results << folder_.Path(u"no/such/folder/show.aps"_s);
  EXPECT_FALSE(SaveProject(model_, prompter_, view_));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(prompter_.messages[0].text.contains(u"show.aps"_s));
  EXPECT_TRUE(model_.file_name.isEmpty());
}

TEST_F(ProjectFilesTest, SaveWritesToTheProjectsOwnFileWithoutAsking) {
  AddPictures(model_, 2);
  model_.file_name = folder_.Path(u"mine.aps"_s);
  model_.settings.info[kInfoName] = u"我的"_s;
  EXPECT_TRUE(SaveProjectToItsFile(model_, prompter_, view_));
  EXPECT_TRUE(prompter_.dialogs.isEmpty());
  EXPECT_EQ(StoredName(model_.file_name), u"我的"_s);

  model_.file_name.clear();
  prompter_.save_results << QString();
  EXPECT_FALSE(SaveProjectToItsFile(model_, prompter_, view_));
  EXPECT_EQ(prompter_.dialogs.size(), 1);
}

// A save that cannot be written keeps the old file and the project's changes, and says so.
TEST_F(ProjectFilesTest, WritesThatFailLoseNothingAndAreReported) {
  AddPictures(model_, 2);
  model_.file_name = SavedProject(u"mine.aps"_s, u"旧的"_s);
  const QByteArray old_file = test::ReadWholeFile(model_.file_name);
  model_.settings.info[kInfoName] = u"新的"_s;
  const QString failure = u"无法保存文件 'mine.aps'，请检查文件夹是否可写以及磁盘空间是否足够。"_s;
  test::RunWithFailingCall(test::FileCall::Write, [&] {
    EXPECT_FALSE(SaveProjectToItsFile(model_, prompter_, view_));
    EXPECT_FALSE(QueryCloseProject(model_, prompter_, view_));  // closing would lose the changes
  });
  EXPECT_EQ(prompter_.MessageTexts(), QStringList({failure, failure}));
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(test::ReadWholeFile(model_.file_name), old_file);
  EXPECT_FALSE(QFile::exists(SettingsFilePath()));

  // The automatic copy: told once, kept whole, told again only after it worked once.
  prompter_.messages.clear();
  model_.flags.TickCount = 60;
  AutoSaveIfDue(model_, prompter_);
  const QByteArray old_copy = test::ReadWholeFile(AutoSavePath());
  const QString copy_failure = u"无法保存文件 '"_s + QFileInfo(AutoSavePath()).fileName() +
                               u"'，请检查文件夹是否可写以及磁盘空间是否足够。"_s;
  test::RunWithFailingCall(test::FileCall::Write, [&] {
    for (int attempt = 0; attempt < 2; ++attempt) {
      model_.flags.TickCount = 60;
      AutoSaveIfDue(model_, prompter_);
    }
  });
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{copy_failure});
  EXPECT_EQ(test::ReadWholeFile(AutoSavePath()), old_copy);
  model_.flags.TickCount = 60;
  AutoSaveIfDue(model_, prompter_);
  EXPECT_FALSE(model_.flags.AutoSaveFailed);
}

TEST_F(ProjectFilesTest, AFullDiskLeavesTheProjectFileWhole) {
  test::SmallDisk disk;
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  AddPictures(model_, 2);
  model_.file_name = disk.Path(u"mine.aps"_s);
  ASSERT_TRUE(SaveProjectToItsFile(model_, prompter_, view_));
  const QByteArray old_file = test::ReadWholeFile(model_.file_name);
  disk.Fill();
  model_.settings.info[kInfoName] = u"新的"_s;
  EXPECT_FALSE(SaveProjectToItsFile(model_, prompter_, view_));
  EXPECT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(test::ReadWholeFile(model_.file_name), old_file);
  QString error;
  EXPECT_FALSE(WriteProjectToFile(model_, model_.file_name, &error));
  EXPECT_EQ(error, model_.file_name + u": cannot write: No space left on device"_s);
}

TEST_F(ProjectFilesTest, OpenAsksAboutAnUnnamedProjectFirst) {
  AddPictures(model_, 2);
  prompter_.answers << MessageAnswer::Cancel;
  OpenProject(model_, prompter_, view_);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, SavePromptText());
  EXPECT_EQ(prompter_.messages[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(prompter_.messages[0].title.isEmpty());
  EXPECT_TRUE(prompter_.dialogs.isEmpty());

  prompter_.answers << MessageAnswer::Yes;  // Save As runs and the open ends there
  prompter_.save_results << QString();
  OpenProject(model_, prompter_, view_);
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_EQ(prompter_.dialogs[0].title, u"保存屏幕保护设置为……"_s);

  prompter_.answers << MessageAnswer::No;
  prompter_.open_results << QStringList();
  OpenProject(model_, prompter_, view_);
  ASSERT_EQ(prompter_.dialogs.size(), 2);
  EXPECT_EQ(prompter_.dialogs[1].title, u"打开屏幕保护配置文件"_s);
  EXPECT_EQ(prompter_.dialogs[1].start_folder, ProjectFolder());
  EXPECT_EQ(model_.pictures.size(), 2);  // cancelled: unchanged
}

TEST_F(ProjectFilesTest, OpenWritesTheNamedProjectBackThenReadsTheChosenOne) {
  AddPictures(model_, 3);
  model_.file_name = folder_.Path(u"current.aps"_s);
  model_.settings.info[kInfoName] = u"改过"_s;
  const QString other = SavedProject(u"other.aps"_s, u"另一个"_s);
  model_.settings.mute_sound = true;
  prompter_.open_results << QStringList{other};
  OpenProject(model_, prompter_, view_);

  EXPECT_EQ(StoredName(folder_.Path(u"current.aps"_s)), u"改过"_s);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(model_.file_name, other);
  EXPECT_EQ(model_.pictures.size(), 2);
  EXPECT_EQ(model_.settings.info[kInfoName], u"另一个"_s);
  EXPECT_FALSE(model_.settings.mute_sound);
  EXPECT_EQ(view_.calls, (QStringList{u"ListsCleared"_s, u"ApplySettingsToControls"_s, u"PicturesReloaded"_s}));
  EXPECT_FALSE(view_.flags_at_apply.RedrawAllowed);
  EXPECT_FALSE(model_.flags.LoadingFlag);
  EXPECT_TRUE(model_.flags.RedrawAllowed);
}

TEST_F(ProjectFilesTest, OpenDropsWhatIsGoneAndTellsTheUser) {
  const QString other = SavedProject(u"other.aps"_s, u"另一个"_s);
  QFile::remove(folder_.Path(u"p2.jpg"_s));
  prompter_.open_results << QStringList{other};
  OpenProject(model_, prompter_, view_);
  EXPECT_EQ(model_.pictures.size(), 1);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages[0].text.startsWith(u"找不到屏幕保护配置中的某些文件"_s));
}

TEST_F(ProjectFilesTest, AnOpenedProjectKeepsNoPicturesOrIconOfTheOldOne) {
  model_.settings.opening_image = u"/pictures/opening.jpg"_s;
  model_.settings.ending_image = u"/pictures/ending.jpg"_s;
  WriteCustomIcon();
  // The older form stores neither title picture.
  const test::LegacyFile legacy =
      test::PlainLegacyFile({folder_.Write(u"a.jpg"_s, "x"), folder_.Write(u"b.jpg"_s, "x")});
  prompter_.open_results << QStringList{folder_.Write(u"old.aps"_s, legacy.Bytes())};
  OpenProject(model_, prompter_, view_);
  EXPECT_EQ(model_.pictures.size(), 2);
  EXPECT_TRUE(model_.settings.opening_image.isEmpty());
  EXPECT_TRUE(model_.settings.ending_image.isEmpty());
  EXPECT_FALSE(QFile::exists(CustomIconPath()));
}

TEST_F(ProjectFilesTest, AnOlderFormFileLeavesTheProjectUnnamed) {
  const test::LegacyFile legacy =
      test::PlainLegacyFile({folder_.Write(u"a.jpg"_s, "x"), folder_.Write(u"b.jpg"_s, "x")});
  prompter_.open_results << QStringList{folder_.Write(u"old.aps"_s, legacy.Bytes())};
  OpenProject(model_, prompter_, view_);
  EXPECT_EQ(model_.pictures.size(), 2);
  EXPECT_TRUE(model_.file_name.isEmpty());
  EXPECT_TRUE(prompter_.messages.isEmpty());

  prompter_.save_results << QString();  // the next Save asks for a file
  SaveProjectToItsFile(model_, prompter_, view_);
  EXPECT_EQ(prompter_.dialogs.last().title, u"保存屏幕保护设置为……"_s);
}

TEST_F(ProjectFilesTest, AFileThatCannotBeReadIsReportedAndChangesNothing) {
  AddPictures(model_, 1);
  model_.settings.mute_sound = true;
  const ProjectModel before = model_;
  prompter_.open_results << QStringList{folder_.Write(u"junk.aps"_s, QByteArray(300, 'j'))};
  OpenProject(model_, prompter_, view_);
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"无法读取文件 'junk.aps'，它不是屏幕保护配置文件，或者已经损坏。"_s});
  EXPECT_EQ(model_.pictures, before.pictures);
  EXPECT_TRUE(model_.settings.mute_sound);
  EXPECT_TRUE(view_.calls.isEmpty());
  EXPECT_FALSE(model_.flags.LoadingFlag);
  EXPECT_TRUE(model_.flags.RedrawAllowed);
}

TEST_F(ProjectFilesTest, NewProjectKeepsTheSettingsAndEmptiesTheLists) {
  AddPictures(model_, 2);
  model_.AddSong(u"/music/a.mp3"_s, 10);
  model_.file_name = folder_.Path(u"named.aps"_s);
  model_.settings.mute_sound = true;
  model_.settings.info[kInfoName] = u"先存"_s;
  model_.settings.background_kind = u"3"_s;
  model_.settings.background_picture = u"/pictures/back.jpg"_s;
  model_.settings.logo_image = u"/pictures/logo.png"_s;
  WriteCustomIcon();
  NewProject(model_, prompter_, view_);
  EXPECT_EQ(StoredName(folder_.Path(u"named.aps"_s)), u"先存"_s);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_TRUE(model_.pictures.isEmpty());
  EXPECT_TRUE(model_.songs.isEmpty());
  EXPECT_TRUE(model_.file_name.isEmpty());
  EXPECT_TRUE(model_.settings.mute_sound);
  EXPECT_EQ(model_.settings.background_kind, u"3"_s);
  EXPECT_EQ(model_.settings.background_picture, u"/pictures/back.jpg"_s);
  EXPECT_EQ(model_.settings.logo_image, u"/pictures/logo.png"_s);
  EXPECT_FALSE(QFile::exists(CustomIconPath()));
  EXPECT_EQ(view_.calls, QStringList{u"ListsCleared"_s});

  AddPictures(model_, 2);  // unnamed now: asked with the title "Info"
  prompter_.answers << MessageAnswer::Cancel;
  NewProject(model_, prompter_, view_);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].title, u"Info"_s);
  EXPECT_EQ(model_.pictures.size(), 2);

  model_.flags.BusyFlag = true;
  NewProject(model_, prompter_, view_);
  EXPECT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(model_.pictures.size(), 2);
}

TEST_F(ProjectFilesTest, AutomaticSaveAfterSixtyTicksWithTwoPictures) {
  AddPictures(model_, 1);
  model_.file_name = folder_.Path(u"named.aps"_s);
  model_.flags.TickCount = 60;
  AutoSaveIfDue(model_, prompter_);
  EXPECT_FALSE(QFile::exists(AutoSavePath()));
  EXPECT_EQ(model_.flags.TickCount, 60);  // keeps counting until a second picture arrives

  AddPictures(model_, 2);
  model_.flags.TickCount = 59;
  AutoSaveIfDue(model_, prompter_);
  EXPECT_FALSE(QFile::exists(AutoSavePath()));
  model_.flags.TickCount = 60;
  AutoSaveIfDue(model_, prompter_);
  EXPECT_TRUE(QFile::exists(AutoSavePath()));
  EXPECT_EQ(model_.flags.TickCount, 0);
  EXPECT_FALSE(model_.flags.AutoSaving);
  EXPECT_EQ(model_.file_name, folder_.Path(u"named.aps"_s));
  EXPECT_FALSE(QFile::exists(model_.file_name));
}

TEST_F(ProjectFilesTest, ClosingWithOnePictureWritesNothing) {
  AddPictures(model_, 1);
  EXPECT_TRUE(QueryCloseProject(model_, prompter_, view_));
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_FALSE(QFile::exists(SettingsFilePath()));

  model_.flags.BusyFlag = true;
  EXPECT_FALSE(QueryCloseProject(model_, prompter_, view_));
}

TEST_F(ProjectFilesTest, ClosingAnUnnamedProjectAsksThenWritesTheSettingsOnly) {
  AddPictures(model_, 2);
  model_.settings.background_picture = folder_.Write(u"back.png"_s, "x");
  model_.flags.PromptFlag = true;
  prompter_.answers << MessageAnswer::Cancel << MessageAnswer::No;
  EXPECT_FALSE(QueryCloseProject(model_, prompter_, view_));
  EXPECT_TRUE(QueryCloseProject(model_, prompter_, view_));
  ASSERT_EQ(prompter_.messages.size(), 2);
  EXPECT_EQ(prompter_.messages[1].title, u"Info"_s);
  EXPECT_FALSE(model_.flags.SettingsOnlyWrite);

  ASSERT_TRUE(LoadBagFromFile(SettingsFilePath()));
  const PropertyBag ini = SharedBag();
  SharedBag().Clear();
  EXPECT_EQ(ini.Entries().front().key, u"IsPrompt1"_s);
  EXPECT_EQ(ini.Get(u"IsPrompt1"_s), BagValue(u"True"_s));
  EXPECT_EQ(ini.Entries()[1].key, u"BackGroundPicture"_s);
  EXPECT_TRUE(ini.Contains(u"StyleSelect"_s));
  EXPECT_FALSE(ini.Contains(u"NowI"_s));
  EXPECT_FALSE(ini.Contains(u"ImgNames(1)"_s));

  // The next start takes the settings, not the pictures, and names no project.
  ProjectModel next(test::TestEnvironment());
  test::RecordingView next_view;
  ReadSettingsFile(next, next_view);
  EXPECT_EQ(next.settings.background_picture, model_.settings.background_picture);
  EXPECT_TRUE(next.flags.PromptFlag);
  EXPECT_FALSE(next.flags.SettingsOnlyRead);
  EXPECT_TRUE(next.pictures.isEmpty());
  EXPECT_EQ(next_view.calls, QStringList{u"ApplySettingsToControls"_s});
}

TEST_F(ProjectFilesTest, ClosingAfterTheProjectFileWasDeletedDoesNotMakeItAgain) {
  AddPictures(model_, 2);
  model_.file_name = folder_.Path(u"deleted.aps"_s);
  EXPECT_TRUE(QueryCloseProject(model_, prompter_, view_));
  EXPECT_FALSE(QFile::exists(model_.file_name));
  ASSERT_TRUE(LoadBagFromFile(SettingsFilePath()));
  EXPECT_TRUE(GetValue(u"NowI"_s, BagValue()).IsEmpty());
  SharedBag().Clear();

  const QString named = SavedProject(u"named.aps"_s, u"旧"_s);
  model_.file_name = named;
  model_.settings.info[kInfoName] = u"关闭时"_s;
  EXPECT_TRUE(QueryCloseProject(model_, prompter_, view_));
  EXPECT_EQ(StoredName(named), u"关闭时"_s);
}

TEST_F(ProjectFilesTest, ASettingsFileHoldingAWholeProjectGivesOnlyItsSettings) {
  QFile::copy(SavedProject(u"whole.aps"_s, u"整个"_s), SettingsFilePath());
  ReadSettingsFile(model_, view_);
  EXPECT_EQ(model_.settings.info[kInfoName], u"整个"_s);
  EXPECT_TRUE(model_.pictures.isEmpty());
  EXPECT_TRUE(model_.file_name.isEmpty());
  EXPECT_FALSE(model_.flags.PromptFlag);

  // An older-form settings file is read whole, lists included.
  test::LegacyFile legacy = test::PlainLegacyFile({}, {u"/music/a.mp3"_s});
  legacy.Text(4, u"00010000"_s).Text(5, u"9"_s);
  QFile::remove(SettingsFilePath());
  folder_.Write(u"legacy.ini"_s, legacy.Bytes());
  QFile::copy(folder_.Path(u"legacy.ini"_s), SettingsFilePath());
  ReadSettingsFile(model_, view_);
  EXPECT_TRUE(model_.settings.mute_sound);
  EXPECT_EQ(model_.settings.time_text, u"9"_s);
  ASSERT_EQ(model_.songs.size(), 1);
  EXPECT_EQ(view_.calls, QStringList(2, u"ApplySettingsToControls"_s));
}

}  // namespace
}  // namespace pivlo
