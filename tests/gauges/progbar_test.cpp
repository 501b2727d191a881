#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "gauges/qor_progbar.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;
using test::PixelAt;
using test::Picture;

namespace {

struct TBox {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
  bool Empty() const { return Right < 0; }
  double Cx() const { return (Left + Right) / 2.0; }
  double Cy() const { return (Top + Bottom) / 2.0; }
};

// Bounding box of the dark (text) pixels inside Area.
TBox DarkPixels(const QImage& Img, const QRect& Area) {
  TBox B;
  for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
    for (int X = Area.left(); X <= Area.right(); ++X) {
      const QRgb C = Img.pixel(X, Y);
      if (std::max({qRed(C), qGreen(C), qBlue(C)}) >= 100) continue;
      B.Left = std::min(B.Left, X);
      B.Right = std::max(B.Right, X);
      B.Top = std::min(B.Top, Y);
      B.Bottom = std::max(B.Bottom, Y);
    }
  return B;
}

// A plain bar for pixel checks: no frames, no text, aqua margins.
void MakePlain(TProgBar& B, int W, int H) {
  B.resize(W, H);
  B.SetFrameStyleInner(fsNone);
  B.SetFrameStyleOuter(fsNone);
  B.SetTextVisible(false);
  B.SetColorMargin(clAqua);
  B.SetValue(50);
}

QString ShownText(TProgBar& B) {
  QString Shown;
  B.OnShowValue = [&](TObject*, QString& Text) { Shown = Text; };
  B.Invalidate();
  Picture(B);
  B.OnShowValue = nullptr;
  return Shown;
}

}  // namespace

TEST(ProgBar, DefaultBar) {
  TProgBar B;
  EXPECT_EQ(B.width(), 300);
  EXPECT_EQ(B.height(), 28);
  EXPECT_EQ(ShownText(B), "10");
  const QImage Img = Picture(B);
  // 10 % of the 292 inner pixels: columns 4..32.
  EXPECT_EQ(PixelAt(Img, 32, 10), clBlue);
  EXPECT_EQ(PixelAt(Img, 33, 10), clSilver);
  EXPECT_EQ(PixelAt(Img, 150, 2), clSilver);
  const TBox Text = DarkPixels(Img, QRect(6, 6, 40, 16));
  ASSERT_FALSE(Text.Empty());
  EXPECT_NEAR(Text.Cx(), 14, 2);
  EXPECT_NEAR(Text.Cy(), 14, 2);
}

// ---- bar ends ------------------------------------------------------------------------

TEST(ProgBarFill, SolidEndsInEveryDirection) {
  struct {
    TDirection Dir;
    int W, H;
    QPoint Last, Beyond;
  } const Cases[] = {{dirRight, 300, 28, {149, 14}, {150, 14}},
                     {dirLeft, 300, 28, {150, 14}, {149, 14}},
                     {dirUp, 28, 300, {14, 150}, {14, 149}},
                     {dirDown, 28, 300, {14, 149}, {14, 150}}};
  for (const auto& C : Cases) {
    TProgBar B;
    MakePlain(B, C.W, C.H);
    B.SetDirection(C.Dir);
    const QImage Img = Picture(B);
    EXPECT_EQ(PixelAt(Img, C.Last.x(), C.Last.y()), clBlue) << int(C.Dir);
    EXPECT_EQ(PixelAt(Img, C.Beyond.x(), C.Beyond.y()), clSilver) << int(C.Dir);
  }
}

TEST(ProgBarFill, GradientEndsInEveryDirectionAndMapping) {
  // 146 of 292 pixels filled: the start line and the last line of the bar.
  struct {
    TDirection Dir;
    int W, H;
    QPoint Start, Last;
  } const Dirs[] = {{dirRight, 300, 28, {4, 14}, {149, 14}},
                    {dirLeft, 300, 28, {295, 14}, {150, 14}},
                    {dirUp, 28, 300, {14, 295}, {14, 150}},
                    {dirDown, 28, 300, {14, 4}, {14, 149}}};
  struct {
    TProgBar::TColorMapping Mode;
    int StartIx, LastIx;
  } const Modes[] = {{TProgBar::cgmCover, 0, 508},
                     {TProgBar::cgmStretch, 0, 1016},
                     {TProgBar::cgmMove, 515, 1023}};
  for (const auto& D : Dirs)
    for (const auto& M : Modes) {
      TProgBar B;
      MakePlain(B, D.W, D.H);
      B.SetDirection(D.Dir);
      B.SetShowColorGradient(true);
      B.SetColorMapMode(M.Mode);
      const QImage Img = Picture(B);
      EXPECT_EQ(PixelAt(Img, D.Start.x(), D.Start.y()), B.BarColors(M.StartIx))
          << int(D.Dir) << " mode " << int(M.Mode);
      EXPECT_EQ(PixelAt(Img, D.Last.x(), D.Last.y()), B.BarColors(M.LastIx))
          << int(D.Dir) << " mode " << int(M.Mode);
    }
}

TEST(ProgBarFill, MovingGradientAlwaysEndsInColorMax) {
  TProgBar B;
  MakePlain(B, 300, 28);
  B.SetShowColorGradient(true);
  B.SetColorMapMode(TProgBar::cgmMove);
  for (double V : {1.0, 13.0, 77.0, 100.0}) {
    B.SetValue(V);
    const int Last = 4 + int(std::lrint(292 * V / 100)) - 1;
    EXPECT_EQ(PixelAt(Picture(B), Last, 14), clRed) << V;
  }
}

TEST(ProgBarFill, OutOfRangeValuesStayInsideTheTrack) {
  TProgBar B;
  MakePlain(B, 300, 28);
  B.SetValue(150);
  QImage Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 295, 14), clBlue);
  EXPECT_EQ(PixelAt(Img, 296, 14), clAqua);
  B.SetValue(-10);
  EXPECT_EQ(PixelAt(Picture(B), 4, 14), clSilver);
  B.SetValue(50);
  B.SetRange(7, 7);  // no range: an empty bar
  EXPECT_EQ(PixelAt(Picture(B), 4, 14), clSilver);
  B.SetValue(std::nan(""));
  EXPECT_EQ(PixelAt(Picture(B), 4, 14), clSilver);
}

TEST(ProgBarFill, GridCoversOnlyTheFilledPart) {
  TProgBar B;
  MakePlain(B, 300, 28);
  B.SetGridDist(10);
  B.SetColorGrid(clLime);
  QImage Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 4, 14), clLime);
  EXPECT_EQ(PixelAt(Img, 144, 14), clLime);
  EXPECT_EQ(PixelAt(Img, 145, 14), clBlue);
  EXPECT_EQ(PixelAt(Img, 154, 14), clSilver);
  B.SetGridDist(1);
  EXPECT_EQ(PixelAt(Picture(B), 4, 14), clBlue);
  B.resize(28, 300);
  B.SetDirection(dirUp);
  B.SetGridDist(10);
  Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 14, 295), clLime);
  EXPECT_EQ(PixelAt(Img, 14, 285), clLime);
  EXPECT_EQ(PixelAt(Img, 14, 286), clBlue);
  EXPECT_EQ(PixelAt(Img, 14, 145), clSilver);
}

// ---- colour table --------------------------------------------------------------------

TEST(ProgBarColors, TableInterpolatesAndGuardsItsIndex) {
  TProgBar B;
  EXPECT_EQ(B.BarColors(0), clBlue);
  EXPECT_EQ(B.BarColors(1023), clRed);
  EXPECT_EQ(B.BarColors(511), RGB(127, 0, 127));
  B.SetBarColors(511, clLime);
  EXPECT_EQ(B.BarColors(511), clLime);
  B.SetColorMin(clBlack);  // re-interpolates, overwriting direct writes
  EXPECT_EQ(B.BarColors(511), RGB(127, 0, 0));
  EXPECT_EQ(B.ColorMin(), clBlack);
  B.SetColorMax(clBtnFace);  // system colours resolve before mixing
  EXPECT_EQ(B.BarColors(1023), clBtnFace);
  const TColor Face = ColorToRGB(clBtnFace);
  EXPECT_EQ(B.BarColors(1022), RGB(GetRValue(Face) * 1022 / 1023, GetGValue(Face) * 1022 / 1023,
                                   GetBValue(Face) * 1022 / 1023));
  EXPECT_EQ(B.BarColors(-1), clBlack);
  EXPECT_EQ(B.BarColors(1024), clBlack);
  B.SetBarColors(5000, clLime);
  B.SetBarColors(-3, clLime);
  EXPECT_EQ(B.BarColors(0), clBlack);
}

// ---- frames --------------------------------------------------------------------------

TEST(ProgBarFrames, DefaultRaisedOuterAndSunkenInner) {
  TProgBar B;
  B.SetTextVisible(false);
  B.SetValue(0);
  B.SetColorMargin(clAqua);
  const QImage Img = Picture(B);
  // Outer, raised on (0, 0, 300, 28).
  EXPECT_EQ(PixelAt(Img, 0, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 1, 10), clWhite);
  EXPECT_EQ(PixelAt(Img, 10, 1), clWhite);
  EXPECT_EQ(PixelAt(Img, 299, 10), clBlack);
  EXPECT_EQ(PixelAt(Img, 298, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 10, 27), clBlack);
  EXPECT_EQ(PixelAt(Img, 10, 26), clGray);
  EXPECT_EQ(PixelAt(Img, 0, 27), clAqua);
  EXPECT_EQ(PixelAt(Img, 299, 0), clAqua);
  EXPECT_EQ(PixelAt(Img, 2, 10), clAqua);
  // Inner, sunken on (4, 4, 296, 24).
  EXPECT_EQ(PixelAt(Img, 4, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 5, 10), clBlack);
  EXPECT_EQ(PixelAt(Img, 10, 5), clBlack);
  EXPECT_EQ(PixelAt(Img, 295, 10), clWhite);
  EXPECT_EQ(PixelAt(Img, 294, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 10, 23), clWhite);
  EXPECT_EQ(PixelAt(Img, 10, 22), clGray);
  EXPECT_EQ(PixelAt(Img, 4, 23), clAqua);
  EXPECT_EQ(PixelAt(Img, 295, 4), clAqua);
  EXPECT_EQ(PixelAt(Img, 6, 10), clSilver);
}

TEST(ProgBarFrames, LineStylesAndCorners) {
  TProgBar B;
  B.SetTextVisible(false);
  B.SetValue(0);
  B.SetColorMargin(clAqua);
  B.SetFrameStyleInner(fsNone);
  B.SetFrameStyleOuter(fsSimple);
  QImage Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 0, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 299, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 0, 27), clGray) << "a single line keeps its corners";
  EXPECT_EQ(PixelAt(Img, 4, 10), clSilver);
  B.SetFrameStyleOuter(fsEmbossed);
  Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 0, 10), clWhite);
  EXPECT_EQ(PixelAt(Img, 1, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 298, 10), clWhite);
  EXPECT_EQ(PixelAt(Img, 299, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 0, 27), clAqua);
  EXPECT_EQ(PixelAt(Img, 299, 0), clAqua);
  B.SetFrameStyleOuter(fsEngraved);
  Img = Picture(B);
  EXPECT_EQ(PixelAt(Img, 0, 10), clGray);
  EXPECT_EQ(PixelAt(Img, 1, 10), clWhite);
  B.SetColorScheme(csSystemBevels);
  EXPECT_EQ(PixelAt(Picture(B), 0, 10), ColorToRGB(clBtnShadow));
}

// ---- value text ----------------------------------------------------------------------

TEST(ProgBarText, Formats) {
  TProgBar B;
  B.SetValue(1234.5678);
  B.SetTextDecPlaces(2);
  EXPECT_EQ(ShownText(B), "1234.57");
  B.SetTextDecPlaces(-1);
  EXPECT_EQ(ShownText(B), "1.2345678E+03");
  B.SetTextDecPlaces(-2);
  EXPECT_EQ(ShownText(B), "1.2345678E+0003");
  B.SetValue(-0.00012);
  EXPECT_EQ(ShownText(B), "-1.2E-0004");
  B.SetTextDecPlaces(-1);
  EXPECT_EQ(ShownText(B), "-1.2E-04");
  B.SetValue(1e150);
  EXPECT_EQ(ShownText(B), "*******") << "an exponent beyond two digits";
  B.SetTextDecPlaces(-9);
  EXPECT_EQ(B.TextDecPlaces(), -2);
  B.SetTextDecPlaces(11);
  EXPECT_EQ(B.TextDecPlaces(), 10);
}

TEST(ProgBarText, OnShowValueReplacesTheText) {
  TProgBar B;
  MakePlain(B, 200, 60);
  B.SetValue(0);
  B.SetTextVisible(true);
  B.SetTextPosX(100);
  B.SetTextPosY(30);
  B.OnShowValue = [](TObject*, QString& Text) { Text.clear(); };
  B.Invalidate();
  EXPECT_TRUE(DarkPixels(Picture(B), QRect(6, 6, 188, 48)).Empty());
}

TEST(ProgBarText, PlacementForEachAlignmentAndAngle) {
  TProgBar B;
  MakePlain(B, 200, 60);
  B.SetValue(0);
  B.SetTextVisible(true);
  B.SetTextDecPlaces(2);  // "0.00"
  B.SetTextPosX(100);
  B.SetTextPosY(30);
  const QRect Area(6, 6, 188, 48);
  B.SetTextAlignment(taLeftJustify);
  TBox T = DarkPixels(Picture(B), Area);
  EXPECT_NEAR(T.Left, 100, 2);
  EXPECT_NEAR(T.Cy(), 30, 3);
  B.SetTextAlignment(taCenter);
  T = DarkPixels(Picture(B), Area);
  EXPECT_NEAR(T.Cx(), 100, 2);
  EXPECT_NEAR(T.Cy(), 30, 3);
  B.SetTextAlignment(taRightJustify);
  T = DarkPixels(Picture(B), Area);
  EXPECT_NEAR(T.Right, 100, 3);
  // Turned a quarter counter-clockwise: the text reads upward from the anchor.
  B.SetTextAngle(90);
  B.SetTextAlignment(taLeftJustify);
  T = DarkPixels(Picture(B), Area);
  EXPECT_GT(T.Bottom - T.Top, T.Right - T.Left);
  EXPECT_NEAR(T.Bottom, 30, 2);
  EXPECT_NEAR(T.Cx(), 100, 3);
  B.SetTextAlignment(taCenter);
  T = DarkPixels(Picture(B), Area);
  EXPECT_NEAR(T.Cy(), 30, 2);
  EXPECT_NEAR(T.Cx(), 100, 3);
  B.SetTextAngle(400);
  EXPECT_EQ(B.TextAngle(), 360);
  B.SetTextAngle(-1);
  EXPECT_EQ(B.TextAngle(), 0);
}

TEST(ProgBarText, AnchorIsHeldInsideTheControl) {
  TProgBar B;
  B.SetTextPosX(1000);
  EXPECT_EQ(B.TextPosX(), 300);
  B.SetTextPosY(-5);
  EXPECT_EQ(B.TextPosY(), 0);
}

// ---- properties ----------------------------------------------------------------------

TEST(ProgBarProperties, RangeStepAndIntervals) {
  TProgBar B;
  B.SetRange(5, 1);
  EXPECT_EQ(B.Min(), 1);
  EXPECT_EQ(B.Max(), 5);
  B.SetAutoIncStep(0);
  EXPECT_EQ(B.AutoIncStep(), 1);
  B.SetAutoIncStep(-2.5);
  EXPECT_EQ(B.AutoIncStep(), -2.5);
  B.SetRepeatInterval(5);
  EXPECT_EQ(B.RepeatInterval(), 10);
  B.SetStartInterval(-100);
  EXPECT_EQ(B.StartInterval(), 10);
  B.SetValue(1e9);  // not clamped
  EXPECT_EQ(B.Value(), 1e9);
}

TEST(ProgBarProperties, BackgroundImage) {
  QTemporaryDir Dir;
  QImage Img(8, 8, QImage::Format_RGB32);
  Img.fill(QColor(255, 0, 255));
  const QString File = Dir.filePath("bg.png");
  Img.save(File);
  TProgBar B;
  B.SetValue(0);
  B.SetTextVisible(false);
  B.SetBackGroundImg(File);
  EXPECT_EQ(B.BackGroundImg(), File);
  EXPECT_EQ(PixelAt(Picture(B), 150, 14), clFuchsia);
  EXPECT_EQ(PixelAt(Picture(B), 150, 2), clSilver);
  B.SetBackGroundImg(Dir.filePath("missing.bmp"));
  EXPECT_EQ(B.BackGroundImg(), File) << "a failing load keeps name and picture";
  EXPECT_EQ(PixelAt(Picture(B), 150, 14), clFuchsia);
  B.SetBackGroundImg(QString());
  EXPECT_TRUE(B.BackGroundImg().isEmpty());
  EXPECT_EQ(PixelAt(Picture(B), 150, 14), clSilver);
}

TEST(ProgBarProperties, AssignCopiesTheLookButNotTheTimer) {
  QTemporaryDir Dir;
  QImage Img(8, 8, QImage::Format_RGB32);
  Img.fill(QColor(0, 255, 0));
  const QString File = Dir.filePath("bg.png");
  Img.save(File);
  TProgBar A, B;
  A.SetValue(42);
  A.SetDirection(dirUp);
  A.SetColorMin(clYellow);
  A.SetBarColors(7, clLime);
  A.SetMarginTop(9);
  A.SetTextAngle(45);
  A.SetBackGroundImg(File);
  A.SetAutoIncStep(5);
  A.SetRepeatInterval(99);
  A.Font().SetSize(20);
  B.Assign(A);
  EXPECT_EQ(B.Value(), 42);
  EXPECT_EQ(B.Direction(), dirUp);
  EXPECT_EQ(B.ColorMin(), clYellow);
  EXPECT_EQ(B.BarColors(7), clLime);
  EXPECT_EQ(B.MarginTop(), 9);
  EXPECT_EQ(B.TextAngle(), 45);
  EXPECT_EQ(B.BackGroundImg(), File);
  EXPECT_EQ(B.AutoIncStep(), 1);
  EXPECT_EQ(B.RepeatInterval(), 700);
  EXPECT_NE(B.Font().Size(), 20);
  // Each bar keeps its own picture.
  A.SetBackGroundImg(QString());
  B.SetValue(0);
  EXPECT_EQ(PixelAt(Picture(B), 150, 14), clLime);
  TProgBar C;
  A.AssignTo(C);
  EXPECT_EQ(C.Value(), 42);
}

// ---- timer ---------------------------------------------------------------------------

TEST(ProgBarTimer, FirstTickAfterTheStartIntervalThenRepeating) {
  TProgBar B;
  std::vector<qint64> Ticks;
  QElapsedTimer Clock;
  B.SetStartInterval(300);
  B.SetRepeatInterval(40);
  B.SetAutoIncStep(2);
  B.SetOnAutoInc([&](TObject*) { Ticks.push_back(Clock.elapsed()); });
  Clock.start();
  B.SetAutoInc(true);
  QTest::qWait(150);
  EXPECT_TRUE(Ticks.empty());
  QTRY_VERIFY_WITH_TIMEOUT(Ticks.size() >= 5, 5000);
  B.SetAutoInc(false);
  const size_t N = Ticks.size();
  EXPECT_GE(Ticks[0], 290);
  EXPECT_LT((Ticks[4] - Ticks[1]) / 3.0, 150) << "repeats faster than the start delay";
  EXPECT_EQ(B.Value(), 10 + 2.0 * N);
  QTest::qWait(120);
  EXPECT_EQ(Ticks.size(), N) << "switching off stops the timer";
}

TEST(ProgBarTimer, NoTimerWhileDesigning) {
  TProgBar B;
  B.SetDesigning(true);
  int Ticks = 0;
  B.SetOnAutoInc([&](TObject*) { ++Ticks; });
  B.SetStartInterval(10);
  B.SetRepeatInterval(10);
  B.SetAutoInc(true);
  QTest::qWait(100);
  EXPECT_EQ(Ticks, 0);
  EXPECT_EQ(B.Value(), 10);
}

TEST(ProgBarTimer, RefusedTimerRaisesTheComponentMessage) {
  TProgBar B;
  B.setObjectName("Bar");
  host::TTimerWindow::SimulateRefusal(true);
  try {
    B.SetAutoInc(true);
    ADD_FAILURE() << "no exception";
  } catch (const EQORProgBar& E) {
    EXPECT_EQ(E.Message(), "Component \"Bar\": no timer available");
  }
  host::TTimerWindow::SimulateRefusal(false);
}

TEST(ProgBarTimer, HandlerExceptionsGoToTheApplicationAndTicksGoOn) {
  TProgBar B;
  int Caught = 0;
  host::Application()->OnException = [&](QObject*, const std::exception&) { ++Caught; };
  B.SetStartInterval(10);
  B.SetRepeatInterval(10);
  B.SetOnAutoInc([](TObject*) { throw std::runtime_error("handler failed"); });
  B.SetAutoInc(true);
  QTRY_VERIFY_WITH_TIMEOUT(Caught >= 3, 3000);
  B.SetAutoInc(false);
  host::Application()->OnException = nullptr;
  EXPECT_GE(B.Value(), 13);
}
