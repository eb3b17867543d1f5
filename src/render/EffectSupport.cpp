#include "render/EffectSupport.h"

#include "render/FramePacing.h"

#include <QRandomGenerator>

#include <cmath>

namespace pivlo {
namespace {

QRandomGenerator& Generator() {
  static QRandomGenerator generator;
  return generator;
}

qint16 Wrapped(qint16 value, qint16 count) { return value >= count || value < 0 ? 0 : value; }

}  // namespace

void VariantCounters::BringIntoRange() {
  a = Wrapped(a, 4);
  b = Wrapped(b, 2);
  c = Wrapped(c, 3);
}

void VariantCounters::Advance() {
  ++a;
  ++b;
  ++c;
}

void ReseedEffectRandom() { Generator().seed(CurrentEffectClock().RandomSeed()); }

double EffectRandom() { return Generator().generateDouble(); }

QList<qint32> RandomPermutation(qint32 a, qint32 b) {
  ReseedEffectRandom();
  QList<qint32> list;
  if (b < a) return list;
  list.reserve(qsizetype(qint64(b) - a + 1));
  for (qint64 v = a; v <= b; ++v) list.append(qint32(v));
  for (qsizetype i = list.size() - 1; i > 0; --i) {
    const auto j = qsizetype(std::floor(EffectRandom() * double(i + 1)));
    list.swapItemsAt(i, j);
  }
  return list;
}

}  // namespace pivlo
