// TNumIO2 painting: the box, frame groups, buttons and arrows, gauge, warning
// colours, disabled look, caret and selection at the pixels the layout fixes.
//
// Default layout: LeftSpace 35, TextBoxWidth 80, Height 28, so the box spans
// x 35..116 and the button column starts at x 118.
#include <gtest/gtest.h>

#include <QTest>

#include "numio/qor_numio.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

class NumIO2Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.resize(300, 120);
    Field = new TNumIO2(&Host);
    Field->move(10, 10);
    test::ShowAndWait(Host);
    Next = new QWidget(&Host);
    Next->setFocusPolicy(Qt::StrongFocus);
    Next->show();
    Next->setFocus();
  }
  TColor Px(int X, int Y) {
    Image = test::Picture(*Field);
    return test::PixelAt(Image, X, Y);
  }
  // Counts the pixels of colour C in the rectangle.
  int Count(TColor C, int X1, int Y1, int X2, int Y2) {
    Image = test::Picture(*Field);
    int N = 0;
    for (int Y = Y1; Y < Y2; ++Y)
      for (int X = X1; X < X2; ++X) N += test::PixelAt(Image, X, Y) == C;
    return N;
  }

  QWidget Host;
  TNumIO2* Field = nullptr;
  QWidget* Next = nullptr;
  QImage Image;
};

const TColor Face = ColorToRGB(clBtnFace);

TEST_F(NumIO2Paint, SunkenBoxFrameGroups) {
  Field->SetReadOnly(true);  // no caret
  EXPECT_EQ(Px(10, 10), Face);
  EXPECT_EQ(Px(35, 0), clGray);     // outline
  EXPECT_EQ(Px(116, 26), clGray);
  EXPECT_EQ(Px(36, 10), clBlack);   // upper-left group: x 36 from y 25 up ...
  EXPECT_EQ(Px(36, 25), clBlack);
  EXPECT_EQ(Px(60, 1), clBlack);    // ... and y 1 to x 115
  EXPECT_EQ(Px(115, 1), clBlack);
  EXPECT_EQ(Px(116, 1), clGray);
  EXPECT_EQ(Px(60, 27), clWhite);   // lower-right group at y BB + 3 = 27 ...
  EXPECT_EQ(Px(117, 10), clWhite);  // ... and x 117 up to y 1
  EXPECT_EQ(Px(117, 0), Face);
  EXPECT_EQ(Px(60, 20), clWhite);   // box background
  EXPECT_EQ(Px(34, 10), Face);
}

TEST_F(NumIO2Paint, FrameStylesColourTheGroups) {
  Field->SetReadOnly(true);
  Field->SetFrameStyle(fsRaised);
  EXPECT_EQ(Px(36, 10), clWhite);
  EXPECT_EQ(Px(117, 10), clBlack);
  Field->SetFrameStyle(fsEmbossed);
  EXPECT_EQ(Px(35, 0), clWhite);
  EXPECT_EQ(Px(36, 10), clGray);
  Field->SetFrameStyle(fsSimple);
  EXPECT_EQ(Px(35, 27), clGray);  // single line round (35, 0, 117, 28)
  EXPECT_EQ(Px(36, 10), clWhite);
  Field->SetColorScheme(csSystemBevels);
  Field->SetFrameStyle(fsLowered);
  EXPECT_EQ(Px(35, 0), ColorToRGB(clBtnShadow));
}

TEST_F(NumIO2Paint, OutOfRangeUsesTheWarningColours) {
  Field->SetReadOnly(true);
  Field->SetFrameStyle(fsNone);
  Field->SetValue(5000);
  const TColor WarnBG = 0x88FFF0;
  EXPECT_EQ(Px(35, 0), WarnBG);  // frame line included
  EXPECT_EQ(Px(116, 27), WarnBG);
  EXPECT_GT(Count(clRed, 38, 2, 113, 25), 8);
  EXPECT_EQ(Count(clBlack, 38, 2, 113, 25), 0);
  Field->SetValue(500);
  EXPECT_EQ(Px(35, 0), clWhite);
  EXPECT_GT(Count(clBlack, 38, 2, 113, 25), 8);
}

TEST_F(NumIO2Paint, ButtonsAndArrows) {
  Field->SetReadOnly(true);
  Field->SetButVisible(true);
  EXPECT_EQ(Px(118, 0), clGray);
  EXPECT_EQ(Px(118, 26), clGray);  // the column spans y 0 to 26
  EXPECT_EQ(Px(118, 27), Face);
  EXPECT_EQ(Px(122, 13), clGray);  // separator
  EXPECT_EQ(Px(122, 14), clWhite);  // highlight of the lower face
  EXPECT_EQ(Px(122, 1), clWhite);
  EXPECT_EQ(Px(119, 5), clWhite);
  EXPECT_EQ(Px(122, 17), clSilver);
  EXPECT_EQ(Px(130, 27), clBlack);  // shadow below and right of the column
  EXPECT_EQ(Px(137, 10), clBlack);
  // Up arrow tip on top at y 6, down arrow tip at the bottom at y 21 (C = 127).
  EXPECT_EQ(Px(127, 6), clBlack);
  EXPECT_EQ(Px(128, 6), clBlack);
  EXPECT_EQ(Px(126, 6), clSilver);
  EXPECT_EQ(Px(125, 8), clBlack);
  EXPECT_EQ(Px(130, 8), clBlack);
  EXPECT_EQ(Px(131, 8), clSilver);
  EXPECT_EQ(Px(127, 21), clBlack);
  EXPECT_EQ(Px(126, 21), clSilver);
  EXPECT_EQ(Px(125, 19), clBlack);
  Field->SetBut3D(false);
  EXPECT_EQ(Px(122, 14), clSilver);
  Field->SetEnabled(false);
  EXPECT_EQ(Px(125, 8), clGray);
}

TEST_F(NumIO2Paint, GaugeBarFollowsTheValue) {
  Field->SetReadOnly(true);
  Field->SetHeight(48);
  Field->SetGaugeVisible(true);  // y 39..46, x 35..116
  Field->SetValue(500);
  EXPECT_EQ(Px(35, 39), clGray);   // outline
  EXPECT_EQ(Px(60, 40), clBlack);  // sunken groups
  EXPECT_EQ(Px(36, 44), clBlack);
  EXPECT_EQ(Px(60, 47), clWhite);
  EXPECT_EQ(Px(117, 43), clWhite);
  EXPECT_EQ(Px(75, 43), clNavy);   // bar to 35 + 41
  EXPECT_EQ(Px(76, 43), clSilver);
  Field->SetGaugeFrameStyle(fsSimple);
  EXPECT_EQ(Px(35, 43), clGray);  // the single line covers the bar's edge
  EXPECT_EQ(Px(36, 43), clNavy);
  EXPECT_EQ(Px(60, 46), clGray);
  Field->SetGaugeFrameStyle(fsNone);
  EXPECT_EQ(Px(35, 39), clNavy);  // no frame: the bar covers the outline
  EXPECT_EQ(Px(60, 46), clNavy);
  EXPECT_EQ(Px(100, 39), clSilver);
  Field->SetGaugeFrameStyle(fsLowered);
  Field->SetValue(-1);
  EXPECT_EQ(Px(40, 43), clSilver);  // empty below the range
  Field->SetRangeHigh(0);
  Field->SetValue(0);
  EXPECT_EQ(Px(110, 43), clNavy);   // equal limits: full
  Field->SetEnabled(false);
  EXPECT_EQ(Px(110, 43), clGray);
}

TEST_F(NumIO2Paint, DisabledLook) {
  Field->SetReadOnly(true);
  Field->SetLeftText("Volt");
  Field->SetText("888");
  Field->SetEnabled(false);
  EXPECT_EQ(Px(60, 20), clSilver);
  EXPECT_GT(Count(clGray, 38, 2, 113, 25), 2);  // gray number
  EXPECT_EQ(Count(clBlack, 38, 2, 113, 25), 0);
  EXPECT_GT(Count(clWhite, 0, 0, 34, 28), 0);  // embossed left text
  EXPECT_GT(Count(clGray, 0, 0, 34, 28), 0);
}

TEST_F(NumIO2Paint, DisablingTheParentGivesTheDisabledLook) {
  Field->SetReadOnly(true);
  Host.setEnabled(false);
  EXPECT_EQ(Px(60, 20), clSilver);
  Host.setEnabled(true);
  EXPECT_EQ(Px(60, 20), clWhite);
}

TEST_F(NumIO2Paint, OuterTextsAreAligned) {
  Field->SetReadOnly(true);
  Field->SetRightText("mm");
  Field->SetLeftText("X");
  const auto FirstInk = [this](int From, int To) {
    for (int X = From; X < To; ++X)
      for (int Y = 0; Y < 28; ++Y)
        if (test::PixelAt(Image, X, Y) != Face) return X;
    return -1;
  };
  (void)Px(0, 0);
  const int LeftInk = FirstInk(0, 34);
  Field->SetLeftTextAlignment(taLeftJustify);
  (void)Px(0, 0);
  EXPECT_LT(FirstInk(0, 34), LeftInk);
  EXPECT_GE(FirstInk(0, 34), 7);
  (void)Px(0, 0);
  EXPECT_GE(FirstInk(118, 160), 35 + 80 + 7);  // L + TBW + 7 without buttons
}

TEST_F(NumIO2Paint, CaretAndItsBlinking) {
  Field->setFocus();
  // An empty centred text puts the caret at x = 35 + 41, y 3..24.
  EXPECT_EQ(Px(76, 3), clBlack);
  EXPECT_EQ(Px(76, 24), clBlack);
  EXPECT_EQ(Px(76, 25), clWhite);
  // The first tick hides it, the next one shows it again.
  QTest::qWait(650);
  EXPECT_EQ(Px(76, 10), clWhite);
  QTest::qWait(500);
  EXPECT_EQ(Px(76, 10), clBlack);
}

TEST_F(NumIO2Paint, CaretOnlyInTheFocusedField) {
  // A field created without the focus shows no caret, not even before the
  // first tick of its timer.
  EXPECT_EQ(Px(76, 10), clWhite);
  Field->setFocus();
  EXPECT_EQ(Px(76, 10), clBlack);
  Next->setFocus();  // leaving takes the caret along at once
  EXPECT_EQ(Px(76, 10), clWhite);
  // A copy of a field whose caret is visible shows none while unfocused.
  Field->setFocus();
  TNumIO2 Copy(&Host);
  Copy.move(10, 50);
  Copy.show();
  Copy.Assign(*Field);
  EXPECT_EQ(test::PixelAt(test::Picture(Copy), 76, 10), clWhite);
  QTest::qWait(650);
  EXPECT_EQ(test::PixelAt(test::Picture(Copy), 76, 10), clWhite);
}

TEST_F(NumIO2Paint, CaretBeyondTheBoxIsNotDrawn) {
  Field->SetAlignment(taLeftJustify);
  Field->SetTextBoxWidth(20);
  Field->SetText("123456");
  Field->SetSelEnd(6);  // caret at the end, far beyond the 20 pixels
  Field->UpdateTimer();
  EXPECT_EQ(Count(clBlack, 57, 0, 80, 28), 0);
}

TEST_F(NumIO2Paint, SelectionIsInverted) {
  Field->SetReadOnly(true);
  Field->SetText("8.88");
  Field->SetSelBegin(1);
  Field->SetSelEnd(3);
  const int X1 = Field->CharPosToXCoords(1), X2 = Field->CharPosToXCoords(3);
  EXPECT_EQ(Px(X1 + 1, 3), clWhite);  // hidden while unfocused
  Field->SetHideSelection(false);
  EXPECT_EQ(Px(X1, 3), clBlack);
  EXPECT_EQ(Px(X2 - 1, 24), clBlack);
  EXPECT_EQ(Px(X1, 2), clWhite);
  EXPECT_EQ(Px(X1 - 1, 3), clWhite);
  EXPECT_EQ(Px(X2, 3), clWhite);
}

// The auto height is set when the flag, the font or the size changes (not by
// painting), and Assign carries it with its size policy.
TEST_F(NumIO2Paint, AutoSizeSetsTheHeightFromTheFont) {
  const auto AutoHeight = [&] { return QFontMetrics(Field->Font().ToQFont()).height() + 6; };
  Field->SetAutoSize(true);
  EXPECT_EQ(Field->Height(), AutoHeight());
  Field->Font().SetSize(Field->Font().Size() * 2);
  EXPECT_EQ(Field->Height(), AutoHeight());
  Field->SetBounds(0, 0, 200, 90);
  EXPECT_EQ(Field->Height(), AutoHeight());
  EXPECT_EQ(Field->Width(), 200);
  TNumIO2 Copy;
  Copy.Assign(*Field);
  EXPECT_TRUE(Copy.AutoSize());
  EXPECT_EQ(Copy.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
}

}  // namespace
}  // namespace qor
