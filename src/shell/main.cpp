// pivlo: the editor.

#include "core/SingleInstance.h"
#include "shell/EditorArguments.h"
#include "shell/FrmDlg.h"
#include "shell/FrmMain.h"
#include "widgets/QtTranslations.h"
#include "widgets/ShellPrompter.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pivlo"));
  // Window lists and Wayland compositors find the launcher and its icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("pivlo"));
  pivlo::InstallQtTranslations(app);

  const pivlo::EditorArguments arguments = pivlo::ParseEditorArguments(QApplication::arguments().mid(1));
  if (arguments.help || !arguments.error.isEmpty()) {
    const QString text = arguments.help ? pivlo::EditorUsage()
                                        : QStringLiteral("pivlo: ") + arguments.error + u'\n' + pivlo::EditorUsage();
    std::fputs(text.toLocal8Bit().constData(), arguments.help ? stdout : stderr);
    return arguments.help ? 0 : 2;
  }

  // A second copy ends at once and quietly, touching nothing.
  pivlo::SingleInstance instance;
  if (!instance.Acquire()) return 0;

  pivlo::ShellPrompter prompter;
  prompter.SetFilePanel(pivlo::AttachFilePanel);
  pivlo::FrmMain window(prompter);
  prompter.SetOwner(&window);
  pivlo::StartupOptions options;
  options.project = arguments.project;
  if (!window.Form_Load(options)) return 1;
  window.show();
  return QApplication::exec();
}
