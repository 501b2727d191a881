// Main of every benchmark program: a QApplication on the offscreen platform
// with the pinned font, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QLocale>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPixelSize(12);
  QApplication::setFont(F);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
