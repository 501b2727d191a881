#include "foundation/qor_streams.h"

#include <QByteArray>
#include <algorithm>

namespace qor {

QString ReadLnStream(QIODevice& Stream, bool& EndOfStream, int MaxLength) {
  const qsizetype Limit = MaxLength > 0 ? MaxLength : ReadLnMaxLength;
  QByteArray Line;
  char Chunk[4096];
  for (;;) {
    const qint64 Got = Stream.peek(Chunk, sizeof Chunk);
    if (Got <= 0) break;
    const char* End = std::find_if(Chunk, Chunk + Got, [](char C) { return C == '\n' || C == '\r'; });
    const qint64 Text = End - Chunk;
    const qsizetype Room = Limit - Line.size();
    Line.append(Chunk, static_cast<qsizetype>(std::min<qint64>(Text, Room)));
    if (Text == Got) {
      Stream.skip(Got);
      continue;
    }
    Stream.skip(Text + 1);
    if (*End == '\r') {
      char Next = 0;
      if (Stream.peek(&Next, 1) == 1 && Next == '\n') Stream.skip(1);
    }
    break;
  }
  EndOfStream = Stream.atEnd();
  return QString::fromUtf8(Line);
}

}  // namespace qor
