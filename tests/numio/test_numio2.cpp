// TNumIO2 behaviour: properties and their clamps, value conversions in the
// input formats, keyboard editing, clipboard, buttons, gauge and caret timer,
// driven through real key and mouse events.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "numio/qor_numio.h"
#include "tests/numio/numio_test_util.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

class NumIO2 : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.resize(400, 160);
    Field = new TNumIO2(&Host);
    Field->move(10, 10);
    Field->SetName("Field");
    Next = new QLineEdit(&Host);
    Next->move(10, 120);
    test::ShowAndWait(Host);
    Field->OnChange = [this](TObject*) { ++Changes; };
  }

  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(Field, K, M); }
  void Type(const char* Text) { QTest::keyClicks(Field, Text); }
  // A key event as a keyboard layout delivers it: the key and its text.
  void LayoutKey(Qt::Key K, const char* Text, Qt::KeyboardModifiers M = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Click, Field, K, QString::fromUtf8(Text), M);
  }
  void Click(int X, int Y) { QTest::mouseClick(Field, Qt::LeftButton, {}, QPoint(X, Y)); }

  QWidget Host;
  TNumIO2* Field = nullptr;
  QLineEdit* Next = nullptr;
  int Changes = 0;
};

TEST_F(NumIO2, DefaultsOfTheProperties) {
  EXPECT_EQ(Field->Width(), 160);
  EXPECT_EQ(Field->Height(), 28);
  EXPECT_EQ(Field->InputFormat(), itFloat);
  EXPECT_EQ(Field->DecPlaceSep(), dsBoth);
  EXPECT_EQ(Field->RangeHigh(), 1000);
  EXPECT_EQ(Field->ButHeight(), 28);
  EXPECT_EQ(Field->ColorWarnBG(), 0x6088FFF0u);
  EXPECT_EQ(Field->ColorOutBG(), clBtnFace);
  EXPECT_EQ(Field->Alignment(), taCenter);
  EXPECT_EQ(Field->Text(), "");
}

TEST_F(NumIO2, SettersClampTheirValues) {
  Field->SetHeight(10);
  EXPECT_EQ(Field->Height(), 18);
  EXPECT_EQ(Field->ButHeight(), 18);  // lowered with the height
  Field->SetHeight(28);
  Field->SetGaugeHeight(8);
  EXPECT_EQ(Field->GaugeHeight(), 7);
  Field->SetButWidth(99);
  EXPECT_EQ(Field->ButWidth(), 50);
  Field->SetButSpace(-4);
  EXPECT_EQ(Field->ButSpace(), 0);
  Field->SetLeftSpace(500);
  EXPECT_EQ(Field->LeftSpace(), 160);
  Field->SetLeftSpace(-1);
  EXPECT_EQ(Field->LeftSpace(), 160);
  Field->SetFixPointDecPlaces(40);
  EXPECT_EQ(Field->FixPointDecPlaces(), 15);
  Field->SetFixPointDecPlaces(0);
  EXPECT_EQ(Field->FixPointDecPlaces(), 15);
  Field->SetGaugeWidth(1);
  EXPECT_EQ(Field->GaugeWidth(), 10);
}

TEST_F(NumIO2, RangeLimitsDragEachOtherAlong) {
  Field->SetRangeLow(2000);
  EXPECT_EQ(Field->RangeLow(), 2000);
  EXPECT_EQ(Field->RangeHigh(), 2000);
  Field->SetRangeHigh(-5);
  EXPECT_EQ(Field->RangeLow(), -5);
  EXPECT_EQ(Field->RangeHigh(), -5);
}

TEST_F(NumIO2, ValueIsRewrittenInEveryFormat) {
  Field->SetValue(12.5);
  EXPECT_EQ(Field->Text(), "12.50");
  Field->SetInputFormat(itInt);
  EXPECT_EQ(Field->Text(), "12");  // ties to even
  Field->SetInputFormat(itFloat);
  EXPECT_EQ(Field->Text(), "12.00");
  Field->SetInputFormat(itExp);
  EXPECT_EQ(Field->Text(), " 1.20000E+01");
  Field->SetSignificantDigits(3);
  EXPECT_EQ(Field->Text(), " 1.20E+01");
  Field->SetValue(-1);
  Field->SetInputFormat(itHex);
  EXPECT_EQ(Field->Text(), "FFFFFFFF");
  EXPECT_EQ(Field->Value(), -1);
  Field->SetInputFormat(itOct);
  EXPECT_EQ(Field->Text(), "37777777777");
  Field->SetInputFormat(itBin);
  EXPECT_EQ(Field->Text(), QString(32, QChar('1')));
  Field->SetInputFormat(itDynamic);
  EXPECT_EQ(Field->Text(), "-1");
  EXPECT_EQ(Changes, 0);  // writing Value never fires OnChange
}

TEST_F(NumIO2, TextIsTakenOnlyWhenValid) {
  Field->SetText("12.5");
  EXPECT_EQ(Field->Text(), "12.5");
  Field->SetText("12x");
  EXPECT_EQ(Field->Text(), "12.5");
  Field->SetInputFormat(itFixPoint);
  Field->SetText("3.1");
  EXPECT_EQ(Field->Text(), "12.50");
  Field->SetText("3.14");
  EXPECT_EQ(Field->Text(), "3.14");
  Field->SetText("");
  EXPECT_EQ(Field->Text(), "");
}

TEST_F(NumIO2, IntegerValueRoundsAndReportsOverflow) {
  Field->SetValue(2.5);
  EXPECT_EQ(Field->IntegerValue(), 2);
  Field->SetValue(2147483647.5);
  try {
    (void)Field->IntegerValue();
    FAIL() << "no overflow";
  } catch (const EQORNumIO2Error& E) {
    EXPECT_EQ(E.Message(), "Component \"Field\": integer overflow");
  }
}

// A negative decimal text beyond 32 bits used to read as +2147483647.
TEST_F(NumIO2, IntTextBeyond32BitsReadsAsTheLimitOnItsSide) {
  Field->SetInputFormat(itInt);
  Field->SetText("-3000000000");
  EXPECT_EQ(Field->Value(), -2147483648.0);
  Field->SetText("3000000000");
  EXPECT_EQ(Field->Value(), 2147483647.0);
  Field->SetText("-2147483648");
  EXPECT_EQ(Field->IntegerValue(), -2147483647 - 1);
}

TEST_F(NumIO2, DecimalSeparatorChangeConvertsTheText) {
  Field->SetText("1.5");
  Field->SetDecPlaceSep(dsComma);
  EXPECT_EQ(Field->Text(), "1,5");
  Field->SetDecPlaceSep(dsPoint);
  EXPECT_EQ(Field->Text(), "1.5");
  Field->SetDecPlaceSep(dsBoth);
  EXPECT_EQ(Field->Text(), "1.5");
  EXPECT_EQ(Field->Value(), 1.5);
}

TEST_F(NumIO2, TypingChecksEveryKeystroke) {
  test::BeepCounter Beeps;
  Field->SetBeep(true);
  Type("-");
  EXPECT_EQ(Field->Text(), "-");
  EXPECT_EQ(Field->Value(), 0);
  Type("12.5");
  EXPECT_EQ(Field->Text(), "-12.5");
  EXPECT_EQ(Changes, 5);
  Type(".");  // a second point is refused
  EXPECT_EQ(Field->Text(), "-12.5");
  EXPECT_EQ(Field->CaretPos(), 5);
  EXPECT_EQ(Changes, 5);
  EXPECT_EQ(Beeps.Count(), 1);
  Key(Qt::Key_F5);  // a key without a meaning
  EXPECT_EQ(Beeps.Count(), 2);
  Key(Qt::Key_Home);
  Key(Qt::Key_Right);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Field->Text(), "-2.5");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Field->Text(), "2.5");
  Key(Qt::Key_Backspace);  // nothing in front of the caret
  EXPECT_EQ(Field->Text(), "2.5");
  EXPECT_EQ(Changes, 7);
  Key(Qt::Key_End);
  Key(Qt::Key_Comma);
  EXPECT_EQ(Field->Text(), "2.5");  // "2.5," is no number
}

TEST_F(NumIO2, NumericPadAndSignKeys) {
  Field->SetInputFormat(itExp);
  Field->SetText("");
  Key(Qt::Key_Minus, Qt::KeypadModifier);
  Key(Qt::Key_1, Qt::KeypadModifier);
  Key(Qt::Key_Period, Qt::KeypadModifier);  // the pad's decimal key types what it delivers
  Key(Qt::Key_5);
  Key(Qt::Key_E);
  Key(Qt::Key_Plus);
  Key(Qt::Key_3);
  EXPECT_EQ(Field->Text(), "-1.5E+3");
  EXPECT_EQ(Field->Value(), -1500);
  Field->SetText("");
  Type("2");
  LayoutKey(Qt::Key_Comma, ",", Qt::KeypadModifier);  // a German pad delivers ","
  Type("5");
  EXPECT_EQ(Field->Text(), "2,5");
}

// Shifted keys type the character the layout delivers, never a character
// mapped back from the key through a US layout.
TEST_F(NumIO2, KeyboardLayoutShiftedCharactersAreTypedAsDelivered) {
  Field->SetInputFormat(itDynamic);
  Field->SetText("");
  Field->SetBeep(true);
  test::BeepCounter Beeps;
  LayoutKey(Qt::Key_Dollar, "$", Qt::ShiftModifier);  // "$" alone is invalid
  EXPECT_EQ(Field->Text(), "");
  EXPECT_EQ(Beeps.Count(), 1);
  Type("12");
  Key(Qt::Key_Home);
  LayoutKey(Qt::Key_Dollar, "$", Qt::ShiftModifier);  // US Shift+4, German Shift+4
  EXPECT_EQ(Field->Text(), "$12");
  EXPECT_EQ(Field->Value(), 18);
  Field->SetText("");
  Type("7");
  Key(Qt::Key_Home);
  LayoutKey(Qt::Key_Ampersand, "&", Qt::ShiftModifier);  // German Shift+6 types "&", not "7"
  EXPECT_EQ(Field->Text(), "&7");
  EXPECT_EQ(Field->Value(), 7);
  LayoutKey(Qt::Key_Slash, "/", Qt::ShiftModifier);  // German Shift+7: no character of a number
  EXPECT_EQ(Field->Text(), "&7");
  Field->SetText("");
  LayoutKey(Qt::Key_1, "1");
  Key(Qt::Key_Home);
  LayoutKey(Qt::Key_Percent, "%", Qt::ShiftModifier);
  EXPECT_EQ(Field->Text(), "%1");
  Field->SetInputFormat(itHex);
  Field->SetText("");
  LayoutKey(Qt::Key_A, "a");  // hexadecimal digits come in upper case
  LayoutKey(Qt::Key_F, "F", Qt::ShiftModifier);
  EXPECT_EQ(Field->Text(), "AF");
}

TEST_F(NumIO2, DeletingTheWholeTextLeavesTheFormattedZero) {
  Field->SetText("12.75");
  Field->SetSelBegin(0);
  Field->SetSelEnd(5);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Field->Text(), "0.00");
  EXPECT_EQ(Field->CaretPos(), 0);
  EXPECT_EQ(Changes, 1);
}

TEST_F(NumIO2, FixedPointDigitsAreOverwritten) {
  Field->SetInputFormat(itFixPoint);
  Field->SetText("1.23");
  Key(Qt::Key_End);
  Key(Qt::Key_Left);
  EXPECT_EQ(Field->SelBegin(), 3);
  EXPECT_EQ(Field->SelEnd(), 4);
  Type("5");
  EXPECT_EQ(Field->Text(), "1.25");
  Key(Qt::Key_Home);
  Type("9");
  EXPECT_EQ(Field->Text(), "91.25");
  Type("x");
  EXPECT_EQ(Field->Text(), "91.25");
}

TEST_F(NumIO2, SelectionSettersKeepTheOrder) {
  Field->SetText("12345");
  Field->SetSelEnd(4);
  Field->SetSelBegin(2);
  EXPECT_EQ(Field->SelBegin(), 2);
  EXPECT_EQ(Field->SelEnd(), 4);
  EXPECT_EQ(Field->CaretPos(), 2);
  Field->SetSelEnd(1);
  EXPECT_EQ(Field->SelBegin(), 1);
  Field->SetSelBegin(9);
  EXPECT_EQ(Field->SelBegin(), 5);
  EXPECT_EQ(Field->SelEnd(), 5);
}

TEST_F(NumIO2, ClipboardCopyCutAndPaste) {
  Field->SetText("123.5");
  Field->SetSelBegin(1);
  Field->SetSelEnd(3);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(host::ClipboardText(), "23");
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Field->Text(), "1.5");
  EXPECT_EQ(Changes, 1);
  Key(Qt::Key_End);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Field->Text(), "1.523");
  EXPECT_EQ(Field->CaretPos(), 5);
  host::SetClipboardText("x");
  Key(Qt::Key_V, Qt::ControlModifier);  // pasted text is checked like typed text
  EXPECT_EQ(Field->Text(), "1.523");
  EXPECT_EQ(Changes, 2);
}

TEST_F(NumIO2, ReadOnlyIgnoresKeysButCopies) {
  Field->SetText("42");
  Field->SetReadOnly(true);
  Type("1");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Field->Text(), "42");
  Field->SetSelBegin(0);
  Field->SetSelEnd(2);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(host::ClipboardText(), "42");
  Click(127, 7);  // buttons still work when visible
  Field->SetButVisible(true);
  Click(127, 7);
  EXPECT_EQ(Field->Text(), "43.00");
}

TEST_F(NumIO2, TabMovesTheFocusOn) {
  Click(60, 14);
  ASSERT_TRUE(Field->hasFocus());
  Key(Qt::Key_Tab);
  EXPECT_TRUE(Next->hasFocus());
}

TEST_F(NumIO2, ReadOnlyFieldDoesNotTrapTheFocus) {
  Field->SetReadOnly(true);
  for (const Qt::Key K : {Qt::Key_Tab, Qt::Key_Backtab}) {
    Click(60, 14);
    ASSERT_TRUE(Field->hasFocus());
    Key(K, K == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_TRUE(Next->hasFocus()) << "key " << K;  // two widgets: the previous one is the next
  }
  EXPECT_EQ(Changes, 0);
}

TEST_F(NumIO2, ShiftTabMovesTheFocusBack) {
  auto* Third = new QLineEdit(&Host);
  Third->show();
  Click(60, 14);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(Third->hasFocus());  // the chain wraps from the first widget to the last
}

TEST_F(NumIO2, ButtonsStepAndStayInTheRange) {
  Field->SetButVisible(true);
  Field->SetValue(999.5);
  Click(127, 7);
  EXPECT_EQ(Field->Value(), 1000);
  EXPECT_EQ(Changes, 1);
  Click(127, 7);  // already at the top: unchanged, still reported
  EXPECT_EQ(Field->Value(), 1000);
  EXPECT_EQ(Changes, 2);
  Field->SetButIncrem(250);
  Click(127, 20);
  EXPECT_EQ(Field->Value(), 750);
  Click(118, 20);  // on the column's left edge: no button
  EXPECT_EQ(Field->Value(), 750);
}

TEST_F(NumIO2, ButtonsStepAlongThePivots) {
  Field->SetButVisible(true);
  Field->ButtonPivots = {0, 10, 20};
  const auto StepFrom = [this](double V, bool Up) {
    Field->SetValue(V);
    Click(127, Up ? 7 : 20);
    return Field->Value();
  };
  EXPECT_EQ(StepFrom(10, true), 20);
  EXPECT_EQ(StepFrom(10, false), 0);
  EXPECT_EQ(StepFrom(12, true), 20);
  EXPECT_EQ(StepFrom(12, false), 10);
  EXPECT_EQ(StepFrom(20, true), 20);
  EXPECT_EQ(StepFrom(0, false), 0);
  EXPECT_EQ(StepFrom(9.98, true), 10);  // within the tolerance of 10^-2 below a pivot
}

TEST_F(NumIO2, GaugeClickAndDrag) {
  Field->SetHeight(48);
  Field->SetGaugeVisible(true);  // gauge y 39..46, x 35..117
  std::vector<double> Reported;
  Field->OnGaugeChange = [&](TObject*, TShiftState, double V) { Reported.push_back(V); };
  QTest::mousePress(Field, Qt::LeftButton, {}, QPoint(76, 42));
  EXPECT_NEAR(Field->Value(), 500, 0.01);
  EXPECT_EQ(Changes, 0);  // OnChange waits for the mouse-up
  QTest::mouseMove(Field, QPoint(200, 42));
  EXPECT_EQ(Field->Value(), 500);  // beyond the gauge
  QTest::mouseMove(Field, QPoint(118, 42));
  EXPECT_EQ(Field->Value(), 1000);
  QTest::mouseMove(Field, QPoint(34, 42));
  EXPECT_EQ(Field->Value(), 0);
  QTest::mouseRelease(Field, Qt::LeftButton, {}, QPoint(34, 42));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Reported, (std::vector<double>{1000, 0}));

  Field->ButtonPivots = {0, 10, 20};
  Click(35 + 61, 42);
  EXPECT_EQ(Field->Value(), 20);
}

TEST_F(NumIO2, MouseSetsCaretAndDragsTheSelection) {
  Field->SetAlignment(taLeftJustify);
  Field->SetText("123456");
  const int CharWidth = QFontMetrics(Field->Font().ToQFont()).horizontalAdvance("0");
  const int X2 = Field->CharPosToXCoords(2);
  EXPECT_EQ(X2, 35 + 4 + 2 * CharWidth);
  QTest::mousePress(Field, Qt::LeftButton, {}, QPoint(X2, 14));
  EXPECT_EQ(Field->CaretPos(), 2);
  QTest::mouseMove(Field, QPoint(Field->CharPosToXCoords(5), 14));
  EXPECT_EQ(Field->SelBegin(), 2);
  EXPECT_EQ(Field->SelEnd(), 5);
  QTest::mouseMove(Field, QPoint(Field->CharPosToXCoords(1), 14));
  EXPECT_EQ(Field->SelBegin(), 1);
  QTest::mouseRelease(Field, Qt::LeftButton, {}, QPoint(Field->CharPosToXCoords(1), 14));
  EXPECT_EQ(Field->XCoordsToCharPos(0), 0);
  EXPECT_EQ(Field->XCoordsToCharPos(400), 6);
  QTest::mouseMove(Field, QPoint(20, 14));
  EXPECT_EQ(Field->MouseAreaCode(), 0);
  QTest::mouseMove(Field, QPoint(36, 14));
  EXPECT_EQ(Field->MouseAreaCode(), 1);
  QTest::mouseMove(Field, QPoint(116, 14));
  EXPECT_EQ(Field->MouseAreaCode(), 2);
}

TEST_F(NumIO2, CaretPositionMappingFollowsTheAlignment) {
  Field->SetText("88");
  const int IW = QFontMetrics(Field->Font().ToQFont()).horizontalAdvance("88");
  Field->SetAlignment(taRightJustify);
  EXPECT_EQ(Field->CharPosToXCoords(0), 35 + 80 - IW - 2);
  EXPECT_EQ(Field->XCoordsToCharPos(35 + 80 - 3), 2);
  Field->SetAlignment(taCenter);
  EXPECT_EQ(Field->CharPosToXCoords(1), IW / 2 + 35 + (80 - IW) / 2 + 2);
  Field->SetAlignment(taLeftJustify);
  const int Before = Field->CharPosToXCoords(2);
  Field->Font().SetSize(Field->Font().Size() * 2);  // measured anew after a font change
  EXPECT_GT(Field->CharPosToXCoords(2), Before + IW / 2);
}

TEST_F(NumIO2, FixPointWithTheCommaAsOnlySeparatorCanBeEdited) {
  Field->SetInputFormat(itFixPoint);
  Field->SetDecPlaceSep(dsComma);
  Field->SetValue(1.23);
  EXPECT_EQ(Field->Text(), "1,23");
  Field->SetText("4,56");
  EXPECT_EQ(Field->Text(), "4,56");
  Field->SetText("4.56");  // the point is no separator here
  EXPECT_EQ(Field->Text(), "4,56");
  Click(60, 14);
  Key(Qt::Key_Home);
  Type("7");
  EXPECT_EQ(Field->Text(), "74,56");
  EXPECT_DOUBLE_EQ(Field->Value(), 74.56);
  EXPECT_EQ(Changes, 1);
  Field->SetDecPlaceSep(dsBoth);  // either separator then counts
  Field->SetText("3,25");
  EXPECT_EQ(Field->Text(), "3,25");
}

TEST_F(NumIO2, GaugeOfZeroWidthKeepsTheValue) {
  Field->SetGaugeVisible(true);
  Field->SetWidth(35);  // GaugeLeftMargin 35 leaves no room
  Field->SetGaugeWidth(0);
  ASSERT_EQ(Field->GaugeWidth(), 0);
  Field->SetValue(5);
  Click(35, 22);
  QTest::mouseMove(Field, QPoint(35, 22));
  EXPECT_EQ(Field->Text(), "5.00");
  EXPECT_EQ(Changes, 0);
}

// Qt's event loop does not carry exceptions: a refused caret timer while the
// focus arrives is handed to the application's exception handler.
TEST_F(NumIO2, ExceptionsDoNotLeaveQtEventHandlers) {
  QStringList Reported;
  host::Application()->OnException = [&](QObject*, const std::exception& E) {
    Reported << QString::fromUtf8(E.what());
  };
  host::TTimerWindow::SimulateRefusal(true);
  Next->setFocus();
  EXPECT_NO_THROW(Field->setFocus());
  EXPECT_NO_THROW(Click(60, 14));
  host::TTimerWindow::SimulateRefusal(false);
  host::Application()->OnException = nullptr;
  ASSERT_FALSE(Reported.isEmpty());
  EXPECT_EQ(Reported.first(), "Component \"Field\": no timer available");
}

TEST_F(NumIO2, CaretTimerRefusalIsReported) {
  host::TTimerWindow::SimulateRefusal(true);
  try {
    TNumIO2 Broken;
    ADD_FAILURE() << "no exception";
  } catch (const EQORNumIO2Error& E) {
    EXPECT_EQ(E.Message(), "Component \"\": no timer available");
  }
  EXPECT_THROW(Field->SetFocus(), EQORNumIO2Error);
  Field->SetReadOnly(true);
  EXPECT_NO_THROW(Field->SetFocus());
  host::TTimerWindow::SimulateRefusal(false);
}

TEST_F(NumIO2, AssignCopiesTheFieldButNotButtonsOrGauge) {
  Field->SetInputFormat(itFixPoint);
  Field->SetText("7.25");
  Field->SetRangeHigh(50);
  Field->SetLeftText("U");
  Field->SetButVisible(true);
  Field->ButtonPivots = {1, 2};
  TNumIO2 Copy(&Host);
  Copy.Assign(*Field);
  EXPECT_EQ(Copy.Text(), "7.25");
  EXPECT_EQ(Copy.InputFormat(), itFixPoint);
  EXPECT_EQ(Copy.RangeHigh(), 50);
  EXPECT_EQ(Copy.LeftText(), "U");
  EXPECT_FALSE(Copy.ButVisible());
  EXPECT_TRUE(Copy.ButtonPivots.empty());
}

}  // namespace
}  // namespace qor
