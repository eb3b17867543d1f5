// The five placement modes, and drawing and compositing a picture into a box.

#include "media/LoadTgaPcx.h"
#include "media/Placement.h"

#include "PictureFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

// Gives the numbers in turn, so that a random point is known in advance.
RandomUnit Scripted(QList<double> values) {
  return [values, i = 0]() mutable { return values.at(i++); };
}

RandomUnit NeverCalled() {
  return [] {
    ADD_FAILURE() << "no random number was wanted";
    return 0.0;
  };
}

TEST(Placement, EachModeAsTheTableGivesIt) {
  struct Case {
    const char* name;
    QSize picture, box;
    int mode;
    QPoint point;
    QRect rect;
    int columns = 1, rows = 1;
  };
  const Case cases[] = {
      // Centred at natural size; the halves of the offsets go to even.
      {"centred", {100, 50}, {301, 203}, kPlaceCentred, {}, {100, 76, 100, 50}},
      {"centred, odd halves", {100, 50}, {303, 201}, kPlaceCentred, {}, {102, 76, 100, 50}},
      {"centred exactly filling", {300, 200}, {300, 200}, kPlaceCentred, {}, {0, 0, 300, 200}},
      {"centred too wide becomes fitted", {400, 100}, {200, 200}, kPlaceCentred, {}, {0, 75, 200, 50}},
      {"fitted by width", {400, 300}, {200, 200}, kPlaceFitted, {}, {0, 25, 200, 150}},
      {"fitted by height", {300, 600}, {200, 200}, kPlaceFitted, {}, {50, 0, 100, 200}},
      {"fitted, scaled side rounded", {333, 100}, {100, 100}, kPlaceFitted, {}, {0, 35, 100, 30}},
      {"fitted enlarges", {50, 25}, {200, 200}, kPlaceFitted, {}, {0, 50, 200, 100}},
      {"at a point", {100, 50}, {300, 200}, kPlaceAtPoint, {10, -20}, {10, -20, 100, 50}},
      {"tiled", {100, 50}, {300, 210}, kPlaceTiled, {}, {0, 0, 100, 50}, 4, 5},
      {"tiled, larger than the box", {500, 500}, {300, 200}, kPlaceTiled, {}, {0, 0, 500, 500}, 1, 1},
      {"stretched", {10, 500}, {300, 200}, kPlaceStretched, {}, {0, 0, 300, 200}},
  };
  for (const Case& c : cases) {
    const Placement placement = PlacePicture(c.picture, c.box, c.mode, c.point, NeverCalled());
    EXPECT_EQ(placement.rect, c.rect) << c.name;
    EXPECT_EQ(placement.columns, c.columns) << c.name;
    EXPECT_EQ(placement.rows, c.rows) << c.name;
  }
}

TEST(Placement, PointZeroAsksForARandomPoint) {
  // x = round(0.5 x (300 - 100)) = 100, y = round(0.25 x (200 - 50)) = round(37.5) = 38.
  EXPECT_EQ(PlacePicture({100, 50}, {300, 200}, kPlaceAtPoint, {}, Scripted({0.5, 0.25})).rect,
            QRect(100, 38, 100, 50));
  // A picture larger than the box goes up and left.
  EXPECT_EQ(PlacePicture({500, 300}, {300, 200}, kPlaceAtPoint, {}, Scripted({0.5, 0.999})).rect,
            QRect(-100, -100, 500, 300));
}

TEST(Placement, NothingForAnEmptyPictureOrBoxOrAnUnknownMode) {
  EXPECT_TRUE(PlacePicture({0, 10}, {300, 200}, kPlaceFitted, {}, NeverCalled()).IsEmpty());
  EXPECT_TRUE(PlacePicture({10, 10}, {300, 0}, kPlaceCentred, {}, NeverCalled()).IsEmpty());
  EXPECT_TRUE(PlacePicture({10, 10}, {300, 200}, 5, {}, NeverCalled()).IsEmpty());
  EXPECT_TRUE(PlacePicture({10, 10}, {300, 200}, -1, {}, NeverCalled()).IsEmpty());
}

QImage Box(QSize size, QRgb colour) {
  QImage box(size, QImage::Format_RGB32);
  box.fill(colour);
  return box;
}

TEST(DrawPlaced, TilesCoverTheBoxExactly) {
  const QImage picture = test::MakeImage(3, 2, QImage::Format_RGB32, [](int x, int y) { return qRgb(x * 80, y * 200, 7); });
  QImage box = Box({10, 7}, qRgb(1, 2, 3));
  DrawPlaced(box, picture, PlacePicture(picture.size(), box.size(), kPlaceTiled, {}, NeverCalled()));
  for (int y = 0; y < box.height(); ++y) {
    for (int x = 0; x < box.width(); ++x) ASSERT_EQ(box.pixel(x, y), picture.pixel(x % 3, y % 2)) << x << "," << y;
  }
}

TEST(DrawPlaced, ScalesSmoothlyIntoTheRectangleOnly) {
  const QImage picture = test::MakeImage(40, 20, QImage::Format_RGB32, [](int, int) { return qRgb(200, 100, 50); });
  QImage box = Box({20, 20}, qRgb(0, 0, 255));
  DrawPlaced(box, picture, PlacePicture(picture.size(), box.size(), kPlaceFitted, {}, NeverCalled()));
  EXPECT_EQ(box.pixel(10, 4), qRgb(0, 0, 255));
  EXPECT_EQ(box.pixel(10, 5), qRgb(200, 100, 50));
  EXPECT_EQ(box.pixel(19, 14), qRgb(200, 100, 50));
  EXPECT_EQ(box.pixel(10, 15), qRgb(0, 0, 255));
}

TEST(CompositePlaced, StraightAlphaByTheIntegerRule) {
  const QList<int> alphas = {0, 1, 128, 254, 255};
  const QImage picture = test::MakeImage(alphas.size(), 1, QImage::Format_ARGB32,
                                         [&](int x, int) { return qRgba(250, 10, 128, alphas[x]); });
  QImage box = Box({int(alphas.size()) + 2, 3}, qRgb(20, 240, 128));
  CompositePlaced(box, picture, PlacePicture(picture.size(), box.size(), kPlaceCentred, {}, NeverCalled()));
  const auto blend = [](int d, int s, int a) { return ((255 - a) * d + a * s + 255) / 256; };
  for (int i = 0; i < alphas.size(); ++i) {
    const int a = alphas[i];
    EXPECT_EQ(box.pixel(1 + i, 1), qRgb(blend(20, 250, a), blend(240, 10, a), blend(128, 128, a))) << a;
  }
  EXPECT_EQ(box.pixel(1, 1), qRgb(20, 240, 128));   // a = 0: the box exactly
  EXPECT_EQ(box.pixel(5, 1), qRgb(250, 10, 128));   // a = 255: the picture exactly
  EXPECT_EQ(box.pixel(0, 0), qRgb(20, 240, 128));   // outside: untouched
}

TEST(LoadTgaPicture, ThirtyTwoBitsCompositesOverTheBoxAtTheRandomPointItReturns) {
  test::TempFolder folder;
  test::TgaLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.depth = 32;
  // Bottom row first: two opaque red pixels, then two fully transparent ones.
  layout.pixels = QByteArray("\0\0\xFF\xFF\0\0\xFF\xFF\0\xFF\0\0\0\xFF\0\0", 16);
  const QString path = folder.Write(QStringLiteral("alpha.tga"), test::TgaFile(layout));
  QImage box = Box({10, 10}, qRgb(0, 0, 200));
  const std::optional<QRect> drawn = LoadTgaPicture(box, path, kPlaceAtPoint, {}, Scripted({0.5, 0.25}));
  ASSERT_TRUE(drawn);
  EXPECT_EQ(*drawn, QRect(4, 2, 2, 2));
  EXPECT_EQ(box.pixel(4, 2), qRgb(0, 0, 200));
  EXPECT_EQ(box.pixel(5, 3), qRgb(255, 0, 0));
  EXPECT_EQ(box.pixel(3, 3), qRgb(0, 0, 200));
}

TEST(LoadPcxPicture, StretchesIntoTheBoxAndReportsNothingForABadFile) {
  test::TempFolder folder;
  test::PcxLayout layout;
  layout.bits = 8;
  layout.x_max = 1;
  layout.y_max = 1;
  layout.line_bytes = 2;
  layout.data = QByteArray(4, '\x80');
  const QString path = folder.Write(QStringLiteral("grey.pcx"), test::PcxFile(layout));
  QImage box = Box({9, 5}, qRgb(0, 0, 0));
  EXPECT_EQ(LoadPcxPicture(box, path, kPlaceStretched, {}), QRect(0, 0, 9, 5));
  EXPECT_EQ(box.pixel(8, 4), qRgb(128, 128, 128));
  const QString bad = folder.Write(QStringLiteral("bad.pcx"), QByteArray(10, 'x'));
  EXPECT_FALSE(LoadPcxPicture(box, bad, kPlaceStretched, {}));
}

}  // namespace
}  // namespace pivlo
