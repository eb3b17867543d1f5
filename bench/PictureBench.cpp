// Thumbnails and package conversion of a 12-megapixel camera picture: a thumbnail decoded at
// reduced scale against a full decode followed by scaling, side by side.

#include "BenchPhotos.h"
#include "media/basGdiPlus.h"

#include <QImageReader>

#include <benchmark/benchmark.h>

namespace {

using pivlo::bench::kPhotoHeight;
using pivlo::bench::kPhotoWidth;
using pivlo::bench::TwelveMegapixelJpeg;

void BM_Thumbnail160x120ScaledDecode(benchmark::State& state) {
  const QString& path = TwelveMegapixelJpeg(int(state.range(0)));
  QImage box(160, 120, QImage::Format_RGB32);
  for (auto _ : state) {
    if (!pivlo::PaintPictureFile(box, path, pivlo::kPlaceCentred, QPoint())) state.SkipWithError("not drawn");
    benchmark::DoNotOptimize(box.constBits());
  }
}
BENCHMARK(BM_Thumbnail160x120ScaledDecode)->Arg(6)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_Thumbnail160x120FullDecodeThenScale(benchmark::State& state) {
  const QString& path = TwelveMegapixelJpeg(int(state.range(0)));
  for (auto _ : state) {
    const QImage full = QImageReader(path).read();
    const QImage thumbnail = full.scaled(160, 120, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (thumbnail.isNull()) state.SkipWithError("not decoded");
    benchmark::DoNotOptimize(thumbnail.constBits());
  }
}
BENCHMARK(BM_Thumbnail160x120FullDecodeThenScale)->Arg(6)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_ConvertTo1920x1440Jpeg94(benchmark::State& state) {
  const QString& path = TwelveMegapixelJpeg(int(state.range(0)));
  for (auto _ : state) {
    const QByteArray bytes = pivlo::ConvertPicture(path, QStringLiteral("JPG"), QStringLiteral("JPG"), kPhotoWidth,
                                                   kPhotoHeight, pivlo::kPackageJpegQuality);
    if (bytes.isEmpty()) state.SkipWithError("not converted");
    benchmark::DoNotOptimize(bytes.constData());
  }
}
BENCHMARK(BM_ConvertTo1920x1440Jpeg94)->Arg(24)->Unit(benchmark::kMillisecond);

}  // namespace
