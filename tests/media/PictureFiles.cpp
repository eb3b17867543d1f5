#include "PictureFiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QtEndian>

namespace pivlo::test {
namespace {

void PutU16(QByteArray& bytes, qsizetype at, int value) {
  bytes[at] = char(value & 0xFF);
  bytes[at + 1] = char((value >> 8) & 0xFF);
}

}  // namespace

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int value : values) bytes += char(value & 0xFF);
  return bytes;
}

QByteArray TgaFile(const TgaLayout& layout) {
  QByteArray file(18, '\0');
  file[0] = char(layout.id_length);
  file[1] = char(layout.map_length > 0 ? 1 : 0);
  file[2] = char(layout.image_type);
  PutU16(file, 5, layout.map_length);
  file[7] = char(layout.map_bits);
  PutU16(file, 8, layout.x_origin);
  PutU16(file, 10, layout.y_origin);
  PutU16(file, 12, layout.width);
  PutU16(file, 14, layout.height);
  file[16] = char(layout.depth);
  file[17] = char(layout.descriptor);
  file += QByteArray(layout.id_length, 'I');
  return file + layout.map + layout.pixels;
}

QByteArray PcxFile(const PcxLayout& layout) {
  QByteArray file(128, '\0');
  file[0] = 10;
  file[1] = 5;
  file[2] = char(layout.encoding);
  file[3] = char(layout.bits);
  PutU16(file, 4, layout.x_min);
  PutU16(file, 6, layout.y_min);
  PutU16(file, 8, layout.x_max);
  PutU16(file, 10, layout.y_max);
  file.replace(16, layout.palette16.size(), layout.palette16);
  file[65] = char(layout.planes);
  PutU16(file, 66, layout.line_bytes);
  return file + layout.data;
}

QByteArray PcxRunLength(const QByteArray& raw) {
  QByteArray out;
  for (qsizetype i = 0; i < raw.size();) {
    qsizetype run = 1;
    while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) ++run;
    if (run > 1 || quint8(raw[i]) >= 192) {
      out += char(192 + run);
      out += raw[i];
    } else {
      out += raw[i];
    }
    i += run;
  }
  return out;
}

QByteArray GifFile(int width, int height, const QList<QRgb>& palette, const QByteArray& indices) {
  QByteArray file("GIF89a");
  file += Bytes({width, width >> 8, height, height >> 8, 0x81, 0, 0});  // global table of 4 colours
  for (int i = 0; i < 4; ++i) {
    const QRgb colour = palette.value(i);
    file += Bytes({qRed(colour), qGreen(colour), qBlue(colour)});
  }
  file += Bytes({0x2C, 0, 0, 0, 0, width, width >> 8, height, height >> 8, 0});
  // LZW codes of 3 bits: a clear code before every two pixels keeps the table from growing.
  constexpr int kClear = 4, kEnd = 5;
  QList<int> codes;
  for (qsizetype i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) codes << kClear;
    codes << (indices[i] & 3);
  }
  codes << kEnd;
  QByteArray packed;
  int bits = 0, count = 0;
  for (int code : codes) {
    bits |= code << count;
    count += 3;
    while (count >= 8) {
      packed += char(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) packed += char(bits & 0xFF);
  file += char(2);  // minimum code size
  for (qsizetype at = 0; at < packed.size(); at += 255) {
    const QByteArray block = packed.mid(at, 255);
    file += char(block.size());
    file += block;
  }
  return file + Bytes({0, 0x3B});
}

QImage MakeImage(int width, int height, QImage::Format format, const std::function<QRgb(int, int)>& colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = colour(x, y);
  }
  return image.convertToFormat(format);
}

QImage Gradient(int width, int height, QImage::Format format) {
  return MakeImage(width, height, format, [&](int x, int y) {
    return qRgba(255 * x / width, 255 * y / height, 128, 255 - 55 * x / width);
  });
}

QByteArray Encoded(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  if (!writer.write(image)) qFatal("cannot encode a test picture");
  return bytes;
}

QImage NoiseImage(int width, int height, QImage::Format format, quint32 seed) {
  QRandomGenerator random(seed);
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = random.generate() | 0xFF000000u;
  }
  return image.convertToFormat(format);
}

QByteArray OrientedJpeg(const QImage& image, int orientation) {
  // APP1: "Exif", a little-endian TIFF header and one IFD holding only the orientation.
  QByteArray exif("Exif\0\0II\x2a\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24);
  exif += char(orientation);
  exif += QByteArray(7, '\0');  // the value's padding and no next IFD
  const int length = int(exif.size()) + 2;
  const QByteArray segment = QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + exif;
  const QByteArray jpeg = Encoded(image, "jpeg", 95);
  return jpeg.left(2) + segment + jpeg.mid(2);
}

}  // namespace pivlo::test
