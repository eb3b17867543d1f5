// The banner of the main window, the pictures of the about box and the finish dialog,
// and the rainbow texture that fills text and tests the graphics runtime.

#include "Assets.h"
#include "Drawing.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

namespace pivlo::assets {
namespace {

const QString kProduct = QStringLiteral("Pivlo");
const QString kTagline = QStringLiteral("图片屏保制作工具");

// A small photograph lying at an angle: white border, sky, hills, sun.
void DrawPhotoCard(QPainter& p, QPointF centre, qreal angle, QRgb sky, QRgb hills) {
  p.save();
  p.translate(centre);
  p.rotate(angle);
  QPainterPath card;
  card.addRoundedRect(QRectF(-26, -20, 52, 40), 2, 2);
  DrawSoftShadow(p, card, QPointF(1, 2), 3, 90);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255));
  p.drawPath(card);
  const QRectF photo(-22, -16, 44, 28);
  p.setClipRect(photo);
  QLinearGradient sky_fill(0, -16, 0, 12);
  sky_fill.setColorAt(0, QColor(sky));
  sky_fill.setColorAt(1, QColor(sky).lighter(135));
  p.fillRect(photo, sky_fill);
  p.setBrush(QColor(QRgb(0xFFD36B)));
  p.drawEllipse(QPointF(10, -7), 4, 4);
  const QPainterPath hill = PolygonPath({{-22, 12}, {-10, -3}, {-1, 5}, {7, -1}, {22, 12}});
  p.setBrush(QColor(hills));
  p.drawPath(hill);
  p.restore();
}

// Soft circles of light scattered over a dark background.
void DrawBokeh(QPainter& p, const QRectF& area, int count, quint32 seed) {
  QRandomGenerator random(seed);
  p.save();
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF c(area.left() + random.bounded(area.width()), area.top() + random.bounded(area.height()));
    const qreal r = 6 + random.bounded(22.0);
    QRadialGradient glow(c, r);
    glow.setColorAt(0, QColor(255, 255, 255, 20 + random.bounded(30)));
    glow.setColorAt(0.7, QColor(255, 255, 255, 12));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(glow);
    p.drawEllipse(c, r, r);
  }
  p.restore();
}

QImage DrawBanner() {
  const int w = 720;
  const int h = 72;
  QImage image = NewImage(w, h);
  QPainter p(&image);
  Smooth(p);
  QLinearGradient background(0, 0, w, h);
  background.setColorAt(0, QColor(QRgb(0x1D3F8F)));
  background.setColorAt(0.55, QColor(QRgb(0x4B3FB8)));
  background.setColorAt(1, QColor(QRgb(0x8E44AD)));
  p.fillRect(image.rect(), background);
  DrawBokeh(p, QRectF(200, -10, 520, 90), 18, 7);
  // A faint light across the banner.
  QLinearGradient sheen(0, 0, 0, h);
  sheen.setColorAt(0, QColor(255, 255, 255, 40));
  sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
  p.fillRect(image.rect(), sheen);

  DrawBrandMark(p, QRectF(12, 6, 60, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(TextPath(kProduct, UiFont(32, QFont::Bold), QRectF(84, 6, 200, 40), Qt::AlignLeft | Qt::AlignVCenter));
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawPath(TextPath(kTagline, UiFont(15), QRectF(86, 42, 240, 22), Qt::AlignLeft | Qt::AlignVCenter));

  DrawPhotoCard(p, QPointF(404, 37), -9, 0x6FB6FF, 0x2E9E6B);
  DrawPhotoCard(p, QPointF(458, 34), 5, 0xFF9F6E, 0x8A4FBF);
  DrawPhotoCard(p, QPointF(512, 38), -3, 0x5FD0E0, 0x1F7A8C);

  p.setBrush(QColor(255, 255, 255, 190));
  p.drawPath(TextPath(QStringLiteral("Copyright © Pivlo 开发组"), UiFont(12), QRectF(500, 48, 208, 20),
                      Qt::AlignRight | Qt::AlignVCenter));
  return image;
}

QImage DrawLogo() {
  const int w = 320;
  const int h = 150;
  QImage image = NewImage(w, h);
  QPainter p(&image);
  Smooth(p);
  QLinearGradient background(0, 0, 0, h);
  background.setColorAt(0, QColor(QRgb(0xFFFFFF)));
  background.setColorAt(1, QColor(QRgb(0xE9EFFC)));
  p.fillRect(image.rect(), background);
  DrawBrandMark(p, QRectF(18, 23, 104, 104));
  p.setPen(Qt::NoPen);
  QLinearGradient ink(0, 40, 0, 90);
  ink.setColorAt(0, QColor(QRgb(0x2D4BA0)));
  ink.setColorAt(1, QColor(QRgb(0x5B3CC4)));
  p.setBrush(ink);
  p.drawPath(TextPath(kProduct, UiFont(46, QFont::Bold), QRectF(136, 34, 180, 56), Qt::AlignLeft | Qt::AlignVCenter));
  p.setBrush(QColor(QRgb(0x56627A)));
  p.drawPath(TextPath(kTagline, UiFont(17), QRectF(139, 88, 180, 26), Qt::AlignLeft | Qt::AlignVCenter));
  return image;
}

QImage DrawCoffee() {
  const int size = 128;
  QImage image = NewImage(size, size, QColor(QRgb(0xFFFFFF)));
  QPainter p(&image);
  Smooth(p);
  QRadialGradient backdrop(QPointF(64, 60), 62);
  backdrop.setColorAt(0, QColor(QRgb(0xFFF1DA)));
  backdrop.setColorAt(0.85, QColor(QRgb(0xFFE7C2)));
  backdrop.setColorAt(1, QColor(QRgb(0xFFFFFF)));
  p.setPen(Qt::NoPen);
  p.setBrush(backdrop);
  p.drawEllipse(QPointF(64, 64), 62, 62);

  // Saucer.
  QPainterPath saucer;
  saucer.addEllipse(QPointF(62, 100), 44, 11);
  DrawSoftShadow(p, saucer, QPointF(0, 3), 3, 60);
  QLinearGradient saucer_fill(0, 89, 0, 111);
  saucer_fill.setColorAt(0, QColor(QRgb(0xFFFFFF)));
  saucer_fill.setColorAt(1, QColor(QRgb(0xE3D9CC)));
  p.setBrush(saucer_fill);
  p.drawPath(saucer);
  p.setBrush(QColor(QRgb(0xEFE6DA)));
  p.drawEllipse(QPointF(62, 98), 28, 6);

  // Handle, then the cup in front of it.
  p.setPen(QPen(QColor(QRgb(0xE9E1D6)), 7));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(93, 70), 11, 12);
  p.setPen(QPen(QColor(QRgb(0xFFFFFF)), 3));
  p.drawEllipse(QPointF(93, 70), 11, 12);
  QPainterPath cup;
  cup.moveTo(30, 52);
  cup.lineTo(94, 52);
  cup.cubicTo(94, 78, 84, 97, 62, 97);
  cup.cubicTo(40, 97, 30, 78, 30, 52);
  cup.closeSubpath();
  QLinearGradient cup_fill(30, 0, 94, 0);
  cup_fill.setColorAt(0, QColor(QRgb(0xE6DDD2)));
  cup_fill.setColorAt(0.35, QColor(QRgb(0xFFFFFF)));
  cup_fill.setColorAt(1, QColor(QRgb(0xDCD1C4)));
  p.setPen(Qt::NoPen);
  p.setBrush(cup_fill);
  p.drawPath(cup);
  // A band of colour round the cup.
  p.save();
  p.setClipPath(cup);
  p.fillRect(QRectF(20, 66, 90, 7), QColor(QRgb(0xE2703A)));
  p.restore();

  // Coffee with a heart in the crema.
  QRadialGradient coffee(QPointF(62, 53), 32);
  coffee.setColorAt(0, QColor(QRgb(0x8B5A36)));
  coffee.setColorAt(1, QColor(QRgb(0x4E2E1A)));
  p.setPen(QPen(QColor(QRgb(0xFFFFFF)), 2));
  p.setBrush(coffee);
  p.drawEllipse(QPointF(62, 52), 32, 7.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(QRgb(0xE9C9A0)));
  p.save();
  p.translate(62, 52.3);
  p.scale(1, 0.5);  // lying flat on the coffee
  p.drawPath(HeartPath(15));
  p.restore();

  // Steam.
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) {
    const qreal x = 48 + i * 14;
    QPainterPath steam;
    steam.moveTo(x, 40);
    steam.cubicTo(x - 7, 32, x + 7, 27, x, 18 - (i == 1 ? 4 : 0));
    QLinearGradient fade(0, 40, 0, 14);
    fade.setColorAt(0, QColor(150, 120, 100, 150));
    fade.setColorAt(1, QColor(150, 120, 100, 0));
    p.setPen(RoundPen(QColor(150, 120, 100, 140), 3));
    p.setPen(QPen(QBrush(fade), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(steam);
  }
  return image;
}

// A rainbow running across the picture with a glossy band through the middle. Text
// fills tile it with every second tile mirrored, and the gloss fades to the same colour
// at the top and bottom, so the tiles meet without a seam either way.
QImage DrawRainbow() {
  const int w = 512;
  const int h = 128;
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const qreal gloss = qPow(qSin(M_PI * (y + 0.5) / h), 2);
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const qreal hue = 0.83 * (x + 0.5) / w;  // red to violet
      const QColor c = QColor::fromHsvF(float(hue), float(0.92 - 0.35 * gloss), float(0.88 + 0.12 * gloss));
      line[x] = c.rgb();
    }
  }
  return image;
}

}  // namespace

void AddPictures(QList<Asset>& assets) {
  assets.append({QStringLiteral("Copyright.gif"), DrawBanner});
  assets.append({QStringLiteral("Logo.gif"), DrawLogo});
  assets.append({QStringLiteral("coffie.gif"), DrawCoffee});
  assets.append({QStringLiteral("rainbow.jpg"), DrawRainbow});
}

}  // namespace pivlo::assets
