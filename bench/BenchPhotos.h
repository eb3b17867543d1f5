#pragma once

#include <QString>

namespace pivlo::bench {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;

// A baseline JPEG of 4000 x 3000 at quality 90, made once per run and detail: gradients with
// fine noise of the given amplitude, like a photo. Entropy decoding of the whole file cannot be
// skipped, so the more detail (the larger the file), the less a reduced decode saves: amplitude
// 6 makes a file of about 1.3 MB, 24 one of about 3.7 MB.
const QString& TwelveMegapixelJpeg(int noise);

}  // namespace pivlo::bench
