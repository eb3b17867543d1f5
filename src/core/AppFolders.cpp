#include "core/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pivlo {
namespace {

QString& ExplicitApplicationFolder() {
  static QString folder;
  return folder;
}

QString WithTrailingSlash(QString folder) {
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder;
}

}  // namespace

QString ApplicationFolder() {
  const QString& fixed = ExplicitApplicationFolder();
  if (!fixed.isEmpty()) return fixed;
  if (QCoreApplication::instance() != nullptr) {
    return WithTrailingSlash(QCoreApplication::applicationDirPath());
  }
  return WithTrailingSlash(QDir::currentPath());
}

void SetApplicationFolder(const QString& folder) {
  ExplicitApplicationFolder() = folder.isEmpty() ? QString() : WithTrailingSlash(folder);
}

QString WritableFolder() {
  const QString application = ApplicationFolder();
  if (QFileInfo(application).isWritable()) return application;
  return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString ProjectFolder() {
  return WritableFolder() + QStringLiteral("Project/");
}

QString TempFolder() {
  return WritableFolder() + QStringLiteral("Temp/");
}

QString CustomIconPath() {
  return TempFolder() + QStringLiteral("icofinal.ico");
}

QString SettingsFilePath() {
  return WritableFolder() + QStringLiteral("Pivlo.ini");
}

QString AutoSavePath() {
  return ProjectFolder() + QStringLiteral("AutoSave.aps");
}

QString OutputFolder() {
  return WritableFolder() + QStringLiteral("Output/");
}

}  // namespace pivlo
