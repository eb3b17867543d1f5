#include "core/BagValue.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

namespace pivlo {
namespace {

// Texts read as numbers the way a number box holds them: surrounding blanks allowed.
double TextToNumber(const QString& text) {
  return NumberFromText(text).value_or(0.0);
}

}  // namespace

QString BagValue::ToText() const {
  switch (kind()) {
    case Kind::Int16: return QString::number(AsInt16());
    case Kind::Int32: return QString::number(AsInt32());
    case Kind::Float32: return FloatToShortestText(AsFloat());
    case Kind::Bool: return AsBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Text: return AsText();
    case Kind::Empty:
    case Kind::Bytes: break;
  }
  return {};
}

qint32 BagValue::ToInt32() const {
  switch (kind()) {
    case Kind::Int16: return AsInt16();
    case Kind::Int32: return AsInt32();
    case Kind::Float32: return RoundToInt32(AsFloat());
    case Kind::Bool: return AsBool() ? -1 : 0;
    case Kind::Text: return RoundToInt32(TextToNumber(AsText()));
    case Kind::Empty:
    case Kind::Bytes: break;
  }
  return 0;
}

float BagValue::ToFloat() const {
  switch (kind()) {
    case Kind::Float32: return AsFloat();
    case Kind::Text: return static_cast<float>(TextToNumber(AsText()));
    default: return static_cast<float>(ToInt32());
  }
}

bool BagValue::ToBool() const {
  switch (kind()) {
    case Kind::Bool: return AsBool();
    case Kind::Float32: return AsFloat() != 0.0f;
    case Kind::Text:
      if (AsText().trimmed().compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
      return TextToNumber(AsText()) != 0.0;
    default: return ToInt32() != 0;
  }
}

}  // namespace pivlo
