// The eleven settings pages of the main window (FraCT 0 to 10).

#include "shell/CommandTexts.h"
#include "shell/FrmMain.h"
#include "shell/PictureButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace pivlo {
namespace {

constexpr int kNumberBoxWidth = 56;
constexpr int kColourSwatch = 44;

QVBoxLayout* PageLayout(QGroupBox* page) {
  return static_cast<QVBoxLayout*>(page->layout());
}

QLabel* NewLabel(const QString& text, QWidget* parent, const QString& name = QString()) {
  auto* label = new QLabel(text, parent);
  if (!name.isEmpty()) label->setObjectName(name);
  return label;
}

QCheckBox* NewCheck(const QString& name, const QString& text, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  return box;
}

QRadioButton* NewOption(const QString& name, const QString& text, QWidget* parent) {
  auto* option = new QRadioButton(text, parent);
  option->setObjectName(name);
  return option;
}

QLineEdit* NewNumberBox(const QString& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(kNumberBoxWidth);
  box->setAlignment(Qt::AlignRight);
  return box;
}

QListWidget* NewList(const QString& name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return list;
}

QLabel* NewColourLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFixedSize(kColourSwatch, 22);
  label->setFrameShape(QFrame::Box);
  label->setAutoFillBackground(true);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

// A row of widgets, left-aligned.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);
  for (QWidget* widget : widgets) row->addWidget(widget);
  if (stretch) row->addStretch(1);
  return row;
}

// A picture's button, and the label naming the chosen file in the rest of the row.
QHBoxLayout* PictureRow(QWidget* button, QLabel* label) {
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  QHBoxLayout* row = Row({button}, false);
  row->addWidget(label, 1);
  return row;
}

QLabel* Note(const QString& text, QWidget* parent, const QString& name = QString()) {
  QLabel* note = NewLabel(text, parent, name);
  note->setWordWrap(true);
  note->setForegroundRole(QPalette::PlaceholderText);
  return note;
}

}  // namespace

QGroupBox* FrmMain::NewPage(int index, const QString& title) {
  auto* page = new QGroupBox(title, page_holder_);
  page->setObjectName(QStringLiteral("FraCT%1").arg(index));
  page->setMouseTracking(true);
  page->installEventFilter(this);
  auto* layout = new QVBoxLayout(page);
  layout->setSpacing(6);
  layout->setContentsMargins(Scaled(10), Scaled(12), Scaled(10), Scaled(10));
  pages_[index] = page;
  return page;
}

void FrmMain::BuildPages(QWidget* holder) {
  page_holder_ = holder;
  auto* stack = new QStackedLayout(holder);
  stack->setStackingMode(QStackedLayout::StackAll);
  BuildPicturePage();
  BuildMusicPage();
  BuildBackgroundPage();
  BuildCaptionPage();
  BuildHeadlinePage();
  BuildTransitionPage();
  BuildLyricPage();
  BuildTitlePage();
  BuildInfoPage();
  BuildOtherPage();
  BuildWelcomePage();
  for (QGroupBox* page : pages_) {
    stack->addWidget(page);
    page->setVisible(page == pages_[visible_page_]);
  }
}

void FrmMain::BuildPicturePage() {
  QGroupBox* page = NewPage(0, PageButtonLabel(1));
  QVBoxLayout* layout = PageLayout(page);
  layout->addLayout(Row({NewButton(20, page), NewButton(19, page), NewButton(21, page), NewButton(22, page),
                         NewButton(23, page), NewButton(24, page)}));
  ImgList = NewList(QStringLiteral("ImgList"), page);
  ImgList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ImgList->setAcceptDrops(true);
  layout->addWidget(ImgList, 1);
  layout->addWidget(Note(tr("可以把图片文件直接拖放到列表中"), page));

  layout->addLayout(Row({NewButton(18, page), NewLabel(tr("全屏预览当前图片"), page)}));
  ComboPhotoScale = new QComboBox(page);
  ComboPhotoScale->setObjectName(QStringLiteral("ComboPhotoScale"));
  layout->addLayout(Row({NewLabel(tr("图片显示方式："), page), ComboPhotoScale}));

  auto* timing = new QButtonGroup(page);
  OptSlideDuration = NewOption(QStringLiteral("OptSlideDuration"), tr("指定图片播放的间隔时间(秒)"), page);
  OptSync = NewOption(QStringLiteral("OptSync"), tr("图片播放时间和音乐同步(约10 - 15秒)"), page);
  timing->addButton(OptSlideDuration);
  timing->addButton(OptSync);
  TxtTime = NewNumberBox(QStringLiteral("TxtTime"), page);
  layout->addWidget(OptSlideDuration);
  auto* time_row = Row({TxtTime, NewLabel(tr("秒"), page)});
  time_row->insertSpacing(0, 20);
  layout->addLayout(time_row);
  auto* own_times = Row({NewButton(43, page), NewLabel(tr("单独设置每张图片的时间"), page)});
  own_times->insertSpacing(0, 20);
  layout->addLayout(own_times);
  layout->addWidget(OptSync);
  SetToolTipText(OptSync, SyncToolTip());

  ChkPhotoRandom = NewCheck(QStringLiteral("ChkPhotoRandom"), tr("随机不重复地循环显示图片"), page);
  layout->addWidget(ChkPhotoRandom);

  auto* state = new QButtonGroup(page);
  OptPhotoState[0] = NewOption(QStringLiteral("OptPhotoState0"), tr("静止显示"), page);
  OptPhotoState[1] = NewOption(QStringLiteral("OptPhotoState1"), tr("动态漂移"), page);
  state->addButton(OptPhotoState[0], 0);
  state->addButton(OptPhotoState[1], 1);
  layout->addWidget(NewLabel(tr("图片状态："), page));
  auto* states = Row({OptPhotoState[0], OptPhotoState[1]});
  states->insertSpacing(0, 20);
  layout->addLayout(states);
}

void FrmMain::BuildMusicPage() {
  QGroupBox* page = NewPage(1, PageButtonLabel(2));
  QVBoxLayout* layout = PageLayout(page);
  layout->addLayout(Row({NewButton(25, page), NewButton(26, page), NewButton(27, page), NewButton(28, page),
                         NewButton(29, page)}));
  MusicList = NewList(QStringLiteral("MusicList"), page);
  MusicList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  MusicList->setAcceptDrops(true);
  layout->addWidget(MusicList, 1);
  layout->addWidget(Note(tr("支持 MP3、WMA、WAV 和 MIDI 音乐，可直接拖放到列表中"), page));

  auto* order = new QGroupBox(tr("播放顺序"), page);
  auto* order_layout = new QVBoxLayout(order);
  const QString texts[] = {tr("按顺序播放音乐文件"), tr("随机播放音乐文件"), tr("在列表中随机选择一首歌曲播放")};
  for (int i = 0; i < 3; ++i) {
    OptMusicOrder[i] = NewOption(QStringLiteral("OptMusicOrder%1").arg(i), texts[i], order);
    order_layout->addWidget(OptMusicOrder[i]);
  }
  layout->addWidget(order);
  ChkMuteSound = NewCheck(QStringLiteral("ChkMuteSound"), tr("静音(禁止播放音乐)"), page);
  layout->addWidget(ChkMuteSound);
}

void FrmMain::BuildBackgroundPage() {
  QGroupBox* page = NewPage(2, PageButtonLabel(3));
  QVBoxLayout* layout = PageLayout(page);
  auto* kinds = new QButtonGroup(page);
  const QString texts[] = {tr("单一颜色"), tr("渐变颜色"), tr("背景图片")};
  for (int i = 0; i < 3; ++i) {
    OptBK[i] = NewOption(QStringLiteral("OptBK%1").arg(i), texts[i], page);
    kinds->addButton(OptBK[i], i);
  }
  LblSolidColor = NewColourLabel(QStringLiteral("LblSolidColor"), page);
  LblBeginColor = NewColourLabel(QStringLiteral("LblBeginColor"), page);
  LblEndColor = NewColourLabel(QStringLiteral("LblEndColor"), page);
  SetToolTipText(LblSolidColor, SolidColorToolTip());
  SetToolTipText(LblBeginColor, GradientColorToolTip());
  SetToolTipText(LblEndColor, GradientColorToolTip());
  CboBackgroundGradient = new QComboBox(page);
  CboBackgroundGradient->setObjectName(QStringLiteral("CboBackgroundGradient"));
  CboBackgroundPictureMode = new QComboBox(page);
  CboBackgroundPictureMode->setObjectName(QStringLiteral("CboBackgroundPictureMode"));
  LblBackgroundPicture = NewLabel(QString(), page, QStringLiteral("LblBackgroundPicture"));
  LblBackgroundPicture->setForegroundRole(QPalette::PlaceholderText);

  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->addWidget(OptBK[0], 0, 0);
  grid->addLayout(Row({LblSolidColor}), 0, 1);
  grid->addWidget(OptBK[1], 1, 0);
  grid->addLayout(Row({LblBeginColor, LblEndColor, CboBackgroundGradient}), 1, 1);
  grid->addWidget(OptBK[2], 2, 0);
  grid->addLayout(Row({NewButton(30, page), CboBackgroundPictureMode}), 2, 1);
  grid->addWidget(LblBackgroundPicture, 3, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  FraFrame = new QGroupBox(tr("相框"), page);
  FraFrame->setObjectName(QStringLiteral("FraFrame"));
  auto* frame_layout = new QVBoxLayout(FraFrame);
  ListPicFrame = NewList(QStringLiteral("ListPicFrame"), FraFrame);
  frame_layout->addWidget(ListPicFrame, 1);
  LblCustomFrame = NewLabel(tr("选择透明PNG相框文件："), FraFrame, QStringLiteral("LblCustomFrame"));
  frame_layout->addLayout(Row({LblCustomFrame, NewButton(44, FraFrame)}));
  layout->addWidget(FraFrame, 1);
}

void FrmMain::BuildCaptionPage() {
  QGroupBox* page = NewPage(3, PageButtonLabel(4));
  QVBoxLayout* layout = PageLayout(page);
  ChkEnableCaption = NewCheck(QStringLiteral("ChkEnableCaption"), tr("显示静态文字"), page);
  layout->addWidget(ChkEnableCaption);
  layout->addWidget(NewLabel(tr("当前图片的静态文字："), page));
  TxtCaption = new QPlainTextEdit(page);
  TxtCaption->setObjectName(QStringLiteral("TxtCaption"));
  SetToolTipText(TxtCaption, CaptionToolTip());
  layout->addWidget(TxtCaption, 1);
  layout->addLayout(Row({NewButton(31, page), NewLabel(tr("字体和颜色"), page)}));
  layout->addLayout(Row({NewButton(42, page), NewLabel(tr("应用到所有图片"), page)}));
  ChkFilenameAsCaption = NewCheck(QStringLiteral("ChkFilenameAsCaption"), tr("取图片文件名作为静态文字"), page);
  layout->addWidget(ChkFilenameAsCaption);
  layout->addWidget(Note(tr("在右边的预览图中拖动文字框可以调整文字的位置和大小"), page));
}

void FrmMain::BuildHeadlinePage() {
  QGroupBox* page = NewPage(4, PageButtonLabel(5));
  QVBoxLayout* layout = PageLayout(page);
  ChkEnableFontEffect = NewCheck(QStringLiteral("ChkEnableFontEffect"), tr("显示动态文字"), page);
  layout->addWidget(ChkEnableFontEffect);
  layout->addWidget(NewLabel(tr("当前图片的动态文字："), page));
  TxtHeadline = new QLineEdit(page);
  TxtHeadline->setObjectName(QStringLiteral("TxtHeadline"));
  SetToolTipText(TxtHeadline, HeadlineToolTip());
  layout->addWidget(TxtHeadline);
  layout->addLayout(Row({NewButton(36, page), NewLabel(tr("字体和颜色"), page)}));
  layout->addWidget(NewLabel(tr("动态文字特效："), page));
  FontList = NewList(QStringLiteral("FontList"), page);
  layout->addWidget(FontList, 1);
  Label1_3 = Note(tr("单击特效名称可在右边预览。标有(#)的特效需要显卡硬件加速。"), page, QStringLiteral("Label1_3"));
  layout->addWidget(Label1_3);
}

void FrmMain::BuildTransitionPage() {
  QGroupBox* page = NewPage(5, PageButtonLabel(6));
  QVBoxLayout* layout = PageLayout(page);
  ChkEnableTransition = NewCheck(QStringLiteral("ChkEnableTransition"), tr("使用图片切换特效"), page);
  layout->addWidget(ChkEnableTransition);
  layout->addWidget(Note(tr("屏保播放时从勾选的特效中随机选用，单击名称可预览"), page));
  StyleList = NewList(QStringLiteral("StyleList"), page);
  layout->addWidget(StyleList, 1);
  layout->addLayout(
      Row({NewButton(32, page), NewLabel(tr("全选"), page), NewButton(33, page), NewLabel(tr("全不选"), page)}));
}

void FrmMain::BuildLyricPage() {
  QGroupBox* page = NewPage(6, PageButtonLabel(7));
  QVBoxLayout* layout = PageLayout(page);
  ChkEnableLyric = NewCheck(QStringLiteral("ChkEnableLyric"), tr("显示歌词"), page);
  layout->addWidget(ChkEnableLyric);
  LblLyricFolder = NewLabel(tr("指定歌词目录："), page, QStringLiteral("LblLyricFolder"));
  LblLyricFolder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* folder_row = new QHBoxLayout();
  folder_row->addWidget(LblLyricFolder, 1);
  folder_row->addWidget(NewButton(39, page));
  layout->addLayout(folder_row);
  ListLyricFile = NewList(QStringLiteral("ListLyricFile"), page);
  SetToolTipText(ListLyricFile, QString());
  layout->addWidget(ListLyricFile, 1);
  layout->addLayout(Row({NewButton(40, page), NewLabel(tr("歌词字体和颜色"), page)}));
  layout->addWidget(NewLabel(tr("歌词样式："), page));
  ListLyricStyle = NewList(QStringLiteral("ListLyricStyle"), page);
  ListLyricStyle->setFixedHeight(Scaled(84));
  layout->addWidget(ListLyricStyle);
  LblLyricDynamicFont = NewLabel(tr("动态歌词颜色"), page, QStringLiteral("LblLyricDynamicFont"));
  layout->addLayout(Row({NewButton(35, page), LblLyricDynamicFont}));
}

void FrmMain::BuildTitlePage() {
  QGroupBox* page = NewPage(7, PageButtonLabel(8));
  QVBoxLayout* layout = PageLayout(page);
  ChkEnableOpening = NewCheck(QStringLiteral("ChkEnableOpening"), tr("显示片头"), page);
  TxtTitleOpening = new QPlainTextEdit(page);
  TxtTitleOpening->setObjectName(QStringLiteral("TxtTitleOpening"));
  TxtOpeningTime = NewNumberBox(QStringLiteral("TxtOpeningTime"), page);
  ChkEnableEnding = NewCheck(QStringLiteral("ChkEnableEnding"), tr("显示片尾"), page);
  TxtTitleEnding = new QPlainTextEdit(page);
  TxtTitleEnding->setObjectName(QStringLiteral("TxtTitleEnding"));
  TxtEndingTime = NewNumberBox(QStringLiteral("TxtEndingTime"), page);
  SetToolTipText(TxtTitleOpening, TitleTextToolTip());
  SetToolTipText(TxtTitleEnding, TitleTextToolTip());

  LblOpeningPicture = NewLabel(tr("片头图片：未选择"), page, QStringLiteral("LblOpeningPicture"));
  layout->addWidget(ChkEnableOpening);
  layout->addLayout(PictureRow(NewButton(37, page), LblOpeningPicture));
  layout->addWidget(TxtTitleOpening, 1);
  layout->addLayout(Row({NewLabel(tr("片头时间："), page), TxtOpeningTime, NewLabel(tr("秒"), page)}));
  LblEndingPicture = NewLabel(tr("片尾图片：未选择"), page, QStringLiteral("LblEndingPicture"));
  layout->addWidget(ChkEnableEnding);
  layout->addLayout(PictureRow(NewButton(34, page), LblEndingPicture));
  layout->addWidget(TxtTitleEnding, 1);
  layout->addLayout(Row({NewLabel(tr("片尾时间："), page), TxtEndingTime, NewLabel(tr("秒"), page)}));
  ListTitleStyle = NewList(QStringLiteral("ListTitleStyle"), page);
  ListTitleStyle->setFixedHeight(Scaled(66));
  layout->addWidget(NewLabel(tr("片头片尾效果："), page));
  layout->addWidget(ListTitleStyle);
  layout->addLayout(Row({NewButton(41, page), NewLabel(tr("片头片尾字体和颜色"), page)}));
}

void FrmMain::BuildInfoPage() {
  QGroupBox* page = NewPage(8, PageButtonLabel(9));
  QVBoxLayout* layout = PageLayout(page);
  auto* form = new QFormLayout();
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setVerticalSpacing(8);
  const QString labels[kInfoCount] = {tr("屏保名称"), tr("作者"), tr("电子邮件"), tr("网站主页"), tr("说明文件"),
                                      tr("版权说明")};
  for (int i = 0; i < kInfoCount; ++i) {
    QWidget* box = nullptr;
    if (i == 4) {
      auto* text = new QPlainTextEdit(page);
      text->setMinimumHeight(120);
      box = text;
    } else {
      box = new QLineEdit(page);
    }
    box->setObjectName(QStringLiteral("TxtSetting%1").arg(i));
    TxtSetting[i] = box;
    form->addRow(labels[i] + QStringLiteral("："), box);
  }
  layout->addLayout(form, 1);
  layout->addSpacing(6);
  layout->addLayout(Row({NewButton(kIconButton, page), NewLabel(tr("自定义屏保文件的图标"), page)}));
}

void FrmMain::BuildOtherPage() {
  QGroupBox* page = NewPage(9, PageButtonLabel(10));
  QVBoxLayout* layout = PageLayout(page);
  ChkIgnoreMouseMove = NewCheck(QStringLiteral("ChkIgnoreMouseMove"), tr("忽略鼠标的移动"), page);
  ChkIgnoreMouseEvents = NewCheck(QStringLiteral("ChkIgnoreMouseEvents"), tr("显示鼠标并且忽略所有鼠标事件"), page);
  ChkExport = NewCheck(QStringLiteral("ChkExport"), tr("允许用户导出屏保的图片和音乐文件"), page);
  TxtExportPW = new QLineEdit(page);
  TxtExportPW->setObjectName(QStringLiteral("TxtExportPW"));
  SetToolTipText(TxtExportPW, ExportPasswordToolTip());
  layout->addWidget(ChkIgnoreMouseMove);
  layout->addWidget(ChkIgnoreMouseEvents);
  layout->addWidget(ChkExport);
  auto* password = Row({NewLabel(tr("导出密码："), page), TxtExportPW}, false);
  password->insertSpacing(0, 20);
  layout->addLayout(password);
  layout->addSpacing(10);
  LblLogo = NewLabel(tr("Logo图片：未选择"), page, QStringLiteral("LblLogo"));
  layout->addLayout(PictureRow(NewButton(38, page), LblLogo));
  layout->addWidget(Note(tr("Logo图片在屏保启动时显示"), page));
  layout->addStretch(1);
}

void FrmMain::BuildWelcomePage() {
  QGroupBox* page = NewPage(10, tr("欢迎"));
  QVBoxLayout* layout = PageLayout(page);
  auto* text = new QLabel(page);
  text->setObjectName(QStringLiteral("LblWelcome"));
  text->setWordWrap(true);
  text->setTextFormat(Qt::RichText);
  text->setText(tr("<p style='font-size:large'><b>欢迎使用 Pivlo</b></p>"
                   "<p>只需四步，把照片和音乐做成屏幕保护：</p>"
                   "<ol style='margin-left:12px'>"
                   "<li>点击左边的“编辑图片”，添加至少两张图片；</li>"
                   "<li>点击“编辑音乐”，添加背景音乐（可选）；</li>"
                   "<li>设置背景、文字、切换特效、歌词和片头片尾；</li>"
                   "<li>点击“预览屏保”看看效果，满意后点击“创建屏保”。</li>"
                   "</ol>"
                   "<p>用“保存配置”把这些设置保存下来，下次用“打开配置”即可继续编辑。</p>"));
  layout->addWidget(text);
  layout->addStretch(1);
}

}  // namespace pivlo
