// Report-list documents, the line import and the HTML export.
//
// A report list is written as
//
//   <?xml version="1.0" encoding="UTF-8"?>          (only with CreateHeader)
//   <replist marker="kelvanory" id="Alpha">
//   <numcols>3</numcols>
//   <numrows>2</numrows>
//   <commonheader>Sales</commonheader>
//   <comment>first quarter</comment>
//   <colname col="1">Region</colname>
//   <columnformat col="1">[s][120]</columnformat>
//   <checkedcolumn col="2">1</checkedcolumn>         (0 none, 1 box, 2 radio)
//   <cell col="1" row="1">North</cell>               (stored text, check flag included)
//   </replist>
//
// one element per line; only non-empty cells and non-default column settings
// are written, rows in their current order. Texts escape & < > " as entities
// and every character below the blank, and any unpaired surrogate, as a
// numeric reference, so that every text reads back exactly.
//
// The reader takes the document as untrusted: it admits every table the
// container can hold, but allocates only as content arrives (rows for the
// cells read, the declared row count once the list is complete); elements
// that address cells or columns outside the declared counts are skipped, as
// are unknown elements; an unterminated element, a mismatched end tag or a
// missing "</replist>" fail the read. A list is read into a scratch object
// and only a complete read replaces the content.
//
// Both directions work on UTF-8 bytes in one pass: the writer escapes and
// encodes each text straight into an output buffer; the reader scans the
// bytes of the document and decodes each text, entities included, straight
// into the row it gathers. A device is left just behind the list that was
// read (a text stream behind the list's last line).
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>

#include "foundation/qor_streams.h"
#include "replist/qor_rldata.h"
#include "replist/qor_rlprivate_p.h"

namespace qor {

const std::array<const char*, 10> RepListXmlTagText = {
    "numcols", "numrows", "colname", "checkedcolumn", "commonheader",
    "columnformat", "cell", "comment", "/replist", "invalidtag"};
const char* const RepListMarker = "kelvanory";

namespace {

// Longest element (tag plus content) the reader accepts, in bytes.
constexpr qsizetype MaxElementLength = 1 << 22;
// Longest line taken from a text stream or a sequential device at once.
constexpr qint64 MaxLineLength = 1 << 22;
// Bytes read from a random-access device at once.
constexpr qint64 ChunkSize = 1 << 18;

// ---- Bytes

bool IsBlankByte(char C) { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }
char LowerByte(char C) { return C >= 'A' && C <= 'Z' ? char(C + ('a' - 'A')) : C; }

// Whether the N bytes at P equal the lower-case ASCII word Lower, ignoring case.
bool SameWord(const char* P, qsizetype N, const char* Lower) {
  qsizetype I = 0;
  for (; I < N && Lower[I]; ++I)
    if (LowerByte(P[I]) != Lower[I]) return false;
  return I == N && !Lower[I];
}

// First occurrence of the lower-case ASCII word Lower in [B, E), ignoring case.
const char* FindWord(const char* B, const char* E, const char* Lower) {
  const qsizetype N = qsizetype(std::strlen(Lower));
  for (const char* P = B; E - P >= N; ++P) {
    if (LowerByte(*P) == Lower[0] && SameWord(P, N, Lower)) return P;
  }
  return nullptr;
}

void TrimBytes(const char*& B, const char*& E) {
  while (B < E && IsBlankByte(*B)) ++B;
  while (E > B && IsBlankByte(E[-1])) --E;
}

// A decimal integer filling [B, E) apart from blanks around it, with an
// optional sign; false when there is none or it does not fit an int.
template <typename TChar>
bool ParseInt(const TChar* B, const TChar* E, int& Value) {
  while (B < E && (*B == ' ' || *B == '\t' || *B == '\r' || *B == '\n')) ++B;
  while (E > B && (E[-1] == ' ' || E[-1] == '\t' || E[-1] == '\r' || E[-1] == '\n')) --E;
  bool Negative = false;
  if (B < E && (*B == '+' || *B == '-')) Negative = *B++ == '-';
  if (B == E) return false;
  long long V = 0;
  for (; B < E; ++B) {
    if (*B < '0' || *B > '9') return false;
    V = V * 10 + (*B - '0');
    if (V > 2147483648LL) return false;
  }
  if (Negative) V = -V;
  if (V > INT_MAX || V < INT_MIN) return false;
  Value = int(V);
  return true;
}

// ---- Escaping: UTF-16 to UTF-8 with & < > " as entities, every character
// below the blank and every unpaired surrogate as a numeric reference.

// Bytes one code unit can take at most ("&#65535;").
constexpr qsizetype MaxEscapedUnitBytes = 8;

char* PutUInt(char* Out, unsigned V) {
  char Digits[10];
  int N = 0;
  do {
    Digits[N++] = char('0' + V % 10);
    V /= 10;
  } while (V);
  while (N) *Out++ = Digits[--N];
  return Out;
}

char* PutLiteral(char* Out, const char* Text, qsizetype N) {
  std::memcpy(Out, Text, std::size_t(N));
  return Out + N;
}

// Writes Text escaped at Out (room for MaxEscapedUnitBytes per unit) and
// returns the end.
char* PutEscaped(char* Out, QStringView Text) {
  const char16_t* P = Text.utf16();
  const char16_t* const E = P + Text.size();
  while (P < E) {
    const char16_t C = *P++;
    if (C >= 0x20 && C < 0x80) {
      switch (C) {
        case u'&': Out = PutLiteral(Out, "&amp;", 5); break;
        case u'<': Out = PutLiteral(Out, "&lt;", 4); break;
        case u'>': Out = PutLiteral(Out, "&gt;", 4); break;
        case u'"': Out = PutLiteral(Out, "&quot;", 6); break;
        default: *Out++ = char(C);
      }
    } else if (C < 0x20) {
      *Out++ = '&';
      *Out++ = '#';
      Out = PutUInt(Out, C);
      *Out++ = ';';
    } else if (C < 0x800) {
      *Out++ = char(0xC0 | (C >> 6));
      *Out++ = char(0x80 | (C & 0x3F));
    } else if (QChar::isHighSurrogate(C) && P < E && QChar::isLowSurrogate(*P)) {
      const char32_t U = QChar::surrogateToUcs4(C, *P++);
      *Out++ = char(0xF0 | (U >> 18));
      *Out++ = char(0x80 | ((U >> 12) & 0x3F));
      *Out++ = char(0x80 | ((U >> 6) & 0x3F));
      *Out++ = char(0x80 | (U & 0x3F));
    } else if (QChar::isSurrogate(C)) {
      *Out++ = '&';
      *Out++ = '#';
      Out = PutUInt(Out, C);
      *Out++ = ';';
    } else {
      *Out++ = char(0xE0 | (C >> 12));
      *Out++ = char(0x80 | ((C >> 6) & 0x3F));
      *Out++ = char(0x80 | (C & 0x3F));
    }
  }
  return Out;
}

QByteArray EscapedBytes(QStringView Text) {
  QByteArray Out(Text.size() * MaxEscapedUnitBytes, Qt::Uninitialized);
  Out.truncate(PutEscaped(Out.data(), Text) - Out.constData());
  return Out;
}

QString Escaped(QStringView Text) { return QString::fromUtf8(EscapedBytes(Text)); }

// ---- Decoding: UTF-8 to UTF-16, entities of the writer plus &apos; and
// hexadecimal references decoded on the way; anything else after "&" stays as
// it is, and bytes that are no UTF-8 become U+FFFD.

// One entity at P (just behind "&") up to E; the code it stands for and the
// position behind its ";", or false.
bool DecodeEntity(const char* P, const char* E, char32_t& Code, const char*& After) {
  const char* Semi = static_cast<const char*>(std::memchr(P, ';', std::size_t(std::min<qsizetype>(E - P, 12))));
  if (!Semi) return false;
  const qsizetype N = Semi - P;
  After = Semi + 1;
  if (N >= 2 && P[0] == '#') {
    const bool Hex = P[1] == 'x' || P[1] == 'X';
    const char* D = P + (Hex ? 2 : 1);
    if (D == Semi) return false;
    std::uint32_t V = 0;
    for (; D < Semi; ++D) {
      int Digit;
      if (*D >= '0' && *D <= '9') Digit = *D - '0';
      else if (Hex && LowerByte(*D) >= 'a' && LowerByte(*D) <= 'f') Digit = LowerByte(*D) - 'a' + 10;
      else return false;
      V = V * (Hex ? 16 : 10) + std::uint32_t(Digit);
      if (V > 0x10FFFF) return false;
    }
    Code = V;
    return true;
  }
  static const struct {
    const char* Name;
    char32_t Code;
  } Named[] = {{"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''}};
  for (const auto& [Name, C] : Named) {
    if (qsizetype(std::strlen(Name)) == N && std::memcmp(P, Name, std::size_t(N)) == 0) {
      Code = C;
      return true;
    }
  }
  return false;
}

// One UTF-8 sequence at P (a byte of 0x80 or above); U+FFFD and one byte for
// anything that is not a shortest-form sequence of a scalar value.
char32_t DecodeUtf8(const char*& P, const char* E) {
  const auto B0 = static_cast<unsigned char>(*P);
  int Len;
  char32_t Min, U;
  if (B0 >= 0xC2 && B0 <= 0xDF) Len = 2, Min = 0x80, U = B0 & 0x1F;
  else if (B0 >= 0xE0 && B0 <= 0xEF) Len = 3, Min = 0x800, U = B0 & 0x0F;
  else if (B0 >= 0xF0 && B0 <= 0xF4) Len = 4, Min = 0x10000, U = B0 & 0x07;
  else {
    ++P;
    return 0xFFFD;
  }
  if (E - P < Len) {
    ++P;
    return 0xFFFD;
  }
  for (int I = 1; I < Len; ++I) {
    const auto B = static_cast<unsigned char>(P[I]);
    if ((B & 0xC0) != 0x80) {
      ++P;
      return 0xFFFD;
    }
    U = (U << 6) | (B & 0x3F);
  }
  if (U < Min || U > 0x10FFFF || (U >= 0xD800 && U <= 0xDFFF)) {
    ++P;
    return 0xFFFD;
  }
  P += Len;
  return U;
}

// Decodes [B, E) to the end of Out (reused; its capacity grows as needed).
void AppendDecoded(const char* B, const char* E, QString& Out) {
  const qsizetype Old = Out.size();
  Out.resize(Old + (E - B));  // never more units than bytes
  char16_t* const Start = reinterpret_cast<char16_t*>(Out.data());
  char16_t* O = Start + Old;
  const char* P = B;
  while (P < E) {
    const char C = *P;
    if (static_cast<unsigned char>(C) < 0x80 && C != '&') {
      *O++ = char16_t(C);
      ++P;
      continue;
    }
    char32_t Code;
    if (C == '&') {
      const char* After;
      if (DecodeEntity(P + 1, E, Code, After)) {
        P = After;
      } else {
        Code = u'&';
        ++P;
      }
    } else {
      Code = DecodeUtf8(P, E);
    }
    if (Code > 0xFFFF) {
      *O++ = QChar::highSurrogate(Code);
      *O++ = QChar::lowSurrogate(Code);
    } else {
      *O++ = char16_t(Code);
    }
  }
  Out.truncate(O - Start);
}

// ---- Header lines

// The identifier of a report-list header line: after the first id=" up to the
// next double quote, blanks around it removed, entities decoded. Returns
// false when Line is no header line.
bool HeaderLineId(QStringView Line, QString& Id) {
  if (!Line.contains(QLatin1String("<replist"), Qt::CaseInsensitive) ||
      !Line.contains(QLatin1String(RepListMarker), Qt::CaseInsensitive))
    return false;
  Id.clear();
  const qsizetype Opener = Line.indexOf(QLatin1String("id=\""), 0, Qt::CaseInsensitive);
  if (Opener >= 0) {
    const qsizetype Start = Opener + 4;
    const qsizetype End = Line.indexOf(u'"', Start);
    const QByteArray Raw = Line.mid(Start, (End < 0 ? Line.size() : End) - Start).toUtf8();
    AppendDecoded(Raw.constData(), Raw.constData() + Raw.size(), Id);
    Id = Id.trimmed();
  }
  return true;
}

bool IdMatches(const QString& Id, const QString& Wanted) {
  const QString W = Wanted.trimmed();
  return W.isEmpty() || Id.compare(W, Qt::CaseInsensitive) == 0;
}

}  // namespace

// ---- Sources of document bytes

namespace rl {

class TSource {
 public:
  virtual ~TSource() = default;
  // Appends more bytes to Buf; false at the end.
  virtual bool More(QByteArray& Buf) = 0;
  // The last N bytes handed out follow the list: give them back if possible.
  virtual void GiveBack(const char* Bytes, qsizetype N) {
    Q_UNUSED(Bytes);
    Q_UNUSED(N);
  }
};

// A whole document in memory.
class TMemorySource : public TSource {
 public:
  explicit TMemorySource(QByteArray Doc) : FDoc(std::move(Doc)) {}
  bool More(QByteArray& Buf) override {
    if (FDone) return false;
    FDone = true;
    if (Buf.isEmpty()) Buf = std::move(FDoc);
    else Buf += FDoc;
    return true;
  }

 private:
  QByteArray FDoc;
  bool FDone = false;
};

// A device: random-access ones in large chunks (seeking back over what
// follows the list), others (and text-mode ones, whose positions do not count
// bytes handed out) line by line, giving the rest of the last line back.
class TDeviceSource : public TSource {
 public:
  explicit TDeviceSource(QIODevice& Device)
      : FDevice(Device),
        FChunks(!Device.isSequential() && !(Device.openMode() & QIODevice::Text)) {}
  bool More(QByteArray& Buf) override {
    const qsizetype Old = Buf.size();
    // readLine ends what it reads with a zero byte.
    Buf.resize(Old + (FChunks ? ChunkSize : MaxLineLength + 1));
    const qint64 Got = FChunks ? FDevice.read(Buf.data() + Old, ChunkSize)
                               : FDevice.readLine(Buf.data() + Old, MaxLineLength + 1);
    Buf.truncate(Old + std::max<qint64>(Got, 0));
    return Got > 0;
  }
  void GiveBack(const char* Bytes, qsizetype N) override {
    if (N <= 0) return;
    if (FChunks) {
      FDevice.seek(FDevice.pos() - N);
      return;
    }
    for (qsizetype I = N; I-- > 0;) FDevice.ungetChar(Bytes[I]);
  }

 private:
  QIODevice& FDevice;
  const bool FChunks;
};

// An open text stream, line by line, so that it stands behind the list's
// last line when done.
class TTextStreamSource : public TSource {
 public:
  explicit TTextStreamSource(QTextStream& TF) : FTF(TF) {}
  bool More(QByteArray& Buf) override {
    if (FTF.atEnd()) return false;
    Buf += FTF.readLine(MaxLineLength).toUtf8();
    Buf += '\n';
    return true;
  }

 private:
  QTextStream& FTF;
};

}  // namespace rl

namespace {

struct TAttr {
  int Col = -1;
  int Row = -1;
};

// Reads col="n" and row="n" from the attribute bytes of a tag.
TAttr ReadAttributes(const char* B, const char* E) {
  TAttr A;
  const char* P = B;
  while (P < E) {
    const char* Eq = static_cast<const char*>(std::memchr(P, '=', std::size_t(E - P)));
    if (!Eq) break;
    const char* NameB = P;
    const char* NameE = Eq;
    TrimBytes(NameB, NameE);
    const char* V = Eq + 1;
    while (V < E && IsBlankByte(*V)) ++V;
    if (V >= E || (*V != '"' && *V != '\'')) break;
    const char* Close = static_cast<const char*>(std::memchr(V + 1, *V, std::size_t(E - V - 1)));
    if (!Close) break;
    int Value = 0;
    if (ParseInt(V + 1, Close, Value)) {
      if (SameWord(NameB, NameE - NameB, "col")) A.Col = Value;
      else if (SameWord(NameB, NameE - NameB, "row")) A.Row = Value;
    }
    P = Close + 1;
  }
  return A;
}

TRepListXmlTag TagOf(const char* Name, qsizetype N) {
  for (int T = xmlNumCols; T < xmlEndReplist; ++T)
    if (SameWord(Name, N, RepListXmlTagText[T])) return TRepListXmlTag(T);
  return xmlInvalid;
}

// Whether [B, E) is the end tag "/Name" (blanks allowed after the slash and
// around the name).
bool IsEndTag(const char* B, const char* E, const char* Name, qsizetype N) {
  if (B == E || *B != '/') return false;
  ++B;
  TrimBytes(B, E);
  if (E - B != N) return false;
  for (qsizetype I = 0; I < N; ++I)
    if (LowerByte(B[I]) != LowerByte(Name[I])) return false;
  return true;
}

}  // namespace

// Finds one list in a byte source and parses its body into a scratch TRLData.
class TRLDataReader {
 public:
  TRLDataReader(TRLData& Target, rl::TSource& Source) : FT(Target), FSource(Source) {}

  // Finds the header line of the wanted list and stands behind its start tag.
  bool FindList(const QString& DataID, QString& Id) {
    for (;;) {
      qsizetype Nl = FBuf.indexOf('\n', FPos);
      if (Nl < 0 && FBuf.size() - FPos <= MaxLineLength) {
        if (Refill()) continue;
        if (FPos >= FBuf.size()) return false;
        Nl = FBuf.size();
      }
      if (Nl < 0) Nl = FPos + MaxLineLength;
      const char* const B = FBuf.constData() + FPos;
      const char* const E = FBuf.constData() + Nl;
      const qsizetype LineStart = FPos;
      FPos = std::min(Nl + 1, FBuf.size());
      const char* Open = FindWord(B, E, "<replist");
      if (!Open || !FindWord(B, E, RepListMarker)) continue;
      if (!HeaderLineId(QString::fromUtf8(B, E - B), Id) || !IdMatches(Id, DataID)) continue;
      const char* Gt = static_cast<const char*>(std::memchr(Open, '>', std::size_t(E - Open)));
      FPos = Gt ? LineStart + (Gt - B) + 1 : Nl;
      return true;
    }
  }

  // Reads the body; true when the list ended with its end tag and every
  // element was sound. Gives back to the source what follows the list.
  bool Read() {
    if (!ReadBody()) return false;
    FSource.GiveBack(FBuf.constData() + FPos, FBuf.size() - FPos);
    // The declared rows, allocated now that the list is complete.
    if (FT.FNrOfRows != FDeclaredRows) FT.SetNrRows(FDeclaredRows);
    return true;
  }

 private:
  bool ReadBody() {
    for (;;) {
      const char* const Base = FBuf.constData();
      const qsizetype Size = FBuf.size();
      const char* Lt = static_cast<const char*>(std::memchr(Base + FPos, '<', std::size_t(Size - FPos)));
      if (!Lt) {
        FPos = Size;
        if (!Refill()) return false;
        continue;
      }
      const char* const End = Base + Size;
      const char* Gt = static_cast<const char*>(std::memchr(Lt + 1, '>', std::size_t(End - Lt - 1)));
      if (!Gt) {
        FPos = Lt - Base;
        if (!Refill()) return false;
        continue;
      }
      const char* const TagB = Lt + 1;
      const char* const TagE = Gt;
      if (TagB < TagE && *TagB == '/') {
        if (IsEndTag(TagB, TagE, "replist", 7)) {
          FPos = Gt + 1 - Base;
          FlushRow();
          return true;
        }
        FPos = Gt + 1 - Base;  // a stray end tag
        continue;
      }
      if (TagB < TagE && (*TagB == '?' || *TagB == '!')) {
        FPos = Gt + 1 - Base;
        continue;
      }
      const char* NameE = TagB;
      while (NameE < TagE && !IsBlankByte(*NameE) && *NameE != '/') ++NameE;
      const qsizetype NameLen = NameE - TagB;
      const TRepListXmlTag Tag = TagOf(TagB, NameLen);
      if (TagB < TagE && TagE[-1] == '/') {
        FPos = Gt + 1 - Base;
        if (!Element(Tag, NameE, TagE - 1, Gt, Gt)) return false;
        continue;
      }
      // The content runs to the next "<", which must open the matching end
      // tag; an unknown element is skipped up to its end tag.
      const char* EndLt = Gt + 1;
      const char* EndGt = nullptr;
      for (;;) {
        EndLt = static_cast<const char*>(std::memchr(EndLt, '<', std::size_t(End - EndLt)));
        if (!EndLt) break;
        EndGt = static_cast<const char*>(std::memchr(EndLt + 1, '>', std::size_t(End - EndLt - 1)));
        if (!EndGt || Tag != xmlInvalid || IsEndTag(EndLt + 1, EndGt, TagB, NameLen)) break;
        EndLt = EndLt + 1;
        EndGt = nullptr;
      }
      if (!EndGt) {
        FPos = Lt - Base;
        if (!Refill()) return false;
        continue;
      }
      FPos = EndGt + 1 - Base;
      if (Tag == xmlInvalid) continue;
      if (!IsEndTag(EndLt + 1, EndGt, TagB, NameLen)) return false;
      if (!Element(Tag, NameE, TagE, Gt + 1, EndLt)) return false;
    }
  }

  // One known element with its attribute and content bytes. Cells of one row
  // are gathered and stored together.
  bool Element(TRepListXmlTag Tag, const char* AttrB, const char* AttrE, const char* TextB,
               const char* TextE) {
    if (Tag != xmlCell) {
      FlushRow();
      FText.resize(0);
      AppendDecoded(TextB, TextE, FText);
      return Apply(Tag, AttrB, AttrE);
    }
    const TAttr A = ReadAttributes(AttrB, AttrE);
    if (A.Col >= 0 && A.Col <= FT.FNrOfCols && A.Row >= 1 && A.Row <= FDeclaredRows) {
      if (A.Row != FPendingRow) FlushRow();
      FPendingRow = A.Row;
      const qsizetype Off = FArena.size();
      AppendDecoded(TextB, TextE, FArena);
      FPending.push_back({A.Col, Off, FArena.size() - Off});
    }
    if (++FCells % FStep == 0 && FT.ProgressWanted()) FT.ReportProgress(int(std::min(100LL, FCells * 100 / FTotal)));
    return true;
  }

  // Stores the gathered cells of a row: a row without content yet as one block.
  void FlushRow() {
    if (FPendingRow == 0) return;
    const int R = FPendingRow;
    FPendingRow = 0;
    if (R > FT.FNrOfRows) GrowTo(R);
    TStringArray& S = *FT.FStrings;
    if (S.RowEmpty(R)) {
      int Count = 0;
      for (const TPendingCell& P : FPending) Count = std::max(Count, P.Col + 1);
      FViews.assign(std::size_t(Count), QStringView());
      for (const TPendingCell& P : FPending) FViews[P.Col] = QStringView(FArena).mid(P.Offset, P.Length);
      S.SetRow(R, FViews.data(), Count);
    } else {
      for (const TPendingCell& P : FPending) S.SetString(P.Col, R, QStringView(FArena).mid(P.Offset, P.Length));
    }
    FPending.clear();
    FArena.resize(0);
  }

  // Drops what is parsed and appends more bytes; false at the end of the
  // document or when one element grows beyond the bound.
  bool Refill() {
    if (FPos > 0) {
      FBuf.remove(0, FPos);
      FPos = 0;
    }
    if (FBuf.size() > MaxElementLength) return false;
    return FSource.More(FBuf);
  }

  bool ReadCount(int Min, int Max, int& Count) const {
    const auto* B = reinterpret_cast<const char16_t*>(FText.constData());
    return ParseInt(B, B + FText.size(), Count) && Count >= Min && Count <= Max;
  }

  void UpdateProgressStep() {
    FTotal = std::max(1LL, (long long)std::max(FDeclaredRows, 1) * (FT.FNrOfCols + 1));
    FStep = FTotal / 100 + 1;
  }

  // Rows are allocated as cells arrive, ahead in growing steps.
  void GrowTo(int Row) {
    const long long Ahead = std::max<long long>({Row, 2LL * FT.FNrOfRows, 1024});
    FT.SetNrRows(int(std::min<long long>(Ahead, FDeclaredRows)));
  }

  bool Apply(TRepListXmlTag Tag, const char* AttrB, const char* AttrE) {
    int N = 0;
    switch (Tag) {
      case xmlNumCols:
        if (!ReadCount(1, TStringArray::MaxColumns, N)) return false;
        FT.SetNrCols(N);
        UpdateProgressStep();
        break;
      case xmlNumRows:
        if (!ReadCount(0, TStringArray::MaxRows, N)) return false;
        FDeclaredRows = N;
        if (FT.FNrOfRows > N) FT.SetNrRows(N);
        UpdateProgressStep();
        break;
      case xmlColName: FT.SetColName(ReadAttributes(AttrB, AttrE).Col, FText); break;
      case xmlColumnFormat: FT.SetColumnFormat(ReadAttributes(AttrB, AttrE).Col, FText); break;
      case xmlCheckedColumn: {
        // Cells carry their flags already, so the mode is set as it is.
        const int Col = ReadAttributes(AttrB, AttrE).Col;
        if (ReadCount(0, cmRadio, N) && FT.ValidCol(Col)) FT.FColButMode[Col - 1] = TCheckMode(N);
        break;
      }
      case xmlCommonHd: FT.FCommonHeader = FText; break;
      case xmlComment: FT.FComment = FText; break;
      default: break;
    }
    return true;
  }

  TRLData& FT;
  rl::TSource& FSource;
  QByteArray FBuf;
  qsizetype FPos = 0;
  QString FText;
  // The cells of the row being gathered: texts back to back in FArena.
  struct TPendingCell {
    int Col;
    qsizetype Offset, Length;
  };
  int FPendingRow = 0;
  std::vector<TPendingCell> FPending;
  QString FArena;
  std::vector<QStringView> FViews;
  int FDeclaredRows = 0;
  long long FCells = 0;
  long long FTotal = 1;
  long long FStep = 1;
};

// Reads the wanted list into a scratch object; only a complete read replaces
// the content.
bool TRLData::ReadXML(rl::TSource& Source, const QString& DataID) {
  TRLData Scratch;
  if (ProgressWanted()) Scratch.OnPercentDone = [this](TObject*, int P) { ReportProgress(P); };
  TRLDataReader Reader(Scratch, Source);
  QString Id;
  if (!Reader.FindList(DataID, Id)) return false;
  try {
    if (!Reader.Read()) return false;
  } catch (const EQORError&) {
    return false;  // the size could not be held
  }
  Scratch.FDataID = Id;
  TakeContent(Scratch);
  ReportProgress(100);
  return true;
}

bool TRLData::ReadFromOpenXMLFile(QTextStream& TF, const QString& DataID) {
  rl::TTextStreamSource Source(TF);
  return ReadXML(Source, DataID);
}

bool TRLData::ReadFromXMLString(const QString& InString, const QString& DataID) {
  rl::TMemorySource Source(InString.toUtf8());
  return ReadXML(Source, DataID);
}

bool TRLData::ReadFromXMLStream(QIODevice* InStream, const QString& DataID) {
  if (!InStream || !InStream->isReadable()) return false;
  rl::TDeviceSource Source(*InStream);
  return ReadXML(Source, DataID);
}

bool TRLData::LoadFromXMLFile(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly)) return false;
  rl::TDeviceSource Source(F);
  return ReadXML(Source, DataID);
}

// ---- Writing

namespace rl {

// Output in blocks of bytes handed to a sink; Failed tells whether the sink
// refused any.
class TXmlOut {
 public:
  explicit TXmlOut(std::function<bool(const char*, qsizetype)> Sink)
      : FSink(std::move(Sink)), FBuf(BlockSize, Qt::Uninitialized) {}

  // Room for N more bytes at Pos() (N at most the block size).
  char* Room(qsizetype N) {
    if (FUsed + N > FBuf.size()) Flush();
    return FBuf.data() + FUsed;
  }
  void Advance(char* NewEnd) { FUsed = NewEnd - FBuf.constData(); }
  void Put(const char* Text, qsizetype N) { Advance(PutLiteral(Room(N), Text, N)); }
  void Put(const char* Text) { Put(Text, qsizetype(std::strlen(Text))); }
  void PutText(QStringView Text) {
    // Long texts (headers and comments are not cut) go in pieces, never
    // splitting a surrogate pair.
    constexpr qsizetype Piece = 4096;
    qsizetype I = 0;
    while (I < Text.size()) {
      qsizetype N = std::min(Piece, Text.size() - I);
      if (I + N < Text.size() && Text[I + N - 1].isHighSurrogate()) --N;
      Advance(PutEscaped(Room(N * MaxEscapedUnitBytes), Text.mid(I, N)));
      I += N;
    }
  }
  void PutInt(int V) {
    char* P = Room(12);
    if (V < 0) *P++ = '-';
    Advance(PutUInt(P, V < 0 ? 0u - unsigned(V) : unsigned(V)));
  }
  void Element(TRepListXmlTag Tag, int Col, QStringView Text) {
    const char* Name = RepListXmlTagText[Tag];
    Put("<");
    Put(Name);
    if (Col >= 0) {
      Put(" col=\"");
      PutInt(Col);
      Put("\"");
    }
    Put(">");
    PutText(Text);
    Put("</");
    Put(Name);
    Put(">\n");
  }
  bool Flush() {
    if (FUsed > 0 && !FSink(FBuf.constData(), FUsed)) FFailed = true;
    FUsed = 0;
    return !FFailed;
  }
  bool Failed() const { return FFailed; }

  static constexpr qsizetype BlockSize = 1 << 16;

 private:
  std::function<bool(const char*, qsizetype)> FSink;
  QByteArray FBuf;
  qsizetype FUsed = 0;
  bool FFailed = false;
};

}  // namespace rl

void TRLData::WriteXML(rl::TXmlOut& Out, bool CreateHeader, const QString& DataID) {
  if (CreateHeader) Out.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  Out.Put("<replist marker=\"");
  Out.Put(RepListMarker);
  Out.Put("\" id=\"");
  Out.PutText(DataID);
  Out.Put("\">\n");
  Out.Element(xmlNumCols, -1, QString::number(FNrOfCols));
  Out.Element(xmlNumRows, -1, QString::number(FNrOfRows));
  Out.Element(xmlCommonHd, -1, FCommonHeader);
  if (!FComment.isEmpty()) Out.Element(xmlComment, -1, FComment);
  for (int C = 1; C <= FNrOfCols; ++C) {
    if (FColName[C - 1] != QStringLiteral("C-") + QString::number(C)) Out.Element(xmlColName, C, FColName[C - 1]);
    if (!FColumnFormat[C - 1].isEmpty()) Out.Element(xmlColumnFormat, C, FColumnFormat[C - 1]);
    if (FColButMode[C - 1] != cmNone)
      Out.Element(xmlCheckedColumn, C, QString::number(int(FColButMode[C - 1])));
  }
  rl::TFeedback Progress(this, (long long)FNrOfRows * (FNrOfCols + 1));
  // <cell col="C" row="R">text</cell>, the row part prepared once per row.
  constexpr qsizetype CellFrame = 64;
  char RowPart[24];
  for (int R = 1; R <= FNrOfRows; ++R) {
    Progress.Advance(FNrOfCols + 1);
    if (FStrings->RowEmpty(R)) continue;
    char* RowEnd = PutLiteral(RowPart, "\" row=\"", 7);
    RowEnd = PutUInt(RowEnd, unsigned(R));
    RowEnd = PutLiteral(RowEnd, "\">", 2);
    const qsizetype RowLen = RowEnd - RowPart;
    for (int C = 0; C <= FNrOfCols; ++C) {
      const QStringView S = FStrings->StringView(C, R);
      if (S.isEmpty()) continue;
      char* P = Out.Room(CellFrame + S.size() * MaxEscapedUnitBytes);
      P = PutLiteral(P, "<cell col=\"", 11);
      P = PutUInt(P, unsigned(C));
      P = PutLiteral(P, RowPart, RowLen);
      P = PutEscaped(P, S);
      Out.Advance(PutLiteral(P, "</cell>\n", 8));
    }
  }
  Out.Put("</replist>\n");
  Out.Flush();
}

void TRLData::WriteToOpenXMLFile(QTextStream& TF, bool CreateHeader, const QString& DataID) {
  rl::TXmlOut Out([&TF](const char* Bytes, qsizetype N) {
    TF << QString::fromUtf8(Bytes, N);
    return TF.status() == QTextStream::Ok;
  });
  WriteXML(Out, CreateHeader, DataID);
  TF.flush();
  if (Out.Failed() || TF.status() != QTextStream::Ok)
    throw EQORError(QStringLiteral("TRLData.WriteToOpenXMLFile: the list could not be written"));
}

void TRLData::WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID) {
  if (!OutStream || !OutStream->isWritable())
    throw EQORError(QStringLiteral("TRLData.WriteToXMLStream: the stream is not writable"));
  rl::TXmlOut Out([OutStream](const char* Bytes, qsizetype N) { return OutStream->write(Bytes, N) == N; });
  WriteXML(Out, CreateHeader, DataID);
  if (Out.Failed())
    throw EQORError(QStringLiteral("TRLData.WriteToXMLStream: the list could not be written"));
}

void TRLData::SaveAsXMLFile(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw EQORError(QStringLiteral("TRLData.SaveAsXMLFile: cannot write \"%1\"").arg(FName));
  WriteToXMLStream(&F, true, DataID);
  if (!F.flush())
    throw EQORError(QStringLiteral("TRLData.SaveAsXMLFile: cannot write \"%1\"").arg(FName));
}

QString TRLData::WriteToXMLString(const QString& DataID) {
  QByteArray Doc;
  rl::TXmlOut Out([&Doc](const char* Bytes, qsizetype N) {
    Doc.append(Bytes, N);
    return true;
  });
  WriteXML(Out, true, DataID);
  return QString::fromUtf8(Doc);
}

// ---- Recognition

bool CheckIfValidReplist(QIODevice* Stream, const QString& DataID) {
  if (!Stream || !Stream->isReadable()) return false;
  bool Eof = false;
  QString Id;
  while (!Eof) {
    const QString Line = ReadLnStream(*Stream, Eof, 0);
    if (HeaderLineId(Line, Id) && IdMatches(Id, DataID)) return true;
  }
  return false;
}

bool CheckIfValidReplist(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly))
    throw EQORError(QStringLiteral("CheckIfValidReplist: cannot open \"%1\"").arg(FName));
  return CheckIfValidReplist(&F, DataID);
}

// ---- Line import

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const QString& FName) {
  if (Column < 0 || Column > FNrOfCols) return -1;
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly)) return -1;
  FirstRow = std::max(FirstRow, 1);
  rl::TChangeBatch Batch(*FStrings, true);
  rl::TFeedback Progress(this, F.size());
  int Count = 0;
  bool Eof = F.atEnd();
  while (!Eof) {
    const qint64 Before = F.pos();
    // Longer lines are cut to the cell length anyway.
    const QString Line = ReadLnStream(F, Eof, TStringArray::MaxTextLength * 4);
    const long long Row = (long long)FirstRow + Count;
    if (Row > TStringArray::MaxRows) break;
    if (Row > FNrOfRows) SetNrRows(int(Row));
    SetElem(Column, int(Row), Line);
    ++Count;
    Progress.Advance(F.pos() - Before);
  }
  return Count;
}

int TRLData::LoadRows(int FirstRow, const QList<QStringList>& Rows) {
  FirstRow = std::max(FirstRow, 1);
  const long long Last = std::min<long long>((long long)FirstRow + Rows.size() - 1,
                                             TStringArray::MaxRows);
  const int Count = int(std::max<long long>(Last - FirstRow + 1, 0));
  if (Count == 0) return 0;
  rl::TChangeBatch Batch(*FStrings, true);
  if (Last > FNrOfRows) SetNrRows(int(Last));
  rl::TFeedback Progress(this, (long long)Count * FNrOfCols);
  for (int I = 0; I < Count; ++I) {
    const QStringList& Row = Rows[I];
    const int Cols = int(std::min<qsizetype>(Row.size(), FNrOfCols));
    for (int C = 1; C <= Cols; ++C) SetElem(C, FirstRow + I, Row[C - 1]);
    Progress.Advance(FNrOfCols);
  }
  return Count;
}

// ---- HTML export

bool TRLData::ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                              const QList<int>& ColumnSelection, int Border, int CellSpacing,
                              int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                              const QString& CellClass, const QString& TableClass) {
  LoC = std::max(LoC, 0);
  HiC = std::min(HiC, FNrOfCols);
  LoR = std::max(LoR, 1);
  HiR = std::min(HiR, FNrOfRows);
  QList<int> Columns;
  if (ColumnSelection.isEmpty()) {
    for (int C = LoC; C <= HiC; ++C) Columns.append(C);
  } else {
    for (int C : ColumnSelection)
      if (C >= LoC && C <= HiC) Columns.append(C);
  }
  QFile F(FName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream TF(&F);

  const auto ClassAttr = [](const QString& Class) -> QString {
    return Class.isEmpty() ? QString() : QStringLiteral(" class=\"") + Escaped(Class) + u'"';
  };
  // Line feeds in headers and cells become line breaks.
  const auto HtmlText = [](const QString& Text) -> QString {
    return Escaped(Text).replace(QLatin1String("&#10;"), QLatin1String("<br>"));
  };
  QString Buf;
  Buf += QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") +
         HtmlText(FCommonHeader) + QLatin1String("</title>\n</head>\n<body>\n<table") +
         ClassAttr(TableClass) + QStringLiteral(" border=\"%1\" cellspacing=\"%2\" cellpadding=\"%3\">\n")
                                     .arg(Border)
                                     .arg(CellSpacing)
                                     .arg(Cellpadding);
  if (IncludeHeader) {
    Buf += QLatin1String("<tr>");
    for (int C : Columns) {
      QString Text = GetColName(C);
      BeforeHTMLExport(Text, C, 0);
      Buf += QLatin1String("<th") + ClassAttr(HeadClass) + u'>' + HtmlText(Text) +
             QLatin1String("</th>");
    }
    Buf += QLatin1String("</tr>\n");
  }
  const QString CellOpen = QLatin1String("<td") + ClassAttr(CellClass) + u'>';
  rl::TFeedback Progress(this, (long long)Columns.size() * std::max(HiR - LoR + 1, 0));
  for (int R = LoR; R <= HiR; ++R) {
    Buf += QLatin1String("<tr>");
    for (int C : Columns) {
      QString Text = GetElem(C, R);
      BeforeHTMLExport(Text, C, R);
      Buf += CellOpen + HtmlText(Text) + QLatin1String("</td>");
    }
    Buf += QLatin1String("</tr>\n");
    Progress.Advance(Columns.size());
    if (Buf.size() > 1 << 16) {
      TF << Buf;
      Buf.clear();
    }
  }
  Buf += QLatin1String("</table>\n</body>\n</html>\n");
  TF << Buf;
  TF.flush();
  return TF.status() == QTextStream::Ok && F.error() == QFileDevice::NoError;
}

}  // namespace qor
