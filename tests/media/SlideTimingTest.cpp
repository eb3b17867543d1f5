#include "media/SlideTimeDialogModel.h"
#include "media/SlideTiming.h"

#include "ProjectFixtures.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

ProjectModel WithSongs(const QList<float>& durations, bool sync) {
  ProjectModel model(test::TestEnvironment());
  model.settings.enable_sync = sync;
  for (float seconds : durations) model.AddSong(u"/music/song.mp3"_s, seconds);
  return model;
}

TEST(TotalSongSeconds, OnlySynchronisedShowsOfOneToTwentySongsCarryALength) {
  struct Case {
    const char* name;
    QList<float> durations;
    bool sync;
    qint32 seconds;
  };
  const Case cases[] = {
      {"sync off", {100}, false, 0},
      {"no songs", {}, true, 0},
      {"300.4 s", {100.2f, 200.2f}, true, 301},
      {"exactly 300 s", {100, 200}, true, 301},
      {"10.2 s and 20.3 s", {10.2f, 20.3f}, true, 31},
      {"20 songs", QList<float>(20, 10), true, 201},
      {"21 songs", QList<float>(21, 10), true, 0},
      {"30000.5 s rounds, halves to even", {30000.5f}, true, 30000},
      {"30001.5 s", {30001.5f}, true, 30002},
      {"30000 s exactly", {30000}, true, 30000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TotalSongSeconds(WithSongs(c.durations, c.sync)), c.seconds);
  }
}

class SlideTimeDialogTest : public testing::Test {
 protected:
  SlideTimeDialogTest() {
    model_.settings.time_text = u"12"_s;
    for (const char16_t* name : {u"/p/a.jpg", u"/p/b.jpg", u"/p/c.jpg", u"/p/d.jpg", u"/p/e.jpg", u"/p/f.jpg"}) {
      model_.AddPicture(QString::fromUtf16(name));
    }
    model_.pictures[1].slide_duration = 4.25f;
  }
  SlideTimeDialogModel Open() {
    return SlideTimeDialogModel(model_, [this](qsizetype row) { mirrored_ << row; });
  }

  ProjectModel model_{test::TestEnvironment()};
  QList<qsizetype> mirrored_;
};

TEST_F(SlideTimeDialogTest, StartsWithTheLinesAndTheFirstPicture) {
  EXPECT_FALSE(SlideTimeDialogModel::CanOpen(ProjectModel(test::TestEnvironment())));
  EXPECT_TRUE(SlideTimeDialogModel::CanOpen(model_));
  model_.settings.enable_sync = true;
  EXPECT_FALSE(SlideTimeDialogModel::CanOpen(model_));

  const SlideTimeDialogModel dialog = Open();
  EXPECT_EQ(dialog.PictureLines().mid(0, 3), (QStringList{u"a.jpg: 12 秒"_s, u"b.jpg: 4.25 秒"_s, u"c.jpg: 12 秒"_s}));
  EXPECT_EQ(dialog.PictureSelection().SelectedRows(), QList<qsizetype>{0});
  EXPECT_EQ(mirrored_, QList<qsizetype>{0});
  EXPECT_EQ(dialog.MusicLines(), QStringList{u"无音乐"_s});
  EXPECT_FALSE(dialog.AverageAvailable());
  EXPECT_EQ(dialog.CurrentMode(), SlideTimeDialogModel::Mode::Same);
  EXPECT_FALSE(dialog.MusicListEnabled());
  EXPECT_FALSE(dialog.AverageLabelVisible());
  EXPECT_EQ(dialog.AverageLabel(), u"歌曲时间长度：0秒"_s);
  EXPECT_EQ(dialog.TimeText(), u"12"_s);
}

TEST_F(SlideTimeDialogTest, LeavingTheTimeBoxCorrectsTheText) {
  SlideTimeDialogModel dialog = Open();
  const struct {
    const char16_t* typed;
    const char16_t* left;
  } cases[] = {{u"2", u"3.5"}, {u"0.5", u"12"}, {u"", u"12"}, {u"7.12345", u"7.123"}, {u"20", u"20"}};
  for (const auto& c : cases) {
    dialog.SetTimeText(QString::fromUtf16(c.typed));
    dialog.LeaveTimeBox();
    EXPECT_EQ(dialog.TimeText(), QString::fromUtf16(c.left)) << QString::fromUtf16(c.typed).toStdString();
  }
}

TEST_F(SlideTimeDialogTest, SetAppliesTheTimeToTheSelectionAndOnlySaveKeepsIt) {
  {
    SlideTimeDialogModel dialog = Open();
    dialog.SelectPictures({2, 4}, 4);
    EXPECT_EQ(mirrored_, (QList<qsizetype>{0, 2}));
    dialog.SelectPictures({2, 3}, 3);  // the first selected stays: no mirroring
    EXPECT_EQ(mirrored_, (QList<qsizetype>{0, 2}));
    dialog.SetTimeText(u"2"_s);
    dialog.Set();
    EXPECT_EQ(dialog.TimeText(), u"3.5"_s);
    EXPECT_EQ(dialog.PictureLines()[2], u"c.jpg: 3.5 秒"_s);
    EXPECT_EQ(dialog.PictureLines()[3], u"d.jpg: 3.5 秒"_s);
    EXPECT_EQ(dialog.PictureLines()[4], u"e.jpg: 12 秒"_s);
    dialog.SelectPictures({1}, 1);
    EXPECT_EQ(dialog.TimeText(), u"4.25"_s);  // a clicked picture shows its own time
    dialog.SelectPictures({1, 3}, 3);
    EXPECT_EQ(dialog.TimeText(), u"3.5"_s);
  }  // closed without saving
  EXPECT_EQ(model_.pictures[2].slide_duration, 0.0f);
  EXPECT_EQ(model_.pictures[3].slide_duration, 0.0f);

  SlideTimeDialogModel dialog = Open();
  dialog.SelectPictures({0, 5}, 0);
  dialog.SetTimeText(u"9.5"_s);
  dialog.Set();
  dialog.Save();
  EXPECT_EQ(model_.pictures[0].slide_duration, 9.5f);
  EXPECT_EQ(model_.pictures[1].slide_duration, 4.25f);
  EXPECT_EQ(model_.pictures[5].slide_duration, 9.5f);
}

TEST_F(SlideTimeDialogTest, TheAverageSharesTheFirstSelectedSongOverTheSelectedPictures) {
  model_.AddSong(u"/music/long.mp3"_s, 181);
  model_.AddSong(u"/music/short.mp3"_s, 10);
  SlideTimeDialogModel dialog = Open();
  EXPECT_EQ(dialog.MusicLines(), (QStringList{u"long.mp3"_s, u"short.mp3"_s}));
  dialog.SelectPictures({0, 1, 2, 3, 4}, 0);
  dialog.ChooseAverage();
  EXPECT_TRUE(dialog.MusicListEnabled());
  EXPECT_TRUE(dialog.AverageLabelVisible());
  EXPECT_EQ(dialog.SongSelection().SelectedRows(), QList<qsizetype>{0});
  EXPECT_EQ(dialog.TimeText(), u"36.2"_s);
  EXPECT_EQ(dialog.AverageLabel(), u"图片 5 张 * 平均时间: 36.2秒 = 歌曲长度: 181秒"_s);

  dialog.SelectPictures({0, 1, 2}, 2);  // 181 / 3 = 60.333...
  EXPECT_EQ(dialog.TimeText(), u"60.333"_s);
  dialog.SelectSongs({1}, 1);
  EXPECT_EQ(dialog.AverageLabel(), u"图片 3 张 * 平均时间: 3.333秒 = 歌曲长度: 10秒"_s);
  dialog.Set();  // an average below the minimum is applied as 3.5
  EXPECT_EQ(dialog.WorkingTimes().mid(0, 4), (QList<float>{3.5f, 3.5f, 3.5f, 0}));

  dialog.SelectPictures({}, -1);  // no picture: the label and the box keep their texts
  EXPECT_EQ(dialog.TimeText(), u"3.5"_s);
  EXPECT_EQ(dialog.AverageLabel(), u"图片 3 张 * 平均时间: 3.333秒 = 歌曲长度: 10秒"_s);

  dialog.SelectPictures({1}, 1);
  dialog.ChooseSame();
  EXPECT_FALSE(dialog.MusicListEnabled());
  EXPECT_FALSE(dialog.AverageLabelVisible());
  EXPECT_EQ(dialog.TimeText(), u"3.5"_s);
}

}  // namespace
}  // namespace pivlo
