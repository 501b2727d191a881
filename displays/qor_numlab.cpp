#include "displays/qor_numlab.h"

#include <array>
#include <cmath>
#include <limits>

namespace qor {
namespace {

// What a display type needs to produce its text.
struct TFormatInput {
  double Value;
  int Precision;
  const QString& DTFormat;
  const QString& StateText;
};

// Value rounded to a 64-bit integer, halves to the even neighbour.
long long RoundedInt(double Value) {
  if (!std::isfinite(Value)) return 0;
  const double R = std::nearbyint(Value);  // default rounding: ties to even
  if (R >= 9.2e18) return std::numeric_limits<long long>::max();
  if (R <= -9.2e18) return std::numeric_limits<long long>::min();
  return static_cast<long long>(R);
}

// Digits of the rounded value in Base, at least MinDigits long; negative
// values that fit 32 bits appear in 32-bit two's complement.
QString DigitText(double Value, int Base, int MinDigits) {
  const long long N = RoundedInt(Value);
  const unsigned long long Bits =
      (N < 0 && N >= std::numeric_limits<int>::min()) ? static_cast<std::uint32_t>(N)
                                                       : static_cast<unsigned long long>(N);
  return QString::number(Bits, Base).toUpper().rightJustified(MinDigits, QChar('0'));
}

QString ZeroIntText(double Value, int MinDigits) {
  const long long N = RoundedInt(Value);
  const QString Digits = QString::number(N < 0 ? -static_cast<unsigned long long>(N)
                                               : static_cast<unsigned long long>(N));
  return (N < 0 ? QStringLiteral("-") : QString()) + Digits.rightJustified(MinDigits, QChar('0'));
}

const QChar Degree(0x00B0);

// Whole units and the remainder scaled by 60, with the remainder rounded to
// Decimals first so that 59.999' never shows as 60.00'.
void SplitSexagesimal(double Value, int Decimals, long long& Whole, double& Rest) {
  const double Scale = std::pow(10.0, Decimals);
  double Magnitude = std::fabs(Value);
  Whole = static_cast<long long>(std::floor(Magnitude));
  Rest = std::round((Magnitude - double(Whole)) * 60.0 * Scale) / Scale;
  if (Rest >= 60.0) {
    ++Whole;
    Rest -= 60.0;
  }
}

QString Sign(double Value) { return Value < 0 ? QStringLiteral("-") : QString(); }

QString DegMinText(double Value, int Decimals) {
  long long Deg;
  double Min;
  SplitSexagesimal(Value, Decimals, Deg, Min);
  const QString MinText = host::FormatF(Min, Decimals, QChar('.'));
  return Sign(Value) + QString::number(Deg) + Degree +
         MinText.rightJustified(Decimals > 0 ? Decimals + 3 : 2, QChar('0')) + QChar('\'');
}

QString DegMinSecText(double Value, int Decimals) {
  long long Deg;
  double MinutesWithFraction;
  SplitSexagesimal(Value, 9, Deg, MinutesWithFraction);
  long long Min;
  double Sec;
  SplitSexagesimal(MinutesWithFraction, Decimals, Min, Sec);
  if (Min >= 60) {
    ++Deg;
    Min -= 60;
  }
  const QString SecText = host::FormatF(Sec, Decimals, QChar('.'));
  return Sign(Value) + QString::number(Deg) + Degree +
         QStringLiteral("%1").arg(Min, 2, 10, QChar('0')) + QChar('\'') +
         SecText.rightJustified(Decimals > 0 ? Decimals + 3 : 2, QChar('0')) + QChar('"');
}

// Engineering notation: mantissa in [1, 1000), exponent a multiple of three.
QString EngineeringText(double Value, int Decimals) {
  if (!std::isfinite(Value)) return host::FormatF(Value, 0);
  int Exponent = 0;
  double Mantissa = Value;
  if (Value != 0) {
    Exponent = 3 * static_cast<int>(std::floor(std::log10(std::fabs(Value)) / 3.0));
    Mantissa = Value / std::pow(10.0, Exponent);
    // Rounding may carry the mantissa to 1000.
    if (std::fabs(std::round(Mantissa * std::pow(10.0, Decimals))) >= 1000.0 * std::pow(10.0, Decimals)) {
      Exponent += 3;
      Mantissa /= 1000.0;
    }
  }
  return host::FormatF(Mantissa, Decimals, QChar('.')) + QChar('E') +
         (Exponent < 0 ? QChar('-') : QChar('+')) +
         QStringLiteral("%1").arg(std::abs(Exponent), 2, 10, QChar('0'));
}

using TFormatter = QString (*)(const TFormatInput&);

struct TDisplayFormat {
  TFormatter Format;
  bool Normalised;  // separator of Comma and the forced plus sign apply
};

// Indexed by TDisplay.
const std::array<TDisplayFormat, 15> DisplayFormats = {{
    {[](const TFormatInput& I) -> QString { return host::FormatG(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return host::FormatF(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return host::FormatE(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return DigitText(I.Value, 16, I.Precision); }, false},
    {[](const TFormatInput& I) -> QString { return ZeroIntText(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return QString::number(RoundedInt(I.Value)); }, true},
    {[](const TFormatInput& I) -> QString { return host::FormatDateTime(I.DTFormat, I.Value); }, false},
    {[](const TFormatInput& I) -> QString { return I.StateText; }, false},
    {[](const TFormatInput& I) -> QString { return DigitText(I.Value, 2, I.Precision); }, false},
    {[](const TFormatInput& I) -> QString { return DigitText(I.Value, 8, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return host::FormatF(I.Value, I.Precision) + Degree; }, true},
    {[](const TFormatInput& I) -> QString { return DegMinText(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return DegMinSecText(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return EngineeringText(I.Value, I.Precision); }, true},
    {[](const TFormatInput& I) -> QString { return EngineeringText(I.Value, 0); }, true},
}};

const QString TextHeightSample = QStringLiteral("(8g]}\u00DC\u00C4\u00A7");

}  // namespace

TNumLab::TNumLab(QWidget* AOwner) : TGraphicControl(AOwner) {
  SetDefaultSize(160, 28);
  setMouseTracking(true);
}

template <typename T>
void TNumLab::ChangeAndRefresh(T& Field, const T& Value) {
  if (qor::Change(Field, Value)) Refresh();
}

void TNumLab::SetValue(double Value) {
  if (!qor::Change(FValue, Value)) return;
  RefreshValue();
  Q_EMIT valueChanged(Value);
  host::NotifyAccessibleValue(this, FValue);
}

QString TNumLab::AccessibleCaption() const { return host::JoinAccessibleTexts({FLeftText, FRightText}); }

std::optional<host::TAccessibleValue> TNumLab::AccessibleValue() const {
  if (FEmpty) return std::nullopt;
  return host::TAccessibleValue{FValue, std::nullopt, std::nullopt};
}

std::optional<host::TAccessibleText> TNumLab::AccessibleText() const {
  return host::TAccessibleText{FEmpty ? QString() : FormattedValue()};
}

// The transparent label combines its whole picture with the parent's pixels,
// so it (like a label without a current picture) paints in full.
void TNumLab::RefreshValue() {
  if (FTransparent || !ScreenImageCurrent()) {
    Refresh();
    return;
  }
  const TRect Box = ValueBox();
  RefreshArea(Box, [&](TCanvas& C) {
    C.Font().Assign(Font());
    C.Pen().SetColor(FieldColor());
    C.Brush().SetColor(FieldColor());
    C.Rectangle(Box);
    if (!FEmpty) DrawValueText(C, TextTop(C));
  });
}
void TNumLab::SetDisplayType(TDisplay Type) { ChangeAndRefresh(FDisplayType, Type); }
void TNumLab::SetComma(bool On) { ChangeAndRefresh(FComma, On); }
void TNumLab::SetForcePlusSign(bool On) { ChangeAndRefresh(FForcePlusSign, On); }
void TNumLab::SetEmpty(bool On) { ChangeAndRefresh(FEmpty, On); }
void TNumLab::SetDTFormat(const QString& Format) { ChangeAndRefresh(FDTFormat, Format); }
void TNumLab::SetStateText(const QString& Text) { ChangeAndRefresh(FStateText, Text); }
void TNumLab::SetOverflowIndicator(const QString& Text) { ChangeAndRefresh(FOverflowIndicator, Text); }
void TNumLab::SetLeftText(const QString& Text) { ChangeAndRefresh(FLeftText, Text); }
void TNumLab::SetRightText(const QString& Text) { ChangeAndRefresh(FRightText, Text); }
void TNumLab::SetLabelWidth(int Width) { ChangeAndRefresh(FLabelWidth, Width); }
void TNumLab::SetAlignment(TAlignment A) { ChangeAndRefresh(FAlignment, A); }
void TNumLab::SetLeftTextAlignment(TAlignment A) { ChangeAndRefresh(FLeftTextAlignment, A); }
void TNumLab::SetRightTextAlignment(TAlignment A) { ChangeAndRefresh(FRightTextAlignment, A); }
void TNumLab::SetColorLabBakG(TColor C) { ChangeAndRefresh(FColorLabBakG, C); }
void TNumLab::SetColorLabText(TColor C) { ChangeAndRefresh(FColorLabText, C); }
void TNumLab::SetColorOutBakG(TColor C) { ChangeAndRefresh(FColorOutBakG, C); }
void TNumLab::SetColorOutText(TColor C) { ChangeAndRefresh(FColorOutText, C); }
void TNumLab::SetFrameStyle(TFrameStyle Style) { ChangeAndRefresh(FFrameStyle, Style); }

void TNumLab::SetPrecision(int Precision) {
  if (Precision < 0) return;
  ChangeAndRefresh(FPrecision, std::min(Precision, 15));
}

void TNumLab::SetLeftSpace(int Space) {
  if (Space == FLeftSpace || Space < 0) return;
  FLeftSpace = std::min(Space, Width());
  Refresh();
}

void TNumLab::SetColorScheme(TColorScheme Scheme) {
  if (Scheme == FColorScheme) return;
  FColorScheme = Scheme;
  FColGrayLine = SchemeGrayLine(Scheme);
  FColWhiteLine = SchemeWhiteLine(Scheme);
  Refresh();
}

void TNumLab::SetTransparent(bool On) {
  if (On == FTransparent) return;
  FTransparent = On;
  SetParentBackgroundPaint(On);
  if (On) Invalidate();
  else Refresh();
}

void TNumLab::MouseMove(TShiftState Shift, int X, int Y) {
  if (X <= FLeftSpace) FMouseAreaCode = 0;
  else if (X <= FLeftSpace + FLabelWidth) FMouseAreaCode = 1;
  else FMouseAreaCode = 2;
  TGraphicControl::MouseMove(Shift, X, Y);
}

QString TNumLab::FormattedValue() const {
  const TDisplayFormat& F = DisplayFormats[std::min<size_t>(FDisplayType, DisplayFormats.size() - 1)];
  QString Text = F.Format({FValue, FPrecision, FDTFormat, FStateText});
  if (!F.Normalised) return Text;
  if (FComma) Text.replace(QChar('.'), QChar(','));
  else Text.replace(QChar(','), QChar('.'));
  if (FForcePlusSign && FValue > 0) Text.prepend(QChar('+'));
  return Text;
}

QString TNumLab::ValueText(const TCanvas& Canvas) {
  QString Text = FormattedValue();
  if (OnBeforeDisplay) OnBeforeDisplay(this, Text);
  if (FDisplayType != dtState && Canvas.TextWidth(Text) > FLabelWidth - 6)
    Text = FOverflowIndicator;
  return Text;
}

QString TNumLab::DisplayedText() {
  if (FEmpty) return QString();
  TCanvas Measure;
  Measure.Font().Assign(Font());
  return ValueText(Measure);
}

void TNumLab::Assign(const TNumLab& Source) {
  if (&Source == this) return;
  FLeftSpace = Source.FLeftSpace;
  FEmpty = Source.FEmpty;
  FLabelWidth = Source.FLabelWidth;
  FPrecision = Source.FPrecision;
  FLeftText = Source.FLeftText;
  FRightText = Source.FRightText;
  FFrameStyle = Source.FFrameStyle;
  FAlignment = Source.FAlignment;
  FRightTextAlignment = Source.FRightTextAlignment;
  FLeftTextAlignment = Source.FLeftTextAlignment;
  FOverflowIndicator = Source.FOverflowIndicator;
  FValue = Source.FValue;
  FStateText = Source.FStateText;
  if (FTransparent != Source.FTransparent) {
    FTransparent = Source.FTransparent;
    SetParentBackgroundPaint(FTransparent);
  }
  FColorLabBakG = Source.FColorLabBakG;
  FColorLabText = Source.FColorLabText;
  FColorOutBakG = Source.FColorOutBakG;
  FColorOutText = Source.FColorOutText;
  FColGrayLine = Source.FColGrayLine;
  FColWhiteLine = Source.FColWhiteLine;
  FColorScheme = Source.FColorScheme;
  FDisplayType = Source.FDisplayType;
  Refresh();
}

// ---- painting --------------------------------------------------------------

void TNumLab::Paint() {
  if (!FTransparent) {
    PaintPicture(Canvas());
    return;
  }
  // AND cannot show light ink on a dark parent: under a dark palette the
  // picture goes straight onto the parent's pixels, without a background of
  // its own, and its texts take colours readable on them.
  if (host::DarkPaletteActive(this)) {
    PaintPicture(Canvas());
    return;
  }
  // Transparent: the picture on white, ANDed onto the parent's pixels, so the
  // parent shows wherever the picture is white.
  host::TBitmap Picture;
  Picture.SetPixelRatio(PaintRatio());
  Picture.SetSize(Width(), Height());
  PaintPicture(Picture.Canvas());
  TCanvas& C = Canvas();
  const TColor FieldColor = FColorLabText != clBlack ? clWhite : FColorLabBakG;
  C.Pen().SetColor(FieldColor);
  C.Brush().SetColor(FieldColor);
  C.Rectangle(FLeftSpace + 2, 2, FLeftSpace + FLabelWidth, Height() - 2);
  C.SetCopyMode(host::cmSrcAnd);
  C.Draw(0, 0, Picture);
  C.SetCopyMode(host::cmSrcCopy);
}

void TNumLab::PaintPicture(TCanvas& C) {
  C.SetOwner(this);
  C.Font().Assign(Font());
  const int TextY = TextTop(C);
  DrawBackground(C);
  DrawSideTexts(C, TextY);
  DrawValueField(C);
  if (!FEmpty) DrawValueText(C, TextY);
}

int TNumLab::TextTop(const TCanvas& C) const { return (Height() - C.TextHeight(TextHeightSample)) / 2; }

TRect TNumLab::ValueBox() const {
  return Rect(FLeftSpace + 3, 2, FLeftSpace + FLabelWidth - 1, Height() - 3);
}

TColor TNumLab::FieldColor() const {
  return UseStyle(seClient) ? host::StyleColor(host::scGrid, this) : FColorLabBakG;
}

void TNumLab::DrawBackground(TCanvas& C) {
  if (FTransparent && host::DarkPaletteActive(this)) return;
  TColor Back = FTransparent ? clWhite : FColorOutBakG;
  if (!FTransparent && UseStyle(seClient)) Back = host::StyleColor(host::scWindow, this);
  C.Pen().SetColor(Back);
  C.Brush().SetColor(Back);
  C.Rectangle(0, 0, Width(), Height());
}

void TNumLab::DrawSideTexts(TCanvas& C, int TextY) {
  const int W = Width(), LS = FLeftSpace, LW = FLabelWidth;
  const int LeftW = C.TextWidth(FLeftText), RightW = C.TextWidth(FRightText);
  int LeftX = 7;
  if (FLeftTextAlignment == taRightJustify) LeftX = LS - LeftW - 5;
  else if (FLeftTextAlignment == taCenter) LeftX = (LS - LeftW) / 2;
  int RightX = LS + LW + 7;
  if (FRightTextAlignment == taRightJustify) RightX = W - RightW - 6;
  else if (FRightTextAlignment == taCenter) RightX = LS + LW + 1 + (W - LS - LW - RightW) / 2;

  C.Brush().SetStyle(host::bsClear);
  const bool StyledFont = UseStyle(seFont);
  if (Enabled()) {
    C.Font().SetColor(StyledFont ? host::StyleFontColor(host::sfPanelTextNormal, this)
                                 : FColorOutText);
    C.TextOut(LeftX, TextY, FLeftText);
    C.TextOut(RightX, TextY, FRightText);
    return;
  }
  // Engraved look: a light pass one pixel down-right, then gray on top.
  const int RightShift = FRightTextAlignment == taRightJustify ? -1 : 1;
  C.Font().SetColor(StyledFont ? host::StyleFontColor(host::sfPanelTextDisabled, this) : clWhite);
  C.TextOut(LeftX + 1, TextY + 1, FLeftText);
  C.TextOut(RightX + RightShift, TextY + 1, FRightText);
  if (StyledFont) return;
  C.Font().SetColor(clGray);
  C.TextOut(LeftX, TextY, FLeftText);
  C.TextOut(RightX, TextY, FRightText);
}

void TNumLab::DrawValueField(TCanvas& C) {
  const int LS = FLeftSpace, LW = FLabelWidth, H = Height();
  TColor PenColor = FColGrayLine;
  if (FFrameStyle == fsNone) PenColor = FColorLabBakG;
  else if (FFrameStyle == fsEmbossed) PenColor = FColWhiteLine;
  const bool StyledClient = UseStyle(seClient);
  C.Pen().SetColor(PenColor);
  C.Brush().SetColor(FieldColor());
  C.Rectangle(LS + 1, 0, LS + LW + 1, H - 1);
  if (StyledClient)
    DrawFrame(C, FFrameStyle, LS + 1, 0, LS + LW, H - 2, cl3DLight, clBtnHighlight, clBtnShadow,
              cl3DDkShadow, clBlack);
  else
    DrawFrame(C, FFrameStyle, LS + 1, 0, LS + LW, H - 2, clWhite, clSilver, clGray, clBlack,
              clBlack);
}

void TNumLab::DrawValueText(TCanvas& C, int TextY) {
  const QString Text = ValueText(C);
  const int LS = FLeftSpace, LW = FLabelWidth;
  const int TextW = C.TextWidth(Text);
  int X = LS + 2 + (LW - TextW) / 2;
  if (FAlignment == taLeftJustify) X = LS + 4;
  else if (FAlignment == taRightJustify) X = LS + LW - 2 - TextW;
  TColor Color = clBtnShadow;
  if (Enabled())
    Color = UseStyle(seFont) ? host::StyleFontColor(host::sfPanelTextNormal, this)
                                   : FColorLabText;
  C.Font().SetColor(Color);
  C.Brush().SetStyle(host::bsClear);
  C.TextRect(ValueBox(), X, TextY, Text);
}

}  // namespace qor
