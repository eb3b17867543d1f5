// pivlo-player: the show a built screensaver runs. A package is this program with its
// resources and settings appended; the player finds them through the trailer at the end
// of its own file, and plays them full screen, in a window, or inside the window an
// XScreenSaver daemon gives it.

#include "builder/ScreensaverPackage.h"
#include "cli/CliOutput.h"
#include "cli/PackageReport.h"
#include "player/AboutDialog.h"
#include "player/ExportCommand.h"
#include "player/PlayerArguments.h"
#include "player/PlayerShow.h"
#include "player/WindowIcon.h"
#include "show/ShowSession.h"
#include "show/ShowSettings.h"
#include "widgets/QtTranslations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>

#include <cstdio>
#include <optional>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// Prints what the program carries, each resource unscrambled and checksummed.
int Inspect(int& argc, char** argv) {
  QCoreApplication app(argc, argv);
  QString error;
  const std::optional<ScreensaverPackage> package =
      ScreensaverPackage::Open(QCoreApplication::applicationFilePath(), &error);
  if (!package) {
    cli::PrintError(u"this program carries no show: "_s + error);
    return 1;
  }
  QString report;
  if (!cli::PackageReport(*package, true, report)) {
    cli::PrintError(u"a resource of the package cannot be read"_s);
    return 1;
  }
  cli::PrintOut(report);
  for (const QString& why : package->SetAside()) cli::PrintError(why + u", left out"_s);
  return 0;
}

int About(int& argc, char** argv) {
  if (!CheckDisplay()) return 1;
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  QString error;
  const std::unique_ptr<ShowSession> session =
      ShowSession::Open(QCoreApplication::applicationFilePath(), QGuiApplication::primaryScreen()->size(), &error);
  if (!session) {
    cli::PrintError(u"this program carries no show: "_s + error);
    return 1;
  }
  UsePackageIcon(session->Package());
  ShowAboutDialog(session->Settings().project.settings);
  return 0;
}

// Copies the show's files for a script; no display is needed.
int Export(int& argc, char** argv, const PlayerOptions& options) {
  QCoreApplication app(argc, argv);
  QString error;
  const std::optional<ScreensaverPackage> package =
      ScreensaverPackage::Open(QCoreApplication::applicationFilePath(), &error);
  // The export reads no sizes: any screen will do.
  const std::optional<ShowSettings> show =
      package ? ReadShowPackage(*package, QSize(1920, 1080), &error) : std::nullopt;
  if (!show) {
    cli::PrintError(u"this program carries no show: "_s + error);
    return 1;
  }
  return ExportForScript(*show, options.export_folder, options.export_password, cli::PrintError);
}

}  // namespace
}  // namespace pivlo

int main(int argc, char** argv) {
  using namespace pivlo;
  const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
  QCoreApplication::setApplicationName(program);
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);

  const ParsedArguments parsed = ParsePlayerArguments(args, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
  if (!parsed.options) {
    cli::PrintError(parsed.error);
    if (parsed.show_usage) std::fputs(PlayerUsage(program).toUtf8().constData(), stderr);
    return 2;
  }
  const std::optional<PlayerOptions>& options = parsed.options;
  switch (options->mode) {
    case PlayerMode::kHelp: cli::PrintOut(PlayerUsage(program)); return 0;
    case PlayerMode::kInspect: return Inspect(argc, argv);
    case PlayerMode::kAbout: return About(argc, argv);
    case PlayerMode::kExport: return Export(argc, argv, *options);
    case PlayerMode::kFullScreen:
    case PlayerMode::kWindow: return PlayOnScreens(argc, argv, *options);
    case PlayerMode::kX11Window:
    case PlayerMode::kRoot: return PlayInX11Window(argc, argv, *options);
  }
  return 2;
}
