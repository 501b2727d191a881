// The platform's grid: TCustomGrid and TCustomDrawGrid.
//
// A grid of ColCount x RowCount cells; the first FixedCols columns and
// FixedRows rows stay in place while the rest scrolls by whole cells (TopRow,
// LeftCol). Every paint walks only the cells that are visible, so its cost
// does not depend on the number of rows or columns. Subclasses draw cells in
// DrawCell; the grid draws the grid lines, the background beyond the last
// cell and, with DefaultDrawing, the cell backgrounds and the focus frame.
//
// Scrolling the rows moves the pixels of the kept picture and draws only the
// rows that come into view (and any overlay bands a subclass names); a change
// of one cell redraws that cell. The result is the picture a full paint gives.
//
// Geometry: cell (c, r) occupies ColWidths(c) x RowHeights(r) pixels, followed
// by a grid line of GridLineWidth pixels to its right and below it (lines of
// fixed cells only with goFixedVertLine / goFixedHorzLine, of the others only
// with goVertLine / goHorzLine; the gap is there either way). Columns of width
// < 0 are hidden. Cell coordinates are widget coordinates; a BorderStyle of
// bsSingle keeps a two-pixel sunken edge around the cells.
//
// Current cell, anchor and selection:
//
//   action                          current   anchor    selection
//   click / arrow key               moves     = current single cell
//   Shift+click / Shift+arrow       moves     stays     anchor..current (goRangeSelect)
//   drag with the left button       moves     stays     anchor..current (goRangeSelect)
//   goRowSelect                     as above, the selection spans all scrolling columns
//
// Keys: arrows, Page Up/Down, Home/End (Ctrl: first/last cell; Ctrl+arrows
// scroll), Tab/Shift+Tab with goTabs, F2 and Enter open the in-place editor,
// a typed character opens it with that character (goEditing). The mouse wheel
// moves the current row. Dragging a column border inside the fixed rows sizes
// the column (goColSizing), a row border inside the fixed columns the row
// (goRowSizing); dragging a fixed cell moves its column or row (goColMoving,
// goRowMoving).
//
// In-place editor: a QLineEdit over the current cell (never with goRowSelect),
// with an optional drop-down pick list. It takes its text from GetEditText and
// hands it back through SetEditText when editing ends (Enter, leaving the cell,
// hiding the editor), never on every keystroke; Esc restores the text, closes
// the editor without handing it back and reports EditCanceled (OnEditCanceled).
#pragma once

#include <QLineEdit>
#include <algorithm>
#include <QRect>
#include <QStringList>
#include <vector>

#include "host/qor_control.h"

class QListWidget;
class QScrollBar;
class QToolButton;

namespace qor::host {

struct TGridCoord {
  int X = 0, Y = 0;
  constexpr bool operator==(const TGridCoord&) const = default;
};

// Cells Left..Right x Top..Bottom, both ends included.
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr bool operator==(const TGridRect&) const = default;
  constexpr bool Contains(int ACol, int ARow) const {
    return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
  }
};

enum TGridOption : std::uint32_t {
  goFixedVertLine = 1u << 0, goFixedHorzLine = 1u << 1, goVertLine = 1u << 2, goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4, goDrawFocusSelected = 1u << 5, goRowSizing = 1u << 6,
  goColSizing = 1u << 7, goRowMoving = 1u << 8, goColMoving = 1u << 9, goEditing = 1u << 10,
  goTabs = 1u << 11, goRowSelect = 1u << 12, goAlwaysShowEditor = 1u << 13,
  goThumbTracking = 1u << 14
};
using TGridOptions = std::uint32_t;

enum TGridDrawFlag : std::uint8_t { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = std::uint8_t;

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TEditStyle : std::uint8_t { esSimple, esPickList };

class TCustomGrid;

// The in-place editor: a line edit that hands navigation keys back to its
// grid, with an optional drop-down list of choices (Alt+Down, F4 or the button).
class QORKIT_EXPORT TInplaceEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TInplaceEdit(TCustomGrid* Grid);

  void SetPickList(const QStringList& Items);
  const QStringList& PickList() const { return FPickItems; }
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int Rows) { FDropDownRows = Rows < 1 ? 1 : Rows; }
  void DropDown();
  void CloseUp(bool Accept);
  bool ListVisible() const;

 protected:
  friend class TCustomGrid;
  // Every event runs guarded: the grid's handlers it reaches may throw.
  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  bool PassToGrid(QKeyEvent* Event) const;

  TCustomGrid* FGrid;
  QStringList FPickItems;
  int FDropDownRows = 8;
  QToolButton* FButton = nullptr;
  QListWidget* FList = nullptr;
};

class QORKIT_EXPORT TCustomGrid : public TCustomControl {
  Q_OBJECT
  Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
  Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
  Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
  Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
  Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
  Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
  Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
  Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)

 public:
  explicit TCustomGrid(QWidget* AOwner = nullptr);
  ~TCustomGrid() override;

  // Size of the grid.
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);

  // Cell sizes. Setting a default size resets every column or row to it.
  int DefaultColWidth() const { return FDefaultColWidth; }
  virtual void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  virtual void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);

  // Look.
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Scrolling: the first scrolling column and row shown.
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value) { MoveTopLeft(Value, FTopLeft.Y); }
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value) { MoveTopLeft(FTopLeft.X, Value); }
  // Scrolling columns and rows that fit completely (at least 1 while any exist).
  int VisibleColCount() const;
  int VisibleRowCount() const;

  // Current cell and selection.
  int Col() const { return FCurrent.X; }
  void SetCol(int Value) { FocusCell(Value, FCurrent.Y, true); }
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value) { FocusCell(FCurrent.X, Value, true); }
  // The selected cells; with goRowSelect all scrolling columns. Setting stores
  // the rectangle as given (a rectangle outside the grid selects nothing).
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);

  // Geometry: the rectangle of a visible cell (empty when it is not visible),
  // the cell under a point (-1, -1 outside the cells).
  QRect CellRect(int ACol, int ARow) const;
  TGridCoord MouseCoord(int X, int Y) const;
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  // Extent of the drawn cells (right and bottom edge of the last visible cell's line).
  int GridWidth() const;
  int GridHeight() const;
  // The client area (cells and the background beyond them) inside the border.
  int ClientLeft() const { return Border(); }
  int ClientTop() const { return Border(); }
  int ClientWidth() const;
  int ClientHeight() const;

  // The in-place editor (null until first shown).
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  void ShowEditor();
  void HideEditor();

  // The table screen readers see: the data cells, the grid row that holds the
  // column headers and the grid column that holds the row headers (-1: none).
  // By default the scrolling cells, headed by the last fixed row and column.
  // Children of the grid's interface run row by row over the header row and
  // the data rows, each starting with its row header:
  //   child = (row + HeadRows()) * Width() + column + HeadCols()
  // with row and column counted from 0 in the table and -1 for the headers.
  struct TAccessibleLayout {
    TGridRect Cells{0, 0, -1, -1};
    int HeaderRow = -1, HeaderCol = -1;
    int Rows() const { return std::max(0, Cells.Bottom - Cells.Top + 1); }
    int Cols() const { return std::max(0, Cells.Right - Cells.Left + 1); }
    int HeadRows() const { return HeaderRow >= 0 ? 1 : 0; }
    int HeadCols() const { return HeaderCol >= 0 ? 1 : 0; }
    int Width() const { return Cols() + HeadCols(); }
    int ChildCount() const { return (Rows() + HeadRows()) * Width(); }
  };
  virtual TAccessibleLayout AccessibleLayout() const;
  // Text of any grid cell (data or header) as a screen reader reads it.
  virtual QString AccessibleCellText(int ACol, int ARow) const;
  // Whether a data cell is selected; by default it lies in Selection().
  virtual bool AccessibleCellSelected(int ACol, int ARow) const;
  // The accessible child of grid cell (ACol, ARow), -1 for a cell the table
  // does not show; and back (false for an index out of range).
  int AccessibleChild(int ACol, int ARow) const;
  bool AccessibleChildCell(int Index, int& ACol, int& ARow) const;
  QAccessible::Role AccessibleRole() const override { return QAccessible::Table; }

  std::function<void(TObject* Sender, TShiftState Shift, QPoint MousePos, bool& Handled)>
      OnMouseWheelDown, OnMouseWheelUp;
  TNotifyEvent OnEditCanceled;
  std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, QPoint MousePos,
                     bool& Handled)> OnMouseWheel;

  // The grid scrolls to any cell, so it needs only room for a cell or two
  // beside its scroll bars.
  QSize minimumSizeHint() const override;

 protected:
  // Draws cell (ACol, ARow) inside ARect (right and bottom excluded).
  virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) = 0;
  // Asked before the current cell moves to (ACol, ARow).
  virtual bool SelectCell(int ACol, int ARow);
  virtual QString GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const QString& Value);
  virtual QString GetEditMask(int ACol, int ARow);
  virtual TEditStyle GetEditStyle(int ACol, int ARow);
  virtual QStringList GetPickListItems(int ACol, int ARow);
  virtual bool CanEditShow() const;
  virtual void TopLeftChanged() {}
  // Esc closed (or, with goAlwaysShowEditor, reset) the in-place editor.
  virtual void EditCanceled();
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos);

  // Paint draws the whole client through PaintArea, which draws the part of
  // the picture inside Area: background, grid lines and the cells that reach
  // into it, in the order of a full paint. Partial repaints call it with the
  // canvas clipped to Area, so subclasses that draw over the cells override
  // PaintArea rather than Paint.
  void Paint() override;
  virtual void PaintArea(const TRect& Area);
  // Bands of drawings laid over the cells that do not move with the columns
  // (Cols) or rows of a scroll (an insertion mark tied to a row boundary, a
  // title spanning every column); redrawn around that scroll.
  virtual std::vector<TRect> ScrollOverlays(bool Cols) const {
    (void)Cols;
    return {};
  }
  // What shows the selection Sel: redrawn for the old and the new selection
  // when it moves (a current picture is changed there only). The grid's own
  // are the visible cells of Sel; subclasses add what else follows the
  // selection (headers, a corner).
  virtual std::vector<TRect> SelectionAreas(const TGridRect& Sel) const { return {RangeArea(Sel)}; }
  // The visible part of the cells of Range with their grid lines; empty when
  // none of them shows.
  TRect RangeArea(const TGridRect& Range) const;
  // Redraws one cell (with its grid lines) on the kept picture and blits it;
  // without a current picture the whole grid is invalidated instead.
  void InvalidateCell(int ACol, int ARow);
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void FontChanged() override;

  void paintEvent(QPaintEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

  // Moves the current cell (asking SelectCell); MoveAnchor also moves the anchor.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveTopLeft(int ALeft, int ATop);
  void InvalidateGrid() { Invalidate(); }
  // Tells screen readers that the current cell or the selection changed
  // (subclasses with a selection of their own call it when that changes).
  void NotifyAccessibleSelection();
  // Tells screen readers how the number of table rows changed since the last
  // call (SetRowCount calls it; subclasses whose table rows do not follow
  // RowCount call it when theirs change).
  void SyncAccessibleRows();

 private:
  friend class TInplaceEdit;

  enum TGridState : std::uint8_t { gsNormal, gsSelecting, gsColSizing, gsRowSizing, gsColMoving,
                                   gsRowMoving };

  // A visible column or row: its index, first pixel and size (line excluded).
  struct TSpan {
    int Index, Pos, Size;
  };

  int Border() const;
  int ColExtent(int ACol) const;  // width + line, 0 for hidden columns
  int RowExtent(int ARow) const;
  int FixedExtent(bool Cols) const;
  std::vector<TSpan> VisibleSpans(bool Cols) const;
  int FullyVisible(bool Cols) const;
  int FirstToShow(int Last, bool Cols) const;
  int ColLeft(int ACol) const;    // pixel position of a visible column, -1 if not visible
  int RowTop(int ARow) const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  int LastVisibleCol() const;
  int LastVisibleRow() const;
  void ClampCurrent();
  void ScrollIntoView(int ACol, int ARow);
  void SelectionMoved();
  void UpdateScrollBars();
  void ScrollBarMoved();
  void PlaceEditor();
  void CommitEditor();
  void CloseEditor(bool Commit);
  void CancelEditor();
  void EditorKey(QKeyEvent* Event);
  void SizingZone(int X, int Y, TGridState& State, int& Index) const;
  bool MoveTarget(int X, int Y, int& Index) const;
  bool ScrollSpans(bool Cols, const std::vector<TSpan>& Old, const std::vector<TRect>& OldOverlays);
  void RepaintArea(const TRect& Area);
  void DrawGridLines();
  void DrawDefaultDecoration(const TRect& R, TGridDrawState State);

  int FColCount = 5, FRowCount = 5, FFixedCols = 1, FFixedRows = 1;
  int FDefaultColWidth = 64, FDefaultRowHeight = 24, FGridLineWidth = 1;
  std::vector<int> FColWidths, FRowHeights;  // empty while every entry has the default
  TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                          goRangeSelect;
  TColor FFixedColor = clBtnFace;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  TGridCoord FTopLeft{1, 1}, FCurrent{1, 1}, FAnchor{1, 1};
  TGridRect FShownSelection;  // as the kept picture shows it
  TGridState FGridState = gsNormal;
  int FSizingIndex = 0, FSizingOrigin = 0, FMoveFrom = 0;
  int FWheelAccumulator = 0;
  bool FEditorMode = false;
  bool FInCommit = false;
  int FEditCol = -1, FEditRow = -1;
  QString FEditOriginal;
  TInplaceEdit* FInplaceEdit = nullptr;
  QScrollBar* FHorzBar = nullptr;
  QScrollBar* FVertBar = nullptr;
  bool FUpdatingBars = false;
  int FAccessibleRows = -1;  // table rows last reported, -1 before the first report
};

// A grid whose cells are drawn by the application (OnDrawCell) and whose
// selection, editing and scrolling are reported through events.
class QORKIT_EXPORT TCustomDrawGrid : public TCustomGrid {
  Q_OBJECT
 public:
  explicit TCustomDrawGrid(QWidget* AOwner = nullptr);

  std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>
      OnDrawCell;
  std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText,
      OnGetEditMask;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;
  TNotifyEvent OnTopLeftChanged;
  std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved, OnRowMoved;

 Q_SIGNALS:
  // Follows OnTopLeftChanged.
  void topLeftChanged();

 protected:
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  QString GetEditMask(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
};

}  // namespace qor::host

namespace qor {
using host::TCustomDrawGrid;
using host::TCustomGrid;
using host::TGridCoord;
using host::TGridDrawState;
using host::TGridOptions;
using host::TGridRect;
using host::TInplaceEdit;
}  // namespace qor
