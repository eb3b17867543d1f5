#pragma once

#include "core/ProjectModel.h"
#include "core/Prompter.h"

#include <QString>

namespace pivlo::cli {

// The command line has no screen or text renderer: projects are laid out for a
// 1920 × 1080 screen in Arial, whose lyric line is 64 pixels high at its starting size.
ModelEnvironment CommandLineEnvironment();

// Reads a project (a property bag or the older form) as the editor opens one: songs
// stored without a duration are measured, and entries whose files are gone are dropped
// and reported. False, said on stderr, when the file is missing or not a project.
bool ReadProjectFile(const QString& path, ProjectModel& model, Prompter& prompter);

}  // namespace pivlo::cli
