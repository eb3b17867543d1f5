#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "audio/AudioFormat.h"
#include "audio/MusicRender.h"
#include "media/basGdiPlus.h"
#include "show/ShowEngine.h"
#include "show/ShowMusic.h"
#include "show/ShowOverlay.h"
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
  QString audio;  // render: the sound's WAV file
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
  options.package = UserPath(args[0]);
  if (render) options.out = UserPath(args[1]);
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
    } else if (word == u"--seconds") {
      options.seconds = ParseSeconds(value);
      if (!options.seconds) return std::nullopt;
    } else if (word == u"--audio" && render) {
      options.audio = UserPath(value);
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
  if (render && (options.at_ms.isEmpty() || options.audio.isEmpty() != !options.seconds)) return std::nullopt;
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

// START<TAB>END<TAB>song<TAB>N<TAB>PATH or START<TAB>END<TAB>lyric<TAB>N<TAB>TEXT.
QString MusicEventLine(const MusicEvent& event) {
  return ShowTimeText(event.start_ms) + u'\t' + ShowTimeText(event.end_ms) + u'\t' +
         (event.lyric ? u"lyric"_s : u"song"_s) + u'\t' + QString::number(event.song) + u'\t' +
         EscapeField(event.text);
}

// The show's sound from its start, as the player hands it to the device.
bool WriteShowSound(const ShowSettings& settings, const ShowOptions& options) {
  MusicStream stream(ShowMusicSettings(settings), options.seed, PrintError);
  const qint64 frames = std::llround(*options.seconds * kAudioRate);
  QString error;
  if (frames > kLongestWavFrames || !WriteMusicWav(options.audio, stream, frames, &error)) {
    PrintError(options.audio + u": "_s + (error.isEmpty() ? u"too long for a WAV file"_s : error));
    return false;
  }
  return true;
}

}  // namespace

int ShowPlanCommand(const QStringList& args) {
  const std::optional<ShowOptions> options = ParseOptions(args, false);
  if (!options) return kUsageError;
  const std::unique_ptr<ShowSession> session = OpenSession(*options);
  if (!session) return 1;
  const ShowSettings& settings = session->Settings();
  const ShowMaterial material = session->FindMaterial(PrintError);
  const QList<ShowEvent> pictures = PlanShow(settings, material, options->seed, options->seconds);
  qint64 until_ms = 0;
  if (options->seconds) {
    until_ms = std::llround(*options->seconds * 1000);
  } else {
    for (const ShowEvent& event : pictures) until_ms = std::max(until_ms, event.end_ms);
  }
  const QList<MusicEvent> music = PlanMusic(settings, options->seed, until_ms, PrintError);
  // By start; at the same time the pictures' events first.
  QString text;
  auto next_music = music.cbegin();
  for (const ShowEvent& event : pictures) {
    for (; next_music != music.cend() && next_music->start_ms < event.start_ms; ++next_music) {
      text += MusicEventLine(*next_music) + u'\n';
    }
    text += ShowEventLine(event, settings) + u'\n';
  }
  for (; next_music != music.cend(); ++next_music) text += MusicEventLine(*next_music) + u'\n';
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
  const ShowSettings& settings = session->Settings();
  bool written = options->audio.isEmpty() || WriteShowSound(settings, *options);

  QList<qint64> times = options->at_ms;
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  ShowOverlay* overlay = nullptr;  // the clock's captures see the show through it
  StepShowClock clock(options->seed, times, [&](qsizetype i) {
    const QString path = QDir(options->out).filePath(ShowTimeText(times[i]) + u".png"_s);
    const QImage frame = overlay->FrameAt(times[i]).convertToFormat(QImage::Format_RGB32);
    written = WriteOutputFile(path, EncodePicture(frame, u"PNG"_s, -1)) && written;
  });
  OfflineMusic music(settings, options->seed, PrintError);
  LyricTrack lyrics(settings, [&music](qint64 frame) { return music.PlayAt(frame); }, PrintError);
  RecordingScreen screen(options->size);
  ShowOverlay shown(screen, settings, clock, &lyrics, QString());
  overlay = &shown;
  QString error;
  if (!session->StartGraphics(shown, &error)) {
    PrintError(options->package + u": "_s + error);
    return 1;
  }
  clock.SetRefresh([&shown](qint64 now) { return shown.Refresh(now); });
  ShowEngine(settings, session->FindMaterial(PrintError), options->seed, shown, clock).Run();
  return written ? 0 : 1;
}

}  // namespace pivlo::cli
