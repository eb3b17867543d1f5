#include "core/ProjectBag.h"
#include "core/ProjectFiles.h"
#include "core/Version.h"
#include "core/basPropertyBag.h"

#include "ProjectFixtures.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::TestEnvironment;

QStringList BagKeys() {
  QStringList keys;
  for (const PropertyBag::Entry& entry : SharedBag().Entries()) keys << entry.key;
  return keys;
}

// The settings block in the writer's order, with the texts that are not empty by default.
QStringList SettingsBlock() {
  QStringList keys = {
      u"TitleText(1)"_s, u"TitleText(2)"_s, u"PlayPhotoInRamdomOrder"_s, u"IgnoreMouseMove"_s, u"ShowCursor"_s,
      u"EnableFloating"_s, u"MuteSound"_s, u"EnableTransition"_s, u"EnableHeadlineEffect"_s, u"EnableOpening"_s,
      u"EnableEnding"_s, u"FilenameAsCaption"_s, u"IsPackage"_s, u"EnableCaption"_s, u"EnableExport"_s,
      u"AppVersion"_s, u"LyricFolder"_s, u"ImgDrawScale"_s, u"BackgroundDrawScale"_s,
      u"BackgroundGradientMode"_s, u"EnableLyric"_s, u"TitleStyle"_s, u"EnableSync"_s, u"PlayMusicOrder"_s,
      u"BackGroundSet"_s, u"ExportPassword"_s, u"SolidColor"_s, u"BeginColor"_s, u"EndColor"_s, u"IsShowTip"_s,
      u"EnableOpenFolder"_s, u"PictureFrameNum"_s, u"PictureFrameImage"_s};
  for (int slot = 1; slot <= 4; ++slot) {
    for (const char16_t* prefix : {u"FontStartColor(", u"FontEndColor(", u"BorderColor(", u"fFontName(",
                                   u"fFontSize(", u"fFontAlign(", u"fFontPattern(", u"fBorderWidth(",
                                   u"fFontStyle("}) {
      keys << QString::fromUtf16(prefix) + QString::number(slot) + u')';
    }
  }
  keys << u"LyricPosX"_s << u"LyricPosY"_s << u"LyricPosW"_s << u"LyricPosH"_s << u"TitlePosX"_s
       << u"TitlePosY"_s << u"TitlePosW"_s << u"TitlePosH"_s << u"LyricDynamicFontPattern"_s
       << u"LyricDynamicFontStartColor"_s << u"LyricDynamicFontEndColor"_s << u"LyricStyle"_s
       << u"TxtSetting(0)"_s << u"TimeInterval"_s << u"OpeningDurationTime"_s << u"EndingDurationTime"_s
       << u"StyleSelect"_s;
  return keys;
}

class ProjectBagTest : public testing::Test {
 protected:
  void SetUp() override { SharedBag().Clear(); }
  void TearDown() override { SharedBag().Clear(); }

  ProjectModel TwoPictures() {
    ProjectModel model(TestEnvironment());
    model.AddPicture(u"/photos/one.jpg"_s);
    model.AddPicture(u"/photos/two.jpg"_s);
    return model;
  }

  // Writes the model, then reads the bag into a fresh model as opening a file would.
  ProjectModel WrittenAndRead(ProjectModel& model) {
    WriteProjectToBag(model);
    ProjectModel read(TestEnvironment());
    ReadProjectFromBag(read);
    return read;
  }
};

TEST_F(ProjectBagTest, TwoPlainPicturesWriteExactlyThisKeySet) {
  ProjectModel model = TwoPictures();
  model.settings.background_picture = u"/photos/back.png"_s;
  model.settings.logo_image = u" "_s;            // a blank means none
  model.settings.opening_image = u"/a.png"_s;  // shorter than 8 characters: none
  WriteProjectToBag(model);
  const QStringList expected = QStringList{u"BackGroundPicture"_s} + SettingsBlock() +
                               QStringList{u"NowI"_s, u"NowM"_s, u"LyricFilesCount"_s, u"ImgNames(1)"_s,
                                           u"ImgNames(2)"_s};
  EXPECT_EQ(BagKeys(), expected);
  EXPECT_EQ(GetValue(u"NowI"_s), BagValue(2));
  EXPECT_EQ(GetValue(u"NowM"_s), BagValue(0));
  EXPECT_EQ(GetValue(u"EnableFloating"_s), BagValue(false));
  EXPECT_EQ(GetValue(u"EnableTransition"_s), BagValue(true));
  EXPECT_EQ(GetValue(u"AppVersion"_s), BagValue(VersionText()));
  EXPECT_EQ(GetValue(u"BeginColor"_s), BagValue(Rgb(255, 255, 128)));
  EXPECT_EQ(GetValue(u"TimeInterval"_s), BagValue(10.0f));
  EXPECT_EQ(GetValue(u"BackGroundSet"_s), BagValue(u"1"_s));
  EXPECT_EQ(GetValue(u"StyleSelect"_s), BagValue(QString(23, u'1') + QString(105, u' ')));
}

TEST_F(ProjectBagTest, PictureKeysAreWrittenOnlyWithWhatTheyBelongTo) {
  ProjectModel model = TwoPictures();
  model.pictures[0].caption = u"a"_s;
  model.pictures[1].headline = u"标题"_s;
  model.pictures[1].slide_duration = 4.5f;
  model.pictures[1].pos_y = -3;
  WriteProjectToBag(model);
  const QStringList keys = BagKeys();
  const QStringList pictures = keys.mid(keys.indexOf(u"ImgNames(1)"_s));
  EXPECT_EQ(pictures, (QStringList{u"ImgNames(1)"_s, u"ImgCaption(1)"_s, u"CapPosX(1)"_s, u"CapPosY(1)"_s,
                                   u"CapPosW(1)"_s, u"CapPosH(1)"_s, u"ImgNames(2)"_s, u"SlideDuration(2)"_s,
                                   u"ImgPosY(2)"_s, u"ImgHeadline(2)"_s, u"HeadPosX(2)"_s, u"HeadPosY(2)"_s,
                                   u"HeadPosW(2)"_s, u"HeadPosH(2)"_s, u"HeadDynamicStyle(2)"_s,
                                   u"HeadSize(2)"_s, u"HeadPattern(2)"_s, u"HeadBorder(2)"_s, u"HeadStyle(2)"_s,
                                   u"HeadStartColor(2)"_s, u"HeadEndColor(2)"_s, u"HeadBorderColor(2)"_s}));
  EXPECT_EQ(GetValue(u"SlideDuration(2)"_s), BagValue(4.5f));

  // Reading back: a picture without a headline gets the new-picture headline, one
  // without a caption the read-default caption box.
  ProjectModel changed(TestEnvironment());
  changed.font_list_position = 7;
  ReadProjectFromBag(changed);
  ASSERT_EQ(changed.pictures.size(), 2);
  const ImageEntry fresh = changed.NewImageEntry();
  EXPECT_EQ(changed.pictures[0].headline_box, fresh.headline_box);
  EXPECT_EQ(changed.pictures[0].head_dynamic_style, 7);
  EXPECT_EQ(changed.pictures[0].caption_box, model.pictures[0].caption_box);
  EXPECT_EQ(changed.pictures[1].caption_box, changed.ReadDefaultCaptionBox());
  EXPECT_EQ(changed.pictures[1].headline, u"标题"_s);
  EXPECT_EQ(changed.pictures[1].pos_y, -3);
  EXPECT_EQ(changed.pictures[1].slide_duration, 4.5f);
}

TEST_F(ProjectBagTest, NothingIsWrittenWithoutPictures) {
  ProjectModel model(TestEnvironment());
  WriteProjectToBag(model);
  WriteSettingsToBag(model);
  EXPECT_TRUE(SharedBag().IsEmpty());
}

TEST_F(ProjectBagTest, SettingsOnlyWritingLeavesOutTheLists) {
  ProjectModel model = TwoPictures();
  model.settings.ending_image = u"/photos/end.png"_s;
  model.flags.SettingsOnlyWrite = true;
  WriteProjectToBag(model);
  EXPECT_EQ(BagKeys(), QStringList{u"EndingImage"_s} + SettingsBlock());
}

TEST_F(ProjectBagTest, TheWriterCorrectsTheTimeBoxAndAFrameWithoutData) {
  ProjectModel model = TwoPictures();
  model.settings.time_text = u"2"_s;
  model.settings.picture_frame_num = 3;
  WriteSettingsToBag(model);
  EXPECT_EQ(GetValue(u"TimeInterval"_s), BagValue(3.5f));
  EXPECT_EQ(model.settings.time_text, u"3.5"_s);
  EXPECT_EQ(GetValue(u"PictureFrameNum"_s), BagValue(0));
  EXPECT_EQ(model.settings.picture_frame_num, 0);

  model.settings.picture_frame_num = 3;
  model.frame_picture = QByteArray("\x89PNG", 4);
  WriteSettingsToBag(model);
  EXPECT_EQ(GetValue(u"PictureFrameNum"_s), BagValue(3));
}

TEST_F(ProjectBagTest, KeysAFileLacksKeepTheirValueUnlessTheyReadWithADefault) {
  ProjectModel model(TestEnvironment());
  model.settings.enable_open_folder = false;
  model.settings.mute_sound = true;
  model.settings.picture_frame_num = -1;
  model.settings.info[1] = u"作者"_s;
  model.settings.lyric_folder = u"/lyrics/"_s;
  SharedBag().Put(u"TxtSetting(0)"_s, u"新名字"_s);
  SharedBag().Put(u"TxtSetting(1)"_s, QString());
  ReadProjectFromBag(model);
  EXPECT_FALSE(model.settings.enable_open_folder);
  EXPECT_TRUE(model.settings.mute_sound);
  EXPECT_EQ(model.settings.picture_frame_num, 0);        // read with a default of 0
  EXPECT_TRUE(model.settings.title_opening.isEmpty());  // the writer leaves out empty titles
  EXPECT_EQ(model.settings.info[0], u"新名字"_s);
  EXPECT_EQ(model.settings.info[1], u"作者"_s);  // an empty text leaves the box alone
  EXPECT_EQ(model.settings.lyric_folder, u"/lyrics/"_s);
  EXPECT_TRUE(SharedBag().IsEmpty());
}

TEST_F(ProjectBagTest, ValuesAFieldCannotHoldArePassedOver) {
  ProjectModel model(TestEnvironment());
  const struct {
    const char16_t* key;
    BagValue value;
  } bad[] = {
      {u"ImgDrawScale", qint32(7)},         {u"BackgroundDrawScale", qint32(3)}, {u"BackGroundSet", u"9"_s},
      {u"MuteSound", u"maybe"_s},           {u"TimeInterval", u"soon"_s},       {u"fFontAlign(1)", qint32(9)},
      {u"fFontSize(2)", qint32(0)},         {u"LyricStyle", QByteArray("x")},   {u"PlayMusicOrder", 1.5f},
  };
  for (const auto& b : bad) SharedBag().Put(QString::fromUtf16(b.key), b.value);
  const ProjectSettings before = model.settings;
  ReadProjectFromBag(model);
  EXPECT_EQ(model.settings.img_draw_scale, before.img_draw_scale);
  EXPECT_EQ(model.settings.background_draw_scale, before.background_draw_scale);
  EXPECT_EQ(model.settings.background_kind, before.background_kind);
  EXPECT_EQ(model.settings.mute_sound, before.mute_sound);
  EXPECT_EQ(model.settings.time_text, before.time_text);
  EXPECT_EQ(model.settings.styles, before.styles);
  EXPECT_EQ(model.settings.lyric_style, before.lyric_style);
  EXPECT_EQ(model.settings.play_music_order, before.play_music_order);
}

TEST_F(ProjectBagTest, ARainbowHeadlineIsReadAsAGradient) {
  ProjectModel model(TestEnvironment());
  for (int i = 1; i <= 3; ++i) model.AddPicture(u"/photos/"_s + QString::number(i) + u".jpg"_s).headline = u"h"_s;
  model.pictures[2].head_pattern = 2;
  model.pictures[1].head_pattern = 4;
  model.settings.Style(kHeadlineSlot).pattern = 2;
  model.settings.Style(kCaptionSlot).pattern = 2;
  const ProjectModel read = WrittenAndRead(model);
  EXPECT_EQ(read.settings.Style(kHeadlineSlot).pattern, 6);
  EXPECT_EQ(read.settings.Style(kCaptionSlot).pattern, 2);
  EXPECT_EQ(read.pictures[2].head_pattern, 0);
  EXPECT_EQ(read.pictures[1].head_pattern, 4);
}

TEST_F(ProjectBagTest, SongsStoredWithoutADurationAreMeasured) {
  ProjectModel model = TwoPictures();
  model.AddSong(u"/music/a.mp3"_s, 0);
  model.AddSong(u"/music/b.mp3"_s, 181.5f);
  model.lyric_files = {u"/music/a.lrc"_s};
  WriteProjectToBag(model);
  const PropertyBag stored = SharedBag();

  ProjectModel measured(TestEnvironment());
  QStringList asked;
  measured.measure_song = [&](const QString& path) {
    asked << path;
    return 180.0f;
  };
  ReadProjectFromBag(measured);
  EXPECT_EQ(asked, QStringList{u"/music/a.mp3"_s});
  EXPECT_EQ(measured.songs, (QList<SongEntry>{{u"/music/a.mp3"_s, 180.0f}, {u"/music/b.mp3"_s, 181.5f}}));
  EXPECT_EQ(measured.lyric_files, QStringList{u"/music/a.lrc"_s});

  SharedBag() = stored;  // without a measure the stored 0 stands
  ProjectModel unmeasured(TestEnvironment());
  ReadProjectFromBag(unmeasured);
  EXPECT_EQ(unmeasured.songs[0].duration, 0.0f);
}

TEST_F(ProjectBagTest, WithoutNowITheListsStayAndSettingsOnlyEmptiesThem) {
  ProjectModel model = TwoPictures();
  model.AddSong(u"/music/a.mp3"_s, 10);
  model.file_name = u"/projects/show.aps"_s;
  SharedBag().Put(u"MuteSound"_s, true);
  ReadProjectFromBag(model);
  EXPECT_EQ(model.pictures.size(), 2);
  EXPECT_EQ(model.songs.size(), 1);
  EXPECT_TRUE(model.settings.mute_sound);

  SharedBag().Put(u"NowI"_s, 1);
  SharedBag().Put(u"ImgNames(1)"_s, u"/photos/x.jpg"_s);
  SharedBag().Put(u"IgnoreMouseMove"_s, true);
  model.flags.SettingsOnlyRead = true;
  ReadProjectFromBag(model);
  EXPECT_TRUE(model.pictures.isEmpty());
  EXPECT_TRUE(model.songs.isEmpty());
  EXPECT_TRUE(model.file_name.isEmpty());
  EXPECT_TRUE(model.settings.ignore_mouse_move);
}

TEST_F(ProjectBagTest, CountsAreNeverTakenBeyondWhatTheBagHolds) {
  ProjectModel model(TestEnvironment());
  SharedBag().Put(u"NowI"_s, 2147483647);
  SharedBag().Put(u"NowM"_s, -5);
  SharedBag().Put(u"LyricFilesCount"_s, u"lots"_s);
  SharedBag().Put(u"ImgNames(1)"_s, u"/photos/x.jpg"_s);
  for (int i = 0; i < 1000; ++i) SharedBag().Put(u"k"_s + QString::number(i), 1);
  ReadProjectFromBag(model);
  EXPECT_EQ(model.pictures.size(), 1);  // one picture per file name at most
  EXPECT_EQ(model.pictures[0].file, u"/photos/x.jpg"_s);
  EXPECT_TRUE(model.songs.isEmpty());
  EXPECT_TRUE(model.lyric_files.isEmpty());
}

TEST_F(ProjectBagTest, SavedReopenedAndSavedAgainIsByteIdentical) {
  test::TempFolder folder;
  ProjectModel model = TwoPictures();
  ProjectSettings& s = model.settings;
  s.title_opening = u"第一行\r\n第二行"_s;
  s.title_ending.clear();
  s.info = {u"假期"_s, u"作者"_s, u"a@b.c"_s, QString(), u"说明\r\n两行"_s, u"©"_s};
  s.time_text = u"4.12345"_s;
  s.opening_time_text = u"6"_s;
  s.transitions[4] = false;
  s.background_kind = u"3"_s;
  s.background_picture = u"/photos/back.png"_s;
  s.picture_frame_num = 2;  // no frame data held: written as 0
  s.Style(kLyricSlot).font_name = u"文泉驿"_s;
  s.enable_export = true;
  s.export_password = u"pw"_s;
  model.pictures[0].caption = u"海边"_s;
  model.pictures[0].slide_duration = 7.25f;
  model.pictures[1].caption = u"第二张"_s;
  model.pictures[1].headline = u"一行标题"_s;
  model.pictures[1].pos_x = 12;
  model.AddSong(u"/music/a.mp3"_s, 183.123f);
  model.lyric_files = {u"/music/a.lrc"_s};

  const QString first = folder.Path(u"first.aps"_s);
  const QString second = folder.Path(u"second.aps"_s);
  ASSERT_TRUE(WriteProjectToFile(model, first));
  ProjectModel reopened(TestEnvironment());
  ASSERT_TRUE(LoadBagFromFile(first));
  ReadProjectFromBag(reopened);
  ASSERT_TRUE(WriteProjectToFile(reopened, second));
  EXPECT_EQ(test::ReadWholeFile(first), test::ReadWholeFile(second));
  EXPECT_EQ(reopened.pictures, model.pictures);
  EXPECT_EQ(reopened.songs, model.songs);
  EXPECT_EQ(reopened.settings.info, model.settings.info);
  EXPECT_EQ(reopened.settings.transitions, model.settings.transitions);
}

}  // namespace
}  // namespace pivlo
