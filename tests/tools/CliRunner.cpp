#include "CliRunner.h"

#include <QProcess>

namespace pivlo::test {

CliResult RunProgram(const QString& program, const QStringList& args, int timeout_ms,
                     const QString& working_folder, const QStringList& environment) {
  QProcess process;
  if (!working_folder.isEmpty()) process.setWorkingDirectory(working_folder);
  if (!environment.isEmpty()) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : environment) {
      variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    }
    process.setProcessEnvironment(variables);
  }
  process.start(program, args);
  CliResult result;
  if (!process.waitForFinished(timeout_ms) || process.exitStatus() != QProcess::NormalExit) return result;
  result.exit_code = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

CliResult RunCli(const QStringList& args, int timeout_ms) {
  return RunProgram(QStringLiteral(PIVLO_CLI_PATH), args, timeout_ms);
}

CliResult RunCliIn(const QString& working_folder, const QStringList& args) {
  return RunProgram(QStringLiteral(PIVLO_CLI_PATH), args, 60000, working_folder);
}

CliResult RunCliWith(const QStringList& environment, const QStringList& args) {
  return RunProgram(QStringLiteral(PIVLO_CLI_PATH), args, 60000, QString(), environment);
}

}  // namespace pivlo::test
