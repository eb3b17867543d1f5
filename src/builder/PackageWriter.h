#pragma once

#include "core/Progress.h"
#include "core/ProjectModel.h"
#include "core/Prompter.h"

#include <QString>
#include <QtGlobal>

namespace pivlo {

// Puts a package's settings into the shared bag: the project's keys as a project file
// holds them, then "OrigScreenWidth", "OrigScreenHeight", "MusicLyricFiles(j)" for each
// lyric file whose title matches song j (the first such song, ignoring case),
// "SongDurationTotal" (32-bit for a synchronised show, else the 16-bit 0) and
// "ResFileSize" (the 16-bit 0).
void WritePackageSettings(ProjectModel& model);

// Appends the resource blob, the shared bag and the trailer to the player already at
// `path`, then checks the finished file. The blob holds, each with its head scrambled:
// rainbow.jpg of gmi.src when the index has it, the frame picture when the graphics
// device is ready and a frame is chosen (the model's bytes stay as they are), and every
// registered file. A blob that would pass 2 GiB is refused before any of it is written.
// `progress` (when given) shows the bytes written. The bag is emptied. A file that fails
// the check is reported (the folder may be restricted); any other failure gives false
// with `error` (when given) saying which step failed and why, and leaves the file
// incomplete for the caller to delete.
bool WriteResourcesAndSettings(const QString& path, const ProjectModel& model, bool direct3d_ready,
                               Prompter& prompter, QString* error = nullptr, Progress* progress = nullptr);

// True when the file is exactly stub + blob + bag + 16 bytes long and ends in the
// trailer's mark.
bool VerifyPackage(const QString& path, qint64 stub, qint64 blob, qint64 bag);

// The warning for a package that failed the check: its folder and two lines saying the
// folder may be restricted.
QString RestrictedFolderText(const QString& path);

}  // namespace pivlo
