// TNumIO: every change of the edit text is checked against the input format
// and the range; refused changes come back as the last accepted text.
#include <gtest/gtest.h>

#include <QTest>

#include "foundation/qor_univconst.h"
#include "numio/qor_numio.h"
#include "tests/numio/numio_test_util.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

class NumIO : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.resize(300, 80);
    Edit = new TNumIO(&Host);
    Edit->SetBounds(10, 10, 200, 24);
    test::ShowAndWait(Host);
    Edit->setFocus();
    Edit->OnChange = [this](TObject*) { ++Changes; };
  }
  void Type(const char* Text) { QTest::keyClicks(Edit, Text); }
  void Key(Qt::Key K) { QTest::keyClick(Edit, K); }

  QWidget Host;
  TNumIO* Edit = nullptr;
  int Changes = 0;
};

TEST_F(NumIO, CreatedAtRunTimeAcceptsOnlyZero) {
  EXPECT_EQ(Edit->RangeLow(), 0);
  EXPECT_EQ(Edit->RangeHigh(), 0);
  EXPECT_EQ(Edit->InputFormat(), itDynamic);
  Type("5");
  EXPECT_EQ(Edit->Text(), "");
  Type("0");
  EXPECT_EQ(Edit->Text(), "0");
  EXPECT_EQ(Changes, 1);
}

TEST_F(NumIO, TypingBeyondTheRangeIsUndone) {
  Edit->SetRangeHigh(100);
  Edit->SetBeep(true);
  test::BeepCounter Beeps;
  Type("500");
  EXPECT_EQ(Edit->Text(), "50");
  EXPECT_EQ(Beeps.Count(), 1);
  EXPECT_EQ(Changes, 2);
  Type("x");
  EXPECT_EQ(Edit->Text(), "50");
  EXPECT_EQ(Edit->SelStart(), 2);
  Key(Qt::Key_Home);
  Type("-");  // "-50" is below the range
  EXPECT_EQ(Edit->Text(), "50");
  EXPECT_EQ(Beeps.Count(), 3);
}

TEST_F(NumIO, ValueWrittenByTheProgramSurvivesARefusedKeystroke) {
  Edit->SetRangeLow(-100);
  Edit->SetRangeHigh(100);
  Edit->SetInputFormat(itFixPoint);
  Edit->SetValue(42.5);
  EXPECT_EQ(Edit->Text(), "42.50");
  Key(Qt::Key_Home);
  Type("9");  // 942.50 lies beyond the range
  EXPECT_EQ(Edit->Text(), "42.50");
  Edit->SetText("12.25");
  Key(Qt::Key_Home);
  Type("9");
  EXPECT_EQ(Edit->Text(), "12.25");
  Edit->SetEditText("-3.00");
  Key(Qt::Key_Home);
  Type("9");  // "9-3.00" is no number
  EXPECT_EQ(Edit->Text(), "-3.00");
  EXPECT_EQ(Changes, 1);  // only the accepted SetText
}

TEST_F(NumIO, TheFieldCannotBeEmptied) {
  Edit->SetRangeHigh(100);
  Type("7");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Edit->Text(), "7");
}

TEST_F(NumIO, InnerBlanksAreRefusedLeadingOnesAllowed) {
  Edit->SetRangeHigh(100);
  double V = -1;
  EXPECT_FALSE(Edit->ConvertNumString("1 2", V));
  EXPECT_TRUE(Edit->ConvertNumString("  12", V));
  EXPECT_EQ(V, 12);
  V = -1;
  EXPECT_FALSE(Edit->ConvertNumString("", V));
  EXPECT_EQ(V, -1);  // untouched
  EXPECT_TRUE(Edit->ConvertNumString("   ", V));
  EXPECT_EQ(V, 0);
  Type("1 2");
  EXPECT_EQ(Edit->Text(), "12");
}

TEST_F(NumIO, ExponentFormReadsDanglingExponents) {
  Edit->SetRangeHigh(1e6);
  Edit->SetInputFormat(itExp);
  double V = 0;
  EXPECT_TRUE(Edit->ConvertNumString("1e", V));
  EXPECT_EQ(V, 1);
  EXPECT_TRUE(Edit->ConvertNumString("1e+", V));
  EXPECT_EQ(V, 1);
  EXPECT_TRUE(Edit->ConvertNumString("1E5", V));
  EXPECT_EQ(V, 100000);
  EXPECT_FALSE(Edit->ConvertNumString("1e5x", V));
  Type("1e5");
  EXPECT_EQ(Edit->Value(), 100000);
}

TEST_F(NumIO, DynamicPrefixesSelectTheBase) {
  Edit->SetRangeLow(-uc_MaxDouble);
  Edit->SetRangeHigh(uc_MaxDouble);
  double V = 0;
  EXPECT_TRUE(Edit->ConvertNumString("$ff", V));
  EXPECT_EQ(V, 255);
  EXPECT_TRUE(Edit->ConvertNumString("%101", V));
  EXPECT_EQ(V, 5);
  EXPECT_TRUE(Edit->ConvertNumString("&17", V));
  EXPECT_EQ(V, 15);
  EXPECT_TRUE(Edit->ConvertNumString("$FFFFFFFF", V));
  EXPECT_EQ(V, -1);  // the two's-complement view
  EXPECT_FALSE(Edit->ConvertNumString("&8", V));
  Type("$1f");
  EXPECT_EQ(Edit->Value(), 31);
}

// Integers typed beyond 32 bits used to wrap around into the range.
TEST_F(NumIO, IntegersBeyond32BitsAreRefused) {
  Edit->SetRangeHigh(100);
  Edit->SetInputFormat(itInt);
  double V = 0;
  EXPECT_FALSE(Edit->ConvertNumString("4294967296", V));  // wraps to 0
  EXPECT_FALSE(Edit->ConvertNumString("4294967337", V));  // wraps to 41
  EXPECT_TRUE(Edit->ConvertNumString("-2147483648", V));
  Type("4294967296");
  EXPECT_EQ(Edit->Text(), "42");
  Edit->SetInputFormat(itHex);
  EXPECT_FALSE(Edit->ConvertNumString("100000000", V));
  EXPECT_TRUE(Edit->ConvertNumString("FFFFFFFF", V));
}

TEST_F(NumIO, FixedPointKeepsItsDecimals) {
  Edit->SetRangeHigh(100000);
  Edit->SetInputFormat(itFixPoint);
  Edit->SetText("1.23");
  Key(Qt::Key_End);
  Type("4");
  EXPECT_EQ(Edit->Text(), "1.23");
  Edit->SetText("12.50");
  Edit->SetSelStart(3);
  Key(Qt::Key_Backspace);  // deletes the point
  EXPECT_EQ(Edit->Text(), "1250.00");
}

// A check whose replacement equals the text used to leave the next change unchecked.
TEST_F(NumIO, ReplacementEqualToTheTextLeavesNoUncheckedChange) {
  Edit->SetRangeHigh(100);
  Edit->SetInputFormat(itFixPoint);
  Edit->SetText("1.50");
  Key(Qt::Key_End);
  Type("9");
  EXPECT_EQ(Edit->Text(), "1.51");  // checked: cut to two decimals, rounded
}

TEST_F(NumIO, ValueIsWrittenInTheInputFormat) {
  Edit->SetInputFormat(itFloat);
  Edit->SetValue(1234.5678);
  EXPECT_EQ(Edit->Text(), "1234.56780000");
  Edit->SetInputFormat(itDynamic);
  Edit->SetValue(1234.5678);
  EXPECT_EQ(Edit->Text(), " 1.23457E+03");
  Edit->SetInputFormat(itHex);
  Edit->SetValue(255);
  EXPECT_EQ(Edit->Text(), "000000FF");
  Edit->SetInputFormat(itBin);
  Edit->SetValue(300);
  EXPECT_EQ(Edit->Text(), "00000000000000000000000100101100");
  EXPECT_EQ(Changes, 0);
}

TEST_F(NumIO, ValueReadsTheCommaInEverySeparatorMode) {
  Edit->SetRangeHigh(10);
  Edit->SetInputFormat(itFloat);
  Edit->SetDecPlaceSep(dsBoth);
  Edit->SetEditText("1,5");
  EXPECT_EQ(Edit->Value(), 1.5);
  Edit->SetDecPlaceSep(dsComma);
  Edit->SetEditText("2,5");
  EXPECT_EQ(Edit->Value(), 2.5);
  Edit->SetDecPlaceSep(dsPoint);
  Edit->SetEditText("3.");
  EXPECT_EQ(Edit->Value(), 3);
}

TEST_F(NumIO, RangeSettersSwapAndRecheck) {
  Edit->SetRangeHigh(100);
  Edit->SetRangeHigh(-5);
  EXPECT_EQ(Edit->RangeLow(), -5);
  EXPECT_EQ(Edit->RangeHigh(), 0);
  Edit->SetRangeHigh(100);
  Edit->SetRangeLow(0);
  Edit->SetRangeLow(200);
  EXPECT_EQ(Edit->RangeLow(), 100);
  EXPECT_EQ(Edit->RangeHigh(), 200);

  Edit->SetRangeLow(0);
  Edit->SetRangeHigh(100);
  Type("50");
  Edit->SetBeep(true);
  test::BeepCounter Beeps;
  Edit->SetRangeHigh(20);
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(Beeps.Count(), 1);
}

TEST_F(NumIO, DesignedFieldsStartWideAndDoNotCheck) {
  TNumIO Designed(&Host);
  Designed.SetDesigning(true);
  EXPECT_EQ(Designed.RangeLow(), -uc_MaxDouble);
  EXPECT_EQ(Designed.RangeHigh(), uc_MaxDouble);
  Designed.SetText("abc");
  EXPECT_EQ(Designed.Text(), "abc");
}

TEST_F(NumIO, AssignCopiesFormatBeepRangeAndSeparator) {
  Edit->SetInputFormat(itHex);
  Edit->SetRangeHigh(77);
  Edit->SetBeep(true);
  Edit->SetDecPlaceSep(dsComma);
  TNumIO Copy(&Host);
  Copy.Assign(*Edit);
  EXPECT_EQ(Copy.InputFormat(), itHex);
  EXPECT_EQ(Copy.RangeHigh(), 77);
  EXPECT_TRUE(Copy.Beep());
  EXPECT_EQ(Copy.DecPlaceSep(), dsComma);
}

TEST(CustomEdit, TranslatesKeysAndSwallowsZeroedOnes) {
  QWidget Host;
  auto* Edit = new host::TCustomEdit(&Host);
  test::ShowAndWait(Host);
  std::vector<std::uint16_t> Keys;
  Edit->OnKeyDown = [&](TObject*, std::uint16_t& Key, TShiftState) {
    Keys.push_back(Key);
    if (Key == 'X') Key = 0;
  };
  Edit->OnKeyPress = [](TObject*, QChar& C) {
    if (C == QChar('b')) C = QChar('B');
  };
  int Changes = 0;
  Edit->OnChange = [&](TObject*) { ++Changes; };
  QTest::keyClicks(Edit, "axb");
  EXPECT_EQ(Edit->Text(), "aB");
  EXPECT_EQ(Keys, (std::vector<std::uint16_t>{'A', 'X', 'B'}));
  EXPECT_EQ(Changes, 2);
  Edit->SetSelStart(1);
  Edit->SetSelLength(5);
  EXPECT_EQ(Edit->SelLength(), 1);
  Edit->SetMaxLength(3);
  QTest::keyClicks(Edit, "cdef");
  EXPECT_EQ(Edit->Text().size(), 3);
}

}  // namespace
}  // namespace qor
