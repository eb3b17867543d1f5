#pragma once

#include "render/CanvasWindow.h"

#include <QImage>
#include <QSize>

namespace pivlo {

// The offline screen: keeps the last frame presented, as a window shows it, for the
// hosts that render without a display (`show render`, the video).
class RecordingScreen final : public CanvasWindow {
 public:
  explicit RecordingScreen(QSize size);
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;
  // In Format_RGB32.
  QImage ShownImage() const override { return shown_; }

 private:
  QSize size_;
  QImage shown_;
};

}  // namespace pivlo
