#pragma once

// The show's music on the sound device through SDL2 (which picks PipeWire, PulseAudio or
// ALSA; SDL_AUDIODRIVER names another, such as disk or dummy for tests). A worker thread
// decodes ahead into a small ring; the device's callback only copies from it.

#include "audio/AudioRing.h"
#include "audio/MusicStream.h"

#include <QElapsedTimer>
#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace pivlo {

class AudioOutput {
 public:
  // Starts playing the stream, which must outlive the output and is filled only by the
  // output's worker from now on. The ring is filled before the device starts, so its
  // first call gets the stream's first frames (SDL plays silence until then). Nothing,
  // with the reason in `error`, when there is no audio device: the show then plays
  // silently on its monotonic clock.
  static std::unique_ptr<AudioOutput> Open(MusicStream& stream, QString* error);
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // The audio clock: the stream's frames heard so far, that is handed to the device less
  // those still in its buffer, moving on smoothly between the device's calls. Never goes
  // back. Any thread.
  qint64 PlayedFrames() const;
  qint64 ClockMs() const;
  // Pauses the device (the clock stops with it) or starts it again.
  void SetPaused(bool paused);
  // Frames of silence the device got because decoding fell behind (the clock does not
  // count them).
  qint64 UnderrunFrames() const;
  // The SDL driver in use ("pulseaudio", "pipewire", "alsa", "disk", ...).
  QString DriverName() const;

 private:
  AudioOutput(MusicStream& stream, qsizetype ring_frames);
  static void Callback(void* self, quint8* bytes, int length);
  void Play(qint16* out, qsizetype frames);
  void Decode();
  // Fills the ring while it has room for a chunk.
  void FillRing();

  MusicStream& stream_;
  AudioRing ring_;
  quint32 device_ = 0;
  qint64 device_buffer_frames_ = 0;  // the callback's buffer: handed, not heard yet
  QString driver_;

  std::thread worker_;
  std::mutex wake_mutex_;
  std::condition_variable wake_;
  bool stop_ = false;  // guarded by wake_mutex_

  // The device's last call: frames handed in all, and when. Guarded by clock_mutex_.
  mutable std::mutex clock_mutex_;
  QElapsedTimer since_start_;
  qint64 handed_frames_ = 0;
  qint64 handed_at_ns_ = -1;  // -1 until the first call
  bool paused_ = false;
  mutable qint64 clock_frames_ = 0;  // the largest clock given, so it never goes back
  qint64 underrun_frames_ = 0;
};

}  // namespace pivlo
