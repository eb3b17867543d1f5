#pragma once

#include <QString>

namespace pivlo {

// A media file's type is decided by the last three characters of its path, upper-cased
// ("C:/a/b.jpeg" gives "PEG"); shorter paths give what they have.
QString FileTypeOfPath(const QString& path);

// A path shorter than 8 characters means that no file is chosen (a single blank, the
// stored form of "none", is covered by the same rule).
bool IsPathSet(const QString& path);

// The file name without its folder and without its last extension ("/a/b.c.jpg" gives
// "b.c"); the whole name when it has no full stop. Captions and lyric matching use it.
QString FileTitle(const QString& path);

}  // namespace pivlo
