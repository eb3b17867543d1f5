#pragma once

#include <QString>

namespace pivlo {

// The graphics runtime ships beside the program, and every package carries it. Before a
// build or a whole-show preview the builder makes sure it is present and unchanged.

QString RuntimeLibraryFileName();
// The runtime in the application folder.
QString RuntimeLibraryPath();
// The checksum text of the runtime this program was built with (computed from the built
// file, so rebuilding the runtime rebuilds the expectation).
QString ExpectedRuntimeChecksum();
// True when the runtime beside the program has exactly the expected checksum text.
bool RuntimeLibraryIntact();

// The message for a file of the installation that is missing or damaged: the path
// followed by " 丢失或损坏，请重新安装程序".
QString MissingOrDamagedText(const QString& path);

}  // namespace pivlo
