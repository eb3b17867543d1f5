#pragma once

#include "core/PropertyBag.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace pivlo {

// A built screensaver: the player (S bytes), the resource blob (B), the settings bag (C)
// and the 16-byte trailer giving S, B and C. Each blob item is named in the bag by three
// keys: NAME_OffSet (from the start of the blob), NAME_Size and, for registered files,
// NAME_Type. The layout is in docs/formats.md.

// The items the builder writes.
QString TextureItemName();  // "TextureImage": rainbow.jpg of gmi.src
QString FrameItemName();    // "PictureFrameData": the chosen picture frame
QString RuntimeItemName();  // "d3DFile": the graphics runtime, a registered file
QString IconItemName();     // "IconFile": the confirmed icon file, a registered file after d3DFile

QString ItemOffsetKey(const QString& name);  // NAME + "_OffSet"
QString ItemSizeKey(const QString& name);    // NAME + "_Size"
QString ItemTypeKey(const QString& name);    // NAME + "_Type"

struct PackageTrailer {
  qint32 stub = 0;
  qint32 blob = 0;
  qint32 bag = 0;
};

struct PackageItem {
  QString name;
  qint32 offset = 0;  // from the start of the blob
  qint32 size = 0;
  QString type;       // empty for items without a _Type key
};

// The trailer as the last 16 bytes of the file hold it, unchecked; nothing when the file
// is shorter or does not end in the trailer's mark.
std::optional<PackageTrailer> ReadPackageTrailer(const QString& path);

class ScreensaverPackage {
 public:
  // Reads the package at the path. Nothing, with the reason in `error`, unless the
  // trailer's sizes are not negative and add up to the file's length, the bag is whole
  // and exactly C bytes long, and every item has 32-bit offset and size keys and lies
  // within the blob without overlapping another. The icon item is the exception: the
  // show plays without it, so a damaged one is only left out (see SetAside()).
  static std::optional<ScreensaverPackage> Open(const QString& path, QString* error = nullptr);

  const QString& Path() const { return path_; }
  const PackageTrailer& Trailer() const { return trailer_; }
  const PropertyBag& Settings() const { return settings_; }
  // In blob order.
  const QList<PackageItem>& Items() const { return items_; }
  const PackageItem* FindItem(const QString& name) const;
  // The items left out of Items() as damaged, each as "NAME: why".
  const QStringList& SetAside() const { return set_aside_; }

  // The item's bytes with their head unscrambled; nothing when the file no longer holds
  // them.
  std::optional<QByteArray> ReadItem(const PackageItem& item) const;

 private:
  ScreensaverPackage() = default;

  QString path_;
  PackageTrailer trailer_;
  PropertyBag settings_;
  QList<PackageItem> items_;
  QStringList set_aside_;
};

}  // namespace pivlo
