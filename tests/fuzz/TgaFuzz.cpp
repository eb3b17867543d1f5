// Any bytes given to the TGA decoder: never a crash, and what decodes paints into a box.

#include "media/LoadTgaPcx.h"

#include <cstdint>

namespace {

// Large pictures are covered by the unit tests; here they would only slow the search.
constexpr qint64 kFuzzPixels = 1 << 20;

int I16(const uint8_t* data, int at) {
  return qint16(quint16(data[at] | data[at + 1] << 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  if (size >= 18 && qint64(I16(data, 12) - I16(data, 8)) * (I16(data, 14) - I16(data, 10)) > kFuzzPixels) return 0;
  const QImage picture = DecodeTga(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (picture.isNull()) return 0;
  QImage box(13, 7, QImage::Format_RGB32);
  box.fill(Qt::gray);
  const Placement placement = PlacePicture(picture.size(), box.size(), int(size % 5), QPoint(), [] { return 0.5; });
  if (picture.hasAlphaChannel()) {
    CompositePlaced(box, picture, placement);
  } else {
    DrawPlaced(box, picture, placement);
  }
  return 0;
}
