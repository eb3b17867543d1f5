#include "shell/CanvasBox.h"

#include "core/PathRules.h"
#include "media/basGdiPlus.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QLinearGradient>
#include <QPainter>

namespace pivlo {
namespace {

QColor StoredColour(Colour colour) {
  return QColor::fromRgb(StoredColorToArgb(colour, 255));
}

QLinearGradient GradientOver(const QSize& size, int mode) {
  const QRectF r(QPointF(0, 0), size);
  switch (mode) {
    case 0: return QLinearGradient(r.topLeft(), r.topRight());
    case 2: return QLinearGradient(r.topLeft(), r.bottomRight());
    case 3: return QLinearGradient(r.topRight(), r.bottomLeft());
    default: return QLinearGradient(r.topLeft(), r.bottomLeft());
  }
}

void DrawBackground(const ProjectSettings& settings, QImage& box) {
  if (settings.background_kind == QStringLiteral("3") && IsPathSet(settings.background_picture)) {
    box.fill(Qt::black);
    PaintPictureFile(box, settings.background_picture, settings.background_draw_scale, QPoint());
    return;
  }
  QPainter p(&box);
  if (settings.background_kind == QStringLiteral("2")) {
    QLinearGradient gradient = GradientOver(box.size(), settings.background_gradient_mode);
    gradient.setColorAt(0, StoredColour(settings.begin_color));
    gradient.setColorAt(1, StoredColour(settings.end_color));
    p.fillRect(box.rect(), gradient);
  } else {
    p.fillRect(box.rect(), StoredColour(settings.solid_color));
  }
}

}  // namespace

CanvasBox::CanvasBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PicDst"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasBox::SetCanvasSize(QSize size) {
  setFixedSize(size);
  if (!shown_.isNull() && shown_.size() != size) ShowImage(shown_);
}

void CanvasBox::ShowImage(const QImage& image) {
  shown_ = image.size() == size() ? image
                                  : image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  update();
}

void CanvasBox::Clear() {
  shown_ = QImage();
  update();
}

void CanvasBox::SetHint(const QString& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  update();
}

void CanvasBox::PresentFrame(const QImage& frame) {
  ShowImage(frame.copy());
  repaint();
}

void CanvasBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (shown_.isNull()) {
    p.fillRect(rect(), QColor(0x20, 0x24, 0x2C));
  } else {
    p.drawImage(0, 0, shown_);
  }
  if (!hint_.isEmpty()) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRect text = p.fontMetrics().boundingRect(rect().adjusted(40, 0, -40, 0), Qt::AlignCenter | Qt::TextWordWrap, hint_);
    const QRectF plate = QRectF(text).adjusted(-16, -10, 16, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(plate, 8, 8);
    p.setPen(QColor(235, 238, 245));
    p.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, hint_);
  }
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CanvasBox::hideEvent(QHideEvent* event) {
  if (Direct3DReady()) CanvasSurfaceLost();
  QWidget::hideEvent(event);
}

void CanvasBox::showEvent(QShowEvent* event) {
  if (Direct3DReady()) CanvasSurfaceRestored();
  QWidget::showEvent(event);
}

QImage ComposeSlide(const ProjectModel& model, int picture, QSize target) {
  const ProjectSettings& settings = model.settings;
  // Pictures at their natural size are placed on the whole screen, then scaled down.
  const bool natural = settings.img_draw_scale <= kPlaceTiled;
  const QSize screen(qMax(1, model.screen_width), qMax(1, model.screen_height));
  QImage box(natural ? screen : target, QImage::Format_RGB32);
  DrawBackground(settings, box);
  if (picture >= 1 && picture <= model.pictures.size()) {
    const ImageEntry& entry = model.pictures.at(picture - 1);
    PaintPictureFile(box, entry.file, settings.img_draw_scale, QPoint(entry.pos_x, entry.pos_y));
  }
  return box.size() == target ? box : box.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace pivlo
