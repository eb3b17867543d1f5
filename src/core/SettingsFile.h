#pragma once

#include "core/ProjectModel.h"
#include "core/ProjectView.h"

namespace pivlo {

// Start-up: when the settings file exists, takes its "IsPrompt1" into the prompt flag and
// its settings (no lists; the project has no file name afterwards). A file that is not a
// property bag is read as an older-form project, lists included. The controls are then
// set from the model. A file that cannot be read leaves the defaults.
void ReadSettingsFile(ProjectModel& model, ProjectView& view);

// Close: with at least two pictures, replaces the settings file with "IsPrompt1", the
// picture paths that are set and the settings block. False when the file could not be
// written (the old one is then whole).
bool WriteSettingsFile(ProjectModel& model);

}  // namespace pivlo
