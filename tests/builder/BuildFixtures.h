#pragma once

#include "core/BagValue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <utility>

namespace pivlo::test {

// An application folder of its own for builds, made the program's application folder
// while it lives: gmi.src (loaded), the player stub Pivlo.bfq and the graphics runtime
// copied from the built application folder. Small: a 7000-byte player and a gmi.src
// with a 300-byte rainbow.jpg. Shipped: the built player and gmi.src.
class BuildFolder {
 public:
  enum class Contents { Small, Shipped };

  explicit BuildFolder(Contents contents = Contents::Small);
  ~BuildFolder();
  BuildFolder(const BuildFolder&) = delete;
  BuildFolder& operator=(const BuildFolder&) = delete;

  QString Path(const QString& name) const;
  // Writes the bytes to the named file of the folder; returns its path.
  QString Write(const QString& name, const QByteArray& bytes) const;
  // Replaces gmi.src with these entries and loads its index again.
  void WriteImages(const QList<std::pair<QString, QByteArray>>& entries);
  // Ships this player as Pivlo.bfq, its head scrambled.
  void WriteStub(const QByteArray& player);

  static QByteArray Player();   // the default player: 7000 bytes of a pattern
  static QByteArray Rainbow();  // the default texture: 300 bytes

 private:
  QTemporaryDir dir_;
  QString previous_;
};

// A package's bytes with one setting put anew: the bag rewritten behind the blob and the
// trailer to match, so that only that setting lies. Empty for bytes that are no package.
QByteArray WithPackageSetting(const QByteArray& package, const QString& key, const BagValue& value);

}  // namespace pivlo::test
