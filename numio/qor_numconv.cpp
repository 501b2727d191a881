#include "numio/qor_numconv_p.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/qor_univconst.h"

namespace qor {
namespace {

// ---- the floating-point state machine ------------------------------------
//
// Character classes and states of the scan. Every character is upper-cased
// before classification; a position past the end reads as "Z" (other).
enum TCharClass : std::uint8_t { ccSeparator, ccBlank, ccSign, ccDigit, ccExpLetter, ccOther };

constexpr std::int8_t sStart = 1, sExpLetter = 6, sExpDigits = 8, sEnd = 9, sError = 10;
// Stands for "6 when the exponent is allowed, else End".
constexpr std::int8_t sExpOrEnd = 0;

//   state            separator  blank  sign  digit  exp.letter  other/end
constexpr std::int8_t FloatTable[9][6] = {
    {},                                                          // (unused)
    {4, 1, 2, 3, sError, sError},                                // 1 start
    {4, sError, sError, 3, sError, sError},                      // 2 after the sign
    {4, sEnd, sEnd, 3, sExpOrEnd, sEnd},                         // 3 integer digits
    {sError, sEnd, sEnd, 5, sExpOrEnd, sEnd},                    // 4 after the separator
    {sError, sEnd, sEnd, 5, sExpOrEnd, sEnd},                    // 5 fraction digits
    {sError, sError, 7, 8, sError, sEnd},                        // 6 after the exponent letter
    {sError, sError, sError, 8, sError, sEnd},                   // 7 after the exponent sign
    {sEnd, sEnd, sEnd, 8, sEnd, sEnd}};                          // 8 exponent digits

bool IsSeparator(char16_t C, int SepMode) {
  switch (SepMode) {
    case 1: return C == u'.';
    case 2: return C == u',';
    default: return C == u'.' || C == u',';
  }
}

bool IsAsciiDigit(char16_t C) { return C >= u'0' && C <= u'9'; }

TCharClass ClassOf(char16_t C, int SepMode) {
  if (IsSeparator(C, SepMode)) return ccSeparator;
  if (C == u' ') return ccBlank;
  if (C == u'+' || C == u'-') return ccSign;
  if (IsAsciiDigit(C)) return ccDigit;
  if (C == u'E' || C == u'e') return ccExpLetter;
  return ccOther;
}

using TNumberBuffer = QVarLengthArray<char, 64>;

// Runs the machine from Pos until End or Error and leaves Pos at the
// character that stopped it. With Normalized, the characters that lead into
// states 1..8 are collected (separators as "."), up to the first exponent
// digit that would exceed the limit; with StrictExponent such a digit is an
// error instead.
int RunFloatMachine(const QString& Text, bool AllowExponent, int SepMode, int& Pos,
                    bool StrictExponent, TNumberBuffer* Normalized) {
  const int Len = int(Text.size());
  Pos = std::clamp(Pos, 1, Len + 1);
  const char16_t* Chars = reinterpret_cast<const char16_t*>(Text.constData());
  int State = sStart;
  int ExpMagnitude = 0;
  bool Frozen = false;
  while (State < sEnd) {
    const char16_t C = Pos <= Len ? Chars[Pos - 1] : u'Z';
    ++Pos;
    const TCharClass Class = ClassOf(C, SepMode);
    int Next = FloatTable[State][Class];
    if (Next == sExpOrEnd) Next = AllowExponent ? sExpLetter : sEnd;
    if (Next == sExpDigits) {
      ExpMagnitude = std::min(ExpMagnitude * 10 + (C - u'0'), 100000);
      if (ExpMagnitude > MaxExponentMagnitude) {
        if (StrictExponent) {
          State = sError;
          break;
        }
        Frozen = true;
      }
    }
    if (Next < sEnd && Normalized && !Frozen)
      Normalized->append(Class == ccSeparator ? '.' : char(C == u'e' ? u'E' : C));
    State = Next;
  }
  --Pos;
  return State;
}

// Decimal exponent of the leading significant digit of a plain number text;
// tells an overflow from an underflow when the conversion is out of range.
long long LeadingDecimalExponent(const char* P, const char* End) {
  long long IntDigits = 0, LeadingZeros = 0;
  bool Significant = false;
  for (; P < End && *P >= '0' && *P <= '9'; ++P)
    if (Significant || *P != '0') {
      Significant = true;
      ++IntDigits;
    }
  if (P < End && *P == '.')
    for (++P; P < End && *P >= '0' && *P <= '9'; ++P)
      if (!Significant) {
        if (*P == '0') ++LeadingZeros;
        else Significant = true;
      }
  long long Exponent = 0;
  if (P < End && *P == 'E') {
    ++P;
    const bool Negative = P < End && *P == '-';
    if (P < End && (*P == '-' || *P == '+')) ++P;
    for (; P < End && *P >= '0' && *P <= '9'; ++P) Exponent = std::min(Exponent * 10 + (*P - '0'), 100000LL);
    if (Negative) Exponent = -Exponent;
  }
  if (!Significant) return -1;
  return (IntDigits > 0 ? IntDigits - 1 : -(LeadingZeros + 1)) + Exponent;
}

// The standard decimal conversion of a normalized number text, independent of
// the C locale. Out-of-range results saturate.
long double ConvertNormalized(TNumberBuffer& Buffer) {
  if (!Buffer.isEmpty() && Buffer.back() == '.') Buffer.append('0');
  // A dangling exponent letter or exponent sign ("1E", "1E-") adds nothing.
  while (!Buffer.isEmpty() && (Buffer.back() == '+' || Buffer.back() == '-' || Buffer.back() == 'E'))
    Buffer.removeLast();
  const char* P = Buffer.constData();
  const char* End = P + Buffer.size();
  while (P < End && *P == ' ') ++P;
  bool Negative = false;
  if (P < End && (*P == '+' || *P == '-')) Negative = *P++ == '-';
  double Value = 0;
  const auto [Stop, Error] = std::from_chars(P, End, Value);
  if (Error == std::errc::result_out_of_range)
    Value = LeadingDecimalExponent(P, End) > 0 ? uc_MaxDouble : 0.0;
  else if (Error != std::errc() || Stop != End)
    Value = 0;
  return Negative ? -Value : Value;
}

int SepModeOf(TDecPSep DecPSep) {
  switch (DecPSep) {
    case dsSystem: return host::DecimalSeparator() == QChar('.') ? 1 : 2;
    case dsPoint: return 1;
    case dsComma: return 2;
    default: return 3;
  }
}

// ---- integer scans ------------------------------------------------------

// Value of an upper- or lower-case digit of Base, or -1.
int DigitValue(char16_t C, int Base) {
  int D = -1;
  if (C >= u'0' && C <= u'9') D = C - u'0';
  else if (C >= u'A' && C <= u'F') D = C - u'A' + 10;
  else if (C >= u'a' && C <= u'f') D = C - u'a' + 10;
  return D < Base ? D : -1;
}

// Skips the blanks in front of the last character.
void SkipBlanks(const QString& Text, int& Pos) {
  while (Pos < Text.size() && Text.at(Pos - 1) == QChar(' ')) ++Pos;
}

// Accumulates digits of Base from Pos: the 32-bit wrapped value and a wide
// value that saturates far beyond 32 bits.
void AccumulateDigits(const QString& Text, int Base, int& Pos, std::uint32_t& Wrapped,
                      std::uint64_t& Wide) {
  constexpr std::uint64_t Saturation = std::uint64_t(1) << 40;
  for (; Pos <= Text.size(); ++Pos) {
    const int D = DigitValue(Text.at(Pos - 1).unicode(), Base);
    if (D < 0) break;
    Wrapped = Wrapped * std::uint32_t(Base) + std::uint32_t(D);
    Wide = std::min(Wide * std::uint64_t(Base) + std::uint64_t(D), Saturation);
  }
}

bool AllOf(const QString& Text, bool (*Accept)(char16_t)) {
  if (Text.isEmpty()) return false;
  for (QChar C : Text)
    if (!Accept(C.unicode())) return false;
  return true;
}

QString DigitText(std::uint32_t Value, int Count, int BitsPerDigit) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  const std::uint32_t Mask = (1u << BitsPerDigit) - 1;
  QString Text(Count, QChar('0'));
  for (int I = Count - 1; I >= 0 && Value != 0; --I) {
    Text[I] = QChar(Digits[Value & Mask]);
    Value >>= BitsPerDigit;
  }
  return Text;
}

}  // namespace

// ---- floating-point texts -------------------------------------------------

long double ScanFloatNumber(const QString& Text, bool AllowExponent, int SepMode, int& Pos) {
  TNumberBuffer Normalized;
  const int State = RunFloatMachine(Text, AllowExponent, SepMode, Pos, false, &Normalized);
  if (State != sEnd) return 0;
  const long double Value = ConvertNormalized(Normalized);
  return std::clamp<long double>(Value, -uc_MaxDouble, uc_MaxDouble);
}

bool IsValidExpText(const QString& Text, TDecPSep DecPSep) {
  if (Text.isEmpty()) return false;
  int Pos = 1;
  return RunFloatMachine(Text, true, SepModeOf(DecPSep), Pos, true, nullptr) == sEnd;
}

bool IsValidFloatText(const QString& Text, TDecPSep DecPSep) {
  if (Text.isEmpty()) return false;
  constexpr std::int8_t Invalid = -1;
  //   state                sign     separator  digit  other
  constexpr std::int8_t Table[5][4] = {
      {1, 2, 3, Invalid},                 // 0 start
      {Invalid, 2, 3, Invalid},           // 1 after the sign
      {Invalid, Invalid, 4, Invalid},     // 2 after the separator
      {Invalid, 2, 3, Invalid},           // 3 integer digits
      {Invalid, Invalid, 4, Invalid}};    // 4 fraction digits
  const int SepMode = SepModeOf(DecPSep);
  int State = 0;
  for (QChar Ch : Text) {
    const char16_t C = Ch.unicode();
    const int Class = (C == u'+' || C == u'-') ? 0 : IsSeparator(C, SepMode) ? 1 : IsAsciiDigit(C) ? 2 : 3;
    State = Table[State][Class];
    if (State == Invalid) return false;
  }
  return true;
}

bool IsValidIntText(const QString& Text) {
  if (Text.isEmpty()) return false;
  const char16_t First = Text.at(0).unicode();
  if (Text.size() == 1) return IsAsciiDigit(First);
  if (!(First == u'+' || First == u'-' || IsAsciiDigit(First))) return false;
  for (qsizetype I = 1; I < Text.size(); ++I)
    if (!IsAsciiDigit(Text.at(I).unicode())) return false;
  return true;
}

bool IsValidHexText(const QString& Text) {
  return AllOf(Text, [](char16_t C) { return DigitValue(C, 16) >= 0; });
}

bool IsValidOctText(const QString& Text) {
  return AllOf(Text, [](char16_t C) { return C >= u'0' && C <= u'7'; });
}

bool IsValidBinText(const QString& Text) {
  return AllOf(Text, [](char16_t C) { return C == u'0' || C == u'1'; });
}

// ---- integer texts --------------------------------------------------------

TIntScan ScanIntNumberChecked(const QString& Text, int& Pos) {
  TIntScan Result;
  if (Text.isEmpty()) return Result;
  Pos = std::clamp(Pos, 1, int(Text.size()) + 1);
  SkipBlanks(Text, Pos);
  if (Pos <= Text.size() && (Text.at(Pos - 1) == QChar('+') || Text.at(Pos - 1) == QChar('-')))
    Result.Negative = Text.at(Pos++ - 1) == QChar('-');
  std::uint32_t Wrapped = 0;
  std::uint64_t Wide = 0;
  AccumulateDigits(Text, 10, Pos, Wrapped, Wide);
  if (Result.Negative) Wrapped = 0u - Wrapped;
  Result.Wrapped = std::int32_t(Wrapped);
  Result.Fits = Wide <= (Result.Negative ? 0x80000000ull : 0x7FFFFFFFull);
  return Result;
}

TIntScan ScanDigitsChecked(const QString& Text, int Base, int& Pos) {
  TIntScan Result;
  if (Text.isEmpty()) return Result;
  Pos = std::clamp(Pos, 1, int(Text.size()) + 1);
  SkipBlanks(Text, Pos);
  if (Base == 16 && Pos == 1 && Text.at(0) == QChar('$')) ++Pos;
  std::uint32_t Wrapped = 0;
  std::uint64_t Wide = 0;
  AccumulateDigits(Text, Base, Pos, Wrapped, Wide);
  Result.Wrapped = std::int32_t(Wrapped);
  Result.Fits = Wide <= 0xFFFFFFFFull;
  return Result;
}

std::int32_t ScanIntNumber(const QString& Text, int& Pos) { return ScanIntNumberChecked(Text, Pos).Wrapped; }
std::int32_t ScanHexNumber(const QString& Text, int& Pos) { return ScanDigitsChecked(Text, 16, Pos).Wrapped; }
std::int32_t ScanOctNumber(const QString& Text, int& Pos) { return ScanDigitsChecked(Text, 8, Pos).Wrapped; }
std::int32_t ScanBinNumber(const QString& Text, int& Pos) { return ScanDigitsChecked(Text, 2, Pos).Wrapped; }

// ---- formatting -----------------------------------------------------------

QString FormatNumberText(int Width, int Decimals, long double Value) {
  const double V = Value == 0 ? 0.0 : double(Value);
  if (Decimals >= 0) {
    const QString Text = host::FormatF(V, Decimals, QChar('.'));
    return Text.size() >= Width ? Text : Text.rightJustified(Width);
  }
  const int Stars = std::max(Width, 1);
  if (!std::isfinite(V)) return QString(Stars, QChar('*'));
  // FormatE writes "d.dddE+xxx" (at least three exponent digits).
  const QString Plain = host::FormatE(std::fabs(V), std::max(1, Width - 6), QChar('.'));
  const qsizetype E = Plain.indexOf(QChar('E'));
  const int Exponent = Plain.mid(E + 1).toInt();
  if (std::abs(Exponent) >= 100) return QString(Stars, QChar('*'));
  const QString Text = QChar(V < 0 ? '-' : ' ') + Plain.left(E) + QChar('E') +
                       QChar(Exponent < 0 ? '-' : '+') + QChar('0' + std::abs(Exponent) / 10) +
                       QChar('0' + std::abs(Exponent) % 10);
  return Text.size() >= Width ? Text : Text.rightJustified(Width);
}

QString HexDigitText(std::uint32_t Value, std::uint8_t Count) {
  return DigitText(Value, std::clamp<int>(Count, 1, 8), 4);
}

QString OctDigitText(std::uint32_t Value, std::uint8_t Count) {
  return DigitText(Value, std::clamp<int>(Count, 1, 11), 3);
}

QString BinDigitText(std::uint32_t Value, std::uint8_t Count) {
  return DigitText(Value, std::clamp<int>(Count, 1, 32), 1);
}

std::uint32_t TwosComplementOf(double Value) {
  if (!std::isfinite(Value)) return 0;
  double Modulo = std::fmod(std::nearbyint(Value), 4294967296.0);
  if (Modulo < 0) Modulo += 4294967296.0;
  return std::uint32_t(Modulo);
}

}  // namespace qor
