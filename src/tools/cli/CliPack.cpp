#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "builder/ResourcePackage.h"

#include <optional>

namespace pivlo::cli {
namespace {

std::optional<ResourcePackage> OpenOrSay(const QString& path) {
  std::optional<ResourcePackage> package = ResourcePackage::Open(path);
  if (!package) PrintError(path + QStringLiteral(": not a resource package"));
  return package;
}

}  // namespace

int PackList(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const std::optional<ResourcePackage> package = OpenOrSay(UserPath(args.first()));
  if (!package) return 1;
  QString out;
  qint32 index = 0;
  for (const ResourcePackage::Entry& entry : package->Entries()) {
    out += QString::number(++index) + u'\t' + EscapeField(entry.name) + u'\t' + QString::number(entry.size) +
           u'\t' + QString::number(entry.offset) + u'\n';
  }
  PrintOut(out);
  return 0;
}

int PackExtract(const QStringList& args) {
  if (args.size() != 3) return kUsageError;
  const QString& name = args[1];
  const QString& out = args[2];
  const std::optional<ResourcePackage> package = OpenOrSay(UserPath(args[0]));
  if (!package) return 1;
  const std::optional<qint32> number = package->Find(name);
  if (!number) {
    PrintError(args[0] + QStringLiteral(": no entry named ") + name);
    return 1;
  }
  const std::optional<QByteArray> bytes = package->Read(*number);
  if (!bytes) {
    PrintError(args[0] + QStringLiteral(": cannot read ") + name);
    return 1;
  }
  return WriteOutputFile(out, *bytes) ? 0 : 1;
}

}  // namespace pivlo::cli
