#include "shell/EditorArguments.h"

#include <QDir>
#include <QFileInfo>

namespace pivlo {

using namespace Qt::Literals::StringLiterals;

EditorArguments ParseEditorArguments(const QStringList& arguments) {
  EditorArguments parsed;
  if (arguments.isEmpty()) return parsed;
  const QString& first = arguments.first();
  if (arguments.size() == 1 && (first == u"--help" || first == u"-h")) {
    parsed.help = true;
  } else if (arguments.size() > 1) {
    parsed.error = u"one project file at most"_s;
  } else if (first.startsWith(u'-')) {
    // A file whose name starts so is given as ./-name.aps.
    parsed.error = u"unknown option "_s + first;
  } else {
    parsed.project = QDir::cleanPath(QFileInfo(first).absoluteFilePath());
  }
  return parsed;
}

QString EditorUsage() {
  return u"usage: pivlo [PROJECT.aps]\n  opens the project once the window is up, as 打开配置 does\n"_s;
}

}  // namespace pivlo
