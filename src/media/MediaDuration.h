#pragma once

#include <QString>

#include <optional>

namespace pivlo {

// The playing time in seconds of a song file as the media framework reports it:
// libavformat for MP3, WMA, WAV and the other formats it knows (only files with an audio
// stream count), our own reader for MIDI files (".mid"), which libavformat cannot open.
// Nothing when the file cannot be read or its duration is unknown.
std::optional<double> MediaDuration(const QString& path);

}  // namespace pivlo
