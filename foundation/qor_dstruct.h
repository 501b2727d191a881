// Data structures of the core services: the string table (a table of short
// texts with attribute bytes and a stable, reversible row sort), the bit field
// and the logical-operator type.
#pragma once

#include <QCollator>
#include <QObject>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "foundation/qor_qorbase.h"

namespace qor {

// How two truth values are combined: Result = A op B.
enum TLogicOp : std::uint8_t {
  loAND,     // A and B
  loOR,      // A or B
  loXOR,     // A xor B
  loANDNOT,  // A and not B
  loORNOT,   // A or not B
  loIgnore   // A alone, B is not consulted
};
QORKIT_EXPORT bool CombineLogic(TLogicOp Op, bool A, bool B);

// Called for every exchange of two rows while sorting: S1 is the sort-column
// text of the row that moves into place, S2 that of the row it displaces.
// A handler may change S2; the changed text is stored in that cell.
using TBeforeSortExchgEvent =
    std::function<void(TObject* Sender, const QString& S1, QString& S2)>;

// Reads a decimal number (blanks, optional sign, digits with an optional point,
// optional exponent) at the start of Text. Returns the number of characters
// read (0: no number there; Value is then 0). Values beyond the double range
// are clamped to +-uc_MaxDouble; tiny ones become 0.
QORKIT_EXPORT int ScanDecimalNumber(QStringView Text, double& Value);
// True when Text, apart from blanks around it, is one decimal number.
QORKIT_EXPORT bool IsDecimalNumber(QStringView Text, double& Value);

// The order in which the string table sorts cell texts (see TStringArray):
// negative, zero or positive as A sorts before, with or after B. Collator is
// CellCollator(): the default locale's collation, ignoring case.
QORKIT_EXPORT QCollator CellCollator();
QORKIT_EXPORT int CompareCellTexts(QStringView A, QStringView B, const QCollator& Collator);

// A table of short texts (at most 255 characters each; longer texts are cut)
// with columns 0..NrColumns and rows 1..NrRows. Every row and every column
// carries one attribute byte that the table does not interpret; a row's byte
// moves with its row.
//
// Rows are addressed in the current order. Sort() orders them by a column
// without moving any text: it sets a sort order (GetSortOrder gives, for a
// row, its position in the stored order), UnSort() returns to the stored
// order and CommitSorting() makes the current order the stored one.
//
// Sorting compares cells as follows (ascending; descending is the reverse,
// and rows that compare equal keep their relative order in both directions):
//   empty cell  <  number  <  other text
//   numbers     by value ("9" < "10", "-2" < "1.5E1")
//   other texts case-insensitively in the collation order of the default locale
//
// Texts are stored compactly: each row keeps all its cells in one block of
// UTF-16 code units behind a small length table; an empty row costs no block.
class QORKIT_EXPORT TStringArray : public QObject {
  Q_OBJECT

 public:
  static constexpr int MaxTextLength = 255;
  // Sizes beyond these are refused by Resize like an allocation failure.
  static constexpr int MaxColumns = 16383;
  static constexpr int MaxRows = 50000000;

  explicit TStringArray(QObject* AOwner = nullptr);
  ~TStringArray() override;
  TStringArray(const TStringArray&) = delete;
  TStringArray& operator=(const TStringArray&) = delete;

  int NrColumns() const { return FNrCols; }
  int NrRows() const { return static_cast<int>(FRowData.size()); }

  // Afterwards columns 0..NrColumns and rows 1..NrRows exist; texts inside the
  // new size are kept. Raises EQORError (content unchanged) when the size
  // cannot be allocated.
  void Resize(int NrColumns, int NrRows);
  // Storage grows in steps of this many rows (at least 1).
  int AllocRowsBy() const { return FAllocRowsBy; }
  void SetAllocRowsBy(int Rows);
  // All texts empty; size, attribute bytes and order stay.
  void Clear();
  // An exact copy of Source's size, growth step, texts, attributes and order;
  // the notifications stay as they are. Raises EQORError (content unchanged)
  // when memory runs out.
  void Assign(const TStringArray& Source);
  // Exchanges the contents (not the notifications) of two tables.
  void SwapContent(TStringArray& Other) noexcept;

  // Col 0..NrColumns, Row 1..NrRows (current order); outside: empty / ignored.
  QString GetString(int Col, int Row) const;
  void SetString(int Col, int Row, const QString& Text);
  void SetString(int Col, int Row, QStringView Text);
  // True when every cell of the row is empty (also outside the table).
  bool RowEmpty(int Row) const;
  // Replaces every cell of the row at Row at once: column C (0..Count-1)
  // gets Texts[C], the other columns become empty.
  void SetRow(int Row, const QStringView* Texts, int Count);
  // The cell's text without a copy; valid until the table changes.
  QStringView StringView(int Col, int Row) const;
  // The number at the start of the cell text (ScanDecimalNumber), 0 if none.
  double GetAsNumber(int Col, int Row) const;

  std::uint8_t GetRowAttrib(int Row) const;
  void SetRowAttrib(int Row, std::uint8_t Value);
  // Sets (Value) or clears the bits of Mask in the attribute of every row.
  void SetAllRowAttribBits(std::uint8_t Mask, bool Value);
  std::uint8_t GetColAttrib(int Col) const;
  void SetColAttrib(int Col, std::uint8_t Value);

  // Orders the rows by column Col, ties by column ColSec (-1: none), stable.
  void Sort(int Col, int ColSec, bool Ascending);
  void UnSort();
  void CommitSorting();
  bool IsSorted() const { return !FOrder.empty(); }
  // Position (1..NrRows) in the stored order of the row at Row; 0 outside.
  int GetSortOrder(int Row) const;
  // Makes the row at Row show stored row Value (1..NrRows). Callers that set
  // every row build a permutation; values outside 1..NrRows are ignored.
  void SetSortOrder(int Row, int Value);

  // An empty row at Row (1..NrRows + 1); the following rows move down.
  void InsertRow(int Row);
  void RemoveRow(int Row);
  // Removes, in one pass, every row (numbered in the current order) for which
  // Remove(Row) is true; returns how many went.
  int RemoveRowsIf(const std::function<bool(int Row)>& Remove);

  // Bytes held for texts, attributes and order (for measurements).
  std::size_t MemoryUsed() const;

  TNotifyEvent OnChange;
  TOnPercentDoneEvent OnPercentDone;
  TBeforeSortExchgEvent OnBeforeSortExchange;

  // The owner's own channel: the object that holds the table follows its
  // changes through it, so a user handler in OnChange never cuts that wiring.
  // Called before OnChange.
  void SetOwnerNotify(std::function<void()> Notify) { FOwnerNotify = std::move(Notify); }
  // While a hold is in place changes are only recorded; releasing the last
  // hold with Report set tells both channels once when any change occurred.
  void HoldNotify() { ++FHolds; }
  void ReleaseNotify(bool Report);
  // Tells both channels of a change.
  void NotifyChange();

 private:
  // Row block: (NrCols + 2) / 2 code units holding one length byte per cell,
  // then the texts of columns 0..NrCols back to back.
  using TRowBlock = char16_t*;

  int Physical(int Row) const { return FOrder.empty() ? Row - 1 : FOrder[Row - 1]; }
  bool ValidCell(int Col, int Row) const {
    return Col >= 0 && Col <= FNrCols && Row >= 1 && Row <= NrRows();
  }
  int HeaderUnits() const { return (FNrCols + 2) / 2; }
  QStringView CellOf(TRowBlock Block, int Col) const;
  TRowBlock RebuildBlock(TRowBlock Block, int OldCols, int NewCols) const;
  void StoreCell(int Phys, int Col, QStringView Text);
  void ReserveRows(std::size_t Rows);
  void DropRows(const std::vector<bool>& DropPhysical, int Remaining);
  void ApplyOrder(std::span<const std::int32_t> NewOrder, int Col);
  void Changed();
  void FreeBlocks();

  int FNrCols = 0;
  int FAllocRowsBy = 1;
  std::vector<TRowBlock> FRowData;       // by stored row
  std::vector<std::uint8_t> FRowAttrib;  // by stored row
  std::vector<std::uint8_t> FColAttrib;  // 0..NrCols
  std::vector<std::int32_t> FOrder;      // current row -> stored row; empty = stored order
  std::function<void()> FOwnerNotify;
  int FHolds = 0;
  bool FHeldChange = false;
};

// A resizable field of bits numbered from 0.
class QORKIT_EXPORT TBitFld : public QObject {
  Q_OBJECT

 public:
  explicit TBitFld(QObject* AOwner = nullptr);

  int Size() const { return FSize; }
  // N bits (negative: 0); bits inside the new size keep their state, new bits are clear.
  void SetSize(int N);
  // Outside 0..Size-1: false / ignored.
  bool GetBit(int I) const;
  void SetBit(int I, bool Value);
  void Clear();
  // Index of the lowest set bit, -1 if none.
  int FirstTrueBit() const;
  int CountTrueBits() const;

 private:
  int FSize = 0;
  std::vector<std::uint64_t> FWords;
};

}  // namespace qor
