// Effect frames are composed of sprite draws: a full-canvas picture and a scaled,
// half-transparent one must leave room for 60 frames a second (under 8 ms for both).

#include "media/basGdiPlus.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize kCanvas(960, 720);

class NullCanvas final : public pivlo::CanvasWindow {
 public:
  QSize InnerSize() const override { return kCanvas; }
  void PresentFrame(const QImage& frame) override { benchmark::DoNotOptimize(frame.constBits()); }
  QImage ShownImage() const override { return QImage(); }
};

QByteArray Png(const QImage& image) { return pivlo::EncodePicture(image, QStringLiteral("PNG"), -1); }

// A photograph-like picture: smooth gradients with some noise, opaque.
QImage Picture(int seed) {
  QImage image(kCanvas, QImage::Format_RGB32);
  quint32 noise = 2463534242u + quint32(seed);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      noise ^= noise << 13;
      noise ^= noise >> 17;
      noise ^= noise << 5;
      line[x] = qRgb((x / 4 + seed * 60) & 255, (y / 3) & 255, int(noise & 63) + 96);
    }
  }
  return image;
}

// The binding on a 960 x 720 canvas with both picture slots filled.
bool Prepare(benchmark::State& state, NullCanvas& canvas) {
  pivlo::SetRainbowPicture(Png(Picture(0).copy(0, 0, 64, 64)));
  pivlo::InitDirect3D(canvas, QStringLiteral(PIVLO_RUNTIME_PATH));
  pivlo::CreatePictureTexture(Png(Picture(1)), pivlo::kPictureSlotOne);
  pivlo::CreatePictureTexture(Png(Picture(2)), pivlo::kPictureSlotTwo);
  if (!pivlo::Direct3DReady() || pivlo::ResourceFailed()) {
    state.SkipWithError("the graphics runtime is not ready");
    return false;
  }
  return true;
}

void FullCanvasDraw() {
  pivlo::DrawPicture(0, 0, 960, 720, pivlo::kPictureSlotOne, 255, 0, 0, 0, 0, false);
}

void ScaledHalfTransparentDraw() {
  pivlo::DrawPicture(120, 90, 720, 540, pivlo::kPictureSlotTwo, 128, 0, 0, 0, 0, false);
}

void BothDraws() {
  FullCanvasDraw();
  ScaledHalfTransparentDraw();
}

// The draws in a scene; a whole frame also presents to the canvas.
template <void (*Draws)(), bool kPresent>
void BM_Draw(benchmark::State& state) {
  NullCanvas canvas;
  if (!Prepare(state, canvas)) return;
  for (auto _ : state) {
    pivlo::BeginScene();
    Draws();
    pivlo::EndScene();
    if (kPresent) pivlo::Present();
  }
  pivlo::ReleaseDirect3D();
}
BENCHMARK(BM_Draw<FullCanvasDraw, false>)->Name("BM_DrawPictureFullCanvas960x720")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw<ScaledHalfTransparentDraw, false>)
    ->Name("BM_DrawPictureScaledHalfTransparent")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Draw<BothDraws, true>)->Name("BM_FrameOfTwoDraws")->Unit(benchmark::kMillisecond);

}  // namespace
