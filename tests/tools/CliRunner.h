#pragma once

#include <QByteArray>
#include <QStringList>

namespace pivlo::test {

struct CliResult {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

// Runs the program with the arguments and waits for it; one that takes longer than the
// timeout is killed and gives exit code -1.
CliResult RunProgram(const QString& program, const QStringList& args, int timeout_ms = 60000);
// Runs the built pivlo-cli.
CliResult RunCli(const QStringList& args, int timeout_ms = 60000);

}  // namespace pivlo::test
