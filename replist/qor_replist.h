// TReportListView: a grid that shows a report list held in its own TRLData.
//
// Layout (grid rows from the top):
//   common header     grid row 0 while CommonHeaderVisible, one band over all columns
//   column headers    next grid row while ColumnHeadersVisible, with the sort indicator
//   data rows         data row r is grid row r + HeadRows - 1; data column c is grid column c - 1
// An empty list keeps one blank grid row and shows EmptyMessage ("|" starts a new line).
//
// Cell colours, in order of precedence (the control enabled):
//   disabled row                      ColorDisabledBkgd / ColorDisabledText, nothing else
//   column and row selected           ColorSelectedBoth / ColorSelectedBothText
//   column selected                   ColorSelectedCol / ColorSelectedColText
//   row selected                      ColorSelectedRow / ColorSelectedRowText
//   HighLightRow, else HighLightColumn  ColorHigh / ColorHighText (bold with HighLightBold)
//   otherwise                         ColorBkgdShaded on every other block of RowColPattern
//                                     rows (the first block shaded), else ColorBkgdNormal,
//                                     text ColorText
// Fixed first column cells are silver (0xC0C0C0) with a raised edge; header rows use
// ColorCommonHd / ColorColumnHd with their text colours. A disabled control draws its
// texts and check marks in clInactiveCaption; check-box outlines use clBtnShadow.
//
// Mouse and keys:
//   header click (more than 4 px from a border)   sort by that column, direction from the
//                                                 shared toggle; the selected record stays selected
//   double click on a header border               auto-size the column left of it
//   click in the first 18 px of a check cell      toggle (radio: check) unless the row is disabled
//   click on a row, RowSelectMode 1               select that row only
//   click, RowSelectMode 2                        anchor := row; Ctrl (or UseCtrlForMultiSel off)
//                                                 toggles it, else selects it alone
//   Shift+click, RowSelectMode 2                  rows anchor..row take the anchor row's state
//   release right of the columns / below the rows (mode 2)  deselect all
//   navigation keys                               select the new current row (every mode)
//   Enter with AutoAdvance                        next row
//
// Bulk operations switch SuppressPaint on and repaint once at the end.
//
// An open in-place editor hands its text to the record it was opened on and
// closes before anything re-orders, replaces or removes rows (sorting,
// filtering, reading a document, row and column counts, row operations).
#pragma once

#include <QList>
#include <QPoint>
#include <optional>

#include "foundation/qor_dstruct.h"
#include "foundation/qor_qorbase.h"
#include "host/qor_forms.h"
#include "host/qor_grid.h"
#include "replist/qor_rldata.h"

namespace qor {

class QORKIT_EXPORT EQORRepListError : public EQORError {
 public:
  using EQORError::EQORError;
};

using TCheckStateChangeEvent =
    std::function<void(TObject* Sender, bool& State, int Col, int Row)>;
using TBeforeFilterEvent = std::function<void(TObject* Sender, int Row, bool& Found,
                                              TLogicOp& CombineWithInternalSearch)>;
using TRequestEditFormatEvent =
    std::function<void(TObject* Sender, int Col, int Row, QString& Format)>;
using TRenderCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& PenColor, TColor& BrushColor,
                       TColor& FontColor, TFontStyles& FontStyles, QString& Text)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;

class QORKIT_EXPORT TReportListView : public TCustomDrawGrid {
  Q_OBJECT
  Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
  Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
  Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)
  Q_PROPERTY(int LeftCol READ LeftCol WRITE SetLeftCol)
  Q_PROPERTY(int TopRow READ TopRow WRITE SetTopRow)
  Q_PROPERTY(bool AutoAdvance READ AutoAdvance WRITE SetAutoAdvance)
  Q_PROPERTY(QString EmptyMessage READ EmptyMessage WRITE SetEmptyMessage)
  Q_PROPERTY(bool CommonHeaderVisible READ CommonHeaderVisible WRITE SetCommonHeaderVisible)
  Q_PROPERTY(int CommonHeaderHeight READ CommonHeaderHeight WRITE SetCommonHeaderHeight)
  Q_PROPERTY(bool ColumnHeadersVisible READ ColumnHeadersVisible WRITE SetColumnHeadersVisible)
  Q_PROPERTY(int ColumnHeadersHeight READ ColumnHeadersHeight WRITE SetColumnHeadersHeight)
  Q_PROPERTY(qor::TColor ColorCommonHd READ ColorCommonHd WRITE SetColorCommonHd)
  Q_PROPERTY(qor::TColor ColorCommonHdText READ ColorCommonHdText WRITE SetColorCommonHdText)
  Q_PROPERTY(qor::TColor ColorColumnHd READ ColorColumnHd WRITE SetColorColumnHd)
  Q_PROPERTY(qor::TColor ColorColumnHdText READ ColorColumnHdText WRITE SetColorColumnHdText)
  Q_PROPERTY(qor::TColor ColorEmptyMsg READ ColorEmptyMsg WRITE SetColorEmptyMsg)
  Q_PROPERTY(qor::TColor ColorDisabledText READ ColorDisabledText WRITE SetColorDisabledText)
  Q_PROPERTY(qor::TColor ColorDisabledBkgd READ ColorDisabledBkgd WRITE SetColorDisabledBkgd)
  Q_PROPERTY(int RowSelectMode READ RowSelectMode WRITE SetRowSelectMode)
  Q_PROPERTY(bool UseCtrlForMultiSel READ UseCtrlForMultiSel WRITE SetUseCtrlForMultiSel)
  Q_PROPERTY(bool SortEnabled READ SortEnabled WRITE SetSortEnabled)
  Q_PROPERTY(qor::TColor ColorSelectedRow READ ColorSelectedRow WRITE SetColorSelectedRow)
  Q_PROPERTY(qor::TColor ColorSelectedRowText READ ColorSelectedRowText
              WRITE SetColorSelectedRowText)
  Q_PROPERTY(qor::TColor ColorSelectedCol READ ColorSelectedCol WRITE SetColorSelectedCol)
  Q_PROPERTY(qor::TColor ColorSelectedColText READ ColorSelectedColText
              WRITE SetColorSelectedColText)
  Q_PROPERTY(qor::TColor ColorSelectedBoth READ ColorSelectedBoth WRITE SetColorSelectedBoth)
  Q_PROPERTY(qor::TColor ColorSelectedBothText READ ColorSelectedBothText
              WRITE SetColorSelectedBothText)
  Q_PROPERTY(bool ShowEmptyCheckBoxes READ ShowEmptyCheckBoxes WRITE SetShowEmptyCheckBoxes)
  Q_PROPERTY(qor::TColor ColorHigh READ ColorHigh WRITE SetColorHigh)
  Q_PROPERTY(qor::TColor ColorHighText READ ColorHighText WRITE SetColorHighText)
  Q_PROPERTY(bool HighLightBold READ HighLightBold WRITE SetHighLightBold)
  Q_PROPERTY(int HighLightRow READ HighLightRow WRITE SetHighLightRow)
  Q_PROPERTY(int HighLightColumn READ HighLightColumn WRITE SetHighLightColumn)
  Q_PROPERTY(qor::TColor ColorText READ ColorText WRITE SetColorText)
  Q_PROPERTY(qor::TColor ColorBkgdNormal READ ColorBkgdNormal WRITE SetColorBkgdNormal)
  Q_PROPERTY(qor::TColor ColorBkgdShaded READ ColorBkgdShaded WRITE SetColorBkgdShaded)
  Q_PROPERTY(int RowColPattern READ RowColPattern WRITE SetRowColPattern)
  Q_PROPERTY(qor::TColor InterRowIndicatorColor READ InterRowIndicatorColor
              WRITE SetInterRowIndicatorColor)
  Q_PROPERTY(int InterRowIndicatorWidth READ InterRowIndicatorWidth WRITE SetInterRowIndicatorWidth)
  Q_PROPERTY(bool FixedFirstColumn READ FixedFirstColumn WRITE SetFixedFirstColumn)

 public:
  enum TFilterMode : std::uint8_t { fmSimple, fmBoolean, fmGrep };
  Q_ENUM(TFilterMode)

  explicit TReportListView(QWidget* AOwner = nullptr);
  ~TReportListView() override;

  // From another TReportListView: behaviour, colours, events, header settings,
  // the whole content and every column's alignment, password and editable flag.
  void Assign(const TReportListView& Source);
  void AssignTo(TReportListView& Dest) const { Dest.Assign(*this); }

  TRLData& Data() { return *FRLData; }
  const TRLData& Data() const { return *FRLData; }

  // ---- Size and grid mapping
  int NrOfColumns() const { return FRLData->NrOfColumns(); }
  void SetNrCols(int N);
  void SetNrOfColumns(int N) { SetNrCols(N); }
  int NrOfRows() const { return FRLData->NrOfRows(); }
  void SetNrRows(int N);
  void SetNrOfRows(int N) { SetNrRows(N); }
  int CountHeadRows() const { return int(FComHdVis) + int(FColHdVis); }
  // Data-based scrolling position (first data column / row shown).
  int LeftCol() const { return TCustomGrid::LeftCol() + 1; }
  void SetLeftCol(int Value);
  int TopRow() const { return TCustomGrid::TopRow() - CountHeadRows() + 1; }
  void SetTopRow(int Value);
  void SetDefaultColWidth(int Value) override;
  void SetDefaultRowHeight(int Value) override;
  void SetHeaderHeights();
  // Data column under (X, Y) (0 outside) and data row (0 outside the rows,
  // -1 column-header row, -2 common-header row).
  TGridCoord MouseCell(int X, int Y) const;

  // ---- Content (pass-through to the TRLData)
  QString CommonHeader() const { return FRLData->CommonHeader(); }
  void SetCommonHeader(const QString& Text);
  QString Comment() const { return FRLData->Comment(); }
  void SetComment(const QString& Text) { FRLData->SetComment(Text); }
  QString DataID() const { return FRLData->DataID(); }
  void SetDataID(const QString& Id) { FRLData->SetDataID(Id); }
  QString GetElem(int ACol, int ARow) const { return FRLData->GetElem(ACol, ARow); }
  // Redraws just that cell.
  void SetElem(int ACol, int ARow, const QString& Value);
  QString Elem(int ACol, int ARow) const { return GetElem(ACol, ARow); }
  bool GetElemChecked(int ACol, int ARow) const { return FRLData->GetElemChecked(ACol, ARow); }
  void SetElemChecked(int ACol, int ARow, bool Value) { FRLData->SetElemChecked(ACol, ARow, Value); }
  bool ElemChecked(int ACol, int ARow) const { return GetElemChecked(ACol, ARow); }
  double GetAsNumber(int ACol, int ARow) const { return FRLData->GetAsNumber(ACol, ARow); }
  double AsNumber(int ACol, int ARow) const { return GetAsNumber(ACol, ARow); }
  QString GetCellDefaultValue(int ACol, int ARow) const { return FRLData->GetCellDefaultValue(ACol, ARow); }
  QString DefaultValue(int ACol, int ARow) const { return GetCellDefaultValue(ACol, ARow); }
  int ColumnIndex(const QString& Head, bool PartialMatch) const { return FRLData->ColumnIndex(Head, PartialMatch); }

  // ---- Columns (ColNr 1..NrOfColumns)
  TNameStrType Header(int ColNr) const { return FRLData->GetColName(ColNr); }
  void SetHeader(int ColNr, const TNameStrType& Text);
  TColFmtString ColumnFormat(int ColNr) const { return FRLData->GetColumnFormat(ColNr); }
  void SetColumnFormat(int ColNr, const TColFmtString& Format);
  TCheckMode ColumnCheckMode(int ColNr) const { return FRLData->GetColCheckMode(ColNr); }
  void SetColumnCheckMode(int ColNr, TCheckMode Mode);
  bool IsCheckedColumn(int ColNr) const { return FRLData->GetCheckedCol(ColNr); }
  void SetIsCheckedColumn(int ColNr, bool Value);
  TAlignment ColumnAlignment(int ColNr) const;
  void SetColumnAlignment(int ColNr, TAlignment Value);
  bool ColumnEditable(int ColNr) const;
  void SetColumnEditable(int ColNr, bool Value);
  bool ColumnIsPwd(int ColNr) const;
  void SetColumnIsPwd(int ColNr, bool Value);
  // Width of data column Index (0 for Index <= 0).
  int ColWidths(int Index) const { return Index <= 0 ? 0 : TCustomGrid::ColWidths(Index - 1); }
  void SetColWidths(int Index, int Value);

  // ---- Column widths
  int DetermineMaxColWidth(int ColNr, bool IncludeHeader);
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon);
  void AutoColWidth(int ColNr, bool IncludeHeader, int Addon, int MaxWidth);
  void ExpandColWidth(int ColIx, int RightMargin);
  void FitAllColWidths(int ExpandColumn, bool IncludeHeader, int Addon, int MaxWidth,
                       int RightMargin);

  // ---- Check marks
  void SetAllCheckmarksOfCol(int Column, bool Checked);
  void InvertAllCheckmarksOfCol(int Column);
  int CountCheckedElemsInCol(int Column) const { return FRLData->CountCheckedElemsInCol(Column); }
  int CountCheckedElemsInRow(int Row) const { return FRLData->CountCheckedElemsInRow(Row); }
  int FirstCheckedElemInCol(int ColNr) const { return FRLData->FirstCheckedElemInCol(ColNr); }
  int FirstCheckedElemInRow(int RowNr) const { return FRLData->FirstCheckedElemInRow(RowNr); }
  bool CheckMarksReadOnly() const { return FROCheckMarks; }
  void SetCheckMarksReadOnly(bool Value);
  bool ShowEmptyCheckBoxes() const { return FShowEmptyCBx; }
  void SetShowEmptyCheckBoxes(bool Value);

  // ---- Selection and enabling
  bool RowSelected(int Row) const;
  void SetRowSelected(int Row, bool Value);
  bool RowEnabled(int Row) const;
  void SetRowEnabled(int Row, bool Value);
  bool ColumnSelected(int Col) const;
  void SetColumnSelected(int Col, bool Value);
  int FirstSelectedRow() const;
  int FirstSelectedColumn() const;
  int NumSelectedRows() const;
  int NumSelectedColumns() const;
  int NumEnabledRows() const;
  void SelectAllRows();
  void DeselectAllRows();
  void SelectAllColumns();
  void DeselectAllColumns();
  void EnableAllRows();
  void DisableAllRows();
  void CenterScrollAndSelect(int Row);
  int RowSelectMode() const { return FRowSelectMode; }
  void SetRowSelectMode(int Value);
  bool UseCtrlForMultiSel() const { return FCtrlForMultiSel; }
  void SetUseCtrlForMultiSel(bool Value) { FCtrlForMultiSel = Value; }

  // ---- Sorting
  void Sort(int Col, int ColSec, bool Ascending);
  void UnSort();
  int SecondarySortColumn() const { return FRLData->SortColumnSec(); }
  void SetSecondarySortColumn(int Value);
  int LastSortColumn() const { return FRLData->LastSortColumn(); }
  bool LastSortOrder() const { return FRLData->LastSortOrder(); }
  bool SortEnabled() const { return FSortEnabled; }
  void SetSortEnabled(bool Value) { FSortEnabled = Value; }

  // Marks the rows that match and sorts. A row matches when FilterExp matches
  // the text (without check flag) of at least one of FilterColumns (all
  // columns when empty; numbers outside 1..NrOfColumns are skipped):
  //   fmSimple   FilterExp occurs in the text
  //   fmBoolean  words joined by "and" / "&", "or" / "|", "not" / "!" and
  //              parentheses ("not" binds tightest, then "and", then "or");
  //              a word (or a "quoted phrase") is true when it occurs in any
  //              of the row's filter columns
  //   fmGrep     the regular expression FilterExp matches somewhere in the text
  // IgnoreCase compares without regard to letter case in every mode.
  // OnBeforeFilter, when assigned, is asked first for every row with Found =
  // false and CombineWithInternalSearch = loOR; the row then matches when
  // CombineLogic(CombineWithInternalSearch, Found, internal match) is true
  // (loIgnore: Found alone, and the internal search is skipped).
  // Matching rows are selected and all others deselected (one repaint,
  // OnSelectedChange); then the list is sorted by SortColumn (when it lies in
  // 1..NrOfColumns) in the given direction, the marks moving with their rows.
  // Returns the number of matching rows, or -1 when FilterExp is not a valid
  // expression or pattern (nothing is changed then).
  int FilterAndSort(const QString& FilterExp, const QList<int>& FilterColumns, bool IgnoreCase,
                    TFilterMode FilterMode, int SortColumn, bool Ascending);

  // ---- Rows
  int InsertRow(int R);
  int AddRow();
  void RemoveRow(int R);
  void RemoveEmptyRows();
  void Fill(const QString& S);
  void Clear();

  // ---- Clipboard, files and export (the TRLData's; the grid follows the new content)
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       bool UseTabs) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, UseTabs);
  }
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       QChar Separator) {
    FRLData->CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator);
  }
  bool LoadFromXMLFile(const QString& FName, const QString& DataID);
  bool ReadFromXMLString(const QString& InString, const QString& DataID);
  bool ReadFromXMLStream(QIODevice* InStream, const QString& DataID);
  bool ReadFromOpenXMLFile(QTextStream& TF, const QString& DataID);
  void SaveAsXMLFile(const QString& FName, const QString& DataID) { FRLData->SaveAsXMLFile(FName, DataID); }
  void WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID) {
    FRLData->WriteToXMLStream(OutStream, CreateHeader, DataID);
  }
  void WriteToOpenXMLFile(QTextStream& TF, bool CreateHeader, const QString& DataID) {
    FRLData->WriteToOpenXMLFile(TF, CreateHeader, DataID);
  }
  int LoadLinesFromFile(int Column, int FirstRow, const QString& FName);
  int LoadRows(int FirstRow, const QList<QStringList>& Rows);
  bool ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                       const QList<int>& ColumnSelection, int Border, int CellSpacing,
                       int CellPadding, bool IncludeHeader, const QString& HeadClass,
                       const QString& CellClass, const QString& TableClass) {
    return FRLData->ExportHTMLTable(FName, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing,
                                    CellPadding, IncludeHeader, HeadClass, CellClass, TableClass);
  }

  // ---- Headers
  bool CommonHeaderVisible() const { return FComHdVis; }
  void SetCommonHeaderVisible(bool Value);
  int CommonHeaderHeight() const { return FComHdHgt; }
  void SetCommonHeaderHeight(int Value);  // 8..127
  TAlignment CommonHeaderAlignment() const { return FHeaderAlignment; }
  void SetCommonHeaderAlignment(TAlignment Value);
  bool ColumnHeadersVisible() const { return FColHdVis; }
  void SetColumnHeadersVisible(bool Value);
  int ColumnHeadersHeight() const { return FColHdHgt; }
  void SetColumnHeadersHeight(int Value);  // 8..127
  bool FixedFirstColumn() const { return FFixedColOne; }
  void SetFixedFirstColumn(bool Value);
  QString EmptyMessage() const { return FEmptyMsg; }
  void SetEmptyMessage(const QString& Text);

  // ---- Colours and patterns (setters repaint and call OnChangeSetup)
  TColor ColorCommonHd() const { return FComHdColor; }
  void SetColorCommonHd(TColor Value) { SetSetupColor(FComHdColor, Value); }
  TColor ColorCommonHdText() const { return FComHdTxtColor; }
  void SetColorCommonHdText(TColor Value) { SetSetupColor(FComHdTxtColor, Value); }
  TColor ColorColumnHd() const { return FColHdColor; }
  void SetColorColumnHd(TColor Value);
  TColor ColorColumnHdText() const { return FColHdTxtColor; }
  void SetColorColumnHdText(TColor Value) { SetSetupColor(FColHdTxtColor, Value); }
  TColor ColorEmptyMsg() const { return FColorEmptyMsg; }
  void SetColorEmptyMsg(TColor Value);
  TColor ColorDisabledText() const { return FDisabledTextColor; }
  void SetColorDisabledText(TColor Value) { SetSetupColor(FDisabledTextColor, Value); }
  TColor ColorDisabledBkgd() const { return FDisabledBkgdColor; }
  void SetColorDisabledBkgd(TColor Value) { SetSetupColor(FDisabledBkgdColor, Value); }
  TColor ColorSelectedRow() const { return FSelRowColor; }
  void SetColorSelectedRow(TColor Value) { SetSetupColor(FSelRowColor, Value); }
  TColor ColorSelectedRowText() const { return FSelRowTextColor; }
  void SetColorSelectedRowText(TColor Value) { SetSetupColor(FSelRowTextColor, Value); }
  TColor ColorSelectedCol() const { return FSelColColor; }
  void SetColorSelectedCol(TColor Value) { SetSetupColor(FSelColColor, Value); }
  TColor ColorSelectedColText() const { return FSelColTextColor; }
  void SetColorSelectedColText(TColor Value) { SetSetupColor(FSelColTextColor, Value); }
  TColor ColorSelectedBoth() const { return FSelBothColor; }
  void SetColorSelectedBoth(TColor Value) { SetSetupColor(FSelBothColor, Value); }
  TColor ColorSelectedBothText() const { return FSelBothTextColor; }
  void SetColorSelectedBothText(TColor Value) { SetSetupColor(FSelBothTextColor, Value); }
  TColor ColorHigh() const { return FHiLgtColor; }
  void SetColorHigh(TColor Value) { SetSetupColor(FHiLgtColor, Value); }
  TColor ColorHighText() const { return FHiLgtTextColor; }
  void SetColorHighText(TColor Value) { SetSetupColor(FHiLgtTextColor, Value); }
  TColor ColorText() const { return FColorNormal; }
  void SetColorText(TColor Value) { SetSetupColor(FColorNormal, Value); }
  TColor ColorBkgdNormal() const { return FRColorNormal; }
  void SetColorBkgdNormal(TColor Value) { SetSetupColor(FRColorNormal, Value); }
  TColor ColorBkgdShaded() const { return FRColorShaded; }
  void SetColorBkgdShaded(TColor Value) { SetSetupColor(FRColorShaded, Value); }
  TColor InterRowIndicatorColor() const { return FInterRowColor; }
  void SetInterRowIndicatorColor(TColor Value) { SetSetupColor(FInterRowColor, Value); }
  bool HighLightBold() const { return FHiLgtBold; }
  void SetHighLightBold(bool Value);
  int HighLightRow() const { return FHiLgtRow; }
  void SetHighLightRow(int Value) { SetSetupInt(FHiLgtRow, Value); }
  int HighLightColumn() const { return FHiLgtColumn; }
  void SetHighLightColumn(int Value) { SetSetupInt(FHiLgtColumn, Value); }
  int RowColPattern() const { return FRowColPattern; }
  void SetRowColPattern(int Value) { SetSetupInt(FRowColPattern, Value); }
  int InterRowIndicatorWidth() const { return FInterRowWidth; }
  void SetInterRowIndicatorWidth(int Value) { SetSetupInt(FInterRowWidth, Value); }
  int InterRowIndicatorPos() const { return FInterRowIndi; }
  void SetInterRowIndicatorPos(int Value);

  // ---- Behaviour
  bool AutoAdvance() const { return FAutoAdvance; }
  void SetAutoAdvance(bool Value) { FAutoAdvance = Value; }
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool Value);

  // ---- Notifications
  void Changed();
  void ChangedSetup();
  void ChangedSelection();

  TNotifyEvent OnChange, OnChangeSetup, OnSelectedChange;
  TCheckStateChangeEvent OnCheckedChange, OnBeforeCheckedChange;
  TBeforeFilterEvent OnBeforeFilter;
  TRequestEditFormatEvent OnRequestEditFormat;
  // In-place editing of a data cell: ACol is the data column, ARow the data
  // row. The grid's events of the same name are called as well, with grid
  // coordinates, before these.
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TOnPercentDoneEvent OnPercentDone;
  TRenderCellEvent OnBeforeRenderCell;
  TBeforeSortExchgEvent OnBeforeSortExchange;
  TBeforeHTMLExportEvent OnBeforeHTMLExport;

  // Screen readers: a table of the data rows under the column headers, named
  // by the common header; a cell is selected with its row or its column.
  QString AccessibleCaption() const override;
  TAccessibleLayout AccessibleLayout() const override;
  QString AccessibleCellText(int ACol, int ARow) const override;
  bool AccessibleCellSelected(int ACol, int ARow) const override;

 Q_SIGNALS:
  // Each follows its event: changed OnChange, setupChanged OnChangeSetup,
  // selectionChanged OnSelectedChange, checkedChanged OnCheckedChange (with
  // the State it was given), cellEdited OnSetEditText, percentDone
  // OnPercentDone; the grid's topLeftChanged follows OnTopLeftChanged.
  // OnBeforeCheckedChange, OnBeforeFilter, OnRequestEditFormat,
  // OnGetEditText, OnBeforeRenderCell, OnBeforeSortExchange and
  // OnBeforeHTMLExport ask for (or edit) a value before it is used: they stay
  // events only.
  void changed();
  void setupChanged();
  void selectionChanged();
  void checkedChanged(int Col, int Row, bool State);
  void cellEdited(int Col, int Row, const QString& Value);
  void percentDone(int Percent);

 protected:
  void PaintArea(const TRect& Area) override;
  std::vector<TRect> ScrollOverlays(bool Cols) const override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  bool SelectCell(int ACol, int ARow) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;

 private:
  // Switches SuppressPaint on for one scope and restores it. When it was off
  // the list is then repainted once: whole, or for a batch of Rows only the
  // rows whose own flags changed in it (unless something asked for the whole).
  class TPaintBatch {
   public:
    enum TScope { Everything, Rows };
    explicit TPaintBatch(TReportListView& View, TScope Scope = Everything);
    ~TPaintBatch();
    TPaintBatch(const TPaintBatch&) = delete;
    TPaintBatch& operator=(const TPaintBatch&) = delete;

   private:
    TReportListView& FView;
    bool FSaved;
  };

  void ConnectData();
  void StringsHasChanged();
  void RepListPercDone(int Percent);
  void Repaint();
  // The cells of one data row redrawn alone (what a row's own flags change).
  void RepaintRow(int Row);
  void SetSetupColor(TColor& Field, TColor Value);
  void SetSetupInt(int& Field, int Value);
  void UpdateGridRows();
  void ResizeColumnFlags(int N);
  void SetRowBit(int Row, std::uint8_t Bit, bool Value);
  // SetRowBit for the row selection a user's key or click makes: a row whose
  // mark changes is redrawn.
  void MarkRowSelected(int Row, bool Value);
  void SelectOnlyRow(int Row);
  void SetAllRowBits(std::uint8_t Bit, bool Value);
  void SetAllColumnBits(bool Value);
  // Where the insertion mark's line runs, while it is shown.
  bool InterRowIndicatorY(int& Y) const;
  int DataRowOfGridRow(int GridRow) const { return GridRow - CountHeadRows() + 1; }
  int GridRowOfDataRow(int DataRow) const { return DataRow + CountHeadRows() - 1; }
  bool IsRowDisabled(int Row) const;
  void HeaderClick(int Col);
  void ToggleCheckMark(int Col, int Row);
  void SelectByClick(int Row, TShiftState Shift);
  void AfterRead();
  void DrawDataCell(int ACol, int ARow, const TRect& ARect);
  void DrawHeaderCell(int ACol, int ARow, const TRect& ARect);
  void DrawRaisedEdge(int Left, int Top, int Right, int Bottom);
  int RightEdgeOfColumns() const;

  bool FAutoAdvance = false;
  int FLastMousePosX = 0, FLastMousePosY = 0;
  std::vector<TAlignment> FColAlignment;
  TAlignment FHeaderAlignment = taCenter;
  QString FEmptyMsg;
  std::vector<bool> FColumnEditable;
  std::vector<bool> FColumnIsPwd;
  bool FComHdVis = false;
  TColor FComHdColor = clBtnFace, FComHdTxtColor = clBlack;
  int FComHdHgt = 20;
  bool FColHdVis = true;
  TColor FColHdColor = clBtnFace, FColHdTxtColor = clBlack;
  int FColHdHgt = 20;
  TColor FColorEmptyMsg = clBlack;
  TColor FDisabledTextColor = 0xC0C0C0, FDisabledBkgdColor = 0xF0F0F0;
  int FSelectAnchor = 1;
  int FRowSelectMode = 1;
  bool FCtrlForMultiSel = true;
  bool FSortEnabled = true;
  TColor FSelRowColor = 0x94BAED, FSelRowTextColor = 0x800000;
  TColor FSelColColor = clBlack, FSelColTextColor = clBlack;
  TColor FSelBothColor = clBlack, FSelBothTextColor = clBlack;
  bool FShowEmptyCBx = true;
  bool FROCheckMarks = false;
  TColor FHiLgtColor = 0xCC9966, FHiLgtTextColor = 0xFFFFFF;
  bool FHiLgtBold = false;
  int FHiLgtRow = 0, FHiLgtColumn = 0;
  bool FSuppressPaint = true;
  // What an outermost paint batch repaints at its end.
  struct TBatchPaint {
    bool Active = false, Everything = false;
    std::vector<int> Rows;
  } FBatchPaint;
  // The one cell SetElem is changing, while it does (grid column and row).
  std::optional<QPoint> FChangingCell;
  TColor FColorNormal = 0x002000;
  TColor FRColorNormal = 0xFFFFFF, FRColorShaded = 0xF0EFE8;
  int FRowColPattern = 1;
  int FInterRowIndi = 0;
  TColor FInterRowColor = clRed;
  int FInterRowWidth = 3;
  bool FFixedColOne = false;
  std::unique_ptr<TRLData> FRLData;

  // ---- Row editor (replist/qor_rowedit.h describes the dialog)
 public:
  // Edits the cells of data row Row in a dialog of its own at screen position
  // (PosLeft, PosTop), titled "Editing Row <Row>" with the buttons "OK" and
  // "Cancel", or with the given captions. Returns the modal result (mrOK
  // when confirmed, the cells then written back). A row outside 1..NrOfRows
  // shows the defaults and changes nothing. A date/time cell that names no
  // valid date raises EQORRepListError.
  int EditRowEntries(int Row, int PosLeft, int PosTop);
  int EditRowEntries(int Row, int PosLeft, int PosTop, const QString& FormCaption,
                     const QString& ButOKCaption, const QString& ButCancelCaption);
  // Places the controls into ContainerForm at (PosLeft, PosTop), clears its
  // caption and shows it modally; its own controls close it. The controls
  // added are removed again before the call returns.
  int EditRowEntries(int Row, TForm* ContainerForm, int PosLeft, int PosTop);
  // The row editor's form while it is shown, else nullptr.
  TForm* ContainerForm() const { return FContainerForm; }

 private:
  int EditRowEntriesIntern(int Row, TForm* ContainerForm, int PosLeft, int PosTop,
                           const QString& FormCaption, const QString& ButOKCaption,
                           const QString& ButCancelCaption);
  void EdRowOKClick(TObject* Sender);
  void EdRowCancelClick(TObject* Sender);
  void EdRowKeyPress(TObject* Sender, QChar& Key);

  TForm* FContainerForm = nullptr;
};

}  // namespace qor
