#include "media/PlatformPicture.h"

#include "core/basByteFiles.h"
#include "media/PictureLimits.h"

#include <QImageWriter>

namespace pivlo {
namespace {

constexpr int kJpegScalingQuality = 100;  // exact DCT and smooth scaling of the reduced picture

struct PlatformFormat {
  const char* qt_name;
  const char* tag;
};
constexpr PlatformFormat kPlatformFormats[] = {
    {"jpeg", "JPG"}, {"png", "PNG"}, {"gif", "GIF"}, {"bmp", "BMP"}, {"tiff", "TIF"},
};

// Qt refuses by default what a large camera picture needs; ours is the pixel limit.
void SetQtAllocationLimit() {
  static const bool done = [] {
    QImageReader::setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
    return true;
  }();
  Q_UNUSED(done);
}

// A reader of exactly this format, from the device's start.
void UseFormat(QImageReader& reader, QIODevice* device, const char* format) {
  device->seek(0);
  reader.setDevice(device);
  reader.setFormat(format);
  reader.setAutoDetectImageFormat(false);
}

}  // namespace

QStringList MissingPlatformFormats() {
  QStringList missing;
  const QList<QByteArray> readable = QImageReader::supportedImageFormats();
  for (const PlatformFormat& format : kPlatformFormats) {
    if (!readable.contains(format.qt_name)) missing << QString::fromLatin1(format.qt_name);
  }
  const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
  for (const char* format : {"jpeg", "png"}) {
    if (!writable.contains(format) && !missing.contains(QLatin1String(format))) missing << QString::fromLatin1(format);
  }
  return missing;
}

PlatformPicture::PlatformPicture(const QString& path) {
  if (OpenRegularFile(file_, path)) device_ = &file_;
  Recognise();
}

PlatformPicture::PlatformPicture(const QByteArray& bytes) {
  buffer_.setData(bytes);
  buffer_.open(QIODevice::ReadOnly);
  device_ = &buffer_;
  Recognise();
}

PlatformPicture::PlatformPicture(QIODevice* device) : device_(device) {
  Recognise();
}

void PlatformPicture::Recognise() {
  SetQtAllocationLimit();
  if (!device_ || !device_->isReadable()) return;
  for (const PlatformFormat& format : kPlatformFormats) {
    QImageReader candidate;
    UseFormat(candidate, device_, format.qt_name);
    if (!candidate.canRead()) continue;
    const QSize size = candidate.size();
    if (!size.isValid()) return;
    UseFormat(reader_, device_, format.qt_name);
    // Photos are shown the right way up: a camera's orientation tag turns the picture,
    // and a turned picture is as wide as the stored one is high.
    reader_.setAutoTransform(true);
    turned_ = candidate.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    tag_ = QString::fromLatin1(format.tag);
    size_ = turned_ ? size.transposed() : size;
    return;
  }
}

bool PlatformPicture::IsIcon() {
  if (!device_ || !device_->isReadable()) return false;
  QImageReader icon;
  UseFormat(icon, device_, "ico");
  return icon.canRead() && !icon.read().isNull();
}

QImage PlatformPicture::Read(QSize scaled) {
  if (tag_.isEmpty() || !WithinPixelLimit(scaled.isValid() ? scaled : size_)) return {};
  if (scaled.isValid() && scaled != size_) {
    // The reader scales before it turns.
    reader_.setScaledSize(turned_ ? scaled.transposed() : scaled);
    reader_.setQuality(kJpegScalingQuality);
  }
  return reader_.read();
}

}  // namespace pivlo
