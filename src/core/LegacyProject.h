#pragma once

#include "core/ProjectModel.h"
#include "core/PropertyBag.h"

#include <QIODevice>
#include <QString>

#include <optional>

namespace pivlo {

// The older project form, read only: records of 128 bytes, record n at (n - 1) × 128,
// each holding one text as a 16-bit little-endian byte count and that many bytes in the
// Chinese ANSI code page (GBK, read as GB18030).
//
// Reads the records into a bag under the keys of today's project files: the flags,
// colours, paths and texts it holds, the time box's text under "TimeInterval" as it
// stands, the songs as "NowM" and "MusicNames(i)", the pictures as "NowI", "ImgNames(i)",
// "ImgPosX(i)", "ImgPosY(i)", "ImgCaption(i)", "CapPosX(i)" and "CapPosY(i)". The reading
// ends at the first record it cannot take (past the end of the file, a byte count beyond
// its record, a number that is not one, a negative count) with what was read so far; a
// number beyond 32 bits is passed over. Nothing when the reading does not get through
// the picture and song counts: such a file is not an older-form project.
std::optional<PropertyBag> ParseLegacyProject(QIODevice& file);
std::optional<PropertyBag> ParseLegacyProject(const QString& path);

// Puts what was read into the model: the songs and pictures read replace the lists (each
// picture starting from the new-picture defaults, songs measured when a measure is set),
// the settings read replace theirs, and everything else keeps its value.
void ApplyLegacyProject(ProjectModel& model, const PropertyBag& legacy);

// Both steps. False, with the model untouched, for a file that is not an older-form
// project.
bool ReadLegacyProject(ProjectModel& model, const QString& path);

}  // namespace pivlo
