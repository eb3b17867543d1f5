#pragma once

#include <QString>

namespace pivlo {

// When the main window's tool tip appears and disappears. A hover starts when the mouse
// comes over a control with a tip text; the half-second timer then shows the text on the
// tick after the hover's first tick and hides it once twelve ticks have passed.
class ToolTipClock {
 public:
  enum class Action { None, Show, Hide };

  // The mouse is over a control with this tip text. With tips on and no text set for the
  // current hover, the text is taken and the hover starts counting.
  void Hover(const QString& text, bool tips_on);
  // The mouse left for the window's background: the hover ends at once.
  void EndHover();

  // One timer tick (after the tick counter's other duties).
  Action Tick(bool tips_on);

  int TipTickCount() const { return tip_tick_count_; }
  bool HoverActive() const { return hover_active_; }
  bool TextSet() const { return text_set_; }
  const QString& PendingText() const { return pending_text_; }

 private:
  static constexpr int kShowAfterTicks = 1;   // shown on the tick after this count
  static constexpr int kHideAfterTicks = 11;  // hidden once the count exceeds this

  int tip_tick_count_ = 0;
  bool hover_active_ = false;
  bool text_set_ = false;
  bool shown_ = false;
  QString pending_text_;
};

}  // namespace pivlo
