#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace pivlo::cli {

// Argument checks shared by the commands.

// A decimal integer within [low, high].
std::optional<int> ParseInt(const QString& text, int low, int high);
// "WxH" with both sides positive integers.
std::optional<QSize> ParseSize(const QString& text);
// True when the path names a file; otherwise says so on stderr.
bool IsFile(const QString& path);

}  // namespace pivlo::cli
