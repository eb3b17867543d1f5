#include "player/WindowIcon.h"

#include "builder/PackageIcon.h"
#include "cli/CliOutput.h"

#include <QGuiApplication>
#include <QPixmap>

namespace pivlo {

using namespace Qt::StringLiterals;

QIcon PackageIcon(const ScreensaverPackage& package, QString* why) {
  QIcon icon;
  for (const QImage& image : PackageIconImages(package, why)) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

void UsePackageIcon(const ScreensaverPackage& package) {
  QString why;
  const QIcon icon = PackageIcon(package, &why);
  if (!why.isEmpty()) cli::PrintError(u"the show has no window icon: "_s + why);
  if (!icon.isNull()) QGuiApplication::setWindowIcon(icon);
}

}  // namespace pivlo
