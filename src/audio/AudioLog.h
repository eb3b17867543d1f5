#pragma once

#include <QLoggingCategory>

namespace pivlo {

// The show's sound: quiet by default, on with QT_LOGGING_RULES="pivlo.audio.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcAudio)

}  // namespace pivlo
