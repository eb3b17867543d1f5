#pragma once

// The layout canvas's picture: the selected slide (on the titles page the opening or
// ending picture) on its background, the text of the page open in its box, the frame, and
// on the lyrics page the sample line, composed in the working picture and shown at the
// canvas's size. The background and picture are kept while nothing they are made of
// changes, so that typing a caption does not decode the picture again.

#include "core/ProjectModel.h"
#include "render/CanvasMode.h"
#include "render/LayoutCompose.h"
#include "render/ScaledLooks.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace pivlo {

// The line the lyrics page shows in the lyric box.
QString LyricSampleText();

struct CanvasView {
  qint32 picture = 0;  // the selected picture (1-based); 0 for none
  CanvasMode mode = CanvasMode::kPictures;
  int title_kind = 1;  // the titles page shows the opening (1) or the ending (2)
  QSize canvas;
  // The frame at full size and scaled to the canvas; empty for none (or no graphics
  // runtime). The full one serves the full-screen view of a screen-sized composition.
  QByteArray frame;
  QByteArray canvas_frame;
  bool full_screen_view = false;
};

struct CanvasPicture {
  QImage image;                 // the canvas's size; null when a size is empty or too large
  std::optional<QRect> marker;  // placement 1: where the picture lies, in canvas pixels
};

class CanvasComposer {
 public:
  explicit CanvasComposer(PicturePainter paint = PaintPictureByType) : paint_(std::move(paint)) {}

  CanvasPicture Compose(const ProjectModel& project, const CanvasView& view);
  // The picture last composed (the effect previews start from it); 0 for none.
  qint32 LastDrawn() const { return last_drawn_; }

 private:
  // Everything the background and picture are made of.
  struct Key {
    qint32 picture = 0;
    QString path;  // a picture moved in the list leaves another one at its number
    QPoint offset;
    QSize working;
    qint32 placement = 0;
    Colour solid = 0, begin = 0, end = 0;
    qint32 gradient = 0;
    qint32 background_placement = 0;
    QString background_kind, background_picture;
    bool titles = false;
    int title_kind = 0;
    QString opening_picture, ending_picture;
    bool opening = false, ending = false;
    friend bool operator==(const Key&, const Key&) = default;
  };
  static Key KeyOf(const ProjectModel& project, const CanvasView& view, QSize working);

  PicturePainter paint_;
  std::optional<ScaledLooks> looks_;  // for the screen and working size they were made for
  QSize looks_screen_, looks_working_;
  std::optional<Key> key_;
  QImage composed_;
  std::optional<QRect> marker_;  // in working pixels
  qint32 last_drawn_ = 0;
};

}  // namespace pivlo
