#include "shell/CanvasBox.h"

#include "render/basDirect3D.h"

#include <QPainter>

namespace pivlo {

CanvasBox::CanvasBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PicDst"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // the box's zones show as the mouse passes
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

void CanvasBox::SetShapes(std::optional<QRect> outline, std::optional<QRect> marker, const QColor& colour) {
  if (outline == outline_ && marker == marker_ && colour == shape_colour_) return;
  outline_ = outline;
  marker_ = marker;
  shape_colour_ = colour;
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
  for (const std::optional<QRect>& shape : {outline_, marker_}) {
    if (!shape) continue;
    p.setPen(QPen(shape_colour_, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(shape->adjusted(0, 0, -1, -1));
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

}  // namespace pivlo
