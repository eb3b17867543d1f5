#include "builder/RuntimeLibrary.h"

#include "builder/RuntimeChecksum.h"  // generated from the built runtime
#include "builder/basChecksum.h"
#include "core/AppFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace pivlo {

QString RuntimeLibraryFileName() { return QString::fromUtf8(kRuntimeLibraryFileName); }

QString RuntimeLibraryPath() { return ApplicationFolder() + RuntimeLibraryFileName(); }

QString ExpectedRuntimeChecksum() { return QString::fromLatin1(kRuntimeLibraryChecksum); }

bool RuntimeLibraryIntact() {
  return FileChecksumText(RuntimeLibraryPath()) == ExpectedRuntimeChecksum();
}

QString MissingOrDamagedText(const QString& path) {
  return QDir::toNativeSeparators(path) +
         QCoreApplication::translate("pivlo::Installation", " 丢失或损坏，请重新安装程序");
}

}  // namespace pivlo
