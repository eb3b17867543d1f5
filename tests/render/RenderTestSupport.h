#pragma once

#include "PictureFiles.h"
#include "render/CanvasWindow.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace pivlo::test {

// A canvas that keeps the last presented frame.
class ImageCanvas final : public CanvasWindow {
 public:
  explicit ImageCanvas(QSize size) : size_(size) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override {
    last_frame = frame.copy();
    ++presents;
  }
  void Resize(QSize size) { size_ = size; }

  QImage last_frame;
  int presents = 0;

 private:
  QSize size_;
};

inline QByteArray Png(const QImage& image) { return Encoded(image, "png"); }
// Every pixel different: (x, y) has red 4x, green 5y, blue 128 (up to 64 x 48).
QImage CoordinatePicture(QSize size);
// The bounding box of the pixels whose alpha is above the threshold; null when none.
QRect InkBox(const QImage& image, int alpha_threshold = 0);
// The largest difference of any channel between two pixels.
int ChannelDistance(QRgb a, QRgb b);
// The bounding box of the pixels where two images of one size differ by more than the
// threshold in some channel; null when none does.
QRect ChangedBox(const QImage& a, const QImage& b, int threshold);

// Compares the image with the golden image of that name in the render fixtures, equal up
// to anti-aliasing: few pixels may differ noticeably, none grossly. With
// PIVLO_UPDATE_GOLDEN=1 set the golden image is written first.
void ExpectMatchesGolden(const QImage& image, const QString& name);

}  // namespace pivlo::test
