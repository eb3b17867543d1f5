#pragma once

// Keeps the desktop's own screensaver and screen blanking away while the show plays
// (org.freedesktop.ScreenSaver on the session bus). Without a session bus or a desktop
// that offers the service nothing is inhibited, and that is no error.

#include <QString>
#include <QtGlobal>

#include <optional>

namespace pivlo {

class ScreenSaverInhibitor {
 public:
  ScreenSaverInhibitor(const QString& application, const QString& reason);
  // Lets the desktop's screensaver work again.
  ~ScreenSaverInhibitor();
  ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
  ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

 private:
  std::optional<quint32> cookie_;
};

}  // namespace pivlo
