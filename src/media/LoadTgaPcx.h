#pragma once

// Our own decoders for the two picture formats the platform library does not read.
// Every size, offset and count comes from the file and is checked before use; a variant
// that cannot be decoded gives a null image ("no bitmap").

#include "media/ImageProbe.h"
#include "media/Placement.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <optional>

namespace pivlo {

// The probe's tests of the headers (the file's first bytes, or all of it when shorter).
// Not TGA: shorter than 19 bytes, an image type other than 1, 2, 3, 9, 10, 11, a depth other
// than 8, 15, 16, 24, 32, a header width or height below 2, a colour-mapped type not of
// depth 8, or a size that 16-bit arithmetic cannot hold. The size is |width - x origin| by
// |height - y origin|.
std::optional<ImageProbe> ProbeTgaHeader(QByteArrayView head);
// Not PCX: shorter than 31 bytes, 1, 4 or 8 bits a pixel, Xmax and Ymax at least 2. The size
// is |Xmax - Xmin + 1| by |Ymax - Ymin + 1|; the depth 24 for more than one plane.
std::optional<ImageProbe> ProbePcxHeader(QByteArrayView head);

// Whole files in memory. TGA: 8 bits gives Format_Indexed8, 16 bits Format_RGB555, 24 bits
// Format_RGB32 and 32 bits Format_ARGB32 (straight alpha, for compositing).
// PCX: 1 bit Format_Mono, 4 and 8 bits Format_Indexed8, 8 bits in 3 or more planes
// Format_RGB32. A header may claim any size: the picture has only the rows that the file's
// data can fill (an uncompressed row needs its bytes, run-length data gives at most 128
// pixels a byte), so a short file gives the rows it holds, pixels missing from the last
// of them 0, and one that holds no pixel gives null.
QImage DecodeTga(QByteArrayView file);
QImage DecodePcx(QByteArrayView file);

// The files at these paths.
QImage DecodeTgaFile(const QString& path);
QImage DecodePcxFile(const QString& path);
// The same for conversion: a 32-bit TGA is not supported here (null).
QImage DecodeTgaBitmap(const QString& path);
QImage DecodePcxBitmap(const QString& path);

// Paints a decoded picture into the box by the placement mode (a 32-bit TGA is
// composited over what the box shows). Returns the rectangle of the picture (the first
// tile when tiled), nothing when nothing was drawn.
std::optional<QRect> PaintDecodedPicture(QImage& box, const QImage& picture, int mode, QPoint point,
                                         const RandomUnit& random = ClockRandomUnit());
// Decode the file and paint it into the box by the placement mode (a 32-bit TGA is
// composited over what the box shows). Returns the rectangle of the picture (the first tile
// when tiled), nothing when nothing was drawn.
std::optional<QRect> LoadTgaPicture(QImage& box, const QString& path, int mode, QPoint point,
                                    const RandomUnit& random = ClockRandomUnit());
std::optional<QRect> LoadPcxPicture(QImage& box, const QString& path, int mode, QPoint point,
                                    const RandomUnit& random = ClockRandomUnit());

}  // namespace pivlo
