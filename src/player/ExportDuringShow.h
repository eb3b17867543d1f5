#pragma once

// The E key's export in a running show: the questions as dialogs kept above the show's
// window, the copy with a progress dialog.

#include "show/ShowSettings.h"

class QWindow;

namespace pivlo {

// Runs the export over `window` (ExportWithQuestions) and returns once the viewer has
// seen how it went. False, with a line on stderr, when the program runs no QApplication,
// which the dialogs need: then nothing is asked or copied.
bool ExportDuringShow(const ShowSettings& show, QWindow* window);

}  // namespace pivlo
