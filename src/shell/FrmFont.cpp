#include "shell/FrmFont.h"

#include "render/CanvasCompose.h"
#include "render/HeadlinePreview.h"
#include "render/basTextStyles.h"
#include "shell/SystemLook.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pivlo {
namespace {

QListWidget* NewList(const QString& name, const QStringList& entries, int row, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->addItems(entries);
  list->setCurrentRow(row);
  if (QListWidgetItem* item = list->currentItem()) list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
  return list;
}

QLabel* NewColourLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFixedSize(48, 22);
  label->setFrameShape(QFrame::Box);
  label->setAutoFillBackground(true);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

constexpr int kSampleHeight = 96;
constexpr int kSampleMinimumWidth = 480;
constexpr int kSampleAlignCentre = 4;  // centred both ways

// What each kind of text is shown as: the headline and lyric samples the canvas uses.
QString SampleText(int kind) {
  switch (kind) {
    case FontDialogModel::kHeadline: return HeadlineSampleText();
    case FontDialogModel::kLyric:
    case FontDialogModel::kLyricLine: return LyricSampleText();
    default: return FrmFont::tr("屏保文字 AaBb 123");
  }
}

}  // namespace

FrmFont::FrmFont(ProjectModel& model, int kind, Prompter& prompter, QWidget* owner)
    : QDialog(owner),
      state_(model, kind),
      looks_(QSize(model.screen_width, model.screen_height), QSize(model.screen_width, model.screen_height)),
      prompter_(prompter) {
  setObjectName(QStringLiteral("FrmFont"));
  ApplyOwnerLook(*this);
  setWindowTitle(tr("选择字体风格"));
  const TextStyle& working = state_.WorkingStyle();
  const QStringList families = ListFontFamilies();
  ListName = NewList(QStringLiteral("ListName"), families,
                     int(families.indexOf(InstalledFamily(working.font_name, families))), this);
  ListSize = NewList(QStringLiteral("ListSize"), state_.SizeEntries(), state_.SizePosition(), this);
  ListAlign = NewList(QStringLiteral("ListAlign"), FontDialogModel::AlignEntries(), working.align, this);
  ListPattern = NewList(QStringLiteral("ListPattern"), state_.PatternEntries(), state_.PatternPosition(), this);
  ListBorderSize =
      NewList(QStringLiteral("ListBorderSize"), FontDialogModel::BorderEntries(), working.border_width, this);
  ListStyle = NewList(QStringLiteral("ListStyle"), FontDialogModel::StyleEntries(), working.style_flags, this);
  LblStartColor = NewColourLabel(QStringLiteral("LblStartColor"), this);
  LblEndColor = NewColourLabel(QStringLiteral("LblEndColor"), this);
  LblBorderColor = NewColourLabel(QStringLiteral("LblBorderColor"), this);
  for (QLabel* label : {LblStartColor, LblEndColor, LblBorderColor}) label->installEventFilter(this);
  PaintColours();

  ListAlign->setEnabled(state_.AlignEnabled());
  for (QWidget* control : {static_cast<QWidget*>(ListName), static_cast<QWidget*>(ListSize),
                           static_cast<QWidget*>(ListBorderSize), static_cast<QWidget*>(ListStyle),
                           static_cast<QWidget*>(LblBorderColor)}) {
    control->setEnabled(state_.FullStyleEnabled());
  }
  if (!state_.FullStyleEnabled()) ListAlign->setEnabled(false);

  const auto then_draw = [this](auto choose) {
    return [this, choose](auto value) {
      choose(value);
      DrawSample();
    };
  };
  connect(ListName, &QListWidget::itemClicked, this,
          then_draw([this](QListWidgetItem* item) { state_.ChooseFont(item->text()); }));
  connect(ListSize, &QListWidget::currentRowChanged, this, then_draw([this](int row) { state_.ChooseSize(row); }));
  connect(ListAlign, &QListWidget::currentRowChanged, this, then_draw([this](int row) { state_.ChooseAlign(row); }));
  connect(ListPattern, &QListWidget::currentRowChanged, this,
          then_draw([this](int row) { state_.ChoosePattern(row); }));
  connect(ListBorderSize, &QListWidget::currentRowChanged, this,
          then_draw([this](int row) { state_.ChooseBorder(row); }));
  connect(ListStyle, &QListWidget::currentRowChanged, this, then_draw([this](int row) { state_.ChooseStyle(row); }));

  auto* grid = new QGridLayout();
  const std::pair<QString, QWidget*> columns[] = {{tr("字体"), ListName},     {tr("大小"), ListSize},
                                                  {tr("对齐"), ListAlign},    {tr("填充"), ListPattern},
                                                  {tr("边框"), ListBorderSize}, {tr("风格"), ListStyle}};
  int column = 0;
  for (const auto& [title, list] : columns) {
    grid->addWidget(new QLabel(title, this), 0, column);
    grid->addWidget(list, 1, column);
    ++column;
  }
  grid->setColumnStretch(0, 1);
  ListName->setMinimumWidth(180);
  ListSize->setFixedWidth(56);
  ListBorderSize->setFixedWidth(48);
  // The text lists show their entries whole, with room for a scroll bar.
  for (QListWidget* list : {ListAlign, ListPattern, ListStyle}) {
    list->setFixedWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  }

  auto* colours = new QHBoxLayout();
  colours->addWidget(new QLabel(tr("开始颜色"), this));
  colours->addWidget(LblStartColor);
  colours->addSpacing(12);
  colours->addWidget(new QLabel(tr("结束颜色"), this));
  colours->addWidget(LblEndColor);
  colours->addSpacing(12);
  colours->addWidget(new QLabel(tr("边框颜色"), this));
  colours->addWidget(LblBorderColor);
  colours->addStretch(1);
  auto* ok = new QPushButton(tr(" 确定 "), this);
  ok->setDefault(true);
  colours->addWidget(ok);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  PicSample = new QLabel(this);
  PicSample->setObjectName(QStringLiteral("PicSample"));
  PicSample->setFixedHeight(kSampleHeight);
  PicSample->setMinimumWidth(kSampleMinimumWidth);
  PicSample->setFrameShape(QFrame::StyledPanel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(PicSample);
  layout->addLayout(colours);
  resize(640, 460);
  DrawSample();
}

void FrmFont::DrawSample() {
  const QSize size(qMax(PicSample->width(), kSampleMinimumWidth), kSampleHeight);
  QImage sample(size, QImage::Format_RGB32);
  sample.fill(QColor(64, 64, 64));  // a backdrop light and dark texts both show on
  TextStyle style = state_.WorkingStyle();
  if (!state_.AlignEnabled()) style.align = kSampleAlignCentre;
  const QRectF inside(QPointF(4, 4), QSizeF(size) - QSizeF(8, 8));
  DrawStyledTextInto(sample, SampleText(state_.StyleKind()), looks_.Look(style), inside);
  PicSample->setPixmap(QPixmap::fromImage(sample));
}

void FrmFont::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  DrawSample();
}

void FrmFont::PaintColours() {
  const TextStyle& working = state_.WorkingStyle();
  const std::pair<QLabel*, Colour> labels[] = {
      {LblStartColor, working.start_color}, {LblEndColor, working.end_color}, {LblBorderColor, working.border_color}};
  for (const auto& [label, colour] : labels) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(StoredColorToArgb(colour, 255)));
    label->setPalette(palette);
  }
}

bool FrmFont::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && static_cast<QWidget*>(watched)->isEnabled()) {
    const TextStyle& working = state_.WorkingStyle();
    const Colour current = watched == LblStartColor ? working.start_color
                           : watched == LblEndColor ? working.end_color
                                                    : working.border_color;
    if (const std::optional<quint32> chosen = prompter_.ChooseColor(quint32(current))) {
      if (watched == LblStartColor) state_.ChooseStartColor(Colour(*chosen));
      if (watched == LblEndColor) state_.ChooseEndColor(Colour(*chosen));
      if (watched == LblBorderColor) state_.ChooseBorderColor(Colour(*chosen));
      PaintColours();
      DrawSample();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace pivlo
