#include "audio/AudioOutput.h"

#include "audio/AudioFormat.h"
#include "audio/AudioLog.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// The device's buffer: about 21 ms at 48 kHz, small enough for lyrics to stay on time.
constexpr int kDeviceFrames = 1024;
// What the worker decodes ahead (about 340 ms) and in what steps.
constexpr qsizetype kRingFrames = 16 * 1024;
constexpr qsizetype kChunkFrames = 1024;

QString SdlError() { return QString::fromUtf8(SDL_GetError()); }

}  // namespace

AudioOutput::AudioOutput(MusicStream& stream, qsizetype ring_frames) : stream_(stream), ring_(ring_frames) {}

std::unique_ptr<AudioOutput> AudioOutput::Open(MusicStream& stream, QString* error) {
  const auto fail = [error](const QString& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return fail(u"no audio device (%1)"_s.arg(SdlError()));
  std::unique_ptr<AudioOutput> output(new AudioOutput(stream, kRingFrames));
  SDL_AudioSpec wanted{};
  wanted.freq = kAudioRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kAudioChannels;
  wanted.samples = kDeviceFrames;
  wanted.callback = &AudioOutput::Callback;
  wanted.userdata = output.get();
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the device really takes.
  output->device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (output->device_ == 0) {
    const QString why = u"no audio device (%1)"_s.arg(SdlError());
    output.reset();  // its destructor leaves the subsystem
    return fail(why);
  }
  output->device_buffer_frames_ = obtained.samples;
  output->driver_ = QString::fromUtf8(SDL_GetCurrentAudioDriver());
  qCDebug(lcAudio) << "playing through" << output->driver_ << "with a buffer of" << obtained.samples << "frames";

  output->FillRing();
  output->since_start_.start();
  output->worker_ = std::thread(&AudioOutput::Decode, output.get());
  SDL_PauseAudioDevice(output->device_, 0);
  return output;
}

AudioOutput::~AudioOutput() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);  // no callback runs after this
  {
    const std::lock_guard lock(wake_mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  if (worker_.joinable()) worker_.join();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOutput::Callback(void* self, quint8* bytes, int length) {
  static_cast<AudioOutput*>(self)->Play(reinterpret_cast<qint16*>(bytes), length / kAudioFrameBytes);
}

void AudioOutput::Play(qint16* out, qsizetype frames) {
  const qsizetype got = ring_.Read(out, frames);
  std::fill(out + got * kAudioChannels, out + frames * kAudioChannels, qint16(0));
  wake_.notify_one();
  const std::lock_guard lock(clock_mutex_);
  handed_frames_ += got;
  handed_at_ns_ = since_start_.nsecsElapsed();
  underrun_frames_ += frames - got;
}

void AudioOutput::FillRing() {
  qint16 chunk[kChunkFrames * kAudioChannels];
  while (ring_.FreeFrames() >= kChunkFrames) {
    stream_.Fill(chunk, kChunkFrames);
    ring_.Write(chunk, kChunkFrames);
  }
}

void AudioOutput::Decode() {
  std::unique_lock lock(wake_mutex_);
  while (!stop_) {
    lock.unlock();
    FillRing();
    lock.lock();
    // The callback wakes the worker; the timeout covers a wake-up that came too early.
    wake_.wait_for(lock, std::chrono::milliseconds(10),
                   [this] { return stop_ || ring_.FreeFrames() >= kChunkFrames; });
  }
}

qint64 AudioOutput::PlayedFrames() const {
  const std::lock_guard lock(clock_mutex_);
  if (handed_at_ns_ < 0) return clock_frames_;
  // What was handed before the last call is being heard now; the last call's buffer
  // follows at the device's pace, and no further than it goes.
  const qint64 heard = std::max<qint64>(0, handed_frames_ - device_buffer_frames_);
  const qint64 since_ns = paused_ ? 0 : since_start_.nsecsElapsed() - handed_at_ns_;
  const qint64 moving = std::min(device_buffer_frames_, since_ns * kAudioRate / 1'000'000'000);
  clock_frames_ = std::max(clock_frames_, std::min(heard + moving, handed_frames_));
  return clock_frames_;
}

qint64 AudioOutput::ClockMs() const { return AudioFramesToMs(PlayedFrames()); }

void AudioOutput::SetPaused(bool paused) {
  PlayedFrames();  // the clock as it stands when the device stops
  {
    const std::lock_guard lock(clock_mutex_);
    paused_ = paused;
  }
  SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

qint64 AudioOutput::UnderrunFrames() const {
  const std::lock_guard lock(clock_mutex_);
  return underrun_frames_;
}

QString AudioOutput::DriverName() const { return driver_; }

}  // namespace pivlo
