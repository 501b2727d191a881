// Gallery page "Gauges": meters in every layout (linear and logarithmic, bands,
// two needles, a shadowed needle, a hub image, alarms) and progress bars in
// every direction and colour mapping, with a grid, rotated text and one that
// counts by itself.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gallery/gallery.h"
#include "gauges/qor_meter.h"
#include "gauges/qor_progbar.h"

namespace {

using namespace qor;

TMeter* Meter(TMeter::TMeterLayout Layout, const QString& Caption) {
  auto* M = new TMeter;
  gallery::SetSize(M, 250, 190);
  M->SetMeterLayout(Layout);
  M->SetCaption(Caption);
  return M;
}

void Bands(TMeter* M, double Low, double High, double Width) {
  M->SetThresholdLow(Low);
  M->SetThresholdHigh(High);
  M->SetScaleBkVisible(true);
  M->SetScaleBkWidth(Width);
}

QWidget* Meters() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);

  // A voltmeter with bands and a shadowed needle.
  TMeter* Volt = Meter(TMeter::mlCirc90, QStringLiteral("V"));
  Volt->SetMeterMaxValue(250);
  Volt->SetMeterNrTicks(4);
  Volt->SetMeterDecPlaces(0);
  Bands(Volt, 190, 240, 8);
  Volt->NeedleLayout()->SetShadowDx(-3);
  Volt->NeedleLayout()->SetShadowDy(-2);
  Volt->NeedleLayout()->SetColorBody(clYellow);
  Volt->SetValue(228);
  Grid->addWidget(Volt, 0, 0);

  // Logarithmic decades.
  TMeter* Log = Meter(TMeter::mlCirc120, QStringLiteral("Hz"));
  Log->SetMeterMaxValue(1000);
  Log->SetMeterMinValue(1);
  Log->SetLogarithmic(true);
  Log->SetMeterDecPlaces(0);
  Log->SetColorScale(clMaroon);
  Log->SetThresholdHigh(800);
  Log->SetValue(140);
  Grid->addWidget(Log, 0, 1);

  // Two needles on a half circle: set point and actual value.
  TMeter* Temp = Meter(TMeter::mlCirc180, QStringLiteral("\u00B0C"));
  Temp->SetMeterMinValue(-20);
  Temp->SetMeterMaxValue(120);
  Temp->SetMeterNrTicks(6);
  Temp->SetMeterDecPlaces(0);
  Bands(Temp, 0, 90, 12);
  Temp->SetColorSclBkLow(0xFFC080);
  Temp->NeedleLayoutSec()->SetVisible(true);
  Temp->NeedleLayoutSec()->SetColorBody(clRed);
  Temp->NeedleLayoutSec()->SetPercentNeedleLength(70);
  Temp->NeedleLayoutSec()->SetThickness(4);
  Temp->SetValueSec(65);
  Temp->NeedleLayout()->SetThickness(6);
  Temp->NeedleLayout()->SetColorBody(clNavy);
  Temp->SetValue(48);
  Grid->addWidget(Temp, 0, 2);

  // A wide dial with the steel hub cap; the value trips the high alarm.
  TMeter* Rpm = Meter(TMeter::mlCirc270, QStringLiteral("rpm x 1000"));
  Rpm->SetMeterMaxValue(8);
  Rpm->SetMeterNrTicks(8);
  Rpm->SetMeterDecPlaces(0);
  Bands(Rpm, 0, 6.5, 10);
  Rpm->SetAnchorImage(QStringLiteral(":/qorkit/GAUGEHUB.png"));
  Rpm->NeedleLayout()->SetColorBody(0x0060FF);
  Rpm->NeedleLayout()->SetHeadSize(14);
  Rpm->NeedleLayout()->SetThickness(3);
  Rpm->SetValue(6.9);
  Grid->addWidget(Rpm, 1, 0);

  // A tiled background, a low alarm and a sunken frame.
  TMeter* Tank = Meter(TMeter::mlCirc300, QStringLiteral("bar"));
  Tank->SetMeterMaxValue(16);
  Tank->SetMeterNrTicks(8);
  Tank->SetMeterDecPlaces(0);
  Tank->SetBackGroundImg(QStringLiteral(":/qorkit/GAUGETILE.png"));
  Tank->SetBkgndFillMode(bfTile);
  Tank->SetFrameStyle(fsLowered);
  Tank->SetColorCover(0xD8E4EC);
  Tank->SetThresholdLow(3);
  Tank->SetThresholdHigh(14);
  Tank->SetValue(2.2);
  Grid->addWidget(Tank, 1, 1);

  // A stopwatch: the full circle, the scale ends meeting below the hub.
  TMeter* Watch = Meter(TMeter::mlCirc360, QStringLiteral("s"));
  Watch->SetMeterMaxValue(60);
  Watch->SetMeterNrTicks(6);
  Watch->SetMeterDecPlaces(0);
  Watch->SetLimWatchHighOn(false);
  Watch->SetLimWatchLowOn(false);
  Watch->SetColorBakG(0xF4F0E8);
  Watch->NeedleLayout()->SetColorBody(clRed);
  Watch->NeedleLayout()->SetHeadAngle(40);
  Watch->SetValue(42);
  Grid->addWidget(Watch, 1, 2);
  return gallery::Captioned(QStringLiteral("Meters: 90, 120, 180, 270, 300 and 360 degrees"), Box);
}

TProgBar* Bar(double Value, int W = 300, int H = 28) {
  auto* B = new TProgBar;
  gallery::SetSize(B, W, H);
  B->SetValue(Value);
  return B;
}

QWidget* Bars() {
  auto* Box = new QWidget;
  auto* Rows = new QVBoxLayout(Box);
  Rows->addWidget(Bar(10));  // the default bar

  TProgBar* Cover = Bar(62);
  Cover->SetShowColorGradient(true);
  Cover->SetColorMapMode(TProgBar::cgmCover);
  Cover->SetColorMin(clLime);
  Cover->SetColorMax(clRed);
  Cover->SetTextPosX(150);
  Rows->addWidget(Cover);

  TProgBar* Stretch = Bar(45);
  Stretch->SetShowColorGradient(true);
  Stretch->SetGridDist(8);
  Stretch->SetColorGrid(clWhite);
  Stretch->SetTextDecPlaces(1);
  Stretch->SetTextPosX(290);
  Stretch->SetTextAlignment(taRightJustify);
  Rows->addWidget(Stretch);

  TProgBar* Move = Bar(80);
  Move->SetDirection(dirLeft);
  Move->SetShowColorGradient(true);
  Move->SetColorMapMode(TProgBar::cgmMove);
  Move->SetColorMin(0x402000);
  Move->SetColorMax(clAqua);
  Move->SetFrameStyleOuter(fsEmbossed);
  Move->SetColorBackGnd(clWhite);
  Move->SetTextPosX(150);
  Rows->addWidget(Move);

  // Counts by itself, wrapping back to the start.
  TProgBar* Auto = Bar(0);
  Auto->SetShowColorGradient(true);
  Auto->SetColorMin(clNavy);
  Auto->SetColorMax(clYellow);
  Auto->SetBackGroundImg(QStringLiteral(":/qorkit/GAUGETILE.png"));
  Auto->SetTextPosX(150);
  Auto->SetAutoIncStep(2);
  Auto->SetStartInterval(500);
  Auto->SetRepeatInterval(60);
  Auto->SetOnAutoInc([Auto](TObject*) {
    if (Auto->Value() > Auto->Max()) Auto->SetValue(Auto->Min());
  });
  Auto->SetAutoInc(true);
  Rows->addWidget(Auto);

  auto* Columns = new QHBoxLayout;
  TProgBar* Up = Bar(70, 36, 150);
  Up->SetDirection(dirUp);
  Up->SetShowColorGradient(true);
  Up->SetGridDist(6);
  Up->SetTextAngle(90);
  Up->SetTextPosX(18);
  Up->SetTextPosY(75);
  Columns->addWidget(Up);
  TProgBar* Down = Bar(35, 36, 150);
  Down->SetDirection(dirDown);
  Down->SetColorMin(clTeal);
  Down->SetTextAngle(270);
  Down->SetTextPosX(18);
  Down->SetTextPosY(75);
  Columns->addWidget(Down);
  TProgBar* Tilted = Bar(1234.5, 150, 150);
  Tilted->SetMax(2000);
  Tilted->SetDirection(dirUp);
  Tilted->SetShowColorGradient(true);
  Tilted->SetColorMapMode(TProgBar::cgmCover);
  Tilted->SetTextDecPlaces(-1);
  Tilted->SetTextAngle(45);
  Tilted->SetTextPosX(75);
  Tilted->SetTextPosY(75);
  Tilted->Font().SetStyle(fsBold);
  Columns->addWidget(Tilted);
  Columns->addStretch();
  Rows->addLayout(Columns);
  Rows->addStretch();
  return gallery::Captioned(QStringLiteral("Progress bars"), Box);
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QHBoxLayout(Page);
  Layout->addWidget(Meters(), 0, Qt::AlignTop);
  Layout->addWidget(Bars(), 0, Qt::AlignTop);
  return Page;
}

const bool Registered =
    qor::gallery::RegisterPage({QStringLiteral("Gauges"), QStringLiteral("gauges"), 50, MakePage});

}  // namespace
