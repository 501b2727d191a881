// TNumLab paint beside a QLabel paint of the same text and size.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
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

// A value change as an application sees it: the setter, then the repaint Qt
// performs for the region the widget asked for (shown on the offscreen screen,
// its backing store flushed). The label formats the number itself; QLabel is
// handed the same text, formatted by Qt.
void ValueChangeLoop(benchmark::State& State, QWidget& Widget, const std::function<void(int)>& Set) {
  Widget.resize(W, H);
  Widget.show();
  QCoreApplication::processEvents();
  // The first text drawn loads the font's glyphs: kept out of the loop.
  Set(0);
  QCoreApplication::processEvents();
  int K = 0;
  for (auto _ : State) {
    Set(++K);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  Widget.hide();
}

void BM_NumLabValueChange(benchmark::State& State) {
  qor::TNumLab Label;
  Label.SetDisplayType(qor::TNumLab::dtFixP);
  Label.SetPrecision(2);
  ValueChangeLoop(State, Label, [&](int K) { Label.SetValue(1234.5678 + K % 1000); });
}
BENCHMARK(BM_NumLabValueChange);

void BM_QLabelValueChange(benchmark::State& State) {
  QLabel Label;
  Label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label.setAlignment(Qt::AlignCenter);
  ValueChangeLoop(State, Label,
                  [&](int K) { Label.setText(QString::number(1234.5678 + K % 1000, 'f', 2)); });
}
BENCHMARK(BM_QLabelValueChange);

}  // namespace
