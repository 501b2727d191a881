#include "numio/qor_numio.h"

#include <QKeyEvent>
#include <cstring>
#include <cmath>
#include <limits>

#include "foundation/qor_stringl.h"
#include "foundation/qor_univconst.h"
#include "host/qor_app.h"
#include "host/qor_format.h"
#include "numio/qor_numconv_p.h"

namespace qor {

namespace {

constexpr int CaretInterval = 500;
constexpr int MinHeight = 18;

// Colours given as 0xAARRGGBB-like values outside the system range draw with
// their low 24 bits.
TColor DrawColor(TColor C) { return host::IsSystemColor(C) ? C : (C & 0x00FFFFFFu); }

QChar SeparatorOf(TDecPSep Sep) {
  switch (Sep) {
    case dsSystem: return host::DecimalSeparator();
    case dsComma: return QChar(',');
    default: return QChar('.');
  }
}

}  // namespace

// Everything a paint derives from the properties, computed once per paint.
struct TNumIO2::TGeometry {
  int W, H;   // control size
  int L;      // left edge of the text box
  int TBW;    // text box width
  int G;      // gauge zone below the box
  int TY;     // y of every text line
  int BB;     // bottom bevel base of the box (height before auto-sizing)
  int P3;     // width taken by the button column and its gap
  int BX;     // left edge of the button column
  int HB;     // height of one button
};

// Everything the background image depends on.
struct TNumIO2::TBackgroundKey {
  TGeometry Geometry;
  bool Warn, Enabled, ButVisible, But3D, GaugeVisible, StyleEngine;
  int ButWidth, GaugeWidth, GaugeHeight, GaugeLeftMargin, GaugeTopMargin;
  TFrameStyle FrameStyle, GaugeFrameStyle;
  TAlignment LeftAlignment, RightAlignment;
  TColor Colors[10];
  qint64 Palette;
  QString LeftText, RightText;
  int FontGeneration;
  bool operator==(const TBackgroundKey& K) const {
    return std::memcmp(&Geometry, &K.Geometry, sizeof Geometry) == 0 && Warn == K.Warn &&
           Enabled == K.Enabled && ButVisible == K.ButVisible && But3D == K.But3D &&
           GaugeVisible == K.GaugeVisible && StyleEngine == K.StyleEngine &&
           ButWidth == K.ButWidth && GaugeWidth == K.GaugeWidth && GaugeHeight == K.GaugeHeight &&
           GaugeLeftMargin == K.GaugeLeftMargin && GaugeTopMargin == K.GaugeTopMargin &&
           FrameStyle == K.FrameStyle && GaugeFrameStyle == K.GaugeFrameStyle &&
           LeftAlignment == K.LeftAlignment && RightAlignment == K.RightAlignment &&
           std::equal(std::begin(Colors), std::end(Colors), std::begin(K.Colors)) &&
           Palette == K.Palette && LeftText == K.LeftText && RightText == K.RightText &&
           FontGeneration == K.FontGeneration;
  }
};

// ==== construction =========================================================

TNumIO2::TNumIO2(QWidget* AOwner) : TCustomControl(AOwner) {
  SetDefaultSize(160, 28);
  SetTabStop(false);
  SetWantTabs(true);
  setMouseTracking(true);
  FCaretTimer = std::make_unique<host::TTimerWindow>([this] { CaretTick(); }, this);
  UpdateTimer();
}

TNumIO2::~TNumIO2() = default;

void TNumIO2::showEvent(QShowEvent* Event) {
  // The window exists from the first show on; painting was pointless before.
  if (FSuppressPaint) {
    FSuppressPaint = false;
    Invalidate();
  }
  TCustomControl::showEvent(Event);
}

void TNumIO2::FontChanged() {
  FMetrics.reset();
  ++FFontGeneration;
  updateGeometry();
  ApplyAutoHeight();
  TCustomControl::FontChanged();
}

const QFontMetrics& TNumIO2::Metrics() const {
  if (!FMetrics) FMetrics = std::make_unique<QFontMetrics>(Font().ToQFont());
  return *FMetrics;
}

// ==== value and text =======================================================

double TNumIO2::Value() const {
  int Pos = 1;
  switch (FInputFormat) {
    case itExp:
    case itFloat:
    case itFixPoint:
      return double(ScanFloatNumber(FInBuffer, true, 3, Pos));
    case itInt: {
      if (FInBuffer.isEmpty() || !IsValidIntText(FInBuffer)) return 0;
      // A text beyond 32 bits reads as the nearest 32-bit limit on its side.
      const TIntScan S = ScanIntNumberChecked(FInBuffer, Pos);
      if (S.Fits) return S.Wrapped;
      return S.Negative ? std::numeric_limits<std::int32_t>::min()
                        : std::numeric_limits<std::int32_t>::max();
    }
    case itHex: return ScanHexNumber(FInBuffer, Pos);
    case itOct: return ScanOctNumber(FInBuffer, Pos);
    case itBin: return ScanBinNumber(FInBuffer, Pos);
    case itDynamic: {
      if (FInBuffer.isEmpty()) return 0;
      const QChar Prefix = FInBuffer.at(0);
      const QString Digits = FInBuffer.mid(1);
      if (Prefix == QChar('$')) return ScanHexNumber(Digits, Pos);
      if (Prefix == QChar('%')) return ScanBinNumber(Digits, Pos);
      if (Prefix == QChar('&')) return ScanOctNumber(Digits, Pos);
      return double(ScanFloatNumber(FInBuffer, true, 3, Pos));
    }
  }
  return 0;
}

void TNumIO2::SetValue(double V) {
  switch (FInputFormat) {
    case itExp:
      FInBuffer = ReplaceCharInString(FormatNumberText(FSigDig + 6, -2, V), QChar('.'), WrittenSeparator());
      break;
    case itFloat:
    case itFixPoint:
      FInBuffer = ReplaceCharInString(FormatNumberText(1, FDecP, V), QChar('.'), WrittenSeparator());
      break;
    case itInt:
    case itDynamic: FInBuffer = FormatNumberText(1, 0, std::nearbyint(V)); break;
    case itHex: FInBuffer = HexDigitText(TwosComplementOf(V), 8); break;
    case itOct: FInBuffer = OctDigitText(TwosComplementOf(V), 11); break;
    case itBin: FInBuffer = BinDigitText(TwosComplementOf(V), 32); break;
  }
  ClampCaret();
  Refresh();
  host::NotifyAccessibleValue(this, Value());
}

int TNumIO2::IntegerValue() const {
  const double Rounded = std::nearbyint(Value());
  if (Rounded > std::numeric_limits<std::int32_t>::max() ||
      Rounded < std::numeric_limits<std::int32_t>::min())
    throw EQORNumIO2Error(ComponentMessage(this, QStringLiteral("integer overflow")));
  return int(Rounded);
}

void TNumIO2::SetText(const QString& Text) {
  if (!Text.isEmpty() && !CheckValidity(Text)) return;
  FInBuffer = Text;
  FCaretPos = FSelBegin = FSelEnd = 0;
  Refresh();
  host::NotifyAccessibleValue(this, Value());
}

bool TNumIO2::CheckValidity(const QString& S) const {
  switch (FInputFormat) {
    case itExp: return IsValidExpText(S, FDecPSep);
    case itFloat: return IsValidFloatText(S, FDecPSep);
    case itFixPoint:
      // The separator (or, without one, the end of the text) stands exactly
      // FixPointDecPlaces characters before the end. The separator is the
      // one DecPlaceSep accepts: a field that takes only the comma finds its
      // comma here.
      return IsValidFloatText(S, FDecPSep) && SeparatorIndex(S) + 1 == S.size() - FDecP;
    case itInt: return IsValidIntText(S);
    case itHex: return IsValidHexText(S);
    case itOct: return IsValidOctText(S);
    case itBin: return IsValidBinText(S);
    case itDynamic: {
      if (S.isEmpty()) return false;
      const QChar Prefix = S.at(0);
      if (Prefix == QChar('$')) return IsValidHexText(S.mid(1));
      if (Prefix == QChar('%')) return IsValidBinText(S.mid(1));
      if (Prefix == QChar('&')) return IsValidOctText(S.mid(1));
      return IsValidFloatText(S, FDecPSep);
    }
  }
  return false;
}

// Numbers are written with the point unless the comma is the only separator
// the field accepts.
QChar TNumIO2::WrittenSeparator() const { return FDecPSep == dsBoth ? QChar('.') : SeparatorOf(FDecPSep); }

qsizetype TNumIO2::SeparatorIndex(const QString& Text) const {
  if (FDecPSep != dsBoth) return Text.indexOf(SeparatorOf(FDecPSep));
  for (qsizetype I = 0; I < Text.size(); ++I)
    if (Text.at(I) == QChar('.') || Text.at(I) == QChar(',')) return I;
  return -1;
}

bool TNumIO2::OutOfRange() const {
  const double V = Value();
  return V < FMinimum || V > FMaximum;
}

void TNumIO2::SetInputFormat(TInFormat Format) {
  if (Format == FInputFormat || Format > itDynamic) return;
  const double V = Value();
  FInputFormat = Format;
  SetValue(V);
}

void TNumIO2::SetFixPointDecPlaces(int Decimals) {
  if (Decimals == FDecP || Decimals <= 0) return;
  const double V = Value();
  FDecP = std::min(Decimals, 15);
  SetValue(V);
}

void TNumIO2::SetSignificantDigits(int Digits) {
  if (Digits == FSigDig || Digits <= 0) return;
  const double V = Value();
  FSigDig = std::min(Digits, 15);
  SetValue(V);
}

void TNumIO2::SetDecPlaceSep(TDecPSep Sep) {
  if (Sep == FDecPSep) return;
  if (Sep != dsBoth) {
    const QChar To = SeparatorOf(Sep);
    if (FDecPSep == dsBoth) {
      FInBuffer = ReplaceCharInString(ReplaceCharInString(FInBuffer, QChar('.'), To), QChar(','), To);
    } else {
      const QChar From = SeparatorOf(FDecPSep);
      if (From != To) FInBuffer = ReplaceCharInString(FInBuffer, From, To);
    }
  }
  FDecPSep = Sep;
  Refresh();
}

void TNumIO2::SetRangeLow(double Low) {
  FMinimum = Low;
  if (FMinimum > FMaximum) FMaximum = FMinimum;
  Refresh();
}

void TNumIO2::SetRangeHigh(double High) {
  FMaximum = High;
  if (FMaximum < FMinimum) FMinimum = FMaximum;
  Refresh();
}

void TNumIO2::Changed() {
  Notify(this, OnChange, &TNumIO2::changed);
  Q_EMIT valueChanged(Value());
  host::NotifyAccessibleValue(this, Value());
}

QAccessible::Role TNumIO2::AccessibleRole() const {
  return FButVisible ? QAccessible::SpinBox : QAccessible::EditableText;
}

QString TNumIO2::AccessibleCaption() const {
  return host::JoinAccessibleTexts({FLeftText, FRightText});
}

std::optional<host::TAccessibleValue> TNumIO2::AccessibleValue() const {
  return host::TAccessibleValue{Value(), FMinimum, FMaximum};
}

void TNumIO2::SetAccessibleValue(double V) {
  if (FReadOnly || !std::isfinite(V)) return;
  SetValue(std::clamp(V, FMinimum, FMaximum));
  Changed();
}

std::optional<host::TAccessibleText> TNumIO2::AccessibleText() const {
  return host::TAccessibleText{FInBuffer, FCaretPos, FSelBegin, FSelEnd};
}

QAccessible::State TNumIO2::AccessibleState() const {
  QAccessible::State S;
  S.readOnly = FReadOnly;
  S.editable = !FReadOnly;
  return S;
}

// ==== plain properties =====================================================

namespace {
// Stores V in Field unless equal; true when stored.
template <typename T>
bool Store(T& Field, T V) {
  if (Field == V) return false;
  Field = V;
  return true;
}
}  // namespace

void TNumIO2::SetAlignment(TAlignment A) { if (Store(FAlignment, A)) Refresh(); }
void TNumIO2::SetLeftTextAlignment(TAlignment A) { if (Store(FLTAlignment, A)) Refresh(); }
void TNumIO2::SetRightTextAlignment(TAlignment A) { if (Store(FRTAlignment, A)) Refresh(); }
// Layouts keep an auto-sized height: it is the hint, and the only height.
void TNumIO2::SetAutoSize(bool On) {
  if (!Store(FAutoSize, On)) return;
  setSizePolicy(QSizePolicy::Preferred, On ? QSizePolicy::Fixed : QSizePolicy::Preferred);
  updateGeometry();
  ApplyAutoHeight();
  Refresh();
}

// With AutoSize the height follows the font: set when the flag, the font or
// the size changes, never while painting.
void TNumIO2::ApplyAutoHeight() {
  if (!FAutoSize) return;
  const int AutoHeight = Metrics().height() + 6;  // the height of "E0"
  if (AutoHeight != Height()) TCustomControl::SetHeight(AutoHeight);
}

void TNumIO2::Resize() {
  ApplyAutoHeight();
  TCustomControl::Resize();
}
void TNumIO2::SetButVisible(bool On) { if (Store(FButVisible, On)) Refresh(); }
void TNumIO2::SetBut3D(bool On) { if (Store(FBut3D, On)) Refresh(); }
void TNumIO2::SetButColor(TColor C) { if (Store(FButColor, C)) Refresh(); }
void TNumIO2::SetColorBoxBG(TColor C) { if (Store(FColorBoxBG, C)) Refresh(); }
void TNumIO2::SetColorBoxText(TColor C) { if (Store(FColorBoxText, C)) Refresh(); }
void TNumIO2::SetColorOutBG(TColor C) { if (Store(FColorOutBG, C)) Refresh(); }
void TNumIO2::SetColorOutText(TColor C) { if (Store(FColorOutText, C)) Refresh(); }
void TNumIO2::SetGaugeColor(TColor C) { if (Store(FGaugeColor, C)) Refresh(); }
void TNumIO2::SetGaugeColorBg(TColor C) { if (Store(FGaugeColorBg, C)) Refresh(); }
void TNumIO2::SetGaugeColorFrame(TColor C) { if (Store(FGaugeColorFrm, C)) Refresh(); }
void TNumIO2::SetGaugeVisible(bool On) { if (Store(FGaugeVisib, On)) Refresh(); }
void TNumIO2::SetHideSelection(bool On) { if (Store(FHideSel, On)) Refresh(); }
void TNumIO2::SetLeftText(const QString& Text) { if (Store(FLeftText, Text)) Refresh(); }
void TNumIO2::SetRightText(const QString& Text) { if (Store(FRightText, Text)) Refresh(); }
void TNumIO2::SetTextBoxWidth(int Width) { if (Store(FTextBoxWidth, Width)) Refresh(); }

void TNumIO2::SetFrameStyle(TFrameStyle Style) {
  if (Style <= fsEngraved && Store(FFrameStyle, Style)) Refresh();
}

void TNumIO2::SetGaugeFrameStyle(TFrameStyle Style) {
  if (Style <= fsEngraved && Store(FGaugeFrameSt, Style)) Refresh();
}

void TNumIO2::SetColorWarnBG(TColor C) {
  FColorWarnBG = C;
  Refresh();
}

void TNumIO2::SetColorWarnText(TColor C) {
  FColorWarnTxt = C;
  Refresh();
}

void TNumIO2::SetColorScheme(TColorScheme Scheme) {
  if (!Store(FColorScheme, Scheme)) return;
  FColGrayLine = SchemeGrayLine(Scheme);
  FColWhiteLine = SchemeWhiteLine(Scheme);
  Refresh();
}

void TNumIO2::SetLeftSpace(int Space) {
  if (Space == FLeftSpace || Space < 0) return;
  FLeftSpace = std::min(Space, Width());
  Refresh();
}

// The clamping setters clamp first and then compare with the stored value.
void TNumIO2::SetButHeight(int Height) {
  if (Store(FButHeight, std::min(std::max(Height, MinHeight), this->Height()))) Refresh();
}

void TNumIO2::SetButWidth(int Width) {
  if (Store(FButWidth, std::clamp(Width, 8, 50))) Refresh();
}

void TNumIO2::SetButSpace(int Space) {
  if (Store(FButSpace, std::clamp(Space, 0, 50))) Refresh();
}

void TNumIO2::SetGaugeHeight(int Height) {
  if (Store(FGaugeHeight, std::max(std::min(Height, this->Height() - FGaugeTopMarg - MinHeight), 3)))
    Refresh();
}

void TNumIO2::SetGaugeWidth(int Width) {
  if (Store(FGaugeWidth, std::min(std::max(Width, 10), this->Width() - FGaugeLeftMarg))) Refresh();
}

void TNumIO2::SetGaugeLeftMargin(int Margin) {
  if (Store(FGaugeLeftMarg, std::max(std::min(Margin, Width() - FGaugeWidth), 0))) Refresh();
}

void TNumIO2::SetGaugeTopMargin(int Margin) {
  if (Store(FGaugeTopMarg, std::max(std::min(Margin, Height() - FGaugeHeight - MinHeight), 0)))
    Refresh();
}

void TNumIO2::SetHeight(int Height) {
  const int H = std::max(Height, MinHeight);
  TCustomControl::SetHeight(H);
  FButHeight = std::min(FButHeight, H);
  Refresh();
}

void TNumIO2::SetReadOnly(bool On) {
  if (!Store(FReadOnly, On)) return;
  if (On) {
    FCaretTimer->Stop();
    FCaretVisib = false;
  } else {
    UpdateTimer();
  }
  Refresh();
}

void TNumIO2::Assign(const TNumIO2& S) {
  if (&S == this) return;
  FLeftSpace = S.FLeftSpace;
  FTextBoxWidth = S.FTextBoxWidth;
  FDecP = S.FDecP;
  FSigDig = S.FSigDig;
  FLeftText = S.FLeftText;
  FRightText = S.FRightText;
  FFrameStyle = S.FFrameStyle;
  FAlignment = S.FAlignment;
  FRTAlignment = S.FRTAlignment;
  FLTAlignment = S.FLTAlignment;
  FColorBoxBG = S.FColorBoxBG;
  FColorBoxText = S.FColorBoxText;
  FColorOutBG = S.FColorOutBG;
  FColorOutText = S.FColorOutText;
  FColBlackLine = S.FColBlackLine;
  FColGrayLine = S.FColGrayLine;
  FColWhiteLine = S.FColWhiteLine;
  FColorScheme = S.FColorScheme;
  FInputFormat = S.FInputFormat;
  FInBuffer = S.FInBuffer;
  FCaretPos = S.FCaretPos;
  FCaretVisib = S.FCaretVisib;
  FMouseAreaCode = S.FMouseAreaCode;
  FColorWarnBG = S.FColorWarnBG;
  FColorWarnTxt = S.FColorWarnTxt;
  FSelBegin = S.FSelBegin;
  FSelEnd = S.FSelEnd;
  FDecPSep = S.FDecPSep;
  FKeyShifted = S.FKeyShifted;
  FKeyCntrl = S.FKeyCntrl;
  FHideSel = S.FHideSel;
  FMaximum = S.FMaximum;
  FMinimum = S.FMinimum;
  FOnlineCheck = S.FOnlineCheck;
  FBeep = S.FBeep;
  FReadOnly = S.FReadOnly;
  SetAutoSize(S.FAutoSize);
  Refresh();
}

// ==== caret, selection and the position mapping ============================

void TNumIO2::SetSelBegin(int Pos) {
  FSelBegin = std::clamp(Pos, 0, int(FInBuffer.size()));
  FCaretPos = FSelBegin;
  FSelEnd = std::max(FSelEnd, FSelBegin);
  Refresh();
}

void TNumIO2::SetSelEnd(int Pos) {
  FSelEnd = std::clamp(Pos, 0, int(FInBuffer.size()));
  FCaretPos = FSelEnd;
  FSelBegin = std::min(FSelBegin, FSelEnd);
  Refresh();
}

void TNumIO2::ClampCaret() {
  const int Len = int(FInBuffer.size());
  FCaretPos = std::clamp(FCaretPos, 0, Len);
  FSelEnd = std::clamp(FSelEnd, 0, Len);
  FSelBegin = std::clamp(FSelBegin, 0, FSelEnd);
}

int TNumIO2::TextWidthOf(const QString& Text) const { return Metrics().horizontalAdvance(Text); }

int TNumIO2::CharPosToXCoords(int Pos) const {
  const int PW = TextWidthOf(FInBuffer.left(std::max(Pos, 0)));
  const int IW = TextWidthOf(FInBuffer);
  switch (FAlignment) {
    case taLeftJustify: return PW + FLeftSpace + 4;
    case taRightJustify: return PW + FLeftSpace + FTextBoxWidth - IW - 2;
    default: return PW + FLeftSpace + (FTextBoxWidth - IW) / 2 + 2;
  }
}

int TNumIO2::XCoordsToCharPos(int X) const {
  if (FInBuffer.isEmpty()) return 0;
  const int IW = TextWidthOf(FInBuffer);
  // The average character width; a text of no width maps every x to 0.
  const int A = IW / int(FInBuffer.size());
  if (A <= 0) return 0;
  int C = 0;
  switch (FAlignment) {
    case taLeftJustify: C = X - FLeftSpace - 3; break;
    case taRightJustify: C = X + IW - FLeftSpace - FTextBoxWidth + 3; break;
    default: C = X - FLeftSpace - (FTextBoxWidth - IW) / 2 - 1; break;
  }
  C = std::min(std::max(C, 0), IW);
  return (C + A / 2) / A;
}

void TNumIO2::UpdateTimer() {
  FCaretTimer->Stop();
  FCaretVisib = true;
  if (!FCaretTimer->Start(CaretInterval))
    throw EQORNumIO2Error(ComponentMessage(this, QStringLiteral("no timer available")));
  Refresh();
}

void TNumIO2::CaretTick() {
  if (Focused()) {
    FCaretVisib = !FCaretVisib;
  } else {
    FCaretTimer->Stop();
    FCaretVisib = false;
  }
  Refresh();
}

void TNumIO2::SetFocus() {
  TCustomControl::SetFocus();
  if (!FReadOnly) UpdateTimer();
}

void TNumIO2::DoEnter() {
  if (!FReadOnly) UpdateTimer();
  TCustomControl::DoEnter();
}

// The caret (and a hidden selection) leave with the focus at once.
void TNumIO2::DoExit() {
  Refresh();
  TCustomControl::DoExit();
}

// ==== keyboard =============================================================
//
// A key that types a character is taken by that character, as the keyboard
// layout in use delivers it; keys without a character by their virtual code.
//
//   key                              action                         changes text
//   Backspace 8                      selection, else char in front   when deleted
//   Tab 9 / Shift+Tab                focus to the next / previous    no
//                                    control (also when read-only)
//   End 35 / Home 36                 caret to the end / start        no
//   Left 37, Up 38 / Right 39, Down 40   caret one back / forward    no
//   Delete 46                        selection, else char behind     when deleted
//   "0"-"9", "A"-"F" (also "a"-"f")  the character (upper case)      yes
//   "+", "-", ",", ".", "$", "%", "&"   the character                yes
//   Ctrl+C / Ctrl+V / Ctrl+X         copy / paste at the caret / cut
//   anything else                    beep (when Beep is set)         no

void TNumIO2::keyPressEvent(QKeyEvent* Event) {
  const QChar Typed = host::TypedChar(Event);
  const std::uint16_t Key = host::VirtualKeyOf(Event->key(), Event->modifiers());
  if (Key != 0 || !Typed.isNull()) HandleKey(Key, Typed, host::ShiftStateOf(Event->modifiers(), Qt::NoButton));
  TCustomControl::keyPressEvent(Event);
}

void TNumIO2::keyReleaseEvent(QKeyEvent* Event) {
  const std::uint16_t Key = host::VirtualKeyOf(Event->key(), Event->modifiers());
  if (Key == VK_SHIFT) FKeyShifted = false;
  if (Key == VK_CONTROL) FKeyCntrl = false;
  TCustomControl::keyReleaseEvent(Event);
}

void TNumIO2::BeepIfWanted() {
  if (FBeep) host::MessageBeep();
}

void TNumIO2::DeleteSelection() {
  FInBuffer.remove(FSelBegin, FSelEnd - FSelBegin);
  if (FInBuffer.isEmpty()) SetValue(0);
  FCaretPos = FSelEnd = FSelBegin;
  ClampCaret();
}

void TNumIO2::InsertChar(QChar C) {
  if (FSelBegin < FSelEnd) DeleteSelection();
  FInBuffer.insert(FCaretPos, C);
  ++FCaretPos;
}

// One typed character; true when the text changed.
bool TNumIO2::TypeChar(QChar C) {
  static const QString Accepted = QStringLiteral("0123456789ABCDEF+-,.$%&");
  C = C.toUpper();
  if (!Accepted.contains(C)) {
    BeepIfWanted();
    return false;
  }
  InsertChar(C);
  return true;
}

// One key without a character and without Control; true when the text changed.
bool TNumIO2::EditKey(std::uint16_t Key) {
  const int Len = int(FInBuffer.size());
  switch (Key) {
    case VK_BACK:
      if (FSelBegin < FSelEnd) {
        DeleteSelection();
        return true;
      }
      if (FCaretPos == 0) return false;
      FInBuffer.remove(--FCaretPos, 1);
      return true;
    case VK_DELETE:
      if (FSelBegin < FSelEnd) {
        DeleteSelection();
        return true;
      }
      if (FCaretPos >= Len) return false;
      FInBuffer.remove(FCaretPos, 1);
      return true;
    case VK_END: FCaretPos = Len; return false;
    case VK_HOME: FCaretPos = 0; return false;
    case VK_LEFT:
    case VK_UP: FCaretPos = std::max(FCaretPos - 1, 0); return false;
    case VK_RIGHT:
    case VK_DOWN: FCaretPos = std::min(FCaretPos + 1, Len); return false;
    default: BeepIfWanted(); return false;
  }
}

void TNumIO2::HandleKey(std::uint16_t Key, QChar Typed, TShiftState Shift) {
  // Tab and Shift+Tab always move the focus on, so that no field (a read-only
  // one included) keeps the keyboard.
  if (Key == VK_TAB && !(Shift & (ssCtrl | ssAlt))) {
    focusNextPrevChild(!(Shift & ssShift));
    return;
  }
  if (Key == VK_SHIFT) {
    FKeyShifted = true;
    return;
  }
  if (Key == VK_CONTROL) {
    FKeyCntrl = true;
    return;
  }
  // The tracked modifier states follow the event, so that a modifier released
  // while another control had the focus does not stick.
  FKeyShifted = Shift & ssShift;
  FKeyCntrl = Shift & ssCtrl;
  if (FReadOnly && !(FKeyCntrl && Key == 'C')) return;

  const QString SavedText = FInBuffer;
  const int SavedCaret = FCaretPos;
  bool TextChanged = false;
  if (FKeyCntrl) {
    const bool HasSelection = FSelBegin < FSelEnd;
    const QString Selected = FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin);
    if (Key == 'C') {
      if (HasSelection) host::SetClipboardText(Selected);
    } else if (Key == 'V') {
      const QString Clip = host::ClipboardText();
      if (!Clip.isEmpty()) {
        FInBuffer.insert(FCaretPos, Clip);
        FCaretPos += int(Clip.size());
        TextChanged = true;
      }
    } else if (Key == 'X') {
      if (HasSelection) {
        host::SetClipboardText(Selected);
        DeleteSelection();
        TextChanged = true;
      }
    } else {
      BeepIfWanted();
    }
  } else {
    TextChanged = Typed.isNull() ? EditKey(Key) : TypeChar(Typed);
  }

  if (TextChanged && FOnlineCheck && !FInBuffer.isEmpty() && FInBuffer != QStringLiteral("-") &&
      FInBuffer != QStringLiteral("+") && !CheckValidity(FInBuffer)) {
    FInBuffer = SavedText;
    FCaretPos = SavedCaret;
    BeepIfWanted();
    TextChanged = false;
  }
  ClampCaret();
  if (FInputFormat == itFixPoint) {
    if (FCaretPos > FInBuffer.size() - FDecP - 1) {
      FSelBegin = FCaretPos;
      FSelEnd = std::min(FCaretPos + 1, int(FInBuffer.size()));
    } else {
      FSelBegin = FSelEnd;
    }
  }
  if (!FReadOnly) FCaretVisib = true;
  if (TextChanged) Changed();
  Refresh();
}

// ==== mouse ================================================================

int TNumIO2::GaugeZone() const {
  return FGaugeVisib ? FGaugeHeight + FGaugeTopMarg + 1 : 0;
}

int TNumIO2::NearestPivot(double V) const {
  int Best = 0;
  for (int I = 1; I < int(ButtonPivots.size()); ++I)
    if (std::fabs(ButtonPivots[I] - V) < std::fabs(ButtonPivots[Best] - V)) Best = I;
  return Best;
}

// The value under gauge position X: snapped to the nearest pivot when there
// are pivots, clamped to the range.
double TNumIO2::GaugeValueAt(int X) const {
  double V = FMinimum + double(X - FGaugeLeftMarg) / FGaugeWidth * (FMaximum - FMinimum);
  if (!ButtonPivots.empty()) V = ButtonPivots[NearestPivot(V)];
  return std::clamp(V, FMinimum, FMaximum);
}

//   pivots      up button                                down button
//   none        V + ButIncrem, clamped                    V - ButIncrem, clamped
//   p[0..n-1]   k = nearest; p[k] if p[k] - E > V,        p[k] if p[k] + E < V,
//               else p[k+1] (p[k] at the end)             else p[k-1] (p[0] at the start)
void TNumIO2::StepButton(bool Up) {
  const double V = Value();
  double Next;
  if (ButtonPivots.empty()) {
    Next = std::clamp(Up ? V + FButIncrem : V - FButIncrem, FMinimum, FMaximum);
  } else {
    const double E = std::exp(-FDecP * uc_ln10);
    const int K = NearestPivot(V);
    const int Last = int(ButtonPivots.size()) - 1;
    int Target = K;
    if (Up) {
      if (!(ButtonPivots[K] - E > V) && K < Last) Target = K + 1;
    } else {
      if (!(ButtonPivots[K] + E < V) && K > 0) Target = K - 1;
    }
    Next = ButtonPivots[Target];
  }
  SetValue(Next);
  Changed();
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const int G = GaugeZone();
  if (!FReadOnly) FCaretVisib = true;
  if (Y > 0 && Y < Height() - G) {
    FCaretPos = FSelBegin = FSelEnd = XCoordsToCharPos(X);
    Refresh();
  }
  // A gauge of no width has no positions to click (and no value under them).
  if (FGaugeVisib && FGaugeWidth > 0 && Y > Height() - G && X >= FGaugeLeftMarg &&
      X <= FGaugeLeftMarg + FGaugeWidth) {
    SetValue(GaugeValueAt(X));
    FValueChanged = true;
  }
  const int BX = FLeftSpace + FTextBoxWidth + FButSpace;
  if (FButVisible && X > BX && X < BX + FButWidth && Y > 0 && Y < FButHeight)
    StepButton(Y <= FButHeight / 2);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y) {
  if (X > FLeftSpace + FTextBoxWidth) FMouseAreaCode = 2;
  else if (X > FLeftSpace) FMouseAreaCode = 1;
  else FMouseAreaCode = 0;
  if (Shift & ssLeft) {
    const int G = GaugeZone();
    if (Y > 0 && Y < Height() - G) {
      const int D = XCoordsToCharPos(X);
      if (FSelBegin < D) SetSelEnd(D);
      else SetSelBegin(D);
    }
    if (FGaugeVisib && FGaugeWidth > 0 && Y > Height() - G && X >= FGaugeLeftMarg - 1 &&
        X <= FGaugeLeftMarg + FGaugeWidth + 1) {
      const double V = GaugeValueAt(X);
      SetValue(V);
      FValueChanged = true;
      if (OnGaugeChange) OnGaugeChange(this, Shift, V);
      Q_EMIT gaugeChanged(V);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FValueChanged) {
    FValueChanged = false;
    Changed();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::Click() {
  SetFocus();
  TCustomControl::Click();
}

// ==== painting =============================================================

TNumIO2::TGeometry TNumIO2::Geometry() const {
  TGeometry G{};
  G.W = Width();
  G.H = Height();
  G.L = FLeftSpace;
  G.TBW = FTextBoxWidth;
  G.G = GaugeZone();
  G.P3 = FButVisible ? FButWidth + FButSpace : 0;
  G.BX = G.L + G.TBW + FButSpace;
  G.HB = FButHeight / 2;
  return G;
}

void TNumIO2::Paint() {
  if ((!Visible() && !Designing()) || FSuppressPaint) return;
  TCanvas& C = Canvas();
  C.Font().Assign(Font());
  TGeometry G = Geometry();
  const int TH = Metrics().height();  // line height, as "(8g]}ÜÄ§" measures it
  G.BB = G.H - G.G - 4;
  G.TY = (G.H - G.G - TH) / 2;

  C.SetCopyMode(host::cmSrcCopy);
  const double V = Value();
  const bool Warn = V < FMinimum || V > FMaximum;
  // The background can be kept unless the box's bevels reach into the gauge
  // zone (a field too low for its gauge).
  const bool Keepable = G.BB + 3 < G.H - G.G && C.Width() == G.W && C.Height() == G.H;
  TBackgroundKey Key = BackgroundKey(G, Warn);
  if (Keepable && FBackgroundKey && *FBackgroundKey == Key &&
      FBackground.size() == C.Target()->size()) {
    C.DrawImage(Rect(0, 0, G.W, G.H), FBackground, Rect(0, 0, G.W, G.H));
  } else {
    C.Pen().SetColor(FColorOutBG);
    C.Brush().SetColor(FColorOutBG);
    C.FillRect(Rect(0, 0, G.W, G.H));
    DrawLeftText(G);
    if (FButVisible) DrawButtons(G);
    DrawRightText(G);
    if (FGaugeVisib) DrawGaugeBackground(G);
    if (Keepable) {
      DrawTextBox(G, Warn);
      C.Flush();
      FBackground = C.Target()->copy();
      FBackgroundKey = std::make_unique<TBackgroundKey>(std::move(Key));
    } else {
      FBackgroundKey.reset();
    }
  }
  if (FGaugeVisib) DrawGaugeBar(G, V);
  if (!Keepable) DrawTextBox(G, Warn);
  DrawNumber(G, Warn);
  DrawSelection(G);
}

TNumIO2::TBackgroundKey TNumIO2::BackgroundKey(const TGeometry& G, bool Warn) const {
  return {G, Warn, Enabled(), FButVisible, FBut3D, FGaugeVisib, host::StyleServicesEnabled(),
          FButWidth, FGaugeWidth, FGaugeHeight, FGaugeLeftMarg, FGaugeTopMarg, FFrameStyle,
          FGaugeFrameSt, FLTAlignment, FRTAlignment,
          {FButColor, FColorBoxBG, FColorOutBG, FColorOutText, FColBlackLine, FColGrayLine,
           FColWhiteLine, FColorWarnBG, FGaugeColorBg, FGaugeColorFrm},
          palette().cacheKey(), FLeftText, FRightText, FFontGeneration};
}

// Outer texts: plain when enabled, embossed (white under gray) when disabled.
void TNumIO2::DrawOuterText(const QString& Text, int X, int Y) {
  TCanvas& C = Canvas();
  if (Enabled()) {
    C.Font().SetColor(FColorOutText);
    C.TextOut(X, Y, Text);
    return;
  }
  C.Brush().SetStyle(host::bsClear);
  C.Font().SetColor(clWhite);
  C.TextOut(X + 1, Y + 1, Text);
  C.Font().SetColor(clGray);
  C.TextOut(X, Y, Text);
  C.Brush().SetStyle(host::bsSolid);
}

void TNumIO2::DrawLeftText(const TGeometry& G) {
  const int LW = Canvas().TextWidth(FLeftText);
  int X = 7;
  if (FLTAlignment == taRightJustify) X = G.L - LW - 5;
  else if (FLTAlignment == taCenter) X = (G.L - LW) / 2;
  DrawOuterText(FLeftText, X, G.TY);
}

void TNumIO2::DrawButtons(const TGeometry& G) {
  TCanvas& C = Canvas();
  const int BX = G.BX, BW = FButWidth, HB = G.HB;
  auto Line = [&C](std::initializer_list<TPoint> Points) {
    auto P = Points.begin();
    C.MoveTo(P->X, P->Y);
    for (++P; P != Points.end(); ++P) C.LineTo(P->X, P->Y);
  };
  C.Pen().SetColor(clGray);
  C.Brush().SetColor(FButColor);
  C.Rectangle(BX, 0, BX + BW + 1, 2 * HB - 1);
  Line({{BX, HB - 1}, {BX + BW, HB - 1}});
  if (FBut3D) {
    C.Pen().SetColor(clWhite);
    Line({{BX + 1, 2 * HB - 3}, {BX + 1, HB}, {BX + BW, HB}});
    Line({{BX + 1, HB - 2}, {BX + 1, 1}, {BX + BW, 1}});
    C.Pen().SetColor(clBlack);
    Line({{BX + 1, 2 * HB - 1}, {BX + BW + 1, 2 * HB - 1}, {BX + BW + 1, 1}});
  }
  // Arrows of 2, 4 and 6 pixels: the tip up in the upper button, down in the lower.
  C.Pen().SetColor(Enabled() ? clBlack : clGray);
  const int X = BX + BW / 2, Q = HB / 2;
  for (int Row = 0; Row < 3; ++Row) {
    Line({{X - Row, Q - 1 + Row}, {X + 2 + Row, Q - 1 + Row}});
    Line({{X - Row, HB + Q - Row}, {X + 2 + Row, HB + Q - Row}});
  }
}

void TNumIO2::DrawRightText(const TGeometry& G) {
  const int RW = Canvas().TextWidth(FRightText);
  const int BoxEnd = G.L + G.P3 + G.TBW;
  int X = BoxEnd + 7;
  if (FRTAlignment == taRightJustify) X = G.W - RW - 6;
  else if (FRTAlignment == taCenter) X = (G.W - (BoxEnd + RW)) / 2 + BoxEnd + 1;
  Canvas().Brush().SetColor(FColorOutBG);
  DrawOuterText(FRightText, X, G.TY);
}

// The two bevel line groups of a frame: upper-left from (X1 + 1, BottomY) up
// and right, lower-right along Y2 and X2.
//   style 2 sunken: black / white   3 raised: white / black
//   style 4: gray / gray            5: white / white
void TNumIO2::DrawBevelGroups(int X1, int Y1, int X2, int Y2, int BottomY, TFrameStyle Style) {
  TCanvas& C = Canvas();
  TColor UpperLeft = FColGrayLine, LowerRight = FColGrayLine;
  if (Style == fsLowered) {
    UpperLeft = FColBlackLine;
    LowerRight = FColWhiteLine;
  } else if (Style == fsRaised) {
    UpperLeft = FColWhiteLine;
    LowerRight = FColBlackLine;
  } else if (Style == fsEngraved) {
    UpperLeft = LowerRight = FColWhiteLine;
  }
  C.Pen().SetColor(UpperLeft);
  C.MoveTo(X1 + 1, BottomY);
  C.LineTo(X1 + 1, Y1 + 1);
  C.LineTo(X2 - 1, Y1 + 1);
  C.Pen().SetColor(LowerRight);
  C.MoveTo(X1 + 1, Y2);
  C.LineTo(X2, Y2);
  C.LineTo(X2, Y1);
}

// The gauge's background and frame; the bar goes into what the frame leaves.
void TNumIO2::DrawGaugeBackground(const TGeometry& G) {
  TCanvas& C = Canvas();
  const int GX1 = FGaugeLeftMarg, GX2 = GX1 + FGaugeWidth;
  const int GY1 = G.H - G.G + FGaugeTopMarg, GY2 = GY1 + FGaugeHeight;
  C.Pen().SetColor(FGaugeFrameSt != fsNone ? FGaugeColorFrm : FGaugeColorBg);
  C.Brush().SetColor(FGaugeColorBg);
  C.Rectangle(GX1, GY1, GX2, GY2);
  if (FGaugeFrameSt == fsNone) return;
  TColor Outline = FColGrayLine;
  if (FGaugeFrameSt == fsSimple) Outline = FGaugeColorFrm;
  else if (FGaugeFrameSt == fsEmbossed) Outline = FColWhiteLine;
  C.Pen().SetColor(Outline);
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(GX1, GY1, GX2, GY2);
  C.Brush().SetStyle(host::bsSolid);
  if (FGaugeFrameSt >= fsLowered) DrawBevelGroups(GX1, GY1, GX2, GY2, GY2 - 2, FGaugeFrameSt);
}

// The bar (GX1, GY1) .. (GX1 + Round(GaugeWidth * F), GY2) as it shows under
// the frame: the outline covers its edge, the upper-left bevel one more line.
void TNumIO2::DrawGaugeBar(const TGeometry& G, double V) {
  const int GX1 = FGaugeLeftMarg, GX2 = GX1 + FGaugeWidth;
  const int GY1 = G.H - G.G + FGaugeTopMarg, GY2 = GY1 + FGaugeHeight;
  double F = FMaximum != FMinimum ? (V - FMinimum) / (FMaximum - FMinimum) : 1.0;
  F = std::clamp(F, 0.0, 1.0);
  const int BarEnd = GX1 + int(std::nearbyint(FGaugeWidth * F));
  if (BarEnd <= GX1) return;
  const int Covered = FGaugeFrameSt == fsNone ? 0 : FGaugeFrameSt == fsSimple ? 1 : 2;
  const int Right = FGaugeFrameSt == fsNone ? GX2 : GX2 - 1;
  const int Bottom = FGaugeFrameSt == fsNone ? GY2 : GY2 - 1;
  TCanvas& C = Canvas();
  C.Brush().SetColor(Enabled() ? FGaugeColor : clGray);
  C.FillRect(Rect(GX1 + Covered, GY1 + Covered, std::min(BarEnd, Right), Bottom));
}

TColor TNumIO2::BoxBrush(bool Warn) const {
  if (!Enabled()) return clSilver;
  return Warn ? DrawColor(FColorWarnBG) : FColorBoxBG;
}

void TNumIO2::DrawTextBox(const TGeometry& G, bool Warn) {
  TCanvas& C = Canvas();
  const int L = G.L, TBW = G.TBW;
  TColor Pen = FColGrayLine;
  if (FFrameStyle == fsNone) Pen = Enabled() ? FColorBoxBG : clSilver;
  else if (FFrameStyle == fsEmbossed) Pen = FColWhiteLine;
  const TColor Brush = BoxBrush(Warn);
  if (Warn && FFrameStyle == fsNone && Enabled()) Pen = Brush;
  C.Pen().SetColor(Pen);
  C.Brush().SetColor(Brush);
  if (FFrameStyle <= fsSimple) {
    C.Rectangle(L, 0, L + TBW + 2, G.H - G.G);
    return;
  }
  C.Rectangle(L, 0, L + TBW + 2, G.H - G.G - 1);
  // The box's bevels reach from its top to BB + 3, BB taken before auto-sizing.
  DrawBevelGroups(L, 0, L + TBW + 2, G.BB + 3, G.BB + 1, FFrameStyle);
}

void TNumIO2::DrawNumber(const TGeometry& G, bool Warn) {
  TCanvas& C = Canvas();
  const int L = G.L, TBW = G.TBW;
  const int IW = TextWidthOf(FInBuffer);
  const int CW = TextWidthOf(FInBuffer.left(FCaretPos));
  int X = L + (TBW - IW) / 2 + 2, CX = CW + (TBW - IW) / 2 + 1;
  if (FAlignment == taLeftJustify) {
    X = L + 4;
    CX = CW + 3;
  } else if (FAlignment == taRightJustify) {
    X = L + TBW - IW - 2;
    CX = TBW + CW - IW - 3;
  }
  C.Font().SetColor(!Enabled() ? clGray : Warn ? DrawColor(FColorWarnTxt) : FColorBoxText);
  // The clip rectangle lies inside the box, which already has the box colour.
  C.Brush().SetStyle(host::bsClear);
  C.TextRect(Rect(L + 3, 2, L + TBW - 1, G.H - G.G - 3), X, G.TY, FInBuffer);
  C.Brush().SetStyle(host::bsSolid);
  // Only the field with the focus shows its caret.
  if (FCaretVisib && Focused() && CX > 0 && CX < TBW) {
    C.Pen().SetColor(clBlack);
    C.MoveTo(L + CX, 3);
    C.LineTo(L + CX, G.H - G.G - 3);
  }
}

void TNumIO2::DrawSelection(const TGeometry& G) {
  if (FSelBegin >= FSelEnd || (!Focused() && FHideSel)) return;
  TCanvas& C = Canvas();
  const int X1 = std::clamp(CharPosToXCoords(FSelBegin), G.L, G.L + G.TBW);
  const int X2 = std::clamp(CharPosToXCoords(FSelEnd), G.L, G.L + G.TBW);
  const TRect R = Rect(X1, 3, X2, G.H - G.G - 3);
  C.SetCopyMode(host::cmNotSrcCopy);
  C.CopyRect(R, C, R);
  C.SetCopyMode(host::cmSrcCopy);
}

// ==== TNumIO ===============================================================

TNumIO::TNumIO(QWidget* AOwner) : TCustomEdit(AOwner) { SetEditText(QString()); }

void TNumIO::SetDesigning(bool On) {
  TCustomEdit::SetDesigning(On);
  if (!On) return;
  FMinimum = -uc_MaxDouble;
  FMaximum = uc_MaxDouble;
}

int TNumIO::SepMode() const {
  switch (FDecPSep) {
    case dsSystem: return host::DecimalSeparator() == QChar(',') ? 2 : 1;
    case dsPoint: return 1;
    case dsComma: return 2;
    default: return 3;
  }
}

// Forgets the last accepted text and checks the current one again.
void TNumIO::Recheck() {
  FOldText.clear();
  Change();
}

void TNumIO::SetInputFormat(TInFormat Format) {
  if (Format == FInFormat || Format > itDynamic) return;
  FInFormat = Format;
  Recheck();
}

void TNumIO::SetDecPlaceSep(TDecPSep Sep) {
  if (Sep == FDecPSep) return;
  FDecPSep = Sep;
  Recheck();
}

void TNumIO::SetRangeLow(double Low) {
  if (Low >= FMaximum) {
    FMinimum = FMaximum;
    FMaximum = Low;
  } else {
    FMinimum = Low;
  }
  Recheck();
}

void TNumIO::SetRangeHigh(double High) {
  if (High > FMinimum) {
    FMaximum = High;
  } else {
    FMaximum = FMinimum;
    FMinimum = High;
  }
  Recheck();
}

void TNumIO::Assign(const TNumIO& S) {
  FInFormat = S.FInFormat;
  FBeep = S.FBeep;
  FMinimum = S.FMinimum;
  FMaximum = S.FMaximum;
  FDecPSep = S.FDecPSep;
}

bool TNumIO::ConvertNumString(const QString& Text, double& Value) const {
  if (Text.isEmpty()) return false;
  Value = 0;
  const int Mode = SepMode();
  qsizetype First = 0;
  while (First < Text.size() && Text.at(First) == QChar(' ')) ++First;
  QString S = Text.mid(First);
  if (S.contains(QChar(' '))) return false;
  S = S.toLower();
  if (S.isEmpty()) return true;

  TInFormat Format = FInFormat;
  if (Format == itDynamic) {
    const QChar Prefix = S.at(0);
    Format = Prefix == QChar('$') ? itHex : Prefix == QChar('%') ? itBin : Prefix == QChar('&') ? itOct : itExp;
    if (Format != itExp) S.remove(0, 1);
  }
  int Pos = 1;
  switch (Format) {
    case itExp: {
      // A dangling exponent ("1e", "1e-") reads as the number in front of it.
      const qsizetype E = S.indexOf(QChar('e'));
      if (E >= 0 && (E == S.size() - 1 ||
                     (E == S.size() - 2 && (S.at(E + 1) == QChar('+') || S.at(E + 1) == QChar('-')))))
        S.truncate(E);
      Value = double(ScanFloatNumber(S, true, Mode, Pos));
      break;
    }
    case itFloat:
    case itFixPoint: Value = double(ScanFloatNumber(S, false, Mode, Pos)); break;
    default: {
      // Integers beyond 32 bits are refused rather than wrapped into range;
      // digit texts keep their two's-complement view within 32 bits.
      const int Base = Format == itHex ? 16 : Format == itOct ? 8 : Format == itBin ? 2 : 10;
      const TIntScan Scan = Base == 10 ? ScanIntNumberChecked(S, Pos) : ScanDigitsChecked(S, Base, Pos);
      Value = Scan.Wrapped;
      if (!Scan.Fits) return false;
      break;
    }
  }
  return Pos == S.size() + 1;
}

double TNumIO::Value() const {
  QString S = Text();
  // The comma becomes a point only where the point is a separator; with the
  // comma as the only separator the text is read as it stands.
  if (SepMode() != 2) {
    const qsizetype Comma = S.indexOf(QChar(','));
    if (Comma >= 0) S[Comma] = QChar('.');
    if (S.endsWith(QChar('.'))) S += QChar('0');
  }
  double V = 0;
  return ConvertNumString(S, V) ? V : 0;
}

void TNumIO::SetValue(double V) {
  switch (FInFormat) {
    case itExp:
    case itDynamic: SetEditText(FormatNumberText(12, -2, V)); break;
    case itFloat: SetEditText(FormatNumberText(1, 8, V)); break;
    case itFixPoint: SetEditText(FormatNumberText(1, FFixPDecPl, V)); break;
    case itInt: SetEditText(FormatNumberText(1, 0, V)); break;
    case itHex: SetEditText(HexDigitText(TwosComplementOf(V), 8)); break;
    case itOct: SetEditText(OctDigitText(TwosComplementOf(V), 11)); break;
    case itBin: SetEditText(BinDigitText(TwosComplementOf(V), 32)); break;
  }
}

void TNumIO::SetEditText(const QString& S) {
  // A text the program writes (also through Value) is the one a refused
  // keystroke returns to.
  FOldText = S;
  // An unchanged text sends no change notification, so it must not leave the
  // flag set for the user's next change.
  if (S == Text()) return;
  const int Caret = SelStart();
  FInternalChg = true;
  SetText(S);
  SetSelStart(Caret);
  host::NotifyAccessibleValue(this, Value());
}

// Set as a program sets Value, and reported as a typed change is.
void TNumIO::SetAccessibleValue(double V) {
  if (!std::isfinite(V)) return;
  const QString Before = Text();
  SetValue(std::clamp(V, FMinimum, FMaximum));
  if (Text() != Before) TCustomEdit::Change();
}

//   step                         replacement R           caret
//   fixed point, no "."          last accepted text      before its "."
//   fixed point, two "."         last accepted text      at its "."
//   fixed point, extra decimals  text cut after them     kept
//   number in range (or 0)       fixed point: formatted  kept     accepted, OnChange
//   otherwise                    last accepted text      one back (beep)
void TNumIO::Change() {
  if (Designing()) return;
  if (FInternalChg) {
    FInternalChg = false;
    return;
  }
  const QString Current = Text();
  bool Replace = false;
  QString R;
  if (FInFormat == itFixPoint) {
    qsizetype P = Current.indexOf(QChar('.')) + 1;
    const qsizetype P2 = P > 0 ? Current.indexOf(QChar('.'), P) + 1 : 0;
    if (P == 0) {
      R = FOldText;
      Replace = true;
      P = FOldText.indexOf(QChar('.')) + 1;
      if (P > 1) --P;
      SetSelStart(int(P));
    }
    if (P < P2 || P == 0) {
      R = FOldText;
      Replace = true;
      SetSelStart(int(FOldText.indexOf(QChar('.')) + 1));
    }
    const qsizetype P3 = Current.indexOf(QChar('.')) + 1;
    if (Current.size() - P3 > FFixPDecPl) {
      R = Current.left(P3 + FFixPDecPl);
      Replace = true;
    }
  }
  double V = 0;
  bool Accepted = ConvertNumString(Current, V);
  if (Accepted) {
    if (FInFormat == itFixPoint) {
      R = FormatNumberText(1, FFixPDecPl, V);
      Replace = true;
    }
    Accepted = (V >= FMinimum && V <= FMaximum) || V == 0;
    if (Accepted) {
      FOldText = Replace ? R : Current;
      host::NotifyAccessibleValue(this, V);
      TCustomEdit::Change();
      Q_EMIT valueChanged(Value());
    }
  }
  if (!Accepted) {
    R = FOldText;
    Replace = true;
    SetSelStart(std::max(SelStart() - 1, 0));
    repaint();
    if (FBeep) host::MessageBeep();
  }
  if (Replace) SetEditText(R);
}

QSize TNumIO2::sizeHint() const {
  QSize Hint = TCustomControl::sizeHint();
  if (FAutoSize) Hint.setHeight(Metrics().height() + 6);
  return Hint;
}

}  // namespace qor
