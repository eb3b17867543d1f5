#pragma once

#include <QString>

namespace pivlo {

// The program's major, minor and revision numbers joined by "." ("0.1.0"); every settings
// bag records it.
QString VersionText();

}  // namespace pivlo
