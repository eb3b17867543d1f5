#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "render/basTextStyles.h"

#include <QRegularExpression>

#include <optional>

namespace pivlo::cli {
namespace {

std::optional<QSizeF> ParseBox(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d+(?:\\.\\d+)?)x(\\d+(?:\\.\\d+)?)$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
}

// RRGGBB as ARGB with the given alpha.
std::optional<QRgb> ParseColour(const QString& text, int alpha) {
  static const QRegularExpression pattern(QStringLiteral("^[0-9A-Fa-f]{6}$"));
  if (!pattern.match(text).hasMatch()) return std::nullopt;
  return (QRgb(alpha) << 24) | text.toUInt(nullptr, 16);
}

}  // namespace

int RenderText(const QStringList& args) {
  if (args.size() < 2) return kUsageError;
  const QString out = args.first();
  std::optional<QSizeF> box;
  std::optional<double> size;
  std::optional<QString> text;
  TextLook look;
  look.start_color = 0xFFFFFFFFu;
  look.end_color = 0xFF0000FFu;
  look.border_color = (QRgb(kBorderAlpha) << 24) | 0x010101u;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& word = args[i];
    if (!word.startsWith(QStringLiteral("--"))) {
      if (text) return kUsageError;
      text = word;
      continue;
    }
    if (i + 1 >= args.size()) return kUsageError;
    const QString& value = args[++i];
    bool valid = true;
    const auto take_int = [&valid, &value](int& field, int low, int high) {
      const std::optional<int> parsed = ParseInt(value, low, high);
      valid = parsed.has_value();
      if (parsed) field = *parsed;
    };
    const auto take_colour = [&valid, &value](QRgb& field, int alpha) {
      const std::optional<QRgb> parsed = ParseColour(value, alpha);
      valid = parsed.has_value();
      if (parsed) field = *parsed;
    };
    if (word == u"--box") {
      box = ParseBox(value);
      valid = box.has_value();
    } else if (word == u"--font") {
      look.font_name = value;
    } else if (word == u"--size") {
      size = value.toDouble(&valid);
      valid = valid && *size > 0;
    } else if (word == u"--style") {
      take_int(look.style_flags, 0, 3);
    } else if (word == u"--align") {
      take_int(look.alignment, 0, 8);
    } else if (word == u"--pattern") {
      take_int(look.fill_pattern, 0, 19);
    } else if (word == u"--border") {
      take_int(look.border_width, 0, 100);
    } else if (word == u"--start") {
      take_colour(look.start_color, kFillAlpha);
    } else if (word == u"--end") {
      take_colour(look.end_color, kFillAlpha);
    } else if (word == u"--border-color") {
      take_colour(look.border_color, kBorderAlpha);
    } else {
      valid = false;
    }
    if (!valid) return kUsageError;
  }
  if (!box || !size || !text || look.font_name.isEmpty()) return kUsageError;
  look.em_size = *size;

  if (InstalledFamily(look.font_name).isEmpty()) {
    PrintError(look.font_name + QStringLiteral(": no installed font family has this name"));
    return 1;
  }
  if (look.fill_pattern == kFillRainbow) SetRainbowPicture(ShippedRainbowPicture());
  const QByteArray png = RenderTextToPng(*text, look, QRectF(QPointF(0, 0), *box));
  if (png.isEmpty()) {
    PrintError(QStringLiteral("the box is empty or too large"));
    return 1;
  }
  return WriteOutputFile(out, png) ? 0 : 1;
}

}  // namespace pivlo::cli
