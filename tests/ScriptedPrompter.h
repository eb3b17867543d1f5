#pragma once

#include "core/Prompter.h"

#include <QList>
#include <QQueue>

#include <functional>

namespace pivlo::test {

// Answers from a script and records what was asked, so flows run without a display.
// A question with no scripted answer fails the test and answers Cancel.
class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
  };

  QQueue<MessageAnswer> answers;
  QQueue<QStringList> open_results;
  QQueue<QString> save_results;
  QQueue<QString> folder_results;
  QQueue<std::optional<quint32>> color_results;
  QQueue<std::optional<QString>> password_results;

  // Runs while an open dialog is up, as a user's clicks in it would (a preview panel
  // writing its file).
  std::function<void(const FileDialogOptions&)> while_open;

  QList<Message> messages;
  QList<FileDialogOptions> dialogs;  // every file or folder dialog, in order
  QStringList password_labels;       // every password question, in order

  MessageAnswer ShowMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                            const QString& title) override;
  QStringList GetOpenFileNames(const FileDialogOptions& options) override;
  QString GetSaveFileName(const FileDialogOptions& options) override;
  QString ChooseFolder(const QString& title, const QString& start_folder) override;
  std::optional<quint32> ChooseColor(quint32 initial) override;
  std::optional<QString> AskPassword(const QString& title, const QString& label) override;

  QStringList MessageTexts() const;
};

}  // namespace pivlo::test
