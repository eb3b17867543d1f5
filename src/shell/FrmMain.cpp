#include "shell/FrmMain.h"

#include "builder/basResourcePackages.h"
#include "media/MusicListModel.h"
#include "render/basDirect3D.h"
#include "shell/CanvasBox.h"
#include "shell/CommandTexts.h"
#include "shell/FrmFullScreen.h"
#include "shell/HelpViewer.h"
#include "shell/PictureButton.h"
#include "shell/ProgressWindow.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace pivlo {
namespace {

// The canvas and the thumbnail strip below it, in pixels of the design size.
constexpr QSize kCanvasSize(480, 360);
constexpr QSize kStripBoxSize(64, 48);
constexpr int kBannerHeight = 72;

// The banner picture, continued to the right edge by its own last column.
class BannerLabel : public QLabel {
 public:
  using QLabel::QLabel;
  void SetBanner(const QImage& banner) {
    banner_ = banner;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (banner_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize shown = banner_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint(0, 0), shown);
    p.drawImage(target, banner_);
    if (shown.width() < width()) {
      const QImage edge = banner_.copy(banner_.width() - 1, 0, 1, banner_.height());
      p.drawImage(QRect(shown.width(), 0, width() - shown.width(), shown.height()), edge);
    }
  }

 private:
  QImage banner_;
};

}  // namespace

FrmMain::FrmMain(Prompter& prompter) : prompter_(prompter) {
  setObjectName(QStringLiteral("FrmMain"));
  timer1_.setInterval(500);
  connect(&timer1_, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
}

FrmMain::~FrmMain() {
  // The device draws on the canvas, which goes with the window.
  if (Direct3DReady()) ReleaseDirect3D();
  if (full_screen_) delete full_screen_;
}

PictureButton* FrmMain::Button(int index) const {
  const auto found = buttons_.find(index);
  return found == buttons_.end() ? nullptr : found->second;
}

QImage FrmMain::ButtonFace(int index) const {
  const std::optional<QByteArray> bytes = ReadPackageEntry(QString::number(index + 1) + QStringLiteral(".png"));
  return bytes ? QImage::fromData(*bytes) : QImage();
}

PictureButton* FrmMain::NewButton(int index, QWidget* parent) {
  auto* button = new PictureButton(index, ButtonFace(index), PageButtonLabel(index), parent);
  button->ApplyScale(window_scale_.value_or(1));
  buttons_[index] = button;
  connect(button, &PictureButton::MouseDown, this, &FrmMain::PicBtn_MouseDown);
  connect(button, &PictureButton::MouseMove, this, &FrmMain::PicBtn_MouseMove);
  connect(button, &PictureButton::MouseUp, this, [this](int i, bool inside) {
    if (inside) {
      PicBtn_MouseUp(i);
    } else if (Button(i) != nullptr && i != selected_page_button_) {
      Button(i)->PaintButton(PictureButton::kNormal);
    }
  });
  return button;
}

void FrmMain::BuildWindow() {
  BuildMenus();
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("Background"));
  central->setMouseTracking(true);
  central->installEventFilter(this);
  setCentralWidget(central);

  auto* outer = new QHBoxLayout(central);
  outer->setContentsMargins(Scaled(8), Scaled(6), Scaled(8), Scaled(8));
  outer->setSpacing(Scaled(8));
  outer->addWidget(BuildButtonColumn());

  auto* right = new QVBoxLayout();
  right->setSpacing(Scaled(6));
  auto* banner = new BannerLabel(central);
  Banner = banner;
  Banner->setObjectName(QStringLiteral("PicBanner"));
  Banner->setFixedHeight(Scaled(kBannerHeight));
  if (const std::optional<QByteArray> bytes = ReadPackageEntry(QStringLiteral("Copyright.gif"))) {
    banner->SetBanner(QImage::fromData(*bytes));
  }
  right->addWidget(Banner);

  auto* work = new QHBoxLayout();
  work->setSpacing(Scaled(8));
  auto* page_holder = new QWidget(central);
  page_holder->setObjectName(QStringLiteral("PageHolder"));
  BuildPages(page_holder);
  work->addWidget(page_holder, 1);
  work->addWidget(BuildCanvasColumn());
  right->addLayout(work, 1);
  outer->addLayout(right, 1);

  PicToolTip = new QLabel(this);
  PicToolTip->setObjectName(QStringLiteral("PicToolTip"));
  PicToolTip->setAutoFillBackground(true);
  PicToolTip->setFrameShape(QFrame::Box);
  PicToolTip->setMargin(3);
  PicToolTip->setWordWrap(false);
  PicToolTip->hide();

  progress_ = new ProgressWindow(this);
  for (QListWidget* list : {ImgList, MusicList}) {
    list->viewport()->setAcceptDrops(true);
    list->viewport()->installEventFilter(this);
  }
  MusicList->installEventFilter(this);
  ConnectControls();
}

void FrmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(tr("文件(&F)"));
  mnuNewProject = file->addAction(tr("新建屏保(&N)"));
  mnuOpenProject = file->addAction(tr("打开配置(&O)..."));
  mnuSaveProject = file->addAction(tr("配置另存为(&A)..."));
  file->addSeparator();
  mnuBuildScreenSaver = file->addAction(tr("创建并保存屏保(&B)"));
  mnuPreview = file->addAction(tr("预览当前屏保(&P)"));
  mnuExportVideo = file->addAction(tr("导出视频..."));
  file->addSeparator();
  mnuExit = file->addAction(tr("退出(&X)"));
  mnuNewProject->setShortcut(QKeySequence::New);
  mnuOpenProject->setShortcut(QKeySequence::Open);

  QMenu* edit = bar->addMenu(tr("编辑(&E)"));
  const char* const names[] = {"mnuPhoto",   "mnuMusic", "mnuScreen", "mnuCaption",       "mnuHeadline",
                               "mnuTransition", "munLyric", "mnuOpeningEnding", "mnuInfo", "mnuOtherSettings"};
  for (int i = 0; i < 10; ++i) {
    mnuPages[i] = edit->addAction(PageButtonLabel(i + kFirstPageButton));
    mnuPages[i]->setObjectName(QString::fromLatin1(names[i]));
    connect(mnuPages[i], &QAction::triggered, this, [this, i] { PicBtn_MouseUp(i + kFirstPageButton); });
  }

  QMenu* help = bar->addMenu(tr("帮助(&H)"));
  QMenu* how_to = help->addMenu(tr("怎样..."));
  struct HowToEntry {
    const char* name;
    QString text;
    int page_button;
    std::function<QWidget*()> control;
  };
  const HowToEntry entries[] = {
      {"mnuHowToAddPhoto", tr("怎样添加图片"), 1, [this] { return Button(20); }},
      {"mnuHowToAddMusic", tr("怎样添加音乐"), 2, [this] { return Button(25); }},
      {"mnuHowToAddLyric", tr("怎样添加歌词"), 7, [this] { return Button(39); }},
      {"mnuHowToBackground", tr("怎样设置背景"), 3, [this] { return OptBK[0]; }},
      {"mnuHowToBuild", tr("怎样创建屏保"), -1, [this] { return Button(0); }},
      {"mnuHowToFrame", tr("怎样添加相框"), 3, [this] { return ListPicFrame; }},
      {"mnuHowToPhotoPos", tr("怎样设置图片显示方式"), 1, [this] { return ComboPhotoScale; }},
      {"HowToCaption", tr("怎样添加静态文字"), 4, [this] { return TxtCaption; }},
      {"HowToHeadline", tr("怎样添加动态文字"), 5, [this] { return TxtHeadline; }},
  };
  for (const HowToEntry& entry : entries) {
    QAction* action = how_to->addAction(entry.text);
    action->setObjectName(QString::fromLatin1(entry.name));
    connect(action, &QAction::triggered, this,
            [this, page = entry.page_button, control = entry.control] { HowTo(page, control()); });
  }
  help->addSeparator();
  mnuTooltips = help->addAction(tr("显示按钮提示(&T)"));
  mnuTooltips->setCheckable(true);
  help->addSeparator();
  mnuHelpFile = help->addAction(tr("帮助主题(&H)"));
  mnuHelpFile->setShortcut(QKeySequence::HelpContents);
  mnuFAQ = help->addAction(tr("常见问题(&Q)"));
  help->addSeparator();
  mnuAbout = help->addAction(tr("关于 Pivlo(&A)"));

  mnuNewProject->setObjectName(QStringLiteral("mnuNewProject"));
  mnuOpenProject->setObjectName(QStringLiteral("mnuOpenProject"));
  mnuSaveProject->setObjectName(QStringLiteral("mnuSaveProject"));
  mnuBuildScreenSaver->setObjectName(QStringLiteral("mnuBuildScreenSaver"));
  mnuPreview->setObjectName(QStringLiteral("mnuPreview"));
  mnuExit->setObjectName(QStringLiteral("mnuExit"));
  mnuTooltips->setObjectName(QStringLiteral("mnuTooltips"));
  mnuHelpFile->setObjectName(QStringLiteral("mnuHelpFile"));
  mnuFAQ->setObjectName(QStringLiteral("mnuFAQ"));
  mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

QWidget* FrmMain::BuildButtonColumn() {
  auto* column = new QWidget(centralWidget());
  column->setObjectName(QStringLiteral("ButtonColumn"));
  column->setMouseTracking(true);
  column->installEventFilter(this);
  auto* grid = new QGridLayout(column);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  // The ten pages in pairs, then the project commands.
  for (int k = kFirstPageButton; k <= kLastPageButton; ++k) {
    grid->addWidget(NewButton(k, column), (k - 1) / 2, (k - 1) % 2, Qt::AlignCenter);
  }
  auto* line = new QFrame(column);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  grid->addWidget(line, 5, 0, 1, 2);
  grid->addWidget(NewButton(12, column), 6, 0, Qt::AlignCenter);
  grid->addWidget(NewButton(13, column), 6, 1, Qt::AlignCenter);
  grid->addWidget(NewButton(11, column), 7, 0, Qt::AlignCenter);
  grid->addWidget(NewButton(0, column), 7, 1, Qt::AlignCenter);
  grid->setRowStretch(8, 1);
  return column;
}

QWidget* FrmMain::BuildCanvasColumn() {
  auto* column = new QWidget(centralWidget());
  column->setObjectName(QStringLiteral("CanvasColumn"));
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  PicDst = new CanvasBox(column);
  PicDst->SetCanvasSize(QSize(Scaled(kCanvasSize.width()), Scaled(kCanvasSize.height())));
  PicDst->installEventFilter(this);
  layout->addWidget(PicDst);

  auto* strip = new QGridLayout();
  strip->setHorizontalSpacing(4);
  strip->setVerticalSpacing(1);
  for (int k = 0; k < 7; ++k) {
    PicList[k] = new QLabel(column);
    PicList[k]->setObjectName(QStringLiteral("PicList%1").arg(k));
    PicList[k]->setFixedSize(Scaled(kStripBoxSize.width()), Scaled(kStripBoxSize.height()));
    PicList[k]->setFrameShape(QFrame::StyledPanel);
    PicList[k]->setAlignment(Qt::AlignCenter);
    PicList[k]->setAutoFillBackground(true);
    PicList[k]->setBackgroundRole(QPalette::Base);
    LblNum[k] = new QLabel(column);
    LblNum[k]->setObjectName(QStringLiteral("LblNum%1").arg(k));
    LblNum[k]->setAlignment(Qt::AlignCenter);
    LblNum[k]->setText(QString::number(k + 1));
    strip->addWidget(PicList[k], 0, k, Qt::AlignCenter);
    strip->addWidget(LblNum[k], 1, k, Qt::AlignCenter);
  }
  layout->addLayout(strip);
  HScrollPicList = new QScrollBar(Qt::Horizontal, column);
  HScrollPicList->setObjectName(QStringLiteral("HScrollPicList"));
  HScrollPicList->setRange(7, 7);
  layout->addWidget(HScrollPicList);

  LblProjectInfo = new QLabel(column);
  LblProjectInfo->setObjectName(QStringLiteral("LblProjectInfo"));
  LblProjectInfo->setFrameShape(QFrame::StyledPanel);
  LblProjectInfo->setMargin(6);
  LblProjectInfo->setWordWrap(true);
  LblProjectInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LblProjectInfo->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
  layout->addWidget(LblProjectInfo, 1);
  return column;
}

void FrmMain::SetToolTipText(QWidget* control, const QString& text) {
  // Lists and text boxes receive the mouse in their viewport.
  QWidget* target = control;
  if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) target = area->viewport();
  target->setProperty("pivloTip", text);
  target->setMouseTracking(true);
  target->installEventFilter(this);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  // Events arrive while the window is still being built.
  if (!model_) return QMainWindow::eventFilter(watched, event);
  if (watched == PicDst && CanvasMouseEvent(event)) return true;
  if (watched == MusicList->viewport() || watched == ImgList->viewport()) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (drag->mimeData()->hasUrls()) {
        drag->acceptProposedAction();
        return true;
      }
    }
    if (event->type() == QEvent::Drop) {
      QStringList files;
      for (const QUrl& url : static_cast<QDropEvent*>(event)->mimeData()->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
      }
      if (watched == MusicList->viewport()) {
        music_->AddDroppedSongs(files);
        RefreshMusicLists();
      } else {
        pictures_->AddDroppedPictures(files);
      }
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == MusicList && key == Qt::Key_Delete) {
      music_->DeleteSelectedSongs();
      RefreshMusicLists();
      return true;
    }
    if (watched == ImgList && key == Qt::Key_Delete) {
      pictures_->DeleteSelectedPictures();
      return true;
    }
    if (std::find(PicList.begin(), PicList.end(), watched) != PicList.end()) {
      pictures_->StripKey(key);
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonPress) {
    const auto box = std::find(PicList.begin(), PicList.end(), watched);
    if (box != PicList.end()) pictures_->StripClick(int(box - PicList.begin()));
  }
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == LblSolidColor) ChooseColourFor(LblSolidColor, model_->settings.solid_color);
    if (watched == LblBeginColor) ChooseColourFor(LblBeginColor, model_->settings.begin_color);
    if (watched == LblEndColor) ChooseColourFor(LblEndColor, model_->settings.end_color);
  }
  if (event->type() == QEvent::MouseButtonPress) {
    if (watched == TxtTitleOpening->viewport()) ShowTitleKind(1, model_->settings.title_opening);
    if (watched == TxtTitleEnding->viewport()) ShowTitleKind(2, model_->settings.title_ending);
  }
  if (event->type() == QEvent::MouseMove) {
    const QVariant tip = watched->property("pivloTip");
    if (tip.isValid()) {
      QString text = tip.toString();
      if (watched == ListLyricFile->viewport()) text = music_->LyricListHint();
      tool_tips_.Hover(text, model_->settings.is_show_tip);
    } else if (watched == centralWidget() || watched->objectName().startsWith(QStringLiteral("FraCT")) ||
               watched->objectName() == QStringLiteral("ButtonColumn")) {
      EndHover();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace pivlo
