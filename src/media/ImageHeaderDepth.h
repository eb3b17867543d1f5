#pragma once

#include <QIODevice>
#include <QString>

namespace pivlo {

// The depth the probe reports for a picture of one of the platform formats (tag "BMP",
// "JPG", "GIF", "PNG" or "TIF"), read from the file's own header: the bits per pixel of the
// pixel format the picture decodes to (1, 4, 8, 16, 24 or 32; a GIF is always 8), 0 for
// other pixel formats (48- and 64-bit, CMYK) and for what cannot be read.
int HeaderDepth(QIODevice& device, const QString& tag);

}  // namespace pivlo
