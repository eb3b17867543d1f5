#pragma once

// Songs the audio tests and benchmarks make themselves, with samples known exactly.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

namespace pivlo::test {

// A 16-bit PCM WAV: `sample(frame, channel)` for each frame and channel.
QByteArray PcmWav(int rate, int channels, qint64 frames, const std::function<qint16(qint64, int)>& sample);

// A tone no other song of a test shares: song `song`'s sample at `frame` differs from
// every other song's and, within 701 frames, from its own.
qint16 ToneSample(int song, qint64 frame, int channel);
// `frames` frames of song `song`'s tone as the show's stream holds them (48 kHz stereo,
// interleaved, little-endian), and the same as a WAV file that decodes to exactly them.
QByteArray ToneFrames(int song, qint64 frames);
QByteArray ToneWav(int song, qint64 frames);

// Writes `seconds` of a 440 Hz sine as an MP3 file at `rate` Hz through FFmpeg's
// libmp3lame encoder; false when this FFmpeg has no MP3 encoder.
bool WriteSineMp3(const QString& path, double seconds, int rate);

// A Standard MIDI File that holds one piano note for `seconds`, then ends.
QByteArray HeldNoteMidi(double seconds);
// A Standard MIDI File of `seconds` of three-note piano chords, a new chord every eighth
// note at 120 beats a minute: the synthesizer's usual load.
QByteArray ChordsMidi(double seconds);

}  // namespace pivlo::test
