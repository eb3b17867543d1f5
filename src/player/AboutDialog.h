#pragma once

// What the Windows screensaver dialog's settings button shows: a package has nothing to
// change, so the screensaver's name, author, e-mail, home page, description and rights.

#include "core/ProjectTypes.h"

namespace pivlo {

// The dialog's lines, "LABEL：VALUE" for each text the screensaver has (the name always).
QString AboutText(const ProjectSettings& settings);

// Shows them in a dialog with an OK button; returns when it is closed.
void ShowAboutDialog(const ProjectSettings& settings);

}  // namespace pivlo
