#include "core/PathRules.h"

namespace pivlo {

QString FileTypeOfPath(const QString& path) {
  return path.right(3).toUpper();
}

bool IsPathSet(const QString& path) {
  return path.size() >= 8;
}

}  // namespace pivlo
