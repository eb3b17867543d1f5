#pragma once

#include <QString>

namespace pivlo {

// What an FFmpeg error code says.
QString FfmpegErrorText(int code);
// Keeps FFmpeg's own log quiet: every failure is told by its caller, with its reason.
void QuietFfmpegLog();

}  // namespace pivlo
