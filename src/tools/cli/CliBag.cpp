#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "core/NumberText.h"
#include "core/basPropertyBag.h"

#include <QFileInfo>

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

int BagDump(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString& path = args.first();
  if (!QFileInfo(path).isFile()) {
    PrintError(path + QStringLiteral(": no such file"));
    return 1;
  }
  if (!LoadBagFromFile(path)) {
    PrintError(path + QStringLiteral(": not a property bag"));
    return 1;
  }
  QString out;
  for (const PropertyBag::Entry& entry : SharedBag().Entries()) {
    out += EscapeField(entry.key) + u'\t' + KindName(entry.value.kind()) + u'\t' + BagValueText(entry.value) + u'\n';
  }
  SharedBag().Clear();
  PrintOut(out);
  return 0;
}

}  // namespace pivlo::cli
