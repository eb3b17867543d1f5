#include "render/RenderTestSupport.h"

#include <cstdlib>

namespace pivlo::test {

QImage CoordinatePicture(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, qRgb(4 * x, 5 * y, 128));
  }
  return image;
}

QRect InkBox(const QImage& image, int alpha_threshold) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  QRect box;
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(argb.pixel(x, y)) > alpha_threshold) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                   std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace pivlo::test
