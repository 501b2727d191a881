// Feeds arbitrary column format strings to the row editor's format reader and
// to the default values the same formats give. The reader never fails: it
// must give a width of at least 1, a default part that is the format's tail,
// and the plain-text reading for formats without a bracket pair.
//
// Input: one byte choosing the row, then the format (UTF-8).
#include <cstdint>
#include <cstdlib>

#include "replist/qor_rldata.h"
#include "replist/qor_rowedit.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const int Row = int(Data[0]) - 8;
  const QString Format =
      QString::fromUtf8(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));

  const TColumnFormat F = ReadColumnFormat(Format);
  Check(F.Width >= 1);
  Check(Format.endsWith(F.DefaultPart));
  if (!Format.contains(u'[') || !Format.contains(u']')) {
    Check(F.Type == QStringLiteral("s") && F.Width == 200 && F.DefaultPart == Format && !F.ReadOnly);
  }
  const QStringList Items = F.Items();
  Check(Items.size() <= F.DefaultPart.size() + 1);
  (void)F.DropDownCount();

  // The stored format (cut to 80 characters) gives a bounded default value.
  TRLData D;
  D.SetNrCols(1);
  D.SetNrRows(1);
  D.SetColumnFormat(1, Format);
  Check(D.GetCellDefaultValue(1, Row).size() <= 1000);
  return 0;
}
