#include "show/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace pivlo {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT};

// A signal handler reaches nothing but process-wide state: the pipe's write end.
volatile sig_atomic_t g_write_end = -1;

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  if (g_write_end >= 0) {
    [[maybe_unused]] const ssize_t written = write(g_write_end, &byte, 1);  // a full pipe has its stop already
  }
  errno = saved;
}

}  // namespace

StopSignals::StopSignals(std::function<void()> stop) : stop_(std::move(stop)) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep ending the process outright
  read_end_ = ends[0];
  g_write_end = ends[1];
  notifier_ = std::make_unique<QSocketNotifier>(read_end_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &StopSignals::Read);
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kStopSignals) sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals() {
  if (read_end_ < 0) return;
  for (const int signal : kStopSignals) std::signal(signal, SIG_DFL);
  notifier_.reset();
  const int write_end = g_write_end;
  g_write_end = -1;
  close(write_end);
  close(read_end_);
}

void StopSignals::Read() {
  char bytes[64];
  while (read(read_end_, bytes, sizeof bytes) > 0) {
  }
  stop_();
}

}  // namespace pivlo
