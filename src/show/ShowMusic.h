#pragma once

// The show's music as the show sees it: which song is heard at a show time, the lyric
// line standing then, and the songs and lines of a stretch of the show for `show plan`.
// A show time of t ms is the music's frame t × 48.

#include "audio/LrcLyrics.h"
#include "audio/MusicStream.h"
#include "show/ShowSettings.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace pivlo {

// The show's songs, order and mute, with what holds the songs of a self-contained package.
MusicSettings ShowMusicSettings(const ShowSettings& settings);

// The music's frame at a show time, and the show time a frame is heard at (rounded up,
// so that what starts at a frame is there at that time).
qint64 ShowMsToFrame(qint64 ms);
qint64 FrameToShowMs(qint64 frame);

// The song heard at a frame of the music; nothing for silence.
using PlayFinder = std::function<std::optional<SongPlay>(qint64 frame)>;

// The music of a host without a device: the stream is decoded as far as it is asked
// about, its samples dropped.
class OfflineMusic {
 public:
  OfflineMusic(const ShowSettings& settings, quint32 seed, MusicStream::Say say);
  std::optional<SongPlay> PlayAt(qint64 frame);
  // The songs started before `frame`, each with its end (decoding on to it).
  QList<SongPlay> PlaysBefore(qint64 frame);

 private:
  void FillTo(qint64 frame);

  MusicStream stream_;
  std::vector<qint16> scratch_;
};

// What the lyric shows at one show time.
struct LyricMoment {
  QString text;         // the current line; empty: none stands
  QString next;         // the line after it, for the two-line styles
  qint64 start_ms = 0;  // show times the current line came and goes
  qint64 end_ms = 0;
  qint64 until_ms = 0;  // when the answer may change
  friend bool operator==(const LyricMoment&, const LyricMoment&) = default;
};

// The lines of the songs' lyric files (EnableLyric), each file read once, when its song
// first plays; a file named that gives none is said once.
class LyricTrack {
 public:
  LyricTrack(const ShowSettings& settings, PlayFinder finder, MusicStream::Say say);
  // Whether any song has a lyric file to show.
  bool Enabled() const { return enabled_; }
  // Song `number`'s lines; empty when it has none.
  const QList<LyricLine>& Lines(qint32 number);
  LyricMoment At(qint64 show_ms);
  // Where line `index` of a play's lines stands, in show time: from its time tag until
  // the next line's, or the song's end; nothing when it shows nothing.
  std::optional<std::pair<qint64, qint64>> LineSpan(const SongPlay& play, const QList<LyricLine>& lines,
                                                    qsizetype index) const;

 private:
  const ShowSettings& settings_;
  PlayFinder finder_;
  MusicStream::Say say_;
  bool enabled_ = false;
  QHash<qint32, QList<LyricLine>> lines_;
};

// A song or lyric line of `show plan`.
struct MusicEvent {
  qint64 start_ms = 0;
  qint64 end_ms = 0;
  bool lyric = false;
  qint32 song = 0;  // the song's list number
  QString text;     // a song's path, a lyric's line
  friend bool operator==(const MusicEvent&, const MusicEvent&) = default;
};

// The songs and lyric lines that start before `until_ms`, by their start; each with its
// true end, the song decoded to it.
QList<MusicEvent> PlanMusic(const ShowSettings& settings, quint32 seed, qint64 until_ms,
                            const MusicStream::Say& say);

}  // namespace pivlo
