#include "render/TextBoxFitting.h"

#include "core/Rounding.h"
#include "render/basTextStyles.h"

namespace pivlo {
namespace {

const QString& LineSample() {
  static const QString sample = QStringLiteral("A屏保j");
  return sample;
}

}  // namespace

double LineSampleHeight(const QString& font_name, double size, int style_flags) {
  return MeasureText(LineSample(), font_name, size, style_flags).height();
}

double FitLyricBoxHeight(ProjectModel& model, int canvas_height) {
  const TextStyle& lyric = model.settings.Style(kLyricSlot);
  ScreenBox& box = model.settings.lyric_box;
  box.h = RoundToInt32(LineSampleHeight(lyric.font_name, lyric.size, lyric.style_flags) + 1);
  if (model.screen_height <= 0) return 0;
  const double marker = double(box.h) * canvas_height / model.screen_height;
  return IsTwoLineLyricStyle(model.settings.lyric_style) ? 2 * marker : marker;
}

qint32 HeadlineSampleHeight(const ProjectModel& model, const ImageEntry* selected) {
  const TextStyle& headline = model.settings.Style(kHeadlineSlot);
  const qint32 size = selected != nullptr ? selected->head_size : headline.size;
  const qint32 flags = selected != nullptr ? selected->head_style : headline.style_flags;
  return RoundToInt32(LineSampleHeight(headline.font_name, size, flags) + 1);
}

bool FitHeadlineBox(const ProjectModel& model, ImageEntry* selected, qint32 sample_height) {
  if (selected == nullptr || selected->headline.isEmpty()) return false;
  const QString& font = model.settings.Style(kHeadlineSlot).font_name;
  const double measured = MeasureText(selected->headline, font, selected->head_size, selected->head_style).width();
  const double width = qMax(qMin(measured + 1, double(model.screen_width)), double(sample_height));
  selected->headline_box.w = RoundToInt32(width);
  selected->headline_box.h = sample_height;
  return true;
}

}  // namespace pivlo
