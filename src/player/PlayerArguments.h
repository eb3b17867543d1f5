#pragma once

// The player's command line. Besides its own options it takes the ones a screensaver is
// started with elsewhere: /s, /p ID and /c from the Windows screensaver dialog, and
// --root with $XSCREENSAVER_WINDOW from the XScreenSaver daemon.

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace pivlo {

enum class PlayerMode {
  kFullScreen,  // every monitor, the cursor hidden
  kWindow,      // a window of its own
  kX11Window,   // inside someone else's X11 window (window_id)
  kRoot,        // on the X11 root window
  kAbout,       // the screensaver's name, author and rights in a dialog
  kInspect,     // what the program carries, printed
  kExport,      // the show's files copied into export_folder, nothing shown or asked
  kHelp,
};

struct PlayerOptions {
  PlayerMode mode = PlayerMode::kFullScreen;
  std::optional<quint32> seed;
  quint32 window_id = 0;
  QString export_folder;
  std::optional<QString> export_password;  // as given, even empty

  friend bool operator==(const PlayerOptions&, const PlayerOptions&) = default;
};

struct ParsedArguments {
  std::optional<PlayerOptions> options;  // nothing when the arguments make no sense
  QString error;                         // then why, in one line
  bool show_usage = false;               // an option unknown or out of place: the usage helps
};

// `args` without the program name; `xscreensaver_window` is $XSCREENSAVER_WINDOW (empty
// when unset).
ParsedArguments ParsePlayerArguments(const QStringList& args, const QString& xscreensaver_window);

// A window id as X11 tools print it: decimal or 0x hex, not 0, 32 bits at most.
std::optional<quint32> ParseWindowId(const QString& text);

// The modes and options, for --help and after a usage error.
QString PlayerUsage(const QString& program);

}  // namespace pivlo
