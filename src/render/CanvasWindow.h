#pragma once

#include <QImage>
#include <QSize>

namespace pivlo {

// The window the graphics device draws into: the editor's layout canvas, the player's
// screen, or an image in a test.
class CanvasWindow {
 public:
  virtual ~CanvasWindow() = default;
  // The inner size in pixels; the back buffer has this size.
  virtual QSize InnerSize() const = 0;
  // Shows a presented frame. The image wraps the device's back buffer and is valid only
  // during the call: copy what must be kept.
  virtual void PresentFrame(const QImage& frame) = 0;
  // What the window shows now (the last frame presented to it); some transitions start
  // from the screen itself.
  virtual QImage ShownImage() const = 0;
};

}  // namespace pivlo
