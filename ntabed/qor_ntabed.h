// TNTabEd: a spreadsheet-like editor of one numeric data table (TDataTable):
// elements with per-cell states (invalid, empty, marks A and B), column and
// row names and attributes, per-column decimal places, nominal columns with
// their identifiers, a comment, two popup menus and clipboard exchange.
//
// Grid layout (table column c is grid column c + FColOffset, table row r grid
// row r + FRowOffset):
//
//   grid column 0              row names
//   grid column 1              row attributes (while AttribRowVisible)
//   grid row 0                 column names
//   grid row 1                 column attributes (while AttribColVisible)
//   cell (0, 0)                "c:r" of the current cell, or "Comment:" while
//                              the comment is edited
//
// Colours: ColorBackground (the grid's colour, clWindow) behind elements,
// ColorFixed (clBtnFace) behind headings, ColorNormal for texts, ColorSelected
// for the headings of the current row and column, ColorMarkedA/B/Both for
// marked elements, ColorRangeSelFG/BG for the selected range.
//
// Editing (mouse and keyboard):
//
//   input                               effect
//   first click on a cell               selects it
//   second click on the current cell    opens the in-place editor (not DataReadOnly)
//   typed character, F2, Enter          opens the editor (the character replaces the text)
//   Enter in the editor                 hands the text back, then moves to the next cell
//                                       (AutoAdvance: down, or right with orHorizontal)
//   Esc in the editor                   closes it unchanged; editing stays off until the
//                                       next mouse release or key
//   right click on an element           the data menu (no PopupMenu, not BlockInternalPopup)
//   right click on a heading            the heading menu
//   right click on the corner           the comment editor (CommentEditingAllowed)
//   Tab / Shift+Tab                     reach OnKeyDown, then move the focus on, as in
//                                       Qt's item views (the cells with goTabs)
//
// The in-place editor hands its text back when editing ends (Enter, moving to
// another cell, losing the focus), never on every keystroke.
//
// Notifications (each fires only when assigned and while neither SuppressPaint
// nor the editor's own bulk-change suppression is set; each also exists as a
// Qt signal emitted right after the handler): OnChange, OnHeadingChanged,
// OnAttributeChanged, OnLayoutChanged, OnCellStateChanged, OnSelectionChanged,
// OnChangeSetup. OnPaste comes after paste, extraction and clearing, before
// OnChange for clearing and after it for paste and extraction.
#pragma once

#include <QPointer>
#include <vector>

#include "foundation/qor_datatable.h"
#include "foundation/qor_qorbase.h"
#include "host/qor_app.h"
#include "host/qor_grid.h"
#include "host/qor_menu.h"

namespace qor {

namespace host {
class TCustomEdit;
class TCustomMemo;
}  // namespace host

class QORKIT_EXPORT EQORNTabedError : public EQORError {
 public:
  using EQORError::EQORError;
};

using TBeforeRenderCellEvent =
    std::function<void(TObject* Sender, int ColIx, int RowIx, QString& Text, TColor& ColorText,
                       TColor& ColorBakg, TFontStyles& FontStyles)>;
using TBeforePopupEvent = std::function<void(TObject* Sender, TPopupMenu* PMenu)>;

// ---- text readers and writers of the editor (pure functions) --------------

// The number text of a value with field width NumWidth (1..20) and Decimals
// (-1 scientific, 0..10) decimal places.
QORKIT_EXPORT QString NTabNumberText(double Value, int NumWidth, int Decimals);
// Reads one number of clipboard text from Pos (0-based; "." and "," both
// separators, exponent allowed; tabs and carriage returns read as blanks, and
// one blank follows the text); Pos is left on the character that ended it. A
// malformed number gives 0. The result is clamped to +-uc_MaxDouble.
QORKIT_EXPORT double ReadClipNumber(const QString& Text, int& Pos);
// Walks clipboard text as the extraction does: Put(N, Line, Value) for every
// number read, N counting the numbers of the line from 0, Line the line feeds
// passed. Returns whether any number was read.
QORKIT_EXPORT bool ScanClipNumbers(const QString& Text,
                                   const std::function<void(int N, int Line, double Value)>& Put);
// The block size of clipboard text (both 1 and false when it holds no number).
QORKIT_EXPORT bool ClipMatrixSize(const QString& Text, int& NCols, int& NRows);
// A typed element: "," as ".", blanks around ignored, the rest one complete
// number. False (Value unchanged) otherwise.
QORKIT_EXPORT bool ReadTypedNumber(const QString& Text, double& Value);
// A typed attribute: a number, clamped to 0..255 and rounded halves to even.
QORKIT_EXPORT bool ReadAttribText(const QString& Text, int& Attrib);

class QORKIT_EXPORT TNTabEd : public TCustomGrid {
  Q_OBJECT
  Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
  Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
  Q_PROPERTY(bool AttribRowVisible READ AttribRowVisible WRITE SetAttribRowVisible)
  Q_PROPERTY(bool AttribColVisible READ AttribColVisible WRITE SetAttribColVisible)
  Q_PROPERTY(int NumWidth READ NumWidth WRITE SetNumWidth)
  Q_PROPERTY(bool DataReadOnly READ DataReadOnly WRITE SetDataReadOnly NOTIFY setupChanged)
  Q_PROPERTY(QString Comment READ Comment WRITE SetComment NOTIFY changed)
  Q_PROPERTY(bool CommentEditingAllowed READ CommentEditingAllowed WRITE SetCommentEditingAllowed)
  Q_PROPERTY(bool BlockInternalPopup READ BlockInternalPopup WRITE SetBlockInternalPopup)
  Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
  Q_PROPERTY(qor::TOrientation AutoAdvanceDir READ AutoAdvanceDir WRITE SetAutoAdvanceDir)
  Q_PROPERTY(bool ClipboardUseFullPrec READ ClipboardUseFullPrec WRITE SetClipboardUseFullPrec)
  Q_PROPERTY(bool OptimizeRowHeight READ OptimizeRowHeight WRITE SetOptimizeRowHeight)
  Q_PROPERTY(bool BoldMarks READ BoldMarks WRITE SetBoldMarks)
  Q_PROPERTY(bool BoldSelHeads READ BoldSelHeads WRITE SetBoldSelHeads)
  Q_PROPERTY(qor::TColor ColorBackground READ ColorBackground WRITE SetColorBackground)
  Q_PROPERTY(qor::TColor ColorFixed READ ColorFixed WRITE SetColorFixed)
  Q_PROPERTY(qor::TColor ColorNormal READ ColorNormal WRITE SetColorNormal)
  Q_PROPERTY(qor::TColor ColorSelected READ ColorSelected WRITE SetColorSelected)
  Q_PROPERTY(qor::TColor ColorMarkedA READ ColorMarkedA WRITE SetColorMarkedA)
  Q_PROPERTY(qor::TColor ColorMarkedB READ ColorMarkedB WRITE SetColorMarkedB)
  Q_PROPERTY(qor::TColor ColorMarkedBoth READ ColorMarkedBoth WRITE SetColorMarkedBoth)
  Q_PROPERTY(qor::TColor ColorRangeSelFG READ ColorRangeSelFG WRITE SetColorRangeSelFG)
  Q_PROPERTY(qor::TColor ColorRangeSelBG READ ColorRangeSelBG WRITE SetColorRangeSelBG)
  Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol)
  Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow)
  Q_PROPERTY(int NomEditDropDownCount READ NomEditDropDownCount WRITE SetNomEditDropDownCount)
  Q_PROPERTY(quint32 Options READ Options WRITE SetOptions)
  Q_PROPERTY(int VisibleColCount READ VisibleColCount)
  Q_PROPERTY(int VisibleRowCount READ VisibleRowCount)

 public:
  explicit TNTabEd(QWidget* AOwner = nullptr);
  ~TNTabEd() override;

  // The table shown (owned, or the one given to AssignAnotherDataMatrix).
  TDataTable* Data() const { return FData; }

  // ---- size and layout
  int NrOfColumns() const { return FData->NrOfColumns(); }
  void SetNrOfColumns(int Value);
  int NrOfRows() const { return FData->NrOfRows(); }
  void SetNrOfRows(int Value);
  void Redimension(int NrCols, int NrRows);
  bool AttribRowVisible() const { return FColOffset == 1; }
  void SetAttribRowVisible(bool Value);
  bool AttribColVisible() const { return FRowOffset == 1; }
  void SetAttribColVisible(bool Value);
  int NumWidth() const { return FNumWidth; }
  void SetNumWidth(int Value);
  void SetDefaultColWidth(int Value) override;
  // Index > 0 a table column, 0 the row names, < 0 the row attributes.
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  // Index > 0 a table row, 0 the column names, < 0 the column attributes.
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  int AutoRowHeight(int RowNr, int Addon);
  bool OptimizeRowHeight() const { return FOptimizeRowHeight; }
  void SetOptimizeRowHeight(bool Value);
  int LeftCol() const { return TCustomGrid::LeftCol() - FColOffset; }
  void SetLeftCol(int Value);
  int TopRow() const { return TCustomGrid::TopRow() - FRowOffset; }
  void SetTopRow(int Value);

  // ---- colours and looks
  TColor ColorBackground() const { return FColorBackground; }
  void SetColorBackground(TColor Value);
  TColor ColorFixed() const { return FColorFixed; }
  void SetColorFixed(TColor Value);
  TColor ColorNormal() const { return FColorNormal; }
  void SetColorNormal(TColor Value) { SetLayoutColor(FColorNormal, Value); }
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor Value) { SetLayoutColor(FColorSelected, Value); }
  TColor ColorMarkedA() const { return FColorMarkedA; }
  void SetColorMarkedA(TColor Value) { SetLayoutColor(FColorMarkedA, Value); }
  TColor ColorMarkedB() const { return FColorMarkedB; }
  void SetColorMarkedB(TColor Value) { SetLayoutColor(FColorMarkedB, Value); }
  TColor ColorMarkedBoth() const { return FColorMarkedBoth; }
  void SetColorMarkedBoth(TColor Value) { SetLayoutColor(FColorMarkedBoth, Value); }
  TColor ColorRangeSelFG() const { return FColorRangeSelFG; }
  void SetColorRangeSelFG(TColor Value) { SetLayoutColor(FColorRangeSelFG, Value); }
  TColor ColorRangeSelBG() const { return FColorRangeSelBG; }
  void SetColorRangeSelBG(TColor Value) { SetLayoutColor(FColorRangeSelBG, Value); }
  bool BoldMarks() const { return FBoldMarks; }
  void SetBoldMarks(bool Value);
  bool BoldSelHeads() const { return FBoldSelHeads; }
  void SetBoldSelHeads(bool Value);

  // ---- behaviour
  bool DataReadOnly() const { return FDataReadOnly; }
  void SetDataReadOnly(bool Value);
  bool CommentEditingAllowed() const { return FCommentEditingAllowed; }
  void SetCommentEditingAllowed(bool Value) { FCommentEditingAllowed = Value; }
  bool BlockInternalPopup() const { return FBlockInternalPopup; }
  void SetBlockInternalPopup(bool Value) { FBlockInternalPopup = Value; }
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool Value) { FAutoAdvance = Value; }
  TOrientation AutoAdvanceDir() const { return FAutoAdvanceDir; }
  void SetAutoAdvanceDir(TOrientation Value) { FAutoAdvanceDir = Value; }
  bool ClipboardUseFullPrec() const { return FClipboardUseFullPrec; }
  void SetClipboardUseFullPrec(bool Value) { FClipboardUseFullPrec = Value; }
  int NomEditDropDownCount() const { return FNomEditDropDownCount; }
  void SetNomEditDropDownCount(int Value);
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool Value);

  // ---- the comment
  QString Comment() const { return FData->Comment(); }
  void SetComment(const QString& Value);

  // ---- elements, states and headings (table coordinates from 1)
  double Elem(int ACol, int ARow) const { return FData->GetElem(ACol, ARow); }
  void SetElem(int ACol, int ARow, double Value) { FData->SetElem(ACol, ARow, Value); }
  std::uint8_t CellState(int ACol, int ARow) const { return FData->GetCellState(ACol, ARow); }
  void SetCellState(int ACol, int ARow, std::uint8_t Value);
  bool ElemMarkedA(int ACol, int ARow) const { return CellState(ACol, ARow) & csMarkA; }
  void SetElemMarkedA(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, csMarkA, Value); }
  bool ElemMarkedB(int ACol, int ARow) const { return CellState(ACol, ARow) & csMarkB; }
  void SetElemMarkedB(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, csMarkB, Value); }
  bool IsEmpty(int ACol, int ARow) const { return CellState(ACol, ARow) & csEmpty; }
  void SetIsEmpty(int ACol, int ARow, bool Value) { SetStateBit(ACol, ARow, csEmpty, Value); }
  bool IsNumber(int ACol, int ARow) const { return FData->GetIsNumber(ACol, ARow); }
  QString ColName(int ColNr) const { return FData->GetColName(ColNr); }
  void SetColName(int ColNr, const QString& Value);
  QString RowName(int RowNr) const { return FData->GetRowName(RowNr); }
  void SetRowName(int RowNr, const QString& Value);
  std::uint8_t ColAttrib(int ColNr) const { return FData->GetColAttrib(ColNr); }
  void SetColAttrib(int ColNr, std::uint8_t Value);
  std::uint8_t RowAttrib(int RowNr) const { return FData->GetRowAttrib(RowNr); }
  void SetRowAttrib(int RowNr, std::uint8_t Value);
  // Decimal places: -1 (scientific, reads as 255) .. 10; 0 outside the table.
  std::uint8_t Precision(int ColNr) const;
  void SetPrecision(int ColNr, int Value);
  // The text an element cell shows.
  QString CellText(int ACol, int ARow) const;

  // ---- whole-table operations
  void Fill(double Value);
  int FillMarkedCells(double Value, std::uint8_t Statemask);
  void Clear();
  void InsertRow(int ix);
  void InsertColumn(int ix);
  void RemoveRow(int ix);
  void RemoveColumn(int ix);
  void MirrorColumns();
  void MirrorRows();
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  void SortRowNames(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  int FindColIndex(const QString& ColID) const { return FData->FindColIndex(ColID); }
  int FindRowIndex(const QString& RowID) const { return FData->FindRowIndex(RowID); }
  // Shows NewDTab (not owned) instead of the current table; a table that is
  // destroyed while shown is replaced by an empty owned one of its size.
  void AssignAnotherDataMatrix(TDataTable* NewDTab);
  void CopyContentsFrom(const TDataTable& ExtTab);
  void CopyCellStatesFrom(const TDataTable& ExtTab);

  // ---- marks
  void MarkAllElemsA();
  void MarkAllElemsB();
  void UnMarkAllElems();
  void InvertCellStates(std::uint8_t StateMask);
  void ExchangeMarkings();
  int NrOfMarkedDataA() const { return CountStates(csMarkA); }
  int NrOfMarkedDataB() const { return CountStates(csMarkB); }
  bool IfRowMarked(int Row) const;
  bool IfColumnMarked(int Col) const;
  bool IfAnyMarked() const;

  // ---- menus and clipboard
  TPopupMenu* PopupDT() const { return FPopupDT; }
  TPopupMenu* PopupHT() const { return FPopupHT; }
  int PopupDMask() const { return FPopupDMask; }
  void SetPopupDMask(int Value);
  int PopupHMask() const { return FPopupHMask; }
  void SetPopupHMask(int Value);
  QString PopupDCaptions(int ix) const;
  void SetPopupDCaptions(int ix, const QString& Value);
  QString PopupHCaptions(int ix) const;
  void SetPopupHCaptions(int ix, const QString& Value);
  QString PopupMCaptions(int ix) const;
  void SetPopupMCaptions(int ix, const QString& Value);
  QString PopupUCaptions(int ix) const;
  void SetPopupUCaptions(int ix, const QString& Value);
  bool GetClipMatrixSize(int& NCols, int& NRows) const;
  // The selection commands of the data menu, usable from code.
  void CopySelection();
  void PasteBlock();
  bool CanPaste() const { return FCopyAvailable; }
  void ClearSelection();
  void ExtractFromClipboard();
  void SelectAllElements();
  void ToggleEmptySelection();
  // The selection in table coordinates.
  TGridRect TableSelection() const;

  // ---- change notifications (fire the event when allowed)
  void ChangedData();
  void ChangedHeading();
  void ChangedAttrib();
  void ChangedLayout();
  void ChangedCellStates();
  void ChangedSelection();
  void ChangedSetup();

  TNotifyEvent OnChange, OnHeadingChanged, OnAttributeChanged, OnLayoutChanged,
      OnCellStateChanged, OnSelectionChanged, OnChangeSetup, OnTopLeftChanged, OnPaste;
  TOnPercentDoneEvent OnPercentDone;
  TBeforeRenderCellEvent OnBeforeRenderCell;
  TBeforePopupEvent OnBeforePopup;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;

  // Screen readers: a table of the elements headed by the column and row names
  // (the attributes are not headers).
  TAccessibleLayout AccessibleLayout() const override;
  QString AccessibleCellText(int ACol, int ARow) const override;

 Q_SIGNALS:
  // Each follows its event (changed OnChange, setupChanged OnChangeSetup,
  // pasted OnPaste, cellEdited OnSetEditText with grid coordinates, ...); the
  // change signals, like their events, stay silent while painting or
  // notification is suppressed. OnGetEditText,
  // OnBeforeRenderCell and OnBeforePopup edit a text, a cell or a menu before
  // it is used: they stay events only.
  void changed();
  void headingChanged();
  void attributeChanged();
  void layoutChanged();
  void cellStateChanged();
  void selectionChanged();
  void setupChanged();
  void topLeftChanged();
  void pasted();
  void cellEdited(int ACol, int ARow, const QString& Value);
  void percentDone(int Percent);

 protected:
  void Paint() override;
  // The names (and attributes) of the current row and column and the corner
  // follow the selection too.
  std::vector<TRect> SelectionAreas(const TGridRect& Sel) const override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  host::TEditStyle GetEditStyle(int ACol, int ARow) override;
  QStringList GetPickListItems(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void EditCanceled() override;
  bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void FontChanged() override;
  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

 private:
  class THeadingEdit;
  class TCommentEdit;
  // Suppression of painting and change events while the editor changes many
  // things; nests.
  class TBulk {
   public:
    explicit TBulk(TNTabEd* Editor, bool DataNotify = true);
    ~TBulk();
    TBulk(const TBulk&) = delete;
    TBulk& operator=(const TBulk&) = delete;

   private:
    TNTabEd* FEditor;
    bool FOldNotify;
  };

  bool Suppressed() const { return FSuppressPaint || FInternalSuppress > 0; }
  void Fire(const TNotifyEvent& Event, void (TNTabEd::*Signal)());
  void SetLayoutColor(TColor& Field, TColor Value);
  void SetStateBit(int ACol, int ARow, std::uint8_t Bit, bool On);
  int CountStates(std::uint8_t Bit) const;
  void ResizeTable(int NrCols, int NrRows, const char* Context);
  void ConnectTable(TDataTable* Table);
  void DisconnectTable(TDataTable* Table);
  void TableDataChanged();
  void TableSetupChanged();
  void TableResized(int OldCols, int OldRows, int NewCols, int NewRows);
  void TableSortExchange(int Kind, int Index1, int Index2);
  void TableDestroyed();
  void AdoptTableSize();
  void ApplyEditingOption();
  void SetEditingOption(bool On);
  void TrackSelection();
  bool IsElementCell(int ACol, int ARow) const { return ACol > FColOffset && ARow > FRowOffset; }
  // Runs Fn in a guard that hands exceptions to the application (Qt event handlers).
  template <typename F>
  void Guarded(F&& Fn) {
    try {
      Fn();
    } catch (...) {
      host::Application()->HandleException(this, std::current_exception());
    }
  }

  // painting (qor_ntabed_paint.cpp)
  void DrawElementCell(int ACol, int ARow, TRect R);
  void DrawFixedCell(int ACol, int ARow, TRect R);
  void DrawCorner(const TRect& R);
  void RedrawCorner();
  void ApplyOptimizedRowHeight();

  // editing (qor_ntabed_edit.cpp)
  void CreateEditors();
  void OpenHeadingEditor();
  void CloseHeadingEditor(bool Accept);
  void OpenCommentEditor();
  void CloseCommentEditor(bool Accept);
  void AdvanceAfterEnter();

  // menus (qor_ntabed_menu.cpp)
  void BuildMenus();
  TMenuItem* AddMenuItem(TMenuItem* Parent, const QString& Name, const QString& Caption,
                         std::function<void()> Command);
  void ApplyMasks();
  void OpenDataMenu(int X, int Y);
  void OpenHeadingMenu();
  void InvertClickedOutline();
  void MarkBlock(int Scope, std::uint8_t Bit, bool On);
  void ToggleReadOnly();
  void SelectClickedLine();
  void InsertClickedLine();
  void DeleteClickedLine();
  void ChangeClickedPrecision();
  void SetSelectionBlock(int Left, int Top, int Width, int Height);

  TDataTable* FData = nullptr;
  bool FOwnsData = true;
  TDataTable* FCopyBuffer = nullptr;
  bool FCopyAvailable = false;
  std::vector<std::int8_t> FDecPlaces;
  int FColOffset = 1, FRowOffset = 0;
  int FClassColWidth = 32;
  int FNumWidth = 1;
  bool FDataReadOnly = false;
  bool FCommentEditingAllowed = true;
  bool FBlockInternalPopup = false;
  bool FAutoAdvance = true;
  TOrientation FAutoAdvanceDir = orVertical;
  bool FClipboardUseFullPrec = true;
  bool FOptimizeRowHeight = false;
  bool FBoldMarks = true, FBoldSelHeads = true;
  TColor FColorBackground = clWindow, FColorFixed = clBtnFace, FColorNormal = 0x002000,
         FColorSelected = 0x404040, FColorMarkedA = 0x0000FF, FColorMarkedB = 0xFF0000,
         FColorMarkedBoth = 0xCC00BB, FColorRangeSelFG = 0x80552C, FColorRangeSelBG = 0xF8E8E0;
  int FNomEditDropDownCount = 8;
  bool FSuppressPaint = false;
  int FInternalSuppress = 0;
  bool FDataNotify = true;       // the table's data-changed notification is heard
  bool FSortHeaders = false;     // the running sort moves headers with their lines
  int FPendingInsert = 0;        // a column being inserted before this index
  int FPendingRemove = 0;        // a column being removed
  bool FEditSuspended = false;   // Esc took the editing option away
  QString FOfferedText;          // what the in-place editor was opened with
  TGridRect FLastSel{-1, -1, -1, -1};
  TGridCoord FClicked{-1, -1};
  QPoint FPrevClick{-1, -1};
  host::TCustomEdit* FHeadingEdit = nullptr;
  bool FHeadingActive = false;
  host::TCustomMemo* FCommentEdit = nullptr;
  bool FCommentActive = false;
  TPopupMenu* FPopupDT = nullptr;
  TPopupMenu* FPopupHT = nullptr;
  int FPopupDMask = 0x7FFFFFFF, FPopupHMask = 0x7FFFFFFF;
  std::vector<TMenuItem*> FDItems, FHItems;                  // items 1..12, 1..5
  std::vector<std::vector<TMenuItem*>> FSubItems;            // [menu 0..3][item 0..3]
};

}  // namespace qor
