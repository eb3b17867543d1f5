#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "builder/basReplaceIcon.h"

#include <QFileInfo>

namespace pivlo::cli {

int IconScan(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString path = UserPath(args.first());
  if (!QFileInfo(path).isFile()) {
    PrintError(args.first() + QStringLiteral(": no such file"));
    return 1;
  }
  QString out;
  for (const IconImageEntry& image : ScanIconImages(path).images) out += image.text + u'\n';
  PrintOut(out);
  return 0;
}

int IconReplace(const QStringList& args) {
  if (args.size() != 2) return kUsageError;
  const QString icon = UserPath(args[0]);
  const QString program = UserPath(args[1]);
  if (!ReadIconFile(icon)) {
    PrintError(icon + QStringLiteral(": not an icon file"));
    return 1;
  }
  if (!QFileInfo(program).isFile() || !QFileInfo(program).isWritable()) {
    PrintError(program + QStringLiteral(": no such file, or it cannot be written"));
    return 1;
  }
  switch (ReplaceIconInFile(icon, program)) {
    case IconReplacement::Replaced: PrintOut(QStringLiteral("replaced\n")); return 0;
    case IconReplacement::Unchanged: PrintOut(QStringLiteral("unchanged: the program has no icon resources\n")); return 0;
    case IconReplacement::Failed: break;
  }
  PrintError(program + QStringLiteral(": ") + IconReplacementFailedText());
  return 1;
}

}  // namespace pivlo::cli
