#include "foundation/qor_matrix.h"

namespace qor {

void CheckMatrixSize(long long NrCols, long long NrRows, const char* Context) {
  if (NrCols < 0 || NrRows < 0)
    throw EQORError(QStringLiteral("%1: negative size %2 x %3")
                        .arg(QLatin1StringView(Context)).arg(NrCols).arg(NrRows));
  if (NrCols > MaxMatrixElements || NrRows > MaxMatrixElements ||
      NrCols * NrRows > MaxMatrixElements)
    throw EQORError(QStringLiteral("%1: size %2 x %3 exceeds %4 elements")
                        .arg(QLatin1StringView(Context)).arg(NrCols).arg(NrRows)
                        .arg(MaxMatrixElements));
}

void RaiseOutOfMemory(const char* Context) {
  throw EQORError(QStringLiteral("%1: not enough memory").arg(QLatin1StringView(Context)));
}

TIntMatrix::TIntMatrix(QObject* AOwner) : QObject(AOwner) {}

void TIntMatrix::Resize(int NrColumns, int NrRows) {
  FStore.Resize(NrColumns, NrRows, "TIntMatrix.Resize");
}

void TIntMatrix::SetNRows(int N) { FStore.Resize(FStore.NrOfColumns(), N, "TIntMatrix.SetNRows"); }

}  // namespace qor
