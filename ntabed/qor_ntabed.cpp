// TNTabEd: construction, the mapping onto the table, properties, resizing,
// the table's notifications and the whole-table operations.
#include "ntabed/qor_ntabed.h"

#include <algorithm>
#include <new>

#include "host/qor_app.h"
#include "host/qor_edit.h"
#include "host/qor_memo.h"

namespace qor {

namespace {

constexpr int RowNameWidth = 80;
constexpr std::int8_t DefaultDecPlaces = 3;

}  // namespace

// ---- bulk changes -----------------------------------------------------------

TNTabEd::TBulk::TBulk(TNTabEd* Editor, bool DataNotify)
    : FEditor(Editor), FOldNotify(Editor->FDataNotify) {
  ++FEditor->FInternalSuppress;
  if (!DataNotify) FEditor->FDataNotify = false;
}

TNTabEd::TBulk::~TBulk() {
  FEditor->FDataNotify = FOldNotify;
  --FEditor->FInternalSuppress;
}

// ---- construction -----------------------------------------------------------

TNTabEd::TNTabEd(QWidget* AOwner) : TCustomGrid(AOwner) {
  TBulk Bulk(this);
  SetFixedCols(2);
  if (!Designing()) CreateEditors();
  TCustomGrid::SetColWidths(1, FClassColWidth);
  TCustomGrid::SetColWidths(0, RowNameWidth);
  FCopyBuffer = new TDataTable(this);
  FData = new TDataTable(this);
  try {
    FData->Resize(ColCount() - 2, RowCount() - 1);
    FDecPlaces.assign(size_t(FData->NrOfColumns()), DefaultDecPlaces);
  } catch (const std::bad_alloc&) {
    delete FData;
    FData = nullptr;
    throw EQORNTabedError(ComponentMessage(this, "failed to initialize table editor (out of memory)"));
  }
  FData->Matrix().Fill(0);
  ConnectTable(FData);
  BuildMenus();
  SetColor(FColorBackground);
  SetFixedColor(FColorFixed);
  ApplyEditingOption();
}

// The editors are children and die after this part of the editor: they must
// not hand anything back to it.
TNTabEd::~TNTabEd() {
  FHeadingActive = FCommentActive = false;
  if (!FOwnsData && FData) DisconnectTable(FData);
}

void TNTabEd::ConnectTable(TDataTable* Table) {
  Table->OnDataChanged = [this](TObject*) { TableDataChanged(); };
  Table->OnSetupChanged = [this](TObject*) { TableSetupChanged(); };
  Table->OnResize = [this](TObject*, int OC, int OR, int NC, int NR) { TableResized(OC, OR, NC, NR); };
  Table->OnSortExchange = [this](TObject*, int Kind, int I1, int I2) {
    TableSortExchange(Kind, I1, I2);
  };
  Table->OnPercentDone = [this](TObject*, int Percent) {
    if (OnPercentDone) OnPercentDone(this, Percent);
    Q_EMIT percentDone(Percent);
  };
  if (!FOwnsData) connect(Table, &QObject::destroyed, this, &TNTabEd::TableDestroyed);
}

void TNTabEd::DisconnectTable(TDataTable* Table) {
  Table->OnDataChanged = nullptr;
  Table->OnSetupChanged = nullptr;
  Table->OnResize = nullptr;
  Table->OnSortExchange = nullptr;
  Table->OnPercentDone = nullptr;
  disconnect(Table, &QObject::destroyed, this, &TNTabEd::TableDestroyed);
}

// ---- notifications ------------------------------------------------------------

void TNTabEd::Fire(const TNotifyEvent& Event, void (TNTabEd::*Signal)()) {
  if (Suppressed()) return;
  Notify(this, Event, Signal);
}

void TNTabEd::ChangedData() { Fire(OnChange, &TNTabEd::changed); }
void TNTabEd::ChangedHeading() { Fire(OnHeadingChanged, &TNTabEd::headingChanged); }
void TNTabEd::ChangedAttrib() { Fire(OnAttributeChanged, &TNTabEd::attributeChanged); }
void TNTabEd::ChangedLayout() { Fire(OnLayoutChanged, &TNTabEd::layoutChanged); }
void TNTabEd::ChangedCellStates() { Fire(OnCellStateChanged, &TNTabEd::cellStateChanged); }
void TNTabEd::ChangedSelection() { Fire(OnSelectionChanged, &TNTabEd::selectionChanged); }
void TNTabEd::ChangedSetup() { Fire(OnChangeSetup, &TNTabEd::setupChanged); }

void TNTabEd::TableDataChanged() {
  if (!FDataNotify) return;
  ChangedData();
  Invalidate();
}

void TNTabEd::TableSetupChanged() {
  ChangedSetup();
  Invalidate();
}

// The grid follows the table. New columns take the width and decimal places of
// the last one; a column inserted or removed through the editor keeps the
// other columns' settings with their columns.
void TNTabEd::TableResized(int OldCols, int, int NewCols, int NewRows) {
  const bool Inserting = FPendingInsert > 0 && NewCols == OldCols + 1;
  const bool Removing = FPendingRemove > 0 && NewCols == OldCols - 1;
  const std::int8_t OldLastDec = FDecPlaces.empty() ? DefaultDecPlaces : FDecPlaces.back();
  std::vector<int> Widths(static_cast<size_t>(ColCount()));
  for (int C = 0; C < ColCount(); ++C) Widths[size_t(C)] = TCustomGrid::ColWidths(C);
  const int OldLastWidth = Widths.back();
  try {
    if (Inserting) {
      const size_t At = size_t(FPendingInsert - 1);
      FDecPlaces.insert(FDecPlaces.begin() + std::ptrdiff_t(std::min(At, FDecPlaces.size())),
                        At < FDecPlaces.size() ? FDecPlaces[At] : OldLastDec);
      const size_t G = std::min(size_t(FPendingInsert + FColOffset), Widths.size());
      Widths.insert(Widths.begin() + std::ptrdiff_t(G), G < Widths.size() ? Widths[G] : OldLastWidth);
    } else if (Removing) {
      FDecPlaces.erase(FDecPlaces.begin() + (FPendingRemove - 1));
      Widths.erase(Widths.begin() + (FPendingRemove + FColOffset));
    }
    FDecPlaces.resize(size_t(NewCols), OldLastDec);
  } catch (const std::bad_alloc&) {
    throw EQORNTabedError(ComponentMessage(this, "not enough memory on heap"));
  }
  SetColCount(NewCols + FColOffset + 1);
  SetRowCount(NewRows + FRowOffset + 1);
  for (int C = 0; C < ColCount(); ++C)
    TCustomGrid::SetColWidths(C, C < int(Widths.size()) ? Widths[size_t(C)] : OldLastWidth);
  Invalidate();
}

void TNTabEd::TableSortExchange(int Kind, int Index1, int Index2) {
  if (Kind != seColumns || !FSortHeaders) return;
  const int N = int(FDecPlaces.size());
  if (Index1 < 1 || Index2 < 1 || Index1 > N || Index2 > N) return;
  std::swap(FDecPlaces[size_t(Index1 - 1)], FDecPlaces[size_t(Index2 - 1)]);
}

void TNTabEd::TableDestroyed() {
  const int Cols = ColCount() - FColOffset - 1, Rows = RowCount() - FRowOffset - 1;
  FData = new TDataTable(this);
  FOwnsData = true;
  TBulk Bulk(this);
  ConnectTable(FData);
  FData->Resize(Cols, Rows);
  Invalidate();
}

// ---- resizing -----------------------------------------------------------------

// The table refuses a size by raising; the editor then reports the property
// concerned and keeps everything as it was (the table did not change).
void TNTabEd::ResizeTable(int NrCols, int NrRows, const char* Context) {
  HideEditor();
  {
    TBulk Bulk(this);
    try {
      FData->Resize(NrCols, NrRows);
    } catch (const EQORNTabedError&) {
      throw;
    } catch (const std::exception& E) {
      throw EQORError(QStringLiteral("%1: the table refused %2 x %3 (%4)")
                          .arg(QLatin1String(Context))
                          .arg(NrCols)
                          .arg(NrRows)
                          .arg(QString::fromLocal8Bit(E.what())));
    }
  }
  ChangedSetup();
}

void TNTabEd::SetNrOfColumns(int Value) {
  if (Value == NrOfColumns()) return;
  ResizeTable(Value, NrOfRows(), "TNTabEd.NrOfColumns");
}

void TNTabEd::SetNrOfRows(int Value) {
  if (Value == NrOfRows()) return;
  ResizeTable(NrOfColumns(), Value, "TNTabEd.NrOfRows");
}

void TNTabEd::Redimension(int NrCols, int NrRows) {
  ResizeTable(NrCols, NrRows, "TNTabEd.Redimension");
  Invalidate();
}

void TNTabEd::AdoptTableSize() {
  TBulk Bulk(this);
  TableResized(int(FDecPlaces.size()), 0, FData->NrOfColumns(), FData->NrOfRows());
}

void TNTabEd::SetAttribRowVisible(bool Value) {
  if (Value == AttribRowVisible()) return;
  HideEditor();
  const int Cols = NrOfColumns();
  if (Value) {
    SetColCount(Cols + 2);
    for (int C = ColCount() - 1; C >= 2; --C) TCustomGrid::SetColWidths(C, TCustomGrid::ColWidths(C - 1));
    FColOffset = 1;
    SetFixedCols(2);
    TCustomGrid::SetColWidths(1, FClassColWidth);
  } else {
    for (int C = 1; C < ColCount() - 1; ++C) TCustomGrid::SetColWidths(C, TCustomGrid::ColWidths(C + 1));
    FColOffset = 0;
    SetFixedCols(1);
    SetColCount(Cols + 1);
  }
  ChangedLayout();
}

void TNTabEd::SetAttribColVisible(bool Value) {
  if (Value == AttribColVisible()) return;
  HideEditor();
  const int Rows = NrOfRows();
  if (Value) {
    SetRowCount(Rows + 2);
    for (int R = RowCount() - 1; R >= 2; --R) TCustomGrid::SetRowHeights(R, TCustomGrid::RowHeights(R - 1));
    FRowOffset = 1;
    SetFixedRows(2);
    TCustomGrid::SetRowHeights(1, TCustomGrid::RowHeights(0));
  } else {
    for (int R = 1; R < RowCount() - 1; ++R) TCustomGrid::SetRowHeights(R, TCustomGrid::RowHeights(R + 1));
    FRowOffset = 0;
    SetFixedRows(1);
    SetRowCount(Rows + 1);
  }
  ChangedLayout();
}

// ---- layout properties ----------------------------------------------------------

void TNTabEd::SetNumWidth(int Value) {
  if (Value >= 1 && Value <= 20 && Change(FNumWidth, Value)) Invalidate();
  ChangedLayout();
}

void TNTabEd::SetDefaultColWidth(int Value) {
  TCustomGrid::SetDefaultColWidth(Value);
  TCustomGrid::SetColWidths(0, RowNameWidth);
  if (AttribRowVisible()) TCustomGrid::SetColWidths(1, FClassColWidth);
  ChangedLayout();
}

int TNTabEd::ColWidths(int Index) const {
  if (Index > 0) return Index <= NrOfColumns() ? TCustomGrid::ColWidths(Index + FColOffset) : 0;
  if (Index == 0) return TCustomGrid::ColWidths(0);
  return AttribRowVisible() ? TCustomGrid::ColWidths(1) : 0;
}

void TNTabEd::SetColWidths(int Index, int Value) {
  if (Index > 0) {
    if (Index > NrOfColumns()) return;
    TCustomGrid::SetColWidths(Index + FColOffset, Value);
  } else if (Index == 0) {
    TCustomGrid::SetColWidths(0, Value);
  } else {
    FClassColWidth = Value;
    if (AttribRowVisible()) TCustomGrid::SetColWidths(1, Value);
  }
  ChangedLayout();
}

int TNTabEd::RowHeights(int Index) const {
  if (Index > 0) return Index <= NrOfRows() ? TCustomGrid::RowHeights(Index + FRowOffset) : 0;
  if (Index == 0) return TCustomGrid::RowHeights(0);
  return AttribColVisible() ? TCustomGrid::RowHeights(1) : 0;
}

void TNTabEd::SetRowHeights(int Index, int Value) {
  if (Index > 0) {
    if (Index <= NrOfRows()) TCustomGrid::SetRowHeights(Index + FRowOffset, Value);
  } else if (Index == 0) {
    TCustomGrid::SetRowHeights(0, Value);
  } else if (AttribColVisible()) {
    TCustomGrid::SetRowHeights(1, Value);
  }
}

int TNTabEd::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  const TFont& F = Font();
  int W = 0;
  if (ColNr == -1) {
    W = F.TextWidth(IncludeHeader ? QStringLiteral("Attrib") : QStringLiteral("255"));
  } else if (ColNr == 0) {
    W = F.TextWidth(QStringLiteral("999:9999"));
    for (int R = 1; R <= NrOfRows(); ++R) W = std::max(W, F.TextWidth(RowName(R)));
  } else if (ColNr >= 1 && ColNr <= NrOfColumns()) {
    if (IncludeHeader) W = F.TextWidth(ColName(ColNr));
    W = std::max(W, F.TextWidth(QString::number(ColAttrib(ColNr))));
    for (int R = 1; R <= NrOfRows(); ++R) W = std::max(W, F.TextWidth(CellText(ColNr, R)));
  } else {
    return 0;
  }
  const int Result = std::max(4, W + Addon + 8);
  SetColWidths(ColNr, Result);
  return Result;
}

int TNTabEd::AutoRowHeight(int RowNr, int Addon) {
  const int Result =
      std::max(8, Font().Metrics().boundingRect(QStringLiteral("9GMgÜ$§[{|")).height() + Addon + 2);
  SetRowHeights(RowNr, Result);
  return Result;
}

void TNTabEd::SetOptimizeRowHeight(bool Value) {
  if (!Change(FOptimizeRowHeight, Value)) return;
  ApplyOptimizedRowHeight();
  Invalidate();
}

void TNTabEd::SetLeftCol(int Value) {
  const int Last = std::max(FColOffset + 1, FColOffset + NrOfColumns());
  TCustomGrid::SetLeftCol(std::clamp(Value + FColOffset, FColOffset + 1, Last));
}

void TNTabEd::SetTopRow(int Value) {
  const int Last = std::max(FRowOffset + 1, FRowOffset + NrOfRows());
  TCustomGrid::SetTopRow(std::clamp(Value + FRowOffset, FRowOffset + 1, Last));
  Invalidate();
}

void TNTabEd::SetColorBackground(TColor Value) {
  FColorBackground = Value;
  SetColor(Value);
}

void TNTabEd::SetColorFixed(TColor Value) {
  FColorFixed = Value;
  SetFixedColor(Value);
}

void TNTabEd::SetLayoutColor(TColor& Field, TColor Value) {
  if (!Change(Field, Value)) return;
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SetBoldMarks(bool Value) {
  if (!Change(FBoldMarks, Value)) return;
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SetBoldSelHeads(bool Value) {
  if (!Change(FBoldSelHeads, Value)) return;
  Invalidate();
  ChangedLayout();
}

void TNTabEd::SetNomEditDropDownCount(int Value) {
  FNomEditDropDownCount = Value;
  if (InplaceEditor()) InplaceEditor()->SetDropDownRows(Value);
}

void TNTabEd::SetSuppressPaint(bool Value) {
  if (!Change(FSuppressPaint, Value)) return;
  if (!Value) Refresh();
}

void TNTabEd::SetDataReadOnly(bool Value) {
  if (!Change(FDataReadOnly, Value)) return;
  if (Value) HideEditor();
  ApplyEditingOption();
}

void TNTabEd::SetEditingOption(bool On) {
  SetOptions(On ? Options() | host::goEditing : Options() & ~TGridOptions(host::goEditing));
}

void TNTabEd::ApplyEditingOption() { SetEditingOption(!FDataReadOnly); }

void TNTabEd::SetComment(const QString& Value) {
  QString Clean;
  Clean.reserve(Value.size());
  for (QChar C : Value)
    if (C.unicode() >= 32) Clean.append(C);
  FData->SetFComment(Clean);
  ChangedData();
}

// ---- elements and headings -------------------------------------------------------

void TNTabEd::SetCellState(int ACol, int ARow, std::uint8_t Value) {
  FData->SetCellState(ACol, ARow, Value);
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::SetStateBit(int ACol, int ARow, std::uint8_t Bit, bool On) {
  if (ACol >= 1 && ACol <= NrOfColumns() && ARow >= 1 && ARow <= NrOfRows()) {
    const std::uint8_t S = FData->GetCellState(ACol, ARow);
    FData->SetCellState(ACol, ARow, On ? S | Bit : S & ~Bit);
  }
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::SetColName(int ColNr, const QString& Value) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FData->SetColName(ColNr, Value.left(MaxDTNameLength));
  ChangedHeading();
  Invalidate();
}

void TNTabEd::SetRowName(int RowNr, const QString& Value) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FData->SetRowName(RowNr, Value.left(MaxDTNameLength));
  ChangedHeading();
  Invalidate();
}

void TNTabEd::SetColAttrib(int ColNr, std::uint8_t Value) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FData->SetColAttrib(ColNr, Value);
  Invalidate();
  ChangedAttrib();
}

void TNTabEd::SetRowAttrib(int RowNr, std::uint8_t Value) {
  if (RowNr < 1 || RowNr > NrOfRows()) return;
  FData->SetRowAttrib(RowNr, Value);
  Invalidate();
  ChangedAttrib();
}

std::uint8_t TNTabEd::Precision(int ColNr) const {
  if (ColNr < 1 || ColNr > int(FDecPlaces.size())) return 0;
  return std::uint8_t(FDecPlaces[size_t(ColNr - 1)]);
}

void TNTabEd::SetPrecision(int ColNr, int Value) {
  if (ColNr < 1 || ColNr > int(FDecPlaces.size())) return;
  FDecPlaces[size_t(ColNr - 1)] = std::int8_t(Value < 0 ? -1 : std::min(Value, 10));
  Invalidate();
  ChangedLayout();
}

// ---- whole-table operations --------------------------------------------------------

void TNTabEd::Fill(double Value) {
  FData->Matrix().Fill(Value);
  Invalidate();
}

int TNTabEd::FillMarkedCells(double Value, std::uint8_t Statemask) {
  int N = 0;
  {
    TBulk Bulk(this);
    N = FData->FillMarkedCells(Value, Statemask);
  }
  Invalidate();
  return N;
}

void TNTabEd::Clear() {
  HideEditor();
  {
    TBulk Bulk(this);
    FData->Clear();
    for (int C = 1; C <= NrOfColumns(); ++C) FData->SetColName(C, QStringLiteral("C-%1").arg(C));
    for (int R = 1; R <= NrOfRows(); ++R) FData->SetRowName(R, QStringLiteral("R-%1").arg(R));
    std::fill(FDecPlaces.begin(), FDecPlaces.end(), DefaultDecPlaces);
  }
  if (!FSuppressPaint) Refresh();
}

void TNTabEd::InsertRow(int ix) {
  if (ix < 1 || ix > NrOfRows() + 1) return;
  HideEditor();
  {
    TBulk Bulk(this);
    FData->InsertRow(ix);
  }
  Invalidate();
}

void TNTabEd::InsertColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns() + 1) return;
  HideEditor();
  {
    TBulk Bulk(this);
    FPendingInsert = ix;
    FData->InsertColumn(ix);
    FPendingInsert = 0;
  }
  Invalidate();
}

void TNTabEd::RemoveRow(int ix) {
  if (ix < 1 || ix > NrOfRows() || NrOfRows() < 2) return;
  HideEditor();
  {
    TBulk Bulk(this);
    FData->RemoveRow(ix);
  }
  Invalidate();
}

void TNTabEd::RemoveColumn(int ix) {
  if (ix < 1 || ix > NrOfColumns() || NrOfColumns() < 2) return;
  HideEditor();
  {
    TBulk Bulk(this);
    FPendingRemove = ix;
    FData->RemoveColumn(ix);
    FPendingRemove = 0;
  }
  Invalidate();
}

void TNTabEd::MirrorColumns() {
  HideEditor();
  {
    TBulk Bulk(this);
    FSortHeaders = true;
    FData->MirrorColumns();
    FSortHeaders = false;
  }
  Invalidate();
}

void TNTabEd::MirrorRows() {
  HideEditor();
  {
    TBulk Bulk(this);
    FData->MirrorRows();
  }
  Invalidate();
}

void TNTabEd::SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                       int HighRow, bool IncludeHeaders) {
  HideEditor();
  FSortHeaders = IncludeHeaders;
  FData->SortCols(SortRowIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
  FSortHeaders = false;
  Invalidate();
}

void TNTabEd::SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol,
                       int HighRow, bool IncludeHeaders) {
  HideEditor();
  FData->SortRows(SortColIx, Ascending, LowCol, LowRow, HighCol, HighRow, IncludeHeaders);
  Invalidate();
}

void TNTabEd::SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  HideEditor();
  FSortHeaders = true;
  FData->SortColAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
  FSortHeaders = false;
  Invalidate();
}

void TNTabEd::SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  HideEditor();
  FData->SortRowAttributes(Ascending, LowCol, LowRow, HighCol, HighRow);
  Invalidate();
}

void TNTabEd::SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortColNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                           int HighRow) {
  HideEditor();
  FSortHeaders = true;
  FData->SortColNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
  FSortHeaders = false;
  Invalidate();
}

void TNTabEd::SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow) {
  SortRowNames(Ascending, false, LowCol, LowRow, HighCol, HighRow);
}

void TNTabEd::SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                           int HighRow) {
  HideEditor();
  FData->SortRowNames(Ascending, IgnoreCase, LowCol, LowRow, HighCol, HighRow);
  Invalidate();
}

void TNTabEd::AssignAnotherDataMatrix(TDataTable* NewDTab) {
  if (!NewDTab || NewDTab == FData) return;
  HideEditor();
  if (FOwnsData) delete FData;
  else DisconnectTable(FData);
  FData = NewDTab;
  FOwnsData = false;
  ConnectTable(FData);
  AdoptTableSize();
  Invalidate();
  ChangedSetup();
}

void TNTabEd::CopyContentsFrom(const TDataTable& ExtTab) {
  HideEditor();
  FData->CopyFrom(ExtTab);
  Invalidate();
}

void TNTabEd::CopyCellStatesFrom(const TDataTable& ExtTab) {
  FData->CopyCellStatesFrom(ExtTab);
  Invalidate();
  ChangedCellStates();
}

// ---- whole-table marks ---------------------------------------------------------------

void TNTabEd::MarkAllElemsA() { MarkBlock(4, csMarkA, true); }
void TNTabEd::MarkAllElemsB() { MarkBlock(4, csMarkB, true); }

void TNTabEd::UnMarkAllElems() {
  FData->UnmarkAllCells();
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::InvertCellStates(std::uint8_t StateMask) {
  FData->InvertCellStates(StateMask);
  Invalidate();
  ChangedCellStates();
}

void TNTabEd::ExchangeMarkings() {
  FData->ExchangeMarkings();
  Invalidate();
  ChangedCellStates();
}

int TNTabEd::CountStates(std::uint8_t Bit) const {
  int N = 0;
  for (int C = 1; C <= NrOfColumns(); ++C)
    for (int R = 1; R <= NrOfRows(); ++R)
      if (FData->GetCellState(C, R) & Bit) ++N;
  return N;
}

bool TNTabEd::IfRowMarked(int Row) const {
  if (Row < 1 || Row > NrOfRows()) return false;
  for (int C = 1; C <= NrOfColumns(); ++C)
    if (FData->GetCellState(C, Row) & (csMarkA | csMarkB)) return true;
  return false;
}

bool TNTabEd::IfColumnMarked(int Col) const {
  if (Col < 1 || Col > NrOfColumns()) return false;
  for (int R = 1; R <= NrOfRows(); ++R)
    if (FData->GetCellState(Col, R) & (csMarkA | csMarkB)) return true;
  return false;
}

bool TNTabEd::IfAnyMarked() const {
  for (int R = 1; R <= NrOfRows(); ++R)
    if (IfRowMarked(R)) return true;
  return false;
}

// ---- selection tracking --------------------------------------------------------------

void TNTabEd::TrackSelection() {
  const TGridRect S = Selection();
  if (S == FLastSel) return;
  FLastSel = S;
  ChangedSelection();
}

void TNTabEd::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  TrackSelection();
  Notify(this, OnTopLeftChanged, &TNTabEd::topLeftChanged);
}

TGridRect TNTabEd::TableSelection() const {
  const TGridRect S = Selection();
  return {S.Left - FColOffset, S.Top - FRowOffset, S.Right - FColOffset, S.Bottom - FRowOffset};
}

}  // namespace qor
