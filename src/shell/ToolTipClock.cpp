#include "shell/ToolTipClock.h"

namespace pivlo {

void ToolTipClock::Hover(const QString& text, bool tips_on) {
  if (!tips_on || text_set_ || text.isEmpty()) return;
  pending_text_ = text;
  text_set_ = true;
  hover_active_ = true;
  shown_ = false;
  tip_tick_count_ = 0;
}

void ToolTipClock::EndHover() {
  hover_active_ = false;
  text_set_ = false;
  shown_ = false;
  pending_text_.clear();
}

ToolTipClock::Action ToolTipClock::Tick(bool tips_on) {
  const int before = tip_tick_count_++;
  if (tips_on && before == kShowAfterTicks && hover_active_ && !shown_) {
    shown_ = true;
    return Action::Show;
  }
  if (tip_tick_count_ > kHideAfterTicks) {
    tip_tick_count_ = 0;
    if (tips_on) {
      EndHover();
      return Action::Hide;
    }
  }
  return Action::None;
}

}  // namespace pivlo
