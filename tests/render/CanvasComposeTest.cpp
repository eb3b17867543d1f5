// The layout canvas: the text of each page in its box over the slide, the frame, the
// picture's marker, and the cache that spares decoding while only a text changes.

#include "render/CanvasCompose.h"

#include "PictureFiles.h"
#include "ProjectFixtures.h"
#include "TestFiles.h"
#include "render/RenderTestSupport.h"
#include "render/basTextStyles.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;
using test::ExpectMatchesGolden;
using test::MakeImage;
using test::Png;

constexpr QSize kCanvas(480, 270);

// A 1920 x 1080 project of one grey picture, placed stretched (the canvas is the working
// picture), every text white in the default font.
class CanvasCompose : public testing::Test {
 protected:
  CanvasCompose() {
    project_.screen_width = 1920;
    project_.screen_height = 1080;
    ProjectSettings& s = project_.settings;
    s.img_draw_scale = kPlaceStretched;
    s.solid_color = Rgb(0, 0, 0);
    for (TextStyle& style : s.styles) {
      style.font_name = DefaultTextFontName(QString());
      style.pattern = 0;
      style.start_color = Rgb(255, 255, 255);
      style.border_width = 0;
    }
    ImageEntry& entry = project_.AddPicture(
        folder_.Write(u"grey.png"_s, Png(MakeImage(64, 36, QImage::Format_RGB32, [](int, int) { return qRgb(90, 90, 90); }))));
    entry.caption = u"海边的日落"_s;
    entry.caption_box = {0, 800, 1920, 200};
    entry.headline = u"美好的一天"_s;
    entry.headline_box = {0, 0, 1920, 200};
    s.lyric_box = {0, 400, 1920, 120};
    s.title_box = {0, 0, 1920, 1080};
    s.title_opening = u"开场\r\n第二行"_s;
    s.title_ending = u"结束"_s;
    s.enable_opening = true;
  }

  CanvasPicture Compose(CanvasMode mode, int title_kind = 1) {
    CanvasView view;
    view.picture = 1;
    view.mode = mode;
    view.title_kind = title_kind;
    view.canvas = kCanvas;
    view.frame = frame_;
    return composer_.Compose(project_, view);
  }

  test::TempFolder folder_;
  ProjectModel project_{test::TestEnvironment()};
  QByteArray frame_;
  int decoded_ = 0;
  CanvasComposer composer_{[this](QImage& box, const QString& path, int mode, QPoint point, const RandomUnit& random) {
    ++decoded_;
    return PaintPictureByType(box, path, mode, point, random);
  }};
};

// Rows of the canvas where anything is white.
QList<int> WhiteRows(const QImage& image) {
  QList<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) > 200) {
        rows << y;
        break;
      }
    }
  }
  return rows;
}

TEST_F(CanvasCompose, EachPageDrawsItsTextInItsBox) {
  EXPECT_TRUE(WhiteRows(Compose(CanvasMode::kPictures).image).isEmpty());
  const struct {
    CanvasMode mode;
    int top, bottom;  // canvas rows of the box
  } boxes[] = {{CanvasMode::kCaption, 200, 250}, {CanvasMode::kHeadline, 0, 50}, {CanvasMode::kLyrics, 100, 160}};
  for (const auto& box : boxes) {
    const QList<int> rows = WhiteRows(Compose(box.mode).image);
    ASSERT_FALSE(rows.isEmpty()) << int(box.mode);
    EXPECT_GE(rows.first(), box.top) << int(box.mode);
    EXPECT_LT(rows.last(), box.bottom) << int(box.mode);
  }
  project_.pictures[0].caption.clear();
  EXPECT_TRUE(WhiteRows(Compose(CanvasMode::kCaption).image).isEmpty());
}

// Two-line styles: the sample again right below the box, at its right.
TEST_F(CanvasCompose, TheTwoLineLyricSampleStandsAgainBelowAtTheRight) {
  project_.settings.lyric_style = 0;
  const QImage one = Compose(CanvasMode::kLyrics).image;
  project_.settings.lyric_style = 1;
  const QImage two = Compose(CanvasMode::kLyrics).image;
  const QRect below(240, 130, 240, 30);
  const QRect below_left(0, 130, 200, 30);
  const auto white_in = [](const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) count += qRed(image.pixel(x, y)) > 200 ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(white_in(one, below), 0);
  EXPECT_GT(white_in(two, below), 50);
  EXPECT_EQ(white_in(two, below_left), 0);
}

TEST_F(CanvasCompose, TheTitlesPageShowsTheFirstLineOfTheTitleWhileATitleIsOn) {
  EXPECT_FALSE(WhiteRows(Compose(CanvasMode::kTitles, 1).image).isEmpty());
  const QList<int> opening = WhiteRows(Compose(CanvasMode::kTitles, 1).image);
  // One line in the middle, the second line cut off.
  EXPECT_LT(opening.last() - opening.first(), 60);
  project_.settings.enable_opening = false;
  EXPECT_TRUE(WhiteRows(Compose(CanvasMode::kTitles, 2).image).isEmpty()) << "neither title is on";
  project_.settings.enable_ending = true;
  EXPECT_FALSE(WhiteRows(Compose(CanvasMode::kTitles, 2).image).isEmpty());
}

TEST_F(CanvasCompose, TheFrameLiesOverTheSlideButNotOverTheTitles) {
  QImage frame(64, 36, QImage::Format_ARGB32);
  frame.fill(Qt::transparent);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 64; ++x) frame.setPixel(x, y, qRgb(0, 255, 0));
  }
  frame_ = Png(frame);
  EXPECT_EQ(Compose(CanvasMode::kCaption).image.pixel(240, 10), qRgb(0, 255, 0));
  EXPECT_NE(Compose(CanvasMode::kTitles).image.pixel(240, 10), qRgb(0, 255, 0));
}

// A text changing does not decode the picture again; the background or the picture does.
TEST_F(CanvasCompose, TheCacheKeepsThePictureWhileOnlyATextChanges) {
  Compose(CanvasMode::kCaption);
  EXPECT_EQ(decoded_, 1);
  project_.pictures[0].caption = u"另一句"_s;
  Compose(CanvasMode::kCaption);
  Compose(CanvasMode::kHeadline);
  EXPECT_EQ(decoded_, 1);
  EXPECT_EQ(composer_.LastDrawn(), 1);

  project_.settings.background_gradient_mode = 2;
  Compose(CanvasMode::kHeadline);
  EXPECT_EQ(decoded_, 2) << "the gradient direction is part of the composition";
  project_.pictures[0].file = folder_.Write(u"other.png"_s, Png(MakeImage(8, 8, QImage::Format_RGB32, [](int, int) {
                                                return qRgb(200, 0, 0);
                                              })));
  EXPECT_EQ(Compose(CanvasMode::kHeadline).image.pixel(240, 100), qRgb(200, 0, 0));
  EXPECT_EQ(decoded_, 3) << "another file at the same number";
  Compose(CanvasMode::kTitles);
  EXPECT_EQ(Compose(CanvasMode::kHeadline).image.pixel(240, 100), qRgb(200, 0, 0)) << "back from the titles";
}

// Placement 1 at a stored offset: the marker is the picture's place in canvas pixels.
TEST_F(CanvasCompose, ThePictureMarkerIsInCanvasPixels) {
  project_.settings.img_draw_scale = kPlaceAtPoint;
  project_.pictures[0].pos_x = 400;
  project_.pictures[0].pos_y = 200;
  const CanvasPicture shown = Compose(CanvasMode::kPictures);
  ASSERT_TRUE(shown.marker.has_value());
  EXPECT_EQ(*shown.marker, QRect(100, 50, 16, 9));
  EXPECT_EQ(shown.image.pixel(104, 52), qRgb(90, 90, 90));
}

TEST_F(CanvasCompose, GoldenSheetOfTheModes) {
  project_.settings.lyric_style = 3;
  QImage sheet(kCanvas.width(), kCanvas.height() * 5, QImage::Format_RGB32);
  QPainter painter(&sheet);
  for (int mode = 0; mode <= 4; ++mode) {
    painter.drawImage(0, kCanvas.height() * mode, Compose(CanvasMode(mode)).image);
  }
  painter.end();
  ExpectMatchesGolden(sheet, u"canvas-modes.png"_s);
}

}  // namespace
}  // namespace pivlo
