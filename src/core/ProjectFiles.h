#pragma once

#include "core/ProjectModel.h"
#include "core/ProjectView.h"
#include "core/Prompter.h"

#include <QString>

namespace pivlo {

// The question asked before an unnamed project with pictures is left behind: the
// screensaver settings changed, save them as a settings file?
QString SavePromptText();

// Writes the project to a named file (the project writer, then the bag store). A project
// without pictures is not written, since it would leave an empty file. False when the
// file could not be written, with `error` (when given) saying why; the old file is then
// whole.
bool WriteProjectToFile(ProjectModel& model, const QString& path, QString* error = nullptr);

// True with at least two pictures; otherwise tells the user, shows the pictures page
// pointing at the add button, and gives false.
bool CheckEnoughPictures(const ProjectModel& model, Prompter& prompter, ProjectView& view);

// Save As: asks for a file (never the automatic copy, an existing file only after
// confirmation), writes the project there and makes it the project's file. True when the
// project was written.
bool SaveProject(ProjectModel& model, Prompter& prompter, ProjectView& view);

// Save: writes to the project's own file when it has one, else Save As.
bool SaveProjectToItsFile(ProjectModel& model, Prompter& prompter, ProjectView& view);

// Open: offers to save an unnamed project first, writes a named one back to its file,
// asks for a project file and reads it (a property bag, or the older form) in place of the
// lists, the background pictures and the custom icon, then drops entries whose files are
// gone. A file that cannot be read at all is reported and the open project stays as it
// was.
void OpenProject(ProjectModel& model, Prompter& prompter, ProjectView& view);

// Open with the file already chosen (the project the desktop hands the editor): the same
// steps and messages as Open, without its dialog.
void OpenProjectFile(ProjectModel& model, Prompter& prompter, ProjectView& view, const QString& path);

// New project: like Open up to writing the old project, then empties the picture and
// music lists and drops the custom icon; the settings stay. Nothing while busy.
void NewProject(ProjectModel& model, Prompter& prompter, ProjectView& view);

// The timer's automatic save: once more than 59 ticks have passed and the project holds
// at least two pictures, writes the automatic copy (the project's file name stays) and
// starts counting again. A copy that cannot be written is reported the first time only.
void AutoSaveIfDue(ProjectModel& model, Prompter& prompter);

// The close request: false keeps the window open (busy, or the user chose to save an
// unnamed project or to cancel, or the project's file could not be written: closing
// would lose the changes). Otherwise writes a named project back to its file when that
// file still exists, then the settings file; a settings file that cannot be written is
// reported and closing goes on.
bool QueryCloseProject(ProjectModel& model, Prompter& prompter, ProjectView& view);

}  // namespace pivlo
