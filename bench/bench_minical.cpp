// TMiniCal: changing the date and repainting, beside QCalendarWidget's
// setSelectedDate and paint at the same size. Both alternate between two
// dates of different months, so every step redraws a new month.
#include <benchmark/benchmark.h>

#include <QCalendarWidget>
#include <QImage>

#include "calendar/qor_minical.h"

namespace {

constexpr int W = 300, H = 180;

void BM_MiniCalDateChangeAndPaint(benchmark::State& State) {
  qor::TMiniCal Cal;
  Cal.resize(W, H);
  const qor::TDateTime Dates[2] = {qor::host::EncodeDate(2025, 4, 20),
                                   qor::host::EncodeDate(2025, 5, 29)};
  QImage Target(W, H, QImage::Format_RGB32);
  int I = 0;
  for (auto _ : State) {
    Cal.SetDate(Dates[I ^= 1]);
    Cal.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_MiniCalDateChangeAndPaint);

// The selection moving inside the shown month.
void BM_MiniCalDayStepAndPaint(benchmark::State& State) {
  qor::TMiniCal Cal;
  Cal.resize(W, H);
  Cal.SetDate(qor::host::EncodeDate(2025, 4, 10));
  QImage Target(W, H, QImage::Format_RGB32);
  int I = 0;
  for (auto _ : State) {
    Cal.SetDay(10 + (I ^= 1));
    Cal.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_MiniCalDayStepAndPaint);

void BM_QCalendarWidgetDateChangeAndPaint(benchmark::State& State) {
  QCalendarWidget Cal;
  Cal.resize(W, H);
  const QDate Dates[2] = {QDate(2025, 4, 20), QDate(2025, 5, 29)};
  QImage Target(W, H, QImage::Format_RGB32);
  int I = 0;
  for (auto _ : State) {
    Cal.setSelectedDate(Dates[I ^= 1]);
    Cal.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_QCalendarWidgetDateChangeAndPaint);

void BM_QCalendarWidgetDayStepAndPaint(benchmark::State& State) {
  QCalendarWidget Cal;
  Cal.resize(W, H);
  QImage Target(W, H, QImage::Format_RGB32);
  int I = 0;
  for (auto _ : State) {
    Cal.setSelectedDate(QDate(2025, 4, 10 + (I ^= 1)));
    Cal.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_QCalendarWidgetDayStepAndPaint);

}  // namespace
