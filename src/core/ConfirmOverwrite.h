#pragma once

#include "core/Prompter.h"

#include <QString>

namespace pivlo {

// Asks before an existing file is replaced. True when nothing is there, or when the user
// agrees and the file can be replaced; a file that cannot be replaced is reported. The
// old file stays until its replacement is complete (the writers replace atomically).
bool ConfirmOverwrite(const QString& path, Prompter& prompter);

}  // namespace pivlo
