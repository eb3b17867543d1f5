#include "builder/SeededRandom.h"

namespace pivlo {

void SeededRandom::Reseed(qint32 seed) {
  state_ = quint64(qint64(seed));
}

quint64 SeededRandom::NextBits() {
  state_ += 0x9E3779B97F4A7C15ULL;
  quint64 z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double SeededRandom::Next() {
  return double(NextBits() >> 11) * 0x1.0p-53;
}

}  // namespace pivlo
