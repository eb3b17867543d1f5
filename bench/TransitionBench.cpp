// Every transition on the software runtime, unpaced, at 960 x 720 and 1920 x 1080 with a
// frame overlay: the median and 95th-percentile wall time between presented frames (the
// raster engine spreads large draws over threads, so the drawing thread's CPU time would
// miss them). At 960 x 720 a transition holds 60 frames a second when its 95th percentile
// stays under 16.7 ms.

#include "BenchPictures.h"
#include "core/ProjectTypes.h"
#include "render/FramePacing.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"
#include "render/basTransitionD3D.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

QByteArray Png(const QImage& image) { return pivlo::bench::EncodedPicture(image, "png"); }

// Notes the time of every present.
class TimingCanvas final : public pivlo::CanvasWindow {
 public:
  TimingCanvas(QSize size, QImage screen) : size_(size), screen_(std::move(screen)) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override {
    benchmark::DoNotOptimize(frame.constBits());
    const qint64 now = timer_.nsecsElapsed();
    frame_ns.push_back(now - last_);
    last_ = now;
  }
  QImage ShownImage() const override { return screen_; }
  void Start() {
    timer_.start();
    last_ = 0;
  }

  std::vector<qint64> frame_ns;

 private:
  QSize size_;
  QImage screen_;
  QElapsedTimer timer_;
  qint64 last_ = 0;
};

double PercentileMs(std::vector<qint64> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = size_t(fraction * double(values.size() - 1) + 0.5);
  return double(values[index]) / 1e6;
}

void BM_Transition(benchmark::State& state, int position, int variant, QSize size) {
  const QImage outgoing = pivlo::bench::PhotoLikePicture(size, 1);
  const QImage incoming = pivlo::bench::PhotoLikePicture(size, 2);
  TimingCanvas canvas(size, outgoing);
  pivlo::StepEffectClock clock;
  pivlo::SetEffectClock(&clock);
  pivlo::SetRainbowPicture(Png(outgoing.copy(0, 0, 64, 64)));
  pivlo::InitDirect3D(canvas, QStringLiteral(PIVLO_RUNTIME_PATH));
  pivlo::CreateFrameTexture(Png(pivlo::bench::FrameOverlay(size)));
  if (!pivlo::Direct3DReady() || pivlo::ResourceFailed()) {
    state.SkipWithError("the graphics runtime is not ready");
    pivlo::SetEffectClock(nullptr);
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    pivlo::CreatePictureTexture(outgoing, pivlo::kPictureSlotOne);
    pivlo::CreatePictureTexture(incoming, pivlo::kPictureSlotTwo);
    state.ResumeTiming();
    canvas.Start();
    pivlo::RunTransition(position, variant, pivlo::TransitionInputs{&canvas, incoming, size.width()});
  }
  state.counters["frames"] = double(canvas.frame_ns.size()) / double(state.iterations());
  state.counters["median_ms"] = PercentileMs(canvas.frame_ns, 0.5);
  state.counters["p95_ms"] = PercentileMs(canvas.frame_ns, 0.95);
  pivlo::ReleaseDirect3D();
  pivlo::SetEffectClock(nullptr);
}

// Variant 0 of every entry, and the zoom through (17, variant 1), at both sizes.
const int kRegistered = [] {
  for (const QSize size : {QSize(960, 720), QSize(1920, 1080)}) {
    for (int position = 0; position < pivlo::kTransitionCount; ++position) {
      for (const int variant : position == 17 ? std::vector<int>{0, 1} : std::vector<int>{0}) {
        const std::string name = "BM_Transition/" + std::to_string(position) + "." + std::to_string(variant) + "/" +
                                 std::to_string(size.width()) + "x" + std::to_string(size.height());
        benchmark::RegisterBenchmark(name.c_str(), BM_Transition, position, variant, size)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
      }
    }
  }
  return 0;
}();

}  // namespace
