#include "media/MP3Info.h"

#include "core/Rounding.h"
#include "core/basByteFiles.h"
#include "media/Bitstream.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace pivlo {
namespace {

constexpr qint64 kBlockSize = 2048;
// Past this many bytes after the ID3v2 tag without a frame, the file is not MPEG audio.
constexpr qint64 kSearchLimit = 10240;
constexpr qint64 kWindowSize = 16384;
constexpr qint64 kId3v1Size = 128;
constexpr qsizetype kVbriTagOffset = 36;
constexpr qsizetype kTocSize = 100;

// Version bits 11, 10, 00 are MPEG-1, 2 and 2.5; layer bits 11, 10, 01 are Layers I, II, III.
constexpr int kMpeg1 = 3;
constexpr int kMpeg2 = 2;
constexpr int kMpeg25 = 0;
constexpr int kSingleChannel = 3;

constexpr int kBitRates[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 Layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 Layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 Layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 Layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 Layers II, III
};
constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000},  // MPEG-2.5
    {0, 0, 0},             // reserved
    {22050, 24000, 16000}, // MPEG-2
    {44100, 48000, 32000}, // MPEG-1
};

struct FrameHeader {
  quint8 raw[4] = {};
  int version_bits = 0;
  int layer_bits = 0;
  bool protection_bit = false;
  int bit_rate_index = 0;
  int sample_rate_index = 0;
  bool padding = false;
  bool private_bit = false;
  int channel_mode = 0;
  int mode_extension = 0;
  bool copyright = false;
  bool original = false;
  int emphasis = 0;
};

FrameHeader DecodeHeader(QByteArrayView bytes) {
  FrameHeader header;
  std::copy_n(bytes.begin(), 4, header.raw);
  Bitstream bits;
  bits.SetData(bytes, 0, 4);
  bits.SkipBits(11);
  header.version_bits = int(bits.ReadBits(2));
  header.layer_bits = int(bits.ReadBits(2));
  header.protection_bit = bits.ReadBits(1);
  header.bit_rate_index = int(bits.ReadBits(4));
  header.sample_rate_index = int(bits.ReadBits(2));
  header.padding = bits.ReadBits(1);
  header.private_bit = bits.ReadBits(1);
  header.channel_mode = int(bits.ReadBits(2));
  header.mode_extension = int(bits.ReadBits(2));
  header.copyright = bits.ReadBits(1);
  header.original = bits.ReadBits(1);
  header.emphasis = int(bits.ReadBits(2));
  return header;
}

int LayerOf(const FrameHeader& header) {
  return header.layer_bits == 0 ? 0 : 4 - header.layer_bits;
}

float VersionOf(const FrameHeader& header) {
  switch (header.version_bits) {
    case kMpeg1: return 1.0f;
    case kMpeg2: return 2.0f;
    case kMpeg25: return 2.5f;
    default: return 0.0f;
  }
}

int BitRateOf(const FrameHeader& header) {
  const int layer = LayerOf(header);
  if (layer == 0 || header.version_bits == 1 || header.bit_rate_index > 14) return 0;
  const int row = header.version_bits == kMpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
  return kBitRates[row][header.bit_rate_index] * 1000;
}

int SampleRateOf(const FrameHeader& header) {
  return header.sample_rate_index > 2 ? 0 : kSampleRates[header.version_bits][header.sample_rate_index];
}

int SamplesPerFrame(const FrameHeader& header) {
  if (header.version_bits == 1) return 0;
  switch (LayerOf(header)) {
    case 1: return 384;
    case 2: return 1152;
    case 3: return header.version_bits == kMpeg1 ? 1152 : 576;
    default: return 0;
  }
}

bool IsValid(const FrameHeader& header) {
  if (header.raw[0] != 0xFF || header.raw[1] <= 0xDF) return false;
  if (header.version_bits == 1 || header.layer_bits == 0) return false;
  if (header.bit_rate_index == 0 || header.bit_rate_index == 15 || header.sample_rate_index == 3) return false;
  if (header.version_bits == kMpeg1 && LayerOf(header) == 2) {
    const int kbits = BitRateOf(header) / 1000;
    const bool single = header.channel_mode == kSingleChannel;
    if ((kbits == 32 || kbits == 48 || kbits == 56 || kbits == 80) && !single) return false;
    if ((kbits == 224 || kbits == 256 || kbits == 320 || kbits == 384) && single) return false;
  }
  return true;
}

// Only for valid headers, where the sample rate is never 0.
qint64 FrameLength(const FrameHeader& header) {
  const qint64 bit_rate = BitRateOf(header);
  const qint64 sample_rate = SampleRateOf(header);
  const int padding = header.padding ? 1 : 0;
  if (LayerOf(header) == 1) return (12 * bit_rate / sample_rate + padding) * 4;
  if (LayerOf(header) == 3 && header.version_bits != kMpeg1) return 72 * bit_rate / sample_rate + padding;
  return 144 * bit_rate / sample_rate + padding;
}

// Where a Xing or Info header sits, after the four header bytes.
qsizetype SideInfoSize(const FrameHeader& header) {
  const bool single = header.channel_mode == kSingleChannel;
  if (header.version_bits == kMpeg1) return single ? 17 : 32;
  return single ? 9 : 17;
}

// Random access to a device through one cached window, so the byte-by-byte search and
// its look-ahead at frame headers cost few reads.
class FileWindow {
 public:
  FileWindow(QIODevice& file, qint64 size) : file_(file), size_(size) {}

  // The `count` bytes at `offset`, or an empty view when they are not all in the file.
  // Valid until the next call.
  QByteArrayView At(qint64 offset, qint64 count) {
    if (offset < 0 || count <= 0 || count > size_ - offset) return {};
    if (offset < base_ || offset + count > base_ + bytes_.size()) {
      const qint64 wanted = std::min(std::max(count, kWindowSize), size_ - offset);
      if (!file_.seek(offset)) return {};
      bytes_ = file_.read(wanted);
      base_ = offset;
      if (bytes_.size() < count) return {};
    }
    return QByteArrayView(bytes_).sliced(offset - base_, count);
  }

 private:
  QIODevice& file_;
  qint64 size_;
  qint64 base_ = 0;
  QByteArray bytes_;
};

// The length of the ID3v2 tag whose 10-byte header is given: its size (sync-safe when it
// looks so, else plain big-endian) plus the header and, for v2.4 and later, the footer.
qint64 Id3v2TagLength(QByteArrayView header) {
  const quint8 b6 = header[6], b7 = header[7], b8 = header[8], b9 = header[9];
  const bool sync_safe = b6 < 0x80 && b7 < 0x80 && b8 < 0x80 && b9 < 0x80;
  const qint64 size = sync_safe ? (qint64(b6) << 21 | qint64(b7) << 14 | qint64(b8) << 7 | b9)
                                : (qint64(b6) << 24 | qint64(b7) << 16 | qint64(b8) << 8 | b9);
  const bool footer = quint8(header[3]) > 3 && (quint8(header[5]) & 0x10) != 0;
  return size + (footer ? 20 : 10);
}

struct FirstFrameFound {
  qint64 offset = -1;
  qint64 length = 0;
  FrameHeader header;
};

// A candidate counts only when the header one frame further on is valid too.
bool CheckCandidate(FileWindow& window, qint64 offset, FirstFrameFound& found) {
  const QByteArrayView first = window.At(offset, 4);
  if (first.isEmpty()) return false;
  const FrameHeader header = DecodeHeader(first);
  if (!IsValid(header)) return false;
  const qint64 length = FrameLength(header);
  const QByteArrayView next = window.At(offset + length, 4);
  if (next.isEmpty() || !IsValid(DecodeHeader(next))) return false;
  found = {offset, length, header};
  return true;
}

FirstFrameFound FindFirstFrame(FileWindow& window, qint64 file_size) {
  static constexpr char kId3[] = "ID3";
  FirstFrameFound found;
  qint64 tag_length = 0;
  int id3_matched = 0;
  bool after_ff = false;
  for (qint64 block = 0; block < file_size;) {
    const QByteArray bytes = window.At(block, std::min(kBlockSize, file_size - block)).toByteArray();
    if (bytes.isEmpty()) break;
    qint64 next_block = block + bytes.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
      const qint64 position = block + i;
      const char byte = bytes[i];
      if (byte == kId3[id3_matched]) {
        if (++id3_matched == 3) {
          id3_matched = 0;
          const qint64 tag_start = position - 2;
          const QByteArrayView tag_header = window.At(tag_start, 10);
          if (!tag_header.isEmpty()) {
            tag_length = Id3v2TagLength(tag_header);
            next_block = tag_start + tag_length;
            after_ff = false;
            break;
          }
        }
      } else {
        id3_matched = byte == 'I' ? 1 : 0;
      }
      if (after_ff && byte != 0 && CheckCandidate(window, position - 1, found)) return found;
      after_ff = quint8(byte) == 0xFF;
    }
    if (block - tag_length > kSearchLimit) break;
    block = next_block;
  }
  return {};
}

}  // namespace

void MP3Info::Clear() {
  *this = MP3Info();
}

bool MP3Info::ReadMP3Info(const QString& strPath) {
  Clear();
  QFile file;
  if (!OpenRegularFile(file, strPath)) return false;
  return ReadMP3Info(file);
}

bool MP3Info::ReadMP3Info(QIODevice& file) {
  Clear();
  const qint64 size = file.size();
  FileWindow window(file, size);
  const FirstFrameFound found = FindFirstFrame(window, size);
  if (found.offset < 0) return false;
  const FrameHeader& header = found.header;

  file_size_ = size;
  first_frame_ = found.offset;
  channels_ = header.channel_mode == kSingleChannel ? 1 : 2;
  layer_ = LayerOf(header);
  mpeg_version_ = VersionOf(header);
  sample_rate_ = SampleRateOf(header);
  bit_rate_ = BitRateOf(header);
  copyright_bit_ = header.copyright;
  original_bit_ = header.original;
  private_bit_ = header.private_bit;
  protected_ = !header.protection_bit;
  emphasis_ = qint16(header.emphasis);

  mpeg_bytes_ = file_size_ - first_frame_;
  // An ID3v1 tag follows the audio; "TAG" bytes before the first frame are not one.
  const qint64 id3v1_start = file_size_ - kId3v1Size;
  if (id3v1_start >= first_frame_ && window.At(id3v1_start, 3) == QByteArrayView("TAG")) {
    mpeg_bytes_ -= kId3v1Size;
  }

  const QByteArray frame = window.At(first_frame_, found.length).toByteArray();
  if (!AnalyseFirstFrame(frame, SideInfoSize(header), SamplesPerFrame(header))) duration_ = 0;
  return true;
}

// False on a fault (a frame too short for its tags, a bit rate out of range); the fields
// set before it stand.
bool MP3Info::AnalyseFirstFrame(const QByteArray& frame, qsizetype side_info_size, qint32 samples_per_frame) {
  const qsizetype tag_offset = 4 + side_info_size;
  if (frame.size() < tag_offset + 4) return false;
  const QByteArrayView tag = QByteArrayView(frame).sliced(tag_offset, 4);
  Tag found = Tag::None;
  if (tag == QByteArrayView("Xing") || tag == QByteArrayView("Info")) {
    if (!ParseXing(frame, tag_offset + 4)) return false;
    found = tag == QByteArrayView("Xing") ? Tag::Xing : Tag::Info;
  } else {
    if (frame.size() < kVbriTagOffset + 4) return false;
    if (QByteArrayView(frame).sliced(kVbriTagOffset, 4) == QByteArrayView("VBRI")) {
      if (!ParseVbri(frame, kVbriTagOffset + 4)) return false;
      found = Tag::Vbri;
    }
  }
  const bool xing_layout = found == Tag::Xing || found == Tag::Info;
  const bool variable_rate = found == Tag::Xing || found == Tag::Vbri;

  if (xing_layout && (xing_.flags & 2)) mpeg_bytes_ = xing_.bytes;
  if (found == Tag::Vbri && vbri_.bytes > 0) mpeg_bytes_ = vbri_.bytes;

  frames_ = qint64(RoundHalfEven(double(mpeg_bytes_) / double(frame.size())));
  if (xing_layout && (xing_.flags & 1)) frames_ = xing_.frames;
  if (found == Tag::Vbri && vbri_.frames > 0) frames_ = vbri_.frames;

  duration_ = double(frames_) * samples_per_frame / sample_rate_ * 1000.0;
  if (variable_rate && duration_ > 0) {
    const double average = RoundHalfEven(double(mpeg_bytes_) * 8.0 / duration_ * 1000.0);
    if (average > std::numeric_limits<qint32>::max()) return false;
    bit_rate_ = qint32(average);
  }
  is_vbr_ = variable_rate;
  return true;
}

bool MP3Info::ParseXing(const QByteArray& frame, qsizetype offset) {
  Bitstream bits;
  bits.SetData(frame, offset, frame.size() - offset);
  xing_.flags = bits.ReadBits(32);
  if (xing_.flags & 1) xing_.frames = bits.ReadBits(32);
  if (xing_.flags & 2) xing_.bytes = bits.ReadBits(32);
  if (xing_.flags & 4) {
    xing_.toc.resize(kTocSize);
    for (qsizetype i = 0; i < kTocSize; ++i) xing_.toc[i] = char(bits.ReadBits(8));
  }
  if (xing_.flags & 8) xing_.quality = bits.ReadBits(32);
  return !bits.Overrun();
}

bool MP3Info::ParseVbri(const QByteArray& frame, qsizetype offset) {
  Bitstream bits;
  bits.SetData(frame, offset, frame.size() - offset);
  vbri_.version = quint16(bits.ReadBits(16));
  vbri_.delay = float(bits.ReadBits(16));
  vbri_.quality = quint16(bits.ReadBits(16));
  vbri_.bytes = bits.ReadBits(32);
  vbri_.frames = bits.ReadBits(32);
  vbri_.entries = quint16(bits.ReadBits(16));
  vbri_.scale = quint16(bits.ReadBits(16));
  vbri_.entry_size = quint16(bits.ReadBits(16));
  vbri_.frames_per_entry = quint16(bits.ReadBits(16));
  // The table is read from the frame's own bytes, so a huge count ends at the frame's end.
  for (int i = 0; i < vbri_.entries && !bits.Overrun(); ++i) {
    const quint32 entry = bits.ReadBits(vbri_.entry_size * 8);
    if (!bits.Overrun()) vbri_.table.append(qint64(entry) * vbri_.scale);
  }
  return !bits.Overrun();
}

}  // namespace pivlo
