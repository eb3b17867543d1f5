#include "core/ProjectFiles.h"

#include "core/AppFolders.h"
#include "core/ConfirmOverwrite.h"
#include "core/Events.h"
#include "core/LegacyProject.h"
#include "core/PathRules.h"
#include "core/ProjectBag.h"
#include "core/PurgeMissingFiles.h"
#include "core/SettingsFile.h"
#include "core/basPropertyBag.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::ProjectFiles)
};

constexpr int kAutoSaveTicks = 59;  // ticks of half a second

FileDialogOptions ProjectDialog(const QString& title) {
  FileDialogOptions options;
  options.title = title;
  options.filters = {FileFilter{Texts::tr("屏幕保护配置文件(*.aps)"), u"*.aps"_s}};
  options.start_folder = ProjectFolder();
  return options;
}

bool IsAutoSaveCopy(const QString& path) {
  const auto normal = [](const QString& p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
  return normal(path).compare(normal(AutoSavePath()), Qt::CaseInsensitive) == 0;
}

void ReportWriteFailure(const QString& path, Prompter& prompter) {
  const QString name = QFileInfo(path).fileName();
  prompter.ShowMessage(Texts::tr("无法保存文件 '%1'，请检查文件夹是否可写以及磁盘空间是否足够。").arg(name),
                       MessageIcon::Error);
}

// Before an unnamed project with two pictures or more is left behind: Yes saves it as a
// file and the command ends there, No goes on, Cancel ends. True when the command goes on.
bool AskToSaveUnnamed(ProjectModel& model, Prompter& prompter, ProjectView& view, const QString& title) {
  if (!model.file_name.isEmpty() || model.pictures.size() < 2) return true;
  const MessageAnswer answer =
      prompter.ShowMessage(SavePromptText(), MessageIcon::Information, MessageButtons::YesNoCancel, title);
  if (answer == MessageAnswer::Yes) SaveProject(model, prompter, view);
  return answer == MessageAnswer::No;
}

// Before Open or New project empties the lists: the question above, then a named project
// is written back to its file. A failed write would lose the changes once the lists are
// emptied, so it stops the command. True when the command goes on.
bool LeaveProjectBehind(ProjectModel& model, Prompter& prompter, ProjectView& view, const QString& title) {
  if (!AskToSaveUnnamed(model, prompter, view, title)) return false;
  if (IsPathSet(model.file_name) && !WriteProjectToFile(model, model.file_name)) {
    ReportWriteFailure(model.file_name, prompter);
    return false;
  }
  return true;
}

// Emptying the lists for another project also drops the icon chosen for this one.
void ClearLists(ProjectModel& model, ProjectView& view) {
  model.ClearPictures();
  model.ClearSongs();
  QFile::remove(CustomIconPath());
  view.ListsCleared();
}

// Open once the old project is left behind and the file is known.
void ReadChosenProject(ProjectModel& model, Prompter& prompter, ProjectView& view, const QString& path) {
  model.flags.LoadingFlag = true;
  model.flags.RedrawAllowed = false;
  // Read before anything is cleared, so that a file that cannot be read changes nothing.
  const bool is_bag = LoadBagFromFile(path);
  std::optional<PropertyBag> legacy;
  if (!is_bag) legacy = ParseLegacyProject(path);
  if (is_bag || legacy) {
    ClearLists(model, view);
    // Cleared as the picture list's own clearing does; a new project keeps them.
    model.ClearBackgroundPictures();
    if (is_bag) {
      ReadProjectFromBag(model);
      model.file_name = path;
    } else {
      ApplyLegacyProject(model, *legacy);
    }
    PurgeMissingFiles(model, prompter);
    view.ApplySettingsToControls();
    view.PicturesReloaded();
  } else {
    const QString name = QFileInfo(path).fileName();
    prompter.ShowMessage(Texts::tr("无法读取文件 '%1'，它不是屏幕保护配置文件，或者已经损坏。").arg(name),
                         MessageIcon::Warning);
  }
  model.flags.LoadingFlag = false;
  model.flags.RedrawAllowed = true;
}

}  // namespace

QString SavePromptText() {
  return Texts::tr("屏幕保护设置已被修改，要将当前设置保存为配置文件吗？") + u'\r' +
         Texts::tr("当需要修改这个屏保时，通过点击“打开配置”按钮，可方便地再次加载所有的屏保设置。");
}

bool WriteProjectToFile(ProjectModel& model, const QString& path, QString* error) {
  if (model.pictures.isEmpty()) return true;
  WriteProjectToBag(model);
  return SaveBagToFile(path, error);
}

bool CheckEnoughPictures(const ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (model.pictures.size() >= 2) return true;
  prompter.ShowMessage(Texts::tr("请首先添加至少两张图片到屏幕保护中"), MessageIcon::Information);
  view.PointAtAddPictures();
  return false;
}

bool SaveProject(ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (!CheckEnoughPictures(model, prompter, view)) return false;
  QDir().mkpath(ProjectFolder());
  FileDialogOptions options = ProjectDialog(Texts::tr("保存屏幕保护设置为……"));
  options.file_name = model.settings.info[kInfoName];
  const QString path = CutAtNul(prompter.GetSaveFileName(options));
  if (path.isEmpty()) return false;
  if (IsAutoSaveCopy(path)) {
    prompter.ShowMessage(Texts::tr("请选择另一个文件名来保存设置。"), MessageIcon::Information);
    return false;
  }
  if (!ConfirmOverwrite(path, prompter)) return false;
  if (!WriteProjectToFile(model, path)) {
    ReportWriteFailure(path, prompter);
    return false;
  }
  model.file_name = path;
  return true;
}

bool SaveProjectToItsFile(ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (model.file_name.isEmpty()) return SaveProject(model, prompter, view);
  if (!WriteProjectToFile(model, model.file_name)) {
    ReportWriteFailure(model.file_name, prompter);
    return false;
  }
  return true;
}

void OpenProject(ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (!LeaveProjectBehind(model, prompter, view, QString())) return;
  const QStringList chosen = prompter.GetOpenFileNames(ProjectDialog(Texts::tr("打开屏幕保护配置文件")));
  if (chosen.isEmpty()) return;
  ReadChosenProject(model, prompter, view, CutAtNul(chosen.first()));
}

void OpenProjectFile(ProjectModel& model, Prompter& prompter, ProjectView& view, const QString& path) {
  if (!LeaveProjectBehind(model, prompter, view, QString())) return;
  ReadChosenProject(model, prompter, view, path);
}

void NewProject(ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (model.flags.BusyFlag) return;
  if (!LeaveProjectBehind(model, prompter, view, u"Info"_s)) return;
  ClearLists(model, view);
}

void AutoSaveIfDue(ProjectModel& model, Prompter& prompter) {
  if (model.flags.TickCount <= kAutoSaveTicks || model.pictures.size() < 2) return;
  model.flags.AutoSaving = true;
  // A failed copy is tried again next time; the user hears of it once, not every time.
  const bool saved = WriteProjectToFile(model, AutoSavePath());
  if (!saved && !model.flags.AutoSaveFailed) ReportWriteFailure(AutoSavePath(), prompter);
  model.flags.AutoSaveFailed = !saved;
  model.flags.AutoSaving = false;
  model.flags.TickCount = 0;
}

bool QueryCloseProject(ProjectModel& model, Prompter& prompter, ProjectView& view) {
  if (model.flags.BusyFlag || !AskToSaveUnnamed(model, prompter, view, u"Info"_s)) return false;
  // A project file that has gone is not made again. One that cannot be written keeps
  // the program open, as closing would lose the changes.
  if (!model.file_name.isEmpty() && QFileInfo::exists(model.file_name) &&
      !WriteProjectToFile(model, model.file_name)) {
    ReportWriteFailure(model.file_name, prompter);
    return false;
  }
  ProcessPendingEvents();
  if (!WriteSettingsFile(model)) ReportWriteFailure(SettingsFilePath(), prompter);
  return true;
}

}  // namespace pivlo
