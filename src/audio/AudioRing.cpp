#include "audio/AudioRing.h"

#include "audio/AudioFormat.h"

#include <algorithm>

namespace pivlo {

AudioRing::AudioRing(qsizetype frames) : capacity_(frames), samples_(size_t(frames) * kAudioChannels) {}

qsizetype AudioRing::FreeFrames() const {
  return capacity_ - qsizetype(written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire));
}

void AudioRing::Write(const qint16* in, qsizetype frames) {
  const qint64 at = written_.load(std::memory_order_relaxed);
  Copy(at, frames, in, nullptr);
  written_.store(at + frames, std::memory_order_release);
}

qsizetype AudioRing::Read(qint16* out, qsizetype frames) {
  const qint64 at = read_.load(std::memory_order_relaxed);
  const qsizetype stored = qsizetype(written_.load(std::memory_order_acquire) - at);
  const qsizetype count = std::min(frames, stored);
  Copy(at, count, nullptr, out);
  read_.store(at + count, std::memory_order_release);
  return count;
}

// Copies `frames` frames at ring position `from` in (from `in`) or out (to `out`), in at
// most two pieces around the ring's end.
void AudioRing::Copy(qint64 from, qsizetype frames, const qint16* in, qint16* out) {
  qsizetype done = 0;
  while (done < frames) {
    const qsizetype slot = qsizetype((from + done) % capacity_);
    const qsizetype piece = std::min(frames - done, capacity_ - slot);
    qint16* ring = samples_.data() + slot * kAudioChannels;
    if (in != nullptr) {
      std::copy_n(in + done * kAudioChannels, piece * kAudioChannels, ring);
    } else {
      std::copy_n(ring, piece * kAudioChannels, out + done * kAudioChannels);
    }
    done += piece;
  }
}

}  // namespace pivlo
