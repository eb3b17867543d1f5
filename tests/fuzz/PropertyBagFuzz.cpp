// Any bytes given to the bag loader: never a crash, and what loads saves back unchanged.

#include "core/basPropertyBag.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
  PropertyBag bag;
  if (!bag.SetContents(input)) return 0;

  const QByteArray saved = bag.Contents();
  PropertyBag again;
  if (!again.SetContents(saved) || again.Contents() != saved) std::abort();

  for (const PropertyBag::Entry& entry : bag.Entries()) {
    (void)entry.value.ToText();
    (void)entry.value.ToInt32();
    (void)entry.value.ToBool();
    if (entry.key.endsWith(QStringLiteral("_(Type)"))) {
      const QString name = entry.key.chopped(7);
      (void)ReadStringArray(name, bag);
      (void)ReadLongArray(name, bag);
    }
  }
  return 0;
}
