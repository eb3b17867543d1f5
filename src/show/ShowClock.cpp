#include "show/ShowClock.h"

#include "core/Events.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace pivlo {

void ShowClock::WaitUntil(qint64 ms) {
  const qint64 now = NowMs();
  if (ms > now) Wait(ms - now);
}

RealTimeShowClock::RealTimeShowClock(quint32 seed) : ShowClock(seed) { timer_.start(); }

void RealTimeShowClock::Wait(qint64 milliseconds) {
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

void StepShowClock::Wait(qint64 milliseconds) {
  const qint64 until = now_ + std::max<qint64>(milliseconds, 0);
  while (next_ < times_.size() && times_[next_] < until) capture_(next_++);
  if (next_ >= times_.size()) throw ShowStopped();
  now_ = until;
}

}  // namespace pivlo
