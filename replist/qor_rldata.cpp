#include "replist/qor_rldata.h"

#include <QMetaMethod>
#include <algorithm>
#include <exception>
#include <new>
#include <utility>

#include "host/qor_app.h"
#include "foundation/qor_stringl.h"
#include "replist/qor_rlprivate_p.h"

namespace qor {

namespace rl {

QString CutText(const QString& Text, int MaxLength) {
  if (Text.size() <= MaxLength) return Text;
  qsizetype Len = MaxLength;
  if (Len > 0 && Text[Len - 1].isHighSurrogate()) --Len;
  return Text.left(Len);
}

TChangeBatch::TChangeBatch(TStringArray& Strings, bool NotifyOnce)
    : FStrings(Strings), FNotify(NotifyOnce), FExceptions(std::uncaught_exceptions()) {
  FStrings.HoldNotify();
}

TChangeBatch::~TChangeBatch() noexcept(false) {
  FStrings.ReleaseNotify(FNotify && std::uncaught_exceptions() == FExceptions);
}

TFeedback::TFeedback(TRLData* Owner, long long Cells)
    : FOwner(Owner), FTotal(std::max(Cells, 1LL)), FStep(FTotal / 100 + 1), FNext(FStep) {}

void TFeedback::Advance(long long Cells) {
  FDone += Cells;
  if (FDone < FNext || !FOwner->ProgressWanted()) return;
  FNext = (FDone / FStep + 1) * FStep;
  FOwner->ReportProgress(int(std::min(100LL, FDone * 100 / FTotal)));
}

int ReadFormatInteger(QStringView Text, qsizetype* Consumed) {
  qsizetype I = 0;
  while (I < Text.size() && Text[I] == u' ') ++I;
  bool Negative = false;
  if (I < Text.size() && (Text[I] == u'+' || Text[I] == u'-')) Negative = Text[I++] == u'-';
  long long V = 0;
  for (; I < Text.size() && Text[I] >= u'0' && Text[I] <= u'9'; ++I)
    V = std::min(V * 10 + (Text[I].unicode() - u'0'), 1000000000LL);
  if (Consumed) *Consumed = I;
  return int(Negative ? -V : V);
}

QString RowIndexText(QChar Type, int Row, int N) {
  N = std::clamp(N, 0, TStringArray::MaxTextLength);
  if (Type == u'e' || Type == u'f') return strff(Row, 1, N);
  if (Type == u'h') {
    N = std::clamp(N, 1, 8);
    const quint64 Mask = (quint64(1) << (4 * N)) - 1;
    return QString::number(quint64(quint32(Row)) & Mask, 16).toUpper().rightJustified(N, u'0');
  }
  N = std::max(N, 1);
  QString Digits = QString::number(qAbs(qint64(Row))).rightJustified(N, u'0');
  Digits = Digits.right(N);
  return Row < 0 ? QStringLiteral("-") + Digits : Digits;
}

}  // namespace rl

namespace {

QString DefaultHeader(int Col) { return QStringLiteral("C-") + QString::number(Col); }

const QChar FlagChecked = u'X';
const QChar FlagUnchecked = u' ';

}  // namespace

// ---------------------------------------------------------------------------
// Construction

TRLData::TRLData(QObject* AOwner)
    : QObject(AOwner),
      FCommonHeader(QStringLiteral("Qor Report Listview")),
      FStrings(std::make_unique<TStringArray>()) {
  FStrings->SetAllocRowsBy(10);
  FStrings->Resize(1, 1);
  FStrings->Clear();
  try {
    ResizeColumnArrays(1);
  } catch (const std::bad_alloc&) {
    throw EQORRLDataError(ComponentMessage(this, QStringLiteral("failed to initialize (out of memory)")));
  }
  FStrings->OnBeforeSortExchange = [this](TObject* Sender, const QString& S1, QString& S2) {
    BeforeSortExchange(Sender, S1, S2);
  };
  FStrings->OnPercentDone = [this](TObject*, int Percent) { ReportProgress(Percent); };
}

TRLData::~TRLData() = default;

bool TRLData::ProgressWanted() const {
  return OnPercentDone || isSignalConnected(QMetaMethod::fromSignal(&TRLData::percentDone));
}

void TRLData::ReportProgress(int Percent) {
  if (OnPercentDone) OnPercentDone(this, Percent);
  Q_EMIT percentDone(Percent);
}

void TRLData::ResizeColumnArrays(int N) {
  const int Old = int(FColName.size());
  FColName.resize(N);
  for (int C = Old; C < N; ++C) FColName[C] = DefaultHeader(C + 1);
  FColumnFormat.resize(N);
  FColButMode.resize(N, cmNone);
}

void TRLData::ResetColumnArrays() {
  for (int C = 0; C < FNrOfCols; ++C) {
    FColName[C] = DefaultHeader(C + 1);
    FColumnFormat[C].clear();
    FColButMode[C] = cmNone;
  }
}

void TRLData::UpdateFeedback() {
  const long long Cells = std::max(1LL, (long long)std::max(FNrOfRows, 1) * (FNrOfCols + 1));
  FFeedbkNumCells = int(std::min<long long>(Cells, INT_MAX));
  FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

// ---------------------------------------------------------------------------
// Size and plain properties

void TRLData::SetNrCols(int N) {
  N = std::max(N, 1);
  const int Old = FNrOfCols;
  FNrOfCols = N;
  try {
    FStrings->Resize(N, std::max(FNrOfRows, 1));
  } catch (const EQORError& E) {
    FNrOfCols = Old;
    throw EQORError(QStringLiteral("TRLData.NrOfColumns: cannot hold %1 columns (%2)")
                        .arg(N)
                        .arg(QString::fromUtf8(E.what())));
  }
  UpdateFeedback();
  try {
    ResizeColumnArrays(N);
  } catch (const std::bad_alloc&) {
    throw EQORRLDataError(ComponentMessage(this, QStringLiteral("not enough memory on heap")));
  }
}

void TRLData::SetNrRows(int N) {
  N = std::max(N, 0);
  try {
    rl::TChangeBatch Batch(*FStrings, true);
    FStrings->Resize(FNrOfCols, std::max(N, 1));
    // The physical row kept for an empty table holds nothing that could
    // reappear when rows are added again.
    if (N == 0) {
      for (int C = 0; C <= FNrOfCols; ++C) FStrings->SetString(C, 1, QString());
      FStrings->SetRowAttrib(1, 0);
    }
  } catch (const EQORError& E) {
    throw EQORError(QStringLiteral("TRLData.NrOfRows: cannot hold %1 rows (%2)")
                        .arg(N)
                        .arg(QString::fromUtf8(E.what())));
  }
  FNrOfRows = N;
  UpdateFeedback();
}

void TRLData::SetCommonHeader(const QString& Text) {
  if (Text != FCommonHeader) FCommonHeader = Text;
}

// ---------------------------------------------------------------------------
// Cells

bool TRLData::IsCheckCol(int ColNr) const {
  return ValidCol(ColNr) && FColButMode[ColNr - 1] != cmNone;
}

QString TRLData::GetElem(int ACol, int ARow) const {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return {};
  const QStringView S = FStrings->StringView(ACol, ARow);
  if (IsCheckCol(ACol) && !S.isEmpty()) return S.mid(1).toString();
  return S.toString();
}

void TRLData::SetElem(int ACol, int ARow, const QString& Value) {
  if (ACol < 0 || ACol > FNrOfCols || !ValidRow(ARow)) return;
  if (!IsCheckCol(ACol)) {
    FStrings->SetString(ACol, ARow, Value);
    return;
  }
  const QStringView Cur = FStrings->StringView(ACol, ARow);
  const QChar Flag = Cur.isEmpty() ? FlagUnchecked : Cur[0];
  FStrings->SetString(ACol, ARow, Flag + Value);
}

bool TRLData::GetElemChecked(int ACol, int ARow) const {
  if (!IsCheckCol(ACol) || !ValidRow(ARow)) return false;
  const QStringView S = FStrings->StringView(ACol, ARow);
  return !S.isEmpty() && S[0] != FlagUnchecked;
}

void TRLData::SetElemChecked(int ACol, int ARow, bool Value) {
  if (!IsCheckCol(ACol) || !ValidRow(ARow)) return;
  rl::TChangeBatch Batch(*FStrings, true);
  if (FColButMode[ACol - 1] == cmRadio) SetColumnFlags(ACol, false);
  const QString Cur = FStrings->GetString(ACol, ARow);
  const QChar Flag = Value ? FlagChecked : FlagUnchecked;
  FStrings->SetString(ACol, ARow, Cur.isEmpty() ? QString(Flag) : Flag + Cur.mid(1));
}

void TRLData::SetColumnFlags(int Column, bool Checked) {
  const QChar Flag = Checked ? FlagChecked : FlagUnchecked;
  for (int R = 1; R <= FNrOfRows; ++R) {
    const QString Cur = FStrings->GetString(Column, R);
    FStrings->SetString(Column, R, Cur.isEmpty() ? QString(Flag) : Flag + Cur.mid(1));
  }
}

double TRLData::GetAsNumber(int ACol, int ARow) const {
  if (!ValidRow(ARow)) return 0;
  return FStrings->GetAsNumber(ACol, ARow);
}

QString TRLData::GetCellDefaultValue(int ACol, int ARow) const {
  const QString Format = GetColumnFormat(ACol);
  const qsizetype TypeEnd = Format.indexOf(u']');
  const QString TypePart = Format.left(TypeEnd + 1);
  const QString Rest = Format.mid(TypeEnd + 1);
  if (Rest.isEmpty()) return {};
  const QString Default = Rest.mid(Rest.indexOf(u']') + 1);
  const qsizetype Open = TypePart.indexOf(u'[');
  if (Open < 0 || Open + 1 >= TypePart.size()) return {};
  const QChar Type = TypePart[Open + 1];
  switch (Type.unicode()) {
    case u'c':
    case u'l': return Default.left(Default.indexOf(u'|') < 0 ? Default.size() : Default.indexOf(u'|'));
    case u'd': return Default;
    case u'e':
    case u'f':
    case u'h':
    case u'i':
      if (!Default.toLower().contains(QStringLiteral("rix"))) return Default;
      return rl::RowIndexText(Type, ARow, rl::ReadFormatInteger(QStringView(Default).mid(3)));
    case u's':
      if (!Default.toLower().contains(QStringLiteral("$pwd$"))) return Default;
      return InventPassword(std::clamp(rl::ReadFormatInteger(QStringView(Default).mid(5)), 0,
                                       TStringArray::MaxTextLength));
    default: return {};
  }
}

// ---------------------------------------------------------------------------
// Columns

TNameStrType TRLData::GetColName(int ColNr) const {
  return ValidCol(ColNr) ? FColName[ColNr - 1] : QString();
}

void TRLData::SetColName(int ColNr, const TNameStrType& HLine) {
  if (ValidCol(ColNr)) FColName[ColNr - 1] = rl::CutText(HLine, MaxHeaderLength);
}

TColFmtString TRLData::GetColumnFormat(int ColNr) const {
  return ValidCol(ColNr) ? FColumnFormat[ColNr - 1] : QString();
}

void TRLData::SetColumnFormat(int ColNr, const TColFmtString& DefValue) {
  if (ValidCol(ColNr)) FColumnFormat[ColNr - 1] = rl::CutText(DefValue, MaxFormatLength);
}

TCheckMode TRLData::GetColCheckMode(int ColNr) const {
  return ValidCol(ColNr) ? FColButMode[ColNr - 1] : cmNone;
}

void TRLData::SetColCheckMode(int ColNr, TCheckMode Value) {
  if (Value > cmRadio)
    throw EQORRLDataError(QStringLiteral("TRLData.ColumnCheckMode: invalid check mode %1")
                              .arg(int(Value)));
  if (!ValidCol(ColNr) || FColButMode[ColNr - 1] == Value) return;
  const TCheckMode Old = FColButMode[ColNr - 1];
  // A connected view is told about the new mode by its own setter, not once per cell.
  rl::TChangeBatch Silent(*FStrings, false);
  if (Old == cmNone) {
    for (int R = 1; R <= FNrOfRows; ++R) {
      const QString Cur = FStrings->GetString(ColNr, R);
      if (!Cur.isEmpty()) FStrings->SetString(ColNr, R, FlagUnchecked + Cur);
    }
  } else if (Value == cmNone) {
    for (int R = 1; R <= FNrOfRows; ++R) {
      const QString Cur = FStrings->GetString(ColNr, R);
      if (!Cur.isEmpty()) FStrings->SetString(ColNr, R, Cur.mid(1));
    }
  } else if (Old == cmBox) {
    SetColumnFlags(ColNr, false);
  }
  FColButMode[ColNr - 1] = Value;
}

bool TRLData::GetCheckedCol(int ColNr) const { return GetColCheckMode(ColNr) == cmBox; }

void TRLData::SetCheckedCol(int ColNr, bool Value) {
  SetColCheckMode(ColNr, Value ? cmBox : cmNone);
}

int TRLData::ColumnIndex(const QString& Head, bool PartialMatch) const {
  const QString H = Head.toLower();
  // An empty text occurs nowhere.
  if (PartialMatch && H.isEmpty()) return -1;
  for (int C = FNrOfCols; C >= 1; --C) {
    const QString Name = FColName[C - 1].toLower();
    if (PartialMatch ? Name.contains(H) : Name == H) return C;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// Check marks

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked) {
  if (GetColCheckMode(Column) != cmBox) return;
  rl::TChangeBatch Batch(*FStrings, true);
  SetColumnFlags(Column, Checked);
}

void TRLData::InvertAllCheckmarksOfCol(int Column) {
  if (GetColCheckMode(Column) != cmBox) return;
  rl::TChangeBatch Batch(*FStrings, true);
  for (int R = 1; R <= FNrOfRows; ++R) {
    const QString Cur = FStrings->GetString(Column, R);
    if (Cur.isEmpty()) FStrings->SetString(Column, R, QString(FlagChecked));
    else
      FStrings->SetString(Column, R,
                          (Cur[0] == FlagChecked ? FlagUnchecked : FlagChecked) + Cur.mid(1));
  }
}

int TRLData::CountCheckedElemsInCol(int Column) const {
  if (!IsCheckCol(Column)) return 0;
  int Count = 0;
  for (int R = 1; R <= FNrOfRows; ++R) Count += GetElemChecked(Column, R) ? 1 : 0;
  return Count;
}

int TRLData::CountCheckedElemsInRow(int Row) const {
  int Count = 0;
  for (int C = 1; C <= FNrOfCols; ++C) Count += GetElemChecked(C, Row) ? 1 : 0;
  return Count;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const {
  if (!IsCheckCol(ColNr)) return 0;
  for (int R = 1; R <= FNrOfRows; ++R)
    if (GetElemChecked(ColNr, R)) return R;
  return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const {
  if (!ValidRow(RowNr)) return 0;
  for (int C = 1; C <= FNrOfCols; ++C)
    if (GetElemChecked(C, RowNr)) return C;
  return 0;
}

// ---------------------------------------------------------------------------
// Rows and bulk operations

void TRLData::RemoveRow(int R) {
  if (!ValidRow(R)) return;
  FStrings->CommitSorting();
  if (FNrOfRows == 1) {
    SetNrRows(0);
    return;
  }
  FStrings->RemoveRow(R);
  --FNrOfRows;
  UpdateFeedback();
}

void TRLData::RemoveEmptyRows() {
  if (FNrOfRows == 0) return;
  FStrings->CommitSorting();
  rl::TFeedback Progress(this, (long long)FNrOfRows * (FNrOfCols + 1));
  const auto IsEmpty = [&](int R) {
    Progress.Advance(FNrOfCols + 1);
    for (int C = 0; C <= FNrOfCols; ++C)
      if (!GetElem(C, R).isEmpty()) return false;
    return true;
  };
  rl::TChangeBatch Batch(*FStrings, true);
  FNrOfRows -= FStrings->RemoveRowsIf(IsEmpty);
  // When every row went, the empty table gets its one physical row back.
  if (FNrOfRows == 0) SetNrRows(0);
  UpdateFeedback();
}

void TRLData::CopyRow(int Source, int Target) {
  if (!ValidRow(Source) || !ValidRow(Target) || Source == Target) return;
  rl::TChangeBatch Batch(*FStrings, true);
  for (int C = 0; C <= FNrOfCols; ++C)
    FStrings->SetString(C, Target, FStrings->GetString(C, Source));
  FStrings->SetRowAttrib(Target, FStrings->GetRowAttrib(Source));
}

void TRLData::Fill(const QString& S) {
  rl::TChangeBatch Batch(*FStrings, true);
  rl::TFeedback Progress(this, (long long)FNrOfRows * FNrOfCols);
  const QString Unchecked = FlagUnchecked + S;
  const QString Checked = FlagChecked + S;
  for (int C = 1; C <= FNrOfCols; ++C) {
    const bool Check = IsCheckCol(C);
    for (int R = 1; R <= FNrOfRows; ++R) {
      if (!Check) {
        FStrings->SetString(C, R, S);
      } else {
        const QStringView Cur = FStrings->StringView(C, R);
        FStrings->SetString(C, R, !Cur.isEmpty() && Cur[0] != FlagUnchecked ? Checked : Unchecked);
      }
      Progress.Advance(1);
    }
  }
}

void TRLData::Clear() {
  FStrings->Clear();
  ResetColumnArrays();
}

// ---------------------------------------------------------------------------
// Sorting

void TRLData::Sort(int Col, int ColSec, bool Ascending) {
  FSortColumn = Col;
  FSortColumnSec = ColSec;
  FSortOrder = Ascending;
  // The storage reports every row exchange, with texts, only to a listener:
  // unheard, the reports would cost more than the sort of a large table.
  TBeforeSortExchgEvent Relay;
  if (!OnBeforeSortExchange) Relay = std::exchange(FStrings->OnBeforeSortExchange, nullptr);
  try {
    FStrings->Sort(Col, ColSec, Ascending);
  } catch (...) {
    if (Relay) FStrings->OnBeforeSortExchange = std::move(Relay);
    throw;
  }
  if (Relay) FStrings->OnBeforeSortExchange = std::move(Relay);
}

void TRLData::UnSort() {
  ClearSortColumns();
  FStrings->UnSort();
}

void TRLData::ClearSortColumns() {
  FSortColumn = -1;
  FSortColumnSec = -1;
}

// ---------------------------------------------------------------------------
// Clipboard

// Ranges are limited to the table: cells outside it are empty anyway, and an
// unlimited range could ask for billions of empty lines.
QString TRLData::ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow,
                               bool AddHeader, QChar Separator, bool FixedWidth) {
  LeftCol = std::max(LeftCol, 0);
  RightCol = std::min(RightCol, FNrOfCols);
  TopRow = std::max(TopRow, 1);
  BottomRow = std::min(BottomRow, FNrOfRows);
  const int NCols = std::max(RightCol - LeftCol + 1, 0);
  const int NRows = std::max(BottomRow - TopRow + 1, 0);
  rl::TFeedback Progress(this, (long long)NCols * NRows * (FixedWidth ? 2 : 1));

  std::vector<int> Width(NCols, 0);
  if (FixedWidth) {
    for (int I = 0; I < NCols; ++I) {
      const int C = LeftCol + I;
      if (AddHeader) Width[I] = int(GetColName(C).size());
      for (int R = TopRow; R <= BottomRow; ++R)
        Width[I] = std::max(Width[I], int(FStrings->StringView(C, R).size()));
      Progress.Advance(NRows);
    }
  }
  QString Out;
  const auto Put = [&](int I, const QString& Text) {
    if (FixedWidth) {
      Out += LeftString(Text, Width[I] + 1);
    } else {
      if (I > 0) Out += Separator;
      Out += Text;
    }
  };
  if (AddHeader) {
    for (int I = 0; I < NCols; ++I) Put(I, GetColName(LeftCol + I));
    Out += QStringLiteral("\n\n");
  }
  for (int R = TopRow; R <= BottomRow; ++R) {
    for (int I = 0; I < NCols; ++I) Put(I, GetElem(LeftCol + I, R));
    Out += u'\n';
    Progress.Advance(NCols);
  }
  return Out;
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow,
                              bool AddHeader, bool UseTabs) {
  host::SetClipboardText(
      ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, u'\t', !UseTabs));
}

void TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow,
                              bool AddHeader, QChar Separator) {
  host::SetClipboardText(
      ClipboardText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator, false));
}

// ---------------------------------------------------------------------------
// Assign

void TRLData::Assign(const TRLData& Source) {
  const auto* Src = &Source;
  if (Src == this) return;
  std::vector<TNameStrType> Names;
  std::vector<TColFmtString> Formats;
  std::vector<TCheckMode> Modes;
  try {
    Names = Src->FColName;
    Formats = Src->FColumnFormat;
    Modes = Src->FColButMode;
  } catch (const std::bad_alloc&) {
    throw EQORRLDataError(ComponentMessage(this, QStringLiteral("not enough memory on heap")));
  }
  FStrings->Assign(*Src->FStrings);
  FNrOfCols = Src->FNrOfCols;
  FNrOfRows = Src->FNrOfRows;
  FSortColumn = Src->FSortColumn;
  FSortColumnSec = Src->FSortColumnSec;
  FSortOrder = Src->FSortOrder;
  FSortToggle = Src->FSortToggle;
  FComment = Src->FComment;
  FCommonHeader = Src->FCommonHeader;
  OnBeforeSortExchange = Src->OnBeforeSortExchange;
  FDataID = Src->FDataID;
  FColName.swap(Names);
  FColumnFormat.swap(Formats);
  FColButMode.swap(Modes);
  UpdateFeedback();
}

// Takes the whole content of a freshly read list; Source gets this one's.
void TRLData::TakeContent(TRLData& Source) {
  FStrings->SwapContent(*Source.FStrings);
  FNrOfCols = Source.FNrOfCols;
  FNrOfRows = Source.FNrOfRows;
  FColName.swap(Source.FColName);
  FColumnFormat.swap(Source.FColumnFormat);
  FColButMode.swap(Source.FColButMode);
  FCommonHeader = Source.FCommonHeader;
  FComment = Source.FComment;
  FDataID = Source.FDataID;
  ClearSortColumns();
  UpdateFeedback();
  FStrings->NotifyChange();
}

// ---------------------------------------------------------------------------
// Event relays

void TRLData::BeforeSortExchange(TObject* Sender, const QString& S1, QString& S2) {
  Q_UNUSED(Sender);
  if (OnBeforeSortExchange) OnBeforeSortExchange(this, S1, S2);
}

void TRLData::BeforeHTMLExport(QString& Text, int Col, int Row) {
  if (OnBeforeHTMLExport) OnBeforeHTMLExport(this, Text, Col, Row);
}

}  // namespace qor
