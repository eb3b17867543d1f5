#pragma once

#include "builder/ScreensaverPackage.h"

#include <QString>

namespace pivlo::cli {

// What a screensaver package holds, as `pivlo-cli package inspect` and the player's
// --inspect print it: "S=", "B=", "C=" and "trailer=ok" lines, one line per blob item
// (item<TAB>NAME<TAB>OFFSET<TAB>SIZE<TAB>TYPE, with checksums a further field: the
// checksum of the item's unscrambled bytes), then the settings as `bag dump` prints them.
// Items the reader set aside are not listed. False when an item cannot be read.
bool PackageReport(const ScreensaverPackage& package, bool with_checksums, QString& out);

// The trailer's sizes as the report's first lines.
QString TrailerLines(const PackageTrailer& trailer);

}  // namespace pivlo::cli
