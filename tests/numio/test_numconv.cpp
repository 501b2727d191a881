// The number-text conversions: the scanning state machine, the typing checks,
// the 32-bit scanners and the formatting.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/qor_univconst.h"
#include "numio/qor_numconv_p.h"

namespace qor {
namespace {

struct TScan {
  long double Value;
  int Pos;
};

TScan Scan(const QString& Text, bool AllowExponent = true, int SepMode = 3, int Start = 1) {
  int Pos = Start;
  const long double V = ScanFloatNumber(Text, AllowExponent, SepMode, Pos);
  return {V, Pos};
}

TEST(ScanFloatNumber, SeparatorModesDecideWhereTheNumberEnds) {
  EXPECT_EQ(Scan("1,5", true, 3).Value, 1.5L);
  EXPECT_EQ(Scan("1,5", true, 3).Pos, 4);
  EXPECT_EQ(Scan("1,5", true, 1).Value, 1.0L);
  EXPECT_EQ(Scan("1,5", true, 1).Pos, 2);
  EXPECT_EQ(Scan("1.5", true, 2).Value, 1.0L);
  EXPECT_EQ(Scan("2,25", true, 2).Value, 2.25L);
}

TEST(ScanFloatNumber, ErrorsGiveZeroWithThePositionOfTheOffendingCharacter) {
  EXPECT_EQ(Scan("-").Value, 0);
  EXPECT_EQ(Scan("-").Pos, 2);
  EXPECT_EQ(Scan("1..2", true, 1).Value, 0);
  EXPECT_EQ(Scan("1..2", true, 1).Pos, 3);
  EXPECT_EQ(Scan("").Pos, 1);
  EXPECT_EQ(Scan("x12").Value, 0);
  EXPECT_EQ(Scan("- 1").Value, 0);  // no blank after the sign
  EXPECT_EQ(Scan("1E+-2").Value, 0);
}

TEST(ScanFloatNumber, ReadsTheLeadingNumberAndStopsAtItsEnd) {
  EXPECT_EQ(Scan("  -12.5 mV").Value, -12.5L);
  EXPECT_EQ(Scan("  -12.5 mV").Pos, 8);
  EXPECT_EQ(Scan("3.5e2x").Value, 350.0L);
  EXPECT_EQ(Scan("3.5e2x").Pos, 6);
  EXPECT_EQ(Scan("+.25").Value, 0.25L);
  EXPECT_EQ(Scan("7.").Value, 7.0L);
  EXPECT_EQ(Scan(".").Value, 0);
  EXPECT_EQ(Scan("5", true, 3, 2).Pos, 2);  // start at the end of the text
}

TEST(ScanFloatNumber, ExponentOnlyWhenAllowed) {
  EXPECT_EQ(Scan("2E5", false).Value, 2.0L);
  EXPECT_EQ(Scan("2E5", false).Pos, 2);
  EXPECT_EQ(Scan("2E5", true).Value, 200000.0L);
  EXPECT_EQ(Scan("1E").Value, 1.0L);   // dangling exponent letter
  EXPECT_EQ(Scan("1E-").Value, 1.0L);  // dangling exponent sign
  EXPECT_EQ(Scan("1E-").Pos, 4);
}

TEST(ScanFloatNumber, ExponentLimitAndClampToTheLargestDouble) {
  const TScan Big = Scan("1E4201");
  EXPECT_EQ(Big.Value, uc_MaxDouble);  // "1E420", clamped
  EXPECT_EQ(Big.Pos, 7);
  EXPECT_EQ(Scan("-1E309").Value, -uc_MaxDouble);
  EXPECT_EQ(Scan("1E-4000").Value, 0);
  EXPECT_EQ(Scan(QString(400, QChar('9'))).Value, uc_MaxDouble);
  EXPECT_EQ(Scan("0." + QString(400, QChar('0')) + "1").Value, 0);
  EXPECT_NEAR(double(Scan("0." + QString(400, QChar('0')) + "1E300").Value), 1e-101, 1e-110);
  const long double Tiny = Scan("4.9E-324").Value;
  EXPECT_GT(Tiny, 0);
}

TEST(IsValidExpText, CompleteNumberAtTheStart) {
  for (const char* Valid : {"12 ", "12+", "12A", ".", "1.", "1E", "1E-", "-1.5E+12", "1E4200"})
    EXPECT_TRUE(IsValidExpText(Valid, dsPoint)) << Valid;
  for (const char* Invalid : {"", "+", "-", "1..2", "1E4201", "E5", "A1", "1E++"})
    EXPECT_FALSE(IsValidExpText(Invalid, dsPoint)) << Invalid;
  EXPECT_TRUE(IsValidExpText("1,5", dsComma));
  EXPECT_FALSE(IsValidExpText("1,,5", dsBoth));
}

TEST(IsValidFloatText, BeginningsOfNumbersWithoutExponent) {
  for (const char* Valid : {"-", "+", ".", "-.", "3.", "12.75", "007"})
    EXPECT_TRUE(IsValidFloatText(Valid, dsPoint)) << Valid;
  for (const char* Invalid : {"", "1.2.", "1e5", " 1", "1 ", "--1", "1-", "1,5"})
    EXPECT_FALSE(IsValidFloatText(Invalid, dsPoint)) << Invalid;
  EXPECT_TRUE(IsValidFloatText("1,5", dsComma));
  EXPECT_FALSE(IsValidFloatText("1.5", dsComma));
  EXPECT_TRUE(IsValidFloatText("1,5", dsBoth));
  EXPECT_TRUE(IsValidFloatText("1.5", dsSystem));  // the pinned locale writes "."
}

TEST(IsValidDigitTexts, SignsAndDigitsOfEachBase) {
  EXPECT_FALSE(IsValidIntText("-"));
  EXPECT_FALSE(IsValidIntText("+"));
  EXPECT_FALSE(IsValidIntText(""));
  EXPECT_TRUE(IsValidIntText("-0"));
  EXPECT_TRUE(IsValidIntText("007"));
  EXPECT_FALSE(IsValidIntText("1-"));
  EXPECT_TRUE(IsValidHexText("09afAF"));
  EXPECT_FALSE(IsValidHexText("G"));
  EXPECT_FALSE(IsValidHexText("$1"));
  EXPECT_TRUE(IsValidOctText("0717"));
  EXPECT_FALSE(IsValidOctText("8"));
  EXPECT_TRUE(IsValidBinText("0101"));
  EXPECT_FALSE(IsValidBinText("012"));
  EXPECT_FALSE(IsValidBinText(""));
}

TEST(ScanIntegers, DecimalWithBlanksSignAndStopPosition) {
  int Pos = 1;
  EXPECT_EQ(ScanIntNumber("  -42x", Pos), -42);
  EXPECT_EQ(Pos, 6);
  Pos = 1;
  EXPECT_EQ(ScanIntNumber("", Pos), 0);
  EXPECT_EQ(Pos, 1);
  Pos = 1;
  EXPECT_EQ(ScanIntNumber("+17", Pos), 17);
  EXPECT_EQ(Pos, 4);
  Pos = 1;
  EXPECT_EQ(ScanIntNumber("4294967297", Pos), 1);  // the plain scanner wraps
}

TEST(ScanIntegers, CheckedScanTellsWhetherTheTextFits32Bits) {
  int Pos = 1;
  EXPECT_TRUE(ScanIntNumberChecked("-2147483648", Pos).Fits);
  Pos = 1;
  EXPECT_FALSE(ScanIntNumberChecked("-2147483649", Pos).Fits);
  Pos = 1;
  EXPECT_TRUE(ScanIntNumberChecked("2147483647", Pos).Fits);
  Pos = 1;
  const TIntScan Over = ScanIntNumberChecked("2147483648", Pos);
  EXPECT_FALSE(Over.Fits);
  EXPECT_FALSE(Over.Negative);
  Pos = 1;
  EXPECT_TRUE(ScanDigitsChecked("FFFFFFFF", 16, Pos).Fits);
  Pos = 1;
  EXPECT_FALSE(ScanDigitsChecked("100000000", 16, Pos).Fits);
}

TEST(ScanIntegers, DigitTextsInTwosComplement) {
  int Pos = 1;
  EXPECT_EQ(ScanHexNumber("$1f", Pos), 31);
  EXPECT_EQ(Pos, 4);
  Pos = 1;
  EXPECT_EQ(ScanHexNumber("80000000", Pos), -2147483647 - 1);
  Pos = 1;
  EXPECT_EQ(ScanHexNumber("FFFFFFFF", Pos), -1);
  Pos = 2;
  EXPECT_EQ(ScanHexNumber("1$2", Pos), 0);  // "$" only passes as the first character
  EXPECT_EQ(Pos, 2);
  Pos = 1;
  EXPECT_EQ(ScanOctNumber(" 778", Pos), 63);
  EXPECT_EQ(Pos, 4);
  Pos = 1;
  EXPECT_EQ(ScanBinNumber("1012", Pos), 5);
  EXPECT_EQ(Pos, 4);
  Pos = 1;
  EXPECT_EQ(ScanOctNumber("37777777777", Pos), -1);
}

TEST(FormatNumberText, FixedPointForm) {
  EXPECT_EQ(FormatNumberText(1, 2, 12.5L), "12.50");
  EXPECT_EQ(FormatNumberText(1, 0, -3.0L), "-3");
  EXPECT_EQ(FormatNumberText(1, 8, 1234.5678L), "1234.56780000");
  EXPECT_EQ(FormatNumberText(8, 1, 2.25L).size(), 8);
  EXPECT_EQ(FormatNumberText(1, 2, -0.0L), "0.00");
}

TEST(FormatNumberText, ExponentFormWithTwoExponentDigits) {
  EXPECT_EQ(FormatNumberText(12, -2, 1500.0L), " 1.50000E+03");
  EXPECT_EQ(FormatNumberText(12, -2, -1500.0L), "-1.50000E+03");
  EXPECT_EQ(FormatNumberText(12, -2, 0.0L), " 0.00000E+00");
  EXPECT_EQ(FormatNumberText(12, -2, 1.25e-7L), " 1.25000E-07");
  EXPECT_EQ(FormatNumberText(9, -2, 1234.5678L), " 1.23E+03");
  EXPECT_EQ(FormatNumberText(12, -2, 1E150L), QString(12, QChar('*')));
  EXPECT_EQ(FormatNumberText(12, -2, 1E-100L), QString(12, QChar('*')));
  EXPECT_EQ(FormatNumberText(12, -2, 9.9999999E99L), QString(12, QChar('*')));  // rounds up to E+100
}

TEST(DigitTexts, CountsAreClampedAndPaddedWithZeros) {
  EXPECT_EQ(HexDigitText(255, 0), "F");
  EXPECT_EQ(HexDigitText(255, 8), "000000FF");
  EXPECT_EQ(HexDigitText(0xABCDEF12u, 20), "ABCDEF12");
  EXPECT_EQ(OctDigitText(8, 20), "00000000010");
  EXPECT_EQ(BinDigitText(5, 40).size(), 32);
  EXPECT_EQ(BinDigitText(5, 3), "101");
  EXPECT_EQ(HexDigitText(TwosComplementOf(-1.0), 8), "FFFFFFFF");
  EXPECT_EQ(TwosComplementOf(2.5), 2u);  // ties to even
  EXPECT_EQ(TwosComplementOf(3.5), 4u);
  EXPECT_EQ(TwosComplementOf(4294967296.0 + 7), 7u);
}

}  // namespace
}  // namespace qor
