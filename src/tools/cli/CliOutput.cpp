#include "cli/CliOutput.h"

#include <QCoreApplication>

#include <QSaveFile>

#include <cstdio>

namespace pivlo::cli {

void PrintOut(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

void PrintError(const QString& line) {
  const QByteArray bytes = (QCoreApplication::applicationName() + QStringLiteral(": ") + line + u'\n').toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
}

bool WriteOutputFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
  PrintError(path + QStringLiteral(": cannot write"));
  return false;
}

QString EscapeField(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'\\': out += QStringLiteral("\\\\"); break;
      case u'\t': out += QStringLiteral("\\t"); break;
      case u'\r': out += QStringLiteral("\\r"); break;
      case u'\n': out += QStringLiteral("\\n"); break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace pivlo::cli
