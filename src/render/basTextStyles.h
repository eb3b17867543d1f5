#pragma once

#include "core/ProjectTypes.h"

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace pivlo {

// How one text is drawn: the fields of a text style, ready for drawing (sizes in pixels
// of the target, colours as ARGB).
struct TextLook {
  QString font_name;      // a family name; a family that is not installed draws nothing
  double em_size = 0;     // pixels
  int style_flags = 0;    // 0 regular, 1 bold, 2 italic, 3 bold italic
  int alignment = 0;      // 0..8: horizontal = value mod 3 (left, centre, right),
                          // vertical = value div 3 (top, middle, bottom)
  int fill_pattern = 0;   // FillPattern: even 0..18; odd values and others fill nothing
  int border_width = 0;   // outline width in pixels; 0 draws no outline
  QRgb start_color = 0;   // solid fill; first colour of a gradient
  QRgb end_color = 0;     // second colour of a gradient
  QRgb border_color = 0;  // the outline
  // Scale of the rainbow texture, so that a preview shows it at the same relative size
  // as the screen (see PreviewTextureScale).
  QSizeF texture_scale{1, 1};
};

// The fill patterns.
enum FillPattern : int {
  kFillSolid = 0,
  kFillRainbow = 2,
  kFillHorizontal = 4,
  kFillVertical = 6,
  kFillForwardDiagonal = 8,
  kFillBackwardDiagonal = 10,
  kFillHorizontalMirrored = 12,
  kFillVerticalMirrored = 14,
  kFillForwardDiagonalMirrored = 16,
  kFillBackwardDiagonalMirrored = 18,
};

// A stored colour (0x00BBGGRR, red in the low byte) as ARGB with the given alpha.
QRgb StoredColorToArgb(Colour stored, int alpha);
// Alpha of the fill colours and of the outline colour.
constexpr int kFillAlpha = 255;
constexpr int kBorderAlpha = 170;

// A style drawn at a scale of the screen (a preview): the em size times the scale, the
// border width times the scale to the nearest integer, the fill colours opaque and the
// border colour at alpha 170.
TextLook TextLookFromStyle(const TextStyle& style, double scale = 1.0);

// A linear gradient from start to end over the rectangle in one of the four directions (0
// horizontal, 1 vertical, 2 top-left to bottom-right, 3 top-right to bottom-left). The
// diagonals run corner to corner with the two other corners at the middle colour, however
// wide the rectangle; beyond the rectangle the gradient repeats mirrored.
QBrush LinearGradientBrush(int direction, const QRectF& rect, QRgb start, QRgb end);

// The brush that fills a text laid out in the rectangle: nothing for odd or unknown
// patterns, and for the rainbow while no rainbow picture is set.
std::optional<QBrush> TextFillBrush(const TextLook& look, const QRectF& layout);

// The rainbow texture's scale for a composition box of the given size: 1 when it is as
// wide as the screen, else box size / screen size on each axis.
QSizeF PreviewTextureScale(const QSizeF& box, const QSizeF& screen);

// The bytes of rainbow.jpg, handed over at start-up and kept for the program run: the
// rainbow fill and the graphics probe's test texture. Empty until set.
void SetRainbowPicture(const QByteArray& bytes);
const QByteArray& RainbowPicture();

// Draws the text as an anti-aliased outline path laid out in the rectangle (line breaks
// and words that do not fit start new lines), filled by the pattern, then outlined.
void DrawStyledText(QPainter& painter, const QString& text, const TextLook& look, const QRectF& layout);
// The same into a picture; nothing for an empty text or picture, or a box too large.
void DrawStyledTextInto(QImage& image, const QString& text, const TextLook& look, const QRectF& layout);

// The size of the text laid out without limits (x and y 0); empty when the family is not
// installed or the text is empty.
QRectF MeasureText(const QString& text, const QString& font_name, double size, int style_flags);

// Whether a text image of this size is made at all (not empty, not too large).
bool TextImageSizeAllowed(int width, int height);

// PNG bytes of the text drawn into a transparent image of the box's size (rounded), laid
// out in (0, 0, width, height); empty when the box is empty or too large.
QByteArray RenderTextToPng(const QString& text, const TextLook& look, const QRectF& box);

// The installed font families, in the font database's order.
QStringList ListFontFamilies();
// The family as the font database spells it, found ignoring case; empty when not installed.
QString InstalledFamily(const QString& name, const QStringList& families = ListFontFamilies());

// The default text font: the window's font when installed, else "Arial"; where neither
// is installed, the family the system substitutes for "Arial", else the first family.
QString DefaultTextFontName(const QString& window_font, const QStringList& families = ListFontFamilies());

}  // namespace pivlo
