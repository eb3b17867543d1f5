// Thumbnails and package conversion of a 12-megapixel camera picture: a thumbnail decoded at
// reduced scale against a full decode followed by scaling, side by side.

#include "media/basGdiPlus.h"

#include <QImageReader>
#include <QImageWriter>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

// A baseline JPEG of 4000 x 3000 at quality 90, made once per run and detail: gradients with
// fine noise of the given amplitude, like a photo. Entropy decoding of the whole file cannot be
// skipped, so the more detail (the larger the file), the less a reduced decode saves: amplitude
// 6 makes a file of about 1.3 MB, 24 one of about 3.7 MB.
const QString& TwelveMegapixelJpeg(int noise) {
  static QTemporaryDir folder;
  static QMap<int, QString> paths;
  if (paths.contains(noise)) return paths[noise];
  QImage photo(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
  QRandomGenerator random(12);
  for (int y = 0; y < kPhotoHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < kPhotoWidth; ++x) {
      const int grain = int(random.bounded(quint32(noise)));
      line[x] = qRgb(x * 200 / kPhotoWidth + grain, y * 200 / kPhotoHeight + grain, (x + y) % 256 / 2 + grain);
    }
  }
  const QString path = folder.filePath(QStringLiteral("photo-%1.jpg").arg(noise));
  QImageWriter writer(path, "jpeg");
  writer.setQuality(90);
  if (!writer.write(photo)) qFatal("cannot write the benchmark photo");
  return paths[noise] = path;
}

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
