// The data table: sorting N rows by a column (every exchange moves the whole
// row and is reported) beside std::stable_sort of the same rows held as a
// std::vector of row arrays, and inserting a column into an N-row table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <vector>

#include "foundation/qor_datatable.h"

namespace {

constexpr int Columns = 4;

std::vector<double> Keys(int N) {
  std::vector<double> K(static_cast<std::size_t>(N));
  std::uint32_t Seed = 2024;
  for (double& V : K) {
    Seed = Seed * 1664525u + 1013904223u;
    V = static_cast<double>(Seed >> 8) / 1000.0;
  }
  return K;
}

void Load(qor::TDataTable& T, const std::vector<double>& K) {
  const int N = static_cast<int>(K.size());
  T.Resize(Columns, N);
  for (int R = 1; R <= N; ++R)
    for (int C = 1; C <= Columns; ++C) T.Matrix().At(C, R) = C == 1 ? K[R - 1] : R;
}

void BM_DataTableSortRows(benchmark::State& State) {
  const std::vector<double> K = Keys(static_cast<int>(State.range(0)));
  qor::TDataTable T;
  int Exchanges = 0;
  T.OnSortExchange = [&](qor::TObject*, int, int, int) { ++Exchanges; };
  for (auto _ : State) {
    State.PauseTiming();
    Load(T, K);
    State.ResumeTiming();
    T.SortRows(1, true, 1, 1, Columns, T.NrOfRows(), true);
  }
  benchmark::DoNotOptimize(Exchanges);
  State.SetItemsProcessed(State.iterations() * State.range(0));
}

void BM_StdStableSortRows(benchmark::State& State) {
  const std::vector<double> K = Keys(static_cast<int>(State.range(0)));
  using TRow = std::array<double, Columns>;
  std::vector<TRow> Rows(K.size());
  for (auto _ : State) {
    State.PauseTiming();
    for (std::size_t R = 0; R < K.size(); ++R) Rows[R] = {K[R], double(R), double(R), double(R)};
    State.ResumeTiming();
    std::stable_sort(Rows.begin(), Rows.end(),
                     [](const TRow& A, const TRow& B) { return A[0] < B[0]; });
  }
  benchmark::DoNotOptimize(Rows.data());
  State.SetItemsProcessed(State.iterations() * State.range(0));
}

void BM_DataTableInsertColumn(benchmark::State& State) {
  qor::TDataTable T;
  Load(T, Keys(static_cast<int>(State.range(0))));
  for (auto _ : State) {
    T.InsertColumn(1);
    T.RemoveColumn(1);
  }
  State.SetItemsProcessed(State.iterations() * State.range(0));
}

}  // namespace

BENCHMARK(BM_DataTableSortRows)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdStableSortRows)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataTableInsertColumn)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
