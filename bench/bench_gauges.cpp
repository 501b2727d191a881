// Paint cost of the gauges beside their nearest Qt peers, each rendered as a
// whole widget into an image of the same size: TMeter (scale, labels, bands,
// needle, hub, lamps, frame) against QDial, TProgBar (solid and gradient)
// against QProgressBar.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDial>
#include <QImage>
#include <QProgressBar>
#include <memory>

#include "gauges/qor_meter.h"
#include "gauges/qor_progbar.h"

namespace {

using namespace qor;

void RenderLoop(benchmark::State& State, QWidget& W, const std::function<void()>& Touch) {
  QImage Target(W.size(), QImage::Format_RGB32);
  for (auto _ : State) {
    Touch();
    W.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}

TMeter* BenchMeter() {
  auto* M = new TMeter;
  M->SetThresholdLow(0.2);
  M->SetThresholdHigh(0.8);
  M->SetScaleBkVisible(true);
  M->SetScaleBkWidth(10);
  M->SetCaption(QStringLiteral("V"));
  M->SetValue(0.55);
  return M;
}

// A value change as an application sees it: the setter, then the repaint Qt
// performs for the region the widget asked for (shown on the offscreen screen,
// its backing store flushed), for the meter and for QDial alike.
void ValueChangeLoop(benchmark::State& State, QWidget& W, const std::function<void(int)>& Set) {
  W.show();
  QCoreApplication::processEvents();
  // The first text drawn loads the font's glyphs: kept out of the loop.
  Set(0);
  QCoreApplication::processEvents();
  int K = 0;
  for (auto _ : State) {
    Set(++K);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  W.hide();
}

// A new value: the needles' area is redrawn over the kept dial face.
void BM_MeterValueChange(benchmark::State& State) {
  std::unique_ptr<TMeter> M(BenchMeter());
  ValueChangeLoop(State, *M, [&](int K) { M->SetValue(0.3 + 0.001 * (K % 400)); });
}
BENCHMARK(BM_MeterValueChange);

void BM_QDialValueChange(benchmark::State& State) {
  QDial D;
  D.resize(297, 209);
  D.setNotchesVisible(true);
  D.setRange(0, 1000);
  ValueChangeLoop(State, D, [&](int K) { D.setValue(300 + K % 400); });
}
BENCHMARK(BM_QDialValueChange);

// A new value, the whole widget rendered into an image.
void BM_MeterPaint(benchmark::State& State) {
  std::unique_ptr<TMeter> M(BenchMeter());
  int K = 0;
  RenderLoop(State, *M, [&] { M->SetValue(0.3 + 0.001 * (++K % 400)); });
}
BENCHMARK(BM_MeterPaint);

// A scale property changes every time: the whole face is drawn again.
void BM_MeterPaintFullFace(benchmark::State& State) {
  std::unique_ptr<TMeter> M(BenchMeter());
  int K = 0;
  RenderLoop(State, *M, [&] { M->SetColorScale(++K % 2 ? clNavy : clBlack); });
}
BENCHMARK(BM_MeterPaintFullFace);

void BM_QDialPaint(benchmark::State& State) {
  QDial D;
  D.resize(297, 209);
  D.setNotchesVisible(true);
  D.setValue(55);
  RenderLoop(State, D, [] {});
}
BENCHMARK(BM_QDialPaint);

void BM_ProgBarPaint(benchmark::State& State, bool Gradient) {
  TProgBar B;
  B.SetValue(63);
  B.SetShowColorGradient(Gradient);
  B.SetTextPosX(150);
  RenderLoop(State, B, [&] { B.Invalidate(); });
}
BENCHMARK_CAPTURE(BM_ProgBarPaint, Solid, false);
BENCHMARK_CAPTURE(BM_ProgBarPaint, Gradient, true);

void BM_QProgressBarPaint(benchmark::State& State) {
  QProgressBar P;
  P.resize(300, 28);
  P.setValue(63);
  RenderLoop(State, P, [] {});
}
BENCHMARK(BM_QProgressBarPaint);

}  // namespace
