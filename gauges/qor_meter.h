// TMeter: an analog pointer instrument. A circular scale sector with major and
// minor ticks and numeric labels, one or two needles, optional coloured bands
// under the scale, a covered hub, two alarm lamps and an outer frame.
//
// Geometry. The needle pivots on (FMeterCenterX, FMeterCenterY); the scale arc
// and the outer tick ends lie on FMeterRadius. Values grow clockwise; the
// minimum lies MeterAngle / 2 left of the upward vertical. With W x H the size
// and T, B, S the rims (top, bottom, side):
//
//   layout      sweep  radius                                   centre y
//   mlCirc90     90    H - B - T - 16                           H - B - 8
//   mlCirc120   120    min(H - B - T - 16, (W/2 - S - 8)*1.1547) H - B - 8
//   mlCirc180   180    min(H - B - T - 16, W div 2 - S - 8)     H - B - 8
//   mlCirc270   270    min(W div 2 - S - 8, (H-T-B-16)/1.7071)  T + 8 + radius
//   mlCirc300   300    min(W div 2 - S - 8, (H-T-B-16)/1.866)   T + 8 + radius
//   mlCirc360   360    min(W div 2 - S - 8, (H-T-B-16)/2)       T + 8 + radius
//
// The centre x is always W div 2. The half circle stands on the bottom rim
// like the narrow sectors; the 270, 300 and 360 degree dials are fitted so that
// their lowest scale point (centre + radius * sin of the overhang: 0.7071,
// 0.866, 1) stays 8 pixels above the bottom rim. On the full circle the two
// range ends meet straight below the hub, so the label of the maximum is left
// out when the minimum's label already stands there.
//
// Colours: ColorBakG (background), ColorScale (arc, ticks), the three band
// colours, ColorCover (rims and hub), the lamp colours and the two bevel
// colours of ColorScheme; the labels use Font, the caption FontCaption.
//
// Every setter that changes the picture paints at once (not at the next
// paint cycle), so OnMeterRendered sees each change. The dial face (background,
// bands, scale, caption) is kept between paints and redrawn only when one of
// its inputs changes; with an OnBeforeDrawScaleLabel handler the face is drawn
// on every paint. A new value redraws only the area its needles cover before
// and after (and a lamp whose alarm turned) from the kept face, and blits that
// area; while a drawing handler (needle, label, rendered) is assigned, every
// change paints the whole meter, since the handler may draw anywhere.
// On a logarithmic scale the minor ticks mark 2..9 of every decade (the
// linear minor step would crowd them towards the maximum).
// The bands are ring segments: the pixels of pie slices hollowed by a disc of
// the background colour, except that a background image inside the ring stays.
#pragma once

#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "foundation/qor_qorbase.h"
#include "host/qor_bitmap.h"

namespace qor {

class TMeter;

// How a needle looks: a seven-point polygon, tip, two barbs and a shaft, with
// an optional shadow. Owned by a meter, which follows its changes through the
// owner channel; OnChange is left to the user.
class QORKIT_EXPORT TNeedleLayout : public QObject {
  Q_OBJECT
  Q_PROPERTY(qor::TColor ColorBody READ ColorBody WRITE SetColorBody)
  Q_PROPERTY(qor::TColor ColorOutline READ ColorOutline WRITE SetColorOutline)
  Q_PROPERTY(int HeadSize READ HeadSize WRITE SetHeadSize)
  Q_PROPERTY(int Thickness READ Thickness WRITE SetThickness)
  Q_PROPERTY(int PercentNeedleLength READ PercentNeedleLength WRITE SetPercentNeedleLength)
  Q_PROPERTY(int HeadAngle READ HeadAngle WRITE SetHeadAngle)
  Q_PROPERTY(int HeadMidLeng READ HeadMidLeng WRITE SetHeadMidLeng)
  Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
  Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
  Q_PROPERTY(qor::TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

 public:
  explicit TNeedleLayout(QObject* AOwner = nullptr);

  TColor ColorBody() const { return FColorFill; }
  void SetColorBody(TColor C);
  TColor ColorOutline() const { return FColorLine; }
  void SetColorOutline(TColor C);
  // Length of the two head edges, tip to barb, in pixels.
  int HeadSize() const { return FSize1; }
  void SetHeadSize(int N);
  // Shaft width in pixels; 0 collapses the shaft to a line.
  int Thickness() const { return FThickness; }
  void SetThickness(int N);
  // Percent of (radius - 4), held in 0..100.
  int PercentNeedleLength() const { return FPctNeedleLeng; }
  void SetPercentNeedleLength(int N);
  // Full opening angle of the head in degrees, held in 0..180.
  int HeadAngle() const { return FAngle1; }
  void SetHeadAngle(int N);
  // Distance from the tip back to where the shaft meets the head.
  int HeadMidLeng() const { return FBackShift1; }
  void SetHeadMidLeng(int N);
  // The shadow is drawn displaced by (-ShadowDx, -ShadowDy).
  int ShadowDx() const { return FShadowDx; }
  void SetShadowDx(int N);
  int ShadowDy() const { return FShadowDy; }
  void SetShadowDy(int N);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor C);
  // Shows the needle and lets its value drive the alarm logic.
  bool Visible() const { return FVisible; }
  void SetVisible(bool On);

  // Copies every property except OnChange, then reports one change.
  void Assign(const TNeedleLayout& Source);

  TNotifyEvent OnChange;

  // The owner's own channel, called before OnChange: a user handler in
  // OnChange never cuts the owning meter's repaint.
  void SetOwnerNotify(std::function<void()> Notify) { FOwnerNotify = std::move(Notify); }

 Q_SIGNALS:
  // Follows every OnChange.
  void changed();

 protected:
  void Changed();

 private:
  template <typename T>
  void Store(T& Field, T Value);

  std::function<void()> FOwnerNotify;
  TColor FColorFill = clSilver;
  TColor FColorLine = clBlack;
  int FSize1 = 20;
  int FThickness = 0;
  int FPctNeedleLeng = 100;
  int FAngle1 = 30;
  int FBackShift1 = 20;
  int FShadowDx = 0;
  int FShadowDy = 0;
  TColor FShadowColor = clGray;
  bool FVisible = true;
};

// Tick spacing of a scale: the first major tick at or above the minimum, the
// major step, and the number of minor intervals per step.
struct TTickSpacing {
  double First = 0;
  double Step = 0;
  int SubDiv = 1;
};

using TBeforeDrawNeedleEvent =
    std::function<void(TObject* Sender, TCanvas& Canvas, bool& NeedleDrawn)>;
using TmtBeforeDrawScaleLabelEvent = std::function<void(
    TObject* Sender, TCanvas& Canvas, QString& CurrentTickLabel, int ChartX, int ChartY)>;
using TMeterRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;
using TMouseMoveInMeterEvent = std::function<void(TObject* Sender, bool WithinRange,
                                                  TShiftState Shift, double MeterValue)>;

class QORKIT_EXPORT TMeter : public TGraphicControl {
  Q_OBJECT

 public:
  enum TMeterLayout : std::uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };
  Q_ENUM(TMeterLayout)

 private:
  Q_PROPERTY(int AnchorSize READ AnchorSize WRITE SetAnchorSize)
  Q_PROPERTY(bool AnchorCovered READ AnchorCovered WRITE SetAnchorCovered)
  Q_PROPERTY(QString AnchorImage READ AnchorImage WRITE SetAnchorImage)
  Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
  Q_PROPERTY(qor::TBkgFill BkgndFillMode READ BkgndFillMode WRITE SetBkgndFillMode)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QFont FontCaption READ FontCaptionQFont WRITE SetFontCaptionQFont)
  Q_PROPERTY(qor::TColor ColorBakG READ ColorBakG WRITE SetColorBakG)
  Q_PROPERTY(qor::TColor ColorCover READ ColorCover WRITE SetColorCover)
  Q_PROPERTY(qor::TColor ColorScale READ ColorScale WRITE SetColorScale)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TColor ColorSclBkLow READ ColorSclBkLow WRITE SetColorSclBkLow)
  Q_PROPERTY(qor::TColor ColorSclBkNorm READ ColorSclBkNorm WRITE SetColorSclBkNorm)
  Q_PROPERTY(qor::TColor ColorSclBkHigh READ ColorSclBkHigh WRITE SetColorSclBkHigh)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(bool LimWatchHighOn READ LimWatchHighOn WRITE SetLimWatchHighOn)
  Q_PROPERTY(bool LimWatchLowOn READ LimWatchLowOn WRITE SetLimWatchLowOn)
  Q_PROPERTY(qor::TColor LimWatchActColor READ LimWatchActColor WRITE SetLimWatchActColor)
  Q_PROPERTY(qor::TColor LimWatchPsvColor READ LimWatchPsvColor WRITE SetLimWatchPsvColor)
  Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
  Q_PROPERTY(double ThresholdLow READ ThresholdLow WRITE SetThresholdLow)
  Q_PROPERTY(double ThresholdHigh READ ThresholdHigh WRITE SetThresholdHigh)
  Q_PROPERTY(double MeterMinValue READ MeterMinValue WRITE SetMeterMinValue)
  Q_PROPERTY(double MeterMaxValue READ MeterMaxValue WRITE SetMeterMaxValue)
  Q_PROPERTY(int MeterDecPlaces READ MeterDecPlaces WRITE SetMeterDecPlaces)
  Q_PROPERTY(int MeterNrTicks READ MeterNrTicks WRITE SetMeterNrTicks)
  Q_PROPERTY(qor::TMeter::TMeterLayout MeterLayout READ MeterLayout WRITE SetMeterLayout)
  Q_PROPERTY(bool MeterShortTicks READ MeterShortTicks WRITE SetMeterShortTicks)
  Q_PROPERTY(bool MeterScaleLine READ MeterScaleLine WRITE SetMeterScaleLine)
  Q_PROPERTY(qor::TNeedleLayout* NeedleLayout READ NeedleLayout)
  Q_PROPERTY(qor::TNeedleLayout* NeedleLayoutSec READ NeedleLayoutSec)
  Q_PROPERTY(int RimTop READ RimTop WRITE SetRimTop)
  Q_PROPERTY(int RimBottom READ RimBottom WRITE SetRimBottom)
  Q_PROPERTY(int RimSide READ RimSide WRITE SetRimSide)
  Q_PROPERTY(double ScaleBkWidth READ ScaleBkWidth WRITE SetScaleBkWidth)
  Q_PROPERTY(bool ScaleBkVisible READ ScaleBkVisible WRITE SetScaleBkVisible)
  Q_PROPERTY(bool ScaleVisible READ ScaleVisible WRITE SetScaleVisible)
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged USER true)
  Q_PROPERTY(double ValueSec READ ValueSec WRITE SetValueSec NOTIFY valueSecChanged)

 public:
  explicit TMeter(QWidget* AOwner = nullptr);
  ~TMeter() override;

  // ---- values and range
  double Value() const { return FValue; }
  void SetValue(double V);
  double ValueSec() const { return FValue2; }
  void SetValueSec(double V);
  double MeterMinValue() const { return FMinValue; }
  void SetMeterMinValue(double V);
  double MeterMaxValue() const { return FMaxValue; }
  void SetMeterMaxValue(double V);
  double ThresholdLow() const { return FLowThreshold; }
  void SetThresholdLow(double V);
  double ThresholdHigh() const { return FHighThreshold; }
  void SetThresholdHigh(double V);
  // Switches on only while both range ends exceed 1e-100.
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool On);
  // Alarm states behind the lamps.
  bool HighAlarm() const { return FOFL; }
  bool LowAlarm() const { return FUFL; }

  // ---- scale
  TMeterLayout MeterLayout() const { return FLayout; }
  void SetMeterLayout(TMeterLayout L);
  int MeterDecPlaces() const { return FDecPlaces; }
  void SetMeterDecPlaces(int N);  // 0..4
  int MeterNrTicks() const { return FNrTicks; }
  void SetMeterNrTicks(int N);  // 2..21, wanted number of major intervals
  bool MeterShortTicks() const { return FShortTicks; }
  void SetMeterShortTicks(bool On);
  bool MeterScaleLine() const { return FScaleLine; }
  void SetMeterScaleLine(bool On);
  bool ScaleVisible() const { return FScaleVisible; }
  void SetScaleVisible(bool On);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor C);
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Text);
  TFont& FontCaption() { return FFontCaption; }
  void SetFontCaption(const TFont& F);
  // The caption font as Qt sees it (forms and designers); its colour stays.
  QFont FontCaptionQFont() const { return FFontCaption.ToQFont(); }
  void SetFontCaptionQFont(const QFont& F) { FFontCaption.SetFromQFont(F); }

  // ---- coloured bands under the scale
  bool ScaleBkVisible() const { return FScaleBkVisible; }
  void SetScaleBkVisible(bool On);
  // Ring width in percent of the radius, held in 0..100.
  double ScaleBkWidth() const { return FScaleBkWidth; }
  void SetScaleBkWidth(double Pct);
  TColor ColorSclBkLow() const { return FColorBkLow; }
  void SetColorSclBkLow(TColor C);
  TColor ColorSclBkNorm() const { return FColorBkNorm; }
  void SetColorSclBkNorm(TColor C);
  TColor ColorSclBkHigh() const { return FColorBkHigh; }
  void SetColorSclBkHigh(TColor C);

  // ---- needles
  TNeedleLayout* NeedleLayout() const { return FNeedle.get(); }
  void SetNeedleLayout(const TNeedleLayout& Layout);
  TNeedleLayout* NeedleLayoutSec() const { return FNeedleSec.get(); }
  void SetNeedleLayoutSec(const TNeedleLayout& Layout);

  // ---- cover, hub, background, lamps, frame
  TColor ColorBakG() const { return FColorBakG; }
  void SetColorBakG(TColor C);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme S);
  int RimTop() const { return FRimTop; }
  void SetRimTop(int N);
  int RimBottom() const { return FRimBottom; }
  void SetRimBottom(int N);
  int RimSide() const { return FRimSide; }
  void SetRimSide(int N);
  int AnchorSize() const { return FSizeAnchor; }
  void SetAnchorSize(int N);
  bool AnchorCovered() const { return FAnchorCovrd; }
  void SetAnchorCovered(bool On);
  QString AnchorImage() const { return FACoverFName; }
  void SetAnchorImage(const QString& FileName);
  QString BackGroundImg() const { return FBakGndFName; }
  // A missing file clears the name; a file that exists but does not load
  // raises host::EInvalidGraphic.
  void SetBackGroundImg(const QString& FileName);
  TBkgFill BkgndFillMode() const { return FBGFillMode; }
  void SetBkgndFillMode(TBkgFill Mode);
  bool LimWatchHighOn() const { return FLimWatchHighOn; }
  void SetLimWatchHighOn(bool On);
  bool LimWatchLowOn() const { return FLimWatchLowOn; }
  void SetLimWatchLowOn(bool On);
  TColor LimWatchActColor() const { return FLimWatchActColor; }
  void SetLimWatchActColor(TColor C);
  TColor LimWatchPsvColor() const { return FLimWatchPsvColor; }
  void SetLimWatchPsvColor(TColor C);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle S);

  // ---- geometry and value mapping
  int MeterAngle() const { return FMeterAngle; }
  double MeterRadius() const { return FMeterRadius; }
  int MeterCenterX() const { return FMeterCenterX; }
  int MeterCenterY() const { return FMeterCenterY; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void CalcMeterLayoutParams();
  // Degrees clockwise from straight down (180 is straight up); clamps first.
  double CalcNeedleAngle(double V) const;
  // The pixel where the ray of V crosses PctRadius percent of the radius.
  void ConvertToPixelCoords(double V, double PctRadius, int& X, int& Y) const;
  // The value under a pixel; false (and 0) outside the sector's angles.
  bool ConvertPixelToValue(int XPos, int YPos, double& MeterValue) const;
  // Label decimals; -2 chooses them from the range.
  static int CalcM(int DecPlaces, double Max, double Min);
  // Major and minor tick spacing for NrTicks wanted intervals of Min..Max.
  static TTickSpacing TickSpacing(double Min, double Max, int NrTicks);

  TBeforeDrawNeedleEvent OnBeforeDrawNeedle;
  TmtBeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
  TMeterRenderedEvent OnMeterRendered;
  TMouseMoveInMeterEvent OnMouseMoveInMeter;
  TNotifyEvent OnOverFlow, OnUnderFlow, OnNormalRange;

  // Screen readers: a dial named by its caption, valued within the scale.
  QAccessible::Role AccessibleRole() const override { return QAccessible::Dial; }
  QString AccessibleCaption() const override { return FCaption; }
  std::optional<host::TAccessibleValue> AccessibleValue() const override {
    return host::TAccessibleValue{FValue, FMinValue, FMaxValue};
  }
  QAccessible::State AccessibleState() const override { return host::ReadOnlyAccessibleState(); }

 Q_SIGNALS:
  // valueChanged and valueSecChanged follow every change of the stored value,
  // also one made by clamping to a new range. The range signals and
  // mouseMoveInMeter follow their events. The needle, scale-label and
  // rendered events hand out the canvas of a paint in progress (and may
  // change it): they stay events only.
  void valueChanged(double Value);
  void valueSecChanged(double ValueSec);
  void overflow();
  void underflow();
  void normalRange();
  void mouseMoveInMeter(bool WithinRange, double MeterValue);

 public:
  // The scale is laid out for any size; below this its labels crowd.
  QSize minimumSizeHint() const override;

 protected:
  void Paint() override;
  void Loaded() override;
  void Resize() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void FontChanged() override;
  void StyleChanged(TObject* Sender);
  void MouseMoveInMeter(bool WithinRange, TShiftState Shift, double MeterValue);
  void DoOverFlowEvent();
  void DoUnderFlowEvent();
  void DoNormalRangeEvent();

 private:
  void EmitValueChanges(double OldValue, double OldValueSec);
  struct TPaintAngles;
  struct TFaceKey;

  // The painting sequence, one layer each; the face is the first four.
  TFaceKey FaceKey() const;
  void DrawFace(TCanvas& C, const TPaintAngles& A);
  void DrawBackground(TCanvas& C);
  void DrawBands(TCanvas& C, const TPaintAngles& A);
  void DrawBand(TCanvas& C, double FromPhi, double ToPhi, int Ro, int Ri, TColor Color);
  void DrawScale(TCanvas& C);
  void DrawScaleArc(TCanvas& C);
  void DrawMinorTicks(TCanvas& C, const TTickSpacing& T);
  void DrawMajorTicks(TCanvas& C, const TTickSpacing& T, int Decimals);
  void DrawDecadeTicks(TCanvas& C, int Decimals);
  void DrawTick(TCanvas& C, double V, int Length);
  void DrawLabel(TCanvas& C, double V, int Decimals, double LabelW, double LabelH);
  static QString LabelText(double V, int Decimals);
  // Logarithmic over a decade or more: ticks at 1..9 of every decade.
  bool DecadeScale() const;
  void DrawCaption(TCanvas& C);
  TPaintAngles PaintAngles() const;
  void DrawAboveFace(TCanvas& C, const TPaintAngles& A);
  void SetFaceEndState(TCanvas& C) const;
  void DrawNeedles(TCanvas& C, const TPaintAngles& A);
  void DrawNeedle(TCanvas& C, const TNeedleLayout& N, double Theta);
  std::vector<TPoint> NeedlePolygon(const TNeedleLayout& N, double Theta) const;
  QRect NeedleArea(const TNeedleLayout& N, double Theta) const;
  QRect NeedlesArea(const TPaintAngles& A) const;
  QRect LampArea(int Left) const;
  // Repaints what a value change touches (see RedrawNeedles in the source).
  void RedrawNeedles();
  void DrawCover(TCanvas& C);
  void DrawInnerBevel(TCanvas& C);
  void DrawHub(TCanvas& C);
  void DrawDiscHub(TCanvas& C);
  void DrawPostHub(TCanvas& C);
  void DrawLamps(TCanvas& C);
  void DrawLamp(TCanvas& C, int Left, int Top, bool Active);
  void DrawFrame(TCanvas& C);

  // Value fraction along the scale; Painting falls back to linear for values
  // the logarithm cannot take.
  double Fraction(double V, bool Painting) const;
  // Screen angle in degrees (counter-clockwise from +x, y up) of a fraction.
  double Phi(double F) const { return FMeterAngle / 2.0 + 90 - FMeterAngle * F; }
  TPoint RayPoint(double PhiDeg, double Rho) const;
  bool RejectsLogBound(double V) const { return FLogarithmic && V < 1e-100; }
  void ApplyValueAlarm(double V, bool Visible);
  void LoadAnchorImage();
  void Redraw();

  // Range and values.
  double FMinValue = 0, FMaxValue = 1, FValue = 0, FValue2 = 0;
  double FLowThreshold = 0, FHighThreshold = 1;
  bool FLogarithmic = false;
  bool FOFL = false, FUFL = false;

  // Geometry.
  TMeterLayout FLayout = mlCirc90;
  int FMeterAngle = 90;
  double FMeterRadius = 0;
  int FMeterCenterX = 0, FMeterCenterY = 0;
  int FRimTop = 8, FRimBottom = 10, FRimSide = 10;

  // Scale.
  int FDecPlaces = 1;
  int FNrTicks = 3;
  bool FShortTicks = true, FScaleLine = true, FScaleVisible = true;
  TColor FColorScale = clNavy;
  QString FCaption;
  TFont FFontCaption;

  // Bands.
  bool FScaleBkVisible = false;
  double FScaleBkWidth = 0;
  TColor FColorBkLow = clLime, FColorBkNorm = 0x0080FF, FColorBkHigh = clRed;

  // Needles.
  std::unique_ptr<TNeedleLayout> FNeedle, FNeedleSec;

  // Cover, hub, background, lamps, frame.
  TColor FColorBakG = clWhite, FColorCover = clBtnFace;
  TColorScheme FColorScheme = csGrayWhite;
  TColor FColGrayLine = clGray, FColWhiteLine = clWhite;
  int FSizeAnchor = 24;
  bool FAnchorCovrd = true;
  QString FACoverFName, FBakGndFName;
  TBkgFill FBGFillMode = bfSimple;
  host::TBitmap AuxBGBmp{10, 10}, AuxACBmp{10, 10}, AuxACMaskBmp{10, 10};
  int FBackgroundLoads = 0;

  // The dial face of the last paint and what it was drawn from.
  host::TBitmap FFace;
  std::unique_ptr<TFaceKey> FFaceKey;
  // Where the last paint put the needles, and the alarm states its lamps show.
  QRect FPaintedNeedles;
  bool FPaintedOFL = false, FPaintedUFL = false;
  bool FLimWatchHighOn = true, FLimWatchLowOn = true;
  TColor FLimWatchActColor = clRed, FLimWatchPsvColor = clGray;
  TFrameStyle FFrameStyle = fsRaised;
};

}  // namespace qor
