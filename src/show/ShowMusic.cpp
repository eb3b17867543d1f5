#include "show/ShowMusic.h"

#include "audio/AudioFormat.h"
#include "core/PathRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

constexpr qint64 kFramesPerMs = kAudioRate / 1000;
// Offline decoding goes this far at a time.
constexpr qint64 kChunkFrames = kAudioRate;
// How far past the asked time a song is decoded to find its end.
constexpr qint64 kLongestSongEndSearch = qint64(kAudioRate) * 3600 * 2;
// While the song's end is unknown a lyric is asked again this often.
constexpr qint64 kLyricRecheckMs = 250;
// A last line of a song whose length is unknown stands this long.
constexpr qint64 kLastLineMs = 5000;

}  // namespace

MusicSettings ShowMusicSettings(const ShowSettings& settings) {
  MusicSettings music = MusicSettingsOf(settings.project);
  music.media = settings.media;
  return music;
}

qint64 ShowMsToFrame(qint64 ms) { return ms * kFramesPerMs; }

qint64 FrameToShowMs(qint64 frame) { return frame <= 0 ? 0 : (frame + kFramesPerMs - 1) / kFramesPerMs; }

OfflineMusic::OfflineMusic(const ShowSettings& settings, quint32 seed, MusicStream::Say say)
    : stream_(ShowMusicSettings(settings), seed, std::move(say)) {}

void OfflineMusic::FillTo(qint64 frame) {
  while (stream_.FramesFilled() < frame) {
    const qint64 frames = std::min(kChunkFrames, frame - stream_.FramesFilled());
    scratch_.resize(size_t(frames) * kAudioChannels);
    stream_.Fill(scratch_.data(), frames);
    if (stream_.Silent()) return;
  }
}

std::optional<SongPlay> OfflineMusic::PlayAt(qint64 frame) {
  FillTo(frame + 1);
  return stream_.PlayAt(frame);
}

QList<SongPlay> OfflineMusic::PlaysBefore(qint64 frame) {
  FillTo(frame);
  const qint64 give_up = frame + kLongestSongEndSearch;
  while (!stream_.Silent() && stream_.FramesFilled() < give_up) {
    const QList<SongPlay> plays = stream_.Plays();
    if (plays.isEmpty() || plays.last().end_frame >= 0 || plays.last().start_frame >= frame) break;
    FillTo(stream_.FramesFilled() + kChunkFrames);
  }
  QList<SongPlay> plays = stream_.Plays();
  plays.removeIf([frame](const SongPlay& play) { return play.start_frame >= frame; });
  return plays;
}

LyricTrack::LyricTrack(const ShowSettings& settings, PlayFinder finder, MusicStream::Say say)
    : settings_(settings), finder_(std::move(finder)), say_(std::move(say)) {
  const ProjectSettings& s = settings.project.settings;
  if (!s.enable_lyric || s.mute_sound) return;
  const qsizetype songs = std::min(settings.project.songs.size(), settings.music_lyric_files.size());
  for (qsizetype i = 0; i < songs; ++i) enabled_ = enabled_ || IsPathSet(settings.music_lyric_files[i]);
}

const QList<LyricLine>& LyricTrack::Lines(qint32 number) {
  const auto known = lines_.constFind(number);
  if (known != lines_.cend()) return *known;
  QList<LyricLine> lines;
  const QString path = settings_.music_lyric_files.value(number - 1);
  if (enabled_ && IsPathSet(path)) {
    QString error;
    lines = ReadLyricFile(path, &error, settings_.media.get());
    if (lines.isEmpty() && say_) say_(path + u": no lyrics the show can show ("_s + error + u')');
  }
  return *lines_.insert(number, std::move(lines));
}

std::optional<std::pair<qint64, qint64>> LyricTrack::LineSpan(const SongPlay& play, const QList<LyricLine>& lines,
                                                              qsizetype index) const {
  if (lines[index].text.isEmpty()) return std::nullopt;
  const qint64 song_start = FrameToShowMs(play.start_frame);
  std::optional<qint64> song_end;
  if (play.end_frame >= 0) {
    song_end = FrameToShowMs(play.end_frame);
  } else {
    // Still playing: the length the music list measured stands for its end.
    const float seconds = settings_.project.songs.value(play.number - 1).duration;
    if (seconds > 0 && std::isfinite(seconds)) song_end = song_start + qint64(double(seconds) * 1000.0);
  }
  const qint64 start = song_start + std::max<qint64>(lines[index].ms, 0);
  qint64 end = index + 1 < lines.size() ? song_start + lines[index + 1].ms : song_end.value_or(start + kLastLineMs);
  if (song_end) end = std::min(end, *song_end);
  if (end <= start) return std::nullopt;
  return std::pair{start, end};
}

LyricMoment LyricTrack::At(qint64 show_ms) {
  LyricMoment moment;
  if (!enabled_) {
    moment.until_ms = std::numeric_limits<qint64>::max();
    return moment;
  }
  moment.until_ms = show_ms + kLyricRecheckMs;
  const std::optional<SongPlay> play = finder_(ShowMsToFrame(show_ms));
  if (!play) return moment;
  const qint64 song_start = FrameToShowMs(play->start_frame);
  if (play->end_frame >= 0) moment.until_ms = std::min(moment.until_ms, FrameToShowMs(play->end_frame));
  const QList<LyricLine>& lines = Lines(play->number);
  const auto after = std::upper_bound(lines.cbegin(), lines.cend(), show_ms - song_start,
                                      [](qint64 ms, const LyricLine& line) { return ms < line.ms; });
  if (after != lines.cend()) moment.until_ms = std::min(moment.until_ms, song_start + after->ms);
  if (after == lines.cbegin()) return moment;
  const qsizetype index = (after - lines.cbegin()) - 1;
  const std::optional<std::pair<qint64, qint64>> span = LineSpan(*play, lines, index);
  if (!span || show_ms >= span->second) return moment;
  moment.text = lines[index].text;
  moment.next = index + 1 < lines.size() ? lines[index + 1].text : QString();
  moment.start_ms = span->first;
  moment.end_ms = span->second;
  moment.until_ms = std::min(moment.until_ms, span->second);
  return moment;
}

QList<MusicEvent> PlanMusic(const ShowSettings& settings, quint32 seed, qint64 until_ms,
                            const MusicStream::Say& say) {
  QList<MusicEvent> events;
  if (settings.project.settings.mute_sound || settings.project.songs.isEmpty()) return events;
  OfflineMusic music(settings, seed, say);
  const QList<SongPlay> plays = music.PlaysBefore(ShowMsToFrame(until_ms));
  LyricTrack lyrics(settings, PlayFinder(), say);  // asked line by line, not by time
  for (const SongPlay& play : plays) {
    const qint64 song_end = play.end_frame >= 0 ? FrameToShowMs(play.end_frame) : until_ms;
    events.append({FrameToShowMs(play.start_frame), song_end, false, play.number, play.path});
    if (!lyrics.Enabled()) continue;
    const QList<LyricLine>& lines = lyrics.Lines(play.number);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const std::optional<std::pair<qint64, qint64>> span = lyrics.LineSpan(play, lines, i);
      if (span && span->first < until_ms) events.append({span->first, span->second, true, play.number, lines[i].text});
    }
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const MusicEvent& a, const MusicEvent& b) { return a.start_ms < b.start_ms; });
  return events;
}

}  // namespace pivlo
