#include "show/ShowClock.h"

#include "audio/AudioOutput.h"
#include "core/Events.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace pivlo {
namespace {

// An audio clock that stands this long while it is not paused has lost its device: the
// show goes on on monotonic time.
constexpr qint64 kAudioStallMs = 2000;

}  // namespace

void ShowClock::WaitUntil(qint64 ms) {
  const qint64 now = NowMs();
  if (ms > now) Wait(ms - now);
}

void ShowClock::Wait(qint64 milliseconds) {
  if (!refresh_) return Pass(milliseconds);
  qint64 now = NowMs();
  const qint64 until = now + std::max<qint64>(milliseconds, 0);
  do {
    if (now >= due_) due_ = std::max(refresh_(now), now + 1);
    Pass(std::max<qint64>(0, std::min(until, due_) - now));
    now = NowMs();
  } while (now < until);
}

void ShowClock::SetRefresh(Refresh refresh) {
  refresh_ = std::move(refresh);
  due_ = std::numeric_limits<qint64>::min();
}

RealTimeShowClock::RealTimeShowClock(quint32 seed) : ShowClock(seed) { timer_.start(); }

void RealTimeShowClock::Start(AudioOutput* audio) {
  audio_ = audio;
  paused_ms_ = 0;
  paused_since_ = -1;
  offset_ms_ = 0;
  audio_seen_ms_ = -1;
  timer_.restart();
}

qint64 RealTimeShowClock::MonotonicMs() const {
  const qint64 elapsed = timer_.elapsed();
  return elapsed - paused_ms_ - (paused_since_ >= 0 ? elapsed - paused_since_ : 0);
}

qint64 RealTimeShowClock::NowMs() {
  if (audio_ == nullptr) return MonotonicMs() + offset_ms_;
  const qint64 audio_ms = audio_->ClockMs();
  const qint64 elapsed = timer_.elapsed();
  if (audio_ms != audio_seen_ms_ || paused_since_ >= 0) {
    audio_seen_ms_ = audio_ms;
    audio_moved_at_ = elapsed;
  } else if (elapsed - audio_moved_at_ > kAudioStallMs) {
    qWarning("the sound device stopped taking samples: the show goes on without following the music");
    audio_ = nullptr;
    offset_ms_ = audio_ms - MonotonicMs();
  }
  return audio_ms;
}

void RealTimeShowClock::SetPaused(bool paused) {
  if (paused == (paused_since_ >= 0)) return;
  const qint64 elapsed = timer_.elapsed();
  if (paused) {
    paused_since_ = elapsed;
  } else {
    paused_ms_ += elapsed - paused_since_;
    paused_since_ = -1;
    audio_moved_at_ = elapsed;
  }
  if (audio_ != nullptr) audio_->SetPaused(paused);
}

void RealTimeShowClock::Pass(qint64 milliseconds) {
  if (stop_) throw ShowStopped();
  if (milliseconds > 0) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    quit_wait_ = [&loop] { loop.quit(); };
    loop.exec();
    quit_wait_ = nullptr;
  } else {
    ProcessPendingEvents();
  }
  if (stop_) throw ShowStopped();
}

void RealTimeShowClock::Poll() {
  ProcessPendingEvents();
  if (stop_) throw ShowStopped();
}

void RealTimeShowClock::RequestStop() {
  stop_ = true;
  if (quit_wait_) quit_wait_();
}

StepShowClock::StepShowClock(quint32 seed, QList<qint64> times, std::function<void(qsizetype)> capture)
    : ShowClock(seed), times_(std::move(times)), capture_(std::move(capture)) {}

void StepShowClock::Pass(qint64 milliseconds) {
  const qint64 until = now_ + std::max<qint64>(milliseconds, 0);
  while (next_ < times_.size() && times_[next_] < until) capture_(next_++);
  if (next_ >= times_.size()) throw ShowStopped();
  now_ = until;
}

}  // namespace pivlo
