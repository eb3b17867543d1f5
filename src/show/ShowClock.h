#pragma once

// The show's one clock: the effects are paced against it and the show waits on it. The
// player runs it in real time; offline renderers step it. A clock ends the show by
// throwing ShowStopped out of a wait, which unwinds whatever effect runs.

#include "render/FramePacing.h"

#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>

#include <functional>

namespace pivlo {

struct ShowStopped {};

class ShowClock : public EffectClock {
 public:
  explicit ShowClock(quint32 seed) : seed_(seed) {}
  // Waits until the show time `ms` (at once when it has passed).
  void WaitUntil(qint64 ms);
  // The effects' random numbers follow the show's seed and the time they start at.
  quint32 RandomSeed() override { return seed_ ^ quint32(NowMs() * 2654435761u); }

 private:
  quint32 seed_;
};

// Real time from its construction. Waits dispatch window events; once a stop is asked
// for, the next wait throws.
class RealTimeShowClock final : public ShowClock {
 public:
  explicit RealTimeShowClock(quint32 seed);
  qint64 NowMs() override { return timer_.elapsed(); }
  void Wait(qint64 milliseconds) override;
  void Poll() override;
  // Ends the show at its next wait; ends a wait under way at once.
  void RequestStop();
  bool StopRequested() const { return stop_; }

 private:
  QElapsedTimer timer_;
  bool stop_ = false;
  std::function<void()> quit_wait_;
};

// Time passes only in waits. `capture(i)` is called as the clock passes time `times[i]`
// (ascending), while what is shown then is still shown; after the last, the show stops.
class StepShowClock final : public ShowClock {
 public:
  StepShowClock(quint32 seed, QList<qint64> times, std::function<void(qsizetype)> capture);
  qint64 NowMs() override { return now_; }
  void Wait(qint64 milliseconds) override;
  // Nothing to dispatch offline.
  void Poll() override {}

 private:
  qint64 now_ = 0;
  QList<qint64> times_;
  qsizetype next_ = 0;
  std::function<void(qsizetype)> capture_;
};

}  // namespace pivlo
