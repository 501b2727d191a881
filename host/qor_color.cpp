#include "host/qor_color.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace qor::host {
namespace {

bool StyleEngine = false;

// The classic system colours, as RGB triples, by system colour index.
constexpr std::array<TColor, 31> ClassicSystemColors = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240)};

QPalette PaletteOf(const QWidget* Widget) {
  return Widget ? Widget->palette() : QApplication::palette();
}

TColor FromRole(const QWidget* Widget, QPalette::ColorRole Role,
                QPalette::ColorGroup Group = QPalette::Active) {
  return FromQColor(PaletteOf(Widget).color(Group, Role));
}

// System colour index to palette role when the style engine is on.
TColor PaletteSystemColor(unsigned Index, const QWidget* Widget) {
  switch (Index) {
    case 5: return FromRole(Widget, QPalette::Base);
    case 7: case 8: return FromRole(Widget, QPalette::WindowText);
    case 4: case 15: case 22: case 30: return FromRole(Widget, QPalette::Button);
    case 16: return FromRole(Widget, QPalette::Mid);
    case 17: return FromRole(Widget, QPalette::WindowText, QPalette::Disabled);
    case 18: return FromRole(Widget, QPalette::ButtonText);
    case 20: return FromRole(Widget, QPalette::Light);
    case 21: return FromRole(Widget, QPalette::Shadow);
    case 13: case 29: return FromRole(Widget, QPalette::Highlight);
    case 14: return FromRole(Widget, QPalette::HighlightedText);
    case 23: return FromRole(Widget, QPalette::ToolTipText);
    case 24: return FromRole(Widget, QPalette::ToolTipBase);
    default: return Index < ClassicSystemColors.size() ? ClassicSystemColors[Index] : clBlack;
  }
}

struct TColorIdent {
  TColor Color;
  const char* Name;
};

constexpr TColorIdent ColorIdents[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"}, {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"}, {clNone, "clNone"}};

}  // namespace

QString ColorToString(TColor Color) {
  for (const TColorIdent& I : ColorIdents)
    if (I.Color == Color) return QString::fromLatin1(I.Name);
  return QStringLiteral("$%1").arg(Color, 8, 16, QChar('0')).toUpper();
}

void SetStyleServicesEnabled(bool Enabled) { StyleEngine = Enabled; }
bool StyleServicesEnabled() { return StyleEngine; }

TColor ColorToRGB(TColor Color, const QWidget* Widget) {
  if (!IsSystemColor(Color)) return Color & 0x00FFFFFFu;
  const unsigned Index = Color & 0xFFu;
  if (StyleEngine) return PaletteSystemColor(Index, Widget);
  return Index < ClassicSystemColors.size() ? ClassicSystemColors[Index] : clBlack;
}

QColor ToQColor(TColor Color, const QWidget* Widget) {
  const TColor C = ColorToRGB(Color, Widget);
  return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor FromQColor(const QColor& Color) { return RGB(Color.red(), Color.green(), Color.blue()); }

TColor StyleColor(TStyleColor Color, const QWidget* Widget) {
  switch (Color) {
    case scWindow: return FromRole(Widget, QPalette::Window);
    case scGrid: case scEdit: case scListView: return FromRole(Widget, QPalette::Base);
    case scBorder: return FromRole(Widget, QPalette::Mid);
    case scPanel: case scGenericBackground: return FromRole(Widget, QPalette::Window);
    case scButtonNormal: return FromRole(Widget, QPalette::Button);
    case scButtonDisabled: return FromRole(Widget, QPalette::Button, QPalette::Disabled);
  }
  return clBlack;
}

TColor StyleFontColor(TStyleFont Font, const QWidget* Widget) {
  switch (Font) {
    case sfPanelTextNormal: case sfWindowTextNormal: case sfHeaderSectionTextNormal:
      return FromRole(Widget, QPalette::WindowText);
    case sfPanelTextDisabled:
      return FromRole(Widget, QPalette::WindowText, QPalette::Disabled);
    case sfButtonTextNormal: return FromRole(Widget, QPalette::ButtonText);
    case sfButtonTextDisabled: return FromRole(Widget, QPalette::ButtonText, QPalette::Disabled);
    case sfEditBoxTextNormal: case sfGridItemNormal: return FromRole(Widget, QPalette::Text);
    case sfEditBoxTextDisabled: return FromRole(Widget, QPalette::Text, QPalette::Disabled);
    case sfGridItemSelected: return FromRole(Widget, QPalette::HighlightedText);
  }
  return clBlack;
}

namespace {

double Linear(int Channel) {
  const double C = Channel / 255.0;
  return C <= 0.04045 ? C / 12.92 : std::pow((C + 0.055) / 1.055, 2.4);
}

double Luminance(TColor C) {
  return 0.2126 * Linear(GetRValue(C)) + 0.7152 * Linear(GetGValue(C)) +
         0.0722 * Linear(GetBValue(C));
}

TColor Mix(TColor A, TColor B, double T) {
  const auto Ch = [T](int X, int Y) { return int(std::lround(X + (Y - X) * T)); };
  return RGB(Ch(GetRValue(A), GetRValue(B)), Ch(GetGValue(A), GetGValue(B)),
             Ch(GetBValue(A), GetBValue(B)));
}

// Light neutral greys by their value: anchors from white down to the classic
// button shadow, each taken to the palette role that plays its part.
TColor NeutralFill(int Value, const QWidget* Widget) {
  struct TAnchor {
    int Value;
    QPalette::ColorRole Role;
  };
  static constexpr TAnchor Anchors[] = {{255, QPalette::Base},
                                        {240, QPalette::Window},
                                        {192, QPalette::Button},
                                        {128, QPalette::Mid}};
  for (size_t i = 1; i < std::size(Anchors); ++i) {
    if (Value < Anchors[i].Value) continue;
    const TColor Hi = FromRole(Widget, Anchors[i - 1].Role);
    const TColor Lo = FromRole(Widget, Anchors[i].Role);
    return Mix(Lo, Hi, double(Value - Anchors[i].Value) / (Anchors[i - 1].Value - Anchors[i].Value));
  }
  return FromRole(Widget, QPalette::Mid);
}

}  // namespace

bool DarkPaletteActive(const QWidget* Widget) {
  return StyleEngine && PaletteOf(Widget).color(QPalette::Window).lightness() < 128;
}

TColor PaletteColor(TColor Color, TColorUse Use, const QWidget* Widget) {
  const TColor C = ColorToRGB(Color, Widget);
  if (IsSystemColor(Color) || !DarkPaletteActive(Widget)) return C;
  const QColor Q(GetRValue(C), GetGValue(C), GetBValue(C));
  const int Max = std::max({Q.red(), Q.green(), Q.blue()});
  const int Min = std::min({Q.red(), Q.green(), Q.blue()});
  const bool Neutral = Max - Min <= 16;
  if (Neutral && Max >= 128) return NeutralFill(Max, Widget);
  if (Neutral && Max < 64 && Use == cuLine) return FromRole(Widget, QPalette::WindowText);
  const double L = Q.lightnessF();
  if (Neutral || L < 0.75) return C;
  const QColor Dark = QColor::fromHslF(Q.hslHueF(), Q.hslSaturationF(), 0.12 + (1.0 - L) * 0.6);
  return FromQColor(Dark);
}

double ContrastRatio(TColor A, TColor B) {
  const double La = Luminance(A), Lb = Luminance(B);
  return (std::max(La, Lb) + 0.05) / (std::min(La, Lb) + 0.05);
}

TColor ReadableTextColor(TColor Text, TColor Background, const QWidget* Widget) {
  const TColor T = ColorToRGB(Text, Widget), B = ColorToRGB(Background, Widget);
  if (!DarkPaletteActive(Widget)) return T;
  const double Needed = ContrastRatio(FromRole(Widget, QPalette::WindowText),
                                      FromRole(Widget, QPalette::Window));
  if (ContrastRatio(T, B) >= Needed) return T;
  TColor Best = T;
  double BestRatio = ContrastRatio(T, B);
  const auto Try = [&](TColor Candidate) {
    const double R = ContrastRatio(Candidate, B);
    if (R > BestRatio) {
      Best = Candidate;
      BestRatio = R;
    }
  };
  for (QPalette::ColorRole Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                   QPalette::HighlightedText, QPalette::Window, QPalette::Base})
    Try(FromRole(Widget, Role));
  if (BestRatio < Needed) {
    Try(clBlack);
    Try(clWhite);
  }
  return Best;
}

}  // namespace qor::host
