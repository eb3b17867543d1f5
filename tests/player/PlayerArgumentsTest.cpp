// The player's command line: its own options, the ones screensaver hosts start it with,
// and the errors that stop it before anything is shown.

#include "player/PlayerArguments.h"

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Case {
  QStringList args;
  QString xscreensaver_window;
  std::optional<PlayerOptions> expected;  // nothing: an error
  bool show_usage = false;
};

PlayerOptions Mode(PlayerMode mode, std::optional<quint32> seed = std::nullopt, quint32 window = 0) {
  PlayerOptions options;
  options.mode = mode;
  options.seed = seed;
  options.window_id = window;
  return options;
}

PlayerOptions Export(const QString& folder, std::optional<QString> password = std::nullopt) {
  PlayerOptions options = Mode(PlayerMode::kExport);
  options.export_folder = folder;
  options.export_password = std::move(password);
  return options;
}

TEST(PlayerArguments, ModesSeedsAndWindowIds) {
  using enum PlayerMode;
  const Case cases[] = {
      {{}, {}, Mode(kFullScreen)},
      {{u"--fullscreen"_s}, {}, Mode(kFullScreen)},
      {{u"/s"_s}, {}, Mode(kFullScreen)},
      {{u"/S"_s}, {}, Mode(kFullScreen)},
      {{u"--window"_s, u"--seed"_s, u"42"_s}, {}, Mode(kWindow, 42)},
      {{u"--seed=4294967295"_s}, {}, Mode(kFullScreen, 4294967295u)},
      {{u"--seed"_s, u"0"_s, u"/s"_s}, {}, Mode(kFullScreen, 0)},
      {{u"--window-id"_s, u"123"_s}, {}, Mode(kX11Window, std::nullopt, 123)},
      {{u"--window-id"_s, u"0x1A00003"_s}, {}, Mode(kX11Window, std::nullopt, 0x1a00003)},
      {{u"--window-id=0X1a"_s}, {}, Mode(kX11Window, std::nullopt, 0x1a)},
      {{u"/p"_s, u"77"_s}, {}, Mode(kX11Window, std::nullopt, 77)},
      {{u"/P"_s, u"77"_s, u"--seed"_s, u"5"_s}, {}, Mode(kX11Window, 5, 77)},
      // The daemon's way: --root with the window in the environment, or nothing at all.
      {{u"--root"_s}, {}, Mode(kRoot)},
      {{u"--root"_s}, u"0x400007"_s, Mode(kX11Window, std::nullopt, 0x400007)},
      {{}, u"4194311"_s, Mode(kX11Window, std::nullopt, 4194311)},
      // A mode asked for by name wins over the environment.
      {{u"--window"_s}, u"0x400007"_s, Mode(kWindow)},
      {{u"--window-id"_s, u"9"_s}, u"0x400007"_s, Mode(kX11Window, std::nullopt, 9)},
      {{u"/c"_s}, {}, Mode(kAbout)},
      {{u"/c:3344"_s}, {}, Mode(kAbout)},
      {{u"--inspect"_s}, {}, Mode(kInspect)},
      {{u"--export"_s, u"/tmp/out"_s}, {}, Export(u"/tmp/out"_s)},
      {{u"--export=相册"_s, u"--password"_s, u"秘密 1"_s}, {}, Export(u"相册"_s, u"秘密 1"_s)},
      {{u"--password="_s, u"--export"_s, u"out"_s}, {}, Export(u"out"_s, u""_s)},
      {{u"--password=a=b"_s, u"--export"_s, u"out"_s}, {}, Export(u"out"_s, u"a=b"_s)},
      // The export copies for a script: the daemon's window means nothing to it.
      {{u"--export"_s, u"out"_s}, u"0x400007"_s, Export(u"out"_s)},
      {{u"--help"_s}, {}, Mode(kHelp)},
      {{u"--window"_s, u"--bogus"_s, u"-h"_s}, {}, Mode(kHelp)},
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = ParsePlayerArguments(c.args, c.xscreensaver_window);
    ASSERT_TRUE(parsed.options) << c.args.join(u' ').toStdString() << ": " << parsed.error.toStdString();
    EXPECT_EQ(*parsed.options, *c.expected) << c.args.join(u' ').toStdString();
  }
}

TEST(PlayerArguments, NonsenseIsRefusedWithOneLineAndTheUsageWhereAnOptionIsWrong) {
  const Case cases[] = {
      {{u"--bogus"_s}, {}, std::nullopt, true},
      {{u"show.scr"_s}, {}, std::nullopt, true},
      {{u"--window=yes"_s}, {}, std::nullopt, true},
      {{u"--window"_s, u"--fullscreen"_s}, {}, std::nullopt, true},
      {{u"--root"_s, u"--window-id"_s, u"5"_s}, {}, std::nullopt, true},
      {{u"--inspect"_s, u"--window"_s}, {}, std::nullopt, true},
      {{u"/c"_s, u"--seed"_s, u"1"_s}, {}, std::nullopt, true},
      {{u"--export"_s, u"out"_s, u"--window"_s}, {}, std::nullopt, true},
      {{u"--export"_s, u"out"_s, u"--seed"_s, u"1"_s}, {}, std::nullopt, true},
      {{u"--password"_s, u"pw"_s}, {}, std::nullopt, true},
      {{u"--window"_s, u"--password"_s, u"pw"_s}, {}, std::nullopt, true},
      {{u"--export"_s}, {}, std::nullopt, false},
      {{u"--export="_s}, {}, std::nullopt, false},
      {{u"--export"_s, u"out"_s, u"--password"_s}, {}, std::nullopt, false},
      {{u"--seed"_s}, {}, std::nullopt, false},
      {{u"--seed"_s, u"4294967296"_s}, {}, std::nullopt, false},
      {{u"--seed"_s, u"-1"_s}, {}, std::nullopt, false},
      {{u"--seed"_s, u"+7"_s}, {}, std::nullopt, false},
      {{u"--seed"_s, u"12abc"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s, u"zz"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s, u"0"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s, u"0x"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s, u"0x100000000"_s}, {}, std::nullopt, false},
      {{u"--window-id"_s, u"-5"_s}, {}, std::nullopt, false},
      {{u"/p"_s}, {}, std::nullopt, false},
      {{}, u"junk"_s, std::nullopt, false},
      {{u"--root"_s}, u"0x"_s, std::nullopt, false},
  };
  for (const Case& c : cases) {
    const ParsedArguments parsed = ParsePlayerArguments(c.args, c.xscreensaver_window);
    const std::string name = c.args.join(u' ').toStdString() + " / " + c.xscreensaver_window.toStdString();
    EXPECT_FALSE(parsed.options) << name;
    EXPECT_FALSE(parsed.error.isEmpty()) << name;
    EXPECT_FALSE(parsed.error.contains(u'\n')) << name;
    EXPECT_EQ(parsed.show_usage, c.show_usage) << name;
  }
}

}  // namespace
}  // namespace pivlo
