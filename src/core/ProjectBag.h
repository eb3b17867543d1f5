#pragma once

#include "core/ProjectModel.h"

namespace pivlo {

// Puts the project's key set into the shared bag: the picture paths that are set, the
// settings block and, unless SettingsOnlyWrite is set, the counts and the per-index keys
// of songs, lyric files and pictures. Writes nothing when the project has no picture.
// Corrects the model first as the editor would: the time box is normalised again, and a
// frame number without frame picture data becomes 0.
void WriteProjectToBag(ProjectModel& model);

// Puts only the settings block (the builder writes it into every package). Nothing when
// the project has no picture.
void WriteSettingsToBag(ProjectModel& model);

// Reads the shared bag into the model, then empties the bag. With SettingsOnlyRead set it
// takes only the settings, empties the lists and clears the project's file name; without
// "NowI" the lists are left as they are; otherwise the lists become the stored ones.
// A key the bag lacks keeps the model's value, except texts the writer omits when empty
// (they read as empty) and the numbers read with a default of 0. Values a field cannot
// hold are passed over; counts are never taken beyond what the bag holds.
void ReadProjectFromBag(ProjectModel& model);

}  // namespace pivlo
