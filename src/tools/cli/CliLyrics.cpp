#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "audio/LrcLyrics.h"
#include "show/ShowPlan.h"

using namespace Qt::StringLiterals;

namespace pivlo::cli {

int Lyrics(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  QString error;
  const QList<LyricLine> lines = ReadLyricFile(UserPath(args.first()), &error);
  if (lines.isEmpty()) {
    PrintError(args.first() + u": no lyrics ("_s + error + u')');
    return 1;
  }
  QString out;
  for (const LyricLine& line : lines) out += ShowTimeText(line.ms) + u'\t' + EscapeField(line.text) + u'\n';
  PrintOut(out);
  return 0;
}

}  // namespace pivlo::cli
