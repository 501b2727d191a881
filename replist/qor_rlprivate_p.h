// Helpers shared by the report-list data units; not part of the public API.
#pragma once

#include <QString>

#include "foundation/qor_dstruct.h"

namespace qor {

class TRLData;

namespace rl {

// Text cut to MaxLength code units, never inside a surrogate pair.
QString CutText(const QString& Text, int MaxLength);

// The integers of column formats: leading blanks, one optional sign, decimal
// digits up to the first non-digit; no digits give 0. Large values saturate.
// Consumed, when given, receives the number of characters read.
int ReadFormatInteger(QStringView Text, qsizetype* Consumed = nullptr);
// The row number written with N digits for the numeric column types
// ("e", "f", "h", "i").
QString RowIndexText(QChar Type, int Row, int N);

// Gathers the storage's change notifications of a bulk operation: none reach
// the owner while it runs; with NotifyOnce, one follows at the end when
// anything changed.
class TChangeBatch {
 public:
  TChangeBatch(TStringArray& Strings, bool NotifyOnce);
  ~TChangeBatch() noexcept(false);
  TChangeBatch(const TChangeBatch&) = delete;
  TChangeBatch& operator=(const TChangeBatch&) = delete;

 private:
  TStringArray& FStrings;
  bool FNotify;
  int FExceptions;
};

// The progress of a long operation over Cells cells, reported every
// hundredth of the work while somebody listens.
class TFeedback {
 public:
  TFeedback(TRLData* Owner, long long Cells);
  void Advance(long long Cells);

 private:
  TRLData* FOwner;
  long long FTotal;
  long long FStep;
  long long FNext;
  long long FDone = 0;
};

}  // namespace rl
}  // namespace qor
