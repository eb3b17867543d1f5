#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "media/basGdiPlus.h"
#include "show/ShowEngine.h"
#include "show/ShowSession.h"

#include <QDir>

#include <algorithm>
#include <numeric>
#include <optional>

namespace pivlo::cli {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kDefaultScreen(1920, 1080);
// Offline renders stop somewhere; a day of show is far beyond any use.
constexpr double kLatestRenderSeconds = 24 * 3600;

struct ShowOptions {
  QString package;
  QString out;
  quint32 seed = 0;
  std::optional<double> seconds;
  QList<qint64> at_ms;
  QSize size = kDefaultScreen;
};

std::optional<double> ParseSeconds(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !(value >= 0) || value > kLatestRenderSeconds) return std::nullopt;
  return value;
}

// PACKAGE [OUTDIR] then the options; `render` wants OUTDIR and --at.
std::optional<ShowOptions> ParseOptions(const QStringList& args, bool render) {
  const qsizetype positional = render ? 2 : 1;
  if (args.size() < positional) return std::nullopt;
  ShowOptions options;
  options.package = args[0];
  if (render) options.out = args[1];
  for (qsizetype i = positional; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& word = args[i];
    const QString& value = args[i + 1];
    if (word == u"--seed") {
      bool ok = false;
      options.seed = value.toUInt(&ok);
      if (!ok) return std::nullopt;
    } else if (word == u"--size") {
      const std::optional<QSize> size = ParseSize(value);
      if (!size) return std::nullopt;
      options.size = *size;
    } else if (word == u"--seconds" && !render) {
      options.seconds = ParseSeconds(value);
      if (!options.seconds) return std::nullopt;
    } else if (word == u"--at" && render) {
      for (const QString& part : value.split(u',')) {
        const std::optional<double> seconds = ParseSeconds(part);
        if (!seconds) return std::nullopt;
        options.at_ms << qint64(std::llround(*seconds * 1000));
      }
    } else {
      return std::nullopt;
    }
  }
  if (render && options.at_ms.isEmpty()) return std::nullopt;
  return options;
}

std::unique_ptr<ShowSession> OpenSession(const ShowOptions& options) {
  QString error;
  std::unique_ptr<ShowSession> session = ShowSession::Open(options.package, options.size, &error);
  if (!session) PrintError(options.package + u": "_s + error);
  return session;
}

// The offline screen: keeps the last frame presented, as a window shows it.
class RecordingScreen final : public CanvasWindow {
 public:
  explicit RecordingScreen(QSize size) : size_(size) {
    shown_ = QImage(size, QImage::Format_RGB32);
    shown_.fill(Qt::black);
  }
  QSize InnerSize() const override { return size_; }
  void PresentFrame(const QImage& frame) override { shown_ = frame.convertToFormat(QImage::Format_RGB32); }
  QImage ShownImage() const override { return shown_; }

 private:
  QSize size_;
  QImage shown_;
};

}  // namespace

int ShowPlanCommand(const QStringList& args) {
  const std::optional<ShowOptions> options = ParseOptions(args, false);
  if (!options) return kUsageError;
  const std::unique_ptr<ShowSession> session = OpenSession(*options);
  if (!session) return 1;
  const ShowSettings& settings = session->Settings();
  QString text;
  const ShowMaterial material = session->FindMaterial(PrintError);
  for (const ShowEvent& event : PlanShow(settings, material, options->seed, options->seconds)) {
    text += ShowEventLine(event, settings) + u'\n';
  }
  PrintOut(text);
  return 0;
}

int ShowRenderCommand(const QStringList& args) {
  const std::optional<ShowOptions> options = ParseOptions(args, true);
  if (!options) return kUsageError;
  if (!QDir().mkpath(options->out)) {
    PrintError(options->out + u": cannot make the folder"_s);
    return 1;
  }
  const std::unique_ptr<ShowSession> session = OpenSession(*options);
  if (!session) return 1;
  RecordingScreen screen(options->size);
  QString error;
  if (!session->StartGraphics(screen, &error)) {
    PrintError(options->package + u": "_s + error);
    return 1;
  }

  QList<qint64> times = options->at_ms;
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  bool written = true;
  StepShowClock clock(options->seed, times, [&](qsizetype i) {
    const QString path = QDir(options->out).filePath(ShowTimeText(times[i]) + u".png"_s);
    written = WriteOutputFile(path, EncodePicture(screen.ShownImage(), u"PNG"_s, -1)) && written;
  });
  ShowEngine(session->Settings(), session->FindMaterial(PrintError), options->seed, screen, clock).Run();
  return written ? 0 : 1;
}

}  // namespace pivlo::cli
