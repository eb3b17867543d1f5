#include "render/FontDialogModel.h"

#include <QCoreApplication>

namespace pivlo {
namespace {

// The translation context of the texts below.
struct Texts {
  Q_DECLARE_TR_FUNCTIONS(pivlo::FrmFont)
};

constexpr int kSizeStep = 8;
constexpr int kRainbowPattern = 2;

}  // namespace

FontDialogModel::FontDialogModel(ProjectModel& model, int kind) : model_(model), kind_(kind) {
  const ProjectSettings& settings = model_.settings;
  if (kind_ == kLyricLine) {
    working_ = settings.Style(kLyricSlot);
    working_.pattern = settings.lyric_dynamic_pattern;
    working_.start_color = settings.lyric_dynamic_start_color;
    working_.end_color = settings.lyric_dynamic_end_color;
  } else {
    working_ = settings.Style(kind_);
  }
}

QStringList FontDialogModel::SizeEntries() const {
  QStringList sizes;
  for (int size = SmallestSize(); size <= LargestSize(); size += kSizeStep) sizes << QString::number(size);
  return sizes;
}

QStringList FontDialogModel::AlignEntries() {
  return {Texts::tr("左上"), Texts::tr("中上"), Texts::tr("右上"), Texts::tr("左中"), Texts::tr("正中"),
          Texts::tr("右中"), Texts::tr("左下"), Texts::tr("中下"), Texts::tr("右下")};
}

QStringList FontDialogModel::PatternEntries() const {
  QStringList patterns = {Texts::tr("固定颜色"),   Texts::tr("彩虹颜色"),     Texts::tr("左右渐变"),
                          Texts::tr("上下渐变"),   Texts::tr("左上右下渐变"), Texts::tr("右上左下渐变"),
                          Texts::tr("左中右渐变"), Texts::tr("上中下渐变"),   Texts::tr("左上中右下渐变"),
                          Texts::tr("右上中左下渐变")};
  if (kind_ == kHeadline) patterns.removeAt(1);
  return patterns;
}

QStringList FontDialogModel::BorderEntries() {
  return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
          QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
}

QStringList FontDialogModel::StyleEntries() {
  return {Texts::tr("正常"), Texts::tr("粗体"), Texts::tr("斜体"), Texts::tr("粗斜体")};
}

int FontDialogModel::SizePosition() const {
  return int(SizeEntries().indexOf(QString::number(working_.size)));
}

int FontDialogModel::PatternPosition() const {
  int position = working_.pattern / 2;
  if (kind_ == kHeadline) {
    if (working_.pattern == kRainbowPattern) position = 0;
    else if (position > 0) --position;
  }
  return position >= 0 && position < PatternEntries().size() ? position : -1;
}

void FontDialogModel::ChooseSize(int position) {
  const QStringList sizes = SizeEntries();
  if (position >= 0 && position < sizes.size()) working_.size = sizes.at(position).toInt();
}

void FontDialogModel::ChoosePattern(int position) {
  working_.pattern = 2 * position + (kind_ == kHeadline && position > 0 ? 2 : 0);
}

void FontDialogModel::Store(qsizetype selected) {
  ProjectSettings& settings = model_.settings;
  if (kind_ == kLyricLine) {
    settings.lyric_dynamic_pattern = working_.pattern;
    settings.lyric_dynamic_start_color = working_.start_color;
    settings.lyric_dynamic_end_color = working_.end_color;
    return;
  }
  settings.Style(kind_) = working_;
  if (kind_ != kHeadline || selected < 0 || selected >= model_.pictures.size()) return;
  TakeHeadlineStyle(model_.pictures[selected], working_);
}

}  // namespace pivlo
