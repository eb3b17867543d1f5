#include "builder/ResourcePackage.h"

#include "core/PropertyBag.h"
#include "core/basByteFiles.h"
#include "core/basPropertyBag.h"

#include <QFile>
#include <QtEndian>

namespace pivlo {
namespace {

constexpr qint64 kBagLengthAt = 4;

// The bag at the start of the file, exactly as long as its bytes 4 to 7 say.
bool ReadIndexBag(QFile& file, PropertyBag& bag, qint64& length) {
  QByteArray field;
  if (ReadFileBytes(field, file, kBagLengthAt, 4) != 4) return false;
  length = qFromLittleEndian<quint32>(field.constData());
  QByteArray contents;
  // The reader refuses a length beyond the file, so a damaged field cannot over-read.
  return ReadFileBytes(contents, file, 0, length) == length && bag.SetContents(contents);
}

}  // namespace

const ResourceIndexKeys& IndexKeysOf(ResourceKind kind) {
  static const ResourceIndexKeys kImages{QStringLiteral("ImgNames"), QStringLiteral("ImgSizes"),
                                         QStringLiteral("ImgOffSets")};
  static const ResourceIndexKeys kFrames{QStringLiteral("FrameNamesCN"), QStringLiteral("FrameSizes"),
                                         QStringLiteral("FrameOffSets")};
  return kind == ResourceKind::Images ? kImages : kFrames;
}

std::optional<ResourcePackage> ResourcePackage::Open(const QString& path, ResourceKind kind) {
  QFile file;
  if (!OpenRegularFile(file, path)) return std::nullopt;
  ResourcePackage package;
  PropertyBag bag;
  if (!ReadIndexBag(file, bag, package.bag_length_)) return std::nullopt;

  const ResourceIndexKeys& keys = IndexKeysOf(kind);
  const auto names = ReadStringArray(keys.names, bag);
  const auto sizes = ReadLongArray(keys.sizes, bag);
  const auto offsets = ReadLongArray(keys.offsets, bag);
  if (!names || !sizes || !offsets) return std::nullopt;

  // N is the upper bound of the sizes; every array must reach from 1 to N. The arrays
  // cannot claim more elements than the bag holds, so N is large only with a lower bound
  // above 1, which the first index already refuses.
  const qint64 count = sizes->Upper();
  const qint64 room = file.size() - package.bag_length_;
  package.entries_.reserve(sizes->items.size());
  for (qint64 i = 1; i <= count; ++i) {
    if (!names->HasIndex(i) || !sizes->HasIndex(i) || !offsets->HasIndex(i)) return std::nullopt;
    const Entry entry{names->At(i), sizes->At(i), offsets->At(i)};
    if (entry.size < 0 || entry.offset < 0 || qint64(entry.offset) + entry.size > room) return std::nullopt;
    package.entries_.append(entry);
  }
  package.kind_ = kind;
  package.path_ = path;
  return package;
}

std::optional<ResourcePackage> ResourcePackage::Open(const QString& path) {
  if (std::optional<ResourcePackage> images = Open(path, ResourceKind::Images)) return images;
  return Open(path, ResourceKind::Frames);
}

std::optional<qint32> ResourcePackage::Find(const QString& name) const {
  const QString wanted = name.toUpper();
  for (qsizetype i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name.toUpper() == wanted) return qint32(i + 1);
  }
  return std::nullopt;
}

std::optional<QByteArray> ResourcePackage::Read(qint32 number) const {
  if (number < 1 || number > entries_.size()) return std::nullopt;
  const Entry& entry = entries_[number - 1];
  if (entry.size == 0) return QByteArray();
  QByteArray bytes;
  if (ReadFileBytes(bytes, path_, bag_length_ + entry.offset, entry.size) != entry.size) return std::nullopt;
  return bytes;
}

}  // namespace pivlo
