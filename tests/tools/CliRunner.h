#pragma once

#include <QByteArray>
#include <QStringList>

namespace pivlo::test {

struct CliResult {
  int exit_code = -1;
  QByteArray out;
  QByteArray err;
};

// Runs the built pivlo-cli with the arguments and waits for it.
CliResult RunCli(const QStringList& args);

}  // namespace pivlo::test
