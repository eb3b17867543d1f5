#pragma once

// What ends a show on screen: any key; any mouse button or the wheel; the mouse moved
// more than a few pixels from where it was first seen, unless moves are ignored. With
// the cursor shown the mouse is the viewer's to use, so only keys end the show.

#include <QPoint>

#include <optional>

namespace pivlo {

// How far the mouse may drift (a shaking desk, a sensitive mouse) before it counts.
inline constexpr int kMouseMoveTolerance = 10;

class EndingRules {
 public:
  EndingRules(bool show_cursor, bool ignore_mouse_move)
      : show_cursor_(show_cursor), ignore_mouse_move_(ignore_mouse_move) {}

  bool EndsOnKey() const { return true; }
  bool EndsOnButton() const { return !show_cursor_; }
  // `global` is the pointer's screen position; the first one seen is where it rests.
  bool EndsOnMove(QPoint global);
  // After the viewer has used the mouse elsewhere (a dialog), it rests where it is next seen.
  void ForgetRest() { rest_.reset(); }

 private:
  bool show_cursor_;
  bool ignore_mouse_move_;
  std::optional<QPoint> rest_;
};

}  // namespace pivlo
