#pragma once

#include "core/ProjectTypes.h"

#include <QString>

#include <array>

namespace pivlo {

// The text a number box shows once the user leaves it: an empty text, a text ending in
// "-" or starting with "0" or ".", or one that is not a number becomes the fallback;
// anything else becomes its value kept to three decimals, in its shortest form
// ("12.34567" -> "12.346").
QString NormalizeNumberText(const QString& text, const QString& fallback);

// Whether a number box takes a typed character: digits, backspace (8) and, where
// allowed, the full stop (46).
bool IsNumberKeyAccepted(int key, bool allow_full_stop);

// The time between pictures on leaving its box: at least 3.5; the main window's box falls
// back to "10", a picture's own time to the main window's text.
QString NormalizeTimeIntervalText(const QString& text, const QString& fallback = QStringLiteral("10"));
// An opening or ending duration on leaving its box: fallback "8", at least 5, then a
// whole number (halves to even).
QString NormalizeDurationText(const QString& text);

// The name a screensaver gets when it has none usable: "未命名屏幕保护".
QString UnnamedScreensaverName();

// A screensaver name with a character that cannot stand in a file name (\ / ? " : * < >)
// is replaced as a whole by the unnamed screensaver's name.
QString CheckedScreensaverName(const QString& name);

// "StyleSelect": 128 characters, "1" at position k + 1 for each ticked transition k and
// blanks elsewhere; reading pads or cuts the text to 128 characters.
QString StyleSelectText(const std::array<bool, kTransitionCount>& ticked);
std::array<bool, kTransitionCount> TransitionsFromStyleSelect(const QString& text);

}  // namespace pivlo
