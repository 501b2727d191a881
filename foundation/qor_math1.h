// Small numeric helpers of the numerics services.
#pragma once

#include <QString>

#include "qorkit_export.h"

namespace qor {

// The largest integer not greater than X (rounds towards minus infinity, also
// for negative X). Saturates at the int range; NaN gives 0.
QORKIT_EXPORT int IntNeg(double X);

// True when Text is a decimal integer that fits 32 bits: optional blanks
// around, an optional sign, then at least one digit 0..9 and nothing else.
QORKIT_EXPORT bool IsValidDecInt(const QString& Text);

}  // namespace qor
