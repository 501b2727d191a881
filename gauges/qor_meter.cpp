#include "gauges/qor_meter.h"

#include <QFileInfo>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "foundation/qor_math1.h"
#include "foundation/qor_univconst.h"
#include "host/qor_format.h"

namespace qor {

using host::FormatF;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Deg = Pi / 180.0;
// Guards the tick loops against ranges that no finite scale can show.
constexpr int MaxTicks = 10000;

}  // namespace

// ---- TNeedleLayout ------------------------------------------------------------

TNeedleLayout::TNeedleLayout(QObject* AOwner) : QObject(AOwner) {}

template <typename T>
void TNeedleLayout::Store(T& Field, T Value) {
  if (Change(Field, Value)) Changed();
}

void TNeedleLayout::SetColorBody(TColor C) { Store(FColorFill, C); }
void TNeedleLayout::SetColorOutline(TColor C) { Store(FColorLine, C); }
void TNeedleLayout::SetHeadSize(int N) { Store(FSize1, N); }
void TNeedleLayout::SetThickness(int N) { Store(FThickness, N); }
void TNeedleLayout::SetPercentNeedleLength(int N) { Store(FPctNeedleLeng, std::clamp(N, 0, 100)); }
void TNeedleLayout::SetHeadAngle(int N) { Store(FAngle1, std::clamp(N, 0, 180)); }
void TNeedleLayout::SetHeadMidLeng(int N) { Store(FBackShift1, N); }
void TNeedleLayout::SetShadowDx(int N) { Store(FShadowDx, N); }
void TNeedleLayout::SetShadowDy(int N) { Store(FShadowDy, N); }
void TNeedleLayout::SetShadowColor(TColor C) { Store(FShadowColor, C); }
void TNeedleLayout::SetVisible(bool On) { Store(FVisible, On); }

void TNeedleLayout::Assign(const TNeedleLayout& Source) {
  if (&Source == this) return;
  FColorFill = Source.FColorFill;
  FColorLine = Source.FColorLine;
  FSize1 = Source.FSize1;
  FThickness = Source.FThickness;
  FPctNeedleLeng = Source.FPctNeedleLeng;
  FAngle1 = Source.FAngle1;
  FBackShift1 = Source.FBackShift1;
  FShadowDx = Source.FShadowDx;
  FShadowDy = Source.FShadowDy;
  FShadowColor = Source.FShadowColor;
  FVisible = Source.FVisible;
  Changed();
}

void TNeedleLayout::Changed() {
  if (FOwnerNotify) FOwnerNotify();
  Notify(this, OnChange, &TNeedleLayout::changed);
}

// ---- TMeter: construction and geometry ----------------------------------------

// Angles of one paint, in screen degrees (counter-clockwise from +x, y up).
struct TMeter::TPaintAngles {
  double Needle, Needle2, Low, High, MinEnd, MaxEnd;
};

// Everything the dial face (background, bands, scale, caption) depends on.
struct TMeter::TFaceKey {
  int W, H, Angle, Cx, Cy;
  double Radius, Min, Max, Low, High;
  bool Log;
  int NrTicks, DecPlaces;
  bool ShortTicks, ScaleLine, ScaleVisible;
  TColor ColorScale;
  QString Caption;
  TFont Font, FontCaption;
  bool BkVisible;
  double BkWidth;
  TColor BkLow, BkNorm, BkHigh, BakG;
  QString BgFile;
  TBkgFill BgMode;
  int BgLoads;
  bool Styled;
  qint64 Palette;
  int Ratio;
  bool operator==(const TFaceKey&) const = default;
};

TMeter::TMeter(QWidget* AOwner)
    : TGraphicControl(AOwner),
      FNeedle(std::make_unique<TNeedleLayout>()),
      FNeedleSec(std::make_unique<TNeedleLayout>()) {
  FFontCaption.Assign(Font());
  FFontCaption.SetOwnerNotify([this] { Redraw(); });
  FNeedleSec->SetVisible(false);
  FNeedle->SetOwnerNotify([this] { StyleChanged(FNeedle.get()); });
  FNeedleSec->SetOwnerNotify([this] { StyleChanged(FNeedleSec.get()); });
  // The mouse-to-value event follows the pointer without a button held.
  setMouseTracking(true);
  SetDefaultSize(297, 209);
  CalcMeterLayoutParams();
}

TMeter::~TMeter() = default;

void TMeter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  CalcMeterLayoutParams();
}

void TMeter::Resize() {
  CalcMeterLayoutParams();
  TGraphicControl::Resize();
}

void TMeter::CalcMeterLayoutParams() {
  const int W = width(), H = height();
  const int T = FRimTop, B = FRimBottom, S = FRimSide;
  const double Tall = H - B - T - 16;
  const double Wide = W / 2 - S - 8;
  FMeterCenterX = W / 2;
  FMeterCenterY = H - B - 8;
  // Dials that reach below the hub are fitted to the height their overhang needs.
  auto Hanging = [&](int Angle, double HeightFactor) {
    FMeterAngle = Angle;
    FMeterRadius = std::min(Wide, Tall / HeightFactor);
    FMeterCenterY = Round(T + 8 + FMeterRadius);
  };
  switch (FLayout) {
    case mlCirc90:
      FMeterAngle = 90;
      FMeterRadius = Tall;
      break;
    case mlCirc120:
      FMeterAngle = 120;
      FMeterRadius = std::min(Tall, (W / 2.0 - S - 8) * 1.1547);
      break;
    case mlCirc180:
      FMeterAngle = 180;
      FMeterRadius = std::min(Tall, Wide);
      break;
    case mlCirc270: Hanging(270, 1.7071); break;
    case mlCirc300: Hanging(300, 1.866); break;
    case mlCirc360: Hanging(360, 2.0); break;
  }
}

double TMeter::Fraction(double V, bool Painting) const {
  const bool LogOk = !Painting || (V > 0 && FMinValue > 0 && FMaxValue > 0);
  if (FLogarithmic && LogOk)
    return (std::log(V) - std::log(FMinValue)) / (std::log(FMaxValue) - std::log(FMinValue));
  return (V - FMinValue) / (FMaxValue - FMinValue);
}

TPoint TMeter::RayPoint(double PhiDeg, double Rho) const {
  return {FMeterCenterX + Round(Rho * std::cos(PhiDeg * Deg)),
          FMeterCenterY - Round(Rho * std::sin(PhiDeg * Deg))};
}

double TMeter::CalcNeedleAngle(double V) const {
  V = std::clamp(V, FMinValue, FMaxValue);
  return 180 - FMeterAngle / 2.0 + FMeterAngle * Fraction(V, false);
}

void TMeter::ConvertToPixelCoords(double V, double PctRadius, int& X, int& Y) const {
  const double A = (-90 - CalcNeedleAngle(V)) * Deg;
  const double Rho = PctRadius * 0.01 * FMeterRadius;
  X = Round(std::cos(A) * Rho + FMeterCenterX);
  Y = Round(FMeterCenterY - std::sin(A) * Rho);
}

bool TMeter::ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const {
  const int Dx = XPos - FMeterCenterX, Dy = YPos - FMeterCenterY;
  double Theta;
  if (Dx != 0) {
    Theta = std::atan(double(Dy) / Dx);
    if (Dx < 0) Theta += Pi;
  } else {
    Theta = Dy <= 0 ? 3 * Pi / 2 : Pi / 2;
  }
  if (Theta < 0) Theta += 2 * Pi;
  if (Theta > 2 * Pi) Theta -= 2 * Pi;
  double Psi = Theta * 180 / Pi - 90;
  if (Psi < 0) Psi += 360;
  const double A = FMeterAngle, Start = 180 - A / 2;
  if (Psi < Start || Psi > 180 + A / 2) {
    MeterValue = 0;
    return false;
  }
  const double F = (Psi - Start) / A;
  MeterValue = FLogarithmic
                   ? std::exp((std::log(FMaxValue) - std::log(FMinValue)) * F + std::log(FMinValue))
                   : FMinValue + F * (FMaxValue - FMinValue);
  return true;
}

int TMeter::CalcM(int DecPlaces, double Max, double Min) {
  if (DecPlaces != -2) return DecPlaces;
  const double R = std::fabs(Max - Min);
  if (R >= 1000000 || R <= 0.0001) return -1;
  if (R >= 100) return 0;
  return 2 - Round(std::log(R) / 2.5);
}

TTickSpacing TMeter::TickSpacing(double Min, double Max, int NrTicks) {
  TTickSpacing T;
  if (Min == Max) {
    T.First = Min;
    return T;
  }
  const double Dir = Min < Max ? 1 : -1;
  const double Range = std::fabs(Max - Min);
  if (NrTicks == 0) {
    T.Step = 1;
    T.First = std::trunc(Min) - 1;
    T.SubDiv = Range <= 10 ? 5 : 1;
  } else {
    double L = std::log(Range / NrTicks) / uc_ln10;
    double H = L - std::trunc(L);
    if (std::fabs(H) < 1e-10 || std::fabs(H) > 0.9999999999) {
      L = std::round(L);
      H = 0;
    }
    if (L < 0 && H != 0) L -= 1;
    if (H < 0) H += 1;
    const double Log2 = std::log10(2.0), Log5 = std::log10(5.0);
    double Exponent = std::trunc(L);
    T.SubDiv = 5;
    if (H >= Log5 + 1e-10) {
      Exponent += Log5;
    } else if (H >= Log2 + 1e-10) {
      Exponent += Log2;
      T.SubDiv = 4;
    }
    T.Step = Dir * std::exp(Exponent * uc_ln10);
    T.First = (std::trunc(Min / T.Step) - 1) * T.Step;
  }
  for (int K = 0; K < MaxTicks && (Min - T.First) * Dir > 0.001 * std::fabs(T.Step); ++K)
    T.First += T.Step;
  return T;
}

// ---- TMeter: values, range and alarms -------------------------------------------

void TMeter::Redraw() {
  if (!Loading()) Refresh();
}

void TMeter::StyleChanged(TObject*) { Redraw(); }

void TMeter::DoOverFlowEvent() { Notify(this, OnOverFlow, &TMeter::overflow); }

void TMeter::DoUnderFlowEvent() { Notify(this, OnUnderFlow, &TMeter::underflow); }

void TMeter::DoNormalRangeEvent() { Notify(this, OnNormalRange, &TMeter::normalRange); }

// Range events fire on every change of a value, not only on transitions.
void TMeter::ApplyValueAlarm(double V, bool Visible) {
  FOFL = false;
  FUFL = false;
  if (!Visible) return;
  if (V >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  } else if (V > FLowThreshold) {
    DoNormalRangeEvent();
  } else {
    FUFL = true;
    DoUnderFlowEvent();
  }
}

void TMeter::EmitValueChanges(double OldValue, double OldValueSec) {
  if (FValue != OldValue) Q_EMIT valueChanged(FValue);
  if (FValue2 != OldValueSec) Q_EMIT valueSecChanged(FValue2);
}

void TMeter::SetValue(double V) {
  if (std::isnan(V) || V == FValue) return;
  const double Old = FValue;
  if (Loading()) {
    FValue = V;
  } else {
    FValue = std::clamp(V, FMinValue, FMaxValue);
    ApplyValueAlarm(FValue, FNeedle->Visible());
    RedrawNeedles();
    host::NotifyAccessibleValue(this, FValue);
  }
  EmitValueChanges(Old, FValue2);
}

void TMeter::SetValueSec(double V) {
  if (std::isnan(V) || V == FValue2) return;
  const double Old = FValue2;
  if (Loading()) {
    FValue2 = V;
  } else {
    FValue2 = std::clamp(V, FMinValue, FMaxValue);
    ApplyValueAlarm(FValue2, FNeedleSec->Visible());
    if (FNeedleSec->Visible()) RedrawNeedles();
  }
  EmitValueChanges(FValue, Old);
}

void TMeter::SetMeterMinValue(double V) {
  if (!std::isfinite(V) || RejectsLogBound(V) || V == FMinValue) return;
  FMinValue = V;
  if (Loading()) return;
  if (FMaxValue <= FMinValue) FMaxValue = FMinValue + 1;
  const double OldValue = FValue, OldValueSec = FValue2;
  FValue = std::max(FValue, FMinValue);
  FValue2 = std::max(FValue2, FMinValue);
  FLowThreshold = std::max(FLowThreshold, FMinValue);
  FHighThreshold = std::max(FHighThreshold, FMinValue);
  Redraw();
  EmitValueChanges(OldValue, OldValueSec);
}

void TMeter::SetMeterMaxValue(double V) {
  if (!std::isfinite(V) || RejectsLogBound(V) || V == FMaxValue) return;
  FMaxValue = V;
  if (Loading()) return;
  if (FMaxValue <= FMinValue) {
    FMinValue = FMaxValue - 1;
    if (FLogarithmic && FMinValue <= 0) FMinValue = FMaxValue / 10;
  }
  const double OldValue = FValue, OldValueSec = FValue2;
  FValue = std::min(FValue, FMaxValue);
  FValue2 = std::min(FValue2, FMaxValue);
  FLowThreshold = std::min(FLowThreshold, FMaxValue);
  FHighThreshold = std::min(FHighThreshold, FMaxValue);
  Redraw();
  EmitValueChanges(OldValue, OldValueSec);
}

void TMeter::SetThresholdLow(double V) {
  if (!std::isfinite(V) || RejectsLogBound(V) || V == FLowThreshold) return;
  if (Loading()) {
    FLowThreshold = V;
    return;
  }
  FLowThreshold = std::clamp(V, FMinValue, FMaxValue);
  if (FLowThreshold > FHighThreshold) FHighThreshold = FLowThreshold;
  FUFL = false;
  if (!(FValue > FLowThreshold)) {
    FUFL = true;
    DoUnderFlowEvent();
  }
  Redraw();
}

void TMeter::SetThresholdHigh(double V) {
  if (!std::isfinite(V) || RejectsLogBound(V) || V == FHighThreshold) return;
  if (Loading()) {
    FHighThreshold = V;
    return;
  }
  FHighThreshold = std::clamp(V, FMinValue, FMaxValue);
  if (FHighThreshold < FLowThreshold) FLowThreshold = FHighThreshold;
  FOFL = false;
  if (FValue >= FHighThreshold) {
    FOFL = true;
    DoOverFlowEvent();
  }
  Redraw();
}

void TMeter::SetLogarithmic(bool On) {
  if (On == FLogarithmic) return;
  FLogarithmic = On && (Loading() || (FMinValue > 1e-100 && FMaxValue > 1e-100));
  Redraw();
}

// Stored forms may hold any combination; afterwards the invariants hold again.
void TMeter::Loaded() {
  TGraphicControl::Loaded();
  if (!(FMinValue < FMaxValue)) FMaxValue = FMinValue + 1;
  if (FLogarithmic && !(FMinValue > 1e-100 && FMaxValue > 1e-100)) FLogarithmic = false;
  const double OldValue = FValue, OldValueSec = FValue2;
  FValue = std::clamp(FValue, FMinValue, FMaxValue);
  FValue2 = std::clamp(FValue2, FMinValue, FMaxValue);
  EmitValueChanges(OldValue, OldValueSec);
  FLowThreshold = std::clamp(FLowThreshold, FMinValue, FMaxValue);
  FHighThreshold = std::clamp(FHighThreshold, FLowThreshold, FMaxValue);
  if (!FBakGndFName.isEmpty()) {
    try {
      AuxBGBmp.LoadFromFile(FBakGndFName);
      ++FBackgroundLoads;
    } catch (const host::EInvalidGraphic&) {
      FBakGndFName.clear();
    }
  }
  if (!FACoverFName.isEmpty()) LoadAnchorImage();
  CalcMeterLayoutParams();
  Refresh();
}

// ---- TMeter: property setters -------------------------------------------------

void TMeter::SetMeterLayout(TMeterLayout L) {
  if (!Change(FLayout, L)) return;
  CalcMeterLayoutParams();
  Redraw();
}

void TMeter::SetMeterDecPlaces(int N) {
  if (Change(FDecPlaces, std::clamp(N, 0, 4))) Redraw();
}

void TMeter::SetMeterNrTicks(int N) {
  if (Change(FNrTicks, std::clamp(N, 2, 21))) Redraw();
}

void TMeter::SetMeterShortTicks(bool On) {
  if (Change(FShortTicks, On)) Redraw();
}

void TMeter::SetMeterScaleLine(bool On) {
  if (Change(FScaleLine, On)) Redraw();
}

void TMeter::SetScaleVisible(bool On) {
  FScaleVisible = On;
  Redraw();
}

void TMeter::SetColorScale(TColor C) {
  if (Change(FColorScale, C)) Redraw();
}

void TMeter::SetCaption(const QString& Text) {
  FCaption = Text;
  Redraw();
  host::NotifyAccessibleEvent(this, QAccessible::NameChanged);
}

void TMeter::SetFontCaption(const TFont& F) { FFontCaption.Assign(F); }

void TMeter::FontChanged() { Redraw(); }

void TMeter::SetScaleBkVisible(bool On) {
  FScaleBkVisible = On;
  Redraw();
}

void TMeter::SetScaleBkWidth(double Pct) {
  if (std::isnan(Pct)) return;
  FScaleBkWidth = std::clamp(Pct, 0.0, 100.0);
  Redraw();
}

void TMeter::SetColorSclBkLow(TColor C) {
  if (Change(FColorBkLow, C)) Redraw();
}

void TMeter::SetColorSclBkNorm(TColor C) {
  if (Change(FColorBkNorm, C)) Redraw();
}

void TMeter::SetColorSclBkHigh(TColor C) {
  if (Change(FColorBkHigh, C)) Redraw();
}

void TMeter::SetNeedleLayout(const TNeedleLayout& Layout) { FNeedle->Assign(Layout); }

void TMeter::SetNeedleLayoutSec(const TNeedleLayout& Layout) { FNeedleSec->Assign(Layout); }

void TMeter::SetColorBakG(TColor C) {
  if (Change(FColorBakG, C)) Redraw();
}

void TMeter::SetColorCover(TColor C) {
  if (Change(FColorCover, C)) Redraw();
}

void TMeter::SetColorScheme(TColorScheme S) {
  if (!Change(FColorScheme, S)) return;
  FColGrayLine = SchemeGrayLine(S);
  FColWhiteLine = SchemeWhiteLine(S);
  Redraw();
}

// The rims bound the dial, so a new rim refits it at once.
void TMeter::SetRimTop(int N) {
  if (!Change(FRimTop, N)) return;
  CalcMeterLayoutParams();
  Redraw();
}

void TMeter::SetRimBottom(int N) {
  if (!Change(FRimBottom, N)) return;
  CalcMeterLayoutParams();
  Redraw();
}

void TMeter::SetRimSide(int N) {
  if (!Change(FRimSide, N)) return;
  CalcMeterLayoutParams();
  Redraw();
}

void TMeter::SetAnchorSize(int N) {
  if (Change(FSizeAnchor, N)) Redraw();
}

void TMeter::SetAnchorCovered(bool On) {
  if (Change(FAnchorCovrd, On)) Redraw();
}

// The mask is a copy of the hub image whose first Width bytes of every row are
// cleared; AND with the mask and then OR with the image leaves the image's own
// pixels, so the hub stands opaque on the dial.
void TMeter::LoadAnchorImage() {
  try {
    AuxACBmp.LoadFromFile(FACoverFName);
    AuxACMaskBmp.LoadFromFile(FACoverFName);
  } catch (const host::EInvalidGraphic&) {
    FACoverFName.clear();
    return;
  }
  const int Bytes = AuxACMaskBmp.Width();
  for (int Row = 0; Row < AuxACMaskBmp.Height(); ++Row)
    std::memset(AuxACMaskBmp.ScanLine(Row), 0, size_t(Bytes));
}

void TMeter::SetAnchorImage(const QString& FileName) {
  FACoverFName = FileName;
  if (Loading()) return;
  if (QFileInfo::exists(FileName)) LoadAnchorImage();
  else FACoverFName.clear();
  Redraw();
}

void TMeter::SetBackGroundImg(const QString& FileName) {
  if (Loading()) {
    FBakGndFName = FileName;
    return;
  }
  if (QFileInfo::exists(FileName)) {
    FBakGndFName = FileName;
    AuxBGBmp.LoadFromFile(FileName);
    ++FBackgroundLoads;
  } else {
    FBakGndFName.clear();
  }
  Redraw();
}

void TMeter::SetBkgndFillMode(TBkgFill Mode) {
  FBGFillMode = Mode;
  Redraw();
}

void TMeter::SetLimWatchHighOn(bool On) {
  if (Change(FLimWatchHighOn, On)) Redraw();
}

void TMeter::SetLimWatchLowOn(bool On) {
  if (Change(FLimWatchLowOn, On)) Redraw();
}

void TMeter::SetLimWatchActColor(TColor C) {
  if (Change(FLimWatchActColor, C)) Redraw();
}

void TMeter::SetLimWatchPsvColor(TColor C) {
  if (Change(FLimWatchPsvColor, C)) Redraw();
}

void TMeter::SetFrameStyle(TFrameStyle S) {
  if (Change(FFrameStyle, S)) Redraw();
}

// ---- TMeter: mouse ---------------------------------------------------------------

void TMeter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  double V = 0;
  const bool Within = ConvertPixelToValue(X, Y, V);
  MouseMoveInMeter(Within, Shift, V);
}

void TMeter::MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue) {
  if (OnMouseMoveInMeter) OnMouseMoveInMeter(this, WithinRange, Shift, MeterValue);
  Q_EMIT mouseMoveInMeter(WithinRange, MeterValue);
}

// ---- TMeter: painting ----------------------------------------------------------

TMeter::TFaceKey TMeter::FaceKey() const {
  return {width(),       height(),        FMeterAngle,      FMeterCenterX,     FMeterCenterY,
          FMeterRadius,  FMinValue,       FMaxValue,        FLowThreshold,     FHighThreshold,
          FLogarithmic,  FNrTicks,        FDecPlaces,       FShortTicks,       FScaleLine,
          FScaleVisible, FColorScale,     FCaption,         Font(),            FFontCaption,
          FScaleBkVisible, FScaleBkWidth, FColorBkLow,      FColorBkNorm,      FColorBkHigh,
          FColorBakG,    FBakGndFName,    FBGFillMode,      FBackgroundLoads,  host::StyleServicesEnabled(),
          palette().cacheKey(), PaintRatio()};
}

TMeter::TPaintAngles TMeter::PaintAngles() const {
  const double A = FMeterAngle;
  return {Phi(Fraction(FValue, true)),         Phi(Fraction(FValue2, true)),
          Phi(Fraction(FLowThreshold, true)), Phi(Fraction(FHighThreshold, true)),
          90 + A / 2,                         90 - A / 2};
}

// The face changes only with the scale's own properties, so it is kept between
// paints and a new value redraws just the needles and what lies above them. A
// label handler may draw differently on every paint: with one assigned, the
// face is drawn afresh on the control's canvas each time.
void TMeter::Paint() {
  if (!(FMeterRadius > 0)) return;
  TCanvas& C = Canvas();
  const TPaintAngles Angles = PaintAngles();
  if (OnBeforeDrawScaleLabel) {
    FFaceKey.reset();
    DrawFace(C, Angles);
  } else {
    TFaceKey Key = FaceKey();
    if (!FFaceKey || !(*FFaceKey == Key)) {
      FFace.SetPixelRatio(PaintRatio());
      FFace.SetSize(width(), height());
      FFace.Canvas().SetOwner(this);
      DrawFace(FFace.Canvas(), Angles);
      FFaceKey = std::make_unique<TFaceKey>(std::move(Key));
    }
    C.Draw(0, 0, FFace);
  }
  DrawAboveFace(C, Angles);
}

// Everything that follows the face in the painting sequence.
void TMeter::DrawAboveFace(TCanvas& C, const TPaintAngles& Angles) {
  SetFaceEndState(C);
  DrawNeedles(C, Angles);
  DrawCover(C);
  DrawHub(C);
  DrawLamps(C);
  if (OnMeterRendered) OnMeterRendered(this, C);
  DrawFrame(C);
  FPaintedNeedles = NeedlesArea(Angles);
  FPaintedOFL = FOFL;
  FPaintedUFL = FUFL;
}

// The canvas as the face leaves it, whether the face was just drawn or came
// from the kept copy: the label font, a clear brush over the background's
// colour, and the pen of the face's last stroke.
void TMeter::SetFaceEndState(TCanvas& C) const {
  const bool Plain = FBakGndFName.isEmpty() || AuxBGBmp.Empty();
  C.Font().Assign(Font());
  C.SetCopyMode(host::cmSrcCopy);
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  C.Pen().SetWidth(1);
  C.Pen().SetColor(FScaleVisible ? FColorScale : Plain ? FColorBakG : clBlack);
  C.Brush().SetColor(Plain ? FColorBakG : clWhite);
  C.Brush().SetStyle(host::bsClear);
}

// Pixels a needle polygon (with its shadow) may touch, outline included.
QRect TMeter::NeedleArea(const TNeedleLayout& N, double Theta) const {
  QRect Box;
  for (const TPoint& P : NeedlePolygon(N, Theta)) Box |= QRect(P.X - 1, P.Y - 1, 3, 3);
  if (N.ShadowDx() != 0 || N.ShadowDy() != 0) Box |= Box.translated(-N.ShadowDx(), -N.ShadowDy());
  return Box;
}

QRect TMeter::NeedlesArea(const TPaintAngles& A) const {
  QRect Box = NeedleArea(*FNeedle, A.Needle * Deg);
  if (FNeedleSec->Visible()) Box |= NeedleArea(*FNeedleSec, A.Needle2 * Deg);
  return Box;
}

// A new value touches only where the needles were and are, and a lamp whose
// alarm state turned: that area is redrawn from the kept face and blitted.
// Handlers that draw on the canvas may draw anywhere, so with one assigned
// (or without a current picture) the whole meter is painted.
void TMeter::RedrawNeedles() {
  if (Loading()) return;
  if (!(FMeterRadius > 0) || OnBeforeDrawNeedle || OnMeterRendered || OnBeforeDrawScaleLabel ||
      !ScreenImageCurrent() || !FFaceKey || !(*FFaceKey == FaceKey())) {
    Refresh();
    return;
  }
  const TPaintAngles Angles = PaintAngles();
  QRect Area = FPaintedNeedles | NeedlesArea(Angles);
  if (FOFL != FPaintedOFL && FLimWatchHighOn) Area |= LampArea(width() - FRimSide - 18);
  if (FUFL != FPaintedUFL && FLimWatchLowOn) Area |= LampArea(FRimSide + 8);
  const TRect R = Rect(Area.left(), Area.top(), Area.right() + 1, Area.bottom() + 1);
  RefreshArea(R, [&](TCanvas& C) {
    C.SetCopyMode(host::cmSrcCopy);
    C.DrawImage(R, FFace.Image(), R);
    DrawAboveFace(C, Angles);
  });
}

QRect TMeter::LampArea(int Left) const { return QRect(Left, FRimTop + 8, 11, 11); }

void TMeter::DrawFace(TCanvas& C, const TPaintAngles& A) {
  DrawBackground(C);
  DrawBands(C, A);
  C.Brush().SetStyle(host::bsClear);
  if (FScaleVisible) DrawScale(C);
  DrawCaption(C);
}

void TMeter::DrawBackground(TCanvas& C) {
  const int W = width(), H = height();
  C.Font().Assign(Font());
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetWidth(1);
  if (FBakGndFName.isEmpty() || AuxBGBmp.Empty()) {
    C.Brush().SetColor(FColorBakG);
    C.Pen().SetColor(FColorBakG);
    C.Rectangle(0, 0, W, H);
    return;
  }
  switch (FBGFillMode) {
    case bfStretch:
      C.StretchDraw(Rect(0, 0, W, H), AuxBGBmp);
      break;
    case bfTile: {
      const int Bw = AuxBGBmp.Width(), Bh = AuxBGBmp.Height();
      for (int I = 0; I < (W - 1) / Bw + 1; ++I)
        for (int J = 0; J < (H - 1) / Bh + 1; ++J) C.Draw(Bw * I, Bh * J, AuxBGBmp);
      break;
    }
    default:
      C.Pen().SetColor(clBlack);
      C.Brush().SetColor(clWhite);
      C.Rectangle(0, 0, W, H);
      C.Draw(0, 0, AuxBGBmp);
      break;
  }
}

// Three ring segments from Ri out to R + 4: the pixels of pie slices hollowed by
// a disc of the background colour, at a fraction of the cost, and leaving a
// background image inside the ring untouched.
void TMeter::DrawBands(TCanvas& C, const TPaintAngles& A) {
  if (!FScaleBkVisible) return;
  const double R = FMeterRadius;
  const int Ro = Round(R + 4), Ri = Round((100 - FScaleBkWidth) * R / 100);
  DrawBand(C, A.Low, A.MinEnd, Ro, Ri, FColorBkLow);
  DrawBand(C, A.High, A.Low, Ro, Ri, FColorBkNorm);
  DrawBand(C, A.MaxEnd, A.High, Ro, Ri, FColorBkHigh);
}

// The band runs counter-clockwise from its higher-value boundary (screen
// angle FromPhi) to its lower-value one; an empty band is skipped rather than
// taken for a full circle. Filled as one path: the canvas's polygon scan
// conversion is several times slower on shapes this large.
void TMeter::DrawBand(TCanvas& C, double FromPhi, double ToPhi, int Ro, int Ri, TColor Color) {
  const double Span = ToPhi - FromPhi;
  if (Span * Deg <= 1e-6) return;
  const QPointF Centre(FMeterCenterX, FMeterCenterY);
  const QRectF Outer(Centre.x() - Ro, Centre.y() - Ro, 2.0 * Ro, 2.0 * Ro);
  const QRectF Inner(Centre.x() - Ri, Centre.y() - Ri, 2.0 * Ri, 2.0 * Ri);
  QPainterPath Ring;
  Ring.arcMoveTo(Outer, FromPhi);
  Ring.arcTo(Outer, FromPhi, Span);
  if (Ri > 0) Ring.arcTo(Inner, ToPhi, -Span);
  else Ring.lineTo(Centre);
  Ring.closeSubpath();
  C.Painter().fillPath(Ring, C.Q(Color));
}

void TMeter::DrawScale(TCanvas& C) {
  C.Pen().SetColor(FColorScale);
  if (FScaleLine) DrawScaleArc(C);
  const TTickSpacing T = TickSpacing(FMinValue, FMaxValue, FNrTicks);
  if (!(T.Step > 0) || !std::isfinite(T.First)) return;
  if (FShortTicks) DrawMinorTicks(C, T);
  const int Decimals = CalcM(FDecPlaces, FMaxValue, FMinValue);
  if (DecadeScale())
    DrawDecadeTicks(C, Decimals);
  else
    DrawMajorTicks(C, T, Decimals);
}

void TMeter::DrawScaleArc(TCanvas& C) {
  const int Rr = Round(FMeterRadius), Cx = FMeterCenterX, Cy = FMeterCenterY;
  const double A = FMeterAngle;
  const TPoint MaxEnd = RayPoint(90 - A / 2, FMeterRadius);
  const TPoint MinEnd = RayPoint(90 + A / 2, FMeterRadius);
  C.Arc(Cx - Rr, Cy - Rr, Cx + Rr + 1, Cy + Rr, MaxEnd.X, MaxEnd.Y, MinEnd.X, MinEnd.Y);
}

void TMeter::DrawTick(TCanvas& C, double V, int Length) {
  const double P = Phi(Fraction(V, false));
  const TPoint Outer = RayPoint(P, FMeterRadius), Inner = RayPoint(P, FMeterRadius - Length);
  C.MoveTo(Outer.X, Outer.Y);
  C.LineTo(Inner.X, Inner.Y);
}

// Linear scales divide each major step evenly. A logarithmic scale marks 2..9
// of every decade instead, leaving out the values its major ticks already
// mark; over whole decades those are all of them.
void TMeter::DrawMinorTicks(TCanvas& C, const TTickSpacing& T) {
  if (FLogarithmic) {
    if (DecadeScale()) return;
    constexpr double Slack = 0.999999999;
    for (double Base = std::pow(10.0, std::floor(std::log10(FMinValue))); Slack * 2 * Base <= FMaxValue;
         Base *= 10)
      for (int K = 2; K <= 9; ++K) {
        const double V = K * Base, Steps = (V - T.First) / T.Step;
        if (V / Slack < FMinValue || Slack * V > FMaxValue) continue;
        if (Steps >= -1e-5 && std::fabs(Steps - std::round(Steps)) <= 1e-5) continue;
        DrawTick(C, V, 4);
      }
    return;
  }
  const double Minor = T.Step / T.SubDiv;
  for (int K = 0; K < MaxTicks; ++K) {
    const double V = T.First - T.Step + K * Minor;
    if (!(V <= FMaxValue + 0.001 * Minor)) break;
    const double Steps = (V - T.First) / T.Step;
    if (std::fabs(Steps - std::round(Steps)) <= 1e-5 || V < FMinValue) continue;
    DrawTick(C, V, 4);
  }
}

void TMeter::DrawMajorTicks(TCanvas& C, const TTickSpacing& T, int Decimals) {
  const QString MaxLabel = FormatF(FMaxValue, Decimals, QChar('.'));
  const double LabelW = C.TextWidth(MaxLabel), LabelH = C.TextHeight(MaxLabel);
  // On the full circle the maximum's ray is the minimum's: one label there.
  const bool EndsMeet = FMeterAngle >= 360 && std::fabs(T.First - FMinValue) <= 0.001 * T.Step;
  for (int K = 0; K < MaxTicks; ++K) {
    double V = T.First + K * T.Step;
    if (!(V <= FMaxValue + 0.001 * T.Step)) break;
    // First was reached by repeated addition: a zero tick may lie a rounding
    // error off zero, and must not be labelled "-0.0".
    if (std::fabs(V) <= 1e-9 * std::fabs(T.Step)) V = 0;
    DrawTick(C, V, 8);
    if (EndsMeet && K > 0 && std::fabs(V - FMaxValue) <= 0.001 * T.Step) continue;
    DrawLabel(C, V, Decimals, LabelW, LabelH);
  }
}

// Logarithmic scales over a decade or more: ticks at 1..9 of every decade,
// labels at 1, 2 and 5 (all of them on scales shorter than a decade).
void TMeter::DrawDecadeTicks(TCanvas& C, int Decimals) {
  const QString MaxLabel = FormatF(FMaxValue, Decimals, QChar('.'));
  const double LabelW = C.TextWidth(MaxLabel), LabelH = C.TextHeight(MaxLabel);
  constexpr double Slack = 0.999999999;
  const double Base = std::pow(10.0, IntNeg(std::log(Slack * FMinValue) / uc_ln10));
  const bool Short = FMaxValue / FMinValue < 10;
  double M = 1;
  for (int Decade = 0; Decade < MaxTicks; ++Decade, M *= 10) {
    for (int K = 1; K <= 9; ++K) {
      const double V = K * Base * M;
      if (!(V / Slack > FMinValue && Slack * V < FMaxValue)) continue;
      DrawTick(C, V, 8);
      if (Short || K == 1 || K == 2 || K == 5) DrawLabel(C, V, Decimals, LabelW, LabelH);
    }
    if (!(Slack * Base * M <= FMaxValue)) break;
  }
}

bool TMeter::DecadeScale() const {
  return FLogarithmic && std::fabs(std::log(FMaxValue / FMinValue) / uc_ln10) >= 1;
}

// A value that rounds to zero at the label's decimals reads as zero, unsigned.
QString TMeter::LabelText(double V, int Decimals) {
  QString Text = FormatF(V, Decimals, QChar('.'));
  if (Text.startsWith(QChar('-')) &&
      std::none_of(Text.cbegin(), Text.cend(), [](QChar Ch) { return Ch >= '1' && Ch <= '9'; }))
    Text.remove(0, 1);
  return Text;
}

void TMeter::DrawLabel(TCanvas& C, double V, int Decimals, double LabelW, double LabelH) {
  const double P = Phi(Fraction(V, false)) * Deg;
  const double R = FMeterRadius;
  const int X = FMeterCenterX + Round(std::cos(P) * (R - LabelW / 2 - 15));
  const int Y = FMeterCenterY - Round(std::sin(P) * (R - LabelH / 2 - 15));
  // The text height is the font's line height, the same for every label.
  const int HalfH = int(LabelH) / 2;
  QString Text = LabelText(V, Decimals);
  int Width = C.TextWidth(Text);
  if (OnBeforeDrawScaleLabel) {
    const QString Before = Text;
    OnBeforeDrawScaleLabel(this, C, Text, X - Width / 2, Y - HalfH);
    if (Text != Before) Width = C.TextWidth(Text);
  }
  if (Text.isEmpty()) return;
  C.Brush().SetStyle(host::bsClear);
  C.TextOut(X - Width / 2, Y - HalfH, Text);
}

void TMeter::DrawCaption(TCanvas& C) {
  if (FCaption.isEmpty()) return;
  C.Font().Assign(FFontCaption);
  C.Brush().SetStyle(host::bsClear);
  C.TextOut(FMeterCenterX - C.TextWidth(FCaption) / 2,
            FMeterCenterY - Round(FMeterRadius / 3) - C.TextHeight(FCaption) / 2, FCaption);
  C.Font().Assign(Font());
}

// The secondary needle lies under the main one and is not part of the
// OnBeforeDrawNeedle gate, which replaces only the built-in main needle.
void TMeter::DrawNeedles(TCanvas& C, const TPaintAngles& A) {
  if (FNeedleSec->Visible()) DrawNeedle(C, *FNeedleSec, A.Needle2 * Deg);
  bool NeedleDrawn = false;
  if (OnBeforeDrawNeedle) OnBeforeDrawNeedle(this, C, NeedleDrawn);
  if (!NeedleDrawn) DrawNeedle(C, *FNeedle, A.Needle * Deg);
}

std::vector<TPoint> TMeter::NeedlePolygon(const TNeedleLayout& N, double Theta) const {
  const double L = N.PercentNeedleLength() * (FMeterRadius - 4) * 0.01;
  const double Cx = FMeterCenterX, Cy = FMeterCenterY;
  const double Px = Cx + Round(L * std::cos(Theta)), Py = Cy - Round(L * std::sin(Theta));
  const double Half = N.HeadAngle() * Deg / 2, H = N.HeadSize(), M = N.HeadMidLeng();
  const double T = N.Thickness() / 2.0;
  const double Sx = std::sin(Theta) * T, Sy = std::cos(Theta) * T;
  const double CosT = std::cos(Theta), SinT = std::sin(Theta);
  auto Pt = [](double X, double Y) { return TPoint{Round(X), Round(Y)}; };
  return {
      Pt(Px - std::cos(Theta + Half) * H, Py + std::sin(Theta + Half) * H),
      Pt(Px, Py),
      Pt(Px - std::cos(Theta - Half) * H, Py + std::sin(Theta - Half) * H),
      Pt(Px - Sx - CosT * M, Py - Sy + SinT * M),
      Pt(Cx - Sx, Cy - Sy),
      Pt(Cx + Sx, Cy + Sy),
      Pt(Px + Sx - CosT * M, Py + Sy + SinT * M)};
}

void TMeter::DrawNeedle(TCanvas& C, const TNeedleLayout& N, double Theta) {
  const std::vector<TPoint> Poly = NeedlePolygon(N, Theta);
  C.Brush().SetStyle(host::bsSolid);
  if (N.ShadowDx() != 0 || N.ShadowDy() != 0) {
    std::vector<TPoint> Shadow = Poly;
    for (TPoint& P : Shadow) P = {P.X - N.ShadowDx(), P.Y - N.ShadowDy()};
    C.Pen().SetColor(N.ShadowColor());
    C.Brush().SetColor(N.ShadowColor());
    C.Polygon(Shadow);
  }
  C.Pen().SetColor(N.ColorOutline());
  C.Brush().SetColor(N.ColorBody());
  C.Polygon(Poly);
}

void TMeter::DrawCover(TCanvas& C) {
  const int W = width(), H = height();
  C.Brush().SetColor(FColorCover);
  C.Pen().SetColor(FColorCover);
  C.Rectangle(0, 0, FRimSide - 1, H);
  C.Rectangle(0, 0, W, FRimTop);
  C.Rectangle(W - FRimSide, 0, W, H);
  C.Rectangle(0, H - FRimBottom, W, H);
}

// White along the bottom and up the right, gray along the top and down the
// left: the dial window looks sunk into the cover.
void TMeter::DrawInnerBevel(TCanvas& C) {
  const int W = width(), H = height(), S = FRimSide, T = FRimTop, B = FRimBottom;
  C.Pen().SetColor(clWhite);
  C.MoveTo(S - 1, H - B);
  C.LineTo(W - S, H - B);
  C.LineTo(W - S, T);
  C.Pen().SetColor(clGray);
  C.LineTo(S - 1, T);
  C.LineTo(S - 1, H - B);
}

void TMeter::DrawHub(TCanvas& C) {
  if (!FAnchorCovrd) {
    DrawInnerBevel(C);
    return;
  }
  if (!FACoverFName.isEmpty()) {
    DrawInnerBevel(C);
    const int X = FMeterCenterX - AuxACBmp.Width() / 2, Y = FMeterCenterY - AuxACBmp.Height() / 2;
    C.SetCopyMode(host::cmSrcAnd);
    C.Draw(X, Y, AuxACMaskBmp);
    C.SetCopyMode(host::cmSrcPaint);
    C.Draw(X, Y, AuxACBmp);
    C.SetCopyMode(host::cmSrcCopy);
    return;
  }
  if (FLayout == mlCirc270 || FLayout == mlCirc300 || FLayout == mlCirc360) DrawDiscHub(C);
  else DrawPostHub(C);
}

// A domed disc: lit from the upper left.
void TMeter::DrawDiscHub(TCanvas& C) {
  const int Cx = FMeterCenterX, Cy = FMeterCenterY, N = FSizeAnchor;
  C.Ellipse(Cx - N, Cy - N, Cx + N, Cy + N);
  DrawInnerBevel(C);
  C.Pen().SetColor(clWhite);
  C.Arc(Cx - N, Cy - N, Cx + N, Cy + N, Cx + N, Cy - N, Cx - N, Cy + N);
  C.Pen().SetColor(clGray);
  C.Arc(Cx - N, Cy - N, Cx + N, Cy + N, Cx - N, Cy + N, Cx + N, Cy - N);
}

// A half dome on a post that grows out of the bottom rim.
void TMeter::DrawPostHub(TCanvas& C) {
  const int W = width(), H = height(), S = FRimSide, T = FRimTop, B = FRimBottom;
  const int Cx = FMeterCenterX, Cy = FMeterCenterY, N = FSizeAnchor;
  C.Pie(Cx - N, Cy - N, Cx + N, Cy + N, W, Cy, 0, Cy);
  C.Rectangle(Cx - N, Cy, Cx + N, H - B);
  C.Pen().SetColor(clGray);
  C.MoveTo(Cx + N - 1, Cy);
  C.LineTo(Cx + N - 1, H - B);
  C.Pen().SetColor(clWhite);
  C.LineTo(W - S, H - B);
  C.LineTo(W - S, T);
  C.Pen().SetColor(clGray);
  C.LineTo(S - 1, T);
  C.LineTo(S - 1, H - B);
  C.Pen().SetColor(clWhite);
  C.LineTo(Cx - N, H - B);
  C.LineTo(Cx - N, Cy - 1);
  C.Arc(Cx - N, Cy - N, Cx + N, Cy + N, W, Cy, 0, Cy);
  C.Pen().SetColor(clGray);
  C.Arc(Cx - N, Cy - N, Cx + N, Cy + N, Cx + N, Cy, Cx + N, Cy - N);
}

// A lamp in the 10 x 10 box from (Left, Top + 8): lit from the lower right.
void TMeter::DrawLamp(TCanvas& C, int Left, int Top, bool Active) {
  C.Pen().SetColor(clBlack);
  C.Brush().SetColor(Active ? FLimWatchActColor : FLimWatchPsvColor);
  C.Rectangle(Left, Top + 18, Left + 10, Top + 8);
  auto Stroke = [&](TColor Color, int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    C.Pen().SetColor(Color);
    C.MoveTo(Left + X1, Top + Y1);
    C.LineTo(Left + X2, Top + Y2);
    C.LineTo(Left + X3, Top + Y3);
  };
  Stroke(clWhite, 1, 17, 9, 17, 9, 8);
  Stroke(clSilver, 2, 16, 8, 16, 8, 9);
  Stroke(clGray, 1, 16, 1, 9, 9, 9);
}

// The high lamp at the top right, the low lamp at the top left.
void TMeter::DrawLamps(TCanvas& C) {
  if (FLimWatchHighOn) DrawLamp(C, width() - FRimSide - 18, FRimTop, FOFL);
  if (FLimWatchLowOn) DrawLamp(C, FRimSide + 8, FRimTop, FUFL);
}

void TMeter::DrawFrame(TCanvas& C) {
  const int W = width(), H = height();
  const TColor Gray = FColGrayLine, White = FColWhiteLine;
  auto Path = [&](TColor Color, std::initializer_list<TPoint> Points) {
    C.Pen().SetColor(Color);
    auto P = Points.begin();
    C.MoveTo(P->X, P->Y);
    for (++P; P != Points.end(); ++P) C.LineTo(P->X, P->Y);
  };
  // Two-tone outline: Upper runs up the left and along the top, Lower on
  // down the right and back along the bottom.
  auto Bevel = [&](TColor Upper, TColor Lower) {
    Path(Upper, {{0, H - 1}, {0, 0}, {W - 1, 0}});
    Path(Lower, {{W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
  };
  auto Double = [&](TColor Outline, TColor Strokes) {
    Path(Outline, {{0, 0}, {W - 2, 0}, {W - 2, H - 2}, {0, H - 2}, {0, 0}});
    Path(Strokes, {{1, H - 3}, {1, 1}, {W - 2, 1}});
    Path(Strokes, {{1, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
  };
  switch (FFrameStyle) {
    case fsSimple: Bevel(FColorBakG, FColorBakG); break;
    case fsLowered: Bevel(Gray, White); break;
    case fsRaised: Bevel(White, Gray); break;
    case fsEmbossed: Double(White, Gray); break;
    case fsEngraved: Double(Gray, White); break;
    default: break;
  }
}

QSize TMeter::minimumSizeHint() const {
  return sizeHint().boundedTo(QSize(120, 90));
}

}  // namespace qor
