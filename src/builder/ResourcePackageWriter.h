#pragma once

#include "builder/ResourcePackage.h"

#include <QList>
#include <QString>

namespace pivlo {

struct ResourcePackageItem {
  QString path;  // the file whose bytes become the entry
  QString name;  // the entry name (images) or the frame's display name (frames)
};

struct ResourcePackageRequest {
  ResourceKind kind = ResourceKind::Images;
  QList<ResourcePackageItem> items;  // entries 1 to N, in this order
  QString copyright;                 // stored as the text "CopyrightCN" when not empty
};

// Writes a resource package: the index bag, then every file's bytes back to back in
// item order. The output is replaced only once it is complete. On failure, `error`
// says why in one line naming the file.
bool WriteResourcePackage(const QString& out, const ResourcePackageRequest& request, QString& error);

}  // namespace pivlo
