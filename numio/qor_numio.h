// Numeric input fields.
//
// TNumIO2 draws itself completely: an optional left text (a label), a text
// box with its own caret, selection and clipboard handling, an optional
// column of two step buttons, an optional right text (a unit) and, below, an
// optional gauge that shows and sets where the value lies in the range.
//
//   |<- LeftSpace ->|<-- TextBoxWidth -->|ButSpace|ButWidth|
//    left text       [     number       ]         [up/dn]   right text
//   |<-GaugeLeftMargin->[=======gauge=======]          (GaugeWidth)
//
// The number lives as text (Text); Value converts that text each time it is
// read and rewrites it each time it is set. Every keystroke is checked
// against the input format and refused (undone, optionally with a beep) when
// it would make the text invalid. Values outside RangeLow..RangeHigh are shown
// in the warning colours. Every setter, keystroke, mouse action and caret
// blink repaints at once.
//
// Keyboard and focus, as in Qt's own line edits: a key that types a
// character is taken by the character the keyboard layout delivers (Shift+6
// on a German layout types "&"); the caret shows only while the field has
// the focus; Tab and Shift+Tab always move the focus on, also out of a
// read-only field. With the comma as the only decimal separator, numbers are
// written and checked with the comma.
//
// Colours: ColorOutBG and ColorOutText outside the box, ColorBoxBG and
// ColorBoxText in it, ColorWarnBG and ColorWarnText while out of range,
// ButColor for the button faces, GaugeColor, GaugeColorBg and GaugeColorFrame
// for the gauge; bevel lines black, gray and white, or the system button
// shadow and highlight when ColorScheme is not 0.
//
// TNumIO is the light-weight field over a system edit control: every change
// of its text is checked, and a change that does not leave a number of the
// input format within RangeLow..RangeHigh (or 0) is undone.
#pragma once

#include <QFontMetrics>
#include <memory>
#include <vector>

#include "foundation/qor_qorbase.h"
#include "host/qor_edit.h"
#include "host/qor_timer.h"

namespace qor {

class QORKIT_EXPORT EQORNumIO2Error : public EQORError {
 public:
  using EQORError::EQORError;
};

using TOnGaugeChangeEvent =
    std::function<void(TObject* Sender, TShiftState Shift, double GaugeValue)>;

class QORKIT_EXPORT TNumIO2 : public TCustomControl {
  Q_OBJECT
 public:
  // Input formats. itDynamic follows the first character of the text: "$"
  // hexadecimal, "%" binary, "&" octal, anything else a number with exponent.
  enum TInFormat : std::uint8_t { itExp, itFloat, itFixPoint, itInt, itHex, itOct, itBin, itDynamic };
  Q_ENUM(TInFormat)

 private:
  Q_PROPERTY(qor::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
  Q_PROPERTY(bool ButVisible READ ButVisible WRITE SetButVisible)
  Q_PROPERTY(bool But3D READ But3D WRITE SetBut3D)
  Q_PROPERTY(int ButHeight READ ButHeight WRITE SetButHeight)
  Q_PROPERTY(int ButWidth READ ButWidth WRITE SetButWidth)
  Q_PROPERTY(double ButIncrem READ ButIncrem WRITE SetButIncrem)
  Q_PROPERTY(int ButSpace READ ButSpace WRITE SetButSpace)
  Q_PROPERTY(qor::TColor ButColor READ ButColor WRITE SetButColor)
  Q_PROPERTY(qor::TColor ColorBoxBG READ ColorBoxBG WRITE SetColorBoxBG)
  Q_PROPERTY(qor::TColor ColorBoxText READ ColorBoxText WRITE SetColorBoxText)
  Q_PROPERTY(qor::TColor ColorOutBG READ ColorOutBG WRITE SetColorOutBG)
  Q_PROPERTY(qor::TColor ColorOutText READ ColorOutText WRITE SetColorOutText)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TColor ColorWarnBG READ ColorWarnBG WRITE SetColorWarnBG)
  Q_PROPERTY(qor::TColor ColorWarnText READ ColorWarnText WRITE SetColorWarnText)
  Q_PROPERTY(qor::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecPlaceSep)
  Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(qor::TColor GaugeColor READ GaugeColor WRITE SetGaugeColor)
  Q_PROPERTY(qor::TColor GaugeColorBg READ GaugeColorBg WRITE SetGaugeColorBg)
  Q_PROPERTY(qor::TColor GaugeColorFrame READ GaugeColorFrame WRITE SetGaugeColorFrame)
  Q_PROPERTY(int GaugeHeight READ GaugeHeight WRITE SetGaugeHeight)
  Q_PROPERTY(qor::TFrameStyle GaugeFrameStyle READ GaugeFrameStyle WRITE SetGaugeFrameStyle)
  Q_PROPERTY(int GaugeLeftMargin READ GaugeLeftMargin WRITE SetGaugeLeftMargin)
  Q_PROPERTY(int GaugeTopMargin READ GaugeTopMargin WRITE SetGaugeTopMargin)
  Q_PROPERTY(bool GaugeVisible READ GaugeVisible WRITE SetGaugeVisible)
  Q_PROPERTY(int GaugeWidth READ GaugeWidth WRITE SetGaugeWidth)
  Q_PROPERTY(int Height READ Height WRITE SetHeight)
  Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
  Q_PROPERTY(qor::TNumIO2::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
  Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
  Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
  Q_PROPERTY(qor::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
  Q_PROPERTY(qor::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
  Q_PROPERTY(int SignificantDigits READ SignificantDigits WRITE SetSignificantDigits)
  Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY changed)
  Q_PROPERTY(int TextBoxWidth READ TextBoxWidth WRITE SetTextBoxWidth)
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged USER true)
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

 public:
  explicit TNumIO2(QWidget* AOwner = nullptr);
  ~TNumIO2() override;

  // ---- the number
  QString Text() const { return FInBuffer; }
  // Taken only when valid in the input format, or empty; caret and
  // selection return to 0.
  void SetText(const QString& Text);
  double Value() const;
  void SetValue(double Value);
  // Value rounded to the nearest integer (ties to even); raises
  // EQORNumIO2Error "integer overflow" outside the 32-bit range.
  int IntegerValue() const;
  TInFormat InputFormat() const { return FInputFormat; }
  void SetInputFormat(TInFormat Format);
  int FixPointDecPlaces() const { return FDecP; }
  void SetFixPointDecPlaces(int Decimals);
  int SignificantDigits() const { return FSigDig; }
  void SetSignificantDigits(int Digits);
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  void SetDecPlaceSep(TDecPSep Sep);
  double RangeLow() const { return FMinimum; }
  void SetRangeLow(double Low);
  double RangeHigh() const { return FMaximum; }
  void SetRangeHigh(double High);
  bool OutOfRange() const;
  // The check of the input format applied to every keystroke.
  bool CheckValidity(const QString& Text) const;

  // ---- editing
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool On);
  bool Beep() const { return FBeep; }
  void SetBeep(bool On) { FBeep = On; }
  bool HideSelection() const { return FHideSel; }
  void SetHideSelection(bool On);
  int SelBegin() const { return FSelBegin; }
  void SetSelBegin(int Pos);
  int SelEnd() const { return FSelEnd; }
  void SetSelEnd(int Pos);
  // Characters in front of the caret.
  int CaretPos() const { return FCaretPos; }
  int CharPosToXCoords(int Pos) const;
  int XCoordsToCharPos(int X) const;
  // Area under the mouse: 0 left text, 1 text box, 2 buttons and right text.
  int MouseAreaCode() const { return FMouseAreaCode; }
  // (Re)starts the caret blinking; raises "no timer available" when refused.
  void UpdateTimer();
  void SetFocus();

  // ---- layout and texts
  int LeftSpace() const { return FLeftSpace; }
  void SetLeftSpace(int Space);
  int TextBoxWidth() const { return FTextBoxWidth; }
  void SetTextBoxWidth(int Width);
  QString LeftText() const { return FLeftText; }
  void SetLeftText(const QString& Text);
  QString RightText() const { return FRightText; }
  void SetRightText(const QString& Text);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment A);
  TAlignment LeftTextAlignment() const { return FLTAlignment; }
  void SetLeftTextAlignment(TAlignment A);
  TAlignment RightTextAlignment() const { return FRTAlignment; }
  void SetRightTextAlignment(TAlignment A);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool On);
  // At least 18; a ButHeight above the new height is lowered to it.
  void SetHeight(int Height);
  // With AutoSize the height follows the font (and layouts keep it).
  QSize sizeHint() const override;

  // ---- colours
  TColor ColorBoxBG() const { return FColorBoxBG; }
  void SetColorBoxBG(TColor C);
  TColor ColorBoxText() const { return FColorBoxText; }
  void SetColorBoxText(TColor C);
  TColor ColorOutBG() const { return FColorOutBG; }
  void SetColorOutBG(TColor C);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor C);
  TColor ColorWarnBG() const { return FColorWarnBG; }
  void SetColorWarnBG(TColor C);
  TColor ColorWarnText() const { return FColorWarnTxt; }
  void SetColorWarnText(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Scheme);

  // ---- step buttons
  bool ButVisible() const { return FButVisible; }
  void SetButVisible(bool On);
  bool But3D() const { return FBut3D; }
  void SetBut3D(bool On);
  int ButHeight() const { return FButHeight; }
  void SetButHeight(int Height);
  int ButWidth() const { return FButWidth; }
  void SetButWidth(int Width);
  int ButSpace() const { return FButSpace; }
  void SetButSpace(int Space);
  double ButIncrem() const { return FButIncrem; }
  void SetButIncrem(double Step) { FButIncrem = Step; }
  TColor ButColor() const { return FButColor; }
  void SetButColor(TColor C);
  // When not empty the buttons step from one pivot to the next and gauge
  // clicks snap to the nearest pivot.
  std::vector<double> ButtonPivots;

  // ---- gauge
  bool GaugeVisible() const { return FGaugeVisib; }
  void SetGaugeVisible(bool On);
  int GaugeHeight() const { return FGaugeHeight; }
  void SetGaugeHeight(int Height);
  int GaugeWidth() const { return FGaugeWidth; }
  void SetGaugeWidth(int Width);
  int GaugeLeftMargin() const { return FGaugeLeftMarg; }
  void SetGaugeLeftMargin(int Margin);
  int GaugeTopMargin() const { return FGaugeTopMarg; }
  void SetGaugeTopMargin(int Margin);
  TColor GaugeColor() const { return FGaugeColor; }
  void SetGaugeColor(TColor C);
  TColor GaugeColorBg() const { return FGaugeColorBg; }
  void SetGaugeColorBg(TColor C);
  TColor GaugeColorFrame() const { return FGaugeColorFrm; }
  void SetGaugeColorFrame(TColor C);
  TFrameStyle GaugeFrameStyle() const { return FGaugeFrameSt; }
  void SetGaugeFrameStyle(TFrameStyle Style);

  // Copies the field's look, format, text, caret, selection and range (not
  // buttons, gauge, size, font, events or pivots) and repaints.
  void Assign(const TNumIO2& Source);
  void AssignTo(TNumIO2& Dest) const { Dest.Assign(*this); }

  // Fires OnChange, then changed() and valueChanged(Value).
  void Changed();

  TNotifyEvent OnChange;
  TOnGaugeChangeEvent OnGaugeChange;

  // Screen readers: a spin box (an editable text without buttons) named by its
  // side texts, with the value in its range and the text with caret and selection.
  QAccessible::Role AccessibleRole() const override;
  QString AccessibleCaption() const override;
  std::optional<host::TAccessibleValue> AccessibleValue() const override;
  void SetAccessibleValue(double Value) override;
  std::optional<host::TAccessibleText> AccessibleText() const override;
  QAccessible::State AccessibleState() const override;

 Q_SIGNALS:
  // Signals of the events: changed() and valueChanged(double) follow every
  // OnChange (typed text, a step button, a gauge click or drag at mouse-up);
  // gaugeChanged follows every OnGaugeChange. Like OnChange, writing Text or
  // Value from code emits nothing.
  void changed();
  void valueChanged(double Value);
  void gaugeChanged(double GaugeValue);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void FontChanged() override;
  void Resize() override;

 private:
  void ApplyAutoHeight();
  // Painting steps, in their order. The steps up to the text box depend
  // only on properties, not on the text: their result is kept as the
  // background image and reused while its key stays the same.
  struct TGeometry;
  struct TBackgroundKey;
  TGeometry Geometry() const;
  TBackgroundKey BackgroundKey(const TGeometry& G, bool Warn) const;
  void DrawOuterText(const QString& Text, int X, int Y);
  void DrawLeftText(const TGeometry& G);
  void DrawButtons(const TGeometry& G);
  void DrawRightText(const TGeometry& G);
  void DrawGaugeBackground(const TGeometry& G);
  void DrawGaugeBar(const TGeometry& G, double V);
  void DrawBevelGroups(int X1, int Y1, int X2, int Y2, int BottomY, TFrameStyle Style);
  TColor BoxBrush(bool Warn) const;
  void DrawTextBox(const TGeometry& G, bool Warn);
  void DrawNumber(const TGeometry& G, bool Warn);
  void DrawSelection(const TGeometry& G);

  // Input.
  void HandleKey(std::uint16_t Key, QChar Typed, TShiftState Shift);
  bool EditKey(std::uint16_t Key);
  bool TypeChar(QChar C);
  void InsertChar(QChar C);
  // The decimal separator the field writes, and the position of the first
  // separator it accepts in Text (-1 when none).
  QChar WrittenSeparator() const;
  qsizetype SeparatorIndex(const QString& Text) const;
  void DeleteSelection();
  void BeepIfWanted();
  int GaugeZone() const;
  double GaugeValueAt(int X) const;
  int NearestPivot(double V) const;
  void StepButton(bool Up);
  void ClampCaret();
  void CaretTick();
  int TextWidthOf(const QString& Text) const;
  // Metrics of Font(), kept until the font changes.
  const QFontMetrics& Metrics() const;

  QImage FBackground;
  std::unique_ptr<TBackgroundKey> FBackgroundKey;
  mutable std::unique_ptr<QFontMetrics> FMetrics;
  int FFontGeneration = 0;

  int FLeftSpace = 35;
  bool FSuppressPaint = true;
  int FTextBoxWidth = 80;
  bool FValueChanged = false;
  int FDecP = 2;
  int FSigDig = 6;
  int FButWidth = 18;
  int FButSpace = 3;
  double FButIncrem = 1.0;
  bool FButVisible = false;
  bool FBut3D = true;
  int FButHeight = 28;
  TColor FButColor = clSilver;
  std::unique_ptr<host::TTimerWindow> FCaretTimer;
  QString FInBuffer;
  int FCaretPos = 0;
  bool FCaretVisib = true;
  bool FGaugeVisib = false;
  int FGaugeHeight = 8;
  int FGaugeWidth = 82;
  int FGaugeLeftMarg = 35;
  int FGaugeTopMarg = 3;
  TColor FGaugeColor = clNavy;
  TColor FGaugeColorBg = clSilver;
  TColor FGaugeColorFrm = clGray;
  TFrameStyle FGaugeFrameSt = fsLowered;
  QString FLeftText, FRightText;
  TFrameStyle FFrameStyle = fsLowered;
  TAlignment FAlignment = taCenter;
  TAlignment FLTAlignment = taRightJustify;
  TAlignment FRTAlignment = taLeftJustify;
  int FMouseAreaCode = 0;
  TColor FColorBoxBG = clWhite;
  TColor FColorBoxText = clBlack;
  TColor FColorOutBG = clBtnFace;
  TColor FColorOutText = clBlack;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  TColor FColorWarnBG = 0x6088FFF0;
  TColor FColorWarnTxt = clRed;
  TColorScheme FColorScheme = csGrayWhite;
  int FSelBegin = 0;
  int FSelEnd = 0;
  TDecPSep FDecPSep = dsBoth;
  TInFormat FInputFormat = itFloat;
  bool FKeyShifted = false;
  bool FKeyCntrl = false;
  bool FHideSel = true;
  double FMaximum = 1000;
  double FMinimum = 0;
  bool FOnlineCheck = true;
  bool FBeep = false;
  bool FReadOnly = false;
  bool FAutoSize = false;
};

using TInFormat = TNumIO2::TInFormat;
inline constexpr TInFormat itExp = TNumIO2::itExp, itFloat = TNumIO2::itFloat,
                           itFixPoint = TNumIO2::itFixPoint, itInt = TNumIO2::itInt,
                           itHex = TNumIO2::itHex, itOct = TNumIO2::itOct, itBin = TNumIO2::itBin,
                           itDynamic = TNumIO2::itDynamic;

class QORKIT_EXPORT TNumIO : public host::TCustomEdit {
  Q_OBJECT
  Q_PROPERTY(qor::TNumIO2::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
  Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
  Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
  Q_PROPERTY(qor::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecPlaceSep)
  Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
  Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged USER true)

 public:
  explicit TNumIO(QWidget* AOwner = nullptr);

  TInFormat InputFormat() const { return FInFormat; }
  void SetInputFormat(TInFormat Format);
  // Setting a limit beyond the other one swaps them; every change of the
  // range forgets the last accepted text and checks the text again.
  double RangeLow() const { return FMinimum; }
  void SetRangeLow(double Low);
  double RangeHigh() const { return FMaximum; }
  void SetRangeHigh(double High);
  TDecPSep DecPlaceSep() const { return FDecPSep; }
  void SetDecPlaceSep(TDecPSep Sep);
  int FixPointDecPlaces() const { return FFixPDecPl; }
  void SetFixPointDecPlaces(int Decimals) { FFixPDecPl = std::clamp(Decimals, 1, 8); }
  bool Beep() const { return FBeep; }
  void SetBeep(bool On) { FBeep = On; }

  double Value() const;
  void SetValue(double Value);
  // The text's number in the input format; false when the text is empty,
  // holds an inner blank or does not end where the number ends.
  bool ConvertNumString(const QString& Text, double& Value) const;
  // Sets the text without checking it and without OnChange; it becomes the
  // last accepted text, to which a refused change returns. Text written
  // through SetText is checked like typed text and, when accepted, becomes
  // the last accepted text as well.
  void SetEditText(const QString& Text);
  // A control placed in a designer starts with the widest range.
  void SetDesigning(bool On) override;

  void Assign(const TNumIO& Source);
  void AssignTo(TNumIO& Dest) const { Dest.Assign(*this); }

  // Screen readers: the value in RangeLow..RangeHigh beside Qt's text.
  std::optional<host::TAccessibleValue> AccessibleValue() const override {
    return host::TAccessibleValue{Value(), FMinimum, FMaximum};
  }
  void SetAccessibleValue(double Value) override;

 Q_SIGNALS:
  // Follows changed() of every accepted change (OnChange); refused and
  // internal changes emit nothing.
  void valueChanged(double Value);

 protected:
  void Change() override;

 private:
  int SepMode() const;
  void Recheck();

  TInFormat FInFormat = itDynamic;
  int FFixPDecPl = 2;
  QString FOldText;
  bool FInternalChg = false;
  bool FBeep = false;
  double FMinimum = 0;
  double FMaximum = 0;
  TDecPSep FDecPSep = dsSystem;
};

}  // namespace qor
