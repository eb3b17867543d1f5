// pivlo: the editor.

#include "core/SingleInstance.h"
#include "shell/FrmDlg.h"
#include "shell/FrmMain.h"
#include "widgets/QtTranslations.h"
#include "widgets/ShellPrompter.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pivlo"));
  pivlo::InstallQtTranslations(app);

  // A second copy ends at once and quietly, touching nothing.
  pivlo::SingleInstance instance;
  if (!instance.Acquire()) return 0;

  pivlo::ShellPrompter prompter;
  prompter.SetFilePanel(pivlo::AttachFilePanel);
  pivlo::FrmMain window(prompter);
  prompter.SetOwner(&window);
  if (!window.Form_Load()) return 1;
  window.show();
  return QApplication::exec();
}
