#pragma once

// One window the show appears in: a monitor's full screen or a window of its own. It
// shows the last frame fitted to its size (black bars where the shapes differ) and
// hands the viewer's input to the ending rules.

#include "player/EndingRules.h"

#include <QBackingStore>
#include <QImage>
#include <QRect>
#include <QWindow>

#include <functional>

namespace pivlo {

// The frame's size scaled to fit inside `target`, keeping its shape, centred.
QRect FitFrame(QSize frame, const QRect& target);

class ShowWindow final : public QWindow {
 public:
  // `end` is called when the viewer's input or closing the window ends the show.
  ShowWindow(EndingRules& rules, std::function<void()> end, QScreen* screen = nullptr);

  // Shows the frame at once (the image is shared, not copied).
  void ShowFrame(const QImage& frame);
  // Once set, the E key runs `run` with this window (the export, its dialogs over it)
  // instead of ending the show; afterwards the mouse rests where it is next seen.
  void SetExportKey(std::function<void(QWindow&)> run) { export_ = std::move(run); }

 protected:
  void exposeEvent(QExposeEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Paint();

  EndingRules& rules_;
  std::function<void()> end_;
  std::function<void(QWindow&)> export_;
  bool exporting_ = false;
  QBackingStore store_;
  QImage frame_;
};

}  // namespace pivlo
