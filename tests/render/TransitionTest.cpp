// The transitions on the real runtime, run at once on a stepping clock: frame counts,
// durations, the last frame, a middle frame of every variant against golden sheets, and
// the edge cases of single routines.

#include "render/basTransitionD3D.h"

#include "core/ProjectTypes.h"
#include "render/FramePacing.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"

#include "PictureFiles.h"
#include "render/RenderTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace pivlo {
namespace {

using test::ChannelDistance;
using test::MakeImage;
using test::Png;
using test::RecordingCanvas;

const QString kRuntime = QStringLiteral(PIVLO_RUNTIME_PATH);
constexpr QSize kCanvas(128, 96);
constexpr qint32 kScreenWidth = 1366;

// Four flat quadrants and a diagonal band, so that position, orientation and scale show.
QImage Picture(QSize size, std::array<QRgb, 4> quadrants, QRgb band) {
  return MakeImage(size.width(), size.height(), QImage::Format_RGB32, [=](int x, int y) {
    if (std::abs(x * size.height() - y * size.width()) < size.width() * 4) return band;
    return quadrants[size_t((y >= size.height() / 2) * 2 + (x >= size.width() / 2))];
  });
}
QImage Outgoing(QSize size = kCanvas) {
  return Picture(size, {qRgb(220, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 220), qRgb(230, 230, 40)}, qRgb(0, 0, 0));
}
QImage Incoming(QSize size = kCanvas) {
  return Picture(size, {qRgb(40, 220, 220), qRgb(220, 40, 220), qRgb(250, 250, 250), qRgb(120, 120, 120)},
                 qRgb(255, 140, 0));
}
// A border of 6 pixels, half-transparent black, inside an opaque white line.
QImage FrameOverlay(QSize size = kCanvas) {
  return MakeImage(size.width(), size.height(), QImage::Format_ARGB32, [=](int x, int y) {
    const int ring = std::min({x, y, size.width() - 1 - x, size.height() - 1 - y});
    return ring == 6 ? qRgba(255, 255, 255, 255) : ring < 6 ? qRgba(0, 0, 0, 128) : qRgba(0, 0, 0, 0);
  });
}

// A picture with the frame overlay drawn over it, as the device draws it.
QImage WithFrame(const QImage& picture, const QImage& frame) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&result);
  painter.drawImage(0, 0, frame);
  return result;
}

int Worst(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  if (x.size() != y.size()) return 256;
  int worst = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int column = 0; column < x.width(); ++column) {
      worst = qMax(worst, ChannelDistance(x.pixel(column, row), y.pixel(column, row)));
    }
  }
  return worst;
}

// The binding on a recording canvas, both picture slots and the frame overlay filled, the
// canvas showing the outgoing picture with its frame; time steps only while effects wait.
class Transitions : public testing::Test {
 protected:
  void Start(QSize size, bool keep_frames, bool with_frame = true) {
    canvas_ = std::make_unique<RecordingCanvas>(size, keep_frames);
    SetEffectClock(&clock_);
    SetRainbowPicture(Png(Outgoing(QSize(8, 8))));
    InitDirect3D(*canvas_, kRuntime);
    ASSERT_TRUE(Direct3DReady());
    outgoing_ = Outgoing(size);
    incoming_ = Incoming(size);
    frame_ = with_frame ? FrameOverlay(size) : QImage(size, QImage::Format_ARGB32);
    if (!with_frame) frame_.fill(Qt::transparent);
    CreatePictureTexture(outgoing_, kPictureSlotOne);
    CreatePictureTexture(incoming_, kPictureSlotTwo);
    if (with_frame) CreateFrameTexture(Png(frame_));
    ASSERT_FALSE(ResourceFailed());
    canvas_->Show(WithFrame(outgoing_, frame_));
  }
  void TearDown() override {
    ReleaseDirect3D();
    SetRainbowPicture(QByteArray());
    SetEffectClock(nullptr);
  }

  // Runs the entry and gives the time it took on the clock.
  qint64 Run(int position, int variant, qint32 screen_width = kScreenWidth) {
    const qint64 start = clock_.NowMs();
    RunTransition(position, variant, TransitionInputs{canvas_.get(), incoming_, screen_width});
    return clock_.NowMs() - start;
  }

  StepEffectClock clock_{5000};
  std::unique_ptr<RecordingCanvas> canvas_;
  QImage outgoing_, incoming_, frame_;
};

struct Expected {
  int position;
  int variant;
  int presents;       // frames presented, the still frame included
  qint64 duration;    // milliseconds on the clock, within a frame's hold
  bool ends_on_incoming;
};

// On a 128 x 96 canvas with the step of 2 pixels.
const Expected kExpected[] = {
    {0, 0, 1 + 48, 1000, true},   {0, 1, 1 + 64, 1000, true},   // rows, columns in random order
    {1, 0, 1 + 65, 1000, true},   {1, 1, 1 + 49, 1000, true},   // round(W / s) + 1 edges
    {1, 2, 1 + 65, 1000, true},   {1, 3, 1 + 49, 1000, true},
    {2, 0, 1 + 17, 1000, true},   {2, 1, 1 + 13, 1000, true},   // L = 32 or 24, step 2
    {3, 0, 1 + 65, 1000, true},   {3, 1, 1 + 65, 1000, true},   // round(W / 2) + 1
    {4, 0, 1 + 3, 667, true},                                   // cell 6: k = 0 to round(2.5), over 3
    {5, 0, 101, 1000, true},      {5, 1, 101, 1000, true},
    {6, 0, 1 + 12, 1000, true},   {6, 1, 1 + 16, 1000, true},   // periods 12 and 16
    {7, 0, 1 + 169, 1006, true},  {7, 1, 1 + 137, 1008, true},  // W + 40 + 1 lines
    {7, 2, 1 + 169, 1006, true},  {7, 3, 1 + 137, 1008, true},
    {8, 0, 20 + 121, 1303, false}, {8, 1, 20 + 121, 1303, false},  // 300 ms, 300 ms, 700 ms
    {9, 0, 1 + 25, 1042, true},   {9, 1, 1 + 21, 1050, true},   // round(W / 8) + 9; 25 x 8 / 192
    {9, 2, 1 + 25, 1042, true},   {9, 3, 1 + 21, 1050, true},
    {10, 0, 1 + 15, 1072, true},  {10, 1, 1 + 15, 1072, true},  // round(48 / 8) + 9; 15 x 8 / 112
    {11, 0, 1 + 65, 1000, true},  {11, 1, 1 + 49, 1000, true},
    {11, 2, 1 + 65, 1000, true},  {11, 3, 1 + 49, 1000, true},
    {12, 0, 1 + 65, 1000, true},  {12, 1, 1 + 65, 1000, true},
    {12, 2, 1 + 65, 1000, true},  {12, 3, 1 + 65, 1000, true},
    {13, 0, 65, 1000, true},      {13, 1, 49, 1000, true},      // no still
    {13, 2, 65, 1000, true},      {13, 3, 49, 1000, true},
    {14, 0, 2 * 33, 1000, true},  {14, 1, 2 * 25, 1000, true},  // two phases of half a second
    {14, 2, 2 * 33, 1000, true},  {14, 3, 2 * 25, 1000, true},
    {15, 0, 85, 1000, true},
    {16, 0, 17, 1000, true},      {16, 1, 1 + 17, 1000, true},  // steps of 8
    {17, 0, 2 * 17, 1000, true},  {17, 1, 48 + 48, 950, true},  // 48 zoom steps each way, 47 + 48 holds
    {18, 0, 1 + 65, 1000, true},  {18, 1, 1 + 49, 1000, true},
    {19, 0, 50 + 50 + 51, 2000, true},                          // 750 + 500 + 375 + 375 ms
    {20, 0, 40, 1478, true},                                    // u to 156 of 158.4, over 1500
    {21, 0, 19, 1200, true},      {21, 1, 19, 1200, true},
    {22, 0, 1 + 81, 1000, true},  {22, 1, 1 + 81, 1000, true},
};

TEST_F(Transitions, EveryVariantHasItsFramesDurationAndLastFrame) {
  for (const Expected& e : kExpected) {
    Start(kCanvas, false);
    const qint64 took = Run(e.position, e.variant);
    const std::string name = QStringLiteral("%1/%2").arg(e.position).arg(e.variant).toStdString();
    EXPECT_EQ(canvas_->presents, e.presents) << name;
    EXPECT_GE(took, e.duration - 25) << name;
    EXPECT_LE(took, e.duration + 10) << name;
    EXPECT_FALSE(ResourceFailed()) << name;
    if (e.ends_on_incoming) {
      EXPECT_LE(Worst(canvas_->ShownImage(), WithFrame(incoming_, frame_)), 2) << name;
    }
    TearDown();
  }
}

TEST_F(Transitions, AMiddleFrameOfEveryVariantMatchesItsGoldenSheet) {
  // One sheet per list entry: the middle frames of its variants side by side.
  for (int position = 0; position < kTransitionCount; ++position) {
    const int variants = TransitionVariantCount(position);
    QImage sheet(kCanvas.width() * variants, kCanvas.height(), QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int variant = 0; variant < variants; ++variant) {
      Start(kCanvas, true);
      Run(position, variant);
      ASSERT_FALSE(canvas_->frames.isEmpty());
      painter.drawImage(kCanvas.width() * variant, 0, canvas_->frames[canvas_->frames.size() / 2]);
      TearDown();
    }
    painter.end();
    test::ExpectMatchesGolden(sheet, QStringLiteral("transitions/%1.png").arg(position, 2, 10, QLatin1Char('0')),
                              {.noticeable = 16, .per_mille = 5, .worst = 64});
  }
}

TEST_F(Transitions, TheFancyGridOnAn800PixelCanvasHas21Frames) {
  Start(QSize(800, 600), false);
  EXPECT_EQ(TransitionVariantCount(4), 1);
  Run(4, 0);
  EXPECT_EQ(canvas_->presents, 1 + 21);  // cells of 40: k = 0 to round(19.5) = 20
}

TEST_F(Transitions, TheBlindsWidenTheirPeriodsAbove960Pixels) {
  struct Case {
    int width;
    int variant;
    int period;
  };
  for (const Case c : {Case{960, 1, 16}, Case{960, 0, 12}, Case{961, 1, 32}, Case{961, 0, 24}}) {
    Start(QSize(c.width, 40), false);
    Run(6, c.variant);
    EXPECT_EQ(canvas_->presents, 1 + c.period) << c.width << " " << c.variant;
    TearDown();
  }
}

TEST_F(Transitions, TheRectangleDrawsNothingBeyondHalfTheHeight) {
  // 800 x 600: frames for v = 0 to 400, and outlines only while v <= 300.
  for (const int variant : {0, 1}) {
    Start(QSize(800, 600), false);
    Run(3, variant);
    ASSERT_EQ(canvas_->presents, 1 + 401);
    const QList<bool> frames = canvas_->unchanged.mid(1);  // after the still
    const QList<bool> idle = variant == 0 ? frames.mid(301) : frames.mid(0, 100);
    const QList<bool> drawing = variant == 0 ? frames.mid(1, 300) : frames.mid(101);
    EXPECT_EQ(idle.count(true), 100) << variant;
    EXPECT_EQ(drawing.count(true), 0) << variant;
    TearDown();
  }
}

TEST_F(Transitions, WideScreensTakeWiderHorizontalSteps) {
  struct Case {
    int position;
    int variant;
    int presents_at_1920;
    int presents_at_1921;
  };
  // 128 pixels in steps of 2 or 4; vertical moves keep the step of 2.
  const Case cases[] = {{11, 0, 1 + 65, 1 + 33}, {11, 1, 1 + 49, 1 + 49}, {12, 2, 1 + 65, 1 + 33},
                        {12, 3, 1 + 65, 1 + 65}, {13, 2, 65, 33},        {14, 0, 66, 34},
                        {14, 3, 50, 50}};
  for (const Case& c : cases) {
    for (const qint32 screen : {1920, 1921}) {
      Start(kCanvas, false);
      Run(c.position, c.variant, screen);
      EXPECT_EQ(canvas_->presents, screen == 1920 ? c.presents_at_1920 : c.presents_at_1921)
          << c.position << "/" << c.variant << " at " << screen;
      EXPECT_LE(Worst(canvas_->ShownImage(), WithFrame(incoming_, frame_)), 2);
      TearDown();
    }
  }
}

TEST_F(Transitions, WithoutAFrameFullFrameDrawsNothing) {
  Start(kCanvas, false, false);
  Run(13, 0);
  EXPECT_EQ(Worst(canvas_->ShownImage(), incoming_), 0);
}

TEST_F(Transitions, TheEdgeFeatherRampsTheAlphaAheadOfTheEdge) {
  // The incoming picture over the outgoing one on a black-to-white ramp: after one feather
  // at x = 40 moving right, column 40 + 2k (k = 1 to 13) shows alpha 255 - 20 (k - 1).
  Start(kCanvas, false, false);
  CreatePictureTexture(MakeImage(128, 96, QImage::Format_RGB32, [](int, int) { return qRgb(255, 255, 255); }),
                       kPictureSlotTwo);
  BeginScene();
  ClearBackBuffer(0xFF000000u);
  EdgeFeather(40, 1, true);
  EndScene();
  Present();
  const QImage shown = canvas_->ShownImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(qRed(shown.pixel(40, 10)), 255);
  EXPECT_EQ(qRed(shown.pixel(38, 10)), 0);
  for (int k = 1; k <= 13; ++k) {
    EXPECT_NEAR(qRed(shown.pixel(40 + 2 * k, 10)), 255 - 20 * (k - 1), 1) << k;
    EXPECT_NEAR(qRed(shown.pixel(41 + 2 * k, 10)), 255 - 20 * (k - 1), 1) << k;
  }
  EXPECT_EQ(qRed(shown.pixel(68, 10)), 0);
}

TEST(RollerComb, LinePositions) {
  // Period 8: j = 1..9 of frame k lie 9 apart from 8k + 1.
  EXPECT_EQ(RollerComb(1, 0, 8), 1);
  EXPECT_EQ(RollerComb(2, 0, 8), 10);
  EXPECT_EQ(RollerComb(9, -8, 8), 9 + 0 * 8);
  EXPECT_EQ(RollerComb(1, -8, 8), 1 - 64);
}

TEST(TransitionList, NamesAndVariantsFollowTheMarkers) {
  EXPECT_EQ(TransitionName(0), QStringLiteral("随机线条切换(2)"));
  EXPECT_EQ(TransitionName(22), QStringLiteral("卷帘切换三(2)"));
  EXPECT_TRUE(TransitionName(23).isEmpty());
  for (int position = 0; position < kTransitionCount; ++position) {
    const QString name = TransitionName(position);
    const int variants = name.contains(QStringLiteral("(4)")) ? 4 : name.contains(QStringLiteral("(2)")) ? 2 : 1;
    // The fancy grid takes the B counter but ignores it.
    EXPECT_EQ(TransitionVariantCount(position), position == 4 ? 1 : variants) << position;
  }
  VariantCounters counters;
  counters.a = 3;
  counters.b = 1;
  EXPECT_EQ(TransitionVariant(13, counters), 3);
  EXPECT_EQ(TransitionVariant(0, counters), 1);
  EXPECT_EQ(TransitionVariant(15, counters), 0);
}

}  // namespace
}  // namespace pivlo
