// One paint of the report list view at 10^3, 10^5 and 10^6 rows x 5 columns,
// scrolled to the middle of the list, beside a QTableView paint over a
// QStandardItemModel holding the same texts. Both draw into an RGB32 image of
// the same size; the view's cost must not grow with the number of rows. The
// scrolls by one row and by a page are measured against the same peer paint,
// the page both back and forth (texts drawn before) and down to rows never
// shown (every text new to the view); by one column sideways; and the
// current row moved by key.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QKeyEvent>
#include <QTableView>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "replist/qor_replist.h"

namespace {

constexpr int Cols = 5;
constexpr int ViewWidth = 600, ViewHeight = 400;

QString CellText(int Col, int Row) {
  switch (Col) {
    case 1: return QStringLiteral("Item %1").arg(Row);
    case 2: return QString::number(Row * 37 % 100000);
    case 3: return QStringLiteral("Store %1").arg(QChar(char16_t('A' + Row % 26)));
    case 4: return QString::number(double(Row % 997) / 7.0, 'f', 3);
    default: return QStringLiteral("note %1").arg(Row % 113);
  }
}

qor::TReportListView& View(int Rows) {
  static std::map<int, std::unique_ptr<qor::TReportListView>> Views;
  auto& V = Views[Rows];
  if (!V) {
    V = std::make_unique<qor::TReportListView>();
    V->resize(ViewWidth, ViewHeight);
    V->SetSuppressPaint(true);
    V->SetNrCols(Cols);
    V->SetNrRows(Rows);
    V->SetColumnCheckMode(5, qor::cmBox);
    for (int R = 1; R <= Rows; ++R)
      for (int C = 1; C <= Cols; ++C) V->SetElem(C, R, CellText(C, R));
    for (int R = 1; R <= Rows; R += 3) V->SetRowSelected(R, true);
    V->SetColumnAlignment(2, qor::taRightJustify);
    V->SetTopRow(Rows / 2);
    V->SetSuppressPaint(false);
  }
  return *V;
}

struct TTable {
  QStandardItemModel Model;
  QTableView Table;
};

TTable& Table(int Rows) {
  static std::map<int, std::unique_ptr<TTable>> Tables;
  auto& T = Tables[Rows];
  if (!T) {
    T = std::make_unique<TTable>();
    T->Model.setColumnCount(Cols);
    T->Model.setRowCount(Rows);
    for (int R = 0; R < Rows; ++R)
      for (int C = 0; C < Cols; ++C) T->Model.setItem(R, C, new QStandardItem(CellText(C + 1, R + 1)));
    T->Table.setModel(&T->Model);
    T->Table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    T->Table.verticalHeader()->setDefaultSectionSize(24);
    T->Table.resize(ViewWidth, ViewHeight);
    T->Table.scrollTo(T->Model.index(Rows / 2, 0), QAbstractItemView::PositionAtTop);
  }
  return *T;
}

void BM_ReportListViewPaint(benchmark::State& State) {
  qor::TReportListView& V = View(int(State.range(0)));
  for (auto _ : State) {
    V.Invalidate();
    benchmark::DoNotOptimize(V.ScreenImage().constBits());
  }
}

// One column sideways and back, with the columns widened to twice the view.
void ScrollSideways(benchmark::State& State, qor::TReportListView& V) {
  std::vector<int> Widths;
  for (int C = 1; C <= Cols; ++C) {
    Widths.push_back(V.ColWidths(C));
    V.SetColWidths(C, 2 * ViewWidth / Cols);
  }
  V.SetLeftCol(2);
  V.SetLeftCol(1);
  QCoreApplication::processEvents();
  int K = 0;
  for (auto _ : State) {
    V.SetLeftCol(1 + (++K % 2));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  V.SetLeftCol(1);
  for (int C = 1; C <= Cols; ++C) V.SetColWidths(C, Widths[std::size_t(C - 1)]);
}

// The current row one down and back up by key, inside the view: the row
// selection follows it.
void MoveByKeys(benchmark::State& State, qor::TReportListView& V) {
  V.SetSelection({V.Col(), V.TCustomGrid::TopRow() + 2, V.Col(), V.TCustomGrid::TopRow() + 2});
  QCoreApplication::processEvents();
  int K = 0;
  for (auto _ : State) {
    QKeyEvent Press(QEvent::KeyPress, ++K % 2 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(&V, &Press);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
}

// A scroll as an application sees it: the new top row, then the repaint Qt
// performs for the region the view asked for (shown on the offscreen screen,
// its backing store flushed). Scrolls alternate in direction, so every one
// moves by the same amount from the middle of the list.
void ScrollLoop(benchmark::State& State, int Rows) {
  qor::TReportListView& V = View(Rows);
  V.show();
  QCoreApplication::processEvents();
  if (State.range(1) == 3) {
    ScrollSideways(State, V);
    V.hide();
    return;
  }
  if (State.range(1) == 4) {
    MoveByKeys(State, V);
    V.hide();
    return;
  }
  const int Base = V.TopRow(), By = State.range(1) ? V.VisibleRowCount() : 1;
  // Both pages once before the loop: their texts' glyphs are loaded.
  V.SetTopRow(Base + By);
  V.SetTopRow(Base);
  QCoreApplication::processEvents();
  int K = 0;
  if (State.range(1) == 2) {
    // Pages never shown before: down the list from the top, over again at the end.
    const int Pages = std::max(1, (Rows - By) / By);
    for (auto _ : State) {
      V.SetTopRow(1 + (++K % Pages) * By);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
  } else {
    for (auto _ : State) {
      V.SetTopRow(Base + (++K % 2) * By);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
  }
  V.hide();
}

// range(1): 0 scrolls by one row, 1 by a page back and forth, 2 by a page
// down to rows not shown before, 3 by one column sideways; 4 moves the
// current row by key within the view.
void BM_ReportListViewScroll(benchmark::State& State) { ScrollLoop(State, int(State.range(0))); }

void BM_QTableViewPaint(benchmark::State& State) {
  TTable& T = Table(int(State.range(0)));
  QImage Image(ViewWidth, ViewHeight, QImage::Format_RGB32);
  for (auto _ : State) {
    T.Table.render(&Image);
    benchmark::DoNotOptimize(Image.constBits());
  }
}

}  // namespace

BENCHMARK(BM_ReportListViewPaint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReportListViewScroll)
    ->ArgsProduct({{1000, 100000, 1000000}, {0, 1, 2, 3, 4}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTableViewPaint)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
