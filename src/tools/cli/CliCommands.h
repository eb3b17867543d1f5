#pragma once

#include <QStringList>

namespace pivlo::cli {

// What a subcommand returns when its arguments are wrong: main prints the usage.
constexpr int kUsageError = 2;

// Each takes the arguments after its command words.
int BagDump(const QStringList& args);
int Probe(const QStringList& args);
int Decode(const QStringList& args);
int Convert(const QStringList& args);
int Mp3Report(const QStringList& args);
int SongDurations(const QStringList& args);
int Lyrics(const QStringList& args);
int Crc(const QStringList& args);
int PackList(const QStringList& args);
int PackExtract(const QStringList& args);
int ProjectCreate(const QStringList& args);
int ProjectShow(const QStringList& args);
int Build(const QStringList& args);
int PackageInspect(const QStringList& args);
int IconScan(const QStringList& args);
int IconReplace(const QStringList& args);
int RenderText(const QStringList& args);
int RunTransitionCommand(const QStringList& args);
int Headline(const QStringList& args);
int ShowPlanCommand(const QStringList& args);
int ShowRenderCommand(const QStringList& args);
int ShowVideoCommand(const QStringList& args);
int Compose(const QStringList& args);
int ScreensaverInstallCommand(const QStringList& args);
int ScreensaverRemoveCommand(const QStringList& args);

inline constexpr char kTextArguments[] =
    "OUT.png --box WxH --font NAME --size PX [--style N --align N --pattern N --border N "
    "--start RRGGBB --end RRGGBB --border-color RRGGBB] TEXT";
inline constexpr char kTransitionArguments[] =
    "POS --variant V --from A --to B [--size WxH] [--frame FRAME.png] [--unpaced] [--out DIR]";

inline constexpr char kHeadlineArguments[] =
    "POS --text TEXT --picture P [--variant V --size WxH --box X,Y,W,H --font NAME --font-size PX "
    "--pattern N --unpaced --out DIR]";

}  // namespace pivlo::cli
