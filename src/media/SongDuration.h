#pragma once

#include <QIODevice>
#include <QString>

namespace pivlo {

// The duration the media framework reports for a song, in seconds rounded to whole
// milliseconds; -1 when it cannot be read or is 0.3 s or shorter (the song is refused).
float MeasureSongQuick(const QString& path);

// The duration kept for a song, in seconds rounded to whole milliseconds. `knownDuration`
// is what was measured before (0 for none). WAV (and TMP) files take it, else their RIFF
// header; other files take it, else the media framework's figure, and an MP3 file is
// cross-checked with its own frame analysis. A missing file measures 0.
float MeasureSong(const QString& path, float knownDuration);

// The duration a song takes when it is added to the music list: MeasureSong with the
// media framework's figure; -1 when the framework refuses the song (MeasureSongQuick).
float MeasureNewSong(const QString& path);

// The duration in seconds from a RIFF WAVE header whose data chunk follows the fmt chunk
// directly; 0 for anything else (a LIST or fact chunk in between included).
double WavDuration(const QString& path);
double WavDuration(QIODevice& file);

}  // namespace pivlo
