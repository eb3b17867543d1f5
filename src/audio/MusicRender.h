#pragma once

// The stream without a device: exactly the samples a device would be sent.

#include "audio/MusicStream.h"

#include <QByteArray>
#include <QString>

namespace pivlo {

// The most frames a WAV file holds (its sizes are 32-bit).
inline constexpr qint64 kLongestWavFrames = (0xFFFFFFFFLL - 36) / 4;

// The 44-byte header of a PCM WAV file of `frames` frames in the show's format.
QByteArray WavHeader(qint64 frames);

// The stream's next `frames` frames as little-endian bytes.
QByteArray RenderMusic(MusicStream& stream, qint64 frames);

// Writes the stream's next `frames` frames as a 48 kHz stereo 16-bit WAV file, which
// replaces `path` only once it is complete. False, with the reason in `error`, when it
// cannot be written (then an old file stays as it was).
bool WriteMusicWav(const QString& path, MusicStream& stream, qint64 frames, QString* error = nullptr);

}  // namespace pivlo
