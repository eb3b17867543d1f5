// The show's frame cost: the engine playing a slide with its transition and then its
// headline, on the software runtime with a caption and a frame overlay, unpaced. Each
// frame's cost is the wall time since the frame before (composition, transition step,
// caption and headline overlay; no window flush). The first frame of a slide, which also
// makes the incoming picture's texture, is reported on its own: on the stepping clock it
// also waits for the worker's composition, which a show in real time has made long before
// (BM_SlideTextureLoad is what the frame path itself spends). 60 frames a second on one
// core need every p95 under 16.7 ms. BM_ShowFramesWithLyric does the same under a lyric
// line swept over the whole slide: the frames pass through the overlay, which also
// redraws the sweep between them.

#include "BenchPictures.h"
#include "render/basDirect3D.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"
#include "render/basTransitionD3D.h"
#include "audio/MusicRender.h"
#include "show/ShowEngine.h"
#include "show/ShowOverlay.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace pivlo;

// Notes the show time and the wall time of every present, handing the frame on to
// `next` when given.
class TimingScreen final : public CanvasWindow {
 public:
  TimingScreen(QSize size, const EffectClock& clock, CanvasWindow* next = nullptr)
      : size_(size), clock_(clock), next_(next) {
    timer_.start();
  }
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override {
    benchmark::DoNotOptimize(frame.constBits());
    if (next_ != nullptr) {
      next_->PresentFrame(frame);
    } else {
      shown_ = frame;  // shallow: the peel and the negative read the screen
    }
    presents.push_back({const_cast<EffectClock&>(clock_).NowMs(), timer_.nsecsElapsed()});
  }
  QImage ShownImage() const override { return next_ != nullptr ? next_->ShownImage() : shown_.copy(); }

  struct Present {
    qint64 show_ms;
    qint64 wall_ns;
  };
  std::vector<Present> presents;

 private:
  QSize size_;
  const EffectClock& clock_;
  CanvasWindow* next_;
  QElapsedTimer timer_;
  QImage shown_;
};

// Where the overlay's frames end: kept, as a window's back buffer would be.
class Sink final : public CanvasWindow {
 public:
  explicit Sink(QSize size) : size_(size) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override { shown_ = frame; }
  QImage ShownImage() const override { return shown_.copy(); }

 private:
  QSize size_;
  QImage shown_;
};

double PercentileMs(std::vector<qint64> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return double(values[size_t(fraction * double(values.size() - 1) + 0.5)]) / 1e6;
}

struct Phase {
  qint64 first_ns = 0;
  std::vector<qint64> frame_ns;
};

// The frames presented within [from, to) of show time.
Phase FramesIn(const std::vector<TimingScreen::Present>& presents, qint64 from, qint64 to) {
  Phase phase;
  bool first = true;
  for (size_t i = 1; i < presents.size(); ++i) {
    if (presents[i].show_ms < from || presents[i].show_ms >= to) continue;
    const qint64 cost = presents[i].wall_ns - presents[i - 1].wall_ns;
    if (first) {
      phase.first_ns = cost;
      first = false;
    } else {
      phase.frame_ns.push_back(cost);
    }
  }
  return phase;
}

void BM_ShowFrames(benchmark::State& state, int position, QSize size, bool lyric) {
  QTemporaryDir folder;
  ShowSettings show(ModelEnvironment{size.width(), size.height(), DefaultTextFontName(QString()), 0});
  for (int seed = 1; seed <= 2; ++seed) {
    const QString path = folder.filePath(QStringLiteral("photo%1.jpg").arg(seed));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("no scratch folder");
    file.write(bench::EncodedPicture(bench::PhotoLikePicture(size, seed), "jpeg"));
    file.close();
    ImageEntry& entry = show.project.AddPicture(path);
    entry.caption = QStringLiteral("海边的日落 Sunset by the sea");
    entry.headline = QStringLiteral("美好的一天");
    entry.head_dynamic_style = kHeadlineFade;
  }
  ProjectSettings& settings = show.project.settings;
  settings.transitions.fill(false);
  settings.transitions[size_t(position)] = true;
  settings.picture_frame_num = 1;
  show.project.frame_picture = bench::EncodedPicture(bench::FrameOverlay(size), "png");
  if (lyric) {
    // A silent minute with one line that stands for all of it, swept.
    const QString song = folder.filePath(QStringLiteral("song.wav"));
    const QString lines = folder.filePath(QStringLiteral("song.lrc"));
    QFile wav(song);
    QFile lrc(lines);
    if (!wav.open(QIODevice::WriteOnly) || !lrc.open(QIODevice::WriteOnly)) return state.SkipWithError("no scratch");
    wav.write(WavHeader(60 * 48000) + QByteArray(60 * 48000 * 4, 0));
    lrc.write("[00:00.00]\xe6\x88\x91\xe4\xbb\xac\xe7\x9a\x84\xe6\xad\x8c A song of ours\n[01:00.00]\n");
    wav.close();
    lrc.close();
    show.project.songs = {{song, 60}};
    show.music_lyric_files = {lines};
    settings.lyric_style = 3;
  }

  const qint64 start = show.SlideMs(1);
  const qint64 transition_end = start + TransitionDurationMs(position);
  const qint64 headline_end = transition_end + HeadlineDurationMs(kHeadlineFade);
  ShowMaterial material;
  material.pictures = {1, 2};
  Phase transition;
  Phase headline;
  for (auto _ : state) {
    StepShowClock clock(1, {headline_end + 10}, [](qsizetype) {});
    Sink sink(size);
    OfflineMusic music(show, 1, nullptr);
    LyricTrack lyrics(show, [&music](qint64 frame) { return music.PlayAt(frame); }, nullptr);
    ShowOverlay overlay(sink, show, clock, &lyrics, QString());
    TimingScreen screen(size, clock, lyric ? &overlay : nullptr);
    if (lyric) clock.SetRefresh([&overlay](qint64 now) { return overlay.Refresh(now); });
    SetRainbowPicture(bench::EncodedPicture(bench::PhotoLikePicture(QSize(256, 64), 3), "jpeg"));
    InitDirect3D(screen, QStringLiteral(PIVLO_RUNTIME_PATH));
    if (!Direct3DReady()) return state.SkipWithError("the graphics runtime is not ready");
    ShowEngine(show, material, 1, screen, clock).Run();
    ReleaseDirect3D();
    transition = FramesIn(screen.presents, start, transition_end);
    headline = FramesIn(screen.presents, transition_end, headline_end);
  }
  state.counters["frames"] = double(transition.frame_ns.size() + 1);
  state.counters["slide_start_ms"] = double(transition.first_ns) / 1e6;
  state.counters["median_ms"] = PercentileMs(transition.frame_ns, 0.5);
  state.counters["p95_ms"] = PercentileMs(transition.frame_ns, 0.95);
  state.counters["headline_p95_ms"] = PercentileMs(headline.frame_ns, 0.95);
}

const int kRegistered = [] {
  for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
    for (int position = 0; position < kTransitionCount; ++position) {
      const std::string name = "BM_ShowFrames/" + std::to_string(position) + "/" + std::to_string(size.width()) +
                               "x" + std::to_string(size.height());
      benchmark::RegisterBenchmark(name.c_str(), BM_ShowFrames, position, size, false)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
    }
  }
  for (int position = 0; position < kTransitionCount; ++position) {
    const std::string name = "BM_ShowFramesWithLyric/" + std::to_string(position) + "/1920x1080";
    benchmark::RegisterBenchmark(name.c_str(), BM_ShowFrames, position, QSize(1920, 1080), true)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  return 0;
}();

}  // namespace

namespace {

// What a slide's start costs on the frame path: loading the texture the worker made.
void BM_SlideTextureLoad(benchmark::State& state, QSize size) {
  const QByteArray texture = CaptureBoxAsBmp(bench::PhotoLikePicture(size, 1));
  struct Screen final : CanvasWindow {
    QSize size;
    QSize InnerSize() const override { return size; }
    void PresentFrame(const QImage&) override {}
    QImage ShownImage() const override { return {}; }
  } screen;
  screen.size = size;
  SetRainbowPicture(bench::EncodedPicture(bench::PhotoLikePicture(QSize(256, 64), 3), "jpeg"));
  InitDirect3D(screen, QStringLiteral(PIVLO_RUNTIME_PATH));
  if (!Direct3DReady()) return state.SkipWithError("the graphics runtime is not ready");
  for (auto _ : state) CreatePictureTexture(texture, kPictureSlotTwo);
  if (ResourceFailed()) state.SkipWithError("the texture was not made");
  ReleaseDirect3D();
}
BENCHMARK_CAPTURE(BM_SlideTextureLoad, 1920x1080, QSize(1920, 1080))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SlideTextureLoad, 3840x2160, QSize(3840, 2160))->Unit(benchmark::kMillisecond);

}  // namespace
