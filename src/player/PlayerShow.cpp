#include "player/PlayerShow.h"

#include "audio/AudioOutput.h"
#include "audio/MusicStream.h"
#include "cli/CliOutput.h"
#include "player/ExportDuringShow.h"
#include "player/ScreenCanvas.h"
#include "player/ScreenSaverInhibitor.h"
#include "player/StopSignals.h"
#include "player/WindowIcon.h"
#include "player/X11WindowCanvas.h"
#include "show/ShowEngine.h"
#include "show/ShowExport.h"
#include "show/ShowMusic.h"
#include "show/ShowOverlay.h"
#include "show/ShowSession.h"
#include "widgets/QtTranslations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLoggingCategory>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::PlayerShow)
};

quint32 Seed(const PlayerOptions& options) {
  return options.seed.value_or(quint32(QDateTime::currentMSecsSinceEpoch()));
}

std::unique_ptr<ShowSession> OpenSession(QSize screen) {
  QString error;
  std::unique_ptr<ShowSession> session =
      ShowSession::Open(QCoreApplication::applicationFilePath(), screen, &error);
  if (!session) cli::PrintError(u"this program carries no show: "_s + error);
  return session;
}

Q_LOGGING_CATEGORY(lcPlayer, "pivlo.player", QtWarningMsg)

// A canvas that says when the show's first frame reaches it: the start-up time is
// measured to that line.
class FirstFrameNotice final : public CanvasWindow {
 public:
  explicit FirstFrameNotice(std::unique_ptr<CanvasWindow> canvas) : canvas_(std::move(canvas)) {}
  QSize InnerSize() const override { return canvas_->InnerSize(); }
  void PresentFrame(const QImage& frame) override {
    canvas_->PresentFrame(frame);
    if (said_) return;
    said_ = true;
    qCInfo(lcPlayer) << "first frame presented";
  }
  QImage ShownImage() const override { return canvas_->ShownImage(); }

 private:
  std::unique_ptr<CanvasWindow> canvas_;
  bool said_ = false;
};

// What a mode plays besides the pictures.
struct ShowExtras {
  bool sound = false;        // the music, and its lyrics
  bool export_hint = false;  // the export key's hint at the start
};

// The show's music, when it has any to play.
std::unique_ptr<MusicStream> OpenMusic(const ShowSettings& settings, quint32 seed) {
  MusicSettings music = ShowMusicSettings(settings);
  if (music.muted || music.songs.isEmpty()) return nullptr;
  return std::make_unique<MusicStream>(std::move(music), seed, cli::PrintError);
}

std::unique_ptr<AudioOutput> OpenAudio(MusicStream* music) {
  if (music == nullptr) return nullptr;
  QString error;
  std::unique_ptr<AudioOutput> audio = AudioOutput::Open(*music, &error);
  if (!audio) cli::PrintError(u"no audio device ("_s + error + u"): the show plays silently"_s);
  return audio;
}

// Until the clock is stopped: by the viewer, a signal or the canvas going away.
int Play(ShowSession& session, CanvasWindow& canvas, RealTimeShowClock& clock, quint32 seed,
         const ShowExtras& extras) {
  const ShowSettings& settings = session.Settings();
  const std::unique_ptr<MusicStream> music = extras.sound ? OpenMusic(settings, seed) : nullptr;
  LyricTrack lyrics(settings, [&music](qint64 frame) { return music->PlayAt(frame); }, cli::PrintError);
  ShowOverlay overlay(canvas, settings, clock, music ? &lyrics : nullptr,
                      extras.export_hint ? ExportHintText() : QString());
  QString error;
  if (!session.StartGraphics(overlay, &error)) {
    cli::PrintError(u"the show cannot start: "_s + error);
    return 1;
  }
  ShowMaterial material = session.FindMaterial(cli::PrintError);
  ShowEngine engine(settings, std::move(material), seed, overlay, clock);
  clock.SetRefresh([&overlay](qint64 now) { return overlay.Refresh(now); });
  // The music starts with the show's first frame: its clock is the show's.
  const std::unique_ptr<AudioOutput> audio = OpenAudio(music.get());
  clock.Start(audio.get());
  engine.Run();
  return 0;
}

}  // namespace

bool CheckDisplay() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    return true;
  }
  cli::PrintError(u"there is no display to show on (neither DISPLAY nor WAYLAND_DISPLAY is set)"_s);
  return false;
}

int PlayOnScreens(int& argc, char** argv, const PlayerOptions& options) {
  if (!CheckDisplay()) return 1;
  QApplication app(argc, argv);  // the export asks in dialogs
  InstallQtTranslations(app);
  const quint32 seed = Seed(options);
  RealTimeShowClock clock(seed);
  // An export's dialogs open when the show is ended close as cancelled.
  const auto stop = [&clock] {
    clock.RequestStop();
    QApplication::closeAllWindows();
  };
  const StopSignals signals(stop);

  std::unique_ptr<FirstFrameNotice> canvas;  // outlives the session, whose device draws on it
  const std::unique_ptr<ShowSession> session = OpenSession(ScreenCanvas::PrimaryScreenSize());
  if (!session) return 1;
  UsePackageIcon(session->Package());
  const ShowSettings& show = session->Settings();
  const ProjectSettings& settings = show.project.settings;
  EndingRules rules(settings.show_cursor, settings.ignore_mouse_move);
  const QString& name = settings.info[kInfoName];
  const bool windowed = options.mode == PlayerMode::kWindow;
  std::unique_ptr<ScreenCanvas> screens =
      windowed ? ScreenCanvas::Windowed(std::move(rules), stop, name)
               : ScreenCanvas::FullScreen(std::move(rules), stop, !settings.show_cursor);
  if (settings.enable_export) {
    screens->SetExportKey([&clock, &show](QWindow& window) {
      // The show and its music stand still while the viewer answers.
      clock.SetPaused(true);
      ExportDuringShow(show, &window);
      clock.SetPaused(false);
    });
  }
  canvas = std::make_unique<FirstFrameNotice>(std::move(screens));
  const ShowExtras extras{.sound = true, .export_hint = settings.enable_export};
  if (windowed) return Play(*session, *canvas, clock, seed, extras);
  const ScreenSaverInhibitor inhibitor(name, Texts::tr("正在播放屏幕保护"));
  return Play(*session, *canvas, clock, seed, extras);
}

int PlayInX11Window(int& argc, char** argv, const PlayerOptions& options) {
  // Qt shows nothing itself here: the canvas sends the frames over its own connection.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const quint32 seed = Seed(options);
  RealTimeShowClock clock(seed);
  const auto stop = [&clock] { clock.RequestStop(); };
  const StopSignals signals(stop);

  QString error;
  X11WindowCanvas::Failure failure{};
  const std::optional<quint32> window =
      options.mode == PlayerMode::kRoot ? std::nullopt : std::optional<quint32>(options.window_id);
  std::unique_ptr<X11WindowCanvas> window_canvas = X11WindowCanvas::Open(window, stop, &error, &failure);
  if (!window_canvas) {
    cli::PrintError(error);
    return failure == X11WindowCanvas::Failure::kNoWindow ? 2 : 1;
  }
  FirstFrameNotice canvas(std::move(window_canvas));
  const std::unique_ptr<ShowSession> session = OpenSession(canvas.InnerSize());
  if (!session) return 1;
  // A preview in someone else's window is silent; the hack on the root window is the
  // screensaver itself.
  return Play(*session, canvas, clock, seed, {.sound = options.mode == PlayerMode::kRoot});
}

}  // namespace pivlo
