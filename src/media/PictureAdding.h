#pragma once

// Which files become pictures of the list, and the file lists that the three ways of adding
// (open dialog, whole folder, drag and drop) hand over.

#include "core/ProjectModel.h"

#include <QString>
#include <QStringList>

namespace pivlo {

// Whether a file type (the last three letters of a path, upper-cased) is one of the seven
// picture formats.
bool IsPictureFileType(const QString& type);

// A file list in the open dialog's NUL-separated form: one full path, or a folder followed
// by the names in it (the folder gets a trailing '/' when it lacks one). Empty parts are
// dropped.
QStringList SplitFileDialogResult(const QString& result);

// The picture files of a folder (not of its sub-folders), by their last three letters, in
// name order with numbers compared as numbers and capitals as small letters.
QStringList PictureFilesInFolder(const QString& folder);

// The dropped files that name a picture format by their last four characters (".JPG", so
// that ".JPEG" does not count); names shorter than 5 characters are ignored.
QStringList DroppedPictureFiles(const QStringList& files);

// Appends, in order, each file that is not yet a picture (paths compared without regard to
// case), is of a picture format by its last three letters and probes as a known format,
// with the new-picture defaults. Returns how many were appended.
qsizetype AppendPictures(ProjectModel& model, const QStringList& paths);

}  // namespace pivlo
