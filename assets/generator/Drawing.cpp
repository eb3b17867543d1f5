#include "Drawing.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

namespace pivlo::assets {

QImage NewImage(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
}

QPen RoundPen(const QColor& color, qreal width) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QFont UiFont(qreal pixel_size, QFont::Weight weight) {
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPixelSize(qRound(pixel_size));
  font.setWeight(weight);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

void DrawSoftShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int spread, int alpha) {
  painter.save();
  painter.setPen(Qt::NoPen);
  for (int i = spread; i >= 1; --i) {
    QPainterPathStroker stroker;
    stroker.setWidth(2.0 * i);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath grown = stroker.createStroke(shape).united(shape);
    painter.setBrush(QColor(0, 0, 0, alpha / (spread + 1)));
    painter.drawPath(grown.translated(offset));
  }
  painter.restore();
}

QPainterPath PolygonPath(const QPolygonF& points) {
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  return path;
}

QPainterPath HeartPath(qreal size) {
  QPainterPath heart;
  heart.moveTo(0, size * 0.38);
  heart.cubicTo(-size * 0.12, size * 0.28, -size * 0.56, size * 0.02, -size * 0.56, -size * 0.28);
  heart.cubicTo(-size * 0.56, -size * 0.56, -size * 0.18, -size * 0.66, 0, -size * 0.36);
  heart.cubicTo(size * 0.18, -size * 0.66, size * 0.56, -size * 0.56, size * 0.56, -size * 0.28);
  heart.cubicTo(size * 0.56, size * 0.02, size * 0.12, size * 0.28, 0, size * 0.38);
  heart.closeSubpath();
  return heart;
}

QPainterPath SparklePath(QPointF centre, qreal radius) {
  const qreal waist = radius * 0.22;
  QPainterPath path;
  path.moveTo(centre.x(), centre.y() - radius);
  path.quadTo(centre.x() + waist, centre.y() - waist, centre.x() + radius, centre.y());
  path.quadTo(centre.x() + waist, centre.y() + waist, centre.x(), centre.y() + radius);
  path.quadTo(centre.x() - waist, centre.y() + waist, centre.x() - radius, centre.y());
  path.quadTo(centre.x() - waist, centre.y() - waist, centre.x(), centre.y() - radius);
  path.closeSubpath();
  return path;
}

void DrawBrandMark(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.translate(box.topLeft());
  painter.scale(box.width() / 100.0, box.height() / 100.0);

  QPainterPath tile;
  tile.addRoundedRect(QRectF(4, 4, 92, 92), 22, 22);
  DrawSoftShadow(painter, tile, QPointF(0, 2), 3, 70);
  QLinearGradient tile_fill(0, 4, 0, 96);
  tile_fill.setColorAt(0, QColor(QRgb(0x5B8CFF)));
  tile_fill.setColorAt(1, QColor(QRgb(0x7A3FE0)));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile_fill);
  painter.drawPath(tile);
  QLinearGradient gloss(0, 4, 0, 50);
  gloss.setColorAt(0, QColor(255, 255, 255, 70));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  painter.setBrush(gloss);
  painter.drawRoundedRect(QRectF(4, 4, 92, 46), 22, 22);

  // The screen with a landscape: a show of photographs.
  const QRectF screen(20, 24, 60, 40);
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawRoundedRect(screen, 6, 6);
  painter.save();
  QPainterPath inner;
  inner.addRoundedRect(screen.adjusted(4, 4, -4, -4), 3, 3);
  painter.setClipPath(inner);
  QLinearGradient sky(0, 28, 0, 60);
  sky.setColorAt(0, QColor(QRgb(0x8EC5FF)));
  sky.setColorAt(1, QColor(QRgb(0xD9ECFF)));
  painter.fillRect(screen, sky);
  painter.setBrush(QColor(QRgb(0xFFC53D)));
  painter.drawEllipse(QPointF(63, 37), 5, 5);
  const QPainterPath hills =
      PolygonPath({{20, 60}, {36, 41}, {47, 52}, {56, 45}, {80, 62}, {80, 64}, {20, 64}});
  QLinearGradient green(0, 40, 0, 62);
  green.setColorAt(0, QColor(QRgb(0x3CC58A)));
  green.setColorAt(1, QColor(QRgb(0x16885A)));
  painter.setBrush(green);
  painter.drawPath(hills);
  painter.restore();
  // The stand.
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawRoundedRect(QRectF(45, 64, 10, 8), 1, 1);
  painter.drawRoundedRect(QRectF(34, 71, 32, 6), 3, 3);
  // The sparkle of a finished show.
  painter.setBrush(QColor(QRgb(0xFFE58F)));
  painter.drawPath(SparklePath(QPointF(78, 22), 12));
  painter.restore();
}

QPainterPath TextPath(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment align) {
  const QFontMetricsF metrics(font);
  const qreal width = metrics.horizontalAdvance(text);
  qreal x = box.left();
  if (align & Qt::AlignHCenter) x = box.center().x() - width / 2;
  if (align & Qt::AlignRight) x = box.right() - width;
  qreal baseline = box.top() + metrics.ascent();
  if (align & Qt::AlignVCenter) baseline = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
  if (align & Qt::AlignBottom) baseline = box.bottom() - metrics.descent();
  QPainterPath path;
  path.addText(QPointF(x, baseline), font, text);
  return path;
}

}  // namespace pivlo::assets
