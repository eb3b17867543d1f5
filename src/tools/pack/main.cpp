// pivlo-pack: writes a resource package (gmi.src, N.frame) from a list of files. The
// build uses it to pack the program's own pictures and frames.

#include "cli/CliCommands.h"
#include "pack/PackCreate.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int result = pivlo::cli::PackCreate(QCoreApplication::arguments().mid(1));
  if (result == pivlo::cli::kUsageError) {
    std::fprintf(stderr, "usage: pivlo-pack %s\n", pivlo::cli::kPackCreateArguments);
  }
  return result;
}
