// The show's sound: decoding and resampling an MP3 into the 48 kHz stream, as a share of
// one core, and synthesising MIDI, as a real-time factor.

#include "ToneFixtures.h"
#include "audio/AudioFormat.h"
#include "audio/FfmpegSongDecoder.h"
#include "audio/MidiSynth.h"
#include "audio/SoundFont.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace pivlo;
using namespace Qt::StringLiterals;

constexpr double kSongSeconds = 30;

// Every frame of the song; false when it does not decode.
bool DecodeWhole(SongDecoder& decoder, std::vector<qint16>& buffer) {
  qint64 frames = 0;
  while (const qsizetype got = decoder.Read(buffer.data(), qsizetype(buffer.size() / kAudioChannels))) frames += got;
  return frames > 0;
}

// "core_pct": the per cent of one core that decoding takes while the song plays (aim
// under 3); the MP3 is at 44.1 kHz, so the resampler works too.
void BM_Mp3DecodeResample(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"song.mp3"_s);
  if (!test::WriteSineMp3(path, kSongSeconds, 44100)) {
    state.SkipWithError("this FFmpeg has no MP3 encoder");
    return;
  }
  std::vector<qint16> buffer(4096 * kAudioChannels);
  for (auto _ : state) {
    const std::unique_ptr<SongDecoder> decoder = OpenFfmpegSong(path, nullptr);
    if (!decoder || !DecodeWhole(*decoder, buffer)) state.SkipWithError("not decoded");
  }
  // Seconds of audio a second, inverted, in hundredths: per cent of the time it plays.
  state.counters["core_pct"] = benchmark::Counter(double(state.iterations()) * kSongSeconds / 100,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Mp3DecodeResample)->Unit(benchmark::kMillisecond);

// "realtime_x": seconds of MIDI music synthesised per second of one core.
void BM_MidiSynthesis(benchmark::State& state) {
  const QString soundfont = FindSoundFont();
  QString error;
  const std::unique_ptr<MidiSynth> synth = MidiSynth::Create(soundfont, &error);
  if (!synth) {
    state.SkipWithError(error.toUtf8().constData());
    return;
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(u"chords.mid"_s);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !file.write(test::ChordsMidi(kSongSeconds))) {
    state.SkipWithError("cannot write the song");
    return;
  }
  file.close();
  std::vector<qint16> buffer(4096 * kAudioChannels);
  for (auto _ : state) {
    const std::unique_ptr<SongDecoder> decoder = synth->Open(path, nullptr);
    if (!decoder || !DecodeWhole(*decoder, buffer)) state.SkipWithError("not synthesised");
  }
  state.counters["realtime_x"] =
      benchmark::Counter(double(state.iterations()) * kSongSeconds, benchmark::Counter::kIsRate);
  state.SetLabel(soundfont.toStdString());
}
BENCHMARK(BM_MidiSynthesis)->Unit(benchmark::kMillisecond);

}  // namespace
