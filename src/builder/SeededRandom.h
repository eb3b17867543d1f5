#pragma once

#include <QtGlobal>

namespace pivlo {

// The deterministic generator behind package scrambling, shared by the builder and the
// player: SplitMix64. Reseeding sets the 64-bit state to the seed sign-extended; each
// draw adds 0x9E3779B97F4A7C15 to the state and mixes it (docs/formats.md), and the top
// 53 bits of the mixed value make a value in [0, 1). Changing any of this breaks every
// package already built.
class SeededRandom {
 public:
  // The fixed seed of every scrambling run.
  static constexpr qint32 kPackageSeed = -613120;

  explicit SeededRandom(qint32 seed = kPackageSeed) { Reseed(seed); }

  void Reseed(qint32 seed);
  // The next 64-bit output of the generator.
  quint64 NextBits();
  // The next value in [0, 1): the top 53 bits of NextBits() divided by 2^53.
  double Next();

 private:
  quint64 state_ = 0;
};

}  // namespace pivlo
