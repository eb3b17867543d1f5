#include "cli/CliArguments.h"
#include "cli/CliOutput.h"

#include <QFileInfo>
#include <QStringList>

namespace pivlo::cli {

std::optional<int> ParseInt(const QString& text, int low, int high) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<QSize> ParseSize(const QString& text) {
  const QStringList sides = text.split(u'x');
  if (sides.size() != 2) return std::nullopt;
  bool ok_width = false;
  bool ok_height = false;
  const QSize size(sides[0].toInt(&ok_width), sides[1].toInt(&ok_height));
  if (!ok_width || !ok_height || size.isEmpty()) return std::nullopt;
  return size;
}

bool IsFile(const QString& path) {
  if (QFileInfo(path).isFile()) return true;
  PrintError(path + QStringLiteral(": no such file"));
  return false;
}

}  // namespace pivlo::cli
