#pragma once

// Synchronised lyric files (.lrc): lines of text behind time tags.

#include "core/MediaFiles.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace pivlo {

// A lyric file larger than this gives no lyrics.
inline constexpr qint64 kLargestLyricFile = 1024 * 1024;

// One line as the show reads it: its text stands from `ms` (into the song) until the next
// line's time. An empty text clears the lyric.
struct LyricLine {
  qint64 ms = 0;
  QString text;
  friend bool operator==(const LyricLine&, const LyricLine&) = default;
};

// The file's text: UTF-8 with or without a BOM, UTF-16 LE or BE with a BOM, otherwise
// GB18030 (where most Chinese lyric files come from).
QString DecodeLyricText(QByteArrayView bytes);

// The lines of a lyric file's bytes in display order: by time, lines of the same time in
// file order. Time tags [mm:ss], [mm:ss.x], [mm:ss.xx], [mm:ss.xxx] and [mm:ss:xx], several
// on one line; [offset:+ms] makes every line come that much earlier (a negative offset
// later); ID tags ([ti:], [ar:], ...) are ignored. Empty when the bytes are over
// kLargestLyricFile or hold no time tag.
QList<LyricLine> ParseLyrics(QByteArrayView bytes);

// The same for a file (held by `media`, or a regular file: a FIFO is refused without
// waiting on it). Empty, with the reason in `error`, when it gives no lyrics.
QList<LyricLine> ReadLyricFile(const QString& path, QString* error = nullptr, const MediaFiles* media = nullptr);

}  // namespace pivlo
