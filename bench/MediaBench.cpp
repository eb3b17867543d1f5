// Reading MP3 headers over many files, and measuring songs through libavformat.

#include "media/AudioFixtures.h"
#include "media/MP3Info.h"
#include "media/SongDuration.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace pivlo;

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 1,000 songs as a tagger leaves them: an ID3v2 tag, the audio, an ID3v1 tag.
void BM_ReadMP3Info1000Files(benchmark::State& state) {
  const bool xing = state.range(0) != 0;
  QTemporaryDir dir;
  QStringList paths;
  for (int i = 0; i < 1000; ++i) {
    const QByteArray audio = xing ? test::XingFrame("Xing", 15, 7500 + i, 2000000) + test::VbrFrames(60)
                                  : test::CbrFrames(60);
    paths << dir.filePath(QStringLiteral("song%1.mp3").arg(i));
    if (!WriteFile(paths.last(), test::Id3v2Tag(4086 + i) + audio + test::Id3v1Tag())) {
      state.SkipWithError("cannot make the files");
      return;
    }
  }
  MP3Info info;
  for (auto _ : state) {
    for (const QString& path : paths) {
      if (!info.ReadMP3Info(path) || info.Duration() <= 0) state.SkipWithError("not analysed");
    }
  }
  state.counters["files/s"] = benchmark::Counter(double(state.iterations()) * paths.size(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadMP3Info1000Files)->ArgName("xing")->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// Three-minute songs of each kind (30 s for WMA, whose encoding is slow to prepare).
struct Songs {
  QTemporaryDir dir;
  QStringList paths;
  Songs() {
    const int frames = 7500;  // 180 s of 24 ms frames
    const QByteArray vbr = test::VbrFrames(frames);
    WriteFile(Add(QStringLiteral("cbr.mp3")), test::Id3v2Tag(4086) + test::CbrFrames(frames) + test::Id3v1Tag());
    WriteFile(Add(QStringLiteral("xing.mp3")), test::XingFrame("Xing", 3, frames, vbr.size()) + vbr);
    WriteFile(Add(QStringLiteral("pcm.wav")), test::WavFile(2, 44100, 16, 180 * 44100));
    WriteFile(Add(QStringLiteral("tune.mid")),
              test::MidiFile(0, 480, {test::MidiTrack(test::MidiNoteOn(0, 60) + test::MidiNoteOn(172800, 60) +
                                                      test::MidiEndOfTrack(0))}));
    test::WriteSilentWma(Add(QStringLiteral("song.wma")), 30);
  }
  QString Add(const QString& name) {
    paths << dir.filePath(name);
    return paths.last();
  }
};

void BM_MeasureSongQuick(benchmark::State& state) {
  static Songs songs;
  const QString& path = songs.paths[state.range(0)];
  state.SetLabel(path.section(u'/', -1).toStdString());
  for (auto _ : state) {
    if (MeasureSongQuick(path) <= 0) state.SkipWithError("not measured");
  }
}
BENCHMARK(BM_MeasureSongQuick)->DenseRange(0, 4)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
