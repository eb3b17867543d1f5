// Build step: writes the player as it ships beside the editor, with its head scrambled.
// Usage: pivlo-player-stub PLAYER STUB

#include "builder/HeadScramble.h"
#include "core/FileReplacement.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pivlo-player-stub PLAYER STUB\n");
    return 2;
  }
  QFile player(QString::fromLocal8Bit(argv[1]));
  if (!player.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "pivlo-player-stub: cannot read %s\n", argv[1]);
    return 1;
  }
  QByteArray bytes = player.readAll();
  pivlo::ScrambleStubHead(bytes);
  QString error;
  if (!pivlo::ReplaceFileContents(QString::fromLocal8Bit(argv[2]), bytes, &error)) {
    std::fprintf(stderr, "pivlo-player-stub: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
