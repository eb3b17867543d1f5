#include "media/LoadTgaPcx.h"

#include "core/basByteFiles.h"
#include "media/PictureLimits.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pivlo {
namespace {

constexpr qsizetype kTgaHeaderSize = 18;
constexpr qsizetype kPcxHeaderSize = 128;
constexpr qsizetype kPcxPaletteTail = 769;  // marker byte 12 and 256 x R, G, B at the file's end
constexpr int kInt16Limit = 32767;

int U8(QByteArrayView bytes, qsizetype at) {
  return at < bytes.size() ? quint8(bytes[at]) : 0;
}

int U16(QByteArrayView bytes, qsizetype at) {
  return U8(bytes, at) | U8(bytes, at + 1) << 8;
}

int I16(QByteArrayView bytes, qsizetype at) {
  return qint16(quint16(U16(bytes, at)));
}

// |a - b| as 16-bit arithmetic gives it; nothing where that would overflow.
std::optional<int> Int16Distance(int a, int b) {
  const int difference = std::abs(a - b);
  if (difference > kInt16Limit) return std::nullopt;
  return difference;
}

int Widen5(int channel) {
  return channel << 3 | channel >> 2;
}

QRgb Rgb555(int value) {
  return qRgb(Widen5(value >> 10 & 31), Widen5(value >> 5 & 31), Widen5(value & 31));
}

QList<QRgb> GreyRamp() {
  QList<QRgb> table(256);
  for (int i = 0; i < 256; ++i) table[i] = qRgb(i, i, i);
  return table;
}

QByteArray ReadPictureFile(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path) || file.size() > kMaxPictureFileBytes) return {};
  return file.readAll();
}

// The picture a header claims, with only the rows that `data` bytes can fill: a header
// may claim any size, so only what the file can fill is allocated. Uncompressed rows take
// `row_bytes` each; run-length data gives at most 128 pixels a byte. Null when the claimed
// size is beyond the pixel limit or no row can be filled.
QImage BlankImage(int width, int height, QImage::Format format, qsizetype data, qint64 row_bytes,
                  bool run_length) {
  if (width <= 0 || height <= 0 || row_bytes <= 0 || data <= 0 || !WithinPixelLimit(QSize(width, height))) return {};
  const qint64 rows = run_length ? (qint64(data) * 128 + width - 1) / width : (qint64(data) + row_bytes - 1) / row_bytes;
  QImage image(width, int(std::min<qint64>(height, rows)), format);
  if (!image.isNull()) image.fill(0);
  return image;
}

// ---- TGA ----

struct TgaHeader {
  int id_length;
  int image_type;
  int map_length;
  int map_entry_bits;
  int x_origin;
  int y_origin;
  int width;
  int height;
  int depth;
  int descriptor;
};

std::optional<TgaHeader> ReadTgaHeader(QByteArrayView file) {
  if (file.size() <= kTgaHeaderSize) return std::nullopt;
  return TgaHeader{U8(file, 0),  U8(file, 2),   U16(file, 5),  U8(file, 7),   I16(file, 8),
                   I16(file, 10), I16(file, 12), I16(file, 14), U8(file, 16), U8(file, 17)};
}

bool IsAcceptedTgaType(const TgaHeader& header) {
  switch (header.image_type) {
    case 1:
    case 9: return header.depth == 8;  // colour-mapped pictures only with 8-bit indices
    case 2:
    case 3:
    case 10:
    case 11: break;
    default: return false;
  }
  switch (header.depth) {
    case 8:
    case 15:
    case 16:
    case 24:
    case 32: return true;
  }
  return false;
}

int TgaMapEntryBytes(int bits) {
  switch (bits) {
    case 15:
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
  }
  return 0;  // no colour map
}

QList<QRgb> TgaPalette(QByteArrayView file, const TgaHeader& header) {
  const int entry_bytes = TgaMapEntryBytes(header.map_entry_bits);
  if (entry_bytes == 0) return GreyRamp();
  QList<QRgb> table(256, qRgb(0, 0, 0));
  const qsizetype start = kTgaHeaderSize + header.id_length;
  const int entries = std::min(header.map_length, 256);
  for (int i = 0; i < entries; ++i) {
    const qsizetype at = start + qsizetype(i) * entry_bytes;
    if (at + entry_bytes > file.size()) break;
    table[i] = entry_bytes == 2 ? Rgb555(U16(file, at)) : qRgb(U8(file, at + 2), U8(file, at + 1), U8(file, at));
  }
  return table;
}

// The stored pixels one after the other, run-length packets expanded.
class TgaPixelSource {
 public:
  TgaPixelSource(QByteArrayView data, int pixel_bytes, bool run_length)
      : data_(data), pixel_bytes_(pixel_bytes), run_length_(run_length) {}

  // The next pixel's bytes; nullptr once the data ends.
  const uchar* Next() {
    if (run_length_ && packet_left_ == 0 && !StartPacket()) return nullptr;
    --packet_left_;
    if (repeat_) return repeated_;
    return Take();
  }

 private:
  const uchar* Take() {
    if (position_ + pixel_bytes_ > data_.size()) return nullptr;
    const auto* pixel = reinterpret_cast<const uchar*>(data_.data() + position_);
    position_ += pixel_bytes_;
    return pixel;
  }

  // A packet byte with the top bit set is a run of (byte - 127) copies of one pixel;
  // otherwise (byte + 1) raw pixels follow.
  bool StartPacket() {
    if (position_ >= data_.size()) return false;
    const int packet = quint8(data_[position_++]);
    repeat_ = packet & 0x80;
    packet_left_ = repeat_ ? packet - 127 : packet + 1;
    if (repeat_) repeated_ = Take();
    return !repeat_ || repeated_ != nullptr;
  }

  QByteArrayView data_;
  qsizetype position_ = 0;
  int pixel_bytes_;
  bool run_length_;
  int packet_left_ = 0;
  bool repeat_ = false;
  const uchar* repeated_ = nullptr;
};

QImage::Format TgaFormat(int depth) {
  switch (depth) {
    case 8: return QImage::Format_Indexed8;
    case 16: return QImage::Format_RGB555;
    case 24: return QImage::Format_RGB32;
    case 32: return QImage::Format_ARGB32;
  }
  return QImage::Format_Invalid;  // 15 bits and the rest are not drawn
}

void PutTgaPixel(uchar* line, QImage::Format format, int x, const uchar* pixel) {
  switch (format) {
    case QImage::Format_Indexed8: line[x] = pixel[0]; break;
    case QImage::Format_RGB555: reinterpret_cast<quint16*>(line)[x] = (pixel[0] | pixel[1] << 8) & 0x7fff; break;
    case QImage::Format_RGB32: reinterpret_cast<QRgb*>(line)[x] = qRgb(pixel[2], pixel[1], pixel[0]); break;
    default: reinterpret_cast<QRgb*>(line)[x] = qRgba(pixel[2], pixel[1], pixel[0], pixel[3]); break;
  }
}

// ---- PCX ----

struct PcxHeader {
  bool run_length;
  int bits;
  int x_min;
  int y_min;
  int x_max;
  int y_max;
  int planes;
  int line_bytes;  // per plane
};

PcxHeader ReadPcxHeader(QByteArrayView file) {
  return PcxHeader{U8(file, 2) == 1, U8(file, 3), I16(file, 4), I16(file, 6), I16(file, 8), I16(file, 10),
                   U8(file, 65), I16(file, 66)};
}

// The scan lines one after the other, run-length expanded: a byte of 192 or more gives
// (byte - 192) copies of the byte that follows, any other byte stands for itself.
class PcxLineSource {
 public:
  PcxLineSource(QByteArrayView data, bool run_length) : data_(data), run_length_(run_length) {}

  // Fills the line, with 0 where the data ends; false when it had already ended.
  bool Fill(uchar* line, qsizetype size) {
    if (run_left_ == 0 && position_ >= data_.size()) return false;
    qsizetype filled = 0;
    while (filled < size) {
      if (run_left_ > 0) {
        const qsizetype count = std::min<qsizetype>(run_left_, size - filled);
        std::memset(line + filled, run_byte_, size_t(count));
        filled += count;
        run_left_ -= int(count);
        continue;
      }
      if (position_ >= data_.size()) break;
      const int byte = quint8(data_[position_++]);
      if (!run_length_ || byte < 192) {
        line[filled++] = uchar(byte);
      } else if (position_ < data_.size()) {
        run_byte_ = uchar(data_[position_++]);
        run_left_ = byte - 192;
      }
    }
    std::memset(line + filled, 0, size_t(size - filled));
    return true;
  }

 private:
  QByteArrayView data_;
  bool run_length_;
  qsizetype position_ = 0;
  int run_left_ = 0;
  uchar run_byte_ = 0;
};

QList<QRgb> PcxPalette(QByteArrayView file, const PcxHeader& header) {
  if (header.bits == 1) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  QList<QRgb> table;
  if (header.bits == 4) {
    for (int i = 0; i < 16; ++i) table << qRgb(U8(file, 16 + 3 * i), U8(file, 17 + 3 * i), U8(file, 18 + 3 * i));
    return table;
  }
  const qsizetype marker = file.size() - kPcxPaletteTail;
  if (marker < kPcxHeaderSize || U8(file, marker) != 12) return GreyRamp();
  for (int i = 0; i < 256; ++i) {
    const qsizetype at = marker + 1 + 3 * i;
    table << qRgb(U8(file, at), U8(file, at + 1), U8(file, at + 2));
  }
  return table;
}

QImage::Format PcxFormat(const PcxHeader& header) {
  if (header.planes == 1) {
    switch (header.bits) {
      case 1: return QImage::Format_Mono;
      case 4:
      case 8: return QImage::Format_Indexed8;
    }
  } else if (header.bits == 8 && header.planes >= 3) {
    return QImage::Format_RGB32;  // red, green and blue planes
  }
  return QImage::Format_Invalid;
}

void PutPcxLine(QImage& image, int y, const uchar* line, int bits, int line_bytes) {
  uchar* out = image.scanLine(y);
  const int width = image.width();
  if (image.format() == QImage::Format_Mono) {
    std::memcpy(out, line, size_t(std::min(line_bytes, (width + 7) / 8)));
  } else if (image.format() == QImage::Format_RGB32) {
    auto* pixels = reinterpret_cast<QRgb*>(out);
    for (int x = 0; x < std::min(width, line_bytes); ++x) {
      pixels[x] = qRgb(line[x], line[line_bytes + x], line[2 * line_bytes + x]);
    }
  } else if (bits == 4) {
    for (int x = 0; x < std::min(width, 2 * line_bytes); ++x) out[x] = x % 2 ? line[x / 2] & 15 : line[x / 2] >> 4;
  } else {
    std::memcpy(out, line, size_t(std::min(width, line_bytes)));
  }
}

}  // namespace

std::optional<QRect> PaintDecodedPicture(QImage& box, const QImage& picture, int mode, QPoint point,
                                         const RandomUnit& random) {
  if (picture.isNull()) return std::nullopt;
  const Placement placement = PlacePicture(picture.size(), box.size(), mode, point, random);
  if (placement.IsEmpty()) return std::nullopt;
  if (picture.format() == QImage::Format_ARGB32) {
    CompositePlaced(box, picture, placement);
  } else {
    DrawPlaced(box, picture, placement);
  }
  return placement.rect;
}

std::optional<ImageProbe> ProbeTgaHeader(QByteArrayView head) {
  const std::optional<TgaHeader> header = ReadTgaHeader(head);
  if (!header || !IsAcceptedTgaType(*header) || header->width < 2 || header->height < 2) return std::nullopt;
  const std::optional<int> width = Int16Distance(header->width, header->x_origin);
  const std::optional<int> height = Int16Distance(header->height, header->y_origin);
  if (!width || !height) return std::nullopt;
  return ImageProbe{QStringLiteral("TGA"), *width, *height, header->depth};
}

std::optional<ImageProbe> ProbePcxHeader(QByteArrayView head) {
  if (head.size() <= 30) return std::nullopt;
  const PcxHeader header = ReadPcxHeader(head);
  if ((header.bits != 1 && header.bits != 4 && header.bits != 8) || header.x_max < 2 || header.y_max < 2) {
    return std::nullopt;
  }
  const std::optional<int> width = Int16Distance(header.x_max + 1, header.x_min);
  const std::optional<int> height = Int16Distance(header.y_max + 1, header.y_min);
  if (!width || !height) return std::nullopt;
  return ImageProbe{QStringLiteral("PCX"), *width, *height, header.planes == 1 ? header.bits : 24};
}

QImage DecodeTga(QByteArrayView file) {
  const std::optional<TgaHeader> header = ReadTgaHeader(file);
  if (!header || !IsAcceptedTgaType(*header)) return {};
  const QImage::Format format = TgaFormat(header->depth);
  if (format == QImage::Format_Invalid) return {};
  const int pixel_bytes = header->depth / 8;
  const qsizetype data_start = kTgaHeaderSize + header->id_length +
                               qsizetype(header->map_length) * TgaMapEntryBytes(header->map_entry_bits);
  const QByteArrayView data = file.sliced(std::min(data_start, file.size()));
  const bool run_length = header->image_type > 8;
  // The origin is taken off the size, as the probe reports it.
  const int width = header->width - header->x_origin;
  QImage image = BlankImage(width, header->height - header->y_origin, format, data.size(),
                            qint64(width) * pixel_bytes, run_length);
  if (image.isNull()) return {};
  if (format == QImage::Format_Indexed8) image.setColorTable(TgaPalette(file, *header));

  TgaPixelSource source(data, pixel_bytes, run_length);
  const bool top_first = header->descriptor & 0x20;
  const bool right_first = header->descriptor & 0x10;
  for (int row = 0; row < image.height(); ++row) {
    uchar* line = image.scanLine(top_first ? row : image.height() - 1 - row);
    for (int column = 0; column < image.width(); ++column) {
      const uchar* pixel = source.Next();
      if (!pixel) return image;
      PutTgaPixel(line, format, right_first ? image.width() - 1 - column : column, pixel);
    }
  }
  return image;
}

QImage DecodePcx(QByteArrayView file) {
  const PcxHeader header = ReadPcxHeader(file);
  const QImage::Format format = PcxFormat(header);
  if (format == QImage::Format_Invalid || header.line_bytes <= 0) return {};
  const QByteArrayView data = file.sliced(std::min(kPcxHeaderSize, file.size()));
  const int width = header.x_max - header.x_min + 1;
  const qint64 row_bytes = qint64(header.planes) * header.line_bytes;
  QImage image =
      BlankImage(width, header.y_max - header.y_min + 1, format, data.size(), row_bytes, header.run_length);
  if (image.isNull()) return {};
  if (format != QImage::Format_RGB32) image.setColorTable(PcxPalette(file, header));

  QByteArray line(row_bytes, Qt::Uninitialized);
  auto* line_data = reinterpret_cast<uchar*>(line.data());
  PcxLineSource source(data, header.run_length);
  for (int y = 0; y < image.height() && source.Fill(line_data, line.size()); ++y) {
    PutPcxLine(image, y, line_data, header.bits, header.line_bytes);
  }
  return image;
}

QImage DecodeTgaFile(const QString& path) { return DecodeTga(ReadPictureFile(path)); }

QImage DecodePcxFile(const QString& path) { return DecodePcx(ReadPictureFile(path)); }

QImage DecodeTgaBitmap(const QString& path) {
  QImage image = DecodeTgaFile(path);
  return image.format() == QImage::Format_ARGB32 ? QImage() : image;
}

QImage DecodePcxBitmap(const QString& path) { return DecodePcxFile(path); }

std::optional<QRect> LoadTgaPicture(QImage& box, const QString& path, int mode, QPoint point,
                                    const RandomUnit& random) {
  return PaintDecodedPicture(box, DecodeTgaFile(path), mode, point, random);
}

std::optional<QRect> LoadPcxPicture(QImage& box, const QString& path, int mode, QPoint point,
                                    const RandomUnit& random) {
  return PaintDecodedPicture(box, DecodePcxFile(path), mode, point, random);
}

}  // namespace pivlo
