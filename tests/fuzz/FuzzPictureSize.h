#pragma once

// Large pictures are the unit tests' business: in a fuzz run they would only slow the search.

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace pivlo::fuzz {

constexpr qint64 kFuzzPixels = 1 << 20;

// The little-endian signed 16-bit number at `at`; 0 past the end of the input.
inline int HeaderI16(const uint8_t* data, size_t size, size_t at) {
  return at + 1 < size ? qint16(quint16(data[at] | data[at + 1] << 8)) : 0;
}

inline bool TooLargeToFuzz(qint64 width, qint64 height) {
  return width * height > kFuzzPixels;
}

}  // namespace pivlo::fuzz
