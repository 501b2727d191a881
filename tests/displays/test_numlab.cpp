#include <gtest/gtest.h>

#include <QTest>

#include "displays/qor_numlab.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;

TEST(NumLabText, FixedPointRoundsAndFollowsComma) {
  TNumLab L;
  L.SetValue(1234.5678);
  EXPECT_EQ(L.DisplayedText(), "1234.57");
  L.SetComma(true);
  EXPECT_EQ(L.DisplayedText(), "1234,57");
  // The locale's separator never leaks through.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  L.SetComma(false);
  L.SetValue(2.25);
  EXPECT_EQ(L.DisplayedText(), "2.25");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST(NumLabText, PlusSignOnlyForPositiveValues) {
  TNumLab L;
  L.SetForcePlusSign(true);
  EXPECT_EQ(L.DisplayedText(), "0.00");
  L.SetValue(0.001);
  EXPECT_EQ(L.DisplayedText(), "+0.00");
  L.SetValue(-1);
  EXPECT_EQ(L.DisplayedText(), "-1.00");
  // Types without normalisation get no sign.
  L.SetValue(255);
  L.SetDisplayType(dtHex);
  EXPECT_EQ(L.DisplayedText(), "FF");
}

TEST(NumLabText, IntegerRoundsHalvesToEven) {
  TNumLab L;
  L.SetDisplayType(dtInt);
  L.SetValue(2.5);
  EXPECT_EQ(L.DisplayedText(), "2");
  L.SetValue(3.5);
  EXPECT_EQ(L.DisplayedText(), "4");
  L.SetValue(-3.5);
  EXPECT_EQ(L.DisplayedText(), "-4");
}

TEST(NumLabText, GeneralAndScientificForms) {
  TNumLab L;
  L.SetLabelWidth(300);
  L.SetDisplayType(dtFloat);
  L.SetPrecision(6);
  L.SetValue(1234.56789);
  EXPECT_EQ(L.DisplayedText(), "1234.57");
  L.SetValue(0.5);
  EXPECT_EQ(L.DisplayedText(), "0.5");
  L.SetValue(1.5e20);
  EXPECT_EQ(L.DisplayedText(), "1.5E+20");
  L.SetValue(0.000001);
  EXPECT_EQ(L.DisplayedText(), "1E-6");
  L.SetDisplayType(dtExp);
  L.SetPrecision(3);
  L.SetValue(1234.5);
  EXPECT_EQ(L.DisplayedText(), "1.23E+003");
  L.SetValue(-0.000123456);
  EXPECT_EQ(L.DisplayedText(), "-1.23E-004");
}

TEST(NumLabText, OpenDisplayTypes) {
  TNumLab L;
  L.SetLabelWidth(400);
  struct TCase { TDisplay Type; int Precision; double Value; const char* Text; };
  const TCase Cases[] = {
      {dtHex, 8, -1, "FFFFFFFF"},       {dtHex, 0, 255.4, "FF"},
      {dtZeroInt, 5, 42, "00042"},      {dtZeroInt, 3, -7, "-007"},
      {dtBin, 8, 5, "00000101"},        {dtOct, 0, 8, "10"},
      {dtDeg, 1, 12.25, "12.3\u00B0"},  {dtDegMin, 2, 12.5, "12\u00B030.00'"},
      {dtDegMin, 0, -0.9999, "-1\u00B000'"},
      {dtDegMinSec, 0, 12.5042, "12\u00B030'15\""},
      {dtEEng, 2, 47000, "47.00E+03"},  {dtEEng, 1, 0.0012345, "1.2E-03"},
      {dtEEng, 1, 999.96, "1.0E+03"},   {dtEEngNoDP, 5, 3300, "3E+03"},
      {dtEEng, 2, 0, "0.00E+00"}};
  for (const TCase& C : Cases) {
    L.SetDisplayType(C.Type);
    L.SetPrecision(C.Precision);
    L.SetValue(C.Value);
    EXPECT_EQ(L.DisplayedText(), QString::fromUtf8(C.Text)) << int(C.Type) << " " << C.Value;
  }
}

TEST(NumLabText, DateTimeAndStateTexts) {
  TNumLab L;
  L.SetLabelWidth(400);
  L.SetDisplayType(dtDateTime);
  L.SetValue(host::EncodeDate(2026, 12, 8));
  EXPECT_EQ(L.DisplayedText(), "Dec-08, 2026");
  L.SetDTFormat(QStringLiteral("yyyy-mm-dd hh:nn"));
  L.SetValue(host::EncodeDate(2026, 1, 2) + host::EncodeTime(13, 5, 0, 0));
  EXPECT_EQ(L.DisplayedText(), "2026-01-02 13:05");
  L.SetDisplayType(dtState);
  EXPECT_EQ(L.DisplayedText(), "undefined");
}

TEST(NumLabText, OverflowIndicatorAndStateExemption) {
  TNumLab L;
  L.SetLabelWidth(40);
  L.SetValue(123456789.0);
  EXPECT_EQ(L.DisplayedText(), "*********");
  L.SetOverflowIndicator(QStringLiteral("##"));
  EXPECT_EQ(L.DisplayedText(), "##");
  L.SetDisplayType(dtState);
  L.SetStateText(QStringLiteral("a very long state text"));
  EXPECT_EQ(L.DisplayedText(), "a very long state text");
}

TEST(NumLabText, BeforeDisplayRunsBeforeOverflowAndNotWhenEmpty) {
  TNumLab L;
  int Calls = 0;
  L.OnBeforeDisplay = [&](TObject* Sender, QString& Text) {
    EXPECT_EQ(Sender, &L);
    ++Calls;
    Text = QStringLiteral("W").repeated(40);
  };
  EXPECT_EQ(L.DisplayedText(), "*********");
  EXPECT_EQ(Calls, 1);
  Calls = 0;
  L.SetEmpty(true);
  (void)test::Picture(L);
  EXPECT_EQ(Calls, 0);
}

TEST(NumLabProperties, ClampsAndIgnoredValues) {
  TNumLab L;
  EXPECT_EQ(L.Width(), 160);
  EXPECT_EQ(L.Height(), 28);
  L.SetPrecision(40);
  EXPECT_EQ(L.Precision(), 15);
  L.SetPrecision(-1);
  EXPECT_EQ(L.Precision(), 15);
  L.SetLeftSpace(500);
  EXPECT_EQ(L.LeftSpace(), 160);
  L.SetLeftSpace(-3);
  EXPECT_EQ(L.LeftSpace(), 160);
  L.SetLabelWidth(-5);
  EXPECT_EQ(L.LabelWidth(), -5);
}

TEST(NumLabMouse, AreaCodesAtTheBoundaries) {
  TNumLab L;
  test::ShowAndWait(L);
  std::vector<int> Seen;
  L.OnMouseMove = [&](TObject*, TShiftState, int, int) { Seen.push_back(L.MouseAreaCode()); };
  for (int X : {35, 36, 115, 116}) QTest::mouseMove(&L, QPoint(X, 10));
  EXPECT_EQ(Seen, (std::vector<int>{0, 1, 1, 2}));
}

TEST(NumLabPaint, FieldFrameAndBackgroundPixels) {
  TNumLab L;
  L.SetEmpty(true);
  L.SetColorLabBakG(clYellow);
  L.SetColorOutBakG(clNavy);
  const QImage P = test::Picture(L);
  // Background outside the field.
  EXPECT_EQ(PixelAt(P, 0, 0), clNavy);
  EXPECT_EQ(PixelAt(P, 159, 27), clNavy);
  EXPECT_EQ(PixelAt(P, 35, 10), clNavy);
  // Sunken frame from (36, 0) to (115, 26): gray and black upper-left,
  // white and silver lower-right; the field inside; row 27 is background.
  EXPECT_EQ(PixelAt(P, 36, 10), clGray);
  EXPECT_EQ(PixelAt(P, 37, 10), clBlack);
  EXPECT_EQ(PixelAt(P, 50, 0), clGray);
  EXPECT_EQ(PixelAt(P, 115, 10), clWhite);
  EXPECT_EQ(PixelAt(P, 114, 10), clSilver);
  EXPECT_EQ(PixelAt(P, 50, 26), clWhite);
  EXPECT_EQ(PixelAt(P, 50, 27), clNavy);
  EXPECT_EQ(PixelAt(P, 116, 10), clNavy);
  EXPECT_EQ(PixelAt(P, 60, 12), clYellow);
}

TEST(NumLabPaint, FrameStyleNoneShowsTheFieldColourToItsEdge) {
  TNumLab L;
  L.SetEmpty(true);
  L.SetFrameStyle(fsNone);
  L.SetColorLabBakG(clLime);
  L.SetColorOutBakG(clBlack);
  const QImage P = test::Picture(L);
  EXPECT_EQ(PixelAt(P, 36, 0), clLime);
  EXPECT_EQ(PixelAt(P, 115, 26), clLime);
  EXPECT_EQ(PixelAt(P, 116, 26), clBlack);
}

// Columns that hold a pixel of Color within the rows of the text.
std::pair<int, int> InkSpan(const QImage& P, TColor Color, int From, int To) {
  int First = -1, Last = -1;
  for (int X = From; X < To; ++X)
    for (int Y = 0; Y < P.height(); ++Y)
      if (PixelAt(P, X, Y) == Color) {
        if (First < 0) First = X;
        Last = X;
        break;
      }
  return {First, Last};
}

TEST(NumLabPaint, ValueTextAlignmentAndClipping) {
  TNumLab L;
  L.SetColorLabText(clRed);
  L.SetValue(88.88);
  L.SetAlignment(taLeftJustify);
  auto [First, Last] = InkSpan(test::Picture(L), clRed, 0, 160);
  EXPECT_GE(First, 39);
  EXPECT_LE(First, 41);
  L.SetAlignment(taRightJustify);
  std::tie(First, Last) = InkSpan(test::Picture(L), clRed, 0, 160);
  EXPECT_GE(Last, 108);
  EXPECT_LE(Last, 112);
  // A state text wider than the field is clipped to the field's inside.
  L.SetDisplayType(dtState);
  L.SetAlignment(taLeftJustify);
  L.SetStateText(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWW"));
  std::tie(First, Last) = InkSpan(test::Picture(L), clRed, 0, 160);
  EXPECT_GE(First, 38);
  EXPECT_LE(Last, 114);
}

TEST(NumLabPaint, DisabledTextsAreEngraved) {
  TNumLab L;
  L.SetEmpty(true);
  L.SetColorOutBakG(clBlack);
  L.SetLeftText(QStringLiteral("I"));
  L.SetLeftTextAlignment(taLeftJustify);
  L.Font().SetAntialiased(false);
  L.SetEnabled(false);
  const QImage P = test::Picture(L);
  const auto [GrayFirst, GrayLast] = InkSpan(P, clGray, 0, 35);
  const auto [WhiteFirst, WhiteLast] = InkSpan(P, clWhite, 0, 35);
  ASSERT_GE(GrayFirst, 7);
  EXPECT_EQ(WhiteLast, GrayLast + 1);
}

TEST(NumLabPaint, TransparentLetsTheParentShowThrough) {
  QWidget Parent;
  Parent.resize(200, 40);
  Parent.setAutoFillBackground(true);
  QPalette Pal = Parent.palette();
  Pal.setColor(QPalette::Window, QColor(0, 128, 0));
  Parent.setPalette(Pal);
  TNumLab L(&Parent);
  L.SetEmpty(true);
  L.SetTransparent(true);
  test::ShowAndWait(Parent);
  const QImage P = test::Picture(L);
  EXPECT_EQ(PixelAt(P, 5, 5), RGB(0, 128, 0));
  EXPECT_EQ(PixelAt(P, 37, 10), clBlack);  // the frame stays dark
}

TEST(NumLabAssign, CopiesTheDocumentedPropertiesOnly) {
  TNumLab A, B;
  A.SetValue(7);
  A.SetPrecision(4);
  A.SetLeftText(QStringLiteral("L"));
  A.SetColorScheme(csSystemBevels);
  A.SetDisplayType(dtExp);
  A.SetComma(true);
  A.SetDTFormat(QStringLiteral("yyyy"));
  B.Assign(A);
  EXPECT_EQ(B.Value(), 7);
  EXPECT_EQ(B.Precision(), 4);
  EXPECT_EQ(B.LeftText(), "L");
  EXPECT_EQ(B.ColorScheme(), 1);
  EXPECT_EQ(B.DisplayType(), dtExp);
  EXPECT_FALSE(B.Comma());
  EXPECT_EQ(B.DTFormat(), "mmm-dd, yyyy");
}

}  // namespace
// The label follows Qt's effective state: inside a disabled group it paints
// exactly as a label disabled by itself.
TEST(NumLabEnabled, FollowsQtsEffectiveState) {
  QWidget Group;
  Group.resize(200, 60);
  TNumLab InGroup(&Group);
  InGroup.SetValue(12.5);
  TNumLab Alone;
  Alone.SetValue(12.5);
  const QImage Enabled = test::Picture(Alone).copy();
  Alone.SetEnabled(false);
  const QImage Disabled = test::Picture(Alone).copy();
  ASSERT_NE(Enabled, Disabled);
  Group.setEnabled(false);
  EXPECT_FALSE(InGroup.Enabled());
  EXPECT_EQ(test::Picture(InGroup), Disabled);
  Group.setEnabled(true);
  EXPECT_EQ(test::Picture(InGroup), Enabled);
  Alone.setEnabled(true);  // through Qt
  EXPECT_TRUE(Alone.Enabled());
  EXPECT_EQ(test::Picture(Alone), Enabled);
}

// A new value redraws the value box only; the result must be the picture a
// full paint gives, and pixels outside the box stay as they were.
TEST(NumLabPartialRepaint, ValueChangesMatchAFullPaint) {
  struct TCase {
    TFrameStyle Frame;
    TAlignment Align;
    int LeftSpace, LabelWidth;
  } const Cases[] = {{fsLowered, taCenter, 40, 80}, {fsEmbossed, taRightJustify, 10, 60},
                     {fsNone, taLeftJustify, 0, 150}, {fsEngraved, taCenter, 60, 30}};
  const double Values[] = {1234.5678, -0.5, 88888888.8, 7, 1e300, -42.125, 0};
  for (const TCase& K : Cases) {
    TNumLab L;
    test::ShowAndWait(L);
    L.SetFrameStyle(K.Frame);
    L.SetAlignment(K.Align);
    L.SetLeftSpace(K.LeftSpace);
    L.SetLabelWidth(K.LabelWidth);
    L.SetLeftText("U");
    L.SetRightText("mV");
    L.SetColorLabBakG(clYellow);
    test::Picture(L);
    for (double V : Values) {
      // A pixel drawn between paints beside the box survives only a partial repaint.
      L.Canvas().SetPixel(K.LeftSpace + 1, 1, clFuchsia);
      L.SetValue(V);
      const QImage Partial = test::Picture(L);
      EXPECT_EQ(PixelAt(Partial, K.LeftSpace + 1, 1), clFuchsia);
      L.Invalidate();
      QImage Full = test::Picture(L);
      Full.setPixel(K.LeftSpace + 1, 1, qRgb(255, 0, 255));
      ASSERT_EQ(test::DiffText(Partial, Full), "") << "frame " << int(K.Frame) << " value " << V;
    }
  }
}

}  // namespace qor
