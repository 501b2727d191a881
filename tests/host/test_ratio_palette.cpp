// The canvas on a target of device pixel ratio 2, and the dark-palette colour
// mapping of the style mode.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "host/qor_host.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
using namespace host;
namespace {

QImage TwoX(int W, int H) {
  QImage Img(W * 2, H * 2, QImage::Format_RGB32);
  Img.setDevicePixelRatio(2);
  Img.fill(Qt::white);
  return Img;
}

TColor Dev(const QImage& Img, int X, int Y) { return test::PixelAt(Img, X, Y); }

TEST(CanvasAtRatioTwo, GeometryIsLogicalAndLinesCoverWholeDevicePixels) {
  QImage Img = TwoX(20, 20);
  TCanvas C(&Img);
  EXPECT_EQ(C.Width(), 20);
  EXPECT_EQ(C.Ratio(), 2);
  // A one-pixel horizontal line, end excluded: device rows 10 and 11, columns 4..15.
  C.Pen().SetColor(clRed);
  C.MoveTo(2, 5);
  C.LineTo(8, 5);
  // A diagonal: every logical pixel a full 2 x 2 block.
  C.MoveTo(10, 10);
  C.LineTo(14, 14);
  // Frame of a rectangle with right and bottom excluded.
  C.Brush().SetStyle(bsClear);
  C.Pen().SetColor(clBlue);
  C.Rectangle(1, 12, 6, 18);
  C.Flush();
  EXPECT_EQ(Dev(Img, 4, 10), clRed);
  EXPECT_EQ(Dev(Img, 15, 11), clRed);
  EXPECT_EQ(Dev(Img, 16, 10), clWhite);
  EXPECT_EQ(Dev(Img, 4, 12), clWhite);
  EXPECT_EQ(Dev(Img, 4, 9), clWhite);
  for (int K = 0; K < 4; ++K)
    for (int D : {0, 1})
      for (int E : {0, 1}) EXPECT_EQ(Dev(Img, 2 * (10 + K) + D, 2 * (10 + K) + E), clRed) << K;
  EXPECT_EQ(Dev(Img, 28, 28), clWhite);
  // Rectangle edges: left x = 1 -> device 2, 3; right edge at logical 5 -> device 10, 11.
  EXPECT_EQ(Dev(Img, 2, 30), clBlue);
  EXPECT_EQ(Dev(Img, 3, 30), clBlue);
  EXPECT_EQ(Dev(Img, 4, 30), clWhite);
  EXPECT_EQ(Dev(Img, 11, 30), clBlue);
  EXPECT_EQ(Dev(Img, 12, 30), clWhite);
  EXPECT_EQ(Dev(Img, 6, 35), clBlue);
  EXPECT_EQ(Dev(Img, 6, 36), clWhite);
}

TEST(CanvasAtRatioTwo, PixelsAndFloodFillWorkOnLogicalPixels) {
  QImage Img = TwoX(10, 10);
  TCanvas C(&Img);
  C.SetPixel(3, 4, clLime);
  EXPECT_EQ(C.Pixel(3, 4), clLime);
  EXPECT_EQ(Dev(Img, 7, 9), clLime);
  EXPECT_EQ(Dev(Img, 8, 9), clWhite);
  EXPECT_EQ(C.Pixel(10, 0), clNone);
  // A closed box filled from inside: the fill stops at the box's device pixels.
  C.Brush().SetStyle(bsClear);
  C.Pen().SetColor(clBlack);
  C.Rectangle(0, 0, 6, 6);
  C.Brush().SetColor(clYellow);
  C.FloodFill(2, 2, clWhite, fsSurface);
  C.Flush();
  EXPECT_EQ(Dev(Img, 2, 2), clYellow);
  EXPECT_EQ(Dev(Img, 9, 9), clYellow);
  EXPECT_EQ(Dev(Img, 10, 10), clBlack);
  EXPECT_EQ(Dev(Img, 13, 13), clWhite);
}

TEST(CanvasAtRatioTwo, TextUsesDevicePixelsAndBitmapsKeepTheirResolution) {
  QImage Img = TwoX(60, 20);
  TCanvas C(&Img);
  C.Brush().SetStyle(bsClear);
  // The observer hears of the text in device pixels.
  QRect Seen;
  SetTextObserver([&Seen](const QImage&, const QRect& Cell, const QString&) { Seen = Cell; });
  C.TextOut(2, 2, QStringLiteral("Aq8"));
  SetTextObserver(nullptr);
  EXPECT_EQ(Seen, QRect(4, 4, 2 * C.TextWidth(QStringLiteral("Aq8")), 2 * C.TextHeight("Aq8")));
  C.Flush();
  int Fine = 0;
  for (int Y = 0; Y + 1 < Img.height(); Y += 2)
    for (int X = 0; X + 1 < Img.width(); X += 2) {
      const TColor P = Dev(Img, X, Y);
      if (Dev(Img, X + 1, Y) != P || Dev(Img, X, Y + 1) != P || Dev(Img, X + 1, Y + 1) != P) ++Fine;
    }
  EXPECT_GT(Fine, 10);
  // A 2x bitmap drawn 1:1: one logical pixel wide stripe stays 2 device pixels.
  TBitmap B;
  B.SetPixelRatio(2);
  B.SetSize(4, 4);
  EXPECT_EQ(B.Width(), 4);
  EXPECT_EQ(B.Image().width(), 8);
  B.Canvas().Pen().SetColor(clRed);
  B.Canvas().MoveTo(1, 0);
  B.Canvas().LineTo(1, 4);
  C.Draw(40, 2, B);
  C.Flush();
  EXPECT_EQ(Dev(Img, 81, 5), clWhite);
  EXPECT_EQ(Dev(Img, 82, 5), clRed);
  EXPECT_EQ(Dev(Img, 83, 5), clRed);
  EXPECT_EQ(Dev(Img, 84, 5), clWhite);
}

// A control kept at ratio 2: a partial repaint redraws its own device pixels.
class TSquares : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TColor Fill = clTeal;
  void Mark() {
    RefreshArea(Rect(10, 10, 20, 20), [this](TCanvas& C) {
      C.Brush().SetColor(clRed);
      C.FillRect(Rect(0, 0, Width(), Height()));
    });
  }

 protected:
  void Paint() override {
    Canvas().Brush().SetColor(Fill);
    Canvas().FillRect(ClientRect());
  }
};

TEST(ControlAtRatioTwo, KeptImageFollowsTheDeviceAndPartialRepaintsStayInPlace) {
  QWidget Parent;
  Parent.resize(60, 60);
  TSquares S(&Parent);
  S.SetBounds(0, 0, 40, 40);
  test::ShowAndWait(Parent);
  QImage Img(80, 80, QImage::Format_RGB32);
  Img.setDevicePixelRatio(2);
  S.render(&Img);
  EXPECT_EQ(S.PaintRatio(), 2);
  EXPECT_EQ(S.ScreenImage().size(), QSize(80, 80));
  S.Mark();
  const QImage& K = S.ScreenImage();
  EXPECT_EQ(Dev(K, 19, 19), clTeal);
  EXPECT_EQ(Dev(K, 20, 20), clRed);
  EXPECT_EQ(Dev(K, 39, 39), clRed);
  EXPECT_EQ(Dev(K, 40, 40), clTeal);
}

class DarkPalette : public ::testing::Test {
 protected:
  void SetUp() override {
    FSaved = QApplication::palette();
    QPalette P = FSaved;
    P.setColor(QPalette::Window, QColor(45, 45, 48));
    for (QPalette::ColorRole Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::HighlightedText})
      P.setColor(Role, QColor(215, 215, 215));
    P.setColor(QPalette::Base, QColor(30, 30, 30));
    P.setColor(QPalette::Button, QColor(60, 60, 64));
    P.setColor(QPalette::Mid, QColor(70, 70, 74));
    QApplication::setPalette(P);
  }
  void TearDown() override {
    host::SetStyleServicesEnabled(false);
    QApplication::setPalette(FSaved);
  }
  QPalette FSaved;
};

TEST_F(DarkPalette, ClassicColoursStayWithTheStyleModeOffOrALightPalette) {
  EXPECT_EQ(host::PaletteColor(clWhite, host::cuFill), clWhite);
  EXPECT_EQ(host::ReadableTextColor(clNavy, RGB(30, 30, 30)), clNavy);
  host::SetStyleServicesEnabled(true);
  QApplication::setPalette(FSaved);
  EXPECT_EQ(host::PaletteColor(clWhite, host::cuFill), clWhite);
  EXPECT_EQ(host::PaletteColor(clBlack, host::cuLine), clBlack);
}

TEST_F(DarkPalette, LightFacesTakeThePaletteAndInkStaysVisible) {
  host::SetStyleServicesEnabled(true);
  EXPECT_EQ(host::PaletteColor(clWhite, host::cuFill), RGB(30, 30, 30));
  EXPECT_EQ(host::PaletteColor(RGB(240, 240, 240), host::cuFill), RGB(45, 45, 48));
  EXPECT_EQ(host::PaletteColor(clSilver, host::cuFill), RGB(60, 60, 64));
  // Black stays black as an area (a display's background), becomes ink as a line.
  EXPECT_EQ(host::PaletteColor(clBlack, host::cuFill), clBlack);
  EXPECT_EQ(host::PaletteColor(clBlack, host::cuLine), RGB(215, 215, 215));
  // Saturated colours keep their meaning; pale tints turn dark with their hue.
  EXPECT_EQ(host::PaletteColor(clRed, host::cuFill), clRed);
  const QColor Cream = ToQColor(host::PaletteColor(RGB(255, 255, 225), host::cuFill));
  EXPECT_LT(Cream.lightness(), 100);
  EXPECT_NEAR(Cream.hslHue(), QColor(255, 255, 225).hslHue(), 2);
  // A text that would sink into its background takes the palette's text.
  EXPECT_EQ(host::ReadableTextColor(clNavy, RGB(45, 45, 48)), RGB(215, 215, 215));
  EXPECT_EQ(host::ReadableTextColor(clYellow, RGB(30, 30, 30)), clYellow);
  // On a light area of the user's the dark palette's dark roles serve.
  EXPECT_GE(host::ContrastRatio(host::ReadableTextColor(clSilver, clYellow), clYellow), 10.0);
}

TEST_F(DarkPalette, OwnedCanvasTextOnAFaceLeftLightIsReadable) {
  host::SetStyleServicesEnabled(true);
  QImage Img(60, 20, QImage::Format_RGB32);
  Img.fill(QColor(255, 255, 0));
  QWidget Owner;
  TCanvas C(&Img, &Owner);
  C.Brush().SetStyle(bsClear);
  C.Font().SetColor(clWhite);
  C.TextOut(2, 2, QStringLiteral("WWW"));
  C.Flush();
  double Best = 1;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < 60; ++X)
      Best = std::max(Best, host::ContrastRatio(test::PixelAt(Img, X, Y), clYellow));
  EXPECT_GE(Best, 10.0);
}

}  // namespace
}  // namespace qor
