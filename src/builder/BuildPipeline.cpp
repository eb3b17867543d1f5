#include "builder/BuildPipeline.h"

#include "builder/HeadScramble.h"
#include "builder/MediaPacking.h"
#include "builder/PackageMediaFiles.h"
#include "builder/PackageWriter.h"
#include "builder/RuntimeLibrary.h"
#include "builder/ScreensaverPackage.h"
#include "builder/basReplaceIcon.h"
#include "core/AppFolders.h"
#include "core/ConfirmOverwrite.h"
#include "core/Events.h"
#include "core/FileReplacement.h"
#include "core/PathRules.h"
#include "core/ProjectFiles.h"
#include "core/SettingRules.h"
#include "core/basPropertyBag.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::BuildPipeline)
};

constexpr qint64 kMegabyte = 1048576;

enum class Outcome { Written, Cancelled, Failed };

// One run of phases B and C: the output file, then its contents.
class BuildRun {
 public:
  BuildRun(ProjectModel& model, BuildState& state, BuildServices& services)
      : model_(model), state_(state), services_(services) {}

  Outcome Run() {
    QDir().mkpath(OutputFolder());
    QDir().mkpath(TempFolder());
    if (!ChooseOutput()) return Outcome::Cancelled;
    const bool written = CreateAssembly() && PlacePlayer() && WriteContents() && Deliver();
    DeleteWorkFiles();
    if (!written) {
      if (!failure_.isEmpty()) services_.prompter.ShowMessage(BuildFailedText(failure_), MessageIcon::Error);
      return Outcome::Failed;
    }
    Report();
    return Outcome::Written;
  }

 private:
  bool Preview() const { return state_.PreviewMode; }

  // The icon the built player gets; a preview keeps the player's own.
  QString Icon() const {
    if (Preview()) return {};
    return services_.icon_file.isEmpty() ? ConfirmedIconPath(state_) : services_.icon_file;
  }

  bool Fail(const QString& why) {
    if (failure_.isEmpty()) failure_ = why;
    return false;
  }

  bool ChooseOutput() {
    if (Preview() && !services_.preview_output.isEmpty()) {
      output_ = services_.preview_output;
      return true;
    }
    if (Preview()) {
      output_ = PreviewOutputPath();
      QFile::remove(output_);  // ours: the next preview replaces the last one
      return true;
    }
    output_ = AskWhereToSave(model_, services_.prompter, Texts::tr("选择保存屏幕保护的位置"),
                             FileFilter{Texts::tr("屏幕保护和屏保(*.exe,*.scr)"), u"*.exe *.scr"_s}, u"exe"_s);
    return !output_.isEmpty();
  }

  // A file of our own under a name no other build uses at the same time.
  bool Reserve(const QString& pattern, QString& path) {
    QTemporaryFile file(pattern);
    file.setAutoRemove(false);
    if (!file.open()) return Fail(pattern + u": cannot create: "_s + file.errorString());
    path = file.fileName();
    return true;
  }

  // The package is put together under a name of its own beside the output, so that the
  // output is replaced only by a complete file.
  bool CreateAssembly() {
    const QFileInfo output(output_);
    return Reserve(output.absolutePath() + u"/."_s + output.fileName() + u".XXXXXX"_s, assembly_);
  }

  bool PlaceStub(const QString& to) {
    if (!CopyFileContents(PlayerStubPath(), to, &failure_)) return false;
    return UnscrambleStub(to) || Fail(to + u": cannot write the player's head"_s);
  }

  bool PlacePlayer() {
    if (Preview()) return PlaceStub(assembly_);
    if (!Reserve(WorkCopyPattern(), work_) || !PlaceStub(work_)) return false;
    ProcessPendingEvents();
    const QString backup = work_ + u'2';
    QFile::remove(backup);
    const QString icon = Icon();
    if (!icon.isEmpty()) {
      if (!CopyFileContents(work_, backup, &failure_)) return false;
      if (ReplaceExeIcon(icon, work_)) {
        QFile::remove(backup);
      } else {
        QFile::remove(work_);
        if (!QFile::rename(backup, work_)) return Fail(work_ + u": cannot be restored from its backup"_s);
        services_.prompter.ShowMessage(IconReplacementFailedText(), MessageIcon::Error);
      }
    }
    return CopyFileContents(work_, assembly_, &failure_);
  }

  bool WriteContents() {
    ProcessPendingEvents();
    ProjectSettings& settings = model_.settings;
    if (std::none_of(settings.transitions.begin(), settings.transitions.end(), [](bool on) { return on; })) {
      settings.enable_transition = false;
    }
    if (!PutValue(RuntimeItemName(), RuntimeLibraryPath(), PutMode::RegisterFile)) {
      return Fail(RuntimeLibraryPath() + u": cannot be read"_s);
    }
    // The icon travels in the package too: a player that is no PE program has no icon
    // resources to hold it, and shows it from there.
    const QString icon = Icon();
    if (!icon.isEmpty() && !PutValue(IconItemName(), icon, PutMode::RegisterFile)) {
      return Fail(icon + u": cannot be read"_s);
    }
    std::optional<ProjectModel> packed;
    std::optional<QTemporaryDir> spool;  // the converted pictures wait here until the blob holds them
    if (state_.PackMedia && !Preview()) {
      spool.emplace(TempFolder() + u"Pivlo.media.XXXXXX"_s);
      if (!spool->isValid()) return Fail(spool->path() + u": cannot create: "_s + spool->errorString());
      packed.emplace(model_);
      if (!PackMediaFiles(*packed, spool->path(), Shown(), &failure_)) return false;
    }
    ProjectModel& written = packed ? *packed : model_;
    // A preview package says so; the project keeps its own flag.
    const bool is_package = written.settings.is_package;
    if (Preview()) written.settings.is_package = true;
    WritePackageSettings(written);
    written.settings.is_package = is_package;
    if (packed) PutValue(MediaInPackageKey(), true);
    return WriteResourcesAndSettings(assembly_, written, services_.direct3d_ready, services_.prompter, &failure_,
                                     &Shown());
  }

  Progress& Shown() { return services_.progress != nullptr ? *services_.progress : quiet_; }

  bool Deliver() {
    constexpr QFile::Permissions kExecutable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                               QFile::ExeOther;
    if (!QFile::setPermissions(assembly_, kExecutable)) return Fail(assembly_ + u": cannot be made executable"_s);
    if (!CommitAssembledFile(assembly_, output_, &failure_)) return false;
    assembly_.clear();
    return true;
  }

  void Report() {
    if (Preview()) {
      if (!services_.start_preview) return;
      // The player itself, full screen: the desktop's default action for a program
      // is not to run it.
      QString error;
      if (!services_.shell.StartProgram(output_, {u"--fullscreen"_s}, &error)) {
        services_.prompter.ShowMessage(Texts::tr("无法启动屏幕保护预览：%1").arg(error), MessageIcon::Error);
      }
      return;
    }
    state_.LastOutputPath = output_;
    const QString summary = FinishSummaryText(model_, output_, QFileInfo(output_).size());
    ProjectSettings& settings = model_.settings;
    settings.enable_open_folder = services_.view.ShowFinishDialog(summary, settings.enable_open_folder);
    if (settings.enable_open_folder && !state_.LastOutputPath.isEmpty() && QFileInfo::exists(state_.LastOutputPath)) {
      services_.shell.ShowInFolder(state_.LastOutputPath);
    }
  }

  // Every exit removes the work files; the assembly is gone already once delivered.
  void DeleteWorkFiles() {
    if (!assembly_.isEmpty()) QFile::remove(assembly_);
    if (!work_.isEmpty()) {
      QFile::remove(work_);
      QFile::remove(work_ + u'2');
    }
  }

  ProjectModel& model_;
  BuildState& state_;
  BuildServices& services_;
  QString output_;
  QString assembly_;
  QString work_;
  QString failure_;  // the failed step and its reason; empty when already told
  Progress quiet_;  // for callers that show nothing
};

}  // namespace

QString PlayerStubPath() { return ApplicationFolder() + u"Pivlo.bfq"_s; }

QString PreviewOutputPath() { return TempFolder() + u"~tmpview.scr"_s; }

QString WorkCopyPattern() { return TempFolder() + u"Pivlo.bfq.XXXXXX.Tmp"_s; }

QString AskWhereToSave(const ProjectModel& model, Prompter& prompter, const QString& title, const FileFilter& filter,
                       const QString& suffix) {
  FileDialogOptions options;
  options.title = title;
  options.filters = {filter};
  options.start_folder = OutputFolder();
  options.file_name = model.settings.info[kInfoName];
  options.default_suffix = suffix;
  const QString path = CutAtNul(prompter.GetSaveFileName(options));
  return !path.isEmpty() && ConfirmOverwrite(path, prompter) ? path : QString();
}

QString BuildFailedText(const QString& reason) { return Texts::tr("无法生成屏幕保护：%1").arg(reason); }

void PrepareBuildDialog(ProjectModel& model, BuildState& state) {
  model.settings.is_package = false;
  state.PreviewMode = false;
}

bool StartBuildFromDialog(ProjectModel& model, BuildState& state, BuildServices& services) {
  QString& name = model.settings.info[kInfoName];
  if (name.isEmpty()) name = UnnamedScreensaverName();
  return PreviewScreenSaver(model, state, services);
}

bool PreviewScreenSaver(ProjectModel& model, BuildState& state, BuildServices& services) {
  if (!CheckEnoughPictures(model, services.prompter, services.view)) {
    state.PreviewMode = true;
    return false;
  }
  ProjectSettings& settings = model.settings;
  if (settings.background_kind == u"3" && !IsPathSet(settings.background_picture)) {
    settings.background_kind = u"1"_s;
    services.view.SelectSolidBackground();
  }
  if (!RuntimeLibraryIntact()) {
    services.prompter.ShowMessage(MissingOrDamagedText(RuntimeLibraryPath()), MessageIcon::None);
    return false;
  }

  model.flags.BusyFlag = true;
  ClearRegisteredFiles();
  const Outcome outcome = BuildRun(model, state, services).Run();
  if (outcome == Outcome::Failed) SharedBag().Clear();
  ClearRegisteredFiles();
  model.flags.BusyFlag = false;
  state.PreviewMode = true;
  return outcome == Outcome::Written;
}

QString FinishSummaryText(const ProjectModel& model, const QString& path, qint64 length) {
  const QStringList lines = {
      Texts::tr("屏保名称： ") + model.settings.info[kInfoName],
      Texts::tr("图片总数： ") + QString::number(model.pictures.size()),
      Texts::tr("音乐总数： ") + QString::number(model.songs.size()),
      Texts::tr("文件大小： ") + MegabyteText(length) + u" MB"_s,
      Texts::tr("保存路径： ") + QDir::toNativeSeparators(path),
  };
  return lines.join(u"\r\n"_s);
}

QString MegabyteText(qint64 length) {
  const qint64 hundredths = length * 100 / kMegabyte;
  return QString::number(hundredths / 100) + u'.' + QString::number(hundredths % 100).rightJustified(2, u'0');
}

}  // namespace pivlo
