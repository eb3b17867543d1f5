#pragma once

#include <QString>
#include <QStringList>

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
  // Starts the program as a process of its own and does not wait for it. False, with
  // the reason in `error`, when it could not be started.
  virtual bool StartProgram(const QString& program, const QStringList& arguments, QString* error) = 0;
};

}  // namespace pivlo
