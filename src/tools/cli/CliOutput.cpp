#include "cli/CliOutput.h"

#include "builder/ResourcePackage.h"
#include "core/AppFolders.h"
#include "core/FileReplacement.h"

#include <QDir>
#include <QCoreApplication>

#include <cstdio>

namespace pivlo::cli {
namespace {

QString KindName(BagValue::Kind kind) {
  switch (kind) {
    case BagValue::Kind::Int16: return QStringLiteral("int16");
    case BagValue::Kind::Int32: return QStringLiteral("int32");
    case BagValue::Kind::Float32: return QStringLiteral("float32");
    case BagValue::Kind::Text: return QStringLiteral("text");
    case BagValue::Kind::Bool: return QStringLiteral("bool");
    case BagValue::Kind::Bytes: return QStringLiteral("bytes");
    case BagValue::Kind::Empty: break;
  }
  return QStringLiteral("empty");
}

}  // namespace

void PrintOut(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

void PrintError(const QString& line) {
  const QByteArray bytes = (QCoreApplication::applicationName() + QStringLiteral(": ") + line + u'\n').toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
}

MessageAnswer StderrPrompter::ShowMessage(const QString& text, MessageIcon, MessageButtons buttons, const QString&) {
  if (buttons != MessageButtons::Ok && agree) {
    return buttons == MessageButtons::OkCancel ? MessageAnswer::Ok : MessageAnswer::Yes;
  }
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  for (const QString& line : lines.split(u'\n')) PrintError(line);
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString UserPath(const QString& typed) {
  return typed.isEmpty() ? typed : QDir::cleanPath(QDir::current().absoluteFilePath(typed));
}

bool WriteOutputFile(const QString& path, const QByteArray& bytes) {
  QString error;
  if (ReplaceFileContents(UserPath(path), bytes, &error)) return true;
  PrintError(error);
  return false;
}

std::optional<int> ParseInt(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<QSize> ParseSize(const QString& text) {
  const QStringList sides = text.split(u'x');
  if (sides.size() != 2) return std::nullopt;
  bool ok_width = false;
  bool ok_height = false;
  const QSize size(sides[0].toInt(&ok_width), sides[1].toInt(&ok_height));
  if (!ok_width || !ok_height || size.isEmpty()) return std::nullopt;
  return size;
}

QByteArray ShippedRainbowPicture() {
  const std::optional<ResourcePackage> package =
      ResourcePackage::Open(ApplicationFolder() + QStringLiteral("gmi.src"), ResourceKind::Images);
  if (!package) return QByteArray();
  const std::optional<qint32> number = package->Find(QStringLiteral("rainbow.jpg"));
  return number ? package->Read(*number).value_or(QByteArray()) : QByteArray();
}

QString EscapeField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\\': out += QStringLiteral("\\\\"); break;
      case u'\t': out += QStringLiteral("\\t"); break;
      case u'\r': out += QStringLiteral("\\r"); break;
      case u'\n': out += QStringLiteral("\\n"); break;
      default: out += c;
    }
  }
  return out;
}

QString UnescapeField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    switch (text[++i].unicode()) {
      case u't': out += u'\t'; break;
      case u'r': out += u'\r'; break;
      case u'n': out += u'\n'; break;
      default: out += text[i];  // "\\" and any other escaped character stand for themselves
    }
  }
  return out;
}

QString BagValueText(const BagValue& value) {
  constexpr qsizetype kDumpedBytes = 64;
  switch (value.kind()) {
    case BagValue::Kind::Bool: return value.AsBool() ? QStringLiteral("true") : QStringLiteral("false");
    case BagValue::Kind::Bytes:
      return QString::number(value.AsBytes().size()) + u':' +
             QString::fromLatin1(value.AsBytes().first(qMin(value.AsBytes().size(), kDumpedBytes)).toHex());
    case BagValue::Kind::Text: return EscapeField(value.AsText());
    default: return value.ToText();  // numbers; floats in their shortest round-trip text
  }
}

QString BagDumpLine(const PropertyBag::Entry& entry) {
  return EscapeField(entry.key) + u'\t' + KindName(entry.value.kind()) + u'\t' + BagValueText(entry.value) + u'\n';
}

}  // namespace pivlo::cli
