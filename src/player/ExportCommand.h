#pragma once

// `--export DIR [--password PW]`: the show's files copied into a folder for a script,
// without playing the show or asking anything.

#include "show/ShowSettings.h"

#include <QString>

#include <functional>
#include <optional>

namespace pivlo {

// The exit code for a password that is wrong, or missing where one is needed.
inline constexpr int kExitWrongPassword = 3;

// Copies the show's files into `folder`. Returns 0 when every file was copied; 1 when
// the screensaver does not allow export, the folder does not exist or a file could not
// be copied (each such file a line PATH: REASON); kExitWrongPassword. Every reason goes
// to `say`, one line each.
int ExportForScript(const ShowSettings& show, const QString& folder, const std::optional<QString>& password,
                    const std::function<void(const QString&)>& say);

}  // namespace pivlo
