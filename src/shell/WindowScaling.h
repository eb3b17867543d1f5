#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace pivlo {

// The main window is designed for a screen of 96 dots per inch at least 700 pixels high:
// 960 x 740 pixels.
inline constexpr int kDesignWindowWidth = 960;
inline constexpr int kDesignWindowHeight = 740;

// The factor the main window shrinks by on a small or dense screen; nothing when it keeps
// its design size. Below 96 dpi: none; at 96 dpi: height / 740 when the screen is lower
// than 700 pixels; above 96 dpi: 96 / dpi, whatever the height.
std::optional<float> MainWindowScale(int dpi_y, int screen_height);

// The window's size for the factor: s x 960 by s x 740, to the nearest pixel.
QSize ScaledWindowSize(float scale);
// A design length at the factor, to the nearest pixel.
int ScaledLength(int design, float scale);

// A system font as its face name and size in points.
struct LookFont {
  QString face;
  double points = 0;
};

// The face and size every window uses, chosen from the menu, message and small-caption
// fonts: a name or size two of them share, else the message font's; one point less once
// the main window was scaled; the size held within 8 to 11 points.
LookFont ChooseLookFont(const LookFont& menu, const LookFont& message, const LookFont& small_caption,
                        bool window_scaled);

// A font size given as a pixel height, in points on a screen of that vertical dpi.
double PixelsToPoints(double pixels, double dpi_y);

}  // namespace pivlo
