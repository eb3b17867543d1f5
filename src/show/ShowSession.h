#pragma once

// A package made ready to play, for every host of the show (the player, the offline
// renderer): its settings read, its graphics runtime taken from its own blob and started
// on the host's canvas, the pictures it can show found.

#include "builder/ScreensaverPackage.h"
#include "render/CanvasWindow.h"
#include "show/ShowPlan.h"
#include "show/ShowSettings.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace pivlo {

class ShowSession {
 public:
  // Reads the package at the path; nothing, with the reason, when it is no package or
  // names no picture. `fallback_screen` stands for a project screen the bag lacks.
  static std::unique_ptr<ShowSession> Open(const QString& path, QSize fallback_screen, QString* error);
  ~ShowSession();
  ShowSession(const ShowSession&) = delete;
  ShowSession& operator=(const ShowSession&) = delete;

  const ScreensaverPackage& Package() const { return package_; }
  const ShowSettings& Settings() const { return settings_; }

  // The runtime of the package's blob, loaded from memory, with a device on the canvas;
  // false with the reason otherwise. The canvas must outlive the session.
  bool StartGraphics(CanvasWindow& canvas, QString* error);
  // The pictures that can be shown; for each left out a line saying so goes to `say`.
  ShowMaterial FindMaterial(const std::function<void(const QString&)>& say) const;

 private:
  ShowSession(ScreensaverPackage package, ShowSettings settings);

  ScreensaverPackage package_;
  ShowSettings settings_;
  int runtime_fd_ = -1;
  bool graphics_ = false;
};

}  // namespace pivlo
