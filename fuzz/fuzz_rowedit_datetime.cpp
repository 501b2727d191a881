// Feeds arbitrary texts and formats to the row editor's date/time reader.
// A reading either succeeds, fails with one of the three error codes and the
// value 0, or names no valid date or time and raises EQORRepListError; any
// other outcome (a crash, another exception) is a finding. What was read is
// written back in the same format without fault.
//
// Input: one byte giving the format's length, the format, then the text (UTF-8).
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "host/qor_forms.h"
#include "replist/qor_replist.h"
#include "replist/qor_rowedit.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::size_t FormatLength = std::min<std::size_t>(Data[0], Size - 1);
  const char* Bytes = reinterpret_cast<const char*>(Data + 1);
  const QString Format = QString::fromUtf8(Bytes, qsizetype(FormatLength));
  const QString Text = QString::fromUtf8(Bytes + FormatLength, qsizetype(Size - 1 - FormatLength));

  int Error = 1;
  TDateTime Value = 0;
  try {
    Value = ReadDateTimeText(Text, Format, Error);
  } catch (const EQORRepListError&) {
    return 0;
  }
  Check(Error == drOK || Error == drLiteralMismatch || Error == drBadToken || Error == drBadField);
  if (Error != drOK) {
    Check(Value == 0);
    return 0;
  }
  Check(std::isfinite(Value));
  // Years 1..9999 lie within these day numbers.
  Check(Value > -693594 && Value < 2958466);
  const QString Written = host::FormatDateTimeTokens(Format, Value);
  Check(Written.size() <= Format.size() * 9 + 16);
  return 0;
}
