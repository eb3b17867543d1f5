#include "CliRunner.h"

#include <QProcess>

namespace pivlo::test {

CliResult RunCli(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(PIVLO_CLI_PATH), args);
  CliResult result;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return result;
  result.exit_code = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

}  // namespace pivlo::test
