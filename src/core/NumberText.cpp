#include "core/NumberText.h"

#include <charconv>
#include <cmath>

namespace pivlo {

QString FloatToShortestText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}

std::optional<double> NumberFromText(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace pivlo
