#pragma once

// The icon a built screensaver carries: the icon file its build put into the package as
// the IconFile item. The player's windows and the desktop entry of an installed
// screensaver show it.

#include "builder/ScreensaverPackage.h"

#include <QImage>
#include <QList>
#include <QString>

namespace pivlo {

// The images of the package's icon file, in file order (the first 16), each at its own
// size. Empty when the package carries no icon; also when the item was set aside as
// damaged, is too large or holds no image, with `why` then saying so.
QList<QImage> PackageIconImages(const ScreensaverPackage& package, QString* why = nullptr);

}  // namespace pivlo
