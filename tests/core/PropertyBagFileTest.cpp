#include "core/AppFolders.h"
#include "core/basPropertyBag.h"

#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::ReadWholeFile;
using test::TempFolder;

class SharedBagTest : public testing::Test {
 protected:
  void SetUp() override { SharedBag().Clear(); }
  void TearDown() override {
    SharedBag().Clear();
    ClearRegisteredFiles();
  }
  TempFolder folder_;
};

QByteArray SampleBag() {
  PropertyBag bag;
  bag.Put(QStringLiteral("NowI"), 2);
  bag.Put(QStringLiteral("ImgNames(1)"), QStringLiteral("/照片/一.jpg"));
  return bag.Contents();
}

TEST_F(SharedBagTest, PutAndGetGoThroughTheSharedBag) {
  PutValue(QStringLiteral("TimeInterval"), 10.0f);
  EXPECT_EQ(GetValue(QStringLiteral("TimeInterval")), BagValue(10.0f));
  EXPECT_EQ(GetValue(QStringLiteral("Absent")), BagValue(QString()));
  EXPECT_EQ(GetValue(QStringLiteral("Absent"), qint16(0)), BagValue(qint16(0)));
}

TEST_F(SharedBagTest, LoadsABagAtOffsetZeroOrTwelve) {
  ASSERT_TRUE(LoadBagFromFile(folder_.Write(QStringLiteral("plain.aps"), SampleBag())));
  EXPECT_EQ(GetValue(QStringLiteral("NowI")), BagValue(2));

  SharedBag().Clear();
  ASSERT_TRUE(LoadBagFromFile(folder_.Write(QStringLiteral("prefixed.aps"), QByteArray(12, '\x93') + SampleBag())));
  EXPECT_EQ(GetValue(QStringLiteral("ImgNames(1)")).ToText(), QStringLiteral("/照片/一.jpg"));
}

TEST_F(SharedBagTest, FilesThatAreNotBagsLeaveTheBagAlone) {
  const QByteArray bag = SampleBag();
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"thirteen bytes with a signature", bag.first(13)},
      {"empty", QByteArray()},
      {"no signature", QByteArray(64, 'a')},
      {"signature at 12 but a damaged bag", QByteArray(12, 0) + bag.first(20)},
      {"damaged bag", bag.first(bag.size() - 1)},
  };
  PutValue(QStringLiteral("Kept"), 1);
  for (const auto& c : cases) {
    EXPECT_FALSE(LoadBagFromFile(folder_.Write(QString::fromLatin1(c.name), c.bytes))) << c.name;
  }
  EXPECT_FALSE(LoadBagFromFile(folder_.Path(QStringLiteral("missing.aps"))));
  EXPECT_FALSE(LoadBagFromFile(folder_.Path(QString())));
  ASSERT_EQ(SharedBag().Entries().size(), 1u);
  EXPECT_EQ(GetValue(QStringLiteral("Kept")), BagValue(1));
}

TEST_F(SharedBagTest, SavingReplacesTheWholeFileAndEmptiesTheBag) {
  const QString path = folder_.Write(QStringLiteral("old.aps"), QByteArray(10000, 'x'));
  PutValue(QStringLiteral("A"), QStringLiteral("新"));
  const QByteArray expected = SharedBag().Contents();
  ASSERT_TRUE(SaveBagToFile(path));
  EXPECT_EQ(ReadWholeFile(path), expected);
  EXPECT_TRUE(SharedBag().IsEmpty());
  EXPECT_TRUE(QFileInfo(ProjectFolder()).isDir());
  ASSERT_TRUE(LoadBagFromFile(path));
  EXPECT_EQ(GetValue(QStringLiteral("A")).ToText(), QStringLiteral("新"));
}

TEST_F(SharedBagTest, AFailedSaveReportsItAndLeavesNoFile) {
  PutValue(QStringLiteral("A"), 1);
  const QString path = folder_.Path(QStringLiteral("no-such-folder/x.aps"));
  EXPECT_FALSE(SaveBagToFile(path));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_TRUE(SharedBag().IsEmpty());
}

TEST_F(SharedBagTest, RegisteringAFileRecordsPathNameAndLength) {
  const QString path = folder_.Write(QStringLiteral("lib.so"), QByteArray(1234, 'z'));
  EXPECT_TRUE(PutValue(QStringLiteral("D3DX"), path, PutMode::RegisterFile));
  EXPECT_FALSE(PutValue(QStringLiteral("Gone"), folder_.Path(QStringLiteral("gone.so")), PutMode::RegisterFile));
  ASSERT_EQ(RegisteredFiles().size(), 1);
  EXPECT_EQ(RegisteredFiles()[0].path, path);
  EXPECT_EQ(RegisteredFiles()[0].name, QStringLiteral("D3DX"));
  EXPECT_EQ(RegisteredFiles()[0].length, 1234);
  EXPECT_TRUE(SharedBag().IsEmpty());
}

TEST_F(SharedBagTest, TrailerStandsDirectlyBehindTheSections) {
  const QString path = folder_.Path(QStringLiteral("out.scr"));
  ASSERT_TRUE(WritePackageTrailer(path, 1000, 16, 512));
  const QByteArray bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 1544);
  EXPECT_EQ(bytes.sliced(1528).toHex(' '), QByteArray("00 00 03 e8 00 00 00 10 00 00 02 00 b1 bb 57 4d"));
}

}  // namespace
}  // namespace pivlo
