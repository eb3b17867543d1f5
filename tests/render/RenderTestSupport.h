#pragma once

#include "PictureFiles.h"
#include "render/CanvasWindow.h"

#include <QByteArray>
#include <QImage>
#include <QList>
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
  QImage ShownImage() const override { return last_frame; }
  void Resize(QSize size) { size_ = size; }

  QImage last_frame;
  int presents = 0;

 private:
  QSize size_;
};

// A canvas that keeps what an effect presented: every frame when asked, and whether each
// frame was the same as the one before.
class RecordingCanvas final : public CanvasWindow {
 public:
  RecordingCanvas(QSize size, bool keep_frames) : size_(size), keep_frames_(keep_frames) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override;
  QImage ShownImage() const override { return shown_; }
  // Shows the image as the canvas's own drawing would, without counting a frame.
  void Show(const QImage& image) { shown_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }
  void Resize(QSize size) { size_ = size; }

  int presents = 0;
  QList<QImage> frames;     // with keep_frames
  QList<bool> unchanged;    // per frame: equal to the frame before

 private:
  QSize size_;
  bool keep_frames_;
  QImage shown_;
};

// How far an image may be from its golden one: how many pixels may differ by more than
// `noticeable` in a channel (per 1000 pixels), and the largest difference allowed.
struct GoldenTolerance {
  int noticeable = 48;
  int per_mille = 5;
  int worst = 160;
};
// Compares the image with the golden PNG of that name under tests/fixtures/render;
// PIVLO_UPDATE_GOLDEN=1 rewrites the golden image first.
void ExpectMatchesGolden(const QImage& image, const QString& name, GoldenTolerance tolerance = {});

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

}  // namespace pivlo::test
