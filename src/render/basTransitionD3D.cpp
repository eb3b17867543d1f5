#include "render/basTransitionD3D.h"

#include "core/ProjectTypes.h"
#include "core/Rounding.h"
#include "render/FramePacing.h"
#include "render/basDirect3D.h"

#include <QCoreApplication>
#include <QPainter>

#include <array>
#include <cmath>
#include <vector>

namespace pivlo {
namespace {

constexpr int kStep = kTransitionStep;
constexpr double kDuration = kTransitionDurationMs;
constexpr quint32 kOpaqueBlack = 0xFF000000u;  // the back buffer has alpha: black must be opaque
constexpr quint32 kOpaqueWhite = 0xFFFFFFFFu;

struct Entry {
  const char* name;
  int variants;
};

// The list's texts, in the order the stored selection refers to.
constexpr std::array<Entry, kTransitionCount> kEntries{{
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "随机线条切换(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "卷轴切换一(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "卷轴切换二(2)(#)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "矩形切换(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "花式方格切换"), 1},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "集合分散切换(2)(#)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "百叶窗切换(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "滚动切换(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "旋转飞散(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "卷帘切换一(4)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "卷帘切换二(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "滑入切换(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "斜向滑入切换(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "推拉切换(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "交替切换(4)(#)"), 4},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "淡入淡出"), 1},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "缩放切换(2)(#)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "变焦切换(2)(#)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "揭页切换(2)(#)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "负片切换(#)"), 1},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "垂帘切换(#)"), 1},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "旋转方块(2)"), 2},
    {QT_TRANSLATE_NOOP("pivlo::Transitions", "卷帘切换三(2)"), 2},
}};

bool InList(int position) { return position >= 0 && position < kTransitionCount; }

// The canvas's size, from the back buffer.
struct Area {
  int w;
  int h;
};
Area Canvas() {
  const QSize size = BackBufferSize();
  return {size.width(), size.height()};
}

// The step of the horizontal moves; wider on wide screens so that their frame count stays
// bounded.
int HorizontalStep(qint32 screen_width) { return screen_width > 1920 ? 4 : kStep; }

// Draw the slot's rectangle (sx, sy, sw, sh) at (x, y, w, h).
void Put(int slot, double sx, double sy, double sw, double sh, double x, double y, double w, double h,
         bool with_frame, int alpha = 255) {
  DrawPicture(float(x), float(y), float(w), float(h), slot, alpha, float(sx), float(sy), float(sw), float(sh),
              with_frame);
}

// The slot's rectangle in place, with the frame region.
void InPlace(int slot, double x, double y, double w, double h, int alpha = 255) {
  Put(slot, x, y, w, h, x, y, w, h, true, alpha);
}

// The whole slot scaled to (x, y, w, h).
void Whole(int slot, double x, double y, double w, double h, int alpha = 255, bool with_frame = false) {
  DrawPicture(float(x), float(y), float(w), float(h), slot, alpha, 0, 0, 0, 0, with_frame);
}

// A line of the incoming picture in place: a full-height column at q or a full-width row.
void Line(bool column, double q, double thickness, int alpha = 255) {
  const Area c = Canvas();
  if (column) {
    InPlace(kPictureSlotTwo, q, 0, thickness, c.h, alpha);
  } else {
    InPlace(kPictureSlotTwo, 0, q, c.w, thickness, alpha);
  }
}

// Opaque 32-bit copy of what the canvas shows, at the canvas's size (missing parts black).
QImage CanvasScreen(const CanvasWindow& canvas) {
  const Area c = Canvas();
  QImage screen(qMax(c.w, 1), qMax(c.h, 1), QImage::Format_RGB32);
  screen.fill(Qt::black);
  QPainter painter(&screen);
  painter.drawImage(0, 0, canvas.ShownImage());
  return screen;
}

}  // namespace

QString TransitionName(int position) {
  if (!InList(position)) return QString();
  return QCoreApplication::translate("pivlo::Transitions", kEntries[size_t(position)].name);
}

int TransitionVariantCount(int position) { return InList(position) ? kEntries[size_t(position)].variants : 0; }

int TransitionDurationMs(int position) {
  switch (position) {
    case 8: return int(kDuration) + 300;   // the pieces gather, wait, then scatter
    case 19: return 2 * int(kDuration);    // to the negative and back
    case 20: return int(kDuration) + 500;
    case 21: return int(kDuration) + 200;
    default: return InList(position) ? int(kDuration) : 0;
  }
}

int TransitionVariant(int position, const VariantCounters& counters) {
  switch (TransitionVariantCount(position)) {
    case 4: return counters.a;
    case 2: return counters.b;
    default: return 0;
  }
}

int RollerComb(int j, int k, int period) { return j + (k + j - 1) * period; }

void EdgeFeather(int e, int direction, bool columns) {
  for (int c = 240; c >= 0; c -= 20) Line(columns, e + direction * (c / 20 + 1) * kStep, kStep, 255 - c);
  Line(columns, e, kStep);
}

void TransitionRandomLines(int b) {
  RenderStill();
  const bool columns = b == 1;
  const int n = RoundToInt32((columns ? Canvas().w : Canvas().h) / double(kStep));
  const QList<qint32> order = RandomPermutation(0, n - 1);
  FramePacing pacing;
  for (int i = 0; i < n; ++i) {
    PacedFrame(pacing, n > 1 ? double(i) / (n - 1) : 1.0, kDuration, [&] { Line(columns, order[i] * kStep, kStep); });
  }
}

void TransitionScrollOne(int a) {
  RenderStill();
  const bool columns = a % 2 == 0;
  const bool forward = a < 2;
  const int last = RoundToInt32((columns ? Canvas().w : Canvas().h) / double(kStep));
  const int n = last + 1;
  FramePacing pacing;
  for (int k = 1; k <= n; ++k) {
    const int i = forward ? k - 1 : last - (k - 1);
    PacedFrame(pacing, double(k) / n, kDuration, [&] { EdgeFeather(i * kStep, forward ? 1 : -1, columns); });
  }
}

void TransitionScrollTwo(int b) {
  RenderStill();
  const bool columns = b == 0;
  const double half = (columns ? Canvas().w : Canvas().h) / double(kStep) / 2;
  FramePacing pacing;
  int j = 0;
  for (int i = RoundToInt32(half); i >= 0; i -= 2, j += 4) {
    PacedFrame(pacing, (half - i) / half, kDuration, [&] {
      EdgeFeather(i * kStep, -1, columns);
      EdgeFeather((i + j) * kStep, 1, columns);
    });
  }
}

void TransitionRectangle(int b) {
  RenderStill();
  const Area c = Canvas();
  const int d = RoundToInt32(kStep / 2.0);
  const int last = RoundToInt32(c.w / 2.0);
  int v = b == 0 ? 0 : last;
  FramePacing pacing;
  for (int i = 0; i <= last; i += d) {
    PacedFrame(pacing, i / (c.w / 2.0), kDuration, [&] {
      const int w = c.w + d - 2 * v;
      if (v <= c.h / 2.0) {
        InPlace(kPictureSlotTwo, v, v, w, d);
        InPlace(kPictureSlotTwo, v, c.h - v, w, d);
      }
      const int h = c.h + d - 2 * v;
      if (h > 0) {
        InPlace(kPictureSlotTwo, v, v, d, h);
        InPlace(kPictureSlotTwo, c.w - v, v, d, h);
      }
    });
    v += b == 0 ? d : -d;
  }
}

void TransitionFancyGrid(int cell, int b) {
  Q_UNUSED(b);
  RenderStill();
  const Area c = Canvas();
  const int t = qMax(cell, 1);  // a canvas narrower than 10 pixels still ends
  FramePacing pacing;
  for (int k = 0; k <= RoundToInt32((t - 1) / 2.0); ++k) {
    PacedFrame(pacing, k / (t / 2.0), kDuration, [&] {
      // Rows use the column positions; those below the canvas show nothing.
      for (const int first : {k, t - 1 - k}) {
        for (int x = first; x < qMax(c.w, c.h); x += t) {
          if (x < c.w) Line(true, x, 1);
          if (x < c.h) Line(false, x, 1);
        }
      }
    });
  }
}

void TransitionGatherScatter(int b) {
  const Area c = Canvas();
  const int tw = RoundToInt32(c.w / 8.0);
  const int th = RoundToInt32(c.h / 8.0);
  ReseedEffectRandom();
  std::array<QPointF, 64> outside;
  for (QPointF& point : outside) {
    switch (int(std::floor(EffectRandom() * 4))) {
      case 0: point = QPointF(-tw, std::floor(c.h * EffectRandom())); break;
      case 1: point = QPointF(c.w + tw, std::floor(c.h * EffectRandom())); break;
      case 2: point = QPointF(std::floor(c.w * EffectRandom()), -th); break;
      default: point = QPointF(std::floor(c.w * EffectRandom()), c.h + th); break;
    }
  }
  const int background = b == 1 ? kPictureSlotTwo : kPictureSlotOne;
  const int moving = b == 1 ? kPictureSlotOne : kPictureSlotTwo;
  FramePacing pacing;
  for (int f = 0; f <= 100; ++f) {
    PacedFrame(pacing, f / 100.0, kDuration, [&] {
      Whole(background, 0, 0, c.w, c.h);
      for (int t = 0; t < 64; ++t) {
        const QPointF home((t % 8) * tw, (t / 8) * th);
        const QPointF from = b == 1 ? home : outside[size_t(t)];
        const QPointF to = b == 1 ? outside[size_t(t)] : home;
        const QPointF at = from + (to - from) * f / 100.0;
        Put(moving, home.x(), home.y(), tw, th, RoundHalfEven(at.x()), RoundHalfEven(at.y()), tw, th, false);
      }
      DrawWholeFrame();
    });
  }
}

void TransitionBlinds(int b) {
  RenderStill();
  const Area c = Canvas();
  const bool columns = b == 1;
  const int period = c.w > 960 ? (columns ? 32 : 24) : (columns ? 16 : 12);
  FramePacing pacing;
  for (int k = 0; k < period; ++k) {
    PacedFrame(pacing, double(k + 1) / period, kDuration, [&] {
      for (int q = k; q < (columns ? c.w : c.h); q += period) Line(columns, q, 1);
    });
  }
}

void TransitionRoll(int a) {
  RenderStill();
  const Area c = Canvas();
  const bool horizontal = a % 2 == 0;
  const int extent = horizontal ? c.w : c.h;
  constexpr int d = 1;  // round(kStep / 2)
  constexpr int L = 40 * d;
  // Along the roll's axis: the source from sq over sl, drawn at q over l (negative: mirrored).
  const auto roll = [&](double q, double l, double sq, double sl) {
    if (horizontal) {
      Put(kPictureSlotTwo, sq, 0, sl, c.h, q, 0, l, c.h, true);
    } else {
      Put(kPictureSlotTwo, 0, sq, c.w, sl, 0, q, c.w, l, true);
    }
  };
  const auto flat = [&](double q) { roll(q, d, q, d); };
  const double frames = double(extent) / d + 40;
  FramePacing pacing;
  int count = 0;
  if (a < 2) {
    for (int i = 0; i <= RoundToInt32(frames); ++i) {
      const int x = i * d;
      PacedFrame(pacing, ++count / frames, kDuration, [&] {
        if (extent - x - L < 0) {
          roll(x, x - extent, x, extent - x);
        } else {
          roll(x, -L, x, L);  // the band from x to x + L, mirrored between x - L and x
        }
        flat(x - L);
      });
    }
  } else {
    for (int i = RoundToInt32(double(extent) / d); i >= -40; --i) {
      const int x = i * d;
      PacedFrame(pacing, ++count / frames, kDuration, [&] {
        if (x >= L) {
          roll(x, L, x, -L);  // the band from x - L to x, mirrored into x to x + L
        } else if (x >= 0) {
          roll(x, x, x, -x);
        }
        flat(x + L);
      });
    }
  }
}

void TransitionRotateScatter(int b) {
  const Area c = Canvas();
  const double tw = RoundToInt32(c.w / 4.0);
  const double th = RoundToInt32(c.h / 4.0);
  const double cx = c.w / 2.0;
  const double cy = c.h / 2.0;
  // Home positions in an anticlockwise spiral from the top-right: (half-width units, tile
  // widths, half-height units, tile heights).
  constexpr std::array<std::array<int, 4>, 16> kSpiral{{{1, 1, 0, 0},
                                                         {1, 0, 0, 0},
                                                         {1, -1, 0, 0},
                                                         {0, 0, 0, 0},
                                                         {0, 0, 1, -1},
                                                         {0, 0, 1, 0},
                                                         {0, 0, 1, 1},
                                                         {1, -1, 1, 1},
                                                         {1, 0, 1, 1},
                                                         {1, 1, 1, 1},
                                                         {1, 1, 1, 0},
                                                         {1, 1, 1, -1},
                                                         {1, 0, 1, -1},
                                                         {1, -1, 1, -1},
                                                         {1, -1, 1, 0},
                                                         {1, 0, 1, 0}}};
  const double r1 = RoundHalfEven(std::sqrt(std::pow(tw / 2, 2) + std::pow(th / 2, 2)));
  const double r2 = RoundHalfEven(std::sqrt(std::pow(tw / 4, 2) + std::pow(th / 4, 2)));
  std::array<QPointF, 16> home;
  std::array<QPointF, 16> target;
  for (int k = 1; k <= 16; ++k) {
    const auto& p = kSpiral[size_t(k - 1)];
    home[size_t(k - 1)] = QPointF(RoundHalfEven(p[0] * cx + p[1] * tw), RoundHalfEven(p[2] * cy + p[3] * th));
    const bool outer = k <= 12;
    const double angle = outer ? 2.355 + 0.525 * (k - 1) : 2.355 + 1.575 * (k - 13);
    const double radius = outer ? r1 : r2;
    target[size_t(k - 1)] =
        QPointF(RoundHalfEven(cx + radius * std::sin(angle)), RoundHalfEven(cy + radius * std::cos(angle)));
  }
  const auto tile = [&](int k, QPointF at, double scale) {
    const QPointF& h = home[size_t(k)];
    Put(kPictureSlotOne, h.x(), h.y(), tw, th, at.x(), at.y(), scale * tw, scale * th, false);
  };

  // The tiles gather, shrinking, round the centre.
  constexpr double kGatherMs = 300;
  FramePacing pacing;
  for (int f = 1; f <= 20; ++f) {
    PacedFrame(pacing, f / 20.0, kGatherMs, [&] {
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h);
      for (int k = 0; k < 16; ++k) {
        tile(k, home[size_t(k)] + (target[size_t(k)] - home[size_t(k)]) * f / 20.0, (40 - f) / 80.0);
      }
      DrawWholeFrame();
    });
  }
  PumpingWait(qint64(kGatherMs));

  // Then they spiral outwards, growing again.
  constexpr double kFirst = 2.355;
  constexpr double kLast = 14.42;
  constexpr double kSteps = (kLast - kFirst) / 0.1;  // 120.65, taken unrounded
  const int frames = int(std::floor(kSteps + 1e-9)) + 1;
  pacing.Restart();
  for (int step = 0; step < frames; ++step) {
    const double phi = b == 0 ? kFirst + 0.1 * step : kLast - 0.1 * step;
    const int count = step + 1;
    PacedFrame(pacing, count / kSteps, kDuration - kGatherMs, [&] {
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h);
      for (int k = 1; k <= 16; ++k) {
        const bool outer = k <= 12;
        const double r = RoundHalfEven(count / kSteps * (outer ? c.w : c.w - (r1 - r2)));
        const double theta = outer ? phi + 6.28 * k / 12 : phi + 6.28 * (k - 12) / 4;
        const QPointF& t = target[size_t(k - 1)];
        const QPointF at(RoundHalfEven(t.x() + r * std::cos(theta)), RoundHalfEven(t.y() + r * std::sin(theta)));
        tile(k - 1, at, (2.0 * count / kSteps + 1) / 4);
      }
      DrawWholeFrame();
    });
  }
}

void TransitionRollerOne(int a) {
  RenderStill();
  const Area c = Canvas();
  constexpr int P = 4 * kStep;
  constexpr int d = 1;
  const bool columns = a % 2 == 0;
  const int extent = columns ? c.w : c.h;
  const int last = RoundToInt32(double(extent) / P);
  const bool forward = a < 2;
  FramePacing pacing;
  int count = 0;
  for (int n = 0; n <= last + P; ++n) {
    const int k = forward ? n - P : last - n;
    count += d;
    PacedFrame(pacing, double(count) * P / (P * P + extent), kDuration, [&] {
      for (int j = 1; j <= P + 1; ++j) Line(columns, RollerComb(j, k, P), d);
    });
  }
}

void TransitionRollerTwo(int b) {
  RenderStill();
  const Area c = Canvas();
  constexpr int P = 8;
  constexpr int d = 1;
  const double half = c.h / 2.0;
  const int last = RoundToInt32(half / P);
  FramePacing pacing;
  int count = 0;
  for (int n = 0; n <= last + P; ++n) {
    const int k = b == 0 ? n - P : last - n;
    count += d;
    PacedFrame(pacing, double(count) * P / (P * P + half), kDuration, [&] {
      for (int j = 1; j <= P + 1; ++j) {
        const int v = RollerComb(j, k, P);
        if (v <= half) InPlace(kPictureSlotTwo, v, v, c.w - 2 * v, d);
        if (c.w - d - v >= c.w - half) InPlace(kPictureSlotTwo, c.w - d - v, v, d, c.h - 2 * v);
        if (c.h - d - v >= half) InPlace(kPictureSlotTwo, v, c.h - d - v, c.w - 2 * v, d);
        if (v <= half) InPlace(kPictureSlotTwo, v, v, d, c.h - 2 * v);
      }
    });
  }
}

void TransitionSlideIn(int a, qint32 screen_width) {
  RenderStill();
  const Area c = Canvas();
  FramePacing pacing;
  if (a % 2 == 0) {
    const int step = HorizontalStep(screen_width);
    for (int x = 0; x <= c.w; x += step) {
      PacedFrame(pacing, double(x) / c.w, kDuration, [&] {
        if (a == 0) {
          Put(kPictureSlotTwo, c.w - x, 0, x, c.h, 0, 0, x, c.h, true);  // from the left
        } else {
          Put(kPictureSlotTwo, 0, 0, x, c.h, c.w - x, 0, x, c.h, true);  // from the right
        }
      });
    }
    return;
  }
  for (int y = 0; y <= c.h; y += kStep) {
    PacedFrame(pacing, double(y) / c.h, kDuration, [&] {
      if (a == 1) {
        Put(kPictureSlotTwo, 0, c.h - y, c.w, y, 0, 0, c.w, y, true);  // from the top
      } else {
        Put(kPictureSlotTwo, 0, 0, c.w, y, 0, c.h - y, c.w, y, true);  // from the bottom
      }
    });
  }
}

void TransitionDiagonalSlide(int a, qint32 screen_width) {
  RenderStill();
  const Area c = Canvas();
  const double r = double(c.h) / c.w;
  const int step = a % 2 == 0 ? HorizontalStep(screen_width) : kStep;
  FramePacing pacing;
  for (int x = 0; x <= c.w; x += step) {
    const double y = x * r;
    PacedFrame(pacing, double(x) / c.w, kDuration, [&] {
      switch (a) {
        case 0: Put(kPictureSlotTwo, c.w - x, c.h - y, x, y, 0, 0, x, y, true); break;  // from the top-left
        case 1: Put(kPictureSlotTwo, 0, c.h - y, x, y, c.w - x, 0, x, y, true); break;  // the top-right
        case 2: Put(kPictureSlotTwo, 0, 0, x, y, c.w - x, c.h - y, x, y, true); break;  // the bottom-right
        default: Put(kPictureSlotTwo, c.w - x, 0, x, y, 0, c.h - y, x, y, true); break;  // the bottom-left
      }
    });
  }
}

void TransitionPush(int a, qint32 screen_width) {
  const Area c = Canvas();
  FramePacing pacing;
  const auto frame = [&](double progress, auto draws) {
    PacedFrame(pacing, progress, kDuration, [&] {
      draws();
      DrawWholeFrame();
    });
  };
  const int step = HorizontalStep(screen_width);
  switch (a) {
    case 0:
      for (int x = 0; x <= c.w; x += step) {
        frame(double(x) / c.w, [&] {
          Put(kPictureSlotOne, 0, 0, c.w - x, c.h, x, 0, c.w - x, c.h, false);
          Put(kPictureSlotTwo, c.w - x, 0, x, c.h, 0, 0, x, c.h, false);
        });
      }
      break;
    case 1:
      for (int y = 0; y <= c.h; y += kStep) {
        frame(double(y) / c.h, [&] {
          Put(kPictureSlotOne, 0, 0, c.w, c.h - y, 0, y, c.w, c.h - y, false);
          Put(kPictureSlotTwo, 0, c.h - y, c.w, y, 0, 0, c.w, y, false);
        });
      }
      break;
    case 2:
      for (int x = c.w; x >= 0; x -= step) {
        frame(double(c.w - x) / c.w, [&] {
          Put(kPictureSlotOne, c.w - x, 0, x, c.h, 0, 0, x, c.h, false);
          Put(kPictureSlotTwo, 0, 0, c.w - x, c.h, x, 0, c.w - x, c.h, false);
        });
      }
      break;
    default:
      for (int y = c.h; y >= 0; y -= kStep) {
        frame(double(c.h - y) / c.h, [&] {
          Put(kPictureSlotOne, 0, c.h - y, c.w, y, 0, 0, c.w, y, false);
          Put(kPictureSlotTwo, 0, 0, c.w, c.h - y, 0, y, c.w, c.h - y, false);
        });
      }
      break;
  }
}

void TransitionAlternate(int a, qint32 screen_width) {
  const Area c = Canvas();
  const double W = c.w;
  const double H = c.h;
  const bool horizontal = a % 2 == 0;
  const int step = horizontal ? HorizontalStep(screen_width) : kStep;
  const double half = (horizontal ? W : H) / 2;
  // The outgoing source and target, then the incoming source and target, of a frame of
  // phase 1 or 2 at position p.
  const auto rects = [&](int phase, double p) -> std::array<double, 16> {
    const double w2 = W / 2;
    const double h2 = H / 2;
    if (phase == 1) {
      switch (a) {
        case 0: return {p, 0, W - p, H, 0, 0, W - p, H, W - 2 * p, 0, p, H, W - p, 0, p, H};
        case 1: return {0, p, W, H - p, 0, 0, W, H - p, 0, H - 2 * p, W, p, 0, H - p, W, p};
        case 2: return {0, 0, W - p, H, p, 0, W - p, H, p, 0, p, H, 0, 0, p, H};
        default: return {0, 0, W, H - p, 0, p, W, H - p, 0, p, W, p, 0, 0, W, p};
      }
    }
    switch (a) {
      case 0: return {w2 - p, 0, w2 - p, H, 0, 0, w2 - p, H, 0, 0, w2 + p, H, w2 - p, 0, w2 + p, H};
      case 1: return {0, h2 - p, W, h2 - p, 0, 0, W, h2 - p, 0, 0, W, h2 + p, 0, h2 - p, W, h2 + p};
      case 2: return {2 * p, 0, w2 - p, H, w2 + p, 0, w2 - p, H, w2 - p, 0, w2 + p, H, 0, 0, w2 + p, H};
      default: return {0, 2 * p, W, h2 - p, 0, h2 + p, W, h2 - p, 0, h2 - p, W, h2 + p, 0, 0, W, h2 + p};
    }
  };
  FramePacing pacing;
  for (int phase = 1; phase <= 2; ++phase) {
    pacing.Restart();
    for (int p = 0; p <= half; p += step) {
      const std::array<double, 16> r = rects(phase, p);
      PacedFrame(pacing, p / half, kDuration / 2, [&] {
        Put(kPictureSlotOne, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], false);
        Put(kPictureSlotTwo, r[8], r[9], r[10], r[11], r[12], r[13], r[14], r[15], false);
        DrawWholeFrame();
      });
    }
  }
}

void TransitionCrossfade() {
  const Area c = Canvas();
  FramePacing pacing;
  for (int a = 3; a <= 255; a += 3) {
    PacedFrame(pacing, a / 255.0, kDuration, [&] {
      Whole(kPictureSlotOne, 0, 0, c.w, c.h);
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h, a, true);
    });
  }
}

void TransitionScale(int b) {
  const Area c = Canvas();
  const double r = double(c.h) / c.w;
  const auto centred = [&](int slot, double z, int alpha, bool with_frame) {
    Whole(slot, (c.w - z) / 2, (c.h - z * r) / 2, z, z * r, alpha, with_frame);
  };
  if (b == 1) {
    RenderStill();
    FramePacing pacing;
    for (int z = 0; z <= c.w; z += 8) {
      PacedFrame(pacing, double(z) / c.w, kDuration, [&] { centred(kPictureSlotTwo, z, 255, true); });
    }
    return;
  }
  FramePacing pacing;
  for (int z = c.w; z >= 0; z -= 8) {
    PacedFrame(pacing, double(c.w - z) / c.w, kDuration, [&] {
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h);
      centred(kPictureSlotOne, z, 255, false);
      DrawWholeFrame();
    });
  }
}

void TransitionZoomThrough() {
  const Area c = Canvas();
  // Narrow canvases round the step to nothing: the phases then end after their steps.
  constexpr int kMaxSteps = 100;
  FramePacing pacing;
  double dx = 0;
  double dy = 0;
  for (int count = 1;; ++count) {
    DrawFrame([&] { Put(kPictureSlotOne, dx, dy, c.w - 2 * dx, c.h - 2 * dy, 0, 0, c.w, c.h, true); });
    dx = RoundHalfEven(dx + c.w / 100.0);
    dy = RoundHalfEven(dy + c.h / 100.0);
    if (dx >= c.w / 2.0 || dy >= c.h / 2.0 || count >= kMaxSteps) break;
    pacing.Hold(2.0 * count / 100, kDuration / 2);
  }
  pacing.Restart();
  for (int count = 1; count <= kMaxSteps; ++count) {
    dx = RoundHalfEven(dx - c.w / 100.0);
    dy = RoundHalfEven(dy - c.h / 100.0);
    if (dx < 0 || dy < 0) break;
    PacedFrame(pacing, 2.0 * count / 100, kDuration / 2, [&] {
      Put(kPictureSlotTwo, dx, dy, c.w - 2 * dx, c.h - 2 * dy, 0, 0, c.w, c.h, true);
    });
  }
}

void TransitionZoomCentre() {
  const Area c = Canvas();
  const double r = double(c.h) / c.w;
  const auto centred = [&](int slot, double z, bool with_frame) {
    Whole(slot, (c.w - z) / 2, (c.h - z * r) / 2, z, z * r, 255, with_frame);
  };
  FramePacing pacing;
  for (int z = c.w; z >= 0; z -= 8) {
    PacedFrame(pacing, double(c.w - z) / c.w, kDuration / 2, [&] {
      ClearBackBuffer(kOpaqueBlack);
      centred(kPictureSlotOne, z, false);
      DrawWholeFrame();
    });
  }
  pacing.Restart();
  for (int z = 0; z <= c.w; z += 8) {
    PacedFrame(pacing, double(z) / c.w, kDuration / 2, [&] { centred(kPictureSlotTwo, z, true); });
  }
}

void TransitionPeel(const CanvasWindow& canvas, int b) {
  RenderStill();
  const Area c = Canvas();
  // The back of the page: the screen mirrored across the fold, whitened.
  QImage page = CanvasScreen(canvas).mirrored(b == 0, b == 1);
  {
    QPainter painter(&page);
    painter.setOpacity(100 / 255.0);
    painter.fillRect(page.rect(), Qt::white);
  }
  CreatePictureTexture(page, kPictureSlotOne);
  FramePacing pacing;
  if (b == 1) {
    for (int y = 0; y <= c.h; y += 2) {
      PacedFrame(pacing, double(y) / c.h, kDuration, [&] {
        Put(kPictureSlotOne, 0, c.h - y, c.w, y, 0, y, c.w, y, true, 155);
        InPlace(kPictureSlotTwo, 0, y, c.w, 2);
      });
    }
    return;
  }
  for (int x = 0; x <= c.w; x += 2) {
    PacedFrame(pacing, double(x) / c.w, kDuration, [&] {
      Put(kPictureSlotOne, c.w - x, 0, x, c.h, x, 0, x, c.h, true, 155);
      InPlace(kPictureSlotTwo, x, 0, 2, c.h);
    });
  }
}

void TransitionNegative(const CanvasWindow& canvas, const QImage& pic_source) {
  const Area c = Canvas();
  FramePacing pacing;
  // The screen inverted, then grey: each of red, green and blue 0.35 x (r + g + b).
  QImage negative = CanvasScreen(canvas);
  negative.invertPixels();
  for (int y = 0; y < negative.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(negative.scanLine(y));
    for (int x = 0; x < negative.width(); ++x) {
      const int grey = qMin(RoundToInt32(0.35 * (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]))), 255);
      line[x] = qRgb(grey, grey, grey);
    }
  }
  CreatePictureTexture(negative, kPictureSlotTwo);
  const qint64 preparation = pacing.ElapsedMs();
  const double total = kDuration + 500;

  // The outgoing picture fades into its grey negative.
  pacing.Restart();
  for (int a = 250, count = 5; a >= 5; a -= 5, count += 5) {
    PacedFrame(pacing, count / 250.0, total / 2, [&] {
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h);
      Whole(kPictureSlotOne, 0, 0, c.w, c.h, a, true);
    });
  }
  if (preparation < 500) PumpingWait(500 - preparation);
  // The negative fades to white.
  pacing.Restart();
  for (int a = 250, count = 5; a >= 5; a -= 5, count += 5) {
    PacedFrame(pacing, count / 250.0, total / 4, [&] {
      ClearBackBuffer(kOpaqueWhite);
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h, a, true);
    });
  }
  // The incoming picture fades in from white.
  pacing.Restart();
  CreatePictureTexture(pic_source, kPictureSlotTwo);
  for (int a = 5; a <= 255; a += 5) {
    PacedFrame(pacing, a / 255.0, total / 4, [&] {
      ClearBackBuffer(kOpaqueWhite);
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h, a, true);
    });
  }
}

void TransitionCurtain() {
  const Area c = Canvas();
  constexpr int hs = 6 * kStep;
  const int strips = c.h / hs;  // only whole strips fall
  std::vector<double> offset(size_t(strips) + 1, 1);
  std::vector<double> speed(size_t(strips) + 1, 0);
  const double end = 1.65 * c.h;
  FramePacing pacing;
  for (int u = 0; u <= RoundToInt32(end); u += 2 * kStep) {
    // Strips are released from the bottom up, one per strip height of u, and accelerate.
    const int released = qMin(u / hs, strips);
    for (int i = 1; i <= released; ++i) {
      speed[size_t(i)] += 0.8;
      offset[size_t(i)] = RoundHalfEven(offset[size_t(i)] + speed[size_t(i)]);
    }
    PacedFrame(pacing, u / end, kDuration + 500, [&] {
      Whole(kPictureSlotTwo, 0, 0, c.w, c.h);
      if (u < c.h) Put(kPictureSlotOne, 0, 0, c.w, c.h - u, 0, 0, c.w, c.h - u, false);
      for (int i = 1; i <= released; ++i) {
        const int top = c.h - i * hs;
        const double at = top + offset[size_t(i)];
        if (at < c.h) Put(kPictureSlotOne, 0, top, c.w, hs, 0, at, c.w, hs, false);  // fallen ones show nothing
      }
      DrawWholeFrame();
    });
  }
}

void TransitionRotatingSquares(int b) {
  const Area c = Canvas();
  const int tw = RoundToInt32(c.w / 4.0);
  const int th = RoundToInt32(c.h / 4.0);
  // Homes in spiral order (tile columns and rows) and the small grid round the centre.
  constexpr std::array<std::array<int, 2>, 16> kHome{{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3},
                                                      {1, 3}, {0, 3}, {0, 2}, {0, 1}, {1, 1}, {2, 1}, {2, 2}, {1, 2}}};
  constexpr std::array<std::array<double, 2>, 16> kSmall{{{-0.3, -0.3}, {-0.1, -0.3}, {0.1, -0.3}, {0.3, -0.3},
                                                          {0.3, -0.1}, {0.3, 0.1}, {0.3, 0.3}, {0.1, 0.3},
                                                          {-0.1, 0.3}, {-0.3, 0.3}, {-0.3, 0.1}, {-0.2, 0},
                                                          {-0.1, -0.1}, {0, -0.1}, {0.1, 0}, {-0.1, 0}}};
  std::array<QPointF, 16> home;
  std::array<QPointF, 16> small;
  for (size_t i = 0; i < 16; ++i) {
    const size_t from = b == 1 ? 15 - i : i;
    home[i] = QPointF(kHome[from][0] * tw, kHome[from][1] * th);
    small[i] =
        QPointF(RoundHalfEven(c.w / 2.0 + kSmall[from][0] * tw), RoundHalfEven(c.h / 2.0 + kSmall[from][1] * th));
  }
  const auto tile = [&](int slot, size_t i, QPointF at, double g) {
    Put(slot, home[i].x(), home[i].y(), tw, th, at.x(), at.y(), g * tw, g * th, false);
  };
  FramePacing pacing;
  for (int f = 1; f <= 19; ++f) {
    PacedFrame(pacing, f / 19.0, kDuration + 200, [&] {
      Whole(kPictureSlotOne, 0, 0, c.w, c.h);
      for (int t = 1; t <= 16; ++t) {
        const size_t i = size_t(t - 1);
        const int e = f - t;
        if (e >= 0 && e <= 2) {
          if (b == 0) {
            const double g = (e + 1) * 0.15;
            tile(kPictureSlotTwo, i, small[i] + (home[i] - small[i]) * g, g);
          } else {
            tile(kPictureSlotTwo, i, home[i], 1);
            const double g = (3 - e) * 0.15;
            tile(kPictureSlotOne, i, small[i] + (home[i] - small[i]) * g, g);
          }
        } else if (e == 3) {
          for (size_t done = 0; done <= i; ++done) tile(kPictureSlotTwo, done, home[done], 1);
        }
      }
      DrawWholeFrame();
    });
  }
}

void TransitionRollerThree(int b) {
  const Area c = Canvas();
  const double ws = c.w / 8.0;
  std::array<int, 9> left{};
  std::array<double, 9> shrink{};
  for (int i = 1; i <= 8; ++i) left[size_t(i)] = RoundToInt32(b == 1 ? c.w - i * ws : (i - 1) * ws);
  RenderStill();
  FramePacing pacing;
  for (int f = 1; f <= 81; ++f) {
    // Each strip narrows to its middle showing the outgoing picture, then widens showing
    // the incoming one; strips start 6 frames apart.
    std::array<int, 9> phase{};  // 0 none, 1 narrowing, 2 widening, 3 done
    for (int i = 1; i <= 8; ++i) {
      const int e = f - 6 * i;
      double& m = shrink[size_t(i)];
      if (e >= 0 && e <= 15) {
        m = RoundHalfEven(m + ws / 16);
        phase[size_t(i)] = 1;
      } else if (e >= 17 && e <= 32) {
        m = RoundHalfEven(m - ws / 16);
        phase[size_t(i)] = 2;
      } else if (e == 33) {
        phase[size_t(i)] = 3;
      }
    }
    PacedFrame(pacing, f / 81.0, kDuration, [&] {
      for (int i = 1; i <= 8; ++i) {
        const double x = left[size_t(i)];
        const double m = shrink[size_t(i)];
        switch (phase[size_t(i)]) {
          case 1:
          case 2:
            ClearBackBufferRegion(QRect(QPoint(int(x), 0), QPoint(RoundToInt32(x + ws) - 1, c.h - 1)), kOpaqueBlack);
            Put(phase[size_t(i)] == 1 ? kPictureSlotOne : kPictureSlotTwo, x, 0, ws, c.h, x + m / 2, 0, ws - m, c.h,
                false);
            DrawFrameRegion(float(x), 0, float(ws), float(c.h));
            break;
          case 3: InPlace(kPictureSlotTwo, x, 0, ws, c.h); break;
          default: break;
        }
      }
    });
  }
}

void RunTransition(int position, int variant, const TransitionInputs& inputs) {
  switch (position) {
    case 0: return TransitionRandomLines(variant);
    case 1: return TransitionScrollOne(variant);
    case 2: return TransitionScrollTwo(variant);
    case 3: return TransitionRectangle(variant);
    case 4: return TransitionFancyGrid(RoundToInt32(Canvas().w / 20.0), variant);
    case 5: return TransitionGatherScatter(variant);
    case 6: return TransitionBlinds(variant);
    case 7: return TransitionRoll(variant);
    case 8: return TransitionRotateScatter(variant);
    case 9: return TransitionRollerOne(variant);
    case 10: return TransitionRollerTwo(variant);
    case 11: return TransitionSlideIn(variant, inputs.screen_width);
    case 12: return TransitionDiagonalSlide(variant, inputs.screen_width);
    case 13: return TransitionPush(variant, inputs.screen_width);
    case 14: return TransitionAlternate(variant, inputs.screen_width);
    case 15: return TransitionCrossfade();
    case 16: return TransitionScale(variant);
    case 17: return variant == 1 ? TransitionZoomThrough() : TransitionZoomCentre();
    case 18:
      if (inputs.canvas != nullptr) TransitionPeel(*inputs.canvas, variant);
      return;
    case 19:
      if (inputs.canvas != nullptr) TransitionNegative(*inputs.canvas, inputs.incoming);
      return;
    case 20: return TransitionCurtain();
    case 21: return TransitionRotatingSquares(variant);
    case 22: return TransitionRollerThree(variant);
    default: return;
  }
}

}  // namespace pivlo
