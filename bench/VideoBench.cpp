// The show recorded as a video: a built package of camera-sized photos and a song, played
// by the player's engine on the offline clock, its frames and sound encoded into an MP4
// (composition, transitions, conversion and encoding together, as `show video` runs them).
// realtime_factor is seconds of show per second of wall time; at 1280x720 and 30 fps it
// must be at least 2 on two cores.

#include "BenchPictures.h"
#include "audio/MusicRender.h"
#include "show/ShowSession.h"
#include "show/ShowVideo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace Qt::StringLiterals;
using namespace pivlo;

// Three slides of four seconds, with a transition into each but the first.
constexpr double kShowSeconds = 10;

bool RunCli(const QStringList& args) {
  QProcess cli;
  cli.start(QStringLiteral(PIVLO_APP_DIR "/pivlo-cli"), args);
  return cli.waitForFinished(600000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Four 12 MP photos with captions as a new project has them, and a song as long as the show.
QString MakePackage(const QTemporaryDir& folder) {
  QStringList args{u"project"_s, u"create"_s, folder.filePath(u"show.aps"_s), u"--set"_s, u"TimeInterval=4"_s};
  for (int i = 1; i <= 4; ++i) {
    const QString path = folder.filePath(u"photo%1.jpg"_s.arg(i));
    if (!WriteFile(path, bench::EncodedPicture(bench::PhotoLikePicture(QSize(4000, 3000), i), "jpeg"))) return {};
    args << u"--picture"_s << path;
  }
  const qint64 frames = qint64(kShowSeconds) * 48000;
  QByteArray samples(frames * 4, Qt::Uninitialized);
  auto* out = reinterpret_cast<qint16*>(samples.data());
  for (qint64 i = 0; i < frames; ++i) out[2 * i] = out[2 * i + 1] = qint16(8000 * std::sin(double(i) * 0.0576));
  const QString song = folder.filePath(u"song.wav"_s);
  if (!WriteFile(song, WavHeader(frames) + samples)) return {};
  args << u"--song"_s << song;
  const QString package = folder.filePath(u"show.scr"_s);
  if (!RunCli(args) || !RunCli({u"build"_s, folder.filePath(u"show.aps"_s), package})) return {};
  return package;
}

void BM_ShowVideo(benchmark::State& state, QSize size) {
  QTemporaryDir folder;
  const QString package = MakePackage(folder);
  if (package.isEmpty()) return state.SkipWithError("the package could not be made");
  qint64 wall_ns = 0;
  qint64 frames = 0;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    QString error;
    const std::unique_ptr<ShowSession> session = ShowSession::Open(package, size, &error);
    if (!session) return state.SkipWithError(error.toStdString().c_str());
    const VideoOptions options{size, 30, 1, kShowSeconds, 1};
    const std::optional<VideoSummary> video =
        RecordShowVideo(*session, folder.filePath(u"show.mp4"_s), options, VideoHooks(), &error);
    if (!video) return state.SkipWithError(error.toStdString().c_str());
    wall_ns += timer.nsecsElapsed();
    frames = video->frames;
  }
  state.counters["frames"] = double(frames);
  state.counters["realtime_factor"] = kShowSeconds * double(state.iterations()) / (double(wall_ns) / 1e9);
}

const int kRegistered = [] {
  for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)}) {
    const std::string name = "BM_ShowVideo/" + std::to_string(size.width()) + "x" + std::to_string(size.height());
    benchmark::RegisterBenchmark(name.c_str(), BM_ShowVideo, size)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1);
  }
  return 0;
}();

}  // namespace
