#include "shell/PictureButton.h"

#include "shell/CommandTexts.h"
#include "shell/WindowScaling.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace pivlo {
namespace {

constexpr int kFirstActionButton = 18;  // buttons from here on paint their normal face
constexpr int kCaptionHeight = 18;
constexpr QSize kOverlaySize(32, 32);  // the output icon keeps its own size on any scale

struct StateColours {
  QColor fill;
  QColor edge;
};

// Normal (action buttons only), hover and pressed.
StateColours ColoursOf(int state, const QPalette& palette) {
  switch (state) {
    case PictureButton::kHover: return {QColor(0xE3, 0xEF, 0xFD), QColor(0x8D, 0xB8, 0xEA)};
    case PictureButton::kPressed: return {QColor(0xC9, 0xDE, 0xF8), QColor(0x4F, 0x8F, 0xDB)};
    default: return {palette.color(QPalette::Button).lighter(104), palette.color(QPalette::Mid)};
  }
}

}  // namespace

QSize PictureButton::DesignSize(int index) {
  if (index < kPageButtonCount) return {70, 76};
  if (index == kIconButton) return {56, 56};
  return {30, 30};
}

PictureButton::PictureButton(int index, const QImage& face, const QString& label, QWidget* parent)
    : QWidget(parent), index_(index), face_(face), label_(label) {
  setObjectName(QStringLiteral("PicBtn%1").arg(index));
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);
  ApplyScale(1);
}

void PictureButton::PaintButton(int state) {
  if (state == state_) return;
  state_ = state;
  update();
}

void PictureButton::SetOverlay(const QImage& overlay) {
  overlay_ = overlay;
  update();
}

void PictureButton::ApplyScale(float scale) {
  scale_ = scale;
  const QSize design = DesignSize(index_);
  setFixedSize(ScaledLength(design.width(), scale), ScaledLength(design.height(), scale));
  update();
}

QSize PictureButton::FaceSize() const {
  const QSize natural = face_.isNull() ? QSize(24, 24) : face_.size();
  return QSize(ScaledLength(natural.width(), scale_), ScaledLength(natural.height(), scale_));
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);

  // Page buttons show only their face while normal; action buttons always sit on a plate.
  if (state_ != kNormal || index_ >= kFirstActionButton) {
    const StateColours colours = ColoursOf(state_, palette());
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = width() - 2 > 40 ? 6 : 4;
    p.setPen(QPen(colours.edge, 1));
    p.setBrush(colours.fill);
    p.drawRoundedRect(plate, radius, radius);
  }

  const QSize face = FaceSize();
  const int caption = HasCaption() ? ScaledLength(kCaptionHeight, scale_) : 0;
  const int shift = state_ == kPressed ? 1 : 0;
  const QRect face_rect(QPoint((width() - face.width()) / 2 + shift, (height() - caption - face.height()) / 2 + shift),
                        face);
  if (!face_.isNull()) p.drawImage(face_rect, face_);
  if (!overlay_.isNull()) {
    const QSize size = overlay_.size().scaled(kOverlaySize.boundedTo(this->size()), Qt::KeepAspectRatio);
    p.drawImage(QRect(face_rect.center() - QPoint(size.width() / 2, size.height() / 2), size), overlay_);
  }
  if (HasCaption()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, height() - caption - ScaledLength(3, scale_), width(), caption), Qt::AlignHCenter | Qt::AlignTop,
               label_);
  }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT MouseDown(index_);
}

void PictureButton::mouseMoveEvent(QMouseEvent*) {
  Q_EMIT MouseMove(index_);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Q_EMIT MouseUp(index_, rect().contains(event->position().toPoint()));
}

}  // namespace pivlo
