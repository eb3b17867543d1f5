#pragma once

#include "builder/ScreensaverPackage.h"
#include "core/MediaFiles.h"

#include <QHash>
#include <QString>

#include <memory>

namespace pivlo {

// The key that says a package holds the files its show is made of.
QString MediaInPackageKey();  // "MediaInPackage"

// The files a self-contained package holds, read from its blob as they are asked for.
class PackageMediaFiles final : public MediaFiles {
 public:
  // Nothing unless the package's settings say it holds its files.
  static std::shared_ptr<const PackageMediaFiles> Of(const ScreensaverPackage& package);

  // Every "res:N/NAME" path, held or not: a number the blob lacks fails to open.
  bool Holds(const QString& path) const override;
  std::unique_ptr<QIODevice> Open(const QString& path, QString* error) const override;

 private:
  PackageMediaFiles() = default;

  QString package_;
  qint64 blob_start_ = 0;
  QHash<qint32, PackageItem> items_;
};

}  // namespace pivlo
