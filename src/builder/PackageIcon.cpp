#include "builder/PackageIcon.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// The editor's icons are one image of at most 48 pixels, and icon files given to the
// command line seldom pass a few hundred KiB: anything far larger is not decoded.
constexpr qint32 kLargestIconFile = 4 * 1024 * 1024;
// The image count is the file's word, not the number of images it holds: no more are
// read than the directory has room for, and no more than this.
constexpr int kMostIconImages = 16;
constexpr qsizetype kIconHeaderLength = 6;
constexpr qsizetype kIconEntryLength = 16;

QList<QImage> Fail(QString* why, const QString& reason) {
  if (why != nullptr) *why = reason;
  return {};
}

}  // namespace

QList<QImage> PackageIconImages(const ScreensaverPackage& package, QString* why) {
  const PackageItem* item = package.FindItem(IconItemName());
  if (item == nullptr) {
    // The reader sets aside no other item than the icon.
    return package.SetAside().isEmpty() ? QList<QImage>() : Fail(why, package.SetAside().constFirst());
  }
  if (item->size > kLargestIconFile) return Fail(why, item->name + u": too large for an icon file"_s);
  const std::optional<QByteArray> bytes = package.ReadItem(*item);
  if (!bytes) return Fail(why, item->name + u": cannot be read"_s);
  QBuffer buffer;
  buffer.setData(*bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  const qsizetype room = (bytes->size() - kIconHeaderLength) / kIconEntryLength;
  const int count = int(std::min<qsizetype>({reader.imageCount(), room, kMostIconImages}));
  QList<QImage> images;
  for (int i = 0; i < count && reader.jumpToImage(i); ++i) {
    QImage image = reader.read();
    if (!image.isNull()) images.append(std::move(image));
  }
  if (images.isEmpty()) return Fail(why, item->name + u": holds no icon image"_s);
  return images;
}

}  // namespace pivlo
