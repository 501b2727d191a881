#include <gtest/gtest.h>

#include <QSet>

#include "foundation/qor_qorbase.h"

using namespace qor;
using host::TBitmap;

namespace {

constexpr int Centre = 20;
constexpr TColor Paper = clWhite, Ink = clBlack, Fill = clRed;

// Mark drawn at the centre of a white sheet with a black pen and a red brush.
TBitmap Drawn(int Mark, host::TBrushStyle Brush = host::bsSolid) {
  TBitmap B(2 * Centre + 1, 2 * Centre + 1);
  TCanvas& C = B.Canvas();
  C.Brush().SetColor(Paper);
  C.FillRect(Rect(0, 0, B.Width(), B.Height()));
  C.Pen().SetColor(Ink);
  C.Brush().SetColor(Fill);
  C.Brush().SetStyle(Brush);
  DrawMarkOnCanvas(C, Mark, Centre, Centre);
  return B;
}

// Shapes that enclose their centre: marks 1..40, open and solid alternating in pairs.
bool Encloses(int Mark) { return Mark >= 1 && Mark <= 40; }
bool Solid(int Mark) { return Encloses(Mark) && Mark % 2 == 0; }

}  // namespace

TEST(Marks, EveryMarkDrawsInsideItsBoxAndNothingOutside) {
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    SCOPED_TRACE(Mark);
    TBitmap B = Drawn(Mark);
    const int E = MarkExtent(Mark);
    ASSERT_GE(E, 0);
    ASSERT_LE(E, 8);
    int InkInside = 0;
    for (int Y = 0; Y < B.Height(); ++Y)
      for (int X = 0; X < B.Width(); ++X) {
        const TColor P = B.Canvas().Pixel(X, Y);
        const bool Inside = std::abs(X - Centre) <= E && std::abs(Y - Centre) <= E;
        if (!Inside) {
          ASSERT_EQ(P, Paper) << "outside at " << X << "," << Y;
        }
        InkInside += Inside && P == Ink;
      }
    EXPECT_GT(InkInside, 0);
  }
}

TEST(Marks, OpenMarksShowTheBrushSolidOnesThePen) {
  for (int Mark = 1; Mark <= 40; ++Mark) {
    SCOPED_TRACE(Mark);
    EXPECT_EQ(Drawn(Mark).Canvas().Pixel(Centre, Centre), Solid(Mark) ? Ink : Fill);
    EXPECT_EQ(Drawn(Mark, host::bsClear).Canvas().Pixel(Centre, Centre),
              Solid(Mark) ? Ink : Paper);
  }
}

TEST(Marks, AllFiftyTwoLookDifferent) {
  QSet<QByteArray> Pictures;
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    TBitmap B = Drawn(Mark);
    const QImage& I = B.Image();
    Pictures.insert(QByteArray(reinterpret_cast<const char*>(I.constBits()), I.sizeInBytes()));
  }
  EXPECT_EQ(Pictures.size(), MaxMarker + 1);
}

TEST(Marks, CanvasStateIsKeptAndUnknownMarksDrawNothing) {
  TBitmap B(20, 20);
  TCanvas& C = B.Canvas();
  C.Pen().SetColor(clBlue);
  C.Brush().SetColor(clYellow);
  C.Brush().SetStyle(host::bsClear);
  C.MoveTo(3, 4);
  DrawMarkOnCanvas(C, 2, 10, 10);  // solid: fills with the pen colour
  EXPECT_EQ(C.Pixel(10, 10), clBlue);
  EXPECT_EQ(C.Brush().Style(), host::bsClear);
  EXPECT_EQ(C.Brush().Color(), clYellow);
  EXPECT_EQ(C.Pen().Color(), clBlue);
  EXPECT_EQ(C.PenPos(), (TPoint{3, 4}));
  TBitmap Blank(20, 20);
  for (int Mark : {-1, MaxMarker + 1, 1000}) {
    DrawMarkOnCanvas(Blank.Canvas(), Mark, 10, 10);
    EXPECT_EQ(MarkExtent(Mark), 0);
  }
  Blank.Canvas().Flush();
  EXPECT_EQ(Blank.Image(), TBitmap(20, 20).Image());
}

TEST(Marks, ClippedAtTheCanvasEdge) {
  TBitmap B(6, 6);
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) DrawMarkOnCanvas(B.Canvas(), Mark, 0, 0);
  EXPECT_EQ(B.Canvas().Pixel(0, 0), clBlack);
}
