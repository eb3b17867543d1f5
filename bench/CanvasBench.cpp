// The layout canvas at its usual size over a twelve-megapixel camera photo: a picture
// composed anew (the photo decoded), and a key typed into its caption, which recomposes
// from the cache.

#include "BenchPhotos.h"
#include "core/ProjectModel.h"
#include "render/CanvasCompose.h"

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::Literals::StringLiterals;

pivlo::ProjectModel PhotoProject() {
  pivlo::ModelEnvironment environment;
  environment.screen_width = 1920;
  environment.screen_height = 1080;
  environment.default_font = u"Noto Sans CJK SC"_s;
  pivlo::ProjectModel model(environment);
  model.AddPicture(pivlo::bench::TwelveMegapixelJpeg(24));
  model.pictures[0].caption = u"海边的日落"_s;
  model.pictures[0].caption_box = {100, 900, 1700, 120};
  return model;
}

pivlo::CanvasView CaptionPage() {
  pivlo::CanvasView view;
  view.picture = 1;
  view.mode = pivlo::CanvasMode::kCaption;
  view.canvas = QSize(480, 360);
  return view;
}

void BM_CanvasNewPicture(benchmark::State& state) {
  const pivlo::ProjectModel model = PhotoProject();
  for (auto _ : state) {
    pivlo::CanvasComposer composer;  // nothing cached: the photo is decoded every time
    benchmark::DoNotOptimize(composer.Compose(model, CaptionPage()).image);
  }
}
BENCHMARK(BM_CanvasNewPicture)->Unit(benchmark::kMillisecond);

void BM_CanvasCaptionTyped(benchmark::State& state) {
  pivlo::ProjectModel model = PhotoProject();
  pivlo::CanvasComposer composer;
  composer.Compose(model, CaptionPage());
  int key = 0;
  for (auto _ : state) {
    model.pictures[0].caption = u"海边的日落"_s + QString::number(++key % 10);
    benchmark::DoNotOptimize(composer.Compose(model, CaptionPage()).image);
  }
}
BENCHMARK(BM_CanvasCaptionTyped)->Unit(benchmark::kMillisecond);

}  // namespace
