// The number-text conversions of the numeric fields: scanning numbers out of
// texts, checking texts that are still being typed, and formatting numbers.
// Private to the numio unit (the fields and their tests include it).
//
// Positions are 1-based character positions, as the fields count them; a
// scan leaves Pos at the character that ended it (Length + 1 at the end).
// Separator modes: 1 only ".", 2 only ",", 3 both are decimal separators.
#pragma once

#include <QString>
#include <cstdint>

#include "foundation/qor_qorbase.h"

namespace qor {

// The largest exponent magnitude a scanned number may carry.
constexpr int MaxExponentMagnitude = 4200;

// The floating-point number starting at Pos; 0 when the text there is not a
// number. The result is clamped to +-uc_MaxDouble.
QORKIT_EXPORT long double ScanFloatNumber(const QString& Text, bool AllowExponent, int SepMode, int& Pos);

// A complete number with optional exponent starts the text (later characters
// are not examined).
QORKIT_EXPORT bool IsValidExpText(const QString& Text, TDecPSep DecPSep);
// The whole text is a number without exponent, or the beginning of one.
QORKIT_EXPORT bool IsValidFloatText(const QString& Text, TDecPSep DecPSep);
QORKIT_EXPORT bool IsValidIntText(const QString& Text);
QORKIT_EXPORT bool IsValidHexText(const QString& Text);
QORKIT_EXPORT bool IsValidOctText(const QString& Text);
QORKIT_EXPORT bool IsValidBinText(const QString& Text);

// 32-bit scanners with wrap-around: hexadecimal, octal and binary texts give
// the two's-complement view ("FFFFFFFF" is -1).
QORKIT_EXPORT std::int32_t ScanIntNumber(const QString& Text, int& Pos);
QORKIT_EXPORT std::int32_t ScanHexNumber(const QString& Text, int& Pos);
QORKIT_EXPORT std::int32_t ScanOctNumber(const QString& Text, int& Pos);
QORKIT_EXPORT std::int32_t ScanBinNumber(const QString& Text, int& Pos);

// The same scans, also telling whether the digits fit 32 bits: a signed
// decimal in -2147483648..2147483647, an unsigned digit text in 0..FFFFFFFF.
struct TIntScan {
  std::int32_t Wrapped = 0;  // the 32-bit result of the plain scanner
  bool Fits = true;
  bool Negative = false;
};
QORKIT_EXPORT TIntScan ScanIntNumberChecked(const QString& Text, int& Pos);
QORKIT_EXPORT TIntScan ScanDigitsChecked(const QString& Text, int Base, int& Pos);

// Decimals >= 0: fixed-point text with exactly Decimals decimals and a "."
// right-aligned to Width. Decimals -2: the exponent form with Width - 6
// significant digits (" 1.50000E+03" for Width 12), all "*" when the exponent
// needs three digits.
QORKIT_EXPORT QString FormatNumberText(int Width, int Decimals, long double Value);

// The Count lowest digits of Value, most significant first; Count is clamped
// to 1..8, 1..11 and 1..32 respectively.
QORKIT_EXPORT QString HexDigitText(std::uint32_t Value, std::uint8_t Count);
QORKIT_EXPORT QString OctDigitText(std::uint32_t Value, std::uint8_t Count);
QORKIT_EXPORT QString BinDigitText(std::uint32_t Value, std::uint8_t Count);

// Value rounded to the nearest integer (ties to even) and taken modulo 2^32,
// the view the digit texts show.
QORKIT_EXPORT std::uint32_t TwosComplementOf(double Value);

}  // namespace qor
