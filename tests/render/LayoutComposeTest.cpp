// The still composition of a slide: background kinds, the slide picture by its letters
// and placement, the working picture's size, and the frame overlay.

#include "render/LayoutCompose.h"

#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "TestFiles.h"
#include "render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::ChannelDistance;
using test::MakeImage;
using test::Png;
using test::TempFolder;

QImage Box(QSize size) {
  QImage box(size, QImage::Format_RGB32);
  box.fill(Qt::black);
  return box;
}

// Four flat quadrants, so that position, orientation and scale show.
QImage Quadrants(QSize size) {
  return MakeImage(size.width(), size.height(), QImage::Format_RGB32, [size](int x, int y) {
    const bool right = x >= size.width() / 2;
    const bool bottom = y >= size.height() / 2;
    return bottom ? (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255)) : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0));
  });
}

RandomUnit Scripted(QList<double> values) {
  return [values, i = 0]() mutable { return values.at(i++); };
}

class Compose : public testing::Test {
 protected:
  Compose() {
    project_.screen_width = 200;
    project_.screen_height = 100;
  }

  // Adds a picture file to the project and gives its number.
  qint32 AddPicture(const QString& name, const QByteArray& bytes) {
    project_.AddPicture(folder_.Write(name, bytes));
    return qint32(project_.pictures.size());
  }

  TempFolder folder_;
  ProjectModel project_{test::TestEnvironment()};
};

TEST_F(Compose, SolidAndGradientBackgrounds) {
  ProjectSettings& settings = project_.settings;
  settings.solid_color = Rgb(10, 20, 30);
  settings.begin_color = Rgb(255, 0, 0);
  settings.end_color = Rgb(0, 0, 255);
  QImage box = Box({101, 51});
  settings.background_kind = QStringLiteral("1");
  DrawBackground(box, settings);
  EXPECT_EQ(box.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(box.pixel(100, 50), qRgb(10, 20, 30));

  // Corner colours by direction: start, end, and the middle colour on the other diagonal.
  struct Case {
    int direction;
    QPoint start, end, middle;
  };
  const QRgb middle = qRgb(128, 0, 128);
  for (const Case& c : {Case{0, {0, 25}, {100, 25}, {50, 0}}, Case{1, {50, 0}, {50, 50}, {0, 25}},
                        Case{2, {0, 0}, {100, 50}, {100, 0}}, Case{3, {100, 0}, {0, 50}, {0, 0}}}) {
    settings.background_kind = QStringLiteral("2");
    settings.background_gradient_mode = c.direction;
    DrawBackground(box, settings);
    EXPECT_LE(ChannelDistance(box.pixel(c.start), qRgb(255, 0, 0)), 6) << c.direction;
    EXPECT_LE(ChannelDistance(box.pixel(c.end), qRgb(0, 0, 255)), 6) << c.direction;
    EXPECT_LE(ChannelDistance(box.pixel(c.middle), middle), 8) << c.direction;
  }
}

TEST_F(Compose, BackgroundPictureTiledOrStretched) {
  ProjectSettings& settings = project_.settings;
  settings.background_kind = QStringLiteral("3");
  settings.solid_color = Rgb(10, 20, 30);
  settings.background_picture = folder_.Write(QStringLiteral("back.png"), Png(Quadrants({20, 10})));
  QImage box = Box({50, 30});

  settings.background_draw_scale = kPlaceTiled;
  DrawBackground(box, settings);
  EXPECT_EQ(box.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(box.pixel(21, 11), qRgb(255, 0, 0));  // the next tile
  EXPECT_EQ(box.pixel(35, 29), qRgb(255, 255, 0));

  settings.background_draw_scale = kPlaceStretched;
  DrawBackground(box, settings);
  EXPECT_EQ(box.pixel(20, 10), qRgb(255, 0, 0));
  EXPECT_EQ(box.pixel(30, 20), qRgb(255, 255, 0));

  // An unknown type paints nothing; no picture set means the solid colour.
  box.fill(Qt::white);
  settings.background_picture = folder_.Write(QStringLiteral("back.png.bak"), Png(Quadrants({20, 10})));
  DrawBackground(box, settings);
  EXPECT_EQ(box.pixel(10, 10), qRgb(255, 255, 255));
  settings.background_picture = QStringLiteral(" ");
  DrawBackground(box, settings);
  EXPECT_EQ(box.pixel(10, 10), qRgb(10, 20, 30));
}

TEST_F(Compose, SlidePictureByItsLettersAndPlacement) {
  const QImage picture = Quadrants({20, 10});
  const qint32 png = AddPicture(QStringLiteral("a.png"), Png(picture));
  test::TgaLayout tga;
  tga.width = 20;
  tga.height = 10;
  for (int y = 9; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < 20; ++x) {
      const QRgb p = picture.pixel(x, y);
      tga.pixels += test::Bytes({qBlue(p), qGreen(p), qRed(p)});
    }
  }
  const qint32 targa = AddPicture(QStringLiteral("b.tga"), test::TgaFile(tga));
  const qint32 unknown = AddPicture(QStringLiteral("c.jpeg"), Png(picture));
  project_.settings.img_draw_scale = kPlaceAtPoint;
  project_.pictures[png - 1].pos_x = 30;
  project_.pictures[png - 1].pos_y = 40;

  QImage box = Box({200, 100});
  EXPECT_EQ(DrawSlidePicture(box, project_, png), QRect(30, 40, 20, 10));
  EXPECT_EQ(box.pixel(30, 40), qRgb(255, 0, 0));
  EXPECT_EQ(box.pixel(49, 49), qRgb(255, 255, 0));
  // Offset (0, 0): a random point, x = round(0.5 x 180), y = round(0.25 x 90) = 22.
  EXPECT_EQ(DrawSlidePicture(box, project_, targa, Scripted({0.5, 0.25})), QRect(90, 22, 20, 10));
  EXPECT_EQ(box.pixel(109, 31), qRgb(255, 255, 0));

  box = Box({200, 100});
  project_.settings.img_draw_scale = kPlaceStretched;
  EXPECT_EQ(DrawSlidePicture(box, project_, targa), QRect(0, 0, 200, 100));
  EXPECT_EQ(box.pixel(150, 80), qRgb(255, 255, 0));
  EXPECT_EQ(DrawSlidePicture(box, project_, unknown), std::nullopt);
  EXPECT_EQ(DrawSlidePicture(box, project_, 0), std::nullopt);
  EXPECT_EQ(DrawSlidePicture(box, project_, 4), std::nullopt);
}

TEST_F(Compose, TheWorkingPictureIsTheScreenExceptWhenFittedOrStretched) {
  const QSize canvas(100, 50);
  for (int placement = 0; placement <= 4; ++placement) {
    project_.settings.img_draw_scale = placement;
    const bool canvas_sized = placement == kPlaceFitted || placement == kPlaceStretched;
    EXPECT_EQ(WorkingPictureSize(project_, canvas), canvas_sized ? canvas : QSize(200, 100)) << placement;
    EXPECT_EQ(WorkingPictureSize(project_, canvas, true), QSize(200, 100)) << placement;
  }
}

TEST_F(Compose, ASlideAsTheCanvasShowsIt) {
  const qint32 number = AddPicture(QStringLiteral("a.png"), Png(Quadrants({40, 20})));
  project_.settings.solid_color = Rgb(0, 128, 0);

  // Centred at natural size on the 200 x 100 screen, then shown at half size.
  project_.settings.img_draw_scale = kPlaceCentred;
  QImage slide = ComposeSlide(project_, number, {100, 50});
  ASSERT_EQ(slide.size(), QSize(100, 50));
  EXPECT_EQ(slide.format(), QImage::Format_RGB32);
  EXPECT_EQ(slide.pixel(5, 5), qRgb(0, 128, 0));
  EXPECT_EQ(slide.pixel(42, 22), qRgb(255, 0, 0));   // the picture's 20 x 10 at (40, 20)
  EXPECT_EQ(slide.pixel(57, 27), qRgb(255, 255, 0));
  EXPECT_EQ(slide.pixel(62, 22), qRgb(0, 128, 0));

  // Fitted straight into the canvas.
  project_.settings.img_draw_scale = kPlaceFitted;
  slide = ComposeSlide(project_, number, {100, 50});
  EXPECT_EQ(slide.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(slide.pixel(95, 45), qRgb(255, 255, 0));

  // No such picture: the background alone; no size: nothing.
  slide = ComposeSlide(project_, 7, {100, 50});
  EXPECT_EQ(slide.pixel(50, 25), qRgb(0, 128, 0));
  EXPECT_TRUE(ComposeSlide(project_, number, {0, 50}).isNull());
}

TEST(FrameOverlay, IsDrawnWithItsAlphaOverTheWholeBox) {
  // A 20 x 20 frame: an opaque red border two pixels wide, a half-transparent white
  // ring, a clear middle; drawn over a 100 x 100 box it is five times larger.
  const QImage frame = MakeImage(20, 20, QImage::Format_ARGB32, [](int x, int y) {
    const int ring = std::min({x, y, 19 - x, 19 - y});
    return ring < 2 ? qRgba(255, 0, 0, 255) : ring < 4 ? qRgba(255, 255, 255, 128) : qRgba(0, 0, 0, 0);
  });
  QImage box = Box({100, 100});
  DrawFrameOverlay(box, Png(frame));
  EXPECT_EQ(box.pixel(2, 50), qRgb(255, 0, 0));
  EXPECT_LE(ChannelDistance(box.pixel(15, 50), qRgb(128, 128, 128)), 2);  // over black
  EXPECT_EQ(box.pixel(50, 50), qRgb(0, 0, 0));
  DrawFrameOverlay(box, QByteArray("not a picture"));
  EXPECT_EQ(box.pixel(50, 50), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace pivlo
