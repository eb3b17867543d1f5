// The commands of the main window: picture buttons, menus, tool tips and pointing.

#include "builder/basReplaceIcon.h"
#include "builder/basResourcePackages.h"
#include "core/AppFolders.h"
#include "core/PathRules.h"
#include "core/ProjectFiles.h"
#include "media/MusicListModel.h"
#include "render/FramePacing.h"
#include "render/TextBoxFitting.h"
#include "render/basDirect3D.h"
#include "shell/CanvasBox.h"
#include "shell/CommandTexts.h"
#include "shell/FrmAbout.h"
#include "shell/FrmBuild.h"
#include "shell/FrmFont.h"
#include "shell/FrmFullScreen.h"
#include "shell/FrmMain.h"
#include "shell/FrmSetSlideTime.h"
#include "shell/HelpViewer.h"
#include "shell/PictureButton.h"
#include "shell/ProgressWindow.h"
#include "shell/VideoExport.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace pivlo {
namespace {

constexpr int kPointingSteps = 100;
constexpr int kPointingWaitMs = 4;

// Clears a re-entrancy flag when the handler ends, however it ends.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

QList<FileFilter> PngFrameFilter() {
  return {FileFilter{QCoreApplication::translate("pivlo::FrmMain", "透明PNG图片(*.Png)"), QStringLiteral("*.Png")}};
}

}  // namespace

bool FrmMain::Busy() const {
  return model_->flags.BusyFlag;
}

void FrmMain::PicBtn_MouseDown(int index) {
  PictureButton* button = Button(index);
  if (button == nullptr) return;
  button->PaintButton(PictureButton::kPressed);
  hovered_button_ = index;
}

void FrmMain::PicBtn_MouseMove(int index) {
  tool_tips_.Hover(ButtonToolTip(index), model_->settings.is_show_tip);
  if (index == hovered_button_ || index == selected_page_button_) return;
  if (PictureButton* previous = Button(hovered_button_); previous && hovered_button_ != selected_page_button_) {
    previous->PaintButton(PictureButton::kNormal);
  }
  if (PictureButton* button = Button(index)) button->PaintButton(PictureButton::kHover);
  hovered_button_ = index;
}

void FrmMain::EndHover() {
  tool_tips_.EndHover();
  HideToolTip();
  if (hovered_button_ >= 0 && hovered_button_ != selected_page_button_) {
    if (PictureButton* button = Button(hovered_button_)) button->PaintButton(PictureButton::kNormal);
  }
  hovered_button_ = -1;
}

void FrmMain::PicBtn_MouseUp(int index) {
  if (Busy() || releasing_) return;
  FlagScope releasing(releasing_);
  if (index >= kFirstPageButton && index <= kLastPageButton) {
    SelectPageButton(index);
  } else if (PictureButton* button = Button(index)) {
    button->PaintButton(PictureButton::kNormal);
  }
  tool_tips_.EndHover();
  HideToolTip();
  RunButtonAction(index);
}

void FrmMain::SelectPageButton(int index) {
  if (PictureButton* previous = Button(selected_page_button_); previous && selected_page_button_ != index) {
    previous->PaintButton(PictureButton::kNormal);
  }
  if (PictureButton* button = Button(index)) button->PaintButton(PictureButton::kPressed);
  selected_page_button_ = index;
}

void FrmMain::ShowPage(int page) {
  for (int i = 0; i < kPageCount; ++i) pages_[i]->setVisible(i == page);
  pages_[page]->raise();
  visible_page_ = page;
  ShowPictureFields();
  RedrawCanvas();
}

void FrmMain::RunButtonAction(int index) {
  if (index >= kFirstPageButton && index <= kLastPageButton) {
    ShowPage(index - 1);
    return;
  }
  switch (index) {
    case 0:
      if (CheckEnoughPictures(*model_, prompter_, *this)) BuildCommand();
      break;
    case 11: PreviewCommand(); break;
    case 12: OpenProject(*model_, prompter_, *this); break;
    case 13: SaveCommand(); break;
    case 18: ShowFullScreen(); break;
    case 19: pictures_->AddPictureFolder(); break;
    case 20: pictures_->AddPictureFiles(); break;
    case 21: pictures_->DeleteSelectedPictures(); break;
    case 22: pictures_->MoveSelectedUp(); break;
    case 23: pictures_->MoveSelectedDown(); break;
    case 24:
      pictures_->ClearPictures();
      DrawIconButton();  // the custom icon went with the pictures
      break;
    case 25: music_->AddSongFiles(); RefreshMusicLists(); break;
    case 26: music_->DeleteSelectedSongs(); RefreshMusicLists(); break;
    case 27: music_->MoveSelectedUp(); RefreshMusicLists(); break;
    case 28: music_->MoveSelectedDown(); RefreshMusicLists(); break;
    case 29: music_->ClearSongs(); RefreshMusicLists(); break;
    case 30: case 34: case 37: case 38: ChoosePictureFor(index); break;
    case 31: case 35: case 36: case 40: case 41: ShowFontDialog(index); break;
    case 32: case 33:
      for (int k = 0; k < StyleList->count(); ++k) {
        StyleList->item(k)->setCheckState(index == 32 ? Qt::Checked : Qt::Unchecked);
      }
      break;
    case 39:
      music_->ChooseLyricFolder();
      LblLyricFolder->setText(music_->LyricFolderLabel());
      RefreshMusicLists();
      break;
    case 42: ApplyCaptionToAll(); break;
    case 43:
      if (SlideTimeDialogModel::CanOpen(*model_)) {
        FrmSetSlideTime dialog(*model_, [this](qsizetype row) { SelectPicture(int(row) + 1); }, this);
        dialog.exec();
      }
      break;
    case 44: {
      const QString path = ChoosePicture(PngFrameFilter());
      if (!IsPathSet(path)) break;
      model_->settings.picture_frame_image = path;
      last_frame_row_ = -2;  // the custom entry takes the file at once
      ListPicFrame_Click(ListPicFrame->currentRow());
      break;
    }
    case kIconButton: ChooseIcon(); break;
    default: break;
  }
  RefreshProjectInfo();
}

void FrmMain::SaveCommand() {
  QDir().mkpath(ProjectFolder());
  SaveProjectToItsFile(*model_, prompter_, *this);
  RefreshProjectInfo();
}

void FrmMain::BuildCommand() {
  FrmBuild dialog(model_->settings.is_show_tip, build_state_.PackMedia, this);
  PrepareBuildDialog(*model_, build_state_);
  const bool create = dialog.exec() == QDialog::Accepted;
  build_state_.PackMedia = dialog.PackMedia();
  if (create) {
    RunPipeline(true);
  } else {
    build_state_.PreviewMode = true;  // the dialog closed without a build
  }
}

void FrmMain::PreviewCommand() {
  build_state_.PreviewMode = true;
  RunPipeline(false);
}

BuildServices FrmMain::Services() {
  return BuildServices{prompter_, *this, shell_, Direct3DReady(), QString(), QString(), progress_};
}

void FrmMain::RunPipeline(bool from_dialog) {
  BuildServices services = Services();
  if (from_dialog) {
    StartBuildFromDialog(*model_, build_state_, services);
  } else {
    PreviewScreenSaver(*model_, build_state_, services);
  }
  SetSettingText(kInfoName, model_->settings.info[kInfoName]);
}

void FrmMain::SelectSolidBackground() {
  OptBK[0]->setChecked(true);
  ShowBackgroundControls();
}

bool FrmMain::ShowFinishDialog(const QString& summary, bool open_folder) {
  const std::optional<QByteArray> coffee = ReadPackageEntry(QStringLiteral("coffie.gif"));
  FrmFinish dialog(summary, open_folder, coffee ? QImage::fromData(*coffee) : QImage(), this);
  dialog.exec();
  if (dialog.Install()) InstallForThisUser(build_state_.LastOutputPath);
  return dialog.OpenFolder();
}

void FrmMain::InstallForThisUser(const QString& output) {
  QString error;
  const std::optional<InstallResult> result = InstallScreensaver(output, user_places_, &error);
  if (!result) {
    prompter_.ShowMessage(tr("无法设为屏幕保护：") + error, MessageIcon::Error);
    return;
  }
  prompter_.ShowMessage(result->lines.join(u'\n'), result->complete ? MessageIcon::Information : MessageIcon::Warning);
}

void FrmMain::SaveAsCommand() {
  QDir().mkpath(ProjectFolder());
  SaveProject(*model_, prompter_, *this);
  RefreshProjectInfo();
}

QString FrmMain::ChoosePicture(const QList<FileFilter>& filters) {
  FileDialogOptions options;
  options.title = tr("选择图片");
  options.filters = filters.isEmpty() ? QList<FileFilter>{FileFilter{tr("所有支持的图片格式"),
                                                                   QStringLiteral("*.Bmp;*.Jpg;*.Gif;*.Png;*.Tga;*.Pcx;*.Tif")}}
                                      : filters;
  options.start_folder = last_picture_folder_;
  options.preview = FilePreview::kPicture;
  const QStringList chosen = prompter_.GetOpenFileNames(options);
  if (chosen.isEmpty()) return {};
  const QString path = CutAtNul(chosen.first());
  last_picture_folder_ = QFileInfo(path).absolutePath();
  return path;
}

void FrmMain::ChoosePictureFor(int index) {
  QString& stored = index == 30   ? model_->settings.background_picture
                    : index == 34 ? model_->settings.ending_image
                    : index == 37 ? model_->settings.opening_image
                                  : model_->settings.logo_image;
  const QString before = stored;
  const QString chosen = ChoosePicture();
  // Cancelling is how a picture is removed.
  stored = IsPathSet(chosen) ? chosen : QString();
  ShowPicturePaths();
  if (index == 38) return;
  if ((IsPathSet(stored) || IsPathSet(before)) && !model_->pictures.isEmpty()) RedrawCanvas();
}

void FrmMain::ChooseIcon() {
  StartIconChoice();
  FileDialogOptions options;
  options.title = tr("加入图标文件");
  options.filters = {FileFilter{tr("图标文件(*.Ico,*.Exe,*.Dll,*.Icl)"), QStringLiteral("*.Ico;*.Exe;*.Dll;*.Icl")}};
  options.start_folder = last_icon_folder_;
  options.preview = FilePreview::kIcon;
  const QStringList chosen = prompter_.GetOpenFileNames(options);
  // Cancelling keeps the icon chosen before.
  if (chosen.isEmpty()) return;
  last_icon_folder_ = QFileInfo(CutAtNul(chosen.first())).absolutePath();
  ConfirmIconChoice(build_state_);
  DrawIconButton();
}

void FrmMain::ShowFontDialog(int index) {
  const int kind = index == 31   ? FontDialogModel::kCaption
                   : index == 36 ? FontDialogModel::kHeadline
                   : index == 40 ? FontDialogModel::kLyric
                   : index == 41 ? FontDialogModel::kTitle
                                 : FontDialogModel::kLyricLine;
  FrmFont dialog(*model_, kind, prompter_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.State().Store(CurrentPicture() - 1);
  if (kind == FontDialogModel::kHeadline) headline_sample_height_ = HeadlineSampleHeight(*model_, SelectedEntry());
  if (kind == FontDialogModel::kLyric) FitLyricBoxHeight(*model_, PicDst->height());
  if (HasSelectedPicture()) RedrawCanvas();
}

void FrmMain::ApplyCaptionToAll() {
  const ImageEntry* selected = SelectedEntry();
  if (selected == nullptr) return;
  const QString caption = selected->caption;
  const ScreenBox box = selected->caption_box;
  for (ImageEntry& entry : model_->pictures) {
    entry.caption = caption;
    entry.caption_box = box;
  }
  prompter_.ShowMessage(tr("设置完成"), MessageIcon::Information);
}

void FrmMain::ShowFullScreen() {
  if (!HasSelectedPicture()) return;
  TakeScreenFacts(ReadScreenFacts());
  const QSize screen(screen_.width, screen_.height);
  if (!full_screen_) {
    full_screen_ = new FrmFullScreen();
    connect(full_screen_, &FrmFullScreen::Closed, this, [this] { activateWindow(); });
  }
  hide();
  full_screen_->ShowSlide(CanvasComposer().Compose(*model_, CanvasViewAt(screen, true)).image);
  show();
  full_screen_->raise();
}

void FrmMain::PointAtControl(QWidget* control) {
  if (control == nullptr) return;
  const QPoint centre = control->mapToGlobal(control->rect().center());
  const QPoint start = QCursor::pos();
  for (int k = 1; k <= kPointingSteps; ++k) {
    QCursor::setPos(start + (centre - start) * k / kPointingSteps);
    PumpingWait(kPointingWaitMs);
  }
}

void FrmMain::HowTo(int page_button, QWidget* control) {
  if (Busy()) return;
  if (page_button >= 0) PicBtn_MouseUp(page_button);
  PointAtControl(control);
}

void FrmMain::ShowToolTip() {
  const QString text = tool_tips_.PendingText();
  if (text.isEmpty()) return;
  PicToolTip->setText(text);
  PicToolTip->adjustSize();
  // Below and to the right of the pointer, kept inside the window.
  QPoint at = mapFromGlobal(QCursor::pos()) + QPoint(12, 20);
  at.setX(qBound(0, at.x(), qMax(0, width() - PicToolTip->width() - 2)));
  at.setY(qBound(0, at.y(), qMax(0, height() - PicToolTip->height() - 2)));
  PicToolTip->move(at);
  PicToolTip->raise();
  PicToolTip->show();
}

void FrmMain::HideToolTip() {
  if (PicToolTip != nullptr) PicToolTip->hide();
}

void FrmMain::ShowHelpTopic(const QString& topic) {
  if (!help_viewer_) help_viewer_ = new HelpViewer(this);
  if (!help_viewer_->ShowTopic(topic)) shell_.OpenWithDefaultAction(HelpPagePath(QStringLiteral("index")));
}

void FrmMain::OpenHelpFile() {
  // The desktop's browser first; our own viewer where there is none.
  if (!shell_.OpenWithDefaultAction(HelpPagePath(QStringLiteral("index")))) ShowHelpTopic(QStringLiteral("index"));
}

void FrmMain::ShowAbout() {
  FrmAbout about(logo_, this);
  about.exec();
}

void FrmMain::ConnectControls() {
  // Every menu command is dropped while a long operation runs.
  const auto command = [this](QAction* action, std::function<void()> run) {
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
      if (Busy()) return;
      run();
      RefreshProjectInfo();
    });
  };
  command(mnuNewProject, [this] { NewProject(*model_, prompter_, *this); });
  command(mnuOpenProject, [this] { OpenProject(*model_, prompter_, *this); });
  command(mnuSaveProject, [this] { SaveAsCommand(); });
  command(mnuBuildScreenSaver, [this] { BuildCommand(); });
  command(mnuPreview, [this] { PreviewCommand(); });
  command(mnuExportVideo, [this] { ExportShowVideo(*model_, build_state_, Services(), this); });
  connect(mnuExit, &QAction::triggered, this, &QWidget::close);
  connect(mnuTooltips, &QAction::triggered, this, [this](bool on) {
    if (Busy()) on = model_->settings.is_show_tip;  // the check mark stays as it was
    mnuTooltips->setChecked(on);
    model_->settings.is_show_tip = on;
    if (!on) EndHover();
  });
  command(mnuHelpFile, [this] { OpenHelpFile(); });
  command(mnuFAQ, [this] { ShowHelpTopic(QStringLiteral("faq")); });
  command(mnuAbout, [this] { ShowAbout(); });
  ConnectSettingControls();
}

// ProjectView

void FrmMain::ListsCleared() {
  // Another project: the output icon is the program's own again.
  ForgetCustomIcon(build_state_);
  DrawIconButton();
  pictures_->ListsCleared();
  music_->SongsReloaded();
  RefreshMusicLists();
  ShowPictureFields();
}

void FrmMain::PicturesReloaded() {
  pictures_->PicturesReloaded();
  music_->SongsReloaded();
  RefreshMusicLists();
  headline_sample_height_ = HeadlineSampleHeight(*model_, nullptr);
  RefreshProjectInfo();
}

void FrmMain::PointAtAddPictures() {
  SelectPageButton(1);
  ShowPage(0);
  PointAtControl(Button(20));
}

}  // namespace pivlo
