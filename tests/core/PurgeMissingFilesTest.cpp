#include "core/PurgeMissingFiles.h"

#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kPurgeMessage =
    u"找不到屏幕保护配置中的某些文件，程序将自动将这些文件从列表中清除。\r这可能是因为你已经把这些文件删除或移动到其他目录。"_s;

class PurgeTest : public testing::Test {
 protected:
  QString Existing(const QString& name) { return folder_.Write(name, "x"); }
  QString Missing(const QString& name) { return folder_.Path(name); }

  test::TempFolder folder_;
  test::ScriptedPrompter prompter_;
  ProjectModel model_{test::TestEnvironment()};
};

TEST_F(PurgeTest, DropsMissingMediaAndTellsOnce) {
  model_.AddPicture(Existing(u"a.jpg"_s));
  model_.AddPicture(Missing(u"b.jpg"_s));
  model_.AddPicture(Existing(u"c.jpg"_s)).caption = u"c"_s;
  model_.AddSong(Missing(u"one.mp3"_s), 10);
  model_.AddSong(Existing(u"two.mp3"_s), 20);
  model_.lyric_files = {Existing(u"one.lrc"_s), Missing(u"gone.lrc"_s), Existing(u"two.lrc"_s)};
  model_.file_name = u"/projects/show.aps"_s;
  PurgeMissingFiles(model_, prompter_);

  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, kPurgeMessage);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  ASSERT_EQ(model_.pictures.size(), 2);
  EXPECT_EQ(model_.pictures[1].caption, u"c"_s);  // per-picture data moves with its picture
  ASSERT_EQ(model_.songs.size(), 1);
  EXPECT_EQ(model_.songs[0].file, folder_.Path(u"two.mp3"_s));
  // The missing song takes the lyric file of its title with it; a missing lyric goes too.
  EXPECT_EQ(model_.lyric_files, QStringList{folder_.Path(u"two.lrc"_s)});
  EXPECT_EQ(model_.file_name, u"/projects/show.aps"_s);
}

TEST_F(PurgeTest, SongsAloneAreToldAndNothingMissingSaysNothing) {
  model_.AddPicture(Existing(u"a.jpg"_s));
  model_.AddSong(Missing(u"one.mp3"_s), 10);
  PurgeMissingFiles(model_, prompter_);
  EXPECT_EQ(prompter_.MessageTexts(), QStringList{kPurgeMessage});
  PurgeMissingFiles(model_, prompter_);
  EXPECT_EQ(prompter_.messages.size(), 1);
}

TEST_F(PurgeTest, EveryPictureMissingEmptiesTheListAndTheFileName) {
  model_.AddPicture(Missing(u"a.jpg"_s));
  model_.AddPicture(QString());
  model_.file_name = u"/projects/show.aps"_s;
  PurgeMissingFiles(model_, prompter_);
  EXPECT_TRUE(model_.pictures.isEmpty());
  EXPECT_TRUE(model_.file_name.isEmpty());
}

TEST_F(PurgeTest, BackgroundTitlesAndLogo) {
  ProjectSettings& s = model_.settings;
  s.background_kind = u"3"_s;
  s.background_picture = Missing(u"back.png"_s);
  s.enable_opening = true;
  s.title_opening.clear();
  s.opening_image = u" "_s;  // nothing to show: the opening is switched off
  s.enable_ending = true;
  s.ending_image = Missing(u"end.png"_s);  // a text remains: only the picture goes
  s.logo_image = Missing(u"logo.png"_s);
  PurgeMissingFiles(model_, prompter_);
  EXPECT_EQ(s.background_kind, u"1"_s);
  EXPECT_TRUE(s.background_picture.isEmpty());
  EXPECT_FALSE(s.enable_opening);
  EXPECT_TRUE(s.enable_ending);
  EXPECT_TRUE(s.ending_image.isEmpty());
  EXPECT_TRUE(s.logo_image.isEmpty());
  EXPECT_TRUE(prompter_.messages.isEmpty());

  s.background_kind = u"3"_s;
  s.background_picture = u"/a.png"_s;  // too short to name a file
  s.logo_image = Existing(u"logo.png"_s);
  PurgeMissingFiles(model_, prompter_);
  EXPECT_EQ(s.background_kind, u"1"_s);
  EXPECT_EQ(s.background_picture, u"/a.png"_s);
  EXPECT_EQ(s.logo_image, folder_.Path(u"logo.png"_s));
}

}  // namespace
}  // namespace pivlo
