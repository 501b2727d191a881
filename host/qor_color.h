// Colour services: resolving system colours, conversion to Qt, and the
// palette-driven style mode.
//
// System colours (0xFF0000nn) resolve from a fixed classic table, so pixels are
// deterministic. When the application turns the style engine on, system colours
// and the style colours below come from the widget's QPalette instead (a dark
// palette gives dark components).
#pragma once

#include <QColor>

#include "host/qor_types.h"

class QWidget;

namespace qor::host {

// Style colours and style font colours the components ask for under styles.
enum TStyleColor : std::uint8_t {
  scWindow, scGrid, scBorder, scPanel, scButtonNormal, scButtonDisabled, scEdit,
  scListView, scGenericBackground
};
enum TStyleFont : std::uint8_t {
  sfPanelTextNormal, sfPanelTextDisabled, sfButtonTextNormal, sfButtonTextDisabled,
  sfEditBoxTextNormal, sfEditBoxTextDisabled, sfWindowTextNormal, sfGridItemNormal,
  sfGridItemSelected, sfHeaderSectionTextNormal
};

QORKIT_EXPORT void SetStyleServicesEnabled(bool Enabled);
QORKIT_EXPORT bool StyleServicesEnabled();

// RGB value (0x00BBGGRR) of any colour; system colours resolved for Widget
// (or the application palette when Widget is null).
QORKIT_EXPORT TColor ColorToRGB(TColor Color, const QWidget* Widget = nullptr);
QORKIT_EXPORT QColor ToQColor(TColor Color, const QWidget* Widget = nullptr);
QORKIT_EXPORT TColor FromQColor(const QColor& Color);
constexpr TColor RGB(int R, int G, int B) {
  return TColor(R & 0xFF) | (TColor(G & 0xFF) << 8) | (TColor(B & 0xFF) << 16);
}
constexpr int GetRValue(TColor C) { return int(C & 0xFF); }
constexpr int GetGValue(TColor C) { return int((C >> 8) & 0xFF); }
constexpr int GetBValue(TColor C) { return int((C >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor C) { return (C & 0xFF000000u) == 0xFF000000u; }

// The platform's colour name: the identifier of a named colour ("clRed",
// "clBtnFace", "clMoneyGreen"), else "$00BBGGRR" in hexadecimal.
QORKIT_EXPORT QString ColorToString(TColor Color);

QORKIT_EXPORT TColor StyleColor(TStyleColor Color, const QWidget* Widget = nullptr);

// Dark palettes. With the style engine on and a dark palette (for Widget, or
// the application's), the plain colours a component paints with are carried
// over to the palette so that classic light faces do not glare from a dark
// window, and no text sinks into what it is drawn on:
//
//   colour                              becomes
//   white, classic light greys (fills)  Base, Window, Button, Mid by lightness
//   pale tints (lightness >= 0.75)      the same hue, dark
//   near black, as a line or outline    WindowText (ink stays visible)
//   saturated and dark colours          unchanged
//   a text colour below the palette's   the palette text role (or black or
//   own text contrast on its background white) that contrasts best
//
// With the style engine off, or a light palette, every function here returns
// the colour unchanged (system colours resolved), so classic pixels hold.
enum TColorUse : std::uint8_t { cuFill, cuLine };
QORKIT_EXPORT bool DarkPaletteActive(const QWidget* Widget = nullptr);
QORKIT_EXPORT TColor PaletteColor(TColor Color, TColorUse Use, const QWidget* Widget = nullptr);
QORKIT_EXPORT TColor ReadableTextColor(TColor Text, TColor Background,
                                       const QWidget* Widget = nullptr);
// Luminance contrast ratio of two RGB colours, 1 (equal) to 21 (black/white).
QORKIT_EXPORT double ContrastRatio(TColor A, TColor B);
QORKIT_EXPORT TColor StyleFontColor(TStyleFont Font, const QWidget* Widget = nullptr);

}  // namespace qor::host

namespace qor {
using host::ColorToRGB;
using host::ColorToString;
using host::FromQColor;
using host::GetBValue;
using host::GetGValue;
using host::GetRValue;
using host::RGB;
using host::ToQColor;
}  // namespace qor
