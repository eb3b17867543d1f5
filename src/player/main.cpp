// pivlo-player: the show a built screensaver runs. A package is this program with its
// resources and settings appended; the player finds them through the trailer at the end
// of its own file. This build proves the package: run as `OUTPUT --inspect` it prints
// what it found, each resource unscrambled and checksummed.

#include "builder/ScreensaverPackage.h"
#include "cli/CliOutput.h"
#include "cli/PackageReport.h"

#include <QCoreApplication>

#include <optional>

int main(int argc, char** argv) {
  using namespace pivlo;
  QCoreApplication app(argc, argv);
  QString error;
  const std::optional<ScreensaverPackage> package =
      ScreensaverPackage::Open(QCoreApplication::applicationFilePath(), &error);
  if (!package) {
    cli::PrintError(QStringLiteral("this program carries no show: ") + error);
    return 1;
  }
  if (QCoreApplication::arguments().mid(1) != QStringList{QStringLiteral("--inspect")}) {
    cli::PrintError(QStringLiteral("this player can only inspect its package: run it with --inspect"));
    return 2;
  }
  QString report;
  if (!cli::PackageReport(*package, true, report)) {
    cli::PrintError(QStringLiteral("a resource of the package cannot be read"));
    return 1;
  }
  cli::PrintOut(report);
  return 0;
}
