// The names of held files and of the items holding them, and reading a file wherever it is.

#include "core/MediaFiles.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(MediaFiles, AHeldPathAndItsItemNameTheFileByOneNumberWrittenOneWay) {
  EXPECT_EQ(HeldMediaPath(12, u"海边.jpg"_s), u"res:12/海边.jpg"_s);
  EXPECT_EQ(MediaItemName(12), u"MediaFile(12)"_s);
  const struct {
    QString path;
    std::optional<qint32> number;
  } paths[] = {{u"res:12/海边.jpg"_s, 12},  {u"res:1/a/b.png"_s, 1},   {u"res:0/a.png"_s, std::nullopt},
               {u"res:01/a.png"_s, std::nullopt}, {u"res:-1/a.png"_s, std::nullopt}, {u"res:+1/a.png"_s, std::nullopt},
               {u"res:1a/x.png"_s, std::nullopt}, {u"res:/x.png"_s, std::nullopt}, {u"res:3"_s, std::nullopt},
               {u"/home/res:1/a.png"_s, std::nullopt}, {u"res:99999999999/a.png"_s, std::nullopt}};
  for (const auto& [path, number] : paths) EXPECT_EQ(HeldMediaNumber(path), number) << path.toStdString();
  EXPECT_EQ(MediaItemNumber(u"MediaFile(7)"_s), 7);
  for (const QString& name : {u"MediaFile(07)"_s, u"MediaFile(7"_s, u"MediaFile()"_s, u"d3DFile"_s}) {
    EXPECT_EQ(MediaItemNumber(name), std::nullopt) << name.toStdString();
  }
}

TEST(MediaFiles, WithoutMediaAFileIsReadFromDiskWithinItsLimit) {
  test::TempFolder folder;
  const QString path = folder.Write(u"a.lrc"_s, "12345");
  EXPECT_EQ(ReadMediaFile(nullptr, path, 5), QByteArray("12345"));
  QString why;
  EXPECT_EQ(ReadMediaFile(nullptr, path, 4, &why), std::nullopt);
  EXPECT_EQ(why, u"larger than 4 bytes"_s);
  EXPECT_EQ(ReadMediaFile(nullptr, folder.Path(QString()), 5, &why), std::nullopt);
  EXPECT_EQ(why, u"not a regular file"_s);
  EXPECT_EQ(ReadMediaFile(nullptr, folder.Write(u"empty"_s, ""), 5), QByteArray());
}

}  // namespace
}  // namespace pivlo
