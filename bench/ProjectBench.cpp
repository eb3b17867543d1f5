// Saving and opening a project of 10,000 pictures goes through the project writer and
// reader key by key; both must stay a small part of a second.

#include "core/ProjectBag.h"
#include "core/basPropertyBag.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pivlo;

ProjectModel TenThousandPictures() {
  ProjectModel model(ModelEnvironment{1920, 1080, QStringLiteral("Arial"), 64.0});
  for (int i = 1; i <= 10000; ++i) {
    ImageEntry& entry = model.AddPicture(QStringLiteral("/home/用户/图片/假期/照片_%1.jpg").arg(i));
    entry.slide_duration = 10.5f;
    entry.caption = QStringLiteral("第 %1 张：海边的日落").arg(i);
    if (i % 2 == 0) entry.headline = QStringLiteral("标题 %1").arg(i);
  }
  return model;
}

void BM_WriteProject10000Pictures(benchmark::State& state) {
  ProjectModel model = TenThousandPictures();
  for (auto _ : state) {
    WriteProjectToBag(model);
    benchmark::DoNotOptimize(SharedBag().Contents());
    SharedBag().Clear();
  }
}
BENCHMARK(BM_WriteProject10000Pictures)->Unit(benchmark::kMillisecond);

void BM_ReadProject10000Pictures(benchmark::State& state) {
  ProjectModel model = TenThousandPictures();
  WriteProjectToBag(model);
  const QByteArray bytes = SharedBag().Contents();
  SharedBag().Clear();
  for (auto _ : state) {
    if (!SharedBag().SetContents(bytes)) state.SkipWithError("load failed");
    ProjectModel read(ModelEnvironment{1920, 1080, QStringLiteral("Arial"), 64.0});
    ReadProjectFromBag(read);
    benchmark::DoNotOptimize(read.pictures.size());
  }
}
BENCHMARK(BM_ReadProject10000Pictures)->Unit(benchmark::kMillisecond);

}  // namespace
