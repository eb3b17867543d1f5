#pragma once

#include <QtGlobal>

#include <atomic>
#include <vector>

namespace pivlo {

// Frames passed from one producer thread to one consumer thread without locks: the
// decoding worker writes, the device's callback reads.
class AudioRing {
 public:
  explicit AudioRing(qsizetype frames);

  // The producer's side.
  qsizetype FreeFrames() const;
  void Write(const qint16* in, qsizetype frames);  // at most FreeFrames()

  // The consumer's side: up to `frames` frames; returns how many there were.
  qsizetype Read(qint16* out, qsizetype frames);

 private:
  void Copy(qint64 from, qsizetype frames, const qint16* in, qint16* out);

  qsizetype capacity_;
  std::vector<qint16> samples_;
  // Frames written and read since the start; their difference is what the ring holds.
  std::atomic<qint64> written_{0};
  std::atomic<qint64> read_{0};
};

}  // namespace pivlo
