#include "builder/ResourcePackage.h"
#include "builder/ResourcePackageWriter.h"
#include "builder/basResourcePackages.h"

#include "core/AppFolders.h"
#include "core/PropertyBag.h"
#include "core/basPropertyBag.h"

#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::ReadWholeFile;
using test::TempFolder;

// An index written by hand, so that tests can give it shapes the writer never makes.
struct Index {
  ResourceKind kind = ResourceKind::Images;
  qint32 lower = 1;
  QStringList names;
  QList<qint32> sizes;
  QList<qint32> offsets;
};

QByteArray PackageBytes(const Index& index, const QByteArray& entries) {
  PropertyBag bag;
  const ResourceIndexKeys& keys = IndexKeysOf(index.kind);
  WriteStringArray(keys.names, index.lower, index.names, bag);
  WriteLongArray(keys.sizes, index.lower, index.sizes, bag);
  WriteLongArray(keys.offsets, index.lower, index.offsets, bag);
  return bag.Contents() + entries;
}

// Writes a package of the given entries (name -> bytes) with the package writer.
QString WritePackage(const TempFolder& folder, const QString& file, ResourceKind kind,
                     const QList<std::pair<QString, QByteArray>>& entries) {
  ResourcePackageRequest request{kind, {}, QStringLiteral("测试")};
  for (qsizetype i = 0; i < entries.size(); ++i) {
    const QString source = folder.Write(QStringLiteral("source-%1-%2").arg(file).arg(i), entries[i].second);
    request.items.append({source, entries[i].first});
  }
  QString error;
  const QString out = folder.Path(file);
  EXPECT_TRUE(WriteResourcePackage(out, request, error)) << error.toStdString();
  return out;
}

TEST(ResourcePackage, WriterAndReaderAgreeOnTheLayout) {
  TempFolder folder;
  const QString path = WritePackage(folder, QStringLiteral("gmi.src"), ResourceKind::Images,
                                    {{QStringLiteral("1.png"), "first"},
                                     {QStringLiteral("rainbow.jpg"), "the rainbow"},
                                     {QStringLiteral("empty.gif"), ""}});
  const auto package = ResourcePackage::Open(path, ResourceKind::Images);
  ASSERT_TRUE(package);
  const QByteArray file = ReadWholeFile(path);
  // L is bytes 4 to 7 of the file, and the entries follow the bag directly.
  EXPECT_EQ(package->BagLength(), qFromLittleEndian<quint32>(file.constData() + 4));
  EXPECT_EQ(file.size(), package->BagLength() + 16);
  ASSERT_EQ(package->Entries().size(), 3);
  EXPECT_EQ(package->Entries()[1].name, QStringLiteral("rainbow.jpg"));
  EXPECT_EQ(package->Entries()[1].size, 11);
  EXPECT_EQ(package->Entries()[1].offset, 5);
  // An entry at offset 0 starts at file byte L.
  EXPECT_EQ(package->Entries()[0].offset, 0);
  EXPECT_EQ(file.mid(package->BagLength(), 5), QByteArray("first"));
  EXPECT_EQ(package->Read(1), QByteArray("first"));
  EXPECT_EQ(package->Read(2), QByteArray("the rainbow"));
  EXPECT_EQ(package->Read(3), QByteArray());
  EXPECT_FALSE(package->Read(0));
  EXPECT_FALSE(package->Read(4));
  // The kind is told by the index; a package does not read as the other kind.
  EXPECT_EQ(ResourcePackage::Open(path)->Kind(), ResourceKind::Images);
  EXPECT_FALSE(ResourcePackage::Open(path, ResourceKind::Frames));
}

TEST(ResourcePackage, LookupIgnoresCaseAndTheFirstOfEqualNamesWins) {
  TempFolder folder;
  const QString path = WritePackage(folder, QStringLiteral("gmi.src"), ResourceKind::Images,
                                    {{QStringLiteral("rainbow.jpg"), "one"},
                                     {QStringLiteral("Logo.gif"), "logo"},
                                     {QStringLiteral("RAINBOW.jpg"), "two"}});
  const auto package = ResourcePackage::Open(path, ResourceKind::Images);
  ASSERT_TRUE(package);
  EXPECT_EQ(package->Find(QStringLiteral("RAINBOW.JPG")), 1);
  EXPECT_EQ(package->Find(QStringLiteral("logo.GIF")), 2);
  EXPECT_EQ(package->Read(*package->Find(QStringLiteral("rainbow.jpg"))), QByteArray("one"));
  EXPECT_FALSE(package->Find(QStringLiteral("rainbow")));
}

TEST(ResourcePackage, AnElementAtIndexZeroIsNeverFound) {
  TempFolder folder;
  const QString path = folder.Write(
      QStringLiteral("gmi.src"),
      PackageBytes({ResourceKind::Images, 0, {QStringLiteral("zero.png"), QStringLiteral("one.png")}, {2, 3},
                    {0, 2}},
                   "00111"));
  const auto package = ResourcePackage::Open(path, ResourceKind::Images);
  ASSERT_TRUE(package);
  ASSERT_EQ(package->Entries().size(), 1);
  EXPECT_FALSE(package->Find(QStringLiteral("zero.png")));
  EXPECT_EQ(package->Read(*package->Find(QStringLiteral("one.png"))), QByteArray("111"));
}

TEST(ResourcePackage, RefusesMalformedIndexes) {
  TempFolder folder;
  const Index good{ResourceKind::Images, 1, {QStringLiteral("a"), QStringLiteral("b")}, {2, 3}, {0, 2}};
  const QByteArray entries = "aabbb";
  QByteArray long_bag = PackageBytes(good, entries);
  qToLittleEndian<quint32>(quint32(long_bag.size() + 1), long_bag.data() + 4);
  PropertyBag no_offsets;
  WriteStringArray(QStringLiteral("ImgNames"), 1, {QStringLiteral("a")}, no_offsets);
  WriteLongArray(QStringLiteral("ImgSizes"), 1, {1}, no_offsets);

  const struct {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"empty file", QByteArray()},
      {"shorter than its length field", "\x93\xB2\x01"},
      {"not a bag", QByteArray(64, 'x')},
      {"bag longer than the file", long_bag},
      {"an array missing", no_offsets.Contents() + "a"},
      {"fewer names than sizes", PackageBytes({ResourceKind::Images, 1, {QStringLiteral("a")}, {2, 3}, {0, 2}}, entries)},
      {"fewer offsets than sizes", PackageBytes({ResourceKind::Images, 1, good.names, {2, 3}, {0}}, entries)},
      {"bounds not starting at 1", PackageBytes({ResourceKind::Images, 2, good.names, {2, 3}, {0, 2}}, entries)},
      {"negative size", PackageBytes({ResourceKind::Images, 1, good.names, {2, -3}, {0, 2}}, entries)},
      {"negative offset", PackageBytes({ResourceKind::Images, 1, good.names, {2, 3}, {-1, 2}}, entries)},
      {"entry beyond the file", PackageBytes(good, entries.chopped(1))},
      {"huge offset", PackageBytes({ResourceKind::Images, 1, good.names, {2, 3}, {0, 0x7FFFFFFF}}, entries)},
      {"bounds at the top of the range",
       PackageBytes({ResourceKind::Images, 0x7FFFFFFF, {QStringLiteral("a")}, {2}, {0}}, entries)},
      {"empty arrays at the top of the range", PackageBytes({ResourceKind::Images, 0x7FFFFFFF, {}, {}, {}}, entries)},
  };
  EXPECT_TRUE(ResourcePackage::Open(folder.Write(QStringLiteral("good"), PackageBytes(good, entries))));
  for (const auto& c : cases) {
    EXPECT_FALSE(ResourcePackage::Open(folder.Write(QStringLiteral("bad"), c.bytes))) << c.what;
  }
  EXPECT_FALSE(ResourcePackage::Open(folder.Path(QStringLiteral("missing"))));
}

TEST(ResourcePackage, AFileCutShortAfterOpeningReadsNothing) {
  TempFolder folder;
  const QString path =
      WritePackage(folder, QStringLiteral("p"), ResourceKind::Images, {{QStringLiteral("a"), "aaaa"}});
  const auto package = ResourcePackage::Open(path, ResourceKind::Images);
  ASSERT_TRUE(package);
  folder.Write(QStringLiteral("p"), ReadWholeFile(path).chopped(2));
  EXPECT_FALSE(package->Read(1));
}

TEST(WriteResourcePackage, FailsOnAMissingFileAndKeepsTheOldPackage) {
  TempFolder folder;
  const QString out = folder.Write(QStringLiteral("gmi.src"), "old");
  QString error;
  const ResourcePackageRequest request{
      ResourceKind::Images, {{folder.Path(QStringLiteral("missing.png")), QStringLiteral("missing.png")}}, {}};
  EXPECT_FALSE(WriteResourcePackage(out, request, error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing.png")));
  EXPECT_EQ(ReadWholeFile(out), QByteArray("old"));
}

TEST(WriteResourcePackage, StoresFramesWithTheirDisplayNamesAndTheCopyright) {
  TempFolder folder;
  const QString path = WritePackage(folder, QStringLiteral("1.frame"), ResourceKind::Frames,
                                    {{QStringLiteral("金色典雅"), "frame"}});
  const auto package = ResourcePackage::Open(path, ResourceKind::Frames);
  ASSERT_TRUE(package);
  EXPECT_EQ(package->Entries()[0].name, QStringLiteral("金色典雅"));
  PropertyBag bag;
  ASSERT_TRUE(bag.SetContents(ReadWholeFile(path)));
  EXPECT_EQ(bag.Get(QStringLiteral("CopyrightCN")), BagValue(QStringLiteral("测试")));
}

// The readers of the application folder's packages, on a folder of the test's own.
class ResourcePackages : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = ApplicationFolder();
    SetApplicationFolder(folder_.Path(QString()));
  }
  void TearDown() override { SetApplicationFolder(previous_); }

  QString WriteFrames(qint32 n, const QStringList& names) {
    QList<std::pair<QString, QByteArray>> entries;
    for (const QString& name : names) entries.append({name, (name + QStringLiteral(" bytes")).toUtf8()});
    return WritePackage(folder_, QString::number(n) + QStringLiteral(".frame"), ResourceKind::Frames, entries);
  }

  TempFolder folder_;
  test::ScriptedPrompter prompter_;

 private:
  QString previous_;
};

TEST_F(ResourcePackages, ReadsNamedEntriesOfGmiSrc) {
  WritePackage(folder_, QStringLiteral("gmi.src"), ResourceKind::Images,
               {{QStringLiteral("rainbow.jpg"), "colours"}, {QStringLiteral("coffie.gif"), "cup"}});
  ASSERT_TRUE(LoadPackageIndex(prompter_));
  EXPECT_TRUE(prompter_.messages.isEmpty());
  EXPECT_EQ(FindPackageEntry(QStringLiteral("COFFIE.GIF")), 2);
  EXPECT_EQ(ReadPackageEntry(QStringLiteral("RAINBOW.JPG")), QByteArray("colours"));
  EXPECT_FALSE(ReadPackageEntry(QStringLiteral("Logo.gif")));
  EXPECT_TRUE(prompter_.messages.isEmpty());  // a name not there is silent
}

TEST_F(ResourcePackages, AMissingOrMalformedGmiSrcIsReportedByName) {
  const QString path = folder_.Path(QStringLiteral("gmi.src"));
  for (const bool present : {false, true}) {
    if (present) folder_.Write(QStringLiteral("gmi.src"), QByteArray(100, '\0'));
    prompter_.messages.clear();
    EXPECT_FALSE(LoadPackageIndex(prompter_));
    ASSERT_EQ(prompter_.messages.size(), 1);
    EXPECT_EQ(prompter_.messages[0].text, path + QStringLiteral(" 丢失或损坏，请重新安装程序"));
    EXPECT_EQ(prompter_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(PackageIndex(), nullptr);
    EXPECT_FALSE(ReadPackageEntry(QStringLiteral("rainbow.jpg")));
  }
}

TEST_F(ResourcePackages, FramePackagesCombineInPackageOrder) {
  WriteFrames(3, {QStringLiteral("三甲"), QStringLiteral("三乙"), QStringLiteral("三丙")});
  WriteFrames(1, {QStringLiteral("一甲"), QStringLiteral("一乙")});
  LoadFrameIndex();
  EXPECT_TRUE(FramePackagesFound());
  ASSERT_EQ(FrameIndex().size(), 5);
  QStringList names;
  for (const FrameIndexEntry& entry : FrameIndex()) names.append(entry.frame.name);
  EXPECT_EQ(names, QStringList({QStringLiteral("一甲"), QStringLiteral("一乙"), QStringLiteral("三甲"),
                                QStringLiteral("三乙"), QStringLiteral("三丙")}));
  EXPECT_EQ(FrameIndex()[2].package, 3);
  EXPECT_EQ(ReadFrameEntry(3), QStringLiteral("三甲 bytes").toUtf8());
  EXPECT_EQ(ReadFrameEntry(5), QStringLiteral("三丙 bytes").toUtf8());
  EXPECT_EQ(ReadFrameEntry(0), QByteArray());
  EXPECT_EQ(ReadFrameEntry(6), QByteArray());
}

TEST_F(ResourcePackages, ABadFramePackageDoesNotStopTheNext) {
  WriteFrames(1, {QStringLiteral("一")});
  const QString second = WriteFrames(2, {QStringLiteral("二")});
  WriteFrames(3, {QStringLiteral("三")});
  WriteFrames(4, {QStringLiteral("四")});
  QByteArray unsigned_bytes = ReadWholeFile(second);
  unsigned_bytes[0] = 'M';
  folder_.Write(QStringLiteral("2.frame"), unsigned_bytes);
  folder_.Write(QStringLiteral("3.frame"), ReadWholeFile(folder_.Path(QStringLiteral("3.frame"))).chopped(1));
  LoadFrameIndex();
  ASSERT_EQ(FrameIndex().size(), 2);
  EXPECT_EQ(FrameIndex()[1].package, 4);
  EXPECT_EQ(ReadFrameEntry(2), QStringLiteral("四 bytes").toUtf8());
}

TEST_F(ResourcePackages, NoFramePackagesLeavesAnEmptyList) {
  WriteFrames(1, {QStringLiteral("一")});
  LoadFrameIndex();
  ASSERT_TRUE(FramePackagesFound());
  QFile::remove(folder_.Path(QStringLiteral("1.frame")));
  LoadFrameIndex();  // reading again starts from nothing
  EXPECT_FALSE(FramePackagesFound());
  EXPECT_TRUE(FrameIndex().isEmpty());
}

}  // namespace
}  // namespace pivlo
