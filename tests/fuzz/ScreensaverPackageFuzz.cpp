// Any bytes as a screensaver package: never a crash, and what the reader admits lies
// within the file: the sections add up, every item lies in the blob and reads whole, and
// only the icon is ever set aside. The icon is decoded as the player decodes it.

#include "builder/PackageIcon.h"
#include "builder/ScreensaverPackage.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  static QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("package.scr"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
      std::abort();
    }
  }
  const std::optional<ScreensaverPackage> package = ScreensaverPackage::Open(path);
  if (!package) return 0;
  const PackageTrailer& trailer = package->Trailer();
  if (qint64(trailer.stub) + trailer.blob + trailer.bag + 16 != qint64(size)) std::abort();
  qint64 end = 0;
  for (const PackageItem& item : package->Items()) {
    if (item.offset < end || qint64(item.offset) + item.size > trailer.blob) std::abort();
    end = qint64(item.offset) + item.size;
    if (package->ReadItem(item).value_or(QByteArray(1, 'x')).size() != item.size) std::abort();
  }
  for (const QString& why : package->SetAside()) {
    if (!why.startsWith(IconItemName() + u':') || package->FindItem(IconItemName()) != nullptr) std::abort();
  }
  for (const QImage& image : PackageIconImages(*package)) {
    if (image.isNull()) std::abort();
  }
  return 0;
}
