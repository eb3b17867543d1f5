#include "shell/FrmFullScreen.h"

#include <QPainter>

namespace pivlo {

FrmFullScreen::FrmFullScreen() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FrmFullScreen"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::BlankCursor);
}

void FrmFullScreen::ShowSlide(const QImage& slide) {
  slide_ = slide;
  showFullScreen();
  raise();
  activateWindow();
  update();
}

void FrmFullScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (slide_.isNull()) return;
  const QSize size = slide_.size().scaled(this->size(), Qt::KeepAspectRatio);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), slide_);
}

void FrmFullScreen::mousePressEvent(QMouseEvent*) {
  Finish();
}

void FrmFullScreen::keyPressEvent(QKeyEvent*) {
  Finish();
}

void FrmFullScreen::Finish() {
  hide();
  slide_ = QImage();
  Q_EMIT Closed();
}

}  // namespace pivlo
