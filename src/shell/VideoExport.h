#pragma once

// 导出视频...: the show recorded as an MP4 by `pivlo-cli show video` from a preview
// package built for it. The recorder runs as a process of its own: a show in the editor's
// process would take over the editor's graphics binding.

#include "builder/BuildPipeline.h"
#include "builder/BuildState.h"
#include "core/ProjectModel.h"
#include "core/Prompter.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class QWidget;

namespace pivlo {

// The application folder's pivlo-cli.
QString VideoRecorderPath();
// Its command line recording `package` into `out`, saying its progress.
QStringList VideoRecorderArguments(const QString& package, const QString& out);
// The frames done and in all from a line "progress DONE TOTAL"; nothing for another line.
std::optional<std::pair<qint64, qint64>> ParseVideoProgress(QByteArrayView line);

// Runs the recorder under a progress window over `parent` until it ends. Cancelling
// stops it (it removes its own unfinished file); a failure shows what it said on
// stderr through the prompter. True when it finished its video.
bool RunVideoRecorder(const QString& program, const QStringList& arguments, QWidget* parent, Prompter& prompter);

// The whole command: asks where to save, builds the preview package into Temp/ without
// playing it, records the video, says where it went and removes the package. The build's
// own checks and messages apply.
void ExportShowVideo(ProjectModel& model, BuildState& state, BuildServices services, QWidget* parent);

}  // namespace pivlo
