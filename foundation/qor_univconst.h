// Universal constants and the calendar name tables in four languages.
#pragma once

#include <QString>

#include "foundation/qor_qorbase.h"

namespace qor {

// The largest finite double.
inline constexpr double uc_MaxDouble = 1.7976931348623157e308;
// Larger than any distance or coordinate the components compute, yet small
// enough that sums and products of two such values stay finite.
inline constexpr double uc_MaxReal = 1.0e38;
// Natural logarithm of 10.
inline constexpr double uc_ln10 = 2.30258509299404568402;

// Language indices run lgEnglish (1) .. lgSpanish (4).
constexpr TLanguage MaxLanguage = lgSpanish;

// Month names by language 1..4 and month 1..12: full names of at most 10
// characters, short names of at most 4. Empty outside the ranges.
QORKIT_EXPORT QString MonthLong(TLanguage Language, int Month);
QORKIT_EXPORT QString MonthShort(TLanguage Language, int Month);
// Two-letter weekday abbreviations by language 1..4 and day 0..6, Monday = 0.
// Empty outside the ranges.
QORKIT_EXPORT QString WeekDayShort(TLanguage Language, int Day);

}  // namespace qor
