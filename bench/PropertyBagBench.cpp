// A project of 10,000 pictures is about 100,000 bag values: saving and loading it back
// must stay well under a tenth of a second.

#include "core/PropertyBag.h"

#include <benchmark/benchmark.h>

namespace {

using pivlo::PropertyBag;

QString Key(const char* prefix, int i) {
  return QString::fromLatin1(prefix) + QString::number(i) + u')';
}

PropertyBag TenThousandPictures() {
  PropertyBag bag;
  for (int i = 1; i <= 10000; ++i) {
    bag.Put(Key("ImgNames(", i), QStringLiteral("/home/用户/图片/假期/照片_%1.jpg").arg(i));
    bag.Put(Key("SlideDuration(", i), 10.5f);
    bag.Put(Key("ImgPosX(", i), i);
    bag.Put(Key("ImgPosY(", i), -i);
    bag.Put(Key("ImgCaption(", i), QStringLiteral("第 %1 张：海边的日落").arg(i));
    bag.Put(Key("CapPosX(", i), 40);
    bag.Put(Key("CapPosY(", i), 600);
    bag.Put(Key("CapPosW(", i), 800);
    bag.Put(Key("CapPosH(", i), 120);
    bag.Put(Key("HeadDynamicStyle(", i), 3);
  }
  return bag;
}

void BM_BagSaveAndLoad10000Pictures(benchmark::State& state) {
  const PropertyBag bag = TenThousandPictures();
  for (auto _ : state) {
    PropertyBag loaded;
    const QByteArray bytes = bag.Contents();
    if (!loaded.SetContents(bytes)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(loaded);
  }
  state.counters["values"] = double(bag.Entries().size());
}
BENCHMARK(BM_BagSaveAndLoad10000Pictures)->Unit(benchmark::kMillisecond);

void BM_BagFill10000Pictures(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TenThousandPictures());
}
BENCHMARK(BM_BagFill10000Pictures)->Unit(benchmark::kMillisecond);

}  // namespace
