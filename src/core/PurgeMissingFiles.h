#pragma once

#include "core/ProjectModel.h"
#include "core/Prompter.h"

namespace pivlo {

// Drops what names files that are gone: pictures and songs (telling the user once),
// lyric files (silently), a missing background picture (the background becomes one
// colour), a missing opening or ending picture (an opening or ending left with neither
// picture nor text is switched off) and a missing logo.
void PurgeMissingFiles(ProjectModel& model, Prompter& prompter);

}  // namespace pivlo
