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

QImage XServer::ClientIcon() {
  // Until a client names the atom, no window can have the property.
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 1, 12, "_NET_WM_ICON"), nullptr);
  const xcb_atom_t icon = atom != nullptr ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(atom);
  if (icon == XCB_ATOM_NONE) return {};
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
  if (tree == nullptr) return {};
  QImage found;
  const xcb_window_t* children = xcb_query_tree_children(tree);
  for (int i = 0; i < xcb_query_tree_children_length(tree) && found.isNull(); ++i) {
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, children[i], icon, XCB_ATOM_CARDINAL, 0, 1 << 20), nullptr);
    if (property != nullptr && property->format == 32) {
      // Width, height, then the pixels as ARGB, row by row.
      const qint64 length = xcb_get_property_value_length(property) / 4;
      const quint32* values = static_cast<const quint32*>(xcb_get_property_value(property));
      if (length >= 2 && values[0] > 0 && values[1] > 0 && qint64(values[0]) * values[1] <= length - 2) {
        const QImage image(reinterpret_cast<const uchar*>(values + 2), int(values[0]), int(values[1]),
                           QImage::Format_ARGB32);
        found = image.copy();
      }
    }
    std::free(property);
  }
  std::free(tree);
  return found;
}

}  // namespace pivlo::test
