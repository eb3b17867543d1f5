// pivlo-cli: the command-line companion of the editor, for scripted builds and inspection.

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "pack/PackCreate.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <memory>

namespace {

using pivlo::cli::kUsageError;

struct Command {
  QStringList words;
  const char* arguments;
  const char* summary;
  int (*run)(const QStringList& args);
  bool draws = false;  // draws pictures or text: needs a GUI application (fonts, image plugins)
};

const Command kCommands[] = {
    {{QStringLiteral("bag"), QStringLiteral("dump")}, "FILE",
     "print every stored value: KEY<TAB>KIND<TAB>VALUE", pivlo::cli::BagDump},
    {{QStringLiteral("mp3")}, "FILE",
     "analyse an MPEG audio file: ok=true or ok=false, then Name=value per property", pivlo::cli::Mp3Report},
    {{QStringLiteral("duration")}, "FILE...",
     "measure songs as the music list does: SECONDS<TAB>PATH, -1 for a refused song", pivlo::cli::SongDurations},
    {{QStringLiteral("lyrics")}, "FILE.lrc",
     "the lines of a lyric file as the show reads them, in display order: SECONDS<TAB>TEXT\n"
     "      (seconds with three decimals; exit 1 when the file gives no lyrics)",
     pivlo::cli::Lyrics},
    {{QStringLiteral("crc")}, "FILE",
     "print the file's CRC-32 as upper-case hex (an empty line and exit 1 when unreadable)", pivlo::cli::Crc},
    {{QStringLiteral("pack"), QStringLiteral("list")}, "FILE",
     "print a resource package's index: INDEX<TAB>NAME<TAB>SIZE<TAB>OFFSET", pivlo::cli::PackList},
    {{QStringLiteral("pack"), QStringLiteral("extract")}, "FILE NAME OUT",
     "write the entry named NAME (ignoring case) to OUT", pivlo::cli::PackExtract},
    {{QStringLiteral("pack"), QStringLiteral("create")}, pivlo::cli::kPackCreateArguments,
     "write a resource package of images (named by file name) or frames (one --name each)",
     pivlo::cli::PackCreate},
    {{QStringLiteral("project"), QStringLiteral("create")},
     "OUT.aps [--picture PATH]... [--song PATH [--duration SECONDS]]... [--lyric PATH]... [--set KEY=VALUE]...",
     "build a project of at least two pictures and save it; a song without --duration is measured\n"
     "      and finds its lyric file as the music list does; --set takes a bag key and a value\n"
     "      (true/false, numbers, texts with \\\\ \\t \\r \\n escapes) checked as the editor checks it",
     pivlo::cli::ProjectCreate},
    {{QStringLiteral("project"), QStringLiteral("show")}, "FILE",
     "read a project (dropping entries whose files are gone, reported on stderr) and print the\n"
     "      keys the project writer would write, KEY=VALUE in the writer's order",
     pivlo::cli::ProjectShow},
    {{QStringLiteral("build")}, "PROJECT.aps OUTPUT [--preview] [--force] [--icon ICO] [--pack-media]",
     "build the screensaver as the editor does, without dialogs (an existing OUTPUT only with\n"
     "      --force; --preview: the preview package; --icon: the icon given to the player;\n"
     "      --pack-media: the pictures, songs and lyrics go into the package) and print the\n"
     "      finish summary",
     pivlo::cli::Build},
    {{QStringLiteral("package"), QStringLiteral("inspect")}, "FILE",
     "print a screensaver's sections (S, B, C), the trailer check, its resources\n"
     "      (item<TAB>NAME<TAB>OFFSET<TAB>SIZE<TAB>TYPE) and its settings as bag dump prints them",
     pivlo::cli::PackageInspect},
    {{QStringLiteral("screensaver"), QStringLiteral("install")}, "OUTPUT",
     "install a built screensaver for this user: a copy in the data folder, an entry in\n"
     "      ~/.xscreensaver (when XScreenSaver is installed) and a desktop entry; prints what it\n"
     "      did and how to pick it (exit 1 when ~/.xscreensaver had to be left as it was)",
     pivlo::cli::ScreensaverInstallCommand},
    {{QStringLiteral("screensaver"), QStringLiteral("remove")}, "NAME",
     "undo what install did for the screensaver installed under NAME", pivlo::cli::ScreensaverRemoveCommand},
    {{QStringLiteral("icon"), QStringLiteral("scan")}, "FILE",
     "list the 32 and 48 pixel icon images found in the file, as the icon picker does", pivlo::cli::IconScan},
    {{QStringLiteral("icon"), QStringLiteral("replace")}, "ICO EXE",
     "give the program's icon resources the first image of the icon file", pivlo::cli::IconReplace},
    {{QStringLiteral("probe")}, "FILE...",
     "recognise pictures: TAG<TAB>WIDTH<TAB>HEIGHT<TAB>DEPTH<TAB>PATH", pivlo::cli::Probe},
    {{QStringLiteral("decode")}, "FILE OUT.png [--mode M --size WxH]",
     "draw the picture on black (mode 0..4, its own size by default) and save it as PNG", pivlo::cli::Decode},
    {{QStringLiteral("convert")}, "FILE OUT",
     "write the bytes a package would hold: TAG<TAB>converted|source<TAB>WIDTH<TAB>HEIGHT", pivlo::cli::Convert},
    {{QStringLiteral("text")}, pivlo::cli::kTextArguments,
     "draw a styled text into a transparent PNG of the box (style 0-3, align 0-8, pattern 0-18)",
     pivlo::cli::RenderText, true},
    {{QStringLiteral("transition")}, pivlo::cli::kTransitionArguments,
     "run transition POS (0-22) from picture A to picture B on the software device (960x720 by\n"
     "      default) and print frames=, elapsed_ms= and effect_ms=; --unpaced runs at once on a\n"
     "      clock that only steps while the effect waits; --out writes every frame as DIR/NNNN.png",
     pivlo::cli::RunTransitionCommand, true},
    {{QStringLiteral("headline")}, pivlo::cli::kHeadlineArguments,
     "preview headline effect POS (0-8) over the picture on the software device (960x720 by\n"
     "      default, the screen's size too) and print frames=, elapsed_ms= and effect_ms=; the box\n"
     "      is in canvas pixels (default: where a new picture's headline sits, fitted to the text);\n"
     "      --variant is the slide-in's side; --unpaced runs at once on a clock that only steps\n"
     "      while the effect waits; --out writes every frame as DIR/NNNN.png",
     pivlo::cli::Headline, true},
    {{QStringLiteral("compose")}, "PROJECT.aps OUT.png --picture N [--mode 0-4] [--size WxH] [--title 1|2]",
     "the layout canvas of picture N as the editor composes it: mode 0 pictures, 1 caption, 2\n"
     "      headline, 3 lyric sample, 4 titles (--title 1 the opening, 2 the ending); 480x360 by\n"
     "      default, on the screen build takes; exit 1 for a picture the project does not have",
     pivlo::cli::Compose, true},
    {{QStringLiteral("show"), QStringLiteral("plan")}, "PACKAGE [--seed N] [--seconds S] [--size WxH]",
     "the show's timeline (by default one cycle), one event a line: START<TAB>END<TAB>KIND<TAB>DETAIL\n"
     "      (seconds with three decimals; a slide's detail N<TAB>PATH, a transition's POSITION/VARIANT,\n"
     "      a headline's EFFECT, a song's N<TAB>PATH, a lyric's N<TAB>TEXT with N the song's number);\n"
     "      --size stands for a screen the package does not name",
     pivlo::cli::ShowPlanCommand, true},
    {{QStringLiteral("show"), QStringLiteral("render")}, "PACKAGE OUTDIR --at T[,T...] [--size WxH] [--seed N] [--audio OUT.wav --seconds S]",
     "the frame the player presents at each time T for the seed and screen size (1920x1080 by\n"
     "      default), as OUTDIR/T.png with T in three decimals; --audio also writes the first S\n"
     "      seconds of the show's sound, the samples the player plays, as a 48 kHz stereo WAV",
     pivlo::cli::ShowRenderCommand, true},
    {{QStringLiteral("show"), QStringLiteral("video")},
     "PACKAGE OUT.mp4 [--size WxH] [--fps N] [--cycles N] [--seconds S] [--seed N] [--progress]",
     "the show as an MP4 video (1920x1080 at 30 fps by default; sizes 1280x720 to 3840x2160, both\n"
     "      even; 24, 25, 30, 50 or 60 fps): frame K is the frame render writes at K/fps seconds, the\n"
     "      sound the player's from the start; S seconds long, else N whole cycles (1 by default);\n"
     "      prints OUT<TAB>WxH<TAB>N fps<TAB>S.SSS s<TAB>CODEC<TAB>aac, CODEC h264 or mpeg4;\n"
     "      --progress prints progress DONE TOTAL (frames) as it goes; OUT is replaced only by a\n"
     "      complete video, SIGINT and SIGTERM cancel",
     pivlo::cli::ShowVideoCommand, true},
};

QString Usage() {
  QString text = QStringLiteral("usage: pivlo-cli COMMAND [ARGS]\n\ncommands:\n");
  for (const Command& command : kCommands) {
    text += QStringLiteral("  ") + command.words.join(u' ') + u' ' + QString::fromUtf8(command.arguments) +
            QStringLiteral("\n      ") + QString::fromUtf8(command.summary) + u'\n';
  }
  return text;
}

int PrintUsage(FILE* stream) {
  const QByteArray bytes = Usage().toUtf8();
  std::fwrite(bytes.constData(), 1, bytes.size(), stream);
  return stream == stdout ? 0 : kUsageError;
}

// Commands that draw get a GUI application on the offscreen platform: fonts, but never a
// display.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
  for (const Command& command : kCommands) {
    if (!command.draws || argc <= command.words.size()) continue;
    bool match = true;
    for (qsizetype i = 0; i < command.words.size(); ++i) {
      match = match && command.words[i] == QString::fromLocal8Bit(argv[i + 1]);
    }
    if (!match) continue;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help")) {
    return PrintUsage(stdout);
  }
  for (const Command& command : kCommands) {
    if (args.mid(0, command.words.size()) != command.words) continue;
    const int result = command.run(args.mid(command.words.size()));
    return result == kUsageError ? PrintUsage(stderr) : result;
  }
  return PrintUsage(stderr);
}
