#include "render/ScaledLooks.h"

namespace pivlo {
namespace {

double Scale(int drawn, qint32 stored) { return stored > 0 ? double(drawn) / stored : 1.0; }

}  // namespace

ScaledLooks::ScaledLooks(QSize orig_screen, QSize screen)
    : orig_screen_(orig_screen),
      screen_(screen),
      sx_(Scale(screen.width(), orig_screen.width())),
      sy_(Scale(screen.height(), orig_screen.height())),
      families_(ListFontFamilies()) {}

TextLook ScaledLooks::Look(const TextStyle& style) const {
  TextStyle drawn = style;
  if (InstalledFamily(drawn.font_name, families_).isEmpty()) {
    drawn.font_name = DefaultTextFontName(QString(), families_);
  }
  TextLook look = TextLookFromStyle(drawn, sx_);
  look.texture_scale = PreviewTextureScale(QSizeF(screen_), QSizeF(orig_screen_));
  return look;
}

QRectF ScaledLooks::Box(const ScreenBox& box) const {
  return QRectF(box.x * sx_, box.y * sy_, box.w * sx_, box.h * sy_);
}

}  // namespace pivlo
