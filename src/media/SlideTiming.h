#pragma once

#include "core/ProjectModel.h"

#include <QtGlobal>

namespace pivlo {

// The whole seconds of all songs that a music-synchronised show spreads over its
// pictures: 0 unless "EnableSync" is on and the project has 1 to 20 songs. Below 30000 s
// the sum is cut to whole seconds and 1 is added, above it is rounded (halves to even).
qint32 TotalSongSeconds(const ProjectModel& model);

}  // namespace pivlo
