#include "player/EndingRules.h"

namespace pivlo {

bool EndingRules::EndsOnMove(QPoint global) {
  if (show_cursor_ || ignore_mouse_move_) return false;
  if (!rest_) {
    rest_ = global;
    return false;
  }
  const QPoint moved = global - *rest_;
  return moved.x() * moved.x() + moved.y() * moved.y() > kMouseMoveTolerance * kMouseMoveTolerance;
}

}  // namespace pivlo
