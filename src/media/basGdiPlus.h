#pragma once

// Picture files: recognising them, drawing them into a box by a placement mode, and
// converting them for a package. BMP, JPEG, GIF, PNG and TIFF are read by the platform
// library (Qt's image readers), TGA and PCX by our own decoders (LoadTgaPcx). A box is the
// image a picture is drawn into, an opaque 32-bit image (Format_RGB32) in its own pixels.

#include "core/MediaFiles.h"
#include "core/Prompter.h"
#include "media/ImageProbe.h"
#include "media/Placement.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <optional>

namespace pivlo {

// Pictures larger than this are scaled down before they enter a package.
constexpr int kPackagePictureWidth = 1920;
constexpr int kPackagePictureHeight = 1440;
// JPEG qualities: pictures converted for a package, and bitmaps saved as files.
constexpr int kPackageJpegQuality = 94;
constexpr int kBitmapJpegQuality = 92;

// Checks that the platform library reads the five formats and writes JPEG and PNG; when
// not, shows "错误代码：53, " and what is missing, and the library is not ready.
bool StartGdiPlus(Prompter& prompter);
void ShutdownGdiPlus();
bool GdiPlusReady();

// Recognises a picture by its content. A path shorter than 8 characters (trailing blanks
// not counted) is "UnKnown" without touching the file. Size and depth are filled for the
// platform formats only when `want_size`; TGA and PCX always report theirs.
ImageProbe ProbeImageFile(const QString& path, bool want_size);
// The same for a file's bytes held in memory.
ImageProbe ProbeImageBytes(const QByteArray& bytes, bool want_size);
// The same for a file held by `media` (which may be null), else on disk.
ImageProbe ProbeMediaImage(const MediaFiles* media, const QString& path, bool want_size);

// The system's button-face colour, the background of picture boxes. Read it on the window
// thread.
QColor ButtonFaceColour();

// Fills the box with the face colour and paints the picture with mode 0, chosen by the
// path's last three letters (BMP, JPG, GIF, PNG, TIF, TGA, PCX); others paint nothing.
// Worker threads pass the face colour read on the window thread.
void ShowPictureFile(const QString& path, QImage& box, const QColor& face = ButtonFaceColour());

// Paints the picture file into the box by the placement mode, decoded by the path's last
// three letters: BMP, JPG, GIF, PNG and TIF by the platform library, TGA and PCX by our
// own decoders; any other ending paints nothing. Returns what the painter returns.
std::optional<QRect> PaintPictureByType(QImage& box, const QString& path, int mode, QPoint point,
                                        const RandomUnit& random = ClockRandomUnit());
// The same for a file held by `media` (which may be null), else on disk.
std::optional<QRect> PaintMediaPicture(const MediaFiles* media, QImage& box, const QString& path, int mode,
                                       QPoint point, const RandomUnit& random = ClockRandomUnit());

// Paint a picture of the platform formats from a file or from its bytes into the box by
// the placement mode; `point` is the top-left point of mode 1, where (0, 0) asks for a
// random one. Returns the rectangle of the picture (the first tile when tiled: for mode 1
// what the canvas marks as the photo's place), nothing when nothing was drawn. Pictures
// drawn smaller than their size are decoded at reduced scale.
std::optional<QRect> PaintPictureFile(QImage& box, const QString& path, int mode, QPoint point,
                                      const RandomUnit& random = ClockRandomUnit());
std::optional<QRect> PaintPictureBytes(QImage& box, const QByteArray& bytes, int mode, QPoint point,
                                       const RandomUnit& random = ClockRandomUnit());

// Draw a picture of the platform formats scaled into the rectangle (thumbnails), decoding it
// at reduced scale. False when it does not decode.
bool DrawImageFileToDC(QPainter& painter, const QString& path, const QRect& rect);
bool DrawImageBytesToDC(QPainter& painter, const QByteArray& bytes, const QRect& rect);
// Draws a decoded bitmap smoothly scaled into (0, 0, size).
void DrawBitmapToDC(QPainter& painter, const QImage& bitmap, QSize size);

// The image encoded as "JPG" (of the quality) or "PNG"; empty for other tags or a failure.
QByteArray EncodePicture(const QImage& image, const QString& tag, int quality);

// Saves the bitmap as a JPEG file of the quality; an existing file is replaced only once
// the new one is complete.
bool SaveBitmapAsJpeg(const QImage& bitmap, const QString& path, int quality);

// The encoded bytes of the picture at `source_path` (of format `source_tag`: BMP, JPG, PNG,
// TIF, TGA or PCX; its size width x height) converted to `target_tag` (JPG or PNG). A
// picture beyond 1920 x 1440 is scaled down to fit, keeping its aspect ratio. Empty when the
// picture does not decode or a tag is not one of these.
QByteArray ConvertPicture(const QString& source_path, const QString& source_tag, const QString& target_tag,
                          int width, int height, int quality);

// How a picture goes into a package: converted (`used`, with the converted `bytes` and
// their tag) or as its source file unchanged (`used` false, `bytes` empty, the source's tag).
struct PreparedPicture {
  QByteArray bytes;
  QString format;
  bool used = false;
};
PreparedPicture PreparePictureBytes(const QString& path);

// The picture's encoded bytes scaled to the whole box size on a transparent canvas, as PNG
// bytes (the picture-frame overlay). Empty when the bytes do not decode.
QByteArray ScaleBytesToPng(const QByteArray& picture_bytes, QSize box_size);

}  // namespace pivlo
