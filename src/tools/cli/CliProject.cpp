#include "cli/CliCommands.h"

#include "builder/FrameChoice.h"
#include "builder/basResourcePackages.h"
#include "cli/CliOutput.h"
#include "cli/CliProjectFiles.h"

#include "core/LegacyProject.h"
#include "core/NumberText.h"
#include "core/ProjectBag.h"
#include "core/ProjectFiles.h"
#include "core/ProjectKeys.h"
#include "core/PurgeMissingFiles.h"
#include "core/SettingRules.h"
#include "core/basPropertyBag.h"
#include "media/MusicListModel.h"
#include "media/PictureAdding.h"

#include <QFileInfo>

#include <limits>

namespace pivlo::cli {
namespace {

using namespace Qt::Literals::StringLiterals;

struct CreateArguments {
  QString out;
  QStringList pictures;
  QList<std::pair<QString, std::optional<QString>>> songs;  // path, duration text when given
  QStringList lyrics;
  QList<std::pair<QString, QString>> settings;  // key, value as given
};

std::optional<CreateArguments> ParseCreate(const QStringList& args) {
  if (args.isEmpty() || args[0].startsWith(u"--")) return std::nullopt;
  CreateArguments parsed;
  parsed.out = UserPath(args[0]);
  for (qsizetype i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& option = args[i];
    const QString& value = args[i + 1];
    if (option == u"--picture") {
      parsed.pictures << UserPath(value);
    } else if (option == u"--lyric") {
      parsed.lyrics << UserPath(value);
    } else if (option == u"--song") {
      if (i + 2 < args.size() && args[i + 2] == u"--duration") {
        if (i + 3 >= args.size()) return std::nullopt;
        parsed.songs.append({UserPath(value), args[i + 3]});
        i += 2;
      } else {
        parsed.songs.append({UserPath(value), std::nullopt});
      }
    } else if (option == u"--set") {
      const qsizetype equals = value.indexOf(u'=');
      if (equals <= 0) return std::nullopt;
      parsed.settings.append({value.left(equals), UnescapeField(value.mid(equals + 1))});
    } else {
      return std::nullopt;
    }
  }
  return parsed;
}

std::optional<float> Seconds(const QString& text) {
  const std::optional<double> value = NumberFromText(text);
  if (!value || *value < 0 || *value > std::numeric_limits<float>::max()) return std::nullopt;
  return float(*value);
}

// The number boxes and the name box correct what they were given, as when the user
// leaves them.
void LeaveBoxes(ProjectSettings& settings) {
  settings.time_text = NormalizeTimeIntervalText(settings.time_text);
  settings.opening_time_text = NormalizeDurationText(settings.opening_time_text);
  settings.ending_time_text = NormalizeDurationText(settings.ending_time_text);
  settings.info[kInfoName] = CheckedScreensaverName(settings.info[kInfoName]);
}

bool ApplySetting(ProjectModel& model, const QString& key, const QString& value) {
  switch (SetValueByKey(model, key, value)) {
    case KeyResult::Applied: return true;
    case KeyResult::UnknownKey: PrintError(key + u": not a setting that can be set"_s); break;
    case KeyResult::InvalidValue: PrintError(key + u": invalid value '"_s + EscapeField(value) + u'\''); break;
    case KeyResult::NoSuchPicture: PrintError(key + u": the project has no such picture"_s); break;
  }
  return false;
}

// A song with its duration is taken as given. Without one it is added as the music list
// adds a chosen file: by its full path, measured, with the lyric file found for it; a
// path already listed is skipped. False, with a message, for a song that is not taken.
bool AddSong(ProjectModel& model, MusicListModel& music, const QString& song, const std::optional<QString>& duration) {
  if (duration) {
    const std::optional<float> seconds = Seconds(*duration);
    if (!seconds) {
      PrintError(song + u": invalid duration '"_s + *duration + u'\'');
      return false;
    }
    model.AddSong(song, *seconds);
    return true;
  }
  const QString path = QFileInfo(song).absoluteFilePath();
  if (music.HasSong(path) || music.AddSongs({path}) == 1) return true;
  PrintError(song + (QFileInfo(path).isFile() ? u": the music list refuses this file"_s : u": no such file"_s));
  return false;
}

}  // namespace

ModelEnvironment CommandLineEnvironment() {
  return ModelEnvironment{1920, 1080, u"Arial"_s, 64.0};
}

bool ReadProjectFile(const QString& path, ProjectModel& model, Prompter& prompter) {
  if (!QFileInfo(path).isFile()) {
    PrintError(path + u": no such file"_s);
    return false;
  }
  MeasureSongsOnRead(model);
  if (LoadBagFromFile(path)) {
    ReadProjectFromBag(model);
  } else if (!ReadLegacyProject(model, path)) {
    PrintError(path + u": not a project file"_s);
    return false;
  }
  PurgeMissingFiles(model, prompter);
  // As the editor reopens a project.
  model.frame_picture = RestoreProjectFrame(model.settings, !model.pictures.isEmpty()).value_or(QByteArray());
  return true;
}

int ProjectCreate(const QStringList& args) {
  const std::optional<CreateArguments> parsed = ParseCreate(args);
  if (!parsed) return kUsageError;
  ProjectModel model(CommandLineEnvironment());
  // Added as the picture list adds them: duplicates and what is no picture are skipped.
  QStringList pictures;
  for (const QString& picture : parsed->pictures) pictures << QFileInfo(picture).absoluteFilePath();
  AppendPictures(model, pictures);

  StderrPrompter prompter;
  ProjectView view;
  if (!CheckEnoughPictures(model, prompter, view)) return 1;
  // Settings first: the lyric folder decides which lyric files the songs find.
  for (const auto& [key, value] : parsed->settings) {
    if (!ApplySetting(model, key, value)) return 1;
  }
  Progress progress;
  MusicListModel music(model, prompter, progress);
  for (const auto& [song, duration] : parsed->songs) {
    if (!AddSong(model, music, song, duration)) return 1;
  }
  model.lyric_files += parsed->lyrics;
  LeaveBoxes(model.settings);
  // The frame a number names, as the frame list gives it; none stays chosen without it.
  if (model.settings.picture_frame_num >= 1) LoadFrameIndex();
  if (model.settings.picture_frame_num == kTestFrameNumber) LoadPackageIndex(prompter);
  model.frame_picture =
      FrameBytesOfNumber(model.settings.picture_frame_num, model.settings.picture_frame_image).value_or(QByteArray());
  QString error;
  if (!WriteProjectToFile(model, parsed->out, &error)) {
    PrintError(error);
    return 1;
  }
  return 0;
}

int ProjectShow(const QStringList& args) {
  if (args.size() != 1) return kUsageError;
  const QString path = UserPath(args.first());
  ProjectModel model(CommandLineEnvironment());
  StderrPrompter prompter;
  if (!ReadProjectFile(path, model, prompter)) return 1;
  WriteProjectToBag(model);
  if (SharedBag().IsEmpty()) PrintError(path + u": the project holds no picture, so no key would be written"_s);
  QString out;
  for (const PropertyBag::Entry& entry : SharedBag().Entries()) {
    out += entry.key + u'=' + BagValueText(entry.value) + u'\n';
  }
  SharedBag().Clear();
  PrintOut(out);
  return 0;
}

}  // namespace pivlo::cli
