// The binding over the real runtime: the probe's status codes and the drawing rules,
// checked on the presented pixels.

#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include "render/RenderTestSupport.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::Png;
using test::ChannelDistance;
using test::CoordinatePicture;
using test::ImageCanvas;

const QString kRuntime = QStringLiteral(PIVLO_RUNTIME_PATH);
constexpr QSize kCanvas(64, 48);

QImage Uniform(QSize size, QRgb colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

class Binding : public testing::Test {
 protected:
  void SetUp() override {
    SetRainbowPicture(Png(Uniform(QSize(8, 8), qRgb(255, 0, 0))));
    InitDirect3D(canvas_, kRuntime);
    ASSERT_EQ(Direct3DStatus(), kDirect3DOk);
  }
  void TearDown() override {
    ReleaseDirect3D();
    SetRainbowPicture(QByteArray());
  }

  // One frame: black, then the draws, then presented.
  template <typename Draws>
  QImage Frame(Draws draws, bool clear = true) {
    BeginScene();
    if (clear) ClearBackBuffer(0xFF000000u);
    draws();
    EndScene();
    Present();
    return canvas_.last_frame.convertToFormat(QImage::Format_RGB32);
  }

  ImageCanvas canvas_{kCanvas};
  const QImage picture_ = CoordinatePicture(kCanvas);
};

TEST_F(Binding, TheProbeSucceedsWithTheRuntimePresent) {
  EXPECT_TRUE(Direct3DReady());
  EXPECT_FALSE(DeviceLost());
  EXPECT_FALSE(ResourceFailed());
  EXPECT_EQ(BackBufferSize(), kCanvas);
  EXPECT_EQ(TextureSizeRule(), -2);  // the software device takes any texture size
}

struct ProbeCase {
  const char* name;
  QString runtime;
  QSize canvas;
  QByteArray rainbow;
  qint32 status;
};

TEST(Probe, EachFailingStepHasItsStatusAndText) {
  const QByteArray rainbow = Png(Uniform(QSize(4, 4), qRgb(0, 0, 255)));
  const ProbeCase cases[] = {
      {"runtime missing", QStringLiteral("/nonexistent/libpivlofx.so"), kCanvas, rainbow, kDirect3DNoRuntime},
      {"entry points missing", QStringLiteral(PIVLO_FOREIGN_LIBRARY), kCanvas, rainbow, kDirect3DNoRuntime},
      {"no device on an empty canvas", kRuntime, QSize(0, 0), rainbow, kDirect3DNoDevice},
      {"the test texture does not decode", kRuntime, kCanvas, QByteArray("not a picture"), kDirect3DNoTexture},
      {"no rainbow picture", kRuntime, kCanvas, QByteArray(), kDirect3DNoTexture},
  };
  for (const ProbeCase& c : cases) {
    SetRainbowPicture(c.rainbow);
    ImageCanvas canvas(c.canvas);
    InitDirect3D(canvas, c.runtime);
    EXPECT_EQ(Direct3DStatus(), c.status) << c.name;
    EXPECT_FALSE(Direct3DReady()) << c.name;
    RenderStill();  // everything was released: nothing happens
    EXPECT_EQ(canvas.presents, 0) << c.name;
  }
  SetRainbowPicture(QByteArray());
  const QString file = QStringLiteral("libpivlofx.so");
  EXPECT_EQ(Direct3DStatusText(kDirect3DOk, file), QString());
  EXPECT_EQ(Direct3DStatusText(1, file), QStringLiteral("未找到d3d8thk.dll"));
  EXPECT_EQ(Direct3DStatusText(2, file), QStringLiteral("未找到d3d9.dll"));
  EXPECT_EQ(Direct3DStatusText(3, file), QStringLiteral("未找到libpivlofx.so"));
  EXPECT_EQ(Direct3DStatusText(4, file), QStringLiteral("显卡硬件加速失败"));
  EXPECT_EQ(Direct3DStatusText(5, file), QStringLiteral("创建纹理失败"));
  EXPECT_EQ(Direct3DStatusText(6, file), QStringLiteral("未知DirectX9错误"));
}

TEST_F(Binding, SourceWidthZeroDrawsTheWholePictureOverTheTarget) {
  CreatePictureTexture(Png(picture_), kPictureSlotOne);
  ASSERT_FALSE(ResourceFailed());
  const QImage whole = Frame([] { DrawPicture(0, 0, 64, 48, kPictureSlotOne, 255, 0, 0, 0, 0, false); });
  EXPECT_EQ(whole, picture_);

  // Scaled to a quarter: the target rectangle is covered, nothing beyond it.
  const QImage quarter = Frame([] { DrawPicture(16, 8, 32, 24, kPictureSlotOne, 255, 0, 0, 0, 0, false); });
  EXPECT_NE(quarter.pixel(16, 8), qRgb(0, 0, 0));
  EXPECT_NE(quarter.pixel(47, 31), qRgb(0, 0, 0));
  EXPECT_EQ(quarter.pixel(15, 8), qRgb(0, 0, 0));
  EXPECT_EQ(quarter.pixel(48, 31), qRgb(0, 0, 0));
  EXPECT_EQ(quarter.pixel(47, 32), qRgb(0, 0, 0));
}

TEST_F(Binding, APartOfThePictureLandsWhereTheTargetSays) {
  CreatePictureTexture(Png(picture_), kPictureSlotTwo);
  const QImage frame = Frame([] { DrawPicture(0, 0, 10, 6, kPictureSlotTwo, 255, 20, 30, 10, 6, false); });
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 10; ++x) EXPECT_EQ(frame.pixel(x, y), picture_.pixel(20 + x, 30 + y));
  }
  EXPECT_EQ(frame.pixel(10, 0), qRgb(0, 0, 0));
}

TEST_F(Binding, NegativeSizesMirror) {
  CreatePictureTexture(Png(picture_), kPictureSlotOne);
  // A negative target width mirrors the picture to the left of x.
  const QImage mirrored = Frame([] { DrawPicture(64, 0, -64, 48, kPictureSlotOne, 255, 0, 0, 64, 48, false); });
  for (int y = 0; y < 48; y += 7) {
    for (int x = 0; x < 64; ++x) {
      EXPECT_LE(ChannelDistance(mirrored.pixel(x, y), picture_.pixel(63 - x, y)), 1) << x << ',' << y;
    }
  }
  // A negative source width takes the band to the left of sx, mirrored to the right of x.
  const QImage band = Frame([] { DrawPicture(32, 0, 16, 48, kPictureSlotOne, 255, 32, 0, -16, 48, false); });
  for (int t = 0; t < 16; ++t) EXPECT_LE(ChannelDistance(band.pixel(32 + t, 10), picture_.pixel(31 - t, 10)), 1);
  EXPECT_EQ(band.pixel(31, 10), qRgb(0, 0, 0));
  EXPECT_EQ(band.pixel(48, 10), qRgb(0, 0, 0));
}

TEST_F(Binding, AlphaBlendsOverWhatIsThere) {
  CreatePictureTexture(Png(Uniform(kCanvas, qRgb(200, 100, 50))), kPictureSlotOne);
  const QImage half = Frame([] { DrawPicture(0, 0, 64, 48, kPictureSlotOne, 128, 0, 0, 0, 0, false); });
  EXPECT_LE(ChannelDistance(half.pixel(20, 20), qRgb(100, 50, 25)), 1);
  const QImage none = Frame([] { DrawPicture(0, 0, 64, 48, kPictureSlotOne, 0, 0, 0, 0, 0, false); });
  EXPECT_EQ(none.pixel(20, 20), qRgb(0, 0, 0));
}

TEST_F(Binding, TheBackBufferKeepsEarlierDraws) {
  CreatePictureTexture(Png(Uniform(kCanvas, qRgb(255, 0, 0))), kPictureSlotOne);
  CreatePictureTexture(Png(Uniform(kCanvas, qRgb(0, 0, 255))), kPictureSlotTwo);
  Frame([] { DrawPicture(0, 0, 32, 48, kPictureSlotOne, 255, 0, 0, 32, 48, false); });
  const QImage second =
      Frame([] { DrawPicture(32, 0, 32, 48, kPictureSlotTwo, 255, 32, 0, 32, 48, false); }, /*clear=*/false);
  EXPECT_EQ(second.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(second.pixel(50, 10), qRgb(0, 0, 255));
}

TEST_F(Binding, DrawsThatAreNotMadeChangeNothing) {
  CreatePictureTexture(Png(picture_), kPictureSlotOne);
  const QImage frame = Frame([] {
    DrawPicture(0, 0, 0, 48, kPictureSlotOne, 255, 0, 0, 0, 0, false);    // zero scale
    DrawPicture(0, 0, 64, 48, kPictureSlotOne, 255, 0, 0, 10, 0, false);  // width without height
    DrawFrameRegion(0, 0, kWholeOverlay, kWholeOverlay);                  // no frame chosen
  });
  EXPECT_EQ(frame, Uniform(kCanvas, qRgb(0, 0, 0)).convertToFormat(QImage::Format_RGB32));
  EXPECT_FALSE(ResourceFailed());
}

TEST_F(Binding, TheFrameOverlayIsDrawnInPlace) {
  CreatePictureTexture(Png(Uniform(kCanvas, qRgb(0, 255, 0))), kPictureSlotOne);
  QImage overlay = Uniform(kCanvas, qRgba(0, 0, 0, 0));
  overlay.setPixel(5, 5, qRgba(255, 255, 255, 255));
  overlay.setPixel(40, 30, qRgba(255, 255, 255, 255));
  CreateFrameTexture(Png(overlay));
  ASSERT_FALSE(ResourceFailed());

  RenderStill();
  const QImage still = canvas_.last_frame.convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(still.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(still.pixel(40, 30), qRgb(255, 255, 255));
  EXPECT_EQ(still.pixel(20, 20), qRgb(0, 255, 0));

  // A region: only its part of the overlay, where it belongs; a picture draw with the
  // frame flag adds the region of its target.
  const QImage region = Frame([] { DrawFrameRegion(0, 0, 10, 10); });
  EXPECT_EQ(region.pixel(5, 5), qRgb(255, 255, 255));
  EXPECT_EQ(region.pixel(40, 30), qRgb(0, 0, 0));
  const QImage with_frame = Frame([] { DrawPicture(32, 24, 32, 24, kPictureSlotOne, 255, 32, 24, 32, 24, true); });
  EXPECT_EQ(with_frame.pixel(40, 30), qRgb(255, 255, 255));
  EXPECT_EQ(with_frame.pixel(5, 5), qRgb(0, 0, 0));

  ReleaseFrameTexture();
  RenderStill();
  EXPECT_EQ(canvas_.last_frame.convertToFormat(QImage::Format_RGB32).pixel(5, 5), qRgb(0, 255, 0));
}

TEST_F(Binding, AFailedDrawOrCreationSkipsFramesUntilTheNextCreation) {
  Frame([] { DrawPicture(0, 0, 64, 48, kPictureSlotTwo, 255, 0, 0, 0, 0, false); });  // slot 2 is empty
  EXPECT_TRUE(ResourceFailed());
  const int presents = canvas_.presents;
  RenderStill();
  EXPECT_EQ(canvas_.presents, presents);

  CreatePictureTexture(Png(picture_), kPictureSlotOne);
  EXPECT_FALSE(ResourceFailed());
  CreatePictureTexture(QByteArray("garbage"), kPictureSlotOne);
  EXPECT_TRUE(ResourceFailed());
  CreatePictureTexture(CoordinatePicture(kCanvas), kPictureSlotOne);  // from a picture box
  EXPECT_FALSE(ResourceFailed());
  RenderStill();
  EXPECT_EQ(canvas_.last_frame.convertToFormat(QImage::Format_RGB32), picture_);
}

// The bounding box of the pixels that are not black.
QRect LitBox(const QImage& frame) {
  QRect box;
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      if (frame.pixel(x, y) != qRgb(0, 0, 0)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST_F(Binding, TheTextTextureIsDrawnWholeOrInParts) {
  TextLook look;
  look.font_name = QStringLiteral("Noto Sans CJK SC");
  look.em_size = 16;
  look.alignment = 4;
  look.start_color = qRgb(255, 255, 255);
  CreateTextTexture(QStringLiteral("屏保"), look, QRectF(3.5, 7.25, 40, 20));
  ASSERT_FALSE(ResourceFailed());
  // Whole, at its own size: the ink stays in the box and is centred in it.
  const QRect whole = LitBox(Frame([] { DrawTextSprite(10, 10, 40, 20, 255, 0, 0, 0, 0); }));
  ASSERT_FALSE(whole.isNull());
  EXPECT_TRUE(QRect(10, 10, 40, 20).contains(whole));
  EXPECT_NEAR(whole.center().x(), 30, 2);
  // The left half, doubled: it fills the left of the target and ends at its right edge.
  const QRect part = LitBox(Frame([] { DrawTextSprite(0, 0, 40, 40, 255, 0, 0, 20, 20); }));
  ASSERT_FALSE(part.isNull());
  EXPECT_TRUE(QRect(0, 0, 40, 40).contains(part));
  EXPECT_GE(part.right(), 36);
}

TEST_F(Binding, ALostDeviceSkipsFramesUntilItIsReset) {
  CreatePictureTexture(Png(picture_), kPictureSlotOne);
  CheckDevice();
  EXPECT_FALSE(DeviceLost());

  CanvasSurfaceLost();
  CheckDevice();
  EXPECT_TRUE(DeviceLost());
  const int presents = canvas_.presents;
  RenderStill();
  EXPECT_EQ(canvas_.presents, presents);
  CheckDevice();  // the surface is still away: no reset yet
  EXPECT_TRUE(DeviceLost());

  canvas_.Resize(QSize(32, 24));
  CanvasSurfaceRestored();
  CheckDevice();  // not reset -> reset on the canvas's new size
  EXPECT_FALSE(DeviceLost());
  EXPECT_EQ(BackBufferSize(), QSize(32, 24));
  RenderStill();
  EXPECT_EQ(canvas_.presents, presents + 1);
  EXPECT_EQ(canvas_.last_frame.size(), QSize(32, 24));
}

TEST(CaptureBoxAsBmp, WritesTheBmpLayoutWithPaddedBottomUpRows) {
  QImage box(801, 3, QImage::Format_RGB32);
  box.fill(qRgb(1, 2, 3));
  box.setPixel(0, 0, qRgb(10, 20, 30));    // top-left
  box.setPixel(800, 2, qRgb(40, 50, 60));  // bottom-right
  const QByteArray bmp = CaptureBoxAsBmp(box);
  const auto u32 = [&bmp](int offset) { return qFromLittleEndian<qint32>(bmp.constData() + offset); };
  const auto u16 = [&bmp](int offset) { return qFromLittleEndian<quint16>(bmp.constData() + offset); };
  constexpr int kRow = 2404;
  ASSERT_EQ(bmp.size(), 54 + kRow * 3);
  EXPECT_EQ(bmp.left(2), QByteArray("BM"));
  EXPECT_EQ(u32(2), 54 + kRow * 3);
  EXPECT_EQ(u32(6), 0);
  EXPECT_EQ(u32(10), 54);
  EXPECT_EQ(u32(14), 40);
  EXPECT_EQ(u32(18), 801);
  EXPECT_EQ(u32(22), 3);
  EXPECT_EQ(u16(26), 1);
  EXPECT_EQ(u16(28), 24);
  EXPECT_EQ(u32(30), 0);
  EXPECT_EQ(u32(34), kRow * 3);
  EXPECT_EQ(bmp.mid(38, 16), QByteArray(16, '\0'));
  // The first stored row is the bottom one, blue first; its padding is zero.
  EXPECT_EQ(bmp.mid(54 + 800 * 3, 3), QByteArray("\x3C\x32\x28", 3));
  EXPECT_EQ(bmp.mid(54 + 801 * 3, 1), QByteArray(1, '\0'));
  EXPECT_EQ(bmp.mid(54 + 2 * kRow, 3), QByteArray("\x1E\x14\x0A", 3));
  EXPECT_EQ(QImage::fromData(bmp).convertToFormat(QImage::Format_RGB32), box);
}

TEST(MakeArgb, PacksTheFourChannels) {
  EXPECT_EQ(MakeArgb(128, 255, 255, 255), 0x80FFFFFFu);
  EXPECT_EQ(MakeArgb(1, 2, 3, 4), 0x01020304u);
  EXPECT_EQ(MakeArgb(300, -5, 0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace pivlo
