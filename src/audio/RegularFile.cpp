#include "audio/RegularFile.h"

#include "core/basByteFiles.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace pivlo {

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 limit, QString* error) {
  const auto refuse = [error](const QString& why) -> std::optional<QByteArray> {
    if (error) *error = why;
    return std::nullopt;
  };
  QFile file;
  if (!OpenRegularFile(file, path)) return refuse(u"not a regular file"_s);
  if (file.size() > limit) return refuse(u"larger than %1 bytes"_s.arg(limit));
  QByteArray bytes;
  if (file.size() > 0 && ReadFileBytes(bytes, file, 0, file.size()) == 0) return refuse(file.errorString());
  return bytes;
}

}  // namespace pivlo
