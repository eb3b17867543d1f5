// The main window driven as a user would, on the offscreen platform.

#include "builder/RuntimeLibrary.h"
#include "builder/basReplaceIcon.h"
#include "core/AppFolders.h"
#include "core/ProjectBag.h"
#include "core/ProjectFiles.h"
#include "core/Rounding.h"
#include "core/SingleInstance.h"
#include "core/basPropertyBag.h"
#include "media/Placement.h"
#include "render/FramePacing.h"
#include "render/basDirect3D.h"
#include "shell/CanvasBox.h"
#include "shell/CommandTexts.h"
#include "shell/FrmBuild.h"
#include "shell/FrmFont.h"
#include "shell/FrmFullScreen.h"
#include "shell/FrmMain.h"
#include "shell/HelpViewer.h"
#include "shell/PictureButton.h"

#include "FaultInjection.h"
#include "PeFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QAction>
#include <QBuffer>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

ScreenFacts Screen(int width, int height, int dpi) {
  ScreenFacts facts;
  facts.width = width;
  facts.height = height;
  facts.dpi_x = facts.dpi_y = dpi;
  facts.twips_x = facts.twips_y = 1440 / dpi;
  facts.normal_dpi = dpi == 96;
  return facts;
}

// Effects and pointing run at once.
class InstantClock : public EffectClock {
 public:
  qint64 NowMs() override { return now_; }
  void Wait(qint64 milliseconds) override { now_ += milliseconds; }

 private:
  qint64 now_ = 0;
};

class FrmMainTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_folder_ = ApplicationFolder();
    SetApplicationFolder(app_.path());
    // The program's pictures and frames, as they lie beside the program.
    QDir(app_.path()).mkdir(u"help"_s);
    for (const QString& name : {u"gmi.src"_s, u"1.frame"_s, u"2.frame"_s, u"3.frame"_s, u"help/faq.htm"_s}) {
      QFile::copy(QStringLiteral(PIVLO_APP_DIR "/") + name, app_.filePath(name));
    }
    SetEffectClock(&clock_);
    SharedBag().Clear();
  }
  void TearDown() override {
    window_.reset();
    SetEffectClock(nullptr);
    SetApplicationFolder(previous_folder_);
  }

  FrmMain& Start(const ScreenFacts& screen = Screen(1366, 768, 96), const QString& project = {}) {
    window_ = std::make_unique<FrmMain>(prompter_);
    // A home of the test's own: nothing is ever installed for the real user.
    UserPlaces places;
    places.home = files_.Path(u"home"_s);
    places.data = files_.Path(u"home/data"_s);
    EXPECT_TRUE(window_->Form_Load(StartupOptions{.screen = screen, .user_places = places, .project = project}));
    return *window_;
  }

  // Pictures whose files exist.
  void AddPictures(int count) {
    for (int i = 1; i <= count; ++i) {
      window_->Model().AddPicture(files_.Write(u"p"_s + QString::number(i) + u".jpg"_s, "x"));
    }
  }

  // Triggers the menu entry and hands the modal dialog it opens to `answer`, which closes it.
  static void AnswerModalDialog(QAction* entry, const std::function<void(QDialog&)>& answer) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      opened = true;
      answer(*dialog);
    });
    entry->trigger();
    EXPECT_TRUE(opened);
  }

  static void Release(PictureButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  QTemporaryDir app_;
  QString previous_folder_;
  test::TempFolder files_;
  test::ScriptedPrompter prompter_;
  InstantClock clock_;
  std::unique_ptr<FrmMain> window_;
};

TEST_F(FrmMainTest, StartsWithEveryButtonPageAndChoiceList) {
  FrmMain& w = Start();
  for (int index = 0; index <= 50; ++index) {
    EXPECT_EQ(w.Button(index) != nullptr, IsPictureButtonInUse(index)) << index;
  }
  EXPECT_EQ(w.Button(3)->Label(), u"设置背景"_s);
  for (int page = 0; page < kPageCount; ++page) EXPECT_NE(w.Page(page), nullptr);
  EXPECT_EQ(w.Page(0)->title(), u"编辑图片"_s);

  EXPECT_EQ(w.ComboPhotoScale->count(), 5);
  EXPECT_EQ(w.ComboPhotoScale->currentText(), u"全屏保持宽高比例"_s);
  EXPECT_EQ(w.CboBackgroundGradient->currentText(), u"垂直"_s);
  EXPECT_EQ(w.CboBackgroundPictureMode->currentText(), u"原始大小平铺"_s);
  EXPECT_EQ(w.ListLyricStyle->currentItem()->text(), u"两行静态字"_s);
  EXPECT_EQ(w.ListTitleStyle->currentItem()->text(), u"淡入淡出"_s);
  EXPECT_EQ(w.FontList->item(8)->text(), u"文字聚集(#)"_s);
  ASSERT_EQ(w.StyleList->count(), kTransitionCount);
  EXPECT_EQ(w.StyleList->item(22)->text(), u"卷帘切换三(2)"_s);
  for (int k = 0; k < kTransitionCount; ++k) EXPECT_EQ(w.StyleList->item(k)->checkState(), Qt::Checked);

  // The frame packages were found: their names, then the custom and download entries.
  ASSERT_GE(w.ListPicFrame->count(), 4);
  EXPECT_EQ(w.ListPicFrame->item(0)->text(), u"无"_s);
  EXPECT_EQ(w.ListPicFrame->item(1)->text(), u"金色典雅"_s);
  EXPECT_EQ(w.ListPicFrame->item(w.ListPicFrame->count() - 2)->text(), u"自定义 PNG 相框..."_s);
  EXPECT_TRUE(QDir(WritableFolder() + u"Project"_s).exists());
}

TEST_F(FrmMainTest, MissingPicturePackageEndsTheProgramWithItsName) {
  QFile::remove(app_.filePath(u"gmi.src"_s));
  FrmMain window(prompter_);
  EXPECT_FALSE(window.Form_Load(StartupOptions{.screen = Screen(1366, 768, 96)}));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages.first().text.contains(u"gmi.src"_s));
}

TEST_F(FrmMainTest, StartUpEmptiesTempAndReadsOnlySettingsFromTheSettingsFile) {
  QDir().mkpath(WritableFolder() + u"Temp"_s);
  QFile stale(WritableFolder() + u"Temp/old.jpg"_s);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  {
    // A settings file that holds a whole project.
    Start();
    window_->Model().settings.info[kInfoName] = u"海边"_s;
    window_->Model().settings.mute_sound = true;
    AddPictures(2);
    window_->Model().file_name = u"/nowhere/x.aps"_s;
    WriteProjectToBag(window_->Model());
    ASSERT_TRUE(SaveBagToFile(SettingsFilePath()));
    window_->Form_Unload();
    window_.reset();
  }
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();

  FrmMain& w = Start();
  EXPECT_FALSE(QFile::exists(stale.fileName()));
  EXPECT_EQ(w.Model().settings.info[kInfoName], u"海边"_s);
  EXPECT_TRUE(w.ChkMuteSound->isChecked());
  EXPECT_TRUE(w.Model().pictures.isEmpty());
  EXPECT_TRUE(w.Model().file_name.isEmpty());
  EXPECT_FALSE(w.Model().flags.SettingsOnlyRead);
}

TEST_F(FrmMainTest, AProjectGivenAtStartUpOpensOnceTheEventLoopRuns) {
  const QString project = files_.Path(u"海边.aps"_s);
  {
    FrmMain& w = Start();
    w.Model().settings.info[kInfoName] = u"海边"_s;
    w.Model().settings.mute_sound = true;
    AddPictures(2);
    ASSERT_TRUE(WriteProjectToFile(w.Model(), project));
    w.Form_Unload();
    window_.reset();
  }

  FrmMain& w = Start(Screen(1366, 768, 96), project);
  EXPECT_TRUE(w.Model().pictures.isEmpty());  // the window is shown first
  QCoreApplication::processEvents();
  EXPECT_EQ(w.Model().file_name, project);
  EXPECT_EQ(w.Model().pictures.size(), 2);
  EXPECT_TRUE(w.ChkMuteSound->isChecked());
  EXPECT_TRUE(w.LblProjectInfo->text().contains(u"海边.aps"_s));
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(FrmMainTest, AProjectGivenAtStartUpThatCannotBeReadIsReportedAsOpenReportsIt) {
  for (const QString& path : {files_.Write(u"坏.aps"_s, QByteArray(300, 'j')), files_.Path(u"gone.aps"_s)}) {
    SCOPED_TRACE(path.toStdString());
    prompter_.messages.clear();
    FrmMain& w = Start(Screen(1366, 768, 96), path);
    QCoreApplication::processEvents();
    const QStringList at_start = prompter_.MessageTexts();
    EXPECT_EQ(at_start.size(), 1);
    EXPECT_TRUE(w.Model().file_name.isEmpty());

    prompter_.messages.clear();
    prompter_.open_results << QStringList{path};
    w.mnuOpenProject->trigger();
    EXPECT_EQ(prompter_.MessageTexts(), at_start);
    w.Form_Unload();
    window_.reset();
  }
}

TEST_F(FrmMainTest, AsInstalledInAFolderItsUserCannotWriteTheEditorWritesToTheUsersDataFolder) {
  QTemporaryDir data_home;
  const QByteArray previous_data_home = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QFile::encodeName(data_home.path()));
  const auto restore = qScopeGuard([&] {
    window_.reset();
    if (previous_data_home.isEmpty()) {
      qunsetenv("XDG_DATA_HOME");
    } else {
      qputenv("XDG_DATA_HOME", previous_data_home);
    }
  });
  const QStringList installed = QDir(app_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  {
    test::ReadOnlyFolder read_only(app_.path());
    if (!read_only.Made()) GTEST_SKIP() << "cannot make a folder read-only here";
    ASSERT_TRUE(WritableFolder().startsWith(data_home.path() + u'/')) << WritableFolder().toStdString();
    // Without its lock the editor would end at once.
    SingleInstance instance;
    EXPECT_TRUE(instance.Acquire());

    FrmMain& w = Start();
    EXPECT_TRUE(QDir(ProjectFolder()).exists());
    EXPECT_TRUE(QDir(TempFolder()).exists());
    AddPictures(2);  // so that closing writes the settings file
    prompter_.answers << MessageAnswer::No;
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(QFile::exists(SettingsFilePath()));
    EXPECT_EQ(prompter_.MessageTexts(), QStringList{SavePromptText()});  // and no failure to write
    window_.reset();
  }
  EXPECT_EQ(QDir(app_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), installed);
}

TEST_F(FrmMainTest, PageButtonsShowTheirPageAlone) {
  FrmMain& w = Start();
  Release(w.Button(3));
  EXPECT_EQ(w.VisiblePage(), 2);
  for (int page = 0; page < kPageCount; ++page) EXPECT_EQ(w.Page(page)->isVisibleTo(&w), page == 2) << page;
  EXPECT_EQ(w.SelectedPageButton(), 3);
  EXPECT_EQ(w.Button(3)->State(), PictureButton::kPressed);

  Release(w.Button(3));  // again: the same page
  EXPECT_EQ(w.VisiblePage(), 2);

  Release(w.Button(7));
  EXPECT_EQ(w.VisiblePage(), 6);
  EXPECT_EQ(w.Button(3)->State(), PictureButton::kNormal);

  // The menu's page entries release the page buttons.
  w.mnuPages[9]->trigger();
  EXPECT_EQ(w.VisiblePage(), 9);
  EXPECT_EQ(w.SelectedPageButton(), 10);
}

TEST_F(FrmMainTest, CommandsArriveDroppedWhileBusy) {
  FrmMain& w = Start();
  AddPictures(2);
  w.Model().flags.BusyFlag = true;

  Release(w.Button(5));
  EXPECT_EQ(w.VisiblePage(), 10);
  // A placement picked meanwhile is not taken, and the list shows the one that stands.
  w.ComboPhotoScale->setCurrentIndex(0);
  Q_EMIT w.ComboPhotoScale->activated(0);
  EXPECT_EQ(w.Model().settings.img_draw_scale, 3);
  EXPECT_EQ(w.ComboPhotoScale->currentIndex(), 3);
  w.mnuPages[0]->trigger();
  w.mnuNewProject->trigger();
  w.mnuOpenProject->trigger();
  w.mnuSaveProject->trigger();
  EXPECT_EQ(w.VisiblePage(), 10);
  EXPECT_EQ(w.Model().pictures.size(), 2);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_TRUE(prompter_.dialogs.isEmpty());

  const qint32 ticks = w.Model().flags.TickCount;
  w.Timer1_Timer();
  EXPECT_EQ(w.Model().flags.TickCount, ticks);
  EXPECT_FALSE(w.close());  // the close request is refused too
  EXPECT_TRUE(prompter_.messages.isEmpty());

  w.Model().flags.BusyFlag = false;
  Release(w.Button(5));
  EXPECT_EQ(w.VisiblePage(), 4);
}

TEST_F(FrmMainTest, BuildWithTooFewPicturesPointsAtTheAddButton) {
  FrmMain& w = Start();
  AddPictures(1);
  Release(w.Button(0));
  ASSERT_EQ(prompter_.MessageTexts(), QStringList{u"请首先添加至少两张图片到屏幕保护中"_s});
  EXPECT_EQ(w.VisiblePage(), 0);
  EXPECT_EQ(w.SelectedPageButton(), 1);
}

TEST_F(FrmMainTest, ClosingWithOnePictureAndNoNameAsksNothingAndWritesNothing) {
  FrmMain& w = Start();
  AddPictures(1);
  EXPECT_TRUE(w.close());
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}

TEST_F(FrmMainTest, ClosingAnUnnamedProjectAsksFirst) {
  FrmMain& w = Start();
  AddPictures(2);

  prompter_.answers.enqueue(MessageAnswer::Cancel);
  EXPECT_FALSE(w.close());
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages.first().text, SavePromptText());
  EXPECT_EQ(prompter_.messages.first().title, u"Info"_s);
  EXPECT_EQ(prompter_.messages.first().buttons, MessageButtons::YesNoCancel);

  // Yes saves (here the save dialog is cancelled) and keeps the window open.
  prompter_.answers.enqueue(MessageAnswer::Yes);
  prompter_.save_results.enqueue(QString());
  EXPECT_FALSE(w.close());
  EXPECT_EQ(prompter_.dialogs.size(), 1);

  prompter_.answers.enqueue(MessageAnswer::No);
  EXPECT_TRUE(w.close());
  ASSERT_TRUE(LoadBagFromFile(SettingsFilePath()));
  EXPECT_TRUE(SharedBag().Contains(u"IsPrompt1"_s));
  EXPECT_TRUE(SharedBag().Contains(u"TimeInterval"_s));
  EXPECT_FALSE(SharedBag().Contains(u"ImgNames(1)"_s));
  SharedBag().Clear();
}

TEST_F(FrmMainTest, ClosingAfterTheProjectFileWasDeletedDoesNotMakeItAgain) {
  FrmMain& w = Start();
  AddPictures(2);
  const QString project = files_.Path(u"show.aps"_s);
  ASSERT_TRUE(WriteProjectToFile(w.Model(), project));
  w.Model().file_name = project;
  QFile::remove(project);

  EXPECT_TRUE(w.close());
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_FALSE(QFile::exists(project));
  EXPECT_TRUE(QFile::exists(SettingsFilePath()));
}

TEST_F(FrmMainTest, ClosingEmptiesTemp) {
  FrmMain& w = Start();
  QFile temp(WritableFolder() + u"Temp/1.jpg"_s);
  ASSERT_TRUE(temp.open(QIODevice::WriteOnly));
  temp.close();
  EXPECT_TRUE(w.close());
  EXPECT_FALSE(temp.exists());
}

TEST_F(FrmMainTest, TheTimerSavesTheAutomaticCopyAfterThirtySeconds) {
  FrmMain& w = Start();
  AddPictures(2);
  for (int tick = 1; tick <= 60; ++tick) {
    w.Timer1_Timer();
    EXPECT_EQ(QFile::exists(AutoSavePath()), tick == 60) << tick;
    if (tick == 60) break;
  }
  EXPECT_EQ(w.Model().flags.TickCount, 0);
  EXPECT_TRUE(w.Model().file_name.isEmpty());
}

TEST_F(FrmMainTest, ToolTipsFollowTheHalfSecondTicks) {
  FrmMain& w = Start();
  w.PicBtn_MouseMove(3);
  EXPECT_EQ(w.Button(3)->State(), PictureButton::kHover);
  w.Timer1_Timer();
  EXPECT_FALSE(w.ToolTipBox()->isVisibleTo(&w));
  w.Timer1_Timer();
  EXPECT_TRUE(w.ToolTipBox()->isVisibleTo(&w));
  EXPECT_EQ(w.ToolTipBox()->text(), u"为屏幕保护背景选择颜色、图片或轮廓 "_s);
  for (int tick = 3; tick <= 11; ++tick) w.Timer1_Timer();
  EXPECT_TRUE(w.ToolTipBox()->isVisibleTo(&w));
  w.Timer1_Timer();
  EXPECT_FALSE(w.ToolTipBox()->isVisibleTo(&w));

  // Moving over the background ends a hover at once and repaints the button.
  w.PicBtn_MouseMove(20);
  w.EndHover();
  EXPECT_EQ(w.Button(20)->State(), PictureButton::kNormal);
  EXPECT_FALSE(w.ToolTips().HoverActive());
}

TEST_F(FrmMainTest, WithToolTipsOffHoveringOnlyRepaints) {
  FrmMain& w = Start();
  w.mnuTooltips->trigger();
  EXPECT_FALSE(w.Model().settings.is_show_tip);
  w.PicBtn_MouseMove(4);
  EXPECT_EQ(w.Button(4)->State(), PictureButton::kHover);
  for (int tick = 0; tick < 4; ++tick) w.Timer1_Timer();
  EXPECT_FALSE(w.ToolTipBox()->isVisibleTo(&w));
}

TEST_F(FrmMainTest, SmallAndDenseScreensScaleTheWindow) {
  {
    FrmMain& w = Start(Screen(1024, 600, 96));
    ASSERT_TRUE(w.WindowScaled());
    EXPECT_NEAR(*w.WindowScale(), 0.811, 0.001);
    w.show();  // the whole window, frame included, takes the scaled size and its contents fit
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.frameGeometry().size(), QSize(778, 600));
    EXPECT_EQ(w.PicDst->size(), QSize(389, 292));  // the canvas keeps its scaled fixed size
    EXPECT_LE(w.Look().points, 11);
  }
  {
    FrmMain& w = Start(Screen(1920, 1080, 120));
    EXPECT_FLOAT_EQ(*w.WindowScale(), 0.8f);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.frameGeometry().size(), QSize(768, 592));
  }
  {
    FrmMain& w = Start(Screen(1366, 768, 96));
    EXPECT_FALSE(w.WindowScaled());
    EXPECT_EQ(w.size(), QSize(960, 740));
    EXPECT_EQ(w.PicDst->size(), QSize(480, 360));
  }
}

TEST_F(FrmMainTest, DialogsTakeTheLookOfTheScaledWindow) {
  FrmMain& w = Start(Screen(1024, 600, 96));
  ASSERT_TRUE(w.WindowScaled());
  QFont dialog_font;
  AnswerModalDialog(w.mnuAbout, [&dialog_font](QDialog& dialog) {
    dialog_font = dialog.font();
    dialog.accept();
  });
  EXPECT_EQ(dialog_font.family(), w.Look().face);
  EXPECT_EQ(dialog_font.pointSizeF(), w.Look().points);
}

TEST_F(FrmMainTest, AColourSchemeChangeRestylesTheWindowAndItsThumbnails) {
  FrmMain& w = Start();
  // A wide picture: its thumbnail shows the face colour above and below it.
  QImage wide(64, 16, QImage::Format_RGB32);
  wide.fill(Qt::darkCyan);
  const QString file = files_.Path(u"wide.png"_s);
  ASSERT_TRUE(wide.save(file));
  w.Pictures().AddPictures({file});
  ASSERT_EQ(w.Pictures().StripBox(0).pixelColor(0, 0), QApplication::palette().color(QPalette::Button));

  const QPalette before = QApplication::palette();
  QPalette scheme = before;
  scheme.setColor(QPalette::Highlight, QColor(0x12, 0x34, 0x56));
  scheme.setColor(QPalette::Button, QColor(0x65, 0x43, 0x21));
  QApplication::setPalette(scheme);
  for (int tick = 0; tick < 4; ++tick) w.Timer1_Timer();  // the colours are compared every fourth tick
  QApplication::setPalette(before);

  EXPECT_EQ(w.Pictures().StripBox(0).pixelColor(0, 0), QColor(0x65, 0x43, 0x21));
  EXPECT_EQ(w.Pictures().StripBox(0).pixelColor(32, 24), QColor(Qt::darkCyan));
  EXPECT_EQ(w.palette().color(QPalette::Highlight), QColor(0x12, 0x34, 0x56));
  EXPECT_FALSE(w.isMinimized());
}

TEST_F(FrmMainTest, WithoutTheGraphicsRuntimeTheEffectCaptionsTurnRed) {
  // The application folder has no runtime beside it.
  FrmMain& w = Start();
  EXPECT_TRUE(w.FraFrame->title().startsWith(u"未找到"_s));
  EXPECT_EQ(w.Page(4)->title(), w.FraFrame->title());
  EXPECT_EQ(w.Page(5)->title(), w.FraFrame->title());
  EXPECT_EQ(w.OptPhotoState[1]->text(), u"初始化失败"_s);
  EXPECT_FALSE(w.ListPicFrame->isEnabled());
}

TEST_F(FrmMainTest, NumberBoxesFilterKeysAndCorrectThemselves) {
  FrmMain& w = Start();
  Release(w.Button(1));
  w.TxtTime->clear();
  QTest::keyClicks(w.TxtTime, u"3a"_s);
  EXPECT_EQ(w.TxtTime->text(), u"3"_s);  // the letter was dropped
  Q_EMIT w.TxtTime->editingFinished();
  EXPECT_EQ(w.TxtTime->text(), u"3.5"_s);
  EXPECT_EQ(w.Model().settings.time_text, u"3.5"_s);

  w.TxtOpeningTime->setText(u"6.5"_s);
  Q_EMIT w.TxtOpeningTime->editingFinished();
  EXPECT_EQ(w.TxtOpeningTime->text(), u"6"_s);
  EXPECT_EQ(w.Model().settings.opening_time_text, u"6"_s);

  auto* name = static_cast<QLineEdit*>(w.TxtSetting[kInfoName]);
  name->setText(u"a/b"_s);
  Q_EMIT name->editingFinished();
  EXPECT_EQ(name->text(), u"未命名屏幕保护"_s);
  EXPECT_EQ(w.Model().settings.info[kInfoName], u"未命名屏幕保护"_s);
}

TEST_F(FrmMainTest, SettingControlsWriteTheModel) {
  FrmMain& w = Start();
  Release(w.Button(3));
  w.CboBackgroundPictureMode->setCurrentIndex(1);
  Q_EMIT w.CboBackgroundPictureMode->activated(1);
  EXPECT_EQ(w.Model().settings.background_draw_scale, 4);

  QTest::mouseClick(w.OptBK[1], Qt::LeftButton);
  EXPECT_EQ(w.Model().settings.background_kind, u"2"_s);
  EXPECT_TRUE(w.LblBeginColor->isVisibleTo(&w));
  EXPECT_FALSE(w.LblSolidColor->isVisibleTo(&w));

  prompter_.color_results.enqueue(quint32(Rgb(1, 2, 3)));
  QTest::mouseClick(w.LblBeginColor, Qt::LeftButton);
  EXPECT_EQ(w.Model().settings.begin_color, Rgb(1, 2, 3));

  Release(w.Button(10));
  QTest::mouseClick(w.ChkExport, Qt::LeftButton);
  EXPECT_TRUE(w.Model().settings.enable_export);
  EXPECT_TRUE(w.TxtExportPW->isEnabled());

  Release(w.Button(6));
  Release(w.Button(33));
  for (bool ticked : w.Model().settings.transitions) EXPECT_FALSE(ticked);
  w.StyleList->item(2)->setCheckState(Qt::Checked);
  EXPECT_TRUE(w.Model().settings.transitions[2]);

  Release(w.Button(1));
  QTest::mouseClick(w.OptSync, Qt::LeftButton);
  EXPECT_TRUE(w.Model().settings.enable_sync);
  EXPECT_FALSE(w.TxtTime->isEnabled());

  // Reading the model back into the controls.
  w.Model().settings.background_draw_scale = 2;
  w.Model().settings.enable_sync = false;
  w.ApplySettingsToControls();
  EXPECT_EQ(w.CboBackgroundPictureMode->currentIndex(), 0);
  EXPECT_TRUE(w.OptSlideDuration->isChecked());
  EXPECT_TRUE(w.TxtTime->isEnabled());
}

TEST_F(FrmMainTest, CancellingAPictureChoiceRemovesThePicture) {
  FrmMain& w = Start();
  w.Model().settings.background_picture = files_.Write(u"back.jpg"_s, "x");
  prompter_.open_results.enqueue(QStringList());
  Release(w.Button(30));
  EXPECT_TRUE(w.Model().settings.background_picture.isEmpty());
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_EQ(prompter_.dialogs.first().title, u"选择图片"_s);
  EXPECT_FALSE(prompter_.dialogs.first().multiple);

  const QString logo = files_.Write(u"logo.png"_s, "x");
  prompter_.open_results.enqueue(QStringList{logo});
  Release(w.Button(38));
  EXPECT_EQ(w.Model().settings.logo_image, logo);

  // The titles page names its pictures as the logo page does.
  const QString opening = files_.Write(u"opening.png"_s, "x");
  prompter_.open_results.enqueue(QStringList{opening});
  Release(w.Button(37));
  EXPECT_EQ(w.LblOpeningPicture->text(), u"片头图片：opening.png"_s);
  EXPECT_EQ(w.LblEndingPicture->text(), u"片尾图片：未选择"_s);
  prompter_.open_results.enqueue(QStringList());
  Release(w.Button(37));
  EXPECT_EQ(w.LblOpeningPicture->text(), u"片头图片：未选择"_s);
}

// OK in the icon picker confirms the image its panel wrote; a later picker cancelled keeps
// that icon; another project has none.
TEST_F(FrmMainTest, TheIconPickerConfirmsTheChosenIconAndCancellingKeepsIt) {
  FrmMain& w = Start();
  const QString red = files_.Write(u"red.ico"_s, test::IconFileBytes(32, 32, test::SolidIconImage(qRgb(255, 0, 0))));
  const QString blue = files_.Write(u"blue.ico"_s, test::IconFileBytes(32, 32, test::SolidIconImage(qRgb(0, 0, 255))));
  // What the panel does when the user selects the file's first image.
  const auto selecting = [](const QString& file) {
    return [file](const FileDialogOptions& options) {
      EXPECT_EQ(options.preview, FilePreview::kIcon);
      EXPECT_TRUE(SelectIconImage(ScanIconImages(file), 0));
    };
  };

  prompter_.while_open = selecting(red);
  prompter_.open_results.enqueue(QStringList{red});
  Release(w.Button(kIconButton));
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_EQ(prompter_.dialogs[0].title, u"加入图标文件"_s);
  EXPECT_EQ(prompter_.dialogs[0].filters[0].description, u"图标文件(*.Ico,*.Exe,*.Dll,*.Icl)"_s);
  EXPECT_TRUE(w.Build().CustomIcon);
  EXPECT_EQ(ReadIconFile(CustomIconPath())->image, test::SolidIconImage(qRgb(255, 0, 0)));
  EXPECT_EQ(w.Button(kIconButton)->Overlay().pixelColor(16, 16), QColor(Qt::red)) << "the button shows it";

  prompter_.while_open = selecting(blue);
  prompter_.open_results.enqueue(QStringList());
  Release(w.Button(kIconButton));
  EXPECT_TRUE(w.Build().CustomIcon);
  EXPECT_EQ(ReadIconFile(CustomIconPath())->image, test::SolidIconImage(qRgb(255, 0, 0))) << "cancelled: kept";

  prompter_.while_open = nullptr;
  w.mnuNewProject->trigger();
  EXPECT_FALSE(w.Build().CustomIcon);
  EXPECT_FALSE(QFile::exists(CustomIconPath()));
}

// After a project is read the effect list shows the selected picture's effect, and a
// click previews that one.
TEST_F(FrmMainTest, TheEffectListShowsTheSelectedPicturesEffect) {
  FrmMain& w = Start();
  AddPictures(2);
  ProjectModel& model = w.Model();
  model.pictures[0].head_dynamic_style = 3;
  model.pictures[1].head_dynamic_style = 7;
  w.PicturesReloaded();
  EXPECT_EQ(w.FontList->currentRow(), 3);
  w.ImgList->setCurrentRow(1);
  EXPECT_EQ(w.FontList->currentRow(), 7);
  EXPECT_EQ(model.font_list_position, 7);
}

TEST_F(FrmMainTest, TheFontDialogShowsASampleOfTheStyleBeingEdited) {
  FrmMain& w = Start();
  FrmFont dialog(w.Model(), FontDialogModel::kCaption, prompter_, &w);
  const auto red_pixels = [&dialog] {
    const QImage sample = dialog.PicSample->pixmap().toImage();
    int count = 0;
    for (int y = 0; y < sample.height(); ++y) {
      for (int x = 0; x < sample.width(); ++x) {
        const QRgb pixel = sample.pixel(x, y);
        count += qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
      }
    }
    return count;
  };
  dialog.ListPattern->setCurrentRow(0);  // filled with the start colour
  EXPECT_EQ(red_pixels(), 0);
  prompter_.color_results.enqueue(quint32(Rgb(255, 0, 0)));
  QTest::mouseClick(dialog.LblStartColor, Qt::LeftButton);
  EXPECT_GT(red_pixels(), 200) << "the sample takes the new colour at once";
}

// Ticking "设为我的屏幕保护" installs the file just built, and says what came of it.
TEST_F(FrmMainTest, TheFinishDialogInstallsTheScreensaverWhenAsked) {
  FrmMain& w = Start();
  bool ticked = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<FrmFinish*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->ChkInstall->setChecked(true);
    ticked = true;
    dialog->accept();
  });
  prompter_.answers.enqueue(MessageAnswer::Ok);
  w.ShowFinishDialog(u"summary"_s, false);
  EXPECT_TRUE(ticked);
  // No file was built here: the install says why it could not be done.
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages[0].text.startsWith(u"无法设为屏幕保护："_s));
}

TEST_F(FrmMainTest, CaptionTextGoesToEveryPicture) {
  FrmMain& w = Start();
  AddPictures(3);
  w.PicturesReloaded();
  ASSERT_EQ(w.CurrentPicture(), 1);
  Release(w.Button(4));
  w.TxtCaption->setPlainText(u"夏天"_s);
  EXPECT_EQ(w.Model().pictures[0].caption, u"夏天"_s);
  prompter_.answers.enqueue(MessageAnswer::Ok);
  Release(w.Button(42));
  for (const ImageEntry& entry : w.Model().pictures) EXPECT_EQ(entry.caption, u"夏天"_s);
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{u"设置完成"_s});
}

// The caption box dragged beyond the canvas's right edge comes back inside, and is stored
// in screen pixels; the outline shows while the box is held.
TEST_F(FrmMainTest, TheCaptionBoxIsDraggedOnTheCanvasAndKeptInside) {
  FrmMain& w = Start();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  AddPictures(2);
  w.PicturesReloaded();
  Release(w.Button(4));
  w.TxtCaption->setPlainText(u"夏天"_s);
  ProjectModel& model = w.Model();
  const QSize canvas = w.PicDst->size();
  model.pictures[0].caption_box = {model.screen_width / 4, model.screen_height / 2, model.screen_width / 4,
                                   model.screen_height / 8};
  const QPoint inside(canvas.width() * 3 / 8, canvas.height() * 9 / 16);
  QTest::mouseMove(w.PicDst, inside);
  EXPECT_EQ(w.PicDst->cursor().shape(), Qt::SizeAllCursor);
  QTest::mousePress(w.PicDst, Qt::LeftButton, {}, inside);
  QTest::mouseMove(w.PicDst, inside + QPoint(canvas.width(), 0));
  QTest::mouseRelease(w.PicDst, Qt::LeftButton, {}, inside + QPoint(canvas.width(), 0));
  const ScreenBox& box = model.pictures[0].caption_box;
  EXPECT_NEAR(box.x + box.w, model.screen_width, 2) << "its right edge on the canvas's";
  EXPECT_NEAR(box.y, model.screen_height / 2, 2) << "moved across only";
  EXPECT_NEAR(box.w, model.screen_width / 4, 1) << "its size, to the canvas and back";
}

// Each page sizes its box by its own rules: from the left the caption stops at 24 pixels;
// the headline only moves; the lyrics take a new width and keep their height; the picture
// placed at a point moves by its marker, stored in screen pixels.
TEST_F(FrmMainTest, EachPageDragsItsBoxByItsOwnRules) {
  FrmMain& w = Start();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QImage photo(200, 150, QImage::Format_RGB32);
  photo.fill(Qt::darkGreen);
  ASSERT_TRUE(photo.save(files_.Path(u"photo.png"_s)));
  ProjectModel& model = w.Model();
  model.AddPicture(files_.Path(u"photo.png"_s));
  ImageEntry& picture = model.pictures[0];
  picture.caption = u"夏天"_s;
  picture.headline = u"海边"_s;
  model.lyric_files << files_.Write(u"song.lrc"_s, "[00:01.00]la");
  const QSize screen(model.screen_width, model.screen_height);
  const QSize canvas = w.PicDst->size();
  const auto to_screen = [&](double x, int from, int to) { return RoundToInt32(x * to / from); };
  // The box at canvas (240, 180, 120, 45).
  const ScreenBox start{to_screen(240, canvas.width(), screen.width()), to_screen(180, canvas.height(), screen.height()),
                        to_screen(120, canvas.width(), screen.width()), to_screen(45, canvas.height(), screen.height())};
  picture.caption_box = picture.headline_box = model.settings.lyric_box = start;
  w.PicturesReloaded();
  const auto hover = [&](QPoint at) {
    QTest::mouseMove(w.PicDst, at + QPoint(5, 5));  // the first move after a click can be lost
    QTest::mouseMove(w.PicDst, at);
    return w.PicDst->cursor().shape();
  };
  const auto drag = [&](QPoint from, std::initializer_list<QPoint> path) {
    hover(from);
    QTest::mousePress(w.PicDst, Qt::LeftButton, {}, from);
    for (QPoint at : path) QTest::mouseMove(w.PicDst, at);
    QTest::mouseRelease(w.PicDst, Qt::LeftButton, {}, *std::prev(path.end()));
  };

  Release(w.Button(4));
  EXPECT_EQ(hover({240, 200}), Qt::SizeHorCursor);
  drag({240, 200}, {{336, 200}, {350, 200}, {470, 200}});
  EXPECT_EQ(picture.caption_box.w, to_screen(24, canvas.width(), screen.width()));
  EXPECT_EQ(picture.caption_box.x, to_screen(360 - 24, canvas.width(), screen.width()));

  Release(w.Button(5));
  EXPECT_EQ(hover({240, 200}), Qt::SizeAllCursor) << "no resize zones";
  EXPECT_EQ(hover({359, 224}), Qt::SizeAllCursor);
  drag({240, 200}, {{200, 200}});
  EXPECT_EQ(picture.headline_box.x, to_screen(200, canvas.width(), screen.width()));
  EXPECT_NEAR(picture.headline_box.w, start.w, 1);
  EXPECT_NEAR(picture.headline_box.h, start.h, 1);

  Release(w.Button(7));
  EXPECT_EQ(hover({360, 180}), Qt::SizeHorCursor) << "a corner sizes the width only";
  EXPECT_NE(hover({300, 180}), Qt::SizeVerCursor);
  drag({360, 200}, {{420, 200}});
  EXPECT_EQ(model.settings.lyric_box.w, to_screen(180, canvas.width(), screen.width()));
  EXPECT_EQ(model.settings.lyric_box.h, start.h);

  Release(w.Button(1));
  picture.pos_x = 100;
  picture.pos_y = 100;
  w.ComboPhotoScale->activated(kPlaceAtPoint);
  const QPoint on_picture(to_screen(150, screen.width(), canvas.width()), to_screen(150, screen.height(), canvas.height()));
  EXPECT_EQ(hover(on_picture), Qt::SizeAllCursor);
  ASSERT_TRUE(w.PicDst->MarkerShown().has_value());
  const QRect marker = *w.PicDst->MarkerShown();
  drag(on_picture, {on_picture + QPoint(40, 20)});
  EXPECT_EQ(picture.pos_x, to_screen(marker.x() + 40, canvas.width(), screen.width()));
  EXPECT_EQ(picture.pos_y, to_screen(marker.y() + 20, canvas.height(), screen.height()));
  EXPECT_FALSE(w.PicDst->MarkerShown().has_value()) << "the marker goes with the release";
  const QImage shown = w.PicDst->ShownImage();
  EXPECT_EQ(shown.pixelColor(marker.bottomRight() + QPoint(38, 18)), QColor(Qt::darkGreen)) << "shown at once";
  EXPECT_NE(shown.pixelColor(marker.topLeft() + QPoint(2, 2)), QColor(Qt::darkGreen));
}

QByteArray EncodedPicture(const char* format) {
  QImage image(16, 9, QImage::Format_ARGB32);
  image.fill(QColor(0, 200, 0, 128));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// Each entry of the frame list gives its frame; a JPEG chosen as the custom frame is
// refused and the frame stays; a project read back keeps only its own PNG frame.
TEST_F(FrmMainTest, TheFrameListGivesEachEntrysFrame) {
  // Frames need the graphics runtime beside the program.
  ASSERT_TRUE(QFile::copy(QStringLiteral(PIVLO_APP_DIR "/") + RuntimeLibraryFileName(),
                          app_.filePath(RuntimeLibraryFileName())));
  FrmMain& w = Start();
  ASSERT_TRUE(w.ListPicFrame->isEnabled());
  AddPictures(2);
  w.PicturesReloaded();
  ProjectModel& model = w.Model();
  ProjectSettings& s = model.settings;
  const int custom = w.ListPicFrame->count() - 2;

  w.ListPicFrame->setCurrentRow(1);
  EXPECT_EQ(s.picture_frame_num, 1);
  const QByteArray package_frame = model.frame_picture;
  EXPECT_FALSE(package_frame.isEmpty());

  s.picture_frame_image = files_.Write(u"frame.jpg"_s, EncodedPicture("JPG"));
  w.ListPicFrame->setCurrentRow(custom);
  EXPECT_FALSE(w.LblCustomFrame->isHidden());
  EXPECT_EQ(s.picture_frame_num, 1) << "a JPEG is no frame";
  EXPECT_EQ(model.frame_picture, package_frame);

  const QString png = files_.Write(u"frame.png"_s, EncodedPicture("PNG"));
  s.picture_frame_image = png;
  w.ListPicFrame->setCurrentRow(0);
  EXPECT_EQ(s.picture_frame_num, 0);
  EXPECT_TRUE(model.frame_picture.isEmpty());
  EXPECT_TRUE(w.LblCustomFrame->isHidden());
  // What the effects draw over a black picture: the frame's green, or nothing.
  const auto effect_green = [&w] {
    QImage black(w.PicDst->size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    CreatePictureTexture(black, kPictureSlotOne);
    RenderStill();
    return qGreen(w.PicDst->ShownImage().pixel(w.PicDst->width() / 2, w.PicDst->height() / 2));
  };
  EXPECT_EQ(effect_green(), 0);
  w.ListPicFrame->setCurrentRow(custom);
  EXPECT_EQ(s.picture_frame_num, -1);
  EXPECT_FALSE(model.frame_picture.isEmpty());
  EXPECT_GT(effect_green(), 80) << "the effects draw the chosen frame";
  w.ListPicFrame->setCurrentRow(0);
  EXPECT_EQ(effect_green(), 0) << "and no frame once none is chosen";
  w.ListPicFrame->setCurrentRow(custom);

  s.picture_frame_num = 2;
  w.ApplySettingsToControls();
  EXPECT_EQ(s.picture_frame_num, 0) << "a package frame is the machine's, not the project's";
  EXPECT_EQ(w.ListPicFrame->currentRow(), 0);
  s.picture_frame_num = -1;
  s.picture_frame_image = png;
  w.ApplySettingsToControls();
  EXPECT_EQ(s.picture_frame_num, -1);
  EXPECT_EQ(w.ListPicFrame->currentRow(), custom);
  EXPECT_FALSE(model.frame_picture.isEmpty());
}

TEST_F(FrmMainTest, HowToEntriesShowThePageAndPointAtTheControl) {
  FrmMain& w = Start();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.findChild<QAction*>(u"mnuHowToAddMusic"_s)->trigger();
  EXPECT_EQ(w.VisiblePage(), 1);
  const QPoint centre = w.Button(25)->mapToGlobal(w.Button(25)->rect().center());
  EXPECT_EQ(QCursor::pos(), centre);
}

TEST_F(FrmMainTest, ThePictureListAndItsStripFollowTheButtons) {
  FrmMain& w = Start();
  QStringList files;
  for (const QString& name : {u"a.png"_s, u"b.png"_s, u"c.png"_s}) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    files << files_.Path(name);
    ASSERT_TRUE(picture.save(files.last()));
  }
  prompter_.open_results.enqueue(files);
  Release(w.Button(20));
  ASSERT_EQ(w.ImgList->count(), 3);
  EXPECT_EQ(w.CurrentPicture(), 1);
  EXPECT_FALSE(w.PicList[2]->pixmap().isNull());
  EXPECT_EQ(w.LblNum[0]->text(), u"1"_s);

  QTest::mouseClick(w.PicList[2], Qt::LeftButton);
  EXPECT_EQ(w.CurrentPicture(), 3);
  EXPECT_EQ(w.ImgList->currentRow(), 2);

  w.ImgList->setFocus();
  QTest::keyClick(w.ImgList, Qt::Key_Delete);
  EXPECT_EQ(w.ImgList->count(), 2);
  EXPECT_EQ(w.Model().pictures.size(), 2);
}

TEST_F(FrmMainTest, TheFaqOpensInTheHelpViewer) {
  FrmMain& w = Start();
  w.mnuFAQ->trigger();
  auto* viewer = w.findChild<HelpViewer*>();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(viewer->ShownPage().endsWith(u"help/faq.htm"_s));
  EXPECT_FALSE(viewer->ShowTopic(u"nothing"_s));
}

TEST_F(FrmMainTest, TheFullScreenViewShowsTheSelectedPictureUntilAKey) {
  FrmMain& w = Start();
  AddPictures(2);
  w.PicturesReloaded();
  Release(w.Button(18));
  auto* full = qobject_cast<FrmFullScreen*>(QApplication::activeWindow());
  if (full == nullptr) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* candidate = qobject_cast<FrmFullScreen*>(top)) full = candidate;
    }
  }
  ASSERT_NE(full, nullptr);
  EXPECT_TRUE(full->isVisible());
  EXPECT_EQ(full->geometry(), full->screen()->geometry());
  EXPECT_TRUE(w.isVisible());
  QTest::keyClick(full, Qt::Key_Space);
  EXPECT_FALSE(full->isVisible());
}

TEST_F(FrmMainTest, PreviewRunsTheBuildPipeline) {
  FrmMain& w = Start();
  AddPictures(2);
  // No graphics runtime lies beside the program here: the pipeline stops with its message.
  Release(w.Button(11));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages.first().text.contains(RuntimeLibraryFileName()));
  EXPECT_FALSE(w.Model().flags.BusyFlag);
}

// The export asks where to save, then builds the package it records from.
TEST_F(FrmMainTest, TheFileMenuExportsAVideoThroughTheBuild) {
  FrmMain& w = Start();
  ASSERT_TRUE(w.menuBar()->actions().first()->menu()->actions().contains(w.mnuExportVideo));
  EXPECT_EQ(w.mnuExportVideo->text(), u"导出视频..."_s);
  AddPictures(2);
  prompter_.save_results.enqueue(QString());
  w.mnuExportVideo->trigger();
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_EQ(prompter_.dialogs[0].filters.first().patterns, u"*.mp4"_s);
  EXPECT_EQ(prompter_.dialogs[0].default_suffix, u"mp4"_s);
  EXPECT_TRUE(prompter_.messages.isEmpty()) << "cancelled: nothing built";

  prompter_.save_results.enqueue(files_.Path(u"show.mp4"_s));
  w.mnuExportVideo->trigger();
  // No graphics runtime lies beside the program here: the build stops with its message.
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(prompter_.messages.first().text.contains(RuntimeLibraryFileName()));
  EXPECT_FALSE(w.Model().flags.BusyFlag);
  EXPECT_FALSE(QFile::exists(files_.Path(u"show.mp4"_s)));
}

TEST_F(FrmMainTest, TheBuildDialogClosedWithoutBuildingLeavesTheBuildAtRest) {
  FrmMain& w = Start();
  AddPictures(2);
  QString title;
  AnswerModalDialog(w.mnuBuildScreenSaver, [&title](QDialog& dialog) {
    title = dialog.windowTitle();
    dialog.reject();
  });
  EXPECT_EQ(title, u"创建屏幕保护"_s);
  EXPECT_TRUE(w.Build().PreviewMode);
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(FrmMainTest, TheBuildDialogsChoiceToPackTheFilesIsKeptForTheNextBuild) {
  FrmMain& w = Start();
  AddPictures(2);
  EXPECT_FALSE(w.Build().PackMedia);
  for (const bool packed : {false, true}) {
    AnswerModalDialog(w.mnuBuildScreenSaver, [packed](QDialog& dialog) {
      auto* option = dialog.findChild<QRadioButton*>(u"OptPackage"_s);
      ASSERT_NE(option, nullptr);
      EXPECT_EQ(option->text(), u"打包图片和音乐（可以复制到其他电脑上播放）"_s);
      EXPECT_EQ(option->isChecked(), packed);
      option->click();
      dialog.reject();
    });
    EXPECT_TRUE(w.Build().PackMedia);
  }
}

}  // namespace
}  // namespace pivlo
