#include "show/ShowSettings.h"

#include <gtest/gtest.h>

#include <limits>

namespace pivlo {
namespace {

PropertyBag PictureBag(int pictures) {
  PropertyBag bag;
  bag.Put(QStringLiteral("NowI"), qint32(pictures));
  for (int i = 1; i <= pictures; ++i) {
    bag.Put(QStringLiteral("ImgNames(%1)").arg(i), QStringLiteral("/pictures/%1.jpg").arg(i));
  }
  return bag;
}

TEST(ShowSettings, MissingKeysKeepTheEditorsDefaults) {
  const std::optional<ShowSettings> show = ReadShowSettings(PictureBag(2), QSize(1280, 720));
  ASSERT_TRUE(show);
  EXPECT_EQ(show->OrigScreen(), QSize(1280, 720));
  EXPECT_EQ(show->project.pictures.size(), 2);
  EXPECT_EQ(show->time_interval_ms, 10000);
  EXPECT_EQ(show->opening_ms, 8000);
  EXPECT_EQ(show->project.settings.img_draw_scale, ProjectSettings().img_draw_scale);
  EXPECT_EQ(show->SlideMs(1), 10000);
}

TEST(ShowSettings, HostileValuesAreHeldWithinBounds) {
  PropertyBag bag = PictureBag(2);
  constexpr qint32 kHuge = std::numeric_limits<qint32>::max();
  bag.Put(QStringLiteral("OrigScreenWidth"), qint32(-5));
  bag.Put(QStringLiteral("OrigScreenHeight"), kHuge);
  bag.Put(QStringLiteral("TimeInterval"), std::numeric_limits<float>::quiet_NaN());
  bag.Put(QStringLiteral("OpeningDurationTime"), 1e30f);
  bag.Put(QStringLiteral("EndingDurationTime"), -7.0f);
  bag.Put(QStringLiteral("SlideDuration(1)"), 1e-30f);
  bag.Put(QStringLiteral("SlideDuration(2)"), std::numeric_limits<float>::infinity());
  bag.Put(QStringLiteral("fFontSize(1)"), kHuge);
  bag.Put(QStringLiteral("TitlePosW"), kHuge);
  bag.Put(QStringLiteral("TitlePosX"), std::numeric_limits<qint32>::min());
  bag.Put(QStringLiteral("HeadPosW(1)"), kHuge);
  bag.Put(QStringLiteral("HeadSize(1)"), kHuge);
  bag.Put(QStringLiteral("SongDurationTotal"), qint32(-40));

  const std::optional<ShowSettings> show = ReadShowSettings(bag, QSize(800, 600));
  ASSERT_TRUE(show);
  EXPECT_EQ(show->OrigScreen(), QSize(800, 600));
  EXPECT_EQ(show->time_interval_ms, 10000);
  EXPECT_EQ(show->opening_ms, kLongestEventMs);
  EXPECT_EQ(show->ending_ms, kLeastTitleMs);
  EXPECT_EQ(show->SlideMs(1), kLeastSlideMs);
  EXPECT_EQ(show->SlideMs(2), 10000);
  EXPECT_EQ(show->song_duration_total, 0);
  EXPECT_LE(show->project.settings.Style(kCaptionSlot).size, 2000);
  EXPECT_LE(show->project.settings.title_box.w, 3200);
  EXPECT_GE(show->project.settings.title_box.x, -3200);
  EXPECT_LE(show->project.pictures[0].headline_box.w, 3200);
  EXPECT_LE(show->project.pictures[0].head_size, 2000);
}

TEST(ShowSettings, ABagWithoutPicturesIsRefusedWithItsReason) {
  QString error;
  EXPECT_FALSE(ReadShowSettings(PictureBag(0), QSize(800, 600), &error));
  EXPECT_EQ(error, QStringLiteral("the package names no picture"));
}

TEST(ShowSettings, CaptionsAreTextsOrFileTitles) {
  std::optional<ShowSettings> show = ReadShowSettings(PictureBag(1), QSize(800, 600));
  ASSERT_TRUE(show);
  show->project.pictures[0].caption = QStringLiteral("海边");
  EXPECT_EQ(show->Caption(1), QStringLiteral("海边"));
  show->project.settings.filename_as_caption = true;
  EXPECT_EQ(show->Caption(1), QStringLiteral("1"));
  EXPECT_EQ(show->Caption(2), QString());
}

}  // namespace
}  // namespace pivlo
