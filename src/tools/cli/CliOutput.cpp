#include "cli/CliOutput.h"

#include <QCoreApplication>

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
