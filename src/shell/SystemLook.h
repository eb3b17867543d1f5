#pragma once

#include "shell/WindowScaling.h"

#include <QFont>
#include <QWidget>

namespace pivlo {

// The menu, message and small-caption fonts of the system, sizes in whole points.
struct SystemFonts {
  LookFont menu;
  LookFont message;
  LookFont small_caption;
};
SystemFonts ReadSystemFonts();

// The font of a chosen look.
QFont LookFontToQFont(const LookFont& look);

// Gives the window the system's font (the face and size ChooseLookFont picks, one point
// less once the main window was scaled) and the system palette: button-face backgrounds,
// window-coloured text boxes and lists. Returns the look, which the tool tip box uses too.
LookFont ApplySystemLook(QWidget& window, bool window_scaled);

// A dialog takes the look of the window that owns it as it opens: Qt hands font and
// palette down to the controls of a window, not to the windows it owns.
void ApplyOwnerLook(QWidget& dialog);

}  // namespace pivlo
