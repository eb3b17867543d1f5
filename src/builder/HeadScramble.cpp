#include "builder/HeadScramble.h"

#include "builder/SeededRandom.h"
#include "core/basByteFiles.h"

#include <QFileInfo>

#include <array>

namespace pivlo {
namespace {

using Keystream = std::array<quint8, kScrambledStubHead>;

// Every scrambling run reseeds, so all of them use one and the same keystream.
const Keystream& PackageKeystream() {
  static const Keystream stream = [] {
    Keystream bytes{};
    SeededRandom random;
    for (quint8& byte : bytes) byte = quint8(random.Next() * 256);
    return bytes;
  }();
  return stream;
}

void XorHead(QByteArray& bytes, qsizetype head) {
  const qsizetype count = qMin(bytes.size(), head);
  if (count == 0) return;
  const Keystream& stream = PackageKeystream();
  char* data = bytes.data();
  for (qsizetype k = 0; k < count; ++k) data[k] = char(quint8(data[k]) ^ stream[k]);
}

}  // namespace

quint8 KeystreamByte(qsizetype k) {
  return PackageKeystream().at(size_t(k));
}

void ScrambleHead(QByteArray& item) { XorHead(item, kScrambledItemHead); }

void ScrambleStubHead(QByteArray& stub) { XorHead(stub, kScrambledStubHead); }

bool UnscrambleStub(const QString& path) {
  const qint64 length = QFileInfo(path).size();
  const qint64 count = qMin<qint64>(length, kScrambledStubHead);
  if (count == 0) return QFileInfo(path).isFile();
  QByteArray head;
  if (ReadFileBytes(head, path, 0, count) != count) return false;
  ScrambleStubHead(head);
  return WriteFileBytes(head, path, 0);
}

}  // namespace pivlo
