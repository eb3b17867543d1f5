#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "builder/basChecksum.h"

namespace pivlo::cli {

int Crc(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString text = FileChecksumText(UserPath(args.first()));
  PrintOut(text + u'\n');
  return text.isEmpty() ? 1 : 0;
}

}  // namespace pivlo::cli
