#pragma once

#include "render/basDirect3D.h"

#include <QtGlobal>

namespace pivlo {

// The millisecond clock that effects are paced against, and the wait that keeps window
// events flowing meanwhile. Tests install their own so that effects run at once and
// their frames can be checked.
class EffectClock {
 public:
  virtual ~EffectClock() = default;
  virtual qint64 NowMs() = 0;
  // Returns once the time has passed, dispatching window events meanwhile.
  virtual void Wait(qint64 milliseconds) = 0;
  // Dispatches pending window events without letting time pass; what effects call
  // between frames that are late.
  virtual void Poll();
  // The seed effects take their random numbers from (the wall clock's milliseconds).
  virtual quint32 RandomSeed();
};

// A clock on which time passes only while an effect waits: an effect runs at once, yet is
// paced exactly as on time. Tests and unpaced runs install it.
class StepEffectClock final : public EffectClock {
 public:
  explicit StepEffectClock(qint64 start_ms = 0) : now_(start_ms) {}
  qint64 NowMs() override { return now_; }
  void Wait(qint64 milliseconds) override;
  // Repeatable: the time on this clock.
  quint32 RandomSeed() override { return quint32(now_); }
  // Lets time pass as if something had taken that long.
  void Advance(qint64 milliseconds) { now_ += milliseconds; }
  int Waits() const { return waits_; }

 private:
  qint64 now_;
  int waits_ = 0;
};

// The real clock (monotonic milliseconds; waits run a local event loop).
EffectClock& SystemEffectClock();
// The clock in use: the installed one, else the system clock.
EffectClock& CurrentEffectClock();
// Installs a clock (null: the system clock again).
void SetEffectClock(EffectClock* clock);

// Waits the milliseconds on the current clock, window events being dispatched meanwhile.
void PumpingWait(qint64 milliseconds);

// The pacing of one effect phase: frames are never skipped; a slow machine stretches the
// effect, a fast one is held back to its duration.
//   FramePacing pacing;              // records the start time
//   for each frame k of n:
//     PacedFrame(pacing, double(k) / n, duration, [&] { ...draws... });
class FramePacing {
 public:
  FramePacing() { Restart(); }
  // Records a new start time (the next phase of an effect).
  void Restart();
  qint64 ElapsedMs() const;
  // Neither DeviceLost nor ResourceFailed: the frame is drawn and presented.
  static bool MayDraw();
  // Waits in 1-ms steps while the progress is ahead of elapsed ÷ duration, then dispatches
  // pending window events once. A duration of 0 or less holds nothing.
  void Hold(double progress, double duration_ms);

 private:
  qint64 start_ = 0;
};

// One frame: the draws in a scene, presented; skipped while the device is lost or a
// resource failed (the caller's pacing still runs).
template <typename Draws>
void DrawFrame(Draws&& draws) {
  if (!FramePacing::MayDraw()) return;
  BeginScene();
  draws();
  EndScene();
  Present();
}

// A frame, then the hold of its progress over the phase's duration.
template <typename Draws>
void PacedFrame(FramePacing& pacing, double progress, double duration_ms, Draws&& draws) {
  DrawFrame(draws);
  pacing.Hold(progress, duration_ms);
}

}  // namespace pivlo
