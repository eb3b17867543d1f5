#include "shell/ToolTipClock.h"
#include "shell/WindowScaling.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

struct ScaleCase {
  int dpi;
  int height;
  std::optional<float> scale;
};

TEST(WindowScalingTest, TheScaleFollowsDensityAndHeight) {
  const ScaleCase cases[] = {
      {96, 600, 600.0f / 740.0f},  // a netbook screen
      {96, 699, 699.0f / 740.0f},
      {96, 700, std::nullopt},
      {96, 768, std::nullopt},
      {72, 400, std::nullopt},  // below normal density: never
      {120, 1080, 0.8f},        // denser: 96 / dpi whatever the height
      {120, 600, 0.8f},
      {144, 2160, 96.0f / 144.0f},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.height << " pixels");
    const std::optional<float> scale = MainWindowScale(c.dpi, c.height);
    ASSERT_EQ(scale.has_value(), c.scale.has_value());
    if (scale) {
      EXPECT_FLOAT_EQ(*scale, *c.scale);
    }
  }
}

TEST(WindowScalingTest, TheWindowTakesTheScaledDesignSize) {
  EXPECT_EQ(ScaledWindowSize(1), QSize(960, 740));
  EXPECT_EQ(ScaledWindowSize(*MainWindowScale(96, 600)), QSize(778, 600));
  EXPECT_EQ(ScaledWindowSize(0.8f), QSize(768, 592));
}

TEST(WindowScalingTest, TheLookFontIsTheOneTwoSystemFontsShare) {
  const LookFont a9{QStringLiteral("A"), 9};
  const LookFont b9{QStringLiteral("B"), 9};
  const LookFont b8{QStringLiteral("B"), 8};
  const LookFont c10{QStringLiteral("C"), 10};

  LookFont look = ChooseLookFont(a9, b9, b8, false);
  EXPECT_EQ(look.face, QStringLiteral("B"));
  EXPECT_EQ(look.points, 9);
  EXPECT_EQ(ChooseLookFont(a9, b9, b8, true).points, 8);  // one point less once scaled

  // All three differ: the message font's.
  look = ChooseLookFont(a9, b8, c10, false);
  EXPECT_EQ(look.face, QStringLiteral("B"));
  EXPECT_EQ(look.points, 8);
  // The menu font shares with the small-caption font.
  look = ChooseLookFont(c10, b9, LookFont{QStringLiteral("C"), 10}, false);
  EXPECT_EQ(look.face, QStringLiteral("C"));
  EXPECT_EQ(look.points, 10);
}

TEST(WindowScalingTest, TheLookSizeStaysWithinEightToElevenPoints) {
  const auto size_of = [](double points, bool scaled) {
    const LookFont f{QStringLiteral("F"), points};
    return ChooseLookFont(f, f, f, scaled).points;
  };
  EXPECT_EQ(size_of(14, false), 11);
  EXPECT_EQ(size_of(6, false), 8);
  EXPECT_EQ(size_of(8, true), 8);
  EXPECT_EQ(size_of(12, true), 11);
  EXPECT_DOUBLE_EQ(PixelsToPoints(16, 96), 12);
}

TEST(ToolTipClockTest, ATipShowsOnTheSecondTickAndHidesAfterTwelve) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), true);
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None);  // the hover's first tick
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::Show);
  // Moving over the same control again neither restarts nor re-shows it.
  clock.Hover(QStringLiteral("tip "), true);
  for (int tick = 3; tick <= 11; ++tick) EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None) << tick;
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::Hide);
  EXPECT_FALSE(clock.HoverActive());
  EXPECT_TRUE(clock.PendingText().isEmpty());
  // A new hover may start now.
  clock.Hover(QStringLiteral("next "), true);
  EXPECT_EQ(clock.PendingText(), QStringLiteral("next "));
}

TEST(ToolTipClockTest, TipsOffShowNothingButTheCountStillWraps) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), false);
  EXPECT_FALSE(clock.HoverActive());
  for (int tick = 1; tick <= 12; ++tick) EXPECT_EQ(clock.Tick(false), ToolTipClock::Action::None);
  EXPECT_EQ(clock.TipTickCount(), 0);
}

TEST(ToolTipClockTest, LeavingForTheBackgroundEndsTheHover) {
  ToolTipClock clock;
  clock.Hover(QStringLiteral("tip "), true);
  clock.Tick(true);
  clock.EndHover();
  EXPECT_EQ(clock.Tick(true), ToolTipClock::Action::None);
  clock.Hover(QString(), true);  // controls without a tip start no hover
  EXPECT_FALSE(clock.HoverActive());
}

}  // namespace
}  // namespace pivlo
