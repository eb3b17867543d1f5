#pragma once

// The one format of the show's sound: 48 kHz stereo, signed 16-bit samples interleaved
// left, right. A frame is one sample of each channel.

#include <QtGlobal>

namespace pivlo {

inline constexpr int kAudioRate = 48000;
inline constexpr int kAudioChannels = 2;
inline constexpr int kAudioFrameBytes = kAudioChannels * int(sizeof(qint16));

// Milliseconds from frames, rounded down.
constexpr qint64 AudioFramesToMs(qint64 frames) { return frames * 1000 / kAudioRate; }

}  // namespace pivlo
