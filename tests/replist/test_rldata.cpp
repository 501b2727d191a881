#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringList>

#include "host/qor_app.h"
#include "replist/qor_rldata.h"

using namespace qor;

namespace {

// Columns x rows filled from Cells given row by row.
void Shape(TRLData& D, int Cols, int Rows, const QStringList& Cells = {}) {
  D.SetNrCols(Cols);
  D.SetNrRows(Rows);
  for (int I = 0; I < Cells.size(); ++I) D.SetElem(I % Cols + 1, I / Cols + 1, Cells[I]);
}

QStringList Col(const TRLData& D, int C) {
  QStringList L;
  for (int R = 1; R <= D.NrOfRows(); ++R) L << D.GetElem(C, R);
  return L;
}

}  // namespace

TEST(RLData, NewContainerAndColumnGrowth) {
  TRLData D;
  EXPECT_EQ(D.NrOfColumns(), 1);
  EXPECT_EQ(D.NrOfRows(), 0);
  EXPECT_EQ(D.Header(1), "C-1");
  EXPECT_EQ(D.CommonHeader(), "Qor Report Listview");
  EXPECT_EQ(D.LastSortColumn(), -1);
  EXPECT_TRUE(D.LastSortOrder());
  EXPECT_EQ(D.Strings().NrRows(), 1);  // an empty table keeps one physical row
  D.SetNrCols(2);
  D.SetColName(1, "Name");
  D.SetNrCols(4);
  EXPECT_EQ(D.Header(1), "Name");
  EXPECT_EQ(D.Header(2), "C-2");
  EXPECT_EQ(D.Header(3), "C-3");
  EXPECT_EQ(D.Header(4), "C-4");
  EXPECT_EQ(D.Header(5), "");
  D.SetNrCols(0);
  EXPECT_EQ(D.NrOfColumns(), 1);
  D.SetNrRows(-5);
  EXPECT_EQ(D.NrOfRows(), 0);
}

TEST(RLData, SizeFailuresNameThePropertyAndKeepTheCounts) {
  TRLData D;
  Shape(D, 2, 2, {"a", "b", "c", "d"});
  try {
    D.SetNrCols(TStringArray::MaxColumns + 1);
    FAIL() << "no exception";
  } catch (const EQORError& E) {
    EXPECT_TRUE(E.Message().contains("TRLData.NrOfColumns")) << E.what();
  }
  EXPECT_EQ(D.NrOfColumns(), 2);
  try {
    D.SetNrRows(TStringArray::MaxRows + 1);
    FAIL() << "no exception";
  } catch (const EQORError& E) {
    EXPECT_TRUE(E.Message().contains("TRLData.NrOfRows")) << E.what();
  }
  EXPECT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(D.GetElem(2, 2), "d");
}

TEST(RLData, ElemRangeHeaderAndFormatLimits) {
  TRLData D;
  Shape(D, 2, 1);
  D.SetElem(0, 1, "hidden");
  D.SetElem(3, 1, "x");
  D.SetElem(1, 2, "x");
  EXPECT_EQ(D.GetElem(0, 1), "hidden");
  EXPECT_EQ(D.GetElem(3, 1), "");
  EXPECT_EQ(D.GetElem(1, 0), "");
  D.SetColName(1, QString(60, u'h'));
  D.SetColumnFormat(2, QString(90, u'f'));
  D.SetColName(0, "nope");
  EXPECT_EQ(D.Header(1).size(), 50);
  EXPECT_EQ(D.ColumnFormat(2).size(), 80);
  EXPECT_EQ(D.Header(0), "");
  // Shrinking to no rows leaves nothing behind for later rows.
  D.SetElem(1, 1, "old");
  D.SetNrRows(0);
  D.SetNrRows(1);
  EXPECT_EQ(D.GetElem(1, 1), "");
  EXPECT_EQ(D.GetElem(0, 1), "");
}

TEST(RLData, CheckModeSwitchKeepsTextsAndEncodesFlags) {
  TRLData D;
  Shape(D, 1, 3, {"a", "", "b"});
  D.SetColumnCheckMode(1, cmBox);
  EXPECT_EQ(D.Strings().GetString(1, 1), " a");
  EXPECT_EQ(D.Strings().GetString(1, 2), "");
  EXPECT_EQ(D.Strings().GetString(1, 3), " b");
  EXPECT_EQ(Col(D, 1), (QStringList{"a", "", "b"}));
  for (int R = 1; R <= 3; ++R) EXPECT_FALSE(D.ElemChecked(1, R));
  EXPECT_TRUE(D.IsCheckedColumn(1));
  D.SetElemChecked(1, 2, true);
  EXPECT_EQ(D.Strings().GetString(1, 2), "X");
  D.SetElem(1, 2, "two");  // keeps the flag
  EXPECT_TRUE(D.ElemChecked(1, 2));
  EXPECT_EQ(D.GetElem(1, 2), "two");
  D.SetColumnCheckMode(1, cmNone);
  EXPECT_EQ(Col(D, 1), (QStringList{"a", "two", "b"}));
  EXPECT_FALSE(D.ElemChecked(1, 2));
  EXPECT_THROW(D.SetColumnCheckMode(1, TCheckMode(3)), EQORRLDataError);
}

TEST(RLData, ModeSwitchDoesNotNotifyPerCell) {
  TRLData D;
  Shape(D, 1, 3, {"a", "b", "c"});
  int Changes = 0;
  D.Strings().OnChange = [&](TObject*) { ++Changes; };
  D.SetColCheckMode(1, cmBox);
  EXPECT_EQ(Changes, 0);
  ASSERT_TRUE(static_cast<bool>(D.Strings().OnChange));  // restored afterwards
  D.Fill("z");
  EXPECT_EQ(Changes, 1);  // a bulk change is reported once
}

TEST(RLData, RadioColumnKeepsOneCheckedCell) {
  TRLData D;
  Shape(D, 2, 3, {"a", "", "b", "", "c", ""});
  D.SetColCheckMode(1, cmRadio);
  D.SetElemChecked(1, 1, true);
  D.SetElemChecked(1, 3, true);
  EXPECT_EQ(D.CountCheckedElemsInCol(1), 1);
  EXPECT_EQ(D.FirstCheckedElemInCol(1), 3);
  D.SetAllCheckmarksOfCol(1, true);  // cmBox columns only
  EXPECT_EQ(D.CountCheckedElemsInCol(1), 1);
  D.SetColCheckMode(1, cmBox);
  D.SetAllCheckmarksOfCol(1, true);
  EXPECT_EQ(D.CountCheckedElemsInCol(1), 3);
  D.SetColCheckMode(1, cmRadio);  // box to radio: everything unchecked
  EXPECT_EQ(D.CountCheckedElemsInCol(1), 0);
  EXPECT_EQ(Col(D, 1), (QStringList{"a", "b", "c"}));
}

TEST(RLData, InvertAndCountAcrossRowsAndColumns) {
  TRLData D;
  Shape(D, 3, 2, {"a", "b", "c", "", "e", "f"});
  D.SetCheckedCol(1, true);
  D.SetCheckedCol(3, true);
  D.SetElemChecked(3, 2, true);
  D.InvertAllCheckmarksOfCol(1);
  EXPECT_EQ(D.Strings().GetString(1, 2), "X");  // empty cells become checked
  EXPECT_TRUE(D.ElemChecked(1, 1));
  D.InvertAllCheckmarksOfCol(1);
  EXPECT_FALSE(D.ElemChecked(1, 1));
  D.SetElemChecked(1, 2, true);
  EXPECT_EQ(D.CountCheckedElemsInRow(2), 2);
  EXPECT_EQ(D.FirstCheckedElemInRow(2), 1);
  EXPECT_EQ(D.FirstCheckedElemInRow(1), 0);
  EXPECT_EQ(D.FirstCheckedElemInRow(3), 0);
  EXPECT_EQ(D.CountCheckedElemsInCol(2), 0);
  EXPECT_EQ(D.CountCheckedElemsInCol(9), 0);
  EXPECT_FALSE(D.ElemChecked(2, 1));  // no check mode
}

TEST(RLData, ColumnIndexPrefersTheLastMatch) {
  TRLData D;
  D.SetNrCols(3);
  D.SetColName(2, "Price EUR");
  EXPECT_EQ(D.ColumnIndex("c-", true), 3);
  EXPECT_EQ(D.ColumnIndex("C-1", false), 1);
  EXPECT_EQ(D.ColumnIndex("price", false), -1);
  EXPECT_EQ(D.ColumnIndex("PRICE", true), 2);
  EXPECT_EQ(D.ColumnIndex("", true), -1);
}

TEST(RLData, RemoveRowsCopyRowFillAndClear) {
  TRLData D;
  Shape(D, 2, 1, {"a", "b"});
  D.RemoveRow(1);
  EXPECT_EQ(D.NrOfRows(), 0);
  EXPECT_EQ(D.Strings().NrRows(), 1);
  EXPECT_EQ(D.Strings().GetString(1, 1), "");

  Shape(D, 2, 5, {"1", "", "", "", "3", "x", "", "", "", ""});
  D.SetElem(0, 4, "");
  D.SetCheckedCol(2, true);
  D.SetElemChecked(2, 2, false);  // a flag alone counts as empty
  D.Strings().SetRowAttrib(3, 0x80);
  D.RemoveEmptyRows();
  EXPECT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(Col(D, 1), (QStringList{"1", "3"}));
  EXPECT_EQ(D.Strings().GetRowAttrib(2), 0x80);

  D.CopyRow(2, 1);
  D.CopyRow(2, 7);  // out of range: nothing
  EXPECT_EQ(Col(D, 2), (QStringList{"x", "x"}));
  EXPECT_EQ(D.Strings().GetRowAttrib(1), 0x80);

  D.SetElemChecked(2, 1, true);
  D.Fill("f");
  EXPECT_EQ(D.Strings().GetString(2, 1), "Xf");
  EXPECT_EQ(D.Strings().GetString(2, 2), " f");
  EXPECT_EQ(Col(D, 1), (QStringList{"f", "f"}));

  D.SetColName(1, "Head");
  D.SetColumnFormat(1, "[s][10]");
  D.Clear();
  EXPECT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(D.Header(1), "C-1");
  EXPECT_EQ(D.ColumnFormat(1), "");
  EXPECT_EQ(D.ColumnCheckMode(2), cmNone);
  EXPECT_EQ(D.GetElem(1, 1), "");
}

TEST(RLData, RemoveEmptyRowsOfAnAllEmptyTableKeepsOnePhysicalRow) {
  TRLData D;
  Shape(D, 1, 4);
  D.RemoveEmptyRows();
  EXPECT_EQ(D.NrOfRows(), 0);
  EXPECT_EQ(D.Strings().NrRows(), 1);
}

TEST(RLData, RemoveRowCommitsTheSortOrder) {
  TRLData D;
  Shape(D, 1, 3, {"c", "a", "b"});
  D.Sort(1, -1, true);
  EXPECT_EQ(D.LastSortColumn(), 1);
  D.RemoveRow(1);
  EXPECT_EQ(Col(D, 1), (QStringList{"b", "c"}));
  D.UnSort();
  EXPECT_EQ(Col(D, 1), (QStringList{"b", "c"}));
  EXPECT_EQ(D.LastSortColumn(), -1);
  EXPECT_EQ(D.SortColumnSec(), -1);
}

TEST(RLData, SortRelaysExchangesAndProgressWithItselfAsSender) {
  TRLData D;
  Shape(D, 1, 300);
  for (int R = 1; R <= 300; ++R) D.SetElem(1, R, QString::number(301 - R));
  int Exchanges = 0, Last = -1;
  D.OnBeforeSortExchange = [&](TObject* S, const QString&, QString&) {
    EXPECT_EQ(S, &D);
    ++Exchanges;
  };
  D.OnPercentDone = [&](TObject* S, int P) {
    EXPECT_EQ(S, &D);
    Last = P;
  };
  QSignalSpy Spy(&D, &TRLData::percentDone);
  D.Sort(1, -1, true);
  EXPECT_EQ(Exchanges, 150);
  EXPECT_EQ(Last, 100);
  ASSERT_FALSE(Spy.empty());
  EXPECT_EQ(Spy.back().at(0).toInt(), 100);
  EXPECT_EQ(D.GetElem(1, 1), "1");
  EXPECT_DOUBLE_EQ(D.AsNumber(1, 300), 300);
}

TEST(RLData, DefaultValuesFromTheColumnFormat) {
  TRLData D;
  Shape(D, 8, 1);
  D.SetColumnFormat(1, "[i][50]rix4");
  D.SetColumnFormat(2, "[h][50]RIX2");
  D.SetColumnFormat(3, "[s][80]$pwd$8");
  D.SetColumnFormat(4, "[l:5][60]one|two|three");
  D.SetColumnFormat(5, "[f][50]rix2");
  D.SetColumnFormat(6, "[#s][50]fixed");
  D.SetColumnFormat(7, "[s][50]plain");
  D.SetColumnFormat(8, "[i]");
  EXPECT_EQ(D.DefaultValue(1, 7), "0007");
  EXPECT_EQ(D.DefaultValue(1, 123456), "3456");
  EXPECT_EQ(D.DefaultValue(1, -12), "-0012");
  EXPECT_EQ(D.DefaultValue(2, 255), "FF");
  EXPECT_EQ(D.DefaultValue(2, 0x1234), "34");
  EXPECT_EQ(D.DefaultValue(3, 1).size(), 8);
  EXPECT_EQ(D.DefaultValue(4, 1), "one");
  EXPECT_EQ(D.DefaultValue(5, 3), "3.00");
  EXPECT_EQ(D.DefaultValue(6, 1), "");
  EXPECT_EQ(D.DefaultValue(7, 1), "plain");
  EXPECT_EQ(D.DefaultValue(8, 1), "");
  D.SetColumnFormat(1, "[i][5]rix0");
  EXPECT_EQ(D.DefaultValue(1, 42), "2");
  D.SetColumnFormat(1, "[h][5]rix99");
  EXPECT_EQ(D.DefaultValue(1, -1), "FFFFFFFF");
}

TEST(RLData, ClipboardWithSeparatorTabsAndFixedWidth) {
  TRLData D;
  Shape(D, 2, 2, {"1", "2", "3", "4"});
  D.SetColName(1, "A");
  D.SetColName(2, "B");
  D.CopyToClipBoard(1, 1, 2, 2, true, ';');
  EXPECT_EQ(host::ClipboardText(), "A;B\n\n1;2\n3;4\n");
  D.CopyToClipBoard(1, 2, 2, 2, false, true);
  EXPECT_EQ(host::ClipboardText(), "3\t4\n");
  D.SetElem(1, 1, "long");
  D.SetCheckedCol(2, true);  // the flag counts for the width
  D.CopyToClipBoard(1, 1, 2, 2, true, false);
  EXPECT_EQ(host::ClipboardText(), "A    B  \n\nlong 2  \n3    4  \n");
  // A range far beyond the table gives only what the table holds.
  D.CopyToClipBoard(0, -5, 99, 1000000000, false, QChar(u','));
  EXPECT_EQ(host::ClipboardText(), ",long,2\n,3,4\n");
}

TEST(RLData, AssignCopiesContentOrderAndSettings) {
  TRLData A, B;
  Shape(A, 2, 3, {"c", "1", "a", "2", "b", "3"});
  A.SetColName(2, "Num");
  A.SetColumnFormat(1, "[s][9]");
  A.SetColCheckMode(2, cmRadio);
  A.SetElemChecked(2, 3, true);
  A.SetComment("note");
  A.SetDataID("id7");
  A.SetCommonHeader("Common");
  A.SetSortToggle(false);
  A.Strings().SetRowAttrib(1, 0x40);
  A.Sort(1, -1, true);
  B.Assign(A);
  EXPECT_EQ(Col(B, 1), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(B.Header(2), "Num");
  EXPECT_EQ(B.ColumnFormat(1), "[s][9]");
  EXPECT_EQ(B.ColumnCheckMode(2), cmRadio);
  EXPECT_EQ(B.FirstCheckedElemInCol(2), 2);
  EXPECT_EQ(B.Comment(), "note");
  EXPECT_EQ(B.DataID(), "id7");
  EXPECT_EQ(B.CommonHeader(), "Common");
  EXPECT_FALSE(B.SortToggle());
  EXPECT_EQ(B.LastSortColumn(), 1);
  EXPECT_EQ(B.Strings().GetRowAttrib(3), 0x40);
  B.UnSort();
  EXPECT_EQ(Col(B, 1), (QStringList{"c", "a", "b"}));
  // Independent copies.
  B.SetElem(1, 1, "changed");
  EXPECT_EQ(A.GetElem(1, 3), "c");
  TRLData C;
  A.AssignTo(C);
  EXPECT_EQ(C.NrOfRows(), 3);
}

TEST(RLData, RemoveEmptyRowsKeptAnEmptyFirstRow) {
  TRLData D;
  D.SetNrCols(2);
  D.SetNrRows(3);
  D.SetElem(2, 2, "a");
  D.Strings().SetRowAttrib(2, TRLData::RowSelectedBit);
  D.RemoveEmptyRows();
  ASSERT_EQ(D.NrOfRows(), 1);
  EXPECT_EQ(D.Elem(2, 1), "a");
  EXPECT_EQ(D.Strings().GetRowAttrib(1), TRLData::RowSelectedBit);
  // A check column holding only a flag counts as empty, here in the first row.
  D.SetNrRows(3);
  D.SetColCheckMode(1, cmBox);
  D.SetElemChecked(1, 1, true);
  D.SetElem(2, 3, "b");
  D.RemoveEmptyRows();
  ASSERT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(D.Elem(2, 1), "a");
  EXPECT_EQ(D.Elem(2, 2), "b");
}
