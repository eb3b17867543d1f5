#include "builder/ResourcePackageWriter.h"

#include "core/FileReplacement.h"
#include "core/PropertyBag.h"
#include "core/basByteFiles.h"
#include "core/basPropertyBag.h"

#include <QFileInfo>

#include <limits>

namespace pivlo {

bool WriteResourcePackage(const QString& out, const ResourcePackageRequest& request, QString& error) {
  QStringList names;
  QList<qint32> sizes;
  QList<qint32> offsets;
  qint64 next = 0;
  for (const ResourcePackageItem& item : request.items) {
    const QFileInfo info(item.path);
    if (!info.isFile()) {
      error = item.path + QStringLiteral(": no such file");
      return false;
    }
    // Offsets and sizes are stored as signed 32-bit numbers.
    if (next + info.size() > std::numeric_limits<qint32>::max()) {
      error = item.path + QStringLiteral(": the package would exceed 2 GiB");
      return false;
    }
    names.append(item.name);
    sizes.append(qint32(info.size()));
    offsets.append(qint32(next));
    next += info.size();
  }

  PropertyBag bag;
  const ResourceIndexKeys& keys = IndexKeysOf(request.kind);
  WriteStringArray(keys.names, 1, names, bag);
  WriteLongArray(keys.sizes, 1, sizes, bag);
  WriteLongArray(keys.offsets, 1, offsets, bag);
  if (!request.copyright.isEmpty()) bag.Put(QStringLiteral("CopyrightCN"), request.copyright);

  FileReplacement file(out);
  if (!file.Write(bag.Contents())) {
    error = file.Error();
    return false;
  }
  for (qsizetype i = 0; i < request.items.size(); ++i) {
    const QString& path = request.items[i].path;
    QByteArray bytes;
    // A file that changed since it was measured would shift every later entry.
    if (sizes[i] > 0 && ReadFileBytes(bytes, path, 0, sizes[i]) != sizes[i]) {
      error = path + QStringLiteral(": cannot read");
      return false;
    }
    if (QFileInfo(path).size() != sizes[i]) {
      error = path + QStringLiteral(": changed while packing");
      return false;
    }
    if (!file.Write(bytes)) {
      error = file.Error();
      return false;
    }
  }
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}

}  // namespace pivlo
