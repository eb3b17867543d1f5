#include "media/basGdiPlus.h"

#include "core/FileReplacement.h"
#include "core/PathRules.h"
#include "core/Rounding.h"
#include "core/basByteFiles.h"
#include "media/ImageHeaderDepth.h"
#include "media/LoadTgaPcx.h"
#include "media/PictureLimits.h"
#include "media/PlatformPicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPalette>

namespace pivlo {
namespace {

constexpr qsizetype kProbedHeadBytes = 128;  // enough for the TGA and PCX headers
constexpr int kMissingFileError = 53;

bool g_gdi_plus_ready = false;

// The types the platform library decodes, by a path's last three letters.
bool IsPlatformPictureType(const QString& type) {
  return type == u"BMP" || type == u"JPG" || type == u"GIF" || type == u"PNG" || type == u"TIF";
}

ImageProbe Probe(PlatformPicture& picture, QIODevice& device, bool want_size) {
  ImageProbe probe;
  if (!picture.Tag().isEmpty()) {
    probe.Format = picture.Tag();
    if (want_size) {
      probe.Width = picture.Size().width();
      probe.Height = picture.Size().height();
      probe.Depth = HeaderDepth(device, probe.Format);
    }
    return probe;
  }
  if (picture.IsIcon()) return probe;
  if (!device.seek(0)) return probe;
  const QByteArray head = device.read(kProbedHeadBytes);
  if (const std::optional<ImageProbe> tga = ProbeTgaHeader(head)) return *tga;
  if (const std::optional<ImageProbe> pcx = ProbePcxHeader(head)) return *pcx;
  return probe;
}

std::optional<QRect> PaintPlatformPicture(QImage& box, PlatformPicture& picture, int mode, QPoint point,
                                          const RandomUnit& random) {
  if (picture.Tag().isEmpty()) return std::nullopt;
  const QSize natural = picture.Size();
  const Placement placement = PlacePicture(natural, box.size(), mode, point, random);
  if (placement.IsEmpty()) return std::nullopt;
  const bool reduced = placement.columns == 1 && placement.rows == 1 &&
                       placement.rect.width() <= natural.width() && placement.rect.height() <= natural.height();
  const QImage image = picture.Read(reduced ? placement.rect.size() : QSize());
  if (image.isNull()) return std::nullopt;
  DrawPlaced(box, image, placement);
  return placement.rect;
}

bool DrawPlatformPicture(QPainter& painter, PlatformPicture& picture, const QRect& rect) {
  if (rect.isEmpty()) return false;
  const QImage image = picture.Read(rect.size());
  if (image.isNull()) return false;
  painter.drawImage(rect, image);
  return true;
}

// The picture drawn scaled onto a transparent 32-bit canvas of the size.
QImage OnCanvas(const QImage& picture, QSize size) {
  QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
  if (canvas.isNull()) return {};
  canvas.fill(Qt::transparent);
  DrawPlaced(canvas, picture, Placement{canvas.rect()});
  return canvas;
}

// The size within the package limit: scaled down keeping the aspect ratio.
QSize PackageSize(int width, int height) {
  if (width <= kPackagePictureWidth && height <= kPackagePictureHeight) return QSize(width, height);
  if (double(height) / kPackagePictureHeight > double(width) / kPackagePictureWidth) {
    return QSize(RoundToInt32(double(kPackagePictureHeight) / height * width), kPackagePictureHeight);
  }
  return QSize(kPackagePictureWidth, RoundToInt32(double(kPackagePictureWidth) / width * height));
}

}  // namespace

QColor ButtonFaceColour() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    return QGuiApplication::palette().color(QPalette::Button);
  }
  return QColor(0xF0, 0xF0, 0xF0);  // no window system: the usual light grey
}

bool StartGdiPlus(Prompter& prompter) {
  const QStringList missing = MissingPlatformFormats();
  g_gdi_plus_ready = missing.isEmpty();
  if (!g_gdi_plus_ready) {
    prompter.ShowMessage(QCoreApplication::translate("basGdiPlus", "错误代码：") + QString::number(kMissingFileError) +
                             QStringLiteral(", ") + QCoreApplication::translate("basGdiPlus", "文件未找到") +
                             QStringLiteral(": ") + missing.join(QStringLiteral(", ")),
                         MessageIcon::Information);
  }
  return g_gdi_plus_ready;
}

void ShutdownGdiPlus() {
  g_gdi_plus_ready = false;
}

bool GdiPlusReady() {
  return g_gdi_plus_ready;
}

ImageProbe ProbeImageFile(const QString& path, bool want_size) {
  QString trimmed = path;
  while (trimmed.endsWith(u' ')) trimmed.chop(1);
  if (!IsPathSet(trimmed)) return {};
  QFile file;
  if (!OpenRegularFile(file, path)) return {};
  PlatformPicture picture(&file);
  return Probe(picture, file, want_size);
}

ImageProbe ProbeImageBytes(const QByteArray& bytes, bool want_size) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  PlatformPicture picture(&buffer);
  return Probe(picture, buffer, want_size);
}

ImageProbe ProbeMediaImage(const MediaFiles* media, const QString& path, bool want_size) {
  if (media == nullptr || !media->Holds(path)) return ProbeImageFile(path, want_size);
  const std::unique_ptr<QIODevice> device = media->Open(path, nullptr);
  if (!device) return {};
  PlatformPicture picture(device.get());
  return Probe(picture, *device, want_size);
}

void ShowPictureFile(const QString& path, QImage& box, const QColor& face) {
  box.fill(face);
  PaintPictureByType(box, path, kPlaceCentred, QPoint());
}

std::optional<QRect> PaintPictureByType(QImage& box, const QString& path, int mode, QPoint point,
                                        const RandomUnit& random) {
  const QString type = FileTypeOfPath(path);
  if (type == u"TGA") return LoadTgaPicture(box, path, mode, point, random);
  if (type == u"PCX") return LoadPcxPicture(box, path, mode, point, random);
  if (IsPlatformPictureType(type)) {
    return PaintPictureFile(box, path, mode, point, random);
  }
  return std::nullopt;
}

std::optional<QRect> PaintMediaPicture(const MediaFiles* media, QImage& box, const QString& path, int mode,
                                       QPoint point, const RandomUnit& random) {
  if (media == nullptr || !media->Holds(path)) return PaintPictureByType(box, path, mode, point, random);
  const QString type = FileTypeOfPath(path);
  if (type == u"TGA" || type == u"PCX") {
    const std::optional<QByteArray> bytes = ReadMediaFile(media, path, kMaxPictureFileBytes);
    if (!bytes) return std::nullopt;
    return PaintDecodedPicture(box, type == u"TGA" ? DecodeTga(*bytes) : DecodePcx(*bytes), mode, point, random);
  }
  if (!IsPlatformPictureType(type)) return std::nullopt;
  const std::unique_ptr<QIODevice> device = media->Open(path, nullptr);
  if (!device) return std::nullopt;
  PlatformPicture picture(device.get());
  return PaintPlatformPicture(box, picture, mode, point, random);
}

std::optional<QRect> PaintPictureFile(QImage& box, const QString& path, int mode, QPoint point,
                                      const RandomUnit& random) {
  PlatformPicture picture(path);
  return PaintPlatformPicture(box, picture, mode, point, random);
}

std::optional<QRect> PaintPictureBytes(QImage& box, const QByteArray& bytes, int mode, QPoint point,
                                       const RandomUnit& random) {
  PlatformPicture picture(bytes);
  return PaintPlatformPicture(box, picture, mode, point, random);
}

bool DrawImageFileToDC(QPainter& painter, const QString& path, const QRect& rect) {
  PlatformPicture picture(path);
  return DrawPlatformPicture(painter, picture, rect);
}

bool DrawImageBytesToDC(QPainter& painter, const QByteArray& bytes, const QRect& rect) {
  PlatformPicture picture(bytes);
  return DrawPlatformPicture(painter, picture, rect);
}

void DrawBitmapToDC(QPainter& painter, const QImage& bitmap, QSize size) {
  if (bitmap.isNull() || size.isEmpty()) return;
  painter.drawImage(QPoint(0, 0),
                    bitmap.size() == size ? bitmap : bitmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QByteArray EncodePicture(const QImage& image, const QString& tag, int quality) {
  const char* format = tag == u"JPG" ? "jpeg" : tag == u"PNG" ? "png" : nullptr;
  if (!format || image.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (tag == u"JPG") writer.setQuality(quality);
  if (!writer.write(image)) return {};
  return bytes;
}

bool SaveBitmapAsJpeg(const QImage& bitmap, const QString& path, int quality) {
  const QByteArray bytes = EncodePicture(bitmap, QStringLiteral("JPG"), quality);
  if (bytes.isEmpty()) return false;
  return ReplaceFileContents(path, bytes);
}

QByteArray ConvertPicture(const QString& source_path, const QString& source_tag, const QString& target_tag,
                          int width, int height, int quality) {
  const QSize size = PackageSize(width, height);
  const bool over_limit = size != QSize(width, height);
  QImage picture;
  if (source_tag == u"PCX") {
    picture = DecodePcxBitmap(source_path);
  } else if (source_tag == u"TGA") {
    picture = DecodeTgaBitmap(source_path);
  } else if (source_tag == u"BMP" || source_tag == u"JPG" || source_tag == u"PNG" || source_tag == u"TIF") {
    picture = PlatformPicture(source_path).Read(over_limit ? size : QSize());
  }
  if (picture.isNull()) return {};
  if (target_tag == u"PNG" || over_limit) picture = OnCanvas(picture, size);
  return EncodePicture(picture, target_tag, quality);
}

PreparedPicture PreparePictureBytes(const QString& path) {
  const ImageProbe probe = ProbeImageFile(path, true);
  const QString& source = probe.Format;
  const PreparedPicture unchanged{QByteArray(), source, false};
  if (source == u"GIF" || (source == u"TGA" && probe.Depth == 32) ||
      ((source == u"PNG" || source == u"TIF") && probe.Depth <= 8)) {
    return unchanged;
  }
  QString target = QStringLiteral("JPG");
  if (probe.Width > kPackagePictureWidth || probe.Height > kPackagePictureHeight) {
    if ((source == u"TIF" || source == u"PNG") && probe.Depth == 32) target = QStringLiteral("PNG");
  } else if (source == u"TIF") {
    if (probe.Depth == 32) target = QStringLiteral("PNG");
  } else if (source != u"BMP" && source != u"PCX" && source != u"TGA") {
    return unchanged;  // a JPEG or PNG that fits goes in as it is
  }
  const QByteArray bytes = ConvertPicture(path, source, target, probe.Width, probe.Height, kPackageJpegQuality);
  if (bytes.isEmpty()) return unchanged;
  // The smaller source file goes in instead, except for the formats the player cannot read.
  if (QFileInfo(path).size() < bytes.size() && source != u"PCX" && source != u"TGA") return unchanged;
  return {bytes, target, true};
}

QByteArray ScaleBytesToPng(const QByteArray& picture_bytes, QSize box_size) {
  if (box_size.isEmpty()) return {};
  const QImage picture = PlatformPicture(picture_bytes).Read(box_size);
  if (picture.isNull()) return {};
  return EncodePicture(OnCanvas(picture, box_size), QStringLiteral("PNG"), -1);
}

}  // namespace pivlo
