#pragma once

// The show's one clock: the effects are paced against it and the show waits on it. The
// player runs it in real time, on the music when it plays; offline renderers step it. A
// clock ends the show by throwing ShowStopped out of a wait, which unwinds whatever
// effect runs.

#include "render/FramePacing.h"

#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>

#include <functional>
#include <limits>

namespace pivlo {

class AudioOutput;

struct ShowStopped {};

class ShowClock : public EffectClock {
 public:
  // Called as the show time passes the time it last returned (at once the first time),
  // within any wait: what is drawn over the frames changes between them.
  using Refresh = std::function<qint64(qint64 now)>;

  explicit ShowClock(quint32 seed) : seed_(seed) {}
  // Waits until the show time `ms` (at once when it has passed).
  void WaitUntil(qint64 ms);
  // Lets `milliseconds` of show time pass, refreshing on the way.
  void Wait(qint64 milliseconds) final;
  // The effects' random numbers follow the show's seed and the time they start at.
  quint32 RandomSeed() override { return seed_ ^ quint32(NowMs() * 2654435761u); }
  void SetRefresh(Refresh refresh);

 protected:
  // Lets up to `milliseconds` pass (0: dispatches what is pending).
  virtual void Pass(qint64 milliseconds) = 0;

 private:
  quint32 seed_;
  Refresh refresh_;
  qint64 due_ = std::numeric_limits<qint64>::min();
};

// Real time from Start(): the audio clock while the music plays, else monotonic time.
// Waits dispatch window events; once a stop is asked for, the next wait throws.
class RealTimeShowClock final : public ShowClock {
 public:
  explicit RealTimeShowClock(quint32 seed);
  // The show starts now, on the music's clock when `audio` is given (it must outlive
  // the clock's use).
  void Start(AudioOutput* audio = nullptr);
  qint64 NowMs() override;
  void Poll() override;
  // The show stands still while paused (the music pauses with it).
  void SetPaused(bool paused);
  // Ends the show at its next wait; ends a wait under way at once.
  void RequestStop();
  bool StopRequested() const { return stop_; }

 protected:
  void Pass(qint64 milliseconds) override;

 private:
  qint64 MonotonicMs() const;

  QElapsedTimer timer_;
  AudioOutput* audio_ = nullptr;
  qint64 paused_ms_ = 0;       // monotonic time spent paused
  qint64 paused_since_ = -1;   // while paused
  qint64 offset_ms_ = 0;       // monotonic: where the audio clock left it
  qint64 audio_seen_ms_ = -1;  // audio: its last value, and when it last moved
  qint64 audio_moved_at_ = 0;
  bool stop_ = false;
  std::function<void()> quit_wait_;
};

// Time passes only in waits. `capture(i)` is called as the clock passes time `times[i]`
// (ascending), while what is shown then is still shown; after the last, the show stops.
class StepShowClock final : public ShowClock {
 public:
  StepShowClock(quint32 seed, QList<qint64> times, std::function<void(qsizetype)> capture);
  qint64 NowMs() override { return now_; }
  // Nothing to dispatch offline.
  void Poll() override {}

 protected:
  void Pass(qint64 milliseconds) override;

 private:
  qint64 now_ = 0;
  QList<qint64> times_;
  qsizetype next_ = 0;
  std::function<void(qsizetype)> capture_;
};

}  // namespace pivlo
