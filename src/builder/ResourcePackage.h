#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace pivlo {

// gmi.src holds the program's own pictures, each N.frame a set of picture frames; the two
// kinds differ only in the keys of their index.
enum class ResourceKind { Images, Frames };

// The three array keys of an index: entry names, sizes and offsets.
struct ResourceIndexKeys {
  QString names;
  QString sizes;
  QString offsets;
};
const ResourceIndexKeys& IndexKeysOf(ResourceKind kind);

// A resource package: a property bag of L bytes holding the index (three arrays with the
// bounds 1 to N), directly followed by the raw entries. Entry i occupies the file bytes
// L + offset(i) to L + offset(i) + size(i) - 1.
class ResourcePackage {
 public:
  struct Entry {
    QString name;
    qint32 size = 0;
    qint32 offset = 0;  // counted from the end of the bag
  };

  // Reads the index of the package at the path. Nothing when the file is missing or
  // malformed: no whole bag of the length it claims, an array missing or shorter than
  // 1 to N, or an entry that does not lie within the file.
  static std::optional<ResourcePackage> Open(const QString& path, ResourceKind kind);
  // The same for a package of either kind, as its index says.
  static std::optional<ResourcePackage> Open(const QString& path);

  ResourceKind Kind() const { return kind_; }
  const QString& Path() const { return path_; }
  qint64 BagLength() const { return bag_length_; }
  // Entries 1 to N in index order: entry i is element i - 1.
  const QList<Entry>& Entries() const { return entries_; }

  // The number (1 to N) of the first entry whose name equals the given one ignoring
  // case; a later entry of the same name is never found.
  std::optional<qint32> Find(const QString& name) const;
  // The bytes of entry `number` (1 to N) as the file holds them now; nothing when there
  // is no such entry or the file no longer holds it.
  std::optional<QByteArray> Read(qint32 number) const;

 private:
  ResourcePackage() = default;

  ResourceKind kind_ = ResourceKind::Images;
  QString path_;
  qint64 bag_length_ = 0;
  QList<Entry> entries_;
};

}  // namespace pivlo
