#pragma once

#include <QtGlobal>

namespace pivlo {

// One song being decoded into the show's format (AudioFormat.h), from its start to its end.
class SongDecoder {
 public:
  virtual ~SongDecoder() = default;
  // Writes up to `frames` frames to `out` and returns how many; fewer only at the song's
  // end, 0 once it has ended. A song whose data breaks off mid-way ends there.
  virtual qsizetype Read(qint16* out, qsizetype frames) = 0;
};

}  // namespace pivlo
