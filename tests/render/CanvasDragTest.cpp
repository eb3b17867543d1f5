// The layout canvas's mouse: hover zones, moving and sizing boxes, the picture marker, and
// what a release stores.

#include "render/CanvasDrag.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

namespace pivlo {

void PrintTo(const ScreenBox& box, std::ostream* out) { *out << box.x << ',' << box.y << ' ' << box.w << 'x' << box.h; }

namespace {

const QRect kBox(100, 100, 200, 80);  // right edge 300, bottom edge 180

// A page with an editable box on a 400 x 300 canvas for an 800 x 600 screen: stored
// values are the canvas values doubled.
CanvasDragContext Page(CanvasMode mode, QRect box = kBox) {
  CanvasDragContext context;
  context.mode = mode;
  context.box_editable = true;
  context.box = box;
  context.has_pictures = true;
  context.canvas = QSize(400, 300);
  context.screen = QSize(800, 600);
  return context;
}

// Hover, press, move and release: what a plain drag stores.
CanvasDrop Drag(CanvasDrag& drag, const CanvasDragContext& context, QPoint from, QPoint to) {
  drag.Move(from, context);
  drag.Press(from, context);
  drag.Move(to, context);
  return drag.Release(context);
}

ProjectModel Model() {
  ModelEnvironment environment;
  environment.screen_width = 1024;
  environment.screen_height = 768;
  return ProjectModel(environment);
}

struct HoverCase {
  const char* name;
  CanvasMode mode;
  QPoint point;
  CanvasCursor cursor;
  bool editable = true;
};

class CanvasHover : public testing::TestWithParam<HoverCase> {};

TEST_P(CanvasHover, ShowsTheCursorOfTheZone) {
  const HoverCase& c = GetParam();
  CanvasDragContext context = Page(c.mode);
  context.box_editable = c.editable;
  CanvasDrag drag;
  drag.Move(c.point, context);
  EXPECT_EQ(drag.Cursor(), c.cursor);
  EXPECT_EQ(drag.OutlineVisible(), c.cursor != CanvasCursor::kNormal);
  EXPECT_FALSE(drag.MarkerVisible());
}

using enum CanvasCursor;
using enum CanvasMode;

INSTANTIATE_TEST_SUITE_P(
    Table, CanvasHover,
    testing::Values(
        HoverCase{"top_left_corner", kCaption, {100, 100}, kResizeNwSe},
        // Also on the left and the top edge: corners come first.
        HoverCase{"corner_within_tolerance_before_edges", kCaption, {103, 97}, kResizeNwSe},
        HoverCase{"bottom_right_corner", kCaption, {302, 183}, kResizeNwSe},
        HoverCase{"top_right_corner", kCaption, {300, 100}, kResizeNeSw},
        HoverCase{"bottom_left_corner", kCaption, {97, 178}, kResizeNeSw},
        HoverCase{"left_edge", kCaption, {99, 140}, kResizeWE},
        HoverCase{"right_edge_from_outside", kCaption, {303, 140}, kResizeWE},
        HoverCase{"left_edge_below_the_rows", kCaption, {100, 184}, kNormal},
        HoverCase{"top_edge", kCaption, {200, 98}, kResizeNS},
        HoverCase{"bottom_edge", kCaption, {200, 183}, kResizeNS},
        HoverCase{"inside", kCaption, {200, 140}, kMove},
        HoverCase{"past_the_tolerance", kCaption, {304, 140}, kNormal},
        HoverCase{"without_text", kCaption, {200, 140}, kNormal, false},
        HoverCase{"titles_top_right_corner", kTitles, {299, 101}, kResizeNeSw},
        HoverCase{"titles_right_edge", kTitles, {301, 150}, kResizeWE},
        HoverCase{"headline_corner_only_moves", kHeadline, {100, 100}, kMove},
        HoverCase{"headline_edge_outside", kHeadline, {98, 140}, kNormal},
        HoverCase{"lyrics_corner_is_left_right", kLyrics, {100, 100}, kResizeWE},
        HoverCase{"lyrics_bottom_right_is_left_right", kLyrics, {302, 182}, kResizeWE},
        HoverCase{"lyrics_top_edge_only_moves", kLyrics, {200, 100}, kMove},
        HoverCase{"lyrics_below_the_box", kLyrics, {200, 182}, kNormal},
        HoverCase{"pictures_page_has_no_box", kPictures, {200, 140}, kNormal}),
    [](const testing::TestParamInfo<HoverCase>& info) { return std::string(info.param.name); });

struct DragCase {
  const char* name;
  QPoint from;
  QPoint to;
  QRect outline;     // on the canvas while dragging
  ScreenBox stored;  // kept inside the canvas, in screen pixels
};

class CaptionDrag : public testing::TestWithParam<DragCase> {};

TEST_P(CaptionDrag, FollowsTheMouseAndStoresTheBoxOnTheCanvas) {
  const DragCase& c = GetParam();
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move(c.from, context);
  drag.Press(c.from, context);
  drag.Move(c.to, context);
  EXPECT_EQ(drag.Outline(), c.outline);
  EXPECT_TRUE(drag.OutlineVisible());
  const CanvasDrop drop = drag.Release(context);
  EXPECT_EQ(drop.page, kCaption);
  ASSERT_TRUE(drop.box.has_value());
  EXPECT_EQ(*drop.box, c.stored);
  EXPECT_FALSE(drop.picture_offset.has_value());
  EXPECT_TRUE(drop.Compose());
  EXPECT_FALSE(drag.OutlineVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionDrag,
    testing::Values(
        DragCase{"move_keeps_the_grab_offset", {150, 130}, {170, 150}, {120, 120, 200, 80}, {240, 240, 400, 160}},
        DragCase{"move_beyond_the_right_edge", {150, 130}, {350, 130}, {300, 100, 200, 80}, {400, 200, 400, 160}},
        DragCase{"move_beyond_the_bottom_edge", {150, 130}, {150, 300}, {100, 270, 200, 80}, {200, 440, 400, 160}},
        DragCase{"move_beyond_left_and_top", {150, 130}, {20, 10}, {-30, -20, 200, 80}, {0, 0, 400, 160}},
        DragCase{"wider_than_the_canvas", {300, 140}, {520, 140}, {100, 100, 420, 80}, {0, 200, 800, 160}},
        DragCase{"higher_than_the_canvas", {200, 180}, {200, 450}, {100, 100, 200, 350}, {200, 0, 400, 600}},
        DragCase{"left_edge_ignores_the_rows", {100, 140}, {60, 170}, {60, 100, 240, 80}, {120, 200, 480, 160}},
        DragCase{"top_edge_ignores_the_columns", {200, 100}, {260, 120}, {100, 120, 200, 60}, {200, 240, 400, 120}},
        DragCase{"bottom_right_corner", {300, 180}, {330, 200}, {100, 100, 230, 100}, {200, 200, 460, 200}},
        DragCase{"top_left_corner", {100, 100}, {90, 80}, {90, 80, 210, 100}, {180, 160, 420, 200}},
        DragCase{"bottom_left_corner", {100, 180}, {120, 230}, {120, 100, 180, 130}, {240, 200, 360, 260}},
        // Grabbed 2 pixels outside: the edge keeps that distance to the mouse.
        DragCase{"edge_grabbed_within_tolerance", {302, 140}, {322, 140}, {100, 100, 220, 80}, {200, 200, 440, 160}}),
    [](const testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST(CanvasDrag, ACaptionBeyondTheRightEdgeIsMovedBackBeforeItIsStored) {
  CanvasDragContext context = Page(kCaption, QRect(300, 100, 150, 60));
  context.canvas = QSize(484, 363);
  context.screen = QSize(1024, 768);
  CanvasDrag drag;
  const CanvasDrop drop = Drag(drag, context, {350, 120}, {450, 120});
  ProjectModel model = Model();
  ImageEntry& picture = model.AddPicture(u"/photos/a.jpg"_s);
  const ImageEntry before = picture;
  EXPECT_TRUE(StoreCanvasDrop(drop, model, &picture));
  // Left 484 - 150 = 334: 706.6, 211.6, 317.4 and 126.9 screen pixels.
  EXPECT_EQ(picture.caption_box, (ScreenBox{707, 212, 317, 127}));
  EXPECT_EQ(picture.headline_box, before.headline_box);
  EXPECT_EQ(model.settings.title_box, Model().settings.title_box);
}

TEST(CanvasDrag, HalvesGoToTheEvenScreenPixel) {
  CanvasDragContext context = Page(kTitles);
  context.screen = QSize(600, 450);  // 1.5 screen pixels a canvas pixel
  CanvasDrag drag;
  const CanvasDrop drop = Drag(drag, context, {150, 130}, {53, 35});  // to 3, 5
  ASSERT_TRUE(drop.box.has_value());
  EXPECT_EQ(*drop.box, (ScreenBox{4, 8, 300, 120}));  // 4.5 and 7.5
}

TEST(CanvasDrag, ResizingFromTheLeftStopsAtTwentyFourPixels) {
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move({100, 140}, context);
  drag.Press({100, 140}, context);
  drag.Move({276, 140}, context);
  EXPECT_EQ(drag.Outline(), QRect(276, 100, 24, 80));
  drag.Move({290, 140}, context);  // 10 pixels: the left side stays
  EXPECT_EQ(drag.Outline(), QRect(276, 100, 24, 80));
  drag.Move({320, 140}, context);  // beyond the right edge
  EXPECT_EQ(drag.Outline(), QRect(276, 100, 24, 80));
  drag.Move({150, 140}, context);
  EXPECT_EQ(drag.Outline(), QRect(150, 100, 150, 80));
}

TEST(CanvasDrag, AMoveThatWouldShrinkOneAxisTooFarStillSizesTheOther) {
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move({300, 180}, context);
  drag.Press({300, 180}, context);
  drag.Move({110, 220}, context);  // width 10: kept; height 120: taken
  EXPECT_EQ(drag.Outline(), QRect(100, 100, 200, 120));
}

TEST(CanvasDrag, TheHeadlineMovesButKeepsItsSize) {
  const CanvasDragContext context = Page(kHeadline);
  CanvasDrag drag;
  drag.Move({300, 180}, context);  // a corner elsewhere
  EXPECT_EQ(drag.Cursor(), kMove);
  drag.Press({300, 180}, context);
  drag.Move({330, 200}, context);
  EXPECT_EQ(drag.Outline(), QRect(130, 120, 200, 80));
  const CanvasDrop drop = drag.Release(context);
  ProjectModel model = Model();
  ImageEntry& picture = model.AddPicture(u"/photos/a.jpg"_s);
  EXPECT_TRUE(StoreCanvasDrop(drop, model, &picture));
  EXPECT_EQ(picture.headline_box, (ScreenBox{260, 240, 400, 160}));
}

TEST(CanvasDrag, TheLyricsStoreTheNewWidthAndKeepTheirHeight) {
  const CanvasDragContext context = Page(kLyrics);
  CanvasDrag drag;
  drag.Move({300, 178}, context);  // the bottom-right corner sizes the width only
  EXPECT_EQ(drag.Cursor(), kResizeWE);
  drag.Press({300, 178}, context);
  drag.Move({340, 200}, context);
  EXPECT_EQ(drag.Outline(), QRect(100, 100, 240, 80));
  const CanvasDrop drop = drag.Release(context);
  ProjectModel model = Model();
  model.settings.lyric_box = {1, 2, 3, 57};
  EXPECT_TRUE(StoreCanvasDrop(drop, model, nullptr));
  EXPECT_EQ(model.settings.lyric_box, (ScreenBox{200, 200, 480, 57}));
}

TEST(CanvasDrag, EachPageStoresItsOwnBox) {
  ProjectModel model = Model();
  ImageEntry& picture = model.AddPicture(u"/photos/a.jpg"_s);
  const ImageEntry before = picture;
  CanvasDrop drop;
  drop.page = kTitles;
  drop.box = ScreenBox{10, 20, 30, 40};
  EXPECT_TRUE(StoreCanvasDrop(drop, model, &picture));
  EXPECT_EQ(model.settings.title_box, *drop.box);
  EXPECT_EQ(picture, before);
  // A caption without a selected picture has nowhere to go; the canvas is still composed.
  drop.page = kCaption;
  drop.box = ScreenBox{1, 1, 50, 50};
  EXPECT_TRUE(StoreCanvasDrop(drop, model, nullptr));
  EXPECT_EQ(picture, before);
  EXPECT_FALSE(StoreCanvasDrop(CanvasDrop{}, model, &picture));
}

TEST(CanvasDrag, ThePictureMarkerStoresTheOffsetInScreenPixels) {
  CanvasDragContext context = Page(kPictures, QRect());
  context.box_editable = false;
  context.random_placement = true;
  context.marker = QRect(60, 50, 120, 90);
  context.canvas = QSize(484, 363);
  context.screen = QSize(1024, 768);
  CanvasDrag drag;
  drag.Move({100, 80}, context);
  EXPECT_EQ(drag.Cursor(), kMove);
  EXPECT_TRUE(drag.MarkerVisible());
  EXPECT_FALSE(drag.OutlineVisible());
  drag.Press({100, 80}, context);
  drag.Move({140, 100}, context);
  EXPECT_EQ(drag.Marker(), QRect(100, 70, 120, 90));
  const CanvasDrop drop = drag.Release(context);
  EXPECT_FALSE(drop.box.has_value());
  ASSERT_TRUE(drop.picture_offset.has_value());
  // 100 x 1024 / 484 = 211.57; 70 x 768 / 363 = 148.1.
  EXPECT_EQ(*drop.picture_offset, QPoint(212, 148));
  EXPECT_FALSE(drag.MarkerVisible());
  ProjectModel model = Model();
  ImageEntry& picture = model.AddPicture(u"/photos/a.jpg"_s);
  EXPECT_TRUE(StoreCanvasDrop(drop, model, &picture));
  EXPECT_EQ(picture.pos_x, 212);
  EXPECT_EQ(picture.pos_y, 148);

  // Without placement 1 the marker is not there to grab.
  context.random_placement = false;
  CanvasDrag other;
  other.Move({100, 80}, context);
  EXPECT_EQ(other.Cursor(), kNormal);
  EXPECT_FALSE(other.MarkerVisible());
  EXPECT_FALSE(Drag(other, context, {100, 80}, {140, 100}).Compose());
}

TEST(CanvasDrag, MovesOfLessThanTwoPixelsFromTheLastHandledAreIgnored) {
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move({296, 140}, context);
  EXPECT_EQ(drag.Cursor(), kMove);
  drag.Move({297, 141}, context);  // on the right edge, but 1 pixel each way
  EXPECT_EQ(drag.Cursor(), kMove);
  drag.Move({298, 140}, context);  // 2 pixels from the last handled, 1 from the last seen
  EXPECT_EQ(drag.Cursor(), kResizeWE);

  drag.Move({200, 140}, context);
  drag.Press({200, 140}, context);
  drag.Move({201, 139}, context);
  EXPECT_EQ(drag.Outline(), kBox);
  drag.Move({200, 142}, context);
  EXPECT_EQ(drag.Outline(), kBox.translated(0, 2));
}

TEST(CanvasDrag, NothingHappensWhileBusyOrWithoutPictures) {
  for (const bool busy : {true, false}) {
    CanvasDragContext context = Page(kCaption);
    context.busy = busy;
    context.has_pictures = busy;
    CanvasDrag drag;
    drag.Move({200, 140}, context);
    EXPECT_EQ(drag.Cursor(), kNormal);
    EXPECT_FALSE(drag.OutlineVisible());
    // Hovered while idle, then pressed and released while blocked: no drag, no store.
    drag.Move({202, 140}, Page(kCaption));
    EXPECT_FALSE(Drag(drag, context, {200, 140}, {250, 150}).Compose());
    EXPECT_EQ(drag.Outline(), kBox);
    EXPECT_TRUE(drag.OutlineVisible());
  }
}

TEST(CanvasDrag, AHeldButtonWithoutADragHoversNothingAndEveryReleaseEndsTheDrag) {
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move({20, 20}, context);
  drag.Press({20, 20}, context);
  drag.Move({200, 140}, context);
  EXPECT_EQ(drag.Cursor(), kNormal);
  EXPECT_FALSE(drag.OutlineVisible());
  EXPECT_FALSE(drag.Release(context).Compose());

  Drag(drag, context, {204, 140}, {224, 140});
  drag.Move({240, 160}, context);  // the released drag follows no more
  EXPECT_EQ(drag.Outline(), kBox);
  EXPECT_EQ(drag.Cursor(), kMove);
}

TEST(CanvasDrag, LeavingTheCanvasHidesTheShapesUnlessADragHoldsThem) {
  const CanvasDragContext context = Page(kCaption);
  CanvasDrag drag;
  drag.Move({200, 140}, context);
  drag.EndHover();
  EXPECT_FALSE(drag.OutlineVisible());
  EXPECT_FALSE(drag.Release(context).Compose());

  drag.Move({202, 140}, context);
  drag.Press({202, 140}, context);
  drag.EndHover();
  EXPECT_TRUE(drag.OutlineVisible());
  EXPECT_TRUE(drag.Release(context).box.has_value());
}

}  // namespace
}  // namespace pivlo
