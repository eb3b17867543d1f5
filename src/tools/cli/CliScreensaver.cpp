#include "builder/ScreensaverInstall.h"
#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

namespace pivlo::cli {
namespace {

int Report(const std::optional<InstallResult>& result, const QString& error) {
  if (!result) {
    PrintError(error);
    return 1;
  }
  PrintOut(result->lines.join(u'\n') + u'\n');
  return result->complete ? 0 : 1;
}

}  // namespace

int ScreensaverInstallCommand(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  QString error;
  const std::optional<InstallResult> result = InstallScreensaver(UserPath(args[0]), UserPlaces::OfThisUser(), &error);
  return Report(result, error);
}

int ScreensaverRemoveCommand(const QStringList& args) {
  if (args.size() != 1 || args[0].isEmpty()) return kUsageError;
  QString error;
  const std::optional<InstallResult> result = RemoveScreensaver(args[0], UserPlaces::OfThisUser(), &error);
  return Report(result, error);
}

}  // namespace pivlo::cli
