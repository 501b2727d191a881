// Feeds arbitrary documents to the report-list reader (from a string, a file
// and a stream holding a second list behind it), to CheckIfValidReplist (file
// and stream) and to the line import. A failed read must leave the content as
// it was; a successful one must give a list that writes and reads back to an
// equal list, and leave a stream just behind the list.
//
// Input: one byte choosing the identifier asked for, then the document.
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "replist/qor_rldata.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

QStringList Snapshot(const TRLData& D) {
  QStringList L{QString::number(D.NrOfColumns()), QString::number(D.NrOfRows()),
                D.CommonHeader(), D.Comment()};
  for (int C = 1; C <= D.NrOfColumns(); ++C)
    L << D.Header(C) << D.ColumnFormat(C) << QString::number(D.ColumnCheckMode(C));
  for (int R = 1; R <= D.NrOfRows(); ++R)
    for (int C = 0; C <= D.NrOfColumns(); ++C) L << D.Strings().GetString(C, R);
  return L;
}

// Equal content; large tables (mostly empty rows) compared by their documents.
bool SameContent(TRLData& A, TRLData& B) {
  const long long Cells = (long long)A.NrOfRows() * (A.NrOfColumns() + 1);
  if (Cells <= (1 << 16)) return Snapshot(A) == Snapshot(B);
  return A.WriteToXMLString(QString()) == B.WriteToXMLString(QString());
}

// A small list that every failed read must leave alone.
void Prefill(TRLData& D) {
  D.SetNrCols(2);
  D.SetNrRows(2);
  D.SetColName(1, "Name");
  D.SetColCheckMode(2, cmBox);
  D.SetElem(1, 1, "one");
  D.SetElem(2, 2, "two");
  D.SetElemChecked(2, 2, true);
  D.SetComment("kept");
}

const QString& TempFile() {
  static const QString Path =
      QDir::tempPath() + QStringLiteral("/fuzz_replist_xml_%1.xml").arg(QCoreApplication::applicationPid());
  return Path;
}

void Init() {
  static int Argc = 1;
  static char Name[] = "fuzz_replist_xml";
  static char* Argv[] = {Name, nullptr};
  static QCoreApplication* App = new QCoreApplication(Argc, Argv);
  (void)App;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  Init();
  static const char* const Ids[] = {"", "Alpha", "beta", " x "};
  const QString Id = QString::fromLatin1(Ids[Data[0] % 4]);
  const QByteArray Doc(reinterpret_cast<const char*>(Data + 1), qsizetype(Size - 1));

  TRLData D;
  Prefill(D);
  const QStringList Before = Snapshot(D);
  if (D.ReadFromXMLString(QString::fromUtf8(Doc), Id)) {
    // What was read writes and reads back to the same list.
    TRLData Again;
    Check(Again.ReadFromXMLString(D.WriteToXMLString(D.DataID()), D.DataID()));
    Check(SameContent(Again, D));
    // Written twice into one stream, both copies read back in turn.
    QByteArray Twice;
    QBuffer Out(&Twice);
    Out.open(QIODevice::WriteOnly);
    D.WriteToXMLStream(&Out, true, QStringLiteral("first"));
    D.WriteToXMLStream(&Out, false, QStringLiteral("second"));
    Out.close();
    QBuffer In(&Twice);
    In.open(QIODevice::ReadOnly);
    TRLData First, Second;
    Check(First.ReadFromXMLStream(&In, QString()) && First.DataID() == QStringLiteral("first"));
    Check(Second.ReadFromXMLStream(&In, QString()) && Second.DataID() == QStringLiteral("second"));
    Check(In.atEnd() || In.peek(2).trimmed().isEmpty());
    Check(SameContent(Second, D));
  } else {
    Check(Snapshot(D) == Before);
  }

  {
    QFile F(TempFile());
    Check(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
    F.write(Doc);
  }
  TRLData FromFile;
  Prefill(FromFile);
  if (!FromFile.LoadFromXMLFile(TempFile(), Id)) Check(Snapshot(FromFile) == Before);

  const bool InFile = CheckIfValidReplist(TempFile(), Id);
  QBuffer Buf;
  Buf.setData(Doc);
  Buf.open(QIODevice::ReadOnly);
  Check(CheckIfValidReplist(&Buf, Id) == InFile);

  TRLData Lines;
  Lines.SetNrCols(1);
  const int Count = Lines.LoadLinesFromFile(1, 1 + Data[0] % 3, TempFile());
  Check(Count >= 0 && Lines.NrOfRows() >= Count);
  for (int R = 1; R <= Lines.NrOfRows(); ++R) Check(Lines.GetElem(1, R).size() <= 255);
  return 0;
}
