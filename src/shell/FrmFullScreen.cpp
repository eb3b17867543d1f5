#include "shell/FrmFullScreen.h"

#include <QPainter>
#include <QScreen>

namespace pivlo {

FrmFullScreen::FrmFullScreen() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FrmFullScreen"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::BlankCursor);
}

void FrmFullScreen::ShowSlide(const QImage& slide) {
  slide_ = slide;
  // Covers the screen even where no window manager honours the full-screen state.
  setGeometry(screen()->geometry());
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
