// TNumLab: a lightweight display of one number in a framed value field, with
// an optional text on each side (a quantity name left, a unit right).
//
//   |<- LeftSpace ->|<---- LabelWidth ---->|
//    left text       [   value text      ]  right text
//
// The label formats Value by DisplayType, lets OnBeforeDisplay adjust the
// text, shows OverflowIndicator when the text does not fit the field, and
// reports through MouseAreaCode which of the three areas the mouse is over.
// A new value re-formats and redraws the value box inside the frame only; the
// side texts and the frame stay as the last paint left them.
//
// Colours: ColorOutBakG (control background), ColorOutText (side texts),
// ColorLabBakG (field), ColorLabText (value); the frame bevels follow
// ColorScheme. Under the style engine the palette's window, grid and panel
// text colours replace them (StyleElements seClient, seFont).
//
// Display types (text of Value):
//   dtFloat      general, at most Precision significant digits ("1234.6", "1.5E+20")
//   dtFixP       fixed, Precision decimals ("1234.57")
//   dtExp        scientific, Precision mantissa digits ("1.23E+003")
//   dtHex        upper-case hexadecimal of the rounded value, at least Precision
//                digits; negative values in 32-bit two's complement ("FFFFFFFF")
//   dtZeroInt    rounded integer, zero-padded to Precision digits ("-007")
//   dtInt        rounded integer, halves to even ("2" for 2.5)
//   dtDateTime   Value as a date/time (days since 1899-12-30) through DTFormat
//   dtState      StateText, never replaced by the overflow indicator
//   dtBin, dtOct binary / octal like dtHex
//   dtDeg        degrees with Precision decimals ("12.50°")
//   dtDegMin     whole degrees and minutes with Precision decimals ("12°30.00'")
//   dtDegMinSec  degrees, minutes, seconds with Precision decimals ("12°30'15.00"")
//   dtEEng       engineering: mantissa 1..999 with Precision decimals and an
//                exponent that is a multiple of three ("12.35E+03")
//   dtEEngNoDP   engineering with an integer mantissa ("12E+03")
// All types except dtHex, dtDateTime, dtState and dtBin then get the
// separator of Comma and, with ForcePlusSign, a "+" for positive values.
#pragma once

#include "foundation/qor_qorbase.h"

namespace qor {

class QORKIT_EXPORT TNumLab : public TGraphicControl {
  Q_OBJECT
 public:
  enum TDisplay : std::uint8_t {
    dtFloat, dtFixP, dtExp, dtHex, dtZeroInt, dtInt, dtDateTime, dtState, dtBin, dtOct,
    dtDeg, dtDegMin, dtDegMinSec, dtEEng, dtEEngNoDP
  };
  Q_ENUM(TDisplay)

  using TBeforeDisplayEvent = std::function<void(TObject* Sender, QString& Text)>;

 private:
  Q_PROPERTY(double Value READ Value WRITE SetValue NOTIFY valueChanged USER true)
  Q_PROPERTY(qor::TNumLab::TDisplay DisplayType READ DisplayType WRITE SetDisplayType)
  Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
  Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
  Q_PROPERTY(bool ForcePlusSign READ ForcePlusSign WRITE SetForcePlusSign)
  Q_PROPERTY(bool Empty READ Empty WRITE SetEmpty)
  Q_PROPERTY(QString DTFormat READ DTFormat WRITE SetDTFormat)
  Q_PROPERTY(QString StateText READ StateText WRITE SetStateText)
  Q_PROPERTY(QString OverflowIndicator READ OverflowIndicator WRITE SetOverflowIndicator)
  Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
  Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
  Q_PROPERTY(qor::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(qor::TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
  Q_PROPERTY(qor::TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
  Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
  Q_PROPERTY(int LabelWidth READ LabelWidth WRITE SetLabelWidth)
  Q_PROPERTY(qor::TColor ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
  Q_PROPERTY(qor::TColor ColorLabText READ ColorLabText WRITE SetColorLabText)
  Q_PROPERTY(qor::TColor ColorOutBakG READ ColorOutBakG WRITE SetColorOutBakG)
  Q_PROPERTY(qor::TColor ColorOutText READ ColorOutText WRITE SetColorOutText)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

 public:
  explicit TNumLab(QWidget* AOwner = nullptr);

  // Value and its format.
  double Value() const { return FValue; }
  void SetValue(double Value);
  TDisplay DisplayType() const { return FDisplayType; }
  void SetDisplayType(TDisplay Type);
  // 0..15; negative values are ignored, larger ones become 15.
  int Precision() const { return FPrecision; }
  void SetPrecision(int Precision);
  bool Comma() const { return FComma; }
  void SetComma(bool On);
  bool ForcePlusSign() const { return FForcePlusSign; }
  void SetForcePlusSign(bool On);
  // No value text at all, only the empty field.
  bool Empty() const { return FEmpty; }
  void SetEmpty(bool On);
  QString DTFormat() const { return FDTFormat; }
  void SetDTFormat(const QString& Format);
  QString StateText() const { return FStateText; }
  void SetStateText(const QString& Text);
  QString OverflowIndicator() const { return FOverflowIndicator; }
  void SetOverflowIndicator(const QString& Text);

  // Side texts and alignments.
  QString LeftText() const { return FLeftText; }
  void SetLeftText(const QString& Text);
  QString RightText() const { return FRightText; }
  void SetRightText(const QString& Text);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment A);
  TAlignment LeftTextAlignment() const { return FLeftTextAlignment; }
  void SetLeftTextAlignment(TAlignment A);
  TAlignment RightTextAlignment() const { return FRightTextAlignment; }
  void SetRightTextAlignment(TAlignment A);

  // Geometry: the value field spans LeftSpace + 1 .. LeftSpace + LabelWidth.
  int LeftSpace() const { return FLeftSpace; }
  // Negative values are ignored; values beyond Width become Width.
  void SetLeftSpace(int Space);
  int LabelWidth() const { return FLabelWidth; }
  void SetLabelWidth(int Width);

  // Colours and frame.
  TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(TColor C);
  TColor ColorLabText() const { return FColorLabText; }
  void SetColorLabText(TColor C);
  TColor ColorOutBakG() const { return FColorOutBakG; }
  void SetColorOutBakG(TColor C);
  TColor ColorOutText() const { return FColorOutText; }
  void SetColorOutText(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Scheme);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);
  // The parent shows through the background; dark value text stays visible.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool On);

  // 0 left text area, 1 value field, 2 right text area, at the last mouse move.
  int MouseAreaCode() const { return FMouseAreaCode; }

  // The text the value field shows now (after OnBeforeDisplay and overflow).
  QString DisplayedText();

  void Assign(const TNumLab& Source);
  void AssignTo(TNumLab& Dest) const { Dest.Assign(*this); }

  TBeforeDisplayEvent OnBeforeDisplay;

  // Screen readers: a label named by its side texts, with the value and its text.
  QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
  QString AccessibleCaption() const override;
  std::optional<host::TAccessibleValue> AccessibleValue() const override;
  std::optional<host::TAccessibleText> AccessibleText() const override;

 Q_SIGNALS:
  // Follows every change of Value. OnBeforeDisplay edits the text of a paint
  // in progress: it stays an event only.
  void valueChanged(double Value);

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  template <typename T>
  void ChangeAndRefresh(T& Field, const T& Value);
  QString FormattedValue() const;
  QString ValueText(const TCanvas& Canvas);
  void DrawBackground(TCanvas& C);
  void DrawSideTexts(TCanvas& C, int TextY);
  void DrawValueField(TCanvas& C);
  void DrawValueText(TCanvas& C, int TextY);
  // Inside the frame: all that a new value changes.
  TRect ValueBox() const;
  TColor FieldColor() const;
  int TextTop(const TCanvas& C) const;
  void RefreshValue();
  void PaintPicture(TCanvas& C);

  double FValue = 0;
  TDisplay FDisplayType = dtFixP;
  int FPrecision = 2;
  bool FComma = false;
  bool FForcePlusSign = false;
  bool FEmpty = false;
  QString FDTFormat = QStringLiteral("mmm-dd, yyyy");
  QString FStateText = QStringLiteral("undefined");
  QString FOverflowIndicator = QStringLiteral("*********");
  QString FLeftText, FRightText;
  TAlignment FAlignment = taCenter;
  TAlignment FLeftTextAlignment = taRightJustify;
  TAlignment FRightTextAlignment = taLeftJustify;
  int FLeftSpace = 35;
  int FLabelWidth = 80;
  TColor FColorLabBakG = clBtnFace;
  TColor FColorLabText = clBlack;
  TColor FColorOutBakG = clBtnFace;
  TColor FColorOutText = clBlack;
  TColorScheme FColorScheme = csGrayWhite;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  TFrameStyle FFrameStyle = fsLowered;
  bool FTransparent = false;
  int FMouseAreaCode = 0;
};

using TDisplay = TNumLab::TDisplay;
using enum TNumLab::TDisplay;

}  // namespace qor
