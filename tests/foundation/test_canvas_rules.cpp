// The host's drawing rules and raster operations, the frame looks, MulDiv and
// the number and date texts, as the components rely on them.
#include <gtest/gtest.h>

#include "foundation/qor_qorbase.h"
#include "host/qor_host.h"

using namespace qor;
using host::TBitmap;

static void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }

namespace {

constexpr TColor Paper = 0x123456;

// A bitmap filled with one colour.
TBitmap Sheet(int W, int H, TColor Color = Paper) {
  TBitmap B(W, H);
  B.Canvas().Brush().SetColor(Color);
  B.Canvas().FillRect(Rect(0, 0, W, H));
  return B;
}

TColor Px(TBitmap& B, int X, int Y) { return B.Canvas().Pixel(X, Y); }

int CountOf(TBitmap& B, TColor Color) {
  int N = 0;
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X) N += Px(B, X, Y) == Color;
  return N;
}

}  // namespace

TEST(CanvasRules, LineToExcludesTheEndPoint) {
  TBitmap B = Sheet(20, 20);
  TCanvas& C = B.Canvas();
  C.Pen().SetColor(clRed);
  C.MoveTo(2, 3);
  C.LineTo(10, 3);
  EXPECT_EQ(Px(B, 2, 3), clRed);
  EXPECT_EQ(Px(B, 9, 3), clRed);
  EXPECT_EQ(Px(B, 10, 3), Paper);
  C.LineTo(10, 12);  // from the excluded end point downwards
  EXPECT_EQ(Px(B, 10, 3), clRed);
  EXPECT_EQ(Px(B, 10, 11), clRed);
  EXPECT_EQ(Px(B, 10, 12), Paper);
  C.MoveTo(12, 12);
  C.LineTo(4, 12);  // leftwards
  EXPECT_EQ(Px(B, 12, 12), clRed);
  EXPECT_EQ(Px(B, 5, 12), clRed);
  EXPECT_EQ(Px(B, 4, 12), Paper);
  C.MoveTo(0, 0);
  C.LineTo(5, 5);  // diagonal, through the general path
  EXPECT_EQ(Px(B, 0, 0), clRed);
  EXPECT_EQ(Px(B, 4, 4), clRed);
  EXPECT_EQ(Px(B, 5, 5), Paper);
  EXPECT_EQ(C.PenPos(), (TPoint{5, 5}));
}

TEST(CanvasRules, RectangleExcludesRightAndBottom) {
  TBitmap B = Sheet(20, 20);
  TCanvas& C = B.Canvas();
  C.Pen().SetColor(clBlack);
  C.Brush().SetColor(clYellow);
  C.Rectangle(2, 3, 8, 10);
  EXPECT_EQ(Px(B, 2, 3), clBlack);
  EXPECT_EQ(Px(B, 7, 9), clBlack);
  EXPECT_EQ(Px(B, 8, 5), Paper);
  EXPECT_EQ(Px(B, 5, 10), Paper);
  EXPECT_EQ(Px(B, 3, 4), clYellow);
  EXPECT_EQ(Px(B, 6, 8), clYellow);
  EXPECT_EQ(CountOf(B, clYellow), 4 * 5);
  EXPECT_EQ(CountOf(B, clBlack), 6 * 7 - 4 * 5);
  // FillRect: the brush over the half-open rectangle, no outline.
  C.Brush().SetColor(clLime);
  C.FillRect(Rect(10, 10, 13, 12));
  EXPECT_EQ(CountOf(B, clLime), 6);
  EXPECT_EQ(Px(B, 12, 11), clLime);
  EXPECT_EQ(Px(B, 13, 11), Paper);
}

TEST(CanvasRules, ClearBrushLeavesTheInside) {
  TBitmap B = Sheet(20, 20);
  TCanvas& C = B.Canvas();
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(2, 2, 12, 12);
  C.Ellipse(4, 4, 10, 10);
  EXPECT_EQ(Px(B, 2, 2), clBlack);
  EXPECT_EQ(Px(B, 7, 7), Paper);
  EXPECT_EQ(Px(B, 3, 3), Paper);
  C.Brush().SetColor(clRed);  // a colour makes the brush solid again
  EXPECT_EQ(C.Brush().Style(), host::bsSolid);
}

TEST(CanvasRules, EllipseStaysInsideItsHalfOpenBox) {
  TBitmap B = Sheet(30, 30);
  TCanvas& C = B.Canvas();
  C.Brush().SetColor(clRed);
  C.Ellipse(5, 5, 16, 16);
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 30; ++X)
      if (X < 5 || X > 15 || Y < 5 || Y > 15) {
        ASSERT_EQ(Px(B, X, Y), Paper) << X << "," << Y;
      }
  EXPECT_EQ(Px(B, 5, 10), clBlack);
  EXPECT_EQ(Px(B, 15, 10), clBlack);
  EXPECT_EQ(Px(B, 10, 15), clBlack);
  EXPECT_EQ(Px(B, 10, 10), clRed);
}

TEST(CanvasRules, PenModeNotInvertsAndTwiceRestores) {
  TBitmap B = Sheet(20, 4, 0x00FF00);
  TCanvas& C = B.Canvas();
  C.Pen().SetMode(host::pmNot);
  C.Pen().SetColor(clRed);  // the colour plays no part
  C.MoveTo(2, 1);
  C.LineTo(12, 1);
  EXPECT_EQ(Px(B, 2, 1), 0xFF00FFu);
  EXPECT_EQ(Px(B, 11, 1), 0xFF00FFu);
  EXPECT_EQ(Px(B, 12, 1), 0x00FF00u);
  C.MoveTo(2, 1);
  C.LineTo(12, 1);
  EXPECT_EQ(Px(B, 5, 1), 0x00FF00u);
  C.Pen().SetMode(host::pmXor);
  C.Pen().SetColor(0x0000FF);
  C.MoveTo(0, 2);
  C.LineTo(4, 2);
  EXPECT_EQ(Px(B, 0, 2), 0x00FFFFu);
  EXPECT_EQ(Px(B, 4, 2), 0x00FF00u);
}

TEST(CanvasRules, CopyModesCombineSourceAndDestination) {
  TBitmap Src = Sheet(4, 4, 0x0F0FF0);
  struct TCase {
    host::TCopyMode Mode;
    TColor Expected;
  };
  const TColor Dest = 0x3030FF;
  for (const TCase& K : {TCase{host::cmSrcAnd, 0x0F0FF0 & Dest},
                         TCase{host::cmSrcPaint, 0x0F0FF0 | Dest},
                         TCase{host::cmNotSrcCopy, ~0x0F0FF0u & 0xFFFFFF},
                         TCase{host::cmSrcInvert, 0x0F0FF0 ^ Dest},
                         TCase{host::cmSrcCopy, 0x0F0FF0}}) {
    TBitmap B = Sheet(8, 8, Dest);
    B.Canvas().SetCopyMode(K.Mode);
    B.Canvas().Draw(2, 2, Src);
    EXPECT_EQ(Px(B, 2, 2), K.Expected) << std::hex << K.Mode;
    EXPECT_EQ(Px(B, 5, 5), K.Expected) << std::hex << K.Mode;
    EXPECT_EQ(Px(B, 6, 6), Dest) << std::hex << K.Mode;
    EXPECT_EQ(Px(B, 1, 1), Dest) << std::hex << K.Mode;
  }
}

TEST(CanvasRules, MaskTransparencyByAndThenOr) {
  // White where the background shows, black where the picture draws.
  TBitmap Mask = Sheet(2, 1, clWhite);
  Mask.Canvas().SetPixel(1, 0, clBlack);
  TBitmap Picture = Sheet(2, 1, clBlack);
  Picture.Canvas().SetPixel(1, 0, clRed);
  TBitmap B = Sheet(2, 1, clBlue);
  B.Canvas().SetCopyMode(host::cmSrcAnd);
  B.Canvas().Draw(0, 0, Mask);
  B.Canvas().SetCopyMode(host::cmSrcPaint);
  B.Canvas().Draw(0, 0, Picture);
  EXPECT_EQ(Px(B, 0, 0), clBlue);
  EXPECT_EQ(Px(B, 1, 0), clRed);
}

TEST(CanvasRules, FloodFillSurfaceAndBorder) {
  TBitmap B = Sheet(20, 20, clWhite);
  TCanvas& C = B.Canvas();
  C.Brush().SetStyle(host::bsClear);
  C.Pen().SetColor(clBlack);
  C.Rectangle(2, 2, 12, 12);
  C.Pen().SetColor(clRed);
  C.MoveTo(5, 5);
  C.LineTo(8, 5);
  // Surface: the white area inside the frame around (3, 3), red line included? no.
  C.Brush().SetColor(clLime);
  C.FloodFill(3, 3, clWhite, host::fsSurface);
  EXPECT_EQ(Px(B, 3, 3), clLime);
  EXPECT_EQ(Px(B, 10, 10), clLime);
  EXPECT_EQ(Px(B, 6, 5), clRed);
  EXPECT_EQ(Px(B, 15, 15), clWhite);
  EXPECT_EQ(Px(B, 2, 2), clBlack);
  // Border: everything up to black, the red line too.
  C.Brush().SetColor(clAqua);
  C.FloodFill(3, 3, clBlack, host::fsBorder);
  EXPECT_EQ(Px(B, 6, 5), clAqua);
  EXPECT_EQ(Px(B, 10, 10), clAqua);
  EXPECT_EQ(Px(B, 15, 15), clWhite);
  EXPECT_EQ(Px(B, 2, 7), clBlack);
  EXPECT_EQ(CountOf(B, clAqua), 8 * 8);
}

TEST(CanvasRules, TextOutOpaqueFillsTheCellClearLeavesIt) {
  TBitmap B = Sheet(120, 60, clWhite);
  TCanvas& C = B.Canvas();
  C.Font().SetColor(clBlack);
  C.Brush().SetColor(clYellow);
  const QString Text = "Wq";
  const int W = C.TextWidth(Text), H = C.TextHeight(Text);
  ASSERT_GT(W, 4);
  ASSERT_GT(H, 4);
  C.TextOut(4, 4, Text);
  EXPECT_EQ(Px(B, 4, 4), clYellow);
  EXPECT_EQ(Px(B, 4 + W - 1, 4 + H - 1), clYellow);
  EXPECT_EQ(Px(B, 4 + W, 4), clWhite);
  EXPECT_EQ(Px(B, 4, 4 + H), clWhite);
  EXPECT_GT(CountOf(B, clBlack), 0);
  C.Brush().SetStyle(host::bsClear);
  C.TextOut(4, 30, Text);
  EXPECT_EQ(Px(B, 4, 30), clWhite);
  EXPECT_EQ(CountOf(B, clYellow), W * H - [&] {
    int Ink = 0;
    for (int Y = 4; Y < 4 + H; ++Y)
      for (int X = 4; X < 4 + W; ++X) Ink += Px(B, X, Y) != clYellow;
    return Ink;
  }());
}

TEST(CanvasRules, ClipRectConfinesDrawing) {
  TBitmap B = Sheet(20, 20);
  TCanvas& C = B.Canvas();
  C.SetClipRect(Rect(5, 5, 10, 10));
  C.Brush().SetColor(clRed);
  C.FillRect(Rect(0, 0, 20, 20));
  C.SetPixel(2, 2, clRed);
  EXPECT_EQ(CountOf(B, clRed), 25);
  EXPECT_EQ(Px(B, 9, 9), clRed);
  EXPECT_EQ(Px(B, 10, 9), Paper);
  C.ClearClipRect();
  C.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(Px(B, 0, 0), clRed);
}

TEST(CanvasRules, StretchDrawCoversExactlyTheDestination) {
  TBitmap Src = Sheet(2, 2, clRed);
  Src.Canvas().SetPixel(1, 1, clBlue);
  for (auto Mode : {host::smColorOnColor, host::smHalftone}) {
    TBitmap B = Sheet(20, 20);
    B.Canvas().SetStretchMode(Mode);
    B.Canvas().StretchDraw(Rect(3, 4, 13, 10), Src);
    EXPECT_EQ(Px(B, 3, 4), clRed);
    EXPECT_EQ(Px(B, 12, 9), clBlue);
    EXPECT_EQ(Px(B, 13, 9), Paper);
    EXPECT_EQ(Px(B, 12, 10), Paper);
    EXPECT_EQ(Px(B, 2, 4), Paper);
    EXPECT_EQ(CountOf(B, Paper), 400 - 60);
  }
}

TEST(Frames, EachStyleDrawsItsEdgesAndLeavesTheInside) {
  struct TCase {
    TFrameStyle Style;
    TColor OuterTL, OuterBR, InnerTL, InnerBR;
  };
  const TCase Cases[] = {
      {fsNone, Paper, Paper, Paper, Paper},
      {fsSimple, clBlack, clBlack, Paper, Paper},
      {fsLowered, clGray, clWhite, clBlack, clSilver},
      {fsRaised, clWhite, clBlack, clSilver, clGray},
      {fsEmbossed, clGray, clWhite, clWhite, clGray},
      {fsEngraved, clWhite, clGray, clGray, clWhite},
  };
  for (const TCase& K : Cases) {
    TBitmap B = Sheet(24, 24);
    DrawStandardFrame(B.Canvas(), K.Style, 2, 3, 20, 21);
    SCOPED_TRACE(int(K.Style));
    EXPECT_EQ(Px(B, 10, 3), K.OuterTL);   // top
    EXPECT_EQ(Px(B, 2, 12), K.OuterTL);   // left
    EXPECT_EQ(Px(B, 10, 21), K.OuterBR);  // bottom, inclusive
    EXPECT_EQ(Px(B, 20, 12), K.OuterBR);  // right, inclusive
    EXPECT_EQ(Px(B, 10, 4), K.InnerTL);
    EXPECT_EQ(Px(B, 3, 12), K.InnerTL);
    EXPECT_EQ(Px(B, 10, 20), K.InnerBR);
    EXPECT_EQ(Px(B, 19, 12), K.InnerBR);
    EXPECT_EQ(Px(B, 10, 12), Paper);  // the inside stays
    EXPECT_EQ(Px(B, 4, 5), Paper);
    EXPECT_EQ(Px(B, 1, 12), Paper);   // nothing outside
    EXPECT_EQ(Px(B, 21, 12), Paper);
    EXPECT_EQ(Px(B, 10, 2), Paper);
    EXPECT_EQ(Px(B, 10, 22), Paper);
  }
}

TEST(Frames, MaskFrameAllBlackAndPenRestored) {
  TBitmap B = Sheet(10, 10);
  TCanvas& C = B.Canvas();
  C.Pen().SetColor(clRed);
  C.Pen().SetWidth(3);
  DrawFrame(C, fsRaised, 0, 0, 9, 9, clBlack, clBlack, clBlack, clBlack, clBlack);
  EXPECT_EQ(CountOf(B, clBlack), 100 - 36);
  EXPECT_EQ(C.Pen().Color(), clRed);
  EXPECT_EQ(C.Pen().Width(), 3);
}

TEST(Frames, DrawRectangleIsInclusiveAndMeanColor) {
  TBitmap B = Sheet(10, 10);
  DrawRectangle(B.Canvas(), 1, 1, 6, 4);
  EXPECT_EQ(Px(B, 6, 4), clBlack);
  EXPECT_EQ(Px(B, 1, 4), clBlack);
  EXPECT_EQ(Px(B, 6, 1), clBlack);
  EXPECT_EQ(Px(B, 7, 4), Paper);
  EXPECT_EQ(CountOf(B, clBlack), 2 * 6 + 2 * 2);
  EXPECT_EQ(MeanColor(clWhite, clBlack), 0x7F7F7Fu);
  EXPECT_EQ(MeanColor(0x0000FF, 0x00FF00), 0x007F7Fu);
  EXPECT_EQ(MeanColor(clBtnFace, clBtnFace), ColorToRGB(clBtnFace));
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(-5, -1, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(8, 1, 3), 3);
  EXPECT_EQ(MulDiv(-8, 1, 3), -3);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // 64-bit intermediate
  EXPECT_EQ(MulDiv(0, 5, 7), 0);
}

TEST(MulDiv, MinusOneForZeroDivisorAndOverflow) {
  EXPECT_EQ(MulDiv(5, 3, 0), -1);
  EXPECT_EQ(MulDiv(0, 0, 0), -1);
  EXPECT_EQ(MulDiv(1 << 30, 4, 1), -1);
  EXPECT_EQ(MulDiv(-(1 << 30), 4, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
}

TEST(NumberTexts, FormatF) {
  EXPECT_EQ(host::FormatF(1234.5678, 2, '.'), "1234.57");
  EXPECT_EQ(host::FormatF(0.125, 2, '.'), "0.13");  // exact tie away from zero
  EXPECT_EQ(host::FormatF(-0.125, 2, '.'), "-0.13");
  EXPECT_EQ(host::FormatF(2.5, 0, ','), "3");
  EXPECT_EQ(host::FormatF(-1.5, 1, ','), "-1,5");
  EXPECT_EQ(host::FormatF(1e6, 0, '.'), "1000000");
}

TEST(NumberTexts, FormatE) {
  EXPECT_EQ(host::FormatE(1234.5678, 4, '.'), "1.235E+003");
  EXPECT_EQ(host::FormatE(-0.00012, 2, '.'), "-1.2E-004");
  EXPECT_EQ(host::FormatE(0, 3, '.'), "0.00E+000");
  EXPECT_EQ(host::FormatE(1e300, 1, ','), "1E+300");
  EXPECT_EQ(host::FormatE(5, 0, '.'), "5E+000");
}

TEST(NumberTexts, FormatG) {
  EXPECT_EQ(host::FormatG(1234.5, 4, '.'), "1235");  // fits; the tie rounds away from zero
  EXPECT_EQ(host::FormatG(12345.0, 4, '.'), "1.235E+4");
  EXPECT_EQ(host::FormatG(0.5, 15, '.'), "0.5");
  EXPECT_EQ(host::FormatG(0.0001, 15, '.'), "0.0001");
  EXPECT_EQ(host::FormatG(0.000001, 15, '.'), "1E-6");
  EXPECT_EQ(host::FormatG(100, 15, ','), "100");
  EXPECT_EQ(host::FormatG(-2.25, 2, ','), "-2,3");
  EXPECT_EQ(host::FormatG(0, 5, '.'), "0");
  EXPECT_EQ(host::FloatToStr(1.0 / 3, '.'), "0.333333333333333");
}

TEST(NumberTexts, FormatDateTime) {
  const TDateTime D = host::EncodeDate(2024, 3, 5) + host::EncodeTime(14, 7, 9, 45);
  EXPECT_EQ(host::FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", D), "2024-03-05 14:07:09.045");
  EXPECT_EQ(host::FormatDateTime("d.m.yy h:n", D), "5.3.24 14:7");
  EXPECT_EQ(host::FormatDateTime("hh:mm", D), "14:07");  // m after an hour: minutes
  EXPECT_EQ(host::FormatDateTime("mmm-dd, yyyy", D), "Mar-05, 2024");
  EXPECT_EQ(host::FormatDateTime("mmmm dddd", D), "March Tuesday");
  EXPECT_EQ(host::FormatDateTime("h:nn am/pm", D), "2:07 pm");
  EXPECT_EQ(host::FormatDateTime("'day' d \"of\" m", D), "day 5 of 3");
  EXPECT_EQ(host::FormatDateTime("yyyy-mm-dd", 0), "1899-12-30");
  EXPECT_EQ(host::DayOfWeek(D), 3);
}

TEST(NumberTexts, DateTimePartsRoundToTheMillisecondTogether) {
  // A hair before midnight reads as the next day at 00:00:00.000, never as
  // the old day with a clamped time.
  const TDateTime D = host::EncodeDate(2024, 3, 5) + 1 - 1e-10;
  EXPECT_EQ(host::FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", D), "2024-03-06 00:00:00.000");
  // Before the epoch the whole days count towards zero and the time of day
  // is the fraction's magnitude: -1.25 is 29 Dec 1899, 06:00.
  EXPECT_EQ(host::FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
}

TEST(NumberTexts, QDateTimeRoundTripBeforeTheEpoch) {
  const QDateTime Q(QDate(1899, 12, 29), QTime(6, 0));
  EXPECT_DOUBLE_EQ(host::FromQDateTime(Q), -1.25);
  EXPECT_EQ(host::ToQDateTime(-1.25), Q);
  const QDateTime Later(QDate(2024, 3, 5), QTime(23, 59, 59, 999));
  EXPECT_EQ(host::ToQDateTime(host::FromQDateTime(Later)), Later);
}

TEST(NumberTexts, SignificantDigitTiesRoundAwayFromZeroLikeFixedOnes) {
  EXPECT_EQ(host::FormatE(0.125, 2, '.'), "1.3E-001");
  EXPECT_EQ(host::FormatE(-2.5, 1, '.'), "-3E+000");
  EXPECT_EQ(host::FormatG(0.125, 2, '.'), "0.13");
  EXPECT_EQ(host::FormatG(-2.5, 1, '.'), "-3");
  EXPECT_EQ(host::FormatG(0.1, 1, '.'), "0.1");  // 0.1 is no exact tie
  EXPECT_EQ(host::FormatF(0.125, 2, '.'), host::FormatG(0.125, 2, '.'));
}

TEST(CanvasRules, LineToExcludesTheEndPointInEveryDirection) {
  // Eight directions and a few slopes: the start pixel is drawn, the end pixel not.
  const TPoint Start{10, 10};
  for (const TPoint End : {TPoint{16, 10}, TPoint{4, 10}, TPoint{10, 16}, TPoint{10, 4},
                           TPoint{16, 16}, TPoint{4, 4}, TPoint{16, 4}, TPoint{4, 16},
                           TPoint{17, 13}, TPoint{3, 8}, TPoint{12, 3}, TPoint{7, 17}}) {
    for (const auto Mode : {host::pmCopy, host::pmNot}) {
      TBitmap B = Sheet(21, 21, clWhite);
      TCanvas& C = B.Canvas();
      C.Pen().SetMode(Mode);
      C.MoveTo(Start.X, Start.Y);
      C.LineTo(End.X, End.Y);
      SCOPED_TRACE(testing::Message() << End.X << "," << End.Y << " mode " << int(Mode));
      EXPECT_EQ(Px(B, Start.X, Start.Y), clBlack);
      EXPECT_EQ(Px(B, End.X, End.Y), clWhite);
      const int Steps = std::max(std::abs(End.X - Start.X), std::abs(End.Y - Start.Y));
      EXPECT_EQ(CountOf(B, clBlack), Steps);
    }
  }
}

TEST(CanvasRules, FarAwayEndPointsDrawTheVisiblePartOnly) {
  TBitmap B = Sheet(21, 21, clWhite);
  TCanvas& C = B.Canvas();
  C.MoveTo(-2000000000, 10);
  C.LineTo(2000000000, 10);
  EXPECT_EQ(CountOf(B, clBlack), 21);
  C.MoveTo(0, 0);
  C.LineTo(2000000000, 2000000000);
  EXPECT_EQ(Px(B, 20, 20), clBlack);
  EXPECT_EQ(CountOf(B, clBlack), 21 + 20);
}

TEST(CanvasRules, InvertingRectangleOutlineTouchesEachPixelOnce) {
  TBitmap B = Sheet(20, 20, clWhite);
  TCanvas& C = B.Canvas();
  C.Pen().SetMode(host::pmNot);
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(2, 2, 10, 8);
  EXPECT_EQ(CountOf(B, clBlack), 2 * 8 + 2 * 4);
  EXPECT_EQ(Px(B, 2, 2), clBlack);
  EXPECT_EQ(Px(B, 9, 7), clBlack);
  EXPECT_EQ(Px(B, 10, 8), clWhite);
  DrawRectangle(C, 12, 12, 16, 16);
  EXPECT_EQ(CountOf(B, clBlack), 2 * 8 + 2 * 4 + 16);
}
