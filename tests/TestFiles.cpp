#include "TestFiles.h"

#include <QDir>
#include <QFile>

namespace pivlo::test {

QString TempFolder::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = Path(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write test file");
  return path;
}

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

WorkingFolder::WorkingFolder(const QString& folder) : previous_(QDir::currentPath()) {
  if (!QDir::setCurrent(folder)) qFatal("cannot enter the test folder");
}

WorkingFolder::~WorkingFolder() { QDir::setCurrent(previous_); }

}  // namespace pivlo::test
