#include "core/PropertyBag.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace pivlo {
namespace {

constexpr quint8 kSignature0 = 0x93;
constexpr quint8 kSignature1 = 0xB2;
constexpr quint8 kFormatVersion = 1;
constexpr qsizetype kHeaderSize = 12;
// Kind byte, key length and the smallest payload (a boolean's one byte).
constexpr qsizetype kSmallestEntry = 1 + 4 + 1;

template <typename T>
void AppendLE(QByteArray& out, T value) {
  const T le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendSized(QByteArray& out, QByteArrayView bytes) {
  AppendLE<quint32>(out, static_cast<quint32>(bytes.size()));
  out.append(bytes);
}

// Reads the serialised form front to back; every read checks the remaining length, so a
// damaged length or count can only make the read fail.
class Reader {
 public:
  explicit Reader(QByteArrayView data) : data_(data) {}

  bool AtEnd() const { return pos_ == data_.size(); }

  template <typename T>
  bool Read(T& value) {
    if (data_.size() - pos_ < qsizetype(sizeof(T))) return false;
    value = qFromLittleEndian<T>(data_.data() + pos_);
    pos_ += sizeof(T);
    return true;
  }

  bool ReadSized(QByteArrayView& bytes) {
    quint32 size = 0;
    if (!Read(size) || quint64(data_.size() - pos_) < size) return false;
    bytes = data_.sliced(pos_, size);
    pos_ += size;
    return true;
  }

  bool ReadText(QString& text) {
    QByteArrayView bytes;
    if (!ReadSized(bytes) || !bytes.isValidUtf8()) return false;
    text = QString::fromUtf8(bytes);
    return true;
  }

 private:
  QByteArrayView data_;
  qsizetype pos_ = 0;
};

bool ReadValue(Reader& reader, quint8 kind, BagValue& value) {
  switch (static_cast<BagValue::Kind>(kind)) {
    case BagValue::Kind::Int16: {
      qint16 v = 0;
      if (!reader.Read(v)) return false;
      value = v;
      return true;
    }
    case BagValue::Kind::Int32: {
      qint32 v = 0;
      if (!reader.Read(v)) return false;
      value = v;
      return true;
    }
    case BagValue::Kind::Float32: {
      quint32 bits = 0;
      if (!reader.Read(bits)) return false;
      float v;
      std::memcpy(&v, &bits, sizeof v);
      value = v;
      return true;
    }
    case BagValue::Kind::Bool: {
      quint8 v = 0;
      if (!reader.Read(v) || v > 1) return false;
      value = v == 1;
      return true;
    }
    case BagValue::Kind::Text: {
      QString text;
      if (!reader.ReadText(text)) return false;
      value = text;
      return true;
    }
    case BagValue::Kind::Bytes: {
      QByteArrayView bytes;
      if (!reader.ReadSized(bytes)) return false;
      value = bytes.toByteArray();
      return true;
    }
    case BagValue::Kind::Empty: break;
  }
  return false;
}

void AppendValue(QByteArray& out, const BagValue& value) {
  switch (value.kind()) {
    case BagValue::Kind::Int16: AppendLE<qint16>(out, value.AsInt16()); break;
    case BagValue::Kind::Int32: AppendLE<qint32>(out, value.AsInt32()); break;
    case BagValue::Kind::Float32: {
      const float v = value.AsFloat();
      quint32 bits;
      std::memcpy(&bits, &v, sizeof bits);
      AppendLE<quint32>(out, bits);
      break;
    }
    case BagValue::Kind::Bool: AppendLE<quint8>(out, value.AsBool() ? 1 : 0); break;
    case BagValue::Kind::Text: AppendSized(out, value.AsText().toUtf8()); break;
    case BagValue::Kind::Bytes: AppendSized(out, value.AsBytes()); break;
    case BagValue::Kind::Empty: break;  // never stored, see Stored()
  }
}

// The bag stores no empty values: an empty value is kept as an empty text, which is
// what reading it would give anyway.
BagValue Stored(const BagValue& value) {
  return value.IsEmpty() ? BagValue(QString()) : value;
}

}  // namespace

void PropertyBag::Index(qsizetype position) {
  const QString& key = entries_[position].key;
  if (first_.contains(key)) {
    has_repeats_ = true;
  } else {
    first_.insert(key, position);
  }
}

void PropertyBag::Put(const QString& key, const BagValue& value) {
  const auto it = first_.constFind(key);
  if (it == first_.constEnd()) {
    Append(key, value);
    return;
  }
  const qsizetype position = *it;
  entries_[position].value = Stored(value);
  if (!has_repeats_) return;
  // Drop the later values of this key and re-index what moved.
  const auto keep_end = std::remove_if(entries_.begin() + position + 1, entries_.end(),
                                       [&](const Entry& entry) { return entry.key == key; });
  if (keep_end == entries_.end()) return;
  entries_.erase(keep_end, entries_.end());
  first_.clear();
  has_repeats_ = false;
  for (qsizetype i = 0; i < qsizetype(entries_.size()); ++i) Index(i);
}

void PropertyBag::Append(const QString& key, const BagValue& value) {
  entries_.push_back(Entry{key, Stored(value)});
  Index(qsizetype(entries_.size()) - 1);
}

BagValue PropertyBag::Get(const QString& key, const BagValue& fallback) const {
  const auto it = first_.constFind(key);
  return it == first_.constEnd() ? fallback : entries_[*it].value;
}

QList<BagValue> PropertyBag::Values(const QString& key) const {
  QList<BagValue> values;
  const auto it = first_.constFind(key);
  if (it == first_.constEnd()) return values;
  values.append(entries_[*it].value);
  if (!has_repeats_) return values;
  for (auto entry = entries_.begin() + *it + 1; entry != entries_.end(); ++entry) {
    if (entry->key == key) values.append(entry->value);
  }
  return values;
}

void PropertyBag::Clear() {
  entries_.clear();
  first_.clear();
  has_repeats_ = false;
}

QByteArray PropertyBag::Contents() const {
  QByteArray out;
  out.reserve(kHeaderSize + qsizetype(entries_.size()) * 32);
  AppendLE<quint8>(out, kSignature0);
  AppendLE<quint8>(out, kSignature1);
  AppendLE<quint8>(out, kFormatVersion);
  AppendLE<quint8>(out, 0);
  AppendLE<quint32>(out, 0);  // total length, filled in below
  AppendLE<quint32>(out, static_cast<quint32>(entries_.size()));
  for (const Entry& entry : entries_) {
    AppendLE<quint8>(out, static_cast<quint8>(entry.value.kind()));
    AppendSized(out, entry.key.toUtf8());
    AppendValue(out, entry.value);
  }
  qToLittleEndian<quint32>(static_cast<quint32>(out.size()), out.data() + 4);
  return out;
}

bool PropertyBag::SetContents(QByteArrayView data) {
  Reader header(data);
  quint8 signature0 = 0, signature1 = 0, version = 0, reserved = 0;
  quint32 total = 0, count = 0;
  if (!header.Read(signature0) || !header.Read(signature1) || !header.Read(version) ||
      !header.Read(reserved) || !header.Read(total) || !header.Read(count)) {
    return false;
  }
  if (signature0 != kSignature0 || signature1 != kSignature1 || version != kFormatVersion ||
      reserved != 0 || total < kHeaderSize || total > quint64(data.size())) {
    return false;
  }
  // A count that the recorded length cannot hold is refused before anything is allocated.
  if (count > quint64(total - kHeaderSize) / kSmallestEntry) return false;

  PropertyBag loaded;
  loaded.entries_.reserve(count);
  loaded.first_.reserve(count);
  Reader reader(data.sliced(kHeaderSize, total - kHeaderSize));
  for (quint32 i = 0; i < count; ++i) {
    quint8 kind = 0;
    QString key;
    BagValue value;
    if (!reader.Read(kind) || !reader.ReadText(key) || !ReadValue(reader, kind, value)) return false;
    loaded.entries_.push_back(Entry{std::move(key), std::move(value)});
    loaded.Index(qsizetype(loaded.entries_.size()) - 1);
  }
  if (!reader.AtEnd()) return false;
  *this = std::move(loaded);
  return true;
}

}  // namespace pivlo
