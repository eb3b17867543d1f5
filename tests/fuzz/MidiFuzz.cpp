// Any bytes given to the MIDI reader: never a crash, never a negative or endless time.

#include "media/MidiDuration.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<double> seconds =
      pivlo::MidiDuration(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (seconds && (!std::isfinite(*seconds) || *seconds < 0)) std::abort();
  return 0;
}
