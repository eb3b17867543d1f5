// Build step: writes the header that compiles the checksum text of the built graphics
// runtime into the program.  Usage: pivlo-checksum-header LIBRARY HEADER

#include "builder/basChecksum.h"

#include <QFileInfo>
#include <QSaveFile>

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
  QSaveFile out(header);
  if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
    std::fprintf(stderr, "pivlo-checksum-header: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
