#pragma once

#include "core/ShellServices.h"

namespace pivlo {

// What the desktop does for the editor: opening a file with its default program, and
// showing a file in the file manager.
class DesktopShell : public ShellServices {
 public:
  bool OpenWithDefaultAction(const QString& path) override;
  // The file manager selects the file where it offers that (FileManager1 over D-Bus);
  // otherwise the folder is opened.
  void ShowInFolder(const QString& path) override;
  bool StartProgram(const QString& program, const QStringList& arguments, QString* error) override;
};

}  // namespace pivlo
