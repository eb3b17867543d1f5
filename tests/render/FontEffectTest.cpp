// The nine headline effects on the software runtime, run at once on a step clock: their
// frame counts and durations, the preparation time taken off the first phase, the last
// frame (the text resting in its box), a middle frame of each against a golden sheet.

#include "render/basFontEffectD3D.h"

#include "render/FontEffectFixture.h"
#include "render/RenderTestSupport.h"
#include "render/basDirect3D.h"

#include <QPainter>
#include <QTimer>

namespace pivlo {
namespace {

using test::ChangedBox;
using test::ExpectMatchesGolden;
using test::Png;

class FontEffect : public test::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    CreatePictureTexture(Png(Picture()), kPictureSlotOne);
    CreateFrameTexture(Png(Overlay()));
    ASSERT_FALSE(ResourceFailed());
  }

  static HeadlineItem Item(const QRectF& box = QRectF(40, 48, 72, 28)) {
    HeadlineItem item;
    item.text = QStringLiteral("屏保Ag");
    item.look.font_name = QStringLiteral("Noto Sans CJK SC");
    item.look.em_size = 20;
    item.look.style_flags = 1;
    item.look.alignment = 4;
    item.look.fill_pattern = kFillHorizontal;
    item.look.border_width = 1;
    item.look.start_color = qRgb(255, 255, 255);
    item.look.end_color = qRgb(255, 220, 0);
    item.look.border_color = qRgba(20, 20, 20, 170);
    item.box = box;
    return item;
  }

  // Runs the effect; the time it took on the clock.
  qint64 Run(int effect, const HeadlineItem& item, int variant = 0) {
    const qint64 start = clock_.NowMs();
    RunHeadlineEffect(effect, item, variant);
    return clock_.NowMs() - start;
  }

  // What a frame shows with the text resting in its box.
  QImage RestingFrame(const QRectF& box) {
    BeginScene();
    DrawPicture(0, 0, kCanvas.width(), kCanvas.height(), kPictureSlotOne, 255, 0, 0, 0, 0, false);
    DrawTextSprite(box.x(), box.y(), box.width(), box.height(), 255, 0, 0, 0, 0);
    DrawFrameRegion(0, 0, kWholeOverlay, kWholeOverlay);
    EndScene();
    Present();
    return canvas_.frames.takeLast();
  }
};

struct EffectCase {
  int effect;
  qsizetype frames;  // presented, the still frame included
  qint64 duration_ms;
};

// Frames: the still, then each phase's frames (and a final resting frame where the
// effect has one); durations: the phases and pauses added up.
constexpr EffectCase kEffects[] = {
    {kHeadlineFade, 1 + 26, 900},
    {kHeadlineWipe, 1 + 37, 800},                  // columns 0, 2, ..., 72
    {kHeadlineSlideIn, 1 + 29, 900},               // x from -72 to 40 in steps of 4
    {kHeadlineShake, 1 + 30, 300 + 600},           // no still; one frame, the pause, 30 frames
    {kHeadlineStretch, 1 + 11 + 14, 500 + 400},
    {kHeadlineEnlarge, 1 + 12 + 6 + 3 + 1, 480 + 150 + 180},
    {kHeadlineShrink, 1 + 12 + 4 + 3 + 2 + 1, 350 + 160 + 165 + 140},
    {kHeadlineJump, 1 + 12 + 12, 400 + 250 + 350},
    {kHeadlineGather, 1 + 19 + 1, 885 + 35},
};

TEST_F(FontEffect, EveryEffectRunsItsFramesInItsTimeAndEndsWithTheTextInItsBox) {
  for (const EffectCase& c : kEffects) {
    canvas_.frames.clear();
    EXPECT_EQ(Run(c.effect, Item()), c.duration_ms) << c.effect;
    ASSERT_EQ(canvas_.frames.size(), c.frames) << c.effect;
    const QImage last = canvas_.frames.last();
    EXPECT_TRUE(ChangedBox(last, RestingFrame(Item().box), 2).isNull()) << c.effect;
  }
}

TEST_F(FontEffect, AMiddleFrameOfEachEffectMatchesTheGoldenSheet) {
  // The gather's random scatter is seeded from the step clock, so it repeats too.
  QImage sheet(kCanvas.width() * 3, kCanvas.height() * 3, QImage::Format_RGB32);
  QPainter painter(&sheet);
  for (int effect = kHeadlineFade; effect <= kHeadlineGather; ++effect) {
    canvas_.frames.clear();
    Run(effect, Item(), 2);
    const QImage middle = canvas_.frames[canvas_.frames.size() / 2];
    painter.drawImage(QPoint(kCanvas.width() * (effect % 3), kCanvas.height() * (effect / 3)), middle);
  }
  painter.end();
  ExpectMatchesGolden(sheet, QStringLiteral("headline-effects.png"));
}

TEST_F(FontEffect, TheSlideInComesFromTheSideOfItsVariant) {
  for (int variant = 0; variant < 4; ++variant) {
    canvas_.frames.clear();
    Run(kHeadlineSlideIn, Item(), variant);
    // Four frames before the end the text is 16 pixels short of its box.
    const QImage frame = canvas_.frames[canvas_.frames.size() - 5];
    const QPoint offsets[] = {{-16, 0}, {0, -16}, {16, 0}, {0, 16}};
    const QRectF moved = Item().box.translated(offsets[variant]);
    EXPECT_TRUE(ChangedBox(frame, RestingFrame(moved), 2).isNull()) << variant;
  }
}

struct PreparationCase {
  int effect;
  qint64 preparation_ms;
  qint64 total_ms;
};

TEST_F(FontEffect, ASlowTextureBuildShortensTheFirstPhaseUpToItsLimit) {
  const PreparationCase cases[] = {
      {kHeadlineWipe, 500, 500 + 300},        // the remaining 300 ms
      {kHeadlineWipe, 800, 800 + 0},
      {kHeadlineWipe, 801, 801 + 800},        // over the limit: the full 800 ms
      {kHeadlineSlideIn, 850, 850 + 50},
      {kHeadlineSlideIn, 851, 851 + 900},
      {kHeadlineEnlarge, 400, 400 + 80 + 150 + 180},
      {kHeadlineGather, 900, 900 + 0 + 35},   // 885 - 900 holds nothing
  };
  for (const PreparationCase& c : cases) {
    // The build seems to take that long: the clock jumps when the effect first lets
    // window events run, right after the texture was made.
    QTimer::singleShot(0, [this, &c] { clock_.Advance(c.preparation_ms); });
    EXPECT_EQ(Run(c.effect, Item()), c.total_ms) << c.effect << " " << c.preparation_ms;
  }
}

TEST_F(FontEffect, AFailedTextureLeavesTheStillFrameButKeepsTheTiming) {
  canvas_.frames.clear();
  EXPECT_EQ(Run(kHeadlineFade, Item(QRectF(40, 48, 0, 28))), 900);
  EXPECT_TRUE(ResourceFailed());
  EXPECT_EQ(canvas_.frames.size(), 1);
}

TEST(GatherPieceSize, GrowsByTwoForEveryTwoHundredPixels) {
  const QList<QPair<int, int>> cases = {{0, 2},    {1, 2},     {200, 2},   {201, 4},   {400, 4},  {401, 6},
                                        {800, 8},  {801, 10},  {1200, 12}, {1201, 14}, {1400, 14}, {1401, 16},
                                        {99999, 16}};
  for (const auto& [width, side] : cases) EXPECT_EQ(GatherPieceSize(width), side) << width;
}

TEST_F(FontEffect, TheGatherFliesPiecesHomeFromAroundTheBox) {
  canvas_.frames.clear();
  Run(kHeadlineGather, Item());
  // In the first frame the pieces have come a twentieth of the way from their cells,
  // which cover twice the box's size around it.
  const QRect box = Item().box.toRect();
  const QRect changed = ChangedBox(canvas_.frames[1], canvas_.frames[0], 8);
  ASSERT_FALSE(changed.isNull());
  EXPECT_FALSE(box.contains(changed));
  const int b = GatherPieceSize(box.width());
  EXPECT_TRUE(QRect(box.x() - box.width() / 2 - 1, box.y() - box.height() / 2 - 1, 2 * box.width() + b + 2,
                    2 * box.height() + b + 2)
                  .contains(changed))
      << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

}  // namespace
}  // namespace pivlo
