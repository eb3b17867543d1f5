#include "core/FolderFiles.h"

#include <QDir>
#include <QFile>

namespace pivlo {

void ClearFolderFiles(const QString& folder) {
  QDir dir(folder);
  if (!dir.exists()) return;
  const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
  for (const QString& name : names) QFile::remove(dir.filePath(name));
}

void PrepareEmptyFolder(const QString& folder) {
  if (QDir(folder).exists()) {
    ClearFolderFiles(folder);
  } else {
    QDir().mkpath(folder);
  }
}

}  // namespace pivlo
