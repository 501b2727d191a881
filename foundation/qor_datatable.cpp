#include "foundation/qor_datatable.h"

#include <QMetaMethod>
#include <algorithm>
#include <numeric>

namespace qor {

namespace {

int Identity(int I) { return I; }

// The indices Low..High stably ordered by Before.
template <typename Less>
std::vector<int> SortedIndices(int Low, int High, Less Before) {
  std::vector<int> Order(static_cast<std::size_t>(High - Low + 1));
  std::iota(Order.begin(), Order.end(), Low);
  std::stable_sort(Order.begin(), Order.end(), Before);
  return Order;
}

// The numeric sort order of Count keys standing for the indices Low..: the
// numbers stably by value, then the others (HasKey false) in their order.
template <typename KeyAt, typename HasKey>
std::vector<int> OrderByValue(int Low, int Count, KeyAt Key, HasKey Valid, bool Ascending) {
  std::vector<std::pair<double, int>> Numbers;
  std::vector<int> Order;
  Numbers.reserve(static_cast<std::size_t>(Count));
  Order.reserve(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I) {
    if (Valid(I)) Numbers.push_back({Key(I), Low + I});
  }
  if (Ascending)
    std::stable_sort(Numbers.begin(), Numbers.end(),
                     [](const auto& A, const auto& B) { return A.first < B.first; });
  else
    std::stable_sort(Numbers.begin(), Numbers.end(),
                     [](const auto& A, const auto& B) { return B.first < A.first; });
  for (const auto& N : Numbers) Order.push_back(N.second);
  for (int I = 0; I < Count; ++I)
    if (!Valid(I)) Order.push_back(Low + I);
  return Order;
}

}  // namespace

TDataTable::TDataTable(QObject* AOwner) : QObject(AOwner) {}

template <typename ColMap, typename RowMap>
void TDataTable::Reshape(int NrCols, int NrRows, ColMap ColFrom, RowMap RowFrom,
                         const char* Context) {
  if (NrCols > MaxDTColumns || NrRows > MaxDTRows)
    throw EQORError(QStringLiteral("%1: size %2 x %3 exceeds %4 columns or %5 rows")
                        .arg(QLatin1StringView(Context)).arg(NrCols).arg(NrRows)
                        .arg(MaxDTColumns).arg(MaxDTRows));
  TMatrix NewElems = FElems.Remapped(NrCols, NrRows, ColFrom, RowFrom, Context);
  TMatrixStore<std::uint8_t> NewStates = FStates.Remapped(NrCols, NrRows, ColFrom, RowFrom, Context);
  std::vector<TColumnHead> NewColHeads;
  std::vector<TDTNameStr> NewRowNames;
  std::vector<std::uint8_t> NewRowAttribs;
  try {
    NewColHeads.resize(static_cast<std::size_t>(NrCols));
    NewRowNames.resize(static_cast<std::size_t>(NrRows));
    NewRowAttribs.resize(static_cast<std::size_t>(NrRows));
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory(Context);
  }
  for (int C = 1; C <= NrCols; ++C) {
    const int S = ColFrom(C);
    if (S >= 1 && S <= NrOfColumns()) NewColHeads[C - 1] = FColHeads[S - 1];
  }
  for (int R = 1; R <= NrRows; ++R) {
    const int S = RowFrom(R);
    if (S >= 1 && S <= NrOfRows()) {
      NewRowNames[R - 1] = FRowNames[S - 1];
      NewRowAttribs[R - 1] = FRowAttribs[S - 1];
    }
  }
  FElems = std::move(NewElems);
  FStates = std::move(NewStates);
  FColHeads = std::move(NewColHeads);
  FRowNames = std::move(NewRowNames);
  FRowAttribs = std::move(NewRowAttribs);
}

void TDataTable::NotifyResize(int OldCols, int OldRows) {
  if (OldCols == NrOfColumns() && OldRows == NrOfRows()) return;
  if (OnResize) OnResize(this, OldCols, OldRows, NrOfColumns(), NrOfRows());
  Q_EMIT resized(OldCols, OldRows, NrOfColumns(), NrOfRows());
  NotifySetupChanged();
}

void TDataTable::NotifyDataChanged() { Notify(this, OnDataChanged, &TDataTable::dataChanged); }

void TDataTable::NotifySetupChanged() {
  Notify(this, OnSetupChanged, &TDataTable::setupChanged);
}

void TDataTable::NotifyExchange(int Kind, int Index1, int Index2) {
  if (OnSortExchange) OnSortExchange(this, Kind, Index1, Index2);
  Q_EMIT sortExchanged(Kind, Index1, Index2);
}

// Reports 0..100 % over Steps steps, each percentage once, when the work is
// large enough to be worth reporting and somebody listens (OnPercentDone or
// percentDone).
class TDataTable::TProgress {
 public:
  TProgress(TDataTable* Table, long long Cells, int Steps)
      : FTable(Cells >= PercentDoneMinCells && Table->ProgressWanted() ? Table : nullptr), FSteps(Steps) {}
  void Step(int Done) {
    if (!FTable || FSteps <= 0) return;
    const int Percent = static_cast<int>(100LL * Done / FSteps);
    if (Percent == FLast) return;
    FLast = Percent;
    if (FTable->OnPercentDone) FTable->OnPercentDone(FTable, Percent);
    Q_EMIT FTable->percentDone(Percent);
  }

 private:
  TDataTable* FTable;
  int FSteps;
  int FLast = -1;
};

bool TDataTable::ProgressWanted() const {
  return OnPercentDone || isSignalConnected(QMetaMethod::fromSignal(&TDataTable::percentDone));
}

template <typename Fn>
void TDataTable::ForEachColumn(Fn Step) {
  TProgress Progress(this, static_cast<long long>(NrOfColumns()) * NrOfRows(), NrOfColumns());
  Progress.Step(0);
  for (int C = 1; C <= NrOfColumns(); ++C) {
    Step(C);
    Progress.Step(C);
  }
}

void TDataTable::Resize(int NrColumns, int NrRows) {
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  if (NrColumns == OldCols && NrRows == OldRows) return;
  Reshape(NrColumns, NrRows, Identity, Identity, "TDataTable.Resize");
  NotifyResize(OldCols, OldRows);
}

void TDataTable::Clear() {
  ForEachColumn([this](int C) {
    for (int R = 1; R <= NrOfRows(); ++R) {
      FElems.At(C, R) = 0.0;
      FStates.At(C, R) = 0;
    }
  });
  NotifyDataChanged();
}

void TDataTable::SetElem(int Col, int Row, double Value) {
  if (!FElems.Contains(Col, Row)) return;
  FElems.At(Col, Row) = Value;
  NotifyDataChanged();
}

bool TDataTable::GetIsNumber(int Col, int Row) const {
  return FStates.Contains(Col, Row) && (FStates.At(Col, Row) & (csInvalid | csEmpty)) == 0;
}

TDTNameStr TDataTable::GetColName(int Col) const {
  return Col >= 1 && Col <= NrOfColumns() ? FColHeads[Col - 1].Name : TDTNameStr();
}

void TDataTable::SetColName(int Col, const QString& Name) {
  if (Col >= 1 && Col <= NrOfColumns()) FColHeads[Col - 1].Name = Name.left(MaxDTNameLength);
}

TDTNameStr TDataTable::GetRowName(int Row) const {
  return Row >= 1 && Row <= NrOfRows() ? FRowNames[Row - 1] : TDTNameStr();
}

void TDataTable::SetRowName(int Row, const QString& Name) {
  if (Row >= 1 && Row <= NrOfRows()) FRowNames[Row - 1] = Name.left(MaxDTNameLength);
}

std::uint8_t TDataTable::GetColAttrib(int Col) const {
  return Col >= 1 && Col <= NrOfColumns() ? FColHeads[Col - 1].Attrib : 0;
}

void TDataTable::SetColAttrib(int Col, int Value) {
  if (Col >= 1 && Col <= NrOfColumns() && Value >= 0 && Value <= 255)
    FColHeads[Col - 1].Attrib = static_cast<std::uint8_t>(Value);
}

std::uint8_t TDataTable::GetRowAttrib(int Row) const {
  return Row >= 1 && Row <= NrOfRows() ? FRowAttribs[Row - 1] : 0;
}

void TDataTable::SetRowAttrib(int Row, int Value) {
  if (Row >= 1 && Row <= NrOfRows() && Value >= 0 && Value <= 255)
    FRowAttribs[Row - 1] = static_cast<std::uint8_t>(Value);
}

void TDataTable::UnmarkAllCells() {
  constexpr std::uint8_t Keep = static_cast<std::uint8_t>(~(csMarkA | csMarkB));
  ForEachColumn([this](int C) {
    for (int R = 1; R <= NrOfRows(); ++R) FStates.At(C, R) &= Keep;
  });
}

void TDataTable::InvertCellStates(std::uint8_t Mask) {
  ForEachColumn([this, Mask](int C) {
    for (int R = 1; R <= NrOfRows(); ++R) FStates.At(C, R) ^= Mask;
  });
}

void TDataTable::ExchangeMarkings() {
  ForEachColumn([this](int C) {
    for (int R = 1; R <= NrOfRows(); ++R) {
      std::uint8_t& S = FStates.At(C, R);
      const bool A = S & csMarkA, B = S & csMarkB;
      S = static_cast<std::uint8_t>((S & ~(csMarkA | csMarkB)) | (A ? csMarkB : 0) |
                                    (B ? csMarkA : 0));
    }
  });
}

int TDataTable::FillMarkedCells(double Value, std::uint8_t Mask) {
  int Count = 0;
  ForEachColumn([&](int C) {
    for (int R = 1; R <= NrOfRows(); ++R) {
      std::uint8_t& S = FStates.At(C, R);
      if ((S & Mask) == 0) continue;
      FElems.At(C, R) = Value;
      S &= static_cast<std::uint8_t>(~(csInvalid | csEmpty));
      ++Count;
    }
  });
  if (Count > 0) NotifyDataChanged();
  return Count;
}

void TDataTable::CopyCellStatesFrom(const TDataTable& Source) {
  const int Cols = std::min(NrOfColumns(), Source.NrOfColumns());
  const int Rows = std::min(NrOfRows(), Source.NrOfRows());
  for (int C = 1; C <= Cols; ++C)
    for (int R = 1; R <= Rows; ++R) FStates.At(C, R) = Source.FStates.At(C, R);
}

TMScaleType TDataTable::GetMScaleType(int Col) const {
  return Col >= 1 && Col <= NrOfColumns() ? FColHeads[Col - 1].ScaleType : mstUndefined;
}

void TDataTable::SetMScaleType(int Col, TMScaleType Type) {
  if (Col < 1 || Col > NrOfColumns() || Type >= NrMScaleTypes) return;
  if (FColHeads[Col - 1].ScaleType == Type) return;
  FColHeads[Col - 1].ScaleType = Type;
  NotifySetupChanged();
}

QString TDataTable::GetNominalID(int Col, int Ordinal) const {
  if (Col < 1 || Col > NrOfColumns()) return {};
  const QStringList& IDs = FColHeads[Col - 1].NominalIDs;
  return Ordinal >= 1 && Ordinal <= IDs.size() ? IDs[Ordinal - 1] : QString();
}

void TDataTable::SetNominalID(int Col, int Ordinal, const QString& ID) {
  if (Col < 1 || Col > NrOfColumns() || Ordinal < 1 || Ordinal > MaxNominalIDs) return;
  QStringList& IDs = FColHeads[Col - 1].NominalIDs;
  while (IDs.size() < Ordinal) IDs.append(QString());
  IDs[Ordinal - 1] = ID.left(MaxNominalIDLength);
  NotifySetupChanged();
}

int TDataTable::OrdinalOfNominalID(int Col, const QString& ID, bool IgnoreCase) const {
  const QString Wanted = ID.trimmed();
  if (Wanted.isEmpty() || Col < 1 || Col > NrOfColumns()) return 0;
  const Qt::CaseSensitivity CS = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  const QStringList& IDs = FColHeads[Col - 1].NominalIDs;
  for (qsizetype I = 0; I < IDs.size(); ++I)
    if (IDs[I].trimmed().compare(Wanted, CS) == 0) return static_cast<int>(I + 1);
  return 0;
}

void TDataTable::InsertColumn(int Col) {
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  if (Col < 1 || Col > OldCols + 1) return;
  Reshape(OldCols + 1, OldRows, [Col](int C) { return C < Col ? C : C == Col ? 0 : C - 1; },
          Identity, "TDataTable.InsertColumn");
  NotifyResize(OldCols, OldRows);
  NotifyDataChanged();
}

void TDataTable::InsertRow(int Row) {
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  if (Row < 1 || Row > OldRows + 1) return;
  Reshape(OldCols, OldRows + 1, Identity,
          [Row](int R) { return R < Row ? R : R == Row ? 0 : R - 1; }, "TDataTable.InsertRow");
  NotifyResize(OldCols, OldRows);
  NotifyDataChanged();
}

void TDataTable::RemoveColumn(int Col) {
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  if (Col < 1 || Col > OldCols) return;
  Reshape(OldCols - 1, OldRows, [Col](int C) { return C < Col ? C : C + 1; }, Identity,
          "TDataTable.RemoveColumn");
  NotifyResize(OldCols, OldRows);
  NotifyDataChanged();
}

void TDataTable::RemoveRow(int Row) {
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  if (Row < 1 || Row > OldRows) return;
  Reshape(OldCols, OldRows - 1, Identity, [Row](int R) { return R < Row ? R : R + 1; },
          "TDataTable.RemoveRow");
  NotifyResize(OldCols, OldRows);
  NotifyDataChanged();
}

void TDataTable::MirrorColumns() {
  std::vector<int> Order(static_cast<std::size_t>(NrOfColumns()));
  std::iota(Order.rbegin(), Order.rend(), 1);
  ApplyColumnOrder(Order, {1, 1, NrOfColumns(), NrOfRows()}, true);
  NotifyDataChanged();
}

void TDataTable::MirrorRows() {
  std::vector<int> Order(static_cast<std::size_t>(NrOfRows()));
  std::iota(Order.rbegin(), Order.rend(), 1);
  ApplyRowOrder(Order, {1, 1, NrOfColumns(), NrOfRows()}, true);
  NotifyDataChanged();
}

TDataTable::TBlock TDataTable::Clamped(int LowCol, int LowRow, int HighCol, int HighRow) const {
  return {std::max(LowCol, 1), std::max(LowRow, 1), std::min(HighCol, NrOfColumns()),
          std::min(HighRow, NrOfRows())};
}

// Reports the reordering as the exchanges that perform it: walking the
// positions from the first, the index that belongs at position P is fetched
// from wherever it sits by one exchange, so there are at most n - 1.
void TDataTable::ReportExchanges(int Kind, const std::vector<int>& Order, int Low) {
  if (!OnSortExchange) return;
  const int N = static_cast<int>(Order.size());
  std::vector<int> At(Order.size()), Where(Order.size());
  std::iota(At.begin(), At.end(), 0);
  std::iota(Where.begin(), Where.end(), 0);
  for (int P = 0; P < N; ++P) {
    const int Wanted = Order[P] - Low;
    const int From = Where[Wanted];
    if (From == P) continue;
    NotifyExchange(Kind, Low + P, Low + From);
    Where[At[P]] = From;
    At[From] = At[P];
    At[P] = Wanted;
    Where[Wanted] = P;
  }
}

namespace {

// V[Low - 1 + I] becomes the old V[Order[I] - 1], through Scratch.
template <typename T>
void PermuteRange(std::vector<T>& V, int Low, const std::vector<int>& Order,
                  std::vector<T>& Scratch) {
  for (std::size_t I = 0; I < Order.size(); ++I) Scratch[I] = std::move(V[Order[I] - 1]);
  std::move(Scratch.begin(), Scratch.end(), V.begin() + (Low - 1));
}

}  // namespace

// All scratch memory is taken before anything is reported or moved, so a
// refusal leaves table and observers as they were.
void TDataTable::ApplyColumnOrder(const std::vector<int>& Order, const TBlock& B,
                                  bool IncludeHeaders) {
  const std::size_t N = Order.size(), Rows = static_cast<std::size_t>(B.HighRow - B.LowRow + 1);
  std::vector<double> Elems;
  std::vector<std::uint8_t> States;
  std::vector<TColumnHead> Heads;
  try {
    Elems.resize(N * Rows);
    States.resize(N * Rows);
    if (IncludeHeaders) Heads.resize(N);
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory("TDataTable.SortCols");
  }
  ReportExchanges(seColumns, Order, B.LowCol);
  TProgress Progress(this, static_cast<long long>(N * Rows), 2 * int(N));
  for (std::size_t I = 0; I < N; ++I) {
    std::copy_n(&FElems.At(Order[I], B.LowRow), Rows, Elems.begin() + I * Rows);
    std::copy_n(&FStates.At(Order[I], B.LowRow), Rows, States.begin() + I * Rows);
    Progress.Step(int(I) + 1);
  }
  for (std::size_t I = 0; I < N; ++I) {
    const int Col = B.LowCol + int(I);
    std::copy_n(Elems.begin() + I * Rows, Rows, &FElems.At(Col, B.LowRow));
    std::copy_n(States.begin() + I * Rows, Rows, &FStates.At(Col, B.LowRow));
    Progress.Step(int(N + I) + 1);
  }
  if (IncludeHeaders) PermuteRange(FColHeads, B.LowCol, Order, Heads);
}

void TDataTable::ApplyRowOrder(const std::vector<int>& Order, const TBlock& B,
                               bool IncludeHeaders) {
  const int N = static_cast<int>(Order.size()), Low = B.LowRow;
  std::vector<double> Elems;
  std::vector<std::uint8_t> States;
  std::vector<TDTNameStr> Names;
  std::vector<std::uint8_t> Attribs;
  try {
    Elems.resize(Order.size());
    States.resize(Order.size());
    if (IncludeHeaders) {
      Names.resize(Order.size());
      Attribs.resize(Order.size());
    }
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory("TDataTable.SortRows");
  }
  ReportExchanges(seRows, Order, Low);
  const int Cols = B.HighCol - B.LowCol + 1;
  TProgress Progress(this, static_cast<long long>(N) * Cols, Cols);
  for (int C = B.LowCol; C <= B.HighCol; ++C) {
    double* Col = &FElems.At(C, Low);
    std::uint8_t* St = &FStates.At(C, Low);
    for (int I = 0; I < N; ++I) {
      Elems[I] = Col[Order[I] - Low];
      States[I] = St[Order[I] - Low];
    }
    std::copy(Elems.begin(), Elems.end(), Col);
    std::copy(States.begin(), States.end(), St);
    Progress.Step(C - B.LowCol + 1);
  }
  if (IncludeHeaders) {
    PermuteRange(FRowNames, Low, Order, Names);
    PermuteRange(FRowAttribs, Low, Order, Attribs);
  }
}

void TDataTable::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                          int HighRow, bool IncludeHeaders) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid() || SortRowIx < 1 || SortRowIx > NrOfRows()) return;
  const auto Key = [&](int I) { return FElems.At(B.LowCol + I, SortRowIx); };
  const auto HasKey = [&](int I) { return GetIsNumber(B.LowCol + I, SortRowIx); };
  ApplyColumnOrder(OrderByValue(B.LowCol, B.HighCol - B.LowCol + 1, Key, HasKey, Ascending), B,
                   IncludeHeaders);
  NotifyDataChanged();
}

void TDataTable::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                          int HighRow, bool IncludeHeaders) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid() || SortColIx < 1 || SortColIx > NrOfColumns()) return;
  // The keys are one contiguous stretch of the column.
  const double* Key = &FElems.At(SortColIx, B.LowRow);
  const std::uint8_t* State = &FStates.At(SortColIx, B.LowRow);
  const auto KeyAt = [&](int I) { return Key[I]; };
  const auto HasKey = [&](int I) { return (State[I] & (csInvalid | csEmpty)) == 0; };
  ApplyRowOrder(OrderByValue(B.LowRow, B.HighRow - B.LowRow + 1, KeyAt, HasKey, Ascending), B,
                IncludeHeaders);
  NotifyDataChanged();
}

void TDataTable::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol,
                                   int HighRow) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid()) return;
  const auto Before = [&](int X, int Y) {
    const int AX = FColHeads[X - 1].Attrib, AY = FColHeads[Y - 1].Attrib;
    return Ascending ? AX < AY : AY < AX;
  };
  ApplyColumnOrder(SortedIndices(B.LowCol, B.HighCol, Before), B, true);
  NotifyDataChanged();
}

void TDataTable::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol,
                                   int HighRow) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid()) return;
  const auto Before = [&](int X, int Y) {
    const int AX = FRowAttribs[X - 1], AY = FRowAttribs[Y - 1];
    return Ascending ? AX < AY : AY < AX;
  };
  ApplyRowOrder(SortedIndices(B.LowRow, B.HighRow, Before), B, true);
  NotifyDataChanged();
}

void TDataTable::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow,
                              int HighCol, int HighRow) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid()) return;
  const Qt::CaseSensitivity CS = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  const auto Before = [&](int X, int Y) {
    const int Cmp = FColHeads[X - 1].Name.compare(FColHeads[Y - 1].Name, CS);
    return Ascending ? Cmp < 0 : Cmp > 0;
  };
  ApplyColumnOrder(SortedIndices(B.LowCol, B.HighCol, Before), B, true);
  NotifyDataChanged();
}

void TDataTable::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow,
                              int HighCol, int HighRow) {
  const TBlock B = Clamped(LowCol, LowRow, HighCol, HighRow);
  if (!B.Valid()) return;
  const Qt::CaseSensitivity CS = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  const auto Before = [&](int X, int Y) {
    const int Cmp = FRowNames[X - 1].compare(FRowNames[Y - 1], CS);
    return Ascending ? Cmp < 0 : Cmp > 0;
  };
  ApplyRowOrder(SortedIndices(B.LowRow, B.HighRow, Before), B, true);
  NotifyDataChanged();
}

int TDataTable::FindColIndex(const QString& ColID) const {
  const QString Wanted = ColID.left(MaxDTNameLength);
  for (int C = 1; C <= NrOfColumns(); ++C)
    if (FColHeads[C - 1].Name == Wanted) return C;
  return 0;
}

int TDataTable::FindRowIndex(const QString& RowID) const {
  const QString Wanted = RowID.left(MaxDTNameLength);
  for (int R = 1; R <= NrOfRows(); ++R)
    if (FRowNames[R - 1] == Wanted) return R;
  return 0;
}

void TDataTable::CopyFrom(const TDataTable& Source) {
  if (&Source == this) return;
  const int OldCols = NrOfColumns(), OldRows = NrOfRows();
  TMatrix NewElems;
  TMatrixStore<std::uint8_t> NewStates;
  std::vector<TColumnHead> NewColHeads;
  std::vector<TDTNameStr> NewRowNames;
  std::vector<std::uint8_t> NewRowAttribs;
  try {
    NewElems = Source.FElems;
    NewStates = Source.FStates;
    NewColHeads = Source.FColHeads;
    NewRowNames = Source.FRowNames;
    NewRowAttribs = Source.FRowAttribs;
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory("TDataTable.CopyFrom");
  }
  FElems = std::move(NewElems);
  FStates = std::move(NewStates);
  FColHeads = std::move(NewColHeads);
  FRowNames = std::move(NewRowNames);
  FRowAttribs = std::move(NewRowAttribs);
  FComment = Source.FComment;
  NotifyResize(OldCols, OldRows);
  NotifyDataChanged();
}

}  // namespace qor
