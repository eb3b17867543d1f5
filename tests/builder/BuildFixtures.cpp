#include "BuildFixtures.h"

#include "builder/HeadScramble.h"
#include "builder/ResourcePackageWriter.h"
#include "builder/RuntimeLibrary.h"
#include "builder/basResourcePackages.h"
#include "core/AppFolders.h"
#include "core/Prompter.h"
#include "core/PropertyBag.h"
#include "core/basPropertyBag.h"

#include <QFile>

namespace pivlo::test {
namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
}

class NoPrompter : public Prompter {
 public:
  MessageAnswer ShowMessage(const QString& text, MessageIcon, MessageButtons, const QString&) override {
    qFatal("unexpected message: %s", qPrintable(text));
  }
  QStringList GetOpenFileNames(const FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const FileDialogOptions&) override { return {}; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
};

void CopyShipped(const QString& name) {
  const QString from = QStringLiteral(PIVLO_APP_DIR "/") + name;
  if (!QFile::copy(from, ApplicationFolder() + name)) qFatal("cannot copy %s", qPrintable(from));
}

}  // namespace

BuildFolder::BuildFolder(Contents contents) : previous_(ApplicationFolder()) {
  SetApplicationFolder(dir_.path());
  CopyShipped(RuntimeLibraryFileName());
  if (contents == Contents::Shipped) {
    CopyShipped(QStringLiteral("Pivlo.bfq"));
    CopyShipped(QStringLiteral("gmi.src"));
    NoPrompter prompter;
    LoadPackageIndex(prompter);
    return;
  }
  WriteStub(Player());
  WriteImages({{QStringLiteral("1.png"), QByteArray("face")}, {QStringLiteral("RAINBOW.JPG"), Rainbow()}});
}

BuildFolder::~BuildFolder() { SetApplicationFolder(previous_); }

QString BuildFolder::Path(const QString& name) const { return dir_.filePath(name); }

QString BuildFolder::Write(const QString& name, const QByteArray& bytes) const {
  WriteFile(Path(name), bytes);
  return Path(name);
}

void BuildFolder::WriteImages(const QList<std::pair<QString, QByteArray>>& entries) {
  ResourcePackageRequest request;
  for (qsizetype i = 0; i < entries.size(); ++i) {
    request.items.append({Write(QStringLiteral("image-source-%1").arg(i), entries[i].second), entries[i].first});
  }
  QString error;
  if (!WriteResourcePackage(Path(QStringLiteral("gmi.src")), request, error)) qFatal("%s", qPrintable(error));
  NoPrompter prompter;
  LoadPackageIndex(prompter);
}

void BuildFolder::WriteStub(const QByteArray& player) {
  QByteArray stub = player;
  ScrambleStubHead(stub);
  Write(QStringLiteral("Pivlo.bfq"), stub);
}

QByteArray BuildFolder::Player() {
  QByteArray bytes(7000, Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7 + i / 251);
  return bytes;
}

QByteArray BuildFolder::Rainbow() {
  QByteArray bytes(300, Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = char(255 - i);
  return bytes;
}

QByteArray WithPackageSetting(const QByteArray& package, const QString& key, const BagValue& value) {
  if (package.size() < kPackageTrailerLength) return {};
  const QByteArray trailer = package.right(kPackageTrailerLength);
  const qint32 stub = BytesToLongBE(trailer.first(4));
  const qint32 blob = BytesToLongBE(trailer.sliced(4, 4));
  PropertyBag bag;
  if (stub < 0 || blob < 0 || qint64(stub) + blob > package.size() || !bag.SetContents(package.sliced(stub + blob))) {
    return {};
  }
  bag.Put(key, value);
  const QByteArray contents = bag.Contents();
  return package.first(stub + blob) + contents + PackageTrailerBytes(stub, blob, qint32(contents.size()));
}

}  // namespace pivlo::test
