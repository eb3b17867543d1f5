#pragma once

#include "core/Progress.h"
#include "core/ProjectModel.h"

#include <QString>

namespace pivlo {

// Makes `project` (the copy a self-contained package is written from) name every file its
// show is made of by item: each picture (converted as PreparePictureBytes converts, the
// converted copy spooled into the folder `spool`), each song, the lyric file paired with
// each song, and the background (when painted), opening, ending and logo pictures become "res:N/NAME",
// registered for the blob as item MediaFile(N). A file named twice is held once; lyric
// files no song plays are left out. A file that is not there keeps its path, as any
// package keeps it. False, with the reason, when a converted copy cannot be spooled.
bool PackMediaFiles(ProjectModel& project, const QString& spool, Progress& progress, QString* error);

}  // namespace pivlo
