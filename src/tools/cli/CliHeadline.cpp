#include "cli/CliCommands.h"
#include "cli/CliGraphics.h"
#include "cli/CliOutput.h"

#include "core/ProjectModel.h"
#include "render/HeadlinePreview.h"
#include "render/TextBoxFitting.h"
#include "render/basDirect3D.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"

#include <QFileInfo>

#include <array>
#include <optional>

namespace pivlo::cli {
namespace {

struct HeadlineArguments {
  int effect = 0;
  QString text;
  QString picture;
  int variant = 0;
  QSize size{960, 720};
  std::optional<ScreenBox> box;
  QString font;
  std::optional<int> font_size;
  std::optional<int> pattern;
  bool unpaced = false;
  QString out;
};

// "X,Y,W,H", integers.
std::optional<ScreenBox> ParseScreenBox(const QString& text) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 4) return std::nullopt;
  std::array<qint32, 4> values{};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> value = ParseInt(parts[i], -100000, 100000);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return ScreenBox{values[0], values[1], values[2], values[3]};
}

std::optional<HeadlineArguments> ParseHeadline(const QStringList& args) {
  if (args.isEmpty()) return std::nullopt;
  HeadlineArguments parsed;
  const std::optional<int> effect = ParseInt(args.first(), 0, kHeadlineEffectCount - 1);
  if (!effect) return std::nullopt;
  parsed.effect = *effect;
  bool has_text = false;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& word = args[i];
    if (word == u"--unpaced") {
      parsed.unpaced = true;
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const QString& value = args[++i];
    bool valid = true;
    if (word == u"--text") {
      parsed.text = value;
      has_text = true;
    } else if (word == u"--picture") {
      parsed.picture = UserPath(value);
    } else if (word == u"--variant") {
      const std::optional<int> variant = ParseInt(value, 0, 3);
      valid = variant.has_value();
      parsed.variant = variant.value_or(0);
    } else if (word == u"--size") {
      const std::optional<QSize> size = ParseSize(value);
      valid = size.has_value();
      parsed.size = size.value_or(QSize());
    } else if (word == u"--box") {
      parsed.box = ParseScreenBox(value);
      valid = parsed.box.has_value();
    } else if (word == u"--font") {
      parsed.font = value;
    } else if (word == u"--font-size") {
      parsed.font_size = ParseInt(value, 1, 1000);
      valid = parsed.font_size.has_value();
    } else if (word == u"--pattern") {
      parsed.pattern = ParseInt(value, 0, 19);
      valid = parsed.pattern.has_value();
    } else if (word == u"--out") {
      parsed.out = UserPath(value);
    } else {
      valid = false;
    }
    if (!valid) return std::nullopt;
  }
  if (!has_text || parsed.picture.isEmpty()) return std::nullopt;
  return parsed;
}

// A project of the one picture on a screen the size of the canvas, its headline the text
// in the headline style given; without a box the headline sits where a new picture's
// does, sized to its text as the editor sizes it.
ProjectModel HeadlineProject(const HeadlineArguments& a, const QString& font) {
  ModelEnvironment environment;
  environment.screen_width = a.size.width();
  environment.screen_height = a.size.height();
  environment.default_font = font;
  ProjectModel model(environment);
  TextStyle& style = model.settings.Style(kHeadlineSlot);
  if (a.font_size) style.size = *a.font_size;
  if (a.pattern) style.pattern = *a.pattern;
  model.font_list_position = a.effect;
  ImageEntry& picture = model.AddPicture(QFileInfo(a.picture).absoluteFilePath());
  picture.headline = a.text;
  if (a.box) {
    picture.headline_box = *a.box;
  } else {
    FitHeadlineBox(model, &picture, HeadlineSampleHeight(model, &picture));
  }
  return model;
}

}  // namespace

int Headline(const QStringList& args) {
  const std::optional<HeadlineArguments> parsed = ParseHeadline(args);
  if (!parsed) return kUsageError;
  if (!IsPicture(parsed->picture)) return 1;
  const QString font = parsed->font.isEmpty() ? DefaultTextFontName(QString()) : InstalledFamily(parsed->font);
  if (font.isEmpty()) {
    PrintError(parsed->font + QStringLiteral(": no installed font family has this name"));
    return 1;
  }
  if (!MakeOutputFolder(parsed->out)) return 1;

  ProjectModel model = HeadlineProject(*parsed, font);
  FrameWriter canvas(parsed->size, parsed->out);
  EffectRun run(canvas, parsed->unpaced);
  if (!run.Ready()) return 1;
  EffectPreviewState state;
  state.counters.a = qint16(parsed->variant);
  state.shown_picture = 1;
  HeadlinePreviewView view;
  run.Start();
  PreviewHeadline(model, 1, state, view);
  PrintOut(run.Report(canvas.Presents()));
  return canvas.Failed() ? 1 : 0;
}

}  // namespace pivlo::cli
