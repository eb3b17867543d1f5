#pragma once

// Taking a show's files home: with the E key during the show, or a script running the
// player with --export, the pictures, songs and lyric files the show is made of are
// copied into a folder. The password keeps honest viewers out and no more: the package
// holds it as plain text.

#include "core/Progress.h"
#include "core/Prompter.h"
#include "show/ShowSettings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pivlo {

// The files worth copying, in show order (pictures, songs, lyric files): each path that
// is set and whose type is one the show plays (a picture also as .jpeg or .tiff), once.
QStringList ExportFiles(const ShowSettings& show);

bool ExportNeedsPassword(const ShowSettings& show);
// Any text when the package has no password; else exactly the password.
bool ExportPasswordAccepted(const ShowSettings& show, const QString& typed);

// The name a file takes in the folder: what follows the last '/' or '\' of its path;
// nothing when that names no file inside a folder (empty, "." or "..").
std::optional<QString> ExportFileName(const QString& path);

struct ExportResult {
  int copied = 0;
  QStringList failures;  // "PATH: REASON" for each file not copied, in order
};

// Copies each file into the folder under its own name, or "name (2).ext", "name (3).ext"
// and so on when that is taken: nothing in the folder is ever replaced. A file that
// fails leaves nothing behind, and the others go on. Progress is shown file by file. A
// file `media` holds is copied out of it.
ExportResult CopyExportFiles(const QStringList& files, const QString& folder, Progress& progress,
                             const MediaFiles* media = nullptr);

enum class ExportOutcome {
  kNotAllowed,     // the package does not allow export: nothing asked
  kCancelled,      // the password or the folder question was cancelled
  kWrongPassword,
  kCopied,         // every file
  kFailed,         // some files could not be copied
};

// The viewer's export: the password when there is one, the folder, the copy with its
// progress, then one message saying how it went.
ExportOutcome ExportWithQuestions(const ShowSettings& show, Prompter& prompter, Progress& progress);

// The title of the export's dialogs and messages.
QString ExportTitle();
// Shown over the first seconds of a show that allows export.
QString ExportHintText();

}  // namespace pivlo
