#pragma once

#include "core/BagValue.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace pivlo {

// A keyed store of typed values that serialises to one byte array and back (the layout is
// in docs/formats.md). Entries keep the order in which their keys were first written.
// A key normally holds one value; Append adds further values under the same key, which
// is how the elements of a text array are kept.
class PropertyBag {
 public:
  struct Entry {
    QString key;
    BagValue value;
  };

  // Replaces the value of a present key (keeping its place, dropping any further values
  // of that key) or adds the key at the end.
  void Put(const QString& key, const BagValue& value);
  // Adds one more value under the key, after those already there.
  void Append(const QString& key, const BagValue& value);

  bool Contains(const QString& key) const { return first_.contains(key); }
  // The (first) value of the key, or the fallback when the key is absent.
  BagValue Get(const QString& key, const BagValue& fallback = BagValue()) const;
  // Every value of the key in stored order.
  QList<BagValue> Values(const QString& key) const;

  const std::vector<Entry>& Entries() const { return entries_; }
  bool IsEmpty() const { return entries_.empty(); }
  void Clear();

  // The whole bag in its serialised form.
  QByteArray Contents() const;
  // Replaces the bag with the one serialised at the start of the data; bytes after the
  // bag's recorded length are ignored. Returns false, leaving the bag unchanged, when
  // the data do not hold a whole, valid bag.
  bool SetContents(QByteArrayView data);

 private:
  void Index(qsizetype position);

  std::vector<Entry> entries_;
  QHash<QString, qsizetype> first_;  // key -> position of its first entry
  bool has_repeats_ = false;
};

}  // namespace pivlo
