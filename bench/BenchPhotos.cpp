#include "BenchPhotos.h"

#include <QImage>
#include <QImageWriter>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace pivlo::bench {

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

}  // namespace pivlo::bench
