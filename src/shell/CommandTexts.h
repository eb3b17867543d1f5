#pragma once

#include <QString>
#include <QStringList>

namespace pivlo {

// The texts of the main window's commands and fixed choice lists. The position of a
// choice list's entry is the code a project stores, so these lists never change order.

// Picture buttons: 0 to 13 carry a caption and a page or command; 18 to 44 and 50 act on
// the open page.
inline constexpr int kPageButtonCount = 14;
inline constexpr int kFirstPageButton = 1;  // buttons 1 to 10 show pages 0 to 9
inline constexpr int kLastPageButton = 10;
inline constexpr int kIconButton = 50;
inline constexpr int kPageCount = 11;  // FraCT(0) to FraCT(10)

bool IsPictureButtonInUse(int index);
// The caption under page button 0 to 13; empty for the others.
QString PageButtonLabel(int index);
// The tool tip of a picture button, ending in one blank; empty for indices without one.
QString ButtonToolTip(int index);

// The tool tips of the other controls that have one.
QString GradientColorToolTip();
QString SolidColorToolTip();
QString SyncToolTip();
QString ExportPasswordToolTip();
QString HeadlineToolTip();
QString CaptionToolTip();
QString TitleTextToolTip();
// The effect lists while the graphics device is not ready: the probe's message, ": " and
// the note that the effects can still be chosen.
QString EffectListToolTip(const QString& status_text);

// The fixed choice lists.
QStringList PhotoScaleChoices();        // ComboPhotoScale
QStringList GradientChoices();          // CboBackgroundGradient
QStringList BackgroundPictureChoices(); // CboBackgroundPictureMode
QStringList LyricStyleChoices();        // ListLyricStyle
QStringList TitleStyleChoices();        // ListTitleStyle
QStringList HeadlineEffectChoices();    // FontList
QStringList TransitionChoices();        // StyleList

// The frame list's fixed entries.
QString NoFrameEntry();
QString TestFrameEntry();
QString CustomFrameEntry();
QString DownloadFramesEntry();

}  // namespace pivlo
