// The player's export: for a script (--export) with the exit codes scripts rely on, and
// during the show in real dialogs kept above the show's window.

#include "player/ExportCommand.h"
#include "player/ExportDuringShow.h"

#include "TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::ElementsAre;

// A show of one picture and one song in `sources`, allowing export with the password.
ShowSettings Show(const test::TempFolder& sources, bool enable_export, const QString& password) {
  ShowSettings show(ModelEnvironment{1920, 1080, u"Arial"_s, 64.0});
  show.project.AddPicture(sources.Write(u"海边.jpg"_s, "picture"));
  show.project.AddSong(sources.Write(u"song.mp3"_s, "music"), 10);
  show.project.settings.enable_export = enable_export;
  show.project.settings.export_password = password;
  return show;
}

QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files, QDir::Name);
}

TEST(ExportForScript, ExitsZeroWhenAllAreCopiedOneWhenRefusedOrAFileFailsThreeForThePassword) {
  const QStringList all{u"song.mp3"_s, u"海边.jpg"_s};
  struct Case {
    const char* name;
    bool enable_export;
    QString password;
    std::optional<QString> given;
    bool folder_exists;
    bool song_missing;
    int exit_code;
    QString says;  // within the one line said; empty: nothing said
    QStringList copied;
  };
  const Case cases[] = {
      {"no password", true, {}, std::nullopt, true, false, 0, {}, all},
      {"a password given where none is needed", true, {}, u"anything"_s, true, false, 0, {}, all},
      {"the password", true, u"秘密 1"_s, u"秘密 1"_s, true, false, 0, {}, all},
      {"a wrong password", true, u"秘密 1"_s, u"秘密"_s, true, false, 3, u"the export password is wrong"_s, {}},
      {"an empty password", true, u"秘密 1"_s, u""_s, true, false, 3, u"the export password is wrong"_s, {}},
      {"no password given", true, u"秘密 1"_s, std::nullopt, true, false, 3, u"needs its password"_s, {}},
      {"not allowed", false, {}, std::nullopt, true, false, 1, u"does not allow"_s, {}},
      {"not allowed, whatever the password", false, u"pw"_s, u"pw"_s, true, false, 1, u"does not allow"_s, {}},
      {"no such folder", true, {}, std::nullopt, false, false, 1, u"/missing: no such folder"_s, {}},
      {"a song missing", true, {}, std::nullopt, true, true, 1, u"/song.mp3: no such file"_s, {u"海边.jpg"_s}},
  };
  for (const Case& c : cases) {
    test::TempFolder sources;
    test::TempFolder out;
    const ShowSettings show = Show(sources, c.enable_export, c.password);
    if (c.song_missing) QFile::remove(sources.Path(u"song.mp3"_s));
    const QString folder = c.folder_exists ? out.Path(QString()) : out.Path(u"missing"_s);
    QStringList said;
    const auto say = [&](const QString& line) { said << line; };
    EXPECT_EQ(ExportForScript(show, folder, c.given, say), c.exit_code) << c.name;
    if (c.says.isEmpty()) {
      EXPECT_THAT(said, testing::IsEmpty()) << c.name;
    } else {
      ASSERT_EQ(said.size(), 1) << c.name;
      EXPECT_TRUE(said[0].contains(c.says)) << c.name << ": " << said[0].toStdString();
    }
    EXPECT_EQ(FilesIn(out.Path(QString())), c.copied) << c.name;
  }
}

TEST(ExportDuringShow, AsksInDialogsAboveTheShowsWindowThenCopies) {
  test::TempFolder sources;
  test::TempFolder out;
  const ShowSettings show = Show(sources, true, u"秘密 1"_s);
  QWindow window;
  window.resize(320, 180);
  window.show();

  // Answers each dialog as a viewer would, noting what it was and whether it stayed above
  // the show's window.
  QStringList seen;
  bool above = true;
  QTimer viewer;
  QObject::connect(&viewer, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) return;
    const bool transient = dialog->windowHandle() != nullptr && dialog->windowHandle()->transientParent() == &window;
    if (qobject_cast<QProgressDialog*>(dialog) != nullptr) {
      above = above && transient;
      return;  // it goes by itself
    }
    above = above && transient;
    if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
      seen << (input->textEchoMode() == QLineEdit::Password ? u"hidden password"_s : u"shown password"_s);
      input->setTextValue(u"秘密 1"_s);
      input->accept();
    } else if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
      seen << u"folder"_s;
      files->setDirectory(out.Path(QString()));
      static_cast<QDialog*>(files)->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
      seen << box->text();
      box->accept();
    }
  });
  viewer.start(10);

  EXPECT_TRUE(ExportDuringShow(show, &window));
  EXPECT_THAT(seen, ElementsAre(u"hidden password"_s, u"folder"_s, u"已导出 2 个文件。"_s));
  EXPECT_TRUE(above);
  EXPECT_EQ(FilesIn(out.Path(QString())), (QStringList{u"song.mp3"_s, u"海边.jpg"_s}));
}

}  // namespace
}  // namespace pivlo
