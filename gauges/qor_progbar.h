// TProgBar: a progress bar drawn by the component itself. A bar inside
// margins, filled in ColorMin or through a 1024-entry colour table (ColorMin ..
// ColorMax) in three mapping modes, grid lines across the filled part, an inner
// and an outer frame, a stretched background image, a rotatable value text, and
// an automatic increment driven by a timer (a start delay, then a repeat
// interval).
//
// Directions: dirUp and dirRight grow from the bottom and the left edge;
// dirDown and dirLeft are their mirror images, growing from the top and the
// right edge. The fill fraction is held in 0..1 (a range with Min = Max, or a
// value that is not a number, shows an empty bar), so the bar never leaves the
// inner area.
//
// Colours: ColorMargin (margins and the frames' corner pixels), ColorBackGnd
// (track), ColorMin/ColorMax (fill), ColorGrid, the bevel colours of
// ColorScheme; the value text uses Font.
#pragma once

#include <array>

#include "foundation/qor_qorbase.h"
#include "host/qor_bitmap.h"
#include "host/qor_timer.h"

namespace qor {

class QORKIT_EXPORT EQORProgBar : public EQORError {
 public:
  using EQORError::EQORError;
};

using TBeforeShowValueEvent = std::function<void(TObject* Sender, QString& ValueText)>;

class QORKIT_EXPORT TProgBar : public TGraphicControl {
  Q_OBJECT

 public:
  enum TColorMapping : std::uint8_t { cgmCover, cgmStretch, cgmMove };
  Q_ENUM(TColorMapping)
  static constexpr int ColorTableSize = 1024;

 private:
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged USER true)
  Q_PROPERTY(double Min READ Min WRITE SetMin)
  Q_PROPERTY(double Max READ Max WRITE SetMax)
  Q_PROPERTY(qor::TDirection Direction READ Direction WRITE SetDirection)
  Q_PROPERTY(bool AutoInc READ AutoInc WRITE SetAutoInc)
  Q_PROPERTY(double AutoIncStep READ AutoIncStep WRITE SetAutoIncStep)
  Q_PROPERTY(int StartInterval READ StartInterval WRITE SetStartInterval)
  Q_PROPERTY(int RepeatInterval READ RepeatInterval WRITE SetRepeatInterval)
  Q_PROPERTY(QString BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
  Q_PROPERTY(qor::TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(qor::TColor ColorMargin READ ColorMargin WRITE SetColorMargin)
  Q_PROPERTY(qor::TColor ColorGrid READ ColorGrid WRITE SetColorGrid)
  Q_PROPERTY(int GridDist READ GridDist WRITE SetGridDist)
  Q_PROPERTY(qor::TColor ColorMin READ ColorMin WRITE SetColorMin)
  Q_PROPERTY(qor::TColor ColorMax READ ColorMax WRITE SetColorMax)
  Q_PROPERTY(qor::TProgBar::TColorMapping ColorMapMode READ ColorMapMode WRITE SetColorMapMode)
  Q_PROPERTY(bool ShowColorGradient READ ShowColorGradient WRITE SetShowColorGradient)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TFrameStyle FrameStyleOuter READ FrameStyleOuter WRITE SetFrameStyleOuter)
  Q_PROPERTY(qor::TFrameStyle FrameStyleInner READ FrameStyleInner WRITE SetFrameStyleInner)
  Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
  Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
  Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
  Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
  Q_PROPERTY(bool TextVisible READ TextVisible WRITE SetTextVisible)
  Q_PROPERTY(int TextPosX READ TextPosX WRITE SetTextPosX)
  Q_PROPERTY(int TextPosY READ TextPosY WRITE SetTextPosY)
  Q_PROPERTY(int TextDecPlaces READ TextDecPlaces WRITE SetTextDecPlaces)
  Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
  Q_PROPERTY(qor::TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)

 public:
  explicit TProgBar(QWidget* AOwner = nullptr);
  ~TProgBar() override;

  // ---- value and range (not clamped against each other)
  double Value() const { return FProgValue; }
  void SetValue(double V);
  double Min() const { return FProgMin; }
  void SetMin(double V);
  double Max() const { return FProgMax; }
  void SetMax(double V);
  // Min becomes the smaller, Max the larger of the two.
  void SetRange(double AMin, double AMax);
  TDirection Direction() const { return FDirection; }
  void SetDirection(TDirection D);

  // ---- automatic increment: Value += AutoIncStep on every tick
  bool AutoInc() const { return FTimerEnabled; }
  void SetAutoInc(bool On);
  double AutoIncStep() const { return FAutoIncStep; }
  void SetAutoIncStep(double Step);  // zero is ignored
  int StartInterval() const { return FStartIv; }
  void SetStartInterval(int Ms);  // at least 10
  int RepeatInterval() const { return FRepeatIv; }
  void SetRepeatInterval(int Ms);  // at least 10
  // Called after each increment; setting it restarts the repeat interval,
  // so it is a property rather than a plain field.
  const TNotifyEvent& OnAutoInc() const { return FOnAutoInc; }
  void SetOnAutoInc(TNotifyEvent Handler);

  // ---- fill
  TColor ColorMin() const { return FBarColorArray[0]; }
  void SetColorMin(TColor C);
  TColor ColorMax() const { return FBarColorArray[ColorTableSize - 1]; }
  void SetColorMax(TColor C);
  // Entry Ix of the colour table (0..1023); outside it reads black and
  // writes nothing. No repaint.
  TColor BarColors(int Ix) const;
  void SetBarColors(int Ix, TColor C);
  bool ShowColorGradient() const { return FColorGrad; }
  void SetShowColorGradient(bool On);
  TColorMapping ColorMapMode() const { return FColorMapMode; }
  void SetColorMapMode(TColorMapping M);
  TColor ColorGrid() const { return FColorGrid; }
  void SetColorGrid(TColor C);
  // Grid spacing in pixels; grid lines only above 1.
  int GridDist() const { return FGridDist; }
  void SetGridDist(int N);

  // ---- track, margins, frames
  TColor ColorBackGnd() const { return FColorBakG; }
  void SetColorBackGnd(TColor C);
  TColor ColorMargin() const { return FColorMargin; }
  void SetColorMargin(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme S);
  TFrameStyle FrameStyleOuter() const { return FFrameStyleOuter; }
  void SetFrameStyleOuter(TFrameStyle S);
  TFrameStyle FrameStyleInner() const { return FFrameStyleInner; }
  void SetFrameStyleInner(TFrameStyle S);
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int N);
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int N);
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int N);
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int N);
  QString BackGroundImg() const { return FBakGndFile; }
  // A file that does not load is ignored: name and picture stay as they were.
  void SetBackGroundImg(const QString& FileName);

  // ---- value text
  bool TextVisible() const { return FShowValue; }
  void SetTextVisible(bool On);
  // The anchor of the text, held in 0..Width and 0..Height when set.
  int TextPosX() const { return FTextPosX; }
  void SetTextPosX(int X);
  int TextPosY() const { return FTextPosY; }
  void SetTextPosY(int Y);
  // 0..10 fixed decimals; -1 scientific with a two-digit exponent; -2 with
  // the full four-digit exponent.
  int TextDecPlaces() const { return FTextDecPlaces; }
  void SetTextDecPlaces(int N);
  // Counter-clockwise rotation about the anchor, 0..360 degrees.
  int TextAngle() const { return FTextAngle; }
  void SetTextAngle(int Degrees);
  TAlignment TextAlignment() const { return FAlignment; }
  void SetTextAlignment(TAlignment A);

  // Copies the look and the value from another TProgBar (not the timer, the
  // increment or the font); any other source raises EQORProgBar.
  void Assign(const TProgBar& Source);
  void AssignTo(TProgBar& Dest) const { Dest.Assign(*this); }

  TBeforeShowValueEvent OnShowValue;

  // Screen readers: a progress bar valued within Min..Max.
  QAccessible::Role AccessibleRole() const override { return QAccessible::ProgressBar; }
  std::optional<host::TAccessibleValue> AccessibleValue() const override {
    return host::TAccessibleValue{FProgValue, FProgMin, FProgMax};
  }
  QAccessible::State AccessibleState() const override { return host::ReadOnlyAccessibleState(); }

 Q_SIGNALS:
  // valueChanged follows every change of Value, set or stepped by the timer;
  // autoIncremented follows OnAutoInc. OnShowValue edits the text of a paint
  // in progress: it stays an event only.
  void valueChanged(double Value);
  void autoIncremented();

 public:
  // The four margins and a few pixels of track.
  QSize minimumSizeHint() const override;

 protected:
  void Paint() override;

 private:
  struct TBarGeometry;

  // The painting sequence, one layer each.
  void DrawTrack(TCanvas& C);
  void DrawBar(TCanvas& C, const TBarGeometry& G);
  void DrawGrid(TCanvas& C, const TBarGeometry& G);
  void DrawAcross(TCanvas& C, const TBarGeometry& G, int K);
  void DrawFrame(TCanvas& C, TFrameStyle Style, int L, int T, int R, int B);
  void DrawValueText(TCanvas& C);
  TBarGeometry Geometry() const;
  QString FormatValue() const;
  int TableIndex(int K, int Track, int Bar) const;

  void FillColorTable();
  void InitTimer();
  void UpdateTimer();
  void StartTimer(int Ms);
  void DoTimer();
  void AutoIncEvent();

  double FProgValue = 10, FProgMax = 100, FProgMin = 0;
  TDirection FDirection = dirRight;
  std::array<TColor, ColorTableSize> FBarColorArray{};
  host::TBitmap AuxBmp;
  QString FBakGndFile;
  TColor FColorMargin = clSilver, FColorBakG = clSilver, FColorGrid = clBlack;
  bool FColorGrad = false;
  int FGridDist = 0;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  TColorScheme FColorScheme = csGrayWhite;
  TColorMapping FColorMapMode = cgmStretch;
  TFrameStyle FFrameStyleOuter = fsRaised, FFrameStyleInner = fsLowered;
  int FMarginLeft = 4, FMarginRight = 4, FMarginTop = 4, FMarginBottom = 4;
  bool FShowValue = true;
  int FTextPosX = 14, FTextPosY = 14, FTextDecPlaces = 0, FTextAngle = 0;
  TAlignment FAlignment = taCenter;

  host::TTimerWindow* FTimer;
  bool FTimerEnabled = false, FIsStart = false;
  int FRepeatIv = 700, FStartIv = 1500;
  double FAutoIncStep = 1;
  TNotifyEvent FOnAutoInc;
};

}  // namespace qor
