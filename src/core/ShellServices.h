#pragma once

#include <QString>

namespace pivlo {

// What the desktop shell does for the program. The editor implements it with
// QDesktopServices and the file manager; tests record the calls; the command line does
// nothing.
class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // Opens the file with the desktop's default action for it. False when that failed.
  virtual bool OpenWithDefaultAction(const QString& path) = 0;
  // Shows the folder holding the file, with the file selected where the file manager can.
  virtual void ShowInFolder(const QString& path) = 0;
};

}  // namespace pivlo
