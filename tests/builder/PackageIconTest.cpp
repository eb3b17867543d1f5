// The icon a built screensaver shows: the images of the icon file its package carries,
// and none, said why, when that item is damaged or holds no image.

#include "builder/PackageIcon.h"

#include "builder/HeadScramble.h"
#include "builder/ScreensaverPackage.h"
#include "core/PropertyBag.h"
#include "core/basPropertyBag.h"

#include "BuildFixtures.h"
#include "PictureFiles.h"
#include "TestFiles.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

// A package whose one item is the icon file, put together by hand.
QByteArray IconPackage(const QByteArray& icon, const QString& item_name = IconItemName()) {
  QByteArray item = icon;
  ScrambleHead(item);
  PropertyBag bag;
  bag.Put(ItemOffsetKey(item_name), qint32(0));
  bag.Put(ItemSizeKey(item_name), qint32(item.size()));
  bag.Put(ItemTypeKey(item_name), u"ICO"_s);
  const QByteArray settings = bag.Contents();
  return "player" + item + settings + PackageTrailerBytes(6, qint32(item.size()), qint32(settings.size()));
}

// An icon file of one image per picture, each as Qt's own writer encodes it.
QByteArray IconFileOf(const QList<QImage>& images) {
  QByteArray head(6, '\0');
  head[2] = 1;
  qToLittleEndian<quint16>(quint16(images.size()), head.data() + 4);
  QByteArray entries;
  QByteArray data;
  for (const QImage& image : images) {
    const QByteArray single = test::Encoded(image, "ico");
    QByteArray entry = single.sliced(6, 16);
    qToLittleEndian<quint32>(quint32(6 + 16 * images.size() + data.size()), entry.data() + 12);
    entries += entry;
    data += single.sliced(qFromLittleEndian<quint32>(single.constData() + 18));
  }
  return head + entries + data;
}

QImage Filled(int side, QRgb colour) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

TEST(PackageIconImages, AreTheImagesOfTheCarriedIconFileInFileOrder) {
  test::TempFolder folder;
  const QByteArray file = IconFileOf({Filled(16, qRgb(200, 0, 0)), Filled(48, qRgb(0, 200, 0))});
  const std::optional<ScreensaverPackage> package =
      ScreensaverPackage::Open(folder.Write(u"icon.scr"_s, IconPackage(file)));
  ASSERT_TRUE(package);
  QString why;
  const QList<QImage> images = PackageIconImages(*package, &why);
  EXPECT_TRUE(why.isEmpty()) << why.toStdString();
  ASSERT_EQ(images.size(), 2);
  EXPECT_EQ(images[0].size(), QSize(16, 16));
  EXPECT_EQ(images[0].pixel(8, 8), qRgb(200, 0, 0));
  EXPECT_EQ(images[1].size(), QSize(48, 48));
  EXPECT_EQ(images[1].pixel(24, 24), qRgb(0, 200, 0));
}

TEST(PackageIconImages, AnIconThatCannotBeShownHasNoneAndSaysWhy) {
  test::TempFolder folder;
  const QByteArray good = IconPackage(IconFileOf({Filled(32, qRgb(0, 200, 0))}));
  const struct {
    const char* name;
    QByteArray package;
    QString why;  // empty: nothing to say
  } cases[] = {
      {"no icon", IconPackage(IconFileOf({Filled(32, qRgb(0, 200, 0))}), u"d3DFile"_s), {}},
      {"no icon file", IconPackage(QByteArray(100, 'x')), u"IconFile: holds no icon image"_s},
      {"a count of images it does not hold", IconPackage(QByteArray::fromHex("00000100FFFF")),
       u"IconFile: holds no icon image"_s},
      {"an item past the blob", test::WithPackageSetting(good, u"IconFile_Size"_s, qint32(1 << 30)),
       u"IconFile: lies outside the resource blob"_s},
      {"an offset that is no number", test::WithPackageSetting(good, u"IconFile_OffSet"_s, u"0"_s),
       u"IconFile: offset or size is not a 32-bit number"_s},
  };
  for (const auto& c : cases) {
    const std::optional<ScreensaverPackage> package =
        ScreensaverPackage::Open(folder.Write(QString::fromLatin1(c.name), c.package));
    ASSERT_TRUE(package) << c.name;
    QString why;
    EXPECT_TRUE(PackageIconImages(*package, &why).isEmpty()) << c.name;
    EXPECT_EQ(why, c.why) << c.name;
  }
}

}  // namespace
}  // namespace pivlo
