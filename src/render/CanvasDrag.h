#pragma once

// The mouse on the layout canvas, without widgets: the hover zones of the open page's box,
// moving and sizing that box, moving a picture placed at a random position, and what a
// release stores. Everything here is in canvas pixels until the release turns it into
// screen pixels.

#include "core/ProjectModel.h"
#include "render/CanvasMode.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace pivlo {

// What the main window knows at each mouse event.
struct CanvasDragContext {
  CanvasMode mode = CanvasMode::kPictures;
  // The open page's text exists (caption, headline, a lyric file, an enabled title).
  bool box_editable = false;
  QRect box;                      // the open page's stored box, on the canvas
  bool random_placement = false;  // placement 1: the picture itself can be dragged
  QRect marker;                   // that picture's rectangle, on the canvas
  bool busy = false;
  bool has_pictures = false;
  QSize canvas;
  QSize screen;
};

enum class CanvasCursor { kNormal, kMove, kResizeNwSe, kResizeNeSw, kResizeWE, kResizeNS };

// What a release asks the window to store, in screen pixels.
struct CanvasDrop {
  CanvasMode page = CanvasMode::kPictures;  // whose box
  // The page's box kept inside the canvas; on the lyrics page only x, y and w are meant,
  // the height stays one line of the lyric font.
  std::optional<ScreenBox> box;
  std::optional<QPoint> picture_offset;  // the selected picture's offset

  // Whatever was stored shows at once.
  bool Compose() const { return box.has_value() || picture_offset.has_value(); }
};

// Stores a drop: the caption or headline box and the offset into the selected picture
// (nothing without one), the lyric box's x, y and width, the title box. Returns
// drop.Compose().
bool StoreCanvasDrop(const CanvasDrop& drop, ProjectModel& model, ImageEntry* selected);

class CanvasDrag {
 public:
  void Move(QPoint point, const CanvasDragContext& context);
  void Press(QPoint point, const CanvasDragContext& context);
  CanvasDrop Release(const CanvasDragContext& context);
  // The mouse went on to the window's background or a page frame: the shapes go, unless
  // a drag holds them.
  void EndHover();

  CanvasCursor Cursor() const { return cursor_; }
  // The box outline and the picture marker; their rectangles follow a drag and otherwise
  // are the ones last given.
  bool OutlineVisible() const { return outline_visible_; }
  QRect Outline() const { return outline_; }
  bool MarkerVisible() const { return marker_visible_; }
  QRect Marker() const { return marker_; }

 private:
  enum class Drag { kNone, kMovingBox, kResizing, kMovingPicture };

  void Hover(QPoint point, const CanvasDragContext& context);
  void FollowDrag(QPoint point);
  void TakeShapes(const CanvasDragContext& context);

  std::optional<QPoint> last_move_;
  bool button_held_ = false;
  CanvasCursor cursor_ = CanvasCursor::kNormal;
  CanvasCursor resize_zone_ = CanvasCursor::kNormal;  // kNormal: OverResizeZone is clear
  bool over_box_ = false;
  bool over_marker_ = false;
  bool outline_visible_ = false;
  bool marker_visible_ = false;
  QRect outline_;
  QRect marker_;
  Drag drag_ = Drag::kNone;
  QPoint press_;  // where the drag started
  QRect start_;   // the dragged rectangle at the press
};

}  // namespace pivlo
