#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <variant>

namespace pivlo {

// One typed value of a property bag. The kind is kept through saving and loading; the
// To* conversions serve readers that expect a kind other than the stored one, the way
// the bag's callers convert what they read.
class BagValue {
 public:
  // The numbers are the kind codes of the serialised form; never renumber them.
  enum class Kind : quint8 { Empty = 0, Int16 = 1, Int32 = 2, Float32 = 3, Text = 4, Bool = 5, Bytes = 6 };

  BagValue() = default;
  BagValue(qint16 value) : data_(value) {}
  BagValue(qint32 value) : data_(value) {}
  BagValue(float value) : data_(value) {}
  BagValue(bool value) : data_(value) {}
  BagValue(const QString& value) : data_(value) {}
  BagValue(const char* utf8) : data_(QString::fromUtf8(utf8)) {}
  BagValue(const QByteArray& value) : data_(value) {}

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool IsEmpty() const { return kind() == Kind::Empty; }

  // Numbers become their decimal text (floats in their shortest form), booleans "True"
  // or "False", byte arrays and the empty value an empty text.
  QString ToText() const;
  // Floats are rounded halves to even; booleans give -1 or 0; texts are read as numbers
  // (an empty or unreadable text gives 0); byte arrays give 0.
  qint32 ToInt32() const;
  float ToFloat() const;
  // Numbers are true when not 0; texts "True" or a non-zero number are true.
  bool ToBool() const;

  qint16 AsInt16() const { return std::get<qint16>(data_); }
  qint32 AsInt32() const { return std::get<qint32>(data_); }
  float AsFloat() const { return std::get<float>(data_); }
  bool AsBool() const { return std::get<bool>(data_); }
  const QString& AsText() const { return std::get<QString>(data_); }
  const QByteArray& AsBytes() const { return std::get<QByteArray>(data_); }

  friend bool operator==(const BagValue&, const BagValue&) = default;

 private:
  // The alternatives are in Kind order.
  std::variant<std::monostate, qint16, qint32, float, QString, bool, QByteArray> data_;
};

}  // namespace pivlo
