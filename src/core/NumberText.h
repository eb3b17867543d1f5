#pragma once

#include <QString>

#include <optional>

namespace pivlo {

// The shortest text that reads back as exactly the same 32-bit float ("10", "3.5",
// "0.1", "1e+20"); used wherever a stored float is shown or written as text.
QString FloatToShortestText(float value);

// The value of a decimal number text ("12", " -3.5 ", "1e3"); nothing for any other text,
// and for infinities and NaN.
std::optional<double> NumberFromText(const QString& text);

}  // namespace pivlo
