#pragma once

// The show as a video file, on the offline clock: frame k is the frame `show render`
// writes at round(k × 1000 / fps) ms, and the sound is the show's music from its start,
// the samples the player plays.

#include "show/ShowSession.h"

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace pivlo {

// The sizes a video is made in: 1280x720 to 3840x2160, both sides even (what the
// encoders' 4:2:0 pictures need).
bool VideoSizeAllowed(QSize size);
// The frame rates a video is made at: 24, 25, 30, 50 and 60.
bool VideoRateAllowed(int fps);

struct VideoOptions {
  QSize size{1920, 1080};
  int fps = 30;
  quint32 seed = 0;
  std::optional<double> seconds;  // the length; without it `cycles` whole cycles of the plan
  int cycles = 1;
};

// Each may be empty.
struct VideoHooks {
  std::function<void(const QString& line)> say;             // a picture or song left out
  std::function<void(qint64 done, qint64 total)> progress;  // frames, after every frame
  std::function<bool()> cancelled;                          // asked after every frame
};

// What a finished video holds.
struct VideoSummary {
  qint64 frames = 0;
  QString codec;  // the video's: "h264" or "mpeg4"; the sound is AAC
};

// Records the session's show into `out`, which a complete file replaces only at the end:
// a failure or a cancel leaves an old file as it was and no file of its own. The session
// must not have started its graphics. Nothing, with the reason, on failure.
std::optional<VideoSummary> RecordShowVideo(ShowSession& session, const QString& out, const VideoOptions& options,
                                            const VideoHooks& hooks, QString* error);

}  // namespace pivlo
