#include "render/RenderTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

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

QRect ChangedBox(const QImage& a, const QImage& b, int threshold) {
  const QImage first = a.convertToFormat(QImage::Format_ARGB32);
  const QImage second = b.convertToFormat(QImage::Format_ARGB32);
  QRect box;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) {
      if (ChannelDistance(first.pixel(x, y), second.pixel(x, y)) > threshold) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

void ExpectMatchesGolden(const QImage& image, const QString& name) {
  const QString path = QStringLiteral(PIVLO_FIXTURES_DIR "/render/") + name;
  if (qEnvironmentVariableIsSet("PIVLO_UPDATE_GOLDEN")) {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path, "PNG"));
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(golden.isNull()) << path.toStdString();
  ASSERT_EQ(golden.size(), image.size());
  const QImage got = image.convertToFormat(QImage::Format_ARGB32);
  qint64 differing = 0;
  int worst = 0;
  for (int y = 0; y < got.height(); ++y) {
    for (int x = 0; x < got.width(); ++x) {
      const int d = ChannelDistance(got.pixel(x, y), golden.pixel(x, y));
      worst = qMax(worst, d);
      if (d > 48) ++differing;
    }
  }
  EXPECT_LE(differing, qint64(got.width()) * got.height() / 200) << name.toStdString();
  EXPECT_LE(worst, 160) << name.toStdString();
}

}  // namespace pivlo::test
