#include "shell/ProgressWindow.h"

#include "core/Events.h"
#include "core/Rounding.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace pivlo {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 24;
constexpr int kTextMargin = 60;  // the bar starts after the text unless it ends in "..."

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner) : QWidget(owner) {
  setObjectName(QStringLiteral("FrmProgress"));
  setFixedSize(kWidth, kHeight);
  hide();
}

void ProgressWindow::SetWaitCursor(bool on) {
  if (on == wait_cursor_) return;
  wait_cursor_ = on;
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void ProgressWindow::InitProgress() {
  percentage_ = 0;
  text_.clear();
  if (QWidget* owner = parentWidget()) move((owner->width() - width()) / 2, (owner->height() - height()) / 2);
  raise();
  show();
  update();
}

void ProgressWindow::ShowProgress(float percentage, const QString& text) {
  percentage_ = std::clamp(percentage, 0.0f, 100.0f);
  text_ = text;
  repaint();
  ProcessPendingEvents();
}

void ProgressWindow::CloseProgress() {
  hide();
}

QString ProgressWindow::Caption() const {
  return text_ + u' ' + QString::number(RoundToInt32(percentage_)) + u'%';
}

void ProgressWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Button));
  // A one-pixel raised frame.
  p.setPen(Qt::white);
  p.drawLine(0, 0, width() - 1, 0);
  p.drawLine(0, 0, 0, height() - 1);
  p.setPen(QColor(128, 128, 128));
  p.drawLine(0, height() - 1, width() - 1, height() - 1);
  p.drawLine(width() - 1, 0, width() - 1, height() - 1);

  const int margin = (!text_.isEmpty() && !text_.endsWith(QStringLiteral("..."))) ? kTextMargin : 0;
  const int span = width() - margin - 2;
  const int filled = int(double(span) * percentage_ / 100.0);
  if (filled > 2) p.fillRect(QRect(margin + 2, 2, filled - 2, height() - 4), pal.color(QPalette::Highlight));

  p.setPen(percentage_ >= 50 ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::ButtonText));
  p.drawText(rect(), Qt::AlignCenter, Caption());
}

}  // namespace pivlo
