#pragma once

#include "core/BagValue.h"
#include "core/PropertyBag.h"
#include "core/Prompter.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace pivlo::cli {

void PrintOut(const QString& text);  // stdout, UTF-8, as given

// A path as the user typed it, taken from the working folder: the libraries read a short
// relative name ("x.jpg") as no file at all. Empty stays empty.
QString UserPath(const QString& typed);
void PrintError(const QString& line);  // one line on stderr, prefixed with the program name

// Notices go to stderr, one line each. Questions are not asked: they get Yes when the
// user agreed in advance (a --force), else Cancel, and a refused question is printed as
// the reason. The save dialog answers with the path given on the command line.
class StderrPrompter : public Prompter {
 public:
  bool agree = false;
  QString save_path;

  MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                            const QString& title) override;
  QStringList GetOpenFileNames(const FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const FileDialogOptions&) override { return save_path; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
};

// Replaces the file at `path` with the bytes once they are all written; on failure says so
// on stderr and leaves the old file as it was.
bool WriteOutputFile(const QString& path, const QByteArray& bytes);

// Backslash, tab, CR and LF as \\ \t \r \n, so that one value stays on one line.
QString EscapeField(const QString& text);
// The inverse of EscapeField, for values given on the command line.
QString UnescapeField(const QString& text);

// A decimal integer from low to high; nothing otherwise.
std::optional<int> ParseInt(const QString& text, int low, int high);
// "WxH" with both sides positive; nothing otherwise.
std::optional<QSize> ParseSize(const QString& text);

// The rainbow texture from gmi.src beside the program (the graphics probe's test texture
// and the rainbow text fill); empty when the package or the picture is missing.
QByteArray ShippedRainbowPicture();

// A stored value as one field: texts escaped, floats in their shortest round-trip text,
// booleans true or false, byte arrays as the count, a colon and the hex of the first 64.
QString BagValueText(const BagValue& value);

// One line of `bag dump`: KEY<TAB>KIND<TAB>VALUE and a line feed.
QString BagDumpLine(const PropertyBag::Entry& entry);

}  // namespace pivlo::cli
