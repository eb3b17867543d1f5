#pragma once

#include "core/ProjectModel.h"

#include <QString>

namespace pivlo {

// Text boxes that follow their text: the lyric box is one line high, a headline box as
// wide as its headline. A line is measured on the sample "A屏保j".

// The measured height of the line sample in the font (0 when the family is not installed).
double LineSampleHeight(const QString& font_name, double size, int style_flags);

// Sets the lyric box height to one line of the lyric style, round(height + 1), and
// returns the height of the lyric marker on a canvas of the given height: that line
// scaled from the screen, twice for the two-line lyric styles.
double FitLyricBoxHeight(ProjectModel& model, int canvas_height);

// One headline line: round(height + 1) of the sample in the headline style's font at the
// selected picture's headline size and style flags, or the headline style's own when no
// picture is selected. The editor takes it at start-up, after the headline font dialog
// and when a project was opened, and keeps it for FitHeadlineBox.
qint32 HeadlineSampleHeight(const ProjectModel& model, const ImageEntry* selected);

// Sizes the selected picture's headline box to its headline: width the measured width + 1
// (at most the screen's width, at least the sample height, to the nearest integer),
// height the sample height. False, changing nothing, without a picture or a headline.
bool FitHeadlineBox(const ProjectModel& model, ImageEntry* selected, qint32 sample_height);

}  // namespace pivlo
