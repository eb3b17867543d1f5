#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "core/basPropertyBag.h"

#include <QFileInfo>

namespace pivlo::cli {

int BagDump(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString path = UserPath(args.first());
  if (!QFileInfo(path).isFile()) {
    PrintError(path + QStringLiteral(": no such file"));
    return 1;
  }
  if (!LoadBagFromFile(path)) {
    PrintError(path + QStringLiteral(": not a property bag"));
    return 1;
  }
  QString out;
  for (const PropertyBag::Entry& entry : SharedBag().Entries()) out += BagDumpLine(entry);
  SharedBag().Clear();
  PrintOut(out);
  return 0;
}

}  // namespace pivlo::cli
