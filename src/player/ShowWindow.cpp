#include "player/ShowWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

namespace pivlo {

QRect FitFrame(QSize frame, const QRect& target) {
  if (frame.isEmpty() || target.isEmpty()) return {};
  const QSize fitted = frame.scaled(target.size(), Qt::KeepAspectRatio);
  const QPoint corner = target.topLeft() + QPoint((target.width() - fitted.width()) / 2,
                                                  (target.height() - fitted.height()) / 2);
  return {corner, fitted};
}

ShowWindow::ShowWindow(EndingRules& rules, std::function<void()> end, QScreen* screen)
    : QWindow(screen), rules_(rules), end_(std::move(end)), store_(this) {}

void ShowWindow::ShowFrame(const QImage& frame) {
  frame_ = frame;
  Paint();
}

void ShowWindow::Paint() {
  if (!isExposed()) return;
  const QRect area(QPoint(), size());
  if (store_.size() != area.size()) store_.resize(area.size());
  store_.beginPaint(area);
  {
    QPainter painter(store_.paintDevice());
    const QRect fitted = FitFrame(frame_.size(), area);
    if (fitted != area) painter.fillRect(area, Qt::black);
    if (!fitted.isEmpty()) {
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(fitted, frame_);
    }
  }
  store_.endPaint();
  store_.flush(area);
}

void ShowWindow::exposeEvent(QExposeEvent*) { Paint(); }

void ShowWindow::resizeEvent(QResizeEvent*) { Paint(); }

bool ShowWindow::event(QEvent* event) {
  if (event->type() == QEvent::Close) end_();
  return QWindow::event(event);
}

void ShowWindow::keyPressEvent(QKeyEvent* event) {
  if (export_ && event->key() == Qt::Key_E) {
    // A held key repeats; one export is enough, and none starts inside another.
    if (event->isAutoRepeat() || exporting_) return;
    exporting_ = true;
    // The window may go meanwhile (its monitor unplugged): run a copy, then look.
    const std::function<void(QWindow&)> run = export_;
    const QPointer<ShowWindow> alive(this);
    run(*this);
    if (!alive) return;
    exporting_ = false;
    rules_.ForgetRest();
    requestActivate();  // keys end the show again once the dialogs are gone
    return;
  }
  if (rules_.EndsOnKey()) end_();
}

void ShowWindow::mousePressEvent(QMouseEvent*) {
  if (rules_.EndsOnButton()) end_();
}

void ShowWindow::wheelEvent(QWheelEvent*) {
  if (rules_.EndsOnButton()) end_();
}

void ShowWindow::mouseMoveEvent(QMouseEvent* event) {
  if (rules_.EndsOnMove(event->globalPosition().toPoint())) end_();
}

}  // namespace pivlo
