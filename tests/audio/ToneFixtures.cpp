#include "ToneFixtures.h"

#include "media/AudioFixtures.h"

#include <cmath>
#include <numbers>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace pivlo::test {
namespace {

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(char(value >> (8 * i)));
}

}  // namespace

QByteArray PcmWav(int rate, int channels, qint64 frames, const std::function<qint16(qint64, int)>& sample) {
  QByteArray data;
  data.reserve(qsizetype(frames * channels * 2));
  for (qint64 i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) PutLittleEndian(data, quint16(sample(i, c)), 2);
  }
  QByteArray wav("RIFF");
  PutLittleEndian(wav, quint32(36 + data.size()), 4);
  wav += "WAVEfmt ";
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);
  PutLittleEndian(wav, channels, 2);
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * channels * 2, 4);
  PutLittleEndian(wav, channels * 2, 2);
  PutLittleEndian(wav, 16, 2);
  wav += "data";
  PutLittleEndian(wav, quint32(data.size()), 4);
  return wav + data;
}

qint16 ToneSample(int song, qint64 frame, int channel) {
  const int value = song * 1000 + int(frame % 701);
  return qint16(channel == 0 ? value : -value);
}

QByteArray ToneFrames(int song, qint64 frames) {
  // The WAV's data chunk is exactly the stream's bytes.
  return ToneWav(song, frames).sliced(44);
}

QByteArray ToneWav(int song, qint64 frames) {
  return PcmWav(48000, 2, frames, [song](qint64 frame, int channel) { return ToneSample(song, frame, channel); });
}

bool WriteSineMp3(const QString& path, double seconds, int rate) {
  const auto sine = [rate](qint64 frame) {
    return float(0.5 * std::sin(2 * std::numbers::pi * 440.0 * double(frame) / rate));
  };
  return EncodeStereoSong(path, "mp3", AV_CODEC_ID_MP3, rate, 128000, seconds, sine) > 0;
}

QByteArray HeldNoteMidi(double seconds) {
  // 480 ticks a quarter note at 120 beats a minute: 960 ticks a second.
  const auto ticks = quint32(std::lround(seconds * 960));
  return MidiFile(0, 480, {MidiTrack(MidiTempo(0, 500000) + MidiNoteOn(0, 60) + MidiEndOfTrack(ticks))});
}

QByteArray ChordsMidi(double seconds) {
  QByteArray events = MidiTempo(0, 500000);
  const int chords = int(std::lround(seconds * 4));  // 240 ticks, an eighth note, each
  for (int i = 0; i < chords; ++i) {
    const int root = 48 + (i * 5) % 24;
    const int keys[3] = {root, root + 4, root + 7};
    for (const int key : keys) events += MidiNoteOn(0, key);
    // Note off: the same keys with velocity 0, the first one after the chord's time.
    for (int k = 0; k < 3; ++k) events += VariableLength(k == 0 ? 240 : 0) + char(0x90) + char(keys[k]) + char(0);
  }
  return MidiFile(0, 480, {MidiTrack(events + MidiEndOfTrack(0))});
}

}  // namespace pivlo::test
