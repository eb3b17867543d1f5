#include "show/ShowVideo.h"

#include "audio/AudioFormat.h"
#include "audio/MusicStream.h"
#include "core/FileReplacement.h"
#include "show/RecordingScreen.h"
#include "show/ShowEngine.h"
#include "show/ShowMusic.h"
#include "show/ShowOverlay.h"
#include "show/VideoEncoder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kSmallestVideo(1280, 720);
constexpr QSize kLargestVideo(3840, 2160);
// Each divides the sound's rate: every frame spans a whole number of samples.
constexpr int kVideoRates[] = {24, 25, 30, 50, 60};

// round(frame × 1000 / fps), in integers.
qint64 FrameMs(qint64 frame, int fps) { return (frame * 2000 + fps) / (2 * fps); }

// The sound that has played by the end of `frames` frames.
qint64 SoundFrames(qint64 frames, int fps) { return frames * kAudioRate / fps; }

// Where the plan's first `cycles` cycles end.
qint64 CyclesMs(const ShowSettings& settings, const ShowMaterial& material, quint32 seed, int cycles) {
  ShowPlanner planner(settings, material, seed);
  qint64 end = 0;
  for (int i = 0; i < cycles; ++i) {
    for (const ShowEvent& event : planner.NextCycle()) end = std::max(end, event.end_ms);
  }
  return end;
}

}  // namespace

bool VideoSizeAllowed(QSize size) {
  return size.width() >= kSmallestVideo.width() && size.width() <= kLargestVideo.width() &&
         size.height() >= kSmallestVideo.height() && size.height() <= kLargestVideo.height() &&
         size.width() % 2 == 0 && size.height() % 2 == 0;
}

bool VideoRateAllowed(int fps) {
  return std::find(std::begin(kVideoRates), std::end(kVideoRates), fps) != std::end(kVideoRates);
}

std::optional<VideoSummary> RecordShowVideo(ShowSession& session, const QString& out, const VideoOptions& options,
                                            const VideoHooks& hooks, QString* error) {
  const auto fail = [error](const QString& why) -> std::optional<VideoSummary> {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  if (!VideoSizeAllowed(options.size) || !VideoRateAllowed(options.fps)) {
    return fail(u"no video is made in that size or at that frame rate"_s);
  }
  const auto say = [&hooks](const QString& line) {
    if (hooks.say) hooks.say(line);
  };
  const ShowSettings& settings = session.Settings();
  ShowMaterial material = session.FindMaterial(say);
  if (material.pictures.isEmpty()) return fail(u"the show has no picture it can show"_s);
  const qint64 length_ms = options.seconds ? std::llround(std::min(*options.seconds, 1e9) * 1000)
                                           : CyclesMs(settings, material, options.seed, options.cycles);
  const qint64 total = (length_ms * options.fps + 999) / 1000;
  if (total <= 0) return fail(u"the video would have no frame"_s);

  // Made under a name of its own beside `out`, which it replaces only once complete.
  const QFileInfo target(out);
  if (target.exists() && !target.isFile()) return fail(out + u": not a regular file"_s);
  QTemporaryFile assembly(target.absolutePath() + u"/."_s + target.fileName() + u".XXXXXX"_s);
  if (!assembly.open()) return fail(out + u": cannot create a file beside it: "_s + assembly.errorString());
  assembly.close();
  QString why;
  std::unique_ptr<VideoEncoder> encoder = VideoEncoder::Open(assembly.fileName(), options.size, options.fps, &why);
  if (!encoder) return fail(out + u": "_s + why);

  QList<qint64> times;
  times.reserve(total);
  for (qint64 k = 0; k < total; ++k) times << FrameMs(k, options.fps);
  MusicStream sound(ShowMusicSettings(settings), options.seed, say);
  std::vector<qint16> samples;
  qint64 done = 0;
  bool cancelled = false;
  ShowOverlay* overlay = nullptr;  // the clock's captures see the show through it
  StepShowClock clock(options.seed, times, [&](qsizetype k) {
    const qint64 sound_frames = SoundFrames(k + 1, options.fps) - sound.FramesFilled();
    samples.resize(size_t(sound_frames) * kAudioChannels);
    sound.Fill(samples.data(), sound_frames);
    if (!encoder->AddFrame(overlay->FrameAt(times[k])) || !encoder->AddSound(samples.data(), sound_frames)) {
      throw ShowStopped();
    }
    done = k + 1;
    if (hooks.progress) hooks.progress(done, total);
    if (hooks.cancelled && hooks.cancelled()) {
      cancelled = true;
      throw ShowStopped();
    }
  });
  // The lyrics follow a stream of their own, as `show render` has them.
  OfflineMusic music(settings, options.seed, nullptr);
  LyricTrack lyrics(settings, [&music](qint64 frame) { return music.PlayAt(frame); }, say);
  RecordingScreen screen(options.size);
  ShowOverlay shown(screen, settings, clock, &lyrics, QString());
  overlay = &shown;
  if (!session.StartGraphics(shown, &why)) return fail(u"the show cannot start: "_s + why);
  clock.SetRefresh([&shown](qint64 now) { return shown.Refresh(now); });
  ShowEngine(settings, std::move(material), options.seed, shown, clock).Run();

  if (cancelled) return fail(u"cancelled: no video was written"_s);
  if (!encoder->Error().isEmpty()) return fail(out + u": "_s + encoder->Error());
  if (done < total) return fail(u"the show stopped before the video's end"_s);
  if (!encoder->Finish()) return fail(out + u": "_s + encoder->Error());
  const QString codec = encoder->VideoCodecName();
  encoder.reset();
  // A video is anyone's to read, as a file saved by hand would be.
  QFile::setPermissions(assembly.fileName(),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  if (!CommitAssembledFile(assembly.fileName(), out, &why)) return fail(why);
  assembly.setAutoRemove(false);
  return VideoSummary{total, codec};
}

}  // namespace pivlo
