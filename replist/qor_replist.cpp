#include "replist/qor_replist.h"

#include <QApplication>
#include <QFontMetrics>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace qor {

namespace {

constexpr TColor FixedColumnColor = 0xC0C0C0;
constexpr int CheckBoxReserve = 16;   // pixels left of the text in a check column
constexpr int CheckClickReach = 18;   // pixels from the cell's left edge that toggle
constexpr int SortArrowReserve = 13;  // header pixels kept for the sort indicator
constexpr int BorderClickGap = 4;     // header clicks this close to a border do not sort
constexpr int MaxExpressionDepth = 200;

// The platform's Round: halves go to the even neighbour.
int RoundToInt(double V) { return int(std::nearbyint(V)); }

}  // namespace

// ---- painting batches -----------------------------------------------------------

TReportListView::TPaintBatch::TPaintBatch(TReportListView& View, TScope Scope)
    : FView(View), FSaved(View.FSuppressPaint) {
  TBatchPaint& B = FView.FBatchPaint;
  if (!FSaved) B = {true, false, {}};
  if (Scope == Everything) B.Everything = true;
  FView.FSuppressPaint = true;
}

TReportListView::TPaintBatch::~TPaintBatch() {
  if (FSaved) return;
  TBatchPaint B = std::exchange(FView.FBatchPaint, {});
  FView.FSuppressPaint = false;
  if (B.Everything) {
    FView.Refresh();
    return;
  }
  for (const int Row : B.Rows) FView.RepaintRow(Row);
}

// ---- construction ---------------------------------------------------------------

TReportListView::TReportListView(QWidget* AOwner) : TCustomDrawGrid(AOwner) {
  SetFixedCols(0);
  SetFixedRows(1);
  SetDefaultDrawing(false);
  SetOptions(host::goFixedVertLine | host::goFixedHorzLine | host::goColSizing |
             host::goRowSelect | host::goThumbTracking);
  SetFixedColor(FColHdColor);
  FRLData = std::make_unique<TRLData>(nullptr);
  try {
    FColAlignment.assign(size_t(TCustomGrid::ColCount()), taLeftJustify);
    FColumnEditable.assign(size_t(TCustomGrid::ColCount()), false);
    FColumnIsPwd.assign(size_t(TCustomGrid::ColCount()), false);
  } catch (const std::bad_alloc&) {
    throw EQORRepListError(
        ComponentMessage(this, QStringLiteral("failed to initialize table editor (out of memory)")));
  }
  FRLData->SetNrCols(TCustomGrid::ColCount());
  FRLData->SetNrRows(TCustomGrid::RowCount() - 1);
  ConnectData();
  TCustomGrid::SetTopRow(CountHeadRows());
  FSuppressPaint = false;
}

TReportListView::~TReportListView() = default;

void TReportListView::ConnectData() {
  FRLData->Strings().SetOwnerNotify([this] { StringsHasChanged(); });
  FRLData->OnPercentDone = [this](TObject*, int Percent) { RepListPercDone(Percent); };
  FRLData->OnBeforeSortExchange = [this](TObject*, const QString& S1, QString& S2) {
    if (OnBeforeSortExchange) OnBeforeSortExchange(this, S1, S2);
  };
  FRLData->OnBeforeHTMLExport = [this](TObject*, QString& Text, int Col, int Row) {
    if (OnBeforeHTMLExport) OnBeforeHTMLExport(this, Text, Col, Row);
  };
}

void TReportListView::SetElem(int ACol, int ARow, const QString& Value) {
  FChangingCell = QPoint(ACol - 1, ARow + CountHeadRows() - 1);
  try {
    FRLData->SetElem(ACol, ARow, Value);
  } catch (...) {
    FChangingCell.reset();
    throw;
  }
  FChangingCell.reset();
}

void TReportListView::StringsHasChanged() {
  Changed();
  if (FChangingCell && !FSuppressPaint) InvalidateCell(FChangingCell->x(), FChangingCell->y());
  else Repaint();
}

void TReportListView::RepListPercDone(int Percent) {
  if (OnPercentDone) OnPercentDone(this, Percent);
  Q_EMIT percentDone(Percent);
}

void TReportListView::Changed() { Notify(this, OnChange, &TReportListView::changed); }

void TReportListView::ChangedSetup() {
  Notify(this, OnChangeSetup, &TReportListView::setupChanged);
}

void TReportListView::ChangedSelection() {
  Notify(this, OnSelectedChange, &TReportListView::selectionChanged);
  NotifyAccessibleSelection();
}

void TReportListView::Repaint() {
  if (FBatchPaint.Active) FBatchPaint.Everything = true;
  else if (!FSuppressPaint) Invalidate();
}

void TReportListView::RepaintRow(int Row) {
  if (FBatchPaint.Active) {
    // Beyond a screenful of rows one repaint of the whole is cheaper.
    constexpr std::size_t MostRows = 256;
    if (FBatchPaint.Rows.size() < MostRows) FBatchPaint.Rows.push_back(Row);
    else FBatchPaint.Everything = true;
    return;
  }
  if (FSuppressPaint) return;
  for (int C = 0; C < ColCount(); ++C) InvalidateCell(C, Row + FixedRows() - 1);
}

void TReportListView::SetSuppressPaint(bool Value) {
  if (Value == FSuppressPaint) return;
  FSuppressPaint = Value;
  if (!Value) Refresh();
}

void TReportListView::SetSetupColor(TColor& Field, TColor Value) {
  Field = Value;
  Repaint();
  ChangedSetup();
}

void TReportListView::SetSetupInt(int& Field, int Value) {
  Field = Value;
  Repaint();
  ChangedSetup();
}

void TReportListView::SetHighLightBold(bool Value) {
  FHiLgtBold = Value;
  Repaint();
  ChangedSetup();
}

void TReportListView::SetColorColumnHd(TColor Value) {
  FColHdColor = Value;
  SetFixedColor(Value);
  Repaint();
  ChangedSetup();
}

void TReportListView::SetColorEmptyMsg(TColor Value) {
  if (Value == FColorEmptyMsg) return;
  FColorEmptyMsg = Value;
  Repaint();
  ChangedSetup();
}

// ---- size and grid mapping ------------------------------------------------------

void TReportListView::UpdateGridRows() {
  const int H = CountHeadRows();
  SetRowCount(std::max(H + NrOfRows(), H + 1));
  SetFixedRows(H);
  SyncAccessibleRows();  // an empty list keeps one grid row
}

// ---- screen readers -------------------------------------------------------------

QString TReportListView::AccessibleCaption() const {
  return FComHdVis ? FRLData->CommonHeader() : QString();
}

TReportListView::TAccessibleLayout TReportListView::AccessibleLayout() const {
  const int H = CountHeadRows();
  TAccessibleLayout L;
  L.Cells = {0, H, NrOfColumns() - 1, H + NrOfRows() - 1};
  L.HeaderRow = FColHdVis ? H - 1 : -1;
  return L;
}

QString TReportListView::AccessibleCellText(int ACol, int ARow) const {
  const int Col = ACol + 1;
  if (ARow < FixedRows()) return ARow == 0 && FComHdVis ? CommonHeader() : Header(Col);
  if (ColumnIsPwd(Col)) return QStringLiteral("******");
  return GetElem(Col, DataRowOfGridRow(ARow));
}

bool TReportListView::AccessibleCellSelected(int ACol, int ARow) const {
  return RowSelected(DataRowOfGridRow(ARow)) || ColumnSelected(ACol + 1);
}

void TReportListView::SetNrRows(int N) {
  HideEditor();
  FRLData->SetNrRows(N);
  SetSelection({0, 0, 0, 0});
  UpdateGridRows();
  SetHeaderHeights();
  Repaint();
  ChangedSetup();
}

void TReportListView::ResizeColumnFlags(int N) {
  try {
    FColAlignment.resize(size_t(N), taLeftJustify);
    FColumnEditable.resize(size_t(N), false);
    FColumnIsPwd.resize(size_t(N), false);
  } catch (const std::bad_alloc&) {
    throw EQORRepListError(ComponentMessage(this, QStringLiteral("not enough memory on heap")));
  }
}

void TReportListView::SetNrCols(int N) {
  HideEditor();
  const int LastWidth = TCustomGrid::ColWidths(TCustomGrid::ColCount() - 1);
  FRLData->SetNrCols(N);
  SetColCount(NrOfColumns());
  TCustomGrid::SetColWidths(NrOfColumns() - 1, LastWidth);
  ResizeColumnFlags(NrOfColumns());
  TCustomGrid::SetTopRow(CountHeadRows());
  Repaint();
  ChangedSetup();
}

// Grid row 1 exists whenever the grid has two rows; it is the column-header
// row with both headers shown and the first data row otherwise.
void TReportListView::SetHeaderHeights() {
  const bool SecondRow = TCustomGrid::RowCount() >= 2;
  if (FComHdVis && FColHdVis) {
    SetRowHeights(0, FComHdHgt);
    if (SecondRow) SetRowHeights(1, FColHdHgt);
    return;
  }
  SetRowHeights(0, FComHdVis ? FComHdHgt : FColHdVis ? FColHdHgt : DefaultRowHeight());
  if (SecondRow) SetRowHeights(1, DefaultRowHeight());
}

void TReportListView::SetLeftCol(int Value) {
  Value = std::max(std::min(Value, NrOfColumns()), FixedCols() + 1);
  TCustomGrid::SetLeftCol(Value - 1);
}

void TReportListView::SetTopRow(int Value) {
  const int H = CountHeadRows();
  TCustomGrid::SetTopRow(std::clamp(Value + H - 1, H, std::max(H, H + NrOfRows() - 1)));
}

void TReportListView::SetDefaultColWidth(int Value) {
  TCustomDrawGrid::SetDefaultColWidth(Value);
  Repaint();
  ChangedSetup();
}

void TReportListView::SetDefaultRowHeight(int Value) {
  TCustomDrawGrid::SetDefaultRowHeight(Value);
  SetHeaderHeights();
  Repaint();
  ChangedSetup();
}

TGridCoord TReportListView::MouseCell(int X, int Y) const {
  const TGridCoord G = MouseCoord(X, Y);
  const int H = CountHeadRows();
  TGridCoord Result{G.X < 0 ? 0 : G.X + 1, 0};
  if (G.Y < 0) return Result;
  if (G.Y < H) Result.Y = (H == 2 ? G.Y == 0 : FComHdVis) ? -2 : -1;
  else if (DataRowOfGridRow(G.Y) <= NrOfRows()) Result.Y = DataRowOfGridRow(G.Y);
  return Result;
}

// ---- content and columns --------------------------------------------------------

void TReportListView::SetCommonHeader(const QString& Text) {
  if (Text == FRLData->CommonHeader()) return;
  FRLData->SetCommonHeader(Text);
  Changed();
  Repaint();
}

void TReportListView::SetHeader(int ColNr, const TNameStrType& Text) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FRLData->SetColName(ColNr, Text);
  Changed();
  Repaint();
}

void TReportListView::SetColumnFormat(int ColNr, const TColFmtString& Format) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return;
  FRLData->SetColumnFormat(ColNr, Format);
  Changed();
  Repaint();
}

void TReportListView::SetColumnCheckMode(int ColNr, TCheckMode Mode) {
  FRLData->SetColCheckMode(ColNr, Mode);
  Changed();
  Repaint();
}

void TReportListView::SetIsCheckedColumn(int ColNr, bool Value) {
  FRLData->SetCheckedCol(ColNr, Value);
  Changed();
  Repaint();
}

TAlignment TReportListView::ColumnAlignment(int ColNr) const {
  if (ColNr < 1 || ColNr > int(FColAlignment.size())) return taLeftJustify;
  return FColAlignment[size_t(ColNr - 1)];
}

void TReportListView::SetColumnAlignment(int ColNr, TAlignment Value) {
  if (ColNr < 1 || ColNr > int(FColAlignment.size()) || FColAlignment[size_t(ColNr - 1)] == Value)
    return;
  FColAlignment[size_t(ColNr - 1)] = Value;
  Changed();
  Repaint();
}

bool TReportListView::ColumnEditable(int ColNr) const {
  return ColNr >= 1 && ColNr <= int(FColumnEditable.size()) && FColumnEditable[size_t(ColNr - 1)];
}

void TReportListView::SetColumnEditable(int ColNr, bool Value) {
  if (ColNr >= 1 && ColNr <= int(FColumnEditable.size())) FColumnEditable[size_t(ColNr - 1)] = Value;
}

bool TReportListView::ColumnIsPwd(int ColNr) const {
  return ColNr >= 1 && ColNr <= int(FColumnIsPwd.size()) && FColumnIsPwd[size_t(ColNr - 1)];
}

void TReportListView::SetColumnIsPwd(int ColNr, bool Value) {
  if (ColNr < 1 || ColNr > int(FColumnIsPwd.size()) || FColumnIsPwd[size_t(ColNr - 1)] == Value)
    return;
  FColumnIsPwd[size_t(ColNr - 1)] = Value;
  Changed();
  Repaint();
}

void TReportListView::SetColWidths(int Index, int Value) {
  if (Index >= 1 && Index <= NrOfColumns()) TCustomGrid::SetColWidths(Index - 1, Value);
  ChangedSetup();
}

// ---- column widths --------------------------------------------------------------

int TReportListView::DetermineMaxColWidth(int ColNr, bool IncludeHeader) {
  if (ColNr < 1 || ColNr > NrOfColumns()) return 9;
  const QFontMetrics M(Font().ToQFont());
  const bool Italic = Font().Style() & fsItalic;
  const bool CheckColumn = ColumnCheckMode(ColNr) != cmNone;
  const int Reserve = (CheckColumn ? CheckBoxReserve : 0) + (Italic ? 2 : 0);
  const TStringArray& S = FRLData->Strings();
  int Max = 0;
  for (int R = 1; R <= NrOfRows(); ++R) {
    QStringView Text = S.StringView(ColNr, R);
    if (CheckColumn && !Text.isEmpty()) Text = Text.mid(1);
    if (Text.isEmpty()) continue;
    Max = std::max(Max, M.horizontalAdvance(Text.toString()) + Reserve);
  }
  if (IncludeHeader) {
    int Widest = 0;
    for (const QString& Line : Header(ColNr).split(QChar(10)))
      Widest = std::max(Widest, M.horizontalAdvance(Line));
    Max = std::max(Max, Widest + (ColNr == LastSortColumn() ? SortArrowReserve : 0) + (Italic ? 2 : 0));
  }
  return Max + 9;
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon) {
  SetColWidths(ColNr, std::max(DetermineMaxColWidth(ColNr, IncludeHeader) + Addon, 4));
}

void TReportListView::AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth) {
  SetColWidths(ColNr, std::min(MaxWidth, std::max(DetermineMaxColWidth(ColNr, IncludeHeader) + Addon, 4)));
}

// The other columns keep their widths (and grid lines); column ColIx takes
// the rest of the client width less RightMargin, at least 16 pixels.
void TReportListView::ExpandColWidth(int ColIx, int RightMargin) {
  if (ColIx >= 1 && ColIx <= NrOfColumns()) {
    int Others = 0;
    for (int C = 1; C <= NrOfColumns(); ++C) {
      Others += GridLineWidth();
      if (C != ColIx) Others += std::max(0, ColWidths(C));
    }
    const int W = ClientWidth() - RightMargin - Others;
    TCustomGrid::SetColWidths(ColIx - 1, W > 15 ? W : 16);
  }
  ChangedSetup();
}

void TReportListView::FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth,
                                      int RightMargin) {
  TPaintBatch Batch(*this);
  for (int C = 1; C <= NrOfColumns(); ++C)
    if (C != ExpandColumn) AutoColWidth(C, IncludeHeader, Addon, MaxWidth);
  ExpandColWidth(ExpandColumn, RightMargin);
}

// ---- check marks ----------------------------------------------------------------

void TReportListView::SetAllCheckmarksOfCol(int Column, bool Checked) {
  TPaintBatch Batch(*this);
  FRLData->SetAllCheckmarksOfCol(Column, Checked);
}

void TReportListView::InvertAllCheckmarksOfCol(int Column) {
  TPaintBatch Batch(*this);
  FRLData->InvertAllCheckmarksOfCol(Column);
}

void TReportListView::SetCheckMarksReadOnly(bool Value) {
  if (Value == FROCheckMarks) return;
  FROCheckMarks = Value;
  Repaint();
}

void TReportListView::SetShowEmptyCheckBoxes(bool Value) {
  if (Value == FShowEmptyCBx) return;
  FShowEmptyCBx = Value;
  Repaint();
}

// A click in the box: radio cells always become the checked one; box cells
// take the (handler-adjusted) new state.
void TReportListView::ToggleCheckMark(int Col, int Row) {
  TStringArray& S = FRLData->Strings();
  bool NewState = !FRLData->GetElemChecked(Col, Row);
  if (OnBeforeCheckedChange) OnBeforeCheckedChange(this, NewState, Col, Row);
  if (ColumnCheckMode(Col) == cmRadio) {
    FRLData->SetElemChecked(Col, Row, true);
  } else {
    QString Text = S.GetString(Col, Row);
    const QChar Flag = NewState ? QChar('X') : QChar(' ');
    if (Text.isEmpty()) Text = Flag;
    else Text[0] = Flag;
    S.SetString(Col, Row, Text);
  }
  const bool Passed = !NewState;
  bool State = Passed;
  if (OnCheckedChange) OnCheckedChange(this, State, Col, Row);
  Q_EMIT checkedChanged(Col, Row, Passed);
}

// ---- selection and enabling -----------------------------------------------------

bool TReportListView::IsRowDisabled(int Row) const {
  return Row >= 1 && Row <= NrOfRows() &&
         (FRLData->Strings().GetRowAttrib(Row) & TRLData::RowDisabledBit);
}

void TReportListView::SetRowBit(int Row, std::uint8_t Bit, bool Value) {
  TStringArray& S = FRLData->Strings();
  const std::uint8_t A = S.GetRowAttrib(Row);
  S.SetRowAttrib(Row, Value ? std::uint8_t(A | Bit) : std::uint8_t(A & ~Bit));
}

void TReportListView::MarkRowSelected(int Row, bool Value) {
  if (RowSelected(Row) == Value) return;
  SetRowBit(Row, TRLData::RowSelectedBit, Value);
  RepaintRow(Row);
}

// Rows outside 1..NrOfRows select none. The marks of every row change in one
// pass over the stored flags; only the rows in view are compared and redrawn.
void TReportListView::SelectOnlyRow(int Row) {
  const int First = TopRow(), Last = std::min(NrOfRows(), TopRow() + VisibleRowCount());
  std::vector<bool> Shown;
  for (int R = First; R <= Last; ++R) Shown.push_back(RowSelected(R));
  SetAllRowBits(TRLData::RowSelectedBit, false);
  if (Row >= 1 && Row <= NrOfRows()) SetRowBit(Row, TRLData::RowSelectedBit, true);
  for (int R = First; R <= Last; ++R)
    if (RowSelected(R) != Shown[std::size_t(R - First)]) RepaintRow(R);
}

void TReportListView::SetAllRowBits(std::uint8_t Bit, bool Value) {
  FRLData->Strings().SetAllRowAttribBits(Bit, Value);
}

void TReportListView::SetAllColumnBits(bool Value) {
  TStringArray& S = FRLData->Strings();
  for (int C = 1; C <= NrOfColumns(); ++C) {
    const std::uint8_t A = S.GetColAttrib(C);
    S.SetColAttrib(C, Value ? std::uint8_t(A | TRLData::ColSelectedBit)
                            : std::uint8_t(A & ~TRLData::ColSelectedBit));
  }
}

bool TReportListView::RowSelected(int Row) const {
  return Row >= 1 && Row <= NrOfRows() &&
         (FRLData->Strings().GetRowAttrib(Row) & TRLData::RowSelectedBit);
}

void TReportListView::SetRowSelected(int Row, bool Value) {
  if (Row < 1 || Row > NrOfRows()) return;
  SetRowBit(Row, TRLData::RowSelectedBit, Value);
  ChangedSelection();
  RepaintRow(Row);
}

bool TReportListView::RowEnabled(int Row) const {
  return Row >= 1 && Row <= NrOfRows() && !IsRowDisabled(Row);
}

void TReportListView::SetRowEnabled(int Row, bool Value) {
  if (Row < 1 || Row > NrOfRows()) return;
  SetRowBit(Row, TRLData::RowDisabledBit, !Value);
  ChangedSelection();
  Repaint();
}

bool TReportListView::ColumnSelected(int Col) const {
  return Col >= 1 && Col <= NrOfColumns() &&
         (FRLData->Strings().GetColAttrib(Col) & TRLData::ColSelectedBit);
}

void TReportListView::SetColumnSelected(int Col, bool Value) {
  if (Col < 1 || Col > NrOfColumns()) return;
  TStringArray& S = FRLData->Strings();
  const std::uint8_t A = S.GetColAttrib(Col);
  S.SetColAttrib(Col, Value ? std::uint8_t(A | TRLData::ColSelectedBit)
                            : std::uint8_t(A & ~TRLData::ColSelectedBit));
  ChangedSelection();
  Repaint();
}

int TReportListView::FirstSelectedRow() const {
  for (int R = 1; R <= NrOfRows(); ++R)
    if (RowSelected(R)) return R;
  return 0;
}

int TReportListView::FirstSelectedColumn() const {
  for (int C = 1; C <= NrOfColumns(); ++C)
    if (ColumnSelected(C)) return C;
  return 0;
}

int TReportListView::NumSelectedRows() const {
  int N = 0;
  for (int R = 1; R <= NrOfRows(); ++R) N += RowSelected(R);
  return N;
}

int TReportListView::NumSelectedColumns() const {
  int N = 0;
  for (int C = 1; C <= NrOfColumns(); ++C) N += ColumnSelected(C);
  return N;
}

int TReportListView::NumEnabledRows() const {
  int N = 0;
  for (int R = 1; R <= NrOfRows(); ++R) N += !IsRowDisabled(R);
  return N;
}

void TReportListView::SelectAllRows() {
  {
    TPaintBatch Batch(*this);
    SetAllRowBits(TRLData::RowSelectedBit, true);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::DeselectAllRows() {
  {
    TPaintBatch Batch(*this);
    SetAllRowBits(TRLData::RowSelectedBit, false);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::EnableAllRows() {
  {
    TPaintBatch Batch(*this);
    SetAllRowBits(TRLData::RowDisabledBit, false);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::DisableAllRows() {
  {
    TPaintBatch Batch(*this);
    SetAllRowBits(TRLData::RowDisabledBit, true);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::SelectAllColumns() {
  {
    TPaintBatch Batch(*this);
    SetAllColumnBits(true);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::DeselectAllColumns() {
  {
    TPaintBatch Batch(*this);
    SetAllColumnBits(false);
    Repaint();
  }
  ChangedSelection();
}

void TReportListView::CenterScrollAndSelect(int Row) {
  {
    TPaintBatch Batch(*this);
    SetAllRowBits(TRLData::RowSelectedBit, false);
    if (Row >= 1 && Row <= NrOfRows()) SetRowBit(Row, TRLData::RowSelectedBit, true);
    const int V = VisibleRowCount();
    const int Top = Row > NrOfRows() - V / 2 ? NrOfRows() - V + 1 : Row - V / 2;
    SetTopRow(std::max(Top, 1));
    SetSelection({Col(), GridRowOfDataRow(Row), Col(), GridRowOfDataRow(Row)});
  }
  ChangedSelection();
}

void TReportListView::SetRowSelectMode(int Value) {
  FRowSelectMode = Value;
  {
    TPaintBatch Batch(*this);
    if (Value != 2) SetAllRowBits(TRLData::RowSelectedBit, false);
    if (Value == 0) {
      const int C = NrOfColumns() + 1, R = NrOfRows() + 1;
      SetSelection({C, R, C, R});
    }
  }
  ChangedSelection();
}

// ---- sorting and filtering ------------------------------------------------------

// Whatever re-orders, replaces or removes rows first hands an open in-place
// edit back to the record it was opened on (HideEditor commits and closes).
void TReportListView::Sort(int Col, int ColSec, bool Ascending) {
  HideEditor();
  // Row exchanges are relayed only while the view's own event listens.
  TBeforeSortExchgEvent Relay;
  if (!OnBeforeSortExchange) Relay = std::exchange(FRLData->OnBeforeSortExchange, nullptr);
  try {
    FRLData->Sort(Col, ColSec, Ascending);
  } catch (...) {
    if (Relay) FRLData->OnBeforeSortExchange = std::move(Relay);
    throw;
  }
  if (Relay) FRLData->OnBeforeSortExchange = std::move(Relay);
  Repaint();
}

void TReportListView::UnSort() {
  HideEditor();
  FRLData->UnSort();
  Repaint();
}

void TReportListView::SetSecondarySortColumn(int Value) {
  if (Value < -1 || Value > NrOfColumns()) return;
  FRLData->SetSortColumnSec(Value);
  ChangedSetup();
}

namespace {

// A boolean filter expression compiled to postfix order.
//   Or    := And { ("or" | "|") And }
//   And   := Not { ["and" | "&"] Not }       (side by side means "and")
//   Not   := ("not" | "!") Not | "(" Or ")" | word | "quoted phrase"
class TFilterExpression {
 public:
  enum TKind : std::uint8_t { kWord, kAnd, kOr, kNot };
  struct TNode {
    TKind Kind;
    QString Word;
  };

  bool Compile(const QString& Text) {
    if (!Tokenize(Text)) return false;
    FPos = 0;
    return ParseOr(0) && FPos == FTokens.size() && !FCode.empty();
  }

  template <class TWordTest>
  bool Evaluate(const TWordTest& Test) const {
    std::vector<bool> Stack;
    for (const TNode& N : FCode) {
      if (N.Kind == kWord) {
        Stack.push_back(Test(N.Word));
        continue;
      }
      if (N.Kind == kNot) {
        Stack.back() = !Stack.back();
        continue;
      }
      const bool B = Stack.back();
      Stack.pop_back();
      Stack.back() = N.Kind == kAnd ? (Stack.back() && B) : (Stack.back() || B);
    }
    return Stack.back();
  }

 private:
  enum TTok : std::uint8_t { tWord, tAnd, tOr, tNot, tOpen, tClose };
  struct TToken {
    TTok Kind;
    QString Text;
  };

  bool Tokenize(const QString& Text) {
    const auto Special = [](QChar C) {
      return C.isSpace() || C == '(' || C == ')' || C == '&' || C == '|' || C == '!' || C == '"';
    };
    for (qsizetype I = 0; I < Text.size();) {
      const QChar C = Text[I];
      if (C.isSpace()) { ++I; continue; }
      if (C == '(') { FTokens.push_back({tOpen, {}}); ++I; continue; }
      if (C == ')') { FTokens.push_back({tClose, {}}); ++I; continue; }
      if (C == '&') { FTokens.push_back({tAnd, {}}); ++I; continue; }
      if (C == '|') { FTokens.push_back({tOr, {}}); ++I; continue; }
      if (C == '!') { FTokens.push_back({tNot, {}}); ++I; continue; }
      if (C == '"') {
        const qsizetype End = Text.indexOf('"', I + 1);
        if (End < 0) return false;
        FTokens.push_back({tWord, Text.mid(I + 1, End - I - 1)});
        I = End + 1;
        continue;
      }
      qsizetype End = I;
      while (End < Text.size() && !Special(Text[End])) ++End;
      const QString Word = Text.mid(I, End - I);
      const QString Lower = Word.toLower();
      FTokens.push_back({Lower == "and" ? tAnd : Lower == "or" ? tOr : Lower == "not" ? tNot : tWord, Word});
      I = End;
    }
    return true;
  }

  bool Peek(TTok Kind) const { return FPos < FTokens.size() && FTokens[FPos].Kind == Kind; }

  bool ParseOr(int Depth) {
    if (!ParseAnd(Depth)) return false;
    while (Peek(tOr)) {
      ++FPos;
      if (!ParseAnd(Depth)) return false;
      FCode.push_back({kOr, {}});
    }
    return true;
  }

  bool ParseAnd(int Depth) {
    if (!ParseNot(Depth)) return false;
    while (Peek(tAnd) || Peek(tNot) || Peek(tOpen) || Peek(tWord)) {
      if (Peek(tAnd)) ++FPos;
      if (!ParseNot(Depth)) return false;
      FCode.push_back({kAnd, {}});
    }
    return true;
  }

  bool ParseNot(int Depth) {
    if (Depth > MaxExpressionDepth || FPos >= FTokens.size()) return false;
    const TToken& T = FTokens[FPos];
    switch (T.Kind) {
      case tNot:
        ++FPos;
        if (!ParseNot(Depth + 1)) return false;
        FCode.push_back({kNot, {}});
        return true;
      case tOpen:
        ++FPos;
        if (!ParseOr(Depth + 1) || !Peek(tClose)) return false;
        ++FPos;
        return true;
      case tWord:
        ++FPos;
        FCode.push_back({kWord, T.Text});
        return true;
      default:
        return false;
    }
  }

  std::vector<TToken> FTokens;
  size_t FPos = 0;
  std::vector<TNode> FCode;
};

}  // namespace

int TReportListView::FilterAndSort(const QString& FilterExp, const QList<int>& FilterColumns,
                                   bool IgnoreCase, TFilterMode FilterMode, int SortColumn,
                                   bool Ascending) {
  HideEditor();
  const Qt::CaseSensitivity Case = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  TFilterExpression Expression;
  QRegularExpression Pattern;
  if (FilterMode == fmBoolean && !Expression.Compile(FilterExp)) return -1;
  if (FilterMode == fmGrep) {
    Pattern.setPattern(FilterExp);
    if (IgnoreCase) Pattern.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    if (!Pattern.isValid()) return -1;
  }
  std::vector<int> Columns;
  for (int C : FilterColumns)
    if (C >= 1 && C <= NrOfColumns()) Columns.push_back(C);
  if (FilterColumns.isEmpty())
    for (int C = 1; C <= NrOfColumns(); ++C) Columns.push_back(C);

  const TStringArray& S = FRLData->Strings();
  const auto CellText = [&](int C, int R) {
    QStringView T = S.StringView(C, R);
    return ColumnCheckMode(C) != cmNone && !T.isEmpty() ? T.mid(1) : T;
  };
  const auto AnyCell = [&](int R, const auto& Matches) {
    for (int C : Columns)
      if (Matches(CellText(C, R))) return true;
    return false;
  };
  const auto InternalMatch = [&](int R) {
    switch (FilterMode) {
      case fmBoolean:
        return Expression.Evaluate([&](const QString& Word) {
          return AnyCell(R, [&](QStringView T) { return T.contains(Word, Case); });
        });
      case fmGrep:
        return AnyCell(R, [&](QStringView T) { return Pattern.match(T.toString()).hasMatch(); });
      default:
        return AnyCell(R, [&](QStringView T) { return T.contains(FilterExp, Case); });
    }
  };

  int Found = 0;
  {
    TPaintBatch Batch(*this);
    for (int R = 1; R <= NrOfRows(); ++R) {
      bool Match;
      if (OnBeforeFilter) {
        bool Own = false;
        TLogicOp Op = loOR;
        OnBeforeFilter(this, R, Own, Op);
        Match = Op == loIgnore ? Own : CombineLogic(Op, Own, InternalMatch(R));
      } else {
        Match = InternalMatch(R);
      }
      SetRowBit(R, TRLData::RowSelectedBit, Match);
      Found += Match;
    }
    if (SortColumn >= 1 && SortColumn <= NrOfColumns()) Sort(SortColumn, SecondarySortColumn(), Ascending);
    Repaint();
  }
  ChangedSelection();
  return Found;
}

// ---- rows -----------------------------------------------------------------------

int TReportListView::InsertRow(int R) {
  HideEditor();
  {
    TPaintBatch Batch(*this);
    const int N = NrOfRows();
    if (R >= 1 && R <= N) {
      FRLData->Strings().InsertRow(R);
      SetNrRows(N + 1);
    } else if (R > N) {
      SetNrRows(N + 1);
      R = N + 1;
    }
    FRLData->ClearSortColumns();
  }
  return R;
}

int TReportListView::AddRow() {
  HideEditor();
  SetNrRows(NrOfRows() + 1);
  return NrOfRows();
}

// The last row is emptied rather than removed, so an empty list keeps its one
// physical row (with nothing left of the removed row, attributes included).
void TReportListView::RemoveRow(int R) {
  if (R < 1 || R > NrOfRows()) return;
  HideEditor();
  {
    TPaintBatch Batch(*this);
    if (NrOfRows() > 1) FRLData->Strings().RemoveRow(R);
    FRLData->SetNrRows(NrOfRows() - 1);
    UpdateGridRows();
    SetHeaderHeights();
  }
  ChangedSetup();
}

void TReportListView::RemoveEmptyRows() {
  HideEditor();
  const auto Empty = [this](int R) {
    for (int C = 0; C <= NrOfColumns(); ++C)
      if (!FRLData->GetElem(C, R).isEmpty()) return false;
    return true;
  };
  {
    TPaintBatch Batch(*this);
    int Remaining = NrOfRows();
    if (NrOfRows() > 0) Remaining -= FRLData->Strings().RemoveRowsIf(Empty);
    FRLData->SetNrRows(Remaining);
    UpdateGridRows();
    SetHeaderHeights();
  }
  ChangedSetup();
}

void TReportListView::Fill(const QString& S) {
  HideEditor();
  TPaintBatch Batch(*this);
  FRLData->Fill(S);
}

void TReportListView::Clear() {
  HideEditor();
  FRLData->Clear();
  std::fill(FColAlignment.begin(), FColAlignment.end(), taLeftJustify);
  std::fill(FColumnIsPwd.begin(), FColumnIsPwd.end(), false);
  std::fill(FColumnEditable.begin(), FColumnEditable.end(), false);
  Repaint();
}

// ---- files ----------------------------------------------------------------------

void TReportListView::AfterRead() {
  SetNrCols(NrOfColumns());
  SetNrRows(NrOfRows());
}

bool TReportListView::LoadFromXMLFile(const QString& FName, const QString& DataID) {
  HideEditor();
  const bool Ok = FRLData->LoadFromXMLFile(FName, DataID);
  if (Ok) AfterRead();
  return Ok;
}

bool TReportListView::ReadFromXMLString(const QString& InString, const QString& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromXMLString(InString, DataID);
  if (Ok) AfterRead();
  return Ok;
}

bool TReportListView::ReadFromXMLStream(QIODevice* InStream, const QString& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromXMLStream(InStream, DataID);
  if (Ok) AfterRead();
  return Ok;
}

bool TReportListView::ReadFromOpenXMLFile(QTextStream& TF, const QString& DataID) {
  HideEditor();
  const bool Ok = FRLData->ReadFromOpenXMLFile(TF, DataID);
  if (Ok) AfterRead();
  return Ok;
}

int TReportListView::LoadLinesFromFile(int Column, int FirstRow, const QString& FName) {
  HideEditor();
  const int N = FRLData->LoadLinesFromFile(Column, FirstRow, FName);
  if (N > 0) AfterRead();
  return N;
}

int TReportListView::LoadRows(int FirstRow, const QList<QStringList>& Rows) {
  HideEditor();
  const int N = FRLData->LoadRows(FirstRow, Rows);
  if (N > 0) AfterRead();
  return N;
}

// ---- headers and behaviour ------------------------------------------------------

void TReportListView::SetCommonHeaderVisible(bool Value) {
  if (Value == FComHdVis) return;
  FComHdVis = Value;
  UpdateGridRows();
  SetHeaderHeights();
  Changed();
  Repaint();
}

void TReportListView::SetColumnHeadersVisible(bool Value) {
  if (Value == FColHdVis) return;
  FColHdVis = Value;
  UpdateGridRows();
  SetHeaderHeights();
  Changed();
  Repaint();
}

void TReportListView::SetCommonHeaderHeight(int Value) {
  FComHdHgt = std::clamp(Value, 8, 127);
  SetHeaderHeights();
  Changed();
  Repaint();
}

void TReportListView::SetColumnHeadersHeight(int Value) {
  FColHdHgt = std::clamp(Value, 8, 127);
  SetHeaderHeights();
  Changed();
  Repaint();
}

void TReportListView::SetCommonHeaderAlignment(TAlignment Value) {
  if (Value == FHeaderAlignment) return;
  FHeaderAlignment = Value;
  Changed();
  Repaint();
}

void TReportListView::SetFixedFirstColumn(bool Value) {
  FFixedColOne = Value;
  SetFixedCols(Value ? 1 : 0);
  Changed();
  Repaint();
}

void TReportListView::SetEmptyMessage(const QString& Text) {
  if (Text == FEmptyMsg) return;
  FEmptyMsg = Text;
  Repaint();
  ChangedSetup();
}

void TReportListView::SetInterRowIndicatorPos(int Value) {
  if (Value == FInterRowIndi) return;
  FInterRowIndi = Value;
  Repaint();
}

// ---- painting -------------------------------------------------------------------

void TReportListView::PaintArea(const TRect& Area) {
  if (FSuppressPaint) return;
  TCustomDrawGrid::PaintArea(Area);
  TCanvas& C = Canvas();
  const int H = CountHeadRows();
  if (NrOfRows() == 0) {
    int Y0 = ClientTop();
    for (int R = 0; R < H; ++R) Y0 += RowHeights(R) + 1;
    C.Pen().SetColor(Color());
    C.Brush().SetColor(Color());
    C.FillRect(Rect(0, Y0, width(), height()));
    if (!FEmptyMsg.isEmpty()) {
      C.Font().Assign(Font());
      C.Font().SetColor(FColorEmptyMsg);
      const int LineHeight = C.TextHeight(FEmptyMsg);
      const QStringList Lines = FEmptyMsg.split(QChar('|'));
      const int Top = Y0 - int(Lines.size()) * LineHeight;
      for (int I = 0; I < Lines.size(); ++I)
        C.TextOut((width() - C.TextWidth(Lines[I])) / 2,
                  Top - 2 + (height() - Top - LineHeight) / 2 + I * LineHeight, Lines[I]);
    }
  }
  int Y = 0;
  if (InterRowIndicatorY(Y)) {
    C.Pen().SetColor(FInterRowColor);
    C.Pen().SetWidth(FInterRowWidth);
    C.MoveTo(0, Y);
    C.LineTo(width(), Y);
    C.Pen().SetWidth(1);
  }
}

bool TReportListView::InterRowIndicatorY(int& Y) const {
  const int H = CountHeadRows(), K = FInterRowIndi;
  const int GridTop = TCustomGrid::TopRow();
  if (K == 0 || K < GridTop - H + 1 || K > NrOfRows() + 1) return false;
  int HeadHeight = ClientTop();
  for (int R = 0; R < H; ++R) HeadHeight += RowHeights(R);
  Y = HeadHeight + (H + K - GridTop - 1) * (DefaultRowHeight() + 1);
  return true;
}

// The insertion mark is placed from TopRow and drawn across every column; the
// common header spans the columns shown, its text placed between their ends.
// Both are redrawn around a scroll that moves them.
std::vector<TRect> TReportListView::ScrollOverlays(bool Cols) const {
  std::vector<TRect> Overlays;
  int Y = 0;
  if (InterRowIndicatorY(Y)) {
    const int Reach = FInterRowWidth + 1;
    Overlays.push_back(Rect(0, Y - Reach, width(), Y + Reach + 1));
  }
  if (Cols && FComHdVis && FixedRows() > 0) {
    const int Top = ClientTop();
    Overlays.push_back(Rect(0, Top, width(), Top + RowHeights(0) + GridLineWidth()));
  }
  return Overlays;
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (ARow < FixedRows()) DrawHeaderCell(ACol, ARow, ARect);
  else DrawDataCell(ACol, ARow, ARect);
  TCustomDrawGrid::DrawCell(ACol, ARow, Rect(ARect.Left + 4, ARect.Top + 2, ARect.Right - 5, ARect.Bottom),
                            AState);
}

void TReportListView::DrawDataCell(int ACol, int ARow, const TRect& ARect) {
  TCanvas& C = Canvas();
  const int Col = ACol + 1, Row = ARow - FixedRows() + 1;
  const bool FixedColumn = ACol < FixedCols();
  TRect F = ARect;
  if (!FixedColumn && !(Options() & host::goVertLine)) ++F.Right;
  if (!FixedColumn && !(Options() & host::goHorzLine)) ++F.Bottom;
  TRect T = Rect(ARect.Left + 4, ARect.Top + 2, ARect.Right - 5, ARect.Bottom);
  C.Font().Assign(Font());
  const TCheckMode Mode = ColumnCheckMode(Col);
  QString Text = ColumnIsPwd(Col) ? QStringLiteral("******") : FRLData->Strings().GetString(Col, Row);

  TColor FontColor = FColorNormal;
  TColor BrushColor = FRowColPattern > 0 && ((Row - 1) / FRowColPattern) % 2 == 0 ? FRColorShaded
                                                                                   : FRColorNormal;
  TFontStyles Styles = Font().Style();
  const bool RowDisabled = IsRowDisabled(Row);
  if (Enabled()) {
    if (RowDisabled) {
      BrushColor = FDisabledBkgdColor;
      FontColor = FDisabledTextColor;
    } else {
      const bool ColSel = ColumnSelected(Col), RowSel = RowSelected(Row);
      if (ColSel && RowSel) {
        BrushColor = FSelBothColor;
        FontColor = FSelBothTextColor;
      } else if (ColSel) {
        BrushColor = FSelColColor;
        FontColor = FSelColTextColor;
      } else if (RowSel) {
        BrushColor = FSelRowColor;
        FontColor = FSelRowTextColor;
      }
      if (Row == FHiLgtRow || Col == FHiLgtColumn) {
        BrushColor = FHiLgtColor;
        FontColor = FHiLgtTextColor;
        if (FHiLgtBold) Styles = fsBold;
      }
    }
  }
  if (FixedColumn) BrushColor = FixedColumnColor;
  TColor PenColor = BrushColor;
  if (!Enabled()) FontColor = clInactiveCaption;
  if (OnBeforeRenderCell) OnBeforeRenderCell(this, Col, Row, PenColor, BrushColor, FontColor, Styles, Text);
  C.Font().SetStyle(Styles);
  C.Font().SetColor(FontColor);
  C.Brush().SetColor(BrushColor);

  // Shortening: the text (without its flag in a check column) must fit the
  // column less the check box.
  const int Reserve = Mode != cmNone ? CheckBoxReserve : 0;
  const int Room = TCustomGrid::ColWidths(ACol) - Reserve - 9;
  const int W = C.TextWidth(Mode != cmNone ? Text.mid(1) : Text);
  if (Room < W && W > 0) {
    const int N = std::max(1, RoundToInt(double(Text.size()) * Room / W - 4));
    if (ColumnAlignment(Col) == taRightJustify) Text = Text.left(1) + "..." + Text.right(N);
    else Text = Text.left(N) + "...";
  }

  C.Pen().SetColor(BrushColor);
  C.Pen().SetWidth(1);
  C.Rectangle(F);
  C.Pen().SetColor(PenColor);

  const bool Italic = Font().Style() & fsItalic;
  const auto DrawText = [&](const TRect& Box, const QString& S) {
    const int TW = C.TextWidth(S) + (Italic ? 2 : 0);
    int X = Box.Left;
    if (ColumnAlignment(Col) == taRightJustify) X = Box.Right - TW;
    else if (ColumnAlignment(Col) == taCenter) X = (Box.Left + Box.Right) / 2 - TW / 2;
    C.TextRect(Box, X, ARect.Top + 1, S);
  };
  if (Mode == cmNone) {
    DrawText(T, Text);
  } else if (Text.size() > 1 || FShowEmptyCBx) {
    T.Left += CheckBoxReserve;
    const bool Checked = !Text.isEmpty() && Text[0] != QChar(' ');
    DrawText(T, Text.mid(1));
    const int L = ARect.Left, Tp = ARect.Top;
    if (!FROCheckMarks) {
      C.Pen().SetColor(!Enabled() ? clInactiveCaption : RowDisabled ? PenColor : clBtnShadow);
      if (Mode == cmRadio) C.Ellipse(L + 4, Tp + 4, L + 15, Tp + 15);
      else C.Rectangle(L + 4, Tp + 4, L + 15, Tp + 15);
    }
    C.Pen().SetColor(Enabled() ? FontColor : clInactiveCaption);
    const auto Line = [&](int X1, int Y1, int X2, int Y2) {
      C.MoveTo(X1, Y1);
      C.LineTo(X2, Y2);
    };
    if (Checked && Mode == cmRadio) {
      Line(L + 8, Tp + 7, L + 11, Tp + 7);
      for (int I = 0; I < 3; ++I) Line(L + 7, Tp + 8 + I, L + 12, Tp + 8 + I);
      Line(L + 8, Tp + 11, L + 11, Tp + 11);
    } else if (Checked) {
      for (int I = 0; I < 3; ++I) {
        Line(L + 6, Tp + 8 + I, L + 9, Tp + 11 + I);
        Line(L + 8, Tp + 10 + I, L + 13, Tp + 5 + I);
      }
    }
  }
  if (FixedColumn) {
    C.Pen().SetColor(clWhite);
    C.MoveTo(F.Left, F.Bottom - 1);
    C.LineTo(F.Left, F.Top);
    C.LineTo(F.Right, F.Top);
    C.Pen().SetColor(clGray);
    C.MoveTo(F.Left + 1, F.Bottom - 1);
    C.LineTo(F.Right - 1, F.Bottom - 1);
    C.LineTo(F.Right - 1, F.Top);
  }
}

// Right edge of the rightmost visible column: the header bands end there.
int TReportListView::RightEdgeOfColumns() const {
  int Right = 0;
  const auto Take = [&](int Col) {
    const QRect R = CellRect(Col, 0);
    if (R.isEmpty()) return false;
    Right = R.left() + R.width();
    return true;
  };
  for (int Col = 0; Col < FixedCols(); ++Col) Take(Col);
  for (int Col = TCustomGrid::LeftCol(); Col < ColCount(); ++Col)
    if (TCustomGrid::ColWidths(Col) >= 0 && !Take(Col)) break;
  return Right;
}

void TReportListView::DrawRaisedEdge(int Left, int Top, int Right, int Bottom) {
  TCanvas& C = Canvas();
  C.Pen().SetColor(clWhite);
  C.MoveTo(Left, Bottom - 1);
  C.LineTo(Left, Top);
  C.LineTo(Right, Top);
  C.Pen().SetColor(clGray);
  C.MoveTo(Left + 1, Bottom - 1);
  C.LineTo(Right - 1, Bottom - 1);
  C.LineTo(Right - 1, Top);
}

void TReportListView::DrawHeaderCell(int ACol, int ARow, const TRect& ARect) {
  TCanvas& C = Canvas();
  C.Font().Assign(Font());
  C.Pen().SetWidth(1);
  const int R = RightEdgeOfColumns();
  const int X0 = ClientLeft();
  const bool Italic = Font().Style() & fsItalic;
  if (ARow == 0 && FComHdVis) {
    C.Brush().SetColor(FComHdColor);
    C.Font().SetColor(FComHdTxtColor);
    const QString& All = FRLData->CommonHeader();
    const int M = C.TextHeight(All);
    const QStringList Lines = All.split(QChar(10));
    for (int I = 0; I < Lines.size(); ++I) {
      const int W = C.TextWidth(Lines[I]);
      const int X = FHeaderAlignment == taLeftJustify   ? X0 + 4
                    : FHeaderAlignment == taRightJustify ? R - W - 5
                                                         : (X0 + R) / 2 - W / 2;
      TRect Band = Rect(X0, ARect.Top, R, ARect.Bottom);
      if (I > 0) {
        Band.Top = std::min(ARect.Top + 2 + I * M, ARect.Bottom);
        Band.Bottom = std::min(ARect.Top + 2 + (I + 1) * M, ARect.Bottom);
      }
      C.TextRect(Band, X, ARect.Top + 2 + I * M, Lines[I]);
    }
    DrawRaisedEdge(X0, ARect.Top, R, ARect.Bottom);
    C.Pen().SetColor(clGray);
    C.MoveTo(R - 1, ARect.Bottom - 1);
    C.LineTo(R - 1, ARect.Top);
    C.Pen().SetColor(clBlack);
    C.MoveTo(R, ARect.Bottom - 1);
    C.LineTo(R, ARect.Top - 1);
    return;
  }
  if (!FColHdVis) return;

  const int Col = ACol + 1;
  const TRect T = Rect(ARect.Left + 4, ARect.Top + 2, ARect.Right - 5, ARect.Bottom);
  C.Brush().SetColor(FColHdColor);
  C.Font().SetColor(FColHdTxtColor);
  const QString Head = Header(Col);
  const bool Sorted = Col == LastSortColumn();
  const int Reserve = Sorted ? SortArrowReserve : 0;
  const int Width = TCustomGrid::ColWidths(ACol);
  const int M = C.TextHeight(Head);
  const QStringList Lines = Head.split(QChar(10));
  int ArrowOffset = 0;
  for (int I = 0; I < Lines.size(); ++I) {
    QString Line = Lines[I];
    int W = C.TextWidth(Line);
    if (Width - Reserve - 9 < W) {
      const int N = std::max(1, RoundToInt(double(Line.size()) * (Width - Reserve - 9) / W - 3));
      Line = Line.left(N) + "...";
      W = C.TextWidth(Line);
    }
    if (Italic) W += 2;
    const TAlignment A = ColumnAlignment(Col);
    const int X = A == taLeftJustify ? T.Left : A == taRightJustify ? T.Right - W : (T.Left + T.Right) / 2 - W / 2;
    TRect Band = ARect;
    if (I > 0) {
      Band.Top = std::min(ARect.Top + 2 + I * M, ARect.Bottom);
      Band.Bottom = std::min(ARect.Top + 2 + (I + 1) * M, ARect.Bottom);
    }
    C.TextRect(Band, X, T.Top + I * M, Line);
    if (I == 0)
      ArrowOffset = A == taLeftJustify    ? W + 10
                    : A == taRightJustify ? T.Right - T.Left - W - 11
                                          : (T.Right - T.Left) / 2 + W / 2 + 10;
  }
  if (Sorted) {
    const int X = T.Left + std::min(ArrowOffset, Width - 11), Y = T.Top + M / 2;
    const auto Line = [&](TColor Color, std::initializer_list<TPoint> Points) {
      C.Pen().SetColor(Color);
      C.MoveTo(Points.begin()->X, Points.begin()->Y);
      for (auto P = Points.begin() + 1; P != Points.end(); ++P) C.LineTo(P->X, P->Y);
    };
    if (LastSortOrder()) {
      Line(clGray, {{X - 4, Y + 3}, {X, Y - 3}});
      Line(clWhite, {{X, Y - 3}, {X + 4, Y + 3}, {X - 4, Y + 3}});
    } else {
      Line(clWhite, {{X + 4, Y - 3}, {X, Y + 3}});
      Line(clGray, {{X, Y + 3}, {X - 4, Y - 3}, {X + 4, Y - 3}});
    }
  }
  DrawRaisedEdge(ARect.Left, ARect.Top, R, ARect.Bottom);
}

bool TReportListView::DoMouseWheelDown(TShiftState Shift, QPoint MousePos) {
  return NrOfRows() > 0 && TCustomDrawGrid::DoMouseWheelDown(Shift, MousePos);
}

bool TReportListView::DoMouseWheelUp(TShiftState Shift, QPoint MousePos) {
  return NrOfRows() > 0 && TCustomDrawGrid::DoMouseWheelUp(Shift, MousePos);
}

// ---- mouse and keyboard ---------------------------------------------------------

void TReportListView::HeaderClick(int Col) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TStringArray& S = FRLData->Strings();
  const int Current = DataRowOfGridRow(Row());
  const int Record = Current >= 1 && Current <= NrOfRows() ? S.GetSortOrder(Current) : 0;
  const bool Ascending = !FRLData->SortToggle();
  FRLData->SetSortToggle(Ascending);
  Sort(Col, SecondarySortColumn(), Ascending);
  for (int R = 1; Record > 0 && R <= NrOfRows(); ++R) {
    if (S.GetSortOrder(R) != Record) continue;
    SetSelection({TCustomGrid::Col(), GridRowOfDataRow(R), TCustomGrid::Col(), GridRowOfDataRow(R)});
    break;
  }
  QApplication::restoreOverrideCursor();
}

// Row selection after a click on data row Row (the grid's current row):
//
//   mode  modifiers                       effect
//   0     any                             none
//   1     any                             Row alone selected
//   2     Shift                           anchor..Row take the anchor row's selected state
//   2     Ctrl, or UseCtrlForMultiSel off anchor := Row; Row toggles
//   2     none                            anchor := Row; Row alone selected
void TReportListView::SelectByClick(int Row, TShiftState Shift) {
  if (FRowSelectMode == 1) {
    SelectOnlyRow(Row);
  } else if (FRowSelectMode == 2 && (Shift & ssShift)) {
    const bool AnchorState = RowSelected(FSelectAnchor);
    for (int R = std::min(FSelectAnchor, Row); R <= std::max(FSelectAnchor, Row); ++R)
      MarkRowSelected(R, AnchorState);
  } else if (FRowSelectMode == 2) {
    FSelectAnchor = Row;
    if ((Shift & ssCtrl) || !FCtrlForMultiSel) MarkRowSelected(Row, !RowSelected(Row));
    else SelectOnlyRow(Row);
  } else {
    return;
  }
  ChangedSelection();
}

void TReportListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || X <= 0 || X >= GridWidth() || Y <= 0 || Y >= GridHeight()) return;
  const TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < 0 || Cell.Y < 0) return;
  const QRect R = CellRect(Cell.X, Cell.Y);
  const int Col = Cell.X + 1;
  const int HeaderRow = FComHdVis ? 1 : 0;
  if (Cell.Y == HeaderRow && FColHdVis) {
    const bool AwayFromBorders = X - R.left() > BorderClickGap && R.left() + R.width() - X > BorderClickGap;
    if (FSortEnabled && AwayFromBorders) HeaderClick(Col);
    return;
  }
  if (Cell.Y < CountHeadRows()) return;
  const int DataRow = DataRowOfGridRow(Cell.Y);
  {
    TPaintBatch Batch(*this, TPaintBatch::Rows);
    const bool Editable = ColumnEditable(Col) && !IsRowDisabled(DataRow);
    SetOptions(Editable ? Options() | host::goEditing : Options() & ~host::goEditing);
    if (DataRow > NrOfRows()) return;
    const QString Stored = FRLData->Strings().GetString(Col, DataRow);
    if (ColumnCheckMode(Col) != cmNone && X - R.left() < CheckClickReach && !FROCheckMarks &&
        !IsRowDisabled(DataRow) && (Stored.size() > 1 || FShowEmptyCBx))
      ToggleCheckMark(Col, DataRow);
    const int Selected = DataRowOfGridRow(Row());
    if (Selected >= 1 && Selected <= NrOfRows()) SelectByClick(Selected, Shift);
  }
}

void TReportListView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomDrawGrid::MouseUp(Button, Shift, X, Y);
  if (FRowSelectMode != 2) return;
  if (X > GridWidth() || (Button == mbLeft && Y > GridHeight())) {
    {
      TPaintBatch Batch(*this);
      SetAllRowBits(TRLData::RowSelectedBit, false);
      Repaint();
    }
    ChangedSelection();
  }
}

void TReportListView::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMousePosX = X;
  FLastMousePosY = Y;
  TCustomDrawGrid::MouseMove(Shift, X, Y);
}

// A double click on a column-header border fits the column left of it.
void TReportListView::DblClick() {
  const int X = FLastMousePosX, Y = FLastMousePosY;
  const TGridCoord Cell = MouseCoord(X, Y);
  const int HeaderRow = FComHdVis ? 1 : 0;
  if (Y < GridHeight() && FColHdVis && Cell.X >= 0 && Cell.Y == HeaderRow) {
    const QRect R = CellRect(Cell.X, Cell.Y);
    const int FromLeft = X - R.left(), FromRight = R.left() + R.width() - X;
    if (FromLeft < 5 || FromRight <= 4) {
      int Column = X >= R.left() + R.width() / 2 ? Cell.X + 1 : Cell.X;
      while (Column > 1 && ColWidths(Column) <= 0) --Column;
      AutoColWidth(Column, true, 0);
    }
    return;
  }
  TCustomDrawGrid::DblClick();
}

void TReportListView::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomDrawGrid::KeyDown(Key, Shift);
  if (Key < VK_PRIOR || Key > VK_DOWN) return;
  {
    TPaintBatch Batch(*this, TPaintBatch::Rows);
    SelectOnlyRow(DataRowOfGridRow(Row()));
  }
  ChangedSelection();
}

void TReportListView::KeyPress(QChar& Key) {
  TCustomDrawGrid::KeyPress(Key);
  if (FAutoAdvance && (Key == QChar(13) || Key.isNull())) {
    std::uint16_t Down = VK_DOWN;
    KeyDown(Down, 0);
  }
}

bool TReportListView::SelectCell(int ACol, int ARow) {
  const bool Editable = ARow != 0 && ColumnEditable(ACol + 1);
  SetOptions(Editable ? Options() | host::goEditing : Options() & ~host::goEditing);
  return TCustomDrawGrid::SelectCell(ACol, ARow);
}

// The grid's own edit events (set through TCustomDrawGrid) see grid
// coordinates; the view's see the data column and the data row.
QString TReportListView::GetEditText(int ACol, int ARow) {
  const int Col = ACol + 1, Row = DataRowOfGridRow(ARow);
  QString Value = FRLData->Strings().GetString(Col, Row);
  if (ColumnCheckMode(Col) != cmNone) Value.remove(0, 1);
  if (TCustomDrawGrid::OnGetEditText) TCustomDrawGrid::OnGetEditText(this, ACol, ARow, Value);
  if (OnGetEditText) OnGetEditText(this, Col, Row, Value);
  return Value;
}

// An empty cell of a check column becomes unchecked when text is typed into it.
void TReportListView::SetEditText(int ACol, int ARow, const QString& Value) {
  const int Col = ACol + 1, Row = DataRowOfGridRow(ARow);
  TStringArray& S = FRLData->Strings();
  if (ColumnCheckMode(Col) == cmNone) {
    S.SetString(Col, Row, Value);
  } else {
    const QString Stored = S.GetString(Col, Row);
    if (!Stored.isEmpty() || !Value.isEmpty())
      S.SetString(Col, Row, (Stored.isEmpty() || Stored[0] == QChar(' ') ? QStringLiteral(" ") : QStringLiteral("X")) + Value);
  }
  TCustomDrawGrid::SetEditText(ACol, ARow, Value);
  if (OnSetEditText) OnSetEditText(this, Col, Row, Value);
  Q_EMIT cellEdited(Col, Row, Value);
}

// ---- Assign ---------------------------------------------------------------------

void TReportListView::Assign(const TReportListView& Source) {
  const auto* Src = &Source;
  if (Src == this) return;
  FAutoAdvance = Src->FAutoAdvance;
  FLastMousePosX = Src->FLastMousePosX;
  FLastMousePosY = Src->FLastMousePosY;
  OnChange = Src->OnChange;
  OnChangeSetup = Src->OnChangeSetup;
  OnSelectedChange = Src->OnSelectedChange;
  FSelectAnchor = Src->FSelectAnchor;
  FRowSelectMode = Src->FRowSelectMode;
  FSortEnabled = Src->FSortEnabled;
  OnCheckedChange = Src->OnCheckedChange;
  OnBeforeCheckedChange = Src->OnBeforeCheckedChange;
  OnGetEditText = Src->OnGetEditText;
  OnSetEditText = Src->OnSetEditText;
  FSelRowColor = Src->FSelRowColor;
  FSelRowTextColor = Src->FSelRowTextColor;
  FSelColColor = Src->FSelColColor;
  FSelColTextColor = Src->FSelColTextColor;
  FSelBothColor = Src->FSelBothColor;
  FSelBothTextColor = Src->FSelBothTextColor;
  FHiLgtColor = Src->FHiLgtColor;
  FHiLgtTextColor = Src->FHiLgtTextColor;
  FHiLgtBold = Src->FHiLgtBold;
  FHiLgtRow = Src->FHiLgtRow;
  FHiLgtColumn = Src->FHiLgtColumn;
  FSuppressPaint = Src->FSuppressPaint;
  FColorNormal = Src->FColorNormal;
  FRColorNormal = Src->FRColorNormal;
  FRColorShaded = Src->FRColorShaded;
  FRowColPattern = Src->FRowColPattern;
  FHeaderAlignment = Src->FHeaderAlignment;
  FComHdVis = Src->FComHdVis;
  FComHdColor = Src->FComHdColor;
  FComHdTxtColor = Src->FComHdTxtColor;
  FColHdVis = Src->FColHdVis;
  FColHdColor = Src->FColHdColor;
  SetFixedColor(FColHdColor);
  FColHdTxtColor = Src->FColHdTxtColor;
  OnRequestEditFormat = Src->OnRequestEditFormat;
  FShowEmptyCBx = Src->FShowEmptyCBx;
  OnPercentDone = Src->OnPercentDone;
  OnBeforeRenderCell = Src->OnBeforeRenderCell;
  OnBeforeSortExchange = Src->OnBeforeSortExchange;
  OnBeforeHTMLExport = Src->OnBeforeHTMLExport;
  OnBeforeFilter = Src->OnBeforeFilter;
  FInterRowIndi = Src->FInterRowIndi;
  FInterRowColor = Src->FInterRowColor;
  FInterRowWidth = Src->FInterRowWidth;
  FFixedColOne = Src->FFixedColOne;

  HideEditor();
  FRLData->Assign(Src->Data());
  ConnectData();
  try {
    FColAlignment = Src->FColAlignment;
    FColumnEditable = Src->FColumnEditable;
    FColumnIsPwd = Src->FColumnIsPwd;
  } catch (const std::bad_alloc&) {
    throw EQORRepListError(ComponentMessage(this, QStringLiteral("not enough memory on heap")));
  }
  SetColCount(NrOfColumns());
  UpdateGridRows();
  SetHeaderHeights();
  SetFixedCols(FFixedColOne ? 1 : 0);
  SetEnabled(!Src->testAttribute(Qt::WA_ForceDisabled));
  Repaint();
}

}  // namespace qor
