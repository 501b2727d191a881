#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringList>

#include "foundation/qor_datatable.h"

using namespace qor;

namespace {

// Records every notification of a table as one line.
struct TRecorder {
  QStringList Log;
  explicit TRecorder(TDataTable& T) {
    T.OnDataChanged = [this](TObject*) { Log << "data"; };
    T.OnSetupChanged = [this](TObject*) { Log << "setup"; };
    T.OnResize = [this](TObject*, int OC, int OR, int NC, int NR) {
      Log << QStringLiteral("resize %1x%2->%3x%4").arg(OC).arg(OR).arg(NC).arg(NR);
    };
    T.OnSortExchange = [this](TObject*, int Kind, int A, int B) {
      Log << QStringLiteral("exchg %1 %2 %3").arg(Kind).arg(A).arg(B);
    };
  }
};

// A 3 x 4 table whose element (c, r) is 10 c + r, named C1.., R1...
void Fill(TDataTable& T, int Cols = 3, int Rows = 4) {
  T.Resize(Cols, Rows);
  for (int C = 1; C <= Cols; ++C) {
    T.SetColName(C, QStringLiteral("C%1").arg(C));
    T.SetColAttrib(C, C);
    for (int R = 1; R <= Rows; ++R) T.SetElem(C, R, 10 * C + R);
  }
  for (int R = 1; R <= Rows; ++R) T.SetRowName(R, QStringLiteral("R%1").arg(R));
}

std::vector<double> Row(const TDataTable& T, int R) {
  std::vector<double> V;
  for (int C = 1; C <= T.NrOfColumns(); ++C) V.push_back(T.GetElem(C, R));
  return V;
}

std::vector<double> Column(const TDataTable& T, int C) {
  std::vector<double> V;
  for (int R = 1; R <= T.NrOfRows(); ++R) V.push_back(T.GetElem(C, R));
  return V;
}

}  // namespace

TEST(DataTable, ResizeKeepsTheOverlapAndClearsNewCells) {
  TDataTable T;
  EXPECT_EQ(T.NrOfColumns(), 0);
  Fill(T);
  T.SetCellState(2, 2, csMarkA);
  T.Resize(5, 2);
  EXPECT_EQ(T.NrOfColumns(), 5);
  EXPECT_EQ(T.NrOfRows(), 2);
  EXPECT_EQ(T.GetElem(3, 2), 32);
  EXPECT_EQ(T.GetCellState(2, 2), csMarkA);
  EXPECT_EQ(T.GetElem(5, 2), 0);
  EXPECT_EQ(T.GetColName(3), "C3");
  EXPECT_TRUE(T.GetColName(4).isEmpty());
  EXPECT_EQ(T.GetColAttrib(4), 0);
}

TEST(DataTable, RefusedResizeRaisesAndLeavesTheTableAsItWas) {
  TDataTable T;
  Fill(T);
  TRecorder Rec(T);
  EXPECT_THROW(T.Resize(-1, 4), EQORError);
  EXPECT_THROW(T.Resize(100000, 100000), EQORError);
  EXPECT_THROW(T.Resize(MaxDTColumns + 1, 1), EQORError);
  EXPECT_THROW(T.Resize(1, MaxDTRows + 1), EQORError);
  try {
    T.Resize(2000000000, 2000000000);
    FAIL();
  } catch (const EQORError& E) {
    EXPECT_TRUE(E.Message().contains("TDataTable.Resize"));
  }
  EXPECT_EQ(T.NrOfColumns(), 3);
  EXPECT_EQ(T.NrOfRows(), 4);
  EXPECT_EQ(T.GetElem(3, 4), 34);
  EXPECT_TRUE(Rec.Log.isEmpty());
}

TEST(DataTable, OutOfRangeIndicesReadEmptyAndWritesAreIgnored) {
  TDataTable T;
  Fill(T);
  TRecorder Rec(T);
  for (auto [C, R] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 5}, {-7, -7}}) {
    EXPECT_EQ(T.GetElem(C, R), 0);
    EXPECT_EQ(T.GetCellState(C, R), 0);
    EXPECT_FALSE(T.GetIsNumber(C, R));
    T.SetElem(C, R, 5);
    T.SetCellState(C, R, 0xFF);
  }
  T.SetColName(0, "x");
  T.SetRowName(5, "x");
  T.SetColAttrib(4, 1);
  T.SetColAttrib(1, 256);
  T.SetRowAttrib(1, -1);
  EXPECT_TRUE(T.GetColName(0).isEmpty());
  EXPECT_TRUE(T.GetRowName(5).isEmpty());
  EXPECT_EQ(T.GetColAttrib(1), 1);
  EXPECT_EQ(T.GetRowAttrib(1), 0);
  EXPECT_TRUE(Rec.Log.isEmpty());
}

TEST(DataTable, NamesAndNominalIdentifiersAreCut) {
  TDataTable T;
  T.Resize(2, 2);
  T.SetColName(1, QString(60, 'a'));
  T.SetRowName(2, QString(51, 'b'));
  EXPECT_EQ(T.GetColName(1), QString(50, 'a'));
  EXPECT_EQ(T.GetRowName(2), QString(50, 'b'));
  T.SetNominalID(1, 3, "abcdefghijkl");
  EXPECT_EQ(T.GetNominalID(1, 3), "abcdefghij");
  EXPECT_TRUE(T.GetNominalID(1, 2).isEmpty());
  EXPECT_TRUE(T.GetNominalID(1, 51).isEmpty());
  T.SetNominalID(1, 51, "x");
  T.SetNominalID(1, 0, "x");
  EXPECT_TRUE(T.GetNominalID(1, 51).isEmpty());
}

TEST(DataTable, OrdinalOfNominalID) {
  TDataTable T;
  T.Resize(2, 1);
  T.SetMScaleType(1, mstNominal);
  T.SetNominalID(1, 1, "red");
  T.SetNominalID(1, 4, "Blue");
  EXPECT_EQ(T.OrdinalOfNominalID(1, "Blue", false), 4);
  EXPECT_EQ(T.OrdinalOfNominalID(1, "blue", false), 0);
  EXPECT_EQ(T.OrdinalOfNominalID(1, " BLUE ", true), 4);
  EXPECT_EQ(T.OrdinalOfNominalID(1, "red", true), 1);
  EXPECT_EQ(T.OrdinalOfNominalID(1, "", true), 0);
  EXPECT_EQ(T.OrdinalOfNominalID(2, "red", true), 0);
  EXPECT_EQ(T.OrdinalOfNominalID(3, "red", true), 0);
  EXPECT_EQ(T.GetMScaleType(1), mstNominal);
  EXPECT_EQ(QString(MScaleTypeNames[T.GetMScaleType(1)]), "nominal");
  T.SetMScaleType(1, NrMScaleTypes);
  EXPECT_EQ(T.GetMScaleType(1), mstNominal);
  EXPECT_EQ(T.GetMScaleType(9), mstUndefined);
}

TEST(DataTable, CellStateOperationsTouchOnlyTheirBits) {
  TDataTable T;
  T.Resize(2, 2);
  T.SetCellState(1, 1, csMarkA | 0x04);
  T.SetCellState(2, 1, csMarkB | csEmpty);
  T.SetCellState(1, 2, csMarkA | csMarkB | 0x20);
  T.ExchangeMarkings();
  EXPECT_EQ(T.GetCellState(1, 1), csMarkB | 0x04);
  EXPECT_EQ(T.GetCellState(2, 1), csMarkA | csEmpty);
  EXPECT_EQ(T.GetCellState(1, 2), csMarkA | csMarkB | 0x20);
  EXPECT_EQ(T.GetCellState(2, 2), 0);
  T.InvertCellStates(csMarkA | csInvalid);
  EXPECT_EQ(T.GetCellState(1, 1), csMarkB | csMarkA | csInvalid | 0x04);
  EXPECT_EQ(T.GetCellState(2, 2), csMarkA | csInvalid);
  EXPECT_FALSE(T.GetIsNumber(2, 2));
  T.UnmarkAllCells();
  EXPECT_EQ(T.GetCellState(1, 1), csInvalid | 0x04);
  EXPECT_EQ(T.GetCellState(2, 1), csInvalid | csEmpty);
  EXPECT_EQ(T.GetCellState(1, 2), 0x20 | csInvalid);
}

TEST(DataTable, FillMarkedCellsCountsAndMakesTheCellsNumbers) {
  TDataTable T;
  Fill(T);
  TRecorder Rec(T);
  T.SetCellState(1, 1, csMarkA | csEmpty);
  T.SetCellState(2, 3, csMarkB | csInvalid | 0x08);
  T.SetCellState(3, 4, csMarkA | csMarkB);
  EXPECT_EQ(T.FillMarkedCells(-1, csMarkA), 2);
  EXPECT_EQ(T.GetElem(1, 1), -1);
  EXPECT_EQ(T.GetElem(3, 4), -1);
  EXPECT_EQ(T.GetElem(2, 3), 23);
  EXPECT_EQ(T.GetCellState(1, 1), csMarkA);
  EXPECT_TRUE(T.GetIsNumber(1, 1));
  EXPECT_EQ(T.FillMarkedCells(7, csMarkB), 2);
  EXPECT_EQ(T.GetCellState(2, 3), csMarkB | 0x08);
  EXPECT_EQ(T.FillMarkedCells(7, 0), 0);
  EXPECT_EQ(Rec.Log, QStringList({"data", "data"}));
}

TEST(DataTable, InsertAndRemoveMoveEverythingThatBelongsToTheLine) {
  TDataTable T;
  Fill(T);
  T.SetCellState(2, 1, csMarkA);
  T.SetMScaleType(2, mstBinary);
  T.SetNominalID(2, 1, "no");
  TRecorder Rec(T);
  T.InsertColumn(2);
  EXPECT_EQ(T.NrOfColumns(), 4);
  EXPECT_EQ(Row(T, 1), (std::vector<double>{11, 0, 21, 31}));
  EXPECT_EQ(T.GetColName(3), "C2");
  EXPECT_EQ(T.GetColAttrib(3), 2);
  EXPECT_EQ(T.GetCellState(3, 1), csMarkA);
  EXPECT_EQ(T.GetMScaleType(3), mstBinary);
  EXPECT_EQ(T.GetNominalID(3, 1), "no");
  EXPECT_TRUE(T.GetColName(2).isEmpty());
  EXPECT_EQ(Rec.Log, QStringList({"resize 3x4->4x4", "setup", "data"}));

  T.InsertColumn(5);  // appends
  EXPECT_EQ(T.NrOfColumns(), 5);
  T.InsertColumn(7);  // ignored
  T.InsertColumn(0);
  EXPECT_EQ(T.NrOfColumns(), 5);

  T.InsertRow(1);
  EXPECT_EQ(Column(T, 1), (std::vector<double>{0, 11, 12, 13, 14}));
  EXPECT_EQ(T.GetRowName(2), "R1");
  T.RemoveRow(1);
  T.RemoveColumn(5);
  T.RemoveColumn(2);
  T.RemoveColumn(4);  // ignored
  EXPECT_EQ(T.NrOfColumns(), 3);
  EXPECT_EQ(Row(T, 4), (std::vector<double>{14, 24, 34}));
  EXPECT_EQ(T.GetColName(2), "C2");
  EXPECT_EQ(T.GetCellState(2, 1), csMarkA);
}

TEST(DataTable, RemovingTheLastLineLeavesAnEmptyTable) {
  TDataTable T;
  T.Resize(1, 1);
  T.RemoveRow(1);
  EXPECT_EQ(T.NrOfRows(), 0);
  EXPECT_EQ(T.NrOfColumns(), 1);
  T.InsertRow(1);
  EXPECT_EQ(T.NrOfRows(), 1);
  EXPECT_EQ(T.GetElem(1, 1), 0);
}

TEST(DataTable, MirrorReversesAndReportsTheExchanges) {
  TDataTable T;
  Fill(T, 4, 3);
  TRecorder Rec(T);
  T.MirrorColumns();
  EXPECT_EQ(Row(T, 2), (std::vector<double>{42, 32, 22, 12}));
  EXPECT_EQ(T.GetColName(1), "C4");
  EXPECT_EQ(Rec.Log, QStringList({"exchg 1 1 4", "exchg 1 2 3", "data"}));
  Rec.Log.clear();
  T.MirrorRows();
  EXPECT_EQ(Column(T, 1), (std::vector<double>{43, 42, 41}));
  EXPECT_EQ(T.GetRowName(1), "R3");
  EXPECT_EQ(Rec.Log, QStringList({"exchg 2 1 3", "data"}));
}

TEST(DataTable, SortRowsIsStableAndPutsNonNumbersLast) {
  TDataTable T;
  T.Resize(2, 6);
  const double Keys[] = {3, 1, 2, 1, 9, 0};
  for (int R = 1; R <= 6; ++R) {
    T.SetElem(1, R, Keys[R - 1]);
    T.SetElem(2, R, R);
    T.SetRowName(R, QStringLiteral("R%1").arg(R));
  }
  T.SetCellState(1, 5, csEmpty);
  T.SetCellState(1, 6, csInvalid);
  T.SortRows(1, true, 1, 1, 2, 6, true);
  EXPECT_EQ(Column(T, 2), (std::vector<double>{2, 4, 3, 1, 5, 6}));
  EXPECT_EQ(T.GetRowName(1), "R2");
  EXPECT_EQ(T.GetCellState(1, 5), csEmpty);
  T.SortRows(1, false, 1, 1, 2, 6, false);
  EXPECT_EQ(Column(T, 2), (std::vector<double>{1, 3, 2, 4, 5, 6}));
  EXPECT_EQ(T.GetRowName(1), "R2");  // headers stayed
}

TEST(DataTable, SortColsMovesOnlyTheBlockAndReportsColumnExchanges) {
  TDataTable T;
  Fill(T, 4, 3);
  T.SetElem(2, 1, 99);
  TRecorder Rec(T);
  // Descending by row 1 over columns 1..3, rows 1..2 only.
  T.SortCols(1, false, 1, 1, 3, 2, true);
  EXPECT_EQ(Row(T, 1), (std::vector<double>{99, 31, 11, 41}));
  EXPECT_EQ(Row(T, 2), (std::vector<double>{22, 32, 12, 42}));
  EXPECT_EQ(Row(T, 3), (std::vector<double>{13, 23, 33, 43}));
  EXPECT_EQ(T.GetColName(1), "C2");
  EXPECT_EQ(T.GetColName(3), "C1");
  ASSERT_FALSE(Rec.Log.isEmpty());
  EXPECT_EQ(Rec.Log.last(), "data");
  for (qsizetype I = 0; I + 1 < Rec.Log.size(); ++I) EXPECT_TRUE(Rec.Log[I].startsWith("exchg 1"));
}

TEST(DataTable, SortByHeaders) {
  TDataTable T;
  Fill(T, 3, 2);
  T.SetColName(1, "beta");
  T.SetColName(2, "Alpha");
  T.SetColName(3, "alpha");
  T.SortColNames(true, true, 1, 1, 3, 2);
  EXPECT_EQ(T.GetColName(1), "Alpha");
  EXPECT_EQ(T.GetColName(2), "alpha");
  EXPECT_EQ(T.GetElem(1, 1), 21);
  T.SetColAttrib(1, 9);
  T.SortColAttributes(false, 1, 1, 3, 2);
  EXPECT_EQ(T.GetColAttrib(1), 9);
  EXPECT_EQ(T.FindColIndex("beta"), 3);
  EXPECT_EQ(T.FindColIndex("gamma"), 0);
  T.SetRowAttrib(1, 5);
  T.SortRowAttributes(false, 1, 1, 3, 2);
  EXPECT_EQ(T.GetRowName(1), "R1");
  T.SortRowNames(false, false, 1, 1, 3, 2);
  EXPECT_EQ(T.FindRowIndex("R2"), 1);
}

TEST(DataTable, WholeTableOperationsReportProgressOnLargeTables) {
  TDataTable T;
  T.Resize(300, 300);
  std::vector<int> Percent;
  T.OnPercentDone = [&](TObject* Sender, int P) {
    EXPECT_EQ(Sender, &T);
    Percent.push_back(P);
  };
  T.Clear();
  ASSERT_FALSE(Percent.empty());
  EXPECT_EQ(Percent.front(), 0);
  EXPECT_EQ(Percent.back(), 100);
  EXPECT_TRUE(std::is_sorted(Percent.begin(), Percent.end()));
  EXPECT_EQ(std::adjacent_find(Percent.begin(), Percent.end()), Percent.end());
  Percent.clear();
  T.Resize(3, 3);
  T.Clear();
  EXPECT_TRUE(Percent.empty());
  // The signal reports the same steps, also to a listener without the event.
  T.Resize(300, 300);
  T.OnPercentDone = nullptr;
  QSignalSpy Spy(&T, &TDataTable::percentDone);
  T.Clear();
  ASSERT_GE(Spy.size(), 2);
  EXPECT_EQ(Spy.front().at(0).toInt(), 0);
  EXPECT_EQ(Spy.back().at(0).toInt(), 100);
}

TEST(DataTable, ClearZeroesElementsAndStatesButKeepsHeaders) {
  TDataTable T;
  Fill(T);
  T.SetCellState(1, 1, csMarkB);
  T.SetFComment("note");
  TRecorder Rec(T);
  T.Clear();
  EXPECT_EQ(T.GetElem(3, 4), 0);
  EXPECT_EQ(T.GetCellState(1, 1), 0);
  EXPECT_EQ(T.GetColName(2), "C2");
  EXPECT_EQ(T.Comment(), "note");
  EXPECT_EQ(Rec.Log, QStringList({"data"}));
}

TEST(DataTable, ResizeNotifiesOnlyRealChanges) {
  TDataTable T;
  TRecorder Rec(T);
  T.Resize(3, 4);
  T.Resize(3, 4);
  T.SetElem(1, 1, 2);
  T.SetMScaleType(1, mstRatio);
  T.SetMScaleType(1, mstRatio);
  EXPECT_EQ(Rec.Log, QStringList({"resize 0x0->3x4", "setup", "data", "setup"}));
}

TEST(DataTable, CopyFromCopiesEverything) {
  TDataTable A, B;
  Fill(A);
  A.SetCellState(2, 2, csMarkA);
  A.SetFComment("c");
  A.SetNominalID(1, 2, "x");
  B.Resize(1, 1);
  TRecorder Rec(B);
  B.CopyFrom(A);
  EXPECT_EQ(B.NrOfColumns(), 3);
  EXPECT_EQ(B.GetElem(3, 4), 34);
  EXPECT_EQ(B.GetCellState(2, 2), csMarkA);
  EXPECT_EQ(B.GetRowName(4), "R4");
  EXPECT_EQ(B.GetNominalID(1, 2), "x");
  EXPECT_EQ(B.Comment(), "c");
  EXPECT_EQ(Rec.Log, QStringList({"resize 1x1->3x4", "setup", "data"}));
  TDataTable C;
  C.Resize(2, 2);
  C.CopyCellStatesFrom(A);
  EXPECT_EQ(C.GetCellState(2, 2), csMarkA);
}

TEST(DataTable, MatrixFillBypassesTheStates) {
  TDataTable T;
  T.Resize(2, 2);
  T.SetCellState(1, 1, csEmpty);
  T.Matrix().Fill(4.5);
  EXPECT_EQ(T.GetElem(2, 2), 4.5);
  EXPECT_EQ(T.GetCellState(1, 1), csEmpty);
}

TEST(IntMatrix, ResizeAndRows) {
  TIntMatrix M;
  M.Resize(3, 8);
  M.SetVal(3, 8, -99999);
  M.SetVal(4, 1, 5);
  EXPECT_EQ(M.GetVal(3, 8), -99999);
  EXPECT_EQ(M.GetVal(4, 1), 0);
  M.SetNRows(9);
  EXPECT_EQ(M.NrOfColumns(), 3);
  EXPECT_EQ(M.NrOfRows(), 9);
  EXPECT_EQ(M.GetVal(3, 8), -99999);
  EXPECT_EQ(M.GetVal(3, 9), 0);
  M.SetNRows(0);
  EXPECT_EQ(M.NrOfRows(), 0);
  EXPECT_THROW(M.SetNRows(-1), EQORError);
  EXPECT_THROW(M.Resize(1 << 20, 1 << 20), EQORError);
  EXPECT_EQ(M.NrOfColumns(), 3);
}
