#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace pivlo {

// Reads bit fields most significant bit first from a private copy of some bytes.
// Reading past the end gives 0 and marks the stream as overrun, so a parser can read a
// whole record and check once.
class Bitstream {
 public:
  // Copies `length` bytes of `data` from `offset` (as many as there are) and starts at
  // the first of them with 8 bits left.
  void SetData(QByteArrayView data, qsizetype offset, qsizetype length);

  void SkipBits(qint64 bits);
  // The next `bits` bits (at most 32) as an unsigned value in the low bits.
  quint32 ReadBits(int bits);

  bool Overrun() const { return overrun_; }

 private:
  QByteArray data_;
  qsizetype cursor_ = 0;  // the current byte
  int bits_left_ = 8;     // unread bits of the current byte, 1 to 8
  bool overrun_ = false;
};

}  // namespace pivlo
