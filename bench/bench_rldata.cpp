// The report-list data container at 10^3, 10^5 and 10^6 rows x 5 columns:
// fill, sort by a text and by a numeric column, XML save and load, clipboard
// copy of everything, and memory per cell; beside QStandardItemModel's fill
// and sort, QXmlStreamReader tokenizing the same document and
// QXmlStreamWriter writing the same elements.
//
// Every case ends in bounded time. QStandardItemModel::sort of 10^6 rows runs
// for more than ten minutes, so that size is left out (and reported so).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QBuffer>
#include <QStandardItemModel>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <memory>
#include <vector>

#include "replist/qor_rldata.h"

namespace {

constexpr int Cols = 5;
constexpr int TextCol = 1, NumberCol = 2;

// Cell texts: column 1 words, column 2 numbers, the others short mixed texts.
QString CellText(int Col, int Row) {
  std::uint32_t H = std::uint32_t(Row) * 2654435761u ^ std::uint32_t(Col) * 40503u;
  H ^= H >> 13;
  H *= 0x5bd1e995u;
  H ^= H >> 15;
  if (Col == NumberCol) return QString::number(double(H % 10000000) / 100.0, 'f', 2);
  QString S;
  const int Len = 4 + int(H % 7);
  for (int K = 0; K < Len; ++K) {
    S += QChar(char16_t(((H >> K) & 1 ? 'a' : 'A') + (H >> (K * 3)) % 26));
  }
  return Col == TextCol ? S : S + QString::number(Col);
}

const std::vector<QString>& Cells(int Rows) {
  static std::vector<QString> Cache;
  static int CachedRows = 0;
  if (CachedRows != Rows) {
    Cache.clear();
    Cache.reserve(std::size_t(Rows) * Cols);
    for (int R = 1; R <= Rows; ++R)
      for (int C = 1; C <= Cols; ++C) Cache.push_back(CellText(C, R));
    CachedRows = Rows;
  }
  return Cache;
}

void Fill(qor::TRLData& D, int Rows) {
  const auto& T = Cells(Rows);
  D.SetNrCols(Cols);
  D.SetNrRows(Rows);
  for (int R = 1; R <= Rows; ++R)
    for (int C = 1; C <= Cols; ++C) D.SetElem(C, R, T[std::size_t(R - 1) * Cols + C - 1]);
}

void Fill(QStandardItemModel& M, int Rows) {
  const auto& T = Cells(Rows);
  M.setColumnCount(Cols);
  M.setRowCount(Rows);
  for (int R = 0; R < Rows; ++R)
    for (int C = 0; C < Cols; ++C) {
      const QString& S = T[std::size_t(R) * Cols + C];
      M.setItem(R, C, new QStandardItem(QString(S.constData(), S.size())));  // its own copy
    }
}

void RowArgs(benchmark::internal::Benchmark* B) {
  B->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

// Sizes a peer finishes in bounded time.
constexpr int PeerSortMaxRows = 100000;

// Reports a peer case left out at this size.
bool LeftOut(benchmark::State& State, int MaxRows) {
  if (State.range(0) <= MaxRows) return false;
  State.SkipWithError("left out at this size: the Qt peer does not finish in bounded time");
  return true;
}

void BM_RLDataFill(benchmark::State& State) {
  const int Rows = int(State.range(0));
  Cells(Rows);
  for (auto _ : State) {
    qor::TRLData D;
    Fill(D, Rows);
    benchmark::DoNotOptimize(D.NrOfRows());
  }
  State.SetItemsProcessed(State.iterations() * Rows * Cols);
}
BENCHMARK(BM_RLDataFill)->Apply(RowArgs);

void BM_StandardModelFill(benchmark::State& State) {
  const int Rows = int(State.range(0));
  Cells(Rows);
  for (auto _ : State) {
    QStandardItemModel M;
    Fill(M, Rows);
    benchmark::DoNotOptimize(M.rowCount());
  }
  State.SetItemsProcessed(State.iterations() * Rows * Cols);
}
BENCHMARK(BM_StandardModelFill)->Apply(RowArgs);

void SortRLData(benchmark::State& State, int Col) {
  const int Rows = int(State.range(0));
  qor::TRLData D;
  Fill(D, Rows);
  bool Ascending = true;
  for (auto _ : State) {
    D.Sort(Col, -1, Ascending);
    Ascending = !Ascending;
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}

void SortModel(benchmark::State& State, int Col) {
  if (LeftOut(State, PeerSortMaxRows)) {
    for (auto _ : State) {
    }
    return;
  }
  const int Rows = int(State.range(0));
  QStandardItemModel M;
  Fill(M, Rows);
  bool Ascending = true;
  for (auto _ : State) {
    M.sort(Col - 1, Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    Ascending = !Ascending;
  }
  State.SetItemsProcessed(State.iterations() * Rows);
}

void BM_RLDataSortText(benchmark::State& State) { SortRLData(State, TextCol); }
void BM_RLDataSortNumber(benchmark::State& State) { SortRLData(State, NumberCol); }
void BM_StandardModelSortText(benchmark::State& State) { SortModel(State, TextCol); }
void BM_StandardModelSortNumber(benchmark::State& State) { SortModel(State, NumberCol); }
// Sorts run for a second at every size, so that 10^6 rows are measured over
// several sorts like the smaller sizes, not by a single cold one.
BENCHMARK(BM_RLDataSortText)->Apply(RowArgs)->MinTime(1.0);
BENCHMARK(BM_StandardModelSortText)->Apply(RowArgs);
BENCHMARK(BM_RLDataSortNumber)->Apply(RowArgs)->MinTime(1.0);
BENCHMARK(BM_StandardModelSortNumber)->Apply(RowArgs);

// Documents with entities: every cell of the text column carries "&", "<" and
// a quote, so the writer escapes and the reader decodes in every row.
void FillForXml(qor::TRLData& D, int Rows) {
  Fill(D, Rows);
  for (int R = 1; R <= Rows; ++R)
    D.SetElem(TextCol, R, D.Elem(TextCol, R) + QStringLiteral(" & <\"co\">"));
}

const QByteArray& XmlDocument(int Rows) {
  static QByteArray Doc;
  static int CachedRows = 0;
  if (CachedRows != Rows) {
    Doc.clear();
    qor::TRLData D;
    FillForXml(D, Rows);
    QBuffer Buf(&Doc);
    Buf.open(QIODevice::WriteOnly);
    D.WriteToXMLStream(&Buf, true, QStringLiteral("bench"));
    CachedRows = Rows;
  }
  return Doc;
}

// Both writers write into the same reused buffer, so that its growth (the
// same for both) is not measured as writing.
// The buffer both writers write into, grown and touched before timing starts:
// otherwise whichever case first writes a size pays for growing the buffer and
// faulting its pages in (at 10^6 rows more than the writing itself).
QByteArray& OutputStore(int Rows) {
  static QByteArray Store;
  const qsizetype Needed = qsizetype(Rows) * 320;
  if (Store.capacity() < Needed) {
    Store.resize(Needed, '\0');
    Store.resize(0);
  }
  return Store;
}

void BM_RLDataXmlSave(benchmark::State& State) {
  const int Rows = int(State.range(0));
  qor::TRLData D;
  FillForXml(D, Rows);
  QByteArray& Store = OutputStore(Rows);
  qint64 Bytes = 0;
  for (auto _ : State) {
    QBuffer Buf(&Store);
    Buf.open(QIODevice::WriteOnly | QIODevice::Truncate);
    D.WriteToXMLStream(&Buf, true, QStringLiteral("bench"));
    Bytes += Buf.size();
  }
  State.SetBytesProcessed(Bytes);
}
BENCHMARK(BM_RLDataXmlSave)->Apply(RowArgs);

// The same elements (document header, list element with its attributes,
// counts, common header, one cell element with two attributes per non-empty
// cell) through Qt's general XML writer.
void BM_QXmlStreamWriterSameElements(benchmark::State& State) {
  const int Rows = int(State.range(0));
  qor::TRLData D;
  FillForXml(D, Rows);
  const QString Col[] = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                         QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
  QByteArray& Store = OutputStore(Rows);
  qint64 Bytes = 0;
  for (auto _ : State) {
    QBuffer Buf(&Store);
    Buf.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QXmlStreamWriter W(&Buf);
    W.writeStartDocument();
    W.writeStartElement(QStringLiteral("replist"));
    W.writeAttribute(QStringLiteral("marker"), QStringLiteral("kelvanory"));
    W.writeAttribute(QStringLiteral("id"), QStringLiteral("bench"));
    W.writeTextElement(QStringLiteral("numcols"), QString::number(D.NrOfColumns()));
    W.writeTextElement(QStringLiteral("numrows"), QString::number(D.NrOfRows()));
    W.writeTextElement(QStringLiteral("commonheader"), D.CommonHeader());
    for (int R = 1; R <= Rows; ++R) {
      const QString RowText = QString::number(R);
      for (int C = 0; C <= Cols; ++C) {
        const QStringView S = D.Strings().StringView(C, R);
        if (S.isEmpty()) continue;
        W.writeStartElement(QStringLiteral("cell"));
        W.writeAttribute(QStringLiteral("col"), Col[C]);
        W.writeAttribute(QStringLiteral("row"), RowText);
        W.writeCharacters(S.toString());
        W.writeEndElement();
      }
    }
    W.writeEndDocument();
    Bytes += Buf.size();
  }
  State.SetBytesProcessed(Bytes);
}
BENCHMARK(BM_QXmlStreamWriterSameElements)->Apply(RowArgs);

void BM_RLDataXmlLoad(benchmark::State& State) {
  const int Rows = int(State.range(0));
  QByteArray Doc = XmlDocument(Rows);
  qor::TRLData Target;
  for (auto _ : State) {
    QBuffer Buf(&Doc);
    Buf.open(QIODevice::ReadOnly);
    if (!Target.ReadFromXMLStream(&Buf, QStringLiteral("bench"))) State.SkipWithError("read failed");
  }
  State.SetBytesProcessed(State.iterations() * Doc.size());
}
BENCHMARK(BM_RLDataXmlLoad)->Apply(RowArgs);

// Qt's general XML reader tokenizing the same document from the same kind
// of device, touching every element's attributes and text.
void BM_QXmlStreamReaderTokenize(benchmark::State& State) {
  const int Rows = int(State.range(0));
  QByteArray Doc = XmlDocument(Rows);
  qint64 Seen = 0;
  for (auto _ : State) {
    QBuffer Buf(&Doc);
    Buf.open(QIODevice::ReadOnly);
    QXmlStreamReader X(&Buf);
    while (!X.atEnd()) {
      switch (X.readNext()) {
        case QXmlStreamReader::StartElement: Seen += X.attributes().size(); break;
        case QXmlStreamReader::Characters: Seen += X.text().size(); break;
        default: break;
      }
    }
    if (X.hasError()) State.SkipWithError("tokenizing failed");
  }
  benchmark::DoNotOptimize(Seen);
  State.SetBytesProcessed(State.iterations() * Doc.size());
}
BENCHMARK(BM_QXmlStreamReaderTokenize)->Apply(RowArgs);

void BM_RLDataClipboardAll(benchmark::State& State) {
  const int Rows = int(State.range(0));
  qor::TRLData D;
  Fill(D, Rows);
  for (auto _ : State) D.CopyToClipBoard(1, 1, Cols, Rows, true, true);
  State.SetItemsProcessed(State.iterations() * Rows * Cols);
}
BENCHMARK(BM_RLDataClipboardAll)->Apply(RowArgs);

// Heap bytes per cell as the allocator sees them, of the container and of
// the model holding the same cells.
void BM_RLDataBytesPerCell(benchmark::State& State) {
  const int Rows = int(State.range(0));
  Cells(Rows);
  double PerCell = 0;
  for (auto _ : State) {
    const std::size_t Before = mallinfo2().uordblks;
    auto D = std::make_unique<qor::TRLData>();
    Fill(*D, Rows);
    PerCell = double(mallinfo2().uordblks - Before) / (double(Rows) * Cols);
  }
  State.counters["bytes_per_cell"] = PerCell;
}
BENCHMARK(BM_RLDataBytesPerCell)->Apply(RowArgs)->Iterations(1);

void BM_StandardModelBytesPerCell(benchmark::State& State) {
  const int Rows = int(State.range(0));
  Cells(Rows);
  double PerCell = 0;
  for (auto _ : State) {
    const std::size_t Before = mallinfo2().uordblks;
    auto M = std::make_unique<QStandardItemModel>();
    Fill(*M, Rows);
    PerCell = double(mallinfo2().uordblks - Before) / (double(Rows) * Cols);
  }
  State.counters["bytes_per_cell"] = PerCell;
}
BENCHMARK(BM_StandardModelBytesPerCell)->Apply(RowArgs)->Iterations(1);

}  // namespace
