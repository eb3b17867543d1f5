#include "render/FontEffectFixture.h"

#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include <QPainter>

namespace pivlo::test {

void EffectTest::SetUp() {
  QImage rainbow(8, 8, QImage::Format_RGB32);
  rainbow.fill(qRgb(255, 0, 0));
  SetRainbowPicture(Png(rainbow));
  InitDirect3D(canvas_, QStringLiteral(PIVLO_RUNTIME_PATH));
  ASSERT_EQ(Direct3DStatus(), kDirect3DOk);
  SetEffectClock(&clock_);
}

void EffectTest::TearDown() {
  SetEffectClock(nullptr);
  ReleaseDirect3D();
  SetRainbowPicture(QByteArray());
}

QImage EffectTest::Picture() {
  QImage image(kCanvas, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, 2 * y, 90));
  }
  return image;
}

QImage EffectTest::Overlay() {
  QImage image(kCanvas, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setPen(QPen(QColor(230, 140, 20), 8));
  painter.drawRect(image.rect());
  return image;
}

}  // namespace pivlo::test
