// Any bytes given to the MP3 analysis: never a crash, and what it reports is consistent.

#include "media/MP3Info.h"

#include <QBuffer>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
  buffer.open(QIODevice::ReadOnly);
  pivlo::MP3Info info;
  if (!info.ReadMP3Info(buffer)) {
    if (info.FileSize() != 0 || info.Duration() != 0 || info.SampleRate() != 0) std::abort();
    return 0;
  }
  // A first frame and the header one frame further on lie inside the file.
  if (info.FirstFrame() < 0 || info.FirstFrame() + 8 > info.FileSize()) std::abort();
  if (info.Layer() < 1 || info.Layer() > 3 || info.SampleRate() < 8000 || info.SampleRate() > 48000) std::abort();
  if (info.Channels() != 1 && info.Channels() != 2) std::abort();
  if (!std::isfinite(info.Duration())) std::abort();
  return 0;
}
