#include "player/ExportDuringShow.h"

#include "cli/CliOutput.h"
#include "show/ShowExport.h"
#include "widgets/ShellPrompter.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QWindow>

#include <memory>

namespace pivlo {
namespace {

using namespace Qt::StringLiterals;

// The copy's progress in a dialog above the show's window; the viewer's input waits.
class ProgressDialog final : public Progress {
 public:
  explicit ProgressDialog(QWindow* window) : window_(window) {}

  void InitProgress() override {
    dialog_ = std::make_unique<QProgressDialog>();
    dialog_->setWindowTitle(ExportTitle());
    dialog_->setCancelButton(nullptr);
    dialog_->setRange(0, 100);
    dialog_->setMinimumDuration(0);
    dialog_->setWindowModality(Qt::ApplicationModal);
    KeepAbove(*dialog_, window_);
    dialog_->show();
  }
  void ShowProgress(float percentage, const QString& text) override {
    if (!dialog_) return;
    dialog_->setLabelText(text);
    dialog_->setValue(int(percentage));  // lets window events run, the dialog being modal
  }
  void CloseProgress() override { dialog_.reset(); }

 private:
  QPointer<QWindow> window_;  // its monitor may go meanwhile
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

bool ExportDuringShow(const ShowSettings& show, QWindow* window) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    cli::PrintError(u"the export's dialogs need the player to run a QApplication"_s);
    return false;
  }
  ShellPrompter prompter;
  prompter.SetOwnerWindow(window);
  ProgressDialog progress(window);
  ExportWithQuestions(show, prompter, progress);
  return true;
}

}  // namespace pivlo
