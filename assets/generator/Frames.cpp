// Picture frames: full-screen transparent PNGs laid over a photograph (stretched to the
// screen), so only their borders cover it. Also the test frame of gmi.src.

#include "Assets.h"
#include "Drawing.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

#include <functional>

namespace pivlo::assets {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const QRectF kScreen(0, 0, kWidth, kHeight);

using SideDraw = std::function<void(QPainter&, int side, qreal length, const QPolygonF& trapezoid)>;

// Runs `draw` once per side (top, right, bottom, left) with the painter turned so that the
// side runs along +x, its outer edge on y = 0 and its inner edge on y = width; the side is
// the mitred trapezoid between the outer rectangle and the one `width` inside it.
void ForEachSide(QPainter& p, const QRectF& outer, qreal width, const SideDraw& draw) {
  for (int side = 0; side < 4; ++side) {
    p.save();
    const qreal length = side % 2 == 0 ? outer.width() : outer.height();
    const QPointF corners[] = {outer.topLeft(), outer.topRight(), outer.bottomRight(), outer.bottomLeft()};
    p.translate(corners[side]);
    p.rotate(90.0 * side);
    const QPolygonF trapezoid({{0, 0}, {length, 0}, {length - width, width}, {width, width}});
    draw(p, side, length, trapezoid);
    p.restore();
  }
}

void ClipTo(QPainter& p, const QPolygonF& shape) {
  QPainterPath clip;
  clip.addPolygon(shape);
  clip.closeSubpath();
  p.setClipPath(clip, Qt::IntersectClip);
}

// Light falls from the top left: the top and left sides lighter, the others darker.
void ShadeSide(QPainter& p, int side, const QPolygonF& trapezoid) {
  static const QColor kShade[] = {QColor(255, 255, 255, 34), QColor(0, 0, 0, 34), QColor(0, 0, 0, 56),
                                  QColor(255, 255, 255, 14)};
  p.setPen(Qt::NoPen);
  p.setBrush(kShade[side]);
  p.drawPolygon(trapezoid);
}

// The shadow a frame casts on the photograph just inside its opening.
void DrawInnerShadow(QPainter& p, const QRectF& opening, qreal depth, int alpha) {
  ForEachSide(p, opening.adjusted(-0.5, -0.5, 0.5, 0.5), -depth, [&](QPainter& q, int side, qreal length, const QPolygonF&) {
    QLinearGradient fade(0, 0, 0, depth);
    const int a = side == 0 || side == 3 ? alpha : alpha / 2;  // lit from the top left
    fade.setColorAt(0, QColor(0, 0, 0, a));
    fade.setColorAt(1, QColor(0, 0, 0, 0));
    q.setPen(Qt::NoPen);
    q.setBrush(fade);
    q.drawPolygon(QPolygonF({{0, 0}, {length, 0}, {length - depth, depth}, {depth, depth}}));
  });
}

// A moulding: each side filled across its width with the profile's colours, casting its
// shadow on what lies inside.
void DrawMoulding(QPainter& p, const QRectF& outer, qreal width, const QGradientStops& profile) {
  DrawInnerShadow(p, outer.adjusted(width, width, -width, -width), qBound(10.0, width / 5, 18.0), 110);
  ForEachSide(p, outer, width, [&](QPainter& q, int side, qreal, const QPolygonF& trapezoid) {
    QLinearGradient across(0, 0, 0, width);
    across.setStops(profile);
    q.setPen(Qt::NoPen);
    q.setBrush(across);
    q.drawPolygon(trapezoid);
    ShadeSide(q, side, trapezoid);
    q.setPen(QPen(QColor(0, 0, 0, 60), 1.2));
    q.drawLine(QPointF(0, 0), QPointF(width, width));  // the mitre
  });
}

qreal SmoothStep(qreal edge0, qreal edge1, qreal x) {
  const qreal t = qBound(0.0, (x - edge0) / (edge1 - edge0), 1.0);
  return t * t * (3 - 2 * t);
}

// Colours the picture's edges, fading out towards the middle: `strength` maps a pixel to
// its share of `color` (0 inside, 1 at full colour).
void PaintFade(QImage& image, const QColor& color, const std::function<qreal(int x, int y)>& strength) {
  for (int y = 0; y < image.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qRound(color.alpha() * strength(x, y));
      line[x] = alpha > 0 ? qPremultiply(qRgba(color.red(), color.green(), color.blue(), alpha)) : 0;
    }
  }
}

qreal EdgeDistance(int x, int y) { return qMin(qMin(x, kWidth - 1 - x), qMin(y, kHeight - 1 - y)); }

// 1 at the edges, fading to 0 at `depth` pixels inside; the sides blend smoothly at the
// corners instead of meeting in a diagonal crease.
qreal EdgeFade(int x, int y, qreal depth) {
  const qreal across = SmoothStep(depth, 0, qMin(x, kWidth - 1 - x));
  const qreal down = SmoothStep(depth, 0, qMin(y, kHeight - 1 - y));
  return 1 - (1 - across) * (1 - down);
}

QImage Golden() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal w = 84;
  DrawMoulding(p, kScreen, w,
               {{0.00, QColor(QRgb(0x4F320F))}, {0.06, QColor(QRgb(0xB8862B))}, {0.15, QColor(QRgb(0xF8DC85))},
                {0.27, QColor(QRgb(0xC9952E))}, {0.38, QColor(QRgb(0x7F5216))}, {0.45, QColor(QRgb(0xE6C15C))},
                {0.58, QColor(QRgb(0xFFF1B8))}, {0.70, QColor(QRgb(0xC48E2A))}, {0.82, QColor(QRgb(0x77490F))},
                {0.89, QColor(QRgb(0xDDB24F))}, {1.00, QColor(QRgb(0x4F320F))}});
  // A row of beads along the inner lip.
  ForEachSide(p, kScreen, w, [&](QPainter& q, int, qreal length, const QPolygonF& trapezoid) {
    ClipTo(q, trapezoid);
    q.setPen(Qt::NoPen);
    for (qreal x = w; x < length - w + 14; x += 14) {
      QRadialGradient bead(QPointF(x - 1.2, w - 12.2), 4.5);
      bead.setColorAt(0, QColor(QRgb(0xFFF6CC)));
      bead.setColorAt(0.5, QColor(QRgb(0xD9A840)));
      bead.setColorAt(1, QColor(QRgb(0x6B440F)));
      q.setBrush(bead);
      q.drawEllipse(QPointF(x, w - 11), 4, 4);
    }
  });
  // Rosettes on the corners.
  for (const QPointF c : {QPointF(w * 0.42, w * 0.42), QPointF(kWidth - w * 0.42, w * 0.42),
                          QPointF(kWidth - w * 0.42, kHeight - w * 0.42), QPointF(w * 0.42, kHeight - w * 0.42)}) {
    p.save();
    p.translate(c);
    QRadialGradient petal(QPointF(-4, -4), 26);
    petal.setColorAt(0, QColor(QRgb(0xFFF3C4)));
    petal.setColorAt(0.6, QColor(QRgb(0xD6A33E)));
    petal.setColorAt(1, QColor(QRgb(0x7A4E14)));
    p.setPen(QPen(QColor(QRgb(0x5A3A10)), 1));
    p.setBrush(petal);
    for (int i = 0; i < 8; ++i) {
      p.save();
      p.rotate(i * 45);
      p.drawEllipse(QRectF(-6, -24, 12, 22));
      p.restore();
    }
    p.drawEllipse(QPointF(0, 0), 8, 8);
    p.restore();
  }
  return image;
}

QImage Walnut() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal w = 76;
  DrawMoulding(p, kScreen, w,
               {{0.00, QColor(QRgb(0x24120A))}, {0.07, QColor(QRgb(0x5C3218))}, {0.22, QColor(QRgb(0x8E5C2E))},
                {0.38, QColor(QRgb(0x6B4020))}, {0.55, QColor(QRgb(0x9A6838))}, {0.72, QColor(QRgb(0x6E4422))},
                {0.86, QColor(QRgb(0x45250F))}, {0.90, QColor(QRgb(0xC9A25A))}, {0.95, QColor(QRgb(0x8A6A30))},
                {1.00, QColor(QRgb(0x2B160A))}});
  // Grain running along each side.
  QRandomGenerator random(20);
  ForEachSide(p, kScreen, w, [&](QPainter& q, int, qreal length, const QPolygonF& trapezoid) {
    ClipTo(q, trapezoid);
    for (qreal y = 2; y < w * 0.86; y += 1.5 + random.bounded(3.0)) {
      const qreal period = 120 + random.bounded(260.0);
      const qreal amplitude = 0.6 + random.bounded(2.2);
      const qreal phase = random.bounded(6.28);
      QPainterPath grain;
      grain.moveTo(0, y);
      for (qreal x = 8; x <= length; x += 8) {
        grain.lineTo(x, y + amplitude * qSin(x / period * 6.28 + phase) + 0.8 * qSin(x / 23.0 + phase));
      }
      const bool dark = random.bounded(3) > 0;
      q.setPen(QPen(dark ? QColor(30, 14, 4, 40 + random.bounded(50)) : QColor(220, 170, 110, 26),
                    0.7 + random.bounded(1.3)));
      q.setBrush(Qt::NoBrush);
      q.drawPath(grain);
    }
  });
  return image;
}

QImage Gallery() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal frame = 30;
  const qreal mat = 116;
  const qreal bevel = 7;
  const QRectF mat_outer = kScreen.adjusted(frame, frame, -frame, -frame);
  const QRectF opening = mat_outer.adjusted(mat, mat, -mat, -mat);
  DrawInnerShadow(p, opening, 10, 90);
  // The mat, slightly warm white with a faint light from the top.
  QPainterPath mat_shape;
  mat_shape.addRect(mat_outer);
  mat_shape.addRect(opening);
  QLinearGradient paper(0, 0, 0, kHeight);
  paper.setColorAt(0, QColor(QRgb(0xFBF9F4)));
  paper.setColorAt(1, QColor(QRgb(0xEEEAE1)));
  p.setPen(Qt::NoPen);
  p.setBrush(paper);
  p.drawPath(mat_shape);
  // The bevelled cut of the mat shows its white core.
  ForEachSide(p, opening.adjusted(-bevel, -bevel, bevel, bevel), bevel,
              [&](QPainter& q, int side, qreal, const QPolygonF& trapezoid) {
                q.setPen(Qt::NoPen);
                q.setBrush(QColor(QRgb(0xFFFFFF)));
                q.drawPolygon(trapezoid);
                ShadeSide(q, side, trapezoid);
              });
  DrawMoulding(p, kScreen, frame,
               {{0.0, QColor(QRgb(0x0C0C0C))}, {0.3, QColor(QRgb(0x3C3C3C))}, {0.6, QColor(QRgb(0x1A1A1A))},
                {0.85, QColor(QRgb(0x474747))}, {1.0, QColor(QRgb(0x0A0A0A))}});
  return image;
}

// A meander (回纹) band: key spirals between two rules, one unit per `unit` pixels.
void DrawMeander(QPainter& q, qreal from, qreal to, qreal top, qreal unit, const QColor& color) {
  q.setPen(QPen(color, unit * 0.11, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  q.setBrush(Qt::NoBrush);
  q.drawLine(QPointF(from, top), QPointF(to, top));
  q.drawLine(QPointF(from, top + unit), QPointF(to, top + unit));
  for (qreal x = from; x + unit <= to + 0.5; x += unit) {
    QPainterPath key;
    const qreal m = unit * 0.18;
    key.moveTo(x + m, top + unit);
    key.lineTo(x + m, top + m);
    key.lineTo(x + unit - m, top + m);
    key.lineTo(x + unit - m, top + unit - m);
    key.lineTo(x + unit * 0.4, top + unit - m);
    key.lineTo(x + unit * 0.4, top + unit * 0.42);
    key.lineTo(x + unit * 0.62, top + unit * 0.42);
    q.drawPath(key);
  }
}

QImage ChineseRed() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal w = 80;
  const QColor gold(QRgb(0xE3B84F));
  DrawMoulding(p, kScreen, w,
               {{0.00, QColor(QRgb(0x3E0707))}, {0.04, QColor(QRgb(0xD9AE48))}, {0.09, QColor(QRgb(0x6E0E0E))},
                {0.30, QColor(QRgb(0xB3161B))}, {0.50, QColor(QRgb(0xD02828))}, {0.70, QColor(QRgb(0xA51419))},
                {0.90, QColor(QRgb(0x650C0C))}, {0.95, QColor(QRgb(0xD9AE48))}, {1.00, QColor(QRgb(0x3E0707))}});
  const qreal unit = 30;
  ForEachSide(p, kScreen, w, [&](QPainter& q, int, qreal length, const QPolygonF&) {
    // Whole units only, centred between the corner plates.
    const qreal room = length - 2 * w;
    const qreal span = qFloor(room / unit) * unit;
    DrawMeander(q, w + (room - span) / 2, w + (room + span) / 2, (w - unit) / 2, unit, gold);
  });
  // Gold corner plates with a four-petalled flower.
  for (const QPointF c : {QPointF(w / 2, w / 2), QPointF(kWidth - w / 2, w / 2),
                          QPointF(kWidth - w / 2, kHeight - w / 2), QPointF(w / 2, kHeight - w / 2)}) {
    p.save();
    p.translate(c);
    QLinearGradient plate(-w / 2, -w / 2, w / 2, w / 2);
    plate.setColorAt(0, QColor(QRgb(0xFBE3A0)));
    plate.setColorAt(0.5, QColor(QRgb(0xD9A83E)));
    plate.setColorAt(1, QColor(QRgb(0x9A6A1C)));
    p.setPen(QPen(QColor(QRgb(0x5E0A0A)), 2));
    p.setBrush(plate);
    p.drawRect(QRectF(-w / 2 + 4, -w / 2 + 4, w - 8, w - 8));
    p.setBrush(QColor(QRgb(0xB3161B)));
    p.drawRect(QRectF(-w / 2 + 12, -w / 2 + 12, w - 24, w - 24));
    p.setBrush(plate);
    for (int i = 0; i < 4; ++i) {
      p.save();
      p.rotate(45 + 90 * i);
      p.drawEllipse(QRectF(-7, -24, 14, 22));
      p.restore();
    }
    p.setBrush(QColor(QRgb(0xB3161B)));
    p.drawEllipse(QPointF(0, 0), 5, 5);
    p.restore();
  }
  return image;
}

// A five-petalled blossom with a golden heart.
void DrawBlossom(QPainter& p, QPointF centre, qreal radius, qreal angle, QRgb petal_color) {
  p.save();
  p.translate(centre);
  p.rotate(angle);
  p.setPen(QPen(QColor(petal_color).darker(125), radius * 0.03));
  for (int i = 0; i < 5; ++i) {
    p.save();
    p.rotate(72.0 * i);
    QRadialGradient fill(QPointF(0, -radius * 0.2), radius);
    fill.setColorAt(0, QColor(QRgb(0xFFFFFF)));
    fill.setColorAt(0.55, QColor(petal_color).lighter(115));
    fill.setColorAt(1, QColor(petal_color));
    p.setBrush(fill);
    QPainterPath petal;
    petal.moveTo(0, 0);
    petal.cubicTo(-radius * 0.55, -radius * 0.35, -radius * 0.5, -radius, 0, -radius * 0.9);
    petal.cubicTo(radius * 0.5, -radius, radius * 0.55, -radius * 0.35, 0, 0);
    p.drawPath(petal);
    p.restore();
  }
  QRadialGradient heart(QPointF(0, 0), radius * 0.22);
  heart.setColorAt(0, QColor(QRgb(0xFFF2A8)));
  heart.setColorAt(1, QColor(QRgb(0xE8A317)));
  p.setPen(Qt::NoPen);
  p.setBrush(heart);
  p.drawEllipse(QPointF(0, 0), radius * 0.2, radius * 0.2);
  p.restore();
}

void DrawLeaf(QPainter& p, QPointF base, qreal length, qreal angle) {
  p.save();
  p.translate(base);
  p.rotate(angle);
  QLinearGradient fill(0, 0, length, 0);
  fill.setColorAt(0, QColor(QRgb(0x2F8F4E)));
  fill.setColorAt(1, QColor(QRgb(0x7BCB7E)));
  QPainterPath leaf;
  leaf.moveTo(0, 0);
  leaf.quadTo(length * 0.5, -length * 0.32, length, 0);
  leaf.quadTo(length * 0.5, length * 0.32, 0, 0);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(leaf);
  p.setPen(QPen(QColor(255, 255, 255, 110), length * 0.025));
  p.drawLine(QPointF(length * 0.05, 0), QPointF(length * 0.85, 0));
  p.restore();
}

// Blossoms and leaves gathered round a corner; `mirror` turns the bunch for the opposite one.
void DrawBouquet(QPainter& p, QPointF corner, qreal scale, qreal rotation, quint32 seed) {
  QRandomGenerator random(seed);
  p.save();
  p.translate(corner);
  p.rotate(rotation);
  p.scale(scale, scale);
  for (int i = 0; i < 9; ++i) {
    const qreal a = random.bounded(90.0);
    const qreal r = 90 + random.bounded(170.0);
    DrawLeaf(p, QPointF(r * 0.35 * qCos(qDegreesToRadians(a)), r * 0.35 * qSin(qDegreesToRadians(a))),
             70 + random.bounded(50.0), a - 20 + random.bounded(40.0));
  }
  const QRgb petals[] = {0xF78DA7, 0xFFB3C7, 0xF25C8A, 0xFFD1DC};
  const QPointF spots[] = {{40, 40}, {150, 45}, {45, 150}, {118, 118}, {235, 30}, {30, 235}, {200, 110}, {110, 200}};
  const qreal sizes[] = {62, 50, 50, 44, 34, 34, 28, 28};
  for (int i = 0; i < 8; ++i) {
    DrawBlossom(p, spots[i], sizes[i], random.bounded(72.0), petals[i % 4]);
  }
  p.restore();
}

QImage Blossoms() {
  QImage image = NewImage(kWidth, kHeight);
  // A faint pink glow round the edges.
  PaintFade(image, QColor(255, 214, 228, 150), [](int x, int y) { return EdgeFade(x, y, 140); });
  QPainter p(&image);
  Smooth(p);
  p.setPen(QPen(QColor(255, 255, 255, 210), 4));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(kScreen.adjusted(46, 46, -46, -46), 24, 24);
  // The full moon over the top right corner.
  QRadialGradient glow(QPointF(kWidth - 150, 140), 150);
  glow.setColorAt(0, QColor(255, 246, 200, 200));
  glow.setColorAt(0.45, QColor(255, 240, 190, 90));
  glow.setColorAt(1, QColor(255, 240, 190, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(kWidth - 150, 140), 150, 150);
  QRadialGradient moon(QPointF(kWidth - 165, 125), 70);
  moon.setColorAt(0, QColor(QRgb(0xFFFDF0)));
  moon.setColorAt(1, QColor(QRgb(0xFFE9A8)));
  p.setBrush(moon);
  p.drawEllipse(QPointF(kWidth - 150, 140), 62, 62);
  DrawBouquet(p, QPointF(0, 0), 1.25, 0, 5);
  DrawBouquet(p, QPointF(kWidth, kHeight), 1.25, 180, 9);
  DrawBouquet(p, QPointF(0, kHeight), 0.7, -90, 13);
  return image;
}

QImage StarryNight() {
  QImage image = NewImage(kWidth, kHeight);
  PaintFade(image, QColor(12, 20, 58, 235), [](int x, int y) { return EdgeFade(x, y, 200); });
  QPainter p(&image);
  Smooth(p);
  QRandomGenerator random(42);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 520; ++i) {
    const QPointF at(random.bounded(double(kWidth)), random.bounded(double(kHeight)));
    const qreal edge = EdgeDistance(int(at.x()), int(at.y()));
    if (edge > 140 + random.bounded(30.0)) continue;
    const int alpha = qRound(255 * SmoothStep(175, 60, edge));
    const qreal size = random.bounded(100) < 8 ? 7 + random.bounded(9.0) : 1 + random.bounded(2.2);
    const QColor tint = random.bounded(4) == 0 ? QColor(255, 236, 170, alpha) : QColor(235, 242, 255, alpha);
    if (size > 6) {
      QRadialGradient halo(at, size * 2.2);
      halo.setColorAt(0, QColor(tint.red(), tint.green(), tint.blue(), alpha / 3));
      halo.setColorAt(1, QColor(tint.red(), tint.green(), tint.blue(), 0));
      p.setBrush(halo);
      p.drawEllipse(at, size * 2.2, size * 2.2);
      p.setBrush(tint);
      p.drawPath(SparklePath(at, size));
    } else {
      p.setBrush(tint);
      p.drawEllipse(at, size / 2, size / 2);
    }
  }
  // A crescent moon.
  QPainterPath crescent;
  crescent.addEllipse(QPointF(kWidth - 140, 130), 56, 56);
  QPainterPath bite;
  bite.addEllipse(QPointF(kWidth - 116, 112), 50, 50);
  QRadialGradient moon(QPointF(kWidth - 160, 140), 70);
  moon.setColorAt(0, QColor(QRgb(0xFFF8DC)));
  moon.setColorAt(1, QColor(QRgb(0xFFD86B)));
  QRadialGradient glow(QPointF(kWidth - 150, 140), 130);
  glow.setColorAt(0, QColor(255, 230, 150, 70));
  glow.setColorAt(1, QColor(255, 230, 150, 0));
  p.setBrush(glow);
  p.drawEllipse(QPointF(kWidth - 150, 140), 130, 130);
  p.setBrush(moon);
  p.drawPath(crescent.subtracted(bite));
  return image;
}

QImage FilmStrip() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal band = 118;
  const qreal side = 22;
  const QColor film(QRgb(0x141414));
  p.setPen(Qt::NoPen);
  p.setBrush(film);
  p.drawRect(QRectF(0, 0, kWidth, band));
  p.drawRect(QRectF(0, kHeight - band, kWidth, band));
  p.drawRect(QRectF(0, band, side, kHeight - 2 * band));
  p.drawRect(QRectF(kWidth - side, band, side, kHeight - 2 * band));
  DrawInnerShadow(p, kScreen.adjusted(side, band, -side, -band), 8, 90);
  // Sprocket holes let the light through.
  const qreal pitch = 64;
  for (qreal x = 18; x < kWidth; x += pitch) {
    for (const qreal y : {22.0, kHeight - 22.0 - 30}) {
      p.setBrush(QColor(250, 248, 240, 215));
      p.drawRoundedRect(QRectF(x, y, 40, 30), 5, 5);
    }
  }
  // Edge print: frame numbers and marks in the film's amber.
  const QColor amber(255, 170, 40, 220);
  p.setBrush(amber);
  const QFont print = UiFont(20, QFont::Bold);
  for (int i = 0; i < 6; ++i) {
    const qreal x = 150 + i * 300;
    const QString number = QString::number(12 + i);
    p.drawPath(TextPath(number, print, QRectF(x, 68, 80, 30), Qt::AlignLeft | Qt::AlignVCenter));
    p.drawPath(TextPath(number + QStringLiteral("A"), print, QRectF(x, kHeight - 98, 80, 30),
                        Qt::AlignLeft | Qt::AlignVCenter));
    const QPainterPath arrow = PolygonPath({{x + 50, 76}, {x + 64, 83}, {x + 50, 90}});
    p.drawPath(arrow);
  }
  p.drawPath(TextPath(QStringLiteral("PIVLO 400"), print, QRectF(kWidth - 260, kHeight - 98, 220, 30),
                      Qt::AlignRight | Qt::AlignVCenter));
  return image;
}

QImage InstantPhoto() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal border = 64;
  const qreal chin = 210;
  const QRectF opening(border, border, kWidth - 2 * border, kHeight - border - chin);
  QPainterPath paper;
  paper.addRect(kScreen);
  paper.addRect(opening);
  QLinearGradient fill(0, 0, kWidth, kHeight);
  fill.setColorAt(0, QColor(QRgb(0xFCFBF7)));
  fill.setColorAt(1, QColor(QRgb(0xEFECE4)));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(paper);
  DrawInnerShadow(p, opening, 12, 100);
  // A strip of washi tape holding the photo up.
  p.save();
  p.translate(kWidth / 2.0, 22);
  p.rotate(-4);
  const QRectF tape(-150, -26, 300, 58);
  p.setBrush(QColor(255, 214, 120, 170));
  p.drawRect(tape);
  p.setClipRect(tape);
  p.setBrush(QColor(255, 255, 255, 70));
  for (qreal x = -170; x < 170; x += 28) {
    const QPainterPath stripe = PolygonPath({{x, 32}, {x + 12, 32}, {x + 42, -26}, {x + 30, -26}});
    p.drawPath(stripe);
  }
  p.restore();
  // A note written on the chin.
  p.setBrush(QColor(QRgb(0x5A6B8C)));
  p.drawPath(TextPath(QStringLiteral("美好时光"), UiFont(54), QRectF(0, kHeight - chin, kWidth - 150, chin),
                      Qt::AlignRight | Qt::AlignVCenter));
  p.setBrush(QColor(QRgb(0xF25C7A)));
  p.drawPath(HeartPath(56).translated(kWidth - 110, kHeight - chin / 2));
  return image;
}

QImage Vignette() {
  QImage image = NewImage(kWidth, kHeight);
  PaintFade(image, QColor(20, 12, 6, 210), [](int x, int y) {
    const qreal dx = (x - kWidth / 2.0) / (kWidth / 2.0);
    const qreal dy = (y - kHeight / 2.0) / (kHeight / 2.0);
    return SmoothStep(0.68, 1.35, qSqrt(dx * dx + dy * dy));
  });
  return image;
}

QImage Hearts() {
  QImage image = NewImage(kWidth, kHeight);
  PaintFade(image, QColor(255, 190, 210, 130), [](int x, int y) { return EdgeFade(x, y, 120); });
  QPainter p(&image);
  Smooth(p);
  QRandomGenerator random(7);
  const QRgb colours[] = {0xFF4D6D, 0xFF7A93, 0xE8325A, 0xFFA3B5, 0xFF6F91};
  p.setPen(Qt::NoPen);
  int placed = 0;
  while (placed < 150) {
    const QPointF at(random.bounded(double(kWidth)), random.bounded(double(kHeight)));
    const qreal edge = EdgeDistance(int(at.x()), int(at.y()));
    if (edge > 150) continue;
    ++placed;
    const qreal size = edge < 60 ? 34 + random.bounded(46.0) : 16 + random.bounded(26.0);
    p.save();
    p.translate(at);
    p.rotate(-25 + random.bounded(50.0));
    const QColor base(colours[random.bounded(5)]);
    QRadialGradient fill(QPointF(-size * 0.2, -size * 0.3), size);
    fill.setColorAt(0, base.lighter(135));
    fill.setColorAt(1, base);
    const int alpha = qRound(255 * (0.55 + 0.45 * SmoothStep(150, 30, edge)));
    p.setOpacity(alpha / 255.0);
    p.setBrush(fill);
    p.drawPath(HeartPath(size));
    p.restore();
  }
  return image;
}

// The test frame "测试用相框", offered when no frame package is found: plain and light.
QImage TestFrame() {
  QImage image = NewImage(kWidth, kHeight);
  QPainter p(&image);
  Smooth(p);
  const qreal w = 28;
  DrawMoulding(p, kScreen, w,
               {{0.0, QColor(QRgb(0x8C96A8))}, {0.25, QColor(QRgb(0xF4F6FA))}, {0.6, QColor(QRgb(0xD5DBE5))},
                {1.0, QColor(QRgb(0x7A8496))}});
  p.setPen(QPen(QColor(255, 255, 255, 200), 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(kScreen.adjusted(w + 22, w + 22, -w - 22, -w - 22));
  // Corner brackets.
  p.setPen(RoundPen(QColor(255, 255, 255, 235), 6));
  const qreal in = w + 40;
  const qreal arm = 70;
  for (const QPointF c : {QPointF(in, in), QPointF(kWidth - in, in), QPointF(kWidth - in, kHeight - in),
                          QPointF(in, kHeight - in)}) {
    const qreal dx = c.x() < kWidth / 2 ? arm : -arm;
    const qreal dy = c.y() < kHeight / 2 ? arm : -arm;
    p.drawPolyline(QPolygonF({c + QPointF(0, dy), c, c + QPointF(dx, 0)}));
  }
  return image;
}

}  // namespace

void AddFrames(QList<Asset>& assets) {
  assets.append({QStringLiteral("TESTFRAME.PNG"), TestFrame});
  assets.append({QStringLiteral("frame-golden.png"), Golden});
  assets.append({QStringLiteral("frame-walnut.png"), Walnut});
  assets.append({QStringLiteral("frame-gallery.png"), Gallery});
  assets.append({QStringLiteral("frame-chinese-red.png"), ChineseRed});
  assets.append({QStringLiteral("frame-blossoms.png"), Blossoms});
  assets.append({QStringLiteral("frame-starry-night.png"), StarryNight});
  assets.append({QStringLiteral("frame-film.png"), FilmStrip});
  assets.append({QStringLiteral("frame-instant-photo.png"), InstantPhoto});
  assets.append({QStringLiteral("frame-vignette.png"), Vignette});
  assets.append({QStringLiteral("frame-hearts.png"), Hearts});
}

}  // namespace pivlo::assets
