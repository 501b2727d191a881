#include "foundation/qor_dstruct.h"

#include <QCollatorSortKey>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <new>
#include <string>
#include <utility>

#include "foundation/qor_radix_p.h"
#include "foundation/qor_univconst.h"

namespace qor {

bool CombineLogic(TLogicOp Op, bool A, bool B) {
  switch (Op) {
    case loAND: return A && B;
    case loOR: return A || B;
    case loXOR: return A != B;
    case loANDNOT: return A && !B;
    case loORNOT: return A || !B;
    case loIgnore: return A;
  }
  return A;
}

// ---------------------------------------------------------------------------
// Numbers in texts

namespace {

bool IsBlank(QChar C) { return C == u' ' || C == u'\t'; }
bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }

}  // namespace

int ScanDecimalNumber(QStringView Text, double& Value) {
  Value = 0;
  const qsizetype N = Text.size();
  qsizetype I = 0;
  while (I < N && IsBlank(Text[I])) ++I;
  std::string Buf;
  bool Negative = false;
  if (I < N && (Text[I] == u'+' || Text[I] == u'-')) {
    Negative = Text[I] == u'-';
    ++I;
  }
  // Decimal exponent of the leading significant digit, for out-of-range results.
  long long Magnitude = 0;
  bool Significant = false;
  int Digits = 0;
  for (; I < N && IsDigit(Text[I]); ++I, ++Digits) {
    Buf += char(Text[I].unicode());
    if (Significant || Text[I] != u'0') {
      Significant = true;
      ++Magnitude;
    }
  }
  if (I < N && Text[I] == u'.') {
    Buf += '.';
    for (++I; I < N && IsDigit(Text[I]); ++I, ++Digits) {
      Buf += char(Text[I].unicode());
      if (!Significant) {
        if (Text[I] == u'0') --Magnitude;
        else Significant = true;
      }
    }
  }
  if (Digits == 0) return 0;
  if (I < N && (Text[I] == u'e' || Text[I] == u'E')) {
    qsizetype J = I + 1;
    bool ExpNegative = false;
    if (J < N && (Text[J] == u'+' || Text[J] == u'-')) {
      ExpNegative = Text[J] == u'-';
      ++J;
    }
    if (J < N && IsDigit(Text[J])) {
      long long Exp = 0;
      Buf += ExpNegative ? "e-" : "e";
      for (; J < N && IsDigit(Text[J]); ++J) {
        Buf += char(Text[J].unicode());
        Exp = std::min(Exp * 10 + (Text[J].unicode() - u'0'), 1000000000LL);
      }
      Magnitude += ExpNegative ? -Exp : Exp;
      I = J;
    }
  }
  double V = 0;
  const auto [End, Err] = std::from_chars(Buf.data(), Buf.data() + Buf.size(), V);
  Q_UNUSED(End);
  if (Err == std::errc::result_out_of_range) V = Significant && Magnitude > 0 ? uc_MaxDouble : 0;
  V = std::clamp(V, -uc_MaxDouble, uc_MaxDouble);
  Value = Negative ? -V : V;
  return int(I);
}

bool IsDecimalNumber(QStringView Text, double& Value) {
  const int Used = ScanDecimalNumber(Text, Value);
  if (Used == 0) return false;
  for (qsizetype I = Used; I < Text.size(); ++I)
    if (!IsBlank(Text[I])) return false;
  return true;
}

// ---------------------------------------------------------------------------
// Cell order

// Building a collator costs more than sorting a small table, so the last one
// is kept until the default locale changes.
QCollator CellCollator() {
  static QCollator Cached{QLocale::c()};
  static QString CachedLocale;
  const QLocale Locale;
  if (CachedLocale != Locale.name() || CachedLocale.isEmpty()) {
    Cached = QCollator(Locale);
    Cached.setCaseSensitivity(Qt::CaseInsensitive);
    CachedLocale = Locale.name();
  }
  return Cached;
}

namespace {

// Kinds in ascending order.
enum TCellKind : std::uint32_t { ckEmpty, ckNumber, ckText };

TCellKind KindOf(QStringView Text, double& Number) {
  if (Text.isEmpty()) return ckEmpty;
  return IsDecimalNumber(Text, Number) ? ckNumber : ckText;
}

}  // namespace

int CompareCellTexts(QStringView A, QStringView B, const QCollator& Collator) {
  double NA = 0, NB = 0;
  const TCellKind KA = KindOf(A, NA), KB = KindOf(B, NB);
  if (KA != KB) return KA < KB ? -1 : 1;
  if (KA == ckNumber) return NA < NB ? -1 : (NB < NA ? 1 : 0);
  if (KA == ckText) return Collator.compare(A, B);
  return 0;
}

// ---------------------------------------------------------------------------
// TStringArray

namespace {

[[noreturn]] void RaiseNoMemory(const char* Where) {
  throw EQORError(QStringLiteral("TStringArray.%1: not enough memory").arg(QLatin1String(Where)));
}

char16_t* AllocUnits(std::size_t Units) {
  auto* P = static_cast<char16_t*>(std::malloc(Units * sizeof(char16_t)));
  if (!P) throw std::bad_alloc();
  return P;
}

QStringView CutToMax(QStringView Text) {
  if (Text.size() <= TStringArray::MaxTextLength) return Text;
  // Never keep half of a surrogate pair.
  qsizetype Len = TStringArray::MaxTextLength;
  if (Text[Len - 1].isHighSurrogate()) --Len;
  return Text.left(Len);
}

}  // namespace

TStringArray::TStringArray(QObject* AOwner) : QObject(AOwner), FColAttrib(1, 0) {}

TStringArray::~TStringArray() { FreeBlocks(); }

void TStringArray::FreeBlocks() {
  for (TRowBlock B : FRowData) std::free(B);
}

QStringView TStringArray::CellOf(TRowBlock Block, int Col) const {
  if (!Block) return {};
  const auto* Len = reinterpret_cast<const std::uint8_t*>(Block);
  std::size_t Offset = HeaderUnits();
  for (int C = 0; C < Col; ++C) Offset += Len[C];
  return QStringView(Block + Offset, Len[Col]);
}

TStringArray::TRowBlock TStringArray::RebuildBlock(TRowBlock Block, int OldCols,
                                                   int NewCols) const {
  if (!Block) return nullptr;
  const auto* OldLen = reinterpret_cast<const std::uint8_t*>(Block);
  const int Keep = std::min(OldCols, NewCols);
  std::size_t Text = 0;
  for (int C = 0; C <= Keep; ++C) Text += OldLen[C];
  if (Text == 0) return nullptr;
  const std::size_t NewHeader = (NewCols + 2) / 2;
  char16_t* NewBlock = AllocUnits(NewHeader + Text);
  auto* NewLen = reinterpret_cast<std::uint8_t*>(NewBlock);
  std::memset(NewLen, 0, NewHeader * sizeof(char16_t));
  std::memcpy(NewLen, OldLen, Keep + 1);
  std::memcpy(NewBlock + NewHeader, Block + (OldCols + 2) / 2, Text * sizeof(char16_t));
  return NewBlock;
}

void TStringArray::StoreCell(int Phys, int Col, QStringView Text) {
  TRowBlock Old = FRowData[Phys];
  const std::size_t Header = HeaderUnits();
  const auto* OldLen = reinterpret_cast<const std::uint8_t*>(Old);
  std::size_t Before = 0, OldTotal = 0;
  int OldCell = 0;
  if (Old) {
    for (int C = 0; C <= FNrCols; ++C) {
      if (C < Col) Before += OldLen[C];
      OldTotal += OldLen[C];
    }
    OldCell = OldLen[Col];
  }
  const std::size_t NewTotal = OldTotal - OldCell + Text.size();
  if (Old && OldCell == Text.size()) {
    std::memcpy(Old + Header + Before, Text.utf16(), Text.size() * sizeof(char16_t));
    return;
  }
  if (NewTotal == 0) {
    std::free(Old);
    FRowData[Phys] = nullptr;
    return;
  }
  char16_t* New = AllocUnits(Header + NewTotal);
  auto* NewLen = reinterpret_cast<std::uint8_t*>(New);
  if (Old) {
    std::memcpy(New, Old, (Header + Before) * sizeof(char16_t));
  } else {
    std::memset(New, 0, Header * sizeof(char16_t));
  }
  if (!Text.isEmpty())
    std::memcpy(New + Header + Before, Text.utf16(), Text.size() * sizeof(char16_t));
  if (Old) {
    const std::size_t After = OldTotal - Before - OldCell;
    std::memcpy(New + Header + Before + Text.size(), Old + Header + Before + OldCell,
                After * sizeof(char16_t));
  }
  NewLen[Col] = std::uint8_t(Text.size());
  std::free(Old);
  FRowData[Phys] = New;
}

void TStringArray::SetAllocRowsBy(int Rows) { FAllocRowsBy = std::max(Rows, 1); }

// Capacity grows to a multiple of the growth step, and never by less than
// half the current capacity so that appending row by row stays linear.
void TStringArray::ReserveRows(std::size_t Rows) {
  if (Rows <= FRowData.capacity()) return;
  const std::size_t Step = std::size_t(FAllocRowsBy);
  std::size_t Cap = (Rows + Step - 1) / Step * Step;
  Cap = std::max(Cap, FRowData.capacity() + FRowData.capacity() / 2);
  Cap = std::min<std::size_t>(std::max(Cap, Rows), MaxRows);
  FRowData.reserve(Cap);
  FRowAttrib.reserve(Cap);
  if (!FOrder.empty()) FOrder.reserve(Cap);
}

void TStringArray::Resize(int NrColumns, int NrRows) {
  NrColumns = std::max(NrColumns, 0);
  NrRows = std::max(NrRows, 0);
  if (NrColumns > MaxColumns || NrRows > MaxRows)
    throw EQORError(QStringLiteral("TStringArray.Resize: cannot allocate %1 columns and %2 rows")
                        .arg(NrColumns)
                        .arg(NrRows));
  const int OldRows = this->NrRows();
  if (NrColumns == FNrCols && NrRows == OldRows) return;
  try {
    // Rows beyond the new count (in the current order) go first.
    if (NrRows < OldRows) {
      std::vector<bool> Drop(OldRows, false);
      for (int R = NrRows + 1; R <= OldRows; ++R) Drop[Physical(R)] = true;
      DropRows(Drop, NrRows);
    }
    if (NrColumns != FNrCols) {
      std::vector<TRowBlock> Rebuilt(FRowData.size(), nullptr);
      std::vector<std::uint8_t> ColAttrib(FColAttrib);
      ColAttrib.resize(NrColumns + 1, 0);
      try {
        for (std::size_t P = 0; P < FRowData.size(); ++P)
          Rebuilt[P] = RebuildBlock(FRowData[P], FNrCols, NrColumns);
      } catch (...) {
        for (TRowBlock B : Rebuilt) std::free(B);
        throw;
      }
      FreeBlocks();
      FRowData.swap(Rebuilt);
      FColAttrib.swap(ColAttrib);
      FNrCols = NrColumns;
    }
    if (NrRows > OldRows) {
      ReserveRows(NrRows);
      if (!FOrder.empty()) {
        for (int P = OldRows; P < NrRows; ++P) FOrder.push_back(P);
      }
      FRowData.resize(NrRows, nullptr);
      FRowAttrib.resize(NrRows, 0);
    }
  } catch (const std::bad_alloc&) {
    RaiseNoMemory("Resize");
  }
  Changed();
}

void TStringArray::Clear() {
  FreeBlocks();
  std::fill(FRowData.begin(), FRowData.end(), nullptr);
  Changed();
}

void TStringArray::Assign(const TStringArray& Source) {
  if (&Source == this) return;
  std::vector<TRowBlock> Data(Source.FRowData.size(), nullptr);
  try {
    std::vector<std::uint8_t> RowAttrib(Source.FRowAttrib);
    std::vector<std::uint8_t> ColAttrib(Source.FColAttrib);
    std::vector<std::int32_t> Order(Source.FOrder);
    const std::size_t Header = (Source.FNrCols + 2) / 2;
    for (std::size_t P = 0; P < Data.size(); ++P) {
      const TRowBlock B = Source.FRowData[P];
      if (!B) continue;
      const auto* Len = reinterpret_cast<const std::uint8_t*>(B);
      std::size_t Units = Header;
      for (int C = 0; C <= Source.FNrCols; ++C) Units += Len[C];
      Data[P] = AllocUnits(Units);
      std::memcpy(Data[P], B, Units * sizeof(char16_t));
    }
    FreeBlocks();
    FRowData.swap(Data);
    FRowAttrib.swap(RowAttrib);
    FColAttrib.swap(ColAttrib);
    FOrder.swap(Order);
    FNrCols = Source.FNrCols;
    FAllocRowsBy = Source.FAllocRowsBy;
  } catch (const std::bad_alloc&) {
    for (TRowBlock B : Data) std::free(B);
    RaiseNoMemory("Assign");
  }
  Changed();
}

void TStringArray::SwapContent(TStringArray& Other) noexcept {
  std::swap(FNrCols, Other.FNrCols);
  std::swap(FAllocRowsBy, Other.FAllocRowsBy);
  FRowData.swap(Other.FRowData);
  FRowAttrib.swap(Other.FRowAttrib);
  FColAttrib.swap(Other.FColAttrib);
  FOrder.swap(Other.FOrder);
}

QString TStringArray::GetString(int Col, int Row) const {
  return StringView(Col, Row).toString();
}

QStringView TStringArray::StringView(int Col, int Row) const {
  if (!ValidCell(Col, Row)) return {};
  return CellOf(FRowData[Physical(Row)], Col);
}

void TStringArray::SetString(int Col, int Row, const QString& Text) {
  SetString(Col, Row, QStringView(Text));
}

bool TStringArray::RowEmpty(int Row) const {
  return Row < 1 || Row > NrRows() || !FRowData[Physical(Row)];
}

void TStringArray::SetRow(int Row, const QStringView* Texts, int Count) {
  if (Row < 1 || Row > NrRows()) return;
  Count = std::clamp(Count, 0, FNrCols + 1);
  const std::size_t Header = HeaderUnits();
  std::size_t Total = 0;
  for (int C = 0; C < Count; ++C) Total += CutToMax(Texts[C]).size();
  char16_t* New = nullptr;
  if (Total > 0) {
    try {
      New = AllocUnits(Header + Total);
    } catch (const std::bad_alloc&) {
      RaiseNoMemory("SetRow");
    }
    auto* Len = reinterpret_cast<std::uint8_t*>(New);
    std::memset(Len, 0, Header * sizeof(char16_t));
    char16_t* Text = New + Header;
    for (int C = 0; C < Count; ++C) {
      const QStringView T = CutToMax(Texts[C]);
      Len[C] = std::uint8_t(T.size());
      if (!T.isEmpty()) std::memcpy(Text, T.utf16(), T.size() * sizeof(char16_t));
      Text += T.size();
    }
  }
  const int P = Physical(Row);
  std::free(FRowData[P]);
  FRowData[P] = New;
  Changed();
}

void TStringArray::SetString(int Col, int Row, QStringView Text) {
  if (!ValidCell(Col, Row)) return;
  const QStringView New = CutToMax(Text);
  const int P = Physical(Row);
  if (CellOf(FRowData[P], Col) == New) return;
  try {
    StoreCell(P, Col, New);
  } catch (const std::bad_alloc&) {
    RaiseNoMemory("SetString");
  }
  Changed();
}

double TStringArray::GetAsNumber(int Col, int Row) const {
  double V = 0;
  ScanDecimalNumber(StringView(Col, Row), V);
  return V;
}

std::uint8_t TStringArray::GetRowAttrib(int Row) const {
  return Row >= 1 && Row <= NrRows() ? FRowAttrib[Physical(Row)] : 0;
}

void TStringArray::SetRowAttrib(int Row, std::uint8_t Value) {
  if (Row >= 1 && Row <= NrRows()) FRowAttrib[Physical(Row)] = Value;
}

void TStringArray::SetAllRowAttribBits(std::uint8_t Mask, bool Value) {
  for (std::uint8_t& A : FRowAttrib) A = Value ? std::uint8_t(A | Mask) : std::uint8_t(A & ~Mask);
}

std::uint8_t TStringArray::GetColAttrib(int Col) const {
  return Col >= 0 && Col <= FNrCols ? FColAttrib[Col] : 0;
}

void TStringArray::SetColAttrib(int Col, std::uint8_t Value) {
  if (Col >= 0 && Col <= FNrCols) FColAttrib[Col] = Value;
}

// ---- Sorting
//
// Every cell of the sort columns is reduced once to a 32-bit rank: empty
// cells first, then numbers by value, then texts by their collation keys,
// equal cells sharing a rank. The rows are then ordered by the 64-bit pair
// (primary, secondary) with the current position as the final tie-break,
// which makes the sort stable in both directions.
//
// Large tables stay in step with n log n by touching memory in order: the
// cells are visited once in stored order, and every sort runs over small
// contiguous records (numbers with their row, plain texts by their first
// sixteen bytes, ranks with their position) in bulk memory, split first into
// buckets that fit in the cache (see RadixSort).

namespace {

struct TSortItem {
  std::uint64_t Key;
  std::int32_t Pos;  // current position, 0-based
};

// A double as an unsigned number of the same order (-0 and 0 alike).
std::uint64_t OrderedBits(double V) {
  const auto Bits = std::bit_cast<std::uint64_t>(V == 0 ? 0.0 : V);
  return Bits >> 63 ? ~Bits : Bits | (std::uint64_t(1) << 63);
}

// Languages whose collation orders letters, digits and blanks like plain
// ASCII with case folded (no tailoring of ASCII letters, such as Danish "aa"
// or Lithuanian "y"). For texts made of these characters alone the collation
// order is then the byte order of the lower-cased text.
bool AsciiOrderIsCollationOrder(const QLocale& Locale) {
  switch (Locale.language()) {
    case QLocale::C:
    case QLocale::English:
    case QLocale::German:
    case QLocale::French:
    case QLocale::Italian:
    case QLocale::Portuguese:
    case QLocale::Dutch:
    case QLocale::Spanish: return true;
    default: return false;
  }
}

// Appends S lower-cased to Bytes when it is made of ASCII letters, digits and
// blanks only; otherwise leaves Bytes as it was and answers false.
bool AppendPlainAscii(QStringView S, std::string& Bytes) {
  const std::size_t Mark = Bytes.size();
  for (const QChar C : S) {
    const char16_t U = C.unicode();
    if ((U >= u'a' && U <= u'z') || (U >= u'0' && U <= u'9') || U == u' ') {
      Bytes += char(U);
    } else if (U >= u'A' && U <= u'Z') {
      Bytes += char(U - u'A' + u'a');
    } else {
      Bytes.resize(Mark);
      return false;
    }
  }
  return true;
}

class TKeyBuilder {
 public:
  TKeyBuilder(const QCollator& Collator, const std::function<void(int)>& Progress)
      : FCollator(Collator),
        FProgress(Progress),
        FAsciiFast(AsciiOrderIsCollationOrder(Collator.locale())),
        FUseKeys(Collator.locale().language() != QLocale::C) {}

  // Ranks of the N cells CellAt(0..N-1): 0 for empty cells, then the numbers,
  // then the texts.
  template <typename TCellAt>
  TBulkVector<std::uint32_t> Build(int N, const TCellAt& CellAt) const {
    TBulkVector<std::uint32_t> Keys(N, 0);
    struct TNumberCell {
      std::uint64_t Bits;
      std::int32_t Row;
    };
    TBulkVector<TNumberCell> Numbers;
    TBulkVector<std::int32_t> TextRows;
    TBulkVector<QStringView> Texts;
    // Reserved, not touched: pages that stay unused cost nothing, and no
    // growth copies the lists again.
    Numbers.reserve(N);
    TextRows.reserve(N);
    Texts.reserve(N);
    for (int R = 0; R < N; ++R) {
      const QStringView S = CellAt(R);
      double V = 0;
      switch (KindOf(S, V)) {
        case ckEmpty: break;
        case ckNumber: Numbers.push_back({OrderedBits(V), R}); break;
        case ckText:
          TextRows.push_back(R);
          Texts.push_back(S);
          break;
      }
      FProgress(R);
    }
    RadixSort(Numbers, 8, [](const TNumberCell& P) { return P.Bits; });
    std::uint32_t Rank = 0;
    for (std::size_t I = 0; I < Numbers.size(); ++I) {
      if (I == 0 || Numbers[I - 1].Bits < Numbers[I].Bits) ++Rank;
      Keys[Numbers[I].Row] = Rank;
    }
    const TBulkVector<std::uint32_t> TextRank = RankTexts(Texts);
    for (std::size_t I = 0; I < Texts.size(); ++I) Keys[TextRows[I]] = Rank + 1 + TextRank[I];
    return Keys;
  }

 private:
  // Ranks in collation order (equal texts share a rank). Plain ASCII texts are
  // ordered by their lower-cased bytes where that is the collation order, the
  // others by collation keys; the two sorted groups are then merged.
  TBulkVector<std::uint32_t> RankTexts(const TBulkVector<QStringView>& Texts) const {
    const std::size_t N = Texts.size();
    TBulkVector<std::uint32_t> Rank(N, 0);
    std::vector<std::int32_t> Other;
    std::string Arena;
    std::size_t Total = 0;
    if (FAsciiFast)
      for (const QStringView S : Texts) Total += std::size_t(S.size());
    Arena.reserve(Total);
    // Plain texts by their first sixteen bytes as two words (zero padded:
    // the texts hold no zero byte). Only texts that agree in all sixteen
    // read their remaining bytes from the arena.
    struct TPrefixed {
      std::uint64_t Prefix, Tail;
      std::int32_t Index;
      std::uint32_t Length;
    };
    const auto Word = [&](std::size_t From, std::size_t End) {
      std::uint64_t W = 0;
      for (std::size_t J = From; J < From + 8; ++J) W = (W << 8) | (J < End ? std::uint8_t(Arena[J]) : 0u);
      return W;
    };
    TBulkVector<TPrefixed> ByPrefix;
    ByPrefix.reserve(FAsciiFast ? N : 0);
    TBulkBuffer<std::size_t> Offset(FAsciiFast ? N : 0);
    for (std::size_t I = 0; I < N; ++I) {
      const std::size_t First = Arena.size();
      if (!FAsciiFast || !AppendPlainAscii(Texts[I], Arena)) {
        Other.push_back(std::int32_t(I));
        continue;
      }
      const std::size_t End = Arena.size();
      Offset.data()[I] = First;
      ByPrefix.push_back({Word(First, End), Word(First + 8, End), std::int32_t(I), std::uint32_t(End - First)});
    }
    const auto Rest = [&](const TPrefixed& P) {
      return P.Length <= 16 ? std::string_view()
                            : std::string_view(Arena.data() + Offset.data()[P.Index] + 16, P.Length - 16);
    };
    const auto SameText = [&](const TPrefixed& A, const TPrefixed& B) {
      return A.Prefix == B.Prefix && A.Tail == B.Tail && A.Length == B.Length && Rest(A) == Rest(B);
    };
    RadixSort(ByPrefix, 8, [](const TPrefixed& P) { return P.Prefix; });
    // Texts sharing their first eight bytes are ordered by the rest.
    for (std::size_t K = 0; K < ByPrefix.size();) {
      std::size_t End = K + 1;
      while (End < ByPrefix.size() && ByPrefix[End].Prefix == ByPrefix[K].Prefix) ++End;
      if (End - K > 1)
        std::sort(ByPrefix.begin() + K, ByPrefix.begin() + End, [&](const TPrefixed& A, const TPrefixed& B) {
          return A.Tail != B.Tail ? A.Tail < B.Tail : Rest(A) < Rest(B);
        });
      K = End;
    }
    // Collation keys, except under the C locale, where the collator's keys
    // do not follow its case-insensitive comparison and the comparison itself
    // is cheap.
    std::vector<QCollatorSortKey> SortKeys;
    if (FUseKeys) {
      SortKeys.reserve(Other.size());
      for (std::int32_t I : Other) SortKeys.push_back(FCollator.sortKey(Texts[I].toString()));
    }
    const auto OtherOrder = [&](std::int32_t A, std::int32_t B) {
      return FUseKeys ? SortKeys[A].compare(SortKeys[B])
                      : FCollator.compare(Texts[Other[A]], Texts[Other[B]]);
    };
    std::vector<std::int32_t> ByKey(Other.size());
    for (std::size_t I = 0; I < ByKey.size(); ++I) ByKey[I] = std::int32_t(I);
    std::sort(ByKey.begin(), ByKey.end(),
              [&](std::int32_t A, std::int32_t B) { return OtherOrder(A, B) < 0; });

    // Both lists in groups of equal texts, merged by comparing one text of
    // each group; a group of one list may equal a group of the other.
    std::size_t P = 0, O = 0;
    std::uint32_t R = 0;
    while (P < ByPrefix.size() || O < ByKey.size()) {
      int Order;
      if (P == ByPrefix.size()) Order = 1;
      else if (O == ByKey.size()) Order = -1;
      else Order = FCollator.compare(Texts[ByPrefix[P].Index], Texts[Other[ByKey[O]]]);
      if (Order <= 0) {
        const TPrefixed& First = ByPrefix[P];
        for (; P < ByPrefix.size() && SameText(ByPrefix[P], First); ++P) Rank[ByPrefix[P].Index] = R;
      }
      if (Order >= 0) {
        const std::int32_t First = ByKey[O];
        for (; O < ByKey.size() && OtherOrder(ByKey[O], First) == 0; ++O) Rank[Other[ByKey[O]]] = R;
      }
      ++R;
    }
    return Rank;
  }

  const QCollator& FCollator;
  const std::function<void(int)>& FProgress;
  const bool FAsciiFast;
  const bool FUseKeys;
};

}  // namespace

void TStringArray::Sort(int Col, int ColSec, bool Ascending) {
  if (Col < 0 || Col > FNrCols) return;
  if (ColSec < 0 || ColSec > FNrCols || ColSec == Col) ColSec = -1;
  const int N = NrRows();
  const int Passes = ColSec < 0 ? 1 : 2;
  const int Step = N * Passes / 100 + 1;
  int Pass = 0;
  const std::function<void(int)> Progress = [&](int R) {
    const int Done = Pass * N + R;
    if (OnPercentDone && Done % Step == 0)
      OnPercentDone(this, int(Done * 100LL / (std::int64_t(N) * Passes + 1)));
  };
  std::unique_ptr<TBulkBuffer<std::int32_t>> NewOrder;
  try {
    NewOrder = std::make_unique<TBulkBuffer<std::int32_t>>(N);
    const QCollator Collator = CellCollator();
    const TKeyBuilder Builder(Collator, Progress);
    // Keys by stored row: the row blocks are read in stored order.
    const auto KeysOf = [&](int C) {
      return Builder.Build(N, [&](int P) {
        constexpr int Ahead = 16;  // blocks asked for before they are read
#if defined(__GNUC__)
        if (P + Ahead < N) __builtin_prefetch(FRowData[P + Ahead]);
#endif
        return CellOf(FRowData[P], C);
      });
    };
    const TBulkVector<std::uint32_t> Primary = KeysOf(Col);
    ++Pass;
    if (ColSec < 0) {
      // Key and stored row in one word, (primary, inverted for descending)
      // then row, listed by position: a stable sort by the key keeps ties
      // in their current order.
      TBulkVector<std::uint64_t> Items(N);
      for (int R = 0; R < N; ++R) {
        const int P = Physical(R + 1);
        const std::uint32_t K = Primary[P];
        Items[R] = (std::uint64_t(Ascending ? K : ~K) << 32) | std::uint32_t(P);
      }
      RadixSort(Items, 4, [](std::uint64_t I) { return I >> 32; });
      for (int I = 0; I < N; ++I) NewOrder->data()[I] = std::int32_t(Items[I] & 0xFFFFFFFFu);
    } else {
      const TBulkVector<std::uint32_t> Secondary = KeysOf(ColSec);
      TBulkVector<TSortItem> Items(N);
      for (int R = 0; R < N; ++R) {
        const int P = Physical(R + 1);
        Items[R] = {(std::uint64_t(Primary[P]) << 32) | Secondary[P], R};
      }
      RadixSort(Items, 8, [Ascending](const TSortItem& I) { return Ascending ? I.Key : ~I.Key; });
      for (int I = 0; I < N; ++I) NewOrder->data()[I] = Physical(Items[I].Pos + 1);
    }
  } catch (const std::bad_alloc&) {
    RaiseNoMemory("Sort");
  }
  ApplyOrder({NewOrder->data(), std::size_t(N)}, Col);
  if (OnPercentDone) OnPercentDone(this, 100);
}

// Installs the new order. With OnBeforeSortExchange connected the change is
// carried out as a series of row exchanges, reported one by one.
void TStringArray::ApplyOrder(std::span<const std::int32_t> NewOrder, int Col) {
  const int N = NrRows();
  if (OnBeforeSortExchange) {
    std::vector<std::int32_t> Cur(N), Where(N);
    for (int I = 0; I < N; ++I) {
      Cur[I] = Physical(I + 1);
      Where[Cur[I]] = I;
    }
    for (int I = 0; I < N; ++I) {
      const std::int32_t Want = NewOrder[I];
      if (Cur[I] == Want) continue;
      const std::int32_t Displaced = Cur[I];
      const QString S1 = CellOf(FRowData[Want], Col).toString();
      QString S2 = CellOf(FRowData[Displaced], Col).toString();
      OnBeforeSortExchange(this, S1, S2);
      const QStringView New = CutToMax(S2);
      if (CellOf(FRowData[Displaced], Col) != New) StoreCell(Displaced, Col, New);
      const std::int32_t J = Where[Want];
      std::swap(Cur[I], Cur[J]);
      Where[Cur[I]] = I;
      Where[Cur[J]] = J;
    }
  }
  bool Identity = true;
  for (int I = 0; I < N && Identity; ++I) Identity = NewOrder[I] == I;
  // Copied into the order kept so far, whose pages are in use already.
  if (Identity) FOrder.clear();
  else FOrder.assign(NewOrder.begin(), NewOrder.end());
  Changed();
}

void TStringArray::UnSort() {
  FOrder.clear();
  Changed();
}

void TStringArray::CommitSorting() {
  if (FOrder.empty()) return;
  const int N = NrRows();
  std::vector<TRowBlock> Data(N);
  std::vector<std::uint8_t> Attrib(N);
  for (int I = 0; I < N; ++I) {
    Data[I] = FRowData[FOrder[I]];
    Attrib[I] = FRowAttrib[FOrder[I]];
  }
  FRowData.swap(Data);
  FRowAttrib.swap(Attrib);
  FOrder.clear();
}

int TStringArray::GetSortOrder(int Row) const {
  return Row >= 1 && Row <= NrRows() ? Physical(Row) + 1 : 0;
}

// Keeps the order a permutation: the row that showed Value so far takes over
// the stored row that Row showed.
void TStringArray::SetSortOrder(int Row, int Value) {
  const int N = NrRows();
  if (Row < 1 || Row > N || Value < 1 || Value > N) return;
  if (FOrder.empty()) {
    FOrder.resize(N);
    for (int I = 0; I < N; ++I) FOrder[I] = I;
  }
  const auto It = std::find(FOrder.begin(), FOrder.end(), Value - 1);
  *It = FOrder[Row - 1];
  FOrder[Row - 1] = Value - 1;
}

void TStringArray::InsertRow(int Row) {
  const int N = NrRows();
  if (Row < 1 || Row > N + 1) return;
  if (N >= MaxRows) RaiseNoMemory("InsertRow");
  try {
    ReserveRows(std::size_t(N) + 1);
    if (FOrder.empty()) {
      FRowData.insert(FRowData.begin() + (Row - 1), nullptr);
      FRowAttrib.insert(FRowAttrib.begin() + (Row - 1), 0);
    } else {
      FOrder.insert(FOrder.begin() + (Row - 1), N);
      FRowData.push_back(nullptr);
      FRowAttrib.push_back(0);
    }
  } catch (const std::bad_alloc&) {
    RaiseNoMemory("InsertRow");
  }
  Changed();
}

void TStringArray::RemoveRow(int Row) {
  if (Row < 1 || Row > NrRows()) return;
  const int P = Physical(Row);
  std::free(FRowData[P]);
  FRowData.erase(FRowData.begin() + P);
  FRowAttrib.erase(FRowAttrib.begin() + P);
  if (!FOrder.empty()) {
    FOrder.erase(FOrder.begin() + (Row - 1));
    for (auto& Q : FOrder)
      if (Q > P) --Q;
  }
  Changed();
}

// Frees and removes the marked stored rows and renumbers the order.
void TStringArray::DropRows(const std::vector<bool>& DropPhysical, int Remaining) {
  const int OldRows = NrRows();
  std::vector<std::int32_t> NewIndex(OldRows, -1);
  int Next = 0;
  for (int P = 0; P < OldRows; ++P)
    if (!DropPhysical[P]) NewIndex[P] = Next++;
  if (!FOrder.empty()) {
    std::size_t Kept = 0;
    for (std::int32_t P : FOrder)
      if (NewIndex[P] >= 0) FOrder[Kept++] = NewIndex[P];
    FOrder.resize(Kept);
  }
  for (int P = 0; P < OldRows; ++P) {
    if (DropPhysical[P]) {
      std::free(FRowData[P]);
      continue;
    }
    FRowData[NewIndex[P]] = FRowData[P];
    FRowAttrib[NewIndex[P]] = FRowAttrib[P];
  }
  FRowData.resize(Remaining);
  FRowAttrib.resize(Remaining);
}

int TStringArray::RemoveRowsIf(const std::function<bool(int Row)>& Remove) {
  const int N = NrRows();
  std::vector<bool> Drop(N, false);
  int Count = 0;
  for (int R = 1; R <= N; ++R) {
    if (!Remove(R)) continue;
    Drop[Physical(R)] = true;
    ++Count;
  }
  if (Count == 0) return 0;
  DropRows(Drop, N - Count);
  Changed();
  return Count;
}

std::size_t TStringArray::MemoryUsed() const {
  // malloc keeps a size word per block and rounds up to 16 bytes.
  std::size_t Bytes = FRowData.capacity() * sizeof(TRowBlock) + FRowAttrib.capacity() +
                      FColAttrib.capacity() + FOrder.capacity() * sizeof(std::int32_t);
  const std::size_t Header = HeaderUnits();
  for (TRowBlock B : FRowData) {
    if (!B) continue;
    const auto* Len = reinterpret_cast<const std::uint8_t*>(B);
    std::size_t Units = Header;
    for (int C = 0; C <= FNrCols; ++C) Units += Len[C];
    Bytes += (Units * sizeof(char16_t) + 8 + 15) / 16 * 16;
  }
  return Bytes;
}

void TStringArray::Changed() {
  if (FHolds > 0) FHeldChange = true;
  else NotifyChange();
}

void TStringArray::NotifyChange() {
  if (FOwnerNotify) FOwnerNotify();
  if (OnChange) OnChange(this);
}

void TStringArray::ReleaseNotify(bool Report) {
  if (FHolds == 0 || --FHolds > 0) return;
  if (std::exchange(FHeldChange, false) && Report) NotifyChange();
}

// ---------------------------------------------------------------------------
// TBitFld

TBitFld::TBitFld(QObject* AOwner) : QObject(AOwner) {}

void TBitFld::SetSize(int N) {
  N = std::max(N, 0);
  FWords.resize((std::size_t(N) + 63) / 64, 0);
  // Bits beyond the size stay clear, so that they never count.
  if (N % 64 != 0) FWords.back() &= (std::uint64_t(1) << (N % 64)) - 1;
  FSize = N;
}

bool TBitFld::GetBit(int I) const {
  if (I < 0 || I >= FSize) return false;
  return (FWords[I / 64] >> (I % 64)) & 1u;
}

void TBitFld::SetBit(int I, bool Value) {
  if (I < 0 || I >= FSize) return;
  const std::uint64_t Mask = std::uint64_t(1) << (I % 64);
  if (Value) FWords[I / 64] |= Mask;
  else FWords[I / 64] &= ~Mask;
}

void TBitFld::Clear() { std::fill(FWords.begin(), FWords.end(), 0); }

int TBitFld::FirstTrueBit() const {
  for (std::size_t W = 0; W < FWords.size(); ++W)
    if (FWords[W]) return int(W * 64) + std::countr_zero(FWords[W]);
  return -1;
}

int TBitFld::CountTrueBits() const {
  int Count = 0;
  for (std::uint64_t W : FWords) Count += std::popcount(W);
  return Count;
}

}  // namespace qor
