// Any bytes given to the lyric reader: never a crash; lines in time order, never before
// the song's start, one line of text each.

#include "audio/LrcLyrics.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<pivlo::LyricLine> lines =
      pivlo::ParseLyrics(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
  qint64 last = 0;
  for (const pivlo::LyricLine& line : lines) {
    if (line.ms < last || line.text.contains(u'\n') || line.text.contains(u'\r')) std::abort();
    last = line.ms;
  }
  return 0;
}
