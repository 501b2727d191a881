// The fixed and scientific number texts against the C library's printf, and
// the platform's rounding of exact ties away from zero next to values one
// step off a tie (which round as printf does).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include "host/qor_format.h"

namespace qor {
namespace {

std::string C(const char* Format, int Digits, double Value) {
  char Buffer[1024];
  std::snprintf(Buffer, sizeof Buffer, Format, Digits, Value);
  return Buffer;
}

// Whether V is exactly halfway between two texts of D decimals.
bool ExactTie(double V, int D) {
  const std::string S = C("%.*f", D + 40, V);
  return S[S.size() - 40] == '5' && S.find_first_not_of('0', S.size() - 39) == std::string::npos;
}

// Whether V is exactly halfway between two texts of P significant digits.
bool ExactTieSignificant(double V, int P) {
  std::string S = C("%.*e", P - 1 + 40, V);
  S.resize(S.find('e'));
  return S[S.size() - 40] == '5' && S.find_first_not_of('0', S.size() - 39) == std::string::npos;
}

TEST(HostNumberTexts, FixedAndScientificTextsArePrintfsForValuesOffATie) {
  std::mt19937_64 Random(7);
  std::uniform_real_distribution<double> Mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> Exponent(-12, 14), Digits(0, 12);
  for (int I = 0; I < 20000; ++I) {
    const double V = Mantissa(Random) * std::pow(10.0, Exponent(Random));
    const int D = Digits(Random);
    if (ExactTie(V, D)) continue;  // the ties below
    ASSERT_EQ(host::FormatF(V, D, QLatin1Char('.')).toStdString(), C("%.*f", D, V)) << V << " " << D;
  }
  EXPECT_EQ(host::FormatF(-0.0, 2, QLatin1Char('.')), "-0.00");
  EXPECT_EQ(host::FormatF(-0.0001, 3, QLatin1Char('.')), "-0.000");
  EXPECT_EQ(host::FormatF(1e300, 2, QLatin1Char('.')).toStdString(), C("%.*f", 2, 1e300));
  EXPECT_EQ(host::FormatF(1.0 / 3, 340, QLatin1Char('.')).toStdString(), C("%.*f", 340, 1.0 / 3));
  EXPECT_EQ(host::FormatE(123456.789, 7, QLatin1Char(',')), "1,234568E+005");
}

TEST(HostNumberTexts, ExactTiesRoundAwayFromZeroAndTheirNeighboursDoNot) {
  // Exact binary ties at 0 to 6 decimals, and the values one step either side.
  const struct {
    double Value;
    int Decimals;
    const char* Tie;
  } Ties[] = {{0.5, 0, "1"},          {2.5, 0, "3"},           {-3.5, 0, "-4"},
              {0.25, 1, "0.3"},       {0.125, 2, "0.13"},      {-0.375, 2, "-0.38"},
              {1.0625, 3, "1.063"},   {2.03125, 4, "2.0313"},  {0.015625, 5, "0.01563"},
              {4503599627370495.5, 0, "4503599627370496"},     {1e15 + 0.5, 0, "1000000000000001"}};
  for (const auto& T : Ties) {
    EXPECT_EQ(host::FormatF(T.Value, T.Decimals, QLatin1Char('.')), T.Tie) << T.Value;
    for (const double Toward : {-HUGE_VAL, HUGE_VAL}) {
      const double Near = std::nextafter(T.Value, Toward);
      EXPECT_EQ(host::FormatF(Near, T.Decimals, QLatin1Char('.')).toStdString(), C("%.*f", T.Decimals, Near))
          << Near;
    }
  }
  // Large values whose scaled fraction is not exact in a double: a tie all the same.
  const double Big = 4503599627370497.0 / 4;  // 1125899906842624.25
  EXPECT_EQ(host::FormatF(Big, 1, QLatin1Char('.')), "1125899906842624.3");
}

// Significant-digit texts: printf's digits off a tie, exact ties away from
// zero, also where the doubles lie further apart than the last digit (17
// digits of 645538751892849.625, whose neighbours are 0.125 away) and where
// the rounding carries into the exponent.
TEST(HostNumberTexts, SignificantDigitTiesRoundAwayFromZero) {
  std::mt19937_64 Random(11);
  std::uniform_real_distribution<double> Mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> Exponent(-200, 200), Digits(1, 20);
  for (int I = 0; I < 20000; ++I) {
    const double V = Mantissa(Random) * std::pow(10.0, Exponent(Random));
    const int P = Digits(Random);
    if (ExactTieSignificant(V, P)) continue;  // the ties below
    std::string Expected = C("%.*E", P - 1, V);
    const std::size_t E = Expected.find('E');
    while (Expected.size() - E - 2 < 3) Expected.insert(E + 2, "0");
    ASSERT_EQ(host::FormatE(V, P, QLatin1Char('.')).toStdString(), Expected) << V << " " << P;
  }
  const double Spread = 645538751892849.625;
  EXPECT_EQ(host::FormatE(Spread, 17, QLatin1Char('.')), "6.4553875189284963E+014");
  EXPECT_EQ(host::FormatG(Spread, 17, QLatin1Char('.')), "645538751892849.63");
  EXPECT_EQ(host::FormatG(-Spread, 17, QLatin1Char('.')), "-645538751892849.63");
  EXPECT_EQ(host::FormatE(2.5, 1, QLatin1Char('.')), "3E+000");
  EXPECT_EQ(host::FormatE(-0.125, 2, QLatin1Char(',')), "-1,3E-001");
  EXPECT_EQ(host::FormatE(9.5, 1, QLatin1Char('.')), "1E+001");
  EXPECT_EQ(host::FormatE(-99.5, 2, QLatin1Char('.')), "-1.0E+002");
  EXPECT_EQ(host::FormatG(9.5, 1, QLatin1Char('.')), "1E+1");
  EXPECT_EQ(host::FormatG(99.5, 2, QLatin1Char('.')), "1E+2");
  EXPECT_EQ(host::FormatG(9999.5, 4, QLatin1Char('.')), "1E+4");
  EXPECT_EQ(host::FormatG(0.09375, 3, QLatin1Char('.')), "0.0938");
  EXPECT_EQ(host::FormatG(0.000125, 2, QLatin1Char('.')), "0.00013");
  EXPECT_EQ(host::FormatG(-0.0, 3, QLatin1Char('.')), "-0");
  EXPECT_EQ(host::FormatG(1234.5, 4, QLatin1Char('.')), "1235");
  EXPECT_EQ(host::FormatG(0.1, 15, QLatin1Char('.')), "0.1");
  EXPECT_EQ(host::FormatG(1e-7, 3, QLatin1Char('.')), "1E-7");
}

}  // namespace
}  // namespace qor
