// TRLData against a plain reference: random operations are applied to both,
// and after every step the two must agree on everything the container shows.
// A seed that ever failed is kept in RegressionSeeds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

#include "replist/qor_rldata.h"

using namespace qor;

namespace {

// Seed 1 found RemoveEmptyRows keeping an empty first row (step 51).
constexpr std::uint32_t RegressionSeeds[] = {1u};
constexpr std::uint32_t MainSeed = 20261208u;
constexpr int MainSteps = 100000;

// The content as the container documents it: rows in the current order, each
// with its stored texts (check flags included) of columns 0..Cols, its
// attribute byte and its position in the stored order.
struct TRow {
  std::vector<QString> Cells;
  std::uint8_t Attrib = 0;
  int Stored = 0;  // 0-based
};

struct TReference {
  int Cols = 1;
  std::vector<TRow> Rows;
  std::vector<QString> Names{"C-1"}, Formats{""};
  std::vector<TCheckMode> Modes{cmNone};
  QString CommonHeader = "Qor Report Listview", Comment;
  int SortCol = -1, SortSec = -1;
  bool SortAsc = true;

  static QString Cut(const QString& S, int Max) {
    if (S.size() <= Max) return S;
    return S.left(Max - (S[Max - 1].isHighSurrogate() ? 1 : 0));
  }
  bool CheckCol(int C) const { return C >= 1 && C <= Cols && Modes[C - 1] != cmNone; }
  int N() const { return int(Rows.size()); }
  TRow BlankRow(int Stored) const { return {std::vector<QString>(Cols + 1), 0, Stored}; }

  // Positions in the stored order become 0..N-1 again, keeping their ranks.
  void Renumber() {
    std::vector<int> ByStored(Rows.size());
    for (std::size_t I = 0; I < Rows.size(); ++I) ByStored[I] = int(I);
    std::sort(ByStored.begin(), ByStored.end(),
              [&](int A, int B) { return Rows[A].Stored < Rows[B].Stored; });
    for (std::size_t K = 0; K < ByStored.size(); ++K) Rows[ByStored[K]].Stored = int(K);
  }
  void Commit() {
    for (int I = 0; I < N(); ++I) Rows[I].Stored = I;
  }
  void SetRows(int Count) {
    Count = std::max(Count, 0);
    if (Count < N()) {
      Rows.resize(Count);
      Renumber();
    }
    while (N() < Count) Rows.push_back(BlankRow(N()));
  }
  void SetCols(int Count) {
    Count = std::max(Count, 1);
    for (TRow& R : Rows) R.Cells.resize(Count + 1);
    for (int C = Cols + 1; C <= Count; ++C) Names.push_back("C-" + QString::number(C));
    Names.resize(Count);
    Formats.resize(Count);
    Modes.resize(Count, cmNone);
    Cols = Count;
  }
  void SetElem(int C, int R, const QString& V) {
    if (C < 0 || C > Cols || R < 1 || R > N()) return;
    QString& Cell = Rows[R - 1].Cells[C];
    if (!CheckCol(C)) Cell = Cut(V, 255);
    else Cell = Cut((Cell.isEmpty() ? QString(" ") : QString(Cell[0])) + V, 255);
  }
  void SetFlag(int C, int R, bool On) {
    QString& Cell = Rows[R - 1].Cells[C];
    const QString Flag = On ? "X" : " ";
    Cell = Cell.isEmpty() ? Flag : Flag + Cell.mid(1);
  }
  void SetChecked(int C, int R, bool On) {
    if (!CheckCol(C) || R < 1 || R > N()) return;
    if (Modes[C - 1] == cmRadio)
      for (int K = 1; K <= N(); ++K) SetFlag(C, K, false);
    SetFlag(C, R, On);
  }
  void SetMode(int C, TCheckMode M) {
    if (C < 1 || C > Cols || Modes[C - 1] == M) return;
    const TCheckMode Old = Modes[C - 1];
    for (TRow& R : Rows) {
      QString& Cell = R.Cells[C];
      if (Old == cmNone && !Cell.isEmpty()) Cell = Cut(" " + Cell, 255);
      else if (M == cmNone && !Cell.isEmpty()) Cell = Cell.mid(1);
    }
    if (Old == cmBox && M == cmRadio)
      for (int K = 1; K <= N(); ++K) SetFlag(C, K, false);
    Modes[C - 1] = M;
  }
  QString Elem(int C, int R) const {
    const QString& Cell = Rows[R - 1].Cells[C];
    return CheckCol(C) && !Cell.isEmpty() ? Cell.mid(1) : Cell;
  }
  bool Checked(int C, int R) const {
    const QString& Cell = Rows[R - 1].Cells[C];
    return CheckCol(C) && !Cell.isEmpty() && Cell[0] != u' ';
  }
  bool RowIsEmpty(int R) const {
    for (int C = 0; C <= Cols; ++C)
      if (!Elem(C, R).isEmpty()) return false;
    return true;
  }
  void RemoveRow(int R) {
    if (R < 1 || R > N()) return;
    Commit();
    Rows.erase(Rows.begin() + (R - 1));
    Commit();
  }
  void RemoveEmptyRows() {
    Commit();
    std::vector<TRow> Kept;
    for (int R = 1; R <= N(); ++R)
      if (!RowIsEmpty(R)) Kept.push_back(Rows[R - 1]);
    Rows.swap(Kept);
    Commit();
  }
  void Fill(const QString& S) {
    for (int C = 1; C <= Cols; ++C)
      for (TRow& R : Rows) {
        QString& Cell = R.Cells[C];
        if (!CheckCol(C)) Cell = Cut(S, 255);
        else Cell = Cut((!Cell.isEmpty() && Cell[0] != u' ' ? "X" : " ") + S, 255);
      }
  }
  void Clear() {
    for (TRow& R : Rows) std::fill(R.Cells.begin(), R.Cells.end(), QString());
    for (int C = 1; C <= Cols; ++C) {
      Names[C - 1] = "C-" + QString::number(C);
      Formats[C - 1].clear();
      Modes[C - 1] = cmNone;
    }
  }
  void Sort(int Col, int Sec, bool Asc) {
    SortCol = Col;
    SortSec = Sec;
    SortAsc = Asc;
    if (Col < 0 || Col > Cols) return;
    if (Sec < 0 || Sec > Cols || Sec == Col) Sec = -1;
    const QCollator Collator = CellCollator();
    std::stable_sort(Rows.begin(), Rows.end(), [&](const TRow& A, const TRow& B) {
      int O = CompareCellTexts(A.Cells[Col], B.Cells[Col], Collator);
      if (O == 0 && Sec >= 0) O = CompareCellTexts(A.Cells[Sec], B.Cells[Sec], Collator);
      return Asc ? O < 0 : O > 0;
    });
  }
  void UnSort() {
    SortCol = SortSec = -1;
    std::sort(Rows.begin(), Rows.end(), [](const TRow& A, const TRow& B) { return A.Stored < B.Stored; });
  }
  // What reading a written copy gives: the current order stored, no
  // attributes, no sort.
  void AfterRead() {
    Commit();
    for (TRow& R : Rows) R.Attrib = 0;
    SortCol = SortSec = -1;
  }
  QString Clipboard(int L, int T, int Rt, int B, bool Header, QChar Sep) const {
    L = std::max(L, 0);
    Rt = std::min(Rt, Cols);
    T = std::max(T, 1);
    B = std::min(B, N());
    QString Out;
    if (Header) {
      for (int C = L; C <= Rt; ++C) Out += (C > L ? QString(Sep) : QString()) + (C >= 1 ? Names[C - 1] : QString());
      Out += "\n\n";
    }
    for (int R = T; R <= B; ++R) {
      for (int C = L; C <= Rt; ++C) Out += (C > L ? QString(Sep) : QString()) + Elem(C, R);
      Out += "\n";
    }
    return Out;
  }
};

// Texts that exercise cutting, flags, numbers, collation, case and escaping.
QString RandomText(std::mt19937& Rng) {
  static const QStringList Pool{"",      "a",     "A",     "b",      "B b",  "10",   "9",
                                "-2",    "1.5E1", " 7",    "x1",     "äpfel", "Zebra", "zebra",
                                "&amp;", "<a>",   "\"q\"", "tab\tx", "日本",  "X",    " ",
                                "\U0001F600", "1.0", "1"};
  switch (Rng() % 8) {
    case 0: return QString(int(250 + Rng() % 10), QChar(char16_t(u'a' + Rng() % 3)));
    case 1: {
      QString S;
      for (int I = int(Rng() % 6); I > 0; --I) S += QChar(char16_t(Rng() % 0x80 + (Rng() % 4 == 0 ? 0xD7F0 : 0)));
      return S;
    }
    default: return Pool[int(Rng() % Pool.size())];
  }
}

class TModelRun {
 public:
  explicit TModelRun(std::uint32_t Seed) : FRng(Seed) {}

  // Runs Steps random operations; false (with a message) at the first disagreement.
  bool Run(int Steps, std::string& Failure) {
    for (FStep = 1; FStep <= Steps; ++FStep) {
      Apply();
      if (!Agree(Failure)) return false;
    }
    return true;
  }

 private:
  int Pick(int Lo, int Hi) { return Lo + int(FRng() % unsigned(Hi - Lo + 1)); }

  void Apply() {
    const int N = FRef.N(), C = FRef.Cols;
    std::ostringstream Op;
    switch (FRng() % 40) {
      case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: {
        const int Col = Pick(-1, C + 1), Row = Pick(0, N + 1);
        const QString V = RandomText(FRng);
        Op << "SetElem(" << Col << "," << Row << ")";
        FData.SetElem(Col, Row, V);
        FRef.SetElem(Col, Row, V);
        break;
      }
      case 8: case 9: case 10: {
        const int Col = Pick(0, C + 1), Row = Pick(0, N + 1);
        const bool On = FRng() % 2;
        Op << "SetElemChecked(" << Col << "," << Row << "," << On << ")";
        FData.SetElemChecked(Col, Row, On);
        FRef.SetChecked(Col, Row, On);
        break;
      }
      case 11: case 12: {
        const int Col = Pick(0, C + 1);
        const auto M = TCheckMode(FRng() % 3);
        Op << "SetColCheckMode(" << Col << "," << int(M) << ")";
        FData.SetColCheckMode(Col, M);
        FRef.SetMode(Col, M);
        break;
      }
      case 13: case 14: {
        if (N == 0) break;
        const int Row = Pick(1, N);
        const auto A = std::uint8_t(FRng() % 256);
        Op << "SetRowAttrib(" << Row << ")";
        FData.Strings().SetRowAttrib(Row, A);
        FRef.Rows[Row - 1].Attrib = A;
        break;
      }
      case 15: {
        if (N == 0) break;
        const int Row = Pick(1, N);
        Op << "InsertRow(" << Row << ")";
        // Unsorted, the new row takes its place in the stored order too;
        // sorted, it is stored last.
        const bool Sorted = FData.Strings().IsSorted();
        FData.Strings().InsertRow(Row);
        FData.SetNrRows(N + 1);
        TRow New = FRef.BlankRow(Sorted ? N : Row - 1);
        if (!Sorted)
          for (TRow& R : FRef.Rows) R.Stored += R.Stored >= Row - 1 ? 1 : 0;
        FRef.Rows.insert(FRef.Rows.begin() + (Row - 1), New);
        break;
      }
      case 16: case 17: {
        const int Row = Pick(0, N + 1);
        Op << "RemoveRow(" << Row << ")";
        FData.RemoveRow(Row);
        FRef.RemoveRow(Row);
        break;
      }
      case 18: Op << "RemoveEmptyRows"; FData.RemoveEmptyRows(); FRef.RemoveEmptyRows(); break;
      case 19: {
        const int From = Pick(0, N + 1), To = Pick(0, N + 1);
        Op << "CopyRow(" << From << "," << To << ")";
        FData.CopyRow(From, To);
        if (From >= 1 && From <= N && To >= 1 && To <= N && From != To) {
          FRef.Rows[To - 1].Cells = FRef.Rows[From - 1].Cells;
          FRef.Rows[To - 1].Attrib = FRef.Rows[From - 1].Attrib;
        }
        break;
      }
      case 20: case 21: case 22: case 23: {
        const int Col = Pick(0, C), Sec = Pick(-1, C);
        const bool Asc = FRng() % 2;
        Op << "Sort(" << Col << "," << Sec << "," << Asc << ")";
        FData.Sort(Col, Sec, Asc);
        FRef.Sort(Col, Sec, Asc);
        break;
      }
      case 24: case 25: Op << "UnSort"; FData.UnSort(); FRef.UnSort(); break;
      case 26: {
        const QString V = RandomText(FRng);
        Op << "Fill";
        FData.Fill(V);
        FRef.Fill(V);
        break;
      }
      case 27: if (FRng() % 4 == 0) { Op << "Clear"; FData.Clear(); FRef.Clear(); } break;
      case 28: case 29: {
        const int Rows = Pick(-1, 12);
        Op << "SetNrRows(" << Rows << ")";
        FData.SetNrRows(Rows);
        FRef.SetRows(Rows);
        break;
      }
      case 30: {
        const int Cols = Pick(0, 5);
        Op << "SetNrCols(" << Cols << ")";
        FData.SetNrCols(Cols);
        FRef.SetCols(Cols);
        break;
      }
      case 31: {
        const int Col = Pick(0, C + 1);
        const QString V = RandomText(FRng) + RandomText(FRng);
        Op << "SetColName/Format(" << Col << ")";
        FData.SetColName(Col, V);
        FData.SetColumnFormat(Col, V);
        if (Col >= 1 && Col <= C) {
          FRef.Names[Col - 1] = TReference::Cut(V, TRLData::MaxHeaderLength);
          FRef.Formats[Col - 1] = TReference::Cut(V, TRLData::MaxFormatLength);
        }
        break;
      }
      case 32: {
        const QString V = RandomText(FRng);
        Op << "Header/Comment";
        FData.SetCommonHeader(V);
        FData.SetComment(V + "\n" + V);
        FRef.CommonHeader = V;
        FRef.Comment = V + "\n" + V;
        break;
      }
      case 33: case 34: {
        // Through a string, or through a stream holding a second list behind it.
        Op << "XML round trip";
        TRLData Copy;
        if (FRng() % 2) {
          if (!Copy.ReadFromXMLString(FData.WriteToXMLString("m"), "M")) FReadFailed = true;
        } else {
          QByteArray Doc;
          QBuffer Buf(&Doc);
          Buf.open(QIODevice::ReadWrite);
          FData.WriteToXMLStream(&Buf, true, "m");
          Copy.WriteToXMLStream(&Buf, false, "other");
          Buf.seek(0);
          if (!Copy.ReadFromXMLStream(&Buf, "") || !FOther.ReadFromXMLStream(&Buf, "other"))
            FReadFailed = true;
        }
        FData.Assign(Copy);
        FRef.AfterRead();
        FRef.SortAsc = Copy.LastSortOrder();  // the copy's, which was never sorted
        break;
      }
      case 35: {
        Op << "Assign";
        TRLData Copy;
        Copy.Assign(FData);
        FData.SetNrRows(0);
        FData.Assign(Copy);
        break;
      }
      case 36: {
        if (FRng() % 8) break;
        const int L = Pick(-1, C + 1), T = Pick(-1, N + 1), Rt = Pick(-1, C + 1), B = Pick(-1, N + 1);
        const bool Header = FRng() % 2;
        const QChar Sep = FRng() % 2 ? QChar(u'\t') : QChar(u';');
        Op << "CopyToClipBoard";
        FData.CopyToClipBoard(L, T, Rt, B, Header, Sep);
        if (QApplication::clipboard()->text() != FRef.Clipboard(L, T, Rt, B, Header, Sep))
          FClipboardFailed = true;
        break;
      }
      default: Op << "nothing"; break;
    }
    FLastOp = Op.str();
  }

  bool Agree(std::string& Failure) {
    std::ostringstream Why;
    const auto Fail = [&](const std::string& What) {
      Why << "step " << FStep << " after " << FLastOp << ": " << What;
      Failure = Why.str();
      return false;
    };
    if (FReadFailed) return Fail("a written list could not be read back");
    if (FClipboardFailed) return Fail("clipboard text differs");
    if (FData.NrOfColumns() != FRef.Cols) return Fail("column count");
    if (FData.NrOfRows() != FRef.N()) return Fail("row count");
    if (FData.LastSortColumn() != FRef.SortCol || FData.SortColumnSec() != FRef.SortSec ||
        FData.LastSortOrder() != FRef.SortAsc)
      return Fail("sort state");
    if (FData.CommonHeader() != FRef.CommonHeader || FData.Comment() != FRef.Comment)
      return Fail("common header or comment");
    for (int C = 1; C <= FRef.Cols; ++C) {
      if (FData.Header(C) != FRef.Names[C - 1] || FData.ColumnFormat(C) != FRef.Formats[C - 1] ||
          FData.ColumnCheckMode(C) != FRef.Modes[C - 1])
        return Fail("settings of column " + std::to_string(C));
    }
    for (int R = 1; R <= FRef.N(); ++R) {
      const TRow& Row = FRef.Rows[R - 1];
      if (FData.Strings().GetRowAttrib(R) != Row.Attrib) return Fail("attribute of row " + std::to_string(R));
      if (FData.Strings().GetSortOrder(R) != Row.Stored + 1)
        return Fail("stored position of row " + std::to_string(R));
      for (int C = 0; C <= FRef.Cols; ++C) {
        if (FData.Strings().GetString(C, R) != Row.Cells[C] || FData.Elem(C, R) != FRef.Elem(C, R) ||
            FData.ElemChecked(C, R) != FRef.Checked(C, R))
          return Fail("cell " + std::to_string(C) + "," + std::to_string(R) + ": \"" +
                      FData.Strings().GetString(C, R).toStdString() + "\" instead of \"" +
                      Row.Cells[C].toStdString() + "\"");
      }
    }
    for (int C = 1; C <= FRef.Cols; ++C) {
      int Count = 0, First = 0;
      for (int R = 1; R <= FRef.N(); ++R)
        if (FRef.Checked(C, R)) {
          ++Count;
          if (!First) First = R;
        }
      if (FData.CountCheckedElemsInCol(C) != Count || FData.FirstCheckedElemInCol(C) != First)
        return Fail("check marks of column " + std::to_string(C));
    }
    return true;
  }

  std::mt19937 FRng;
  TRLData FData, FOther;
  TReference FRef;
  int FStep = 0;
  std::string FLastOp;
  bool FReadFailed = false, FClipboardFailed = false;
};

}  // namespace

TEST(RLDataModel, RandomOperationsAgreeWithAPlainReference) {
  TModelRun Run(MainSeed);
  std::string Failure;
  EXPECT_TRUE(Run.Run(MainSteps, Failure)) << "seed " << MainSeed << ": " << Failure;
}

TEST(RLDataModel, KeptSeedsStillAgree) {
  for (const std::uint32_t Seed : RegressionSeeds) {
    TModelRun Run(Seed);
    std::string Failure;
    EXPECT_TRUE(Run.Run(20000, Failure)) << "seed " << Seed << ": " << Failure;
  }
  // Fresh seeds on every run, reported when one fails.
  const std::uint32_t Fresh = std::random_device{}();
  TModelRun Run(Fresh);
  std::string Failure;
  EXPECT_TRUE(Run.Run(5000, Failure)) << "seed " << Fresh << " (keep it in RegressionSeeds): " << Failure;
}
