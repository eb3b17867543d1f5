// Start-up, the half-second timer and closing of the main window.

#include "builder/RuntimeLibrary.h"
#include "builder/basReplaceIcon.h"
#include "builder/basResourcePackages.h"
#include "core/AppFolders.h"
#include "core/FolderFiles.h"
#include "core/ProjectFiles.h"
#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "core/Version.h"
#include "media/MusicListModel.h"
#include "media/basGdiPlus.h"
#include "render/TextBoxFitting.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"
#include "shell/CanvasBox.h"
#include "shell/CommandTexts.h"
#include "shell/FrmAbout.h"
#include "shell/FrmFullScreen.h"
#include "shell/FrmMain.h"
#include "shell/HelpViewer.h"
#include "shell/PictureButton.h"
#include "shell/ProgressWindow.h"
#include "shell/SystemLook.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>

namespace pivlo {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kNormalDpi = 96;
const QString kFailureStyle = QStringLiteral("color: #d00000;");

QImage PackageImage(const QString& name) {
  const std::optional<QByteArray> bytes = ReadPackageEntry(name);
  return bytes ? QImage::fromData(*bytes) : QImage();
}

void FillList(QListWidget* list, const QStringList& entries) {
  list->clear();
  list->addItems(entries);
}

}  // namespace

ScreenFacts ReadScreenFacts() {
  ScreenFacts facts;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return facts;
  facts.width = screen->geometry().width();
  facts.height = screen->geometry().height();
  facts.dpi_x = RoundToInt32(screen->logicalDotsPerInchX());
  facts.dpi_y = RoundToInt32(screen->logicalDotsPerInchY());
  facts.twips_x = RoundToInt32(double(kTwipsPerInch) / qMax(1, facts.dpi_x));
  facts.twips_y = RoundToInt32(double(kTwipsPerInch) / qMax(1, facts.dpi_y));
  facts.normal_dpi = facts.dpi_x == kNormalDpi && facts.dpi_y == kNormalDpi;
  return facts;
}

bool FrmMain::Form_Load(const StartupOptions& options) {
  // The picture library, then the program's own pictures: without them there is no window.
  if (!StartGdiPlus(prompter_)) return false;
  if (!LoadPackageIndex(prompter_)) return false;
  logo_ = PackageImage(QStringLiteral("Logo.gif"));
  SetRainbowPicture(ReadPackageEntry(QStringLiteral("rainbow.jpg")).value_or(QByteArray()));

  screen_ = options.screen.value_or(ReadScreenFacts());
  user_places_ = options.user_places.value_or(UserPlaces::OfThisUser());
  ScaleMainWindow();
  BuildWindow();
  FitWindowToTarget();

  highlight_colour_ = QApplication::palette().color(QPalette::Highlight);
  ApplyLook();

  ModelEnvironment environment;
  environment.screen_width = screen_.width;
  environment.screen_height = screen_.height;
  environment.default_font = DefaultTextFontName(look_.face);
  const TextStyle lyric = DefaultTextStyle(kLyricSlot, environment.default_font);
  environment.lyric_line_height = LineSampleHeight(lyric.font_name, lyric.size, lyric.style_flags);
  model_ = std::make_unique<ProjectModel>(environment);
  model_->flags.SettingsOnlyRead = true;
  music_ = std::make_unique<MusicListModel>(*model_, prompter_, *progress_);
  pictures_ = std::make_unique<PictureList>(*model_, prompter_, *progress_, *this, PicList[0]->contentsRect().size(),
                                            QDir::homePath());
  StripChanged();
  setWindowTitle(ProductName() + VersionText());

  FillChoiceLists();
  model_->flags.LoadingFlag = true;
  LoadFrameIndex();
  FillFrameList(FramePackagesFound());
  model_->flags.LoadingFlag = false;

  ProbeGraphics();
  headline_sample_height_ = HeadlineSampleHeight(*model_, nullptr);

  ApplySettingsToControls();
  ReadSettingsFile(*model_, *this);
  model_->flags.SettingsOnlyRead = false;

  QDir().mkpath(ProjectFolder());
  PrepareEmptyFolder(TempFolder());

  SetWindowIconFromLogo();
  DrawIconButton();
  dialog_start_folder_ = QDir::homePath();
  last_picture_folder_ = dialog_start_folder_;
  RedrawCanvas();
  timer1_.start();
  if (!options.project.isEmpty()) {
    QTimer::singleShot(0, this, [this, path = options.project] {
      OpenProjectFile(*model_, prompter_, *this, path);
      RefreshProjectInfo();
    });
  }
  return true;
}

void FrmMain::ScaleMainWindow() {
  // The controls of fixed size (buttons, canvas, strip) are made at this scale; the
  // layouts place them and the rest.
  window_scale_ = MainWindowScale(screen_.dpi_y, screen_.height);
}

void FrmMain::FitWindowToTarget() {
  // The target is the whole window; the frame the window manager adds is known once shown.
  const QSize target = ScaledWindowSize(window_scale_.value_or(1));
  const QSize frame = frameGeometry().size() - geometry().size();
  resize(target - frame);
}

void FrmMain::ApplyLook() {
  look_ = ApplySystemLook(*this, WindowScaled());
  QPalette tip = palette();
  tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
  PicToolTip->setPalette(tip);
  PicToolTip->setFont(LookFontToQFont(look_));
  menuBar()->setPalette(palette());
  // The canvas column's note keeps the placeholder tone of the new palette.
  LblProjectInfo->setPalette(palette());
}

void FrmMain::FillChoiceLists() {
  ComboPhotoScale->clear();
  ComboPhotoScale->addItems(PhotoScaleChoices());
  ComboPhotoScale->setCurrentIndex(3);
  CboBackgroundGradient->clear();
  CboBackgroundGradient->addItems(GradientChoices());
  CboBackgroundGradient->setCurrentIndex(1);
  CboBackgroundPictureMode->clear();
  CboBackgroundPictureMode->addItems(BackgroundPictureChoices());
  CboBackgroundPictureMode->setCurrentIndex(0);

  model_->flags.LoadingFlag = true;
  FillList(ListLyricStyle, LyricStyleChoices());
  ListLyricStyle->setCurrentRow(1);
  FillList(ListTitleStyle, TitleStyleChoices());
  ListTitleStyle->setCurrentRow(1);
  FillList(FontList, HeadlineEffectChoices());
  FontList->setCurrentRow(0);
  FillList(StyleList, TransitionChoices());
  for (int k = StyleList->count() - 1; k >= 0; --k) StyleList->item(k)->setCheckState(Qt::Checked);
}

void FrmMain::FillFrameList(bool frames_found) {
  ListPicFrame->clear();
  ListPicFrame->addItem(NoFrameEntry());
  if (frames_found) {
    for (const FrameIndexEntry& frame : FrameIndex()) ListPicFrame->addItem(frame.frame.name);
  } else {
    ListPicFrame->addItem(TestFrameEntry());
  }
  ListPicFrame->addItem(CustomFrameEntry());
  ListPicFrame->addItem(DownloadFramesEntry());
  ListPicFrame->setCurrentRow(0);
}

void FrmMain::ProbeGraphics() {
  InitDirect3D(*PicDst, RuntimeLibraryPath());
  const QString text = Direct3DStatusText(Direct3DStatus(), RuntimeLibraryFileName());
  if (!text.isEmpty() && !Direct3DReady()) ShowGraphicsFailure(text);
}

void FrmMain::ShowGraphicsFailure(const QString& status_text) {
  for (QGroupBox* group : {FraFrame, pages_[4], pages_[5]}) {
    group->setTitle(status_text);
    group->setStyleSheet(QStringLiteral("QGroupBox::title { %1 }").arg(kFailureStyle));
  }
  OptPhotoState[1]->setText(tr("初始化失败"));
  OptPhotoState[1]->setStyleSheet(kFailureStyle);
  ListPicFrame->setEnabled(false);
  SetToolTipText(StyleList, EffectListToolTip(status_text));
  SetToolTipText(FontList, EffectListToolTip(status_text));
}

void FrmMain::SetWindowIconFromLogo() {
  // The program's mark is the square at the left of its about picture.
  if (logo_.isNull()) return;
  const int side = qMin(logo_.height(), logo_.width());
  const int inset = side * 15 / 100;
  setWindowIcon(QIcon(QPixmap::fromImage(logo_.copy(inset, inset, side - 2 * inset, side - 2 * inset))));
}

void FrmMain::DrawIconButton() {
  // The icon the output gets: the one the user confirmed, else the program's own.
  PictureButton* button = Button(kIconButton);
  if (button == nullptr) return;
  const QString custom = ConfirmedIconPath(build_state_);
  const QImage icon = custom.isEmpty() ? QImage() : QIcon(custom).pixmap(32, 32).toImage();
  button->SetOverlay(icon.isNull() ? windowIcon().pixmap(32, 32).toImage() : icon);
}

bool FrmMain::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !activated_once_) {
    activated_once_ = true;
    FitWindowToTarget();
    // A window as wide or as high as the screen starts at its left or top edge.
    QPoint corner = frameGeometry().topLeft();
    if (frameGeometry().width() >= screen_.width) corner.setX(0);
    if (frameGeometry().height() >= screen_.height) corner.setY(0);
    if (corner != frameGeometry().topLeft()) move(corner);
  }
  return QMainWindow::event(event);
}

void FrmMain::Timer1_Timer() {
  if (model_->flags.BusyFlag) return;
  if (Direct3DReady()) CheckDevice();
  ++model_->flags.TickCount;
  switch (tool_tips_.Tick(model_->settings.is_show_tip)) {
    case ToolTipClock::Action::Show: ShowToolTip(); break;
    case ToolTipClock::Action::Hide: HideToolTip(); break;
    case ToolTipClock::Action::None: break;
  }
  if (model_->flags.TickCount % 4 == 0) CheckScreenAndTheme();
  AutoSaveIfDue(*model_, prompter_);
}

void FrmMain::TakeScreenFacts(const ScreenFacts& now) {
  if (now.width == 0) return;  // no screen to read
  screen_.width = now.width;
  screen_.height = now.height;
  screen_.twips_x = now.twips_x;
  screen_.twips_y = now.twips_y;
  model_->screen_width = now.width;
  model_->screen_height = now.height;
}

void FrmMain::CheckScreenAndTheme() {
  const ScreenFacts now = ReadScreenFacts();
  if (now.width != screen_.width) TakeScreenFacts(now);
  const QColor highlight = QApplication::palette().color(QPalette::Highlight);
  if (highlight != highlight_colour_) {
    highlight_colour_ = highlight;
    RestyleForTheme();
  }
}

void FrmMain::RestyleForTheme() {
  showMinimized();
  ApplyLook();
  DrawIconButton();
  pictures_->RedrawThumbnails();
  RedrawCanvas();
  showNormal();
}

bool FrmMain::Form_QueryUnload() {
  return QueryCloseProject(*model_, prompter_, *this);
}

void FrmMain::closeEvent(QCloseEvent* event) {
  if (!model_ || !timer1_.isActive()) {
    event->accept();
    return;
  }
  if (!Form_QueryUnload()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void FrmMain::Form_Unload() {
  timer1_.stop();
  if (Direct3DReady()) ReleaseDirect3D();
  ShutdownGdiPlus();
  ClearFolderFiles(TempFolder());
  if (full_screen_) full_screen_->close();
  if (help_viewer_) help_viewer_->close();
}

}  // namespace pivlo
