#include "core/ConfirmOverwrite.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pivlo {

bool ConfirmOverwrite(const QString& path, Prompter& prompter) {
  const QFileInfo target(path);
  if (!target.exists()) return true;
  const QString name = target.fileName();
  const MessageAnswer answer = prompter.ShowMessage(
      QCoreApplication::translate("pivlo::Files", "文件 '%1' 已经存在，要替换为新的文件吗？").arg(name),
      MessageIcon::Warning, MessageButtons::YesNo);
  if (answer != MessageAnswer::Yes) return false;
  // Replacing writes a new file beside the old one and renames it over the old one, so
  // both the file and its folder must be writable.
  if (!target.isFile() || !target.isWritable() || !QFileInfo(target.absolutePath()).isWritable()) {
    prompter.ShowMessage(
        QCoreApplication::translate("pivlo::Files", "无法替换 '%1'，文件可能正在使用中").arg(name),
        MessageIcon::Information);
    return false;
  }
  return true;
}

}  // namespace pivlo
