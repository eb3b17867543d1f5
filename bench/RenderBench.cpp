// Effect frames are composed of sprite draws: a full-canvas picture and a scaled,
// half-transparent one must leave room for 60 frames a second (under 8 ms for both).

#include "BenchPictures.h"
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

QImage Picture(int seed) { return pivlo::bench::PhotoLikePicture(kCanvas, seed); }

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
