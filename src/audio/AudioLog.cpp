#include "audio/AudioLog.h"

namespace pivlo {

Q_LOGGING_CATEGORY(lcAudio, "pivlo.audio", QtWarningMsg)

}  // namespace pivlo
