#include "XServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>

namespace pivlo::test {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kFirstDisplay = 91;
constexpr int kLastDisplay = 140;

}  // namespace

std::unique_ptr<XServer> XServer::Start(QSize screen) {
  const QString program = QStandardPaths::findExecutable(u"Xvfb"_s);
  if (program.isEmpty()) return nullptr;
  std::unique_ptr<XServer> x(new XServer);
  for (int number = kFirstDisplay; number <= kLastDisplay; ++number) {
    if (QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(number))) continue;
    x->display_ = u":"_s + QString::number(number);
    const QString screen_spec = u"%1x%2x24"_s.arg(screen.width()).arg(screen.height());
    x->server_.start(program, {x->display_, u"-screen"_s, u"0"_s, screen_spec, u"-nolisten"_s, u"tcp"_s});
    if (!x->server_.waitForStarted()) return nullptr;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && x->server_.state() == QProcess::Running) {
      xcb_connection_t* connection = xcb_connect(x->display_.toLatin1().constData(), nullptr);
      if (!xcb_connection_has_error(connection)) {
        x->connection_ = connection;
        const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        x->root_ = root->root;
        x->visual_ = root->root_visual;
        return x;
      }
      xcb_disconnect(connection);
      QThread::msleep(50);
    }
    x->server_.kill();  // another server took the number meanwhile: try the next
    x->server_.waitForFinished();
  }
  return nullptr;
}

XServer::~XServer() {
  if (connection_ != nullptr) xcb_disconnect(connection_);
  server_.terminate();
  if (!server_.waitForFinished(3000)) server_.kill();
  server_.waitForFinished();
}

quint32 XServer::CreateWindow(QSize size, QRgb background) {
  const quint32 window = xcb_generate_id(connection_);
  const quint32 values[] = {background & 0xffffff};
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, quint16(size.width()),
                    quint16(size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual_, XCB_CW_BACK_PIXEL, values);
  xcb_map_window(connection_, window);
  // A round trip: the window is there for others once this returns.
  std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
  return window;
}

void XServer::ResizeWindow(quint32 window, QSize size) {
  const quint32 values[] = {quint32(size.width()), quint32(size.height())};
  xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
  xcb_flush(connection_);
}

void XServer::DestroyWindow(quint32 window) {
  xcb_destroy_window(connection_, window);
  xcb_flush(connection_);
}

QImage XServer::Contents(quint32 window, QSize size) {
  xcb_get_image_reply_t* reply = xcb_get_image_reply(
      connection_,
      xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, quint16(size.width()),
                    quint16(size.height()), ~0u),
      nullptr);
  if (reply == nullptr) return {};
  const int length = xcb_get_image_data_length(reply);
  QImage image;
  if (length == size.width() * size.height() * 4) {
    image = QImage(xcb_get_image_data(reply), size.width(), size.height(), QImage::Format_RGB32).copy();
  }
  std::free(reply);
  return image;
}

}  // namespace pivlo::test
