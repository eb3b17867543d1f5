// The checksum reads the whole runtime library on every build and preview.

#include "builder/basChecksum.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_FileChecksumText20MB(benchmark::State& state) {
  constexpr qint64 kSize = 20 * 1000 * 1000;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("runtime.so"));
  {
    QFile file(path);
    QByteArray bytes(kSize, Qt::Uninitialized);
    for (qint64 i = 0; i < kSize; ++i) bytes[i] = char(i * 31 + i / 977);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != kSize) {
      state.SkipWithError("cannot make the file");
      return;
    }
  }
  for (auto _ : state) {
    const QString text = pivlo::FileChecksumText(path);
    if (text.isEmpty()) state.SkipWithError("no checksum");
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_FileChecksumText20MB)->Unit(benchmark::kMillisecond);

}  // namespace
