#pragma once

#include <QString>

namespace pivlo {

// The build pipeline's state, kept by the editor beside the project model. At rest
// PreviewMode is true (and the model's BusyFlag false).
struct BuildState {
  bool PreviewMode = true;  // false while the build dialog's build runs
  bool CustomIcon = false;  // the user confirmed an icon (Temp/icofinal.ico)
  bool PackMedia = false;   // the build carries the show's files (never a preview)
  QString LastOutputPath;   // the file just built, for the finish dialog
};

}  // namespace pivlo
