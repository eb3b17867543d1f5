#pragma once

#include "core/Rounding.h"

#include <QRect>
#include <QSize>

namespace pivlo {

// Which box the layout canvas edits: the settings page that is open. The values are the
// ones the main window keeps for its pages.
enum class CanvasMode {
  kPictures = 0,  // and every page not listed: no box, the picture marker (placement 1)
  kCaption = 1,
  kHeadline = 2,
  kLyrics = 3,
  kTitles = 4,
};

// A rectangle of one size's pixels in another's (the screen's on the canvas, the canvas's
// on the screen), each value to the nearest integer.
inline QRect ScaledRect(const QRect& rect, QSize from, QSize to) {
  if (from.isEmpty()) return rect;
  const double sx = double(to.width()) / from.width();
  const double sy = double(to.height()) / from.height();
  return QRect(RoundToInt32(rect.x() * sx), RoundToInt32(rect.y() * sy), RoundToInt32(rect.width() * sx),
               RoundToInt32(rect.height() * sy));
}

}  // namespace pivlo
