// Feeds arbitrary bytes to the line reader and the tokenizer: every line must
// respect the length bound and hold no line-end character, the reader must
// finish within one call per input byte (plus one), and the lines with their
// ends must account for the whole input when nothing was cut.
//
// Input: the first byte picks the line bound (1..64, 0 = the default), the
// rest is the stream.
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

#include "foundation/qor_streams.h"
#include "foundation/qor_stringl.h"

using namespace qor;

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const int Bound = Data[0] % 65;
  const QByteArray Bytes(reinterpret_cast<const char*>(Data + 1), static_cast<qsizetype>(Size - 1));
  QBuffer Buffer;
  Buffer.setData(Bytes);
  Buffer.open(QIODevice::ReadOnly);
  bool End = false;
  qsizetype Calls = 0, Utf8 = 0, LineEnds = 0;
  while (!End) {
    Check(++Calls <= Bytes.size() + 1);
    const QString Line = ReadLnStream(Buffer, End, Bound);
    Check(!Line.contains(QChar('\n')) && !Line.contains(QChar('\r')));
    const QByteArray Encoded = Line.toUtf8();
    Check(Bound == 0 || Line.size() <= Bound);
    Utf8 += Encoded.size();
    TOpenStringArray Tokens;
    const int Count = Tokenize(Line, QStringLiteral(" ,;\t"), Tokens);
    Check(Count == Tokens.size());
    for (const QString& T : Tokens) Check(!T.isEmpty() && T.size() <= MaxShortString);
  }
  for (qsizetype I = 0; I < Bytes.size(); ++I)
    LineEnds += Bytes[I] == '\n' && (I == 0 || Bytes[I - 1] != '\r') ? 1 : Bytes[I] == '\r';
  Check(Calls <= LineEnds + 1);
  if (Bound == 0 && Bytes.isValidUtf8()) Check(Utf8 + Bytes.count('\n') + Bytes.count('\r') == Bytes.size());
  return 0;
}
