// The software graphics runtime: a persistent premultiplied ARGB32 back buffer drawn with
// QPainter. The ABI is described in PivloFx.h.

#include "fx/PivloFx.h"

#include <QByteArrayView>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = qint64(1) << 26;  // 256 MiB of ARGB32

enum class Surface { Present, Lost, NeedsReset };

bool SizeAllowed(int width, int height) {
  return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
         qint64(width) * height <= kMaxPixels;
}

QImage BlackBuffer(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (!image.isNull()) image.fill(0xFF000000u);
  return image;
}

int PowerOfTwoAtLeast(int side) {
  int size = 1;
  while (size < side) size *= 2;
  return size;
}

// x with each 8-bit channel multiplied by a / 255, rounded (the raster engine's rule).
inline uint32_t ByteMul(uint32_t x, uint32_t a) {
  uint32_t t = (x & 0xff00ffu) * a;
  t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
  x = ((x >> 8) & 0xff00ffu) * a;
  x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
  return x | t;
}

// Premultiplied source over destination, the source's alpha first scaled by `alpha`.
void BlendRow(uint32_t* out, const uint32_t* in, int length, uint32_t alpha) {
  for (int i = 0; i < length; ++i) {
    uint32_t s = in[i];
    if (alpha != 255) s = ByteMul(s, alpha);
    if (s >= 0xff000000u) {
      out[i] = s;
    } else if (s != 0) {
      out[i] = s + ByteMul(out[i], 255 - (s >> 24));
    }
  }
}

bool Opaque(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) != 255) return false;
    }
  }
  return true;
}

int TextureSide(int rule, int image_side) {
  if (rule == PIVLOFX_SIZE_IMAGE) return image_side;
  if (rule == PIVLOFX_SIZE_POW2 || rule == 0) return PowerOfTwoAtLeast(image_side);
  return rule;
}

}  // namespace

struct pivlofx_device {
  QImage back_buffer;
  QPainter painter;  // active on the back buffer between begin_scene and end_scene
  pivlofx_present_fn present = nullptr;
  void* host = nullptr;
  Surface surface = Surface::Present;
};

struct pivlofx_texture {
  QImage image;  // the texture, image in the top-left corner
  int image_width = 0;
  int image_height = 0;
  bool opaque = false;  // every pixel has alpha 255: drawn at full alpha it is copied
};

struct pivlofx_sprite {
  pivlofx_device* device = nullptr;
  bool begun = false;
  bool lost = false;
  int flags = 0;
  QTransform transform;
};

namespace {

// Fills the area (clipped) with the colour, premultiplied, without blending.
void Fill(QImage& buffer, const QRect& rect, uint32_t argb) {
  const QRect area = rect & buffer.rect();
  if (area.isEmpty()) return;
  const uint32_t pixel = qPremultiply(argb);
  uchar* const bits = buffer.bits();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* line = reinterpret_cast<uint32_t*>(bits + y * buffer.bytesPerLine()) + area.left();
    std::fill(line, line + area.width(), pixel);
  }
}

// Blends of more pixels than this go to the raster engine, whose vector code and worker
// threads pay for their start-up only on large areas.
constexpr qint64 kSmallBlendPixels = 32768;

// A draw that only moves pixels (scale 1, a whole-pixel translation, blended): opaque
// copies and small blends are done row by row here. The raster engine would hand each such
// draw to its worker threads, which costs far more than it saves for the thin strips
// transitions draw. False when the draw is left to the raster engine.
bool DrawMoved(QImage& buffer, const pivlofx_texture& texture, const QRect& source, QPoint origin,
               const QTransform& transform, uint32_t alpha) {
  if (transform.type() > QTransform::TxTranslate) return false;
  const double dx = transform.dx() - origin.x();
  const double dy = transform.dy() - origin.y();
  if (dx != std::floor(dx) || dy != std::floor(dy) || std::abs(dx) > kMaxSide || std::abs(dy) > kMaxSide) return false;
  const QPoint offset{int(dx), int(dy)};
  const QRect target = (source & texture.image.rect()).translated(offset) & buffer.rect();
  const bool copy = alpha == 255 && texture.opaque;
  if (!copy && qint64(target.width()) * target.height() > kSmallBlendPixels) return false;
  if (target.isEmpty()) return true;
  uchar* const out_bits = buffer.bits();
  const uchar* const in_bits = texture.image.constBits();
  for (int y = target.top(); y <= target.bottom(); ++y) {
    auto* out = reinterpret_cast<uint32_t*>(out_bits + y * buffer.bytesPerLine()) + target.left();
    const auto* in = reinterpret_cast<const uint32_t*>(in_bits + (y - offset.y()) * texture.image.bytesPerLine()) +
                     (target.left() - offset.x());
    if (copy) {
      std::memcpy(out, in, size_t(target.width()) * 4);
    } else {
      BlendRow(out, in, target.width(), alpha);
    }
  }
  return true;
}

}  // namespace

extern "C" {

int pivlofx_abi_version(void) { return PIVLOFX_ABI_VERSION; }

int pivlofx_device_create(int width, int height, pivlofx_present_fn present, void* host,
                          pivlofx_device** device) {
  if (device == nullptr) return PIVLOFX_E_INVALIDCALL;
  *device = nullptr;
  if (!SizeAllowed(width, height)) return PIVLOFX_E_NOTAVAILABLE;
  auto* made = new (std::nothrow) pivlofx_device;
  if (made == nullptr) return PIVLOFX_E_OUTOFMEMORY;
  made->back_buffer = BlackBuffer(width, height);
  if (made->back_buffer.isNull()) {
    delete made;
    return PIVLOFX_E_OUTOFMEMORY;
  }
  made->present = present;
  made->host = host;
  *device = made;
  return PIVLOFX_OK;
}

void pivlofx_device_release(pivlofx_device* device) {
  if (device == nullptr) return;
  if (device->painter.isActive()) device->painter.end();
  delete device;
}

int pivlofx_device_texture_caps(pivlofx_device* device) {
  // Any texture size will do: the back buffer is an image.
  return 0;
}

int pivlofx_device_begin_scene(pivlofx_device* device) {
  if (device == nullptr || device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  if (!device->painter.begin(&device->back_buffer)) return PIVLOFX_E_INVALIDCALL;
  device->painter.setRenderHint(QPainter::SmoothPixmapTransform);
  return PIVLOFX_OK;
}

int pivlofx_device_end_scene(pivlofx_device* device) {
  if (device == nullptr || !device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  device->painter.end();
  return PIVLOFX_OK;
}

int pivlofx_device_clear(pivlofx_device* device, uint32_t argb) {
  if (device == nullptr || !device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  Fill(device->back_buffer, device->back_buffer.rect(), argb);
  return PIVLOFX_OK;
}

int pivlofx_device_clear_rect(pivlofx_device* device, const int rect[4], uint32_t argb) {
  if (device == nullptr || rect == nullptr || !device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  Fill(device->back_buffer, QRect(QPoint(rect[0], rect[1]), QPoint(rect[2] - 1, rect[3] - 1)), argb);
  return PIVLOFX_OK;
}

int pivlofx_device_present(pivlofx_device* device) {
  if (device == nullptr || device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  if (device->surface == Surface::Lost) return PIVLOFX_E_DEVICELOST;
  if (device->surface == Surface::NeedsReset) return PIVLOFX_E_DEVICENOTRESET;
  const QImage& buffer = device->back_buffer;
  if (device->present != nullptr) {
    device->present(device->host, buffer.constBits(), buffer.width(), buffer.height(),
                    int(buffer.bytesPerLine()));
  }
  return PIVLOFX_OK;
}

int pivlofx_device_test_cooperative_level(pivlofx_device* device) {
  if (device == nullptr) return PIVLOFX_E_INVALIDCALL;
  switch (device->surface) {
    case Surface::Present: return PIVLOFX_OK;
    case Surface::Lost: return PIVLOFX_E_DEVICELOST;
    case Surface::NeedsReset: return PIVLOFX_E_DEVICENOTRESET;
  }
  return PIVLOFX_E_DRIVERINTERNALERROR;
}

int pivlofx_device_reset(pivlofx_device* device, int width, int height) {
  if (device == nullptr || device->painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  if (device->surface == Surface::Lost) return PIVLOFX_E_DEVICELOST;
  if (!SizeAllowed(width, height)) return PIVLOFX_E_INVALIDCALL;
  QImage buffer = BlackBuffer(width, height);
  if (buffer.isNull()) return PIVLOFX_E_OUTOFMEMORY;
  device->back_buffer = std::move(buffer);
  device->surface = Surface::Present;
  return PIVLOFX_OK;
}

void pivlofx_device_surface_event(pivlofx_device* device, int event) {
  if (device == nullptr) return;
  if (event == PIVLOFX_SURFACE_LOST) device->surface = Surface::Lost;
  if (event == PIVLOFX_SURFACE_RESTORED && device->surface == Surface::Lost) {
    device->surface = Surface::NeedsReset;
  }
}

int pivlofx_texture_create(pivlofx_device* device, const void* bytes, int length, int width,
                           int height, pivlofx_texture** texture) {
  if (texture == nullptr) return PIVLOFX_E_INVALIDCALL;
  *texture = nullptr;
  if (device == nullptr || bytes == nullptr || length <= 0) return PIVLOFX_E_INVALIDCALL;
  const QImage decoded = QImage::fromData(QByteArrayView(static_cast<const char*>(bytes), length));
  if (decoded.isNull()) return PIVLOFX_E_INVALIDDATA;
  const int texture_width = TextureSide(width, decoded.width());
  const int texture_height = TextureSide(height, decoded.height());
  if (!SizeAllowed(texture_width, texture_height)) return PIVLOFX_E_INVALIDCALL;

  auto* made = new (std::nothrow) pivlofx_texture;
  if (made == nullptr) return PIVLOFX_E_OUTOFMEMORY;
  made->image_width = decoded.width();
  made->image_height = decoded.height();
  if (decoded.size() == QSize(texture_width, texture_height)) {
    made->image = decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  } else {
    // No resampling: the image keeps its pixels in the top-left corner.
    made->image = QImage(texture_width, texture_height, QImage::Format_ARGB32_Premultiplied);
    if (!made->image.isNull()) {
      made->image.fill(Qt::transparent);
      QPainter painter(&made->image);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(0, 0, decoded);
    }
  }
  if (made->image.isNull()) {
    delete made;
    return PIVLOFX_E_OUTOFMEMORY;
  }
  made->opaque = Opaque(made->image);
  *texture = made;
  return PIVLOFX_OK;
}

void pivlofx_texture_release(pivlofx_texture* texture) { delete texture; }

int pivlofx_texture_describe(pivlofx_texture* texture, int* width, int* height, int* image_width,
                             int* image_height) {
  if (texture == nullptr) return PIVLOFX_E_INVALIDCALL;
  if (width != nullptr) *width = texture->image.width();
  if (height != nullptr) *height = texture->image.height();
  if (image_width != nullptr) *image_width = texture->image_width;
  if (image_height != nullptr) *image_height = texture->image_height;
  return PIVLOFX_OK;
}

int pivlofx_sprite_create(pivlofx_device* device, pivlofx_sprite** sprite) {
  if (sprite == nullptr) return PIVLOFX_E_INVALIDCALL;
  *sprite = nullptr;
  if (device == nullptr) return PIVLOFX_E_INVALIDCALL;
  auto* made = new (std::nothrow) pivlofx_sprite;
  if (made == nullptr) return PIVLOFX_E_OUTOFMEMORY;
  made->device = device;
  *sprite = made;
  return PIVLOFX_OK;
}

void pivlofx_sprite_release(pivlofx_sprite* sprite) { delete sprite; }

int pivlofx_sprite_begin(pivlofx_sprite* sprite, int flags) {
  if (sprite == nullptr || sprite->begun || sprite->lost || !sprite->device->painter.isActive()) {
    return PIVLOFX_E_INVALIDCALL;
  }
  sprite->begun = true;
  sprite->flags = flags;
  return PIVLOFX_OK;
}

int pivlofx_sprite_set_transform(pivlofx_sprite* sprite, const float matrix[16]) {
  if (sprite == nullptr || matrix == nullptr) return PIVLOFX_E_INVALIDCALL;
  sprite->transform = QTransform(matrix[0], matrix[1], matrix[4], matrix[5], matrix[12], matrix[13]);
  return PIVLOFX_OK;
}

int pivlofx_sprite_draw(pivlofx_sprite* sprite, pivlofx_texture* texture, const int rect[4],
                        uint32_t argb) {
  if (sprite == nullptr || texture == nullptr || !sprite->begun) return PIVLOFX_E_INVALIDCALL;
  QPainter& painter = sprite->device->painter;
  if (!painter.isActive()) return PIVLOFX_E_INVALIDCALL;
  const int left = rect != nullptr ? rect[0] : 0;
  const int top = rect != nullptr ? rect[1] : 0;
  const int right = rect != nullptr ? rect[2] : texture->image.width();
  const int bottom = rect != nullptr ? rect[3] : texture->image.height();
  if (left == right || top == bottom) return PIVLOFX_OK;  // an empty rectangle shows nothing

  // Texture pixels map to the target through the rectangle's origin and the transform;
  // a rectangle running backwards samples mirrored.
  const QRectF source = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
  const bool blend = (sprite->flags & PIVLOFX_SPRITE_ALPHABLEND) != 0;
  if (blend && DrawMoved(sprite->device->back_buffer, *texture, source.toRect(), QPoint(left, top), sprite->transform,
                         qAlpha(argb))) {
    return PIVLOFX_OK;
  }
  painter.setTransform(QTransform::fromTranslate(-left, -top) * sprite->transform);
  painter.setOpacity(qAlpha(argb) / 255.0);
  painter.setCompositionMode(blend ? QPainter::CompositionMode_SourceOver : QPainter::CompositionMode_Source);
  painter.drawImage(source, texture->image, source);
  return PIVLOFX_OK;
}

int pivlofx_sprite_end(pivlofx_sprite* sprite) {
  if (sprite == nullptr || !sprite->begun) return PIVLOFX_E_INVALIDCALL;
  sprite->begun = false;
  return PIVLOFX_OK;
}

int pivlofx_sprite_on_lost_device(pivlofx_sprite* sprite) {
  if (sprite == nullptr) return PIVLOFX_E_INVALIDCALL;
  sprite->lost = true;
  sprite->begun = false;
  return PIVLOFX_OK;
}

int pivlofx_sprite_on_reset_device(pivlofx_sprite* sprite) {
  if (sprite == nullptr) return PIVLOFX_E_INVALIDCALL;
  sprite->lost = false;
  return PIVLOFX_OK;
}

}  // extern "C"
