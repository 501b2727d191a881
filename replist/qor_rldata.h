// The content of a report list: a table of short texts organised in columns
// and rows, one header, format string and check mode per column, a common
// header, a comment and a data identifier, with the report-list XML exchange,
// the line import and the HTML export.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/qor_dstruct.h"
#include "foundation/qor_qorbase.h"

class QIODevice;
class QTextStream;

namespace qor {

namespace rl {
class TFeedback;
class TSource;
class TXmlOut;
}  // namespace rl

// No check box, an independent check box per cell, or radio behaviour (at
// most one checked cell in the column).
enum TCheckMode : std::uint8_t { cmNone, cmBox, cmRadio };

// Column format string, at most 80 characters.
using TColFmtString = QString;
// Column header, at most 50 characters.
using TNameStrType = QString;

using TBeforeHTMLExportEvent =
    std::function<void(TObject* Sender, QString& Text, int Col, int Row)>;

class QORKIT_EXPORT EQORRLDataError : public EQORError {
 public:
  using EQORError::EQORError;
};

// Tags of the report-list XML document, and their texts (RepListXmlTagText).
enum TRepListXmlTag : std::uint8_t {
  xmlNumCols,
  xmlNumRows,
  xmlColName,
  xmlCheckedColumn,
  xmlCommonHd,
  xmlColumnFormat,
  xmlCell,
  xmlComment,
  xmlEndReplist,
  xmlInvalid
};
QORKIT_EXPORT extern const std::array<const char*, 10> RepListXmlTagText;
// The marker word of a report-list header line.
QORKIT_EXPORT extern const char* const RepListMarker;

// Whether the text file FName (from its start) or Stream (from its current
// position, left where the scan stopped) holds the header line of a report
// list with identifier DataID (any report list when DataID is empty).
// Identifiers compare case-insensitively, blanks around them ignored.
// Raises EQORError when the file cannot be opened.
QORKIT_EXPORT bool CheckIfValidReplist(const QString& FName, const QString& DataID);
QORKIT_EXPORT bool CheckIfValidReplist(QIODevice* Stream, const QString& DataID);

// Report-list content. Rows and columns count from 1; every row also has a
// column 0 that is stored, copied, cleared and removed with the row but never
// shown and never has a check mode.
//
// In a column with check mode cmBox or cmRadio the stored text of a non-empty
// cell begins with a flag character, "X" checked, " " unchecked; Elem hides it
// and ElemChecked reads and writes only the flag.
//
// Row attribute byte: bit 7 (RowSelectedBit) selected, bit 6 (RowDisabledBit)
// disabled. Column attribute byte: bit 7 (ColSelectedBit) selected.
class QORKIT_EXPORT TRLData : public QObject {
  Q_OBJECT
  Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
  Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
  Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)

 public:
  static constexpr std::uint8_t RowSelectedBit = 0x80;
  static constexpr std::uint8_t RowDisabledBit = 0x40;
  static constexpr std::uint8_t ColSelectedBit = 0x80;
  static constexpr int MaxHeaderLength = 50;
  static constexpr int MaxFormatLength = 80;

  explicit TRLData(QObject* AOwner = nullptr);
  ~TRLData() override;

  // From another TRLData: counts, sort state and toggle, comment, common
  // header, OnBeforeSortExchange, DataID, every cell, attribute and order
  // entry, headers, formats and check modes. Other sources raise EQORError.
  void Assign(const TRLData& Source);
  void AssignTo(TRLData& Dest) const { Dest.Assign(*this); }

  // ---- Size (published)
  int NrOfColumns() const { return FNrOfCols; }
  void SetNrCols(int N);
  void SetNrOfColumns(int N) { SetNrCols(N); }
  int NrOfRows() const { return FNrOfRows; }
  void SetNrRows(int N);
  void SetNrOfRows(int N) { SetNrRows(N); }

  QString CommonHeader() const { return FCommonHeader; }
  void SetCommonHeader(const QString& Text);
  QString Comment() const { return FComment; }
  void SetComment(const QString& Text) { FComment = Text; }
  QString DataID() const { return FDataID; }
  void SetDataID(const QString& Id) { FDataID = Id; }

  // ---- Cells. ACol 0..NrOfColumns, ARow 1..NrOfRows; outside: empty / ignored.
  QString GetElem(int ACol, int ARow) const;
  void SetElem(int ACol, int ARow, const QString& Value);
  QString Elem(int ACol, int ARow) const { return GetElem(ACol, ARow); }
  bool GetElemChecked(int ACol, int ARow) const;
  void SetElemChecked(int ACol, int ARow, bool Value);
  bool ElemChecked(int ACol, int ARow) const { return GetElemChecked(ACol, ARow); }
  double GetAsNumber(int ACol, int ARow) const;
  double AsNumber(int ACol, int ARow) const { return GetAsNumber(ACol, ARow); }
  // Default text of a cell from its column format (row index, password, ...).
  QString GetCellDefaultValue(int ACol, int ARow) const;
  QString DefaultValue(int ACol, int ARow) const { return GetCellDefaultValue(ACol, ARow); }

  // ---- Columns. ColNr 1..NrOfColumns; outside: empty / cmNone / false / ignored.
  TNameStrType GetColName(int ColNr) const;
  void SetColName(int ColNr, const TNameStrType& HLine);
  TNameStrType Header(int ColNr) const { return GetColName(ColNr); }
  void SetHeader(int ColNr, const TNameStrType& HLine) { SetColName(ColNr, HLine); }
  TColFmtString GetColumnFormat(int ColNr) const;
  void SetColumnFormat(int ColNr, const TColFmtString& DefValue);
  TColFmtString ColumnFormat(int ColNr) const { return GetColumnFormat(ColNr); }
  TCheckMode GetColCheckMode(int ColNr) const;
  void SetColCheckMode(int ColNr, TCheckMode Value);
  TCheckMode ColumnCheckMode(int ColNr) const { return GetColCheckMode(ColNr); }
  void SetColumnCheckMode(int ColNr, TCheckMode Value) { SetColCheckMode(ColNr, Value); }
  // True only for cmBox; setting true gives cmBox, false cmNone.
  bool GetCheckedCol(int ColNr) const;
  void SetCheckedCol(int ColNr, bool Value);
  bool IsCheckedColumn(int ColNr) const { return GetCheckedCol(ColNr); }
  void SetIsCheckedColumn(int ColNr, bool Value) { SetCheckedCol(ColNr, Value); }
  // The highest-numbered column whose header equals (or, with PartialMatch,
  // contains) Head, ignoring case; -1 if none.
  int ColumnIndex(const QString& Head, bool PartialMatch) const;

  // ---- Check marks
  void SetAllCheckmarksOfCol(int Column, bool Checked);  // cmBox columns only
  void InvertAllCheckmarksOfCol(int Column);             // cmBox columns only
  int CountCheckedElemsInCol(int Column) const;
  int CountCheckedElemsInRow(int Row) const;
  int FirstCheckedElemInCol(int ColNr) const;  // 0 if none
  int FirstCheckedElemInRow(int RowNr) const;  // 0 if none

  // ---- Rows and bulk operations
  void RemoveRow(int R);
  void RemoveEmptyRows();
  void CopyRow(int Source, int Target);
  void Fill(const QString& S);
  // All texts empty, headers "C-n", formats empty, check modes cmNone; counts stay.
  void Clear();

  // ---- Sorting
  void Sort(int Col, int ColSec, bool Ascending);
  void UnSort();
  int LastSortColumn() const { return FSortColumn; }
  bool LastSortOrder() const { return FSortOrder; }
  // Secondary column of the last sort, -1 = none.
  int SortColumnSec() const { return FSortColumnSec; }
  void SetSortColumnSec(int Col) { FSortColumnSec = Col; }
  // Forgets the last sort columns (both -1) without reordering.
  void ClearSortColumns();
  // Direction of the next header-click sort.
  bool SortToggle() const { return FSortToggle; }
  void SetSortToggle(bool Value) { FSortToggle = Value; }

  // ---- Clipboard: headers (then two line feeds) and rows (each ending in a
  // line feed) of LeftCol..RightCol x TopRow..BottomRow. UseTabs: tab
  // separated, else fixed-width columns padded with blanks.
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       bool UseTabs);
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       QChar Separator);
  void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                       char Separator) {
    CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, QChar::fromLatin1(Separator));
  }

  // ---- Report-list XML. The readers read the list whose identifier equals
  // DataID (the first one when DataID is empty) and replace the whole content
  // with it; they return false, leaving the content as it was, when no such
  // list is found or it cannot be read. Writers raise EQORError when the
  // output cannot be written.
  bool LoadFromXMLFile(const QString& FName, const QString& DataID);
  bool ReadFromXMLString(const QString& InString, const QString& DataID);
  bool ReadFromXMLStream(QIODevice* InStream, const QString& DataID);
  bool ReadFromOpenXMLFile(QTextStream& TF, const QString& DataID);
  void SaveAsXMLFile(const QString& FName, const QString& DataID);
  void WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID);
  void WriteToOpenXMLFile(QTextStream& TF, bool CreateHeader, const QString& DataID);
  // The document as a string (with document header).
  QString WriteToXMLString(const QString& DataID);

  // Puts the lines of the text file FName into column Column (0..NrOfColumns),
  // one per row from FirstRow on (FirstRow below 1 counts as 1), overwriting
  // what is there and adding rows as needed. Returns the number of lines
  // stored, -1 when the file cannot be opened or Column is out of range.
  int LoadLinesFromFile(int Column, int FirstRow, const QString& FName);
  // Puts Rows into the table from FirstRow on (below 1 counts as 1), text i of
  // a row into column i (1..NrOfColumns; further texts are dropped), overwriting
  // what is there and adding rows as needed, in one change. Returns the number
  // of rows stored (fewer when the table reaches its row limit).
  int LoadRows(int FirstRow, const QList<QStringList>& Rows);

  // Writes the cells of LoC..HiC x LoR..HiR as an HTML document with one
  // table to FName. A non-empty ColumnSelection lists the columns to export
  // (in its order; entries outside LoC..HiC are skipped). Texts are escaped
  // after OnBeforeHTMLExport has seen them (Row 0 for header cells).
  // Returns false when the file cannot be written.
  bool ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                       const QList<int>& ColumnSelection, int Border, int CellSpacing,
                       int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                       const QString& CellClass, const QString& TableClass);

  // ---- Storage (cell texts with flags, attribute bytes, sort order)
  TStringArray& Strings() { return *FStrings; }
  const TStringArray& Strings() const { return *FStrings; }

  // Handlers connected to the storage and the export.
  void BeforeSortExchange(TObject* Sender, const QString& S1, QString& S2);
  void BeforeHTMLExport(QString& Text, int Col, int Row);

  TBeforeSortExchgEvent OnBeforeSortExchange;
  TBeforeHTMLExportEvent OnBeforeHTMLExport;
  TOnPercentDoneEvent OnPercentDone;

 Q_SIGNALS:
  // Progress 0..100 of sorting, reading, writing and copying large lists,
  // with OnPercentDone. OnBeforeSortExchange and OnBeforeHTMLExport edit a
  // text before it is used: they stay events only.
  void percentDone(int Percent);

 private:
  friend class TRLDataReader;
  friend class rl::TFeedback;

  // Whether anybody listens to the progress (OnPercentDone or percentDone).
  bool ProgressWanted() const;
  void ReportProgress(int Percent);

  bool IsCheckCol(int ColNr) const;
  bool ValidCol(int ColNr) const { return ColNr >= 1 && ColNr <= FNrOfCols; }
  bool ValidRow(int Row) const { return Row >= 1 && Row <= FNrOfRows; }
  void SetColumnFlags(int Column, bool Checked);
  void UpdateFeedback();
  void ResizeColumnArrays(int N);
  void ResetColumnArrays();
  void TakeContent(TRLData& Source);
  void WriteXML(rl::TXmlOut& Out, bool CreateHeader, const QString& DataID);
  bool ReadXML(rl::TSource& Source, const QString& DataID);
  QString ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                        QChar Separator, bool FixedWidth);

  QString FComment;
  std::vector<TNameStrType> FColName;
  std::vector<TColFmtString> FColumnFormat;
  QString FCommonHeader;
  std::vector<TCheckMode> FColButMode;
  int FNrOfCols = 1;
  int FNrOfRows = 0;
  int FSortColumn = -1;
  int FSortColumnSec = -1;
  bool FSortOrder = true;
  QString FDataID;
  bool FSortToggle = true;
  int FFeedbkNumCells = 1;
  int FFeedbkStep = 1;
  std::unique_ptr<TStringArray> FStrings;
};

}  // namespace qor
