#include "media/Placement.h"

#include "core/Rounding.h"

#include <QBrush>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>

namespace pivlo {
namespace {

int Half(int value) {
  return RoundToInt32(value / 2.0);
}

Placement Fitted(QSize picture, QSize box) {
  const double scale = double(picture.height()) / box.height() > double(picture.width()) / box.width()
                           ? double(box.height()) / picture.height()
                           : double(box.width()) / picture.width();
  const int width = std::min(RoundToInt32(picture.width() * scale), box.width());
  const int height = std::min(RoundToInt32(picture.height() * scale), box.height());
  return {QRect(Half(box.width() - width), Half(box.height() - height), width, height)};
}

// The picture at the placement's size, in a format the painter draws directly.
QImage AtPlacedSize(const QImage& picture, QSize size, QImage::Format format) {
  const QImage converted = picture.convertToFormat(format);
  if (converted.size() == size) return converted;
  return converted.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(format);
}

quint32 Blend(quint32 box, quint32 picture, quint32 alpha) {
  return ((255 - alpha) * box + alpha * picture + 255) >> 8;
}

}  // namespace

RandomUnit ClockRandomUnit() {
  return [] { return QRandomGenerator::global()->generateDouble(); };
}

Placement PlacePicture(QSize picture, QSize box, int mode, QPoint point, const RandomUnit& random) {
  if (picture.isEmpty() || box.isEmpty()) return {};
  switch (mode) {
    case kPlaceCentred:
      if (picture.width() <= box.width() && picture.height() <= box.height()) {
        return {QRect(QPoint(Half(box.width() - picture.width()), Half(box.height() - picture.height())), picture)};
      }
      return Fitted(picture, box);
    case kPlaceAtPoint:
      if (point.isNull()) {
        const double across = random();
        const double down = random();
        point = QPoint(RoundToInt32(across * (box.width() - picture.width())),
                       RoundToInt32(down * (box.height() - picture.height())));
      }
      return {QRect(point, picture)};
    case kPlaceTiled:
      return {QRect(QPoint(0, 0), picture), box.width() / picture.width() + 1, box.height() / picture.height() + 1};
    case kPlaceFitted:
      return Fitted(picture, box);
    case kPlaceStretched:
      return {QRect(QPoint(0, 0), box)};
  }
  return {};
}

void DrawPlaced(QImage& box, const QImage& picture, const Placement& placement) {
  if (placement.IsEmpty() || picture.isNull()) return;
  const QImage ready = AtPlacedSize(
      picture, placement.rect.size(),
      picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  QPainter painter(&box);
  if (placement.columns == 1 && placement.rows == 1) {
    painter.drawImage(placement.rect.topLeft(), ready);
    return;
  }
  painter.setBrushOrigin(placement.rect.topLeft());
  painter.fillRect(QRect(placement.rect.topLeft(), QSize(placement.columns * placement.rect.width(),
                                                         placement.rows * placement.rect.height())),
                   QBrush(ready));
}

void CompositePlaced(QImage& box, const QImage& picture, const Placement& placement) {
  if (placement.IsEmpty() || picture.isNull()) return;
  const QImage source = AtPlacedSize(picture, placement.rect.size(), QImage::Format_ARGB32);
  if (box.format() != QImage::Format_RGB32) box.convertTo(QImage::Format_RGB32);
  for (int row = 0; row < placement.rows; ++row) {
    for (int column = 0; column < placement.columns; ++column) {
      const QRect tile = placement.Tile(column, row);
      const QRect area = tile & box.rect();
      for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(box.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y - tile.top()));
        for (int x = area.left(); x <= area.right(); ++x) {
          const QRgb s = in[x - tile.left()];
          const QRgb d = out[x];
          const quint32 a = qAlpha(s);
          out[x] = qRgb(Blend(qRed(d), qRed(s), a), Blend(qGreen(d), qGreen(s), a), Blend(qBlue(d), qBlue(s), a));
        }
      }
    }
  }
}

}  // namespace pivlo
