#include "TestFiles.h"

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

}  // namespace pivlo::test
