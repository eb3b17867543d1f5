#pragma once

#include <QString>

namespace pivlo {

// The shortest text that reads back as exactly the same 32-bit float ("10", "3.5",
// "0.1", "1e+20"); used wherever a stored float is shown or written as text.
QString FloatToShortestText(float value);

}  // namespace pivlo
