#include "builder/ScreensaverPackage.h"

#include "builder/HeadScramble.h"
#include "core/basByteFiles.h"
#include "core/basPropertyBag.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr qint64 kBagLengthAt = 4;

bool Fail(QString* error, const QString& reason) {
  if (error != nullptr) *error = reason;
  return false;
}

// The bag must fill its section exactly: a shorter bag would leave bytes that belong to
// nothing.
bool ReadSettings(QFile& file, const PackageTrailer& trailer, PropertyBag& bag, QString* error) {
  QByteArray contents;
  const qint64 start = qint64(trailer.stub) + trailer.blob;
  if (trailer.bag < kBagLengthAt + 4 || ReadFileBytes(contents, file, start, trailer.bag) != trailer.bag) {
    return Fail(error, u"the settings bag is missing"_s);
  }
  if (qFromLittleEndian<quint32>(contents.constData() + kBagLengthAt) != quint32(trailer.bag) ||
      !bag.SetContents(contents)) {
    return Fail(error, u"the settings bag is damaged"_s);
  }
  return true;
}

// The show plays without these, so a damaged one is set aside instead of refusing the
// package.
bool Dispensable(const QString& name) { return name == IconItemName(); }

// The item named by an offset key, if its keys are 32-bit numbers that put it within the
// blob; otherwise `why` says what is wrong.
bool ReadItem(const PropertyBag& bag, const PropertyBag::Entry& offset, qint32 blob, PackageItem& item,
              QString& why) {
  const BagValue size = bag.Get(ItemSizeKey(item.name));
  if (offset.value.kind() != BagValue::Kind::Int32 || size.kind() != BagValue::Kind::Int32) {
    why = item.name + u": offset or size is not a 32-bit number"_s;
    return false;
  }
  item.offset = offset.value.AsInt32();
  item.size = size.AsInt32();
  item.type = bag.Get(ItemTypeKey(item.name)).ToText();
  if (item.offset < 0 || item.size < 0 || qint64(item.offset) + item.size > blob) {
    why = item.name + u": lies outside the resource blob"_s;
    return false;
  }
  return true;
}

bool Overlap(const PackageItem& a, const PackageItem& b) {
  return qint64(a.offset) < qint64(b.offset) + b.size && qint64(b.offset) < qint64(a.offset) + a.size;
}

void SortByOffset(QList<PackageItem>& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const PackageItem& a, const PackageItem& b) { return a.offset < b.offset; });
}

bool ReadItems(const PropertyBag& bag, qint32 blob, QList<PackageItem>& items, QStringList& set_aside,
               QString* error) {
  static const QString kSuffix = ItemOffsetKey(QString());
  QSet<QString> seen;
  QList<PackageItem> dispensable;
  for (const PropertyBag::Entry& entry : bag.Entries()) {
    if (!entry.key.endsWith(kSuffix)) continue;
    PackageItem item;
    item.name = entry.key.chopped(kSuffix.size());
    if (seen.contains(item.name)) continue;  // a repeated key: the first value counts
    seen.insert(item.name);
    QString why;
    if (ReadItem(bag, entry, blob, item, why)) {
      (Dispensable(item.name) ? dispensable : items).append(item);
    } else if (Dispensable(item.name)) {
      set_aside << why;
    } else {
      return Fail(error, why);
    }
  }
  SortByOffset(items);
  for (qsizetype i = 1; i < items.size(); ++i) {
    if (qint64(items[i - 1].offset) + items[i - 1].size > items[i].offset) {
      return Fail(error, items[i - 1].name + u" and "_s + items[i].name + u" overlap"_s);
    }
  }
  for (const PackageItem& item : dispensable) {
    const auto other =
        std::find_if(items.begin(), items.end(), [&](const PackageItem& kept) { return Overlap(item, kept); });
    if (other != items.end()) {
      set_aside << item.name + u": overlaps "_s + other->name;
    } else {
      items.append(item);
    }
  }
  SortByOffset(items);
  return true;
}

}  // namespace

QString TextureItemName() { return u"TextureImage"_s; }
QString FrameItemName() { return u"PictureFrameData"_s; }
QString RuntimeItemName() { return u"d3DFile"_s; }
QString IconItemName() { return u"IconFile"_s; }

QString ItemOffsetKey(const QString& name) { return name + u"_OffSet"_s; }
QString ItemSizeKey(const QString& name) { return name + u"_Size"_s; }
QString ItemTypeKey(const QString& name) { return name + u"_Type"_s; }

std::optional<PackageTrailer> ReadPackageTrailer(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path)) return std::nullopt;
  QByteArray bytes;
  if (ReadFileBytes(bytes, file, file.size() - kPackageTrailerLength, kPackageTrailerLength) !=
          kPackageTrailerLength ||
      !bytes.endsWith(PackageTrailerMark())) {
    return std::nullopt;
  }
  return PackageTrailer{BytesToLongBE(bytes.first(4)), BytesToLongBE(bytes.sliced(4, 4)),
                        BytesToLongBE(bytes.sliced(8, 4))};
}

std::optional<ScreensaverPackage> ScreensaverPackage::Open(const QString& path, QString* error) {
  const std::optional<PackageTrailer> trailer = ReadPackageTrailer(path);
  if (!trailer) {
    Fail(error, u"no package trailer at the end of the file"_s);
    return std::nullopt;
  }
  QFile file;
  if (!OpenRegularFile(file, path)) {
    Fail(error, u"cannot be read"_s);
    return std::nullopt;
  }
  if (trailer->stub < 0 || trailer->blob < 0 || trailer->bag < 0) {
    Fail(error, u"the trailer gives a negative size"_s);
    return std::nullopt;
  }
  if (qint64(trailer->stub) + trailer->blob + trailer->bag + kPackageTrailerLength != file.size()) {
    Fail(error, u"the trailer's sizes do not add up to the file's length"_s);
    return std::nullopt;
  }
  ScreensaverPackage package;
  package.path_ = path;
  package.trailer_ = *trailer;
  if (!ReadSettings(file, *trailer, package.settings_, error) ||
      !ReadItems(package.settings_, trailer->blob, package.items_, package.set_aside_, error)) {
    return std::nullopt;
  }
  return package;
}

const PackageItem* ScreensaverPackage::FindItem(const QString& name) const {
  for (const PackageItem& item : items_) {
    if (item.name == name) return &item;
  }
  return nullptr;
}

std::optional<QByteArray> ScreensaverPackage::ReadItem(const PackageItem& item) const {
  if (item.size == 0) return QByteArray();
  QByteArray bytes;
  if (ReadFileBytes(bytes, path_, qint64(trailer_.stub) + item.offset, item.size) != item.size) return std::nullopt;
  ScrambleHead(bytes);
  return bytes;
}

}  // namespace pivlo
