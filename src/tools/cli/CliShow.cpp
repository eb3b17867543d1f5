#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "audio/AudioFormat.h"
#include "audio/MusicRender.h"
#include "media/basGdiPlus.h"
#include "show/RecordingScreen.h"
#include "show/ShowEngine.h"
#include "show/ShowMusic.h"
#include "show/ShowOverlay.h"
#include "show/ShowSession.h"
#include "show/ShowVideo.h"
#include "show/StopSignals.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>

namespace pivlo::cli {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kDefaultScreen(1920, 1080);
// Offline renders stop somewhere; a day of show is far beyond any use.
constexpr double kLatestRenderSeconds = 24 * 3600;

// What the arguments of a show command may hold.
enum class ShowCommand { kPlan, kRender, kVideo };

// --cycles counts whole cycles of the plan; far beyond any use stays out.
constexpr int kMostVideoCycles = 10000;

struct ShowOptions {
  QString package;
  QString out;  // render: the folder; video: the file
  quint32 seed = 0;
  std::optional<double> seconds;
  QList<qint64> at_ms;
  QString audio;  // render: the sound's WAV file
  QSize size = kDefaultScreen;
  int fps = 30;  // video
  int cycles = 1;
  bool progress = false;
};

std::optional<double> ParseSeconds(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  if (!ok || !(value >= 0) || value > kLatestRenderSeconds) return std::nullopt;
  return value;
}

// PACKAGE [OUT] then the options; `render` wants OUTDIR and --at, `video` OUT.mp4.
std::optional<ShowOptions> ParseOptions(const QStringList& args, ShowCommand command) {
  const bool render = command == ShowCommand::kRender;
  const bool video = command == ShowCommand::kVideo;
  const qsizetype positional = command == ShowCommand::kPlan ? 1 : 2;
  if (args.size() < positional) return std::nullopt;
  ShowOptions options;
  options.package = UserPath(args[0]);
  if (positional == 2) options.out = UserPath(args[1]);
  for (qsizetype i = positional; i < args.size(); ++i) {
    const QString& word = args[i];
    if (word == u"--progress" && video) {
      options.progress = true;
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& value = args[++i];
    if (word == u"--seed") {
      bool ok = false;
      options.seed = value.toUInt(&ok);
      if (!ok) return std::nullopt;
    } else if (word == u"--size") {
      const std::optional<QSize> size = ParseSize(value);
      if (!size || (video && !VideoSizeAllowed(*size))) return std::nullopt;
      options.size = *size;
    } else if (word == u"--seconds") {
      options.seconds = ParseSeconds(value);
      if (!options.seconds || (video && *options.seconds <= 0)) return std::nullopt;
    } else if (word == u"--audio" && render) {
      options.audio = UserPath(value);
    } else if (word == u"--at" && render) {
      for (const QString& part : value.split(u',')) {
        const std::optional<double> seconds = ParseSeconds(part);
        if (!seconds) return std::nullopt;
        options.at_ms << qint64(std::llround(*seconds * 1000));
      }
    } else if (word == u"--fps" && video) {
      const std::optional<int> fps = ParseInt(value, 1, 1000);
      if (!fps || !VideoRateAllowed(*fps)) return std::nullopt;
      options.fps = *fps;
    } else if (word == u"--cycles" && video) {
      const std::optional<int> cycles = ParseInt(value, 1, kMostVideoCycles);
      if (!cycles) return std::nullopt;
      options.cycles = *cycles;
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
  const std::optional<ShowOptions> options = ParseOptions(args, ShowCommand::kPlan);
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
  const std::optional<ShowOptions> options = ParseOptions(args, ShowCommand::kRender);
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

int ShowVideoCommand(const QStringList& args) {
  const std::optional<ShowOptions> options = ParseOptions(args, ShowCommand::kVideo);
  if (!options) return kUsageError;
  // From here a signal cancels: the recording stops after its frame and cleans up.
  bool stop = false;
  const StopSignals signals([&stop] { stop = true; });
  const std::unique_ptr<ShowSession> session = OpenSession(*options);
  if (!session) return 1;
  const VideoOptions video{options->size, options->fps, options->seed, options->seconds, options->cycles};
  VideoHooks hooks;
  hooks.say = PrintError;
  if (options->progress) {
    hooks.progress = [](qint64 done, qint64 total) {
      PrintOut(u"progress "_s + QString::number(done) + u' ' + QString::number(total) + u'\n');
      std::fflush(stdout);
    };
  }
  hooks.cancelled = [&stop] {
    QCoreApplication::processEvents();
    return stop;
  };
  QString error;
  const std::optional<VideoSummary> summary = RecordShowVideo(*session, options->out, video, hooks, &error);
  if (!summary) {
    PrintError(error);
    return 1;
  }
  const QSize size = options->size;
  PrintOut(options->out + u'\t' + QString::number(size.width()) + u'x' + QString::number(size.height()) + u'\t' +
           QString::number(options->fps) + u" fps\t"_s +
           QString::number(double(summary->frames) / options->fps, 'f', 3) + u" s\t"_s + summary->codec +
           u"\taac\n"_s);
  return 0;
}

}  // namespace pivlo::cli
