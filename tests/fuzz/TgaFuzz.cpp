// Any bytes given to the TGA decoder: never a crash, and what decodes paints into a box.

#include "FuzzPictureSize.h"

#include "media/LoadTgaPcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  using fuzz::HeaderI16;
  // Width and height less the origin.
  if (fuzz::TooLargeToFuzz(HeaderI16(data, size, 12) - HeaderI16(data, size, 8),
                           HeaderI16(data, size, 14) - HeaderI16(data, size, 10))) {
    return 0;
  }
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
