#include "core/Rounding.h"

#include <cmath>
#include <limits>

namespace pivlo {

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1.0;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

qint32 RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = RoundHalfEven(value);
  if (rounded <= std::numeric_limits<qint32>::min()) return std::numeric_limits<qint32>::min();
  if (rounded >= std::numeric_limits<qint32>::max()) return std::numeric_limits<qint32>::max();
  return static_cast<qint32>(rounded);
}

}  // namespace pivlo
