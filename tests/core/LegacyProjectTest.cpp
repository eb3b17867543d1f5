#include "core/LegacyProject.h"

#include "ProjectFixtures.h"
#include "TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::LegacyFile;
using test::TestEnvironment;

// Two songs after three skipped records, and two pictures.
LegacyFile FullLegacyFile() {
  LegacyFile file;
  file.Text(4, u"1001xx01" "00000000" "1001"_s)
      .Text(5, u"12.50"_s)
      .Text(6, u"255"_s)
      .Text(7, u"65280"_s)
      .Text(8, u"16711680"_s)
      .Text(9, u"C:\\图片\\背景.jpg"_s)
      .Text(11, u"2"_s)
      .Text(12, u"2"_s)
      .Text(21, u"3"_s)
      .Text(30, u"2"_s)
      .Text(32, u"名称"_s)
      .Text(33, u"作者"_s)
      .Text(34, u"邮件"_s)
      .Text(35, u"主页"_s)
      .Text(36, u"版权"_s)
      .Text(44, u" "_s)
      .Text(48, u"密码"_s);
  file.Text(54, u"C:\\音乐\\一.mp3"_s).Text(55, u"C:\\音乐\\二.mp3"_s);
  // Pictures from record 56: paths, offsets X, offsets Y, captions, caption X, caption Y.
  file.Text(56, u"C:\\图片\\一.jpg"_s).Text(57, u"C:\\图片\\二.jpg"_s);
  file.Text(58, u"10"_s).Text(59, u"-20"_s);
  file.Text(60, u"30"_s).Text(61, u"0"_s);
  file.Text(62, u"第一张"_s).Text(63, QString());
  file.Text(64, u"100"_s).Text(65, u"101"_s);
  file.Text(66, u"200"_s).Text(67, u"201.5"_s);
  return file;
}

std::optional<PropertyBag> Parse(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  return ParseLegacyProject(buffer);
}

ProjectModel Applied(const QByteArray& bytes, ProjectModel model = ProjectModel(TestEnvironment())) {
  const std::optional<PropertyBag> legacy = Parse(bytes);
  if (!legacy) {
    ADD_FAILURE() << "not read as an older-form project";
    return model;
  }
  ApplyLegacyProject(model, *legacy);
  return model;
}

TEST(LegacyProject, ReadsEveryRecordItHolds) {
  ProjectModel before(TestEnvironment());
  before.settings.info[4] = u"说明"_s;
  before.lyric_files = {u"/l/a.lrc"_s};
  before.settings.enable_opening = true;
  QStringList measured;
  before.measure_song = [&](const QString& path) {
    measured << path;
    return 99.5f;
  };
  const ProjectModel model = Applied(FullLegacyFile().Bytes(), before);
  const ProjectSettings& s = model.settings;
  EXPECT_TRUE(s.play_photo_random);
  EXPECT_FALSE(s.ignore_mouse_move);
  EXPECT_FALSE(s.show_cursor);
  EXPECT_TRUE(s.mute_sound);
  EXPECT_FALSE(s.enable_transition);
  EXPECT_TRUE(s.enable_headline_effect);
  EXPECT_TRUE(s.filename_as_caption);
  EXPECT_FALSE(s.is_package);
  EXPECT_FALSE(s.enable_caption);
  EXPECT_TRUE(s.enable_export);
  EXPECT_EQ(s.time_text, u"12.50"_s);  // as it stands
  EXPECT_EQ(s.solid_color, 255);
  EXPECT_EQ(s.begin_color, 65280);
  EXPECT_EQ(s.end_color, 16711680);
  EXPECT_EQ(s.background_picture, u"C:\\图片\\背景.jpg"_s);
  EXPECT_EQ(s.background_kind, u"2"_s);
  EXPECT_EQ(s.info, (std::array<QString, kInfoCount>{u"名称"_s, u"作者"_s, u"邮件"_s, u"主页"_s, u"说明"_s, u"版权"_s}));
  EXPECT_EQ(s.logo_image, u" "_s);
  EXPECT_EQ(s.export_password, u"密码"_s);
  EXPECT_TRUE(s.enable_opening);  // not held by the form
  EXPECT_EQ(model.lyric_files, QStringList{u"/l/a.lrc"_s});

  EXPECT_EQ(measured, (QStringList{u"C:\\音乐\\一.mp3"_s, u"C:\\音乐\\二.mp3"_s}));
  EXPECT_EQ(model.songs, (QList<SongEntry>{{u"C:\\音乐\\一.mp3"_s, 99.5f}, {u"C:\\音乐\\二.mp3"_s, 99.5f}}));

  ASSERT_EQ(model.pictures.size(), 2);
  ImageEntry first = model.NewImageEntry(u"C:\\图片\\一.jpg"_s);
  first.pos_x = 10;
  first.pos_y = 30;
  first.caption = u"第一张"_s;
  first.caption_box.x = 100;
  first.caption_box.y = 200;
  EXPECT_EQ(model.pictures[0], first);
  ImageEntry second = model.NewImageEntry(u"C:\\图片\\二.jpg"_s);
  second.pos_x = -20;
  second.caption_box.x = 101;
  second.caption_box.y = 202;  // 201.5 to the even neighbour
  EXPECT_EQ(model.pictures[1], second);
  EXPECT_FALSE(model.flags.LoadingFlag);
}

TEST(LegacyProject, TheLastFourFlagsAreReadOnlyWhenTheTextReachesThem) {
  ProjectModel before(TestEnvironment());
  before.settings.filename_as_caption = true;
  before.settings.enable_caption = true;
  LegacyFile file = FullLegacyFile();
  file.Text(4, u"00000000" "0000000000"_s);  // reaches flag 18 only
  const ProjectModel model = Applied(file.Bytes(), before);
  EXPECT_FALSE(model.settings.filename_as_caption);
  EXPECT_FALSE(model.settings.is_package);
  EXPECT_TRUE(model.settings.enable_caption);
  EXPECT_FALSE(model.settings.enable_export);
}

TEST(LegacyProject, ReadingEndsAtTheFirstRecordItCannotTake) {
  LegacyFile file = FullLegacyFile();
  file.Text(6, u"99999999999"_s);  // beyond 32 bits: passed over, reading goes on
  file.Text(59, u"abc"_s);         // picture 2's offset: the reading ends here
  const ProjectModel defaults(TestEnvironment());
  const ProjectModel model = Applied(file.Bytes());
  EXPECT_EQ(model.settings.solid_color, defaults.settings.solid_color);
  EXPECT_EQ(model.settings.begin_color, 65280);
  ASSERT_EQ(model.pictures.size(), 2);
  EXPECT_EQ(model.pictures[0].caption_box.y, 200);
  EXPECT_EQ(model.pictures[1], model.NewImageEntry(u"C:\\图片\\二.jpg"_s));

  // A byte count longer than its record ends the reading as well.
  LegacyFile long_text = FullLegacyFile();
  long_text.Raw(30, QByteArray("\x7F\x00", 2));
  const ProjectModel cut = Applied(long_text.Bytes());
  EXPECT_EQ(cut.settings.background_kind, defaults.settings.background_kind);
  EXPECT_EQ(cut.settings.info, defaults.settings.info);
  EXPECT_TRUE(cut.pictures.isEmpty());
}

TEST(LegacyProject, CountsReadOnlyWhatTheFileHolds) {
  LegacyFile file = FullLegacyFile();
  file.Text(11, u"2000000000"_s);
  file.Text(12, u"0"_s);
  file.Text(21, u"0"_s);
  const ProjectModel model = Applied(file.Bytes());
  // The first picture path is record 51; its offset would lie 2e9 records further on.
  ASSERT_EQ(model.pictures.size(), 1);
  EXPECT_TRUE(model.songs.isEmpty());
}

TEST(LegacyProject, FilesThatDoNotGetThroughTheCountsAreNotProjects) {
  LegacyFile negative = FullLegacyFile();
  negative.Text(12, u"-1"_s);
  LegacyFile bad_flags = FullLegacyFile();
  bad_flags.Text(4, u"1001x"_s);  // ends before flag 7
  QByteArray noise(4096, '\0');
  for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 37 + 11) % 251);
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"empty", QByteArray()},
      {"short of the counts", FullLegacyFile().Bytes().first(10 * 128)},
      {"negative count", negative.Bytes()},
      {"flags without transition", bad_flags.Bytes()},
      {"noise", noise},
  };
  for (const auto& c : cases) EXPECT_FALSE(Parse(c.bytes).has_value()) << c.name;

  test::TempFolder folder;
  ProjectModel model(TestEnvironment());
  model.AddPicture(u"/p/keep.jpg"_s);
  model.settings.mute_sound = true;
  EXPECT_FALSE(ReadLegacyProject(model, folder.Write(u"noise.aps"_s, noise)));
  EXPECT_FALSE(ReadLegacyProject(model, folder.Path(u"missing.aps"_s)));
  EXPECT_EQ(model.pictures.size(), 1);
  EXPECT_TRUE(model.settings.mute_sound);
  EXPECT_TRUE(ReadLegacyProject(model, folder.Write(u"old.aps"_s, FullLegacyFile().Bytes())));
  EXPECT_EQ(model.pictures.size(), 2);
}

}  // namespace
}  // namespace pivlo
