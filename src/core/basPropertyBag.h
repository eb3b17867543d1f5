#pragma once

#include "core/BagValue.h"
#include "core/PropertyBag.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace pivlo {

// The one bag that every writer and reader of the program's files uses in turn. It is
// empty between operations: saving empties it, and each reader empties it when done.
PropertyBag& SharedBag();

enum class PutMode {
  Bag = 0,           // store the value in the shared bag
  RegisterFile = 1,  // register a file to append to a package: value = path, key = name
};

// A file registered for appending to a screensaver package, with its length at the time.
struct RegisteredFile {
  QString path;
  QString name;
  qint64 length = 0;
};

// Stores the value under the key (the value's kind is the stored kind), or, in
// RegisterFile mode, registers the file named by the value; registering a file that does
// not exist fails and registers nothing.
bool PutValue(const QString& key, const BagValue& value, PutMode mode = PutMode::Bag);
const QList<RegisteredFile>& RegisteredFiles();
void ClearRegisteredFiles();

// Reads the key from the shared bag; an absent key gives the fallback (an empty text
// unless the caller names another, such as a 16-bit 0).
BagValue GetValue(const QString& key, const BagValue& fallback = QString());

// Loads the bag stored in the file into the shared bag. The bag starts at byte 0, or at
// byte 12 when the signature stands there instead. False, with the bag unchanged, for a
// file that is missing, shorter than 14 bytes, unsigned or damaged.
bool LoadBagFromFile(const QString& path);

// Writes the shared bag to the file, then empties the bag. The old file is replaced only
// once the new content is complete, so a failure leaves it whole; `error`, when given,
// says why. Also makes sure the project folder exists.
bool SaveBagToFile(const QString& path, QString* error = nullptr);

// An array read from a bag, with the bounds it was stored with.
template <typename T>
struct BoundedArray {
  qint32 lower = 0;
  QList<T> items;

  // In 64 bits: a file may put the lower bound anywhere in the 32-bit range.
  qint64 Upper() const { return qint64(lower) + items.size() - 1; }
  bool HasIndex(qint64 i) const { return i >= lower && i <= Upper(); }
  const T& At(qint64 i) const { return items[qsizetype(i - lower)]; }
};

// The array encodings of resource packages: the bounds under NAME + "_(Type)" (8 bytes,
// big-endian lower and upper bound); text elements as repeated values of the single key
// NAME + "(+cstr(i)+)"; 32-bit elements as one byte array under NAME, little-endian.
// Nothing when the bounds are missing or malformed or the bag holds fewer elements than
// they claim.
std::optional<BoundedArray<QString>> ReadStringArray(const QString& name, const PropertyBag& bag = SharedBag());
std::optional<BoundedArray<qint32>> ReadLongArray(const QString& name, const PropertyBag& bag = SharedBag());
void WriteStringArray(const QString& name, qint32 lower, const QStringList& items, PropertyBag& bag = SharedBag());
void WriteLongArray(const QString& name, qint32 lower, const QList<qint32>& items, PropertyBag& bag = SharedBag());

// Big-endian 32-bit conversions: byte 0 is the most significant, two's complement.
qint32 BytesToLongBE(QByteArrayView bytes);
QByteArray LongToBytesBE(qint32 value);

// The package trailer: three big-endian section sizes, then the bytes B1 BB 57 4D.
inline constexpr qint64 kPackageTrailerLength = 16;
QByteArray PackageTrailerMark();

// The 16-byte package trailer for sections of these sizes.
QByteArray PackageTrailerBytes(qint32 first, qint32 second, qint32 third);
// Writes the trailer directly behind the three sections.
bool WritePackageTrailer(const QString& path, qint32 first, qint32 second, qint32 third);

}  // namespace pivlo
