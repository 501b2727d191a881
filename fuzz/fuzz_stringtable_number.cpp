// Feeds arbitrary text to the string table's numeric reading of a cell and to
// its cell order: the number must be finite and within the double range, the
// scan must stay inside the text, and the order must agree with itself.
//
// Input: UTF-8 text; a 0 byte splits it into two cells that are compared.
#include <QCoreApplication>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "foundation/qor_dstruct.h"
#include "foundation/qor_univconst.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

struct TState {
  TStringArray Table;
  QCollator Collator = CellCollator();
  TState() { Table.Resize(1, 2); }
};

TState& State() {
  static int Argc = 1;
  static char Name[] = "fuzz_stringtable_number";
  static char* Argv[] = {Name, nullptr};
  static QCoreApplication* App = new QCoreApplication(Argc, Argv);
  (void)App;
  static TState* S = new TState;
  return *S;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TState& S = State();
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), qsizetype(Size));
  const qsizetype Split = Bytes.indexOf('\0');
  const QString A = QString::fromUtf8(Split < 0 ? Bytes : Bytes.left(Split));
  const QString B = Split < 0 ? QString() : QString::fromUtf8(Bytes.mid(Split + 1));

  double V = 0;
  const int Used = ScanDecimalNumber(A, V);
  Check(Used >= 0 && Used <= A.size());
  Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
  Check(Used > 0 || V == 0);

  S.Table.SetString(1, 1, A);
  S.Table.SetString(1, 2, B);
  const double Cell = S.Table.GetAsNumber(1, 1);
  Check(std::isfinite(Cell));
  if (A.size() <= TStringArray::MaxTextLength) Check(Cell == V);

  // The order is antisymmetric, and sorting two cells follows it.
  const int AB = CompareCellTexts(S.Table.StringView(1, 1), S.Table.StringView(1, 2), S.Collator);
  const int BA = CompareCellTexts(S.Table.StringView(1, 2), S.Table.StringView(1, 1), S.Collator);
  Check((AB < 0) == (BA > 0) && (AB == 0) == (BA == 0));
  S.Table.Sort(1, -1, true);
  Check(S.Table.GetSortOrder(1) == (AB > 0 ? 2 : 1));  // equal cells keep their order
  S.Table.UnSort();
  return 0;
}
