#include "shell/VideoExport.h"

#include "core/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>

#include <chrono>
#include <climits>

namespace pivlo {
namespace {

using namespace Qt::Literals::StringLiterals;

struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::VideoExport)
};

// A cancelled recorder stops after the frame it is on; one that does not is ended.
constexpr auto kStopGrace = std::chrono::seconds(10);

QString VideoPackagePath() { return TempFolder() + u"~tmpvideo.scr"_s; }

}  // namespace

QString VideoRecorderPath() { return ApplicationFolder() + u"pivlo-cli"_s; }

QStringList VideoRecorderArguments(const QString& package, const QString& out) {
  return {u"show"_s, u"video"_s, package, out, u"--progress"_s};
}

std::optional<std::pair<qint64, qint64>> ParseVideoProgress(QByteArrayView line) {
  const QList<QByteArray> words = line.toByteArray().trimmed().split(' ');
  if (words.size() != 3 || words[0] != "progress") return std::nullopt;
  bool done_ok = false;
  bool total_ok = false;
  const qint64 done = words[1].toLongLong(&done_ok);
  const qint64 total = words[2].toLongLong(&total_ok);
  if (!done_ok || !total_ok || done < 0 || total <= 0 || done > total) return std::nullopt;
  return std::pair{done, total};
}

bool RunVideoRecorder(const QString& program, const QStringList& arguments, QWidget* parent, Prompter& prompter) {
  QProgressDialog dialog(Texts::tr("正在导出视频..."), Texts::tr("取消"), 0, 0, parent);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(0);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);

  QProcess recorder;
  QEventLoop loop;
  QByteArray pending;  // stdout short of a line end
  bool cancelled = false;
  QObject::connect(&recorder, &QProcess::readyReadStandardOutput, &dialog, [&] {
    pending += recorder.readAllStandardOutput();
    if (cancelled) return pending.clear();  // the hidden window stays hidden
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
      if (const auto progress = ParseVideoProgress(QByteArrayView(pending).first(end))) {
        // The dialog counts in ints; a day at 60 frames a second fits.
        dialog.setMaximum(int(std::min<qint64>(progress->second, INT_MAX)));
        dialog.setValue(int(std::min<qint64>(progress->first, INT_MAX)));
      }
      pending.remove(0, end + 1);
    }
  });
  QObject::connect(&recorder, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&recorder, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) loop.quit();
  });
  const auto cancel = [&] {
    if (cancelled) return;
    cancelled = true;
    recorder.terminate();
    QTimer::singleShot(kStopGrace, &recorder, &QProcess::kill);
  };
  // The cancel button; Escape and the close box too.
  QObject::connect(&dialog, &QProgressDialog::canceled, &recorder, cancel);
  QObject::connect(&dialog, &QDialog::rejected, &recorder, cancel);
  recorder.start(program, arguments);
  // A program that cannot start may say so at once.
  if (recorder.state() != QProcess::NotRunning) {
    dialog.show();
    loop.exec();
    dialog.hide();
  }

  if (recorder.error() == QProcess::FailedToStart) {
    prompter.ShowMessage(Texts::tr("无法导出视频：%1").arg(program + u": "_s + recorder.errorString()),
                         MessageIcon::Error);
    return false;
  }
  if (cancelled) return false;
  if (recorder.exitStatus() == QProcess::NormalExit && recorder.exitCode() == 0) return true;
  const QString said = QString::fromUtf8(recorder.readAllStandardError()).trimmed();
  prompter.ShowMessage(Texts::tr("无法导出视频：%1").arg(said), MessageIcon::Error);
  return false;
}

void ExportShowVideo(ProjectModel& model, BuildState& state, BuildServices services, QWidget* parent) {
  const QString out = AskWhereToSave(model, services.prompter, Texts::tr("选择保存视频的位置"),
                                     FileFilter{Texts::tr("MP4 视频(*.mp4)"), u"*.mp4"_s}, u"mp4"_s);
  if (out.isEmpty()) return;

  QDir().mkpath(TempFolder());
  const QString package = VideoPackagePath();
  services.preview_output = package;
  services.start_preview = false;
  state.PreviewMode = true;
  if (!PreviewScreenSaver(model, state, services)) return;  // it said why
  model.flags.BusyFlag = true;
  const bool recorded =
      RunVideoRecorder(VideoRecorderPath(), VideoRecorderArguments(package, out), parent, services.prompter);
  model.flags.BusyFlag = false;
  QFile::remove(package);
  if (recorded) {
    services.prompter.ShowMessage(Texts::tr("视频已导出到：%1").arg(QDir::toNativeSeparators(out)),
                                  MessageIcon::Information);
  }
}

}  // namespace pivlo
