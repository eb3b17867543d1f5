#include "core/SettingRules.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

#include <QCoreApplication>

#include <cmath>

namespace pivlo {
namespace {

constexpr qsizetype kStyleSelectLength = 128;
constexpr int kBackspace = 8;
constexpr int kFullStop = 46;

// The box's text as the number it now shows (a normalised text always reads back).
double ValueOf(const QString& normalised) {
  return NumberFromText(normalised).value_or(0.0);
}

}  // namespace

QString NormalizeNumberText(const QString& text, const QString& fallback) {
  if (text.isEmpty()) return fallback;
  // A lone "-" ends in "-" as well.
  if (text.endsWith(u'-') || text.startsWith(u'0') || text.startsWith(u'.')) return fallback;
  const std::optional<double> value = NumberFromText(text);
  if (!value) return fallback;
  const float kept = static_cast<float>(RoundHalfEven(*value * 1000) / 1000);
  if (!std::isfinite(kept)) return fallback;
  return FloatToShortestText(kept);
}

bool IsNumberKeyAccepted(int key, bool allow_full_stop) {
  return (key >= '0' && key <= '9') || key == kBackspace || (allow_full_stop && key == kFullStop);
}

QString NormalizeTimeIntervalText(const QString& text, const QString& fallback) {
  const QString normalised = NormalizeNumberText(text, fallback);
  return ValueOf(normalised) < 3.5 ? QStringLiteral("3.5") : normalised;
}

QString NormalizeDurationText(const QString& text) {
  QString normalised = NormalizeNumberText(text, QStringLiteral("8"));
  if (ValueOf(normalised) < 5) normalised = QStringLiteral("5");
  return QString::number(RoundToInt32(ValueOf(normalised)));
}

QString UnnamedScreensaverName() {
  return QCoreApplication::translate("pivlo::ProjectModel", "未命名屏幕保护");
}

QString CheckedScreensaverName(const QString& name) {
  static const QString kForbidden = QStringLiteral("\\/?\":*<>");
  for (const QChar c : name) {
    if (kForbidden.contains(c)) return UnnamedScreensaverName();
  }
  return name;
}

QString StyleSelectText(const std::array<bool, kTransitionCount>& ticked) {
  QString text(kStyleSelectLength, u' ');
  for (int k = 0; k < kTransitionCount; ++k) {
    if (ticked[k]) text[k] = u'1';
  }
  return text;
}

std::array<bool, kTransitionCount> TransitionsFromStyleSelect(const QString& text) {
  // Only the first 128 characters count; shorter texts are padded with blanks, which tick
  // nothing, so looking at the transitions' own positions is the same.
  std::array<bool, kTransitionCount> ticked{};
  for (int k = 0; k < kTransitionCount; ++k) ticked[k] = k < text.size() && text[k] == u'1';
  return ticked;
}

}  // namespace pivlo
