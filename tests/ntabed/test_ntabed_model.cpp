// TNTabEd against a plain reference matrix: 10^5 random editor operations,
// compared after every step (size, values, states, decimal places).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ntabed/qor_ntabed.h"

namespace qor {
namespace {

struct TCell {
  double V = 0;
  std::uint8_t S = 0;
  bool operator==(const TCell&) const = default;
};

// The reference: columns of cells, decimal places per column.
struct TModel {
  std::vector<std::vector<TCell>> Cols;
  std::vector<int> Dec;
  std::vector<std::vector<TCell>> Buffer;  // the copy buffer, by column
  bool HasBuffer = false;

  int NC() const { return int(Cols.size()); }
  int NR() const { return Cols.empty() ? 0 : int(Cols[0].size()); }
  bool Inside(int C, int R) const { return C >= 1 && C <= NC() && R >= 1 && R <= NR(); }
  TCell& At(int C, int R) { return Cols[size_t(C - 1)][size_t(R - 1)]; }
  void Resize(int C, int R) {
    const int LastDec = Dec.empty() ? 3 : Dec.back();
    Cols.resize(size_t(C));
    for (auto& Col : Cols) Col.resize(size_t(R));
    Dec.resize(size_t(C), LastDec);
  }
};

class Rng {
 public:
  explicit Rng(unsigned Seed) : FGen(Seed) {}
  int Int(int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(FGen); }
  double Value() {
    switch (Int(0, 3)) {
      case 0: return 0;
      case 1: return Int(-5, 5);
      case 2: return Int(-1000, 1000) / 8.0;
      default: return std::uniform_real_distribution<double>(-1e6, 1e6)(FGen);
    }
  }

 private:
  std::mt19937 FGen;
};

void ExpectSame(TNTabEd& E, TModel& M, long Step, int Op) {
  ASSERT_EQ(E.NrOfColumns(), M.NC()) << "step " << Step << " op " << Op;
  ASSERT_EQ(E.NrOfRows(), M.NR()) << "step " << Step << " op " << Op;
  ASSERT_EQ(E.ColCount(), M.NC() + (E.AttribRowVisible() ? 2 : 1));
  ASSERT_EQ(E.RowCount(), M.NR() + (E.AttribColVisible() ? 2 : 1));
  for (int C = 1; C <= M.NC(); ++C) {
    ASSERT_EQ(int(std::int8_t(E.Precision(C))), M.Dec[size_t(C - 1)])
        << "step " << Step << " op " << Op << " col " << C;
    for (int R = 1; R <= M.NR(); ++R) {
      ASSERT_EQ(E.Elem(C, R), M.At(C, R).V) << "step " << Step << " op " << Op << " at " << C << "," << R;
      ASSERT_EQ(E.CellState(C, R), M.At(C, R).S) << "step " << Step << " op " << Op << " at " << C << "," << R;
    }
  }
}

TEST(NTabEdModel, HundredThousandRandomOperationsAgreeWithAReferenceMatrix) {
  TNTabEd E;
  TModel M;
  M.Resize(3, 4);
  Rng G(20261208);
  constexpr long Steps = 100000;
  long Done = 0;
  std::array<int, 23> PerOp{};
  for (long Step = 0; Step < Steps; ++Step, ++Done) {
    const int Op = G.Int(0, 22);
    ++PerOp[size_t(Op)];
    // Indices may fall one beyond the table on either side.
    const int C = G.Int(0, M.NC() + 1), R = G.Int(0, M.NR() + 1);
    switch (Op) {
      case 0:
      case 1: {
        const double V = G.Value();
        E.SetElem(C, R, V);
        if (M.Inside(C, R)) M.At(C, R).V = V;
        break;
      }
      case 2: {
        const auto S = std::uint8_t(G.Int(0, 255));
        if (!M.Inside(C, R)) break;  // the table's own store ignores writes outside
        E.SetCellState(C, R, S);
        M.At(C, R).S = S;
        break;
      }
      case 3: {
        const std::uint8_t Bit = std::array<std::uint8_t, 3>{csMarkA, csMarkB, csEmpty}[size_t(G.Int(0, 2))];
        const bool On = G.Int(0, 1);
        if (Bit == csMarkA) E.SetElemMarkedA(C, R, On);
        else if (Bit == csMarkB) E.SetElemMarkedB(C, R, On);
        else E.SetIsEmpty(C, R, On);
        if (M.Inside(C, R)) M.At(C, R).S = On ? M.At(C, R).S | Bit : M.At(C, R).S & ~Bit;
        break;
      }
      case 4: {
        if (M.NR() >= 8) break;
        E.InsertRow(R);
        if (R >= 1 && R <= M.NR() + 1)
          for (auto& Col : M.Cols) Col.insert(Col.begin() + (R - 1), TCell{});
        break;
      }
      case 5: {
        if (M.NC() >= 8) break;
        E.InsertColumn(C);
        if (C >= 1 && C <= M.NC() + 1) {
          M.Cols.insert(M.Cols.begin() + (C - 1), std::vector<TCell>(size_t(M.NR())));
          const int D = C <= M.NC() - 1 ? M.Dec[size_t(C - 1)] : M.Dec.back();
          M.Dec.insert(M.Dec.begin() + (C - 1), D);
        }
        break;
      }
      case 6:
        E.RemoveRow(R);
        if (R >= 1 && R <= M.NR() && M.NR() >= 2)
          for (auto& Col : M.Cols) Col.erase(Col.begin() + (R - 1));
        break;
      case 7:
        E.RemoveColumn(C);
        if (C >= 1 && C <= M.NC() && M.NC() >= 2) {
          M.Cols.erase(M.Cols.begin() + (C - 1));
          M.Dec.erase(M.Dec.begin() + (C - 1));
        }
        break;
      case 8:
        if (G.Int(0, 1)) {
          E.MirrorColumns();
          std::reverse(M.Cols.begin(), M.Cols.end());
          std::reverse(M.Dec.begin(), M.Dec.end());
        } else {
          E.MirrorRows();
          for (auto& Col : M.Cols) std::reverse(Col.begin(), Col.end());
        }
        break;
      case 9: {
        if (!M.Inside(C, 1)) break;
        const bool Asc = G.Int(0, 1);
        E.SortRows(C, Asc, 1, 1, M.NC(), M.NR(), G.Int(0, 1));
        std::vector<int> Order(size_t(M.NR()));
        for (int I = 0; I < M.NR(); ++I) Order[size_t(I)] = I;
        const auto& Key = M.Cols[size_t(C - 1)];
        const auto IsNum = [&](int I) { return (Key[size_t(I)].S & (csInvalid | csEmpty)) == 0; };
        std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
          if (IsNum(A) != IsNum(B)) return IsNum(A);
          if (!IsNum(A)) return false;
          return Asc ? Key[size_t(A)].V < Key[size_t(B)].V : Key[size_t(B)].V < Key[size_t(A)].V;
        });
        for (auto& Col : M.Cols) {
          std::vector<TCell> Old = Col;
          for (int I = 0; I < M.NR(); ++I) Col[size_t(I)] = Old[size_t(Order[size_t(I)])];
        }
        break;
      }
      case 10: {
        const int NC = G.Int(1, 7), NR = G.Int(1, 7);
        if (G.Int(0, 1)) E.Redimension(NC, NR);
        else if (G.Int(0, 1)) {
          E.SetNrOfColumns(NC);
          M.Resize(NC, M.NR());
          break;
        } else {
          E.SetNrOfRows(NR);
          M.Resize(M.NC(), NR);
          break;
        }
        M.Resize(NC, NR);
        break;
      }
      case 11:
      case 12: {
        // Select a block, then copy it.
        const int L = G.Int(1, M.NC()), T = G.Int(1, M.NR());
        const int Rt = G.Int(L, M.NC()), B = G.Int(T, M.NR());
        E.SetSelection({L + 1, T, Rt + 1, B});
        E.CopySelection();
        M.Buffer.assign(size_t(Rt - L + 1), std::vector<TCell>(size_t(B - T + 1)));
        for (int X = L; X <= Rt; ++X)
          for (int Y = T; Y <= B; ++Y) M.Buffer[size_t(X - L)][size_t(Y - T)] = M.At(X, Y);
        M.HasBuffer = true;
        break;
      }
      case 13: {
        // Paste at a random cell; cells beyond the table are dropped.
        const int L = G.Int(1, M.NC()), T = G.Int(1, M.NR());
        E.SetSelection({L + 1, T, L + 1, T});
        E.PasteBlock();
        if (!M.HasBuffer) break;
        for (size_t X = 0; X < M.Buffer.size(); ++X)
          for (size_t Y = 0; Y < M.Buffer[X].size(); ++Y)
            if (M.Inside(L + int(X), T + int(Y))) M.At(L + int(X), T + int(Y)) = M.Buffer[X][Y];
        break;
      }
      case 14: {
        const int L = G.Int(1, M.NC()), T = G.Int(1, M.NR());
        E.SetSelection({L + 1, T, M.NC() + 1, T});
        if (G.Int(0, 1)) {
          E.ClearSelection();
          for (int X = L; X <= M.NC(); ++X) M.At(X, T) = TCell{};
        } else {
          E.ToggleEmptySelection();
          for (int X = L; X <= M.NC(); ++X) M.At(X, T).S ^= csEmpty;
        }
        break;
      }
      case 15: {
        const int Which = G.Int(0, 4);
        if (Which == 0) E.MarkAllElemsA();
        if (Which == 1) E.MarkAllElemsB();
        if (Which == 2) E.UnMarkAllElems();
        if (Which == 3) E.ExchangeMarkings();
        if (Which == 4) E.InvertCellStates(csEmpty);
        for (auto& Col : M.Cols)
          for (TCell& Cl : Col) {
            if (Which == 0) Cl.S |= csMarkA;
            if (Which == 1) Cl.S |= csMarkB;
            if (Which == 2) Cl.S &= ~(csMarkA | csMarkB);
            if (Which == 3) {
              const std::uint8_t A = Cl.S & csMarkA, B = Cl.S & csMarkB;
              Cl.S = (Cl.S & ~(csMarkA | csMarkB)) | (A ? csMarkB : 0) | (B ? csMarkA : 0);
            }
            if (Which == 4) Cl.S ^= csEmpty;
          }
        break;
      }
      case 16: {
        const int D = G.Int(-3, 12);
        E.SetPrecision(C, D);
        if (C >= 1 && C <= M.NC()) M.Dec[size_t(C - 1)] = D < 0 ? -1 : std::min(D, 10);
        break;
      }
      case 17: {
        const double V = G.Value();
        const std::uint8_t Mask = G.Int(0, 1) ? csMarkA : csMarkB;
        int N = 0;
        for (auto& Col : M.Cols)
          for (TCell& Cl : Col)
            if (Cl.S & Mask) {
              Cl.V = V;
              Cl.S &= ~(csInvalid | csEmpty);
              ++N;
            }
        ASSERT_EQ(E.FillMarkedCells(V, Mask), N);
        break;
      }
      case 18:
        if (G.Int(0, 50) == 0) {
          E.Clear();
          for (auto& Col : M.Cols)
            for (TCell& Cl : Col) Cl = TCell{};
          std::fill(M.Dec.begin(), M.Dec.end(), 3);
        }
        break;
      case 19:
        E.SetAttribRowVisible(G.Int(0, 1));
        E.SetAttribColVisible(G.Int(0, 1));
        // Keep the selection helpers above in the default layout.
        E.SetAttribRowVisible(true);
        E.SetAttribColVisible(false);
        break;
      case 20: {
        // Sort columns by a row, with the headers (decimals travel) or without.
        if (!M.Inside(1, R)) break;
        const bool Asc = G.Int(0, 1), Heads = G.Int(0, 1);
        E.SortCols(R, Asc, 1, 1, M.NC(), M.NR(), Heads);
        std::vector<int> Order(size_t(M.NC()));
        for (int I = 0; I < M.NC(); ++I) Order[size_t(I)] = I;
        const auto Key = [&](int I) { return M.Cols[size_t(I)][size_t(R - 1)]; };
        const auto IsNum = [&](int I) { return (Key(I).S & (csInvalid | csEmpty)) == 0; };
        std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
          if (IsNum(A) != IsNum(B)) return IsNum(A);
          if (!IsNum(A)) return false;
          return Asc ? Key(A).V < Key(B).V : Key(B).V < Key(A).V;
        });
        const auto OldCols = M.Cols;
        const auto OldDec = M.Dec;
        for (int I = 0; I < M.NC(); ++I) {
          M.Cols[size_t(I)] = OldCols[size_t(Order[size_t(I)])];
          if (Heads) M.Dec[size_t(I)] = OldDec[size_t(Order[size_t(I)])];
        }
        break;
      }
      default: {
        // A whole-table fill leaves the states alone.
        if (G.Int(0, 20) != 0) break;
        const double V = G.Value();
        E.Fill(V);
        for (auto& Col : M.Cols)
          for (TCell& Cl : Col) Cl.V = V;
        break;
      }
    }
    ExpectSame(E, M, Step, Op);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(Done, Steps);
  for (int N : PerOp) EXPECT_GT(N, 3000);
}

}  // namespace
}  // namespace qor
