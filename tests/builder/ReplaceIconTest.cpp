// Icon images found by their byte pattern, one-image icon files, and the icon resources
// of PE programs rewritten in place.

#include "builder/basReplaceIcon.h"
#include "core/AppFolders.h"

#include "PeFixtures.h"
#include "TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::PeFile;

// An icon image: its 40-byte header as the scanner recognises it, then filler.
QByteArray IconImage(quint8 width, quint8 bits, char fill = 'p') {
  QByteArray image(IconImageLength(width, bits), fill);
  image.replace(0, 40, QByteArray(40, '\0'));
  image[0] = 40;
  image[4] = char(width);
  image[8] = char(2 * width);
  image[12] = 1;
  image[14] = char(bits);
  return image;
}

IconImageData NewIcon(qint32 length) {
  return IconImageData{QByteArray("\x20\x20\x00\x00\x01\x00\x08\x00", 8) + QByteArray(4, '\0'),
                       QByteArray(length, 'N')};
}

TEST(IconImageLength, MatchesTheTableOfSizes) {
  EXPECT_EQ(IconImageLength(32, 8), 2216);
  EXPECT_EQ(IconImageLength(48, 8), 3752);
  EXPECT_EQ(IconImageLength(32, 24), 3240);
  EXPECT_EQ(IconImageLength(48, 24), 7336);
  EXPECT_EQ(IconImageLength(32, 32), 4264);
  EXPECT_EQ(IconImageLength(48, 32), 9640);
}

TEST(ScanIconImages, ListsEveryImageHeaderFromOffsetOne) {
  test::TempFolder folder;
  // An image at offset 0 is never tested; a 16-pixel one is not offered; bytes that
  // merely look like a header are listed like a real one.
  QByteArray bytes = IconImage(32, 8) + QByteArray(5, 'x') + IconImage(16, 32) + IconImage(48, 32);
  const qint64 chance = bytes.size();
  bytes += IconImage(32, 24).first(16) + QByteArray(IconImageLength(32, 24), 'q');
  const QString path = folder.Write(u"icons.icl"_s, bytes);

  const IconImageList list = ScanIconImages(path);
  ASSERT_EQ(list.images.size(), 2);
  EXPECT_EQ(list.images[0].text, u"图标 - 001  48*48   32位"_s);
  EXPECT_EQ(list.images[0].start, 2216 + 5 + IconImageLength(16, 32));
  EXPECT_EQ(list.images[0].length, 9640);
  EXPECT_EQ(list.images[1].text, u"图标 - 002  32*32   24位"_s);
  EXPECT_EQ(list.images[1].start, chance);
  EXPECT_EQ(list.bytes, bytes);
}

TEST(ScanIconImages, KeepsToItsLimits) {
  test::TempFolder folder;
  const QByteArray image = IconImage(32, 8);
  // A program is scanned in its first 2,000,000 bytes only.
  QByteArray program(2100000, '\0');
  program.replace(1000, image.size(), image);
  program.replace(2050000, image.size(), image);
  EXPECT_EQ(ScanIconImages(folder.Write(u"large.exe"_s, program)).images.size(), 1);
  // An image cut off by that limit is not offered: it could not be written.
  program.replace(2000000 - 100, image.size(), image);
  EXPECT_EQ(ScanIconImages(folder.Write(u"cut.EXE"_s, program)).images.size(), 1);
  // Any other file over 10,240,000 bytes is not scanned at all.
  QByteArray library(10240001, '\0');
  library.replace(1000, image.size(), image);
  EXPECT_TRUE(ScanIconImages(folder.Write(u"huge.dll"_s, library)).images.isEmpty());
  library.chop(1);
  EXPECT_EQ(ScanIconImages(folder.Write(u"limit.dll"_s, library)).images.size(), 1);
  // Nothing found: nothing kept.
  const IconImageList none = ScanIconImages(folder.Write(u"small.ico"_s, QByteArray(20, '\0')));
  EXPECT_TRUE(none.images.isEmpty());
  EXPECT_TRUE(none.bytes.isEmpty());
  EXPECT_TRUE(ScanIconImages(folder.Path(u"missing.ico"_s)).images.isEmpty());
}

TEST(WriteSingleIconFile, WritesTheOneImageBehindA22ByteHeader) {
  test::TempFolder folder;
  const QByteArray image = IconImage(48, 24, 'z');
  const IconImageList list = ScanIconImages(folder.Write(u"one.ico"_s, QByteArray(3, '\0') + image));
  ASSERT_EQ(list.images.size(), 1);
  const QString out = folder.Path(u"out.ico"_s);
  ASSERT_TRUE(WriteSingleIconFile(out, list, 0));
  EXPECT_FALSE(WriteSingleIconFile(folder.Path(u"none.ico"_s), list, 1));

  const QByteArray written = test::ReadWholeFile(out);
  EXPECT_EQ(written, test::IconFileBytes(48, 24, image));
  const std::optional<IconImageData> read = ReadIconFile(out);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->description, written.sliced(6, 12));
  EXPECT_EQ(read->image, image);
  EXPECT_FALSE(ReadIconFile(folder.Write(u"cut.ico"_s, written.chopped(1))));
}

class ReplaceIconResourcesTest : public testing::TestWithParam<bool> {};

TEST_P(ReplaceIconResourcesTest, EveryGroupAndImageEntryDescribesTheNewImage) {
  PeFile pe = test::SamplePe(GetParam());
  const PeFile before = pe;
  const IconImageData icon = NewIcon(2000);

  ASSERT_EQ(ReplaceIconResources(pe.bytes, icon), IconReplacement::Replaced);
  EXPECT_EQ(pe.bytes.size(), before.bytes.size());
  const quint32 target = before.U32(before.icons[0].data_entry);
  EXPECT_EQ(pe.bytes.sliced(pe.icons[0].data, 2000), icon.image);
  EXPECT_EQ(pe.bytes.sliced(pe.icons[0].data + 2000, 216), before.bytes.sliced(before.icons[0].data + 2000, 216));
  EXPECT_EQ(pe.bytes.sliced(pe.icons[2].data, 4264), QByteArray(4264, 'b'));  // left, no longer pointed at
  ASSERT_EQ(pe.icons.size(), 4);
  for (const PeFile::IconAt& at : pe.icons) {
    EXPECT_EQ(pe.U32(at.data_entry), target);
    EXPECT_EQ(pe.U32(at.data_entry + 4), 2000u);
  }
  ASSERT_EQ(pe.group_entries.size(), 4);
  for (const qint64 entry : pe.group_entries) {
    EXPECT_EQ(pe.bytes.sliced(entry, 12), icon.description);
    EXPECT_EQ(pe.U16(entry + 12), before.U16(entry + 12));  // the image identifier stays
  }
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, ReplaceIconResourcesTest, testing::Bool());

TEST(ReplaceIconResources, AnImageLongerThanTheFirstIsRefused) {
  PeFile pe = test::SamplePe();
  const QByteArray before = pe.bytes;
  EXPECT_EQ(ReplaceIconResources(pe.bytes, NewIcon(2217)), IconReplacement::Failed);
  EXPECT_EQ(pe.bytes, before);
  EXPECT_EQ(ReplaceIconResources(pe.bytes, NewIcon(2216)), IconReplacement::Replaced);
}

// Programs without resources are no failure; damaged ones are. Both stay as they were.
TEST(ReplaceIconResources, ProgramsWithoutResourcesOrDamagedOnesStayUnchanged) {
  const auto root_entry = [](const PeFile& pe, int i) { return pe.resource_directory + 16 + 8 * i; };
  const auto none = IconReplacement::Unchanged;
  const auto failed = IconReplacement::Failed;
  const struct {
    const char* name;
    IconReplacement expected;
    std::function<void(PeFile&)> change;
  } cases[] = {
      {"an ELF program", none, [](PeFile& pe) { pe.bytes.replace(0, 4, "\x7F" "ELF"); }},
      {"an empty file", none, [](PeFile& pe) { pe.bytes.clear(); }},
      {"a resource size of 0", none, [](PeFile& pe) { pe.PutU32(pe.optional_header + 116, 0); }},
      {"no section holding the directory", none, [](PeFile& pe) { pe.PutU32(pe.optional_header + 112, 0x9000); }},
      {"a directory below offset 309", none, [](PeFile& pe) { pe.PutU32(pe.section_table + 40 + 20, 300); }},
      {"header pointer past the end", failed, [](PeFile& pe) { pe.PutU32(60, 0x7FFFFFF0); }},
      {"no PE signature", failed, [](PeFile& pe) { pe.bytes[0x80] = 'X'; }},
      {"unknown optional header", failed, [](PeFile& pe) { pe.PutU16(pe.optional_header, 0x107); }},
      {"truncated section table", failed, [](PeFile& pe) { pe.bytes.truncate(pe.section_table + 50); }},
      {"a loop back to the root", failed, [&](PeFile& pe) { pe.PutU32(root_entry(pe, 0) + 4, 0x80000000u); }},
      {"a subdirectory where data belongs", failed,
       [&](PeFile& pe) {
         const auto below = [&](qint64 entry) { return pe.resource_directory + (pe.U32(entry + 4) & 0x7FFFFFFF); };
         const qint64 languages = below(below(root_entry(pe, 0)) + 16);
         pe.PutU32(languages + 16 + 4, pe.U32(languages + 16 + 4) | 0x80000000u);
       }},
      {"a directory claiming 65535 entries", failed,
       [](PeFile& pe) { pe.PutU16(pe.resource_directory + 14, 0xFFFF); }},
      {"image data below its section", failed, [](PeFile& pe) { pe.PutU32(pe.icons[0].data_entry, 0x100); }},
      {"image data past the end", failed, [](PeFile& pe) { pe.PutU32(pe.icons[0].data_entry + 4, 0x7FFFFFFF); }},
      {"a group with more entries than data", failed, [](PeFile& pe) { pe.PutU16(pe.group_entries[0] - 2, 500); }},
      {"a data entry past the end", failed, [](PeFile& pe) { pe.bytes.truncate(pe.icons[3].data_entry + 8); }},
      {"the first image over the directory", failed,
       [](PeFile& pe) {
         pe.PutU32(pe.icons[0].data_entry, pe.resource_va + quint32(pe.icons[1].data_entry - pe.resource_raw));
       }},
  };
  for (const auto& c : cases) {
    PeFile pe = test::SamplePe();
    c.change(pe);
    const QByteArray before = pe.bytes;
    EXPECT_EQ(ReplaceIconResources(pe.bytes, NewIcon(100)), c.expected) << c.name;
    EXPECT_EQ(pe.bytes, before) << c.name;
  }
}

TEST(ReplaceIconResources, ResourcesWithoutAnIconImageFail) {
  test::PeLayout layout;
  layout.groups = {test::PeGroup{101, 0x409, {1}}};
  PeFile pe = test::BuildPe(layout);
  const QByteArray before = pe.bytes;
  EXPECT_EQ(ReplaceIconResources(pe.bytes, NewIcon(100)), IconReplacement::Failed);
  EXPECT_EQ(pe.bytes, before);
}

TEST(ReplaceExeIcon, RewritesTheProgramFileInPlace) {
  test::TempFolder folder;
  const PeFile pe = test::SamplePe();
  const QString program = folder.Write(u"player.exe"_s, pe.bytes);
  const QByteArray image = IconImage(32, 8, 'n');
  const QString icon = folder.Write(u"new.ico"_s, test::IconFileBytes(32, 8, image));

  EXPECT_TRUE(ReplaceExeIcon(icon, program));
  const QByteArray after = test::ReadWholeFile(program);
  EXPECT_EQ(after.size(), pe.bytes.size());
  EXPECT_EQ(after.sliced(pe.icons[0].data, image.size()), image);

  // An unreadable icon or a missing program changes nothing and is no failure.
  EXPECT_TRUE(ReplaceExeIcon(folder.Path(u"none.ico"_s), program));
  EXPECT_TRUE(ReplaceExeIcon(icon, folder.Path(u"none.exe"_s)));
  EXPECT_FALSE(QFileInfo::exists(folder.Path(u"none.exe"_s)));
  EXPECT_EQ(test::ReadWholeFile(program), after);

  const QString large = folder.Write(u"large.ico"_s, test::IconFileBytes(48, 32, IconImage(48, 32)));
  EXPECT_FALSE(ReplaceExeIcon(large, program));
  EXPECT_EQ(test::ReadWholeFile(program), after);
}

class IconPickerTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = ApplicationFolder();
    SetApplicationFolder(folder_.Path(QString()));
  }
  void TearDown() override { SetApplicationFolder(previous_); }

  IconImageList Scan(const QByteArray& image) {
    return ScanIconImages(folder_.Write(u"scan"_s + QString::number(++files_) + u".ico"_s, QByteArray("x") + image));
  }

  test::TempFolder folder_;
  QString previous_;
  int files_ = 0;
};

TEST_F(IconPickerTest, OnlyAConfirmedChoiceBecomesTheBuildsIcon) {
  BuildState state;
  const QByteArray first = IconImage(32, 8, '1');
  StartIconChoice();
  ASSERT_TRUE(SelectIconImage(Scan(first), 0));
  EXPECT_TRUE(ConfirmedIconPath(state).isEmpty());
  ConfirmIconChoice(state);
  EXPECT_TRUE(state.CustomIcon);
  EXPECT_EQ(ConfirmedIconPath(state), CustomIconPath());
  EXPECT_EQ(test::ReadWholeFile(CustomIconPath()), test::IconFileBytes(32, 8, first));

  // A later choice that is cancelled keeps the first.
  StartIconChoice();
  ASSERT_TRUE(SelectIconImage(Scan(IconImage(48, 24, '2')), 0));
  EXPECT_EQ(test::ReadWholeFile(CustomIconPath()), test::IconFileBytes(32, 8, first));
  // So does OK in a later picker where nothing was selected.
  StartIconChoice();
  EXPECT_TRUE(Scan(QByteArray(30, 'x')).images.isEmpty());
  ConfirmIconChoice(state);
  EXPECT_EQ(test::ReadWholeFile(CustomIconPath()), test::IconFileBytes(32, 8, first));

  ForgetCustomIcon(state);
  EXPECT_FALSE(state.CustomIcon);
  EXPECT_FALSE(QFileInfo::exists(CustomIconPath()));
  EXPECT_TRUE(ConfirmedIconPath(state).isEmpty());
}

TEST_F(IconPickerTest, OnlyNewExistingFilesAreScanned) {
  const QString file = folder_.Write(u"program.exe"_s, "x");
  const QString link = folder_.Write(u"program.lnk"_s, "x");
  EXPECT_TRUE(ShouldScanIconFile(file, QString()));
  EXPECT_FALSE(ShouldScanIconFile(file, file));
  EXPECT_FALSE(ShouldScanIconFile(link, QString()));
  EXPECT_FALSE(ShouldScanIconFile(folder_.Path(u"gone.ico"_s), QString()));
  EXPECT_FALSE(ShouldScanIconFile(u"/a.ico"_s, QString()));
}

}  // namespace
}  // namespace pivlo
