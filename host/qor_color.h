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
