#include "media/ImageHeaderDepth.h"

#include <QtEndian>

namespace pivlo {
namespace {

constexpr int kTiffMaxEntries = 4096;
constexpr int kJpegMaxSegments = 4096;

QByteArray ReadAt(QIODevice& device, qint64 position, qint64 length) {
  if (position < 0 || !device.seek(position)) return {};
  return device.read(length);
}

int U8(const QByteArray& bytes, qsizetype at) {
  return at < bytes.size() ? quint8(bytes[at]) : 0;
}

// Indexed pictures of 2 bits per pixel come out as 4-bit ones.
int IndexedDepth(int bits) {
  switch (bits) {
    case 1:
    case 4:
    case 8: return bits;
    case 2: return 4;
  }
  return 0;
}

int BmpDepth(QIODevice& device) {
  const QByteArray head = ReadAt(device, 14, 16);
  if (head.size() < 16) return 0;
  const quint32 info_size = qFromLittleEndian<quint32>(head.constData());
  const int bits = qFromLittleEndian<quint16>(head.constData() + (info_size == 12 ? 10 : 14));
  switch (bits) {
    case 16:
    case 24:
    case 32: return bits;
  }
  return IndexedDepth(bits);
}

int PngDepth(QIODevice& device) {
  const QByteArray head = ReadAt(device, 12, 14);  // IHDR: name, width, height, bit depth, colour type
  if (head.size() < 14 || !head.startsWith("IHDR")) return 0;
  const int bits = U8(head, 12);
  switch (U8(head, 13)) {
    case 0: return bits == 16 ? 16 : IndexedDepth(bits);  // grey
    case 2: return bits == 8 ? 24 : 0;                    // RGB
    case 3: return IndexedDepth(bits);                    // palette
    case 4:                                               // grey and alpha
    case 6: return bits == 8 ? 32 : 0;                    // RGBA
  }
  return 0;
}

int JpegDepth(QIODevice& device) {
  qint64 position = 2;
  for (int segment = 0; segment < kJpegMaxSegments; ++segment) {
    const QByteArray marker = ReadAt(device, position, 4);
    if (marker.size() < 2 || U8(marker, 0) != 0xFF) return 0;
    const int kind = U8(marker, 1);
    if (kind == 0xFF) {  // fill byte
      ++position;
      continue;
    }
    if (kind == 0x01 || (kind >= 0xD0 && kind <= 0xD7)) {  // markers without a segment
      position += 2;
      continue;
    }
    if (kind == 0xD9 || kind == 0xDA || marker.size() < 4) return 0;  // image end or scan before a frame
    const bool frame = kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
    if (frame) {
      switch (U8(ReadAt(device, position + 9, 1), 0)) {  // number of components
        case 1: return 8;
        case 3: return 24;
      }
      return 0;  // CMYK and the rest
    }
    position += 2 + qFromBigEndian<quint16>(marker.constData() + 2);
  }
  return 0;
}

class TiffReader {
 public:
  explicit TiffReader(QIODevice& device) : device_(device) {}

  int Depth() {
    const QByteArray head = ReadAt(device_, 0, 8);
    if (head.startsWith(QByteArrayView("II*\0", 4))) {
      little_ = true;
    } else if (!head.startsWith(QByteArrayView("MM\0*", 4))) {
      return 0;
    }
    const qint64 directory = U32(head, 4);
    const QByteArray count_bytes = ReadAt(device_, directory, 2);
    if (count_bytes.size() < 2) return 0;
    const int entries = qMin(int(U16(count_bytes, 0)), kTiffMaxEntries);
    const QByteArray table = ReadAt(device_, directory + 2, qint64(entries) * 12);
    int bits = 1, samples = 1, photometric = -1;
    for (qsizetype at = 0; at + 12 <= table.size(); at += 12) {
      switch (U16(table, at)) {
        case 258: bits = FirstValue(table, at); break;
        case 262: photometric = FirstValue(table, at); break;
        case 277: samples = FirstValue(table, at); break;
      }
    }
    if (photometric == 5) return 0;  // CMYK
    if (samples == 1) return bits == 16 ? 16 : IndexedDepth(bits);
    if (bits != 8) return 0;
    switch (samples) {
      case 2:   // grey and alpha
      case 4: return 32;
      case 3: return 24;
    }
    return 0;
  }

 private:
  quint32 U16(const QByteArray& bytes, qsizetype at) const {
    if (at + 2 > bytes.size()) return 0;
    return little_ ? qFromLittleEndian<quint16>(bytes.constData() + at) : qFromBigEndian<quint16>(bytes.constData() + at);
  }
  quint32 U32(const QByteArray& bytes, qsizetype at) const {
    if (at + 4 > bytes.size()) return 0;
    return little_ ? qFromLittleEndian<quint32>(bytes.constData() + at) : qFromBigEndian<quint32>(bytes.constData() + at);
  }

  // The first value of a directory entry of short (3) or long (4) numbers, held in the
  // entry when it fits in four bytes, else at the offset the entry gives.
  int FirstValue(const QByteArray& table, qsizetype entry) {
    const int type = U16(table, entry + 2);
    const quint32 count = U32(table, entry + 4);
    const int size = type == 3 ? 2 : type == 4 ? 4 : 0;
    if (size == 0 || count == 0) return 0;
    QByteArray value = table.mid(entry + 8, 4);
    if (qint64(count) * size > 4) value = ReadAt(device_, U32(table, entry + 8), size);
    return int(size == 2 ? U16(value, 0) : qMin<quint32>(U32(value, 0), 0xFFFF));
  }

  QIODevice& device_;
  bool little_ = false;
};

}  // namespace

int HeaderDepth(QIODevice& device, const QString& tag) {
  if (tag == u"GIF") return 8;
  if (tag == u"BMP") return BmpDepth(device);
  if (tag == u"PNG") return PngDepth(device);
  if (tag == u"JPG") return JpegDepth(device);
  if (tag == u"TIF") return TiffReader(device).Depth();
  return 0;
}

}  // namespace pivlo
