#pragma once

#include <QString>

namespace pivlo {

// The folder of the program file, always ending in '/'. Start-up may fix it explicitly
// (tests do); otherwise it is the running program's folder.
QString ApplicationFolder();
void SetApplicationFolder(const QString& folder);

// Where Project/, Temp/, Output/ and the settings file live: the application folder when
// it is writable (portable use, the build folder), otherwise the user's data location.
// Ends in '/'. This is the one place that decides.
QString WritableFolder();

// WritableFolder() + "Project/".
QString ProjectFolder();

// WritableFolder() + "Temp/": temporary files (thumbnails, build and icon work files),
// emptied at start-up and at exit.
QString TempFolder();

// The custom icon confirmed for the next build: TempFolder() + "icofinal.ico".
QString CustomIconPath();

// The settings file: WritableFolder() + "Pivlo.ini".
QString SettingsFilePath();

// The automatic copy of the project: ProjectFolder() + "AutoSave.aps".
QString AutoSavePath();

// WritableFolder() + "Output/": where the save dialog of a build starts.
QString OutputFolder();

}  // namespace pivlo
