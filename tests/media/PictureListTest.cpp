#include "media/PictureList.h"

#include "core/AppFolders.h"
#include "core/PathRules.h"

#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr QSize kThumbnail(16, 12);
constexpr int kLevels = 6;  // colour levels per channel: 216 pictures can be told apart
constexpr int kStep = 51;

// Picture k of a test is a plain JPEG in its own colour, so every thumbnail tells whose it is.
QRgb ColourOf(int k) {
  return qRgb(k % kLevels * kStep, k / kLevels % kLevels * kStep, k / (kLevels * kLevels) * kStep);
}

int PictureOfColour(QRgb colour) {
  const auto level = [](int channel) { return (channel + kStep / 2) / kStep; };
  return level(qRed(colour)) + kLevels * level(qGreen(colour)) + kLevels * kLevels * level(qBlue(colour));
}

int PictureOfThumbnail(const QImage& thumbnail, QPoint at = QPoint()) {
  return PictureOfColour(thumbnail.pixel(at + QPoint(kThumbnail.width() / 2, kThumbnail.height() / 2)));
}

class RecordingProgress : public Progress {
 public:
  int opened = 0;
  int closed = 0;
  QList<float> shown;
  void InitProgress() override { ++opened; }
  void ShowProgress(float percentage, const QString& text) override {
    EXPECT_TRUE(text.isEmpty());
    shown << percentage;
  }
  void CloseProgress() override { ++closed; }
};

class RecordingPictureView : public PictureListView {
 public:
  QStringList calls;
  void LoadPictureFields(int picture) override { calls << u"load %1"_s.arg(picture); }
  void DrawPicture(int picture) override { calls << u"draw %1"_s.arg(picture); }
  void ClearCanvas() override { calls << u"clear canvas"_s; }
  void PlaceTextBoxMarker(int picture) override { calls << u"marker %1"_s.arg(picture); }
};

class PictureListTest : public testing::Test {
 protected:
  void TearDown() override { QDir(TempFolder()).removeRecursively(); }

  // A new picture file k (named k.jpg unless named otherwise).
  QString MakePicture(int k, const QString& name = QString()) {
    const QImage image = test::MakeImage(24, 18, QImage::Format_RGB32, [k](int, int) { return ColourOf(k); });
    const QString path = folder_.Write(name.isEmpty() ? QString::number(k) + u".jpg"_s : name,
                                       test::Encoded(image, "jpeg", 95));
    picture_of_file_[path] = k;
    return path;
  }
  // Adds `count` new pictures, numbered 1 to count, through the list.
  void AddNewPictures(int count) {
    QStringList paths;
    for (int k = 1; k <= count; ++k) paths << MakePicture(k);
    list_.AddPictures(paths);
  }
  int PictureOfEntry(int picture) const { return picture_of_file_.value(model_.pictures[picture - 1].file, -1); }

  // The thumbnail the cache holds for picture n.
  int PictureOfCachedThumbnail(int n) const {
    const ThumbnailCache& cache = list_.Thumbnails();
    if (n > ThumbnailCache::kSheetSlots) return PictureOfThumbnail(QImage(ThumbnailCache::ThumbnailFile(n)));
    if (cache.SlotMarker(n) == 0) return -1;
    return PictureOfThumbnail(cache.Sheet(), cache.SlotPosition(n));
  }

  // Every thumbnail, in the sheet, in a file and in the strip, is its picture's.
  void ExpectThumbnailsFollowPictures() const {
    const int count = int(model_.pictures.size());
    for (int n = 1; n <= count; ++n) EXPECT_EQ(PictureOfCachedThumbnail(n), PictureOfEntry(n)) << "picture " << n;
    for (int n = count + 1; n <= ThumbnailCache::kSheetSlots; ++n) EXPECT_EQ(list_.Thumbnails().SlotMarker(n), 0);
    EXPECT_FALSE(QFile::exists(ThumbnailCache::ThumbnailFile(std::max(count, ThumbnailCache::kSheetSlots) + 1)));
    for (int box = 0; box < PictureList::kStripBoxes; ++box) {
      const int shown = list_.StripSlot(box);
      if (shown != 0) {
        EXPECT_EQ(PictureOfThumbnail(list_.StripBox(box)), PictureOfEntry(shown)) << "box " << box;
      }
    }
  }

  // Selects exactly these pictures as the list box would.
  void SelectPictures(const QList<qsizetype>& pictures) {
    QList<qsizetype> rows;
    for (qsizetype picture : pictures) rows << picture - 1;
    list_.Selection().Select(rows, rows.last());
    list_.ListClick();
  }

  test::TempFolder folder_;
  QHash<QString, int> picture_of_file_;
  ProjectModel model_{test::TestEnvironment()};
  test::ScriptedPrompter prompter_;
  RecordingProgress progress_;
  RecordingPictureView view_;
  PictureList list_{model_, prompter_, progress_, view_, kThumbnail, u"/start"_s};
};

TEST_F(PictureListTest, AddingMakesThumbnailsAndSelectsTheFirstPicture) {
  AddNewPictures(3);
  EXPECT_EQ(model_.pictures.size(), 3);
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(progress_.opened, 1);
  EXPECT_EQ(progress_.closed, 1);
  EXPECT_EQ(progress_.shown.last(), 100.0f);
  EXPECT_EQ(list_.CurrentPicture(), 1);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{0});
  EXPECT_EQ(view_.calls, (QStringList{u"load 1"_s, u"draw 1"_s}));
  EXPECT_FALSE(model_.flags.ListBusy);
  EXPECT_FALSE(model_.flags.BusyFlag);

  // With 3 pictures the scroll range stays at 7 and boxes 3 to 6 are empty.
  EXPECT_EQ(list_.ScrollMaximum(), 7);
  EXPECT_EQ(list_.ScrollValue(), 7);
  EXPECT_EQ(list_.OutlinedBox(), 0);
  for (int box = 0; box < PictureList::kStripBoxes; ++box) {
    EXPECT_EQ(list_.StripSlot(box), box < 3 ? box + 1 : 0);
    EXPECT_EQ(list_.StripLabel(box), box + 1);
  }
  list_.StripClick(5);  // an empty box
  EXPECT_EQ(list_.CurrentPicture(), 1);

  // Adding more renders only the new ones and keeps the selection.
  progress_.shown.clear();
  list_.AddPictures({MakePicture(4), model_.pictures[0].file});
  EXPECT_EQ(model_.pictures.size(), 4);
  EXPECT_EQ(progress_.shown, QList<float>{100.0f});
  EXPECT_EQ(list_.StripSlot(3), 4);
  EXPECT_EQ(list_.CurrentPicture(), 1);
  ExpectThumbnailsFollowPictures();
}

TEST_F(PictureListTest, OnlyAcceptableFilesJoinTheList) {
  const QString a = MakePicture(1);
  list_.AddPictures({a, a, MakePicture(2, u"b.jpeg"_s), MakePicture(3, u"c.tiff"_s),
                     folder_.Write(u"text.jpg"_s, "not a picture"), MakePicture(4, u"d.JPG"_s)});
  ASSERT_EQ(model_.pictures.size(), 2);
  EXPECT_EQ(model_.pictures[0].file, a);
  EXPECT_EQ(model_.pictures[1].file, folder_.Path(u"d.JPG"_s));
  EXPECT_EQ(list_.Selection().Count(), 2);
}

TEST_F(PictureListTest, PicturesBeyondTheHundredthGetThumbnailFiles) {
  AddNewPictures(103);
  EXPECT_EQ(list_.ScrollMaximum(), 103);
  for (int n = 101; n <= 103; ++n) EXPECT_TRUE(QFile::exists(TempFolder() + QString::number(n) + u".jpg"_s));
  ExpectThumbnailsFollowPictures();

  list_.ScrollBarChanged(103);
  EXPECT_EQ(list_.StripSlot(6), 103);
  EXPECT_EQ(list_.StripLabel(0), 97);
  EXPECT_EQ(list_.OutlinedBox(), -1);
  ExpectThumbnailsFollowPictures();
}

TEST_F(PictureListTest, DeletingPicture50Of150RenumbersTheFilesAndRefillsSlot100) {
  AddNewPictures(150);
  for (ImageEntry& entry : model_.pictures) entry.caption = FileTitle(entry.file);
  const QList<ImageEntry> before = model_.pictures;
  SelectPictures({50});
  view_.calls.clear();

  list_.DeleteSelectedPictures();
  ASSERT_EQ(model_.pictures.size(), 149);
  QList<ImageEntry> expected = before;
  expected.removeAt(49);
  EXPECT_EQ(model_.pictures, expected);
  EXPECT_EQ(PictureOfCachedThumbnail(100), 101);  // the former 101.jpg
  EXPECT_TRUE(QFile::exists(ThumbnailCache::ThumbnailFile(149)));
  EXPECT_FALSE(QFile::exists(ThumbnailCache::ThumbnailFile(150)));
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(list_.ScrollMaximum(), 149);

  // The picture now at position 50 is current, selected and drawn.
  EXPECT_EQ(list_.CurrentPicture(), 50);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{49});
  EXPECT_EQ(view_.calls, (QStringList{u"load 50"_s, u"draw 50"_s}));
}

TEST_F(PictureListTest, DeletingSeveralAcrossTheSheetsEndKeepsEveryThumbnailWithItsPicture) {
  AddNewPictures(106);
  SelectPictures({2, 99, 100, 101, 104, 106});
  list_.DeleteSelectedPictures();
  EXPECT_EQ(model_.pictures.size(), 100);
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(list_.CurrentPicture(), 1);  // several deleted: the first picture
  EXPECT_EQ(list_.ScrollMaximum(), 100);

  SelectPictures({100});  // the last one
  list_.DeleteSelectedPictures();
  EXPECT_EQ(model_.pictures.size(), 99);
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(list_.CurrentPicture(), 1);
}

TEST_F(PictureListTest, MovingPicture101UpSwapsItWithSlot100) {
  AddNewPictures(103);
  for (qsizetype i = 0; i < model_.pictures.size(); ++i) model_.pictures[i].slide_duration = float(i + 1);
  const QList<ImageEntry> before = model_.pictures;
  SelectPictures({101});

  list_.MoveSelectedUp();
  EXPECT_EQ(PictureOfEntry(100), 101);
  EXPECT_EQ(PictureOfEntry(101), 100);
  EXPECT_EQ(model_.pictures[99], before[100]);
  EXPECT_EQ(model_.pictures[100], before[99]);
  EXPECT_EQ(PictureOfCachedThumbnail(100), 101);
  EXPECT_EQ(PictureOfCachedThumbnail(101), 100);
  EXPECT_EQ(list_.CurrentPicture(), 100);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{99});
  EXPECT_FALSE(QFile::exists(TempFolder() + u"tmp2"_s));
  ExpectThumbnailsFollowPictures();

  list_.MoveSelectedDown();
  EXPECT_EQ(model_.pictures, before);
  ExpectThumbnailsFollowPictures();
}

TEST_F(PictureListTest, MovesCarrySelectionsAndThumbnailsAcrossTheSheetsEnd) {
  AddNewPictures(104);
  SelectPictures({3, 99, 100, 101, 103});
  list_.MoveSelectedUp();
  EXPECT_EQ(list_.Selection().SelectedRows(), (QList<qsizetype>{1, 97, 98, 99, 101}));
  ExpectThumbnailsFollowPictures();
  list_.MoveSelectedDown();
  list_.MoveSelectedDown();
  EXPECT_EQ(list_.Selection().SelectedRows(), (QList<qsizetype>{3, 99, 100, 101, 103}));
  ExpectThumbnailsFollowPictures();

  // Nothing moves past either end.
  const QList<ImageEntry> before = model_.pictures;
  list_.MoveSelectedDown();
  EXPECT_EQ(model_.pictures, before);
  SelectPictures({1, 5});
  list_.MoveSelectedUp();
  EXPECT_EQ(model_.pictures, before);
}

TEST_F(PictureListTest, StripKeysSelectByTheListAndTheStripFollows) {
  AddNewPictures(20);
  list_.StripKey(Qt::Key_PageDown);
  EXPECT_EQ(list_.CurrentPicture(), 8);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{7});
  EXPECT_EQ(list_.ScrollValue(), 11);  // 8 shown in the middle
  EXPECT_EQ(list_.OutlinedBox(), 3);

  const struct {
    int key;
    int current;
    int scroll;
  } steps[] = {
      {Qt::Key_End, 20, 20},   {Qt::Key_Right, 20, 20}, {Qt::Key_PageUp, 13, 16}, {Qt::Key_Left, 12, 16},
      {Qt::Key_PageUp, 5, 8},  {Qt::Key_Up, 4, 7},      {Qt::Key_PageUp, 1, 7},   {Qt::Key_Up, 1, 7},
      {Qt::Key_Down, 2, 7},    {Qt::Key_Home, 1, 7},    {Qt::Key_Escape, 1, 7},
  };
  for (const auto& step : steps) {
    list_.StripKey(step.key);
    EXPECT_EQ(list_.CurrentPicture(), step.current) << step.key;
    EXPECT_EQ(list_.ScrollValue(), step.scroll) << step.key;
  }

  model_.flags.ListBusy = true;
  list_.StripKey(Qt::Key_End);
  EXPECT_EQ(list_.CurrentPicture(), 1);
}

TEST_F(PictureListTest, StripClicksSelectTheBoxsPicture) {
  AddNewPictures(9);
  list_.ScrollBarChanged(9);
  view_.calls.clear();
  list_.StripClick(6);
  EXPECT_EQ(list_.CurrentPicture(), 9);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{8});
  EXPECT_EQ(list_.OutlinedBox(), 6);
  EXPECT_EQ(list_.ScrollValue(), 9);
  EXPECT_EQ(view_.calls, (QStringList{u"load 9"_s, u"marker 9"_s, u"draw 9"_s}));

  view_.calls.clear();
  model_.flags.ListBusy = true;
  list_.StripClick(0);
  model_.flags.ListBusy = false;
  list_.StripClick(PictureList::kStripBoxes);
  EXPECT_TRUE(view_.calls.isEmpty());
}

TEST_F(PictureListTest, TheScrollBarRedrawsTheStripAndTheCurrentPicture) {
  AddNewPictures(12);
  list_.ScrollBarChanged(12);
  for (int box = 0; box < PictureList::kStripBoxes; ++box) EXPECT_EQ(list_.StripSlot(box), box + 6);
  EXPECT_EQ(list_.OutlinedBox(), -1);
  list_.ScrollBarChanged(99);  // held within the range
  EXPECT_EQ(list_.ScrollValue(), 12);
  ExpectThumbnailsFollowPictures();
}

TEST_F(PictureListTest, DeletingEverySelectedPictureClearsWithoutAsking) {
  AddNewPictures(3);
  SelectPictures({1, 2, 3});
  list_.DeleteSelectedPictures();
  EXPECT_TRUE(model_.pictures.isEmpty());
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(list_.CurrentPicture(), 0);
  EXPECT_EQ(list_.StripSlot(0), 0);
}

TEST_F(PictureListTest, ClearingAsksThenDropsThePicturesTheirThumbnailsAndTheBackgroundPictures) {
  AddNewPictures(102);
  model_.file_name = u"/projects/a.aps"_s;
  ProjectSettings& settings = model_.settings;
  settings.background_kind = u"3"_s;
  settings.background_picture = u"/pictures/back.jpg"_s;
  settings.opening_image = u"/pictures/open.jpg"_s;
  settings.ending_image = u"/pictures/end.jpg"_s;
  settings.logo_image = u"/pictures/logo.png"_s;
  settings.mute_sound = true;
  QDir().mkpath(TempFolder());
  QFile icon(CustomIconPath());
  ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
  icon.close();

  prompter_.answers << MessageAnswer::Cancel;
  list_.ClearPictures();
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, u"你确定要从列表中清空所有图片吗？"_s);
  EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(prompter_.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(model_.pictures.size(), 102);

  prompter_.answers << MessageAnswer::Ok;
  list_.ClearPictures();
  EXPECT_TRUE(model_.pictures.isEmpty());
  EXPECT_TRUE(model_.file_name.isEmpty());
  EXPECT_EQ(settings.background_kind, u"1"_s);
  EXPECT_TRUE(settings.background_picture.isEmpty());
  EXPECT_TRUE(settings.opening_image.isEmpty());
  EXPECT_TRUE(settings.ending_image.isEmpty());
  EXPECT_TRUE(settings.logo_image.isEmpty());
  EXPECT_TRUE(settings.mute_sound);
  EXPECT_FALSE(QFile::exists(CustomIconPath()));
  EXPECT_FALSE(QFile::exists(ThumbnailCache::ThumbnailFile(101)));
  for (int slot = 1; slot <= ThumbnailCache::kSheetSlots; ++slot) EXPECT_EQ(list_.Thumbnails().SlotMarker(slot), 0);
  EXPECT_EQ(list_.ScrollMaximum(), 7);
  EXPECT_EQ(list_.ScrollValue(), 7);
  EXPECT_EQ(list_.OutlinedBox(), -1);
  EXPECT_TRUE(view_.calls.contains(u"clear canvas"_s));

  // New pictures get thumbnails of their own, not those of the pictures that went.
  QStringList paths;
  for (int k = 111; k <= 212; ++k) paths << MakePicture(k);
  list_.AddPictures(paths);
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(list_.CurrentPicture(), 1);
}

TEST_F(PictureListTest, AnOpenedProjectGetsThumbnailsAndItsFirstPictureSelected) {
  AddNewPictures(9);
  list_.ScrollBarChanged(9);
  // Opening empties the lists, then the reader fills the model.
  model_.ClearPictures();
  list_.ListsCleared();
  EXPECT_EQ(list_.ScrollValue(), 7);
  EXPECT_EQ(list_.StripSlot(0), 0);
  for (int k = 20; k <= 22; ++k) model_.AddPicture(MakePicture(k));
  view_.calls.clear();
  list_.PicturesReloaded();
  ExpectThumbnailsFollowPictures();
  EXPECT_EQ(list_.StripSlot(2), 3);
  EXPECT_EQ(list_.CurrentPicture(), 1);
  EXPECT_EQ(list_.Selection().SelectedRows(), QList<qsizetype>{0});
  EXPECT_EQ(view_.calls, (QStringList{u"load 1"_s, u"draw 1"_s}));
  EXPECT_FALSE(model_.flags.BusyFlag);
}

TEST_F(PictureListTest, TheDialogsAddFilesAndFolders) {
  const QString a = MakePicture(1);
  const QString b = MakePicture(2);
  prompter_.open_results << QStringList{a, b};
  list_.AddPictureFiles();
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  const FileDialogOptions& dialog = prompter_.dialogs[0];
  EXPECT_EQ(dialog.title, u"添加图片文件"_s);
  EXPECT_EQ(dialog.start_folder, u"/start"_s);
  EXPECT_TRUE(dialog.multiple);
  ASSERT_EQ(dialog.filters.size(), 8);
  EXPECT_EQ(dialog.filters[0].description, u"所有支持的图片格式"_s);
  EXPECT_EQ(dialog.filters[0].patterns, u"*.BMP *.Jpg *.Gif *.Png *.Tga *.Pcx *.Tif"_s);
  EXPECT_EQ(dialog.filters[7].description, u"TIFF图片格式(*.Tif)"_s);
  EXPECT_EQ(model_.pictures.size(), 2);
  EXPECT_EQ(list_.LastAddFolder(), QFileInfo(b).absolutePath());

  test::TempFolder other;
  other.Write(u"c.jpg"_s, test::Encoded(test::MakeImage(4, 4, QImage::Format_RGB32, [](int, int) { return 0u; }), "jpeg"));
  other.Write(u"notes.txt"_s, "x");
  prompter_.folder_results << other.Path(QString());
  list_.AddPictureFolder();
  EXPECT_EQ(prompter_.dialogs[1].title, u"请选择图片目录"_s);
  EXPECT_EQ(model_.pictures.size(), 3);
  EXPECT_EQ(model_.last_chosen_folder, other.Path(QString()));
  EXPECT_EQ(list_.LastAddFolder(), QFileInfo(other.Path(u"c.jpg"_s)).absolutePath());

  list_.AddPictureFiles(QFileInfo(a).absolutePath() + QChar(0) + u"1.jpg"_s + QChar(0) + u"2.jpg"_s);
  EXPECT_EQ(model_.pictures.size(), 3);  // both listed already
  list_.AddDroppedPictures({MakePicture(5, u"e.jpeg"_s), MakePicture(6, u"f.png"_s)});
  EXPECT_EQ(model_.pictures.size(), 4);
  EXPECT_EQ(model_.pictures.last().file, folder_.Path(u"f.png"_s));
}

TEST_F(PictureListTest, APictureThatCannotBeDrawnKeepsABlankThumbnail) {
  // A 15-bit TGA passes the probe but draws nothing.
  test::TgaLayout fifteen_bits;
  fifteen_bits.width = 8;
  fifteen_bits.height = 8;
  fifteen_bits.depth = 15;
  fifteen_bits.pixels = QByteArray(128, 0);
  const QString broken = folder_.Write(u"broken.tga"_s, test::TgaFile(fifteen_bits));
  list_.AddPictures({broken, MakePicture(1)});
  ASSERT_EQ(model_.pictures.size(), 2);
  EXPECT_EQ(list_.StripBox(0).pixel(8, 6), list_.Thumbnails().Face().rgb());
  EXPECT_EQ(PictureOfThumbnail(list_.StripBox(1)), 1);
}

TEST_F(PictureListTest, FileNamesBecomeCaptionsWhenSwitchedOn) {
  list_.AddPictures({MakePicture(1, u"海边.jpg"_s), MakePicture(2, u"山.上.jpg"_s)});
  view_.calls.clear();
  list_.ApplyFilenameAsCaption(true);
  EXPECT_EQ(model_.pictures[0].caption, u"海边"_s);
  EXPECT_EQ(model_.pictures[1].caption, u"山.上"_s);
  EXPECT_EQ(view_.calls, (QStringList{u"load 1"_s, u"draw 1"_s}));
}

}  // namespace
}  // namespace pivlo
