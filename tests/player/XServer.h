#pragma once

// A private virtual X server for the tests that need real X11 windows, and the little
// they do with it: make a window, resize it, read back what it shows, find a window's icon.

#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>

#include <memory>

struct xcb_connection_t;

namespace pivlo::test {

class XServer {
 public:
  // Nothing where Xvfb is not installed or does not start.
  static std::unique_ptr<XServer> Start(QSize screen);
  ~XServer();

  QString Display() const { return display_; }
  // A mapped window on the root window, filled with the colour by the server.
  quint32 CreateWindow(QSize size, QRgb background);
  void ResizeWindow(quint32 window, QSize size);
  void DestroyWindow(quint32 window);
  // What the window shows now.
  QImage Contents(quint32 window, QSize size);
  // The icon a top-level window of some client gives itself (_NET_WM_ICON, its first
  // image); null while none does.
  QImage ClientIcon();

 private:
  XServer() = default;

  QProcess server_;
  QString display_;
  xcb_connection_t* connection_ = nullptr;
  quint32 root_ = 0;
  quint32 visual_ = 0;
};

}  // namespace pivlo::test
