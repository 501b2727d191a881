// TNumLab paint beside a QLabel paint of the same text and size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLabel>

#include "displays/qor_numlab.h"

namespace {

constexpr int W = 160, H = 28;

void BM_NumLabPaint(benchmark::State& State) {
  qor::TNumLab Label;
  Label.resize(W, H);
  Label.SetValue(1234.5678);
  QImage Target(W, H, QImage::Format_RGB32);
  for (auto _ : State) {
    Label.Invalidate();
    Label.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_NumLabPaint);

void BM_NumLabFormatOnly(benchmark::State& State) {
  qor::TNumLab Label;
  Label.SetValue(1234.5678);
  for (auto _ : State) benchmark::DoNotOptimize(Label.DisplayedText());
}
BENCHMARK(BM_NumLabFormatOnly);

void BM_QLabelPaint(benchmark::State& State) {
  QLabel Label(QStringLiteral("1234.57"));
  Label.resize(W, H);
  Label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label.setAlignment(Qt::AlignCenter);
  QImage Target(W, H, QImage::Format_RGB32);
  for (auto _ : State) {
    Label.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_QLabelPaint);

}  // namespace
