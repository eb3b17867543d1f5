#include "core/PathRules.h"

#include <QFileInfo>

namespace pivlo {

QString FileTypeOfPath(const QString& path) {
  return path.right(3).toUpper();
}

bool IsPathSet(const QString& path) {
  return path.size() >= 8;
}

QString FileTitle(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.lastIndexOf(u'.');
  return dot < 0 ? name : name.left(dot);
}

}  // namespace pivlo
