// TDataTable: a table of doubles addressed by column and row (both from 1,
// column first) with a name and an attribute byte per column and per row, a
// state byte per cell, a measurement-scale type per column, nominal
// identifiers for the nominal columns and a comment.
//
// Notifications, each called only when assigned:
//   OnDataChanged   element values changed (SetElem, Clear, FillMarkedCells,
//                   insert/remove, mirror, sort, CopyFrom)
//   OnSetupChanged  after a size change, a scale type or a nominal identifier
//   OnResize        the column or row count changed (before OnSetupChanged)
//   OnSortExchange  a sort or mirror exchanged two columns or two rows
//   OnPercentDone   progress of whole-table operations on large tables
// Names, attributes, cell states and the comment change silently: the caller
// that changes them knows and reports it in its own terms.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "foundation/qor_matrix.h"

namespace qor {

// A column or row name: at most MaxDTNameLength characters.
using TDTNameStr = QString;
inline constexpr int MaxDTNameLength = 50;
// Nominal identifiers: at most MaxNominalIDLength characters, ordinals 1..MaxNominalIDs.
inline constexpr int MaxNominalIDLength = 10;
inline constexpr int MaxNominalIDs = 50;

// Cell-state bits; the table keeps every other bit as it is.
inline constexpr std::uint8_t csInvalid = 0x01;
inline constexpr std::uint8_t csEmpty = 0x02;
inline constexpr std::uint8_t csMarkA = 0x40;
inline constexpr std::uint8_t csMarkB = 0x80;

// Measurement-scale type of a column; the nominal and binary scales carry
// nominal identifiers.
using TMScaleType = std::uint8_t;
inline constexpr TMScaleType mstUndefined = 0, mstNominal = 1, mstBinary = 2, mstOrdinal = 3,
                             mstInterval = 4, mstRatio = 5;
inline constexpr int NrMScaleTypes = 6;
inline constexpr std::array<const char*, NrMScaleTypes> MScaleTypeNames = {
    "undefined", "nominal", "binary", "ordinal", "interval", "ratio"};
inline bool HasNominalIDs(TMScaleType Type) { return Type == mstNominal || Type == mstBinary; }

// What a sort exchanged.
inline constexpr int seColumns = 1;
inline constexpr int seRows = 2;

// Header storage bounds of a table, on top of MaxMatrixElements cells.
inline constexpr int MaxDTColumns = 1 << 20;
inline constexpr int MaxDTRows = 1 << 22;

// Whole-table operations on at least this many cells report their progress.
inline constexpr long long PercentDoneMinCells = 1 << 16;

using TDTResizeEvent = std::function<void(TObject* Sender, int OldNrCols, int OldNrRows,
                                          int NewNrCols, int NewNrRows)>;
// Kind is seColumns or seRows; Index1 and Index2 are the exchanged indices.
using TSortExchgEvent = std::function<void(TObject* Sender, int Kind, int Index1, int Index2)>;

class QORKIT_EXPORT TDataTable : public QObject {
  Q_OBJECT
 public:
  explicit TDataTable(QObject* AOwner = nullptr);

  int NrOfColumns() const { return FElems.NrOfColumns(); }
  int NrOfRows() const { return FElems.NrOfRows(); }
  // Keeps the overlapping part; new cells are 0 with state 0, new names
  // empty, new attributes and scale types 0. A negative size, one beyond
  // MaxMatrixElements cells, MaxDTColumns or MaxDTRows, or one that cannot
  // be allocated raises EQORError and leaves the table as it was.
  // Notifies OnResize then OnSetupChanged.
  void Resize(int NrColumns, int NrRows);
  // Every element 0 and every cell state 0; names, attributes, scale types
  // and the comment stay.
  void Clear();

  // Elements: 0 outside the table; writes outside are ignored.
  double GetElem(int Col, int Row) const { return FElems.Get(Col, Row); }
  void SetElem(int Col, int Row, double Value);
  // Neither csInvalid nor csEmpty set; false outside the table.
  bool GetIsNumber(int Col, int Row) const;
  TMatrix& Matrix() { return FElems; }
  const TMatrix& Matrix() const { return FElems; }

  // Names are cut to MaxDTNameLength characters; empty outside the table.
  TDTNameStr GetColName(int Col) const;
  void SetColName(int Col, const QString& Name);
  TDTNameStr GetRowName(int Row) const;
  void SetRowName(int Row, const QString& Name);
  // Attributes 0..255; other values and indices outside are ignored.
  std::uint8_t GetColAttrib(int Col) const;
  void SetColAttrib(int Col, int Value);
  std::uint8_t GetRowAttrib(int Row) const;
  void SetRowAttrib(int Row, int Value);

  std::uint8_t GetCellState(int Col, int Row) const { return FStates.Get(Col, Row); }
  void SetCellState(int Col, int Row, std::uint8_t State) { FStates.Set(Col, Row, State); }
  // Clears csMarkA and csMarkB in every cell.
  void UnmarkAllCells();
  // Toggles the bits of Mask in every cell.
  void InvertCellStates(std::uint8_t Mask);
  // Swaps csMarkA and csMarkB in every cell.
  void ExchangeMarkings();
  // Sets every element whose state shares a bit with Mask to Value, clears
  // its csInvalid and csEmpty bits (it now holds a number) and returns how
  // many elements were set.
  int FillMarkedCells(double Value, std::uint8_t Mask);
  // Copies the states of the cells both tables have.
  void CopyCellStatesFrom(const TDataTable& Source);

  // Scale types: mstUndefined outside the table; unknown types are ignored.
  TMScaleType GetMScaleType(int Col) const;
  void SetMScaleType(int Col, TMScaleType Type);
  // Nominal identifiers by ordinal 1..MaxNominalIDs: empty when undefined;
  // an identifier is cut to MaxNominalIDLength characters.
  QString GetNominalID(int Col, int Ordinal) const;
  void SetNominalID(int Col, int Ordinal, const QString& ID);
  // The ordinal of ID in the column (leading and trailing blanks ignored),
  // 0 when there is none. An empty ID is never found.
  int OrdinalOfNominalID(int Col, const QString& ID, bool IgnoreCase) const;

  // Insert before Col (1..count + 1) or Row; remove Col or Row (1..count).
  // Other indices are ignored. The new column or row is 0 with state 0.
  void InsertColumn(int Col);
  void InsertRow(int Row);
  void RemoveColumn(int Col);
  void RemoveRow(int Row);
  // Reverse the order of all columns (with everything that belongs to them)
  // or all rows.
  void MirrorColumns();
  void MirrorRows();

  QString Comment() const { return FComment; }
  void SetFComment(const QString& Text) { FComment = Text; }

  // Sorting. The block LowCol..HighCol x LowRow..HighRow (clamped to the
  // table) is reordered, stable; elements that are not numbers go last in
  // both directions. SortCols orders the block's columns by their elements in
  // row SortRowIx, SortRows the block's rows by column SortColIx. With
  // IncludeHeaders the names, attributes, scale types and nominal
  // identifiers travel with their columns (rows). Every exchange is reported
  // through OnSortExchange.
  void SortCols(int SortRowIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  void SortRows(int SortColIx, bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow,
                bool IncludeHeaders);
  // By attribute or by name; the headers always travel with the block.
  void SortColAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortRowAttributes(bool Ascending, int LowCol, int LowRow, int HighCol, int HighRow);
  void SortColNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  void SortRowNames(bool Ascending, bool IgnoreCase, int LowCol, int LowRow, int HighCol,
                    int HighRow);
  // First column (row) whose name equals ID cut to MaxDTNameLength, 0 if none.
  int FindColIndex(const QString& ColID) const;
  int FindRowIndex(const QString& RowID) const;

  // Makes this table a copy of Source: size, elements, states, headers and
  // comment. Raises like Resize (the table stays as it was).
  void CopyFrom(const TDataTable& Source);

  TNotifyEvent OnDataChanged;
  TNotifyEvent OnSetupChanged;
  TOnPercentDoneEvent OnPercentDone;
  TDTResizeEvent OnResize;
  TSortExchgEvent OnSortExchange;

 Q_SIGNALS:
  // Each follows its event, so any number of listeners can watch a table
  // whose events its editor has taken.
  void dataChanged();
  void setupChanged();
  void resized(int OldNrCols, int OldNrRows, int NewNrCols, int NewNrRows);
  void sortExchanged(int Kind, int Index1, int Index2);
  // Progress 0..100 of whole-table operations on large tables, with OnPercentDone.
  void percentDone(int Percent);

 private:
  class TProgress;
  bool ProgressWanted() const;

  struct TColumnHead {
    TDTNameStr Name;
    std::uint8_t Attrib = 0;
    TMScaleType ScaleType = mstUndefined;
    QStringList NominalIDs;  // index Ordinal - 1; shorter when the last ones are undefined
  };
  struct TBlock {
    int LowCol, LowRow, HighCol, HighRow;
    bool Valid() const { return LowCol <= HighCol && LowRow <= HighRow; }
  };

  // Rebuilds the table at the given size from the old one through the index
  // maps (0 = new, empty), with all allocations done before anything changes.
  template <typename ColMap, typename RowMap>
  void Reshape(int NrCols, int NrRows, ColMap ColFrom, RowMap RowFrom, const char* Context);
  void NotifyResize(int OldCols, int OldRows);
  void NotifyDataChanged();
  void NotifySetupChanged();
  void NotifyExchange(int Kind, int Index1, int Index2);
  // Calls Step(Col) for every column and reports the progress when the table
  // is large.
  template <typename Fn>
  void ForEachColumn(Fn Step);
  TBlock Clamped(int LowCol, int LowRow, int HighCol, int HighRow) const;
  // Puts the columns (rows) of the block into Order, a list of the block's
  // current indices in their new sequence; reports it as exchanges.
  void ApplyColumnOrder(const std::vector<int>& Order, const TBlock& B, bool IncludeHeaders);
  void ApplyRowOrder(const std::vector<int>& Order, const TBlock& B, bool IncludeHeaders);
  void ReportExchanges(int Kind, const std::vector<int>& Order, int Low);

  TMatrix FElems;
  TMatrixStore<std::uint8_t> FStates;
  std::vector<TColumnHead> FColHeads;
  // Row names and attributes in two lists: a row costs 25 bytes, not the 32
  // of a padded pair, which tables of millions of rows feel.
  std::vector<TDTNameStr> FRowNames;
  std::vector<std::uint8_t> FRowAttribs;
  QString FComment;
};

}  // namespace qor
