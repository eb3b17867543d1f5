#include "widgets/ShellPrompter.h"

#include "render/basTextStyles.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTreeView>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

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

void KeepAbove(QWidget& dialog, QWindow* window) {
  if (window == nullptr) return;
  dialog.winId();  // makes the native window, whose handle takes the transient parent
  if (QWindow* handle = dialog.windowHandle()) handle->setTransientParent(window);
}

void ShellPrompter::Attach(QWidget& dialog) const {
  if (!owner_) KeepAbove(dialog, owner_window_);
}

MessageAnswer ShellPrompter::ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                                         const QString& title) {
  QMessageBox box(BoxIcon(icon), title.isEmpty() ? DefaultMessageTitle() : title, MessageBoxText(text),
                  BoxButtons(buttons), owner_);
  Attach(box);
  return AnswerOf(box.exec());
}

int ShellPrompter::ExecFileDialog(QFileDialog& dialog) {
  Attach(dialog);
  QSize size = file_dialog_size_;
  if (!size.isValid()) {
    // Wide enough that sizes, types and dates read whole.
    size = QSize(900, 600);
    if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableSize() * 9 / 10);
  }
  dialog.resize(size);
  if (auto* details = dialog.findChild<QTreeView*>(u"treeView"_s)) {
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column) {
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
  }
  const int result = dialog.exec();
  file_dialog_size_ = dialog.size();
  return result;
}

QStringList ShellPrompter::GetOpenFileNames(const FileDialogOptions& options) {
  QFileDialog dialog(owner_);
  PrepareFileDialog(dialog, options);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(options.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  if (options.preview != FilePreview::kNone && file_panel_) {
    // Only Qt's own dialog has room for the panel.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    file_panel_(dialog, options.preview);
  }
  if (ExecFileDialog(dialog) != QDialog::Accepted) return {};
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
  if (ExecFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

QString ShellPrompter::ChooseFolder(const QString& title, const QString& start_folder) {
  QFileDialog dialog(owner_, title, start_folder);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (ExecFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

std::optional<quint32> ShellPrompter::ChooseColor(quint32 initial) {
  QColorDialog dialog(QColor::fromRgb(StoredColorToArgb(Colour(initial), 255)), owner_);
  Attach(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor chosen = dialog.selectedColor();
  return quint32(Rgb(chosen.red(), chosen.green(), chosen.blue()));
}

std::optional<QString> ShellPrompter::AskPassword(const QString& title, const QString& label) {
  QInputDialog dialog(owner_);
  dialog.setWindowTitle(title.isEmpty() ? DefaultMessageTitle() : title);
  dialog.setLabelText(label);
  dialog.setTextEchoMode(QLineEdit::Password);
  Attach(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

}  // namespace pivlo
