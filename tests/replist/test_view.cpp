#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <array>
#include <cmath>
#include <map>

#include "replist/qor_replist.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;

namespace {

// A view that counts the paints that actually draw.
struct TView : TReportListView {
  TView() {
    resize(420, 260);
    SetNrCols(3);
    SetNrRows(6);
  }
  void Paint() override {
    if (!SuppressPaint()) ++Paints;
    TReportListView::Paint();
  }
  int Paints = 0;
  using TCustomGrid::CellRect;
};

// Rectangle of data cell (Col, Row) in widget coordinates.
QRect DataRect(const TView& V, int Col, int Row) {
  return V.CellRect(Col - 1, Row + V.CountHeadRows() - 1);
}

QRect HeaderRect(const TView& V, int Col) {
  return V.CellRect(Col - 1, V.CommonHeaderVisible() ? 1 : 0);
}

void Click(TView& V, const QPoint& P, Qt::KeyboardModifiers M = Qt::NoModifier) {
  QTest::mouseClick(&V, Qt::LeftButton, M, P);
}

QPoint Inside(const QRect& R, int Dx = 30) { return QPoint(R.left() + Dx, R.center().y()); }

void FillNames(TView& V, const QStringList& Names) {
  V.SetNrRows(int(Names.size()));
  for (int I = 0; I < Names.size(); ++I) V.SetElem(1, I + 1, Names[I]);
}

// A shown view with texts in every cell, every SelectEvery-th row selected
// from row 2 on, shading and a check-box column; painting stays suppressed for
// the caller's own settings.
void FillDecorated(TView& V, int Cols, int Rows, int SelectEvery, int CheckCol) {
  test::ShowAndWait(V);
  V.SetSuppressPaint(true);
  V.SetNrCols(Cols);
  V.SetNrRows(Rows);
  for (int C = 1; C <= Cols; ++C)
    for (int R = 1; R <= Rows; ++R) V.SetElem(C, R, QStringLiteral("c%1 r%2").arg(C).arg(R));
  for (int R = 2; R <= Rows; R += SelectEvery) V.SetRowSelected(R, true);
  V.SetColumnCheckMode(CheckCol, cmBox);
  V.SetColorBkgdShaded(0xE0E0F0);
}

// After a change made at the paint count PaintsBefore: whether the view
// painted itself whole for it, and how its picture differs from a full paint.
struct TRepaintCheck {
  bool Full;
  std::string Diff;
};

TRepaintCheck CheckAgainstFullPaint(TView& V, int PaintsBefore) {
  const QImage Partial = test::Picture(V);
  const bool Full = V.Paints != PaintsBefore;
  V.Invalidate();
  return {Full, test::DiffText(Partial, test::Picture(V))};
}

}  // namespace

TEST(ReportListView, NewViewHasTheGridsInitialCounts) {
  TReportListView V;
  EXPECT_EQ(V.NrOfColumns(), 5);
  EXPECT_EQ(V.NrOfRows(), 4);
  EXPECT_EQ(V.ColCount(), 5);
  EXPECT_EQ(V.RowCount(), 5);
  EXPECT_EQ(V.FixedRows(), 1);
  EXPECT_EQ(V.FixedCols(), 0);
  EXPECT_FALSE(V.CommonHeaderVisible());
  EXPECT_TRUE(V.ColumnHeadersVisible());
  EXPECT_EQ(V.RowHeights(0), 24);  // keeps the grid default until a header height is set
  EXPECT_EQ(V.TopRow(), 1);
  EXPECT_EQ(V.Options(), host::goFixedVertLine | host::goFixedHorzLine | host::goColSizing |
                             host::goRowSelect | host::goThumbTracking);
  EXPECT_FALSE(V.SuppressPaint());
  V.SetCommonHeaderHeight(200);
  EXPECT_EQ(V.CommonHeaderHeight(), 127);
  V.SetCommonHeaderHeight(3);
  EXPECT_EQ(V.CommonHeaderHeight(), 8);
  V.SetColumnHeadersHeight(30);
  EXPECT_EQ(V.RowHeights(0), 30);
}

TEST(ReportListView, HeaderVisibilityMapsRows) {
  TView V;
  V.SetCommonHeaderVisible(true);
  EXPECT_EQ(V.FixedRows(), 2);
  EXPECT_EQ(V.RowCount(), 8);
  EXPECT_EQ(V.RowHeights(0), 20);
  EXPECT_EQ(V.RowHeights(1), 20);
  V.SetColumnHeadersVisible(false);
  V.SetCommonHeaderVisible(false);
  EXPECT_EQ(V.FixedRows(), 0);
  V.SetNrRows(0);
  EXPECT_EQ(V.RowCount(), 1);  // an empty list keeps one blank grid row
  V.SetColumnHeadersVisible(true);
  EXPECT_EQ(V.RowCount(), 2);
  V.SetNrRows(3);
  V.SetCommonHeaderVisible(true);
  EXPECT_EQ(V.MouseCell(5, 5).Y, -2);
  EXPECT_EQ(V.MouseCell(5, V.CellRect(0, 1).center().y()).Y, -1);
  EXPECT_EQ(V.MouseCell(DataRect(V, 2, 3).center().x(), DataRect(V, 2, 3).center().y()),
            (TGridCoord{2, 3}));
}

TEST(ReportListView, NewColumnsKeepTheLastColumnsWidth) {
  TView V;
  V.SetColWidths(3, 300);
  int Setups = 0;
  V.OnChangeSetup = [&](TObject*) { ++Setups; };
  V.SetNrCols(5);
  EXPECT_EQ(V.ColWidths(5), 300);
  EXPECT_EQ(V.ColWidths(4), 64);
  EXPECT_EQ(V.ColWidths(0), 0);
  EXPECT_EQ(Setups, 1);
  V.SetColWidths(9, 50);  // ignored, still reported
  EXPECT_EQ(Setups, 2);
}

TEST(ReportListView, ShadingPatternAndSelectionColours) {
  TView V;
  V.SetRowColPattern(2);
  QImage Img = test::Picture(V);
  const auto Bkg = [&](int Row) {
    const QRect R = DataRect(V, 2, Row);
    return test::PixelAt(Img, R.right() - 2, R.bottom() - 1);
  };
  EXPECT_EQ(Bkg(1), V.ColorBkgdShaded());
  EXPECT_EQ(Bkg(2), V.ColorBkgdShaded());
  EXPECT_EQ(Bkg(3), V.ColorBkgdNormal());
  EXPECT_EQ(Bkg(4), V.ColorBkgdNormal());
  EXPECT_EQ(Bkg(5), V.ColorBkgdShaded());
  V.SetRowColPattern(0);
  V.SetRowSelected(3, true);
  V.SetRowEnabled(4, false);
  V.SetRowSelected(4, true);
  V.SetHighLightRow(4);
  Img = test::Picture(V);
  EXPECT_EQ(Bkg(1), V.ColorBkgdNormal());
  EXPECT_EQ(Bkg(3), V.ColorSelectedRow());
  EXPECT_EQ(Bkg(4), V.ColorDisabledBkgd());  // a disabled row ignores selection and highlight
  V.SetHighLightRow(5);
  EXPECT_EQ(Bkg(5), V.ColorBkgdNormal());  // the picture is not repainted until shown
  Img = test::Picture(V);
  EXPECT_EQ(Bkg(5), V.ColorHigh());
}

TEST(ReportListView, CheckBoxesAndRadioButtonsPixels) {
  TView V;
  V.SetColumnCheckMode(1, cmBox);
  V.SetColumnCheckMode(2, cmRadio);
  V.SetElem(1, 1, "one");
  V.SetElemChecked(1, 1, true);
  V.SetElemChecked(2, 2, true);
  QImage Img = test::Picture(V);
  const QRect B1 = DataRect(V, 1, 1), B2 = DataRect(V, 1, 2), R2 = DataRect(V, 2, 2);
  // Box outline in button shadow from (L+4, T+4); the tick in the text colour.
  EXPECT_EQ(test::PixelAt(Img, B1.left() + 4, B1.top() + 4), ColorToRGB(clBtnShadow));
  EXPECT_EQ(test::PixelAt(Img, B1.left() + 6, B1.top() + 8), V.ColorText());
  EXPECT_EQ(test::PixelAt(Img, B1.left() + 12, B1.top() + 6), V.ColorText());
  // An empty box cell shows an empty box only with ShowEmptyCheckBoxes.
  EXPECT_EQ(test::PixelAt(Img, B2.left() + 4, B2.top() + 4), ColorToRGB(clBtnShadow));
  EXPECT_EQ(test::PixelAt(Img, B2.left() + 6, B2.top() + 8), V.ColorBkgdNormal());
  // The radio dot spans (L+7..L+11, T+8..T+10).
  EXPECT_EQ(test::PixelAt(Img, R2.left() + 9, R2.top() + 9), V.ColorText());
  EXPECT_EQ(test::PixelAt(Img, R2.left() + 7, R2.top() + 8), V.ColorText());
  V.SetShowEmptyCheckBoxes(false);
  Img = test::Picture(V);
  EXPECT_EQ(test::PixelAt(Img, B2.left() + 4, B2.top() + 4), V.ColorBkgdNormal());
  EXPECT_EQ(test::PixelAt(Img, B1.left() + 4, B1.top() + 4), ColorToRGB(clBtnShadow));
}

TEST(ReportListView, HeaderEdgesAndSortIndicator) {
  TView V;
  V.Sort(2, -1, true);
  QImage Img = test::Picture(V);
  const QRect H = HeaderRect(V, 2);
  EXPECT_EQ(test::PixelAt(Img, H.left(), H.top() + 5), clWhite);
  EXPECT_EQ(test::PixelAt(Img, H.left() + 5, H.top()), clWhite);
  EXPECT_EQ(test::PixelAt(Img, H.left() + 5, H.bottom()), clGray);
  // Ascending: a triangle pointing up, its base white at y + 3.
  QFontMetrics M(V.Font().ToQFont());
  const int W = M.horizontalAdvance(V.Header(2));
  const int X = H.left() + 4 + std::min(W + 10, V.ColWidths(2) - 11);
  const int Y = H.top() + 2 + M.height() / 2;
  EXPECT_EQ(test::PixelAt(Img, X, Y + 3), clWhite);
  EXPECT_EQ(test::PixelAt(Img, X - 3, Y + 1), clGray);
  V.Sort(2, -1, false);
  Img = test::Picture(V);
  EXPECT_EQ(test::PixelAt(Img, X, Y - 3), clGray);
  EXPECT_EQ(test::PixelAt(Img, X + 4, Y - 3), clWhite);
}

TEST(ReportListView, EmptyListShowsTheMessageCentredOnLines) {
  TView V;
  V.SetNrRows(0);
  V.SetEmptyMessage("Nothing|here");
  V.SetColorEmptyMsg(clRed);
  const QImage Img = test::Picture(V);
  std::vector<int> Rows;
  int MinX = V.width(), MaxX = 0;
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X)
      if (test::PixelAt(Img, X, Y) == clRed) {
        if (Rows.empty() || Rows.back() != Y) Rows.push_back(Y);
        MinX = std::min(MinX, X);
        MaxX = std::max(MaxX, X);
      }
  ASSERT_FALSE(Rows.empty());
  const int LineHeight = QFontMetrics(V.Font().ToQFont()).height();
  EXPECT_GT(Rows.back() - Rows.front(), LineHeight);  // two lines
  EXPECT_NEAR((MinX + MaxX) / 2, V.width() / 2, 3);
  // Below the header the background is the control colour.
  EXPECT_EQ(test::PixelAt(Img, 10, V.height() - 10), ColorToRGB(V.Color()));
}

TEST(ReportListView, InsertionIndicatorMarksTheUpperEdgeOfItsRow) {
  TView V;
  V.SetInterRowIndicatorPos(3);
  const QImage Img = test::Picture(V);
  const int Y = V.ClientTop() + V.RowHeights(0) + 2 * 25;
  EXPECT_EQ(test::PixelAt(Img, 100, Y), clRed);
  EXPECT_EQ(test::PixelAt(Img, 100, Y + 5), V.ColorBkgdShaded());
}

TEST(ReportListView, HeaderClicksSortWithTheSharedToggleAndKeepTheRecord) {
  TView V;
  FillNames(V, {"b", "d", "a", "c"});
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 1, 2)));  // "d"
  ASSERT_TRUE(V.RowSelected(2));
  Click(V, Inside(HeaderRect(V, 1)));
  EXPECT_EQ(V.LastSortColumn(), 1);
  EXPECT_FALSE(V.LastSortOrder());
  EXPECT_EQ(V.Elem(1, 1), "d");
  EXPECT_EQ(V.Row(), 1);  // the same record stays current
  Click(V, Inside(HeaderRect(V, 2)));
  EXPECT_EQ(V.LastSortColumn(), 2);
  EXPECT_TRUE(V.LastSortOrder());
  Click(V, Inside(HeaderRect(V, 1)));
  EXPECT_FALSE(V.LastSortOrder());
  EXPECT_EQ(V.Elem(1, 4), "a");
  // Near a column border nothing is sorted.
  const QRect H = HeaderRect(V, 2);
  Click(V, QPoint(H.left() + 3, H.center().y()));
  Click(V, QPoint(H.right() - 3, H.center().y()));
  EXPECT_EQ(V.LastSortColumn(), 1);
  V.SetSortEnabled(false);
  Click(V, Inside(HeaderRect(V, 2)));
  EXPECT_EQ(V.LastSortColumn(), 1);
}

TEST(ReportListView, CheckBoxClicksAndBothEvents) {
  TView V;
  V.SetColumnCheckMode(1, cmRadio);
  V.SetColumnCheckMode(2, cmBox);
  V.SetElemChecked(1, 2, true);
  std::vector<std::pair<bool, int>> Before, After;
  V.OnBeforeCheckedChange = [&](TObject*, bool& S, int, int R) { Before.push_back({S, R}); };
  V.OnCheckedChange = [&](TObject*, bool& S, int, int R) { After.push_back({S, R}); };
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 1, 2), 8));  // already checked radio
  EXPECT_TRUE(V.ElemChecked(1, 2));
  ASSERT_EQ(After.size(), 1u);
  EXPECT_EQ(Before[0], std::make_pair(false, 2));
  EXPECT_EQ(After[0], std::make_pair(true, 2));
  Click(V, Inside(DataRect(V, 1, 4), 8));
  EXPECT_EQ(V.FirstCheckedElemInCol(1), 4);
  EXPECT_EQ(V.CountCheckedElemsInCol(1), 1);
  // A handler that restores the old state leaves a box unchanged.
  V.OnBeforeCheckedChange = [](TObject*, bool& S, int, int) { S = !S; };
  Click(V, Inside(DataRect(V, 2, 3), 8));
  EXPECT_FALSE(V.ElemChecked(2, 3));
  V.OnBeforeCheckedChange = nullptr;
  Click(V, Inside(DataRect(V, 2, 3), 8));
  EXPECT_TRUE(V.ElemChecked(2, 3));
  // Beyond 18 pixels, on a disabled row, or with read-only marks: no toggle.
  Click(V, Inside(DataRect(V, 2, 3), 25));
  EXPECT_TRUE(V.ElemChecked(2, 3));
  V.SetRowEnabled(5, false);
  Click(V, Inside(DataRect(V, 2, 5), 8));
  EXPECT_FALSE(V.ElemChecked(2, 5));
  V.SetCheckMarksReadOnly(true);
  Click(V, Inside(DataRect(V, 2, 6), 8));
  EXPECT_FALSE(V.ElemChecked(2, 6));
}

TEST(ReportListView, MultipleSelectionWithAnchorShiftAndCtrl) {
  TView V;
  V.SetRowSelectMode(2);
  int Changes = 0;
  V.OnSelectedChange = [&](TObject*) { ++Changes; };
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 2, 3)));
  Click(V, Inside(DataRect(V, 2, 6)), Qt::ShiftModifier);
  for (int R = 1; R <= 6; ++R) EXPECT_EQ(V.RowSelected(R), R >= 3) << R;
  Click(V, Inside(DataRect(V, 2, 1)), Qt::ShiftModifier);
  for (int R = 1; R <= 3; ++R) EXPECT_TRUE(V.RowSelected(R)) << R;
  EXPECT_EQ(V.NumSelectedRows(), 6);
  Click(V, Inside(DataRect(V, 2, 5)), Qt::ControlModifier);
  EXPECT_FALSE(V.RowSelected(5));
  EXPECT_EQ(Changes, 4);
  Click(V, Inside(DataRect(V, 2, 2)));
  EXPECT_EQ(V.NumSelectedRows(), 1);
  // Shift copies the selected state only; the disabled bit stays where it was.
  V.SetRowEnabled(4, false);
  Click(V, Inside(DataRect(V, 2, 5)), Qt::ShiftModifier);
  EXPECT_EQ(V.NumSelectedRows(), 4);
  EXPECT_TRUE(V.RowEnabled(2));
  EXPECT_FALSE(V.RowEnabled(4));
  // A release below the last row deselects all.
  V.SetNrRows(2);
  Click(V, Inside(DataRect(V, 2, 1)));
  Click(V, QPoint(40, V.height() - 10));
  EXPECT_EQ(V.NumSelectedRows(), 0);
}

TEST(ReportListView, PlainClicksToggleWithoutCtrlMode) {
  TView V;
  V.SetRowSelectMode(2);
  V.SetUseCtrlForMultiSel(false);
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 2, 1)));
  Click(V, Inside(DataRect(V, 2, 3)));
  Click(V, Inside(DataRect(V, 2, 1)));
  EXPECT_FALSE(V.RowSelected(1));
  EXPECT_TRUE(V.RowSelected(3));
  V.SetRowSelectMode(1);
  EXPECT_EQ(V.NumSelectedRows(), 0);
  Click(V, Inside(DataRect(V, 2, 4)));
  EXPECT_EQ(V.FirstSelectedRow(), 4);
  EXPECT_EQ(V.NumSelectedRows(), 1);
  V.SetRowSelectMode(0);
  Click(V, Inside(DataRect(V, 2, 2)));
  EXPECT_EQ(V.NumSelectedRows(), 0);
}

TEST(ReportListView, NavigationKeysSelectTheCurrentRowAndEnterAdvances) {
  TView V;
  test::ShowAndWait(V);
  V.setFocus();
  Click(V, Inside(DataRect(V, 1, 1)));
  QTest::keyClick(&V, Qt::Key_Down);
  EXPECT_TRUE(V.RowSelected(2));
  EXPECT_EQ(V.NumSelectedRows(), 1);
  QTest::keyClick(&V, Qt::Key_End);
  EXPECT_EQ(V.FirstSelectedRow(), 6);
  QTest::keyClick(&V, Qt::Key_Home);
  QTest::keyClick(&V, Qt::Key_Return);
  EXPECT_EQ(V.FirstSelectedRow(), 1);
  V.SetAutoAdvance(true);
  QTest::keyClick(&V, Qt::Key_Return);
  EXPECT_EQ(V.FirstSelectedRow(), 2);
}

TEST(ReportListView, EditableColumnsEditInPlaceExceptOnDisabledRows) {
  TView V;
  V.SetOptions(V.Options() & ~host::goRowSelect);
  V.SetColumnEditable(2, true);
  V.SetColumnCheckMode(3, cmBox);
  V.SetColumnEditable(3, true);
  V.SetElem(3, 1, "box");
  V.SetElemChecked(3, 1, true);
  V.SetRowEnabled(2, false);
  std::vector<std::pair<int, int>> SetCells;  // data column, data row
  V.OnSetEditText = [&](TObject*, int ACol, int ARow, const QString&) {
    SetCells.push_back({ACol, ARow});
  };
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 2, 1)));
  Click(V, Inside(DataRect(V, 2, 1)));
  ASSERT_TRUE(V.EditorMode());
  QTest::keyClicks(V.InplaceEditor(), "hello");
  QTest::keyClick(V.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(V.Elem(2, 1), "hello");
  EXPECT_EQ(SetCells, (std::vector<std::pair<int, int>>{{2, 1}}));
  Click(V, Inside(DataRect(V, 2, 2)));
  Click(V, Inside(DataRect(V, 2, 2)));
  EXPECT_FALSE(V.EditorMode());
  Click(V, Inside(DataRect(V, 1, 1)));
  Click(V, Inside(DataRect(V, 1, 1)));
  EXPECT_FALSE(V.EditorMode());
  // A check column edits the text and keeps the flag.
  Click(V, Inside(DataRect(V, 3, 1)));
  Click(V, Inside(DataRect(V, 3, 1)));
  ASSERT_TRUE(V.EditorMode());
  EXPECT_EQ(V.InplaceEditor()->text(), "box");
  V.InplaceEditor()->setText("crate");
  QTest::keyClick(V.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(V.Elem(3, 1), "crate");
  EXPECT_TRUE(V.ElemChecked(3, 1));
}

TEST(ReportListView, DoubleClickOnHeaderBorderFitsTheColumn) {
  TView V;
  V.SetElem(1, 2, "a rather long text in the first column");
  int DblClicks = 0;
  V.OnDblClick = [&](TObject*) { ++DblClicks; };
  test::ShowAndWait(V);
  const QRect H = HeaderRect(V, 1);
  const QPoint Border(H.right() - 1, H.center().y());
  QTest::mouseMove(&V, Border);
  QTest::mouseDClick(&V, Qt::LeftButton, Qt::NoModifier, Border);
  EXPECT_EQ(V.ColWidths(1), V.DetermineMaxColWidth(1, true));
  EXPECT_GT(V.ColWidths(1), 150);
  EXPECT_EQ(DblClicks, 0);
  const QPoint Cell = Inside(DataRect(V, 2, 2));
  QTest::mouseMove(&V, Cell);
  QTest::mouseDClick(&V, Qt::LeftButton, Qt::NoModifier, Cell);
  EXPECT_EQ(DblClicks, 1);
}

TEST(ReportListView, ColumnWidthRules) {
  TView V;
  EXPECT_EQ(V.DetermineMaxColWidth(0, true), 9);
  V.SetElem(1, 1, "wide text");
  QFontMetrics M(V.Font().ToQFont());
  EXPECT_EQ(V.DetermineMaxColWidth(1, false), M.horizontalAdvance("wide text") + 9);
  V.SetColumnCheckMode(1, cmBox);
  EXPECT_EQ(V.DetermineMaxColWidth(1, false), M.horizontalAdvance("wide text") + 16 + 9);
  V.SetHeader(1, "a much wider header text");
  V.Sort(1, -1, true);
  EXPECT_EQ(V.DetermineMaxColWidth(1, true), M.horizontalAdvance("a much wider header text") + 13 + 9);
  V.AutoColWidth(2, false, -100);
  EXPECT_EQ(V.ColWidths(2), 4);
  V.AutoColWidth(1, true, 0, 50);
  EXPECT_EQ(V.ColWidths(1), 50);
  V.Paints = 0;
  V.FitAllColWidths(3, false, 0, 400, 0);
  test::Picture(V);
  EXPECT_EQ(V.Paints, 1);
  EXPECT_EQ(V.ColWidths(1) + V.ColWidths(2) + V.ColWidths(3) + 3, V.ClientWidth());
  V.ExpandColWidth(3, 10000);
  EXPECT_EQ(V.ColWidths(3), 16);
}

TEST(ReportListView, BulkOperationsRepaintOnceEach) {
  TView V;
  V.SetNrRows(500);
  V.SetColumnCheckMode(1, cmBox);
  test::Picture(V);
  int Changes = 0;
  V.OnSelectedChange = [&](TObject*) { ++Changes; };
  const auto Once = [&](const std::function<void()>& Op) {
    V.Paints = 0;
    Op();
    test::Picture(V);
    EXPECT_EQ(V.Paints, 1);
  };
  Once([&] { V.SelectAllRows(); });
  Once([&] { V.DeselectAllRows(); });
  Once([&] { V.DisableAllRows(); });
  Once([&] { V.EnableAllRows(); });
  Once([&] { V.SelectAllColumns(); });
  Once([&] { V.DeselectAllColumns(); });
  Once([&] { V.SetAllCheckmarksOfCol(1, true); });
  Once([&] { V.InvertAllCheckmarksOfCol(1); });
  Once([&] { V.Fill("x"); });
  Once([&] { V.CenterScrollAndSelect(250); });
  EXPECT_EQ(Changes, 7);
  EXPECT_EQ(V.FirstSelectedRow(), 250);
  EXPECT_EQ(V.TopRow(), 250 - V.VisibleRowCount() / 2);
  V.CenterScrollAndSelect(499);
  EXPECT_EQ(V.TopRow(), 500 - V.VisibleRowCount() + 1);
  EXPECT_EQ(V.NumEnabledRows(), 500);
  EXPECT_EQ(V.CountCheckedElemsInCol(1), 0);
}

TEST(ReportListView, RowsInsertAddRemove) {
  TView V;
  FillNames(V, {"a", "", "c"});
  V.Sort(1, -1, true);
  EXPECT_EQ(V.InsertRow(0), 0);
  EXPECT_EQ(V.NrOfRows(), 3);
  EXPECT_EQ(V.LastSortColumn(), -1);
  EXPECT_EQ(V.InsertRow(V.NrOfRows() + 5), 4);
  EXPECT_EQ(V.NrOfRows(), 4);
  EXPECT_EQ(V.InsertRow(1), 1);
  EXPECT_EQ(V.Elem(1, 1), "");
  EXPECT_EQ(V.Elem(1, 3), "a");  // the sorted order puts the empty cell first
  EXPECT_EQ(V.AddRow(), 6);
  V.RemoveEmptyRows();
  EXPECT_EQ(V.NrOfRows(), 2);
  EXPECT_EQ(V.RowCount(), 3);
  V.RemoveRow(1);
  V.SetRowSelected(1, true);
  V.RemoveRow(1);
  EXPECT_EQ(V.NrOfRows(), 0);
  EXPECT_EQ(V.RowCount(), 2);
  EXPECT_EQ(V.AddRow(), 1);
  EXPECT_EQ(V.Elem(1, 1), "");
  EXPECT_FALSE(V.RowSelected(1));  // nothing of the removed row comes back
  V.SetSecondarySortColumn(2);
  V.SetSecondarySortColumn(-2);
  EXPECT_EQ(V.SecondarySortColumn(), 2);
}

TEST(ReportListView, FilterAndSortMarksMatchingRows) {
  TView V;
  V.SetNrRows(5);
  const QStringList Names{"Smith", "Jones", "Smithers", "Brown", "jonesy"};
  const QStringList Towns{"London", "Paris", "Rome", "London", "Oslo"};
  for (int R = 1; R <= 5; ++R) {
    V.SetElem(1, R, Names[R - 1]);
    V.SetElem(2, R, Towns[R - 1]);
  }
  EXPECT_EQ(V.FilterAndSort("smith", {1}, true, TReportListView::fmSimple, 0, true), 2);
  EXPECT_EQ(V.FilterAndSort("smith", {1}, false, TReportListView::fmSimple, 0, true), 0);
  EXPECT_EQ(V.FilterAndSort("(smith or jones) and not london", {}, true,
                            TReportListView::fmBoolean, 1, true), 3);
  EXPECT_EQ(V.Elem(1, 1), "Brown");  // sorted, the marks moved with their rows
  EXPECT_FALSE(V.RowSelected(1));
  EXPECT_TRUE(V.RowSelected(2));
  EXPECT_EQ(V.FilterAndSort("\"ndo\" & !Brown", {2, 1, 9}, false, TReportListView::fmBoolean, 0,
                            true), 1);
  EXPECT_EQ(V.FilterAndSort("^s.*s$", {1}, true, TReportListView::fmGrep, 0, true), 1);
  for (const QString& Bad : {QString("(smith"), QString("and"), QString("\"open"), QString(""),
                             QString(500, '(') + "x" + QString(500, ')')})
    EXPECT_EQ(V.FilterAndSort(Bad, {}, true, TReportListView::fmBoolean, 0, true), -1) << Bad.left(20).toStdString();
  EXPECT_EQ(V.FilterAndSort("([", {}, true, TReportListView::fmGrep, 0, true), -1);
  int Asked = 0;
  V.OnBeforeFilter = [&](TObject*, int Row, bool& Found, TLogicOp& Op) {
    ++Asked;
    Found = Row == 1;
    Op = loIgnore;
  };
  EXPECT_EQ(V.FilterAndSort("zzz", {}, true, TReportListView::fmSimple, 0, true), 1);
  EXPECT_EQ(Asked, 5);
  V.OnBeforeFilter = [](TObject*, int Row, bool& Found, TLogicOp& Op) {
    Found = Row == 1;
    Op = loAND;
  };
  EXPECT_EQ(V.FilterAndSort("o", {}, true, TReportListView::fmSimple, 0, true), 1);
}

TEST(ReportListView, AssignCopiesSettingsContentAndColumnFlags) {
  TView A;
  A.SetColorHigh(clLime);
  A.SetCommonHeaderVisible(true);
  A.SetFixedFirstColumn(true);
  A.SetNrCols(4);
  A.SetNrRows(7);
  A.SetElem(4, 7, "last");
  A.SetColumnAlignment(2, taRightJustify);
  A.SetColumnIsPwd(3, true);
  A.SetColumnEditable(4, true);
  int Exchanges = 0;
  TView B;
  B.OnBeforeSortExchange = [&](TObject* Sender, const QString&, QString&) {
    EXPECT_EQ(Sender, &B);
    ++Exchanges;
  };
  A.OnBeforeSortExchange = B.OnBeforeSortExchange;
  B.Assign(A);
  EXPECT_EQ(B.ColorHigh(), clLime);
  EXPECT_EQ(B.NrOfColumns(), 4);
  EXPECT_EQ(B.ColCount(), 4);
  EXPECT_EQ(B.RowCount(), 9);
  EXPECT_EQ(B.FixedRows(), 2);
  EXPECT_EQ(B.FixedCols(), 1);
  EXPECT_EQ(B.Elem(4, 7), "last");
  EXPECT_EQ(B.ColumnAlignment(2), taRightJustify);
  EXPECT_TRUE(B.ColumnIsPwd(3));
  EXPECT_TRUE(B.ColumnEditable(4));
  for (int R = 1; R <= 7; ++R) B.SetElem(1, R, QString::number(8 - R));
  B.Sort(1, -1, true);
  EXPECT_GT(Exchanges, 0);
}

// A text wider than its column is drawn exactly as its shortened form would be.
TEST(ReportListView, LongTextsAreShortenedWithDots) {
  const QString Long = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const QFontMetrics M(QApplication::font());
  const int Room = 64 - 9;
  const int N = std::max(1, int(std::nearbyint(double(Long.size()) * Room / M.horizontalAdvance(Long) - 4)));
  for (const TAlignment A : {taLeftJustify, taRightJustify}) {
    const QString Expected =
        A == taRightJustify ? Long.left(1) + "..." + Long.right(N) : Long.left(N) + "...";
    ASSERT_LE(M.horizontalAdvance(Expected), Room);
    TView Drawn, Reference;
    for (TView* V : {&Drawn, &Reference}) V->SetColumnAlignment(1, A);
    Drawn.SetElem(1, 1, Long);
    Reference.SetElem(1, 1, Expected);
    const QRect R = DataRect(Drawn, 1, 1);
    EXPECT_EQ(test::Picture(Drawn).copy(R), test::Picture(Reference).copy(R)) << int(A);
    Reference.SetElem(1, 1, Long.left(N + 1) + "...");
    EXPECT_NE(test::Picture(Drawn).copy(R), test::Picture(Reference).copy(R)) << int(A);
  }
}

namespace {

TEST(ReportListView, EnabledFollowsQtsEffectiveState) {
  QWidget Group;
  TView V;
  V.setParent(&Group);
  V.SetElem(1, 1, "one");
  V.SetEnabled(false);
  const QImage Disabled = test::Picture(V).copy();
  V.setEnabled(true);
  EXPECT_TRUE(V.Enabled());
  const QImage Enabled = test::Picture(V).copy();
  ASSERT_NE(Enabled, Disabled);
  Group.setEnabled(false);
  EXPECT_FALSE(V.Enabled());
  EXPECT_EQ(test::Picture(V), Disabled);
  TView Copy;
  Copy.Assign(V);  // the copy takes the view's own state, not its group's
  EXPECT_TRUE(Copy.Enabled());
}

// A user's handler on the string table does not cut the view's own wiring.
TEST(ReportListView, UserHandlerOnTheStringTableKeepsTheViewNotified) {
  TView V;
  int User = 0, Changes = 0;
  V.Data().Strings().OnChange = [&](TObject*) { ++User; };
  V.OnChange = [&](TObject*) { ++Changes; };
  const QImage Before = test::Picture(V).copy();
  V.SetElem(1, 1, "changed");
  EXPECT_EQ(User, 1);
  EXPECT_EQ(Changes, 1);
  EXPECT_NE(test::Picture(V), Before);
}

// A view of records named in column 1 with an editable column 2, the editor
// open on the record "c" with "typed" entered but not yet committed.
void OpenEditorOnRecordC(TView& V) {
  V.SetOptions(V.Options() & ~host::goRowSelect);
  FillNames(V, {"b", "d", "c", "a"});
  for (int R = 1; R <= 4; ++R) V.SetElem(2, R, "old " + V.Elem(1, R));
  V.SetColumnEditable(2, true);
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 2, 3)));
  Click(V, Inside(DataRect(V, 2, 3)));
  ASSERT_TRUE(V.EditorMode());
  QTest::keyClicks(V.InplaceEditor(), "typed");
}

// Column 2 of every record, by the record's name.
std::map<QString, QString> EditedColumn(const TView& V) {
  std::map<QString, QString> M;
  for (int R = 1; R <= V.NrOfRows(); ++R) M[V.Elem(1, R)] = V.Elem(2, R);
  return M;
}

const std::map<QString, QString> TypedIntoC{
    {"a", "old a"}, {"b", "old b"}, {"c", "typed"}, {"d", "old d"}};

}  // namespace

TEST(ReportListView, OpenEditorSurvivingReorderingWroteIntoAnotherRecord) {
  {
    TView V;
    OpenEditorOnRecordC(V);
    Click(V, Inside(HeaderRect(V, 1)));  // sorts descending: d c b a
    EXPECT_FALSE(V.EditorMode());
    EXPECT_EQ(EditedColumn(V), TypedIntoC);
    QTest::keyClick(&V, Qt::Key_Return);  // nothing left to commit anywhere
    EXPECT_EQ(EditedColumn(V), TypedIntoC);
  }
  {
    TView V;
    OpenEditorOnRecordC(V);
    V.Sort(1, -1, true);
    EXPECT_FALSE(V.EditorMode());
    EXPECT_EQ(EditedColumn(V), TypedIntoC);
  }
  {
    TView V;
    OpenEditorOnRecordC(V);
    V.Sort(1, -1, true);                  // a b c d
    Click(V, Inside(DataRect(V, 2, 2)));  // record "b"
    Click(V, Inside(DataRect(V, 2, 2)));
    ASSERT_TRUE(V.EditorMode());
    QTest::keyClicks(V.InplaceEditor(), "again");
    V.UnSort();  // b d c a
    EXPECT_FALSE(V.EditorMode());
    EXPECT_EQ(EditedColumn(V)["b"], "again");
    EXPECT_EQ(EditedColumn(V)["d"], "old d");
  }
  {
    TView V;
    OpenEditorOnRecordC(V);
    EXPECT_EQ(V.FilterAndSort("c", {1}, false, TReportListView::fmSimple, 1, false), 1);
    EXPECT_FALSE(V.EditorMode());
    EXPECT_EQ(EditedColumn(V), TypedIntoC);
  }
  {
    // A document read replaces every record: the edit belongs to the old
    // content and never reaches the new one.
    TRLData Doc;
    Doc.SetNrCols(3);
    Doc.SetNrRows(4);
    for (int R = 1; R <= 4; ++R) Doc.SetElem(2, R, "new");
    TView V;
    OpenEditorOnRecordC(V);
    ASSERT_TRUE(V.ReadFromXMLString(Doc.WriteToXMLString("x"), "x"));
    EXPECT_FALSE(V.EditorMode());
    for (int R = 1; R <= 4; ++R) EXPECT_EQ(V.Elem(2, R), "new");
    QTest::keyClick(&V, Qt::Key_Return);
    for (int R = 1; R <= 4; ++R) EXPECT_EQ(V.Elem(2, R), "new");
  }
  {
    TView V;
    OpenEditorOnRecordC(V);
    V.SetNrRows(2);  // removes the record being edited
    EXPECT_FALSE(V.EditorMode());
    EXPECT_EQ(V.Elem(2, 1), "old b");
    EXPECT_EQ(V.Elem(2, 2), "old d");
  }
}

TEST(ReportListView, GridEditEventsWereHiddenAndViewEventsMixedCoordinates) {
  TView V;
  V.SetOptions(V.Options() & ~host::goRowSelect);
  V.SetCommonHeaderVisible(true);  // grid rows and data rows differ by 2
  V.SetColumnEditable(3, true);
  V.SetElem(3, 2, "stored");
  std::vector<std::array<int, 2>> GridGet, GridSet, ViewGet, ViewSet;
  TCustomDrawGrid& Grid = V;
  Grid.OnGetEditText = [&](TObject*, int ACol, int ARow, QString& Value) {
    GridGet.push_back({ACol, ARow});
    Value += "+grid";
  };
  Grid.OnSetEditText = [&](TObject*, int ACol, int ARow, const QString&) {
    GridSet.push_back({ACol, ARow});
  };
  V.OnGetEditText = [&](TObject*, int ACol, int ARow, QString& Value) {
    ViewGet.push_back({ACol, ARow});
    Value += "+view";
  };
  V.OnSetEditText = [&](TObject*, int ACol, int ARow, const QString&) {
    ViewSet.push_back({ACol, ARow});
  };
  test::ShowAndWait(V);
  Click(V, Inside(DataRect(V, 3, 2)));
  Click(V, Inside(DataRect(V, 3, 2)));
  ASSERT_TRUE(V.EditorMode());
  EXPECT_EQ(V.InplaceEditor()->text(), "stored+grid+view");
  QTest::keyClick(V.InplaceEditor(), Qt::Key_Return);
  const std::vector<std::array<int, 2>> GridCell{{2, 3}}, DataCell{{3, 2}};
  EXPECT_EQ(GridGet, GridCell);
  EXPECT_EQ(GridSet, GridCell);
  EXPECT_EQ(ViewGet, DataCell);
  EXPECT_EQ(ViewSet, DataCell);
  EXPECT_EQ(V.Elem(3, 2), "stored+grid+view");
}

// Scrolling moves the kept picture and draws only the rows that come into
// view; every scroll must leave the picture a full paint gives.
TEST(ReportListViewRepaint, ScrollsMatchAFullPaint) {
  struct TCase {
    bool Shading, Indicator, CommonHeader, Border;
  } const Cases[] = {{false, false, false, true}, {true, true, false, true},
                     {true, false, true, false}, {false, true, true, true}};
  for (const TCase& K : Cases) {
    TView V;
    test::ShowAndWait(V);
    V.SetSuppressPaint(true);
    V.SetNrCols(4);
    V.SetNrRows(300);
    for (int R = 1; R <= 300; ++R) {
      V.SetElem(1, R, QStringLiteral("Item %1").arg(R));
      V.SetElem(2, R, QString::number(R * 37 % 1000));
    }
    for (int R = 2; R <= 300; R += 5) V.SetRowSelected(R, true);
    V.SetColumnCheckMode(3, cmBox);
    V.SetCommonHeaderVisible(K.CommonHeader);
    V.SetColorBkgdShaded(K.Shading ? 0xE0E0F0 : 0xFFFFFF);
    if (K.Indicator) V.SetInterRowIndicatorPos(40);
    if (!K.Border) V.SetBorderStyle(host::bsNone);
    V.SetSuppressPaint(false);
    test::Picture(V);
    const int Page = V.VisibleRowCount();
    const int Moves[] = {1, 1, 5, -1, Page, -Page, 3, Page + 4, -2, 100, -60, 1, -1};
    for (int Move : Moves) {
      // A pixel drawn between paints into the header survives only a partial repaint.
      V.Canvas().SetPixel(5, 5, clFuchsia);
      V.SetTopRow(V.TopRow() + Move);
      const QImage Partial = test::Picture(V);
      EXPECT_EQ(test::PixelAt(Partial, 5, 5), clFuchsia) << "move " << Move;
      V.Invalidate();
      QImage Full = test::Picture(V);
      Full.setPixel(5, 5, qRgb(255, 0, 255));
      ASSERT_EQ(test::DiffText(Partial, Full), "") << "move " << Move << " to " << V.TopRow();
    }
    // Keys scroll as well, moving the current row with them.
    for (int Key : {Qt::Key_PageDown, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_Up, Qt::Key_End}) {
      QTest::keyClick(&V, Qt::Key(Key));
      ASSERT_EQ(CheckAgainstFullPaint(V, V.Paints).Diff, "") << "key " << Key;
    }
  }
}

// Columns scroll the same way: the headers move with their columns, a fixed
// first column and the common header title (centred between the ends of the
// columns shown) stay where a full paint puts them.
TEST(ReportListViewRepaint, ColumnScrollsMatchAFullPaint) {
  for (const bool FixedFirst : {false, true}) {
    TView V;
    FillDecorated(V, 12, 40, 3, 4);
    for (int C = 1; C <= 12; ++C) V.SetColWidths(C, 50 + 13 * C);
    V.SetCommonHeaderVisible(true);
    V.SetCommonHeader(QStringLiteral("Spectra, all channels"));
    V.SetCommonHeaderAlignment(taCenter);
    V.SetInterRowIndicatorPos(3);
    V.SetFixedFirstColumn(FixedFirst);
    V.SetSuppressPaint(false);
    test::Picture(V);
    for (int Move : {1, 1, 3, -2, 5, -4, 20, -20, 2}) {
      const int Paints = V.Paints;
      V.SetLeftCol(V.LeftCol() + Move);
      const auto [Full, Diff] = CheckAgainstFullPaint(V, Paints);
      EXPECT_FALSE(Full) << "a column scroll redraws the columns it brings in, not the grid";
      ASSERT_EQ(Diff, "") << "move " << Move << " to " << V.LeftCol() << (FixedFirst ? " fixed" : "");
    }
    V.SetOptions(V.Options() & ~host::goRowSelect);
    for (int Key : {Qt::Key_Right, Qt::Key_End, Qt::Key_Home}) {
      QTest::keyClick(&V, Qt::Key(Key));
      ASSERT_EQ(CheckAgainstFullPaint(V, V.Paints).Diff, "") << "key " << Key;
    }
  }
}

// Moving the current row with keys and clicks redraws the old and the new row
// (scrolling first where needed); every step matches a full paint, with
// shading, check boxes, a fixed first column, the insertion mark and the
// common header.
TEST(ReportListViewRepaint, CurrentRowMovesMatchAFullPaint) {
  for (const bool RowSelect : {true, false}) {
    TView V;
    FillDecorated(V, 4, 80, 4, 3);
    V.SetFixedFirstColumn(true);
    V.SetInterRowIndicatorPos(5);
    V.SetCommonHeaderVisible(true);
    if (!RowSelect) V.SetOptions(V.Options() & ~host::goRowSelect);
    V.SetSuppressPaint(false);
    V.setFocus();
    test::Picture(V);
    int Partial = 0;
    for (int Key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Down,
                    Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp}) {
      const int Paints = V.Paints;
      QTest::keyClick(&V, Qt::Key(Key));
      const auto [Full, Diff] = CheckAgainstFullPaint(V, Paints);
      Partial += !Full;
      ASSERT_EQ(Diff, "") << "key " << Key << (RowSelect ? " rows" : " cells");
    }
    EXPECT_GE(Partial, 4) << "moves within the view redraw rows, not the list";
    const int Paints = V.Paints;
    Click(V, Inside(DataRect(V, 2, V.TopRow() + 2)));
    const auto [Full, Diff] = CheckAgainstFullPaint(V, Paints);
    EXPECT_FALSE(Full);
    ASSERT_EQ(Diff, "") << "click";
  }
}

// A new text in one cell redraws that cell alone.
TEST(ReportListViewRepaint, OneCellChangeRedrawsThatCell) {
  TView V;
  test::ShowAndWait(V);
  for (int R = 1; R <= 6; ++R) V.SetElem(1, R, QStringLiteral("row %1").arg(R));
  V.SetRowSelected(3, true);
  test::Picture(V);
  const int Paints = V.Paints;
  V.Canvas().SetPixel(5, 5, clFuchsia);
  for (int R : {1, 3, 6}) {
    V.SetElem(2, R, QStringLiteral("new %1").arg(R));
    const QImage Partial = test::Picture(V);
    EXPECT_EQ(test::PixelAt(Partial, 5, 5), clFuchsia);
    V.Invalidate();
    QImage Full = test::Picture(V);
    Full.setPixel(5, 5, qRgb(255, 0, 255));
    ASSERT_EQ(test::DiffText(Partial, Full), "") << "row " << R;
    V.Canvas().SetPixel(5, 5, clFuchsia);
  }
  EXPECT_EQ(V.Paints, Paints + 3) << "only the comparison paints were full";
}

// Selecting a row redraws its cells alone: shaded, checked, fixed, scrolled
// out of view, across the insertion mark.
TEST(ReportListViewRepaint, RowSelectionRedrawsThatRow) {
  TView V;
  test::ShowAndWait(V);
  V.SetSuppressPaint(true);
  V.SetNrCols(4);
  V.SetNrRows(40);
  for (int R = 1; R <= 40; ++R) V.SetElem(1, R, QStringLiteral("Item %1").arg(R));
  V.SetColumnCheckMode(3, cmBox);
  V.SetColorBkgdShaded(0xE0E0F0);
  V.SetFixedFirstColumn(true);
  V.SetInterRowIndicatorPos(4);
  V.SetTopRow(2);
  V.SetSuppressPaint(false);
  test::Picture(V);
  const int Paints = V.Paints;
  int Compared = 0;
  for (const auto& [Row, On] : {std::pair{3, true}, {4, true}, {1, true}, {30, true}, {3, false},
                                std::pair{V.TopRow() + V.VisibleRowCount(), true}}) {
    V.Canvas().SetPixel(5, 5, clFuchsia);
    V.SetRowSelected(Row, On);
    const QImage Partial = test::Picture(V);
    EXPECT_EQ(test::PixelAt(Partial, 5, 5), clFuchsia) << "row " << Row;
    V.Invalidate();
    QImage Full = test::Picture(V);
    ++Compared;
    Full.setPixel(5, 5, qRgb(255, 0, 255));
    ASSERT_EQ(test::DiffText(Partial, Full), "") << "row " << Row << (On ? " on" : " off");
  }
  EXPECT_EQ(V.Paints, Paints + Compared) << "only the comparison paints were full";
}
