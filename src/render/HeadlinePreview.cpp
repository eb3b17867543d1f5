#include "render/HeadlinePreview.h"

#include "core/ProjectModel.h"
#include "core/Rounding.h"
#include "render/LayoutCompose.h"
#include "render/ScaledLooks.h"
#include "render/basDirect3D.h"
#include "render/basFontEffectD3D.h"
#include "render/basTextStyles.h"

#include <exception>

namespace pivlo {
namespace {

// For the length of a preview the headline style holds its colours as ARGB values, the
// form the text texture is drawn with; they are given back however the preview ends.
class ArgbHeadlineColours {
 public:
  explicit ArgbHeadlineColours(TextStyle& style) : style_(style), saved_(style) {
    style_.start_color = Colour(StoredColorToArgb(saved_.start_color, kFillAlpha));
    style_.end_color = Colour(StoredColorToArgb(saved_.end_color, kFillAlpha));
    style_.border_color = Colour(StoredColorToArgb(saved_.border_color, kBorderAlpha));
  }
  ~ArgbHeadlineColours() {
    style_.start_color = saved_.start_color;
    style_.end_color = saved_.end_color;
    style_.border_color = saved_.border_color;
  }
  ArgbHeadlineColours(const ArgbHeadlineColours&) = delete;
  ArgbHeadlineColours& operator=(const ArgbHeadlineColours&) = delete;

 private:
  TextStyle& style_;
  const TextStyle saved_;
};

// The headline style drawn at the preview's scale, its colours already ARGB.
TextLook PreviewLook(const ScaledLooks& looks, const TextStyle& argb_style) {
  TextLook look = looks.Look(argb_style);
  look.start_color = QRgb(argb_style.start_color);
  look.end_color = QRgb(argb_style.end_color);
  look.border_color = QRgb(argb_style.border_color);
  return look;
}

double Scale(int canvas, qint32 screen) { return screen > 0 ? double(canvas) / screen : 1.0; }

void RunPreview(ProjectModel& model, int selected, EffectPreviewState& state, HeadlinePreviewView& view) {
  const QSize canvas = BackBufferSize();
  const double sx = Scale(canvas.width(), model.screen_width);
  const double sy = Scale(canvas.height(), model.screen_height);
  TextStyle& style = model.settings.Style(kHeadlineSlot);
  // Drawn as the canvas draws it, a font that is not installed included.
  const ScaledLooks looks(QSize(model.screen_width, model.screen_height), canvas);

  HeadlineItem item;
  ImageEntry* picture = selected >= 1 && selected <= model.pictures.size() ? &model.pictures[selected - 1] : nullptr;
  if (picture != nullptr && !picture->headline.isEmpty()) {
    item.text = picture->headline;
    picture->head_dynamic_style = model.font_list_position;
    const ScreenBox& box = picture->headline_box;
    item.box = QRectF(box.x * sx, box.y * sy, box.w * sx + 1, box.h * sy + 1);
  } else {
    item.text = HeadlineSampleText();
    const TextLook sample = looks.Look(style);
    const QSizeF size =
        MeasureText(item.text, sample.font_name, RoundToInt32(style.size * sx), style.style_flags).size();
    item.box = QRectF((canvas.width() - size.width()) / 2, (canvas.height() - size.height()) / 2,
                      size.width() + 1, size.height() + 1);
  }

  view.RefreshCanvas();
  state.counters.BringIntoRange();
  const ArgbHeadlineColours argb(style);
  item.look = PreviewLook(looks, style);

  CreatePictureTexture(ComposeSlide(model, state.shown_picture, canvas), kPictureSlotOne);
  view.SetPersistentDrawing(false);
  RunHeadlineEffect(model.font_list_position, item, state.counters.a);
}

}  // namespace

const QString& HeadlineSampleText() {
  static const QString sample = QStringLiteral("屏幕保护制作");
  return sample;
}

void PreviewHeadline(ProjectModel& model, int selected, EffectPreviewState& state, HeadlinePreviewView& view) {
  RunFlags& flags = model.flags;
  if (flags.LoadingFlag || !model.settings.enable_headline_effect || flags.ListBusy || flags.BusyFlag ||
      !Direct3DReady() || model.pictures.isEmpty()) {
    return;
  }
  flags.BusyFlag = true;
  try {
    RunPreview(model, selected, state, view);
  } catch (const std::exception&) {
    // A failed preview ends as a finished one does: the canvas is redrawn on its next use.
  }
  view.SetPersistentDrawing(true);
  flags.BusyFlag = false;
  state.counters.Advance();
}

}  // namespace pivlo
