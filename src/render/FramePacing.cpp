#include "render/FramePacing.h"

#include "core/Events.h"
#include "render/basDirect3D.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace pivlo {
namespace {

class SystemClock final : public EffectClock {
 public:
  SystemClock() { timer_.start(); }
  qint64 NowMs() override { return timer_.elapsed(); }
  void Wait(qint64 milliseconds) override {
    if (milliseconds <= 0) return ProcessPendingEvents();
    if (QCoreApplication::instance() == nullptr) {
      std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
      return;
    }
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
  }

 private:
  QElapsedTimer timer_;
};

EffectClock*& InstalledClock() {
  static EffectClock* clock = nullptr;
  return clock;
}

}  // namespace

void EffectClock::Poll() { ProcessPendingEvents(); }

quint32 EffectClock::RandomSeed() { return quint32(QDateTime::currentMSecsSinceEpoch()); }

void StepEffectClock::Wait(qint64 milliseconds) {
  if (milliseconds > 0) now_ += milliseconds;
  ++waits_;
  ProcessPendingEvents();
}

EffectClock& SystemEffectClock() {
  static SystemClock clock;
  return clock;
}

EffectClock& CurrentEffectClock() {
  EffectClock* clock = InstalledClock();
  return clock != nullptr ? *clock : SystemEffectClock();
}

void SetEffectClock(EffectClock* clock) { InstalledClock() = clock; }

void PumpingWait(qint64 milliseconds) { CurrentEffectClock().Wait(milliseconds); }

void FramePacing::Restart() { start_ = CurrentEffectClock().NowMs(); }

qint64 FramePacing::ElapsedMs() const { return CurrentEffectClock().NowMs() - start_; }

bool FramePacing::MayDraw() { return !DeviceLost() && !ResourceFailed(); }

void FramePacing::Hold(double progress, double duration_ms) {
  if (duration_ms > 0) {
    while (progress > double(ElapsedMs()) / duration_ms) PumpingWait(1);
  }
  CurrentEffectClock().Poll();
}

}  // namespace pivlo
