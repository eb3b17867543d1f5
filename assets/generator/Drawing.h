#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>

namespace pivlo::assets {

// A transparent (or filled) canvas ready for QPainter.
QImage NewImage(int width, int height, const QColor& fill = Qt::transparent);

// A painter with antialiasing of shapes, text and scaled pictures.
void Smooth(QPainter& painter);

// A pen with round caps and joins, the stroke of every glyph.
QPen RoundPen(const QColor& color, qreal width);

// The interface font (the CJK sans installed with the program's packages).
QFont UiFont(qreal pixel_size, QFont::Weight weight = QFont::Normal);

// A soft shadow under a shape: the shape repeated, growing and fading.
void DrawSoftShadow(QPainter& painter, const QPainterPath& shape, QPointF offset, int spread, int alpha);

// The program's mark: a rounded tile with a screen showing a landscape and a sparkle.
void DrawBrandMark(QPainter& painter, const QRectF& box);

// A closed polygon through the points.
QPainterPath PolygonPath(const QPolygonF& points);

// A heart of the given size centred on the origin.
QPainterPath HeartPath(qreal size);

// A four-pointed sparkle centred on the point.
QPainterPath SparklePath(QPointF centre, qreal radius);

// Text centred in a box as a filled path, so that it can carry gradients and outlines.
QPainterPath TextPath(const QString& text, const QFont& font, const QRectF& box, Qt::Alignment align);

}  // namespace pivlo::assets
