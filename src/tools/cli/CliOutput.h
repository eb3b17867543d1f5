#pragma once

#include "core/BagValue.h"

#include <QByteArray>
#include <QString>

namespace pivlo::cli {

void PrintOut(const QString& text);  // stdout, UTF-8, as given
void PrintError(const QString& line);  // one line on stderr, prefixed with the program name

// Replaces the file at `path` with the bytes once they are all written; on failure says so
// on stderr and leaves the old file as it was.
bool WriteOutputFile(const QString& path, const QByteArray& bytes);

// Backslash, tab, CR and LF as \\ \t \r \n, so that one value stays on one line.
QString EscapeField(const QString& text);
// The inverse of EscapeField, for values given on the command line.
QString UnescapeField(const QString& text);

// A stored value as one field: texts escaped, floats in their shortest round-trip text,
// booleans true or false, byte arrays as the count, a colon and the hex of the first 64.
QString BagValueText(const BagValue& value);

}  // namespace pivlo::cli
