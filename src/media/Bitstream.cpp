#include "media/Bitstream.h"

#include <algorithm>

namespace pivlo {

void Bitstream::SetData(QByteArrayView data, qsizetype offset, qsizetype length) {
  offset = std::clamp<qsizetype>(offset, 0, data.size());
  length = std::clamp<qsizetype>(length, 0, data.size() - offset);
  data_ = data.sliced(offset, length).toByteArray();
  cursor_ = 0;
  bits_left_ = 8;
  overrun_ = false;
}

void Bitstream::SkipBits(qint64 bits) {
  if (bits <= 0) return;
  // Counted from the start of the current byte, so a skip across a byte boundary carries.
  const qint64 position = qint64(8 - bits_left_) + bits;
  const qint64 bytes = position / 8;
  if (bytes > data_.size() - cursor_ || (bytes == data_.size() - cursor_ && position % 8 != 0)) {
    cursor_ = data_.size();
    bits_left_ = 8;
    overrun_ = true;
    return;
  }
  cursor_ += bytes;
  bits_left_ = 8 - int(position % 8);
}

quint32 Bitstream::ReadBits(int bits) {
  if (bits <= 0) return 0;
  if (bits > 32) {
    overrun_ = true;
    return 0;
  }
  quint64 value = 0;
  while (bits > 0) {
    if (cursor_ >= data_.size()) {
      overrun_ = true;
      return 0;
    }
    const quint32 current = quint8(data_[cursor_]) & ((1u << bits_left_) - 1);
    if (bits < bits_left_) {
      value = (value << bits) | (current >> (bits_left_ - bits));
      bits_left_ -= bits;
      break;
    }
    value = (value << bits_left_) | current;
    bits -= bits_left_;
    ++cursor_;
    bits_left_ = 8;
  }
  return quint32(value);
}

}  // namespace pivlo
