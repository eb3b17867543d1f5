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
// An empty working folder is the test's own; `environment` is added to the test's.
CliResult RunProgram(const QString& program, const QStringList& args, int timeout_ms = 60000,
                     const QString& working_folder = QString(), const QStringList& environment = {});
// Runs the built pivlo-cli.
CliResult RunCli(const QStringList& args, int timeout_ms = 60000);
CliResult RunCliIn(const QString& working_folder, const QStringList& args);
// With variables set ("HOME=/tmp/x").
CliResult RunCliWith(const QStringList& environment, const QStringList& args);

}  // namespace pivlo::test
