// The string table: sorting 10^5 and 10^6 rows (the two should differ by
// about n log n, a factor of 12), beside std::stable_sort on a
// std::vector<QString> with the same comparison, and the memory of 10^6 x 5
// short cells.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QString>
#include <algorithm>
#include <vector>

#include "foundation/qor_dstruct.h"

namespace {

constexpr int Rows = 1000000;

// Deterministic short texts: a mix of words in both cases and numbers.
std::vector<QString> MakeTexts(int N) {
  std::vector<QString> Texts;
  Texts.reserve(N);
  std::uint32_t Seed = 12345;
  const auto Next = [&] {
    Seed = Seed * 1664525u + 1013904223u;
    return Seed >> 8;
  };
  for (int I = 0; I < N; ++I) {
    if (I % 4 == 3) {
      Texts.push_back(QString::number(int(Next() % 2000000) - 1000000));
      continue;
    }
    QString S;
    const int Len = 5 + int(Next() % 6);
    for (int K = 0; K < Len; ++K) {
      const char Base = (Next() & 1) ? 'a' : 'A';
      S += QChar(char16_t(Base + Next() % 26));
    }
    Texts.push_back(S);
  }
  return Texts;
}

const std::vector<QString>& Texts() {
  static const std::vector<QString> T = MakeTexts(Rows);
  return T;
}

void BM_StringArraySort(benchmark::State& State) {
  const int N = int(State.range(0));
  qor::TStringArray Table;
  Table.Resize(1, N);
  for (int R = 0; R < N; ++R) Table.SetString(1, R + 1, Texts()[R]);
  for (auto _ : State) {
    Table.Sort(1, -1, true);
    State.PauseTiming();
    Table.UnSort();
    State.ResumeTiming();
  }
  State.SetItemsProcessed(State.iterations() * N);
}
BENCHMARK(BM_StringArraySort)->Arg(100000)->Arg(Rows)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same order: numbers by value, other texts by the locale's collation
// ignoring case, empty first, stable.
void BM_StdStableSortSameComparison(benchmark::State& State) {
  const QCollator Collator = qor::CellCollator();
  for (auto _ : State) {
    State.PauseTiming();
    std::vector<QString> V = Texts();
    State.ResumeTiming();
    std::stable_sort(V.begin(), V.end(), [&](const QString& A, const QString& B) {
      return qor::CompareCellTexts(A, B, Collator) < 0;
    });
    benchmark::DoNotOptimize(V.data());
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_StdStableSortSameComparison)->Unit(benchmark::kMillisecond)->Iterations(1);

// For scale only: a cheaper order (code points ignoring case, no numbers).
void BM_StdStableSortPlainCaseInsensitive(benchmark::State& State) {
  for (auto _ : State) {
    State.PauseTiming();
    std::vector<QString> V = Texts();
    State.ResumeTiming();
    std::stable_sort(V.begin(), V.end(), [](const QString& A, const QString& B) {
      return A.compare(B, Qt::CaseInsensitive) < 0;
    });
    benchmark::DoNotOptimize(V.data());
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}
BENCHMARK(BM_StdStableSortPlainCaseInsensitive)->Unit(benchmark::kMillisecond)->Iterations(3);

// Heap bytes per cell of 10^6 rows x 5 columns of short texts, measured by
// the allocator (everything the table holds, malloc overhead included).
void BM_StringArrayBytesPerCell(benchmark::State& State) {
  constexpr int Cols = 5;
  double PerCell = 0, Reported = 0;
  for (auto _ : State) {
    const std::size_t Before = mallinfo2().uordblks;
    auto Table = std::make_unique<qor::TStringArray>();
    Table->Resize(Cols, Rows);
    for (int R = 1; R <= Rows; ++R)
      for (int C = 1; C <= Cols; ++C) Table->SetString(C, R, Texts()[(R * 7 + C) % Rows]);
    const std::size_t After = mallinfo2().uordblks;
    PerCell = double(After - Before) / (double(Rows) * Cols);
    Reported = double(Table->MemoryUsed()) / (double(Rows) * Cols);
  }
  State.counters["bytes_per_cell"] = PerCell;
  State.counters["bytes_per_cell_reported"] = Reported;
}
BENCHMARK(BM_StringArrayBytesPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same texts as one QString per cell, for comparison.
void BM_QStringVectorBytesPerCell(benchmark::State& State) {
  constexpr int Cols = 5;
  double PerCell = 0;
  for (auto _ : State) {
    const std::size_t Before = mallinfo2().uordblks;
    std::vector<QString> Cells(std::size_t(Rows) * Cols);
    for (int R = 0; R < Rows; ++R)
      for (int C = 0; C < Cols; ++C) {
        const QString& T = Texts()[((R + 1) * 7 + C + 1) % Rows];
        Cells[std::size_t(R) * Cols + C] = QString(T.constData(), T.size());  // a copy of its own
      }
    PerCell = double(mallinfo2().uordblks - Before) / (double(Rows) * Cols);
  }
  State.counters["bytes_per_cell"] = PerCell;
}
BENCHMARK(BM_QStringVectorBytesPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
