// Matrices of the numerics services: the column-first element store shared by
// the data table and the integer matrix, the element matrix TMatrix and the
// integer matrix component TIntMatrix. Columns and rows count from 1.
#pragma once

#include <QObject>
#include <QString>
#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "foundation/qor_qorbase.h"

namespace qor {

// Upper bound on the elements of one matrix. Larger requests are refused
// before anything is allocated, so a hostile size cannot exhaust memory.
inline constexpr long long MaxMatrixElements = 1LL << 27;

// Throws EQORError naming Context unless NrCols x NrRows is a permitted size.
QORKIT_EXPORT void CheckMatrixSize(long long NrCols, long long NrRows, const char* Context);
// Throws the EQORError that reports an allocation failure in Context.
[[noreturn]] QORKIT_EXPORT void RaiseOutOfMemory(const char* Context);

// A NrOfColumns x NrOfRows matrix stored column after column. Outside the
// matrix Get gives T{} and Set does nothing. Structural operations build a
// new store and swap it in, so a refused size leaves the old contents intact.
template <typename T>
class TMatrixStore {
 public:
  int NrOfColumns() const { return FNrCols; }
  int NrOfRows() const { return FNrRows; }
  bool Contains(int Col, int Row) const {
    return Col >= 1 && Col <= FNrCols && Row >= 1 && Row <= FNrRows;
  }
  T Get(int Col, int Row) const { return Contains(Col, Row) ? FData[Index(Col, Row)] : T{}; }
  void Set(int Col, int Row, T Value) {
    if (Contains(Col, Row)) FData[Index(Col, Row)] = Value;
  }
  // Unchecked access for loops that already know the indices are valid.
  T& At(int Col, int Row) { return FData[Index(Col, Row)]; }
  const T& At(int Col, int Row) const { return FData[Index(Col, Row)]; }
  std::vector<T>& Elements() { return FData; }
  const std::vector<T>& Elements() const { return FData; }

  void Fill(T Value) { std::fill(FData.begin(), FData.end(), Value); }

  // A store of the given size whose element (c, r) is this store's element
  // (ColFrom(c), RowFrom(r)), or T{} where either source index is 0.
  template <typename ColMap, typename RowMap>
  TMatrixStore Remapped(int NrCols, int NrRows, ColMap ColFrom, RowMap RowFrom,
                        const char* Context) const {
    CheckMatrixSize(NrCols, NrRows, Context);
    TMatrixStore Result;
    try {
      Result.FData.assign(static_cast<std::size_t>(NrCols) * static_cast<std::size_t>(NrRows), T{});
    } catch (const std::bad_alloc&) {
      RaiseOutOfMemory(Context);
    }
    Result.FNrCols = NrCols;
    Result.FNrRows = NrRows;
    for (int C = 1; C <= NrCols; ++C) {
      const int SC = ColFrom(C);
      if (SC < 1 || SC > FNrCols) continue;
      for (int R = 1; R <= NrRows; ++R) {
        const int SR = RowFrom(R);
        if (SR >= 1 && SR <= FNrRows) Result.At(C, R) = At(SC, SR);
      }
    }
    return Result;
  }

  // Keeps the overlapping part; new elements are T{}.
  void Resize(int NrCols, int NrRows, const char* Context) {
    const auto Same = [](int I) { return I; };
    *this = Remapped(NrCols, NrRows, Same, Same, Context);
  }

  void ExchangeColumns(int A, int B) {
    std::swap_ranges(FData.begin() + Index(A, 1), FData.begin() + Index(A, 1) + FNrRows,
                     FData.begin() + Index(B, 1));
  }
  void ExchangeRows(int A, int B) {
    for (int C = 1; C <= FNrCols; ++C) std::swap(At(C, A), At(C, B));
  }

 private:
  std::size_t Index(int Col, int Row) const {
    return static_cast<std::size_t>(Col - 1) * static_cast<std::size_t>(FNrRows) +
           static_cast<std::size_t>(Row - 1);
  }

  int FNrCols = 0;
  int FNrRows = 0;
  std::vector<T> FData;
};

// The element matrix of a data table.
using TMatrix = TMatrixStore<double>;

// A component holding a matrix of integers (for example the holiday list of
// the calendar: one row per entry).
class QORKIT_EXPORT TIntMatrix : public QObject {
  Q_OBJECT
 public:
  explicit TIntMatrix(QObject* AOwner = nullptr);

  int NrOfColumns() const { return FStore.NrOfColumns(); }
  int NrOfRows() const { return FStore.NrOfRows(); }
  // Keeps the overlapping elements, new ones are 0. Raises EQORError (and
  // keeps the old contents) for a negative, oversized or unallocatable size.
  void Resize(int NrColumns, int NrRows);
  // Resize with the column count kept.
  void SetNRows(int N);
  // 0 outside the matrix.
  int GetVal(int Col, int Row) const { return FStore.Get(Col, Row); }
  // Ignored outside the matrix.
  void SetVal(int Col, int Row, int Value) { FStore.Set(Col, Row, Value); }
  void Fill(int Value) { FStore.Fill(Value); }

 private:
  TMatrixStore<int> FStore;
};

}  // namespace qor
