// Any bytes given to the WAV header reader: never a crash, never a negative or endless time.

#include "media/SongDuration.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
  buffer.open(QIODevice::ReadOnly);
  const double seconds = pivlo::WavDuration(buffer);
  if (!std::isfinite(seconds) || seconds < 0) std::abort();
  return 0;
}
