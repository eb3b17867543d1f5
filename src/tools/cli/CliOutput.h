#pragma once

#include <QString>

namespace pivlo::cli {

void PrintOut(const QString& text);  // stdout, UTF-8, as given
void PrintError(const QString& line);  // one line on stderr, prefixed with the program name

// Backslash, tab, CR and LF as \\ \t \r \n, so that one value stays on one line.
QString EscapeField(const QString& text);

}  // namespace pivlo::cli
