#include "render/basTextStyles.h"

#include "core/Rounding.h"
#include "media/basGdiPlus.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include <optional>

namespace pivlo {
namespace {

constexpr int kMaxImageSide = 16384;
constexpr qint64 kMaxImagePixels = qint64(1) << 26;
constexpr qreal kUnlimitedWidth = 1e6;  // pixels; lines break only where the text does

// Sizes are em sizes in pixels whatever the screen: fonts are resolved against a
// device of 96 dots per inch, where a point is 4/3 pixels.
const QImage& FontDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
  }();
  return device;
}

std::optional<QFont> StyledFont(const QString& font_name, double em_size, int style_flags) {
  const QString family = InstalledFamily(font_name);
  if (family.isEmpty() || !(em_size > 0)) return std::nullopt;
  QFont font(family);
  font.setPointSizeF(em_size * 72.0 / 96.0);
  font.setBold((style_flags & 1) != 0);
  font.setItalic((style_flags & 2) != 0);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QString WithLineSeparators(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.replace(u'\n', QChar::LineSeparator);
  return text;
}

// The text laid out in lines one under another from y = 0; a wrap width of 0 or less
// breaks lines only where the text does.
class TextLines {
 public:
  TextLines(const QString& text, const QFont& font, qreal wrap_width)
      : layout_(WithLineSeparators(text), font, &FontDevice()) {
    QTextOption option;
    option.setWrapMode(wrap_width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout_.setTextOption(option);
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLeadingIncluded(true);
      line.setLineWidth(wrap_width > 0 ? wrap_width : kUnlimitedWidth);
      line.setPosition(QPointF(0, height_));
      height_ += line.height();
      width_ = qMax(width_, line.naturalTextWidth());
    }
    layout_.endLayout();
  }

  QSizeF Size() const { return QSizeF(width_, height_); }

  // The glyph outlines, aligned in the rectangle.
  QPainterPath Path(int alignment, const QRectF& layout) const {
    alignment = qBound(0, alignment, 8);
    const qreal dy = (layout.height() - height_) * (alignment / 3) / 2.0;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int i = 0; i < layout_.lineCount(); ++i) {
      const QTextLine line = layout_.lineAt(i);
      const qreal dx = (layout.width() - line.naturalTextWidth()) * (alignment % 3) / 2.0;
      const QPointF offset = layout.topLeft() + QPointF(dx, dy);
      for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
          path.addPath(font.pathForGlyph(glyphs[g]).translated(positions[g] + offset));
        }
      }
    }
    return path;
  }

 private:
  QTextLayout layout_;
  qreal width_ = 0;
  qreal height_ = 0;
};

// The rainbow picture as one tile of itself and its mirror image, decoded once.
const QImage& RainbowTile() {
  static QImage tile;
  static QByteArray decoded_from;
  if (decoded_from.isSharedWith(RainbowPicture()) && !tile.isNull()) return tile;
  decoded_from = RainbowPicture();
  tile = QImage();
  const QImage picture = QImage::fromData(decoded_from).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return tile;
  tile = QImage(picture.width() * 2, picture.height(), QImage::Format_ARGB32_Premultiplied);
  if (tile.isNull()) return tile;
  QPainter painter(&tile);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, picture);
  painter.drawImage(picture.width(), 0, picture.mirrored(true, false));
  return tile;
}

QByteArray& RainbowBytes() {
  static QByteArray bytes;
  return bytes;
}

}  // namespace

bool TextImageSizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         qint64(width) * height <= kMaxImagePixels;
}

QBrush LinearGradientBrush(int direction, const QRectF& rect, QRgb start, QRgb end) {
  QPointF from = rect.topLeft();
  QPointF to;
  switch (direction) {
    case 0: to = rect.topRight(); break;
    case 1: to = rect.bottomLeft(); break;
    default: {
      // f(p) = (p - from) . g with f = 1 at the opposite corner: the end point is
      // from + g / |g|^2.
      const qreal w = qMax(rect.width(), 1e-6);
      const qreal h = qMax(rect.height(), 1e-6);
      QPointF g(0.5 / w, 0.5 / h);
      if (direction == 3) {
        from = rect.topRight();
        g.setX(-g.x());
      }
      to = from + g / QPointF::dotProduct(g, g);
      break;
    }
  }
  QLinearGradient gradient(from, to);
  gradient.setColorAt(0, QColor::fromRgba(start));
  gradient.setColorAt(1, QColor::fromRgba(end));
  gradient.setSpread(QGradient::ReflectSpread);
  return QBrush(gradient);
}

std::optional<QBrush> TextFillBrush(const TextLook& look, const QRectF& layout) {
  const int pattern = look.fill_pattern;
  if (pattern == kFillSolid) return QBrush(QColor::fromRgba(look.start_color));
  if (pattern == kFillRainbow) {
    const QImage& tile = RainbowTile();
    if (tile.isNull()) return std::nullopt;
    QBrush brush(tile);
    brush.setTransform(QTransform::fromScale(look.texture_scale.width(), look.texture_scale.height()));
    return brush;
  }
  if (pattern < kFillHorizontal || pattern > kFillBackwardDiagonalMirrored || pattern % 2 != 0) {
    return std::nullopt;
  }
  const int g = pattern / 2 - 2;
  const int direction = g % 4;
  QRectF rect = layout;
  if (g >= 4) {
    if (direction != 1) rect.setWidth(rect.width() / 2);
    if (direction != 0) rect.setHeight(rect.height() / 2);
  }
  return LinearGradientBrush(direction, rect, look.start_color, look.end_color);
}

QRgb StoredColorToArgb(Colour stored, int alpha) {
  const auto bits = quint32(stored);
  return qRgba(int(bits & 0xFF), int(bits >> 8 & 0xFF), int(bits >> 16 & 0xFF), qBound(0, alpha, 255));
}

TextLook TextLookFromStyle(const TextStyle& style, double scale) {
  TextLook look;
  look.font_name = style.font_name;
  look.em_size = style.size * scale;
  look.style_flags = style.style_flags;
  look.alignment = style.align;
  look.fill_pattern = style.pattern;
  look.border_width = RoundToInt32(style.border_width * scale);
  look.start_color = StoredColorToArgb(style.start_color, kFillAlpha);
  look.end_color = StoredColorToArgb(style.end_color, kFillAlpha);
  look.border_color = StoredColorToArgb(style.border_color, kBorderAlpha);
  return look;
}

QSizeF PreviewTextureScale(const QSizeF& box, const QSizeF& screen) {
  if (box.width() == screen.width() || screen.width() <= 0 || screen.height() <= 0) return QSizeF(1, 1);
  return QSizeF(box.width() / screen.width(), box.height() / screen.height());
}

void SetRainbowPicture(const QByteArray& bytes) { RainbowBytes() = bytes; }

const QByteArray& RainbowPicture() { return RainbowBytes(); }

void DrawStyledText(QPainter& painter, const QString& text, const TextLook& look, const QRectF& layout) {
  const std::optional<QFont> font = StyledFont(look.font_name, look.em_size, look.style_flags);
  if (!font || text.isEmpty()) return;
  const QPainterPath path = TextLines(text, *font, layout.width()).Path(look.alignment, layout);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  if (const std::optional<QBrush> brush = TextFillBrush(look, layout)) painter.fillPath(path, *brush);
  if (look.border_width >= 1) {
    painter.strokePath(path, QPen(QColor::fromRgba(look.border_color), look.border_width, Qt::SolidLine,
                                  Qt::RoundCap, Qt::RoundJoin));
  }
  painter.restore();
}

void DrawStyledTextInto(QImage& image, const QString& text, const TextLook& look, const QRectF& layout) {
  if (text.isEmpty() || image.isNull() || !TextImageSizeAllowed(int(layout.width()), int(layout.height()))) return;
  QPainter painter(&image);
  DrawStyledText(painter, text, look, layout);
}

QRectF MeasureText(const QString& text, const QString& font_name, double size, int style_flags) {
  const std::optional<QFont> font = StyledFont(font_name, size, style_flags);
  if (!font || text.isEmpty()) return QRectF();
  return QRectF(QPointF(0, 0), TextLines(text, *font, 0).Size());
}

QByteArray RenderTextToPng(const QString& text, const TextLook& look, const QRectF& box) {
  const int width = RoundToInt32(box.width());
  const int height = RoundToInt32(box.height());
  if (!TextImageSizeAllowed(width, height)) return QByteArray();
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return QByteArray();
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    DrawStyledText(painter, text, look, QRectF(0, 0, width, height));
  }
  return EncodePicture(image, QStringLiteral("PNG"), -1);
}

QStringList ListFontFamilies() {
  QStringList families;
  for (const QString& family : QFontDatabase::families()) {
    if (!QFontDatabase::isPrivateFamily(family)) families.append(family);
  }
  return families;
}

QString InstalledFamily(const QString& name, const QStringList& families) {
  for (const QString& family : families) {
    if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
  }
  return QString();
}

QString DefaultTextFontName(const QString& window_font, const QStringList& families) {
  const QString arial = QStringLiteral("Arial");
  for (const QString& candidate : {window_font, arial, QFontInfo(QFont(arial)).family()}) {
    const QString family = InstalledFamily(candidate, families);
    if (!family.isEmpty()) return family;
  }
  return families.value(0, arial);
}

}  // namespace pivlo
