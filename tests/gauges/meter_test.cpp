#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "gauges/qor_meter.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;
using test::PixelAt;
using test::Picture;

namespace {

struct TLabel {
  QString Text;
  int X, Y;
};

// Every label the scale asks to draw, in drawing order.
std::vector<TLabel> Labels(TMeter& M) {
  std::vector<TLabel> Out;
  M.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas&, QString& Text, int X, int Y) {
    Out.push_back({Text, X, Y});
  };
  M.Invalidate();
  Picture(M);
  M.OnBeforeDrawScaleLabel = nullptr;
  return Out;
}

QStringList Texts(const std::vector<TLabel>& L) {
  QStringList Out;
  for (const TLabel& Label : L) Out << Label.Text;
  return Out;
}

// True when a pixel of Color lies within one pixel of (X, Y).
bool NearColor(const QImage& Img, int X, int Y, TColor Color) {
  for (int Dy = -1; Dy <= 1; ++Dy)
    for (int Dx = -1; Dx <= 1; ++Dx)
      if (PixelAt(Img, X + Dx, Y + Dy) == Color) return true;
  return false;
}

// Pixels of (antialiased) fuchsia text on a light background.
int CountFuchsia(const QImage& Img) {
  int N = 0;
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X) {
      const QRgb C = Img.pixel(X, Y);
      N += qRed(C) > 200 && qBlue(C) > 200 && qGreen(C) < 150;
    }
  return N;
}

QString WriteImage(const QTemporaryDir& Dir, const QString& Name, const QImage& Img) {
  const QString Path = Dir.filePath(Name);
  Img.save(Path);
  return Path;
}

QImage Solid(int W, int H, QColor C) {
  QImage Img(W, H, QImage::Format_RGB32);
  Img.fill(C);
  return Img;
}

}  // namespace

// ---- tick spacing -----------------------------------------------------------------

TEST(MeterTicks, DocumentedExamples) {
  struct {
    double Min, Max;
    int N;
    double Step;
    int SubDiv;
  } const Cases[] = {{0, 1, 3, 0.2, 4}, {0, 100, 4, 20, 4}, {0, 100, 5, 10, 5}, {0, 10, 10, 1, 5}};
  for (const auto& C : Cases) {
    const TTickSpacing T = TMeter::TickSpacing(C.Min, C.Max, C.N);
    EXPECT_NEAR(T.Step, C.Step, 1e-12) << C.Min << ".." << C.Max << " n=" << C.N;
    EXPECT_EQ(T.SubDiv, C.SubDiv) << C.Min << ".." << C.Max << " n=" << C.N;
    EXPECT_NEAR(T.First, C.Min, 1e-12);
  }
}

TEST(MeterTicks, ExactMantissaFallsToTheNextLowerChoice) {
  // |range| / n with mantissa exactly 2 gives 1, exactly 5 gives 2.
  EXPECT_NEAR(TMeter::TickSpacing(0, 6, 3).Step, 1, 1e-12);
  EXPECT_EQ(TMeter::TickSpacing(0, 6, 3).SubDiv, 5);
  EXPECT_NEAR(TMeter::TickSpacing(0, 15, 3).Step, 2, 1e-12);
  EXPECT_EQ(TMeter::TickSpacing(0, 15, 3).SubDiv, 4);
  // Small and negative ranges keep the decade rounded downward.
  EXPECT_NEAR(TMeter::TickSpacing(0, 0.03, 3).Step, 0.01, 1e-15);
  EXPECT_NEAR(TMeter::TickSpacing(-7, 3, 4).Step, 2, 1e-12);
}

TEST(MeterTicks, FirstTickIsTheFirstMultipleAtOrAboveTheMinimum) {
  EXPECT_NEAR(TMeter::TickSpacing(0.13, 1, 3).First, 0.2, 1e-12);
  EXPECT_NEAR(TMeter::TickSpacing(-7, 3, 4).First, -6, 1e-12);
  // Within a thousandth of a step below counts as on the minimum.
  EXPECT_NEAR(TMeter::TickSpacing(0.19999, 1, 3).First, 0.2, 1e-12);
  const TTickSpacing Down = TMeter::TickSpacing(1, 0, 3);
  EXPECT_NEAR(Down.Step, -0.2, 1e-12);
  EXPECT_NEAR(Down.First, 1, 1e-12);
  const TTickSpacing Flat = TMeter::TickSpacing(4, 4, 3);
  EXPECT_EQ(Flat.Step, 0);
  EXPECT_EQ(Flat.First, 4);
}

TEST(MeterScale, DefaultLabelsAndTheirSymmetry) {
  TMeter M;
  const auto L = Labels(M);
  EXPECT_EQ(Texts(L), QStringList({"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  // 0.0 and 1.0 lie mirrored about the centre at the ends of the 90-degree sector.
  const int Cx = M.MeterCenterX();
  EXPECT_LT(L.front().X, Cx - 60);
  EXPECT_GT(L.back().X, Cx + 60);
  EXPECT_EQ(L.front().Y, L.back().Y);
  EXPECT_LT(L.front().X, L[1].X);
  EXPECT_GT(L.front().Y, L[2].Y);
}

TEST(MeterScale, MinorTicksFallBetweenMajorTicks) {
  TMeter M;
  M.SetMeterScaleLine(false);
  const QImage Img = Picture(M);
  auto TickAt = [&](double V) {
    int X, Y;
    const double Pct = (M.MeterRadius() - 2) * 100 / M.MeterRadius();
    M.ConvertToPixelCoords(V, Pct, X, Y);
    return NearColor(Img, X, Y, clNavy);
  };
  for (double V : {0.05, 0.1, 0.15, 0.2, 0.25, 0.65}) EXPECT_TRUE(TickAt(V)) << V;
  for (double V : {0.025, 0.075, 0.125, 0.175}) EXPECT_FALSE(TickAt(V)) << V;
  M.SetMeterShortTicks(false);
  const QImage Plain = Picture(M);
  int X, Y;
  M.ConvertToPixelCoords(0.1, (M.MeterRadius() - 2) * 100 / M.MeterRadius(), X, Y);
  EXPECT_FALSE(NearColor(Plain, X, Y, clNavy));
}

TEST(MeterScale, LabelHandlerChangesOrSuppressesText) {
  TMeter M;
  M.Font().SetColor(clFuchsia);
  EXPECT_GT(CountFuchsia(Picture(M)), 0);
  M.OnBeforeDrawScaleLabel = [](TObject*, TCanvas&, QString& Text, int, int) { Text.clear(); };
  M.Invalidate();
  EXPECT_EQ(CountFuchsia(Picture(M)), 0);
  // The caption keeps the font it copied at creation.
  M.SetCaption("mV");
  EXPECT_EQ(CountFuchsia(Picture(M)), 0);
  M.FontCaption().SetColor(clFuchsia);
  EXPECT_GT(CountFuchsia(Picture(M)), 0);
}

TEST(MeterScale, LogarithmicDecadesAndLabels) {
  TMeter M;
  M.SetLogarithmic(true);
  EXPECT_FALSE(M.Logarithmic()) << "minimum 0 has no logarithm";
  M.SetMeterMaxValue(1000);
  M.SetMeterMinValue(1);
  M.SetLogarithmic(true);
  ASSERT_TRUE(M.Logarithmic());
  EXPECT_EQ(Texts(Labels(M)), QStringList({"1.0", "2.0", "5.0", "10.0", "20.0", "50.0", "100.0",
                                           "200.0", "500.0", "1000.0"}));
  // Every tick 1..9, 10..90, 100..900 and 1000 is drawn: 28 major ticks.
  M.SetMeterShortTicks(false);
  M.SetMeterScaleLine(false);
  const QImage Img = Picture(M);
  for (double V : {3.0, 7.0, 30.0, 90.0, 400.0, 1000.0}) {
    int X, Y;
    M.ConvertToPixelCoords(V, (M.MeterRadius() - 6) * 100 / M.MeterRadius(), X, Y);
    EXPECT_TRUE(NearColor(Img, X, Y, clNavy)) << V;
  }
  // Values below the 1e-100 bound are ignored while logarithmic.
  M.SetMeterMinValue(0);
  EXPECT_EQ(M.MeterMinValue(), 1);
  M.SetThresholdLow(-5);
  EXPECT_EQ(M.ThresholdLow(), 1);
}

TEST(MeterScale, ShortLogarithmicScaleLabelsEveryStepAtLogPositions) {
  TMeter M;
  M.SetMeterMaxValue(8);
  M.SetMeterMinValue(2);
  const auto Linear = Labels(M);
  M.SetLogarithmic(true);
  const auto Log = Labels(M);
  EXPECT_EQ(Texts(Log), QStringList({"2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0"}));
  ASSERT_EQ(Linear.size(), Log.size());
  // 5 sits in the middle of 2..8 linearly, right of it logarithmically.
  EXPECT_LT(Linear[3].X, M.MeterCenterX());
  EXPECT_GT(Linear[3].X + 25, M.MeterCenterX());
  EXPECT_GT(Log[3].X, Linear[3].X + 10);
}

TEST(MeterScale, FullCircleShowsOneLabelWhereTheEndsMeet) {
  TMeter M;
  M.SetMeterLayout(TMeter::mlCirc360);
  EXPECT_EQ(Texts(Labels(M)), QStringList({"0.0", "0.2", "0.4", "0.6", "0.8"}));
  M.SetMeterLayout(TMeter::mlCirc300);
  EXPECT_EQ(Labels(M).size(), 6u);
}

// ---- geometry and value mapping ----------------------------------------------------

TEST(MeterGeometry, LayoutsAtTheDefaultSize) {
  TMeter M;
  EXPECT_EQ(M.width(), 297);
  EXPECT_EQ(M.height(), 209);
  struct {
    TMeter::TMeterLayout Layout;
    int Angle;
    double Radius;
    int Cy;
  } const Cases[] = {{TMeter::mlCirc90, 90, 175, 191},
                     {TMeter::mlCirc120, 120, 130.5 * 1.1547, 191},
                     {TMeter::mlCirc180, 180, 130, 191},
                     {TMeter::mlCirc270, 270, 175 / 1.7071, 119},
                     {TMeter::mlCirc300, 300, 175 / 1.866, 110},
                     {TMeter::mlCirc360, 360, 87.5, 104}};
  for (const auto& C : Cases) {
    M.SetMeterLayout(C.Layout);
    EXPECT_EQ(M.MeterAngle(), C.Angle);
    EXPECT_NEAR(M.MeterRadius(), C.Radius, 1e-9) << C.Angle;
    EXPECT_EQ(M.MeterCenterX(), 148);
    EXPECT_EQ(M.MeterCenterY(), C.Cy) << C.Angle;
  }
}

// Every layout keeps its whole scale (and the band ring, 4 pixels further
// out) inside the rims, whatever the control's proportions.
TEST(MeterGeometry, EveryLayoutFitsInsideTheRims) {
  TMeter M;
  for (QSize Size : {QSize(297, 209), QSize(150, 300), QSize(400, 120), QSize(200, 200)}) {
    M.resize(Size);
    // The 90-degree dial is fitted to the height alone.
    for (int L = TMeter::mlCirc120; L <= TMeter::mlCirc360; ++L) {
      M.SetMeterLayout(TMeter::TMeterLayout(L));
      ASSERT_GT(M.MeterRadius(), 0);
      const double Pct = (M.MeterRadius() + 4) * 100 / M.MeterRadius();
      for (int I = 0; I <= 20; ++I) {
        int X, Y;
        M.ConvertToPixelCoords(I / 20.0, Pct, X, Y);
        EXPECT_GE(X, M.RimSide()) << L << " " << Size.width() << "x" << Size.height();
        EXPECT_LT(X, Size.width() - M.RimSide());
        EXPECT_GE(Y, M.RimTop()) << L << " " << Size.width() << "x" << Size.height();
        EXPECT_LT(Y, Size.height() - M.RimBottom()) << L << " " << I;
      }
    }
  }
}

TEST(MeterGeometry, ResizeAndRimsRefitTheDial) {
  TMeter M;
  M.SetBounds(0, 0, 297, 109);
  EXPECT_EQ(M.MeterRadius(), 75);
  M.SetRimTop(28);
  EXPECT_EQ(M.MeterRadius(), 55);
  M.SetBounds(0, 0, 297, 50);
  EXPECT_LE(M.MeterRadius(), 0);
  M.SetValue(0.5);  // a dial without room paints nothing, and does not fail
  EXPECT_EQ(M.Value(), 0.5);
}

TEST(MeterGeometry, AnglesAndPixels) {
  TMeter M;
  EXPECT_DOUBLE_EQ(M.CalcNeedleAngle(-3), 135);
  EXPECT_DOUBLE_EQ(M.CalcNeedleAngle(0.5), 180);
  EXPECT_DOUBLE_EQ(M.CalcNeedleAngle(7), 225);
  int X, Y;
  M.ConvertToPixelCoords(0.5, 100, X, Y);
  EXPECT_EQ(X, M.MeterCenterX());
  EXPECT_EQ(Y, M.MeterCenterY() - 175);
  M.ConvertToPixelCoords(0, 100, X, Y);  // 45 degrees left of the upward vertical
  EXPECT_EQ(X, M.MeterCenterX() - 124);
  EXPECT_EQ(Y, M.MeterCenterY() - 124);
}

TEST(MeterGeometry, PixelToValue) {
  TMeter M;
  const int Cx = M.MeterCenterX(), Cy = M.MeterCenterY();
  double V = -1;
  EXPECT_TRUE(M.ConvertPixelToValue(Cx, Cy - 50, V));
  EXPECT_DOUBLE_EQ(V, 0.5);
  EXPECT_TRUE(M.ConvertPixelToValue(Cx, Cy, V)) << "the centre counts as straight up";
  EXPECT_DOUBLE_EQ(V, 0.5);
  EXPECT_FALSE(M.ConvertPixelToValue(Cx, Cy + 5, V));
  EXPECT_EQ(V, 0);
  EXPECT_TRUE(M.ConvertPixelToValue(Cx - 40, Cy - 40, V));  // the minimum end, inclusive
  EXPECT_NEAR(V, 0, 1e-12);
  EXPECT_TRUE(M.ConvertPixelToValue(Cx + 40, Cy - 40, V));
  EXPECT_NEAR(V, 1, 1e-12);
  EXPECT_FALSE(M.ConvertPixelToValue(Cx - 40, Cy - 39, V));
  // Round trip with the value-to-pixel mapping.
  int X, Y;
  M.ConvertToPixelCoords(0.3, 100, X, Y);
  EXPECT_TRUE(M.ConvertPixelToValue(X, Y, V));
  EXPECT_NEAR(V, 0.3, 0.01);

  for (int L : {TMeter::mlCirc120, TMeter::mlCirc180, TMeter::mlCirc270, TMeter::mlCirc300}) {
    M.SetMeterLayout(TMeter::TMeterLayout(L));
    EXPECT_FALSE(M.ConvertPixelToValue(M.MeterCenterX(), M.MeterCenterY() + 5, V)) << L;
    EXPECT_EQ(V, 0);
  }
  M.SetMeterLayout(TMeter::mlCirc360);
  EXPECT_TRUE(M.ConvertPixelToValue(M.MeterCenterX(), M.MeterCenterY() + 5, V));
  EXPECT_EQ(V, 0);

  M.SetMeterLayout(TMeter::mlCirc90);
  M.SetMeterMaxValue(100);
  M.SetMeterMinValue(1);
  M.SetLogarithmic(true);
  EXPECT_TRUE(M.ConvertPixelToValue(M.MeterCenterX(), 20, V));
  EXPECT_NEAR(V, 10, 1e-9);
}

TEST(MeterGeometry, CalcM) {
  EXPECT_EQ(TMeter::CalcM(3, 1, 0), 3);
  EXPECT_EQ(TMeter::CalcM(-2, 2e6, 0), -1);
  EXPECT_EQ(TMeter::CalcM(-2, 0.00005, 0), -1);
  EXPECT_EQ(TMeter::CalcM(-2, 500, 0), 0);
  EXPECT_EQ(TMeter::CalcM(-2, 1, 0), 2);
  EXPECT_EQ(TMeter::CalcM(-2, 0.01, 0), 4);
}

// ---- properties and range rules ---------------------------------------------------------

TEST(MeterProperties, Clamps) {
  TMeter M;
  M.SetMeterNrTicks(1);
  EXPECT_EQ(M.MeterNrTicks(), 2);
  M.SetMeterNrTicks(30);
  EXPECT_EQ(M.MeterNrTicks(), 21);
  M.SetMeterDecPlaces(-3);
  EXPECT_EQ(M.MeterDecPlaces(), 0);
  M.SetMeterDecPlaces(7);
  EXPECT_EQ(M.MeterDecPlaces(), 4);
  M.SetScaleBkWidth(150);
  EXPECT_EQ(M.ScaleBkWidth(), 100);
  M.SetScaleBkWidth(-1);
  EXPECT_EQ(M.ScaleBkWidth(), 0);
  M.NeedleLayout()->SetPercentNeedleLength(150);
  EXPECT_EQ(M.NeedleLayout()->PercentNeedleLength(), 100);
  M.NeedleLayout()->SetHeadAngle(-5);
  EXPECT_EQ(M.NeedleLayout()->HeadAngle(), 0);
  M.NeedleLayout()->SetHeadAngle(200);
  EXPECT_EQ(M.NeedleLayout()->HeadAngle(), 180);
  M.SetValue(5);
  EXPECT_EQ(M.Value(), 1);
  M.SetValue(-5);
  EXPECT_EQ(M.Value(), 0);
  M.SetValue(std::nan(""));
  EXPECT_EQ(M.Value(), 0);
}

TEST(MeterProperties, RangeEndsPushEachOther) {
  TMeter M;
  M.SetValue(0.8);
  M.SetThresholdLow(0.2);
  M.SetThresholdHigh(0.9);
  M.SetMeterMaxValue(0.5);
  EXPECT_EQ(M.Value(), 0.5);
  EXPECT_EQ(M.ThresholdHigh(), 0.5);
  EXPECT_EQ(M.ThresholdLow(), 0.2);
  M.SetMeterMaxValue(-2);
  EXPECT_EQ(M.MeterMinValue(), -3);
  M.SetMeterMinValue(4);
  EXPECT_EQ(M.MeterMaxValue(), 5);
  EXPECT_EQ(M.Value(), 4);
  EXPECT_EQ(M.ThresholdLow(), 4);

  TMeter Log;
  Log.SetMeterMaxValue(100);
  Log.SetMeterMinValue(10);
  Log.SetLogarithmic(true);
  Log.SetMeterMaxValue(0.5);  // 0.5 - 1 is not positive: a tenth instead
  EXPECT_DOUBLE_EQ(Log.MeterMinValue(), 0.05);
}

TEST(MeterProperties, ThresholdsStayOrdered) {
  TMeter M;
  M.SetThresholdHigh(0.4);
  M.SetThresholdLow(0.6);
  EXPECT_EQ(M.ThresholdHigh(), 0.6);
  M.SetThresholdHigh(0.3);
  EXPECT_EQ(M.ThresholdLow(), 0.3);
  M.SetThresholdHigh(9);
  EXPECT_EQ(M.ThresholdHigh(), 1);
}

TEST(MeterProperties, LoadingStoresRawAndLoadedRepairs) {
  TMeter M;
  test::ShowAndWait(M);
  int Paints = 0;
  M.OnMeterRendered = [&](TObject*, TCanvas&) { ++Paints; };
  M.BeginLoading();
  M.SetValue(20);
  M.SetMeterMaxValue(10);
  M.SetMeterMinValue(5);
  M.SetLogarithmic(true);
  M.SetThresholdHigh(50);
  EXPECT_EQ(M.Value(), 20);
  EXPECT_TRUE(M.Logarithmic());
  EXPECT_EQ(Paints, 0);
  M.EndLoading();
  EXPECT_EQ(M.Value(), 10);
  EXPECT_EQ(M.ThresholdHigh(), 10);
  EXPECT_TRUE(M.Logarithmic());
  EXPECT_EQ(Paints, 1);

  TMeter Bad;  // a stored range upside down, logarithmic from zero
  Bad.BeginLoading();
  Bad.SetMeterMaxValue(-1);
  Bad.SetLogarithmic(true);
  Bad.EndLoading();
  EXPECT_EQ(Bad.MeterMaxValue(), 1);
  EXPECT_FALSE(Bad.Logarithmic());
}

TEST(MeterProperties, SettersRepaintAtOnceAndOnlyOnChange) {
  TMeter M;
  test::ShowAndWait(M);
  int Paints = 0;
  M.OnMeterRendered = [&](TObject*, TCanvas&) { ++Paints; };
  M.SetValue(0.5);
  EXPECT_EQ(Paints, 1);
  M.SetValue(0.5);
  M.SetColorScale(clNavy);
  M.SetMeterLayout(TMeter::mlCirc90);
  EXPECT_EQ(Paints, 1);
  M.SetCaption("A");
  M.SetCaption("A");  // stores and repaints without comparing
  EXPECT_EQ(Paints, 3);
  TNeedleLayout Red;
  Red.SetColorBody(clRed);
  M.SetNeedleLayout(Red);
  EXPECT_EQ(Paints, 4);
  EXPECT_EQ(M.NeedleLayout()->ColorBody(), clRed);
  EXPECT_TRUE(M.NeedleLayout()->Visible());
  M.NeedleLayout()->SetThickness(4);
  EXPECT_EQ(Paints, 5);
}

// ---- alarms ------------------------------------------------------------------------

class MeterAlarms : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ShowAndWait(M);
    M.OnOverFlow = [this](TObject*) { Log << "over"; };
    M.OnUnderFlow = [this](TObject*) { Log << "under"; };
    M.OnNormalRange = [this](TObject*) { Log << "normal"; };
    M.OnMeterRendered = [this](TObject*, TCanvas&) { Log << "paint"; };
  }
  TMeter M;
  QStringList Log;
};

TEST_F(MeterAlarms, ValueEventsFireBeforeTheRepaint) {
  M.SetValue(0.5);
  EXPECT_EQ(Log, QStringList({"normal", "paint"}));
  EXPECT_FALSE(M.HighAlarm() || M.LowAlarm());
  M.SetValue(1.0);
  EXPECT_EQ(Log, QStringList({"normal", "paint", "over", "paint"}));
  EXPECT_TRUE(M.HighAlarm());
  Log.clear();
  M.SetValue(1.0);
  EXPECT_TRUE(Log.isEmpty());
  M.SetValue(0.7);  // every change fires, not only transitions
  M.SetValue(0.6);
  EXPECT_EQ(Log, QStringList({"normal", "paint", "normal", "paint"}));
  EXPECT_FALSE(M.HighAlarm());
}

TEST_F(MeterAlarms, ThresholdValuesThemselvesAreOutOfRange) {
  M.SetThresholdLow(0.2);
  M.SetThresholdHigh(0.8);
  Log.clear();
  M.SetValue(0.2);
  M.SetValue(0.8);
  EXPECT_EQ(Log, QStringList({"under", "paint", "over", "paint"}));
}

TEST_F(MeterAlarms, ThresholdSettersJudgeTheCurrentValue) {
  M.SetValue(0.5);
  Log.clear();
  M.SetThresholdLow(0.6);
  EXPECT_EQ(Log, QStringList({"under", "paint"}));
  EXPECT_TRUE(M.LowAlarm());
  M.SetThresholdHigh(0.7);  // not reached: no event, the low alarm stays
  EXPECT_EQ(Log, QStringList({"under", "paint", "paint"}));
  EXPECT_TRUE(M.LowAlarm());
  M.SetThresholdLow(0.1);  // clears the low alarm; never reports the normal range
  EXPECT_FALSE(M.LowAlarm());
  M.SetThresholdHigh(0.5);
  EXPECT_EQ(Log, QStringList({"under", "paint", "paint", "paint", "over", "paint"}));
  EXPECT_TRUE(M.HighAlarm());
}

TEST_F(MeterAlarms, SecondaryNeedleDrivesAlarmsOnlyWhenVisible) {
  M.SetValue(1.0);
  Log.clear();
  M.SetValueSec(0.5);
  EXPECT_TRUE(Log.isEmpty());
  EXPECT_FALSE(M.HighAlarm()) << "the hidden needle's value clears the alarms";
  M.NeedleLayoutSec()->SetVisible(true);
  Log.clear();
  M.SetValueSec(0.0);
  EXPECT_EQ(Log, QStringList({"under", "paint"}));
  M.NeedleLayout()->SetVisible(false);
  Log.clear();
  M.SetValue(0.5);
  EXPECT_EQ(Log, QStringList({"paint"}));
}

// ---- pixels ------------------------------------------------------------------------

TEST(MeterPaint, LampsShowTheAlarmStates) {
  TMeter M;
  const int W = M.width(), S = M.RimSide(), T = M.RimTop();
  auto HighFill = [&] { return PixelAt(Picture(M), W - S - 13, T + 12); };
  auto LowFill = [&] { return PixelAt(Picture(M), S + 13, T + 12); };
  EXPECT_EQ(HighFill(), clGray);
  EXPECT_EQ(LowFill(), clGray);
  M.SetValue(1.0);
  EXPECT_EQ(HighFill(), clRed);
  EXPECT_EQ(LowFill(), clGray);
  const QImage Img = Picture(M);
  const int X = W - S;
  EXPECT_EQ(PixelAt(Img, X - 18, T + 8), clBlack);   // outline
  EXPECT_EQ(PixelAt(Img, X - 12, T + 17), clWhite);  // bevel strokes
  EXPECT_EQ(PixelAt(Img, X - 9, T + 12), clWhite);
  EXPECT_EQ(PixelAt(Img, X - 13, T + 16), clSilver);
  EXPECT_EQ(PixelAt(Img, X - 17, T + 12), clGray);
  EXPECT_EQ(PixelAt(Img, X - 13, T + 9), clGray);
  EXPECT_EQ(PixelAt(Img, S + 8, T + 8), clBlack);
  EXPECT_EQ(PixelAt(Img, S + 17, T + 12), clWhite);
  EXPECT_EQ(PixelAt(Img, S + 9, T + 12), clGray);
  M.SetValue(0);
  EXPECT_EQ(LowFill(), clRed);
  M.SetLimWatchLowOn(false);
  EXPECT_NE(LowFill(), clRed);
}

TEST(MeterPaint, OuterFrameStyles) {
  TMeter M;
  const int W = M.width(), H = M.height();
  const TColor Face = ColorToRGB(clBtnFace);
  auto Px = [&](int X, int Y) { return PixelAt(Picture(M), X, Y); };
  // Raised (default): white up the left and along the top, gray down the right and bottom.
  EXPECT_EQ(Px(0, H - 1), clWhite);
  EXPECT_EQ(Px(0, 50), clWhite);
  EXPECT_EQ(Px(W - 1, 0), clGray);
  EXPECT_EQ(Px(W - 1, 50), clGray);
  EXPECT_EQ(Px(50, H - 1), clGray);
  M.SetFrameStyle(fsLowered);
  EXPECT_EQ(Px(0, 50), clGray);
  EXPECT_EQ(Px(50, 0), clGray);
  EXPECT_EQ(Px(W - 1, 50), clWhite);
  M.SetFrameStyle(fsSimple);
  EXPECT_EQ(Px(0, 50), clWhite);  // ColorBakG
  M.SetColorBakG(clYellow);
  EXPECT_EQ(Px(W - 1, 50), clYellow);
  M.SetFrameStyle(fsNone);
  EXPECT_EQ(Px(0, 50), Face);
  M.SetFrameStyle(fsEmbossed);
  EXPECT_EQ(Px(W - 2, 50), clWhite);
  EXPECT_EQ(Px(0, 50), clWhite);
  EXPECT_EQ(Px(1, 50), clGray);
  EXPECT_EQ(Px(W - 1, 50), clGray);
  EXPECT_EQ(Px(50, H - 1), clGray);
  EXPECT_EQ(Px(W - 1, 0), Face);
  M.SetFrameStyle(fsEngraved);
  EXPECT_EQ(Px(W - 2, 50), clGray);
  EXPECT_EQ(Px(1, 50), clWhite);
}

TEST(MeterPaint, CoverBevelAndHubForms) {
  TMeter M;
  const int W = M.width(), H = M.height(), S = M.RimSide(), T = M.RimTop(), B = M.RimBottom();
  const int Cx = M.MeterCenterX(), Cy = M.MeterCenterY(), N = M.AnchorSize();
  const TColor Face = ColorToRGB(clBtnFace);
  QImage Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, 3, 100), Face);
  EXPECT_EQ(PixelAt(Img, S - 1, 100), clGray);   // inner bevel, left
  EXPECT_EQ(PixelAt(Img, W - S, 100), clWhite);  // right
  EXPECT_EQ(PixelAt(Img, 100, T), clGray);
  EXPECT_EQ(PixelAt(Img, 30, H - B), clWhite);
  // The post hub: a half dome on a post standing on the bottom rim.
  EXPECT_EQ(PixelAt(Img, Cx, H - B - 3), Face);
  EXPECT_EQ(PixelAt(Img, Cx, H - B), Face);
  EXPECT_EQ(PixelAt(Img, Cx - N, H - B - 3), clWhite);
  EXPECT_EQ(PixelAt(Img, Cx + N - 1, H - B - 3), clGray);
  EXPECT_EQ(PixelAt(Img, Cx, Cy - N / 2), Face);
  M.SetAnchorCovered(false);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, Cx - N, H - B - 3), clWhite) << "background below the needle";
  EXPECT_EQ(PixelAt(Img, Cx, H - B), clWhite) << "a plain bevel line";
  // The disc hub of the wide dials.
  M.SetAnchorCovered(true);
  M.SetMeterLayout(TMeter::mlCirc300);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, M.MeterCenterX() + 5, M.MeterCenterY() + 5), Face);
  EXPECT_EQ(PixelAt(Img, M.MeterCenterX() + 5, M.MeterCenterY() + N + 3), clWhite);
}

TEST(MeterPaint, NeedleGateAndSecondaryNeedle) {
  TMeter M;
  test::ShowAndWait(M);
  M.SetValue(0.5);
  const int Cx = M.MeterCenterX(), Cy = M.MeterCenterY();
  EXPECT_EQ(PixelAt(Picture(M), Cx, Cy - 60), clBlack);
  int Calls = 0;
  M.OnBeforeDrawNeedle = [&](TObject*, TCanvas&, bool& Drawn) {
    ++Calls;
    Drawn = true;
  };
  M.SetValue(0.4);
  M.SetValue(0.5);
  QImage Img = Picture(M);
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(PixelAt(Img, Cx, Cy - 60), clWhite);
  EXPECT_EQ(PixelAt(Img, M.width() - 3, 100), ColorToRGB(clBtnFace)) << "rims still drawn";
  EXPECT_EQ(PixelAt(Img, M.width() - M.RimSide() - 13, M.RimTop() + 12), clGray) << "lamps";
  // The secondary needle is outside the gate.
  M.NeedleLayoutSec()->SetVisible(true);
  M.NeedleLayoutSec()->SetColorOutline(clMaroon);
  M.SetValueSec(0.5);
  EXPECT_EQ(PixelAt(Picture(M), Cx, Cy - 60), clMaroon);
}

TEST(MeterPaint, NeedleShapeAndShadow) {
  TMeter M;
  M.SetValue(0.5);
  const int Cx = M.MeterCenterX(), Cy = M.MeterCenterY();
  const int Tip = Cy - int(std::lrint(M.MeterRadius() - 4));
  M.NeedleLayout()->SetShadowDx(3);
  QImage Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, Cx - 3, Cy - 60), clGray) << "a positive ShadowDx shadows to the left";
  EXPECT_EQ(PixelAt(Img, Cx, Tip), clBlack);
  EXPECT_EQ(PixelAt(Img, Cx, Tip + 10), clSilver) << "the head is filled";
  M.NeedleLayout()->SetPercentNeedleLength(50);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, Cx, Tip + 10), clWhite);
  M.NeedleLayout()->SetThickness(10);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, Cx, Cy - 40), clSilver) << "a thick shaft is a filled band";
  EXPECT_EQ(PixelAt(Img, Cx - 5, Cy - 40), clBlack);
}

TEST(MeterPaint, BandsSkipEmptySlicesAndFillToTheCentreAtFullWidth) {
  TMeter M;
  M.SetScaleBkVisible(true);
  M.SetScaleBkWidth(10);
  const double R = M.MeterRadius();
  auto At = [&](double V, double Rho) {
    int X, Y;
    M.ConvertToPixelCoords(V, Rho * 100 / R, X, Y);
    return PixelAt(Picture(M), X, Y);
  };
  // Thresholds at the range ends: only the normal band, no disc of lime.
  EXPECT_EQ(At(0.02, R + 2), 0x0080FFu);
  EXPECT_EQ(At(0.98, R + 2), 0x0080FFu);
  EXPECT_EQ(At(0.5, R * 0.5), clWhite);
  M.SetThresholdLow(0.3);
  M.SetThresholdHigh(0.7);
  EXPECT_EQ(At(0.15, R + 2), clLime);
  EXPECT_EQ(At(0.5, R + 2), 0x0080FFu);
  EXPECT_EQ(At(0.85, R + 2), clRed);
  EXPECT_EQ(At(0.85, R * 0.8), clWhite);
  M.SetScaleBkWidth(100);
  EXPECT_EQ(At(0.85, R * 0.4), clRed);
}

// The dial face is kept between paints; every property it is drawn from
// must still show at once.
TEST(MeterPaint, FaceFollowsEveryScaleChange) {
  TMeter M;
  M.SetValue(0.3);
  Picture(M);
  M.Font().SetColor(clFuchsia);
  EXPECT_GT(CountFuchsia(Picture(M)), 0);
  int X, Y;
  M.ConvertToPixelCoords(0.1, (M.MeterRadius() - 2) * 100 / M.MeterRadius(), X, Y);
  M.SetColorScale(clLime);
  EXPECT_TRUE(NearColor(Picture(M), X, Y, clLime));
  M.SetMeterShortTicks(false);
  EXPECT_FALSE(NearColor(Picture(M), X, Y, clLime));
  M.SetValue(0.6);  // a value-only paint keeps the face
  EXPECT_FALSE(NearColor(Picture(M), X, Y, clLime));
  M.SetBounds(0, 0, 200, 150);
  const QImage Small = Picture(M);
  EXPECT_EQ(Small.width(), 200);
  EXPECT_EQ(PixelAt(Small, 199, 70), clGray) << "the frame at the new edge";
  EXPECT_EQ(PixelAt(Small, 100, 60), clWhite);
}

// ---- images --------------------------------------------------------------------

TEST(MeterImages, BackgroundInThreeModes) {
  QTemporaryDir Dir;
  QImage Two(20, 10, QImage::Format_RGB32);
  Two.fill(Qt::blue);
  for (int Y = 0; Y < 10; ++Y)
    for (int X = 10; X < 20; ++X) Two.setPixel(X, Y, qRgb(255, 255, 0));
  const QString File = WriteImage(Dir, "bg.png", Two);
  TMeter M;
  M.SetScaleVisible(false);
  M.SetBackGroundImg(File);
  EXPECT_EQ(M.BackGroundImg(), File);
  QImage Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, 15, 9), clYellow);    // natural size at the top-left
  EXPECT_EQ(PixelAt(Img, 25, 40), clWhite);  // the rest: a white rectangle
  M.SetBkgndFillMode(bfTile);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, 25, 45), clBlue);
  EXPECT_EQ(PixelAt(Img, 35, 45), clYellow);
  M.SetBkgndFillMode(bfStretch);
  Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, 60, 150), clBlue);
  EXPECT_EQ(PixelAt(Img, 230, 150), clYellow);
  M.SetBackGroundImg(Dir.filePath("missing.png"));
  EXPECT_TRUE(M.BackGroundImg().isEmpty());
  EXPECT_EQ(PixelAt(Picture(M), 60, 150), clWhite);

  QFile Junk(Dir.filePath("junk.png"));
  ASSERT_TRUE(Junk.open(QIODevice::WriteOnly));
  Junk.write("not an image");
  Junk.close();
  EXPECT_THROW(M.SetBackGroundImg(Junk.fileName()), host::EInvalidGraphic);
  TMeter Loading;
  Loading.BeginLoading();
  Loading.SetBackGroundImg(Junk.fileName());
  Loading.SetAnchorImage(Junk.fileName());
  EXPECT_NO_THROW(Loading.EndLoading());
  EXPECT_TRUE(Loading.BackGroundImg().isEmpty());
  EXPECT_TRUE(Loading.AnchorImage().isEmpty());
}

TEST(MeterImages, HubImageIsDrawnOpaqueOnTheCentre) {
  QTemporaryDir Dir;
  QImage Hub = Solid(16, 16, QColor(0, 0, 255));
  Hub.setPixel(15, 15, qRgb(0, 0, 0));
  const QString File = WriteImage(Dir, "hub.png", Hub);
  TMeter M;
  M.SetValue(0.5);
  M.SetAnchorImage(File);
  EXPECT_EQ(M.AnchorImage(), File);
  const int Cx = M.MeterCenterX(), Cy = M.MeterCenterY();
  const QImage Img = Picture(M);
  EXPECT_EQ(PixelAt(Img, Cx - 8, Cy - 8), clBlue);
  EXPECT_EQ(PixelAt(Img, Cx, Cy - 4), clBlue) << "over the needle";
  EXPECT_EQ(PixelAt(Img, Cx + 7, Cy + 7), clBlack);
  EXPECT_EQ(PixelAt(Img, Cx - 9, Cy - 9), clWhite);
  M.SetAnchorImage(Dir.filePath("none.png"));
  EXPECT_TRUE(M.AnchorImage().isEmpty());
  QFile Junk(Dir.filePath("junk.png"));
  ASSERT_TRUE(Junk.open(QIODevice::WriteOnly));
  Junk.write("junk");
  Junk.close();
  EXPECT_NO_THROW(M.SetAnchorImage(Junk.fileName()));
  EXPECT_TRUE(M.AnchorImage().isEmpty());
}

// ---- mouse ---------------------------------------------------------------------

TEST(MeterMouse, MoveReportsTheValueUnderThePointer) {
  TMeter M;
  test::ShowAndWait(M);
  QStringList Log;
  double Value = -1;
  bool Within = false;
  M.OnMouseMove = [&](TObject*, TShiftState, int, int) { Log << "move"; };
  M.OnMouseMoveInMeter = [&](TObject*, bool In, TShiftState, double V) {
    Log << "meter";
    Within = In;
    Value = V;
  };
  QTest::mouseMove(&M, QPoint(M.MeterCenterX(), 40));
  EXPECT_EQ(Log, QStringList({"move", "meter"}));
  EXPECT_TRUE(Within);
  EXPECT_DOUBLE_EQ(Value, 0.5);
  QTest::mouseMove(&M, QPoint(M.MeterCenterX() + 3, M.MeterCenterY() + 5));
  EXPECT_EQ(Log.size(), 4);
  EXPECT_FALSE(Within);
  EXPECT_EQ(Value, 0);
}

namespace {

// A user's handler on a needle layout does not cut the meter's repaint.
TEST(Meter, UserHandlerOnTheNeedleLayoutKeepsTheRepaint) {
  TMeter M;
  int User = 0;
  M.NeedleLayout()->OnChange = [&](TObject*) { ++User; };
  const QImage Before = Picture(M).copy();
  M.NeedleLayout()->SetColorBody(clRed);
  EXPECT_EQ(User, 1);
  EXPECT_NE(Picture(M), Before);
}

}  // namespace

// ---- regressions and partial repaints ------------------------------------------------

// Tick values reached by repeated addition land a rounding error off zero.
TEST(MeterRegression, ZeroTickOfASymmetricScaleIsNotLabelledMinusZero) {
  TMeter M;
  M.SetMeterMinValue(-1);
  M.SetMeterNrTicks(5);
  QStringList T = Texts(Labels(M));
  EXPECT_TRUE(T.contains("0.0")) << T.join(' ').toStdString();
  EXPECT_FALSE(T.contains("-0.0"));
  // A tick that rounds to zero at the label's decimals reads unsigned as well.
  M.SetMeterMinValue(-0.4);
  M.SetMeterMaxValue(0.4);
  M.SetMeterNrTicks(8);
  M.SetMeterDecPlaces(0);
  T = Texts(Labels(M));
  EXPECT_FALSE(T.contains("-0")) << T.join(' ').toStdString();
  EXPECT_TRUE(T.contains("0"));
}

// The needle handler gets the same canvas whether the face was just drawn or
// came from the kept copy.
TEST(MeterRegression, BeforeDrawNeedleCanvasStateDoesNotDependOnTheFaceCache) {
  struct TState {
    host::TBrushStyle BrushStyle;
    TColor BrushColor, PenColor, FontColor;
    bool operator==(const TState&) const = default;
  };
  TMeter M;
  M.Font().SetColor(clMaroon);
  std::vector<TState> Seen;
  M.OnBeforeDrawNeedle = [&](TObject*, TCanvas& C, bool&) {
    Seen.push_back({C.Brush().Style(), C.Brush().Color(), C.Pen().Color(), C.Font().Color()});
    // Text drawn here is transparent: it leaves the face around the glyphs.
    C.TextOut(M.MeterCenterX() - 40, M.MeterCenterY() - 40, "ab");
  };
  M.SetValue(0.3);
  M.Invalidate();
  const QImage Cached = Picture(M);
  M.OnBeforeDrawScaleLabel = [](TObject*, TCanvas&, QString&, int, int) {};
  M.Invalidate();
  const QImage Fresh = Picture(M);
  ASSERT_GE(Seen.size(), 2u);
  EXPECT_EQ(Seen.front(), Seen.back());
  EXPECT_EQ(Seen.back().BrushStyle, host::bsClear);
  EXPECT_EQ(Seen.back().PenColor, clNavy) << "the scale's pen";
  EXPECT_EQ(Seen.back().FontColor, clMaroon) << "the label font";
  EXPECT_EQ(Cached, Fresh);
  EXPECT_EQ(PixelAt(Cached, M.MeterCenterX() - 40, M.MeterCenterY() - 40), clWhite);
}

// Over whole decades the major ticks mark 1..9 already; the linear minor step
// used to crowd a comb of short ticks towards the maximum.
TEST(MeterRegression, LogarithmicMinorTicksMarkTwoToNineOfEachDecade) {
  TMeter M;
  M.SetMeterMaxValue(1000);
  M.SetMeterMinValue(1);
  M.SetLogarithmic(true);
  M.SetMeterScaleLine(false);
  const QImage Short = Picture(M);
  M.SetMeterShortTicks(false);
  EXPECT_EQ(Short, Picture(M)) << "no minor tick off the decade marks";
  // Below a decade the major ticks follow the linear step; minor ticks fill in
  // the decade marks between them, and nothing else.
  M.SetMeterShortTicks(true);
  M.SetMeterMaxValue(9);
  M.SetMeterNrTicks(2);
  const QImage Img = Picture(M);
  auto TickAt = [&](double V) {
    int X, Y;
    M.ConvertToPixelCoords(V, (M.MeterRadius() - 2) * 100 / M.MeterRadius(), X, Y);
    return NearColor(Img, X, Y, clNavy);
  };
  for (double V : {2.0, 3.0, 5.0, 7.0, 8.0}) EXPECT_TRUE(TickAt(V)) << V;
  for (double V : {2.5, 3.5, 6.5, 8.5}) EXPECT_FALSE(TickAt(V)) << V;
}

// A value change repaints only the needles' area from the kept face; the
// result must be the picture a full paint gives.
TEST(MeterPartialRepaint, ValueChangesMatchAFullPaint) {
  struct TCase {
    TMeter::TMeterLayout Layout;
    int ShadowDx, ShadowDy, Thickness;
    bool Second, Bands;
  } const Cases[] = {{TMeter::mlCirc90, 0, 0, 0, false, false},
                     {TMeter::mlCirc180, 4, -3, 6, true, true},
                     {TMeter::mlCirc270, -5, 6, 0, true, false},
                     {TMeter::mlCirc360, 3, 3, 10, false, true},
                     {TMeter::mlCirc120, 0, 7, 2, true, true}};
  for (const TCase& K : Cases) {
    TMeter M;
    test::ShowAndWait(M);
    M.SetMeterLayout(K.Layout);
    M.SetScaleBkVisible(K.Bands);
    M.SetScaleBkWidth(30);
    M.SetThresholdLow(0.25);
    M.SetThresholdHigh(0.75);
    M.NeedleLayout()->SetShadowDx(K.ShadowDx);
    M.NeedleLayout()->SetShadowDy(K.ShadowDy);
    M.NeedleLayout()->SetThickness(K.Thickness);
    M.NeedleLayoutSec()->SetVisible(K.Second);
    M.NeedleLayoutSec()->SetColorBody(clYellow);
    M.NeedleLayoutSec()->SetShadowDx(-K.ShadowDy);
    Picture(M);
    // A pixel drawn between paints outside every needle survives a partial
    // repaint, and only a partial one.
    M.Canvas().SetPixel(M.width() / 2, M.height() - 3, clFuchsia);
    for (int Step = 0; Step <= 40; ++Step) {
      const double V = 0.5 + 0.5 * std::sin(Step * 0.7);
      M.SetValue(V);
      // (A hidden secondary needle clears the alarms without a repaint.)
      if (K.Second) M.SetValueSec(1 - V);
      const QImage Partial = Picture(M);
      M.Invalidate();
      QImage Full = Picture(M);
      Full.setPixel(M.width() / 2, M.height() - 3, qRgb(255, 0, 255));
      ASSERT_EQ(test::DiffText(Partial, Full), "") << "layout " << int(K.Layout) << " step " << Step;
      M.Canvas().SetPixel(M.width() / 2, M.height() - 3, clFuchsia);
    }
  }
}

TEST(MeterPartialRepaint, HandlersThatDrawGetTheWholePicture) {
  TMeter M;
  test::ShowAndWait(M);
  Picture(M);
  M.Canvas().SetPixel(5, M.height() - 5, clFuchsia);
  int Rendered = 0;
  M.OnMeterRendered = [&](TObject*, TCanvas&) { ++Rendered; };
  M.SetValue(0.7);
  EXPECT_EQ(Rendered, 1);
  EXPECT_NE(PixelAt(Picture(M), 5, M.height() - 5), clFuchsia);
}
