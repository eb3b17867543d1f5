// Any bytes given to the PCX decoder: never a crash, and what decodes paints into a box.

#include "FuzzPictureSize.h"

#include "media/LoadTgaPcx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  using fuzz::HeaderI16;
  // Xmax - Xmin + 1 by Ymax - Ymin + 1.
  if (fuzz::TooLargeToFuzz(HeaderI16(data, size, 8) - HeaderI16(data, size, 4) + 1,
                           HeaderI16(data, size, 10) - HeaderI16(data, size, 6) + 1)) {
    return 0;
  }
  const QImage picture = DecodePcx(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (picture.isNull()) return 0;
  QImage box(13, 7, QImage::Format_RGB32);
  DrawPlaced(box, picture, PlacePicture(picture.size(), box.size(), int(size % 5), QPoint(), [] { return 0.5; }));
  return 0;
}
