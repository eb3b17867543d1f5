#pragma once

#include <QString>
#include <QStringList>

namespace pivlo {

// Where Debian's packages put General MIDI SoundFonts.
QStringList SoundFontFolders();

// The SoundFont MIDI songs are played with: FluidR3_GM (fluid-soundfont-gm) when it is in
// one of the folders, else the first .sf2 or .sf3 file by name in the first folder that
// has one; empty when there is none.
QString FindSoundFont(const QStringList& folders = SoundFontFolders());

}  // namespace pivlo
