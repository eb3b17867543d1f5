#pragma once

#include "builder/BuildState.h"
#include "core/ProjectModel.h"
#include "core/Progress.h"
#include "core/ProjectView.h"
#include "core/Prompter.h"
#include "core/ShellServices.h"

#include <QString>
#include <QtGlobal>

namespace pivlo {

// What the build asks of the editor beyond the project's own view. The defaults do
// nothing, for headless callers.
class BuildView : public ProjectView {
 public:
  // A picture background without a picture fell back to a single colour: select the
  // first background option.
  virtual void SelectSolidBackground() {}
  // Shows the finish dialog modally with the summary, its box "打开保存位置所在的文件夹"
  // ticked as `open_folder`; returns the box's state when the dialog closes.
  virtual bool ShowFinishDialog(const QString& summary, bool open_folder) { return open_folder; }
};

struct BuildServices {
  Prompter& prompter;
  BuildView& view;
  ShellServices& shell;
  bool direct3d_ready = false;  // the graphics device is ready: the frame is packaged
  // Where a preview goes instead of Temp/~tmpview.scr (the command line's choice); such
  // a file is replaced only by a complete package.
  QString preview_output;
  // The player's icon in place of the confirmed one (the command line's choice).
  QString icon_file;
  // Shows the media's conversion and the package's writing; none when null.
  Progress* progress = nullptr;
  // A preview is played once written; the video export only wants the package.
  bool start_preview = true;
};

QString PlayerStubPath();     // the application folder's Pivlo.bfq, head scrambled
QString PreviewOutputPath();  // Temp/~tmpview.scr
// The stub's work copy: Temp/Pivlo.bfq.XXXXXX.Tmp, the X's unique to the build so that
// builds can run side by side; its backup adds "2".
QString WorkCopyPattern();
// Asks where to save what is made of the project: in the output folder, under the
// screensaver's name, an existing file only once the user agrees. Empty when cancelled.
QString AskWhereToSave(const ProjectModel& model, Prompter& prompter, const QString& title, const FileFilter& filter,
                       const QString& suffix);
// What a failed build says: "无法生成屏幕保护：" and the failed step with its reason.
QString BuildFailedText(const QString& reason);

// The build dialog opens: the package is not a preview package, and the next pipeline
// run is a build.
void PrepareBuildDialog(ProjectModel& model, BuildState& state);
// Its create button: an empty screensaver name becomes the unnamed one, then the
// pipeline runs.
bool StartBuildFromDialog(ProjectModel& model, BuildState& state, BuildServices& services);

// Turns the project into a screensaver, in the mode state.PreviewMode says. Checks: two
// pictures at least, the graphics runtime unchanged. A preview goes to
// Temp/~tmpview.scr and is started full screen (a player that does not start is
// reported); a build asks where
// to save (an existing file only after confirmation), gives the player the confirmed
// icon (in a PE player's icon resources, and in the package as its IconFile item) and
// shows the finish dialog. The package is assembled beside its destination
// and replaces it only once complete and verified, made executable; any failure deletes
// the incomplete file and says which step failed and why ("无法生成屏幕保护：…", unless
// the failure was told already). Every exit but a failed runtime check returns to rest
// (PreviewMode true, BusyFlag false). True when a package was written.
bool PreviewScreenSaver(ProjectModel& model, BuildState& state, BuildServices& services);

// The finish dialog's five lines (name, pictures, songs, size, path), joined by CR LF.
QString FinishSummaryText(const ProjectModel& model, const QString& path, qint64 length);
// The length in MB cut (not rounded) to two decimals: 1,048,575 bytes give "0.99".
QString MegabyteText(qint64 length);

}  // namespace pivlo
