// Recognising pictures by content: format tag, size and depth.

#include "media/basGdiPlus.h"

#include "PictureFiles.h"
#include "TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::Encoded;

QImage Picture(QImage::Format format, int width = 7, int height = 5) {
  return test::Gradient(width, height, format);
}

QByteArray LittleEndian(quint32 value, int size) {
  QByteArray bytes;
  for (int i = 0; i < size; ++i) bytes += char(value >> (8 * i) & 0xFF);
  return bytes;
}

// A 4-bit BMP, which Qt cannot write: 3 x 2 pixels, rows padded to 4 bytes.
QByteArray FourBitBmp() {
  const auto u32 = [](quint32 value) { return LittleEndian(value, 4); };
  const auto u16 = [](quint32 value) { return LittleEndian(value, 2); };
  const QByteArray info = u32(40) + u32(3) + u32(2) + u16(1) + u16(4) + u32(0) + u32(8) + u32(0) + u32(0) +
                          u32(16) + u32(0);
  QByteArray palette;
  for (int i = 0; i < 16; ++i) palette += test::Bytes({i * 16, i * 8, i * 4, 0});
  const QByteArray pixels = QByteArray::fromHex("1230000045600000");
  const int offset = 14 + info.size() + palette.size();
  return QByteArray("BM") + u32(offset + pixels.size()) + u32(0) + u32(offset) + info + palette + pixels;
}

struct ProbeCase {
  const char* name;
  QByteArray bytes;
  ImageProbe expected;
};

QList<ProbeCase> PlatformCases() {
  const auto probe = [](const char* tag, int width, int height, int depth) {
    return ImageProbe{QString::fromLatin1(tag), width, height, depth};
  };
  return {
      {"BMP 24", Encoded(Picture(QImage::Format_RGB32), "bmp"), probe("BMP", 7, 5, 24)},
      {"BMP 8", Encoded(Picture(QImage::Format_Indexed8), "bmp"), probe("BMP", 7, 5, 8)},
      {"BMP 1", Encoded(Picture(QImage::Format_Mono), "bmp"), probe("BMP", 7, 5, 1)},
      {"BMP 4", FourBitBmp(), probe("BMP", 3, 2, 4)},
      {"JPEG", Encoded(Picture(QImage::Format_RGB32, 40, 30), "jpeg"), probe("JPG", 40, 30, 24)},
      {"JPEG grey", Encoded(Picture(QImage::Format_Grayscale8), "jpeg"), probe("JPG", 7, 5, 8)},
      {"GIF", test::GifFile(7, 5, {qRgb(1, 2, 3), qRgb(200, 0, 0)}, QByteArray(35, '\1')), probe("GIF", 7, 5, 8)},
      {"PNG palette", Encoded(Picture(QImage::Format_Indexed8), "png"), probe("PNG", 7, 5, 8)},
      {"PNG 1 bit", Encoded(Picture(QImage::Format_Mono), "png"), probe("PNG", 7, 5, 1)},
      {"PNG 24", Encoded(Picture(QImage::Format_RGB32), "png"), probe("PNG", 7, 5, 24)},
      {"PNG 32", Encoded(Picture(QImage::Format_ARGB32), "png"), probe("PNG", 7, 5, 32)},
      {"PNG 48", Encoded(Picture(QImage::Format_RGBX64), "png"), probe("PNG", 7, 5, 0)},
      {"TIFF 24", Encoded(Picture(QImage::Format_RGB32), "tiff"), probe("TIF", 7, 5, 24)},
      {"TIFF 32", Encoded(Picture(QImage::Format_ARGB32), "tiff"), probe("TIF", 7, 5, 32)},
      {"TIFF palette", Encoded(Picture(QImage::Format_Indexed8), "tiff"), probe("TIF", 7, 5, 8)},
      {"TIFF grey", Encoded(Picture(QImage::Format_Grayscale8), "tiff"), probe("TIF", 7, 5, 8)},
  };
}

void ExpectProbe(const ImageProbe& actual, const ImageProbe& expected, const char* name) {
  EXPECT_EQ(actual.Format, expected.Format) << name;
  EXPECT_EQ(actual.Width, expected.Width) << name;
  EXPECT_EQ(actual.Height, expected.Height) << name;
  EXPECT_EQ(actual.Depth, expected.Depth) << name;
}

TEST(ProbeImageFile, PlatformFormatsWithSizeAndDepth) {
  test::TempFolder folder;
  for (const ProbeCase& c : PlatformCases()) {
    // Named as something else: the content decides.
    const QString path = folder.Write(QStringLiteral("picture.dat"), c.bytes);
    ExpectProbe(ProbeImageFile(path, true), c.expected, c.name);
    ExpectProbe(ProbeImageBytes(c.bytes, true), c.expected, c.name);
    ExpectProbe(ProbeImageFile(path, false), ImageProbe{c.expected.Format, 0, 0, 0}, c.name);
  }
}

TEST(ProbeImageFile, TgaAndPcxByOurHeaderTestsWhateverQtClaims) {
  test::TempFolder folder;
  // An uncompressed TGA without an ID field looks like a cursor to Qt's icon reader.
  test::TgaLayout tga;
  tga.width = 4;
  tga.height = 3;
  tga.pixels = QByteArray(4 * 3 * 3, '\x40');
  test::PcxLayout pcx;
  pcx.bits = 4;
  pcx.x_max = 9;
  pcx.y_max = 2;
  const QString tga_path = folder.Write(QStringLiteral("picture.jpg"), test::TgaFile(tga));
  ExpectProbe(ProbeImageFile(tga_path, false), ImageProbe{QStringLiteral("TGA"), 4, 3, 24}, "TGA");
  ExpectProbe(ProbeImageFile(folder.Write(QStringLiteral("picture.pcx"), test::PcxFile(pcx)), true),
              ImageProbe{QStringLiteral("PCX"), 10, 3, 4}, "PCX");
}

TEST(ProbeImageFile, UnKnownForIconsOtherFormatsAndBrokenHeaders) {
  test::TempFolder folder;
  const QByteArray png = Encoded(Picture(QImage::Format_RGB32), "png");
  const QList<QPair<const char*, QByteArray>> unknown = {
      {"icon", Encoded(Picture(QImage::Format_ARGB32), "ico")},
      {"PPM", Encoded(Picture(QImage::Format_RGB32), "ppm")},
      {"PNG cut after its signature", png.first(8)},
      {"text", QByteArray("just some words, nothing more")},
      {"empty", QByteArray()},
  };
  for (const auto& [name, bytes] : unknown) {
    const ImageProbe probed = ProbeImageFile(folder.Write(QStringLiteral("unknown.png"), bytes), true);
    EXPECT_EQ(probed.Format, QStringLiteral("UnKnown")) << name;
    EXPECT_EQ(probed.Width, 0) << name;
  }
  EXPECT_FALSE(ProbeImageFile(folder.Path(QStringLiteral("missing.png")), true).IsKnown());
}

TEST(ProbeImageFile, ShortPathsAreUnKnownWithoutTouchingTheFile) {
  test::TempFolder folder;
  const QByteArray png = Encoded(Picture(QImage::Format_RGB32), "png");
  folder.Write(QStringLiteral("a.png"), png);
  const QString saved = QDir::currentPath();
  QDir::setCurrent(folder.Path(QString()));
  EXPECT_EQ(ProbeImageFile(QStringLiteral("a.png"), true).Format, QStringLiteral("UnKnown"));
  EXPECT_EQ(ProbeImageFile(QStringLiteral("./a.png   "), true).Format, QStringLiteral("UnKnown"));
  EXPECT_EQ(ProbeImageFile(QStringLiteral("././a.png"), true).Format, QStringLiteral("PNG"));
  QDir::setCurrent(saved);
}

}  // namespace
}  // namespace pivlo
