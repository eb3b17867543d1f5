#include "core/MediaFiles.h"

#include "core/basByteFiles.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace pivlo {
namespace {

const QString kHeldPrefix = u"res:"_s;
const QString kItemPrefix = u"MediaFile("_s;

// A number from 1 written the one way: digits only, no leading zero.
std::optional<qint32> CountingNumber(QStringView digits) {
  if (digits.isEmpty() || digits.front() == u'0' || !digits.front().isDigit()) return std::nullopt;
  bool ok = false;
  const qint32 number = digits.toInt(&ok);
  if (!ok || number < 1) return std::nullopt;
  return number;
}

}  // namespace

QString HeldMediaPath(qint32 number, const QString& name) {
  return kHeldPrefix + QString::number(number) + u'/' + name;
}

std::optional<qint32> HeldMediaNumber(const QString& path) {
  if (!path.startsWith(kHeldPrefix)) return std::nullopt;
  const qsizetype slash = path.indexOf(u'/', kHeldPrefix.size());
  if (slash < 0) return std::nullopt;
  return CountingNumber(QStringView(path).sliced(kHeldPrefix.size(), slash - kHeldPrefix.size()));
}

QString MediaItemName(qint32 number) { return kItemPrefix + QString::number(number) + u')'; }

std::optional<qint32> MediaItemNumber(const QString& item) {
  if (!item.startsWith(kItemPrefix) || !item.endsWith(u')')) return std::nullopt;
  return CountingNumber(QStringView(item).sliced(kItemPrefix.size(), item.size() - kItemPrefix.size() - 1));
}

std::unique_ptr<QIODevice> OpenMediaFile(const MediaFiles* media, const QString& path, QString* error) {
  if (media != nullptr && media->Holds(path)) return media->Open(path, error);
  auto file = std::make_unique<QFile>();
  if (!OpenRegularFile(*file, path)) {
    if (error) *error = u"not a regular file"_s;
    return nullptr;
  }
  return file;
}

std::optional<QByteArray> ReadMediaFile(const MediaFiles* media, const QString& path, qint64 limit, QString* error) {
  const auto refuse = [error](const QString& why) -> std::optional<QByteArray> {
    if (error) *error = why;
    return std::nullopt;
  };
  const std::unique_ptr<QIODevice> device = OpenMediaFile(media, path, error);
  if (!device) return std::nullopt;
  if (device->size() > limit) return refuse(u"larger than %1 bytes"_s.arg(limit));
  QByteArray bytes = device->readAll();
  if (bytes.size() != device->size()) return refuse(device->errorString());
  return bytes;
}

}  // namespace pivlo
