#pragma once

// The show's music as one endless stream in the show's format (AudioFormat.h): the songs
// in their play order, each one's first sample right after the last of the one before,
// silence when no song can play.

#include "audio/PlayOrder.h"
#include "audio/SongDecoder.h"
#include "audio/SongOpener.h"
#include "core/MediaFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace pivlo {

struct ProjectModel;

struct MusicSettings {
  QStringList songs;  // song N (1-based list number) is songs[N - 1]
  MusicOrder order = MusicOrder::kListOrder;
  bool muted = false;  // no music at all
  std::shared_ptr<const MediaFiles> media;  // what holds the songs that are not on disk
};

// The songs, PlayMusicOrder and MuteSound of a project.
MusicSettings MusicSettingsOf(const ProjectModel& project);

// One song as it played, in frames from the stream's start.
struct SongPlay {
  qint32 number = 0;  // its 1-based list number
  QString path;
  qint64 start_frame = 0;
  qint64 end_frame = -1;  // the frame after its last; -1 while it plays
  friend bool operator==(const SongPlay&, const SongPlay&) = default;
};

class MusicStream {
 public:
  // Gets one line for each song that cannot be played, on the thread that fills.
  using Say = std::function<void(const QString& line)>;

  MusicStream(MusicSettings settings, quint32 seed, Say say, SongOpener opener = SongOpener());
  ~MusicStream();
  MusicStream(const MusicStream&) = delete;
  MusicStream& operator=(const MusicStream&) = delete;

  // Writes exactly `frames` frames, decoding as it goes: the next frames of the music.
  // The samples do not depend on how the stream is cut into calls. One thread fills.
  void Fill(qint16* out, qsizetype frames);
  // The frames filled so far (the filling thread's view).
  qint64 FramesFilled() const { return filled_; }
  // True when nothing more will sound: muted, no songs, or every song left out. Any
  // thread.
  bool Silent() const { return silent_; }

  // The songs that have started so far, in order. Any thread may ask.
  QList<SongPlay> Plays() const;
  // The song heard at `frame` (for a frame not filled yet, the song playing last);
  // nothing for silence. Any thread.
  std::optional<SongPlay> PlayAt(qint64 frame) const;

 private:
  // Opens the next song that can be played; false when none can.
  bool OpenNext();
  // The current song has ended at `end_frame`; one that gave no sound is left out.
  void EndSong(qint64 end_frame);
  void LeaveOut(qsizetype index, const QString& why);

  MusicSettings settings_;
  Say say_;
  SongOpener opener_;  // before current_: a MIDI song needs its synthesizer while open
  PlayOrder order_;
  std::unique_ptr<SongDecoder> current_;
  qsizetype current_index_ = -1;
  bool current_sounded_ = false;
  std::atomic<bool> silent_ = false;
  qint64 filled_ = 0;

  mutable std::mutex plays_mutex_;
  QList<SongPlay> plays_;
};

}  // namespace pivlo
