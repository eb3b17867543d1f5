// Benchmarks run with an application object, so pending events are really processed.

#ifdef PIVLO_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;  // windows
#elif defined(PIVLO_BENCH_GUI)
#include <QGuiApplication>
using BenchApplication = QGuiApplication;  // fonts
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  // Benchmarks draw off screen, with or without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  BenchApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
