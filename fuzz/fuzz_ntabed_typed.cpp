// Feeds arbitrary text to the table editor's readers of typed input: the
// element reader, the attribute reader and the number text of whatever value
// they produce. Checks: no crash, a refused text leaves the value as it was,
// values finite within +-uc_MaxDouble, attributes within 0..255, number texts
// at least NumWidth characters long (asterisks when the exponent needs three
// digits) for every width and decimal setting.
//
// Input: one flag byte (width, decimals), then the text as UTF-8.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "foundation/qor_univconst.h"
#include "ntabed/qor_ntabed.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const std::uint8_t Flags = Data[0];
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));
  double V = 42;
  if (ReadTypedNumber(Text, V)) Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
  else Check(V == 42);
  int A = 7;
  if (ReadAttribText(Text, A)) Check(A >= 0 && A <= 255);
  else Check(A == 7);
  const int Width = 1 + Flags % 20, Dec = int((Flags >> 5) % 12) - 1;
  const QString S = NTabNumberText(V, Width, Dec);
  Check(S.size() >= Width);
  return 0;
}
