#include "core/basPropertyBag.h"

#include "core/AppFolders.h"
#include "core/FileReplacement.h"
#include "core/basByteFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace pivlo {
namespace {

constexpr qint64 kMinimumBagFile = 14;
constexpr qint64 kPrefixedBagStart = 12;

QList<RegisteredFile>& Registered() {
  static QList<RegisteredFile> files;
  return files;
}

QString BoundsKey(const QString& name) { return name + QStringLiteral("_(Type)"); }
QString ElementKey(const QString& name) { return name + QStringLiteral("(+cstr(i)+)"); }

bool IsSignature(QByteArrayView bytes, qsizetype at) {
  return quint8(bytes[at]) == 0x93 && quint8(bytes[at + 1]) == 0xB2;
}

// The upper bound of `count` elements from `lower`, as the bounds' 32 bits hold it.
qint32 UpperBound(qint32 lower, qsizetype count) { return qint32(qint64(lower) + count - 1); }

// The element count that the stored bounds claim; nothing for malformed bounds.
std::optional<qint64> ReadBounds(const QString& name, const PropertyBag& bag, qint32& lower) {
  const BagValue bounds = bag.Get(BoundsKey(name));
  if (bounds.kind() != BagValue::Kind::Bytes || bounds.AsBytes().size() != 8) return std::nullopt;
  lower = BytesToLongBE(bounds.AsBytes().first(4));
  const qint32 upper = BytesToLongBE(bounds.AsBytes().sliced(4, 4));
  const qint64 count = qint64(upper) - lower + 1;
  if (count < 0) return std::nullopt;
  return count;
}

}  // namespace

PropertyBag& SharedBag() {
  static PropertyBag bag;
  return bag;
}

bool PutValue(const QString& key, const BagValue& value, PutMode mode) {
  if (mode == PutMode::Bag) {
    SharedBag().Put(key, value);
    return true;
  }
  const QString path = value.ToText();
  const QFileInfo info(path);
  if (!info.isFile()) return false;
  Registered().append(RegisteredFile{path, key, info.size()});
  return true;
}

const QList<RegisteredFile>& RegisteredFiles() { return Registered(); }

void ClearRegisteredFiles() { Registered().clear(); }

BagValue GetValue(const QString& key, const BagValue& fallback) {
  return SharedBag().Get(key, fallback);
}

bool LoadBagFromFile(const QString& path) {
  QFile file;
  if (!OpenRegularFile(file, path)) return false;
  QByteArray head;
  if (ReadFileBytes(head, file, 0, kMinimumBagFile) != kMinimumBagFile) return false;
  qint64 start = 0;
  if (!IsSignature(head, 0)) {
    if (!IsSignature(head, kPrefixedBagStart)) return false;
    start = kPrefixedBagStart;
  }
  // Read only the bytes the bag says it has; the reader refuses a length past the end.
  QByteArray length;
  if (ReadFileBytes(length, file, start + 4, 4) != 4) return false;
  QByteArray contents;
  const qint64 size = qFromLittleEndian<quint32>(length.constData());
  if (ReadFileBytes(contents, file, start, size) != size) return false;
  return SharedBag().SetContents(contents);
}

bool SaveBagToFile(const QString& path, QString* error) {
  QDir().mkpath(ProjectFolder());
  const bool saved = ReplaceFileContents(path, SharedBag().Contents(), error);
  SharedBag().Clear();
  return saved;
}

std::optional<BoundedArray<QString>> ReadStringArray(const QString& name, const PropertyBag& bag) {
  BoundedArray<QString> array;
  const std::optional<qint64> count = ReadBounds(name, bag, array.lower);
  if (!count) return std::nullopt;
  const QList<BagValue> values = bag.Values(ElementKey(name));
  if (values.size() < *count) return std::nullopt;
  array.items.reserve(*count);
  for (qint64 i = 0; i < *count; ++i) array.items.append(values[i].ToText());
  return array;
}

std::optional<BoundedArray<qint32>> ReadLongArray(const QString& name, const PropertyBag& bag) {
  BoundedArray<qint32> array;
  const std::optional<qint64> count = ReadBounds(name, bag, array.lower);
  if (!count) return std::nullopt;
  const BagValue stored = bag.Get(name);
  if (stored.kind() != BagValue::Kind::Bytes || stored.AsBytes().size() / 4 < *count) return std::nullopt;
  const char* bytes = stored.AsBytes().constData();
  array.items.reserve(*count);
  for (qint64 i = 0; i < *count; ++i) array.items.append(qFromLittleEndian<qint32>(bytes + 4 * i));
  return array;
}

void WriteStringArray(const QString& name, qint32 lower, const QStringList& items, PropertyBag& bag) {
  bag.Put(BoundsKey(name), LongToBytesBE(lower) + LongToBytesBE(UpperBound(lower, items.size())));
  // Put replaces whatever elements the key held; Append keeps the rest in order.
  const QString key = ElementKey(name);
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (i == 0) {
      bag.Put(key, items[i]);
    } else {
      bag.Append(key, items[i]);
    }
  }
}

void WriteLongArray(const QString& name, qint32 lower, const QList<qint32>& items, PropertyBag& bag) {
  bag.Put(BoundsKey(name), LongToBytesBE(lower) + LongToBytesBE(UpperBound(lower, items.size())));
  QByteArray bytes(items.size() * 4, Qt::Uninitialized);
  for (qsizetype i = 0; i < items.size(); ++i) qToLittleEndian<qint32>(items[i], bytes.data() + 4 * i);
  bag.Put(name, bytes);
}

qint32 BytesToLongBE(QByteArrayView bytes) {
  Q_ASSERT(bytes.size() >= 4);
  return qFromBigEndian<qint32>(bytes.data());
}

QByteArray LongToBytesBE(qint32 value) {
  QByteArray bytes(4, Qt::Uninitialized);
  qToBigEndian<qint32>(value, bytes.data());
  return bytes;
}

QByteArray PackageTrailerMark() { return QByteArray("\xB1\xBB\x57\x4D", 4); }

QByteArray PackageTrailerBytes(qint32 first, qint32 second, qint32 third) {
  return LongToBytesBE(first) + LongToBytesBE(second) + LongToBytesBE(third) + PackageTrailerMark();
}

bool WritePackageTrailer(const QString& path, qint32 first, qint32 second, qint32 third) {
  return WriteFileBytes(PackageTrailerBytes(first, second, third), path, qint64(first) + second + third);
}

}  // namespace pivlo
