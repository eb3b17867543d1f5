#pragma once

#include <QByteArray>
#include <QStringList>

namespace pivlo::test {

struct CliResult {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

// Runs the program with the arguments and waits for it.
CliResult RunProgram(const QString& program, const QStringList& args);
// Runs the built pivlo-cli.
CliResult RunCli(const QStringList& args);

}  // namespace pivlo::test
