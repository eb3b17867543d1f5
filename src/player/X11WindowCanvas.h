#pragma once

// The show inside an X11 window that belongs to someone else (the XScreenSaver daemon's,
// a settings dialog's preview) or on the root window. It talks to the X server over a
// connection of its own, follows the window's size (the show keeps the size it started
// at and is fitted to the current one), draws again when the window is exposed, and
// says when the window is gone. Input is left to the window's owner.

#include "render/CanvasWindow.h"

#include <QImage>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

struct xcb_connection_t;

namespace pivlo {

class X11WindowCanvas final : public QObject, public CanvasWindow {
 public:
  enum class Failure {
    kNoDisplay,    // no X server to talk to
    kNoWindow,     // the window does not exist
    kUnsupported,  // its pixels are in a form this canvas does not write
  };

  // `window` nothing: the root window. `gone` is called once, when the window is
  // destroyed or the display is lost. Nothing, with the reason, when it cannot be drawn.
  static std::unique_ptr<X11WindowCanvas> Open(std::optional<quint32> window, std::function<void()> gone,
                                               QString* error, Failure* failure);
  ~X11WindowCanvas() override;

  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override { return frame_; }

 private:
  X11WindowCanvas(xcb_connection_t* connection, quint32 window, std::function<void()> gone);
  bool Prepare(QString* error, Failure* failure);
  void ReadEvents();
  void CheckWindow();
  void Draw();
  void PutImage(const QImage& image);
  void Gone();

  xcb_connection_t* connection_;
  quint32 window_;
  quint32 gc_ = 0;
  quint8 depth_ = 0;
  QImage::Format format_ = QImage::Format_RGB32;
  quint32 largest_request_ = 0;  // bytes
  QSize size_;
  QSize current_;
  QImage frame_;
  std::function<void()> gone_;
  bool ended_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer poll_;
};

}  // namespace pivlo
