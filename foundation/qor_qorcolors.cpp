#include "foundation/qor_qorcolors.h"

namespace qor {

namespace {

struct TPredefinedColor {
  TColor Color;
  const char* Name;
};

constexpr TPredefinedColor Table[NrPredefinedColors] = {
    {clBlack, "Black"},
    {clMaroon, "Maroon"},
    {clGreen, "Green"},
    {clOlive, "Olive"},
    {clNavy, "Navy"},
    {clPurple, "Purple"},
    {clTeal, "Teal"},
    {clGray, "Gray"},
    {clSilver, "Silver"},
    {clRed, "Red"},
    {clLime, "Lime"},
    {clYellow, "Yellow"},
    {clBlue, "Blue"},
    {clFuchsia, "Fuchsia"},
    {clAqua, "Aqua"},
    {clWhite, "White"},
    {0xC0DCC0, "Money Green"},
    {0xF0CAA6, "Sky Blue"},
    {0xF0FBFF, "Cream"},
    {0xA4A0A0, "Medium Gray"},
    {clScrollBar, "Scroll Bar"},
    {clBackground, "Desktop"},
    {clActiveCaption, "Active Caption"},
    {clInactiveCaption, "Inactive Caption"},
    {clMenu, "Menu"},
    {clWindow, "Window"},
    {clWindowFrame, "Window Frame"},
    {clMenuText, "Menu Text"},
    {clWindowText, "Window Text"},
    {clCaptionText, "Caption Text"},
    {clActiveBorder, "Active Border"},
    {clInactiveBorder, "Inactive Border"},
    {clAppWorkSpace, "Application Workspace"},
    {clHighlight, "Highlight"},
    {clHighlightText, "Highlight Text"},
    {clBtnFace, "Button Face"},
    {clBtnShadow, "Button Shadow"},
    {clGrayText, "Gray Text"},
    {clBtnText, "Button Text"},
    {clInactiveCaptionText, "Inactive Caption Text"},
    {clBtnHighlight, "Button Highlight"},
    {cl3DDkShadow, "3D Dark Shadow"},
    {cl3DLight, "3D Light"},
    {clInfoText, "Info Text"},
    {clInfoBk, "Info Background"},
    {clHotLight, "Hot Light"},
    {clGradientActiveCaption, "Gradient Active Caption"},
};

bool Valid(int Index) { return Index >= 1 && Index <= NrPredefinedColors; }

}  // namespace

TColor PredefinedColors(int Index) { return Valid(Index) ? Table[Index - 1].Color : clBlack; }

QString PredefinedColorName(int Index) {
  return Valid(Index) ? QString::fromLatin1(Table[Index - 1].Name) : QString();
}

}  // namespace qor
