#include "core/Events.h"

#include <QCoreApplication>

namespace pivlo {

void ProcessPendingEvents() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace pivlo
