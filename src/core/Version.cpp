#include "core/Version.h"

namespace pivlo {

QString VersionText() {
  return QStringLiteral(PIVLO_VERSION_TEXT);
}

}  // namespace pivlo
