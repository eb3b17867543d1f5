#pragma once

#include <QImage>
#include <QSize>

namespace pivlo::bench {

// A photograph-like picture: smooth gradients with some noise, opaque, repeatable.
inline QImage PhotoLikePicture(QSize size, int seed) {
  QImage image(size, QImage::Format_RGB32);
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

}  // namespace pivlo::bench
