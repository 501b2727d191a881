// Feeds arbitrary text to the edit-based numeric field: its conversion, its
// change check (with refusal and restore) and its value read-back.
//
// Input: one byte selecting input format and separator, then the text as UTF-8.
#include <QApplication>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "foundation/qor_univconst.h"
#include "numio/qor_numio.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

TNumIO& Field() {
  static int Argc = 1;
  static char Name[] = "fuzz_convertnumstring";
  static char* Argv[] = {Name, nullptr};
  static QApplication* App = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(Argc, Argv);
  }();
  (void)App;
  static TNumIO* Edit = new TNumIO;
  return *Edit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  TNumIO& Edit = Field();
  Edit.SetInputFormat(TInFormat(Data[0] % 8));
  Edit.SetDecPlaceSep(TDecPSep((Data[0] >> 3) % 4));
  Edit.SetRangeLow(-uc_MaxDouble);
  Edit.SetRangeHigh(uc_MaxDouble);
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));

  double V = 12345;
  const bool Ok = Edit.ConvertNumString(Text, V);
  Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
  if (Text.isEmpty()) Check(!Ok && V == 12345);

  // Typed into the field: accepted as it stands or replaced by the field.
  Edit.SetText(Text);
  const double Read = Edit.Value();
  Check(std::isfinite(Read));
  Edit.SetValue(Read);
  double Again = 0;
  // Written values always use the point, so comma-only fields are left out.
  if (Edit.DecPlaceSep() != dsComma && (Edit.InputFormat() != itInt || std::fabs(Read) < 2e9)) {
    Check(Edit.ConvertNumString(Edit.Text(), Again) || Edit.Text().contains(QChar('*')));
  }
  return 0;
}
