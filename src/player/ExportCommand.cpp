#include "player/ExportCommand.h"

#include "show/ShowExport.h"

#include <QFileInfo>

namespace pivlo {

using namespace Qt::StringLiterals;

int ExportForScript(const ShowSettings& show, const QString& folder, const std::optional<QString>& password,
                    const std::function<void(const QString&)>& say) {
  if (!show.project.settings.enable_export) {
    say(u"this screensaver does not allow its pictures and music to be exported"_s);
    return 1;
  }
  if (ExportNeedsPassword(show) && !password) {
    say(u"this screensaver's export needs its password: --password PW"_s);
    return kExitWrongPassword;
  }
  if (!ExportPasswordAccepted(show, password.value_or(QString()))) {
    say(u"the export password is wrong"_s);
    return kExitWrongPassword;
  }
  if (!QFileInfo(folder).isDir()) {
    say(folder + u": no such folder"_s);
    return 1;
  }
  Progress quiet;
  const ExportResult result = CopyExportFiles(ExportFiles(show), folder, quiet, show.media.get());
  for (const QString& failure : result.failures) say(failure);
  return result.failures.isEmpty() ? 0 : 1;
}

}  // namespace pivlo
