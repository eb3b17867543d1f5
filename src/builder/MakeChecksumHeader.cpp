// Build step: writes the header that compiles the checksum text of the built graphics
// runtime into the program.  Usage: pivlo-checksum-header LIBRARY HEADER

#include "builder/basChecksum.h"
#include "core/FileReplacement.h"

#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pivlo-checksum-header LIBRARY HEADER\n");
    return 2;
  }
  const QString library = QString::fromLocal8Bit(argv[1]);
  const QString header = QString::fromLocal8Bit(argv[2]);
  const QString checksum = pivlo::FileChecksumText(library);
  if (checksum.isEmpty()) {
    std::fprintf(stderr, "pivlo-checksum-header: cannot read %s\n", argv[1]);
    return 1;
  }
  const QByteArray text = "#pragma once\n"
                          "// Generated from the built graphics runtime; do not edit.\n"
                          "inline constexpr char kRuntimeLibraryFileName[] = \"" +
                          QFileInfo(library).fileName().toUtf8() +
                          "\";\n"
                          "inline constexpr char kRuntimeLibraryChecksum[] = \"" +
                          checksum.toLatin1() + "\";\n";
  QString error;
  if (!pivlo::ReplaceFileContents(header, text, &error)) {
    std::fprintf(stderr, "pivlo-checksum-header: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
