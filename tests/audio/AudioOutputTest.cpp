#include "TestFiles.h"
#include "ToneFixtures.h"
#include "audio/AudioFormat.h"
#include "audio/AudioOutput.h"
#include "audio/MusicRender.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// Sets an environment variable while it lives.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)) {
    qputenv(name, value);
  }
  ~ScopedEnvironment() { old_.isNull() ? qunsetenv(name_) : qputenv(name_, old_); }

 private:
  const char* name_;
  QByteArray old_;
};

struct OutputFixture {
  test::TempFolder folder;
  MusicSettings music;
  OutputFixture() {
    music.songs = {folder.Write(u"a.wav"_s, test::ToneWav(1, 4800)), folder.Write(u"b.wav"_s, test::ToneWav(2, 7000))};
  }
};

// What the ring holds before the device starts, so what the device gets first even when
// decoding falls behind later.
constexpr qsizetype kRingFramesAtLeast = 4096;

// Waits until the clock reaches `ms` (real time passes); false after five seconds.
bool WaitForClock(const AudioOutput& output, qint64 ms) {
  QElapsedTimer timer;
  timer.start();
  while (output.ClockMs() < ms) {
    if (timer.elapsed() > 5000) return false;
    QThread::msleep(5);
  }
  return true;
}

TEST(AudioOutput, TheDiskDriverGetsTheStreamsSamplesAndTheClockAdvances) {
  OutputFixture fixture;
  const QString raw = fixture.folder.Path(u"device.raw"_s);
  const ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  const ScopedEnvironment file("SDL_DISKAUDIOFILE", raw.toLocal8Bit());
  qint64 underruns = 0;
  {
    MusicStream stream(fixture.music, 1, {});
    QString error;
    const std::unique_ptr<AudioOutput> output = AudioOutput::Open(stream, &error);
    ASSERT_TRUE(output) << error.toStdString();
    EXPECT_EQ(output->DriverName(), u"disk"_s);
    qint64 last = 0;
    QElapsedTimer timer;
    timer.start();
    while (output->ClockMs() < 300 && timer.elapsed() < 5000) {
      const qint64 now = output->PlayedFrames();
      ASSERT_GE(now, last) << "the clock never goes back";
      last = now;
      QThread::msleep(2);
    }
    EXPECT_GE(output->ClockMs(), 300);
    underruns = output->UnderrunFrames();
  }
  // Before the stream starts the device plays silence (SDL fills it while paused); then it
  // gets the stream's frames from the first on (its last buffer may be cut).
  QByteArray device = test::ReadWholeFile(raw);
  qsizetype silence = 0;
  while (silence < device.size() && device[silence] == 0) ++silence;
  device.remove(0, silence - silence % kAudioFrameBytes);
  ASSERT_GE(device.size(), 300 * kAudioRate / 1000 * kAudioFrameBytes);
  MusicStream same(fixture.music, 1, {});
  const QByteArray expected = RenderMusic(same, device.size() / kAudioFrameBytes);
  if (underruns == 0) {
    EXPECT_EQ(device, expected.first(device.size()));
  } else {
    EXPECT_EQ(device.first(kRingFramesAtLeast * kAudioFrameBytes), expected.first(kRingFramesAtLeast * kAudioFrameBytes));
  }
}

TEST(AudioOutput, TheClockStopsWhilePaused) {
  OutputFixture fixture;
  const ScopedEnvironment driver("SDL_AUDIODRIVER", "dummy");
  MusicStream stream(fixture.music, 1, {});
  QString error;
  const std::unique_ptr<AudioOutput> output = AudioOutput::Open(stream, &error);
  ASSERT_TRUE(output) << error.toStdString();
  ASSERT_TRUE(WaitForClock(*output, 100));
  output->SetPaused(true);
  QThread::msleep(50);  // a call under way when pausing still ends
  const qint64 paused = output->ClockMs();
  QThread::msleep(150);
  EXPECT_EQ(output->ClockMs(), paused);
  output->SetPaused(false);
  EXPECT_TRUE(WaitForClock(*output, paused + 100));
}

TEST(AudioOutput, WithoutADeviceSaysWhy) {
  OutputFixture fixture;
  const ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
  MusicStream stream(fixture.music, 1, {});
  QString error;
  EXPECT_FALSE(AudioOutput::Open(stream, &error));
  EXPECT_TRUE(error.startsWith(u"no audio device ("_s)) << error.toStdString();
  EXPECT_EQ(stream.FramesFilled(), 0);
}

}  // namespace
}  // namespace pivlo
