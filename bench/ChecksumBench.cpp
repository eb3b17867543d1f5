// The checksum reads the whole runtime library on every build and preview.

#include "builder/basChecksum.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The runtime library is a few megabytes; 20 MB shows how the check scales.
void BM_FileChecksumText(benchmark::State& state) {
  const qint64 size = state.range(0) * 1024 * 1024;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("runtime.so"));
  {
    QFile file(path);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i) bytes[i] = char(i * 31 + i / 977);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != size) {
      state.SkipWithError("cannot make the file");
      return;
    }
  }
  for (auto _ : state) {
    const QString text = pivlo::FileChecksumText(path);
    if (text.isEmpty()) state.SkipWithError("no checksum");
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_FileChecksumText)->ArgName("MB")->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
