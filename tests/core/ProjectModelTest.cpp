#include "core/ProjectModel.h"
#include "core/SettingRules.h"

#include "ProjectFixtures.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::TestEnvironment;

TEST(ProjectModel, ScreenRelativeDefaultsComeFromTheGivenScreen) {
  const ProjectModel model(TestEnvironment());  // 1366 × 768, lyric line 80.6
  EXPECT_EQ(model.settings.lyric_box, (ScreenBox{68, 576, 1229, 82}));
  EXPECT_EQ(model.settings.title_box, (ScreenBox{137, 154, 1093, 461}));
  const ImageEntry entry = model.NewImageEntry(u"/p/a.jpg"_s);
  EXPECT_EQ(entry.caption_box, (ScreenBox{68, 38, 1229, 691}));
  EXPECT_EQ(entry.headline_box, (ScreenBox{615, 346, 137, 77}));
  EXPECT_EQ(model.ReadDefaultCaptionBox(), (ScreenBox{27, 15, 1311, 737}));

  // Halves go to the even neighbour: 0.05 × 1330 = 66.5, 0.05 × 770 = 38.5.
  const ProjectModel halves(ModelEnvironment{1330, 770, u"Arial"_s, 0.5});
  EXPECT_EQ(halves.NewImageEntry().caption_box.x, 66);
  EXPECT_EQ(halves.NewImageEntry().caption_box.y, 38);
  EXPECT_EQ(halves.settings.lyric_box.h, 2);  // 0.5 + 1 = 1.5 -> 2
}

TEST(ProjectModel, SlotsStartFromTheirTableInTheDefaultFont) {
  const ProjectModel model(TestEnvironment());
  for (int slot = 1; slot <= kTextSlotCount; ++slot) {
    EXPECT_EQ(model.settings.Style(slot).font_name, u"Noto Sans CJK SC"_s);
    EXPECT_EQ(model.settings.Style(slot).border_color, Rgb(1, 1, 1));
    EXPECT_EQ(model.settings.Style(slot).style_flags, 1);
  }
  const TextStyle& caption = model.settings.Style(kCaptionSlot);
  EXPECT_EQ(caption.start_color, Rgb(255, 255, 255));
  EXPECT_EQ(caption.end_color, Rgb(0, 0, 255));
  EXPECT_EQ(caption.align, 8);
  const TextStyle& headline = model.settings.Style(kHeadlineSlot);
  EXPECT_EQ(headline.start_color, Rgb(255, 0, 0));
  EXPECT_EQ(headline.end_color, Rgb(255, 255, 0));
  EXPECT_EQ(headline.size, 64);
  EXPECT_EQ(headline.pattern, 6);
  const TextStyle& title = model.settings.Style(kTitleSlot);
  EXPECT_EQ(title.size, 120);
  EXPECT_EQ(title.border_width, 3);
  EXPECT_EQ(title.align, 4);
}

TEST(ProjectModel, ANewPictureTakesTheSelectedEffectAndTheHeadlineStyle) {
  ProjectModel model(TestEnvironment());
  model.font_list_position = 5;
  TextStyle& headline = model.settings.Style(kHeadlineSlot);
  headline.size = 40;
  headline.pattern = 12;
  headline.border_width = 4;
  headline.style_flags = 3;
  headline.start_color = 11;
  headline.end_color = 22;
  headline.border_color = 33;
  const ImageEntry& entry = model.AddPicture(u"/p/a.jpg"_s);
  EXPECT_EQ(entry.file, u"/p/a.jpg"_s);
  EXPECT_EQ(entry.head_dynamic_style, 5);
  EXPECT_EQ(entry.head_size, 40);
  EXPECT_EQ(entry.head_pattern, 12);
  EXPECT_EQ(entry.head_border, 4);
  EXPECT_EQ(entry.head_style, 3);
  EXPECT_EQ(entry.head_start_color, 11);
  EXPECT_EQ(entry.head_end_color, 22);
  EXPECT_EQ(entry.head_border_color, 33);
  EXPECT_EQ(entry.slide_duration, 0.0f);
  EXPECT_EQ(entry.pos_x, 0);
  EXPECT_TRUE(entry.caption.isEmpty());
  EXPECT_TRUE(entry.headline.isEmpty());
}

TEST(ProjectModel, GrowImageEntriesKeepsWhatIsThere) {
  ProjectModel model(TestEnvironment());
  model.AddPicture(u"/p/a.jpg"_s).caption = u"kept"_s;
  model.GrowImageEntries(3);
  ASSERT_EQ(model.pictures.size(), 3);
  EXPECT_EQ(model.pictures[0].caption, u"kept"_s);
  EXPECT_EQ(model.pictures[2], model.NewImageEntry());
  model.GrowImageEntries(1);  // never shrinks
  EXPECT_EQ(model.pictures.size(), 3);
}

TEST(ProjectModel, RemovingEveryPictureClearsTheListAndTheFileName) {
  ProjectModel model(TestEnvironment());
  for (const char16_t* name : {u"/p/1.jpg", u"/p/2.jpg", u"/p/3.jpg"}) model.AddPicture(QString::fromUtf16(name));
  model.file_name = u"/p/show.aps"_s;
  model.RemovePictures({2, 0, 2, 7});
  ASSERT_EQ(model.pictures.size(), 1);
  EXPECT_EQ(model.pictures[0].file, u"/p/2.jpg"_s);
  EXPECT_EQ(model.file_name, u"/p/show.aps"_s);
  model.RemovePictures({0});
  EXPECT_TRUE(model.pictures.isEmpty());
  EXPECT_TRUE(model.file_name.isEmpty());
}

TEST(ProjectModel, RemovingASongTakesTheLastLyricFileOfItsTitle) {
  ProjectModel model(TestEnvironment());
  model.AddSong(u"/m/One.mp3"_s, 100);
  model.AddSong(u"/m/two.mp3"_s, 200);
  model.lyric_files = {u"/l/one.lrc"_s, u"/l/two.lrc"_s, u"/x/ONE.lrc"_s};
  model.RemoveSongs({0});
  ASSERT_EQ(model.songs.size(), 1);
  EXPECT_EQ(model.songs[0].file, u"/m/two.mp3"_s);
  EXPECT_EQ(model.lyric_files, (QStringList{u"/l/one.lrc"_s, u"/l/two.lrc"_s}));
  model.RemoveSongs({0});  // the last song: both lists are emptied
  EXPECT_TRUE(model.songs.isEmpty());
  EXPECT_TRUE(model.lyric_files.isEmpty());
}

TEST(ProjectModel, FileNameAsCaptionAppliesOnlyWhenSwitchedOnOutsideLoading) {
  ProjectModel model(TestEnvironment());
  model.AddPicture(u"/p/Summer.Beach.jpg"_s);
  model.AddPicture(u"/p/noext"_s);
  model.flags.LoadingFlag = true;
  EXPECT_FALSE(model.SetFilenameAsCaption(true));
  EXPECT_TRUE(model.pictures[0].caption.isEmpty());
  model.flags.LoadingFlag = false;
  EXPECT_TRUE(model.SetFilenameAsCaption(true));
  EXPECT_EQ(model.pictures[0].caption, u"Summer.Beach"_s);
  EXPECT_EQ(model.pictures[1].caption, u"noext"_s);
  EXPECT_FALSE(model.SetFilenameAsCaption(false));
  EXPECT_FALSE(model.settings.filename_as_caption);
}

TEST(NumberBoxes, NormalizeNumberText) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"", u"D"},          {u"-", u"D"},       {u"5-", u"D"},          {u"0.5", u"D"},   {u".5", u"D"},
      {u"08", u"D"},        {u"abc", u"D"},     {u"12.34567", u"12.346"}, {u"12", u"12"}, {u"-5", u"-5"},
      {u"1e3", u"1000"},    {u"1.0025", u"1.002"},  {u"2.0015", u"2.002"},  {u"1e40", u"D"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeNumberText(QString::fromUtf16(c.in), u"D"_s), QString::fromUtf16(c.out))
        << QString::fromUtf16(c.in).toStdString();
  }
}

TEST(NumberBoxes, TimingBoxesOnLeaving) {
  EXPECT_EQ(NormalizeTimeIntervalText(u"3"_s), u"3.5"_s);
  EXPECT_EQ(NormalizeTimeIntervalText(u"abc"_s), u"10"_s);
  EXPECT_EQ(NormalizeTimeIntervalText(u"4.12345"_s), u"4.123"_s);
  EXPECT_EQ(NormalizeTimeIntervalText(u"-7"_s), u"3.5"_s);
  EXPECT_EQ(NormalizeDurationText(u"6.5"_s), u"6"_s);
  EXPECT_EQ(NormalizeDurationText(u"7.5"_s), u"8"_s);
  EXPECT_EQ(NormalizeDurationText(u"2"_s), u"5"_s);
  EXPECT_EQ(NormalizeDurationText(u"08"_s), u"8"_s);
  EXPECT_EQ(NormalizeDurationText(u""_s), u"8"_s);
}

TEST(NumberBoxes, KeyFilter) {
  for (int key : {int('0'), int('5'), int('9'), 8}) EXPECT_TRUE(IsNumberKeyAccepted(key, false)) << key;
  for (int key : {'a', '-', ' ', '.', ','}) EXPECT_FALSE(IsNumberKeyAccepted(key, false)) << key;
  EXPECT_TRUE(IsNumberKeyAccepted('.', true));
}

TEST(ScreensaverName, CharactersThatCannotStandInAFileNameReplaceTheName) {
  for (const QChar c : u"\\/?\":*<>"_s) {
    EXPECT_EQ(CheckedScreensaverName(u"我的"_s + c + u"屏保"_s), u"未命名屏幕保护"_s) << int(c.unicode());
  }
  EXPECT_EQ(CheckedScreensaverName(u"我的屏保 (2024)|"_s), u"我的屏保 (2024)|"_s);
}

TEST(StyleSelect, BothWays) {
  std::array<bool, kTransitionCount> ticked = ProjectSettings::AllTransitions();
  ticked[2] = false;
  const QString text = StyleSelectText(ticked);
  EXPECT_EQ(text, u"11 "_s + QString(20, u'1') + QString(105, u' '));
  EXPECT_EQ(TransitionsFromStyleSelect(text), ticked);

  // Shorter texts are padded with blanks; characters past the list do not matter.
  const std::array<bool, kTransitionCount> first = TransitionsFromStyleSelect(u"1"_s);
  EXPECT_TRUE(first[0]);
  EXPECT_FALSE(first[1]);
  EXPECT_EQ(TransitionsFromStyleSelect(QString(200, u'1')), ProjectSettings::AllTransitions());
  EXPECT_EQ(TransitionsFromStyleSelect(u" x1"_s)[1], false);
}

}  // namespace
}  // namespace pivlo
