#include "player/PlayerArguments.h"

#include <algorithm>
#include <limits>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

bool IsPlaying(PlayerMode mode) {
  return mode == PlayerMode::kFullScreen || mode == PlayerMode::kWindow || mode == PlayerMode::kX11Window ||
         mode == PlayerMode::kRoot;
}

std::optional<quint32> ParseSeed(const QString& text) {
  // toULongLong accepts a sign and spaces; a seed is plain digits.
  if (text.isEmpty() || text.size() > 10 || !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); })) {
    return std::nullopt;
  }
  const qulonglong value = text.toULongLong();
  if (value > std::numeric_limits<quint32>::max()) return std::nullopt;
  return quint32(value);
}

}  // namespace

std::optional<quint32> ParseWindowId(const QString& text) {
  const bool hex = text.startsWith(u"0x"_s, Qt::CaseInsensitive);
  const QString digits = hex ? text.mid(2) : text;
  const auto is_digit = [hex](QChar c) {
    return c.isDigit() || (hex && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
  };
  if (digits.isEmpty() || digits.size() > 10 || !std::all_of(digits.begin(), digits.end(), is_digit)) {
    return std::nullopt;
  }
  const qulonglong value = digits.toULongLong(nullptr, hex ? 16 : 10);
  if (value == 0 || value > std::numeric_limits<quint32>::max()) return std::nullopt;
  return quint32(value);
}

ParsedArguments ParsePlayerArguments(const QStringList& args, const QString& xscreensaver_window) {
  const auto fail = [](const QString& why) { return ParsedArguments{std::nullopt, why, false}; };
  const auto misplaced = [](const QString& why) { return ParsedArguments{std::nullopt, why, true}; };
  if (args.contains(u"--help"_s) || args.contains(u"-h"_s)) {
    PlayerOptions help;
    help.mode = PlayerMode::kHelp;
    return {help, {}, false};
  }

  PlayerOptions options;
  std::optional<PlayerMode> mode;
  for (qsizetype i = 0; i < args.size(); ++i) {
    QString word = args[i];
    std::optional<QString> inline_value;
    if (word.startsWith(u"--"_s) && word.contains(u'=')) {
      inline_value = word.section(u'=', 1);
      word = word.section(u'=', 0, 0);
    }
    // The Windows dialog passes /c:HANDLE; the handle means nothing here.
    if (word.startsWith(u"/"_s)) word = word.toLower().section(u':', 0, 0);
    const auto value = [&]() -> std::optional<QString> {
      if (inline_value) return inline_value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    const auto set_mode = [&](PlayerMode wanted) {
      if (mode) return false;
      mode = wanted;
      return true;
    };

    if (word == u"--seed") {
      const std::optional<QString> text = value();
      options.seed = text ? ParseSeed(*text) : std::nullopt;
      if (!options.seed) return fail(u"--seed needs a number from 0 to 4294967295"_s);
      continue;
    }
    if (word == u"--window-id" || word == u"/p") {
      const std::optional<QString> text = value();
      const std::optional<quint32> id = text ? ParseWindowId(*text) : std::nullopt;
      if (!id) return fail(word + u" needs a window id, decimal or 0x hex: "_s + text.value_or(u"(none)"_s));
      options.window_id = *id;
      if (!set_mode(PlayerMode::kX11Window)) return misplaced(u"more than one mode: "_s + args[i]);
      continue;
    }
    if (word == u"--export") {
      const std::optional<QString> folder = value();
      if (!folder || folder->isEmpty()) return fail(u"--export needs the folder to copy the show's files into"_s);
      options.export_folder = *folder;
      if (!set_mode(PlayerMode::kExport)) return misplaced(u"more than one mode: "_s + args[i]);
      continue;
    }
    if (word == u"--password") {
      options.export_password = value();
      if (!options.export_password) return fail(u"--password needs the export password"_s);
      continue;
    }
    if (inline_value) return misplaced(u"unknown option: "_s + args[i]);

    std::optional<PlayerMode> named;
    if (word == u"--fullscreen" || word == u"/s") named = PlayerMode::kFullScreen;
    if (word == u"--window") named = PlayerMode::kWindow;
    if (word == u"--root") named = PlayerMode::kRoot;
    if (word == u"/c") named = PlayerMode::kAbout;
    if (word == u"--inspect") named = PlayerMode::kInspect;
    if (!named) return misplaced(u"unknown option: "_s + args[i]);
    if (!set_mode(*named)) return misplaced(u"more than one mode: "_s + args[i]);
  }

  if (mode == PlayerMode::kInspect && args.size() != 1) return misplaced(u"--inspect takes no other option"_s);
  if (mode && !IsPlaying(*mode) && options.seed) return misplaced(u"--seed applies only to playing the show"_s);
  if (mode != PlayerMode::kExport && options.export_password) {
    return misplaced(u"--password applies only to --export"_s);
  }

  // The daemon names the window to draw into; run with --root, or with nothing at all,
  // that is the window meant.
  if ((!mode || mode == PlayerMode::kRoot) && !xscreensaver_window.isEmpty()) {
    const std::optional<quint32> id = ParseWindowId(xscreensaver_window);
    if (!id) return fail(u"$XSCREENSAVER_WINDOW holds no window id: "_s + xscreensaver_window);
    options.window_id = *id;
    mode = PlayerMode::kX11Window;
  }
  options.mode = mode.value_or(PlayerMode::kFullScreen);
  return {options, {}, false};
}

QString PlayerUsage(const QString& program) {
  return u"usage: "_s + program +
         uR"( [MODE] [--seed N]
Plays the screensaver this program carries.
  (no mode), --fullscreen, /s  full screen on every monitor
  --window                     in a 960 x 540 window
  --window-id ID, /p ID        inside the X11 window ID (decimal or 0x hex)
  --root                       on the X11 root window, or in $XSCREENSAVER_WINDOW when set
  /c                           the screensaver's name, author and rights
  --inspect                    what this program carries, each resource with its checksum
  --export DIR [--password PW] copies the show's pictures, songs and lyric files into the
                               folder DIR without playing it, when the screensaver allows
                               it (exit 0 all copied, 1 not allowed or a file failed,
                               3 wrong or missing password)
  --seed N                     the same random choices every time (N from 0 to 4294967295)
  --help                       this list
Any key or mouse button ends the show, and so does moving the mouse unless the screensaver
says otherwise; where the screensaver allows export, E copies its files instead. In another
program's window the show runs until that window goes.
)"_s;
}

}  // namespace pivlo
