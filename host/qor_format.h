// Number and date texts with the platform's semantics, and MulDiv.
#pragma once

#include <QDateTime>
#include <QString>
#include <stdexcept>

#include "host/qor_types.h"

namespace qor::host {

// The platform's Round: to the nearest integer, halves to even.
QORKIT_EXPORT int Round(double X);

// (Number * Numerator) / Denominator in 64 bits, rounded half away from zero;
// -1 when Denominator is 0 or the result does not fit 32 bits.
QORKIT_EXPORT int MulDiv(int Number, int Numerator, int Denominator);

// The locale's decimal separator (what Format writes).
QORKIT_EXPORT QChar DecimalSeparator();

// Format("%*.*g"): at most Precision significant digits; fixed notation while
// the integer digits fit the precision and |Value| >= 1E-5, else d.ddE+x /
// d.ddE-x; trailing zeros and a needless separator removed. Precision 0 acts as 1.
QORKIT_EXPORT QString FormatG(double Value, int Precision, QChar Separator = DecimalSeparator());
// Format("%*.*f"): exactly Decimals digits after the separator.
QORKIT_EXPORT QString FormatF(double Value, int Decimals, QChar Separator = DecimalSeparator());
// Format("%*.*e"): Precision mantissa digits in all, exponent with sign and at
// least three digits (1.23E+003). Precision 0 acts as 1.
QORKIT_EXPORT QString FormatE(double Value, int Precision, QChar Separator = DecimalSeparator());
// FloatToStr: the general form with 15 significant digits.
QORKIT_EXPORT QString FloatToStr(double Value, QChar Separator = DecimalSeparator());
// Standard text-to-extended conversion of a plain decimal text ("-1.5E3"):
// false (and Value 0) when the whole text is not a number.
QORKIT_EXPORT bool TextToFloat(const QString& Text, long double& Value);

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;
QORKIT_EXPORT TDateTime EncodeDate(int Year, int Month, int Day);
// The platform's conversion error (a text or a date that cannot be converted).
class QORKIT_EXPORT EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const QString& Message) : std::runtime_error(Message.toStdString()) {}
};
// The platform's date encoding: false for anything that is no day of the
// years 1..9999; EncodeDateChecked raises EConvertError instead.
QORKIT_EXPORT bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
QORKIT_EXPORT TDateTime EncodeDateChecked(int Year, int Month, int Day);
QORKIT_EXPORT TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
QORKIT_EXPORT void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);
QORKIT_EXPORT void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);
// 1 = Sunday ... 7 = Saturday.
QORKIT_EXPORT int DayOfWeek(TDateTime Date);
QORKIT_EXPORT QDateTime ToQDateTime(TDateTime Value);
QORKIT_EXPORT TDateTime FromQDateTime(const QDateTime& Value);
// FormatDateTime with the platform's specifiers: d dd ddd dddd ddddd dddddd,
// m mm mmm mmmm, yy yyyy, h hh, n nn, s ss, z zzz, am/pm a/p ampm, c t tt,
// / and :, and literal text in '...' or "...". Names follow the locale.
QORKIT_EXPORT QString FormatDateTime(const QString& Format, TDateTime Value);

}  // namespace qor::host

namespace qor {
using host::EConvertError;
using host::MulDiv;
using host::Round;
using host::TDateTime;
}  // namespace qor
