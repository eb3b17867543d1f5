#pragma once

#include <QSize>
#include <QtGlobal>

namespace pivlo {

// No decoder builds a picture of more pixels than this (for example 20000 x 10000), so a
// header alone cannot make the program ask for gigabytes. At 4 bytes a pixel this is 800 MB.
constexpr qint64 kMaxPicturePixels = 200'000'000;

inline bool WithinPixelLimit(QSize size) {
  return !size.isEmpty() && qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

// Our own decoders read the whole file; a picture file larger than this is not read.
constexpr qint64 kMaxPictureFileBytes = qint64(1) << 30;

}  // namespace pivlo
