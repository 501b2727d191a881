#include "host/qor_color.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <array>

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

}  // namespace qor::host
