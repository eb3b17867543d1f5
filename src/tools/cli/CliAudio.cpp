#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "core/NumberText.h"
#include "media/MP3Info.h"
#include "media/SongDuration.h"

#include <QLocale>

namespace pivlo::cli {
namespace {

QString BoolText(bool value) {
  return value ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

int Mp3Report(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  MP3Info info;
  const bool ok = info.ReadMP3Info(UserPath(args.first()));
  const QList<std::pair<const char*, QString>> properties = {
      {"FirstFrame", QString::number(info.FirstFrame())},
      {"Duration", QString::number(info.Duration(), 'g', QLocale::FloatingPointShortest)},
      {"Channels", QString::number(info.Channels())},
      {"SampleRate", QString::number(info.SampleRate())},
      {"BitRate", QString::number(info.BitRate())},
      {"FileSize", QString::number(info.FileSize())},
      {"MpegBytes", QString::number(info.MpegBytes())},
      {"Frames", QString::number(info.Frames())},
      {"Layer", QString::number(info.Layer())},
      {"MpegVersion", FloatToShortestText(info.MpegVersion())},
      {"CopyrightBit", BoolText(info.CopyrightBit())},
      {"OriginalBit", BoolText(info.OriginalBit())},
      {"PrivateBit", BoolText(info.PrivateBit())},
      {"Protected", BoolText(info.Protected())},
      {"Emphasis", QString::number(info.Emphasis())},
      {"IsVBR", BoolText(info.IsVBR())},
  };
  QString out = QStringLiteral("ok=") + BoolText(ok) + u'\n';
  for (const auto& [name, value] : properties) out += QString::fromLatin1(name) + u'=' + value + u'\n';
  PrintOut(out);
  return ok ? 0 : 1;
}

int SongDurations(const QStringList& args) {
  if (args.isEmpty()) return kUsageError;
  bool all_measured = true;
  for (const QString& path : args) {
    // Measured as the music list does when a song is added; a refused song shows -1.
    const float seconds = MeasureNewSong(UserPath(path));
    all_measured = all_measured && seconds >= 0;
    PrintOut(FloatToShortestText(seconds) + u'\t' + EscapeField(path) + u'\n');
  }
  return all_measured ? 0 : 1;
}

}  // namespace pivlo::cli
