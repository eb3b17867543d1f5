// Boxes that follow their text, and styles turned into what is drawn.

#include "core/Rounding.h"
#include "render/TextBoxFitting.h"
#include "render/basTextStyles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

const QString kFont = QStringLiteral("Noto Sans CJK SC");

ProjectModel Model() {
  ModelEnvironment environment;
  environment.screen_width = 1024;
  environment.screen_height = 768;
  environment.default_font = kFont;
  return ProjectModel(environment);
}

double SampleHeight(double size, int flags) { return MeasureText(QStringLiteral("A屏保j"), kFont, size, flags).height(); }

TEST(FitLyricBoxHeight, TheLyricBoxIsOneLineAndTheMarkerOneOrTwo) {
  ProjectModel model = Model();
  model.settings.Style(kLyricSlot).size = 40;
  model.settings.Style(kLyricSlot).style_flags = 0;
  const qint32 line = RoundToInt32(SampleHeight(40, 0) + 1);
  ASSERT_GT(line, 40);
  for (const qint32 style : {0, 1, 2, 3}) {
    model.settings.lyric_style = style;
    const double marker = FitLyricBoxHeight(model, 384);
    EXPECT_EQ(model.settings.lyric_box.h, line);
    EXPECT_DOUBLE_EQ(marker, line * 0.5 * (style % 2 == 1 ? 2 : 1)) << style;
  }
  // A family that is not installed measures nothing: one pixel.
  model.settings.Style(kLyricSlot).font_name = QStringLiteral("No Such Family");
  FitLyricBoxHeight(model, 384);
  EXPECT_EQ(model.settings.lyric_box.h, 1);
}

TEST(FitHeadlineBox, TheBoxFollowsTheHeadlineWithinTheScreen) {
  ProjectModel model = Model();
  ImageEntry& picture = model.AddPicture(QStringLiteral("/photos/a.jpg"));
  picture.head_size = 30;
  picture.head_style = 0;
  model.settings.Style(kHeadlineSlot).size = 80;
  const qint32 sample = HeadlineSampleHeight(model, &picture);
  EXPECT_EQ(sample, RoundToInt32(SampleHeight(30, 0) + 1));
  EXPECT_EQ(HeadlineSampleHeight(model, nullptr), RoundToInt32(SampleHeight(80, 1) + 1));

  EXPECT_FALSE(FitHeadlineBox(model, &picture, sample));  // no headline yet
  EXPECT_FALSE(FitHeadlineBox(model, nullptr, sample));
  const struct {
    QString headline;
    qint32 expected_width;
  } cases[] = {
      {QStringLiteral("屏幕保护"), RoundToInt32(MeasureText(QStringLiteral("屏幕保护"), kFont, 30, 0).width() + 1)},
      {QStringLiteral("i"), sample},                // at least one line high
      {QString(60, QChar(u'屏')), 1024},             // at most the screen
  };
  for (const auto& c : cases) {
    picture.headline = c.headline;
    ASSERT_TRUE(FitHeadlineBox(model, &picture, sample));
    EXPECT_EQ(picture.headline_box.w, c.expected_width) << c.headline.toStdString();
    EXPECT_EQ(picture.headline_box.h, sample);
  }
}

TEST(TextLookFromStyle, ScalesSizeAndBorderAndMakesArgbColours) {
  TextStyle style = DefaultTextStyle(kTitleSlot, kFont);
  style.border_color = Rgb(1, 2, 3);
  const TextLook half = TextLookFromStyle(style, 0.5);
  EXPECT_EQ(half.font_name, kFont);
  EXPECT_DOUBLE_EQ(half.em_size, 60);
  EXPECT_EQ(half.border_width, 2);  // 1.5 to the nearest even
  EXPECT_EQ(half.alignment, 4);
  EXPECT_EQ(half.style_flags, 1);
  EXPECT_EQ(half.start_color, qRgba(255, 255, 255, 255));
  EXPECT_EQ(half.end_color, qRgba(0, 0, 255, 255));
  EXPECT_EQ(half.border_color, qRgba(1, 2, 3, 170));
  style.border_width = 5;
  EXPECT_EQ(TextLookFromStyle(style, 0.5).border_width, 2);  // 2.5 to the nearest even
  EXPECT_EQ(TextLookFromStyle(style).border_width, 5);
}

}  // namespace
}  // namespace pivlo
