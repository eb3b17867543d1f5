// The export of a show's files: which files, the names they take in the folder, what is
// never overwritten, failures said per file while the rest is copied, and the viewer's
// questions.

#include "show/ShowExport.h"

#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::ElementsAre;
using testing::HasSubstr;

ShowSettings Show(const QStringList& pictures, const QStringList& songs = {}, const QStringList& lyrics = {}) {
  ShowSettings show(ModelEnvironment{1920, 1080, u"Arial"_s, 64.0});
  for (const QString& picture : pictures) show.project.AddPicture(picture);
  for (const QString& song : songs) show.project.AddSong(song, 10);
  show.music_lyric_files = lyrics;
  return show;
}

QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// What the copy showed: one line per call.
class RecordingProgress : public Progress {
 public:
  QStringList calls;
  void InitProgress() override { calls << u"init"_s; }
  void ShowProgress(float percentage, const QString& text) override {
    calls << QString::number(percentage) + u' ' + text;
  }
  void CloseProgress() override { calls << u"close"_s; }
};

TEST(ExportFiles, EverySetPictureSongAndLyricFileOfTheShowsTypesOnce) {
  const ShowSettings show = Show(
      {u"/p/a.jpg"_s, u"/p/b.JPEG"_s, u"/p/c.tiff"_s, u"/p/d.tga"_s, u"/p/e.PCX"_s, u"/p/f.bmp"_s, u"/p/g.gif"_s,
       u"/p/h.png"_s, u"/p/i.tif"_s, u"/p/a.jpg"_s, u"/p/notes.txt"_s, u"/p/j.webp"_s, u"a.jpg"_s, u" "_s},
      {u"/m/s.mp3"_s, u"/m/t.WMA"_s, u"/m/u.wav"_s, u"/m/v.mid"_s, u"/m/w.ogg"_s, u"/p/a.jpg"_s},
      {u"/m/s.lrc"_s, u""_s, u"/m/s.lrc"_s, u"/m/u.txt"_s, u"/m/v.LRC"_s});
  EXPECT_THAT(ExportFiles(show),
              ElementsAre(u"/p/a.jpg"_s, u"/p/b.JPEG"_s, u"/p/c.tiff"_s, u"/p/d.tga"_s, u"/p/e.PCX"_s,
                          u"/p/f.bmp"_s, u"/p/g.gif"_s, u"/p/h.png"_s, u"/p/i.tif"_s, u"/m/s.mp3"_s,
                          u"/m/t.WMA"_s, u"/m/u.wav"_s, u"/m/v.mid"_s, u"/m/s.lrc"_s, u"/m/v.LRC"_s));
}

TEST(ExportFileName, IsTheLastPartOfThePathAndNeverLeavesTheFolder) {
  const std::pair<QString, std::optional<QString>> cases[] = {
      {u"/home/me/照片/海边.jpg"_s, u"海边.jpg"_s},
      {u"C:\\Photos\\beach.JPG"_s, u"beach.JPG"_s},
      {u"/a\\b/c\\d.png"_s, u"d.png"_s},
      {u"song.mp3"_s, u"song.mp3"_s},
      {u"/home/me/"_s, std::nullopt},
      {u"/home/me/."_s, std::nullopt},
      {u"/home/me/.."_s, std::nullopt},
      {u"C:\\Photos\\.."_s, std::nullopt},
      {u""_s, std::nullopt},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(ExportFileName(path), name) << path.toStdString();
}

TEST(CopyExportFiles, ATakenNameGetsTheNextNumberAndNothingThereIsTouched) {
  test::TempFolder sources;
  test::TempFolder out;
  const QString first = sources.Write(u"a.jpg"_s, "first");
  QDir(sources.Path(QString())).mkdir(u"more"_s);
  const QString second = sources.Write(u"more/a.jpg"_s, "second");
  const QString bare = sources.Write(u"notes"_s, "bare");
  out.Write(u"a.jpg"_s, "mine");
  out.Write(u"notes"_s, "mine too");
  // A link, even one to nothing, is taken too: nothing is written through it.
  ASSERT_TRUE(QFile::link(out.Path(u"elsewhere.jpg"_s), out.Path(u"a (2).jpg"_s)));

  RecordingProgress progress;
  const ExportResult result = CopyExportFiles({first, second, bare}, out.Path(QString()), progress);
  EXPECT_EQ(result.copied, 3);
  EXPECT_THAT(result.failures, testing::IsEmpty());
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"a.jpg"_s)), "mine");
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"notes"_s)), "mine too");
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"a (3).jpg"_s)), "first");
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"a (4).jpg"_s)), "second");
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"notes (2)"_s)), "bare");
  EXPECT_FALSE(QFileInfo::exists(out.Path(u"elsewhere.jpg"_s)));
  EXPECT_THAT(progress.calls, ElementsAre(u"init"_s, u"0 a.jpg"_s, QString::number(100.0f / 3) + u" a.jpg"_s,
                                          QString::number(200.0f / 3) + u" notes"_s, u"100 "_s, u"close"_s));
}

TEST(CopyExportFiles, AFileThatCannotBeReadIsNamedWithItsReasonAndTheRestIsCopied) {
  test::TempFolder sources;
  test::TempFolder out;
  const QString good = sources.Write(u"good.png"_s, "picture");
  const QString missing = sources.Path(u"gone.jpg"_s);
  const QString folder = sources.Path(u"folder.jpg"_s);
  QDir(sources.Path(QString())).mkdir(u"folder.jpg"_s);
  const QString fifo = sources.Path(u"pipe.mp3"_s);
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString song = sources.Write(u"song.mp3"_s, "music");
  const QString no_name = sources.Path(u".."_s);

  Progress quiet;
  const ExportResult result = CopyExportFiles({missing, good, folder, fifo, no_name, song}, out.Path(QString()), quiet);
  EXPECT_EQ(result.copied, 2);
  EXPECT_THAT(result.failures, ElementsAre(missing + u": no such file"_s, folder + u": not a regular file"_s,
                                           fifo + u": not a regular file"_s,
                                           no_name + u": no file name to copy it under"_s));
  EXPECT_THAT(FilesIn(out.Path(QString())), ElementsAre(u"good.png"_s, u"song.mp3"_s));
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"song.mp3"_s)), "music");
}

TEST(CopyExportFiles, AFolderThatTakesNoFileFailsEachFileWithItsReason) {
  test::TempFolder sources;
  const QString picture = sources.Write(u"a.jpg"_s, "picture");
  const QString nowhere = sources.Path(u"no-such-folder"_s);
  Progress quiet;
  const ExportResult result = CopyExportFiles({picture}, nowhere, quiet);
  EXPECT_EQ(result.copied, 0);
  EXPECT_THAT(result.failures,
              ElementsAre(picture + u": cannot create "_s + nowhere + u"/a.jpg: No such file or directory"_s));
}

struct FailingCall {
  test::FileCall call;
  const char* says;
};

class CopyExportFaults : public testing::TestWithParam<FailingCall> {};

TEST_P(CopyExportFaults, LeaveNoPartialFileAndSayWhy) {
  test::TempFolder sources;
  test::TempFolder out;
  const QString small = sources.Write(u"small.jpg"_s, "picture");
  const QString large = sources.Write(u"large.wav"_s, QByteArray(3 * 1024 * 1024, 'w'));
  out.Write(u"small.jpg"_s, "mine");
  ExportResult result;
  test::RunWithFailingCall(GetParam().call, [&] {
    Progress quiet;
    result = CopyExportFiles({small, large}, out.Path(QString()), quiet);
  });
  EXPECT_EQ(result.copied, 0);
  ASSERT_EQ(result.failures.size(), 2);
  const std::string says = std::string(": cannot ") + GetParam().says + " ";
  EXPECT_THAT(result.failures[0].toStdString(),
              HasSubstr(small.toStdString() + says + out.Path(u"small (2).jpg"_s).toStdString()));
  EXPECT_THAT(result.failures[1].toStdString(), HasSubstr(large.toStdString() + says));
  EXPECT_THAT(FilesIn(out.Path(QString())), ElementsAre(u"small.jpg"_s));
  EXPECT_EQ(test::ReadWholeFile(out.Path(u"small.jpg"_s)), "mine");
}

INSTANTIATE_TEST_SUITE_P(WriteAndSync, CopyExportFaults,
                         testing::Values(FailingCall{test::FileCall::Write, "write"},
                                         FailingCall{test::FileCall::Sync, "sync"}),
                         [](const testing::TestParamInfo<FailingCall>& info) {
                           return test::FileCallName(info.param.call);
                         });

// The viewer's questions, answered from a script.
struct Questions {
  const char* name;
  bool enable_export;
  QString password;
  QList<std::optional<QString>> typed;  // the password answers
  QStringList folders;                  // the folder answers; empty: cancelled
  ExportOutcome outcome;
  QStringList messages;
  int password_questions;
  int folder_questions;
};

class ExportWithQuestionsTest : public testing::TestWithParam<Questions> {};

TEST_P(ExportWithQuestionsTest, AsksWhatItMustAndCopiesOnlyOnceAllowed) {
  const Questions& q = GetParam();
  test::TempFolder sources;
  test::TempFolder out;
  ShowSettings show = Show({sources.Write(u"海边.jpg"_s, "picture")}, {sources.Write(u"song.mp3"_s, "music")});
  show.project.settings.enable_export = q.enable_export;
  show.project.settings.export_password = q.password;
  test::ScriptedPrompter prompter;
  for (const std::optional<QString>& typed : q.typed) prompter.password_results.enqueue(typed);
  for (const QString& folder : q.folders) {
    prompter.folder_results.enqueue(folder.isEmpty() ? QString() : out.Path(folder));
  }
  Progress quiet;

  EXPECT_EQ(ExportWithQuestions(show, prompter, quiet), q.outcome);
  EXPECT_EQ(prompter.MessageTexts(), q.messages);
  EXPECT_EQ(prompter.password_labels.size(), q.password_questions);
  EXPECT_EQ(prompter.dialogs.size(), q.folder_questions);
  const bool copied = q.outcome == ExportOutcome::kCopied;
  EXPECT_EQ(FilesIn(out.Path(QString())), (copied ? QStringList{u"song.mp3"_s, u"海边.jpg"_s} : QStringList()));
}

const QString kAllCopied = u"已导出 2 个文件。"_s;
const QString kWrong = u"密码不正确，不能导出。"_s;

INSTANTIATE_TEST_SUITE_P(
    Flows, ExportWithQuestionsTest,
    testing::Values(
        Questions{"NoPasswordNoQuestion", true, {}, {}, {u"."_s}, ExportOutcome::kCopied, {kAllCopied}, 0, 1},
        Questions{"RightPassword", true, u"秘密 1"_s, {u"秘密 1"_s}, {u"."_s}, ExportOutcome::kCopied, {kAllCopied}, 1, 1},
        Questions{"WrongPassword", true, u"秘密 1"_s, {u"秘密"_s}, {}, ExportOutcome::kWrongPassword, {kWrong}, 1, 0},
        Questions{"PasswordWithABlankMore", true, u"pw"_s, {u"pw "_s}, {}, ExportOutcome::kWrongPassword, {kWrong}, 1, 0},
        Questions{"PasswordInAnotherCase", true, u"pw"_s, {u"PW"_s}, {}, ExportOutcome::kWrongPassword, {kWrong}, 1, 0},
        Questions{"EmptyAnswerToAPassword", true, u"pw"_s, {u""_s}, {}, ExportOutcome::kWrongPassword, {kWrong}, 1, 0},
        Questions{"PasswordCancelled", true, u"pw"_s, {std::nullopt}, {}, ExportOutcome::kCancelled, {}, 1, 0},
        Questions{"FolderCancelled", true, u"pw"_s, {u"pw"_s}, {u""_s}, ExportOutcome::kCancelled, {}, 1, 1},
        Questions{"NotAllowed", false, u"pw"_s, {}, {}, ExportOutcome::kNotAllowed, {}, 0, 0}),
    [](const testing::TestParamInfo<Questions>& info) { return std::string(info.param.name); });

TEST(ExportWithQuestions, SaysHowManyWereCopiedAndWhichFailed) {
  test::TempFolder sources;
  test::TempFolder out;
  QStringList pictures{sources.Write(u"kept.jpg"_s, "picture")};
  for (int i = 1; i <= 12; ++i) pictures << sources.Path(u"gone-%1.jpg"_s.arg(i, 2, 10, QChar(u'0')));
  ShowSettings show = Show(pictures);
  show.project.settings.enable_export = true;
  test::ScriptedPrompter prompter;
  prompter.folder_results.enqueue(out.Path(QString()));
  Progress quiet;

  EXPECT_EQ(ExportWithQuestions(show, prompter, quiet), ExportOutcome::kFailed);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Warning);
  const QStringList lines = prompter.messages[0].text.split(u'\n');
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[0], u"已导出 1 个文件，以下文件未能导出："_s);
  EXPECT_EQ(lines[1], pictures[1] + u": no such file"_s);
  EXPECT_EQ(lines[10], pictures[10] + u": no such file"_s);
  EXPECT_EQ(lines[11], u"另有 2 个文件未能导出。"_s);
  EXPECT_EQ(FilesIn(out.Path(QString())), QStringList{u"kept.jpg"_s});
}

}  // namespace
}  // namespace pivlo
