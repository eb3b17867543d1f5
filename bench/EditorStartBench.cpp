// Start-up of the editor's main window: from construction through the start-up sequence
// to the window shown, on the offscreen platform. The first run in a process also loads
// the font database, as a real start does.

#include "builder/RuntimeLibrary.h"
#include "core/AppFolders.h"
#include "core/Prompter.h"
#include "shell/FrmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace pivlo {
namespace {

// Start-up asks nothing when everything is in place.
class SilentPrompter : public Prompter {
 public:
  MessageAnswer ShowMessage(const QString&, MessageIcon, MessageButtons, const QString&) override {
    return MessageAnswer::Cancel;
  }
  QStringList GetOpenFileNames(const FileDialogOptions&) override { return {}; }
  QString GetSaveFileName(const FileDialogOptions&) override { return {}; }
  QString ChooseFolder(const QString&, const QString&) override { return {}; }
  std::optional<quint32> ChooseColor(quint32) override { return std::nullopt; }
  std::optional<QString> AskPassword(const QString&, const QString&) override { return std::nullopt; }
};

void BM_EditorStartToShownWindow(benchmark::State& state) {
  QTemporaryDir app;
  for (const QString& name : {QStringLiteral("gmi.src"), QStringLiteral("1.frame"), QStringLiteral("2.frame"),
                              QStringLiteral("3.frame"), RuntimeLibraryFileName()}) {
    QFile::copy(QStringLiteral(PIVLO_APP_DIR "/") + name, app.filePath(name));
  }
  SetApplicationFolder(app.path());
  SilentPrompter prompter;
  for (auto _ : state) {
    FrmMain window(prompter);
    if (!window.Form_Load()) state.SkipWithError("start-up failed");
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) QApplication::processEvents();
    state.PauseTiming();
    window.close();
    state.ResumeTiming();
  }
  SetApplicationFolder(QString());
}
BENCHMARK(BM_EditorStartToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace pivlo
