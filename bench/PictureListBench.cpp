// Adding 200 twelve-megapixel camera pictures to the picture list, thumbnails included:
// the wall time per picture, the processor time per picture of all threads together (what
// the wall time comes to on idle cores), and the process's peak memory while adding.

#include "BenchPhotos.h"
#include "core/AppFolders.h"
#include "media/PictureList.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace Qt::Literals::StringLiterals;

// The strip boxes' inner size on a usual screen.
constexpr QSize kThumbnail(160, 120);

class NoPrompter : public pivlo::Prompter {
 public:
  pivlo::MessageAnswer ShowMessage(const QString&, pivlo::MessageIcon, pivlo::MessageButtons,
                                   const QString&) override {
    return pivlo::MessageAnswer::Cancel;
  }
  QStringList GetOpenFileNames(const pivlo::FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const pivlo::FileDialogOptions&) override { return {}; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
};

// The peak resident memory counts from here on (Linux; elsewhere it counts from the start).
void ResetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// Processor time of the whole process, every thread included.
double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// `count` names of one photo: every picture is decoded on its own all the same.
QStringList PhotoFiles(const QTemporaryDir& folder, int count) {
  const std::filesystem::path photo = pivlo::bench::TwelveMegapixelJpeg(24).toStdString();
  QStringList paths;
  for (int i = 1; i <= count; ++i) {
    const QString path = folder.filePath(u"photo-%1.jpg"_s.arg(i));
    std::error_code linked;
    std::filesystem::create_hard_link(photo, path.toStdString(), linked);
    if (linked && !std::filesystem::copy_file(photo, path.toStdString(), linked)) qFatal("cannot place a photo");
    paths << path;
  }
  return paths;
}

void BM_AddPicturesWithThumbnails(benchmark::State& state) {
  const int count = int(state.range(0));
  QTemporaryDir folder;
  const QStringList paths = PhotoFiles(folder, count);
  pivlo::SetApplicationFolder(folder.path());  // thumbnail files go to its Temp folder
  NoPrompter prompter;
  pivlo::Progress progress;
  pivlo::PictureListView view;
  ResetPeakMemory();
  const double started = ProcessSeconds();
  for (auto _ : state) {
    pivlo::ProjectModel model(pivlo::ModelEnvironment{1920, 1080, u"Arial"_s, 64.0});
    pivlo::PictureList list(model, prompter, progress, view, kThumbnail, QString());
    list.AddPictures(paths);
    if (model.pictures.size() != count) state.SkipWithError("pictures missing");
    state.PauseTiming();
    list.ListsCleared();  // its thumbnail files go
    state.ResumeTiming();
  }
  const double used = ProcessSeconds() - started;
  pivlo::SetApplicationFolder(QString());
  state.counters["cpu_per_picture"] = benchmark::Counter(used / double(count) / double(state.iterations()));
  state.counters["per_picture"] =
      benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(BM_AddPicturesWithThumbnails)->Arg(200)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
