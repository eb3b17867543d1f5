#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
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

// The picture encoded in the format ("png", "jpeg").
inline QByteArray EncodedPicture(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, format).write(image);
  return bytes;
}

// A frame overlay: a 5 % border of half-transparent brown, clear inside.
inline QImage FrameOverlay(QSize size) {
  QImage frame(size, QImage::Format_ARGB32_Premultiplied);
  frame.fill(Qt::transparent);
  QPainter painter(&frame);
  const int border = size.width() / 20;
  painter.fillRect(frame.rect(), QColor(90, 60, 30, 160));
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.fillRect(frame.rect().adjusted(border, border, -border, -border), Qt::transparent);
  return frame;
}

}  // namespace pivlo::bench
