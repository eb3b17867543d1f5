#include "builder/basResourcePackages.h"

#include "builder/RuntimeLibrary.h"
#include "core/AppFolders.h"
#include "core/Prompter.h"

#include <map>

namespace pivlo {
namespace {

constexpr qint32 kFramePackages = 10;

std::optional<ResourcePackage>& ImagePackage() {
  static std::optional<ResourcePackage> package;
  return package;
}

struct Frames {
  QList<FrameIndexEntry> list;
  std::map<qint32, ResourcePackage> packages;  // by n
};

Frames& LoadedFrames() {
  static Frames frames;
  return frames;
}

}  // namespace

bool LoadPackageIndex(Prompter& prompter) {
  const QString path = ApplicationFolder() + QStringLiteral("gmi.src");
  ImagePackage() = ResourcePackage::Open(path, ResourceKind::Images);
  if (ImagePackage()) return true;
  prompter.ShowMessage(MissingOrDamagedText(path), MessageIcon::Error);
  return false;
}

const ResourcePackage* PackageIndex() {
  return ImagePackage() ? &*ImagePackage() : nullptr;
}

std::optional<qint32> FindPackageEntry(const QString& name) {
  if (!ImagePackage()) return std::nullopt;
  return ImagePackage()->Find(name);
}

std::optional<QByteArray> ReadPackageEntry(const QString& name) {
  const std::optional<qint32> number = FindPackageEntry(name);
  if (!number) return std::nullopt;
  return ImagePackage()->Read(*number);
}

void LoadFrameIndex() {
  Frames& frames = LoadedFrames();
  frames = Frames();
  for (qint32 n = 1; n <= kFramePackages; ++n) {
    const QString path = ApplicationFolder() + QString::number(n) + QStringLiteral(".frame");
    std::optional<ResourcePackage> package = ResourcePackage::Open(path, ResourceKind::Frames);
    if (!package) continue;
    for (qsizetype i = 0; i < package->Entries().size(); ++i) {
      frames.list.append(FrameIndexEntry{n, qint32(i + 1), package->Entries()[i]});
    }
    frames.packages.emplace(n, std::move(*package));
  }
}

const QList<FrameIndexEntry>& FrameIndex() { return LoadedFrames().list; }

bool FramePackagesFound() { return !LoadedFrames().packages.empty(); }

QByteArray ReadFrameEntry(qint32 position) {
  const Frames& frames = LoadedFrames();
  if (position < 1 || position > frames.list.size()) return QByteArray();
  const FrameIndexEntry& entry = frames.list[position - 1];
  return frames.packages.at(entry.package).Read(entry.number).value_or(QByteArray());
}

}  // namespace pivlo
