#include "render/basDirect3D.h"

#include "core/Rounding.h"
#include "fx/PivloFx.h"
#include "render/basTextStyles.h"
#include "render/cFuncCall.h"

#include <QCoreApplication>
#include <QtEndian>

#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace pivlo {
namespace {

// Every entry point the binding needs; a runtime lacking one counts as missing.
#define PIVLO_RUNTIME_ENTRIES(X) \
  X(abi_version)                 \
  X(device_create)               \
  X(device_release)              \
  X(device_texture_caps)         \
  X(device_begin_scene)          \
  X(device_end_scene)            \
  X(device_clear)                \
  X(device_clear_rect)           \
  X(device_present)              \
  X(device_test_cooperative_level) \
  X(device_reset)                \
  X(device_surface_event)        \
  X(texture_create)              \
  X(texture_release)             \
  X(sprite_create)               \
  X(sprite_release)              \
  X(sprite_begin)                \
  X(sprite_set_transform)        \
  X(sprite_draw)                 \
  X(sprite_end)                  \
  X(sprite_on_lost_device)       \
  X(sprite_on_reset_device)

struct RuntimeApi {
#define PIVLO_RUNTIME_FIELD(name) decltype(&pivlofx_##name) name = nullptr;
  PIVLO_RUNTIME_ENTRIES(PIVLO_RUNTIME_FIELD)
#undef PIVLO_RUNTIME_FIELD
};

bool ResolveRuntime(cFuncCall& caller, RuntimeApi& api) {
  bool complete = true;
#define PIVLO_RUNTIME_RESOLVE(name)                                                              \
  api.name = reinterpret_cast<decltype(&pivlofx_##name)>(caller.Address("pivlofx_" #name)); \
  complete = complete && api.name != nullptr;
  PIVLO_RUNTIME_ENTRIES(PIVLO_RUNTIME_RESOLVE)
#undef PIVLO_RUNTIME_RESOLVE
  return complete;
}

// Texture and sprite places, in the order the binding keeps them.
enum Place { kSlotOne = 0, kSlotTwo = 1, kText = 2, kFrame = 3, kPlaces = 4 };

struct Binding {
  qint32 status = kDirect3DOk;
  bool ready = false;
  bool device_lost = false;
  bool resource_failed = false;
  CanvasWindow* canvas = nullptr;
  QString runtime_path;
  int width = 0;
  int height = 0;
  qint32 texture_size_rule = PIVLOFX_SIZE_IMAGE;
  std::unique_ptr<cFuncCall> caller;  // holds the runtime until ReleaseDirect3D
  RuntimeApi api;
  pivlofx_device* device = nullptr;
  std::array<pivlofx_texture*, kPlaces> textures{};
  std::array<pivlofx_sprite*, kPlaces> sprites{};
  float text_width = 0;
  float text_height = 0;
  // Identity except the scale (0, 5) and the translation (12, 13) of each draw.
  std::array<float, 16> transform{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Binding& State() {
  static Binding binding;
  return binding;
}

void PresentToCanvas(void* host, const unsigned char* pixels, int width, int height, int stride) {
  auto* canvas = static_cast<CanvasWindow*>(host);
  canvas->PresentFrame(QImage(pixels, width, height, stride, QImage::Format_ARGB32_Premultiplied));
}

void ReleaseSprite(Place place) {
  Binding& b = State();
  if (b.sprites[place] != nullptr) b.api.sprite_release(b.sprites[place]);
  b.sprites[place] = nullptr;
}

void ReleaseTexture(Place place) {
  Binding& b = State();
  if (b.textures[place] != nullptr) b.api.texture_release(b.textures[place]);
  b.textures[place] = nullptr;
}

void FailPlace(Place place) {
  State().resource_failed = true;
  ReleaseSprite(place);
  ReleaseTexture(place);
}

std::optional<Place> PictureSlotPlace(int slot) {
  if (slot == kPictureSlotOne) return kSlotOne;
  if (slot == kPictureSlotTwo) return kSlotTwo;
  return std::nullopt;
}

// The loader and the sprite maker are called through the late-binding caller.
pivlofx_texture* LoadTexture(const QByteArray& bytes) {
  Binding& b = State();
  if (b.device == nullptr || bytes.isEmpty() || bytes.size() > std::numeric_limits<int>::max()) {
    return nullptr;
  }
  pivlofx_texture* texture = nullptr;
  b.caller->FunctionName("pivlofx_texture_create");
  const int result = b.caller->CallFunction<decltype(pivlofx_texture_create)>(
      b.device, bytes.constData(), int(bytes.size()), b.texture_size_rule, b.texture_size_rule, &texture);
  return result == PIVLOFX_OK ? texture : nullptr;
}

pivlofx_sprite* MakeSprite() {
  Binding& b = State();
  if (b.device == nullptr) return nullptr;
  pivlofx_sprite* sprite = nullptr;
  b.caller->FunctionName("pivlofx_sprite_create");
  const int result = b.caller->CallFunction<decltype(pivlofx_sprite_create)>(b.device, &sprite);
  return result == PIVLOFX_OK ? sprite : nullptr;
}

// Puts a new texture into its place; the sprite is made when there is none yet (or
// always, when asked to replace it).
void CreateTextureIn(Place place, const QByteArray& bytes, bool new_sprite) {
  Binding& b = State();
  if (new_sprite) ReleaseSprite(place);
  ReleaseTexture(place);
  b.textures[place] = LoadTexture(bytes);
  if (b.textures[place] == nullptr) return FailPlace(place);
  if (b.sprites[place] == nullptr) b.sprites[place] = MakeSprite();
  if (b.sprites[place] == nullptr) return FailPlace(place);
  b.resource_failed = false;
}

// One alpha-blended sprite draw of the rectangle at (x, y) under the scale.
bool SpriteDraw(Place place, const std::array<int, 4>& rect, quint32 colour, float scale_x, float scale_y,
                float x, float y) {
  Binding& b = State();
  pivlofx_sprite* sprite = b.sprites[place];
  if (b.device == nullptr || sprite == nullptr || b.textures[place] == nullptr) return false;
  b.transform[0] = scale_x;
  b.transform[5] = scale_y;
  b.transform[12] = x;
  b.transform[13] = y;
  if (b.api.sprite_begin(sprite, PIVLOFX_SPRITE_ALPHABLEND) != PIVLOFX_OK) return false;
  const bool drawn = b.api.sprite_set_transform(sprite, b.transform.data()) == PIVLOFX_OK &&
                     b.api.sprite_draw(sprite, b.textures[place], rect.data(), colour) == PIVLOFX_OK;
  return b.api.sprite_end(sprite) == PIVLOFX_OK && drawn;
}

quint32 SpriteColour(int alpha) { return alpha == 255 ? 0xFFFFFFFFu : MakeArgb(alpha, 255, 255, 255); }

void ForEachSpriteInResetOrder(decltype(&pivlofx_sprite_on_lost_device) call) {
  Binding& b = State();
  for (const Place place : {kText, kSlotOne, kSlotTwo, kFrame}) {
    if (b.sprites[place] != nullptr) call(b.sprites[place]);
  }
}

}  // namespace

qint32 Direct3DStatus() { return State().status; }
bool Direct3DReady() { return State().ready; }
bool DeviceLost() { return State().device_lost; }
bool ResourceFailed() { return State().resource_failed; }
QSize BackBufferSize() { return QSize(State().width, State().height); }
qint32 TextureSizeRule() { return State().texture_size_rule; }

QString Direct3DStatusText(qint32 status, const QString& runtime_file_name) {
  const auto tr = [](const char* text) { return QCoreApplication::translate("pivlo::Direct3D", text); };
  switch (status) {
    case kDirect3DOk: return QString();
    case kDirect3DNoD3d8thk: return tr("未找到d3d8thk.dll");
    case kDirect3DNoD3d9: return tr("未找到d3d9.dll");
    case kDirect3DNoRuntime: return tr("未找到%1").arg(runtime_file_name);
    case kDirect3DNoDevice: return tr("显卡硬件加速失败");
    case kDirect3DNoTexture: return tr("创建纹理失败");
    default: return tr("未知DirectX9错误");
  }
}

void InitDirect3D(CanvasWindow& canvas, const QString& runtime_path) {
  ReleaseDirect3D();
  Binding& b = State();
  b.status = kDirect3DOk;
  b.canvas = &canvas;
  b.runtime_path = runtime_path;
  b.width = canvas.InnerSize().width();
  b.height = canvas.InnerSize().height();

  const auto fail = [&b](qint32 status) {
    b.status = status;
    ReleaseDirect3D();
  };
  // The runtime is both the device and the texture loader: find it first.
  auto caller = std::make_unique<cFuncCall>();
  if (!caller->LibraryFile(runtime_path) || !ResolveRuntime(*caller, b.api) ||
      b.api.abi_version() != PIVLOFX_ABI_VERSION) {
    b.api = RuntimeApi();
    return fail(kDirect3DNoRuntime);
  }
  b.caller = std::move(caller);
  if (b.api.device_create(b.width, b.height, PresentToCanvas, &canvas, &b.device) != PIVLOFX_OK) {
    return fail(kDirect3DNoDevice);
  }
  b.texture_size_rule = (b.api.device_texture_caps(b.device) & PIVLOFX_TEXTURECAPS_POW2) != 0
                            ? PIVLOFX_SIZE_POW2
                            : PIVLOFX_SIZE_IMAGE;
  CreatePictureTexture(RainbowPicture(), kPictureSlotOne);
  if (b.resource_failed) return fail(kDirect3DNoTexture);
  ReleaseTexture(kSlotOne);
  b.device_lost = false;
  b.ready = true;
}

void ReleaseDirect3D() {
  Binding& b = State();
  if (b.api.device_release != nullptr) {
    for (const Place place : {kSlotOne, kSlotTwo, kText, kFrame}) ReleaseSprite(place);
    for (const Place place : {kSlotTwo, kSlotOne, kText, kFrame}) ReleaseTexture(place);
    if (b.device != nullptr) b.api.device_release(b.device);
  }
  b.device = nullptr;
  b.caller.reset();  // frees the runtime
  b.api = RuntimeApi();
  b.ready = false;
}

void CheckDevice() {
  Binding& b = State();
  if (b.device == nullptr) {
    b.device_lost = true;
    return;
  }
  switch (b.api.device_test_cooperative_level(b.device)) {
    case PIVLOFX_OK:
      b.device_lost = false;
      break;
    case PIVLOFX_E_DEVICENOTRESET:
      b.device_lost = true;
      ResetDevice();
      break;
    case PIVLOFX_E_DRIVERINTERNALERROR:
      b.device_lost = true;
      ReleaseDirect3D();
      InitDirect3D(*b.canvas, b.runtime_path);
      break;
    default:
      b.device_lost = true;
      break;
  }
}

void ResetDevice() {
  Binding& b = State();
  if (b.device == nullptr || b.canvas == nullptr) {
    b.device_lost = true;
    return;
  }
  b.width = b.canvas->InnerSize().width();
  b.height = b.canvas->InnerSize().height();
  ForEachSpriteInResetOrder(b.api.sprite_on_lost_device);
  if (b.api.device_reset(b.device, b.width, b.height) != PIVLOFX_OK) {
    b.device_lost = true;
    return;
  }
  ForEachSpriteInResetOrder(b.api.sprite_on_reset_device);
  b.device_lost = false;
}

void CanvasSurfaceLost() {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_surface_event(b.device, PIVLOFX_SURFACE_LOST);
}

void CanvasSurfaceRestored() {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_surface_event(b.device, PIVLOFX_SURFACE_RESTORED);
}

QByteArray CaptureBoxAsBmp(const QImage& box) {
  // Premultiplied colour is the colour over black; BGR888 rows are padded to 4 bytes,
  // exactly as BMP rows are.
  const QImage premultiplied = box.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage over_black(premultiplied.constBits(), premultiplied.width(), premultiplied.height(),
                          premultiplied.bytesPerLine(), QImage::Format_RGB32);
  const QImage rows = over_black.convertToFormat(QImage::Format_BGR888);
  const qint32 width = box.width();
  const qint32 height = box.height();
  const qint32 row_size = (3 * width + 3) / 4 * 4;
  const qint32 data_size = row_size * height;

  QByteArray bmp(54 + qsizetype(data_size), '\0');
  uchar* p = reinterpret_cast<uchar*>(bmp.data());
  const auto put16 = [p](int offset, quint16 v) { qToLittleEndian(v, p + offset); };
  const auto put32 = [p](int offset, qint32 v) { qToLittleEndian(v, p + offset); };
  p[0] = 'B';
  p[1] = 'M';
  put32(2, 54 + data_size);
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  put16(26, 1);
  put16(28, 24);
  put32(34, data_size);
  for (qint32 y = 0; y < height; ++y) {
    std::memcpy(p + 54 + qsizetype(height - 1 - y) * row_size, rows.constScanLine(y), 3 * width);
  }
  return bmp;
}

void CreatePictureTexture(const QByteArray& picture_bytes, int slot) {
  const std::optional<Place> place = PictureSlotPlace(slot);
  if (place) CreateTextureIn(*place, picture_bytes, false);
}

void CreatePictureTexture(const QImage& box, int slot) { CreatePictureTexture(CaptureBoxAsBmp(box), slot); }

void CreateFrameTexture(const QByteArray& png_bytes) { CreateTextureIn(kFrame, png_bytes, true); }

void CreateTextTexture(const QString& text, const TextLook& look, const QRectF& box) {
  Binding& b = State();
  b.text_width = float(box.width());
  b.text_height = float(box.height());
  CreateTextureIn(kText, RenderTextToPng(text, look, box), false);
}

void SwapPictureSlots() {
  Binding& b = State();
  std::swap(b.textures[kSlotOne], b.textures[kSlotTwo]);
  std::swap(b.sprites[kSlotOne], b.sprites[kSlotTwo]);
}

void ReleaseFrameTexture() {
  ReleaseSprite(kFrame);
  ReleaseTexture(kFrame);
}

void BeginScene() {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_begin_scene(b.device);
}

void ClearBackBuffer(quint32 argb) {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_clear(b.device, argb);
}

void ClearBackBufferRegion(const QRect& region, quint32 argb) {
  Binding& b = State();
  if (b.device == nullptr) return;
  const std::array<int, 4> rect{region.left(), region.top(), region.left() + region.width(),
                                region.top() + region.height()};
  b.api.device_clear_rect(b.device, rect.data(), argb);
}

void EndScene() {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_end_scene(b.device);
}

void Present() {
  Binding& b = State();
  if (b.device != nullptr) b.api.device_present(b.device);
}

void DrawPicture(float x, float y, float width, float height, int slot, int alpha, float sx, float sy,
                 float sw, float sh, bool with_frame) {
  if ((sw == 0) != (sh == 0)) return;
  const std::optional<Place> place = PictureSlotPlace(slot);
  if (!place) return;
  Binding& b = State();
  const bool whole = sw == 0;
  const std::array<int, 4> rect{
      RoundToInt32(sx),
      RoundToInt32(sy),
      whole ? (sx > 0 ? RoundToInt32(sx + width) : b.width) : RoundToInt32(sx + sw),
      whole ? (sy > 0 ? RoundToInt32(sy + height) : b.height) : RoundToInt32(sy + sh),
  };
  if (whole && (b.width <= 0 || b.height <= 0)) return FailPlace(*place);
  const float scale_x = whole ? width / float(b.width) : width / sw;
  const float scale_y = whole ? height / float(b.height) : height / sh;
  if (scale_x == 0 || scale_y == 0) return;
  if (!SpriteDraw(*place, rect, SpriteColour(alpha), scale_x, scale_y, x, y)) return FailPlace(*place);
  if (with_frame) DrawFrameRegion(x, y, width, height);
}

void DrawFrameRegion(float x, float y, float width, float height) {
  Binding& b = State();
  if (b.textures[kFrame] == nullptr || width == 0 || height == 0) return;
  const std::array<int, 4> rect{
      RoundToInt32(x),
      RoundToInt32(y),
      width == kWholeOverlay ? b.width : RoundToInt32(x + width),
      height == kWholeOverlay ? b.height : RoundToInt32(y + height),
  };
  if (!SpriteDraw(kFrame, rect, 0xFFFFFFFFu, 1, 1, x, y)) FailPlace(kFrame);
}

void DrawTextSprite(float x, float y, float width, float height, int alpha, float sx, float sy, float sw,
                    float sh) {
  if ((sw == 0) != (sh == 0)) return;
  Binding& b = State();
  const bool whole = sw == 0;
  const std::array<int, 4> rect = whole ? std::array<int, 4>{0, 0, RoundToInt32(b.text_width),
                                                              RoundToInt32(b.text_height)}
                                        : std::array<int, 4>{RoundToInt32(sx), RoundToInt32(sy),
                                                              RoundToInt32(sx + sw), RoundToInt32(sy + sh)};
  const float source_width = whole ? b.text_width : sw;
  const float source_height = whole ? b.text_height : sh;
  if (source_width == 0 || source_height == 0) return FailPlace(kText);
  const float scale_x = width / source_width;
  const float scale_y = height / source_height;
  if (scale_x == 0 || scale_y == 0) return;
  if (!SpriteDraw(kText, rect, SpriteColour(alpha), scale_x, scale_y, x, y)) FailPlace(kText);
}

void DrawWholeFrame() { DrawFrameRegion(0, 0, kWholeOverlay, kWholeOverlay); }

void RenderStill() {
  Binding& b = State();
  if (b.device_lost || b.resource_failed) return;
  BeginScene();
  DrawPicture(0, 0, float(b.width), float(b.height), kPictureSlotOne, 255, 0, 0, 0, 0, false);
  DrawWholeFrame();
  EndScene();
  Present();
}

quint32 MakeArgb(int alpha, int red, int green, int blue) {
  const auto byte = [](int v) { return quint32(qBound(0, v, 255)); };
  return byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

}  // namespace pivlo
