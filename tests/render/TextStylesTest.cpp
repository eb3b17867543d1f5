// Static text: fills checked against their geometry, layout checked on the ink, and two
// golden sheets (every pattern, every alignment) compared with a tolerance for
// anti-aliasing. PIVLO_UPDATE_GOLDEN=1 rewrites the sheets.

#include "render/basTextStyles.h"

#include "render/RenderTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using test::Png;
using test::ChannelDistance;
using test::ExpectMatchesGolden;
using test::InkBox;

const QString kFont = QStringLiteral("Noto Sans CJK SC");

TextLook SolidLook(double size = 40) {
  TextLook look;
  look.font_name = kFont;
  look.em_size = size;
  look.start_color = qRgb(255, 255, 255);
  return look;
}

QImage Rendered(const QString& text, const TextLook& look, QSizeF box) {
  return QImage::fromData(RenderTextToPng(text, look, QRectF(QPointF(7, 9), box)))
      .convertToFormat(QImage::Format_ARGB32);
}

TextLook PatternLook(int pattern) {
  TextLook look;
  look.fill_pattern = pattern;
  look.start_color = qRgb(255, 0, 0);
  look.end_color = qRgb(255, 255, 0);
  return look;
}

// The brush of the pattern painted over a whole rectangle at (0, 0), red to yellow.
QImage Filled(int pattern, QSize size) {
  const TextLook look = PatternLook(pattern);
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  if (const std::optional<QBrush> brush = TextFillBrush(look, QRectF(QPointF(0, 0), size))) {
    QPainter(&image).fillRect(image.rect(), *brush);
  }
  return image;
}

QRgb Mix(QRgb a, QRgb b, double t) {
  const auto channel = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
  return qRgba(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)),
               channel(qAlpha(a), qAlpha(b)));
}

TEST(TextFill, GradientsRunOverTheBoxOrMirroredOverHalfOfIt) {
  const QRgb red = qRgb(255, 0, 0);
  const QRgb yellow = qRgb(255, 255, 0);
  const QRgb orange = Mix(red, yellow, 0.5);
  const struct {
    int pattern;
    QPoint point;
    QRgb expected;
  } cases[] = {
      {kFillSolid, {100, 50}, red},
      {kFillHorizontal, {0, 50}, red},         {kFillHorizontal, {199, 10}, yellow},
      {kFillHorizontal, {100, 90}, orange},    {kFillVertical, {150, 0}, red},
      {kFillVertical, {20, 99}, yellow},       {kFillVertical, {20, 50}, orange},
      // Diagonals: corner to corner, the two other corners halfway, however wide the box.
      {kFillForwardDiagonal, {0, 0}, red},     {kFillForwardDiagonal, {199, 99}, yellow},
      {kFillForwardDiagonal, {199, 0}, orange}, {kFillForwardDiagonal, {0, 99}, orange},
      {kFillBackwardDiagonal, {199, 0}, red},  {kFillBackwardDiagonal, {0, 99}, yellow},
      {kFillBackwardDiagonal, {0, 0}, orange},  {kFillBackwardDiagonal, {199, 99}, orange},
      // Half-size gradients repeated mirrored: start, end, start.
      {kFillHorizontalMirrored, {0, 50}, red}, {kFillHorizontalMirrored, {100, 50}, yellow},
      {kFillHorizontalMirrored, {199, 50}, red}, {kFillVerticalMirrored, {50, 0}, red},
      {kFillVerticalMirrored, {50, 50}, yellow}, {kFillVerticalMirrored, {50, 99}, red},
      {kFillForwardDiagonalMirrored, {0, 0}, red}, {kFillForwardDiagonalMirrored, {100, 50}, yellow},
      {kFillForwardDiagonalMirrored, {199, 99}, red}, {kFillForwardDiagonalMirrored, {100, 0}, orange},
      {kFillBackwardDiagonalMirrored, {100, 0}, red}, {kFillBackwardDiagonalMirrored, {0, 50}, yellow},
      {kFillBackwardDiagonalMirrored, {0, 0}, orange},
  };
  for (const auto& c : cases) {
    const QRgb got = Filled(c.pattern, QSize(200, 100)).pixel(c.point);
    EXPECT_LE(ChannelDistance(got, c.expected), 4)
        << "pattern " << c.pattern << " at " << c.point.x() << ',' << c.point.y() << ": " << std::hex << got;
  }
  for (const int pattern : {1, 5, 17, 19, 20, -2}) {
    EXPECT_FALSE(TextFillBrush(PatternLook(pattern), QRectF(0, 0, 10, 10))) << pattern;
  }
}

TEST(TextFill, TheRainbowTilesWithEverySecondTileMirroredAndScaled) {
  EXPECT_FALSE(TextFillBrush(PatternLook(kFillRainbow), QRectF(0, 0, 10, 10)));  // no picture
  QImage stripes(3, 1, QImage::Format_RGB32);
  stripes.setPixel(0, 0, qRgb(255, 0, 0));
  stripes.setPixel(1, 0, qRgb(0, 255, 0));
  stripes.setPixel(2, 0, qRgb(0, 0, 255));
  SetRainbowPicture(Png(stripes));
  const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255);
  const QImage tiled = Filled(kFillRainbow, QSize(12, 1));
  const QList<QRgb> expected{r, g, b, b, g, r, r, g, b, b, g, r};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(tiled.pixel(x, 0), expected[x]) << x;

  TextLook look = PatternLook(kFillRainbow);
  look.texture_scale = QSizeF(2, 2);
  QImage scaled(12, 2, QImage::Format_RGB32);
  QPainter(&scaled).fillRect(scaled.rect(), *TextFillBrush(look, QRectF(0, 0, 12, 2)));
  for (int x = 0; x < 12; ++x) EXPECT_EQ(scaled.pixel(x, 0), expected[x / 2]) << x;
  SetRainbowPicture(QByteArray());

  EXPECT_EQ(PreviewTextureScale(QSizeF(1024, 700), QSizeF(1024, 768)), QSizeF(1, 1));
  EXPECT_EQ(PreviewTextureScale(QSizeF(512, 384), QSizeF(1024, 768)), QSizeF(0.5, 0.5));
}

TEST(StyledText, AlignmentPlacesTheTextInItsBox) {
  const QString text = QStringLiteral("屏保");
  const QSizeF box(300, 160);
  const QRectF measured = MeasureText(text, kFont, 40, 0);
  ASSERT_GT(measured.width(), 70);
  ASSERT_GT(measured.height(), 40);
  const QRect origin = InkBox(Rendered(text, SolidLook(), box));
  ASSERT_FALSE(origin.isNull());
  EXPECT_LT(origin.left(), 6);
  EXPECT_LT(origin.top(), 15);
  for (int alignment = 0; alignment <= 8; ++alignment) {
    TextLook look = SolidLook();
    look.alignment = alignment;
    const QRect ink = InkBox(Rendered(text, look, box));
    const double dx = (box.width() - measured.width()) / 2 * (alignment % 3);
    const double dy = (box.height() - measured.height()) / 2 * (alignment / 3);
    EXPECT_NEAR(ink.left() - origin.left(), dx, 1.0) << alignment;
    EXPECT_NEAR(ink.top() - origin.top(), dy, 1.0) << alignment;
    EXPECT_EQ(ink.size(), origin.size()) << alignment;
  }
  // Alignment 8: bottom-right corner of the box.
  TextLook corner = SolidLook();
  corner.alignment = 8;
  const QRect ink = InkBox(Rendered(text, corner, box));
  EXPECT_GE(ink.right(), 290);
  EXPECT_GE(ink.bottom(), 130);
}

TEST(StyledText, LineBreaksAndNarrowBoxesGiveSeveralLines) {
  const double line = MeasureText(QStringLiteral("屏"), kFont, 40, 0).height();
  EXPECT_DOUBLE_EQ(MeasureText(QStringLiteral("屏\n保"), kFont, 40, 0).height(), 2 * line);
  EXPECT_DOUBLE_EQ(MeasureText(QStringLiteral("屏\r\n保\r\n幕"), kFont, 40, 0).height(), 3 * line);
  const QRect two = InkBox(Rendered(QStringLiteral("屏\r\n保"), SolidLook(), QSizeF(200, 200)));
  EXPECT_GT(two.height(), line);
  EXPECT_LT(two.width(), 45);
  // Words that do not fit the box's width go on to the next line.
  const QRect wrapped = InkBox(Rendered(QStringLiteral("屏保屏保屏保"), SolidLook(), QSizeF(100, 300)));
  EXPECT_LE(wrapped.right(), 100);
  EXPECT_GT(wrapped.height(), 2 * line);
  // Bold and italic are wider or slanted, so the ink differs from regular.
  TextLook bold = SolidLook();
  bold.style_flags = 1;
  EXPECT_GT(MeasureText(QStringLiteral("Abc"), kFont, 40, 1).width(), MeasureText(QStringLiteral("Abc"), kFont, 40, 0).width());
  EXPECT_NE(Rendered(QStringLiteral("Abc"), bold, QSizeF(120, 60)), Rendered(QStringLiteral("Abc"), SolidLook(), QSizeF(120, 60)));
}

TEST(StyledText, WhatIsNotDrawn) {
  const QSizeF box(160, 80);
  const struct {
    const char* name;
    QString font;
    int pattern;
    int border;
  } cases[] = {
      {"family not installed", QStringLiteral("No Such Family 123"), kFillSolid, 2},
      {"odd pattern, no border", kFont, 3, 0},
      {"rainbow without a picture, no border", kFont, kFillRainbow, 0},
  };
  for (const auto& c : cases) {
    TextLook look = SolidLook();
    look.font_name = c.font;
    look.fill_pattern = c.pattern;
    look.border_width = c.border;
    EXPECT_TRUE(InkBox(Rendered(QStringLiteral("屏保"), look, box)).isNull()) << c.name;
  }
  EXPECT_TRUE(MeasureText(QStringLiteral("屏保"), QStringLiteral("No Such Family 123"), 40, 0).isNull());
  // An odd pattern with a border draws the outline only, in the border colour at alpha 170.
  TextLook outline = SolidLook();
  outline.fill_pattern = 5;
  outline.border_width = 3;
  outline.border_color = StoredColorToArgb(0x00FF0000, kBorderAlpha);  // blue
  const QImage image = Rendered(QStringLiteral("屏保"), outline, box);
  ASSERT_FALSE(InkBox(image).isNull());
  int strongest = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      strongest = qMax(strongest, qAlpha(p));
      if (qAlpha(p) > 100) {
        EXPECT_EQ(qRed(p), 0);
      }
    }
  }
  EXPECT_GE(strongest, 165);
  EXPECT_LE(strongest, 175);
}

TEST(StyledText, RenderTextToPngMakesATransparentImageOfTheBox) {
  const QByteArray png = RenderTextToPng(QStringLiteral("屏保"), SolidLook(20), QRectF(100, 200, 80.6, 30.4));
  ASSERT_TRUE(png.startsWith("\x89PNG"));
  const QImage image = QImage::fromData(png).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(image.size(), QSize(81, 30));
  EXPECT_EQ(qAlpha(image.pixel(80, 29)), 0);
  EXPECT_FALSE(InkBox(image).isNull());
  EXPECT_TRUE(RenderTextToPng(QStringLiteral("屏保"), SolidLook(20), QRectF(0, 0, 0.4, 30)).isEmpty());
  EXPECT_TRUE(RenderTextToPng(QStringLiteral("屏保"), SolidLook(20), QRectF(0, 0, 1e9, 1e9)).isEmpty());
}

TEST(StyledText, StoredColoursBecomeArgb) {
  EXPECT_EQ(StoredColorToArgb(0x00332211, kFillAlpha), qRgba(0x11, 0x22, 0x33, 255));
  EXPECT_EQ(StoredColorToArgb(0x00010101, kBorderAlpha), qRgba(1, 1, 1, 170));
}

TEST(FontFamilies, TheDefaultTextFontIsAlwaysAnInstalledFamily) {
  const QStringList installed = ListFontFamilies();
  EXPECT_TRUE(installed.contains(kFont));
  const QStringList families{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
  EXPECT_EQ(DefaultTextFontName(QStringLiteral("noto sans cjk sc"), families), QStringLiteral("Noto Sans CJK SC"));
  EXPECT_EQ(DefaultTextFontName(QStringLiteral("Segoe UI"), families), QStringLiteral("Arial"));
  // Without "Arial": what the system puts in its place when that is installed, else the
  // first family; never a name that draws nothing.
  const QString fallback = DefaultTextFontName(QStringLiteral("Segoe UI"), installed);
  EXPECT_TRUE(installed.contains(fallback)) << fallback.toStdString();
  EXPECT_EQ(DefaultTextFontName(QStringLiteral("Segoe UI"), {QStringLiteral("Zed Sans")}), QStringLiteral("Zed Sans"));
  EXPECT_EQ(InstalledFamily(QStringLiteral("NOTO SANS CJK SC")), kFont);
  EXPECT_TRUE(InstalledFamily(QStringLiteral("No Such Family 123")).isEmpty());
}

// Golden sheets -------------------------------------------------------------------------

// Cells of text drawn on a mid-grey sheet, left to right, top to bottom.
QImage Sheet(QSize cell, int columns, const QList<TextLook>& looks, const QString& text) {
  const int rows = int((looks.size() + columns - 1) / columns);
  QImage sheet(cell.width() * columns, cell.height() * rows, QImage::Format_ARGB32_Premultiplied);
  sheet.fill(qRgb(96, 96, 96));
  QPainter painter(&sheet);
  for (int i = 0; i < looks.size(); ++i) {
    const QRectF box(QPointF(cell.width() * (i % columns), cell.height() * (i / columns)), cell);
    painter.setPen(qRgb(64, 64, 64));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    DrawStyledText(painter, text, looks[i], box.adjusted(4, 4, -4, -4));
  }
  return sheet;
}

TextLook GoldenLook() {
  TextLook look;
  look.font_name = kFont;
  look.em_size = 30;
  look.style_flags = 1;
  look.alignment = 4;
  look.border_width = 2;
  look.start_color = StoredColorToArgb(0x000040FF, kFillAlpha);
  look.end_color = StoredColorToArgb(0x00FF8000, kFillAlpha);
  look.border_color = StoredColorToArgb(0x00101010, kBorderAlpha);
  return look;
}

TEST(GoldenText, EveryFillPattern) {
  // A rainbow of our own making, so that the sheet does not follow the shipped asset.
  QImage rainbow(24, 8, QImage::Format_RGB32);
  for (int x = 0; x < 24; ++x) {
    for (int y = 0; y < 8; ++y) rainbow.setPixel(x, y, QColor::fromHsv(x * 15, 200, 255).rgb());
  }
  SetRainbowPicture(Png(rainbow));
  QList<TextLook> looks;
  for (const int pattern : {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18}) {
    TextLook look = GoldenLook();
    look.fill_pattern = pattern;
    looks.append(look);
  }
  ExpectMatchesGolden(Sheet(QSize(140, 64), 4, looks, QStringLiteral("屏保Ag")), QStringLiteral("text-patterns.png"));
  SetRainbowPicture(QByteArray());
}

TEST(GoldenText, EveryAlignment) {
  QList<TextLook> looks;
  for (int alignment = 0; alignment <= 8; ++alignment) {
    TextLook look = GoldenLook();
    look.em_size = 20;
    look.fill_pattern = kFillHorizontal;
    look.alignment = alignment;
    looks.append(look);
  }
  ExpectMatchesGolden(Sheet(QSize(150, 90), 3, looks, QStringLiteral("屏幕保护\nAg")),
                      QStringLiteral("text-alignments.png"));
}

}  // namespace
}  // namespace pivlo
