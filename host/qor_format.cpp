#include "host/qor_format.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace qor::host {

int Round(double X) { return int(std::lrint(X)); }

int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  const long long Product = static_cast<long long>(Number) * Numerator;
  long long Q = Product / Denominator;
  const long long R = Product % Denominator;
  // Round half away from zero.
  if (2 * std::llabs(R) >= std::llabs(static_cast<long long>(Denominator)))
    Q += ((Product < 0) != (Denominator < 0)) ? -1 : 1;
  if (Q > std::numeric_limits<int>::max() || Q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(Q);
}

QChar DecimalSeparator() {
  const QString Point = QLocale().decimalPoint();
  return Point.isEmpty() ? QChar('.') : Point.at(0);
}

namespace {

QString NonFinite(double Value) {
  if (std::isnan(Value)) return QStringLiteral("NAN");
  return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// What printf writes for "%.*f", "%.*e" or "%.*E" (Conversion 'f', 'e', 'E'):
// std::to_chars with a precision is defined to write the same characters, and
// takes a fraction of the time (tables format thousands of numbers a paint).
QString Printf(char Conversion, int Digits, double Value) {
  char Buffer[1024];  // 309 integer digits, 340 + 40 decimals, sign and point
  const auto R = std::to_chars(Buffer, Buffer + sizeof Buffer, Value,
                               Conversion == 'f' ? std::chars_format::fixed : std::chars_format::scientific,
                               Digits);
  if (R.ec != std::errc()) {
    const char Format[] = {'%', '.', '*', Conversion, '\0'};
    const int N = std::snprintf(nullptr, 0, Format, Digits, Value);
    std::string Big(size_t(N) + 1, '\0');
    std::snprintf(Big.data(), Big.size(), Format, Digits, Value);
    return QString::fromLatin1(Big.data(), N);
  }
  QString Text = QString::fromLatin1(Buffer, R.ptr - Buffer);
  if (Conversion == 'E') Text.replace(QLatin1Char('e'), QLatin1Char('E'));
  return Text;
}

QString WithSeparator(QString Text, QChar Separator) {
  if (Separator != QChar('.')) Text.replace(QChar('.'), Separator);
  return Text;
}

void StripTrailingZeros(QString& Digits) {
  if (!Digits.contains(QChar('.'))) return;
  while (Digits.endsWith(QChar('0'))) Digits.chop(1);
  if (Digits.endsWith(QChar('.'))) Digits.chop(1);
}

// Exact decimal ties (0.125 to two decimals) round away from zero, as the
// platform's conversion does; the C library would round them to even.
bool IsTie(double Value, int Decimals) {
  // Only a value whose fraction at these decimals lies near one half can be a
  // tie; the scaled value is off the exact one by less than F * 2^-52, and
  // its fraction is exact below 2^52. Others go to the exact test.
  constexpr double Pow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (Decimals <= 22) {
    const double F = std::fabs(Value) * Pow10[Decimals];
    if (F < 0x1p52 && std::fabs(F - std::floor(F) - 0.5) > F * 0x1p-50 + 0x1p-60) return false;
  }
  const QString Exact = Printf('f', Decimals + 40, Value);
  const int Tail = Exact.size() - 40;
  if (Exact.at(Tail) != QChar('5')) return false;
  for (int i = Tail + 1; i < Exact.size(); ++i)
    if (Exact.at(i) != QChar('0')) return false;
  return true;
}

// The fixed text of a tie rounded away from zero: its exact digits (one more
// decimal, a 5) cut to Decimals and counted up by one in the last place. (A
// step to the next double would do only where that step is below the last
// place: at 6.4e14 the doubles are 0.125 apart and 0.625 became 0.75.)
QString RoundedAwayTie(double Value, int Decimals) {
  QString Text = Printf('f', Decimals + 1, Value);
  Text.chop(Decimals == 0 ? 2 : 1);
  int I = int(Text.size()) - 1;
  for (; I >= 0; --I) {
    const QChar C = Text.at(I);
    if (C == QChar('.')) continue;
    if (C == QChar('-')) break;
    if (C != QChar('9')) {
      Text[I] = QChar(C.unicode() + 1);
      return Text;
    }
    Text[I] = QChar('0');
  }
  Text.insert(I + 1, QChar('1'));
  return Text;
}

// The same for a rounding to Precision significant digits (%e and %g).
bool IsTieSignificant(double Value, int Precision) {
  const QString Exact = Printf('e', Precision - 1 + 40, Value);
  const int Tail = Exact.indexOf(QChar('.')) + Precision;
  const int End = Exact.indexOf(QChar('e'));
  if (Exact.at(Tail) != QChar('5')) return false;
  for (int i = Tail + 1; i < End; ++i)
    if (Exact.at(i) != QChar('0')) return false;
  return true;
}

// Value to Precision significant digits: the mantissa as %e writes it
// ("-d.ddd") and the decimal exponent. Exact ties round away from zero: their
// digits (one more, a 5) cut and counted up in the last place, nines carrying
// into the exponent.
struct TSciDigits {
  QString Mantissa;
  int Exponent;
};

TSciDigits SciDigits(double Value, int Precision) {
  const bool Tie = IsTieSignificant(Value, Precision);
  const QString Sci = Printf('e', Tie ? Precision : Precision - 1, Value);
  const int E = Sci.indexOf(QChar('e'));
  TSciDigits D{Sci.left(E), Sci.mid(E + 1).toInt()};
  if (!Tie) return D;
  D.Mantissa.chop(1);  // the 5
  if (D.Mantissa.endsWith(QChar('.'))) D.Mantissa.chop(1);  // one digit: no point
  for (int I = int(D.Mantissa.size()) - 1; I >= 0; --I) {
    const QChar C = D.Mantissa.at(I);
    if (C == QChar('.')) continue;
    if (C == QChar('-')) break;
    if (C != QChar('9')) {
      D.Mantissa[I] = QChar(C.unicode() + 1);
      return D;
    }
    D.Mantissa[I] = QChar('0');
  }
  // All nines: 9.99 became 0.00, which is 1.00 with the next exponent.
  D.Mantissa[D.Mantissa.startsWith(QChar('-')) ? 1 : 0] = QChar('1');
  ++D.Exponent;
  return D;
}

// The same digits in fixed notation (Exponent below the number of digits).
QString FixedText(const TSciDigits& D) {
  const bool Negative = D.Mantissa.startsWith(QChar('-'));
  QString Digits = D.Mantissa.mid(Negative ? 1 : 0);
  Digits.remove(QChar('.'));
  QString Text = D.Exponent >= 0
                     ? Digits.left(D.Exponent + 1) + QChar('.') + Digits.mid(D.Exponent + 1)
                     : QStringLiteral("0.") + QString(-D.Exponent - 1, QChar('0')) + Digits;
  StripTrailingZeros(Text);
  return Negative ? QChar('-') + Text : Text;
}

}  // namespace

QString FormatF(double Value, int Decimals, QChar Separator) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  const int D = std::clamp(Decimals, 0, 340);
  return WithSeparator(IsTie(Value, D) ? RoundedAwayTie(Value, D) : Printf('f', D, Value), Separator);
}

QString FormatE(double Value, int Precision, QChar Separator) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  const TSciDigits D = SciDigits(Value, std::clamp(Precision, 1, 40));
  QString Exp = QString::number(std::abs(D.Exponent));
  while (Exp.size() < 3) Exp.prepend(QChar('0'));
  return WithSeparator(D.Mantissa, Separator) + QChar('E') + QChar(D.Exponent < 0 ? '-' : '+') + Exp;
}

QString FormatG(double Value, int Precision, QChar Separator) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  const int P = std::clamp(Precision, 1, 40);
  TSciDigits D = SciDigits(Value, P);
  if (Value == 0 || (D.Exponent < P && std::fabs(Value) >= 0.00001))
    return WithSeparator(FixedText(D), Separator);
  StripTrailingZeros(D.Mantissa);
  const QString Sign = D.Exponent < 0 ? QStringLiteral("-") : QStringLiteral("+");
  return WithSeparator(D.Mantissa, Separator) + QChar('E') + Sign + QString::number(std::abs(D.Exponent));
}

QString FloatToStr(double Value, QChar Separator) { return FormatG(Value, 15, Separator); }

bool TextToFloat(const QString& Text, long double& Value) {
  Value = 0;
  const QByteArray Bytes = Text.trimmed().toLatin1();
  if (Bytes.isEmpty()) return false;
  for (const char C : Bytes)
    if (!(std::isdigit(static_cast<unsigned char>(C)) || C == '.' || C == '-' || C == '+' ||
          C == 'e' || C == 'E'))
      return false;
  char* End = nullptr;
  const long double V = std::strtold(Bytes.constData(), &End);
  if (End != Bytes.constData() + Bytes.size()) return false;
  Value = V;
  return true;
}

// ---- dates -------------------------------------------------------------

namespace {
const QDate Epoch(1899, 12, 30);
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  const QDate D(Year, Month, Day);
  return D.isValid() ? double(Epoch.daysTo(D)) : 0.0;
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999) return false;
  const QDate D(Year, Month, Day);
  if (!D.isValid()) return false;
  Date = double(Epoch.daysTo(D));
  return true;
}

TDateTime EncodeDateChecked(int Year, int Month, int Day) {
  TDateTime Date = 0;
  if (!TryEncodeDate(Year, Month, Day, Date))
    throw EConvertError(QStringLiteral("Invalid argument to date encode: %1-%2-%3")
                            .arg(Year).arg(Month).arg(Day));
  return Date;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  return (((Hour * 60.0 + Min) * 60.0 + Sec) * 1000.0 + MSec) / 86400000.0;
}

namespace {

constexpr long long MSecsPerDay = 86400000;

// A date-time split as the platform splits it: the value rounded to the
// millisecond as a whole (so a hair before midnight is the next day at
// 00:00), whole days counted towards zero, the time of day the magnitude of
// the rest (-1.25 is 29 Dec 1899, 06:00). Values beyond any calendar are
// clamped so the arithmetic stays defined.
struct TDayTime {
  qint64 Days;
  long long MSecs;
};

TDayTime Split(TDateTime Value) {
  if (std::isnan(Value)) return {0, 0};
  const double Clamped = std::clamp(Value, -1e9, 1e9);
  const long long Total = std::llround(Clamped * static_cast<double>(MSecsPerDay));
  return {Total / MSecsPerDay, std::llabs(Total % MSecsPerDay)};
}

}  // namespace

void DecodeDate(TDateTime Date, int& Year, int& Month, int& Day) {
  const QDate D = Epoch.addDays(Split(Date).Days);
  Year = D.year();
  Month = D.month();
  Day = D.day();
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec) {
  const long long Ms = Split(Time).MSecs;
  Hour = int(Ms / 3600000);
  Min = int(Ms / 60000 % 60);
  Sec = int(Ms / 1000 % 60);
  MSec = int(Ms % 1000);
}

int DayOfWeek(TDateTime Date) {
  return Epoch.addDays(Split(Date).Days).dayOfWeek() % 7 + 1;
}

QDateTime ToQDateTime(TDateTime Value) {
  int H, N, S, Ms;
  DecodeTime(Value, H, N, S, Ms);
  return QDateTime(Epoch.addDays(Split(Value).Days), QTime(H, N, S, Ms));
}

TDateTime FromQDateTime(const QDateTime& Value) {
  const QTime T = Value.time();
  const double Days = static_cast<double>(Epoch.daysTo(Value.date()));
  const double Time = EncodeTime(T.hour(), T.minute(), T.second(), T.msec());
  // Before the epoch the time of day counts away from zero, as Split reads it.
  return Days < 0 ? Days - Time : Days + Time;
}

namespace {

// Length of the run of character C (case-insensitive) at Pos, at most Max.
int RunLength(const QString& F, int Pos, QChar C, int Max) {
  int N = 0;
  while (Pos + N < F.size() && N < Max && F.at(Pos + N).toLower() == C) ++N;
  return N;
}

QString Two(int V) { return QStringLiteral("%1").arg(V, 2, 10, QChar('0')); }

}  // namespace

QString FormatDateTime(const QString& Format, TDateTime Value) {
  const QLocale L;
  int Y, M, D, H, N, S, Ms;
  DecodeDate(Value, Y, M, D);
  DecodeTime(Value, H, N, S, Ms);
  const QDate Date(Y, M, D);
  const bool HasAmPm = Format.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive) ||
                       Format.contains(QStringLiteral("a/p"), Qt::CaseInsensitive) ||
                       Format.contains(QStringLiteral("ampm"), Qt::CaseInsensitive);
  const int Hour = HasAmPm ? (H % 12 == 0 ? 12 : H % 12) : H;
  QString Out;
  bool LastWasHour = false;
  for (int i = 0; i < Format.size();) {
    const QChar C = Format.at(i);
    const QChar Lc = C.toLower();
    if (C == QChar('"') || C == QChar('\'')) {
      const int End = Format.indexOf(C, i + 1);
      const int Stop = End < 0 ? Format.size() : End;
      Out += Format.mid(i + 1, Stop - i - 1);
      i = Stop + 1;
      continue;
    }
    if (Format.mid(i, 5).compare(QStringLiteral("am/pm"), Qt::CaseInsensitive) == 0) {
      Out += H < 12 ? QStringLiteral("am") : QStringLiteral("pm");
      i += 5;
      continue;
    }
    if (Format.mid(i, 3).compare(QStringLiteral("a/p"), Qt::CaseInsensitive) == 0) {
      Out += H < 12 ? QStringLiteral("a") : QStringLiteral("p");
      i += 3;
      continue;
    }
    if (Format.mid(i, 4).compare(QStringLiteral("ampm"), Qt::CaseInsensitive) == 0) {
      Out += H < 12 ? L.amText() : L.pmText();
      i += 4;
      continue;
    }
    int Len = 1;
    if (Lc == QChar('d')) {
      Len = RunLength(Format, i, Lc, 6);
      switch (Len) {
        case 1: Out += QString::number(D); break;
        case 2: Out += Two(D); break;
        case 3: Out += L.dayName(Date.dayOfWeek(), QLocale::ShortFormat); break;
        case 4: Out += L.dayName(Date.dayOfWeek(), QLocale::LongFormat); break;
        case 5: Out += L.toString(Date, QLocale::ShortFormat); break;
        default: Out += L.toString(Date, QLocale::LongFormat); break;
      }
    } else if (Lc == QChar('m')) {
      Len = RunLength(Format, i, Lc, 4);
      // "m" right after an hour means minutes, as on the platform.
      if (LastWasHour && Len <= 2) {
        Out += Len == 1 ? QString::number(N) : Two(N);
      } else {
        switch (Len) {
          case 1: Out += QString::number(M); break;
          case 2: Out += Two(M); break;
          case 3: Out += L.monthName(M, QLocale::ShortFormat); break;
          default: Out += L.monthName(M, QLocale::LongFormat); break;
        }
      }
    } else if (Lc == QChar('y')) {
      Len = RunLength(Format, i, Lc, 4);
      Out += Len <= 2 ? Two(Y % 100) : QStringLiteral("%1").arg(Y, 4, 10, QChar('0'));
    } else if (Lc == QChar('h')) {
      Len = RunLength(Format, i, Lc, 2);
      Out += Len == 1 ? QString::number(Hour) : Two(Hour);
    } else if (Lc == QChar('n')) {
      Len = RunLength(Format, i, Lc, 2);
      Out += Len == 1 ? QString::number(N) : Two(N);
    } else if (Lc == QChar('s')) {
      Len = RunLength(Format, i, Lc, 2);
      Out += Len == 1 ? QString::number(S) : Two(S);
    } else if (Lc == QChar('z')) {
      Len = RunLength(Format, i, Lc, 3);
      Out += Len == 3 ? QStringLiteral("%1").arg(Ms, 3, 10, QChar('0')) : QString::number(Ms);
    } else if (Lc == QChar('c')) {
      Out += L.toString(Date, QLocale::ShortFormat) + QChar(' ') +
             L.toString(QTime(H, N, S), QLocale::LongFormat);
    } else if (Lc == QChar('t')) {
      Len = RunLength(Format, i, Lc, 2);
      Out += L.toString(QTime(H, N, S), Len == 1 ? QLocale::ShortFormat : QLocale::LongFormat);
    } else if (C == QChar('/')) {
      Out += L.dateFormat(QLocale::ShortFormat).contains(QChar('.')) ? QChar('.') : QChar('/');
    } else {
      Out += C;
    }
    if (Lc != QChar(' ') && Lc != QChar(':')) LastWasHour = (Lc == QChar('h'));
    i += Len;
  }
  return Out;
}

}  // namespace qor::host
