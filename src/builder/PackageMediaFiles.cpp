#include "builder/PackageMediaFiles.h"

#include "builder/HeadScramble.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

// One item of the blob as a file of its own, its head unscrambled. Unbuffered, so that
// every read starts where the last seek left it.
class ItemDevice final : public QIODevice {
 public:
  ItemDevice(const QString& package, qint64 start, qint64 size) : file_(package), start_(start), size_(size) {}

  bool Begin(QString* error) {
    if (file_.open(QIODevice::ReadOnly) && file_.size() >= start_ + size_) {
      return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    if (error) *error = file_.fileName() + u": the package cannot be read: "_s + file_.errorString();
    return false;
  }

  bool isSequential() const override { return false; }
  qint64 size() const override { return size_; }
  bool seek(qint64 to) override {
    if (to < 0 || to > size_ || !QIODevice::seek(to)) return false;
    at_ = to;
    return true;
  }

 protected:
  qint64 readData(char* data, qint64 most) override {
    const qint64 count = std::min(most, size_ - at_);
    if (count <= 0) return 0;
    if (!file_.seek(start_ + at_)) return -1;
    const qint64 got = file_.read(data, count);
    if (got < 0) return -1;
    for (qint64 k = at_; k < std::min<qint64>(kScrambledItemHead, at_ + got); ++k) {
      data[k - at_] = char(quint8(data[k - at_]) ^ KeystreamByte(k));
    }
    at_ += got;
    return got;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QFile file_;
  qint64 start_;
  qint64 size_;
  qint64 at_ = 0;
};

}  // namespace

QString MediaInPackageKey() { return u"MediaInPackage"_s; }

std::shared_ptr<const PackageMediaFiles> PackageMediaFiles::Of(const ScreensaverPackage& package) {
  if (!package.Settings().Get(MediaInPackageKey(), false).ToBool()) return nullptr;
  std::shared_ptr<PackageMediaFiles> media(new PackageMediaFiles);
  media->package_ = package.Path();
  media->blob_start_ = package.Trailer().stub;
  for (const PackageItem& item : package.Items()) {
    if (const std::optional<qint32> number = MediaItemNumber(item.name)) media->items_.insert(*number, item);
  }
  return media;
}

bool PackageMediaFiles::Holds(const QString& path) const { return HeldMediaNumber(path).has_value(); }

std::unique_ptr<QIODevice> PackageMediaFiles::Open(const QString& path, QString* error) const {
  const std::optional<qint32> number = HeldMediaNumber(path);
  const auto item = number ? items_.constFind(*number) : items_.cend();
  if (item == items_.cend()) {
    if (error) *error = u"the package holds no such file"_s;
    return nullptr;
  }
  auto device = std::make_unique<ItemDevice>(package_, blob_start_ + item->offset, item->size);
  if (!device->Begin(error)) return nullptr;
  return device;
}

}  // namespace pivlo
