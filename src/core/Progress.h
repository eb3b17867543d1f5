#pragma once

#include <QString>

namespace pivlo {

// What a long list operation shows while it runs: the wait cursor and the progress
// window (a bar with a text and a percentage). The editor implements it; headless callers
// keep the defaults, which show nothing.
class Progress {
 public:
  virtual ~Progress() = default;

  virtual void SetWaitCursor(bool /*on*/) {}
  // Opens the progress window at 0 %.
  virtual void InitProgress() {}
  // Extends the bar to `percentage` (0 to 100) with the text beside it, then lets pending
  // window events run so the window stays alive.
  virtual void ShowProgress(float /*percentage*/, const QString& /*text*/) {}
  virtual void CloseProgress() {}
};

}  // namespace pivlo
