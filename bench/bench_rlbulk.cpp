// Bulk fill of a report list: 10^3 and 10^5 rows x 5 columns put into a
// TRLData by one LoadRows call from ready rows, beside the same cells written
// one SetElem at a time and QStandardItemModel taking the same rows. The
// Python module's fill (python/tests/test_bulk.py) is measured against the
// LoadRows figure.
#include <benchmark/benchmark.h>

#include <QStandardItemModel>

#include "replist/qor_rldata.h"

namespace {

constexpr int Cols = 5;

// The rows the Python measurement builds too: "<row> <col>" texts.
const QList<QStringList>& Rows(int N) {
  static QList<QStringList> Cache;
  if (Cache.size() != N) {
    Cache.clear();
    Cache.reserve(N);
    for (int R = 0; R < N; ++R) {
      QStringList Row;
      for (int C = 0; C < Cols; ++C) Row << QStringLiteral("%1 %2").arg(R).arg(C);
      Cache << Row;
    }
  }
  return Cache;
}

void BM_RLDataLoadRows(benchmark::State& State) {
  const auto& Data = Rows(int(State.range(0)));
  for (auto _ : State) {
    qor::TRLData D;
    D.SetNrCols(Cols);
    benchmark::DoNotOptimize(D.LoadRows(1, Data));
  }
  State.SetItemsProcessed(State.iterations() * State.range(0) * Cols);
}
BENCHMARK(BM_RLDataLoadRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_RLDataSetElem(benchmark::State& State) {
  const auto& Data = Rows(int(State.range(0)));
  for (auto _ : State) {
    qor::TRLData D;
    D.SetNrCols(Cols);
    D.SetNrRows(int(Data.size()));
    for (int R = 0; R < Data.size(); ++R)
      for (int C = 0; C < Cols; ++C) D.SetElem(C + 1, R + 1, Data[R][C]);
    benchmark::DoNotOptimize(D.NrOfRows());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0) * Cols);
}
BENCHMARK(BM_RLDataSetElem)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_QStandardItemModelRows(benchmark::State& State) {
  const auto& Data = Rows(int(State.range(0)));
  for (auto _ : State) {
    QStandardItemModel M(int(Data.size()), Cols);
    for (int R = 0; R < Data.size(); ++R)
      for (int C = 0; C < Cols; ++C) M.setItem(R, C, new QStandardItem(Data[R][C]));
    benchmark::DoNotOptimize(M.rowCount());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0) * Cols);
}
BENCHMARK(BM_QStandardItemModelRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
