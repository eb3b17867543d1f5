#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace pivlo::test {
namespace {

template <typename T>
T Next(QQueue<T>& queue, const char* what, T none) {
  if (queue.isEmpty()) {
    ADD_FAILURE() << "unscripted " << what;
    return none;
  }
  return queue.dequeue();
}

}  // namespace

MessageAnswer ScriptedPrompter::ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                                            const QString& title) {
  messages.append(Message{text, icon, buttons, title});
  // A plain notice needs no script: it can only be acknowledged.
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return Next(answers, "question", MessageAnswer::Cancel);
}

QStringList ScriptedPrompter::GetOpenFileNames(const FileDialogOptions& options) {
  dialogs.append(options);
  if (while_open) while_open(options);
  return Next(open_results, "open dialog", QStringList());
}

QString ScriptedPrompter::GetSaveFileName(const FileDialogOptions& options) {
  dialogs.append(options);
  return Next(save_results, "save dialog", QString());
}

QString ScriptedPrompter::ChooseFolder(const QString& title, const QString& start_folder) {
  dialogs.append(FileDialogOptions{title, {}, start_folder, {}, false, {}});
  return Next(folder_results, "folder dialog", QString());
}

std::optional<quint32> ScriptedPrompter::ChooseColor(quint32) {
  return Next(color_results, "colour dialog", std::optional<quint32>());
}

std::optional<QString> ScriptedPrompter::AskPassword(const QString&, const QString& label) {
  password_labels.append(label);
  return Next(password_results, "password question", std::optional<QString>());
}

QStringList ScriptedPrompter::MessageTexts() const {
  QStringList texts;
  for (const Message& message : messages) texts << message.text;
  return texts;
}

}  // namespace pivlo::test
