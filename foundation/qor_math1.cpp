#include "foundation/qor_math1.h"

#include <climits>
#include <cmath>

namespace qor {

int IntNeg(double X) {
  if (std::isnan(X)) return 0;
  const double F = std::floor(X);
  if (F <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (F >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(F);
}

bool IsValidDecInt(const QString& Text) {
  const QString T = Text.trimmed();
  qsizetype I = 0;
  bool Negative = false;
  if (I < T.size() && (T[I] == u'+' || T[I] == u'-')) {
    Negative = T[I] == u'-';
    ++I;
  }
  if (I == T.size()) return false;
  // Accumulate the magnitude; one more than INT_MAX is allowed for INT_MIN.
  const long long Limit = Negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long Magnitude = 0;
  for (; I < T.size(); ++I) {
    const char16_t C = T[I].unicode();
    if (C < u'0' || C > u'9') return false;
    Magnitude = Magnitude * 10 + (C - u'0');
    if (Magnitude > Limit) return false;
  }
  return true;
}

}  // namespace qor
