// Report-list documents, the line import and the HTML export.
//
// A report list is written as
//
//   <?xml version="1.0" encoding="UTF-8"?>          (only with CreateHeader)
//   <replist marker="kelvanory" id="Alpha">
//   <numcols>3</numcols>
//   <numrows>2</numrows>
//   <commonheader>Sales</commonheader>
//   <comment>first quarter</comment>
//   <colname col="1">Region</colname>
//   <columnformat col="1">[s][120]</columnformat>
//   <checkedcolumn col="2">1</checkedcolumn>         (0 none, 1 box, 2 radio)
//   <cell col="1" row="1">North</cell>               (stored text, check flag included)
//   </replist>
//
// one element per line; only non-empty cells and non-default column settings
// are written, rows in their current order. Texts escape & < > " as entities
// and every character below the blank, and any unpaired surrogate, as a
// numeric reference, so that every text reads back exactly.
//
// The reader takes the document as untrusted: counts are bounded, elements
// that address cells or columns outside the declared counts are skipped, as
// are unknown elements; an unterminated element, a mismatched end tag or a
// missing "</replist>" fail the read. A list is read into a scratch object
// and only a complete read replaces the content.
#include <QFile>
#include <QTextStream>
#include <algorithm>

#include "foundation/qor_streams.h"
#include "replist/qor_rldata.h"
#include "replist/qor_rlprivate_p.h"

namespace qor {

const std::array<const char*, 10> RepListXmlTagText = {
    "numcols", "numrows", "colname", "checkedcolumn", "commonheader",
    "columnformat", "cell", "comment", "/replist", "invalidtag"};
const char* const RepListMarker = "kelvanory";

namespace {

// Bounds for documents read from outside.
constexpr int MaxReadColumns = 4096;
constexpr int MaxReadRows = 10000000;
constexpr long long MaxReadCells = 50000000;  // rows x (columns + 1)
// Longest element (tag plus content) the reader accepts, in characters.
constexpr qsizetype MaxElementLength = 1 << 22;
// Longest line taken from an open text file.
constexpr qint64 MaxLineLength = 1 << 22;

QString TagText(TRepListXmlTag Tag) { return QString::fromLatin1(RepListXmlTagText[Tag]); }

TRepListXmlTag TagOf(QStringView Name) {
  for (int T = xmlNumCols; T < xmlInvalid; ++T)
    if (Name.compare(QLatin1String(RepListXmlTagText[T]), Qt::CaseInsensitive) == 0)
      return TRepListXmlTag(T);
  return xmlInvalid;
}

// ---- Escaping

void AppendEscaped(QString& Out, QStringView Text) {
  for (qsizetype I = 0; I < Text.size(); ++I) {
    const QChar C = Text[I];
    switch (C.unicode()) {
      case u'&': Out += QLatin1String("&amp;"); continue;
      case u'<': Out += QLatin1String("&lt;"); continue;
      case u'>': Out += QLatin1String("&gt;"); continue;
      case u'"': Out += QLatin1String("&quot;"); continue;
      default: break;
    }
    if (C.isHighSurrogate() && I + 1 < Text.size() && Text[I + 1].isLowSurrogate()) {
      Out += C;
      Out += Text[++I];
      continue;
    }
    if (C.unicode() < 0x20 || C.isSurrogate()) {
      Out += QLatin1String("&#") + QString::number(C.unicode()) + u';';
      continue;
    }
    Out += C;
  }
}

QString Escaped(QStringView Text) {
  QString Out;
  AppendEscaped(Out, Text);
  return Out;
}

// Decodes the entities AppendEscaped writes plus &apos; and hexadecimal
// references; anything else after "&" stays as it is.
QString Unescaped(QStringView Text) {
  if (!Text.contains(u'&')) return Text.toString();
  QString Out;
  Out.reserve(Text.size());
  qsizetype I = 0;
  while (I < Text.size()) {
    const QChar C = Text[I];
    const qsizetype Semi = C == u'&' ? Text.indexOf(u';', I + 1) : -1;
    if (Semi < 0 || Semi - I > 12) {
      Out += C;
      ++I;
      continue;
    }
    const QStringView Name = Text.mid(I + 1, Semi - I - 1);
    static const std::pair<const char*, char16_t> Named[] = {
        {"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''}};
    bool Done = false;
    for (const auto& [N, Ch] : Named) {
      if (Name == QLatin1String(N)) {
        Out += QChar(Ch);
        Done = true;
        break;
      }
    }
    if (!Done && Name.size() >= 2 && Name[0] == u'#') {
      const bool Hex = Name[1] == u'x' || Name[1] == u'X';
      bool Ok = false;
      const uint Code = Name.mid(Hex ? 2 : 1).toUInt(&Ok, Hex ? 16 : 10);
      if (Ok && Code <= 0x10FFFF) {
        if (Code > 0xFFFF) {
          const char32_t Wide = Code;
          Out += QString::fromUcs4(&Wide, 1);
        } else {
          Out += QChar(char16_t(Code));
        }
        Done = true;
      }
    }
    if (Done) {
      I = Semi + 1;
    } else {
      Out += C;
      ++I;
    }
  }
  return Out;
}

// ---- Header lines

// The identifier of a report-list header line: after the first id=" up to the
// next double quote, blanks around it removed, entities decoded. Returns
// false when Line is no header line.
bool HeaderLineId(QStringView Line, QString& Id) {
  if (!Line.contains(QLatin1String("<replist"), Qt::CaseInsensitive) ||
      !Line.contains(QLatin1String(RepListMarker), Qt::CaseInsensitive))
    return false;
  Id.clear();
  const qsizetype Opener = Line.indexOf(QLatin1String("id=\""), 0, Qt::CaseInsensitive);
  if (Opener >= 0) {
    const qsizetype Start = Opener + 4;
    const qsizetype End = Line.indexOf(u'"', Start);
    Id = Unescaped(Line.mid(Start, (End < 0 ? Line.size() : End) - Start)).trimmed();
  }
  return true;
}

bool IdMatches(const QString& Id, const QString& Wanted) {
  const QString W = Wanted.trimmed();
  return W.isEmpty() || Id.compare(W, Qt::CaseInsensitive) == 0;
}

// ---- Sources of document text

// Text after the header line, in pieces.
class TSource {
 public:
  virtual ~TSource() = default;
  // Appends more text to Buf; false at the end.
  virtual bool More(QString& Buf) = 0;
};

// Line by line, so that an open file stands right after the list when done.
class TLineSource : public TSource {
 public:
  explicit TLineSource(QTextStream& TF) : FTF(TF) {}
  bool More(QString& Buf) override {
    if (FTF.atEnd()) return false;
    Buf += u'\n';
    Buf += FTF.readLine(MaxLineLength);
    return true;
  }
  // Header search: the next line, false at the end.
  bool NextLine(QString& Line) {
    if (FTF.atEnd()) return false;
    Line = FTF.readLine(MaxLineLength);
    return true;
  }

 private:
  QTextStream& FTF;
};

// ---- The reader

struct TAttr {
  int Col = -1;
  int Row = -1;
};

// Reads col="n" and row="n" from the attribute text of a tag.
TAttr ReadAttributes(QStringView Tag) {
  TAttr A;
  qsizetype I = 0;
  while (I < Tag.size()) {
    const qsizetype Eq = Tag.indexOf(u'=', I);
    if (Eq < 0) break;
    const QStringView Name = Tag.mid(I, Eq - I).trimmed();
    qsizetype V = Eq + 1;
    while (V < Tag.size() && Tag[V].isSpace()) ++V;
    if (V >= Tag.size() || (Tag[V] != u'"' && Tag[V] != u'\'')) break;
    const qsizetype Close = Tag.indexOf(Tag[V], V + 1);
    if (Close < 0) break;
    bool Ok = false;
    const int Value = Tag.mid(V + 1, Close - V - 1).trimmed().toInt(&Ok);
    if (Ok && Name.compare(QLatin1String("col"), Qt::CaseInsensitive) == 0) A.Col = Value;
    if (Ok && Name.compare(QLatin1String("row"), Qt::CaseInsensitive) == 0) A.Row = Value;
    I = Close + 1;
  }
  return A;
}

}  // namespace

// Parses the body of one list into a scratch TRLData.
class TRLDataReader {
 public:
  TRLDataReader(TRLData& Target, TSource& Source, QString Rest)
      : FT(Target), FSource(Source), FBuf(std::move(Rest)) {}

  // True when the list ended with its end tag and every element was sound.
  bool Read() {
    for (;;) {
      const qsizetype Lt = FBuf.indexOf(u'<', FPos);
      if (Lt < 0) {
        FPos = FBuf.size();
        if (!Refill()) return false;
        continue;
      }
      const qsizetype Gt = FBuf.indexOf(u'>', Lt + 1);
      if (Gt < 0) {
        FPos = Lt;
        if (!Refill()) return false;
        continue;
      }
      const QStringView Tag = QStringView(FBuf).mid(Lt + 1, Gt - Lt - 1);
      if (Tag.startsWith(u'/')) {
        if (Tag.mid(1).trimmed().compare(QLatin1String("replist"), Qt::CaseInsensitive) == 0)
          return true;
        FPos = Gt + 1;  // a stray end tag
        continue;
      }
      if (Tag.startsWith(u'?') || Tag.startsWith(u'!')) {
        FPos = Gt + 1;
        continue;
      }
      qsizetype NameEnd = 0;
      while (NameEnd < Tag.size() && !Tag[NameEnd].isSpace() && Tag[NameEnd] != u'/') ++NameEnd;
      const QString Name = Tag.left(NameEnd).toString();
      if (Tag.endsWith(u'/')) {
        Apply(Name, Tag.mid(NameEnd, Tag.size() - NameEnd - 1), QString());
        FPos = Gt + 1;
        continue;
      }
      if (TagOf(Name) == xmlInvalid) {
        // An unknown element is skipped with everything up to its end tag.
        const qsizetype End = FBuf.indexOf(QStringLiteral("</") + Name, Gt + 1, Qt::CaseInsensitive);
        const qsizetype EndGt = End < 0 ? -1 : FBuf.indexOf(u'>', End);
        if (EndGt < 0) {
          FPos = Lt;
          if (!Refill()) return false;
          continue;
        }
        FPos = EndGt + 1;
        continue;
      }
      // The content runs to the next "<", which must open the matching end tag.
      const qsizetype EndLt = FBuf.indexOf(u'<', Gt + 1);
      const qsizetype EndGt = EndLt < 0 ? -1 : FBuf.indexOf(u'>', EndLt + 1);
      if (EndGt < 0) {
        FPos = Lt;
        if (!Refill()) return false;
        continue;
      }
      const QStringView EndTag = QStringView(FBuf).mid(EndLt + 1, EndGt - EndLt - 1);
      if (!EndTag.startsWith(u'/') ||
          EndTag.mid(1).trimmed().compare(Name, Qt::CaseInsensitive) != 0)
        return false;
      if (!Apply(Name, Tag.mid(NameEnd),
                 Unescaped(QStringView(FBuf).mid(Gt + 1, EndLt - Gt - 1))))
        return false;
      FPos = EndGt + 1;
    }
  }

 private:
  // Drops what is parsed and appends more text; false at the end of the
  // document or when one element grows beyond the bound.
  bool Refill() {
    FBuf.remove(0, FPos);
    FPos = 0;
    if (FBuf.size() > MaxElementLength) return false;
    return FSource.More(FBuf);
  }

  static bool ReadCount(const QString& Text, int Max, int& Count) {
    bool Ok = false;
    Count = Text.trimmed().toInt(&Ok);
    return Ok && Count >= 0 && Count <= Max;
  }

  bool Apply(const QString& Name, QStringView Attributes, const QString& Text) {
    const TAttr A = ReadAttributes(Attributes);
    int N = 0;
    switch (TagOf(Name)) {
      case xmlNumCols:
        if (!ReadCount(Text, MaxReadColumns, N) || N < 1) return false;
        if ((long long)std::max(FT.FNrOfRows, 1) * (N + 1) > MaxReadCells) return false;
        FT.SetNrCols(N);
        break;
      case xmlNumRows:
        if (!ReadCount(Text, MaxReadRows, N)) return false;
        if ((long long)std::max(N, 1) * (FT.FNrOfCols + 1) > MaxReadCells) return false;
        FT.SetNrRows(N);
        break;
      case xmlColName: FT.SetColName(A.Col, Text); break;
      case xmlColumnFormat: FT.SetColumnFormat(A.Col, Text); break;
      case xmlCheckedColumn:
        // Cells carry their flags already, so the mode is set as it is.
        if (ReadCount(Text, cmRadio, N) && FT.ValidCol(A.Col)) FT.FColButMode[A.Col - 1] = TCheckMode(N);
        break;
      case xmlCommonHd: FT.FCommonHeader = Text; break;
      case xmlComment: FT.FComment = Text; break;
      case xmlCell:
        if (A.Col >= 0 && A.Col <= FT.FNrOfCols && FT.ValidRow(A.Row))
          FT.FStrings->SetString(A.Col, A.Row, Text);
        if (++FCells % FT.FFeedbkStep == 0 && FT.OnPercentDone)
          FT.OnPercentDone(&FT, int(std::min(100LL, FCells * 100 / FT.FFeedbkNumCells)));
        break;
      default: break;
    }
    return true;
  }

  TRLData& FT;
  TSource& FSource;
  QString FBuf;
  qsizetype FPos = 0;
  long long FCells = 0;
};

namespace {

// Finds the header line of the wanted list; Rest is what follows its start tag.
bool FindList(TLineSource& Lines, const QString& DataID, QString& Id, QString& Rest) {
  QString Line;
  while (Lines.NextLine(Line)) {
    if (!HeaderLineId(Line, Id) || !IdMatches(Id, DataID)) continue;
    const qsizetype Start = Line.indexOf(QLatin1String("<replist"), 0, Qt::CaseInsensitive);
    const qsizetype Gt = Line.indexOf(u'>', std::max<qsizetype>(Start, 0));
    Rest = Gt < 0 ? QString() : Line.mid(Gt + 1);
    return true;
  }
  return false;
}

}  // namespace

bool TRLData::ReadXML(QTextStream& TF, const QString& DataID) {
  TLineSource Lines(TF);
  QString Id, Rest;
  if (!FindList(Lines, DataID, Id, Rest)) return false;
  TRLData Scratch;
  Scratch.OnPercentDone = OnPercentDone ? [this](TObject*, int P) { OnPercentDone(this, P); }
                                        : TOnPercentDoneEvent();
  try {
    TRLDataReader Reader(Scratch, Lines, Rest);
    if (!Reader.Read()) return false;
  } catch (const EQORError&) {
    return false;  // the declared size could not be held
  }
  Scratch.FDataID = Id;
  TakeContent(Scratch);
  if (OnPercentDone) OnPercentDone(this, 100);
  return true;
}

bool TRLData::ReadFromOpenXMLFile(QTextStream& TF, const QString& DataID) {
  return ReadXML(TF, DataID);
}

bool TRLData::ReadFromXMLString(const QString& InString, const QString& DataID) {
  QString Copy = InString;
  QTextStream TF(&Copy, QIODevice::ReadOnly);
  return ReadXML(TF, DataID);
}

bool TRLData::ReadFromXMLStream(QIODevice* InStream, const QString& DataID) {
  if (!InStream || !InStream->isReadable()) return false;
  QTextStream TF(InStream);
  return ReadXML(TF, DataID);
}

bool TRLData::LoadFromXMLFile(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  QTextStream TF(&F);
  return ReadXML(TF, DataID);
}

// ---- Writing

void TRLData::WriteXML(QTextStream& TF, bool CreateHeader, const QString& DataID) {
  QString Buf;
  const auto Flush = [&] {
    TF << Buf;
    Buf.clear();
  };
  const auto Element = [&](TRepListXmlTag Tag, const QString& Attributes, QStringView Text) {
    const QString Name = TagText(Tag);
    Buf += u'<' + Name + Attributes + u'>';
    AppendEscaped(Buf, Text);
    Buf += QLatin1String("</") + Name + QLatin1String(">\n");
  };
  const auto ColAttr = [](int C) -> QString { return QStringLiteral(" col=\"") + QString::number(C) + u'"'; };

  if (CreateHeader) Buf += QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  Buf += QLatin1String("<replist marker=\"") + QLatin1String(RepListMarker) +
         QLatin1String("\" id=\"") + Escaped(DataID) + QLatin1String("\">\n");
  Element(xmlNumCols, QString(), QString::number(FNrOfCols));
  Element(xmlNumRows, QString(), QString::number(FNrOfRows));
  Element(xmlCommonHd, QString(), FCommonHeader);
  if (!FComment.isEmpty()) Element(xmlComment, QString(), FComment);
  for (int C = 1; C <= FNrOfCols; ++C) {
    if (FColName[C - 1] != QStringLiteral("C-") + QString::number(C))
      Element(xmlColName, ColAttr(C), FColName[C - 1]);
    if (!FColumnFormat[C - 1].isEmpty()) Element(xmlColumnFormat, ColAttr(C), FColumnFormat[C - 1]);
    if (FColButMode[C - 1] != cmNone)
      Element(xmlCheckedColumn, ColAttr(C), QString::number(int(FColButMode[C - 1])));
  }
  rl::TFeedback Progress(this, (long long)FNrOfRows * (FNrOfCols + 1));
  for (int R = 1; R <= FNrOfRows; ++R) {
    QString RowAttr;
    for (int C = 0; C <= FNrOfCols; ++C) {
      const QStringView S = FStrings->StringView(C, R);
      if (S.isEmpty()) continue;
      if (RowAttr.isEmpty()) RowAttr = QStringLiteral("\" row=\"") + QString::number(R) + u'"';
      Buf += QLatin1String("<cell col=\"") + QString::number(C) + RowAttr + u'>';
      AppendEscaped(Buf, S);
      Buf += QLatin1String("</cell>\n");
    }
    Progress.Advance(FNrOfCols + 1);
    if (Buf.size() > 1 << 16) Flush();
  }
  Buf += QLatin1String("</replist>\n");
  Flush();
}

void TRLData::WriteToOpenXMLFile(QTextStream& TF, bool CreateHeader, const QString& DataID) {
  WriteXML(TF, CreateHeader, DataID);
  TF.flush();
  if (TF.status() != QTextStream::Ok)
    throw EQORError(QStringLiteral("TRLData.WriteToOpenXMLFile: the list could not be written"));
}

void TRLData::WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID) {
  if (!OutStream || !OutStream->isWritable())
    throw EQORError(QStringLiteral("TRLData.WriteToXMLStream: the stream is not writable"));
  QTextStream TF(OutStream);
  WriteXML(TF, CreateHeader, DataID);
  TF.flush();
  if (TF.status() != QTextStream::Ok)
    throw EQORError(QStringLiteral("TRLData.WriteToXMLStream: the list could not be written"));
}

void TRLData::SaveAsXMLFile(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
    throw EQORError(QStringLiteral("TRLData.SaveAsXMLFile: cannot write \"%1\"").arg(FName));
  WriteToXMLStream(&F, true, DataID);
}

QString TRLData::WriteToXMLString(const QString& DataID) {
  QString Out;
  QTextStream TF(&Out, QIODevice::WriteOnly);
  WriteXML(TF, true, DataID);
  TF.flush();
  return Out;
}

// ---- Recognition

bool CheckIfValidReplist(QIODevice* Stream, const QString& DataID) {
  if (!Stream || !Stream->isReadable()) return false;
  bool Eof = false;
  QString Id;
  while (!Eof) {
    const QString Line = ReadLnStream(*Stream, Eof, 0);
    if (HeaderLineId(Line, Id) && IdMatches(Id, DataID)) return true;
  }
  return false;
}

bool CheckIfValidReplist(const QString& FName, const QString& DataID) {
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly))
    throw EQORError(QStringLiteral("CheckIfValidReplist: cannot open \"%1\"").arg(FName));
  return CheckIfValidReplist(&F, DataID);
}

// ---- Line import

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const QString& FName) {
  if (Column < 0 || Column > FNrOfCols) return -1;
  QFile F(FName);
  if (!F.open(QIODevice::ReadOnly)) return -1;
  FirstRow = std::max(FirstRow, 1);
  rl::TChangeBatch Batch(*FStrings, true);
  rl::TFeedback Progress(this, F.size());
  int Count = 0;
  bool Eof = F.atEnd();
  while (!Eof) {
    const qint64 Before = F.pos();
    // Longer lines are cut to the cell length anyway.
    const QString Line = ReadLnStream(F, Eof, TStringArray::MaxTextLength * 4);
    const long long Row = (long long)FirstRow + Count;
    if (Row > MaxReadRows) break;
    if (Row > FNrOfRows) SetNrRows(int(Row));
    SetElem(Column, int(Row), Line);
    ++Count;
    Progress.Advance(F.pos() - Before);
  }
  return Count;
}

// ---- HTML export

bool TRLData::ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                              const QList<int>& ColumnSelection, int Border, int CellSpacing,
                              int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                              const QString& CellClass, const QString& TableClass) {
  LoC = std::max(LoC, 0);
  HiC = std::min(HiC, FNrOfCols);
  LoR = std::max(LoR, 1);
  HiR = std::min(HiR, FNrOfRows);
  QList<int> Columns;
  if (ColumnSelection.isEmpty()) {
    for (int C = LoC; C <= HiC; ++C) Columns.append(C);
  } else {
    for (int C : ColumnSelection)
      if (C >= LoC && C <= HiC) Columns.append(C);
  }
  QFile F(FName);
  if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream TF(&F);

  const auto ClassAttr = [](const QString& Class) -> QString {
    return Class.isEmpty() ? QString() : QStringLiteral(" class=\"") + Escaped(Class) + u'"';
  };
  // Line feeds in headers and cells become line breaks.
  const auto HtmlText = [](const QString& Text) -> QString {
    return Escaped(Text).replace(QLatin1String("&#10;"), QLatin1String("<br>"));
  };
  QString Buf;
  Buf += QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>") +
         HtmlText(FCommonHeader) + QLatin1String("</title>\n</head>\n<body>\n<table") +
         ClassAttr(TableClass) + QStringLiteral(" border=\"%1\" cellspacing=\"%2\" cellpadding=\"%3\">\n")
                                     .arg(Border)
                                     .arg(CellSpacing)
                                     .arg(Cellpadding);
  if (IncludeHeader) {
    Buf += QLatin1String("<tr>");
    for (int C : Columns) {
      QString Text = GetColName(C);
      BeforeHTMLExport(Text, C, 0);
      Buf += QLatin1String("<th") + ClassAttr(HeadClass) + u'>' + HtmlText(Text) +
             QLatin1String("</th>");
    }
    Buf += QLatin1String("</tr>\n");
  }
  const QString CellOpen = QLatin1String("<td") + ClassAttr(CellClass) + u'>';
  rl::TFeedback Progress(this, (long long)Columns.size() * std::max(HiR - LoR + 1, 0));
  for (int R = LoR; R <= HiR; ++R) {
    Buf += QLatin1String("<tr>");
    for (int C : Columns) {
      QString Text = GetElem(C, R);
      BeforeHTMLExport(Text, C, R);
      Buf += CellOpen + HtmlText(Text) + QLatin1String("</td>");
    }
    Buf += QLatin1String("</tr>\n");
    Progress.Advance(Columns.size());
    if (Buf.size() > 1 << 16) {
      TF << Buf;
      Buf.clear();
    }
  }
  Buf += QLatin1String("</table>\n</body>\n</html>\n");
  TF << Buf;
  TF.flush();
  return TF.status() == QTextStream::Ok && F.error() == QFileDevice::NoError;
}

}  // namespace qor
