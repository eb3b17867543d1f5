#include "core/NumberText.h"

#include <charconv>

namespace pivlo {

QString FloatToShortestText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}

}  // namespace pivlo
