#pragma once

// The icon a built screensaver's windows show: the icon file its build carried in the
// package (a player that is no PE program has no icon resources of its own).

#include "builder/ScreensaverPackage.h"

#include <QIcon>
#include <QString>

namespace pivlo {

// The package's icon with every image of its icon file (PackageIconImages); null, with
// `why` saying so where there is something to say, when it has none to show.
QIcon PackageIcon(const ScreensaverPackage& package, QString* why = nullptr);

// Gives the program's windows the package's icon. A damaged icon only leaves the
// desktop's default, said once on stderr.
void UsePackageIcon(const ScreensaverPackage& package);

}  // namespace pivlo
