#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/PackageReport.h"

#include "builder/ScreensaverPackage.h"

#include <QFileInfo>

namespace pivlo::cli {

int PackageInspect(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString& path = args.first();
  if (!QFileInfo(path).isFile()) {
    PrintError(path + QStringLiteral(": no such file"));
    return 1;
  }
  const std::optional<PackageTrailer> trailer = ReadPackageTrailer(path);
  if (!trailer) {
    PrintError(path + QStringLiteral(": not a screensaver package (no trailer)"));
    return 1;
  }
  QString error;
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(path, &error);
  if (!package) {
    PrintOut(TrailerLines(*trailer) + QStringLiteral("trailer=bad\n"));
    PrintError(path + QStringLiteral(": ") + error);
    return 1;
  }
  QString report;
  PackageReport(*package, false, report);
  PrintOut(report);
  for (const QString& why : package->SetAside()) {
    PrintError(path + QStringLiteral(": ") + why + QStringLiteral(", left out"));
  }
  return 0;
}

}  // namespace pivlo::cli
