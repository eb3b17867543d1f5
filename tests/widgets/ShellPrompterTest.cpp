// The dialogs behind the Prompter: message texts and file filters as the dialogs take
// them, the answers they give, and dialogs kept above a window that is no widget.

#include "widgets/QtTranslations.h"
#include "widgets/ShellPrompter.h"

#include <QApplication>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(ShellPrompterTest, ABareCarriageReturnBreaksTheLine) {
  EXPECT_EQ(MessageBoxText(QStringLiteral("a\rb\r\nc")), QStringLiteral("a\nb\nc"));
}

TEST(ShellPrompterTest, FileFiltersMatchWithoutRegardToCase) {
  const QStringList filters = DialogNameFilters(
      {FileFilter{QStringLiteral("所有支持的图片格式"), QStringLiteral("*.Bmp;*.Jpg")}});
  ASSERT_EQ(filters.size(), 1);
  EXPECT_TRUE(filters.first().startsWith(QStringLiteral("所有支持的图片格式 (")));
  const QString inner = filters.first().section(u'(', 1).chopped(1);
  const QStringList patterns = inner.split(u' ');
  ASSERT_EQ(patterns.size(), 2);
  const QRegularExpression jpg(QRegularExpression::wildcardToRegularExpression(patterns.at(1)));
  for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("B.JPG"), QStringLiteral("c.Jpg")}) {
    EXPECT_TRUE(jpg.match(name).hasMatch()) << name.toStdString();
  }
  EXPECT_FALSE(jpg.match(QStringLiteral("d.jpeg")).hasMatch());
}

TEST(ShellPrompterTest, ASaveDialogAddsTheDefaultSuffixToANameTypedWithoutOne) {
  QTemporaryDir folder;
  FileDialogOptions options;
  options.title = QStringLiteral("选择保存屏幕保护的位置");
  options.start_folder = folder.path();
  options.default_suffix = QStringLiteral("exe");
  const std::pair<QString, QString> cases[] = {{QStringLiteral("我的屏幕保护"), QStringLiteral("我的屏幕保护.exe")},
                                               {QStringLiteral("show.scr"), QStringLiteral("show.scr")}};
  for (const auto& [typed, expected] : cases) {
    QTimer::singleShot(0, [typed = typed] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept takes the typed name
    });
    ShellPrompter prompter;
    EXPECT_EQ(prompter.GetSaveFileName(options).toStdString(), QDir(folder.path()).filePath(expected).toStdString());
  }
}

TEST(ShellPrompterTest, APasswordIsTypedHiddenInADialogAboveTheOwnerWindow) {
  QWindow show;
  show.resize(320, 180);
  show.show();
  struct Case {
    bool accept;
    std::optional<QString> answer;
  };
  for (const Case& c : {Case{true, u"秘密 1"_s}, Case{false, std::nullopt}}) {
    bool hidden = false;
    bool above = false;
    QString label;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      hidden = dialog->textEchoMode() == QLineEdit::Password;
      above = dialog->windowHandle() != nullptr && dialog->windowHandle()->transientParent() == &show;
      label = dialog->labelText();
      dialog->setTextValue(u"秘密 1"_s);
      c.accept ? dialog->accept() : dialog->reject();
    });
    ShellPrompter prompter;
    prompter.SetOwnerWindow(&show);
    EXPECT_EQ(prompter.AskPassword(u"导出图片和音乐"_s, u"请输入导出密码："_s), c.answer);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(above);
    EXPECT_EQ(label, u"请输入导出密码："_s);
  }
}

TEST(ShellPrompterTest, TheFolderDialogGivesTheFolderChosenOrNothing) {
  QTemporaryDir folder;
  for (const bool accept : {true, false}) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
      dialog->setDirectory(folder.path());
      accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
    });
    ShellPrompter prompter;
    EXPECT_EQ(prompter.ChooseFolder(u"选择导出到的文件夹"_s, QDir::homePath()), accept ? folder.path() : QString());
  }
}

// Qt's own dialog texts come in Chinese once its catalogue is loaded.
TEST(QtTranslations, QtsDialogTextsAreChinese) {
  ASSERT_TRUE(InstallQtTranslations(*QCoreApplication::instance()));
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

}  // namespace
}  // namespace pivlo
