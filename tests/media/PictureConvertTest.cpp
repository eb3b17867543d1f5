// Converting pictures for a package, painting from files and bytes, and the JPEG and PNG
// writers.

#include "media/basGdiPlus.h"

#include "PictureFiles.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::Encoded;
using test::Gradient;
using test::MakeImage;
using test::NoiseImage;

QSize DecodedSize(const QByteArray& bytes) {
  return QImage::fromData(bytes).size();
}

TEST(PreparePictureBytes, EveryRuleOfThePackage) {
  test::TempFolder folder;
  test::TgaLayout tga;
  tga.width = 2;
  tga.height = 2;
  tga.pixels = QByteArray(2 * 2 * 3, '\x40');
  test::TgaLayout tga32 = tga;
  tga32.depth = 32;
  tga32.pixels = QByteArray(2 * 2 * 4, '\x40');
  test::TgaLayout tga15 = tga;
  tga15.depth = 15;
  test::PcxLayout pcx;
  pcx.x_max = 2;  // the probe wants Xmax and Ymax of 2 at least
  pcx.y_max = 2;
  pcx.line_bytes = 3;
  pcx.data = QByteArray(9, '\x11');

  struct Case {
    const char* name;
    QByteArray bytes;
    const char* format;
    bool used;
    QSize size;  // of the converted picture
  };
  const Case cases[] = {
      {"GIF as it is", test::GifFile(3000, 2, {qRgb(0, 0, 0)}, QByteArray(6000, '\0')), "GIF", false, {}},
      {"palette PNG as it is", Encoded(NoiseImage(2000, 50, QImage::Format_Indexed8), "png"), "PNG", false, {}},
      {"8-bit TIFF as it is", Encoded(Gradient(2000, 50, QImage::Format_Grayscale8), "tiff"), "TIF", false, {}},
      {"32-bit TGA as it is", test::TgaFile(tga32), "TGA", false, {}},
      {"JPEG that fits as it is", Encoded(NoiseImage(1920, 1440, QImage::Format_RGB32), "jpeg", 20), "JPG", false, {}},
      {"PNG that fits as it is", Encoded(Gradient(100, 100, QImage::Format_RGB32), "png"), "PNG", false, {}},
      {"wide JPEG scaled", Encoded(Gradient(4000, 1000, QImage::Format_RGB32), "jpeg", 100), "JPG", true, {1920, 480}},
      {"tall JPEG scaled", Encoded(Gradient(1000, 4000, QImage::Format_RGB32), "jpeg", 100), "JPG", true, {360, 1440}},
      {"halves go to even", Encoded(Gradient(3840, 1001, QImage::Format_RGB32), "jpeg", 100), "JPG", true, {1920, 500}},
      {"oversize JPEG larger once re-encoded", Encoded(NoiseImage(2000, 1500, QImage::Format_RGB32), "jpeg", 5), "JPG",
       false, {}},
      {"32-bit PNG scaled to PNG", Encoded(NoiseImage(2400, 1500, QImage::Format_ARGB32), "png"), "PNG", true,
       {1920, 1200}},
      {"BMP to JPEG", Encoded(Gradient(64, 64, QImage::Format_RGB32), "bmp"), "JPG", true, {64, 64}},
      {"tiny BMP smaller than its JPEG", Encoded(Gradient(2, 2, QImage::Format_RGB32), "bmp"), "BMP", false, {}},
      {"24-bit TIFF to JPEG", Encoded(Gradient(64, 64, QImage::Format_RGB32), "tiff"), "JPG", true, {64, 64}},
      {"32-bit TIFF to PNG", Encoded(Gradient(64, 64, QImage::Format_ARGB32), "tiff"), "PNG", true, {64, 64}},
      {"TGA to JPEG, however large", test::TgaFile(tga), "JPG", true, {2, 2}},
      {"PCX to JPEG, however large", test::PcxFile(pcx), "JPG", true, {3, 3}},
      {"15-bit TGA converts to nothing", test::TgaFile(tga15), "TGA", false, {}},
      {"not a picture", QByteArray("nothing to see"), "UnKnown", false, {}},
  };
  for (const Case& c : cases) {
    const QString path = folder.Write(QStringLiteral("picture.bin"), c.bytes);
    const PreparedPicture prepared = PreparePictureBytes(path);
    EXPECT_EQ(prepared.format, QString::fromLatin1(c.format)) << c.name;
    EXPECT_EQ(prepared.used, c.used) << c.name;
    if (c.used) {
      EXPECT_EQ(ProbeImageBytes(prepared.bytes, false).Format, prepared.format) << c.name;
      EXPECT_EQ(DecodedSize(prepared.bytes), c.size) << c.name;
    } else {
      EXPECT_TRUE(prepared.bytes.isEmpty()) << c.name;
    }
  }
}

TEST(ConvertPicture, KeepsTransparencyInPngAndTagsOutsideTheListGiveNothing) {
  test::TempFolder folder;
  const QImage half_transparent = MakeImage(4, 4, QImage::Format_ARGB32, [](int x, int) {
    return x < 2 ? qRgba(255, 0, 0, 255) : qRgba(0, 0, 0, 0);
  });
  const QString path = folder.Write(QStringLiteral("alpha.png"), Encoded(half_transparent, "png"));
  const QImage png = QImage::fromData(ConvertPicture(path, QStringLiteral("PNG"), QStringLiteral("PNG"), 4, 4, 94));
  ASSERT_EQ(png.size(), QSize(4, 4));
  EXPECT_EQ(png.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(qAlpha(png.pixel(3, 3)), 0);
  EXPECT_TRUE(ConvertPicture(path, QStringLiteral("GIF"), QStringLiteral("PNG"), 4, 4, 94).isEmpty());
  EXPECT_TRUE(ConvertPicture(path, QStringLiteral("PNG"), QStringLiteral("BMP"), 4, 4, 94).isEmpty());
}

TEST(SaveBitmapAsJpeg, ReplacesTheFileWithACompleteJpeg) {
  test::TempFolder folder;
  const QString path = folder.Write(QStringLiteral("101.jpg"), QByteArray(100000, 'x'));
  ASSERT_TRUE(SaveBitmapAsJpeg(Gradient(40, 30, QImage::Format_RGB32), path, kBitmapJpegQuality));
  const QImage saved(path);
  EXPECT_EQ(saved.size(), QSize(40, 30));
  EXPECT_EQ(ProbeImageFile(path, true).Format, QStringLiteral("JPG"));
  EXPECT_FALSE(SaveBitmapAsJpeg(QImage(), path, kBitmapJpegQuality));
  EXPECT_EQ(QImage(path).size(), QSize(40, 30));
}

TEST(ScaleBytesToPng, ScalesToTheWholeBoxKeepingTransparency) {
  const QImage frame = MakeImage(4, 2, QImage::Format_ARGB32, [](int x, int) {
    return x == 0 ? qRgba(0, 0, 0, 0) : qRgba(0, 255, 0, 255);
  });
  const QImage scaled = QImage::fromData(ScaleBytesToPng(Encoded(frame, "png"), QSize(40, 20)));
  ASSERT_EQ(scaled.size(), QSize(40, 20));
  EXPECT_EQ(qAlpha(scaled.pixel(0, 10)), 0);
  EXPECT_EQ(scaled.pixel(39, 0), qRgba(0, 255, 0, 255));
  EXPECT_TRUE(ScaleBytesToPng(QByteArray("not a picture"), QSize(40, 20)).isEmpty());
  EXPECT_TRUE(ScaleBytesToPng(Encoded(frame, "png"), QSize(0, 20)).isEmpty());
}

TEST(PaintPicture, FromFileAndBytesWithReducedDecoding) {
  test::TempFolder folder;
  const QImage picture = MakeImage(400, 300, QImage::Format_RGB32, [](int x, int) {
    return x < 200 ? qRgb(250, 0, 0) : qRgb(0, 0, 250);
  });
  const QByteArray jpeg = Encoded(picture, "jpeg", 95);
  QImage box(40, 40, QImage::Format_RGB32);
  box.fill(Qt::white);
  EXPECT_EQ(PaintPictureBytes(box, jpeg, kPlaceCentred, {}), QRect(0, 5, 40, 30));
  EXPECT_EQ(box.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_NEAR(qRed(box.pixel(5, 20)), 250, 8);
  EXPECT_NEAR(qBlue(box.pixel(35, 20)), 250, 8);

  const QString path = folder.Write(QStringLiteral("photo.jpg"), jpeg);
  QImage natural(400, 300, QImage::Format_RGB32);
  EXPECT_EQ(PaintPictureFile(natural, path, kPlaceAtPoint, QPoint(3, 4)), QRect(3, 4, 400, 300));
  EXPECT_FALSE(PaintPictureFile(natural, folder.Path(QStringLiteral("missing.jpg")), kPlaceCentred, {}));

  QImage thumb(16, 12, QImage::Format_RGB32);
  QPainter painter(&thumb);
  EXPECT_TRUE(DrawImageFileToDC(painter, path, QRect(0, 0, 16, 12)));
  EXPECT_FALSE(DrawImageBytesToDC(painter, QByteArray("junk"), QRect(0, 0, 16, 12)));
  painter.end();
  EXPECT_NEAR(qBlue(thumb.pixel(15, 6)), 250, 8);
}

TEST(ShowPictureFile, DispatchesByTheLastThreeLetters) {
  test::TempFolder folder;
  const QByteArray png = Encoded(MakeImage(2, 2, QImage::Format_RGB32, [](int, int) { return qRgb(1, 2, 3); }), "png");
  QImage box(4, 4, QImage::Format_RGB32);
  ShowPictureFile(folder.Write(QStringLiteral("picture.png"), png), box);
  const QRgb face = box.pixel(0, 0);
  EXPECT_EQ(box.pixel(1, 1), qRgb(1, 2, 3));
  // A PNG named .tga goes to the TGA decoder, which cannot read it.
  ShowPictureFile(folder.Write(QStringLiteral("picture.tga"), png), box);
  EXPECT_EQ(box.pixel(1, 1), face);
  ShowPictureFile(folder.Write(QStringLiteral("picture.xyz"), png), box);
  EXPECT_EQ(box.pixel(1, 1), face);
}

TEST(StartGdiPlus, ReadyWithTheFiveFormatsAndNoMessage) {
  test::ScriptedPrompter prompter;
  EXPECT_TRUE(StartGdiPlus(prompter));
  EXPECT_TRUE(GdiPlusReady());
  EXPECT_TRUE(prompter.messages.isEmpty());
  ShutdownGdiPlus();
  EXPECT_FALSE(GdiPlusReady());
}

}  // namespace
}  // namespace pivlo
