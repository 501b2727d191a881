#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <deque>

#include "host/qor_bitmap.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

// Four-connected breadth-first fill: the reference for the seed fill.
QImage ReferenceFill(QImage Img, int X, int Y, QRgb Region, QRgb Fill, const QRect& Area) {
  if ((Img.pixel(X, Y) & 0xFFFFFF) != (Region & 0xFFFFFF)) return Img;
  std::deque<QPoint> Queue{{X, Y}};
  while (!Queue.empty()) {
    const QPoint P = Queue.front();
    Queue.pop_front();
    if (!Area.contains(P) || (Img.pixel(P) & 0xFFFFFF) != (Region & 0xFFFFFF)) continue;
    Img.setPixel(P, Fill);
    Queue.insert(Queue.end(), {P + QPoint(1, 0), P - QPoint(1, 0), P + QPoint(0, 1), P - QPoint(0, 1)});
  }
  return Img;
}

// Random mazes of black and white: every pixel the fill reaches, and only those.
TEST(FloodFill, SurfaceFillMatchesBreadthFirstOnRandomMazes) {
  QRandomGenerator Random(7);
  for (int Round = 0; Round < 40; ++Round) {
    host::TBitmap Bmp(37, 23);
    for (int Y = 0; Y < 23; ++Y)
      for (int X = 0; X < 37; ++X)
        Bmp.Image().setPixel(X, Y, Random.bounded(100) < 40 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    const int X = Random.bounded(37), Y = Random.bounded(23);
    const bool Clipped = Round % 3 == 0;
    const QRect Area = Clipped ? QRect(4, 3, 25, 15) : QRect(0, 0, 37, 23);
    if (!Area.contains(X, Y)) continue;
    const QImage Expected = ReferenceFill(Bmp.Image(), X, Y, Bmp.Image().pixel(X, Y), qRgb(255, 0, 0), Area);
    TCanvas& C = Bmp.Canvas();
    if (Clipped) C.SetClipRect(Rect(4, 3, 29, 18));
    C.Brush().SetColor(clRed);
    C.FloodFill(X, Y, C.Pixel(X, Y), host::fsSurface);
    EXPECT_EQ(Bmp.Image().convertToFormat(QImage::Format_RGB32),
              Expected.convertToFormat(QImage::Format_RGB32)) << Round;
  }
}

TEST(FloodFill, BorderFillStopsAtTheBorderColour) {
  host::TBitmap Bmp(20, 20);
  TCanvas& C = Bmp.Canvas();
  C.Brush().SetColor(clWhite);
  C.FillRect(Rect(0, 0, 20, 20));
  C.Pen().SetColor(clBlack);
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(2, 2, 18, 18);
  C.SetPixel(8, 8, clGreen);  // an island of another colour is filled over
  C.Brush().SetColor(clYellow);
  C.FloodFill(10, 10, clBlack, host::fsBorder);
  EXPECT_EQ(C.Pixel(3, 3), clYellow);
  EXPECT_EQ(C.Pixel(8, 8), clYellow);
  EXPECT_EQ(C.Pixel(2, 10), clBlack);
  EXPECT_EQ(C.Pixel(1, 1), clWhite);
}

}  // namespace
}  // namespace qor
