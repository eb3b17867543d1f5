#pragma once

#include "core/Prompter.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace pivlo {

// The editor's questions as real dialogs: message boxes, file and folder dialogs and the
// colour dialog, owned by the main window.
class ShellPrompter : public Prompter {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }

  MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                            const QString& title) override;
  QStringList GetOpenFileNames(const FileDialogOptions& options) override;
  QString GetSaveFileName(const FileDialogOptions& options) override;
  QString ChooseFolder(const QString& title, const QString& start_folder) override;
  std::optional<quint32> ChooseColor(quint32 initial) override;

 private:
  QPointer<QWidget> owner_;
};

// A message text as a message box shows it: CR LF and a bare CR each break the line.
QString MessageBoxText(const QString& text);

// The name filters of a file dialog: "description (patterns)" with every letter of the
// patterns matched in either case ("*.Jpg" also finds "a.JPG"), the patterns split at
// ";" and blanks.
QStringList DialogNameFilters(const QList<FileFilter>& filters);

// The program's default message-box title.
QString DefaultMessageTitle();

}  // namespace pivlo
