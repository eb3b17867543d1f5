#include "render/CanvasDrag.h"

#include <cstdlib>

namespace pivlo {
namespace {

constexpr int kMoveFilter = 2;   // smaller moves on both axes are not handled
constexpr int kTolerance = 3;    // how near an edge the mouse must be to grab it
constexpr int kSmallestSide = 24;

bool Near(int a, int b) { return std::abs(a - b) <= kTolerance; }

// The resize cursor at the point, corners before edges; kNormal outside every zone. The
// headline follows its text and has no zones; a lyric line is sized in width only.
CanvasCursor ResizeZone(QPoint point, const QRect& box, CanvasMode mode) {
  if (mode == CanvasMode::kHeadline) return CanvasCursor::kNormal;
  const int x = point.x();
  const int y = point.y();
  const int right = box.x() + box.width();
  const int bottom = box.y() + box.height();
  const bool at_left = Near(x, box.x());
  const bool at_right = Near(x, right);
  const bool at_top = Near(y, box.y());
  const bool at_bottom = Near(y, bottom);
  const bool corners_and_rows = mode != CanvasMode::kLyrics;
  if (corners_and_rows && ((at_left && at_top) || (at_right && at_bottom))) return CanvasCursor::kResizeNwSe;
  if (corners_and_rows && ((at_right && at_top) || (at_left && at_bottom))) return CanvasCursor::kResizeNeSw;
  const bool within_rows = y >= box.y() - kTolerance && y <= bottom + kTolerance;
  if (within_rows && (at_left || at_right)) return CanvasCursor::kResizeWE;
  const bool within_columns = x >= box.x() - kTolerance && x <= right + kTolerance;
  if (corners_and_rows && within_columns && (at_top || at_bottom)) return CanvasCursor::kResizeNS;
  return CanvasCursor::kNormal;
}

bool Inside(QPoint point, const QRect& box) {
  return point.x() >= box.x() && point.x() <= box.x() + box.width() && point.y() >= box.y() &&
         point.y() <= box.y() + box.height();
}

bool SizesWidth(CanvasCursor zone) { return zone != CanvasCursor::kResizeNS; }
bool SizesHeight(CanvasCursor zone) { return zone != CanvasCursor::kResizeWE; }

// One axis of a resize: the edge grabbed at `press` moves by the mouse's travel, the
// opposite edge stays. A side that would fall below the smallest keeps its last value.
void ResizeAxis(int start, int length, int press, int mouse, int& new_start, int& new_length) {
  const int travel = mouse - press;
  if (Near(press, start)) {
    if (length - travel < kSmallestSide) return;
    new_start = start + travel;
    new_length = length - travel;
  } else if (Near(press, start + length)) {
    if (length + travel < kSmallestSide) return;
    new_length = length + travel;
  }
}

// One axis of keeping the outline on the canvas.
void KeepInside(int& start, int& length, int extent) {
  if (length > extent) {
    length = extent;
    start = 0;
  }
  if (start + length > extent) start = extent - length;
  if (start < 0) start = 0;
}

bool Blocked(const CanvasDragContext& context) { return context.busy || !context.has_pictures; }

bool TextPage(CanvasMode mode) { return mode != CanvasMode::kPictures; }

bool MarkerPage(const CanvasDragContext& context) {
  return context.mode == CanvasMode::kPictures && context.random_placement;
}

}  // namespace

bool StoreCanvasDrop(const CanvasDrop& drop, ProjectModel& model, ImageEntry* selected) {
  if (drop.box) {
    const ScreenBox& box = *drop.box;
    ProjectSettings& settings = model.settings;
    switch (drop.page) {
      case CanvasMode::kCaption:
        if (selected) selected->caption_box = box;
        break;
      case CanvasMode::kHeadline:
        if (selected) selected->headline_box = box;
        break;
      case CanvasMode::kLyrics:
        settings.lyric_box.x = box.x;
        settings.lyric_box.y = box.y;
        settings.lyric_box.w = box.w;
        break;
      case CanvasMode::kTitles:
        settings.title_box = box;
        break;
      case CanvasMode::kPictures:
        break;
    }
  }
  if (drop.picture_offset && selected) {
    selected->pos_x = drop.picture_offset->x();
    selected->pos_y = drop.picture_offset->y();
  }
  return drop.Compose();
}

void CanvasDrag::Move(QPoint point, const CanvasDragContext& context) {
  if (Blocked(context)) return;
  if (last_move_ && std::abs(point.x() - last_move_->x()) < kMoveFilter &&
      std::abs(point.y() - last_move_->y()) < kMoveFilter) {
    return;
  }
  last_move_ = point;
  TakeShapes(context);
  if (drag_ != Drag::kNone) {
    FollowDrag(point);
  } else if (!button_held_) {
    Hover(point, context);
  }
}

void CanvasDrag::Press(QPoint point, const CanvasDragContext& context) {
  if (Blocked(context) || drag_ != Drag::kNone) return;
  button_held_ = true;
  TakeShapes(context);
  press_ = point;
  if (TextPage(context.mode) && resize_zone_ != CanvasCursor::kNormal) {
    drag_ = Drag::kResizing;
    start_ = context.box;
  } else if (TextPage(context.mode) && over_box_) {
    drag_ = Drag::kMovingBox;
    start_ = context.box;
  } else if (MarkerPage(context) && over_marker_) {
    drag_ = Drag::kMovingPicture;
    start_ = context.marker;
  }
}

CanvasDrop CanvasDrag::Release(const CanvasDragContext& context) {
  CanvasDrop drop;
  if (Blocked(context)) return drop;
  TakeShapes(context);
  if (TextPage(context.mode) && outline_visible_) {
    int x = outline_.x();
    int y = outline_.y();
    int w = outline_.width();
    int h = outline_.height();
    KeepInside(x, w, context.canvas.width());
    KeepInside(y, h, context.canvas.height());
    drop.page = context.mode;
    const QRect stored = ScaledRect(QRect(x, y, w, h), context.canvas, context.screen);
    drop.box = ScreenBox{stored.x(), stored.y(), stored.width(), stored.height()};
    outline_visible_ = false;
  } else if (MarkerPage(context) && marker_visible_) {
    drop.picture_offset = ScaledRect(marker_, context.canvas, context.screen).topLeft();
    marker_visible_ = false;
  }
  drag_ = Drag::kNone;
  button_held_ = false;
  return drop;
}

void CanvasDrag::EndHover() {
  if (drag_ != Drag::kNone) return;
  outline_visible_ = false;
  marker_visible_ = false;
}

void CanvasDrag::Hover(QPoint point, const CanvasDragContext& context) {
  const bool editable = TextPage(context.mode) && context.box_editable;
  resize_zone_ = editable ? ResizeZone(point, context.box, context.mode) : CanvasCursor::kNormal;
  over_box_ = editable && resize_zone_ == CanvasCursor::kNormal && Inside(point, context.box);
  over_marker_ = MarkerPage(context) && !over_box_ && Inside(point, context.marker);
  marker_visible_ = over_marker_;
  if (resize_zone_ != CanvasCursor::kNormal) {
    cursor_ = resize_zone_;
    outline_visible_ = true;
  } else if (over_marker_ || over_box_) {
    cursor_ = CanvasCursor::kMove;
    if (over_box_) outline_visible_ = true;
  } else {
    cursor_ = CanvasCursor::kNormal;
  }
}

void CanvasDrag::FollowDrag(QPoint point) {
  QRect& shape = drag_ == Drag::kMovingPicture ? marker_ : outline_;
  if (drag_ != Drag::kResizing) {
    shape = start_.translated(point - press_);
    return;
  }
  int x = shape.x();
  int y = shape.y();
  int w = shape.width();
  int h = shape.height();
  if (SizesWidth(resize_zone_)) ResizeAxis(start_.x(), start_.width(), press_.x(), point.x(), x, w);
  if (SizesHeight(resize_zone_)) ResizeAxis(start_.y(), start_.height(), press_.y(), point.y(), y, h);
  shape = QRect(x, y, w, h);
}

// The shapes rest on the boxes the window holds; only a drag moves them away.
void CanvasDrag::TakeShapes(const CanvasDragContext& context) {
  if (drag_ != Drag::kMovingBox && drag_ != Drag::kResizing) outline_ = context.box;
  if (drag_ != Drag::kMovingPicture) marker_ = context.marker;
}

}  // namespace pivlo
