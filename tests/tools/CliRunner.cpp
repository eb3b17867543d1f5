#include "CliRunner.h"

#include <QProcess>

namespace pivlo::test {

CliResult RunProgram(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  CliResult result;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return result;
  result.exit_code = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

CliResult RunCli(const QStringList& args) { return RunProgram(QStringLiteral(PIVLO_CLI_PATH), args); }

}  // namespace pivlo::test
