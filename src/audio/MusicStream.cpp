#include "audio/MusicStream.h"

#include "audio/AudioFormat.h"
#include "audio/AudioLog.h"
#include "core/PathRules.h"
#include "core/ProjectModel.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace pivlo {

MusicSettings MusicSettingsOf(const ProjectModel& project) {
  MusicSettings music;
  for (const SongEntry& song : project.songs) music.songs << song.file;
  music.order = MusicOrderOf(project.settings.play_music_order);
  music.muted = project.settings.mute_sound;
  return music;
}

MusicStream::MusicStream(MusicSettings settings, quint32 seed, Say say, SongOpener opener)
    : settings_(std::move(settings)),
      say_(std::move(say)),
      opener_(std::move(opener)),
      order_(settings_.muted ? 0 : settings_.songs.size(), settings_.order, seed),
      silent_(settings_.muted || settings_.songs.isEmpty()) {
  const bool any_midi = std::any_of(settings_.songs.cbegin(), settings_.songs.cend(),
                                    [](const QString& path) { return FileTypeOfPath(path) == u"MID"; });
  if (!silent_ && any_midi) opener_.PrepareMidi();
}

MusicStream::~MusicStream() = default;

void MusicStream::Fill(qint16* out, qsizetype frames) {
  qsizetype written = 0;
  while (written < frames && !silent_) {
    if (!current_ && !OpenNext()) break;
    const qsizetype got = current_->Read(out + written * kAudioChannels, frames - written);
    if (got == 0) {
      EndSong(filled_ + written);
      continue;
    }
    if (!current_sounded_) {
      current_sounded_ = true;
      const std::lock_guard lock(plays_mutex_);
      plays_ << SongPlay{qint32(current_index_ + 1), settings_.songs[current_index_], filled_ + written};
    }
    written += got;
  }
  std::fill(out + written * kAudioChannels, out + frames * kAudioChannels, qint16(0));
  filled_ += frames;
}

bool MusicStream::OpenNext() {
  while (const std::optional<qsizetype> index = order_.Next()) {
    QString why;
    current_ = opener_.Open(settings_.songs[*index], &why, settings_.media.get());
    if (current_) {
      current_index_ = *index;
      current_sounded_ = false;
      qCDebug(lcAudio) << "playing song" << *index + 1 << settings_.songs[*index];
      return true;
    }
    LeaveOut(*index, why);
  }
  silent_ = true;
  return false;
}

void MusicStream::EndSong(qint64 end_frame) {
  current_.reset();
  if (!current_sounded_) {
    // A song with no sound would otherwise be opened over and over without the stream
    // moving on.
    LeaveOut(current_index_, u"it holds no sound"_s);
    return;
  }
  const std::lock_guard lock(plays_mutex_);
  plays_.last().end_frame = end_frame;
}

void MusicStream::LeaveOut(qsizetype index, const QString& why) {
  order_.Drop(index);
  if (say_) say_(settings_.songs[index] + u": not a song the show can play ("_s + why + u"), left out"_s);
}

QList<SongPlay> MusicStream::Plays() const {
  const std::lock_guard lock(plays_mutex_);
  return plays_;
}

std::optional<SongPlay> MusicStream::PlayAt(qint64 frame) const {
  const std::lock_guard lock(plays_mutex_);
  for (auto it = plays_.crbegin(); it != plays_.crend(); ++it) {
    if (it->start_frame > frame) continue;
    if (it->end_frame >= 0 && frame >= it->end_frame) return std::nullopt;
    return *it;
  }
  return std::nullopt;
}

}  // namespace pivlo
