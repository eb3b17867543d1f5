// Photos from phones and cameras carry an orientation tag: every picture is probed, drawn
// and decoded the right way up.

#include "media/PlatformPicture.h"
#include "media/basGdiPlus.h"

#include "PictureFiles.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

// 32 x 16, stored with a red quarter at its top left and blue elsewhere.
QImage Marked() {
  return test::MakeImage(32, 16, QImage::Format_RGB32,
                         [](int x, int y) { return x < 16 && y < 8 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); });
}

bool IsRed(QRgb pixel) { return qRed(pixel) > 200 && qBlue(pixel) < 60; }

TEST(PictureOrientation, EachOfTheEightTagsIsShownTheRightWayUp) {
  const struct {
    int orientation;
    QSize shown;
    bool right;   // where the stored top left lands when shown
    bool bottom;
  } cases[] = {
      {1, {32, 16}, false, false}, {2, {32, 16}, true, false}, {3, {32, 16}, true, true},
      {4, {32, 16}, false, true},  {5, {16, 32}, false, false}, {6, {16, 32}, true, false},
      {7, {16, 32}, true, true},   {8, {16, 32}, false, true},
  };
  for (const auto& c : cases) {
    const QByteArray jpeg = test::OrientedJpeg(Marked(), c.orientation);
    const ImageProbe probe = ProbeImageBytes(jpeg, true);
    EXPECT_EQ(QSize(probe.Width, probe.Height), c.shown) << c.orientation;
    const QSize half = c.shown / 2;
    for (const QSize size : {QSize(), half}) {
      const QImage image = PlatformPicture(jpeg).Read(size);
      const QSize expected = size.isValid() ? size : c.shown;
      ASSERT_EQ(image.size(), expected) << c.orientation;
      // A point well inside the quarter the marker went to.
      const int x = c.right ? expected.width() * 7 / 8 : expected.width() / 8;
      const int y = c.bottom ? expected.height() * 7 / 8 : expected.height() / 8;
      EXPECT_TRUE(IsRed(image.pixel(x, y))) << c.orientation << " at " << x << "," << y;
      EXPECT_FALSE(IsRed(image.pixel(expected.width() - 1 - x, expected.height() - 1 - y))) << c.orientation;
    }
    // What the canvas and the thumbnails draw goes the same way.
    QImage box(c.shown, QImage::Format_RGB32);
    ASSERT_TRUE(PaintPictureBytes(box, jpeg, kPlaceStretched, QPoint()).has_value());
    EXPECT_TRUE(IsRed(box.pixel(c.right ? c.shown.width() - 3 : 2, c.bottom ? c.shown.height() - 3 : 2)))
        << c.orientation;
  }
}

}  // namespace
}  // namespace pivlo
