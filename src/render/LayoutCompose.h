#pragma once

// The still composition of a slide: its background, its picture in the picture placement,
// and the frame overlay. The layout canvas, the transition previews and the headline
// previews all compose with these functions, so a preview starts from and ends on what
// the canvas shows.

#include "core/ProjectModel.h"
#include "media/Placement.h"
#include "media/basGdiPlus.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

namespace pivlo {

// What decodes a picture file and paints it into a box (PaintPictureByType); a test may
// count what is decoded.
using PicturePainter =
    std::function<std::optional<QRect>(QImage& box, const QString& path, int mode, QPoint point, const RandomUnit&)>;

// Paints the project's background over the whole box: with kind "3" and a background
// picture set, that picture in the background placement (tiled or stretched; a file of
// an unknown type paints nothing); otherwise the solid colour, or with kind "2" the
// gradient from the start to the end colour in the gradient direction.
void DrawBackground(QImage& box, const ProjectSettings& settings, const PicturePainter& paint = PaintPictureByType);

// Paints picture `number` (1-based) of the project into the box, decoded by its path's
// last three letters and placed by the picture placement. Placement 1 puts it at the
// picture's offset, or at a random point when the offset is (0, 0). Returns the picture's
// rectangle in the box (what the canvas marks for placement 1); nothing when nothing was
// drawn, also for a number outside the list.
std::optional<QRect> DrawSlidePicture(QImage& box, const ProjectModel& project, qint32 number,
                                      const RandomUnit& random = ClockRandomUnit(),
                                      const PicturePainter& paint = PaintPictureByType);

// An opaque box to compose in, black until something is drawn; null beyond the pixel limit.
QImage NewWorkingPicture(QSize size);

// The working picture a slide is composed in: the screen for the titles page and for
// placements 0 to 2 (offsets and natural sizes are screen pixels), the canvas for
// placements 3 and 4.
QSize WorkingPictureSize(const ProjectModel& project, QSize canvas, bool titles_page = false);

// Picture `number` on its background, without texts and frame, as the canvas shows it:
// composed in the working picture, then scaled to the canvas when the sizes differ. An
// opaque image (Format_RGB32) of the canvas size; a number outside the list gives the
// background alone. Null when a size is empty or beyond the pixel limit. `paint` draws the
// background picture and the slide's.
QImage ComposeSlide(const ProjectModel& project, qint32 number, QSize canvas,
                    const RandomUnit& random = ClockRandomUnit(), const PicturePainter& paint = PaintPictureByType);

// The background with a title picture (opening, ending or logo) centred on it (placement
// 0), composed as the titles page composes it: on the screen, then scaled to the canvas.
// A path that is not set or does not decode gives the background alone.
QImage ComposeTitlePicture(const ProjectModel& project, const QString& path, QSize canvas,
                           const PicturePainter& paint = PaintPictureByType);

// Draws the frame overlay (encoded picture bytes, a PNG with transparency) with its alpha
// over the whole box, scaled to it. Nothing when the bytes do not decode.
void DrawFrameOverlay(QImage& box, const QByteArray& frame_bytes);

}  // namespace pivlo
