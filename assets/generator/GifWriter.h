#pragma once

#include <QImage>
#include <QString>

namespace pivlo::assets {

// Writes the picture as a one-frame GIF. Qt reads GIF but cannot write it, so the
// picture is reduced to 256 colours (median cut) and encoded by FFmpeg's GIF encoder.
bool WriteGif(const QImage& image, const QString& path, QString& error);

}  // namespace pivlo::assets
