// Any bytes given to the picture probe: never a crash, and a known format has a sane size.

#include "media/basGdiPlus.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  const ImageProbe probe = ProbeImageBytes(input, true);
  if (probe.Width < 0 || probe.Height < 0 || probe.Depth < 0 || probe.Depth > 32) std::abort();
  if (ProbeImageBytes(input, false).Format != probe.Format) std::abort();
  return 0;
}
