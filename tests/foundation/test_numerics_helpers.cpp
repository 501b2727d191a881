#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "foundation/qor_math1.h"
#include "foundation/qor_univconst.h"

using namespace qor;

TEST(IntNeg, RoundsTowardsMinusInfinity) {
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-2.1), -3);
  EXPECT_EQ(IntNeg(-3.0), -3);
  EXPECT_EQ(IntNeg(-0.0000001), -1);
  EXPECT_EQ(IntNeg(0.0), 0);
}

TEST(IntNeg, SaturatesOutsideTheIntRange) {
  EXPECT_EQ(IntNeg(1e300), INT_MAX);
  EXPECT_EQ(IntNeg(-1e300), INT_MIN);
  EXPECT_EQ(IntNeg(std::nan("")), 0);
}

TEST(IsValidDecInt, AcceptsSignedDigitsWithinThirtyTwoBits) {
  EXPECT_TRUE(IsValidDecInt("0"));
  EXPECT_TRUE(IsValidDecInt(" -17 "));
  EXPECT_TRUE(IsValidDecInt("+42"));
  EXPECT_TRUE(IsValidDecInt("2147483647"));
  EXPECT_TRUE(IsValidDecInt("-2147483648"));
  EXPECT_FALSE(IsValidDecInt("2147483648"));
  EXPECT_FALSE(IsValidDecInt("-2147483649"));
  EXPECT_FALSE(IsValidDecInt("99999999999999999999999"));
}

TEST(IsValidDecInt, RejectsEverythingElse) {
  for (const char* Text : {"", " ", "-", "+", "1.0", "1e3", "0x10", "1 2", "--1", "12a", "\xd9\xa3"})
    EXPECT_FALSE(IsValidDecInt(QString::fromUtf8(Text))) << Text;
}

TEST(UnivConst, Constants) {
  EXPECT_EQ(uc_MaxDouble, std::numeric_limits<double>::max());
  EXPECT_DOUBLE_EQ(uc_ln10, std::log(10.0));
  EXPECT_TRUE(std::isfinite(uc_MaxReal * uc_MaxReal));
  EXPECT_GT(uc_MaxReal, 1e30);
}

TEST(CalendarTables, EveryLanguageHasTwelveMonthsAndSevenDays) {
  for (TLanguage L = lgEnglish; L <= lgSpanish; ++L) {
    for (int M = 1; M <= 12; ++M) {
      EXPECT_FALSE(MonthLong(L, M).isEmpty());
      EXPECT_LE(MonthLong(L, M).size(), 10);
      EXPECT_FALSE(MonthShort(L, M).isEmpty());
      EXPECT_LE(MonthShort(L, M).size(), 4);
    }
    for (int D = 0; D < 7; ++D) EXPECT_EQ(WeekDayShort(L, D).size(), 2);
  }
  EXPECT_EQ(MonthLong(lgGerman, 3), QString::fromUtf8("März"));
  EXPECT_EQ(MonthShort(lgFrench, 8), QString::fromUtf8("Août"));
  EXPECT_EQ(WeekDayShort(lgEnglish, 0), "Mo");
  EXPECT_EQ(WeekDayShort(lgSpanish, 6), "Do");
  EXPECT_EQ(MonthLong(lgSpanish, 12), "Diciembre");
}

TEST(CalendarTables, OutOfRangeGivesEmptyText) {
  EXPECT_TRUE(MonthLong(0, 1).isEmpty());
  EXPECT_TRUE(MonthLong(5, 1).isEmpty());
  EXPECT_TRUE(MonthShort(lgEnglish, 0).isEmpty());
  EXPECT_TRUE(MonthShort(lgEnglish, 13).isEmpty());
  EXPECT_TRUE(WeekDayShort(lgEnglish, 7).isEmpty());
  EXPECT_TRUE(WeekDayShort(lgEnglish, -1).isEmpty());
}
