#include "cli/CliCommands.h"
#include "cli/CliOutput.h"
#include "cli/CliProjectFiles.h"

#include "media/basGdiPlus.h"
#include "render/CanvasCompose.h"

namespace pivlo::cli {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kDefaultCanvas(480, 360);

struct ComposeOptions {
  QString project;
  QString out;
  qint32 picture = 0;
  CanvasView view;
};

// PROJECT OUT --picture N [--mode 0-4] [--size WxH] [--title 1|2]
std::optional<ComposeOptions> ParseCompose(const QStringList& args) {
  if (args.size() < 2 || args.size() % 2 != 0) return std::nullopt;
  ComposeOptions options;
  options.project = UserPath(args[0]);
  options.out = UserPath(args[1]);
  options.view.canvas = kDefaultCanvas;
  for (qsizetype i = 2; i < args.size(); i += 2) {
    const QString& word = args[i];
    bool ok = false;
    const int number = args[i + 1].toInt(&ok);
    if (word == u"--picture" && ok && number >= 1) {
      options.picture = number;
    } else if (word == u"--mode" && ok && number >= 0 && number <= int(CanvasMode::kTitles)) {
      options.view.mode = CanvasMode(number);
    } else if (word == u"--title" && ok && (number == 1 || number == 2)) {
      options.view.title_kind = number;
    } else if (word == u"--size") {
      const std::optional<QSize> size = ParseSize(args[i + 1]);
      if (!size) return std::nullopt;
      options.view.canvas = *size;
    } else {
      return std::nullopt;
    }
  }
  if (options.picture == 0) return std::nullopt;
  options.view.picture = options.picture;
  return options;
}

}  // namespace

int Compose(const QStringList& args) {
  const std::optional<ComposeOptions> options = ParseCompose(args);
  if (!options) return kUsageError;
  StderrPrompter prompter;
  ProjectModel model(CommandLineEnvironment());
  if (!ReadProjectFile(options->project, model, prompter)) return 1;
  if (options->picture > model.pictures.size()) {
    PrintError(options->project + u": no picture "_s + QString::number(options->picture) + u" (it has "_s +
               QString::number(model.pictures.size()) + u')');
    return 1;
  }
  CanvasView view = options->view;
  if (model.settings.picture_frame_num != 0) view.frame = model.frame_picture;
  const CanvasPicture shown = CanvasComposer().Compose(model, view);
  if (shown.image.isNull()) {
    PrintError(options->out + u": the canvas size is beyond the picture limit"_s);
    return 1;
  }
  return WriteOutputFile(options->out, EncodePicture(shown.image, u"PNG"_s, -1)) ? 0 : 1;
}

}  // namespace pivlo::cli
