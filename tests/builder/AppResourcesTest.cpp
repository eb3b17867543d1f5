// What the build puts into the application folder: gmi.src with every picture the program
// looks up, the frame packages, and the graphics runtime with the checksum compiled in.

#include "builder/RuntimeLibrary.h"
#include "builder/basChecksum.h"
#include "builder/basResourcePackages.h"
#include "core/AppFolders.h"

#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

struct Decoded {
  QByteArray format;
  QImage image;
};

Decoded Decode(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer);
  Decoded decoded;
  decoded.format = reader.format();
  decoded.image = reader.read();
  return decoded;
}

class AppFolder : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = ApplicationFolder();
    SetApplicationFolder(QStringLiteral(PIVLO_APP_DIR));
  }
  void TearDown() override { SetApplicationFolder(previous_); }

 private:
  QString previous_;
};

TEST_F(AppFolder, GmiSrcHoldsEveryPictureTheProgramLooksUp) {
  test::ScriptedPrompter prompter;
  ASSERT_TRUE(LoadPackageIndex(prompter));
  QList<int> buttons;
  for (int k = 0; k <= 44; ++k) {
    if (k < 14 || k > 17) buttons.append(k);
  }
  buttons.append(50);
  for (const int k : buttons) {
    const QString name = QString::number(k + 1) + QStringLiteral(".png");
    const auto bytes = ReadPackageEntry(name);
    ASSERT_TRUE(bytes) << name.toStdString();
    const Decoded face = Decode(*bytes);
    EXPECT_EQ(face.format, "png") << name.toStdString();
    EXPECT_TRUE(face.image.hasAlphaChannel()) << name.toStdString();
    // Page buttons and the icon button are large; the small action buttons are 24 pixels.
    EXPECT_EQ(face.image.width(), k < 14 || k == 50 ? 48 : 24) << name.toStdString();
  }
  const struct {
    const char* name;
    QByteArray format;
  } pictures[] = {{"Copyright.gif", "gif"}, {"coffie.gif", "gif"}, {"Logo.gif", "gif"},
                  {"rainbow.jpg", "jpeg"},  {"TESTFRAME.PNG", "png"}};
  for (const auto& picture : pictures) {
    const auto bytes = ReadPackageEntry(QString::fromLatin1(picture.name));
    ASSERT_TRUE(bytes) << picture.name;
    const Decoded decoded = Decode(*bytes);
    EXPECT_EQ(decoded.format, picture.format) << picture.name;
    EXPECT_FALSE(decoded.image.isNull()) << picture.name;
  }
  EXPECT_FALSE(ReadPackageEntry(QStringLiteral("15.png")));  // button 14 is not in use
}

TEST_F(AppFolder, FramePackagesHoldTransparentFramesWithChineseNames) {
  LoadFrameIndex();
  ASSERT_TRUE(FramePackagesFound());
  QSet<qint32> packages;
  QSet<QString> names;
  for (qint32 k = 1; k <= FrameIndex().size(); ++k) {
    const FrameIndexEntry& entry = FrameIndex()[k - 1];
    packages.insert(entry.package);
    names.insert(entry.frame.name);
    EXPECT_TRUE(entry.frame.name.front().script() == QChar::Script_Han) << entry.frame.name.toStdString();
    const Decoded frame = Decode(ReadFrameEntry(k));
    ASSERT_EQ(frame.format, "png") << entry.frame.name.toStdString();
    const QImage image = frame.image.convertToFormat(QImage::Format_ARGB32);
    // The photograph shows through the middle; the border covers it.
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 0) << entry.frame.name.toStdString();
    int edge = 0;
    for (int x = 0; x < image.width(); ++x) edge = qMax(edge, qAlpha(image.pixel(x, 2)));
    EXPECT_GT(edge, 100) << entry.frame.name.toStdString();
  }
  EXPECT_GE(packages.size(), 3);
  EXPECT_GE(FrameIndex().size(), 8);
  EXPECT_EQ(names.size(), FrameIndex().size());
}

TEST_F(AppFolder, TheRuntimeHasTheChecksumCompiledIn) {
  EXPECT_EQ(RuntimeLibraryPath(), QStringLiteral(PIVLO_APP_DIR "/libpivlofx.so"));
  EXPECT_FALSE(ExpectedRuntimeChecksum().isEmpty());
  EXPECT_EQ(FileChecksumText(RuntimeLibraryPath()), ExpectedRuntimeChecksum());
  EXPECT_TRUE(RuntimeLibraryIntact());
}

TEST(RuntimeLibrary, AChangedOrMissingRuntimeIsNotIntact) {
  test::TempFolder folder;
  const QString previous = ApplicationFolder();
  SetApplicationFolder(folder.Path(QString()));
  EXPECT_FALSE(RuntimeLibraryIntact());
  QByteArray bytes = test::ReadWholeFile(QStringLiteral(PIVLO_APP_DIR "/libpivlofx.so"));
  ASSERT_FALSE(bytes.isEmpty());
  folder.Write(RuntimeLibraryFileName(), bytes);
  EXPECT_TRUE(RuntimeLibraryIntact());
  bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
  folder.Write(RuntimeLibraryFileName(), bytes);
  EXPECT_FALSE(RuntimeLibraryIntact());
  SetApplicationFolder(previous);
}

}  // namespace
}  // namespace pivlo
