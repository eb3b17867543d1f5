#include "shell/SystemLook.h"

#include "core/Rounding.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace pivlo {
namespace {

LookFont LookOf(const QFont& font) {
  double points = font.pointSizeF();
  if (points <= 0) {
    // A size given in pixels.
    const QScreen* screen = QGuiApplication::primaryScreen();
    points = PixelsToPoints(font.pixelSize(), screen != nullptr ? screen->logicalDotsPerInchY() : 96);
  }
  return LookFont{font.family(), double(RoundToInt32(points))};
}

}  // namespace

SystemFonts ReadSystemFonts() {
  return SystemFonts{LookOf(QApplication::font("QMenu")), LookOf(QApplication::font("QMessageBox")),
                     LookOf(QFontDatabase::systemFont(QFontDatabase::TitleFont))};
}

QFont LookFontToQFont(const LookFont& look) {
  QFont font(look.face);
  font.setPointSizeF(look.points);
  return font;
}

LookFont ApplySystemLook(QWidget& window, bool window_scaled) {
  const SystemFonts fonts = ReadSystemFonts();
  const LookFont look = ChooseLookFont(fonts.menu, fonts.message, fonts.small_caption, window_scaled);
  // Qt hands the font and the palette down to every control by its kind: labels and
  // buttons on the button-face colour, text boxes and lists on the window colour.
  window.setPalette(QApplication::palette());
  window.setFont(LookFontToQFont(look));
  return look;
}

void ApplyOwnerLook(QWidget& dialog) {
  const QWidget* owner = dialog.parentWidget();
  if (owner == nullptr) return;
  dialog.setFont(owner->window()->font());
  dialog.setPalette(owner->window()->palette());
}

}  // namespace pivlo
