#include <gtest/gtest.h>

#include <QTest>

#include "displays/qor_rasterlab.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;
using test::Picture;
using RL = TRasterLab;

constexpr TColor DotOff = 0x404040;

TEST(RasterLab, BuiltInFontKeepsTheDocumentedGlyphs) {
  TFont F;
  F.SetName("DEFAULT");
  const TRDCharMatrix M = RL::CreateBitFont(F);
  const std::uint32_t A[12] = {0, 0x08, 0x08, 0x14, 0x14, 0x22, 0x3E, 0x22, 0x22, 0x77, 0, 0};
  const std::uint32_t J[12] = {0, 0x10, 0, 0, 0x1E, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x0E};
  const std::uint32_t One[12] = {0, 0x08, 0x0E, 8, 8, 8, 8, 8, 8, 0x3E, 0, 0};
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(M.BitData['A'][r], A[r]) << r;
    EXPECT_EQ(M.BitData['j'][r], J[r]) << r;
    EXPECT_EQ(M.BitData['1'][r], One[r]) << r;
    EXPECT_EQ(M.BitData['.'][r], r == 9 ? 0x08u : 0u) << r;
  }
  EXPECT_EQ(M.LeftMostBit['A'], 0);
  EXPECT_EQ(M.RightMostBit['A'], 6);
  EXPECT_EQ(M.LeftMostBit['j'], 1);
  EXPECT_EQ(M.RightMostBit['j'], 4);
  EXPECT_EQ(M.LeftMostBit['1'], 1);
  EXPECT_EQ(M.RightMostBit['1'], 5);
  EXPECT_EQ(M.LeftMostBit['.'], 3);
  EXPECT_EQ(M.RightMostBit['.'], 3);
  EXPECT_EQ(M.LeftMostBit['!'], M.RightMostBit['!']);
  EXPECT_EQ(M.LeftMostBit['|'], M.RightMostBit['|']);
  for (int Code : {32, 127, 155, 156, 157, 158, 159, 160})
    for (int r = 0; r < 12; ++r) EXPECT_EQ(M.BitData[Code][r], 0u) << Code;
  // Every other printable code has dots; accented capitals carry the accent in row 0.
  for (int Code = 33; Code < 256; ++Code) {
    if (Code >= 127 && Code <= 160) continue;
    std::uint32_t Any = 0;
    for (int r = 0; r < 12; ++r) Any |= M.BitData[Code][r];
    EXPECT_NE(Any, 0u) << Code;
  }
  EXPECT_NE(M.BitData[0xC4][0], 0u);
  EXPECT_EQ(M.BitData[0xC4][5], M.BitData['A'][5]);
}

TEST(RasterLab, DotAdvancesAndAutoHeight) {
  TRasterLab L;
  EXPECT_EQ(L.CalcTextBitLength("A"), 32);
  EXPECT_EQ(L.CalcTextBitLength("."), 8);
  EXPECT_EQ(L.CalcTextBitLength("A.j"), 32 + 8 + 20);
  L.SetProportional(false);
  EXPECT_EQ(L.CalcTextBitLength("A"), 32);
  EXPECT_EQ(L.CalcTextBitLength("."), 32);
  // Characters without a glyph take the space's place.
  L.SetProportional(true);
  EXPECT_EQ(L.CalcTextBitLength(QStringLiteral("\u20AC\t")), 2 * L.CalcTextBitLength(" "));

  L.SetAutoHeight(true);
  EXPECT_EQ(L.Height(), 1 + 4 * 12);
  L.SetDotSize(1);
  EXPECT_EQ(L.Height(), 1 + 2 * 12);
  L.SetFrameStyle(fsEmbossed);
  L.SetDotSize(2);
  EXPECT_EQ(L.Height(), 2 + 3 * 12);
}

// A font record from elsewhere may hold any values; painting stays inside
// the 32 columns and rows of a glyph.
TEST(RasterLab, ForeignCharMatrixIsPaintedSafely) {
  TRasterLab L;
  TRDCharMatrix M;
  M.FontWidth = 1000;
  M.FontHeight = -5;
  M.LeftMostBit.fill(200);
  M.RightMostBit.fill(255);
  L.SetCharMatrix(M);
  EXPECT_EQ(L.CharMatrix().FontWidth, 32);
  EXPECT_EQ(L.CharMatrix().FontHeight, 0);
  Picture(L);
  M.FontHeight = 32;
  M.LeftMostBit.fill(0);
  for (auto& Glyph : M.BitData) Glyph.fill(0xFFFFFFFFu);
  L.SetCharMatrix(M);
  L.SetText("AB");
  L.SetFrameStyle(fsNone);
  EXPECT_EQ(L.CalcTextBitLength("AB"), 2 * 33 * 4);
  EXPECT_EQ(PixelAt(Picture(L), 1 + 31 * 4, 1 + 15 * 4), clLime);
}

TEST(RasterLab, Clamps) {
  TRasterLab L;
  L.SetDotSize(0);
  EXPECT_EQ(L.DotSize(), 1);
  L.SetDotSize(40);
  EXPECT_EQ(L.DotSize(), 32);
  L.SetDotSpacing(9);
  EXPECT_EQ(L.DotSpacing(), 3);
  L.SetDotSpacing(-2);
  EXPECT_EQ(L.DotSpacing(), 0);
  L.SetScrollInterval(5);
  EXPECT_EQ(L.ScrollInterval(), 10);
  L.SetScrollIncrement(-3);
  EXPECT_EQ(L.ScrollIncrement(), 3);
  L.SetScrollIncrement(0);
  EXPECT_EQ(L.ScrollIncrement(), 1);
}

TEST(RasterLab, AutoCenter) {
  TRasterLab L;
  L.SetPosX(17);
  L.SetAutoCenter(true);
  const int Len = L.CalcTextBitLength("Text");
  EXPECT_EQ(L.PosX(), (400 - Len) / 2 + 1 + 1);
  L.SetText("Hello world");
  EXPECT_EQ(L.PosX(), (400 - L.CalcTextBitLength("Hello world")) / 2 + 2);
  L.SetProportional(false);
  EXPECT_EQ(L.PosX(), (400 - 11 * 32) / 2 + 2);
  L.SetAutoCenter(false);
  EXPECT_EQ(L.PosX(), 1);
}

// "A" at (1, 1) with 3-pixel dots 4 pixels apart: dot (c, r) covers
// x 1 + 4c .. 3 + 4c and y 1 + 4r .. 3 + 4r.
TEST(RasterLab, DotsRasterAndBlocks) {
  TRasterLab L;
  L.SetFrameStyle(fsNone);
  L.SetText("AA");
  QImage Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 13, 5), clLime);    // row 1, column 3
  EXPECT_EQ(PixelAt(Img, 15, 7), clLime);
  EXPECT_EQ(PixelAt(Img, 16, 5), clBlack);   // raster gap
  EXPECT_EQ(PixelAt(Img, 17, 5), DotOff);    // unlit dot
  EXPECT_EQ(PixelAt(Img, 1, 37), clLime);    // row 9, column 0
  EXPECT_EQ(PixelAt(Img, 29, 37), clBlack);  // column between the two A: cleared block
  EXPECT_EQ(PixelAt(Img, 33, 37), clLime);   // second A starts 32 pixels on

  L.SetCharBlockMode(RL::rdbmRaster);
  Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 29, 37), DotOff);
  L.SetCharBlockMode(RL::rdbmOff);
  Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 17, 5), clBlack);
  EXPECT_EQ(PixelAt(Img, 13, 5), clLime);

  L.SetCharBlockMode(RL::rdbmRaster);
  L.SetDotSpacing(0);
  Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 10, 4), clLime);  // 3-pixel pitch
  EXPECT_EQ(PixelAt(Img, 13, 3), DotOff);  // no raster lines: unlit dots merge
  EXPECT_EQ(PixelAt(Img, 100, 30), DotOff);
  L.SetCharBlockMode(RL::rdbmOn);
  Img = Picture(L);
  for (int X = 22; X <= 24; ++X) EXPECT_EQ(PixelAt(Img, X, 28), clBlack) << X;  // whole block gap
  EXPECT_EQ(PixelAt(Img, 25, 28), clLime);

  L.SetDotSize(1);
  L.SetDotSpacing(1);
  L.SetPosX(10);
  L.SetPosY(20);
  Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 10 + 2 * 3, 20 + 2 * 1), clLime);  // single-pixel dots
  EXPECT_EQ(PixelAt(Img, 10 + 2 * 3 + 1, 20 + 2 * 1), clBlack);
}

TEST(RasterLab, FrameLines) {
  TRasterLab L;
  QImage Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 0, 0), clGray);
  EXPECT_EQ(PixelAt(Img, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(Img, 398, 66), clGray);
  EXPECT_EQ(PixelAt(Img, 399, 67), clWhite);
  EXPECT_EQ(PixelAt(Img, 200, 67), clWhite);
  L.SetFrameStyle(fsEngraved);
  L.SetColorScheme(csSystemBevels);
  Img = Picture(L);
  EXPECT_EQ(PixelAt(Img, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(Img, 1, 1), ColorToRGB(clBtnHighlight));
}

// The frame lines leave corner pixels out; they must not keep whatever the
// picture held before (here the black bottom line of the raised frame).
TEST(RasterLab, FrameCornersArePainted) {
  TRasterLab L;
  const int W = L.Width(), H = L.Height();
  const TColor Face = ColorToRGB(clBtnFace);
  for (const TFrameStyle Style : {fsLowered, fsRaised, fsEmbossed, fsEngraved}) {
    L.SetFrameStyle(fsRaised);
    (void)Picture(L);
    L.SetFrameStyle(Style);
    const QImage Img = Picture(L);
    EXPECT_EQ(PixelAt(Img, W - 1, 0), Face) << "style " << int(Style);
    if (Style != fsRaised) {
      EXPECT_EQ(PixelAt(Img, 0, H - 1), Face) << "style " << int(Style);
    }
    if (Style == fsLowered) {
      EXPECT_EQ(PixelAt(Img, 1, H - 1), Face);
    }
  }
}

TEST(RasterLab, SampledSystemFont) {
  TFont F;
  F.SetName("DejaVu Sans");
  F.SetSize(10);
  const TRDCharMatrix M = RL::CreateBitFont(F);
  EXPECT_GT(M.FontHeight, 8);
  EXPECT_LE(M.FontHeight, 32);
  EXPECT_GT(M.RightMostBit['W'] - M.LeftMostBit['W'], M.RightMostBit['i'] - M.LeftMostBit['i']);
  EXPECT_EQ(M.LeftMostBit[' '], 0);
  EXPECT_EQ(M.RightMostBit[' '], M.FontWidth / 2);

  TRasterLab L;
  L.SetAutoHeight(true);
  L.SetFrameStyle(fsNone);
  L.Font().Assign(F);
  EXPECT_EQ(L.CharMatrix().FontHeight, M.FontHeight);
  EXPECT_EQ(L.Height(), 4 * M.FontHeight);
}

TEST(RasterLab, ScrollRightWrapsOncePerPass) {
  QWidget Parent;
  Parent.resize(420, 80);
  auto* L = new TRasterLab(&Parent);
  L->SetWidth(100);
  test::ShowAndWait(Parent);
  int Ticks = 0, Restarts = 0, RestartPos = 0;
  L->SetOnScrollTimer([&](TObject*) { ++Ticks; });
  L->OnScrollLoopRestart = [&](TObject* Sender) {
    ++Restarts;
    RestartPos = static_cast<TRasterLab*>(Sender)->ScrollPosX();
  };
  L->SetScrollInterval(10);
  L->SetScrollIncrement(30);
  L->SetScrollMode(RL::rdsmRight);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Restarts >= 1; }, 3000));
  L->SetScrollMode(RL::rdsmOff);
  EXPECT_EQ(L->ScrollPosX(), 0);
  EXPECT_GE(Ticks, 4);  // 30, 60, 90, 120 > 100
  EXPECT_EQ(RestartPos, -(L->CalcTextBitLength("Text") + 1));
  const int Before = Ticks;
  QTest::qWait(60);
  EXPECT_EQ(Ticks, Before);
}

TEST(RasterLab, ScrollLeftDownUpRestartFromTheOtherSide) {
  QWidget Parent;
  Parent.resize(420, 80);
  auto* L = new TRasterLab(&Parent);
  L->SetWidth(100);
  test::ShowAndWait(Parent);
  int Restarts = 0;
  TPoint At;
  L->OnScrollLoopRestart = [&](TObject*) {
    ++Restarts;
    At = {L->ScrollPosX(), L->ScrollPosY()};
  };
  L->SetScrollInterval(10);
  L->SetScrollIncrement(40);
  const int TextHeight = 4 * 12;
  struct {
    RL::TRDScrollMode Mode;
    TPoint Expected;
  } Cases[] = {{RL::rdsmLeft, {100, 0}}, {RL::rdsmDown, {0, -TextHeight}}, {RL::rdsmUp, {0, 68}}};
  for (const auto& C : Cases) {
    Restarts = 0;
    L->SetScrollMode(C.Mode);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Restarts >= 1; }, 3000)) << int(C.Mode);
    L->SetScrollMode(RL::rdsmOff);
    EXPECT_EQ(At, C.Expected) << int(C.Mode);
  }
}

TEST(RasterLab, WithoutLoopTheTextLeaves) {
  TRasterLab L;
  int Restarts = 0;
  L.OnScrollLoopRestart = [&](TObject*) { ++Restarts; };
  L.SetScrollLoop(false);
  L.SetWidth(50);
  L.SetScrollInterval(10);
  L.SetScrollIncrement(20);
  L.SetScrollMode(RL::rdsmRight);
  QTest::qWait(120);
  EXPECT_EQ(Restarts, 0);
  EXPECT_GT(L.ScrollPosX(), 50);
}

TEST(RasterLab, TimerRefusalAndDesignTime) {
  TRasterLab L;
  L.SetName("Ticker");
  host::TTimerWindow::SimulateRefusal(true);
  try {
    L.SetScrollMode(RL::rdsmLeft);
    ADD_FAILURE() << "no exception";
  } catch (const EQORRasterLabError& E) {
    EXPECT_EQ(E.Message(), "Component \"Ticker\": no timer available");
  }
  host::TTimerWindow::SimulateRefusal(false);

  TRasterLab D;
  D.SetDesigning(true);
  int Ticks = 0;
  D.SetOnScrollTimer([&](TObject*) { ++Ticks; });
  D.SetScrollInterval(10);
  D.SetScrollMode(RL::rdsmRight);
  QTest::qWait(50);
  EXPECT_EQ(Ticks, 0);
}

TEST(RasterLab, AssignCopiesTextColoursAndFrame) {
  TRasterLab A, B;
  A.SetText("Copy");
  A.SetFrameStyle(fsSimple);
  A.SetColorDotOn(clRed);
  A.SetColorLabBakG(clNavy);
  A.SetColorScheme(TColorScheme(2));
  A.SetDotSize(5);
  B.Assign(A);
  EXPECT_EQ(B.Text(), "Copy");
  EXPECT_EQ(B.FrameStyle(), fsSimple);
  EXPECT_EQ(B.ColorDotOn(), clRed);
  EXPECT_EQ(B.ColorLabBakG(), clNavy);
  EXPECT_EQ(B.ColorScheme(), 2);
  EXPECT_EQ(B.DotSize(), 3);
  EXPECT_EQ(PixelAt(Picture(B), 0, 0), ColorToRGB(clBtnShadow));
  TRasterLab C;
  A.AssignTo(C);
  EXPECT_EQ(C.Text(), "Copy");
}

}  // namespace
}  // namespace qor
