#pragma once

// The show's canvas on this machine's screens: full screen on every monitor (composed
// at the primary monitor's size, the others showing the same frames fitted), or one
// window of its own. Monitors that come and go while the show plays are followed.

#include "player/EndingRules.h"
#include "player/ShowWindow.h"
#include "render/CanvasWindow.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QScreen;

namespace pivlo {

// The size a window of its own starts at, and the show's size in it.
inline constexpr QSize kShowWindowSize(960, 540);

class ScreenCanvas final : public QObject, public CanvasWindow {
 public:
  // `end` is called when the viewer ends the show by the rules.
  static std::unique_ptr<ScreenCanvas> FullScreen(EndingRules rules, std::function<void()> end, bool hide_cursor);
  static std::unique_ptr<ScreenCanvas> Windowed(EndingRules rules, std::function<void()> end, const QString& title);
  // The primary monitor's size in pixels: what a full-screen show is composed at.
  static QSize PrimaryScreenSize();
  ~ScreenCanvas() override;

  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override { return frame_; }
  // The E key of every window, those of monitors plugged in later too (ShowWindow::SetExportKey).
  void SetExportKey(std::function<void(QWindow&)> run);

 private:
  ScreenCanvas(EndingRules rules, std::function<void()> end, QSize size);
  ShowWindow& AddWindow(QScreen* screen);
  void ShowOn(QScreen* screen);
  void Forget(QScreen* screen);

  EndingRules rules_;  // one for all windows: the mouse rests where any of them first saw it
  std::function<void()> end_;
  std::function<void(QWindow&)> export_;
  QSize size_;
  bool hide_cursor_ = false;
  QImage frame_;
  std::vector<std::unique_ptr<ShowWindow>> windows_;
};

}  // namespace pivlo
