#pragma once

// The icon a built screensaver's windows show: the icon file its build carried in the
// package (a player that is no PE program has no icon resources of its own).

#include "builder/ScreensaverPackage.h"

#include <QIcon>
#include <QString>

namespace pivlo {

// The icon of the package's IconFile item, each image of the icon file (the first 16)
// at its own size. Null when the package carries no icon; also when the item was set
// aside as damaged, is too large or holds no image, with `why` then saying so.
QIcon PackageIcon(const ScreensaverPackage& package, QString* why = nullptr);

// Gives the program's windows the package's icon. A damaged icon only leaves the
// desktop's default, said once on stderr.
void UsePackageIcon(const ScreensaverPackage& package);

}  // namespace pivlo
