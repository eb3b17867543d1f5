#pragma once

#include <QList>
#include <QtGlobal>

namespace pivlo {

// The direction counters shared by the effect previews, kept for the program run:
// A cycles 0..3, B 0..1, C 0..2. Consecutive previews thus cycle through the directions.
struct VariantCounters {
  qint16 a = 0;
  qint16 b = 0;
  qint16 c = 0;

  // Before a preview: a counter that reached its count starts again at 0.
  void BringIntoRange();
  // After every preview, also a failed one.
  void Advance();
};

// Kept by the main window for the program run and shared by the effect previews.
struct EffectPreviewState {
  VariantCounters counters;
  // The picture the canvas shows (its last drawn one, 1-based; 0 none): a preview starts
  // from it, and a transition leaves its incoming picture there.
  qint32 shown_picture = 0;
  // The incoming picture of transition previews: flips between 1 and 2 before each use,
  // so the first preview brings in picture 2.
  qint32 alternate_picture = 1;
};

// Reseeds the effects' random numbers from the effect clock (RandomSeed).
void ReseedEffectRandom();
// The next effect random number, uniform in [0, 1).
double EffectRandom();

// The integers a to b in random order (reseeded from the clock): empty when b < a.
QList<qint32> RandomPermutation(qint32 a, qint32 b);

}  // namespace pivlo
