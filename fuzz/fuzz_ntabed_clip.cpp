// Feeds arbitrary clipboard text to the table editor's number extraction and
// to the block-size reader, and checks: no crash, every number finite within
// +-uc_MaxDouble, positions counting from 0 and bounded by the text, sizes at
// least 1 and covering every number extracted (rows from the first number's line), and both readers agreeing on
// whether the text holds a number. Then the text goes through a real editor's
// extraction into a small table, which must keep its size.
//
// Input: the text as UTF-8.
#include <QApplication>
#include <QClipboard>
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

QApplication* App() {
  static int Argc = 1;
  static char Name[] = "fuzz_ntabed_clip";
  static char* Argv[] = {Name, nullptr};
  static QApplication* A = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(Argc, Argv);
  }();
  return A;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  App();
  const QString Text = QString::fromUtf8(reinterpret_cast<const char*>(Data), qsizetype(Size));
  int MaxN = -1, MaxLine = -1, FirstLine = -1;
  const bool Any = ScanClipNumbers(Text, [&](int N, int Line, double V) {
    Check(std::isfinite(V) && std::fabs(V) <= uc_MaxDouble);
    Check(N >= 0 && Line >= 0 && N <= Text.size() && Line <= Text.size());
    if (FirstLine < 0) FirstLine = Line;
    MaxN = std::max(MaxN, N);
    MaxLine = std::max(MaxLine, Line);
  });
  int NCols = 0, NRows = 0;
  const bool Sized = ClipMatrixSize(Text, NCols, NRows);
  Check(Sized == Any);
  Check(NCols >= 1 && NRows >= 1);
  // Rows count from the line of the first number.
  if (Any) Check(NCols >= MaxN + 1 && NRows >= MaxLine - FirstLine + 1);
  for (int Pos = 0; Pos < std::min<int>(int(Text.size()), 8); ++Pos) {
    int P = Pos;
    const double V = ReadClipNumber(Text, P);
    Check(std::isfinite(V) && P >= Pos && P <= Text.size() + 1);  // one blank follows the text
  }
  static TNTabEd* Editor = new TNTabEd;
  Editor->Redimension(4, 3);
  Editor->SetSelection({3, 2, 3, 2});
  QApplication::clipboard()->setText(Text);
  Editor->ExtractFromClipboard();
  Check(Editor->NrOfColumns() == 4 && Editor->NrOfRows() == 3);
  // The clipboard may not keep every character (a NUL ends its text): the
  // editor reads what it holds.
  int C = 0, R = 0, CC = 0, CR = 0;
  Check(Editor->GetClipMatrixSize(C, R) == ClipMatrixSize(QApplication::clipboard()->text(), CC, CR));
  Check(C == CC && R == CR);
  return 0;
}
