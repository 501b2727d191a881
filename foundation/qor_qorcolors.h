// The predefined colour table: entries 1..16 the basic VGA palette, 1..20 the
// extended palette, 21..47 system colours (resolved by the host when drawn).
#pragma once

#include <QString>

#include "host/qor_types.h"

namespace qor {

inline constexpr int NrPredefinedColors = 47;
inline constexpr int NrVGAColors = 16;
inline constexpr int NrExtendedColors = 20;

// Entry Index (1..NrPredefinedColors); black outside.
QORKIT_EXPORT TColor PredefinedColors(int Index);
// English name of entry Index ("Maroon", "Button Face"); empty outside.
QORKIT_EXPORT QString PredefinedColorName(int Index);

}  // namespace qor
