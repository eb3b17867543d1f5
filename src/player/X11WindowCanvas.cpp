#include "player/X11WindowCanvas.h"

#include "player/ShowWindow.h"

#include <QPainter>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// How often the window is asked whether it is still there: the daemon may destroy it
// without our hearing (a window we could not watch), and the show must not outlive it.
constexpr int kPollMs = 250;
// A PutImage request's own bytes before its pixels.
constexpr quint32 kPutImageHeader = 24;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

QString Hex(quint32 id) { return u"0x"_s + QString::number(id, 16); }

const xcb_visualtype_t* FindVisual(const xcb_setup_t* setup, xcb_visualid_t id) {
  for (auto screen = xcb_setup_roots_iterator(setup); screen.rem; xcb_screen_next(&screen)) {
    for (auto depth = xcb_screen_allowed_depths_iterator(screen.data); depth.rem; xcb_depth_next(&depth)) {
      for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual)) {
        if (visual.data->visual_id == id) return visual.data;
      }
    }
  }
  return nullptr;
}

const xcb_format_t* FindPixmapFormat(const xcb_setup_t* setup, quint8 depth) {
  for (auto format = xcb_setup_pixmap_formats_iterator(setup); format.rem; xcb_format_next(&format)) {
    if (format.data->depth == depth) return format.data;
  }
  return nullptr;
}

// The QImage format whose bytes are the window's pixels as PutImage takes them.
std::optional<QImage::Format> PixelFormat(const xcb_setup_t* setup, quint8 depth, xcb_visualid_t visual_id) {
  const xcb_visualtype_t* visual = FindVisual(setup, visual_id);
  const xcb_format_t* format = FindPixmapFormat(setup, depth);
  const int host_order = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
  if (visual == nullptr || format == nullptr || setup->image_byte_order != host_order) return std::nullopt;
  if (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR && visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR) {
    return std::nullopt;
  }
  const auto masks = [visual](quint32 red, quint32 green, quint32 blue) {
    return visual->red_mask == red && visual->green_mask == green && visual->blue_mask == blue;
  };
  if (format->bits_per_pixel == 32 && masks(0xff0000, 0xff00, 0xff)) return QImage::Format_RGB32;
  if (format->bits_per_pixel == 16 && format->scanline_pad == 32 && masks(0xf800, 0x7e0, 0x1f)) {
    return QImage::Format_RGB16;
  }
  return std::nullopt;
}

}  // namespace

std::unique_ptr<X11WindowCanvas> X11WindowCanvas::Open(std::optional<quint32> window, std::function<void()> gone,
                                                       QString* error, Failure* failure) {
  const QString display = qEnvironmentVariable("DISPLAY");
  int screen_number = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
  if (xcb_connection_has_error(connection)) {
    xcb_disconnect(connection);
    *failure = Failure::kNoDisplay;
    *error = u"cannot connect to the X display "_s + (display.isEmpty() ? u"(DISPLAY is not set)"_s : display);
    return nullptr;
  }
  if (!window) {
    auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screen.rem; ++i) xcb_screen_next(&screen);
    window = screen.data->root;
  }
  std::unique_ptr<X11WindowCanvas> canvas(new X11WindowCanvas(connection, *window, std::move(gone)));
  if (!canvas->Prepare(error, failure)) return nullptr;
  return canvas;
}

X11WindowCanvas::X11WindowCanvas(xcb_connection_t* connection, quint32 window, std::function<void()> gone)
    : connection_(connection), window_(window), gone_(std::move(gone)) {}

X11WindowCanvas::~X11WindowCanvas() {
  notifier_.reset();
  xcb_disconnect(connection_);
}

bool X11WindowCanvas::Prepare(QString* error, Failure* failure) {
  const auto fail = [&](Failure why, const QString& text) {
    *failure = why;
    *error = text;
    return false;
  };
  const QString name = Hex(window_);
  const auto geometry =
      Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr));
  const auto attributes = Owned(
      xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window_), nullptr));
  if (!geometry || !attributes) return fail(Failure::kNoWindow, u"there is no X window "_s + name);
  if (attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY) {
    return fail(Failure::kNoWindow, u"the X window "_s + name + u" cannot be drawn in (input only)"_s);
  }
  depth_ = geometry->depth;
  const std::optional<QImage::Format> format = PixelFormat(xcb_get_setup(connection_), depth_, attributes->visual);
  if (!format) return fail(Failure::kUnsupported, u"the X window "_s + name + u" has pixels of a kind the show cannot draw"_s);
  format_ = *format;
  size_ = current_ = QSize(geometry->width, geometry->height);
  frame_ = QImage(size_, QImage::Format_RGB32);
  frame_.fill(Qt::black);

  const quint32 events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  const auto selected = Owned(xcb_request_check(
      connection_, xcb_change_window_attributes_checked(connection_, window_, XCB_CW_EVENT_MASK, &events)));
  if (selected) return fail(Failure::kNoWindow, u"there is no X window "_s + name);
  gc_ = xcb_generate_id(connection_);
  xcb_create_gc(connection_, gc_, window_, 0, nullptr);
  largest_request_ = xcb_get_maximum_request_length(connection_) * 4;

  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &X11WindowCanvas::ReadEvents);
  connect(&poll_, &QTimer::timeout, this, &X11WindowCanvas::CheckWindow);
  poll_.start(kPollMs);
  Draw();
  return true;
}

void X11WindowCanvas::PresentFrame(const QImage& frame) {
  if (ended_) return;
  frame_ = frame.convertToFormat(QImage::Format_RGB32);
  Draw();
}

void X11WindowCanvas::ReadEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    const auto owned = Owned(event);
    switch (event->response_type & 0x7f) {
      case 0: {  // an error: drawing into a window that went away
        const auto* failed = reinterpret_cast<xcb_generic_error_t*>(event);
        if (failed->error_code == XCB_WINDOW || failed->error_code == XCB_DRAWABLE) Gone();
        break;
      }
      case XCB_EXPOSE:
        if (reinterpret_cast<xcb_expose_event_t*>(event)->count == 0) Draw();
        break;
      case XCB_CONFIGURE_NOTIFY: {
        const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (configure->window != window_) break;
        const QSize size(configure->width, configure->height);
        if (size != current_) {
          current_ = size;
          Draw();
        }
        break;
      }
      case XCB_DESTROY_NOTIFY:
        if (reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window_) Gone();
        break;
      default: break;
    }
  }
  if (xcb_connection_has_error(connection_)) Gone();
}

void X11WindowCanvas::CheckWindow() {
  if (ended_) return;
  const auto geometry =
      Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_), nullptr));
  if (!geometry) return Gone();
  const QSize size(geometry->width, geometry->height);
  if (size != current_) {
    current_ = size;
    Draw();
  }
  ReadEvents();  // the reply may have brought events with it
}

void X11WindowCanvas::Draw() {
  if (ended_) return;
  if (current_ == frame_.size()) {
    PutImage(format_ == frame_.format() ? frame_ : frame_.convertToFormat(format_));
    return;
  }
  QImage fitted(current_, format_);
  if (fitted.isNull()) return;  // a window too large to hold in memory stays as it is
  fitted.fill(Qt::black);
  QPainter painter(&fitted);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(FitFrame(frame_.size(), fitted.rect()), frame_);
  painter.end();
  PutImage(fitted);
}

// In bands of rows, each within the largest request the server takes.
void X11WindowCanvas::PutImage(const QImage& image) {
  const qsizetype stride = image.bytesPerLine();
  const int rows = int(std::clamp<qsizetype>((qsizetype(largest_request_) - kPutImageHeader) / stride, 1, image.height()));
  for (int y = 0; y < image.height(); y += rows) {
    const int band = std::min(rows, image.height() - y);
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, quint16(image.width()), quint16(band), 0,
                  qint16(y), 0, depth_, quint32(band * stride), image.constScanLine(y));
  }
  xcb_flush(connection_);
}

void X11WindowCanvas::Gone() {
  if (ended_) return;
  ended_ = true;
  poll_.stop();
  notifier_->setEnabled(false);
  gone_();
}

}  // namespace pivlo
