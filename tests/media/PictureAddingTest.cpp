#include "media/PictureAdding.h"

#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

QByteArray SmallJpeg() {
  return test::Encoded(test::MakeImage(4, 3, QImage::Format_RGB32, [](int, int) { return qRgb(9, 9, 9); }), "jpeg");
}

TEST(SplitFileDialogResult, OnePathOrAFolderFollowedByNames) {
  const QChar nul(0);
  EXPECT_EQ(SplitFileDialogResult(u"/photos/a.jpg"_s), QStringList{u"/photos/a.jpg"_s});
  EXPECT_EQ(SplitFileDialogResult(u"/photos"_s + nul + u"a.jpg"_s + nul + u"b.png"_s + nul + nul),
            (QStringList{u"/photos/a.jpg"_s, u"/photos/b.png"_s}));
  EXPECT_EQ(SplitFileDialogResult(u"/"_s + nul + u"a.jpg"_s), QStringList{u"/a.jpg"_s});
  EXPECT_TRUE(SplitFileDialogResult(QString()).isEmpty());
}

TEST(DroppedPictureFiles, TheLastFourCharactersDecide) {
  const QStringList dropped = {u"/p/a.jpg"_s, u"/p/B.PCX"_s, u"/p/c.jpeg"_s, u"/p/d.tiff"_s, u"/p/e.tif"_s,
                               u"/p/fjpg"_s,  u".jpg"_s,     u"a.png"_s,      u"/p/g.mp3"_s};
  EXPECT_EQ(DroppedPictureFiles(dropped), (QStringList{u"/p/a.jpg"_s, u"/p/B.PCX"_s, u"/p/e.tif"_s, u"a.png"_s}));
}

TEST(PictureFilesInFolder, TakesTheSevenEndingsOfTheFolderItself) {
  test::TempFolder folder;
  for (const QString& name : {u"a.jpg"_s, u"b.Tga"_s, u"c.PCX"_s, u"d.jpeg"_s, u"e.txt"_s, u"f.bmp"_s}) {
    folder.Write(name, "x");
  }
  QDir(folder.Path(QString())).mkdir(u"inner.jpg"_s);
  folder.Write(u"inner.jpg/g.jpg"_s, "x");
  QStringList found = PictureFilesInFolder(folder.Path(QString()));
  found.sort();
  EXPECT_EQ(found, (QStringList{folder.Path(u"a.jpg"_s), folder.Path(u"b.Tga"_s), folder.Path(u"c.PCX"_s),
                                folder.Path(u"f.bmp"_s)}));
  EXPECT_TRUE(PictureFilesInFolder(folder.Path(u"missing"_s)).isEmpty());
}

TEST(PictureFilesInFolder, ListsNamesWithNumbersAsNumbers) {
  test::TempFolder folder;
  const QStringList ordered = {u"Beach.jpg"_s, u"photo2.jpg"_s, u"Photo3.png"_s, u"photo10.jpg"_s, u"photo100.jpg"_s,
                               u"z.bmp"_s};
  for (auto name = ordered.crbegin(); name != ordered.crend(); ++name) folder.Write(*name, "x");
  QStringList expected;
  for (const QString& name : ordered) expected << folder.Path(name);
  EXPECT_EQ(PictureFilesInFolder(folder.Path(QString())), expected);
}

TEST(AppendPictures, SkipsDuplicatesOtherEndingsAndWhatDoesNotProbe) {
  test::TempFolder folder;
  ProjectModel model(test::TestEnvironment());
  const QString a = folder.Write(u"a.jpg"_s, SmallJpeg());
  model.AddPicture(a);
  const QString b = folder.Write(u"b.JPG"_s, SmallJpeg());
  const QStringList offered = {
      a.left(a.size() - 5) + u"A.JPG"_s,  // the listed path in other letters
      b,
      b,
      folder.Write(u"c.jpeg"_s, SmallJpeg()),
      folder.Write(u"d.tiff"_s, SmallJpeg()),
      folder.Write(u"text.jpg"_s, "not a picture"),
      folder.Path(u"missing.jpg"_s),
      folder.Write(u"e.png"_s, SmallJpeg()),  // recognised by content, whatever the name says
  };
  model.font_list_position = 4;
  EXPECT_EQ(AppendPictures(model, offered), 2);
  ASSERT_EQ(model.pictures.size(), 3);
  EXPECT_EQ(model.pictures[1].file, b);
  EXPECT_EQ(model.pictures[2].file, folder.Path(u"e.png"_s));
  EXPECT_EQ(model.pictures[2].head_dynamic_style, 4);
  EXPECT_EQ(model.pictures[2].caption_box, (ScreenBox{68, 38, 1229, 691}));
}

}  // namespace
}  // namespace pivlo
