// Our TGA and PCX decoders against reference pictures made directly from the same pixels.

#include "media/LoadTgaPcx.h"

#include "PictureFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::MakeImage;
using test::PcxFile;
using test::PcxLayout;
using test::TgaFile;
using test::TgaLayout;

constexpr int kWidth = 5;
constexpr int kHeight = 3;

// Pixels as QImage gives them, so that any two pictures compare exactly.
QImage Normalised(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32);
}

int Widen5(int channel) {
  return channel << 3 | channel >> 2;
}

// ---- TGA ----

// The stored bytes of a picture: rows bottom first unless `top_first`, each pixel as `bytes`
// gives it.
QByteArray Stored(int width, int height, bool top_first, const std::function<QByteArray(int, int)>& bytes) {
  QByteArray out;
  for (int row = 0; row < height; ++row) {
    const int y = top_first ? row : height - 1 - row;
    for (int x = 0; x < width; ++x) out += bytes(x, y);
  }
  return out;
}

// Run-length packets of the stored pixels: runs of equal pixels become run packets, the rest
// raw packets.
QByteArray TgaRunLength(const QByteArray& stored, int pixel_bytes) {
  QByteArray out;
  const qsizetype count = stored.size() / pixel_bytes;
  auto pixel = [&](qsizetype i) { return stored.mid(i * pixel_bytes, pixel_bytes); };
  qsizetype i = 0;
  while (i < count) {
    qsizetype run = 1;
    while (i + run < count && run < 128 && pixel(i + run) == pixel(i)) ++run;
    if (run > 1) {
      out += char(0x80 | (run - 1));
      out += pixel(i);
      i += run;
      continue;
    }
    qsizetype raw = 1;
    while (i + raw < count && raw < 128 && (i + raw + 1 >= count || pixel(i + raw + 1) != pixel(i + raw))) ++raw;
    out += char(raw - 1);
    out += stored.mid(i * pixel_bytes, raw * pixel_bytes);
    i += raw;
  }
  return out;
}

QByteArray Bgr(QRgb colour) {
  return test::Bytes({qBlue(colour), qGreen(colour), qRed(colour)});
}

// Neighbouring pairs of columns share a colour, so that run-length packets of both kinds occur
// and runs cross rows.
QRgb Colour(int x, int y) {
  return qRgb(60 * (x / 2) + 7, 100 * y + 3, 250 - 40 * (x / 2) - 50 * y);
}

int Alpha(int x, int y) {
  return (x * 64 + y * 90) % 256;
}

struct TgaCase {
  std::string name;
  TgaLayout layout;
  QImage expected;
};

TgaLayout Sized(int image_type, int depth) {
  TgaLayout layout;
  layout.image_type = image_type;
  layout.depth = depth;
  layout.width = kWidth;
  layout.height = kHeight;
  return layout;
}

// The stored pixels as they are (image type 1, 2 or 3) and run-length encoded (type + 8).
void AppendBothEncodings(QList<TgaCase>& cases, const std::string& name, TgaLayout layout, const QImage& expected) {
  cases.append({name, layout, expected});
  layout.image_type += 8;
  layout.pixels = TgaRunLength(layout.pixels, layout.depth / 8);
  cases.append({name + " run-length", layout, expected});
}

QList<TgaCase> TgaCases() {
  QList<TgaCase> cases;
  const QImage true_colour = MakeImage(kWidth, kHeight, QImage::Format_RGB32, Colour);
  const auto bgr = [](int x, int y) { return Bgr(Colour(x, y)); };
  const auto bgra = [](int x, int y) { return Bgr(Colour(x, y)) + char(Alpha(x, y)); };
  const QImage with_alpha = MakeImage(kWidth, kHeight, QImage::Format_ARGB32, [](int x, int y) {
    return qRgba(qRed(Colour(x, y)), qGreen(Colour(x, y)), qBlue(Colour(x, y)), Alpha(x, y));
  });
  // 16 bits: 5 bits a channel, the top bit ignored.
  const auto rgb555 = [](int x, int y) {
    const QRgb c = Colour(x, y);
    const int value = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3 | (x % 2) << 15;
    return test::Bytes({value & 0xFF, value >> 8});
  };
  const QImage quantised = MakeImage(kWidth, kHeight, QImage::Format_RGB32, [](int x, int y) {
    const QRgb c = Colour(x, y);
    return qRgb(Widen5(qRed(c) >> 3), Widen5(qGreen(c) >> 3), Widen5(qBlue(c) >> 3));
  });
  const auto grey_index = [](int x, int y) { return QByteArray(1, char(40 * (x / 2) + 70 * y)); };
  const QImage greys = MakeImage(kWidth, kHeight, QImage::Format_RGB32, [](int x, int y) {
    const int i = 40 * (x / 2) + 70 * y;
    return qRgb(i, i, i);
  });

  const auto stored = [](int image_type, int depth, const std::function<QByteArray(int, int)>& bytes) {
    TgaLayout layout = Sized(image_type, depth);
    layout.pixels = Stored(kWidth, kHeight, false, bytes);
    return layout;
  };
  AppendBothEncodings(cases, "24 bits", stored(2, 24, bgr), true_colour);
  AppendBothEncodings(cases, "32 bits with alpha", stored(2, 32, bgra), with_alpha);
  AppendBothEncodings(cases, "16 bits, 2-byte pixels", stored(2, 16, rgb555), quantised);
  AppendBothEncodings(cases, "8-bit grey", stored(3, 8, grey_index), greys);
  // Colour maps of 5 entries; indices past the end of the map are black.
  const int entries = 5;
  const auto map_colour = [](int i) { return qRgb(30 + 50 * i, 200 - 40 * i, 17 * i); };
  const auto index = [](int x, int y) { return (x + 2 * y) % 7; };  // 5 and 6 are beyond the map
  const auto mapped = [&](auto entry_colour) {
    return MakeImage(kWidth, kHeight, QImage::Format_RGB32, [&](int x, int y) {
      return index(x, y) < entries ? entry_colour(index(x, y)) : qRgb(0, 0, 0);
    });
  };
  const QByteArray indices = Stored(kWidth, kHeight, false, [&](int x, int y) { return QByteArray(1, char(index(x, y))); });
  for (int bits : {24, 32, 16}) {
    TgaLayout layout = Sized(1, 8);
    layout.map_length = entries;
    layout.map_bits = bits;
    for (int i = 0; i < entries; ++i) {
      const QRgb c = map_colour(i);
      if (bits == 16) {
        const int value = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3;
        layout.map += char(value & 0xFF);
        layout.map += char(value >> 8);
      } else {
        layout.map += Bgr(c);
        if (bits == 32) layout.map += char(i * 10);  // alpha of the map is dropped
      }
    }
    const QImage expected = bits == 16 ? mapped([&](int i) {
      const QRgb c = map_colour(i);
      return qRgb(Widen5(qRed(c) >> 3), Widen5(qGreen(c) >> 3), Widen5(qBlue(c) >> 3));
    })
                                       : mapped(map_colour);
    layout.pixels = indices;
    AppendBothEncodings(cases, "colour map of " + std::to_string(bits) + " bits", layout, expected);
  }
  {
    TgaLayout layout = Sized(2, 24);
    layout.descriptor = 0x20;
    layout.pixels = Stored(kWidth, kHeight, true, bgr);
    cases.append({"rows stored top first", layout, true_colour});
    layout.descriptor = 0x30;
    layout.pixels = Stored(kWidth, kHeight, true, [](int x, int y) { return Bgr(Colour(kWidth - 1 - x, y)); });
    cases.append({"columns stored right first", layout, true_colour});
  }
  {
    TgaLayout layout = Sized(2, 24);
    layout.id_length = 9;
    layout.pixels = Stored(kWidth, kHeight, false, bgr);
    cases.append({"image ID field skipped", layout, true_colour});
  }
  {
    // The origin comes off the size: a header width of 7 with x origin 2 is a picture 5 wide.
    TgaLayout layout = Sized(2, 24);
    layout.width = kWidth + 2;
    layout.x_origin = 2;
    layout.height = kHeight + 1;
    layout.y_origin = 1;
    layout.pixels = Stored(kWidth, kHeight, false, bgr);
    cases.append({"origin subtracted", layout, true_colour});
  }
  {
    // Data that ends early gives the rows it holds (the picture's bottom rows, stored
    // first), the rest of the last one black; a packet running past the picture is cut.
    TgaLayout layout = Sized(2, 24);
    layout.pixels = Stored(kWidth, kHeight, false, bgr).first(3 * (kWidth + 2) + 1);
    cases.append({"short data", layout, MakeImage(kWidth, 2, QImage::Format_RGB32, [](int x, int y) {
                    return y == 1 || x < 2 ? Colour(x, y + kHeight - 2) : qRgb(0, 0, 0);
                  })});
    // The last packet, a run of 128, is cut after the picture's last two pixels.
    layout.image_type = 10;
    layout.pixels = TgaRunLength(Stored(kWidth, kHeight, false, bgr).first(3 * (kWidth * kHeight - 2)), 3) +
                  char(0xFF) + Bgr(Colour(3, 0));
    cases.append({"run past the end cut", layout, MakeImage(kWidth, kHeight, QImage::Format_RGB32, [](int x, int y) {
                    return y == 0 && x == 4 ? Colour(3, 0) : Colour(x, y);
                  })});
  }
  return cases;
}

TEST(TgaDecoder, EveryVariantMatchesTheReferencePixels) {
  for (const TgaCase& c : TgaCases()) {
    const QImage decoded = DecodeTga(TgaFile(c.layout));
    ASSERT_FALSE(decoded.isNull()) << c.name;
    EXPECT_EQ(decoded.size(), c.expected.size()) << c.name;
    EXPECT_EQ(Normalised(decoded), Normalised(c.expected)) << c.name;
  }
}

TEST(TgaDecoder, VariantsItCannotDrawGiveNoBitmap) {
  const QByteArray pixels(kWidth * kHeight * 4, '\x55');
  struct Bad {
    const char* name;
    TgaLayout layout;
  };
  QList<Bad> bad;
  auto with = [&](const char* name, auto change) {
    TgaLayout layout = Sized(2, 24);
    layout.pixels = pixels;
    change(layout);
    bad.append({name, layout});
  };
  with("15 bits", [](TgaLayout& s) { s.depth = 15; });
  with("12 bits", [](TgaLayout& s) { s.depth = 12; });
  with("image type 0", [](TgaLayout& s) { s.image_type = 0; });
  with("image type 32", [](TgaLayout& s) { s.image_type = 32; });
  with("colour-mapped at 16 bits", [](TgaLayout& s) { s.image_type = 1, s.depth = 16; });
  with("x origin equal to the width", [](TgaLayout& s) { s.x_origin = kWidth; });
  with("y origin beyond the height", [](TgaLayout& s) { s.y_origin = kHeight + 4; });
  with("negative width", [](TgaLayout& s) { s.width = -5; });
  with("beyond the pixel limit", [](TgaLayout& s) { s.width = 30000, s.height = 30000; });
  for (const Bad& b : bad) EXPECT_TRUE(DecodeTga(TgaFile(b.layout)).isNull()) << b.name;
  EXPECT_TRUE(DecodeTga(QByteArray(18, '\0')).isNull());
  EXPECT_TRUE(DecodeTga(QByteArray()).isNull());
}

// A header may claim any size within the limit: only the rows the data can fill are made.
TEST(TgaDecoder, AHugeSizeFromATinyFileGivesOnlyTheRowsItCanFill) {
  TgaLayout layout = Sized(10, 8);
  layout.image_type = 11;
  layout.width = 4000;
  layout.height = 3000;
  layout.pixels = QByteArray("\xFF\x09", 2);  // one run of 128 pixels of index 9, then nothing
  QImage decoded = DecodeTga(TgaFile(layout));
  ASSERT_EQ(decoded.size(), QSize(4000, 1));  // 2 bytes give at most 256 pixels
  EXPECT_EQ(decoded.pixel(127, 0), qRgb(9, 9, 9));
  EXPECT_EQ(decoded.pixel(128, 0), qRgb(0, 0, 0));

  layout.image_type = 2;
  layout.depth = 24;
  layout.width = 20000;
  layout.height = 10000;
  layout.pixels = QByteArray(12, '\x40');  // four pixels of a row of 60,000 bytes
  decoded = DecodeTga(TgaFile(layout));
  ASSERT_EQ(decoded.size(), QSize(20000, 1));
  EXPECT_EQ(decoded.pixel(3, 0), qRgb(0x40, 0x40, 0x40));
  EXPECT_EQ(decoded.pixel(4, 0), qRgb(0, 0, 0));
  layout.pixels.clear();
  EXPECT_TRUE(DecodeTga(TgaFile(layout)).isNull());  // no pixel at all
}

TEST(TgaDecoder, FilesDecodeForConversionExceptThirtyTwoBits) {
  test::TempFolder folder;
  TgaLayout layout = Sized(2, 24);
  layout.pixels = Stored(kWidth, kHeight, false, [](int x, int y) { return Bgr(Colour(x, y)); });
  EXPECT_FALSE(DecodeTgaBitmap(folder.Write(QStringLiteral("a.tga"), TgaFile(layout))).isNull());
  layout.depth = 32;
  layout.pixels = QByteArray(kWidth * kHeight * 4, '\x7F');
  EXPECT_TRUE(DecodeTgaBitmap(folder.Write(QStringLiteral("b.tga"), TgaFile(layout))).isNull());
  EXPECT_TRUE(DecodeTgaBitmap(folder.Path(QStringLiteral("missing.tga"))).isNull());
}

// ---- PCX ----

QByteArray Palette16() {
  QByteArray palette;
  for (int i = 0; i < 16; ++i) palette += test::Bytes({i * 16, 255 - i * 16, i * 7});
  return palette;
}

QRgb Palette16Colour(int i) {
  return qRgb(i * 16, 255 - i * 16, i * 7);
}

TEST(PcxDecoder, EveryVariantMatchesTheReferencePixels) {
  struct PcxCase {
    const char* name;
    PcxLayout layout;
    QImage expected;
  };
  QList<PcxCase> cases;
  const int width = 11;  // not a multiple of 8 nor even
  const int height = 3;
  auto sized = [&](int bits, int planes, int line_bytes) {
    PcxLayout layout;
    layout.bits = bits;
    layout.planes = planes;
    layout.x_min = 3;
    layout.y_min = 7;
    layout.x_max = 3 + width - 1;
    layout.y_max = 7 + height - 1;
    layout.line_bytes = line_bytes;
    return layout;
  };
  auto encode = [](PcxLayout layout, const QByteArray& raw) {
    layout.data = layout.encoding == 1 ? test::PcxRunLength(raw) : raw;
    return layout;
  };
  {
    // 1 bit: a set bit is white. Two bytes a line, the last 5 bits unused.
    const auto bit = [](int x, int y) { return (x + y) % 3 == 0; };
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
      int word = 0;
      for (int x = 0; x < width; ++x) word |= bit(x, y) << (15 - x);
      raw += char(word >> 8);
      raw += char(word & 0xFF);
    }
    cases.append({"1 bit", encode(sized(1, 1, 2), raw), MakeImage(width, height, QImage::Format_RGB32, [&](int x, int y) {
                    return bit(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                  })});
  }
  {
    const auto nibble = [](int x, int y) { return (x * 3 + y * 5) % 16; };
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width + 1; x += 2) raw += char(nibble(x, y) << 4 | (x + 1 < width ? nibble(x + 1, y) : 0));
    }
    PcxLayout layout = sized(4, 1, 6);
    layout.palette16 = Palette16();
    cases.append({"4 bits, header palette", encode(layout, raw),
                  MakeImage(width, height, QImage::Format_RGB32, [&](int x, int y) { return Palette16Colour(nibble(x, y)); })});
  }
  // 8 bits: a padding byte ends each line; values of 192 and more must pass as runs.
  const auto value = [](int x, int y) { return (x / 3) * 60 + y * 7 + 20; };
  QByteArray indices;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) indices += char(value(x, y));
    indices += char(0xEE);
  }
  QByteArray palette_tail(1, char(12));
  for (int i = 0; i < 256; ++i) palette_tail += test::Bytes({255 - i, i, i / 2});
  const QImage palette_colours = MakeImage(width, height, QImage::Format_RGB32, [&](int x, int y) {
    const int i = value(x, y);
    return qRgb(255 - i, i, i / 2);
  });
  const QImage grey_colours = MakeImage(width, height, QImage::Format_RGB32, [&](int x, int y) {
    const int i = value(x, y);
    return qRgb(i, i, i);
  });
  {
    PcxLayout layout = encode(sized(8, 1, width + 1), indices);
    layout.data += palette_tail;
    cases.append({"8 bits with the palette at the end", layout, palette_colours});
    layout.encoding = 0;
    layout.data = indices + palette_tail;
    cases.append({"8 bits not run-length", layout, palette_colours});
    cases.append({"8 bits without the palette marker are grey", encode(sized(8, 1, width + 1), indices), grey_colours});
  }
  {
    // Three planes: the line holds the red bytes, then green, then blue.
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
      for (int channel = 0; channel < 3; ++channel) {
        for (int x = 0; x < width + 1; ++x) raw += char(x < width ? Colour(x, y) >> (8 * (2 - channel)) & 0xFF : 0);
      }
    }
    cases.append({"24 bits in three planes", encode(sized(8, 3, width + 1), raw),
                  MakeImage(width, height, QImage::Format_RGB32, [](int x, int y) { return Colour(x, y); })});
  }
  for (const PcxCase& c : cases) {
    const QImage decoded = DecodePcx(PcxFile(c.layout));
    ASSERT_FALSE(decoded.isNull()) << c.name;
    EXPECT_EQ(Normalised(decoded), Normalised(c.expected)) << c.name;
  }
}

TEST(PcxDecoder, RunsOfNothingAndShortDataDecodeWithBlackAfterTheEnd) {
  PcxLayout layout;
  layout.bits = 8;
  layout.planes = 1;
  layout.x_max = 3;
  layout.y_max = 1;
  layout.line_bytes = 4;
  // A run of 0 copies, a run of 3, a literal 5, then the data ends in the second line.
  layout.data = QByteArray("\xC0\x63\xC3\x09\x05\x06", 6);
  const QImage decoded = DecodePcx(PcxFile(layout));
  ASSERT_EQ(decoded.size(), QSize(4, 2));
  const QList<int> expected = {9, 9, 9, 5, 6, 0, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(qRed(decoded.pixel(i % 4, i / 4)), expected[i]) << i;

  // A header claiming a huge picture over a few bytes: only the rows they can fill.
  layout.x_max = 19999;
  layout.y_max = 9999;
  layout.line_bytes = 20000;
  EXPECT_EQ(DecodePcx(PcxFile(layout)).size(), QSize(20000, 1));
}

TEST(PcxDecoder, VariantsItCannotDrawGiveNoBitmap) {
  struct Bad {
    const char* name;
    int bits, planes, x_max, y_max, line_bytes;
  };
  const Bad bad[] = {
      {"2 bits", 2, 1, 9, 9, 4},          {"4 bits in 4 planes", 4, 4, 9, 9, 4},
      {"1 bit in 4 planes", 1, 4, 9, 9, 4}, {"8 bits in 2 planes", 8, 2, 9, 9, 10},
      {"no bytes a line", 8, 1, 9, 9, 0}, {"negative width", 8, 1, -9, 9, 10},
      {"beyond the pixel limit", 8, 1, 32000, 32000, 32001},
  };
  for (const Bad& b : bad) {
    PcxLayout layout;
    layout.bits = b.bits;
    layout.planes = b.planes;
    layout.x_max = b.x_max;
    layout.y_max = b.y_max;
    layout.line_bytes = b.line_bytes;
    layout.data = QByteArray(400, '\x11');
    EXPECT_TRUE(DecodePcx(PcxFile(layout)).isNull()) << b.name;
  }
  EXPECT_TRUE(DecodePcx(QByteArray()).isNull());
}

// ---- Header tests of the probe ----

TEST(TgaPcxProbe, HeaderTestsAndSizes) {
  TgaLayout tga = Sized(2, 24);
  tga.pixels = QByteArray(1, '\0');
  EXPECT_EQ(ProbeTgaHeader(TgaFile(tga))->Width, kWidth);
  tga.x_origin = 2;
  tga.y_origin = kHeight + 4;  // the probe reports |height - y origin|
  const std::optional<ImageProbe> with_origin = ProbeTgaHeader(TgaFile(tga));
  ASSERT_TRUE(with_origin);
  EXPECT_EQ(with_origin->Format, QStringLiteral("TGA"));
  EXPECT_EQ(with_origin->Width, kWidth - 2);
  EXPECT_EQ(with_origin->Height, 4);
  EXPECT_EQ(with_origin->Depth, 24);

  auto tga_probe = [](auto change) {
    TgaLayout layout = Sized(2, 24);
    layout.pixels = QByteArray(1, '\0');
    change(layout);
    return ProbeTgaHeader(TgaFile(layout));
  };
  EXPECT_EQ(tga_probe([](TgaLayout& s) { s.depth = 15; })->Depth, 15);  // passes, though it draws nothing
  EXPECT_FALSE(tga_probe([](TgaLayout& s) { s.width = 1; }));
  EXPECT_FALSE(tga_probe([](TgaLayout& s) { s.image_type = 9, s.depth = 24; }));
  EXPECT_FALSE(tga_probe([](TgaLayout& s) { s.image_type = 4; }));
  EXPECT_FALSE(tga_probe([](TgaLayout& s) { s.width = 30000, s.x_origin = -30000; }));  // 16-bit overflow
  EXPECT_FALSE(tga_probe([](TgaLayout& s) { s.pixels.clear(); }));  // 18 bytes: not longer than the header

  PcxLayout pcx;
  pcx.bits = 8;
  pcx.planes = 3;
  pcx.x_min = 10;
  pcx.x_max = 109;
  pcx.y_max = 49;
  const std::optional<ImageProbe> probed = ProbePcxHeader(PcxFile(pcx));
  ASSERT_TRUE(probed);
  EXPECT_EQ(probed->Format, QStringLiteral("PCX"));
  EXPECT_EQ(probed->Width, 100);
  EXPECT_EQ(probed->Height, 50);
  EXPECT_EQ(probed->Depth, 24);
  QByteArray no_manufacturer = PcxFile(pcx);
  no_manufacturer[0] = 0;
  EXPECT_TRUE(ProbePcxHeader(no_manufacturer));
  EXPECT_FALSE(ProbePcxHeader(PcxFile(pcx).first(30)));
  pcx.bits = 2;
  EXPECT_FALSE(ProbePcxHeader(PcxFile(pcx)));
  pcx.bits = 1;
  pcx.x_max = 1;
  EXPECT_FALSE(ProbePcxHeader(PcxFile(pcx)));
}

}  // namespace
}  // namespace pivlo
