#pragma once

#include "render/FramePacing.h"
#include "render/RenderTestSupport.h"

#include <QImage>
#include <QSize>

#include <gtest/gtest.h>

namespace pivlo::test {

// The graphics runtime on a 160 × 120 canvas that keeps every frame, paced by a clock on
// which time passes only while an effect waits.
class EffectTest : public testing::Test {
 protected:
  static constexpr QSize kCanvas{160, 120};

  void SetUp() override;
  void TearDown() override;

  // A picture with every pixel different, and a frame overlay with a 4-pixel border.
  static QImage Picture();
  static QImage Overlay();

  RecordingCanvas canvas_{kCanvas, true};
  StepEffectClock clock_;
};

}  // namespace pivlo::test
