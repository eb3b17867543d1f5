#include "shell/DesktopShell.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace pivlo {

bool DesktopShell::OpenWithDefaultAction(const QString& path) {
  return QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopShell::ShowInFolder(const QString& path) {
  const QFileInfo file(path);
  if (QDBusConnection::sessionBus().isConnected()) {
    QDBusInterface manager(QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
                           QStringLiteral("org.freedesktop.FileManager1"));
    if (manager.isValid()) {
      const QDBusReply<void> reply = manager.call(QStringLiteral("ShowItems"),
                                                  QStringList{QUrl::fromLocalFile(file.absoluteFilePath()).toString()},
                                                  QString());
      if (reply.isValid()) return;
    }
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}

bool DesktopShell::StartProgram(const QString& program, const QStringList& arguments, QString* error) {
  QProcess process;
  process.setProgram(program);
  process.setArguments(arguments);
  if (process.startDetached()) return true;
  if (error != nullptr) *error = process.errorString();
  return false;
}

}  // namespace pivlo
