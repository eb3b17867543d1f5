#pragma once

#include "core/Prompter.h"

#include <QFileDialog>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace pivlo {

// The questions as real dialogs: message boxes, file and folder dialogs, the colour
// dialog and the password field. The editor's are owned by its main window; the player's
// stay above the show's window, which is no widget.
class ShellPrompter : public Prompter {
 public:
  // Puts the panel of a preview kind into an open dialog (the editor's preview panel).
  using FilePanel = std::function<void(QFileDialog& dialog, FilePreview preview)>;

  void SetOwner(QWidget* owner) { owner_ = owner; }
  void SetFilePanel(FilePanel panel) { file_panel_ = std::move(panel); }
  // Used when no owner widget is set.
  void SetOwnerWindow(QWindow* window) { owner_window_ = window; }

  MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                            const QString& title) override;
  QStringList GetOpenFileNames(const FileDialogOptions& options) override;
  QString GetSaveFileName(const FileDialogOptions& options) override;
  QString ChooseFolder(const QString& title, const QString& start_folder) override;
  std::optional<quint32> ChooseColor(quint32 initial) override;
  std::optional<QString> AskPassword(const QString& title, const QString& label) override;

 private:
  // Gives a parentless dialog the owner window, so that it opens above it.
  void Attach(QWidget& dialog) const;
  // Runs a file dialog at the size the last one was left at, its columns readable.
  int ExecFileDialog(QFileDialog& dialog);

  QPointer<QWidget> owner_;
  QPointer<QWindow> owner_window_;
  FilePanel file_panel_;
  QSize file_dialog_size_;  // the size the user left the last file dialog at
};

// Makes the top-level widget a transient of `window` (nothing when that is null): window
// managers keep it above the window, full screen or not.
void KeepAbove(QWidget& dialog, QWindow* window);

// A message text as a message box shows it: CR LF and a bare CR each break the line.
QString MessageBoxText(const QString& text);

// The name filters of a file dialog: "description (patterns)" with every letter of the
// patterns matched in either case ("*.Jpg" also finds "a.JPG"), the patterns split at
// ";" and blanks.
QStringList DialogNameFilters(const QList<FileFilter>& filters);

// The program's default message-box title.
QString DefaultMessageTitle();

}  // namespace pivlo
