#pragma once

#include <QtGlobal>

namespace pivlo {

// The one rounding rule of the program: to the nearest integer, halves to the even
// neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// RoundHalfEven, held within the 32-bit range; NaN gives 0.
qint32 RoundToInt32(double value);

}  // namespace pivlo
