#pragma once

// Where the lines of a lyric stand in the lyric box: one line in the lyric slot's
// alignment, or two, the current at the box's left and the coming one at its right in the
// box moved down by its own height. The editor's sample and the show lay them out alike.

#include "core/ProjectTypes.h"

#include <QList>
#include <QRectF>

namespace pivlo {

struct LyricLinePlace {
  QRectF box;
  qint32 align = 0;
};

// The current line's place, then for the two-line styles the coming line's.
inline QList<LyricLinePlace> LyricLinePlaces(qint32 lyric_style, const QRectF& box, qint32 slot_align) {
  if (!IsTwoLineLyricStyle(lyric_style)) return {{box, slot_align}};
  return {{box, 3}, {box.translated(0, box.height()), 5}};
}

}  // namespace pivlo
