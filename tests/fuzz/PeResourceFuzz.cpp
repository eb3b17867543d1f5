// Any bytes as the program whose icon is replaced: never a crash, never a changed length,
// and unless the icon was replaced, not one byte changed.

#include "builder/PeIconResources.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  static const IconImageData icon{QByteArray("\x20\x20\x00\x00\x01\x00\x08\x00\x40\x00\x00\x00", 12),
                                  QByteArray(64, 'i')};
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  QByteArray program = input;
  const IconReplacement result = ReplaceIconResources(program, icon);
  if (program.size() != input.size()) std::abort();
  if (result != IconReplacement::Replaced && program != input) std::abort();
  if (result == IconReplacement::Replaced && !program.contains(icon.image)) std::abort();
  return 0;
}
