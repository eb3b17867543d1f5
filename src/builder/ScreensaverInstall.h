#pragma once

// A built screensaver installed for the user: a copy under a safe name in the user's
// data folder, an entry in XScreenSaver's list (~/.xscreensaver) and a desktop entry
// among the desktop's screensavers, with the package's icon. Removing undoes exactly that.

#include <QString>
#include <QStringList>

#include <optional>

namespace pivlo {

// Where one user's files are; tests give a temporary home.
struct UserPlaces {
  QString home;             // ~/.xscreensaver lives here
  QString data;             // $XDG_DATA_HOME, ~/.local/share by default
  bool xscreensaver = false;  // XScreenSaver is installed
  QString system_list;      // the file with XScreenSaver's own list, for a user who has none
  bool wayland = false;     // a Wayland session: no screensaver protocol, an idle tool starts it

  static UserPlaces OfThisUser();
};

struct InstallResult {
  QStringList lines;       // what was done, and how to pick the screensaver
  bool complete = true;    // false: a step was left out (the reason is among the lines)
};

// The name a screensaver is installed under: the output's base name with what a shell or
// a desktop entry would read specially replaced by "-" (letters of every script kept).
QString InstalledScreensaverName(const QString& output);

// The line that has swayidle start the installed show full screen after ten idle minutes.
QString SwayidleLine(const QString& installed);

// Installs the screensaver at `output`. Nothing, with the reason in `error`, when it is no
// screensaver or its copy cannot be written; a settings file that cannot be read as one
// is left as it was and named in the lines, and the rest is installed all the same.
std::optional<InstallResult> InstallScreensaver(const QString& output, const UserPlaces& places, QString* error);

// Removes what installing the screensaver of that name put in place.
std::optional<InstallResult> RemoveScreensaver(const QString& name, const UserPlaces& places, QString* error);

}  // namespace pivlo
