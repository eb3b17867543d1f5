// Variant counters, random permutations and frame pacing on an injected clock.

#include "render/EffectSupport.h"
#include "render/FramePacing.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

TEST(VariantCounters, ConsecutivePreviewsCycleThroughTheDirections) {
  VariantCounters counters;
  QList<int> a, b, c;
  for (int preview = 0; preview < 7; ++preview) {
    counters.BringIntoRange();
    a.append(counters.a);
    b.append(counters.b);
    c.append(counters.c);
    counters.Advance();
  }
  EXPECT_EQ(a, (QList<int>{0, 1, 2, 3, 0, 1, 2}));
  EXPECT_EQ(b, (QList<int>{0, 1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(c, (QList<int>{0, 1, 2, 0, 1, 2, 0}));
}

TEST(RandomPermutation, HoldsEveryIntegerOfTheRangeOnce) {
  const QList<qint32> order = RandomPermutation(-3, 96);
  ASSERT_EQ(order.size(), 100);
  QSet<qint32> seen(order.begin(), order.end());
  EXPECT_EQ(seen.size(), 100);
  EXPECT_TRUE(seen.contains(-3));
  EXPECT_TRUE(seen.contains(96));
  EXPECT_EQ(RandomPermutation(5, 5), QList<qint32>{5});
  EXPECT_TRUE(RandomPermutation(3, 2).isEmpty());
  for (int i = 0; i < 100; ++i) {
    const double r = EffectRandom();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

class Pacing : public testing::Test {
 protected:
  void SetUp() override { SetEffectClock(&clock_); }
  void TearDown() override { SetEffectClock(nullptr); }
  StepEffectClock clock_{1000};
};

TEST_F(Pacing, AFastEffectIsHeldBackToItsDuration) {
  FramePacing pacing;
  QList<qint64> frame_times;
  constexpr int kFrames = 10;
  for (int k = 1; k <= kFrames; ++k) {
    frame_times.append(pacing.ElapsedMs());
    pacing.Hold(double(k) / kFrames, 100);
  }
  EXPECT_EQ(frame_times, (QList<qint64>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
  EXPECT_EQ(pacing.ElapsedMs(), 100);
  EXPECT_EQ(clock_.Waits(), 100);  // in 1-ms waits

  // A new phase starts from now; a slow frame is never made up by skipping.
  pacing.Restart();
  clock_.Advance(50);  // the first frame took half the phase
  pacing.Hold(0.25, 100);
  EXPECT_EQ(pacing.ElapsedMs(), 50);
  pacing.Hold(1.0, 100);
  EXPECT_EQ(pacing.ElapsedMs(), 100);
}

TEST_F(Pacing, NoDurationHoldsNothing) {
  FramePacing pacing;
  pacing.Hold(1.0, 0);
  pacing.Hold(1.0, -20);
  EXPECT_EQ(clock_.Waits(), 0);
  PumpingWait(300);
  EXPECT_EQ(clock_.NowMs(), 1300);
}

TEST(PumpingWait, DispatchesEventsWhileItWaits) {
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  QElapsedTimer timer;
  timer.start();
  PumpingWait(20);
  EXPECT_TRUE(ran);
  EXPECT_GE(timer.elapsed(), 19);
}

}  // namespace
}  // namespace pivlo
