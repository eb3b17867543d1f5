#pragma once

// Playing the package this program carries, in one of the player's modes. Each returns
// the program's exit code: 0 once the show has ended, 1 when it could not start (the
// reason on stderr), 2 for a window that is not there.

#include "player/PlayerArguments.h"

namespace pivlo {

// Whether Qt will find a display to show on (without one it aborts); when not, says so.
bool CheckDisplay();

// Full screen on every monitor, or in a window of its own.
int PlayOnScreens(int& argc, char** argv, const PlayerOptions& options);
// Inside an X11 window, or on the root window.
int PlayInX11Window(int& argc, char** argv, const PlayerOptions& options);

}  // namespace pivlo
