// The video export's recorder process: its command line, its progress lines, and what the
// editor says when it fails.

#include "shell/VideoExport.h"

#include "ScriptedPrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(VideoExportTest, TheRecorderIsPivloCliRecordingThePackageWithProgress) {
  EXPECT_TRUE(VideoRecorderPath().endsWith(u"/pivlo-cli"_s));
  EXPECT_EQ(VideoRecorderArguments(u"/t/~tmpvideo.scr"_s, u"/v/a b.mp4"_s),
            (QStringList{u"show"_s, u"video"_s, u"/t/~tmpvideo.scr"_s, u"/v/a b.mp4"_s, u"--progress"_s}));
}

TEST(VideoExportTest, OnlyProgressLinesCount) {
  EXPECT_EQ(ParseVideoProgress("progress 3 120"), (std::pair<qint64, qint64>{3, 120}));
  EXPECT_EQ(ParseVideoProgress("progress 120 120\r"), (std::pair<qint64, qint64>{120, 120}));
  for (const char* line : {"", "progress", "progress 3", "progress 4 3", "progress -1 3", "progress 1 0",
                           "progress x 3", "/v/a.mp4\t1280x720\t30 fps\t1.000 s\th264\taac"}) {
    EXPECT_FALSE(ParseVideoProgress(line)) << line;
  }
}

// A stand-in recorder: the shell runs what it is given.
bool RunRecorder(const QString& script, test::ScriptedPrompter& prompter) {
  return RunVideoRecorder(u"/bin/sh"_s, {u"-c"_s, script}, nullptr, prompter);
}

TEST(VideoExportTest, AFailedRecorderIsExplainedInItsOwnWords) {
  test::ScriptedPrompter prompter;
  EXPECT_TRUE(RunRecorder(u"echo progress 1 2; echo progress 2 2"_s, prompter));
  EXPECT_TRUE(prompter.messages.isEmpty());

  EXPECT_FALSE(RunRecorder(u"echo progress 1 2; echo 'pivlo-cli: /v/a.mp4: disk full' >&2; exit 1"_s, prompter));
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].text, u"无法导出视频：pivlo-cli: /v/a.mp4: disk full"_s);
  EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Error);

  EXPECT_FALSE(RunVideoRecorder(u"/nonexistent/pivlo-cli"_s, {}, nullptr, prompter));
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_TRUE(prompter.messages[1].text.contains(u"/nonexistent/pivlo-cli"_s));
}

// 取消 ends the recorder and says nothing: the recorder cleans up after itself.
TEST(VideoExportTest, CancellingEndsTheRecorder) {
  test::ScriptedPrompter prompter;
  QTimer::singleShot(500, [] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<QProgressDialog*>(top); dialog && dialog->isVisible()) {
        EXPECT_EQ(dialog->labelText(), u"正在导出视频..."_s);
        EXPECT_EQ(dialog->maximum(), 10);
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
      }
    }
  });
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(RunRecorder(u"trap 'exit 1' TERM; echo progress 1 10; while :; do sleep 0.1; done"_s, prompter));
  EXPECT_LT(timer.elapsed(), 5000) << "ended at the request, not by the grace time";
  EXPECT_TRUE(prompter.messages.isEmpty());
}

}  // namespace
}  // namespace pivlo
