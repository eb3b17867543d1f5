// Whole processes playing a built package: the player from its start to the first frame it
// presents (100 pictures), and the peak memory of the show through slides of 12 MP photos
// (1000 pictures, the offline renderer running the player's engine).

#include "BenchPictures.h"

#include <QElapsedTimer>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

using namespace Qt::StringLiterals;

QString AppFile(const QString& name) { return QStringLiteral(PIVLO_APP_DIR "/") + name; }

bool RunCli(const QStringList& args) {
  QProcess cli;
  cli.start(AppFile(u"pivlo-cli"_s), args);
  return cli.waitForFinished(600000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

// A package of `count` pictures, all hard links to one photo of the size.
QString MakePackage(const QTemporaryDir& folder, int count, QSize photo) {
  const QString original = folder.filePath(u"photo.jpg"_s);
  {
    QFile file(original);
    if (!file.open(QIODevice::WriteOnly)) return {};
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    if (!writer.write(pivlo::bench::PhotoLikePicture(photo, 1))) return {};
  }
  QStringList args{u"project"_s, u"create"_s, folder.filePath(u"show.aps"_s)};
  for (int i = 1; i <= count; ++i) {
    const QString path = folder.filePath(u"photo%1.jpg"_s.arg(i, 4, 10, QLatin1Char('0')));
    if (link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()) != 0) return {};
    args << u"--picture"_s << path;
  }
  const QString package = folder.filePath(u"show.scr"_s);
  if (!RunCli(args) || !RunCli({u"build"_s, folder.filePath(u"show.aps"_s), package})) return {};
  return package;
}

// Runs the program to its end; its peak resident memory in MiB, -1 when it failed.
double PeakMemoryMiB(const QString& program, const QStringList& args) {
  std::vector<QByteArray> words{QFile::encodeName(program)};
  for (const QString& arg : args) words.push_back(arg.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return double(usage.ru_maxrss) / 1024.0;
}

void BM_ShowPeakMemory1000Photos12MP(benchmark::State& state) {
  QTemporaryDir folder;
  const QString package = MakePackage(folder, 1000, QSize(4000, 3000));
  if (package.isEmpty()) return state.SkipWithError("the package could not be made");
  double peak = 0;
  for (auto _ : state) {
    // Six slides with their transitions, at the screen size of a desktop.
    peak = PeakMemoryMiB(AppFile(u"pivlo-cli"_s), {u"show"_s, u"render"_s, package, folder.filePath(u"frames"_s),
                                                   u"--at"_s, u"0,10,20,30,40,50"_s, u"--size"_s, u"1920x1080"_s});
    if (peak < 0) return state.SkipWithError("the show did not render");
  }
  state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_ShowPeakMemory1000Photos12MP)->Unit(benchmark::kMillisecond)->Iterations(1);

// The player says when it presents its first frame (logging category pivlo.player).
void BM_PlayerStartToFirstFrame100Pictures(benchmark::State& state) {
  QTemporaryDir folder;
  const QString package = MakePackage(folder, 100, QSize(1920, 1080));
  if (package.isEmpty()) return state.SkipWithError("the package could not be made");
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
  environment.insert(u"QT_LOGGING_RULES"_s, u"pivlo.player.info=true"_s);
  for (auto _ : state) {
    QProcess player;
    player.setProcessEnvironment(environment);
    player.setReadChannel(QProcess::StandardError);
    QElapsedTimer timer;
    timer.start();
    player.start(package, {u"--window"_s, u"--seed"_s, u"1"_s});
    QByteArray said;
    while (!said.contains("first frame") && timer.elapsed() < 20000 && player.state() != QProcess::NotRunning) {
      player.waitForReadyRead(100);
      said += player.readAllStandardError();
    }
    const qint64 ms = timer.elapsed();
    player.terminate();
    player.waitForFinished(5000);
    if (!said.contains("first frame")) return state.SkipWithError("the player presented no frame");
    state.SetIterationTime(double(ms) / 1000.0);
  }
}
BENCHMARK(BM_PlayerStartToFirstFrame100Pictures)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
