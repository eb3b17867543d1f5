// Reading a 50 MB file in 12 MiB chunks, with pending events processed between them.

#include "core/basByteFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ReadFileBytes50MB(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("big.bin"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(50 * 1000 * 1000)) {
      state.SkipWithError("cannot make the file");
      return;
    }
  }
  QByteArray data;
  for (auto _ : state) {
    if (pivlo::ReadFileBytes(data, path, 0, -1) != 50 * 1000 * 1000) state.SkipWithError("short read");
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(state.iterations() * 50 * 1000 * 1000);
}
BENCHMARK(BM_ReadFileBytes50MB)->Unit(benchmark::kMillisecond);

}  // namespace
