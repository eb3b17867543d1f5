#include "shell/WindowScaling.h"

#include "core/Rounding.h"

#include <algorithm>

namespace pivlo {
namespace {

constexpr int kNormalDpi = 96;
constexpr int kLowestUnscaledHeight = 700;
constexpr double kSmallestLookPoints = 8;
constexpr double kLargestLookPoints = 11;

template <typename T>
T SharedOrMessage(const T& menu, const T& message, const T& small_caption) {
  if (menu == message || menu == small_caption) return menu;
  return message;  // message == small_caption, or all three differ
}

}  // namespace

std::optional<float> MainWindowScale(int dpi_y, int screen_height) {
  if (dpi_y < kNormalDpi) return std::nullopt;
  if (dpi_y == kNormalDpi) {
    if (screen_height >= kLowestUnscaledHeight) return std::nullopt;
    return float(screen_height) / float(kDesignWindowHeight);
  }
  return float(kNormalDpi) / float(dpi_y);
}

int ScaledLength(int design, float scale) {
  return RoundToInt32(double(design) * double(scale));
}

QSize ScaledWindowSize(float scale) {
  return QSize(ScaledLength(kDesignWindowWidth, scale), ScaledLength(kDesignWindowHeight, scale));
}

LookFont ChooseLookFont(const LookFont& menu, const LookFont& message, const LookFont& small_caption,
                        bool window_scaled) {
  LookFont chosen;
  chosen.face = SharedOrMessage(menu.face, message.face, small_caption.face);
  chosen.points = SharedOrMessage(menu.points, message.points, small_caption.points);
  if (window_scaled) chosen.points -= 1;
  chosen.points = std::clamp(chosen.points, kSmallestLookPoints, kLargestLookPoints);
  return chosen;
}

double PixelsToPoints(double pixels, double dpi_y) {
  return dpi_y > 0 ? pixels * 72.0 / dpi_y : pixels;
}

}  // namespace pivlo
