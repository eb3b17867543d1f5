#pragma once

#include "builder/BuildPipeline.h"
#include "builder/BuildState.h"
#include "builder/ScreensaverInstall.h"
#include "core/ProjectModel.h"
#include "core/Prompter.h"
#include "media/PictureList.h"
#include "render/CanvasCompose.h"
#include "render/CanvasDrag.h"
#include "render/EffectSupport.h"
#include "render/HeadlinePreview.h"
#include "shell/DesktopShell.h"
#include "shell/ToolTipClock.h"
#include "shell/WindowScaling.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace pivlo {

class CanvasBox;
class FrmFullScreen;
class HelpViewer;
class MusicListModel;
class PictureButton;
class ProgressWindow;

// The screen as start-up and the timer read it.
struct ScreenFacts {
  int width = 0;   // pixels
  int height = 0;
  int dpi_x = 96;
  int dpi_y = 96;
  int twips_x = 15;  // twips per pixel, to the nearest integer
  int twips_y = 15;
  bool normal_dpi = true;  // 96 dots per inch both ways
};
ScreenFacts ReadScreenFacts();

struct StartupOptions {
  // Tests fix the screen; otherwise the primary screen is read.
  std::optional<ScreenFacts> screen;
  // Where a built screensaver is installed for the user; tests give a temporary home.
  std::optional<UserPlaces> user_places = {};
  // A project file given on the command line, opened as 打开配置 opens one once the event
  // loop runs, so that its messages come over the shown window.
  QString project = {};
};

// The main window: the picture buttons, the eleven settings pages, the lists, the canvas,
// the menus and the tool tips; start-up, the half-second timer and closing. The project
// model lives here for the whole run; the operations live in the libraries below.
class FrmMain : public QMainWindow,
                public BuildView,
                public PictureListView,
                public HeadlinePreviewView {
  Q_OBJECT

 public:
  explicit FrmMain(Prompter& prompter);
  ~FrmMain() override;

  // Start-up. False when the program must end (a resource package is missing).
  bool Form_Load(const StartupOptions& options = {});
  // One tick of Timer1 (every 500 ms).
  void Timer1_Timer();
  // The close request: false keeps the window open.
  bool Form_QueryUnload();
  // Releases everything and empties Temp/.
  void Form_Unload();

  // The picture buttons' mouse handling.
  void PicBtn_MouseDown(int index);
  void PicBtn_MouseMove(int index);
  void PicBtn_MouseUp(int index);
  // Mouse over the window's background or a page: the hover ends.
  void EndHover();

  // Moves the mouse pointer to the control's centre in 100 steps.
  void PointAtControl(QWidget* control);

  ProjectModel& Model() { return *model_; }
  const ProjectModel& Model() const { return *model_; }
  int VisiblePage() const { return visible_page_; }
  int SelectedPageButton() const { return selected_page_button_; }
  int HoveredButton() const { return hovered_button_; }
  PictureButton* Button(int index) const;
  QGroupBox* Page(int index) const { return pages_.at(index); }
  const ToolTipClock& ToolTips() const { return tool_tips_; }
  QLabel* ToolTipBox() const { return PicToolTip; }
  bool WindowScaled() const { return window_scale_.has_value(); }
  std::optional<float> WindowScale() const { return window_scale_; }
  const ScreenFacts& Screen() const { return screen_; }
  const LookFont& Look() const { return look_; }
  int CurrentPicture() const { return pictures_ ? pictures_->CurrentPicture() : 0; }
  PictureList& Pictures() { return *pictures_; }

  // ProjectView
  void ApplySettingsToControls() override;
  void ListsCleared() override;
  void PicturesReloaded() override;
  void PointAtAddPictures() override;
  // BuildView
  void SelectSolidBackground() override;
  bool ShowFinishDialog(const QString& summary, bool open_folder) override;
  // The finish dialog's "设为我的屏幕保护": the screensaver installed, and what was done.
  void InstallForThisUser(const QString& output);

  const BuildState& Build() const { return build_state_; }

  // PictureListView
  void ListChanged() override;
  void StripChanged() override;
  void SetListEnabled(bool enabled) override;
  void LoadPictureFields(int picture) override;
  void DrawPicture(int picture) override;
  void ClearCanvas() override;

  // HeadlinePreviewView
  void RefreshCanvas() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Building the window.
  void BuildWindow();
  void BuildMenus();
  QWidget* BuildButtonColumn();
  QWidget* BuildCanvasColumn();
  void BuildPages(QWidget* holder);
  QGroupBox* NewPage(int index, const QString& title);
  void BuildPicturePage();
  void BuildMusicPage();
  void BuildBackgroundPage();
  void BuildCaptionPage();
  void BuildHeadlinePage();
  void BuildTransitionPage();
  void BuildLyricPage();
  void BuildTitlePage();
  void BuildInfoPage();
  void BuildOtherPage();
  void BuildWelcomePage();
  PictureButton* NewButton(int index, QWidget* parent);
  QImage ButtonFace(int index) const;
  void SetToolTipText(QWidget* control, const QString& text);
  void ConnectControls();

  // Start-up steps. ScaleMainWindow decides the scale the window is then built at.
  void ScaleMainWindow();
  int Scaled(int design) const { return ScaledLength(design, window_scale_.value_or(1)); }
  void ApplyLook();
  void FitWindowToTarget();
  void FillChoiceLists();
  void FillFrameList(bool frames_found);
  void ProbeGraphics();
  void ShowGraphicsFailure(const QString& status_text);
  void SetWindowIconFromLogo();
  void DrawIconButton();
  // The output's icon, chosen in the icon picker (page button 50).
  void ChooseIcon();

  // Timer duties.
  // The screen's size and twips per pixel as read again.
  void TakeScreenFacts(const ScreenFacts& now);
  void CheckScreenAndTheme();
  void RestyleForTheme();
  void ShowToolTip();
  void HideToolTip();

  // Commands.
  bool Busy() const;
  void RunButtonAction(int index);
  void ShowPage(int page);
  void ChoosePictureFor(int index);
  QString ChoosePicture(const QList<FileFilter>& filters = {});
  void ApplyCaptionToAll();
  void ShowFontDialog(int index);
  void ShowFullScreen();
  void ShowHelpTopic(const QString& topic);
  void OpenHelpFile();
  void ShowAbout();
  void HowTo(int page_button, QWidget* control);
  void SaveCommand();
  // The build dialog, then the build; or the whole-show preview.
  void BuildCommand();
  void PreviewCommand();
  // What the build pipeline is given from here.
  BuildServices Services();
  void RunPipeline(bool from_dialog);
  void SaveAsCommand();

  // Settings handlers and what they redraw.
  // Selects the picture (1-based) alone in the list, as a click on it does.
  void SelectPicture(int picture);
  void ShowPictureFields();
  void RedrawCanvas();
  // What the canvas shows now, composed at `size` (the full-screen view: the screen's).
  CanvasView CanvasViewAt(QSize size, bool full_screen_view) const;
  // The canvas mouse: what the drag rules need to know, and what they show.
  CanvasDragContext DragContext();
  bool CanvasMouseEvent(QEvent* event);
  void ShowDragState();
  // The frame list.
  void ListPicFrame_Click(int row);
  void ShowCustomFrame(bool shown);
  void ResetFrame();
  void PrepareFramePreview();
  void RestoreFrame();
  bool HasSelectedPicture() const;
  ImageEntry* SelectedEntry();
  void ShowTitleKind(int kind, const QString& text);
  void OnBackgroundKind(int index);
  void ShowBackgroundControls();
  void ChooseColourFor(QLabel* label, Colour& colour);
  void PaintColourLabel(QLabel* label, Colour colour);
  void SetLyricStyle(int style);
  void RefreshMusicLists();
  void RefreshProjectInfo();
  void ShowPicturePaths();
  void ConnectSettingControls();
  void SelectPageButton(int index);
  QString SettingText(int index) const;
  void SetSettingText(int index, const QString& text);
  void LeaveTimeBox();
  void LeaveDurationBox(QLineEdit* box, QString& field);

  Prompter& prompter_;
  DesktopShell shell_;
  BuildState build_state_;
  EffectPreviewState effects_;
  CanvasComposer canvas_;
  CanvasDrag drag_;
  std::optional<QRect> canvas_marker_;  // placement 1: the picture's place on the canvas
  QByteArray canvas_frame_;             // the frame scaled to the canvas, for the previews
  int last_frame_row_ = -2;             // the frame list's last position acted on
  std::unique_ptr<ProjectModel> model_;
  std::unique_ptr<MusicListModel> music_;
  std::unique_ptr<PictureList> pictures_;
  ProgressWindow* progress_ = nullptr;
  QTimer timer1_;
  ToolTipClock tool_tips_;
  ScreenFacts screen_;
  UserPlaces user_places_;
  std::optional<float> window_scale_;
  LookFont look_;
  QColor highlight_colour_;
  bool activated_once_ = false;
  bool releasing_ = false;     // a button release is being handled
  int hovered_button_ = -1;
  int selected_page_button_ = -1;
  int visible_page_ = 10;
  int title_kind_ = 1;         // the canvas shows the opening (1) or the ending (2)
  qint32 headline_sample_height_ = 0;
  QString last_picture_folder_;
  QString last_icon_folder_;
  QString dialog_start_folder_;
  QImage logo_;

  std::map<int, PictureButton*> buttons_;
  QWidget* page_holder_ = nullptr;
  std::array<QGroupBox*, 11> pages_{};
  QPointer<FrmFullScreen> full_screen_;
  QPointer<HelpViewer> help_viewer_;

 public:
  // Controls, named as the project's settings name them.
  QLabel* PicToolTip = nullptr;
  QLabel* Banner = nullptr;
  CanvasBox* PicDst = nullptr;
  std::array<QLabel*, 7> PicList{};
  std::array<QLabel*, 7> LblNum{};
  QScrollBar* HScrollPicList = nullptr;
  QLabel* LblProjectInfo = nullptr;

  QListWidget* ImgList = nullptr;
  QComboBox* ComboPhotoScale = nullptr;
  QRadioButton* OptSlideDuration = nullptr;
  QRadioButton* OptSync = nullptr;
  QLineEdit* TxtTime = nullptr;
  QCheckBox* ChkPhotoRandom = nullptr;
  std::array<QRadioButton*, 2> OptPhotoState{};

  QListWidget* MusicList = nullptr;
  std::array<QRadioButton*, 3> OptMusicOrder{};
  QCheckBox* ChkMuteSound = nullptr;

  std::array<QRadioButton*, 3> OptBK{};
  QLabel* LblSolidColor = nullptr;
  QLabel* LblBeginColor = nullptr;
  QLabel* LblEndColor = nullptr;
  QLabel* LblOpeningPicture = nullptr;
  QLabel* LblEndingPicture = nullptr;
  QComboBox* CboBackgroundGradient = nullptr;
  QComboBox* CboBackgroundPictureMode = nullptr;
  QLabel* LblBackgroundPicture = nullptr;
  QGroupBox* FraFrame = nullptr;
  QListWidget* ListPicFrame = nullptr;
  QLabel* LblCustomFrame = nullptr;

  QCheckBox* ChkEnableCaption = nullptr;
  QPlainTextEdit* TxtCaption = nullptr;
  QCheckBox* ChkFilenameAsCaption = nullptr;

  QCheckBox* ChkEnableFontEffect = nullptr;
  QLineEdit* TxtHeadline = nullptr;
  QListWidget* FontList = nullptr;
  QLabel* Label1_3 = nullptr;  // the note under FontList

  QCheckBox* ChkEnableTransition = nullptr;
  QListWidget* StyleList = nullptr;

  QCheckBox* ChkEnableLyric = nullptr;
  QLabel* LblLyricFolder = nullptr;
  QListWidget* ListLyricFile = nullptr;
  QListWidget* ListLyricStyle = nullptr;
  QLabel* LblLyricDynamicFont = nullptr;

  QCheckBox* ChkEnableOpening = nullptr;
  QCheckBox* ChkEnableEnding = nullptr;
  QPlainTextEdit* TxtTitleOpening = nullptr;
  QPlainTextEdit* TxtTitleEnding = nullptr;
  QLineEdit* TxtOpeningTime = nullptr;
  QLineEdit* TxtEndingTime = nullptr;
  QListWidget* ListTitleStyle = nullptr;

  std::array<QWidget*, 6> TxtSetting{};  // QLineEdit, except the description (4)

  QCheckBox* ChkIgnoreMouseMove = nullptr;
  QCheckBox* ChkIgnoreMouseEvents = nullptr;
  QCheckBox* ChkExport = nullptr;
  QLineEdit* TxtExportPW = nullptr;
  QLabel* LblLogo = nullptr;

  QAction* mnuNewProject = nullptr;
  QAction* mnuOpenProject = nullptr;
  QAction* mnuSaveProject = nullptr;
  QAction* mnuBuildScreenSaver = nullptr;
  QAction* mnuPreview = nullptr;
  QAction* mnuExportVideo = nullptr;
  QAction* mnuExit = nullptr;
  std::array<QAction*, 10> mnuPages{};  // mnuPhoto .. mnuOtherSettings
  QAction* mnuTooltips = nullptr;
  QAction* mnuHelpFile = nullptr;
  QAction* mnuFAQ = nullptr;
  QAction* mnuAbout = nullptr;
};

}  // namespace pivlo
