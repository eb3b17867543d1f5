// Any bytes as gmi.src and as a frame package: never a crash, and every entry that the
// index admits lies within the file.

#include "builder/ResourcePackage.h"
#include "builder/basResourcePackages.h"
#include "core/AppFolders.h"
#include "core/Prompter.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

class SilentPrompter : public pivlo::Prompter {
 public:
  pivlo::MessageAnswer ShowMessage(const QString&, pivlo::MessageIcon, pivlo::MessageButtons,
                                   const QString&) override {
    return pivlo::MessageAnswer::Ok;
  }
  QStringList GetOpenFileNames(const pivlo::FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const pivlo::FileDialogOptions&) override { return {}; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
};

void WriteFile(const QString& path, QByteArrayView bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pivlo;
  static QTemporaryDir folder;
  SetApplicationFolder(folder.path());
  const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
  WriteFile(ApplicationFolder() + QStringLiteral("gmi.src"), input);
  WriteFile(ApplicationFolder() + QStringLiteral("2.frame"), input);

  SilentPrompter prompter;
  if (LoadPackageIndex(prompter)) {
    const ResourcePackage& index = *PackageIndex();
    for (qint32 i = 1; i <= index.Entries().size(); ++i) {
      const ResourcePackage::Entry& entry = index.Entries()[i - 1];
      if (index.BagLength() + entry.offset + entry.size > qint64(size)) std::abort();
      if (index.Read(i).value_or(QByteArray(1, 'x')).size() != entry.size) std::abort();
      if (!ReadPackageEntry(entry.name)) std::abort();  // the first of its name, at least
    }
  }
  LoadFrameIndex();
  for (qint32 k = 1; k <= FrameIndex().size(); ++k) {
    if (ReadFrameEntry(k).size() != FrameIndex()[k - 1].frame.size) std::abort();
  }
  return 0;
}
