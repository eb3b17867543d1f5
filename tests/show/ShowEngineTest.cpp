#include "show/ShowEngine.h"

#include "RenderTestSupport.h"
#include "TestFiles.h"
#include "media/basGdiPlus.h"
#include "render/LayoutCompose.h"
#include "render/basDirect3D.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"
#include "render/basTransitionD3D.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace pivlo {
namespace {

using test::ChangedBox;
using test::ImageCanvas;

constexpr QSize kScreen(320, 240);

// A frame: an opaque border 12 pixels wide, half-transparent inside it, clear in the middle.
QByteArray FramePicture(QSize size) {
  QImage frame(size, QImage::Format_ARGB32);
  frame.fill(Qt::transparent);
  QPainter painter(&frame);
  painter.fillRect(frame.rect(), QColor(200, 160, 40));
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(frame.rect().adjusted(12, 12, -12, -12), QColor(255, 255, 255, 128));
  painter.fillRect(frame.rect().adjusted(24, 24, -24, -24), Qt::transparent);
  painter.end();
  return test::Png(frame);
}

class ShowEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    ProjectModel& project = show_.project;
    project.AddPicture(folder_.Write(QStringLiteral("one.png"), test::Png(test::Gradient(400, 300, QImage::Format_RGB32))));
    project.AddPicture(folder_.Write(QStringLiteral("two.png"), test::Png(test::NoiseImage(200, 150, QImage::Format_RGB32))));
    ProjectSettings& s = project.settings;
    s.enable_transition = false;
    s.enable_headline_effect = false;
    s.picture_frame_num = 1;
    project.frame_picture = FramePicture(QSize(640, 480));
    for (ImageEntry& entry : project.pictures) {
      entry.caption = QStringLiteral("标题 caption");
      entry.caption_box = ScreenBox{40, 340, 560, 100};
    }
    SetRainbowPicture(test::Png(test::Gradient(64, 16, QImage::Format_RGB32)));
    InitDirect3D(canvas_, QStringLiteral(PIVLO_RUNTIME_PATH));
    ASSERT_TRUE(Direct3DReady());
  }
  void TearDown() override { ReleaseDirect3D(); }

  // The frames shown at the times (seconds).
  QList<QImage> Render(const QList<double>& seconds, quint32 seed = 5) {
    QList<qint64> times;
    for (double t : seconds) times << qint64(t * 1000);
    QList<QImage> frames;
    StepShowClock clock(seed, times, [&](qsizetype) { frames << canvas_.ShownImage().convertToFormat(QImage::Format_RGB32); });
    ShowMaterial material;
    material.pictures = {1, 2};
    ShowEngine(show_, material, seed, canvas_, clock).Run();
    return frames;
  }

  // Picture `number` as the editor's canvas composes it at the screen's size: background,
  // picture, caption in slot 1's style, then the frame.
  QImage EditorSlide(qint32 number) const {
    QImage slide = ComposeSlide(show_.project, number, kScreen);
    const double scale = double(kScreen.width()) / show_.project.screen_width;
    const ScreenBox& box = show_.project.pictures[number - 1].caption_box;
    {
      QPainter painter(&slide);
      DrawStyledText(painter, show_.project.pictures[number - 1].caption,
                     TextLookFromStyle(show_.project.settings.Style(kCaptionSlot), scale),
                     QRectF(box.x * scale, box.y * scale, box.w * scale, box.h * scale));
    }
    DrawFrameOverlay(slide, ScaleBytesToPng(show_.project.frame_picture, kScreen));
    return slide;
  }

  test::TempFolder folder_;
  ShowSettings show_{ModelEnvironment{640, 480, DefaultTextFontName(QString()), 30}};
  ImageCanvas canvas_{kScreen};
};

// The largest channel difference over the whole image.
int WorstDistance(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) worst = std::max(worst, test::ChannelDistance(a.pixel(x, y), b.pixel(x, y)));
  }
  return worst;
}

TEST_F(ShowEngineTest, SlidesLookAsTheEditorComposesThem) {
  const QList<QImage> frames = Render({0.0, 5.0, 9.999, 10.0, 19.5, 20.0});
  ASSERT_EQ(frames.size(), 6);
  const QImage one = EditorSlide(1);
  const QImage two = EditorSlide(2);
  EXPECT_EQ(WorstDistance(frames[0], one), 0) << "pixel for pixel";
  EXPECT_EQ(frames[1], frames[0]);
  EXPECT_EQ(frames[2], frames[0]);
  EXPECT_EQ(WorstDistance(frames[3], two), 0) << "pixel for pixel";
  EXPECT_EQ(frames[4], frames[3]);
  EXPECT_EQ(frames[5], frames[0]) << "the second cycle starts again with picture 1";
}

TEST_F(ShowEngineTest, ACrossfadeBlendsAndEndsOnTheIncomingSlide) {
  ProjectSettings& s = show_.project.settings;
  s.enable_transition = true;
  s.transitions.fill(false);
  s.transitions[15] = true;
  const QList<QImage> frames = Render({9.9, 10.5, 11.0, 15.0});
  ASSERT_EQ(frames.size(), 4);
  const QImage two = EditorSlide(2);
  EXPECT_GT(WorstDistance(frames[1], frames[0]), 16);
  EXPECT_GT(WorstDistance(frames[1], two), 16);
  EXPECT_EQ(WorstDistance(frames[2], two), 0) << "pixel for pixel";
  EXPECT_EQ(frames[3], frames[2]);
}

TEST_F(ShowEngineTest, AHeadlineStaysInItsBoxUntilTheSlideEnds) {
  show_.project.settings.enable_headline_effect = true;
  ImageEntry& entry = show_.project.pictures[0];
  entry.headline = QStringLiteral("标题效果");
  entry.head_dynamic_style = kHeadlineFade;
  entry.headline_box = ScreenBox{100, 60, 400, 80};
  const qint64 done = HeadlineDurationMs(kHeadlineFade);
  const QList<QImage> frames = Render({done / 1000.0 + 0.1, 9.9});
  ASSERT_EQ(frames.size(), 2);
  const QRect changed = ChangedBox(frames[0], EditorSlide(1), 8);
  ASSERT_FALSE(changed.isNull());
  EXPECT_TRUE(QRect(50, 30, 201, 41).contains(changed)) << changed.x() << "," << changed.y() << " "
                                                          << changed.width() << "x" << changed.height();
  EXPECT_EQ(frames[1], frames[0]);
}

TEST_F(ShowEngineTest, TheOpeningTitleFadesInOverItsPicture) {
  ProjectSettings& s = show_.project.settings;
  s.enable_opening = true;
  s.title_style = 1;
  s.title_opening = QStringLiteral("开场\r\n");
  s.title_box = ScreenBox{0, 0, 640, 200};
  s.opening_image = show_.project.pictures[1].file;
  show_.opening_ms = 6000;
  const QList<QImage> frames = Render({0.0, 3.0, 5.999, 6.5});
  ASSERT_EQ(frames.size(), 4);
  const QImage picture = ComposeTitlePicture(show_.project, s.opening_image, kScreen);
  EXPECT_EQ(WorstDistance(frames[0], picture), 0) << "the title starts invisible";
  const QRect title = ChangedBox(frames[1], picture, 16);
  ASSERT_FALSE(title.isNull());
  EXPECT_TRUE(QRect(0, 0, 320, 100).contains(title));
  EXPECT_LE(WorstDistance(frames[2], picture), 8) << "and has faded out at the end";
  EXPECT_EQ(WorstDistance(frames[3], EditorSlide(1)), 0);
}

// The second cycle's first slide comes in by a transition from the opening, whose title
// stays on the screen until the transition takes it away.
TEST_F(ShowEngineTest, ATransitionOutOfATitleStartsFromTheTitle) {
  ProjectSettings& s = show_.project.settings;
  s.enable_opening = true;
  s.title_style = 0;
  s.title_box = ScreenBox{0, 0, 640, 200};
  s.enable_transition = true;
  s.transitions.fill(false);
  s.transitions[15] = true;
  show_.opening_ms = 5000;
  const QList<QImage> frames = Render({29.999, 30.02, 31.5});
  ASSERT_EQ(frames.size(), 3);
  const QImage title = ComposeTitlePicture(show_.project, QString(), kScreen);
  ASSERT_FALSE(ChangedBox(frames[0], title, 16).isNull()) << "the title is on the screen";
  // Inside the frame's border, which the slide brings at once.
  const QRect inside(16, 16, 288, 80);
  EXPECT_LE(WorstDistance(frames[1].copy(inside), frames[0].copy(inside)), 16) << "the crossfade starts from it";
  EXPECT_EQ(WorstDistance(frames[2], EditorSlide(1)), 0);
}

TEST_F(ShowEngineTest, WithoutAPictureTheShowSaysSo) {
  QList<QImage> frames;
  StepShowClock clock(1, {500, 60000}, [&](qsizetype) { frames << canvas_.ShownImage(); });
  ShowEngine(show_, ShowMaterial{}, 1, canvas_, clock).Run();
  ASSERT_EQ(frames.size(), 2);
  EXPECT_FALSE(ChangedBox(frames[0].convertToFormat(QImage::Format_RGB32),
                          ComposeTitlePicture(show_.project, QString(), kScreen), 16)
                   .isNull());
  EXPECT_EQ(frames[1], frames[0]);
}

}  // namespace
}  // namespace pivlo
