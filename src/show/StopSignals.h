#pragma once

// SIGTERM and SIGINT end the show: the handler only writes a byte to a pipe, and the
// host's thread reads it between frames (the player's waits dispatch it at once, the
// video export dispatches it after every frame).

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace pivlo {

class StopSignals final : public QObject {
 public:
  // `stop` runs on the window thread for every signal received.
  explicit StopSignals(std::function<void()> stop);
  // The signals' own actions again.
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  void Read();

  std::function<void()> stop_;
  int read_end_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace pivlo
