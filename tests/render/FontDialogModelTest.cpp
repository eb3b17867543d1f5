#include "render/FontDialogModel.h"

#include "ProjectFixtures.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(FontDialogModelTest, TheListsFollowTheKind) {
  ProjectModel model(test::TestEnvironment());
  const FontDialogModel title(model, FontDialogModel::kTitle);
  EXPECT_EQ(title.SizeEntries().first(), u"16"_s);
  EXPECT_EQ(title.SizeEntries().last(), u"200"_s);
  EXPECT_EQ(FontDialogModel(model, FontDialogModel::kCaption).SizeEntries().last(), u"112"_s);
  EXPECT_TRUE(FontDialogModel(model, FontDialogModel::kCaption).AlignEnabled());
  EXPECT_FALSE(title.AlignEnabled());
  EXPECT_FALSE(FontDialogModel(model, FontDialogModel::kLyricLine).FullStyleEnabled());
  EXPECT_EQ(FontDialogModel::AlignEntries().at(8), u"右下"_s);
  EXPECT_EQ(FontDialogModel::StyleEntries().at(3), u"粗斜体"_s);

  const FontDialogModel headline(model, FontDialogModel::kHeadline);
  ASSERT_EQ(headline.PatternEntries().size(), 9);  // no rainbow for headlines
  EXPECT_EQ(headline.PatternEntries().at(1), u"左右渐变"_s);
  EXPECT_EQ(FontDialogModel(model, FontDialogModel::kCaption).PatternEntries().size(), 10);
}

TEST(FontDialogModelTest, HeadlinePatternsSkipTheRainbow) {
  ProjectModel model(test::TestEnvironment());
  FontDialogModel headline(model, FontDialogModel::kHeadline);
  EXPECT_EQ(headline.PatternPosition(), 2);  // the default 6, "上下渐变"
  headline.ChoosePattern(1);
  EXPECT_EQ(headline.WorkingStyle().pattern, 4);
  headline.ChoosePattern(0);
  EXPECT_EQ(headline.WorkingStyle().pattern, 0);

  model.settings.Style(kHeadlineSlot).pattern = 2;
  EXPECT_EQ(FontDialogModel(model, FontDialogModel::kHeadline).PatternPosition(), 0);
  FontDialogModel caption(model, FontDialogModel::kCaption);
  caption.ChoosePattern(1);
  EXPECT_EQ(caption.WorkingStyle().pattern, 2);
}

TEST(FontDialogModelTest, OkStoresTheWorkingCopyAndHeadlinesReachTheSelectedPicture) {
  ProjectModel model(test::TestEnvironment());
  model.AddPicture(u"/p/a.jpg"_s);
  model.AddPicture(u"/p/b.jpg"_s);
  FontDialogModel headline(model, FontDialogModel::kHeadline);
  headline.ChooseSize(headline.SizeEntries().indexOf(u"96"_s));
  headline.ChooseStyle(2);
  headline.ChooseStartColor(Rgb(1, 2, 3));
  EXPECT_EQ(model.settings.Style(kHeadlineSlot).size, 64);  // nothing stored yet
  headline.Store(1);
  EXPECT_EQ(model.settings.Style(kHeadlineSlot).size, 96);
  EXPECT_EQ(model.pictures[1].head_size, 96);
  EXPECT_EQ(model.pictures[1].head_style, 2);
  EXPECT_EQ(model.pictures[1].head_start_color, Rgb(1, 2, 3));
  EXPECT_EQ(model.pictures[0].head_size, 64);
}

TEST(FontDialogModelTest, TheLyricLineKeepsOnlyItsPatternAndColours) {
  ProjectModel model(test::TestEnvironment());
  const TextStyle lyric = model.settings.Style(kLyricSlot);
  FontDialogModel line(model, FontDialogModel::kLyricLine);
  EXPECT_EQ(line.WorkingStyle().pattern, 6);
  EXPECT_EQ(line.WorkingStyle().font_name, lyric.font_name);
  line.ChoosePattern(2);
  line.ChooseEndColor(Rgb(9, 9, 9));
  line.ChooseSize(0);
  line.Store(-1);
  EXPECT_EQ(model.settings.lyric_dynamic_pattern, 4);
  EXPECT_EQ(model.settings.lyric_dynamic_end_color, Rgb(9, 9, 9));
  EXPECT_EQ(model.settings.Style(kLyricSlot), lyric);
}

}  // namespace
}  // namespace pivlo
