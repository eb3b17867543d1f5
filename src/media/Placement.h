#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

namespace pivlo {

// How a picture is drawn into a box (the values are stored in projects).
enum PlacementMode : int {
  kPlaceCentred = 0,    // natural size centred when it fits both ways, else as kPlaceFitted
  kPlaceAtPoint = 1,    // natural size at a point; (0, 0) asks for a random point
  kPlaceTiled = 2,      // natural size, tiled from the top-left corner
  kPlaceFitted = 3,     // scaled to fit keeping the aspect ratio, centred
  kPlaceStretched = 4,  // stretched to the whole box
};

// A number uniform in [0, 1). Tests pass their own so that random points are repeatable.
using RandomUnit = std::function<double()>;
RandomUnit ClockRandomUnit();

// Where a picture lands: one rectangle, or the first tile of a grid of equal tiles.
struct Placement {
  QRect rect;
  int columns = 1;
  int rows = 1;

  bool IsEmpty() const { return rect.isEmpty(); }
  QRect Tile(int column, int row) const { return rect.translated(column * rect.width(), row * rect.height()); }
};

// The placement of a picture of `picture` size in a box of `box` size by `mode`; `point` is
// the top-left point of kPlaceAtPoint. Empty for an empty picture or box or an unknown mode.
Placement PlacePicture(QSize picture, QSize box, int mode, QPoint point, const RandomUnit& random);

// Draws the picture into the box by the placement, smoothly scaled where the sizes differ.
void DrawPlaced(QImage& box, const QImage& picture, const Placement& placement);

// Draws a picture with straight (not premultiplied) alpha over what the box shows where it
// lands: per channel ((255 - a) * box + a * picture + 255) / 256, so a = 255 gives the
// picture and a = 0 the box exactly. The box becomes Format_RGB32.
void CompositePlaced(QImage& box, const QImage& picture, const Placement& placement);

}  // namespace pivlo
