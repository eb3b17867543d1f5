#pragma once

#include "render/CanvasWindow.h"
#include "render/FramePacing.h"

#include <QImage>
#include <QList>
#include <QSize>

#include <functional>

#include <gtest/gtest.h>

namespace pivlo::test {

// Time passes only when an effect waits, so effects run at once and their timing is
// exact. `on_wait` runs before every wait.
class StepClock final : public EffectClock {
 public:
  qint64 NowMs() override { return now; }
  void Wait(qint64 milliseconds) override {
    if (on_wait) on_wait();
    now += milliseconds;
  }
  qint64 now = 0;
  std::function<void()> on_wait;
};

// A canvas that keeps every presented frame.
class FilmCanvas final : public CanvasWindow {
 public:
  explicit FilmCanvas(QSize size) : size_(size) {}
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override { frames.append(frame.convertToFormat(QImage::Format_RGB32)); }

  QList<QImage> frames;

 private:
  QSize size_;
};

// The graphics runtime on a 160 × 120 film canvas, paced by a step clock.
class EffectTest : public testing::Test {
 protected:
  static constexpr QSize kCanvas{160, 120};

  void SetUp() override;
  void TearDown() override;

  // A picture with every pixel different, and a frame overlay with a 4-pixel border.
  static QImage Picture();
  static QImage Overlay();

  FilmCanvas canvas_{kCanvas};
  StepClock clock_;
};

}  // namespace pivlo::test
