#include <gtest/gtest.h>

#include <QTest>

#include "decoration/qor_gradfl.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;
using test::Picture;
using GF = TGradFill;

TEST(GradFill, NrColorsClamp) {
  TGradFill G;
  G.SetNrColors(0);
  EXPECT_EQ(G.NrColors(), 1);
  G.SetNrColors(-7);
  EXPECT_EQ(G.NrColors(), 1);
  G.SetNrColors(1000);
  EXPECT_EQ(G.NrColors(), 255);
}

// 16 bands over 121 rows: band k spans MulDiv(k, 121, 16) .. MulDiv(k + 1, 121, 16).
TEST(GradFill, HorizontalBandEdgesAndColours) {
  TGradFill G;
  const QImage Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 60, 0), clMaroon);
  EXPECT_EQ(PixelAt(Img, 60, 7), clMaroon);
  EXPECT_EQ(PixelAt(Img, 60, 8), RGB(136, 16, 0));
  EXPECT_EQ(PixelAt(Img, 0, 112), RGB(128 + 111, 223, 0));
  // The last band stops one step short of the last colour.
  EXPECT_EQ(PixelAt(Img, 120, 113), RGB(247, 239, 0));
  EXPECT_EQ(PixelAt(Img, 120, 120), RGB(247, 239, 0));
}

TEST(GradFill, VerticalBandsAndDescendingChannels) {
  TGradFill G;
  G.SetFillType(GF::gtVert);
  G.SetColorFlipped(true);  // yellow to maroon: red and green fall
  const QImage Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 7, 60), clYellow);
  EXPECT_EQ(PixelAt(Img, 8, 60), RGB(247, 239, 0));
  EXPECT_EQ(PixelAt(Img, 120, 0), RGB(255 - 119, 255 - 239, 0));
}

TEST(GradFill, MidBandsPeakInTheMiddle) {
  TGradFill G;
  G.SetFillType(GF::gtMidBandVert);
  QImage Img = Picture(G);
  // Band 8 of 16 (columns 61..67) has the last colour, the edges the first.
  EXPECT_EQ(PixelAt(Img, 0, 60), clMaroon);
  EXPECT_EQ(PixelAt(Img, 60, 60), RGB(239, 223, 0));  // band 7: 7 of 8 steps
  EXPECT_EQ(PixelAt(Img, 61, 60), clYellow);
  EXPECT_EQ(PixelAt(Img, 67, 60), clYellow);
  EXPECT_EQ(PixelAt(Img, 68, 60), RGB(223, 191, 0));  // band 9: 6 of 8 steps
  EXPECT_EQ(PixelAt(Img, 120, 60), clMaroon);

  G.SetFillType(GF::gtMidBandHoriz);
  G.SetNrColors(5);  // bands 0, 1, 2 (peak), 1, 0 over rows 0, 24, 48, 73, 97
  Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 60, 23), clMaroon);
  EXPECT_EQ(PixelAt(Img, 60, 24), RGB(128 + 64, 128, 0));
  EXPECT_EQ(PixelAt(Img, 60, 48), clYellow);
  EXPECT_EQ(PixelAt(Img, 60, 73), RGB(128 + 64, 128, 0));
  EXPECT_EQ(PixelAt(Img, 60, 97), clMaroon);
}

TEST(GradFill, OneBandIsTheFirstColourForEveryType) {
  TGradFill G;
  G.SetNrColors(1);
  for (auto Type : {GF::gtHoriz, GF::gtVert, GF::gtMidBandHoriz, GF::gtMidBandVert}) {
    G.SetFillType(Type);
    const QImage Img = Picture(G);
    EXPECT_EQ(PixelAt(Img, 0, 0), clMaroon) << int(Type);
    EXPECT_EQ(PixelAt(Img, 120, 120), clMaroon) << int(Type);
  }
}

TEST(GradFill, FlipRules) {
  TGradFill G;
  G.SetColorFlipped(true);
  EXPECT_EQ(G.ColorFirst(), clYellow);
  EXPECT_EQ(G.ColorLast(), clMaroon);
  G.SetColorFirst(clLime);
  G.SetColorFlipped(false);
  EXPECT_EQ(G.ColorFirst(), clMaroon);
  EXPECT_EQ(G.ColorLast(), clLime);
  G.SetColorFlipped(true);
  G.SetColorFlipped(true);
  EXPECT_EQ(G.ColorFirst(), clLime);
  EXPECT_EQ(PixelAt(Picture(G), 60, 0), clLime);
}

TEST(GradFill, LowControlsLeaveEmptyBands) {
  TGradFill G;
  G.SetBounds(0, 0, 50, 10);
  const QImage Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 5, 0), clMaroon);
  EXPECT_EQ(PixelAt(Img, 5, 9), RGB(247, 239, 0));  // band 15 covers the last row
}

TEST(GradFill, SystemColoursAreResolved) {
  TGradFill G;
  G.SetColorFirst(clBtnFace);
  G.SetColorLast(clBtnFace);
  EXPECT_EQ(PixelAt(Picture(G), 60, 60), ColorToRGB(clBtnFace));
}

TEST(GradFill, GridInTenths) {
  TGradFill G;
  G.SetGridMode(GF::gmHoriz);
  QImage Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 30, 12), clNavy);  // MulDiv(1, 121, 10)
  EXPECT_EQ(PixelAt(Img, 30, 61), clNavy);
  EXPECT_NE(PixelAt(Img, 61, 30), clNavy);
  G.SetGridMode(GF::gmBoth);
  G.SetGridColor(clWhite);
  Img = Picture(G);
  EXPECT_EQ(PixelAt(Img, 61, 30), clWhite);
  EXPECT_EQ(PixelAt(Img, 30, 109), clWhite);
  EXPECT_EQ(PixelAt(Img, 109, 30), clWhite);
  G.SetGridMode(GF::gmVert);
  Img = Picture(G);
  EXPECT_NE(PixelAt(Img, 30, 61), clWhite);
  EXPECT_EQ(PixelAt(Img, 61, 30), clWhite);
}

TEST(GradFill, FrameAndPaintEvent) {
  TGradFill G;
  int Paints = 0;
  G.OnPaint = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &G);
    ++Paints;
  };
  G.SetFrameStyle(fsRaised);
  const QImage Img = Picture(G);
  EXPECT_EQ(Paints, 1);
  EXPECT_EQ(PixelAt(Img, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(Img, 120, 120), clBlack);
  EXPECT_EQ(PixelAt(Img, 1, 1), clSilver);
}

TEST(GradFill, InvalidFillTypeRaisesAndKeepsTheType) {
  TGradFill G;
  G.SetFillType(GF::gtVert);
  try {
    G.SetFillType(static_cast<GF::TGradType>(4));
    ADD_FAILURE() << "no exception";
  } catch (const EQORError& E) {
    EXPECT_TRUE(E.Message().contains("TGradFill.FillType"));
  }
  EXPECT_EQ(G.FillType(), GF::gtVert);
}

}  // namespace
}  // namespace qor
