#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace pivlo {

// The playing time in seconds of a Standard MIDI File of format 0 or 1 (bare, or inside a
// RIFF RMID wrapper): the end of its longest track, timed through the tempo changes of
// all tracks. Nothing when the bytes are not such a file.
std::optional<double> MidiDuration(QByteArrayView data);

// The same for a file; files too large to be MIDI are refused unread.
std::optional<double> MidiFileDuration(const QString& path);

}  // namespace pivlo
