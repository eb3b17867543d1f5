#include "cli/CliCommands.h"
#include "cli/CliGraphics.h"
#include "cli/CliOutput.h"

#include "core/ProjectModel.h"
#include "core/basByteFiles.h"
#include "media/basGdiPlus.h"
#include "render/LayoutCompose.h"
#include "render/basDirect3D.h"
#include "render/basTransitionD3D.h"

#include <QFile>

#include <optional>

namespace pivlo::cli {
namespace {

constexpr QSize kDefaultSize(960, 720);

struct TransitionOptions {
  int position = 0;
  std::optional<int> variant;
  QString from;
  QString to;
  QSize size = kDefaultSize;
  QString frame;
  bool unpaced = false;
  QString out;
};

std::optional<TransitionOptions> ParseOptions(const QStringList& args) {
  if (args.isEmpty()) return std::nullopt;
  TransitionOptions options;
  const std::optional<int> position = ParseInt(args[0], 0, kTransitionCount - 1);
  if (!position) return std::nullopt;
  options.position = *position;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& word = args[i];
    if (word == u"--unpaced") {
      options.unpaced = true;
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& value = args[++i];
    if (word == u"--variant") {
      options.variant = ParseInt(value, 0, TransitionVariantCount(options.position) - 1);
      if (!options.variant) return std::nullopt;
    } else if (word == u"--from") {
      options.from = UserPath(value);
    } else if (word == u"--to") {
      options.to = UserPath(value);
    } else if (word == u"--size") {
      const std::optional<QSize> size = ParseSize(value);
      if (!size) return std::nullopt;
      options.size = *size;
    } else if (word == u"--frame") {
      options.frame = UserPath(value);
    } else if (word == u"--out") {
      options.out = UserPath(value);
    } else {
      return std::nullopt;
    }
  }
  if (!options.variant || options.from.isEmpty() || options.to.isEmpty()) return std::nullopt;
  return options;
}

}  // namespace

int RunTransitionCommand(const QStringList& args) {
  const std::optional<TransitionOptions> options = ParseOptions(args);
  if (!options) return kUsageError;
  if (!IsPicture(options->from) || !IsPicture(options->to)) return 1;
  QByteArray frame;
  if (!options->frame.isEmpty()) {
    QByteArray bytes;
    if (ReadFileBytes(bytes, options->frame, 0, -1) > 0) frame = ScaleBytesToPng(bytes, options->size);
    if (frame.isEmpty()) {
      PrintError(options->frame + QStringLiteral(": not a picture"));
      return 1;
    }
  }
  if (!MakeOutputFolder(options->out)) return 1;

  // The two pictures as the canvas composes them, on a screen of the canvas's size.
  ProjectModel project(ModelEnvironment{options->size.width(), options->size.height(), QString(), 0});
  project.AddPicture(options->from);
  project.AddPicture(options->to);
  const QImage outgoing = ComposeSlide(project, 1, options->size);
  const QImage incoming = ComposeSlide(project, 2, options->size);

  FrameWriter canvas(options->size, options->out);
  EffectRun run(canvas, options->unpaced);
  if (!run.Ready()) return 1;
  CreatePictureTexture(outgoing, kPictureSlotOne);
  CreatePictureTexture(incoming, kPictureSlotTwo);
  if (!frame.isEmpty()) CreateFrameTexture(frame);
  if (ResourceFailed()) {
    PrintError(QStringLiteral("the pictures do not fit the device"));
    return 1;
  }
  QImage shown = outgoing;
  DrawFrameOverlay(shown, frame);
  canvas.Show(shown);

  run.Start();
  RunTransition(options->position, *options->variant,
                TransitionInputs{&canvas, incoming, qint32(options->size.width())});
  PrintOut(run.Report(canvas.Presents()));
  return canvas.Failed() ? 1 : 0;
}

}  // namespace pivlo::cli
