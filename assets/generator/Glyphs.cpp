#include "Glyphs.h"

#include "Drawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace pivlo::assets {
namespace {

constexpr qreal kStroke = 1.8;

void Outline(QPainter& p, const GlyphStyle& s, qreal width = kStroke) {
  p.setPen(RoundPen(s.line, width));
  p.setBrush(s.fill);
}

void Solid(QPainter& p, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
}

void Stroke(QPainter& p, const QColor& color, qreal width = kStroke) {
  p.setPen(RoundPen(color, width));
  p.setBrush(Qt::NoBrush);
}

// A thick arrow pointing up, centred in the box.
QPainterPath UpArrowPath() {
  return PolygonPath({{12, 3.5}, {19.5, 11}, {14.6, 11}, {14.6, 20.5}, {9.4, 20.5}, {9.4, 11}, {4.5, 11}});
}

// A bold capital A standing on y = 17.
QPainterPath LetterAPath() {
  QPainterPath a = PolygonPath({{10.6, 2.5}, {13.4, 2.5}, {19.5, 17}, {16.6, 17}, {15.1, 13.2}, {8.9, 13.2},
                                {7.4, 17}, {4.5, 17}});
  a.addPolygon(QPolygonF({{12, 5.6}, {9.8, 10.9}, {14.2, 10.9}}));
  a.closeSubpath();
  return a;
}

void Screen(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawRoundedRect(QRectF(2.5, 3.5, 19, 13.5), 2, 2);
  Stroke(p, s.line);
  p.drawLine(QPointF(12, 17), QPointF(12, 20.5));
  p.drawLine(QPointF(8, 20.5), QPointF(16, 20.5));
}

void CheckRows(QPainter& p, const GlyphStyle& s, bool checked) {
  for (const qreal y : {3.0, 9.5, 16.0}) {
    Outline(p, s, 1.4);
    p.drawRoundedRect(QRectF(3, y, 5.5, 5.5), 1.2, 1.2);
    Stroke(p, s.line, 1.6);
    p.drawLine(QPointF(11.5, y + 2.75), QPointF(21, y + 2.75));
    if (checked) {
      Stroke(p, s.accent, 1.8);
      QPainterPath tick;
      tick.moveTo(4.3, y + 2.9);
      tick.lineTo(5.6, y + 4.1);
      tick.lineTo(8.6, y + 0.6);
      p.drawPath(tick);
    }
  }
}

}  // namespace

namespace glyph {

void Picture(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawRoundedRect(QRectF(3, 4.5, 18, 15), 2.2, 2.2);
  Solid(p, s.accent);
  p.drawEllipse(QPointF(15.8, 9.2), 1.9, 1.9);
  Solid(p, s.line);
  const QPainterPath hills = PolygonPath({{4.6, 17.9}, {9.6, 11.6}, {13, 15.2}, {15.2, 13}, {19.4, 17.9}});
  p.drawPath(hills);
}

void Note(QPainter& p, const GlyphStyle& s) {
  Solid(p, s.line);
  for (const QPointF head : {QPointF(7, 18), QPointF(16.5, 16)}) {
    p.save();
    p.translate(head);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 3.2, 2.4);
    p.restore();
  }
  Stroke(p, s.line, 1.7);
  p.drawLine(QPointF(9.9, 17), QPointF(9.9, 6.2));
  p.drawLine(QPointF(19.4, 15), QPointF(19.4, 4.2));
  Solid(p, s.line);
  const QPainterPath beam = PolygonPath({{9.05, 5.6}, {20.25, 3.2}, {20.25, 6.6}, {9.05, 9}});
  p.drawPath(beam);
}

void Folder(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  QPainterPath path;
  path.moveTo(2.5, 6.5);
  path.quadTo(2.5, 4.5, 4.5, 4.5);
  path.lineTo(8.8, 4.5);
  path.lineTo(10.8, 6.8);
  path.lineTo(19.5, 6.8);
  path.quadTo(21.5, 6.8, 21.5, 8.8);
  path.lineTo(21.5, 17.5);
  path.quadTo(21.5, 19.5, 19.5, 19.5);
  path.lineTo(4.5, 19.5);
  path.quadTo(2.5, 19.5, 2.5, 17.5);
  path.closeSubpath();
  p.drawPath(path);
  Stroke(p, s.line, 1.2);
  p.drawLine(QPointF(3, 9.8), QPointF(21, 9.8));
}

void FolderOpen(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  QPainterPath back;
  back.moveTo(2.5, 18.5);
  back.lineTo(2.5, 6);
  back.quadTo(2.5, 4.5, 4, 4.5);
  back.lineTo(8.8, 4.5);
  back.lineTo(10.8, 6.8);
  back.lineTo(17.5, 6.8);
  back.quadTo(19, 6.8, 19, 8.3);
  back.lineTo(19, 10);
  p.drawPath(back);
  const QPainterPath front = PolygonPath({{2.5, 19.5}, {6.3, 10.5}, {22, 10.5}, {18.2, 19.5}});
  p.setBrush(s.accent);
  p.drawPath(front);
}

void ArrowUp(QPainter& p, const GlyphStyle& s) {
  p.setPen(RoundPen(s.accent, 1.2));
  p.setBrush(s.accent);
  p.drawPath(UpArrowPath());
}

void ArrowDown(QPainter& p, const GlyphStyle& s) {
  p.save();
  p.translate(12, 12);
  p.rotate(180);
  p.translate(-12, -12);
  ArrowUp(p, s);
  p.restore();
}

void Trash(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  QPainterPath body;
  body.moveTo(5.8, 7.5);
  body.lineTo(7, 20);
  body.quadTo(7.1, 21, 8.1, 21);
  body.lineTo(15.9, 21);
  body.quadTo(16.9, 21, 17, 20);
  body.lineTo(18.2, 7.5);
  p.drawPath(body);
  Stroke(p, s.line);
  p.drawLine(QPointF(3.8, 6.5), QPointF(20.2, 6.5));
  QPainterPath handle;
  handle.moveTo(9.5, 6.5);
  handle.lineTo(9.5, 4);
  handle.lineTo(14.5, 4);
  handle.lineTo(14.5, 6.5);
  p.drawPath(handle);
  Stroke(p, s.line, 1.4);
  p.drawLine(QPointF(10, 10.5), QPointF(10.3, 17.5));
  p.drawLine(QPointF(14, 10.5), QPointF(13.7, 17.5));
}

void Expand(QPainter& p, const GlyphStyle& s) {
  Outline(p, s, 1.2);
  p.drawRoundedRect(QRectF(6.5, 6.5, 11, 11), 1.5, 1.5);
  Stroke(p, s.accent, 2);
  const QPointF corners[] = {{3, 3}, {21, 3}, {21, 21}, {3, 21}};
  for (const QPointF c : corners) {
    const qreal dx = c.x() < 12 ? 1 : -1;
    const qreal dy = c.y() < 12 ? 1 : -1;
    QPainterPath bracket;
    bracket.moveTo(c.x(), c.y() + 5 * dy);
    bracket.lineTo(c);
    bracket.lineTo(c.x() + 5 * dx, c.y());
    p.drawPath(bracket);
    p.drawLine(c, QPointF(c.x() + 4 * dx, c.y() + 4 * dy));
  }
}

void Font(QPainter& p, const GlyphStyle& s) {
  Solid(p, s.line);
  p.drawPath(LetterAPath());
  QLinearGradient colours(3, 0, 21, 0);
  colours.setColorAt(0.0, QColor(QRgb(0xFF4D4F)));
  colours.setColorAt(0.35, QColor(QRgb(0xFFC53D)));
  colours.setColorAt(0.65, QColor(QRgb(0x52C41A)));
  colours.setColorAt(1.0, QColor(QRgb(0x2F7CF6)));
  p.setBrush(colours);
  p.drawRoundedRect(QRectF(3, 19, 18, 3), 1.5, 1.5);
}

void CheckAll(QPainter& p, const GlyphStyle& s) { CheckRows(p, s, true); }

void UncheckAll(QPainter& p, const GlyphStyle& s) { CheckRows(p, s, false); }

void Clock(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawEllipse(QPointF(12, 12), 9, 9);
  Stroke(p, s.line, 1.2);
  for (int i = 0; i < 12; i += 3) {
    const qreal a = qDegreesToRadians(i * 30.0);
    p.drawLine(QPointF(12 + 7.2 * qSin(a), 12 - 7.2 * qCos(a)), QPointF(12 + 6 * qSin(a), 12 - 6 * qCos(a)));
  }
  Stroke(p, s.accent, 2);
  p.drawLine(QPointF(12, 12), QPointF(12, 6.5));
  p.drawLine(QPointF(12, 12), QPointF(15.8, 14.2));
  Solid(p, s.line);
  p.drawEllipse(QPointF(12, 12), 1.3, 1.3);
}

void CopyToAll(QPainter& p, const GlyphStyle& s) {
  Outline(p, s, 1.5);
  p.drawRoundedRect(QRectF(9.5, 2.5, 11.5, 14), 1.5, 1.5);
  p.drawRoundedRect(QRectF(6.2, 5, 11.5, 14), 1.5, 1.5);
  p.drawRoundedRect(QRectF(3, 7.5, 11.5, 14), 1.5, 1.5);
  Stroke(p, s.line, 1.4);
  for (const qreal y : {11.5, 14.5, 17.5}) p.drawLine(QPointF(5.5, y), QPointF(y < 17 ? 12 : 10, y));
}

void PictureFrame(QPainter& p, const GlyphStyle& s) {
  Outline(p, s, 1.6);
  QPainterPath ring;
  ring.addRoundedRect(QRectF(2.5, 3.5, 19, 17), 1.8, 1.8);
  ring.addRect(QRectF(6.5, 7.5, 11, 9));
  p.drawPath(ring);
  // A chequered inside: the frame's middle is transparent.
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      p.setBrush((row + col) % 2 ? QColor(255, 255, 255, 230) : QColor(190, 198, 210, 230));
      p.drawRect(QRectF(6.5 + col * 2.75, 7.5 + row * 3, 2.75, 3));
    }
  }
  Stroke(p, s.line, 1.2);
  p.drawRect(QRectF(6.5, 7.5, 11, 9));
  Solid(p, s.accent);
  for (const QPointF c : {QPointF(4.5, 5.5), QPointF(19.5, 5.5), QPointF(4.5, 18.5), QPointF(19.5, 18.5)}) {
    p.drawEllipse(c, 1.1, 1.1);
  }
}

void MonitorSparkle(QPainter& p, const GlyphStyle& s) {
  Screen(p, s);
  Solid(p, s.accent);
  p.drawPath(SparklePath(QPointF(12, 10.2), 4.8));
  p.drawPath(SparklePath(QPointF(17.3, 6.6), 1.8));
}

void MonitorPlay(QPainter& p, const GlyphStyle& s) {
  Screen(p, s);
  Solid(p, s.accent);
  const QPainterPath play = PolygonPath({{10, 6.7}, {15.6, 10.25}, {10, 13.8}});
  p.setPen(RoundPen(s.accent, 1.4));
  p.drawPath(play);
}

void Palette(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  QPainterPath palette;
  palette.moveTo(12, 2.8);
  palette.cubicTo(17.8, 2.8, 21.4, 6.6, 21.4, 11.2);
  palette.cubicTo(21.4, 14.8, 18.8, 15.4, 16.6, 15);
  palette.cubicTo(14.6, 14.6, 13.4, 16, 14.4, 17.8);
  palette.cubicTo(15.4, 19.8, 14, 21.2, 11.6, 21.2);
  palette.cubicTo(6.4, 21.2, 2.6, 17, 2.6, 12);
  palette.cubicTo(2.6, 6.8, 6.6, 2.8, 12, 2.8);
  palette.closeSubpath();
  p.drawPath(palette);
  const QPointF dots[] = {{7.2, 13.6}, {7.6, 8.6}, {11.8, 6.4}, {16.4, 8.2}};
  const QRgb colours[] = {0xFF4D4F, 0xFFC53D, 0x52C41A, 0x2F7CF6};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(QColor(colours[i]));
    p.drawEllipse(dots[i], 1.9, 1.9);
  }
}

void StaticText(QPainter& p, const GlyphStyle& s) {
  Stroke(p, s.line, 2.6);
  p.drawLine(QPointF(4, 4.5), QPointF(14, 4.5));
  p.drawLine(QPointF(9, 4.5), QPointF(9, 15));
  Stroke(p, s.accent, 1.9);
  p.drawLine(QPointF(16.5, 9.5), QPointF(20.5, 9.5));
  p.drawLine(QPointF(13.5, 14.5), QPointF(20.5, 14.5));
  p.drawLine(QPointF(3.5, 19.5), QPointF(20.5, 19.5));
}

void MovingText(QPainter& p, const GlyphStyle& s) {
  p.save();
  p.translate(4.2, 0.9);
  p.scale(0.8, 1.12);
  Solid(p, s.line);
  p.drawPath(LetterAPath());
  p.restore();
  Stroke(p, s.accent, 1.6);
  p.drawLine(QPointF(1.5, 9), QPointF(6.5, 9));
  p.drawLine(QPointF(0.8, 13), QPointF(5, 13));
  p.drawLine(QPointF(1.5, 17), QPointF(4.4, 17));
  Solid(p, s.accent);
  p.drawPath(SparklePath(QPointF(20.2, 4.2), 3));
}

void Transition(QPainter& p, const GlyphStyle& s) {
  // One slide turning into the next.
  Outline(p, s, 1.5);
  p.drawRoundedRect(QRectF(10, 3, 11.5, 9.5), 1.5, 1.5);
  p.setBrush(s.line);
  p.drawRoundedRect(QRectF(2.5, 11.5, 11.5, 9.5), 1.5, 1.5);
  Stroke(p, s.accent, 1.9);
  QPainterPath curve;
  curve.moveTo(4.6, 9);
  curve.quadTo(4.6, 5.2, 7.6, 5.2);
  p.drawPath(curve);
  Solid(p, s.accent);
  const QPainterPath head = PolygonPath({{7.2, 2.4}, {10.4, 5.2}, {7.2, 8}});
  p.drawPath(head);
  Stroke(p, s.accent, 1.9);
  QPainterPath back;
  back.moveTo(19.4, 15);
  back.quadTo(19.4, 18.8, 16.4, 18.8);
  p.drawPath(back);
  Solid(p, s.accent);
  const QPainterPath tail = PolygonPath({{16.8, 16}, {13.6, 18.8}, {16.8, 21.6}});
  p.drawPath(tail);
}

void Microphone(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawRoundedRect(QRectF(8.8, 2.5, 6.4, 11.5), 3.2, 3.2);
  Stroke(p, s.line);
  QPainterPath holder;
  holder.moveTo(5.8, 10.5);
  holder.cubicTo(5.8, 18.5, 18.2, 18.5, 18.2, 10.5);
  p.drawPath(holder);
  p.drawLine(QPointF(12, 16.6), QPointF(12, 20.8));
  p.drawLine(QPointF(8.5, 20.8), QPointF(15.5, 20.8));
  Stroke(p, s.accent, 1.2);
  p.drawLine(QPointF(10.6, 6.2), QPointF(13.4, 6.2));
  p.drawLine(QPointF(10.6, 9), QPointF(13.4, 9));
}

void Clapper(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawRoundedRect(QRectF(3, 10, 18, 10.5), 1.5, 1.5);
  // The hinged top, striped, lifted a little.
  p.save();
  p.translate(3.4, 9.4);
  p.rotate(-14);
  QPainterPath bar;
  bar.addRoundedRect(QRectF(0, -4.2, 18.2, 4.2), 1, 1);
  p.setPen(RoundPen(s.line, 1.4));
  p.setBrush(s.fill);
  p.drawPath(bar);
  p.setClipPath(bar);
  Solid(p, s.line);
  for (qreal x = 1; x < 19; x += 5) {
    const QPainterPath stripe = PolygonPath({{x, 0}, {x + 2.4, -4.2}, {x + 4.8, -4.2}, {x + 2.4, 0}});
    p.drawPath(stripe);
  }
  p.restore();
  Stroke(p, s.accent, 1.6);
  p.drawLine(QPointF(6.5, 14), QPointF(17.5, 14));
  p.drawLine(QPointF(6.5, 17), QPointF(13, 17));
}

void Info(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  p.drawEllipse(QPointF(12, 12), 9.2, 9.2);
  Solid(p, s.accent);
  p.drawEllipse(QPointF(12, 7.3), 1.5, 1.5);
  Stroke(p, s.accent, 2.4);
  p.drawLine(QPointF(12, 10.8), QPointF(12, 16.8));
}

void Gear(QPainter& p, const GlyphStyle& s) {
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    const qreal a = qDegreesToRadians(i * 360.0 / (teeth * 4) - 360.0 / (teeth * 8));
    const qreal r = (i % 4 == 0 || i % 4 == 1) ? 9.6 : 7.3;
    const QPointF point(12 + r * qCos(a), 12 + r * qSin(a));
    if (i == 0) {
      gear.moveTo(point);
    } else {
      gear.lineTo(point);
    }
  }
  gear.closeSubpath();
  gear.addEllipse(QPointF(12, 12), 3.3, 3.3);
  p.setPen(RoundPen(s.line, 1.3));
  p.setBrush(s.fill);
  p.drawPath(gear);
  Stroke(p, s.accent, 1.3);
  p.drawEllipse(QPointF(12, 12), 5.3, 5.3);
}

void Floppy(QPainter& p, const GlyphStyle& s) {
  Outline(p, s);
  QPainterPath body;
  body.moveTo(3, 4.8);
  body.quadTo(3, 3, 4.8, 3);
  body.lineTo(16.8, 3);
  body.lineTo(21, 7.2);
  body.lineTo(21, 19.2);
  body.quadTo(21, 21, 19.2, 21);
  body.lineTo(4.8, 21);
  body.quadTo(3, 21, 3, 19.2);
  body.closeSubpath();
  p.drawPath(body);
  Solid(p, s.line);
  p.drawRoundedRect(QRectF(7, 3, 8.5, 5.5), 0.8, 0.8);
  p.setBrush(s.accent);
  p.drawRoundedRect(QRectF(6.5, 12.5, 11, 8.5), 1, 1);
  Stroke(p, s.line, 1);
  p.drawLine(QPointF(8.5, 15.3), QPointF(15.5, 15.3));
  p.drawLine(QPointF(8.5, 18), QPointF(15.5, 18));
}

}  // namespace glyph

void DrawBadge(QPainter& p, Badge badge, const QColor& color) {
  if (badge == Badge::None) return;
  const QPointF c(18.6, 18.6);
  p.setPen(QPen(Qt::white, 1.4));
  p.setBrush(color);
  p.drawEllipse(c, 5.4, 5.4);
  const QPen sign = RoundPen(Qt::white, 1.8);
  p.setPen(sign);
  p.setBrush(Qt::NoBrush);
  switch (badge) {
    case Badge::Add:
      p.drawLine(QPointF(c.x() - 2.6, c.y()), QPointF(c.x() + 2.6, c.y()));
      p.drawLine(QPointF(c.x(), c.y() - 2.6), QPointF(c.x(), c.y() + 2.6));
      break;
    case Badge::Remove:
      p.drawLine(QPointF(c.x() - 2.6, c.y()), QPointF(c.x() + 2.6, c.y()));
      break;
    case Badge::Check: {
      QPainterPath tick;
      tick.moveTo(c.x() - 2.5, c.y() + 0.1);
      tick.lineTo(c.x() - 0.7, c.y() + 1.9);
      tick.lineTo(c.x() + 2.6, c.y() - 1.8);
      p.drawPath(tick);
      break;
    }
    case Badge::Folder:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawPath(PolygonPath({{-3, -2.2}, {-0.8, -2.2}, {0.2, -1.2}, {3, -1.2}, {3, 2.4}, {-3, 2.4}}).translated(c));
      break;
    case Badge::Search:
      p.setPen(RoundPen(Qt::white, 1.4));
      p.drawEllipse(QPointF(c.x() - 0.7, c.y() - 0.7), 2, 2);
      p.drawLine(QPointF(c.x() + 0.8, c.y() + 0.8), QPointF(c.x() + 2.6, c.y() + 2.6));
      break;
    case Badge::None:
      break;
  }
}

}  // namespace pivlo::assets
