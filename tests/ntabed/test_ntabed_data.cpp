// TNTabEd: mapping, properties, resizing, notifications and whole-table operations.
#include <gtest/gtest.h>

#include "ntabed/qor_ntabed.h"

namespace qor {
namespace {

// Counts every change notification of an editor.
struct TEventLog {
  int Change = 0, Heading = 0, Attrib = 0, Layout = 0, States = 0, Selection = 0, Setup = 0,
      Paste = 0;
  QStringList Order;
  explicit TEventLog(TNTabEd& E) {
    E.OnChange = [this](TObject*) { ++Change; Order << "Change"; };
    E.OnHeadingChanged = [this](TObject*) { ++Heading; };
    E.OnAttributeChanged = [this](TObject*) { ++Attrib; };
    E.OnLayoutChanged = [this](TObject*) { ++Layout; };
    E.OnCellStateChanged = [this](TObject*) { ++States; Order << "States"; };
    E.OnSelectionChanged = [this](TObject*) { ++Selection; };
    E.OnChangeSetup = [this](TObject*) { ++Setup; };
    E.OnPaste = [this](TObject*) { ++Paste; Order << "Paste"; };
  }
  int Total() const { return Change + Heading + Attrib + Layout + States + Selection + Setup; }
};

TEST(NTabEdData, NewEditorHasThreeColumnsFourRowsOfZeros) {
  TNTabEd E;
  EXPECT_EQ(E.NrOfColumns(), 3);
  EXPECT_EQ(E.NrOfRows(), 4);
  EXPECT_EQ(E.ColCount(), 5);
  EXPECT_EQ(E.RowCount(), 5);
  EXPECT_EQ(E.FixedCols(), 2);
  EXPECT_EQ(E.FixedRows(), 1);
  for (int C = 1; C <= 3; ++C) {
    EXPECT_EQ(E.Precision(C), 3);
    for (int R = 1; R <= 4; ++R) EXPECT_EQ(E.Elem(C, R), 0.0);
  }
  EXPECT_EQ(E.ColWidths(0), 80);
  EXPECT_EQ(E.ColWidths(-1), 32);
  EXPECT_EQ(E.DefaultRowHeight(), 24);
  EXPECT_TRUE(E.Options() & host::goEditing);
  EXPECT_TRUE(E.Options() & host::goRangeSelect);
}

TEST(NTabEdData, GridCountsFollowBothOffsets) {
  TNTabEd E;
  E.Redimension(5, 7);
  EXPECT_EQ(E.ColCount(), 5 + 1 + 1);
  EXPECT_EQ(E.RowCount(), 7 + 0 + 1);
  E.SetAttribColVisible(true);
  EXPECT_EQ(E.RowCount(), 7 + 1 + 1);
  EXPECT_EQ(E.FixedRows(), 2);
  E.SetAttribRowVisible(false);
  EXPECT_EQ(E.ColCount(), 5 + 0 + 1);
  EXPECT_EQ(E.FixedCols(), 1);
  E.SetNrOfColumns(9);
  E.SetNrOfRows(2);
  EXPECT_EQ(E.ColCount(), 10);
  EXPECT_EQ(E.RowCount(), 4);
}

TEST(NTabEdData, HidingTheAttributeColumnShiftsWidthsAndRestoresTheClassWidth) {
  TNTabEd E;
  E.Redimension(5, 3);
  for (int C = 1; C <= 5; ++C) E.SetColWidths(C, 40 + C);
  E.SetColWidths(-1, 50);
  E.SetAttribRowVisible(false);
  EXPECT_EQ(E.ColCount(), 6);
  EXPECT_EQ(E.ColWidths(-1), 0);
  for (int C = 1; C <= 5; ++C) EXPECT_EQ(E.ColWidths(C), 40 + C) << C;
  E.SetAttribRowVisible(true);
  EXPECT_EQ(E.ColWidths(-1), 50);
  for (int C = 1; C <= 5; ++C) EXPECT_EQ(E.ColWidths(C), 40 + C) << C;
  EXPECT_EQ(E.ColWidths(0), 80);
}

TEST(NTabEdData, AttributeRowTakesTheNameRowHeight) {
  TNTabEd E;
  E.SetRowHeights(0, 30);
  E.SetRowHeights(-1, 99);  // hidden: ignored
  E.SetAttribColVisible(true);
  EXPECT_EQ(E.RowHeights(-1), 30);
  E.SetRowHeights(2, 17);
  E.SetRowHeights(99, 17);  // beyond the last row: ignored
  EXPECT_EQ(E.RowHeights(2), 17);
  EXPECT_EQ(E.RowHeights(99), 0);
}

TEST(NTabEdData, NewColumnsTakeTheLastColumnsWidthAndDecimals) {
  TNTabEd E;
  E.SetColWidths(3, 71);
  E.SetPrecision(3, 6);
  E.SetNrOfColumns(6);
  for (int C = 4; C <= 6; ++C) {
    EXPECT_EQ(E.ColWidths(C), 71);
    EXPECT_EQ(E.Precision(C), 6);
  }
}

TEST(NTabEdData, RefusedSizeRaisesWithThePropertyAndKeepsEverything) {
  TNTabEd E;
  E.SetElem(2, 2, 5);
  TEventLog Log(E);
  for (const char* Prop : {"NrOfColumns", "NrOfRows", "Redimension"}) {
    try {
      if (QLatin1String(Prop) == QLatin1String("NrOfColumns")) E.SetNrOfColumns(-3);
      else if (QLatin1String(Prop) == QLatin1String("NrOfRows")) E.SetNrOfRows(1 << 30);
      else E.Redimension(1 << 16, 1 << 16);
      ADD_FAILURE() << Prop;
    } catch (const EQORError& X) {
      EXPECT_TRUE(X.Message().contains(QStringLiteral("TNTabEd.") + QLatin1String(Prop))) << X.what();
    }
    EXPECT_EQ(E.NrOfColumns(), 3);
    EXPECT_EQ(E.NrOfRows(), 4);
    EXPECT_EQ(E.ColCount(), 5);
    EXPECT_EQ(E.RowCount(), 5);
    EXPECT_EQ(E.Elem(2, 2), 5);
  }
  EXPECT_EQ(Log.Setup, 0);
}

TEST(NTabEdData, AccessOutsideTheTableReadsZeroAndWritesNothing) {
  TNTabEd E;
  TEventLog Log(E);
  for (auto [C, R] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 5}, {-7, -7}, {1 << 30, 1 << 30}}) {
    E.SetElem(C, R, 9);
    E.SetElemMarkedA(C, R, true);
    E.SetIsEmpty(C, R, true);
    EXPECT_EQ(E.Elem(C, R), 0.0);
    EXPECT_FALSE(E.ElemMarkedA(C, R));
    EXPECT_FALSE(E.IsNumber(C, R));
  }
  // The mark setters report in any case.
  EXPECT_EQ(Log.States, 12);
  EXPECT_EQ(Log.Change, 0);
  E.SetColName(0, "x");
  E.SetRowName(5, "x");
  E.SetColAttrib(4, 7);
  E.SetPrecision(0, 5);
  EXPECT_EQ(E.ColName(0), QString());
  EXPECT_EQ(E.RowName(5), QString());
  EXPECT_EQ(E.ColAttrib(4), 0);
  EXPECT_EQ(E.Precision(0), 0);
  EXPECT_EQ(E.Precision(4), 0);
  EXPECT_EQ(Log.Heading + Log.Attrib + Log.Layout, 0);
  for (int C = 1; C <= 3; ++C)
    for (int R = 1; R <= 4; ++R) EXPECT_EQ(E.CellState(C, R), 0) << C << R;
}

TEST(NTabEdData, MarksAndEmptyKeepTheOtherStateBits) {
  TNTabEd E;
  E.SetCellState(1, 1, csInvalid);
  E.SetElemMarkedA(1, 1, true);
  E.SetElemMarkedB(1, 1, true);
  EXPECT_EQ(E.CellState(1, 1), csInvalid | csMarkA | csMarkB);
  E.SetIsEmpty(1, 1, true);
  E.SetElemMarkedA(1, 1, false);
  EXPECT_EQ(E.CellState(1, 1), csInvalid | csEmpty | csMarkB);
  EXPECT_FALSE(E.IsNumber(1, 1));
  EXPECT_TRUE(E.IsEmpty(1, 1));
}

TEST(NTabEdData, PrecisionIsClampedAndMinusOneReadsAs255) {
  TNTabEd E;
  TEventLog Log(E);
  E.SetPrecision(1, 12);
  EXPECT_EQ(E.Precision(1), 10);
  E.SetPrecision(2, -5);
  EXPECT_EQ(E.Precision(2), 255);
  E.SetElem(2, 1, 1.5);
  EXPECT_TRUE(E.CellText(2, 1).contains(QLatin1Char('E')));
  EXPECT_EQ(Log.Layout, 2);
}

TEST(NTabEdData, NamesKeepFiftyCharactersAndFireHeadingChanged) {
  TNTabEd E;
  TEventLog Log(E);
  const QString Long(60, QLatin1Char('n'));
  E.SetColName(2, Long);
  E.SetRowName(4, Long + "x");
  EXPECT_EQ(E.ColName(2), Long.left(50));
  EXPECT_EQ(E.RowName(4), Long.left(50));
  EXPECT_EQ(Log.Heading, 2);
  E.SetColAttrib(1, 200);
  E.SetRowAttrib(2, 7);
  EXPECT_EQ(E.ColAttrib(1), 200);
  EXPECT_EQ(E.RowAttrib(2), 7);
  EXPECT_EQ(Log.Attrib, 2);
  EXPECT_EQ(E.FindColIndex(Long), 2);
  EXPECT_EQ(E.FindRowIndex(Long), 4);
}

TEST(NTabEdData, RemovingTheLastRowOrColumnIsRefusedAndInsertAppends) {
  TNTabEd E;
  E.Redimension(1, 1);
  E.RemoveRow(1);
  E.RemoveColumn(1);
  EXPECT_EQ(E.NrOfColumns(), 1);
  EXPECT_EQ(E.NrOfRows(), 1);
  E.InsertColumn(E.NrOfColumns() + 1);
  E.InsertRow(3);  // beyond count + 1: ignored
  EXPECT_EQ(E.NrOfColumns(), 2);
  EXPECT_EQ(E.NrOfRows(), 1);
  E.InsertRow(1);
  EXPECT_EQ(E.NrOfRows(), 2);
  EXPECT_EQ(E.RowCount(), 3);
}

// Fault pinned: inserting or removing a column in the middle must not shift
// the other columns' decimal places onto the wrong data.
TEST(NTabEdData, DecimalPlacesStayWithTheirColumnsOnInsertRemoveSortAndMirror) {
  TNTabEd E;
  E.SetPrecision(1, 1);
  E.SetPrecision(2, 2);
  E.SetPrecision(3, 5);
  E.InsertColumn(2);
  EXPECT_EQ(E.Precision(1), 1);
  EXPECT_EQ(E.Precision(3), 2);
  EXPECT_EQ(E.Precision(4), 5);
  E.RemoveColumn(1);
  EXPECT_EQ(E.Precision(2), 2);
  EXPECT_EQ(E.Precision(3), 5);
  E.MirrorColumns();
  EXPECT_EQ(E.Precision(1), 5);
  EXPECT_EQ(E.Precision(2), 2);
  // Sorting with headers: the decimals travel; without headers they stay.
  E.Redimension(3, 1);
  E.SetPrecision(1, 0);
  E.SetPrecision(2, 4);
  E.SetPrecision(3, 8);
  E.SetElem(1, 1, 30);
  E.SetElem(2, 1, 10);
  E.SetElem(3, 1, 20);
  E.SortCols(1, true, 1, 1, 3, 1, false);
  EXPECT_EQ(E.Elem(1, 1), 10);
  EXPECT_EQ(E.Precision(1), 0);
  E.SetElem(1, 1, 30);
  E.SetElem(2, 1, 10);
  E.SortCols(1, true, 1, 1, 3, 1, true);
  EXPECT_EQ(E.Elem(1, 1), 10);
  EXPECT_EQ(E.Precision(1), 4);
  EXPECT_EQ(E.Elem(2, 1), 30);
  EXPECT_EQ(E.Precision(2), 0);  // the old first column, stable behind the smaller value
  EXPECT_EQ(E.Precision(3), 8);
}

TEST(NTabEdData, SuppressPaintSilencesEventsAndRepaintsOnceWhenOff) {
  TNTabEd E;
  TEventLog Log(E);
  E.SetSuppressPaint(true);
  E.SetElem(1, 1, 4);
  E.SetColName(1, "a");
  E.SetPrecision(1, 2);
  E.SetElemMarkedA(1, 1, true);
  E.SetNrOfRows(9);
  EXPECT_EQ(Log.Total(), 0);
  int Paints = 0;
  E.OnBeforeRenderCell = [&](TObject*, int, int, QString&, TColor&, TColor&, TFontStyles&) { ++Paints; };
  E.resize(300, 200);
  (void)E.ScreenImage();
  EXPECT_EQ(Paints, 0);
  E.SetSuppressPaint(false);
  (void)E.ScreenImage();
  EXPECT_GT(Paints, 0);
  E.SetElem(1, 1, 5);
  EXPECT_EQ(Log.Change, 1);
}

TEST(NTabEdData, ClearNamesLinesAndResetsDecimals) {
  TNTabEd E;
  E.SetElem(1, 1, 3);
  E.SetCellState(2, 2, csMarkA);
  E.SetPrecision(2, 7);
  E.Clear();
  EXPECT_EQ(E.ColName(3), QStringLiteral("C-3"));
  EXPECT_EQ(E.RowName(4), QStringLiteral("R-4"));
  EXPECT_EQ(E.Elem(1, 1), 0);
  EXPECT_EQ(E.CellState(2, 2), 0);
  EXPECT_EQ(E.Precision(2), 3);
}

TEST(NTabEdData, FillAndFillMarkedCells) {
  TNTabEd E;
  E.SetCellState(1, 1, csEmpty);
  E.Fill(2.5);
  EXPECT_EQ(E.Elem(3, 4), 2.5);
  EXPECT_EQ(E.CellState(1, 1), csEmpty);
  E.SetElemMarkedB(2, 3, true);
  EXPECT_EQ(E.FillMarkedCells(-1, csMarkB), 1);
  EXPECT_EQ(E.Elem(2, 3), -1);
  EXPECT_EQ(E.Elem(2, 2), 2.5);
}

TEST(NTabEdData, NotificationsOfPropertiesFireOnlyOnChange) {
  TNTabEd E;
  TEventLog Log(E);
  E.SetNumWidth(0);   // ignored, still reported
  E.SetNumWidth(21);
  EXPECT_EQ(E.NumWidth(), 1);
  EXPECT_EQ(Log.Layout, 2);
  E.SetColorMarkedA(E.ColorMarkedA());
  E.SetBoldMarks(true);
  EXPECT_EQ(Log.Layout, 2);
  E.SetColorMarkedA(0x123456);
  E.SetBoldSelHeads(false);
  EXPECT_EQ(Log.Layout, 4);
  E.SetComment(QStringLiteral("line1\r\nline2\t!"));
  EXPECT_EQ(E.Comment(), QStringLiteral("line1line2!"));
  EXPECT_EQ(Log.Change, 1);
}

TEST(NTabEdData, ExternalTableIsShownAndItsLossIsSurvived) {
  TNTabEd E;
  TEventLog Log(E);
  auto* T = new TDataTable;
  T->Resize(6, 2);
  T->SetElem(6, 2, 42);
  E.AssignAnotherDataMatrix(T);
  EXPECT_EQ(E.NrOfColumns(), 6);
  EXPECT_EQ(E.ColCount(), 8);
  EXPECT_EQ(E.RowCount(), 3);
  EXPECT_EQ(E.Elem(6, 2), 42);
  EXPECT_EQ(E.Precision(6), 3);
  const int Before = Log.Change;
  T->SetElem(1, 1, 7);
  EXPECT_EQ(Log.Change, Before + 1);
  T->Resize(2, 2);
  EXPECT_EQ(E.ColCount(), 4);
  delete T;
  EXPECT_EQ(E.NrOfColumns(), 2);
  E.SetElem(1, 1, 3);
  EXPECT_EQ(E.Elem(1, 1), 3);
}

TEST(NTabEdData, CopyContentsAndStatesFromAnotherTable) {
  TNTabEd E;
  TDataTable T;
  T.Resize(2, 2);
  T.SetElem(2, 2, 8);
  T.SetCellState(1, 1, csMarkA);
  T.SetColName(1, "x");
  E.CopyContentsFrom(T);
  EXPECT_EQ(E.NrOfColumns(), 2);
  EXPECT_EQ(E.ColCount(), 4);
  EXPECT_EQ(E.Elem(2, 2), 8);
  EXPECT_EQ(E.ColName(1), QStringLiteral("x"));
  T.SetCellState(1, 1, csMarkB);
  E.CopyCellStatesFrom(T);
  EXPECT_TRUE(E.ElemMarkedB(1, 1));
}

TEST(NTabEdData, AutoSizesMeasureTexts) {
  TNTabEd E;
  E.SetColName(1, QString(30, QLatin1Char('W')));
  const int WithHead = E.AutoColWidth(1, true, 0);
  const int Without = E.AutoColWidth(1, false, 0);
  EXPECT_GT(WithHead, Without);
  EXPECT_EQ(E.ColWidths(1), Without);
  EXPECT_EQ(E.AutoColWidth(7, true, 0), 0);
  EXPECT_EQ(E.AutoColWidth(-1, false, 3), E.Font().TextWidth("255") + 3 + 8);
  const int H = E.AutoRowHeight(2, 1);
  EXPECT_GE(H, 8);
  EXPECT_EQ(E.RowHeights(2), H);
  E.SetOptimizeRowHeight(true);
  EXPECT_EQ(E.DefaultRowHeight(), E.AutoRowHeight(-1, 2));
}

TEST(NTabEdData, LeftColAndTopRowAreInTableCoordinates) {
  TNTabEd E;
  E.resize(200, 120);
  E.Redimension(20, 50);
  E.SetTopRow(10);
  EXPECT_EQ(E.TopRow(), 10);
  E.SetTopRow(-4);
  EXPECT_EQ(E.TopRow(), 1);
  E.SetLeftCol(3);
  EXPECT_EQ(E.LeftCol(), 3);
  EXPECT_EQ(E.TCustomGrid::LeftCol(), 4);
}

TEST(NTabEdData, WholeTableMarks) {
  TNTabEd E;
  E.MarkAllElemsA();
  EXPECT_EQ(E.NrOfMarkedDataA(), 12);
  E.ExchangeMarkings();
  EXPECT_EQ(E.NrOfMarkedDataA(), 0);
  EXPECT_EQ(E.NrOfMarkedDataB(), 12);
  E.UnMarkAllElems();
  EXPECT_FALSE(E.IfAnyMarked());
  E.SetElemMarkedB(2, 3, true);
  EXPECT_TRUE(E.IfRowMarked(3));
  EXPECT_TRUE(E.IfColumnMarked(2));
  EXPECT_FALSE(E.IfColumnMarked(1));
  EXPECT_FALSE(E.IfRowMarked(99));
  EXPECT_TRUE(E.IfAnyMarked());
  E.InvertCellStates(csEmpty);
  EXPECT_TRUE(E.IsEmpty(1, 1));
}

}  // namespace
}  // namespace qor
