#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace pivlo {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// One filter line of a file dialog: the text shown and its patterns ("*.jpg *.png").
struct FileFilter {
  QString description;
  QString patterns;
};

// What an open dialog shows below its own controls for the selected file.
enum class FilePreview {
  kNone,
  kPicture,  // the picture's format, size, depth, file size and a scaled preview
  kIcon,     // the icon images found in the file; the chosen one becomes Temp/tempicon.ico
};

struct FileDialogOptions {
  QString title;
  QList<FileFilter> filters;
  QString start_folder;
  QString file_name;      // pre-filled name (save dialogs)
  bool multiple = false;  // open dialogs: allow several files
  QString default_suffix;  // save dialogs: added to a name typed without one ("exe")
  FilePreview preview = FilePreview::kNone;  // open dialogs
};

// Dialog results are used up to a NUL, as a name buffer would hold them.
inline QString CutAtNul(const QString& name) {
  const qsizetype nul = name.indexOf(QChar(0));
  return nul < 0 ? name : name.left(nul);
}

// An open dialog in which several files can be chosen.
inline FileDialogOptions MultipleFilesDialog(const QString& title, const QList<FileFilter>& filters,
                                             const QString& start_folder) {
  FileDialogOptions options;
  options.title = title;
  options.filters = filters;
  options.start_folder = start_folder;
  options.multiple = true;
  return options;
}

// Everything that asks the user something goes through this interface: the editor shows
// real dialogs, tests answer from a script, the command line answers without asking.
class Prompter {
 public:
  virtual ~Prompter() = default;

  // An empty title means the program's default message-box title.
  virtual MessageAnswer ShowMessage(const QString& text, MessageIcon icon,
                                    MessageButtons buttons = MessageButtons::Ok,
                                    const QString& title = QString()) = 0;
  // Full paths of the chosen files; empty when cancelled.
  virtual QStringList GetOpenFileNames(const FileDialogOptions& options) = 0;
  // The chosen path; empty when cancelled.
  virtual QString GetSaveFileName(const FileDialogOptions& options) = 0;
  // The chosen folder; empty when cancelled.
  virtual QString ChooseFolder(const QString& title, const QString& start_folder) = 0;
  // The chosen colour as 0x00BBGGRR; nothing when cancelled.
  virtual std::optional<quint32> ChooseColor(quint32 initial) = 0;
  // The text typed in a field that hides it; nothing when cancelled.
  virtual std::optional<QString> AskPassword(const QString& title, const QString& label) = 0;
};

}  // namespace pivlo
