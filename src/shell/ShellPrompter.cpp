#include "shell/ShellPrompter.h"

#include "render/basTextStyles.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace pivlo {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
  }
}

// "*.Jpg" as "*.[jJ][pP][gG]".
QString AnyCasePattern(const QString& pattern) {
  QString result;
  for (const QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      result += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
    } else {
      result += c;
    }
  }
  return result;
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogOptions& options) {
  dialog.setWindowTitle(options.title);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontResolveSymlinks);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!options.filters.isEmpty()) dialog.setNameFilters(DialogNameFilters(options.filters));
  if (!options.start_folder.isEmpty()) dialog.setDirectory(options.start_folder);
  dialog.setDefaultSuffix(options.default_suffix);
}

}  // namespace

QString MessageBoxText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

QStringList DialogNameFilters(const QList<FileFilter>& filters) {
  static const QRegularExpression kSeparators(QStringLiteral("[;\\s]+"));
  QStringList result;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const QString& pattern : filter.patterns.split(kSeparators, Qt::SkipEmptyParts)) {
      patterns << AnyCasePattern(pattern);
    }
    result << filter.description + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return result;
}

QString DefaultMessageTitle() {
  return QCoreApplication::applicationName();
}

MessageAnswer ShellPrompter::ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                                         const QString& title) {
  QMessageBox box(BoxIcon(icon), title.isEmpty() ? DefaultMessageTitle() : title, MessageBoxText(text),
                  BoxButtons(buttons), owner_);
  return AnswerOf(box.exec());
}

QStringList ShellPrompter::GetOpenFileNames(const FileDialogOptions& options) {
  QFileDialog dialog(owner_);
  PrepareFileDialog(dialog, options);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(options.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

QString ShellPrompter::GetSaveFileName(const FileDialogOptions& options) {
  QFileDialog dialog(owner_);
  PrepareFileDialog(dialog, options);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The callers ask before replacing a file, in their own words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!options.file_name.isEmpty()) dialog.selectFile(options.file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString ShellPrompter::ChooseFolder(const QString& title, const QString& start_folder) {
  return QFileDialog::getExistingDirectory(owner_, title, start_folder);
}

std::optional<quint32> ShellPrompter::ChooseColor(quint32 initial) {
  const QColor chosen = QColorDialog::getColor(QColor::fromRgb(StoredColorToArgb(Colour(initial), 255)), owner_);
  if (!chosen.isValid()) return std::nullopt;
  return quint32(Rgb(chosen.red(), chosen.green(), chosen.blue()));
}

}  // namespace pivlo
