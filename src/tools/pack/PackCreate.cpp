#include "pack/PackCreate.h"

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "builder/ResourcePackageWriter.h"

#include <QFileInfo>

#include <optional>

namespace pivlo::cli {
namespace {

std::optional<ResourcePackageRequest> ParseRequest(const QStringList& args) {
  std::optional<ResourceKind> kind;
  QStringList files;
  QStringList names;
  ResourcePackageRequest request;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& word = args[i];
    if (!word.startsWith(QStringLiteral("--"))) {
      files.append(UserPath(word));
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& value = args[++i];
    if (word == u"--kind" && !kind && value == u"images") {
      kind = ResourceKind::Images;
    } else if (word == u"--kind" && !kind && value == u"frames") {
      kind = ResourceKind::Frames;
    } else if (word == u"--name") {
      names.append(value);
    } else if (word == u"--copyright" && request.copyright.isEmpty()) {
      request.copyright = value;
    } else {
      return std::nullopt;
    }
  }
  if (!kind || files.isEmpty()) return std::nullopt;
  // Images are known by their file names; every frame needs its display name.
  if (*kind == ResourceKind::Images ? !names.isEmpty() : names.size() != files.size()) return std::nullopt;
  request.kind = *kind;
  for (qsizetype i = 0; i < files.size(); ++i) {
    request.items.append({files[i], names.isEmpty() ? QFileInfo(files[i]).fileName() : names[i]});
  }
  return request;
}

}  // namespace

int PackCreate(const QStringList& args) {
  if (args.isEmpty()) return kUsageError;
  const std::optional<ResourcePackageRequest> request = ParseRequest(args);
  if (!request) return kUsageError;
  QString error;
  if (!WriteResourcePackage(UserPath(args.first()), *request, error)) {
    PrintError(error);
    return 1;
  }
  return 0;
}

}  // namespace pivlo::cli
