// The table editor beside a QTableView over a model serving the same doubles
// (formatted with QString::number):
//   - one paint after a one-row scroll at 10^3, 10^5 and 10^6 rows x 10 columns
//     (the editor's cost must not grow with the rows);
//   - copying and pasting a block of 10^5 cells (the peer: the model's texts
//     joined with tabs, then split and converted back through setData);
//   - extracting 10^6 numbers from clipboard text beside a QString::split +
//     toDouble loop;
//   - the table's memory per cell (counter bytes_per_cell).
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>

#include "ntabed/qor_ntabed.h"

namespace {

constexpr int Cols = 10;
constexpr int ViewWidth = 700, ViewHeight = 400;

double Value(int Col, int Row) { return (Row * 31 + Col * 7) % 10007 / 7.0; }

// A model serving the doubles of a plain matrix (column-major, as the table keeps them).
class TDoubleModel : public QAbstractTableModel {
 public:
  explicit TDoubleModel(int Rows) : FRows(Rows), FData(size_t(Rows) * Cols) {
    for (int C = 0; C < Cols; ++C)
      for (int R = 0; R < Rows; ++R) FData[size_t(C) * size_t(Rows) + size_t(R)] = Value(C + 1, R + 1);
  }
  int rowCount(const QModelIndex& = {}) const override { return FRows; }
  int columnCount(const QModelIndex& = {}) const override { return Cols; }
  QVariant data(const QModelIndex& I, int Role) const override {
    if (Role != Qt::DisplayRole) return {};
    return QString::number(FData[size_t(I.column()) * size_t(FRows) + size_t(I.row())], 'f', 3);
  }
  bool setData(const QModelIndex& I, const QVariant& V, int Role) override {
    if (Role != Qt::EditRole) return false;
    FData[size_t(I.column()) * size_t(FRows) + size_t(I.row())] = V.toDouble();
    return true;
  }
  Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled | Qt::ItemIsEditable; }

 private:
  int FRows;
  std::vector<double> FData;
};

qor::TNTabEd& Editor(int Rows) {
  static std::map<int, std::unique_ptr<qor::TNTabEd>> Editors;
  auto& E = Editors[Rows];
  if (!E) {
    E = std::make_unique<qor::TNTabEd>();
    E->resize(ViewWidth, ViewHeight);
    E->SetSuppressPaint(true);
    E->Redimension(Cols, Rows);
    qor::TMatrix& M = E->Data()->Matrix();
    for (int C = 1; C <= Cols; ++C)
      for (int R = 1; R <= Rows; ++R) M.Set(C, R, Value(C, R));
    E->SetTopRow(Rows / 2);
    E->SetSuppressPaint(false);
  }
  return *E;
}

struct TPeer {
  explicit TPeer(int Rows) : Model(Rows) {
    Table.setModel(&Model);
    Table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Table.verticalHeader()->setDefaultSectionSize(24);
    Table.resize(ViewWidth, ViewHeight);
    Table.scrollTo(Model.index(Rows / 2, 0), QAbstractItemView::PositionAtTop);
  }
  TDoubleModel Model;
  QTableView Table;
};

TPeer& Peer(int Rows) {
  static std::map<int, std::unique_ptr<TPeer>> Peers;
  auto& P = Peers[Rows];
  if (!P) P = std::make_unique<TPeer>(Rows);
  return *P;
}

void BM_NTabEdPaintAfterScroll(benchmark::State& State) {
  qor::TNTabEd& E = Editor(int(State.range(0)));
  const int Top = E.NrOfRows() / 2;
  int Step = 0;
  for (auto _ : State) {
    E.SetTopRow(Top + (++Step & 1));
    benchmark::DoNotOptimize(E.ScreenImage().constBits());
  }
}

void BM_QTableViewPaintAfterScroll(benchmark::State& State) {
  TPeer& P = Peer(int(State.range(0)));
  QImage Image(ViewWidth, ViewHeight, QImage::Format_RGB32);
  QScrollBar* Bar = P.Table.verticalScrollBar();
  const int Top = Bar->value();
  int Step = 0;
  for (auto _ : State) {
    Bar->setValue(Top + (++Step & 1));
    P.Table.render(&Image);
    benchmark::DoNotOptimize(Image.constBits());
  }
}

// 10^4 rows x 10 columns = 10^5 cells, copied from the top and pasted below.
constexpr int BlockRows = 10000;

void BM_NTabEdCopyPasteBlock(benchmark::State& State) {
  qor::TNTabEd& E = Editor(100000);
  E.SetClipboardUseFullPrec(false);
  for (auto _ : State) {
    E.SetSelection({2, 1, Cols + 1, BlockRows});
    E.CopySelection();
    E.SetSelection({2, 50001, 2, 50001});
    E.PasteBlock();
  }
  State.SetItemsProcessed(State.iterations() * BlockRows * Cols);
}

void BM_QTableViewCopyPasteBlock(benchmark::State& State) {
  TPeer& P = Peer(100000);
  for (auto _ : State) {
    QString Text;
    for (int R = 0; R < BlockRows; ++R) {
      for (int C = 0; C < Cols; ++C) {
        if (C) Text += QLatin1Char('\t');
        Text += P.Model.data(P.Model.index(R, C), Qt::DisplayRole).toString();
      }
      Text += QLatin1String("\r\n");
    }
    const QStringList Lines = Text.split(QLatin1String("\r\n"), Qt::SkipEmptyParts);
    for (int R = 0; R < Lines.size(); ++R) {
      const QStringList Cells = Lines[R].split(QLatin1Char('\t'));
      for (int C = 0; C < Cells.size(); ++C)
        P.Model.setData(P.Model.index(50000 + R, C), Cells[C].toDouble(), Qt::EditRole);
    }
  }
  State.SetItemsProcessed(State.iterations() * BlockRows * Cols);
}

// 10^6 numbers: 10^5 lines of 10 tab-separated values.
const QString& ClipText() {
  static const QString Text = [] {
    QString T;
    for (int R = 1; R <= 100000; ++R) {
      for (int C = 1; C <= Cols; ++C) {
        T += C == 1 ? QLatin1Char(' ') : QLatin1Char('\t');
        T += QString::number(Value(C, R) - 700, 'g', 12);
      }
      T += QLatin1String("\r\n");
    }
    return T;
  }();
  return Text;
}

void BM_NTabEdExtractNumbers(benchmark::State& State) {
  const QString& Text = ClipText();
  for (auto _ : State) {
    double Sum = 0;
    qor::ScanClipNumbers(Text, [&](int, int, double V) { Sum += V; });
    benchmark::DoNotOptimize(Sum);
  }
  State.SetItemsProcessed(State.iterations() * 1000000);
}

void BM_SplitToDoubleNumbers(benchmark::State& State) {
  const QString& Text = ClipText();
  for (auto _ : State) {
    double Sum = 0;
    const QStringList Lines = Text.split(QLatin1Char('\n'));
    for (const QString& Line : Lines)
      for (const QString& Cell : Line.split(QLatin1Char('\t'), Qt::SkipEmptyParts)) Sum += Cell.trimmed().toDouble();
    benchmark::DoNotOptimize(Sum);
  }
  State.SetItemsProcessed(State.iterations() * 1000000);
}

// Bytes the heap hands out (glibc's count), or, where another allocator
// stands in (sanitizers answer mallinfo2 with zeros), the resident size.
std::size_t HeapBytes() {
  const struct mallinfo2 I = mallinfo2();
  return I.uordblks + I.hblkhd;
}

std::size_t ResidentBytes() {
  long Size = 0, Resident = 0;
  if (FILE* F = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(F, "%ld %ld", &Size, &Resident) != 2) Resident = 0;
    std::fclose(F);
  }
  return std::size_t(Resident) * std::size_t(sysconf(_SC_PAGESIZE));
}

void BM_NTabEdMemoryPerCell(benchmark::State& State) {
  constexpr double Cells = double(Cols) * 1e6;
  for (auto _ : State) {
    const std::size_t HeapBefore = HeapBytes(), ResidentBefore = ResidentBytes();
    auto* T = new qor::TDataTable;
    T->Resize(Cols, 1000000);  // every element and state written (zeroed)
    const std::size_t Heap = HeapBytes() - HeapBefore, Resident = ResidentBytes() - ResidentBefore;
    State.counters["bytes_per_cell"] = double(Heap > 0 ? Heap : Resident) / Cells;
    State.counters["heap_counted"] = Heap > 0 ? 1 : 0;
    delete T;
  }
}

}  // namespace

BENCHMARK(BM_NTabEdPaintAfterScroll)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTableViewPaintAfterScroll)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NTabEdCopyPasteBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableViewCopyPasteBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NTabEdExtractNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitToDoubleNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NTabEdMemoryPerCell)->Iterations(1)->Unit(benchmark::kMillisecond);
