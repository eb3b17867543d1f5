#include "render/RenderTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace pivlo::test {

void RecordingCanvas::PresentFrame(const QImage& frame) {
  const QImage copy = frame.copy();
  unchanged.append(!copy.isNull() && shown_.size() == copy.size() && shown_.format() == copy.format() &&
                   std::memcmp(shown_.constBits(), copy.constBits(), size_t(copy.sizeInBytes())) == 0);
  shown_ = copy;
  if (keep_frames_) frames.append(copy);
  ++presents;
}

void ExpectMatchesGolden(const QImage& image, const QString& name, GoldenTolerance tolerance) {
  const QString path = QStringLiteral(PIVLO_FIXTURES_DIR "/render/") + name;
  if (qEnvironmentVariableIsSet("PIVLO_UPDATE_GOLDEN")) {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path, "PNG"));
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(golden.isNull()) << path.toStdString();
  ASSERT_EQ(golden.size(), image.size()) << name.toStdString();
  const QImage got = image.convertToFormat(QImage::Format_ARGB32);
  qint64 differing = 0;
  int worst = 0;
  for (int y = 0; y < got.height(); ++y) {
    for (int x = 0; x < got.width(); ++x) {
      const int d = ChannelDistance(got.pixel(x, y), golden.pixel(x, y));
      worst = qMax(worst, d);
      if (d > tolerance.noticeable) ++differing;
    }
  }
  EXPECT_LE(differing, qint64(got.width()) * got.height() * tolerance.per_mille / 1000) << name.toStdString();
  EXPECT_LE(worst, tolerance.worst) << name.toStdString();
}

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

}  // namespace pivlo::test
