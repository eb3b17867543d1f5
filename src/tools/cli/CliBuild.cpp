#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliProjectFiles.h"

#include "builder/BuildPipeline.h"
#include "builder/RuntimeLibrary.h"
#include "builder/basReplaceIcon.h"
#include "builder/basResourcePackages.h"
#include "core/ConfirmOverwrite.h"

#include <QFileInfo>

namespace pivlo::cli {
namespace {

using namespace Qt::Literals::StringLiterals;

struct BuildArguments {
  QString project;
  QString output;
  QString icon;
  bool preview = false;
  bool force = false;
  bool pack_media = false;
};

std::optional<BuildArguments> ParseBuild(const QStringList& args) {
  BuildArguments parsed;
  QStringList paths;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == u"--preview") {
      parsed.preview = true;
    } else if (args[i] == u"--force") {
      parsed.force = true;
    } else if (args[i] == u"--pack-media") {
      parsed.pack_media = true;
    } else if (args[i] == u"--icon" && i + 1 < args.size() && parsed.icon.isEmpty()) {
      parsed.icon = args[++i];
    } else if (args[i].startsWith(u"--")) {
      return std::nullopt;
    } else {
      paths << args[i];
    }
  }
  // A preview plays this machine's files.
  if (paths.size() != 2 || (parsed.preview && parsed.pack_media)) return std::nullopt;
  parsed.project = paths[0];
  parsed.output = QFileInfo(paths[1]).absoluteFilePath();
  return parsed;
}

// The finish dialog's summary goes to stdout; the folder is not opened.
class SummaryView : public BuildView {
 public:
  bool ShowFinishDialog(const QString& summary, bool open_folder) override {
    PrintOut(QString(summary).replace(u"\r\n"_s, u"\n"_s) + u'\n');
    return open_folder;
  }
};

class NoShell : public ShellServices {
 public:
  bool OpenWithDefaultAction(const QString&) override { return true; }
  void ShowInFolder(const QString&) override {}
  bool StartProgram(const QString&, const QStringList&, QString*) override { return true; }
};

bool RunPipeline(const BuildArguments& arguments, ProjectModel& model, BuildState& state, StderrPrompter& prompter) {
  SummaryView view;
  NoShell shell;
  // The editor packages the frame while its graphics runtime works; here, while the
  // runtime beside the program is intact.
  BuildServices services{prompter, view, shell, RuntimeLibraryIntact(), {}, arguments.icon};
  if (!arguments.preview) {
    PrepareBuildDialog(model, state);
    return StartBuildFromDialog(model, state, services);
  }
  // A preview has no save dialog, so the output is confirmed here.
  if (!ConfirmOverwrite(arguments.output, prompter)) return false;
  services.preview_output = arguments.output;
  state.PreviewMode = true;
  if (!PreviewScreenSaver(model, state, services)) return false;
  view.ShowFinishDialog(FinishSummaryText(model, arguments.output, QFileInfo(arguments.output).size()), false);
  return true;
}

}  // namespace

int Build(const QStringList& args) {
  const std::optional<BuildArguments> arguments = ParseBuild(args);
  if (!arguments) return kUsageError;
  StderrPrompter prompter;
  prompter.agree = arguments->force;
  prompter.save_path = arguments->output;
  ProjectModel model(CommandLineEnvironment());
  if (!ReadProjectFile(arguments->project, model, prompter) || !LoadPackageIndex(prompter)) return 1;

  // The icon goes to the build directly, not through the editor's confirmed icon in
  // Temp/, which another build may be using.
  if (!arguments->icon.isEmpty() && !ReadIconFile(arguments->icon)) {
    PrintError(arguments->icon + u": not an icon file"_s);
    return 1;
  }
  BuildState state;
  state.PackMedia = arguments->pack_media;
  if (RunPipeline(*arguments, model, state, prompter)) return 0;
  PrintError(arguments->output + u": no screensaver was written"_s);
  return 1;
}

}  // namespace pivlo::cli
