#include "host/qor_grid.h"

#include "host/qor_app.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <limits>
#include <optional>

namespace qor::host {

namespace {

constexpr int BorderWidth = 2;
constexpr int SizingReach = 3;  // pixels around a border line that start sizing

bool InRange(int Value, int Low, int High) { return Value >= Low && Value <= High; }

}  // namespace

// ---- TInplaceEdit --------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TCustomGrid* Grid) : QLineEdit(Grid), FGrid(Grid) {
  setFrame(false);
  hide();
}

void TInplaceEdit::SetPickList(const QStringList& Items) {
  FPickItems = Items;
  if (Items.isEmpty()) {
    if (FButton) FButton->hide();
    setTextMargins(0, 0, 0, 0);
    return;
  }
  if (!FButton) {
    FButton = new QToolButton(this);
    FButton->setArrowType(Qt::DownArrow);
    FButton->setFocusPolicy(Qt::NoFocus);
    connect(FButton, &QToolButton::clicked, this, [this] { ListVisible() ? CloseUp(false) : DropDown(); });
  }
  FButton->show();
  setTextMargins(0, 0, height(), 0);
  FButton->setGeometry(width() - height(), 0, height(), height());
}

void TInplaceEdit::resizeEvent(QResizeEvent* Event) {
  QLineEdit::resizeEvent(Event);
  if (FButton && FButton->isVisible()) {
    setTextMargins(0, 0, height(), 0);
    FButton->setGeometry(width() - height(), 0, height(), height());
  }
}

bool TInplaceEdit::ListVisible() const { return FList && FList->isVisible(); }

void TInplaceEdit::DropDown() {
  if (FPickItems.isEmpty()) return;
  if (!FList) {
    FList = new QListWidget(this);
    FList->setWindowFlags(Qt::Popup);
    FList->installEventFilter(this);
    connect(FList, &QListWidget::itemClicked, this, [this] { CloseUp(true); });
  }
  FList->clear();
  FList->addItems(FPickItems);
  const int Index = FPickItems.indexOf(text());
  FList->setCurrentRow(Index < 0 ? 0 : Index);
  const int Rows = std::min(FDropDownRows, int(FPickItems.size()));
  const int RowHeight = FList->sizeHintForRow(0) > 0 ? FList->sizeHintForRow(0) : height();
  FList->setGeometry(QRect(mapToGlobal(QPoint(0, height())),
                           QSize(width(), Rows * RowHeight + 2 * FList->frameWidth())));
  FList->show();
  FList->setFocus();
}

void TInplaceEdit::CloseUp(bool Accept) {
  if (!ListVisible()) return;
  if (Accept && FList->currentItem()) setText(FList->currentItem()->text());
  FList->hide();
  setFocus();
  selectAll();
}

bool TInplaceEdit::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FList && Event->type() == QEvent::KeyPress) {
    const int Key = static_cast<QKeyEvent*>(Event)->key();
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
      CloseUp(true);
      return true;
    }
    if (Key == Qt::Key_Escape) {
      CloseUp(false);
      return true;
    }
  }
  return QLineEdit::eventFilter(Watched, Event);
}

bool TInplaceEdit::PassToGrid(QKeyEvent* E) const {
  const bool NoSelection = !hasSelectedText();
  switch (E->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      return !(E->modifiers() & Qt::AltModifier);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return FGrid->Options() & goTabs;
    case Qt::Key_Left:
      return NoSelection && cursorPosition() == 0;
    case Qt::Key_Right:
      return NoSelection && cursorPosition() == text().size();
    case Qt::Key_Home:
    case Qt::Key_End:
      return E->modifiers() & Qt::ControlModifier;
    default:
      return false;
  }
}

bool TInplaceEdit::event(QEvent* Event) {
  bool Handled = false;
  RunGuarded(FGrid, [&] { Handled = QLineEdit::event(Event); });
  return Handled;
}

void TInplaceEdit::keyPressEvent(QKeyEvent* E) {
  const bool DropKey = E->key() == Qt::Key_F4 ||
                       (E->key() == Qt::Key_Down && (E->modifiers() & Qt::AltModifier));
  if (DropKey && !FPickItems.isEmpty()) {
    DropDown();
    return;
  }
  if (!FGrid) return;
  if (E->key() == Qt::Key_Escape) {
    FGrid->CancelEditor();
    return;
  }
  if (PassToGrid(E)) {
    FGrid->EditorKey(E);
    return;
  }
  QLineEdit::keyPressEvent(E);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* Event) {
  QLineEdit::focusOutEvent(Event);
  if (ListVisible()) return;
  QWidget* Next = QApplication::focusWidget();
  if (FGrid && Next != FGrid && Next != this && isVisible()) FGrid->HideEditor();
}

// ---- TCustomGrid: construction and properties -----------------------------------

TCustomGrid::TCustomGrid(QWidget* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  FHorzBar = new QScrollBar(Qt::Horizontal, this);
  FVertBar = new QScrollBar(Qt::Vertical, this);
  for (QScrollBar* Bar : {FHorzBar, FVertBar}) {
    Bar->setFocusPolicy(Qt::NoFocus);
    Bar->setTracking(false);
    Bar->hide();
    connect(Bar, &QScrollBar::valueChanged, this, [this] { ScrollBarMoved(); });
  }
  setMouseTracking(true);
  SetDefaultSize(320, 120);
}

// The editor outlives the grid's own part of the destruction (Qt deletes
// children last); it must not call back into it.
TCustomGrid::~TCustomGrid() {
  if (FInplaceEdit) FInplaceEdit->FGrid = nullptr;
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(1, Value);
  if (Value == FColCount) return;
  if (FEditorMode && FEditCol >= Value) HideEditor();
  FColCount = Value;
  if (!FColWidths.empty()) FColWidths.resize(size_t(Value), FDefaultColWidth);
  if (FFixedCols >= Value) FFixedCols = Value - 1;
  ClampCurrent();
  NotifyAccessibleRows(this, QAccessibleTableModelChangeEvent::ModelReset);
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(1, Value);
  if (Value == FRowCount) return;
  if (FEditorMode && FEditRow >= Value) HideEditor();
  FRowCount = Value;
  if (!FRowHeights.empty()) FRowHeights.resize(size_t(Value), FDefaultRowHeight);
  if (FFixedRows >= Value) FFixedRows = Value - 1;
  ClampCurrent();
  SyncAccessibleRows();
}

void TCustomGrid::SetFixedCols(int Value) {
  Value = std::clamp(Value, 0, FColCount - 1);
  if (Value == FFixedCols) return;
  HideEditor();
  FFixedCols = Value;
  FTopLeft.X = FCurrent.X = FAnchor.X = Value;
  ClampCurrent();
  TopLeftChanged();
}

void TCustomGrid::SetFixedRows(int Value) {
  Value = std::clamp(Value, 0, FRowCount - 1);
  if (Value == FFixedRows) return;
  HideEditor();
  FFixedRows = Value;
  FTopLeft.Y = FCurrent.Y = FAnchor.Y = Value;
  ClampCurrent();
  TopLeftChanged();
}

// Keeps current cell and anchor inside the grid and the top-left cell inside
// the scrolling area after a change of counts; the grid is repainted and the
// scroll bars follow.
void TCustomGrid::ClampCurrent() {
  const auto Clamp = [this](TGridCoord& C, int FirstCol, int FirstRow) {
    C.X = std::clamp(C.X, FirstCol, FColCount - 1);
    C.Y = std::clamp(C.Y, FirstRow, FRowCount - 1);
  };
  Clamp(FCurrent, 0, 0);
  Clamp(FAnchor, 0, 0);
  Clamp(FTopLeft, FFixedCols, FFixedRows);
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FDefaultColWidth = Value;
  FColWidths.clear();
  ColWidthsChanged();
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FDefaultRowHeight = Value;
  FRowHeights.clear();
  RowHeightsChanged();
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  if (!InRange(Index, 0, FColCount - 1)) return FDefaultColWidth;
  return FColWidths.empty() ? FDefaultColWidth : FColWidths[size_t(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (!InRange(Index, 0, FColCount - 1) || Value < -1 || ColWidths(Index) == Value) return;
  if (FColWidths.empty()) FColWidths.assign(size_t(FColCount), FDefaultColWidth);
  FColWidths[size_t(Index)] = Value;
  ColWidthsChanged();
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  if (!InRange(Index, 0, FRowCount - 1)) return FDefaultRowHeight;
  return FRowHeights.empty() ? FDefaultRowHeight : FRowHeights[size_t(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (!InRange(Index, 0, FRowCount - 1) || Value < -1 || RowHeights(Index) == Value) return;
  if (FRowHeights.empty()) FRowHeights.assign(size_t(FRowCount), FDefaultRowHeight);
  FRowHeights[size_t(Index)] = Value;
  RowHeightsChanged();
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::max(0, Value);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  SetWantTabs(Value & goTabs);
  if (FEditorMode && !CanEditShow()) HideEditor();
  else if ((Value & goAlwaysShowEditor) && CanEditShow()) ShowEditor();
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollBars();
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

// ---- geometry -------------------------------------------------------------------

int TCustomGrid::Border() const { return FBorderStyle == bsSingle ? BorderWidth : 0; }

int TCustomGrid::ClientWidth() const {
  return std::max(0, width() - 2 * Border() -
                         (!FVertBar->isHidden() ? FVertBar->sizeHint().width() : 0));
}

int TCustomGrid::ClientHeight() const {
  return std::max(0, height() - 2 * Border() -
                         (!FHorzBar->isHidden() ? FHorzBar->sizeHint().height() : 0));
}

int TCustomGrid::ColExtent(int ACol) const {
  const int W = ColWidths(ACol);
  return W < 0 ? 0 : W + FGridLineWidth;
}

int TCustomGrid::RowExtent(int ARow) const {
  const int H = RowHeights(ARow);
  return H < 0 ? 0 : H + FGridLineWidth;
}

int TCustomGrid::FixedExtent(bool Cols) const {
  int E = 0;
  for (int I = 0; I < (Cols ? FFixedCols : FFixedRows); ++I) E += Cols ? ColExtent(I) : RowExtent(I);
  return E;
}

// The fixed cells, then the scrolling ones from the top-left cell on, as long
// as they start inside the client area; hidden cells are left out.
std::vector<TCustomGrid::TSpan> TCustomGrid::VisibleSpans(bool Cols) const {
  const int Limit = Border() + (Cols ? ClientWidth() : ClientHeight());
  const int Count = Cols ? FColCount : FRowCount;
  const int Fixed = Cols ? FFixedCols : FFixedRows;
  std::vector<TSpan> Spans;
  int Pos = Border();
  const auto Add = [&](int I) {
    const int Size = Cols ? ColWidths(I) : RowHeights(I);
    if (Size < 0) return;
    Spans.push_back({I, Pos, Size});
    Pos += Size + FGridLineWidth;
  };
  for (int I = 0; I < Fixed && Pos < Limit; ++I) Add(I);
  for (int I = Cols ? FTopLeft.X : FTopLeft.Y; I < Count && Pos < Limit; ++I) Add(I);
  return Spans;
}

int TCustomGrid::ColLeft(int ACol) const {
  for (const TSpan& S : VisibleSpans(true))
    if (S.Index == ACol) return S.Pos;
  return -1;
}

int TCustomGrid::RowTop(int ARow) const {
  for (const TSpan& S : VisibleSpans(false))
    if (S.Index == ARow) return S.Pos;
  return -1;
}

QRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (!InRange(ACol, 0, FColCount - 1) || !InRange(ARow, 0, FRowCount - 1)) return {};
  const int X = ColLeft(ACol), Y = RowTop(ARow);
  if (X < 0 || Y < 0) return {};
  return QRect(X, Y, ColWidths(ACol), RowHeights(ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  const auto Find = [this](int P, bool Cols) {
    const int Limit = Border() + (Cols ? ClientWidth() : ClientHeight());
    if (P >= Limit) return -1;
    for (const TSpan& S : VisibleSpans(Cols))
      if (P >= S.Pos && P < S.Pos + S.Size + FGridLineWidth) return S.Index;
    return -1;
  };
  const int C = Find(X, true), R = Find(Y, false);
  if (C < 0 || R < 0) return {-1, -1};
  return {C, R};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  const TGridCoord C = MouseCoord(X, Y);
  ACol = C.X;
  ARow = C.Y;
}

int TCustomGrid::LastVisibleCol() const {
  const std::vector<TSpan> S = VisibleSpans(true);
  return S.empty() ? FFixedCols - 1 : S.back().Index;
}

int TCustomGrid::LastVisibleRow() const {
  const std::vector<TSpan> S = VisibleSpans(false);
  return S.empty() ? FFixedRows - 1 : S.back().Index;
}

int TCustomGrid::GridWidth() const {
  const std::vector<TSpan> S = VisibleSpans(true);
  const int End = S.empty() ? Border() : S.back().Pos + S.back().Size + FGridLineWidth;
  return std::min(End, Border() + ClientWidth());
}

int TCustomGrid::GridHeight() const {
  const std::vector<TSpan> S = VisibleSpans(false);
  const int End = S.empty() ? Border() : S.back().Pos + S.back().Size + FGridLineWidth;
  return std::min(End, Border() + ClientHeight());
}

// Scrolling cells from the top-left one on that fit completely.
int TCustomGrid::FullyVisible(bool Cols) const {
  const int Fixed = Cols ? FFixedCols : FFixedRows;
  if ((Cols ? FColCount : FRowCount) <= Fixed) return 0;
  const int Limit = Border() + (Cols ? ClientWidth() : ClientHeight());
  int N = 0;
  for (const TSpan& S : VisibleSpans(Cols))
    if (S.Index >= Fixed && S.Pos + S.Size <= Limit) ++N;
  return std::max(1, N);
}

int TCustomGrid::VisibleColCount() const { return FullyVisible(true); }
int TCustomGrid::VisibleRowCount() const { return FullyVisible(false); }

// The smallest first scrolling cell that still shows cell Last completely:
// walk back from Last while the cells fit.
int TCustomGrid::FirstToShow(int Last, bool Cols) const {
  const int Fixed = Cols ? FFixedCols : FFixedRows;
  int Space = (Cols ? ClientWidth() : ClientHeight()) - FixedExtent(Cols);
  Space -= std::max(0, Cols ? ColWidths(Last) : RowHeights(Last));
  int First = Last;
  while (First > Fixed) {
    const int E = Cols ? ColExtent(First - 1) : RowExtent(First - 1);
    if (Space - E < 0) break;
    Space -= E;
    --First;
  }
  return std::max(Fixed, First);
}

int TCustomGrid::MaxTopRow() const { return FirstToShow(FRowCount - 1, false); }
int TCustomGrid::MaxLeftCol() const { return FirstToShow(FColCount - 1, true); }

// ---- scrolling and the current cell ---------------------------------------------

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, FColCount - 1));
  ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, FRowCount - 1));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  // A scroll along one direction moves the kept picture; both at once redraw it.
  const bool Cols = ATop == FTopLeft.Y, OneWay = Cols || ALeft == FTopLeft.X;
  const std::vector<TSpan> Old = OneWay ? VisibleSpans(Cols) : std::vector<TSpan>{};
  const std::vector<TRect> OldOverlays = OneWay ? ScrollOverlays(Cols) : std::vector<TRect>{};
  FTopLeft = {ALeft, ATop};
  UpdateScrollBars();
  PlaceEditor();
  if (!OneWay || !ScrollSpans(Cols, Old, OldOverlays)) Invalidate();
  TopLeftChanged();
}

// The columns right of the fixed ones (Cols), or the rows below them, move by
// the shift of one shown before and after; the kept picture is valid where it
// showed whole grid (before the end of its last span and of the client area)
// and moved spans land, and only the rest is drawn. A jump past every shown
// span redraws the scrolling ones alone.
bool TCustomGrid::ScrollSpans(bool Cols, const std::vector<TSpan>& Old, const std::vector<TRect>& OldOverlays) {
  if (!ScreenImageCurrent()) return false;
  const int Fixed = Cols ? FFixedCols : FFixedRows;
  const std::vector<TSpan> New = VisibleSpans(Cols);
  const auto FirstScrolling =
      std::find_if(New.begin(), New.end(), [&](const TSpan& S) { return S.Index >= Fixed; });
  if (FirstScrolling == New.end()) return false;
  const int Start = FirstScrolling->Pos, Extent = Cols ? width() : height();
  const int Limit = Border() + (Cols ? ClientWidth() : ClientHeight());
  const auto End = [&](const std::vector<TSpan>& S) {
    return S.empty() ? Start : std::min(Limit, S.back().Pos + S.back().Size + FGridLineWidth);
  };
  std::optional<int> Shift;
  for (const TSpan& N : New) {
    if (N.Index < Fixed) continue;
    const auto O = std::find_if(Old.begin(), Old.end(), [&](const TSpan& S) { return S.Index == N.Index; });
    if (O == Old.end()) continue;
    Shift = N.Pos - O->Pos;
    break;
  }
  // The band from From to To along the scroll, across the whole control.
  const auto Band = [&](int From, int To) { return Cols ? Rect(From, 0, To, height()) : Rect(0, From, width(), To); };
  const auto Moved = [&](const TRect& R, int D) {
    return Cols ? Rect(R.Left + D, R.Top, R.Right + D, R.Bottom) : Rect(R.Left, R.Top + D, R.Right, R.Bottom + D);
  };
  const TRect Area = Band(Start, Extent);
  if (!Shift) {
    RepaintArea(Area);
  } else {
    const int D = *Shift;
    ScrollImage(Area, Cols ? D : 0, Cols ? 0 : D);
    const int ValidFrom = Start + std::max(0, D);
    const int ValidEnd = std::max(ValidFrom, std::min(End(Old) + D, Limit));
    if (ValidFrom > Start) RepaintArea(Band(Start, ValidFrom));
    if (ValidEnd < Extent) RepaintArea(Band(ValidEnd, Extent));
    for (const TRect& R : OldOverlays) {
      RepaintArea(R);
      RepaintArea(Moved(R, D));
    }
  }
  for (const TRect& R : ScrollOverlays(Cols)) RepaintArea(R);
  update(QRect(Area.Left, Area.Top, Area.Width(), Area.Height()));
  return true;
}

void TCustomGrid::RepaintArea(const TRect& Area) {
  RefreshArea(Area, [&](TCanvas&) { PaintArea(Area); });
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  if (!ScreenImageCurrent()) {
    Invalidate();
    return;
  }
  const QRect R = CellRect(ACol, ARow);
  if (R.isEmpty()) return;  // not in view: the next scroll draws it
  RepaintArea(Rect(R.left(), R.top(), R.right() + 1 + FGridLineWidth, R.bottom() + 1 + FGridLineWidth));
}

void TCustomGrid::ScrollIntoView(int ACol, int ARow) {
  int Left = FTopLeft.X, Top = FTopLeft.Y;
  if (ACol >= FFixedCols) Left = ACol < Left ? ACol : std::max(Left, FirstToShow(ACol, true));
  if (ARow >= FFixedRows) Top = ARow < Top ? ARow : std::max(Top, FirstToShow(ARow, false));
  MoveTopLeft(Left, Top);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  if (!InRange(ACol, FFixedCols, FColCount - 1) || !InRange(ARow, FFixedRows, FRowCount - 1))
    return;
  if (!SelectCell(ACol, ARow)) return;
  if (FEditorMode && (ACol != FEditCol || ARow != FEditRow)) HideEditor();
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
  ScrollIntoView(ACol, ARow);
  SelectionMoved();
  if ((FOptions & goAlwaysShowEditor) && CanEditShow()) ShowEditor();
}

TGridRect TCustomGrid::Selection() const {
  TGridRect R{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
              std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions & goRowSelect) {
    R.Left = FFixedCols;
    R.Right = FColCount - 1;
  }
  return R;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  FAnchor = {Value.Left, Value.Top};
  FCurrent = {Value.Right, Value.Bottom};
  SelectionMoved();
}

// The old selection and the new one are redrawn where the picture shows them.
void TCustomGrid::SelectionMoved() {
  const TGridRect Sel = Selection();
  if (ScreenImageCurrent()) {
    for (const TGridRect& S : {FShownSelection, Sel})
      for (const TRect& R : SelectionAreas(S))
        if (R.Width() > 0 && R.Height() > 0) RepaintArea(R);
    FShownSelection = Sel;
  } else {
    Invalidate();
  }
  NotifyAccessibleSelection();
}

TRect TCustomGrid::RangeArea(const TGridRect& Range) const {
  // From the first visible span of Lo..Hi to the end of the line after the last.
  const auto Extent = [&](bool Cols, int Lo, int Hi, int& From, int& To) {
    From = std::numeric_limits<int>::max();
    To = std::numeric_limits<int>::min();
    for (const TSpan& S : VisibleSpans(Cols)) {
      if (S.Index < Lo || S.Index > Hi) continue;
      From = std::min(From, S.Pos);
      To = std::max(To, S.Pos + S.Size + FGridLineWidth);
    }
    return From < To;
  };
  int Left, Right, Top, Bottom;
  if (!Extent(true, Range.Left, Range.Right, Left, Right) || !Extent(false, Range.Top, Range.Bottom, Top, Bottom))
    return Rect(0, 0, 0, 0);
  return Rect(Left, Top, Right, Bottom);
}

// ---- screen readers ------------------------------------------------------------

TCustomGrid::TAccessibleLayout TCustomGrid::AccessibleLayout() const {
  TAccessibleLayout L;
  L.Cells = {FFixedCols, FFixedRows, FColCount - 1, FRowCount - 1};
  L.HeaderRow = FFixedRows - 1;
  L.HeaderCol = FFixedCols - 1;
  return L;
}

QString TCustomGrid::AccessibleCellText(int, int) const { return {}; }

bool TCustomGrid::AccessibleCellSelected(int ACol, int ARow) const {
  return Selection().Contains(ACol, ARow);
}

int TCustomGrid::AccessibleChild(int ACol, int ARow) const {
  const TAccessibleLayout L = AccessibleLayout();
  int Col = -2, Row = -2;
  if (ACol == L.HeaderCol) Col = -1;
  else if (InRange(ACol, L.Cells.Left, L.Cells.Right)) Col = ACol - L.Cells.Left;
  if (ARow == L.HeaderRow) Row = -1;
  else if (InRange(ARow, L.Cells.Top, L.Cells.Bottom)) Row = ARow - L.Cells.Top;
  if (Col + L.HeadCols() < 0 || Row + L.HeadRows() < 0) return -1;
  return (Row + L.HeadRows()) * L.Width() + Col + L.HeadCols();
}

bool TCustomGrid::AccessibleChildCell(int Index, int& ACol, int& ARow) const {
  const TAccessibleLayout L = AccessibleLayout();
  if (Index < 0 || Index >= L.ChildCount()) return false;
  const int Col = Index % L.Width() - L.HeadCols();
  const int Row = Index / L.Width() - L.HeadRows();
  ACol = Col < 0 ? L.HeaderCol : L.Cells.Left + Col;
  ARow = Row < 0 ? L.HeaderRow : L.Cells.Top + Row;
  return true;
}

void TCustomGrid::NotifyAccessibleSelection() {
  if (!QAccessible::isActive()) return;
  NotifyAccessibleEvent(this, QAccessible::SelectionWithin);
  if (hasFocus()) NotifyAccessibleEvent(this, QAccessible::Focus, AccessibleChild(Col(), Row()));
}

void TCustomGrid::SyncAccessibleRows() {
  const int Old = FAccessibleRows;
  FAccessibleRows = AccessibleLayout().Rows();
  if (Old == FAccessibleRows) return;
  if (Old < 0)
    NotifyAccessibleRows(this, QAccessibleTableModelChangeEvent::ModelReset);
  else if (FAccessibleRows > Old)
    NotifyAccessibleRows(this, QAccessibleTableModelChangeEvent::RowsInserted, Old,
                         FAccessibleRows - 1);
  else
    NotifyAccessibleRows(this, QAccessibleTableModelChangeEvent::RowsRemoved, FAccessibleRows,
                         Old - 1);
}

// ---- scroll bars ----------------------------------------------------------------

void TCustomGrid::UpdateScrollBars() {
  if (FUpdatingBars) return;
  FUpdatingBars = true;
  const int B = Border();
  // Showing one bar shrinks the room of the other: settle in two passes.
  for (int Pass = 0; Pass < 2; ++Pass) {
    const bool NeedV = (FScrollBars == ssVertical || FScrollBars == ssBoth) &&
                       (MaxTopRow() > FFixedRows || FTopLeft.Y > FFixedRows);
    const bool NeedH = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) &&
                       (MaxLeftCol() > FFixedCols || FTopLeft.X > FFixedCols);
    FVertBar->setVisible(NeedV);
    FHorzBar->setVisible(NeedH);
  }
  const int VW = FVertBar->sizeHint().width(), HH = FHorzBar->sizeHint().height();
  const int InnerW = width() - 2 * B, InnerH = height() - 2 * B;
  const bool V = !FVertBar->isHidden(), H = !FHorzBar->isHidden();
  if (V) {
    FVertBar->setGeometry(B + InnerW - VW, B, VW, InnerH - (H ? HH : 0));
    FVertBar->setRange(0, std::max(MaxTopRow(), FTopLeft.Y) - FFixedRows);
    FVertBar->setPageStep(VisibleRowCount());
    FVertBar->setValue(FTopLeft.Y - FFixedRows);
  }
  if (H) {
    FHorzBar->setGeometry(B, B + InnerH - HH, InnerW - (V ? VW : 0), HH);
    FHorzBar->setRange(0, std::max(MaxLeftCol(), FTopLeft.X) - FFixedCols);
    FHorzBar->setPageStep(VisibleColCount());
    FHorzBar->setValue(FTopLeft.X - FFixedCols);
  }
  FVertBar->setTracking(FOptions & goThumbTracking);
  FHorzBar->setTracking(FOptions & goThumbTracking);
  FUpdatingBars = false;
}

void TCustomGrid::ScrollBarMoved() {
  if (FUpdatingBars) return;
  MoveTopLeft(!FHorzBar->isHidden() ? FHorzBar->value() + FFixedCols : FTopLeft.X,
              !FVertBar->isHidden() ? FVertBar->value() + FFixedRows : FTopLeft.Y);
}

void TCustomGrid::Resize() {
  UpdateScrollBars();
  PlaceEditor();
  TCustomControl::Resize();
}

// ---- painting -------------------------------------------------------------------

// Vertical lines: a fixed column's line runs the full height (goFixedVertLine);
// a scrolling column's line is a fixed line within the fixed rows and a normal
// line (goVertLine) below them. Horizontal lines likewise.
void TCustomGrid::DrawGridLines() {
  if (FGridLineWidth <= 0) return;
  const int B = Border(), Right = GridWidth(), Bottom = GridHeight();
  const int FixedRight = B + FixedExtent(true), FixedBottom = B + FixedExtent(false);
  TCanvas& C = Canvas();
  const auto Line = [&](int L, int T, int R, int Bm, bool Fixed) {
    C.Brush().SetColor(Fixed ? clBlack : clSilver);
    C.FillRect(Rect(L, T, R, Bm));
  };
  const bool FixedV = FOptions & goFixedVertLine, NormalV = FOptions & goVertLine;
  for (const TSpan& S : VisibleSpans(true)) {
    const int X = S.Pos + S.Size;
    if (S.Index < FFixedCols) {
      if (FixedV) Line(X, B, X + FGridLineWidth, Bottom, true);
      continue;
    }
    if (FixedV) Line(X, B, X + FGridLineWidth, FixedBottom, true);
    if (NormalV) Line(X, FixedBottom, X + FGridLineWidth, Bottom, false);
  }
  const bool FixedH = FOptions & goFixedHorzLine, NormalH = FOptions & goHorzLine;
  for (const TSpan& S : VisibleSpans(false)) {
    const int Y = S.Pos + S.Size;
    if (S.Index < FFixedRows) {
      if (FixedH) Line(B, Y, Right, Y + FGridLineWidth, true);
      continue;
    }
    if (FixedH) Line(B, Y, FixedRight, Y + FGridLineWidth, true);
    if (NormalH) Line(FixedRight, Y, Right, Y + FGridLineWidth, false);
  }
}

void TCustomGrid::Paint() {
  FShownSelection = Selection();
  PaintArea(ClientRect());
}

void TCustomGrid::PaintArea(const TRect& Area) {
  TCanvas& C = Canvas();
  C.Font().Assign(Font());
  C.Pen().SetStyle(psSolid);
  C.Pen().SetMode(pmCopy);
  C.Pen().SetWidth(1);
  C.Brush().SetStyle(bsSolid);
  C.Brush().SetColor(Color());
  C.FillRect(Area);
  DrawGridLines();
  // A cell may draw onto its grid lines: cells that reach within a line of
  // Area are drawn too, in the order of the full paint.
  const int M = std::max(0, FGridLineWidth);
  const auto Reaches = [&](int Pos, int Size, int From, int To) {
    return Pos - M < To && Pos + Size + M > From;
  };

  const TGridRect Sel = Selection();
  const bool HasFocus = hasFocus() || (FInplaceEdit && FInplaceEdit->hasFocus());
  const std::vector<TSpan> Cols = VisibleSpans(true), Rows = VisibleSpans(false);
  for (const TSpan& RowSpan : Rows) {
    if (!Reaches(RowSpan.Pos, RowSpan.Size, Area.Top, Area.Bottom)) continue;
    const int Row = RowSpan.Index;
    for (const TSpan& ColSpan : Cols) {
      if (!Reaches(ColSpan.Pos, ColSpan.Size, Area.Left, Area.Right)) continue;
      const int Col = ColSpan.Index;
      const TRect R = Rect(ColSpan.Pos, RowSpan.Pos, ColSpan.Pos + ColSpan.Size, RowSpan.Pos + RowSpan.Size);
      TGridDrawState State = 0;
      const bool Fixed = Col < FFixedCols || Row < FFixedRows;
      if (Fixed) State |= gdFixed;
      if (!Fixed && HasFocus && Col == FCurrent.X && Row == FCurrent.Y) State |= gdFocused;
      if (!Fixed && Sel.Contains(Col, Row)) State |= gdSelected;
      const bool Highlight = (State & gdSelected) &&
                             (!(State & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)));
      C.Font().Assign(Font());
      C.Brush().SetColor(Fixed ? FFixedColor : Highlight ? clHighlight : Color());
      if (FDefaultDrawing) {
        if (Highlight) C.Font().SetColor(clHighlightText);
        C.FillRect(R);
      }
      DrawCell(Col, Row, R, State);
      if (FDefaultDrawing) DrawDefaultDecoration(R, State);
    }
  }
}

// The raised edge of a fixed cell, the dotted frame of the focused cell.
void TCustomGrid::DrawDefaultDecoration(const TRect& R, TGridDrawState State) {
  TCanvas& C = Canvas();
  if (State & gdFixed) {
    C.Pen().SetColor(clBtnHighlight);
    C.MoveTo(R.Left, R.Bottom - 1);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right, R.Top);
    C.Pen().SetColor(clBtnShadow);
    C.MoveTo(R.Left + 1, R.Bottom - 1);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Right - 1, R.Top);
  } else if ((State & gdFocused) && !(FOptions & goRowSelect)) {
    C.Pen().SetColor(clWindowText);
    C.Pen().SetStyle(psDot);
    C.Brush().SetStyle(bsClear);
    C.Rectangle(R);
    C.Pen().SetStyle(psSolid);
    C.Brush().SetStyle(bsSolid);
  }
}

void TCustomGrid::paintEvent(QPaintEvent* Event) {
  TCustomControl::paintEvent(Event);
  if (FBorderStyle != bsSingle) return;
  const int W = width(), H = height();
  // Only an update that reaches the edge repaints it (a scroll of the rows
  // inside does not); the edges are one-pixel fills, the painter's cheapest.
  const QRect Inner(BorderWidth, BorderWidth, W - 2 * BorderWidth, H - 2 * BorderWidth);
  if (Inner.contains(Event->rect())) return;
  QPainter P(this);
  const auto Edge = [&](int Inset, TColor TopLeft, TColor BottomRight) {
    const int L = Inset, T = Inset, R = W - 1 - Inset, B = H - 1 - Inset;
    const QColor Light = ToQColor(TopLeft, this), Dark = ToQColor(BottomRight, this);
    P.fillRect(QRect(QPoint(L, T), QPoint(L, B)), Light);
    P.fillRect(QRect(QPoint(L, T), QPoint(R, T)), Light);
    P.fillRect(QRect(QPoint(L, B), QPoint(R, B)), Dark);
    P.fillRect(QRect(QPoint(R, T), QPoint(R, B)), Dark);
  };
  Edge(0, clBtnShadow, clBtnHighlight);
  Edge(1, cl3DDkShadow, cl3DLight);
}

void TCustomGrid::FontChanged() {
  if (FInplaceEdit) FInplaceEdit->setFont(Font().ToQFont());
  Invalidate();
}

// ---- virtual defaults -----------------------------------------------------------

bool TCustomGrid::SelectCell(int, int) { return true; }
QString TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const QString&) {}
QString TCustomGrid::GetEditMask(int, int) { return {}; }
TEditStyle TCustomGrid::GetEditStyle(int, int) { return esSimple; }
QStringList TCustomGrid::GetPickListItems(int, int) { return {}; }

bool TCustomGrid::CanEditShow() const {
  return (FOptions & goEditing) && !(FOptions & goRowSelect) && !Designing() &&
         InRange(FCurrent.X, FFixedCols, FColCount - 1) &&
         InRange(FCurrent.Y, FFixedRows, FRowCount - 1);
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

// ---- the in-place editor --------------------------------------------------------

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = new TInplaceEdit(this);
    FInplaceEdit->setFont(Font().ToQFont());
  }
  ScrollIntoView(FCurrent.X, FCurrent.Y);
  if (!FEditorMode || FEditCol != FCurrent.X || FEditRow != FCurrent.Y) {
    FEditCol = FCurrent.X;
    FEditRow = FCurrent.Y;
    FInplaceEdit->setInputMask(GetEditMask(FEditCol, FEditRow));
    FInplaceEdit->SetPickList(GetEditStyle(FEditCol, FEditRow) == esPickList
                                  ? GetPickListItems(FEditCol, FEditRow)
                                  : QStringList());
    FEditOriginal = GetEditText(FEditCol, FEditRow);
    FInplaceEdit->setText(FEditOriginal);
    FInplaceEdit->selectAll();
  }
  FEditorMode = true;
  PlaceEditor();
  if (isVisible()) FInplaceEdit->setFocus();
}

void TCustomGrid::PlaceEditor() {
  if (!FInplaceEdit || !FEditorMode) return;
  const QRect R = CellRect(FEditCol, FEditRow);
  if (R.isEmpty()) {
    FInplaceEdit->hide();
    return;
  }
  FInplaceEdit->setGeometry(R);
  FInplaceEdit->show();
}

void TCustomGrid::CommitEditor() {
  if (!FEditorMode || FInCommit) return;
  FInCommit = true;
  SetEditText(FEditCol, FEditRow, FInplaceEdit->text());
  FInCommit = false;
}

void TCustomGrid::HideEditor() { CloseEditor(true); }

void TCustomGrid::CloseEditor(bool Commit) {
  if (!FEditorMode) return;
  if (Commit) CommitEditor();
  FEditorMode = false;
  const bool HadFocus = FInplaceEdit->hasFocus();
  FInplaceEdit->hide();
  if (HadFocus) setFocus();
  Invalidate();
}

// Esc: the text as it was, and no hand-back (goAlwaysShowEditor keeps the editor open).
void TCustomGrid::CancelEditor() {
  if (!FEditorMode) return;
  FInplaceEdit->setText(FEditOriginal);
  if (FOptions & goAlwaysShowEditor) FInplaceEdit->selectAll();
  else CloseEditor(false);
  EditCanceled();
}

void TCustomGrid::EditCanceled() {
  if (OnEditCanceled) OnEditCanceled(this);
}

void TCustomGrid::EditorKey(QKeyEvent* Event) { keyPressEvent(Event); }

// ---- keyboard -------------------------------------------------------------------

void TCustomGrid::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool RowSelect = FOptions & goRowSelect;
  const int PageRows = VisibleRowCount(), PageCols = VisibleColCount();
  TGridCoord Cur = FCurrent, TopLeft = FTopLeft;
  bool Handled = true;
  if (Shift & ssCtrl) {
    switch (Key) {
      case VK_UP: --TopLeft.Y; break;
      case VK_DOWN: ++TopLeft.Y; break;
      case VK_LEFT:
        if (!RowSelect) Cur.X -= PageCols;
        TopLeft.X -= PageCols;
        break;
      case VK_RIGHT:
        if (!RowSelect) Cur.X += PageCols;
        TopLeft.X += PageCols;
        break;
      case VK_PRIOR: Cur.Y = FTopLeft.Y; break;
      case VK_NEXT: Cur.Y = FTopLeft.Y + PageRows - 1; break;
      case VK_HOME: Cur = {FFixedCols, FFixedRows}; break;
      case VK_END: Cur = {FColCount - 1, FRowCount - 1}; break;
      default: Handled = false;
    }
  } else {
    switch (Key) {
      case VK_UP: --Cur.Y; break;
      case VK_DOWN: ++Cur.Y; break;
      case VK_LEFT:
        if (RowSelect) --TopLeft.X;
        else --Cur.X;
        break;
      case VK_RIGHT:
        if (RowSelect) ++TopLeft.X;
        else ++Cur.X;
        break;
      case VK_NEXT:
        Cur.Y += PageRows;
        TopLeft.Y += PageRows;
        break;
      case VK_PRIOR:
        Cur.Y -= PageRows;
        TopLeft.Y -= PageRows;
        break;
      case VK_HOME:
        if (RowSelect) Cur.Y = FFixedRows;
        else Cur.X = FFixedCols;
        break;
      case VK_END:
        if (RowSelect) Cur.Y = FRowCount - 1;
        else Cur.X = FColCount - 1;
        break;
      case VK_TAB:
        if (!(FOptions & goTabs) || (Shift & ssAlt)) {
          Handled = false;
          break;
        }
        // Tab runs through the row and wraps to the next (Shift+Tab: previous) row.
        if (Shift & ssShift) {
          if (--Cur.X < FFixedCols) {
            Cur.X = FColCount - 1;
            if (--Cur.Y < FFixedRows) Cur.Y = FRowCount - 1;
          }
        } else if (++Cur.X >= FColCount) {
          Cur.X = FFixedCols;
          if (++Cur.Y >= FRowCount) Cur.Y = FFixedRows;
        }
        Shift &= ~ssShift;
        break;
      case VK_F2:
        ShowEditor();
        return;
      default: Handled = false;
    }
  }
  if (!Handled) return;
  Cur.X = std::clamp(Cur.X, FFixedCols, FColCount - 1);
  Cur.Y = std::clamp(Cur.Y, FFixedRows, FRowCount - 1);
  if (TopLeft != FTopLeft) {
    TopLeft.X = std::clamp(TopLeft.X, FFixedCols, MaxLeftCol());
    TopLeft.Y = std::clamp(TopLeft.Y, FFixedRows, MaxTopRow());
    MoveTopLeft(TopLeft.X, TopLeft.Y);
  }
  if (Cur != FCurrent) FocusCell(Cur.X, Cur.Y, !((Shift & ssShift) && (FOptions & goRangeSelect)));
}

// A printable character typed while goEditing opens the editor with that
// character instead of reaching KeyPress.
void TCustomGrid::keyPressEvent(QKeyEvent* Event) {
  const QString Text = Event->text();
  const bool Printable = Text.size() == 1 && Text[0] >= QChar(' ') &&
                         !(Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (!Printable || FEditorMode || !CanEditShow()) {
    TCustomControl::keyPressEvent(Event);
    return;
  }
  std::uint16_t Key = VirtualKeyOf(Event->key(), Event->modifiers());
  if (Key != 0) KeyDown(Key, ShiftStateOf(Event->modifiers(), Qt::NoButton));
  if (Key == 0 && VirtualKeyOf(Event->key(), Event->modifiers()) != 0) return;
  ShowEditor();
  if (!FEditorMode) return;
  FInplaceEdit->setText(Text);
  FInplaceEdit->deselect();
}

void TCustomGrid::KeyPress(QChar& Key) {
  TCustomControl::KeyPress(Key);
  if (!(FOptions & goAlwaysShowEditor) && Key == QChar(13)) {
    if (FEditorMode) HideEditor();
    else ShowEditor();
    Key = QChar(0);
  }
}

// ---- mouse ----------------------------------------------------------------------

void TCustomGrid::SizingZone(int X, int Y, TGridState& State, int& Index) const {
  State = gsNormal;
  const auto Near = [this](int P, const TSpan& S) {
    const int Border = S.Pos + S.Size;
    return P >= Border - SizingReach && P < Border + FGridLineWidth + SizingReach;
  };
  const int B = Border();
  if ((FOptions & goColSizing) && Y >= B && Y < B + FixedExtent(false)) {
    const std::vector<TSpan> Spans = VisibleSpans(true);
    for (auto S = Spans.rbegin(); S != Spans.rend(); ++S)
      if (Near(X, *S)) {
        State = gsColSizing;
        Index = S->Index;
        return;
      }
  }
  if ((FOptions & goRowSizing) && X >= B && X < B + FixedExtent(true)) {
    const std::vector<TSpan> Spans = VisibleSpans(false);
    for (auto S = Spans.rbegin(); S != Spans.rend(); ++S)
      if (Near(Y, *S)) {
        State = gsRowSizing;
        Index = S->Index;
        return;
      }
  }
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && !Designing()) {
    TGridState Zone = gsNormal;
    int Index = 0;
    SizingZone(X, Y, Zone, Index);
    const TGridCoord Hit = MouseCoord(X, Y);
    if (Zone != gsNormal) {
      HideEditor();
      FGridState = Zone;
      FSizingIndex = Index;
      FSizingOrigin = Zone == gsColSizing ? ColLeft(Index) : RowTop(Index);
    } else if (Hit.X >= 0 && Hit.Y >= 0) {
      const bool InFixedRow = Hit.Y < FFixedRows && Hit.X >= FFixedCols;
      const bool InFixedCol = Hit.X < FFixedCols && Hit.Y >= FFixedRows;
      if (InFixedRow && (FOptions & goColMoving)) {
        FGridState = gsColMoving;
        FMoveFrom = Hit.X;
      } else if (InFixedCol && (FOptions & goRowMoving)) {
        FGridState = gsRowMoving;
        FMoveFrom = Hit.Y;
      } else if (Hit.X >= FFixedCols && Hit.Y >= FFixedRows) {
        if (Hit == FCurrent && !(Shift & ssShift) && (FOptions & goEditing)) {
          ShowEditor();
        } else {
          const bool Extend = (Shift & ssShift) && (FOptions & goRangeSelect);
          FocusCell(Hit.X, Hit.Y, !Extend);
        }
        FGridState = gsSelecting;
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TCustomGrid::MoveTarget(int X, int Y, int& Index) const {
  const TGridCoord Hit = MouseCoord(X, Y);
  Index = FGridState == gsColMoving ? Hit.X : Hit.Y;
  const int Fixed = FGridState == gsColMoving ? FFixedCols : FFixedRows;
  return Index >= Fixed && Index != FMoveFrom;
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  switch (FGridState) {
    case gsColSizing:
      SetColWidths(FSizingIndex, std::max(0, X - FSizingOrigin));
      break;
    case gsRowSizing:
      SetRowHeights(FSizingIndex, std::max(0, Y - FSizingOrigin));
      break;
    case gsSelecting: {
      // Dragging beyond the client area scrolls by one cell per move.
      TGridCoord Hit = MouseCoord(X, Y);
      const int B = Border();
      if (Hit.X < 0) Hit.X = X < B ? FTopLeft.X - 1 : X >= GridWidth() ? LastVisibleCol() + 1 : FCurrent.X;
      if (Hit.Y < 0) Hit.Y = Y < B ? FTopLeft.Y - 1 : Y >= GridHeight() ? LastVisibleRow() + 1 : FCurrent.Y;
      Hit.X = std::clamp(Hit.X, FFixedCols, FColCount - 1);
      Hit.Y = std::clamp(Hit.Y, FFixedRows, FRowCount - 1);
      if (Hit != FCurrent) FocusCell(Hit.X, Hit.Y, false);
      break;
    }
    default: {
      TGridState Zone = gsNormal;
      int Index = 0;
      SizingZone(X, Y, Zone, Index);
      setCursor(Zone == gsColSizing ? Qt::SplitHCursor
                : Zone == gsRowSizing ? Qt::SplitVCursor
                                      : Qt::ArrowCursor);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int Target = 0;
  if (FGridState == gsColMoving && MoveTarget(X, Y, Target)) {
    if (!FColWidths.empty()) {
      const int W = FColWidths[size_t(FMoveFrom)];
      FColWidths.erase(FColWidths.begin() + FMoveFrom);
      FColWidths.insert(FColWidths.begin() + Target, W);
    }
    ColumnMoved(FMoveFrom, Target);
    Invalidate();
  } else if (FGridState == gsRowMoving && MoveTarget(X, Y, Target)) {
    if (!FRowHeights.empty()) {
      const int H = FRowHeights[size_t(FMoveFrom)];
      FRowHeights.erase(FRowHeights.begin() + FMoveFrom);
      FRowHeights.insert(FRowHeights.begin() + Target, H);
    }
    RowMoved(FMoveFrom, Target);
    Invalidate();
  }
  FGridState = gsNormal;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---- mouse wheel ----------------------------------------------------------------

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
  if (Handled) return true;
  return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
  if (!Handled && FCurrent.Y < FRowCount - 1) SetRow(FCurrent.Y + 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
  if (!Handled && FCurrent.Y > FFixedRows) SetRow(FCurrent.Y - 1);
  return true;
}

void TCustomGrid::wheelEvent(QWheelEvent* Event) {
  FWheelAccumulator += Event->angleDelta().y();
  const TShiftState Shift = ShiftStateOf(Event->modifiers(), Event->buttons());
  const QPoint Pos = Event->position().toPoint();
  while (std::abs(FWheelAccumulator) >= 120) {
    const int Step = FWheelAccumulator > 0 ? 120 : -120;
    FWheelAccumulator -= Step;
    DoMouseWheel(Shift, Step, Pos);
  }
  Event->accept();
}

// ---- focus ----------------------------------------------------------------------

void TCustomGrid::DoEnter() {
  Invalidate();
  // Qt reports the focus of the grid; the reader wants the current cell too.
  if (QAccessible::isActive())
    NotifyAccessibleEvent(this, QAccessible::Focus, AccessibleChild(Col(), Row()));
  TCustomControl::DoEnter();
}

void TCustomGrid::DoExit() {
  Invalidate();
  TCustomControl::DoExit();
}

// ---- TCustomDrawGrid ------------------------------------------------------------

TCustomDrawGrid::TCustomDrawGrid(QWidget* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool CanSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  QString Value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, Value);
  return Value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

QString TCustomDrawGrid::GetEditMask(int ACol, int ARow) {
  QString Value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, Value);
  return Value;
}

void TCustomDrawGrid::TopLeftChanged() {
  Notify(this, OnTopLeftChanged, &TCustomDrawGrid::topLeftChanged);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

QSize TCustomGrid::minimumSizeHint() const {
  const int Bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return {std::min(sizeHint().width(), 2 * FDefaultColWidth + Bar),
          std::min(sizeHint().height(), 2 * FDefaultRowHeight + Bar)};
}

}  // namespace qor::host
