#include "render/basFontEffectD3D.h"

#include "core/Events.h"
#include "core/Rounding.h"
#include "render/EffectSupport.h"
#include "render/FramePacing.h"
#include "render/basDirect3D.h"

#include <QList>
#include <QPoint>

#include <array>
#include <initializer_list>

namespace pivlo {
namespace {

// The headline box in whole pixels, as every routine draws it.
struct Box {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// Boxes are held to the window system's coordinate range: whatever lies beyond it is
// never seen, and a box from a damaged project cannot make the motions run for hours.
constexpr int kCoordinateLimit = 32767;

int Coordinate(double value) { return qBound(-kCoordinateLimit, RoundToInt32(value), kCoordinateLimit); }

Box RoundedBox(const QRectF& box) {
  return {Coordinate(box.x()), Coordinate(box.y()), Coordinate(box.width()), Coordinate(box.height())};
}

// part ÷ whole; a frame of an empty motion counts as the last.
double Ratio(double part, double whole) { return whole > 0 ? part / whole : 1.0; }

// The start of every routine: the still frame, the text texture, then the preparation
// time, from the start to the end of the texture creation, taken as 0 above the limit.
// The pacing starts again afterwards.
double StartHeadline(const HeadlineItem& item, const Box& box, bool still, qint64 limit_ms, FramePacing& pacing) {
  pacing.Restart();
  if (still) RenderStill();
  CreateTextTexture(item.text, item.look, QRectF(box.x, box.y, box.w, box.h));
  CurrentEffectClock().Poll();
  const qint64 preparation = pacing.ElapsedMs();
  pacing.Restart();
  return preparation > limit_ms ? 0.0 : double(preparation);
}

void Background() {
  const QSize size = BackBufferSize();
  DrawPicture(0, 0, float(size.width()), float(size.height()), kPictureSlotOne, 255, 0, 0, 0, 0, false);
}

// The usual frame: the picture, the whole text scaled into the rectangle, the overlay.
void TextScene(double x, double y, double w, double h, int alpha = 255) {
  Background();
  DrawTextSprite(float(x), float(y), float(w), float(h), alpha, 0, 0, 0, 0);
  DrawWholeFrame();
}

void TextScene(const Box& box) { TextScene(box.x, box.y, box.w, box.h); }

// The text c times its size, centred on the box.
void ScaledScene(const Box& box, double c) {
  TextScene(box.x - box.w * (c - 1) / 2, box.y - box.h * (c - 1) / 2, box.w * c, box.h * c);
}

// A phase of centred scaling: `frames` factors from `first` in steps of `step`
// (hundredths). Its last frame is due at the end of the duration; the first one at once
// when `first_at_once`, else after its share.
struct ScalePhase {
  int first;
  int step;
  int frames;
  bool first_at_once;
  double duration_ms;
};

void RunScalePhases(const Box& box, FramePacing& pacing, std::initializer_list<ScalePhase> phases) {
  for (const ScalePhase& phase : phases) {
    pacing.Restart();
    const int lead = phase.first_at_once ? 0 : 1;
    for (int i = 0; i < phase.frames; ++i) {
      const double c = (phase.first + phase.step * i) / 100.0;
      const double progress = double(i + lead) / (phase.frames - 1 + lead);
      PacedFrame(pacing, progress, phase.duration_ms, [&] { ScaledScene(box, c); });
    }
  }
  PacedFrame(pacing, 0, 0, [&] { TextScene(box); });
}

// `count` offsets laid out row by row from (0, 0) in steps of `side`, a new row starting
// when the offset reaches `width`.
QList<QPoint> RowByRow(qint64 count, int width, int side) {
  QList<QPoint> offsets;
  offsets.reserve(qsizetype(count));
  int u = 0;
  int v = 0;
  for (qint64 i = 0; i < count; ++i) {
    offsets.append(QPoint(u, v));
    u += side;
    if (u >= width) {
      u = 0;
      v += side;
    }
  }
  return offsets;
}

}  // namespace

void HeadlineFade(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 900 - StartHeadline(item, box, true, 900, pacing);
  for (int k = 1; k <= 26; ++k) {
    PacedFrame(pacing, 10.0 * k / 260, duration, [&] { TextScene(box.x, box.y, box.w, box.h, 10 * k - 5); });
  }
}

void HeadlineWipe(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 800 - StartHeadline(item, box, true, 800, pacing);
  // Only the new column is drawn: the revealed ones stay in the back buffer.
  for (int column = 0; column <= box.w; column += 2) {
    const auto x = float(box.x + column);
    const auto y = float(box.y);
    const auto h = float(box.h);
    PacedFrame(pacing, Ratio(column, box.w), duration, [&] {
      DrawPicture(x, y, 2, h, kPictureSlotOne, 255, x, y, 2, h, false);
      DrawTextSprite(x, y, 2, h, 255, float(column), 0, 2, h);
      DrawFrameRegion(x, y, 2, h);
    });
  }
}

void HeadlineSlideIn(const HeadlineItem& item, int variant) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 900 - StartHeadline(item, box, true, 850, pacing);
  const QSize canvas = BackBufferSize();
  const bool vertical = variant == 1 || variant == 3;
  const int end = vertical ? box.y : box.x;
  int start = -box.w;  // from the left
  if (variant == 1) start = -box.h;
  if (variant == 2) start = canvas.width();
  if (variant == 3) start = canvas.height();
  const int step = variant == 2 || variant == 3 ? -4 : 4;
  for (int position = start; step > 0 ? position <= end : position >= end; position += step) {
    const double progress = Ratio(qAbs(position - start), qAbs(end - start));
    PacedFrame(pacing, progress, duration, [&] {
      if (vertical) {
        TextScene(box.x, position, box.w, box.h);
      } else {
        TextScene(position, box.y, box.w, box.h);
      }
    });
  }
}

void HeadlineShake(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 600 - StartHeadline(item, box, false, 600, pacing);
  PacedFrame(pacing, 0, 0, [&] { TextScene(box); });
  PumpingWait(300);
  pacing.Restart();
  // Wider by 1 % a frame to 110 %, back, to 105 %, back.
  int percent = 100;
  for (int k = 1; k <= 30; ++k) {
    percent += (k <= 10 || (k >= 21 && k <= 25)) ? 1 : -1;
    const double g = percent / 100.0;
    PacedFrame(pacing, k / 30.0, duration, [&] { TextScene(box.x - box.w * (g - 1) / 2, box.y, box.w * g, box.h); });
  }
}

void HeadlineStretch(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 500 - StartHeadline(item, box, true, 400, pacing);
  // Heights and offsets in hundredths.
  int v = 15;
  for (int frame = 0; frame <= 10; ++frame) {
    if (frame % 2 == 0) v += 5;
    const double g = (20 - frame) / 10.0;
    const double height = v / 100.0;
    PacedFrame(pacing, (frame + 1) / 11.0, duration, [&] {
      TextScene(box.x - 0.1 * box.w, box.y + box.h * (1 - height) / 2, box.w * g, box.h * height);
    });
  }
  pacing.Restart();
  int offset = -4;  // in steps of 0.025 of the width: -0.1
  for (int k = 1; k <= 14; ++k) {
    const int frame = k - 1;
    offset += (frame <= 6 || frame >= 12) ? 1 : -1;
    v = qMin(100, v + 4);
    const double o = offset * 0.025;
    const double height = v / 100.0;
    PacedFrame(pacing, k / 14.0, 400, [&] {
      TextScene(box.x + box.w * o, box.y + box.h * (1 - height) / 2, box.w, box.h * height);
    });
  }
}

void HeadlineEnlarge(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 480 - StartHeadline(item, box, true, 400, pacing);
  RunScalePhases(box, pacing, {{10, 10, 12, false, duration}, {115, -5, 6, true, 150}, {95, 5, 3, false, 180}});
}

void HeadlineShrink(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 350 - StartHeadline(item, box, true, 350, pacing);
  RunScalePhases(box, pacing,
                 {{300, -20, 12, true, duration}, {90, 10, 4, false, 160}, {110, -10, 3, false, 165},
                  {95, 10, 2, false, 140}});
}

void HeadlineJump(const HeadlineItem& item) {
  FramePacing pacing;
  const Box box = RoundedBox(item.box);
  const double duration = 400 - StartHeadline(item, box, true, 400, pacing);
  // Each phase: twelve frames scaling by 2 % a frame; the height counter climbs three
  // frames and falls three, twice, raising the text by h × j ÷ q.
  int j = 0;
  const auto phase = [&](int first_percent, int step_percent, int q_first, int q_second, double phase_ms) {
    for (int frame = 0; frame < 12; ++frame) {
      j += frame % 6 < 3 ? 1 : -1;
      const int q = frame < 6 ? q_first : q_second;
      const double c = (first_percent + step_percent * frame) / 100.0;
      const double lift = double(box.h) * j / q;
      PacedFrame(pacing, (frame + 1) / 12.0, phase_ms, [&] {
        TextScene(box.x - box.w * (c - 1) / 2, box.y - lift, box.w * c, box.h * c);
      });
    }
  };
  phase(102, 2, 6, 3, duration);
  PumpingWait(250);
  pacing.Restart();
  phase(122, -2, 3, 6, 350);
}

int HeadlineDurationMs(int effect) {
  constexpr std::array<int, kHeadlineEffectCount> kDurations{900, 800, 900, 900, 900, 810, 815, 1000, 920};
  return effect >= 0 && effect < kHeadlineEffectCount ? kDurations[size_t(effect)] : 0;
}

int GatherPieceSize(int box_width) {
  const qint64 hundreds = (qint64(box_width) + 199) / 200;
  return 2 * int(qBound(qint64(1), hundreds, qint64(8)));
}

void HeadlineGather(const HeadlineItem& item) {
  const Box box = RoundedBox(item.box);
  // Pieces of the text, each flying home from a cell of a grid twice the box's size,
  // centred on the box. A box too large for a text image draws nothing: no layout.
  const int b = GatherPieceSize(box.w);
  QList<QPoint> pieces;
  QList<QPoint> cells;
  QList<qint32> order;
  if (TextImageSizeAllowed(box.w, box.h)) {
    const double across = double(box.w) / b;
    const double down = double(box.h) / b;
    pieces = RowByRow(RoundToInt32(across * down), box.w, b);
    const QList<QPoint> cell_offsets = RowByRow(RoundToInt32(2 * across * 2 * down), 2 * box.w, b);
    cells.reserve(cell_offsets.size());
    for (const QPoint& offset : cell_offsets) {
      cells.append(QPoint(RoundToInt32(box.x - box.w / 2.0 + offset.x()), RoundToInt32(box.y - box.h / 2.0 + offset.y())));
    }
    order = RandomPermutation(0, qint32(cells.size()) - 1);
  }
  const qsizetype count = qMin(pieces.size(), order.size());

  FramePacing pacing;
  const double duration = 885 - StartHeadline(item, box, true, 900, pacing);
  for (int f = 1; f <= 19; ++f) {
    PacedFrame(pacing, f / 19.0, duration, [&] {
      Background();
      for (qsizetype i = 0; i < count; ++i) {
        const QPoint& source = pieces[i];
        const QPoint& start = cells[order[i]];
        const QPoint home(box.x + source.x(), box.y + source.y());
        const auto along = [f](int from, int to) { return float(RoundToInt32(from + (to - from) * f / 20.0)); };
        DrawTextSprite(along(start.x(), home.x()), along(start.y(), home.y()), float(b), float(b), 255,
                       float(source.x()), float(source.y()), float(b), float(b));
      }
      DrawWholeFrame();
    });
  }
  PumpingWait(35);
  PacedFrame(pacing, 0, 0, [&] { TextScene(box); });
}

void RunHeadlineEffect(int effect, const HeadlineItem& item, int variant) {
  switch (effect) {
    case kHeadlineFade: return HeadlineFade(item);
    case kHeadlineWipe: return HeadlineWipe(item);
    case kHeadlineSlideIn: return HeadlineSlideIn(item, variant);
    case kHeadlineShake: return HeadlineShake(item);
    case kHeadlineStretch: return HeadlineStretch(item);
    case kHeadlineEnlarge: return HeadlineEnlarge(item);
    case kHeadlineShrink: return HeadlineShrink(item);
    case kHeadlineJump: return HeadlineJump(item);
    case kHeadlineGather: return HeadlineGather(item);
    default: return;
  }
}

}  // namespace pivlo
