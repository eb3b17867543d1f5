// The runtime's C ABI directly, and the late-binding caller that reaches it.

#include "fx/PivloFx.h"
#include "render/cFuncCall.h"

#include "render/RenderTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::Png;

struct Presented {
  QImage frame;
  int count = 0;
};

void KeepFrame(void* host, const unsigned char* pixels, int width, int height, int stride) {
  auto* presented = static_cast<Presented*>(host);
  presented->frame = QImage(pixels, width, height, stride, QImage::Format_ARGB32_Premultiplied).copy();
  ++presented->count;
}

class Runtime : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(pivlofx_device_create(16, 8, KeepFrame, &presented_, &device_), PIVLOFX_OK); }
  void TearDown() override { pivlofx_device_release(device_); }

  pivlofx_texture* Texture(const QImage& image, int rule) {
    const QByteArray png = Png(image);
    pivlofx_texture* texture = nullptr;
    EXPECT_EQ(pivlofx_texture_create(device_, png.constData(), int(png.size()), rule, rule, &texture), PIVLOFX_OK);
    return texture;
  }

  pivlofx_device* device_ = nullptr;
  Presented presented_;
};

TEST_F(Runtime, TexturesKeepTheImageUnscaledInTheTopLeftCorner) {
  QImage image(5, 3, QImage::Format_ARGB32);
  image.fill(qRgb(10, 20, 30));
  const struct {
    int rule;
    int width, height;
  } cases[] = {{PIVLOFX_SIZE_POW2, 8, 4}, {0, 8, 4}, {PIVLOFX_SIZE_IMAGE, 5, 3}, {12, 12, 12}, {2, 2, 2}};
  for (const auto& c : cases) {
    pivlofx_texture* texture = Texture(image, c.rule);
    ASSERT_NE(texture, nullptr);
    int width = 0, height = 0, image_width = 0, image_height = 0;
    EXPECT_EQ(pivlofx_texture_describe(texture, &width, &height, &image_width, &image_height), PIVLOFX_OK);
    EXPECT_EQ(QSize(width, height), QSize(c.width, c.height)) << c.rule;
    EXPECT_EQ(QSize(image_width, image_height), QSize(5, 3)) << c.rule;
    pivlofx_texture_release(texture);
  }
  EXPECT_EQ(pivlofx_device_texture_caps(device_) & PIVLOFX_TEXTURECAPS_POW2, 0);

  // Beyond the image a larger texture is transparent: drawing all of it shows only the image.
  pivlofx_texture* texture = Texture(image, PIVLOFX_SIZE_POW2);
  pivlofx_sprite* sprite = nullptr;
  ASSERT_EQ(pivlofx_sprite_create(device_, &sprite), PIVLOFX_OK);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  ASSERT_EQ(pivlofx_device_begin_scene(device_), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_clear(device_, 0xFF000000u), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_sprite_begin(sprite, PIVLOFX_SPRITE_ALPHABLEND), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_sprite_set_transform(sprite, identity), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_sprite_draw(sprite, texture, nullptr, 0xFFFFFFFFu), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_sprite_end(sprite), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_end_scene(device_), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_present(device_), PIVLOFX_OK);
  EXPECT_EQ(presented_.frame.pixel(4, 2), qRgb(10, 20, 30));
  EXPECT_EQ(presented_.frame.pixel(5, 2), qRgb(0, 0, 0));
  EXPECT_EQ(presented_.frame.pixel(4, 3), qRgb(0, 0, 0));
  pivlofx_sprite_release(sprite);
  pivlofx_texture_release(texture);
}

TEST_F(Runtime, RefusesCallsOutOfOrderAndBadInput) {
  pivlofx_texture* texture = nullptr;
  EXPECT_EQ(pivlofx_texture_create(device_, "xyz", 3, -2, -2, &texture), PIVLOFX_E_INVALIDDATA);
  EXPECT_EQ(texture, nullptr);
  EXPECT_EQ(pivlofx_texture_create(device_, nullptr, 0, -2, -2, &texture), PIVLOFX_E_INVALIDCALL);
  pivlofx_device* none = nullptr;
  EXPECT_EQ(pivlofx_device_create(0, 10, nullptr, nullptr, &none), PIVLOFX_E_NOTAVAILABLE);
  EXPECT_EQ(pivlofx_device_create(20000, 10, nullptr, nullptr, &none), PIVLOFX_E_NOTAVAILABLE);

  pivlofx_sprite* sprite = nullptr;
  ASSERT_EQ(pivlofx_sprite_create(device_, &sprite), PIVLOFX_OK);
  EXPECT_EQ(pivlofx_sprite_begin(sprite, 0), PIVLOFX_E_INVALIDCALL);  // outside a scene
  EXPECT_EQ(pivlofx_device_clear(device_, 0), PIVLOFX_E_INVALIDCALL);
  EXPECT_EQ(pivlofx_device_end_scene(device_), PIVLOFX_E_INVALIDCALL);
  ASSERT_EQ(pivlofx_device_begin_scene(device_), PIVLOFX_OK);
  EXPECT_EQ(pivlofx_device_begin_scene(device_), PIVLOFX_E_INVALIDCALL);
  EXPECT_EQ(pivlofx_device_present(device_), PIVLOFX_E_INVALIDCALL);  // inside a scene
  EXPECT_EQ(pivlofx_sprite_draw(sprite, nullptr, nullptr, 0xFFFFFFFFu), PIVLOFX_E_INVALIDCALL);
  EXPECT_EQ(pivlofx_device_end_scene(device_), PIVLOFX_OK);
  pivlofx_sprite_release(sprite);
  EXPECT_EQ(pivlofx_abi_version(), PIVLOFX_ABI_VERSION);
}

TEST(RuntimeDraws, MovedPixelsBlendAsTheRasterEngineBlendsThem) {
  // Draws at scale 1 on whole pixels, partly off the buffer, of an opaque and a
  // half-transparent texture, at full and partial alpha: QPainter's result, up to its
  // rounding of the opacity to 1/256 steps.
  constexpr QSize kBuffer(40, 30);
  Presented presented;
  pivlofx_device* device = nullptr;
  ASSERT_EQ(pivlofx_device_create(kBuffer.width(), kBuffer.height(), KeepFrame, &presented, &device), PIVLOFX_OK);
  const QImage opaque = test::CoordinatePicture(QSize(24, 16));
  QImage clear(24, 16, QImage::Format_ARGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 24; ++x) clear.setPixel(x, y, qRgba(250, 10 * x, 15 * y, (x * 11 + y * 7) % 256));
  }
  QImage expected(kBuffer, QImage::Format_ARGB32_Premultiplied);
  expected.fill(0xFF204060u);
  pivlofx_sprite* sprite = nullptr;
  ASSERT_EQ(pivlofx_sprite_create(device, &sprite), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_begin_scene(device), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_clear(device, 0xFF204060u), PIVLOFX_OK);
  struct Draw {
    const QImage* image;
    QRect source;
    QPoint at;
    int alpha;
  };
  const Draw draws[] = {{&opaque, {2, 3, 20, 10}, {-5, 4}, 255}, {&clear, {0, 0, 24, 16}, {30, 20}, 255},
                        {&clear, {4, 2, 2, 14}, {10, -3}, 128}, {&opaque, {0, 0, 24, 1}, {8, 29}, 77},
                        {&clear, {1, 1, 23, 15}, {3, 3}, 200}};
  for (const Draw& d : draws) {
    const QByteArray png = Png(*d.image);
    pivlofx_texture* texture = nullptr;
    ASSERT_EQ(pivlofx_texture_create(device, png.constData(), int(png.size()), -2, -2, &texture), PIVLOFX_OK);
    const float move[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, float(d.at.x()), float(d.at.y()), 0, 1};
    const int rect[4] = {d.source.left(), d.source.top(), d.source.right() + 1, d.source.bottom() + 1};
    ASSERT_EQ(pivlofx_sprite_begin(sprite, PIVLOFX_SPRITE_ALPHABLEND), PIVLOFX_OK);
    ASSERT_EQ(pivlofx_sprite_set_transform(sprite, move), PIVLOFX_OK);
    ASSERT_EQ(pivlofx_sprite_draw(sprite, texture, rect, quint32(d.alpha) << 24 | 0xFFFFFFu), PIVLOFX_OK);
    ASSERT_EQ(pivlofx_sprite_end(sprite), PIVLOFX_OK);
    pivlofx_texture_release(texture);
    QPainter painter(&expected);
    painter.setOpacity(d.alpha / 255.0);
    painter.drawImage(d.at, d.image->convertToFormat(QImage::Format_ARGB32_Premultiplied), d.source);  // as loaded
  }
  const int clear_rect[4] = {36, -2, 44, 3};  // clipped to the buffer
  ASSERT_EQ(pivlofx_device_clear_rect(device, clear_rect, 0xFFFF0000u), PIVLOFX_OK);
  QPainter(&expected).fillRect(QRect(36, 0, 4, 3), Qt::red);
  ASSERT_EQ(pivlofx_device_end_scene(device), PIVLOFX_OK);
  ASSERT_EQ(pivlofx_device_present(device), PIVLOFX_OK);
  for (int y = 0; y < kBuffer.height(); ++y) {
    for (int x = 0; x < kBuffer.width(); ++x) {
      ASSERT_LE(test::ChannelDistance(presented.frame.pixel(x, y), expected.pixel(x, y)), 2) << x << "," << y;
    }
  }
  pivlofx_sprite_release(sprite);
  pivlofx_device_release(device);
}

TEST_F(Runtime, ALostSurfaceNeedsAResetOnceItIsBack) {
  EXPECT_EQ(pivlofx_device_test_cooperative_level(device_), PIVLOFX_OK);
  pivlofx_device_surface_event(device_, PIVLOFX_SURFACE_LOST);
  EXPECT_EQ(pivlofx_device_test_cooperative_level(device_), PIVLOFX_E_DEVICELOST);
  EXPECT_EQ(pivlofx_device_present(device_), PIVLOFX_E_DEVICELOST);
  EXPECT_EQ(pivlofx_device_reset(device_, 16, 8), PIVLOFX_E_DEVICELOST);
  pivlofx_device_surface_event(device_, PIVLOFX_SURFACE_RESTORED);
  EXPECT_EQ(pivlofx_device_test_cooperative_level(device_), PIVLOFX_E_DEVICENOTRESET);
  EXPECT_EQ(presented_.count, 0);
  EXPECT_EQ(pivlofx_device_reset(device_, 4, 2), PIVLOFX_OK);
  EXPECT_EQ(pivlofx_device_test_cooperative_level(device_), PIVLOFX_OK);
  EXPECT_EQ(pivlofx_device_present(device_), PIVLOFX_OK);
  EXPECT_EQ(presented_.frame.size(), QSize(4, 2));
  EXPECT_EQ(presented_.frame.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(cFuncCall, CallsANamedExportOnceAndNothingWithoutOne) {
  cFuncCall caller;
  EXPECT_FALSE(caller.LibraryFile(QStringLiteral("/nonexistent/library.so")));
  caller.FunctionName("pivlofx_abi_version");
  EXPECT_FALSE(caller.HasFunction());
  EXPECT_EQ(caller.CallFunction<decltype(pivlofx_abi_version)>(), 0);

  ASSERT_TRUE(caller.LibraryFile(QStringLiteral(PIVLO_RUNTIME_PATH)));
  caller.FunctionName("pivlofx_abi_version");
  EXPECT_TRUE(caller.HasFunction());
  EXPECT_EQ(caller.CallFunction<decltype(pivlofx_abi_version)>(), PIVLOFX_ABI_VERSION);
  EXPECT_FALSE(caller.HasFunction());  // named again before every call
  EXPECT_EQ(caller.CallFunction<decltype(pivlofx_abi_version)>(), 0);

  caller.FunctionName("no_such_export");
  EXPECT_FALSE(caller.HasFunction());
  pivlofx_device* device = nullptr;
  caller.FunctionName("pivlofx_device_create");
  EXPECT_EQ(caller.CallFunction<decltype(pivlofx_device_create)>(8, 8, nullptr, nullptr, &device), PIVLOFX_OK);
  caller.FunctionName("pivlofx_device_release");
  caller.CallFunction<decltype(pivlofx_device_release)>(device);
}

}  // namespace
}  // namespace pivlo
