// Build step: writes the player as it ships beside the editor, with its head scrambled.
// Usage: pivlo-player-stub PLAYER STUB

#include "builder/HeadScramble.h"

#include <QFile>
#include <QSaveFile>

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
  QSaveFile stub(QString::fromLocal8Bit(argv[2]));
  if (!stub.open(QIODevice::WriteOnly) || stub.write(bytes) != bytes.size() || !stub.commit()) {
    std::fprintf(stderr, "pivlo-player-stub: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
