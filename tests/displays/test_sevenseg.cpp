#include <gtest/gtest.h>

#include <QTest>

#include "displays/qor_sevenseg.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;
using test::Picture;

// Default geometry: 216 x 76, margin 8, 4 cells of 48 x 60, 2 pixels apart.
constexpr int CellW = 48, CellH = 60, Pitch = 50, Margin = 8;

// Pixel of cell Cell at the master-digit point (Mx, My).
TColor At(const QImage& Img, int Cell, int Mx, int My) {
  return PixelAt(Img, Margin + Cell * Pitch + Mx * CellW / 312, Margin + My * CellH / 432);
}

bool Near(TColor A, TColor B, int Tol = 3) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tol &&
         std::abs(GetGValue(A) - GetGValue(B)) <= Tol &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tol;
}

// Middle of segment 4, of segment 3, of the point, of the upper half of the plus.
constexpr int MidX = 157, MidY = 216, UpperRightX = 278, UpperRightY = 118, PointX = 288,
              PointY = 413;
constexpr TColor Back = 0x333333;

bool MiddleLit(const QImage& Img, int Cell) { return Near(At(Img, Cell, MidX, MidY), clRed); }
bool PointLit(const QImage& Img, int Cell) { return Near(At(Img, Cell, PointX, PointY), clRed); }

TEST(SevenSeg, DefaultsShowFourEightsWithPoints) {
  TSevenSeg S;
  EXPECT_EQ(S.Width(), 216);
  EXPECT_EQ(S.Height(), 76);
  EXPECT_EQ(S.Caption(), "8.8.8.8.");
  EXPECT_EQ(S.CellWidth(), CellW);
  EXPECT_EQ(S.GlyphCache().Width(), 21 * CellW);
  EXPECT_EQ(S.GlyphCache().Height(), CellH);
  const QImage Img = Picture(S);
  for (int Cell = 0; Cell < 4; ++Cell) {
    EXPECT_TRUE(MiddleLit(Img, Cell)) << Cell;
    EXPECT_TRUE(PointLit(Img, Cell)) << Cell;
  }
  // Margin, gaps between cells and the right margin stay background.
  EXPECT_EQ(PixelAt(Img, 5, 38), Back);
  EXPECT_EQ(PixelAt(Img, Margin + CellW, 38), Back);
  EXPECT_EQ(PixelAt(Img, 210, 38), Back);
}

TEST(SevenSeg, CaptionWalkPutsPointsIntoCells) {
  TSevenSeg S;
  S.SetCaption("12.5");
  QImage Img = Picture(S);
  EXPECT_FALSE(MiddleLit(Img, 0));  // "1"
  EXPECT_TRUE(Near(At(Img, 0, UpperRightX, UpperRightY), clRed));
  EXPECT_FALSE(PointLit(Img, 0));
  EXPECT_TRUE(MiddleLit(Img, 1));  // "2."
  EXPECT_TRUE(PointLit(Img, 1));
  EXPECT_TRUE(MiddleLit(Img, 2));  // "5"
  EXPECT_FALSE(PointLit(Img, 2));
  EXPECT_FALSE(MiddleLit(Img, 3));  // unused
  EXPECT_FALSE(PointLit(Img, 3));

  S.SetCaption(".5");
  Img = Picture(S);
  EXPECT_TRUE(PointLit(Img, 0));
  EXPECT_FALSE(MiddleLit(Img, 0));
  EXPECT_TRUE(MiddleLit(Img, 1));
  EXPECT_FALSE(PointLit(Img, 1));

  S.SetCaption("3,4");
  Img = Picture(S);
  EXPECT_TRUE(PointLit(Img, 0));
  EXPECT_TRUE(MiddleLit(Img, 1));
}

TEST(SevenSeg, LongCaptionIsCutAndUnknownCharactersUseACell) {
  TSevenSeg S;
  S.SetNumDigits(2);
  S.SetCaption("4444");
  QImage Img = Picture(S);
  // Two cells of (216 - 16) / 2 - 2 = 98 pixels; nothing beyond the second.
  EXPECT_EQ(S.CellWidth(), 98);
  EXPECT_EQ(PixelAt(Img, 207, 38), Back);

  S.SetNumDigits(4);
  S.SetCaption("G 88");
  Img = Picture(S);
  EXPECT_FALSE(MiddleLit(Img, 0));
  EXPECT_FALSE(MiddleLit(Img, 1));
  EXPECT_TRUE(MiddleLit(Img, 2));
  EXPECT_TRUE(MiddleLit(Img, 3));
}

TEST(SevenSeg, LowerCaseHexLettersMatchCapitals) {
  TSevenSeg Upper, Lower;
  Upper.SetNumDigits(6);
  Lower.SetNumDigits(6);
  Upper.SetCaption("ABCDEF");
  Lower.SetCaption("abcdef");
  EXPECT_EQ(Picture(Upper), Picture(Lower));
  Lower.SetCaption("abcdeg");
  EXPECT_NE(Picture(Upper), Picture(Lower));
}

TEST(SevenSeg, SpecialGlyphs) {
  TSevenSeg S;
  S.SetCaption(QStringLiteral("+:\u00B0-"));
  const QImage Img = Picture(S);
  EXPECT_TRUE(MiddleLit(Img, 0));                   // plus: crossing of its arms
  EXPECT_TRUE(Near(At(Img, 0, 169, 150), clRed));  // upper arm, slanted
  EXPECT_TRUE(Near(At(Img, 1, 155, 161), clRed));  // colon: upper dot
  EXPECT_TRUE(Near(At(Img, 1, 140, 271), clRed));  // lower dot
  EXPECT_FALSE(MiddleLit(Img, 1));
  // The degree ring is lit, and its inside shows the background, not white.
  EXPECT_TRUE(Near(At(Img, 2, 168, 120), clRed));
  EXPECT_EQ(At(Img, 2, 230, 69), Back);
  EXPECT_TRUE(MiddleLit(Img, 3));
  EXPECT_FALSE(Near(At(Img, 3, UpperRightX, UpperRightY), clRed));
  // The insides of an eight are background too.
  S.SetCaption("8");
  EXPECT_EQ(At(Picture(S), 0, 170, 110), Back);
}

// The colon is two dots: nothing joins them.
TEST(SevenSeg, ColonShowsNoStrokeBetweenItsDots) {
  TSevenSeg S;
  S.SetCaption(QStringLiteral(":"));
  const QImage Img = Picture(S);
  EXPECT_TRUE(Near(At(Img, 0, 155, 161), clRed));
  EXPECT_TRUE(Near(At(Img, 0, 140, 271), clRed));
  for (int My = 190; My <= 240; My += 5)
    for (int Mx = 110; Mx <= 200; Mx += 2) EXPECT_EQ(At(Img, 0, Mx, My), Back) << Mx << ", " << My;
}

TEST(SevenSeg, PropertyLimits) {
  TSevenSeg S;
  S.SetNumDigits(0);
  EXPECT_EQ(S.NumDigits(), 4);
  S.SetNumDigits(33);
  EXPECT_EQ(S.NumDigits(), 4);
  S.SetNumDigits(32);
  EXPECT_EQ(S.NumDigits(), 32);
  S.SetMargin(100);
  EXPECT_EQ(S.Margin(), 37);
  S.SetMargin(-4);
  EXPECT_EQ(S.Margin(), 0);
  S.SetInterDigDist(300);
  EXPECT_EQ(S.InterDigDist(), 255);
  // Cells of no width leave an empty cache and a plain picture.
  EXPECT_TRUE(S.GlyphCache().Empty());
  EXPECT_EQ(PixelAt(Picture(S), 100, 38), Back);
}

TEST(SevenSeg, WhiteTextIsLitInAlmostWhite) {
  TSevenSeg S;
  S.SetColorText(clWhite);
  const QImage Img = Picture(S);
  EXPECT_TRUE(Near(At(Img, 0, MidX, MidY), 0xFEFEFE, 1));
  EXPECT_EQ(At(Img, 0, MidX, MidY) & 0xFF, 0xFEu);
  // Colours change repeatedly: each rebuild finds the shapes again.
  S.SetColorText(clLime);
  S.SetColorBackGnd(clNavy);
  const QImage Again = Picture(S);
  EXPECT_TRUE(Near(At(Again, 2, MidX, MidY), clLime));
  EXPECT_EQ(PixelAt(Again, 5, 38), clNavy);
}

TEST(SevenSeg, SunkenFrame) {
  TSevenSeg S;
  QImage Img = Picture(S);
  EXPECT_EQ(PixelAt(Img, 0, 0), clGray);
  EXPECT_EQ(PixelAt(Img, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(Img, 215, 75), clWhite);
  EXPECT_EQ(PixelAt(Img, 214, 74), clSilver);
  S.SetFrameStyle(fsNone);
  Img = Picture(S);
  EXPECT_EQ(PixelAt(Img, 0, 0), Back);
}

TEST(SevenSeg, ResizeRebuildsTheCache) {
  QWidget Parent;
  Parent.resize(500, 200);
  auto* S = new TSevenSeg(&Parent);
  test::ShowAndWait(Parent);
  S->SetBounds(0, 0, 416, 116);
  QCoreApplication::processEvents();
  EXPECT_EQ(S->CellWidth(), (416 - 16) / 4 - 2);
  EXPECT_EQ(S->GlyphCache().Width(), 21 * 98);
  EXPECT_EQ(S->GlyphCache().Height(), 100);
  const QImage Img = Picture(*S);
  EXPECT_TRUE(Near(PixelAt(Img, Margin + 157 * 98 / 312, Margin + 216 * 100 / 432), clRed));
}

TEST(SevenSeg, AssignCopiesTheLook) {
  TSevenSeg A, B;
  A.SetCaption("-1.5");
  A.SetColorText(clYellow);
  A.SetColorBackGnd(clBlack);
  A.SetNumDigits(5);
  A.SetMargin(4);
  A.SetInterDigDist(6);
  A.SetFrameStyle(fsRaised);
  B.Assign(A);
  EXPECT_EQ(B.Caption(), "-1.5");
  EXPECT_EQ(B.NumDigits(), 5);
  EXPECT_EQ(B.Margin(), 4);
  EXPECT_EQ(B.InterDigDist(), 6);
  EXPECT_EQ(B.FrameStyle(), fsRaised);
  EXPECT_EQ(Picture(A), Picture(B));
  TSevenSeg C;
  A.AssignTo(C);
  EXPECT_EQ(C.ColorText(), clYellow);
}

}  // namespace
}  // namespace qor
