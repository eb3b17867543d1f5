#pragma once

#include "core/ProjectModel.h"

#include <QtGlobal>

namespace pivlo {

// The whole seconds of music a synchronised show spreads over its pictures
// ("SongDurationTotal"): 0 unless "EnableSync" is on and the project has 1 to 20 songs.
// Otherwise the single-precision sum of the durations: below 30000 its integer part + 1,
// else rounded to the nearest (halves to even). Never 0 for a synchronised show.
qint32 TotalSongSeconds(const ProjectModel& model);

}  // namespace pivlo
