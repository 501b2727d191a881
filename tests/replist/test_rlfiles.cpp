#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>

#include "replist/qor_rldata.h"

using namespace qor;

namespace {

QString WriteFile(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Content) {
  const QString Path = Dir.filePath(Name);
  QFile F(Path);
  EXPECT_TRUE(F.open(QIODevice::WriteOnly));
  F.write(Content);
  return Path;
}

QString ReadFile(const QString& Path) {
  QFile F(Path);
  EXPECT_TRUE(F.open(QIODevice::ReadOnly));
  return QString::fromUtf8(F.readAll());
}

// Every stored text, header, format and mode, for comparing two containers.
QStringList Snapshot(const TRLData& D) {
  QStringList L{QString::number(D.NrOfColumns()), QString::number(D.NrOfRows()),
                D.CommonHeader(), D.Comment()};
  for (int C = 1; C <= D.NrOfColumns(); ++C)
    L << D.Header(C) << D.ColumnFormat(C) << QString::number(D.ColumnCheckMode(C));
  for (int R = 1; R <= D.NrOfRows(); ++R)
    for (int C = 0; C <= D.NrOfColumns(); ++C) L << D.Strings().GetString(C, R);
  return L;
}

// A list whose texts need every kind of escaping.
void MakeHostile(TRLData& D) {
  D.SetNrCols(3);
  D.SetNrRows(3);
  D.SetCommonHeader("Common <b>\"&\"</b>\nsecond line");
  D.SetComment("a'b\r\n\tc");
  D.SetColName(1, "Näme & <id>");
  D.SetColName(2, "C-2");
  D.SetColName(3, "\"quoted\"");
  D.SetColumnFormat(1, "[l][80]x|y|z");
  D.SetColCheckMode(2, cmBox);
  D.SetColCheckMode(3, cmRadio);
  D.SetElem(1, 1, "</cell><cell col=\"1\" row=\"2\">injected");
  D.SetElem(1, 2, "日本語 \U0001F600 &amp; &#38;");
  D.SetElem(1, 3, QString(QChar(0xD800)) + "lone" + QChar(0xDC00));
  D.SetElem(0, 2, QStringLiteral("hidden\x01\x1f") + QChar(0) + "nul");
  D.SetElem(2, 1, "  blanks  ");
  D.SetElemChecked(2, 2, true);
  D.SetElemChecked(3, 3, true);
  D.SetElem(3, 1, QString(255, u'w'));
}

const char* TwoLists =
    "<?xml version=\"1.0\"?>\n"
    "<replist marker=\"kelvanory\" id=\"Alpha\">\n"
    "<numcols>1</numcols><numrows>1</numrows>\n"
    "<cell col=\"1\" row=\"1\">alpha</cell>\n"
    "</replist>\n"
    "<REPLIST MARKER=\"KELVANORY\" ID=\"  Beta \">\n"
    "<numcols>2</numcols>\n<numrows>1</numrows>\n"
    "<cell col=\"2\" row=\"1\">beta</cell>\n"
    "</replist>\n";

}  // namespace

TEST(RLFiles, HostileTextsRoundTripThroughFilesStringsAndStreams) {
  TRLData A;
  MakeHostile(A);
  QTemporaryDir Dir;
  const QString Path = Dir.filePath("list.xml");
  A.SaveAsXMLFile(Path, QStringLiteral("Set 1 \"") + QChar(0));
  TRLData B;
  ASSERT_TRUE(B.LoadFromXMLFile(Path, QStringLiteral("set 1 \"") + QChar(0)));
  EXPECT_EQ(Snapshot(B), Snapshot(A));
  EXPECT_EQ(B.DataID(), QStringLiteral("Set 1 \"") + QChar(0));

  TRLData C;
  ASSERT_TRUE(C.ReadFromXMLString(A.WriteToXMLString("x"), ""));
  EXPECT_EQ(Snapshot(C), Snapshot(A));

  QBuffer Buf;
  Buf.open(QIODevice::ReadWrite);
  A.WriteToXMLStream(&Buf, false, "s");
  Buf.seek(0);
  TRLData E;
  ASSERT_TRUE(E.ReadFromXMLStream(&Buf, "S"));
  EXPECT_EQ(Snapshot(E), Snapshot(A));
  // Nothing in a text can pose as markup.
  EXPECT_FALSE(ReadFile(Path).contains("<cell col=\"1\" row=\"2\">injected"));
}

TEST(RLFiles, SortedListsAreWrittenInTheirCurrentOrder) {
  TRLData A;
  A.SetNrRows(3);
  A.SetElem(1, 1, "c");
  A.SetElem(1, 2, "a");
  A.SetElem(1, 3, "b");
  A.Sort(1, -1, true);
  TRLData B;
  ASSERT_TRUE(B.ReadFromXMLString(A.WriteToXMLString(""), ""));
  EXPECT_EQ(B.GetElem(1, 1), "a");
  EXPECT_EQ(B.GetElem(1, 3), "c");
  EXPECT_EQ(B.LastSortColumn(), -1);
}

TEST(RLFiles, SeveralListsInOneOpenFile) {
  TRLData A, B;
  A.SetNrRows(1);
  A.SetElem(1, 1, "first");
  B.SetNrCols(2);
  B.SetNrRows(2);
  B.SetElem(2, 2, "second");
  QTemporaryDir Dir;
  QFile F(Dir.filePath("multi.xml"));
  ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Text));
  {
    QTextStream TF(&F);
    A.WriteToOpenXMLFile(TF, true, "one");
    B.WriteToOpenXMLFile(TF, false, "two");
  }
  F.close();
  ASSERT_TRUE(F.open(QIODevice::ReadOnly | QIODevice::Text));
  QTextStream TF(&F);
  TRLData R1, R2;
  ASSERT_TRUE(R1.ReadFromOpenXMLFile(TF, ""));
  ASSERT_TRUE(R2.ReadFromOpenXMLFile(TF, ""));  // continues after the first list
  EXPECT_EQ(R1.GetElem(1, 1), "first");
  EXPECT_EQ(R2.GetElem(2, 2), "second");
  EXPECT_EQ(R2.DataID(), "two");
  TRLData R3;
  EXPECT_FALSE(R3.ReadFromOpenXMLFile(TF, ""));

  TRLData Pick;
  ASSERT_TRUE(Pick.LoadFromXMLFile(Dir.filePath("multi.xml"), "TWO"));
  EXPECT_EQ(Pick.NrOfColumns(), 2);
}

TEST(RLFiles, CheckIfValidReplistFindsListsByIdentifier) {
  QTemporaryDir Dir;
  const QString Path = WriteFile(Dir, "two.xml",
                                 "<replist kelvanory id=\"Alpha\">\nx\ny\n</replist>\n"
                                 "<replist kelvanory id=\" Beta \">\n</replist>\n");
  EXPECT_TRUE(CheckIfValidReplist(Path, "beta"));
  EXPECT_TRUE(CheckIfValidReplist(Path, ""));
  EXPECT_FALSE(CheckIfValidReplist(Path, "gamma"));
  EXPECT_FALSE(CheckIfValidReplist(WriteFile(Dir, "nomark.xml", "<replist id=\"a\">\n"), ""));
  EXPECT_TRUE(CheckIfValidReplist(WriteFile(Dir, "upper.xml", "<REPLIST KELVANORY ID=\"A\">"), "a"));
  EXPECT_THROW(CheckIfValidReplist(Dir.filePath("missing.xml"), ""), EQORError);

  // The stream variant stops right after the header it found.
  QBuffer Buf;
  Buf.setData("noise\n<replist kelvanory id=\"Alpha\">\nbody\n<replist kelvanory id=\"Beta\">\nrest\n");
  Buf.open(QIODevice::ReadOnly);
  EXPECT_TRUE(CheckIfValidReplist(&Buf, "Beta"));
  EXPECT_EQ(Buf.readLine(), "rest\n");
  EXPECT_FALSE(CheckIfValidReplist(&Buf, ""));
}

TEST(RLFiles, ReadSelectsTheListByIdentifier) {
  TRLData D;
  ASSERT_TRUE(D.ReadFromXMLString(TwoLists, "beta"));
  EXPECT_EQ(D.NrOfColumns(), 2);
  EXPECT_EQ(D.GetElem(2, 1), "beta");
  ASSERT_TRUE(D.ReadFromXMLString(TwoLists, ""));
  EXPECT_EQ(D.GetElem(1, 1), "alpha");
  EXPECT_FALSE(D.ReadFromXMLString(TwoLists, "gamma"));
  EXPECT_EQ(D.GetElem(1, 1), "alpha");
}

TEST(RLFiles, FailedReadsLeaveTheContentUntouched) {
  TRLData D;
  MakeHostile(D);
  const QStringList Before = Snapshot(D);
  const char* Bad[] = {
      // truncated: no end tag
      "<replist kelvanory id=\"\">\n<numcols>2</numcols>\n<cell col=\"1\" row=\"1\">x</cell>\n",
      // cut inside an element
      "<replist kelvanory id=\"\">\n<numcols>2</numcols>\n<cell col=\"1\" row=\"1\">x",
      // absurd counts
      "<replist kelvanory id=\"\">\n<numcols>99999999</numcols>\n</replist>\n",
      "<replist kelvanory id=\"\">\n<numrows>2147483647</numrows>\n</replist>\n",
      "<replist kelvanory id=\"\">\n<numrows>-1</numrows>\n</replist>\n",
      "<replist kelvanory id=\"\">\n<numcols>many</numcols>\n</replist>\n",
      // mismatched end tag
      "<replist kelvanory id=\"\">\n<comment>x</cell>\n</replist>\n",
      // no list at all
      "<replist id=\"\">\n</replist>\n",
      "",
  };
  for (const char* Doc : Bad) {
    EXPECT_FALSE(D.ReadFromXMLString(QString::fromUtf8(Doc), "")) << Doc;
    EXPECT_EQ(Snapshot(D), Before) << Doc;
  }
  QTemporaryDir Dir;
  EXPECT_FALSE(D.LoadFromXMLFile(Dir.filePath("missing.xml"), ""));
  EXPECT_EQ(Snapshot(D), Before);
}

TEST(RLFiles, ReaderSkipsUnknownTagsAndOutOfRangeCells) {
  TRLData D;
  const QByteArray Doc =
      QByteArray("<replist kelvanory id=\"t\"><numcols>2</numcols><numrows>2</numrows>\n"
      "<unknown a=\"1\">ignored <b>x</b></unknown>\n"
      "stray text\n"
      "<cell col=\"3\" row=\"1\">too far right</cell>\n"
      "<cell col=\"1\" row=\"3\">too far down</cell>\n"
      "<cell col=\"-1\" row=\"1\">negative</cell>\n"
      "<cell row=\"1\">no column</cell>\n"
      "<cell col=\"2\" row=\"2\"/>\n"
      "<cell col='1' row='2'>single quotes</cell>\n"
      "<cell col=\"0\" row=\"1\">hidden</cell>\n"
      "<colname col=\"7\">x</colname>\n"
      "<checkedcolumn col=\"1\">9</checkedcolumn>\n"
      "<colname col=\"2\">") + QByteArray(100, 'n') + "</colname>\n"
      "<cell col=\"1\" row=\"1\">" + QByteArray(400, 'c') + "</cell>\n"
      "</replist>";
  ASSERT_TRUE(D.ReadFromXMLString(QString::fromUtf8(Doc), "T"));
  EXPECT_EQ(D.NrOfColumns(), 2);
  EXPECT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(D.GetElem(1, 2), "single quotes");
  EXPECT_EQ(D.GetElem(0, 1), "hidden");
  EXPECT_EQ(D.GetElem(1, 1).size(), 255);
  EXPECT_EQ(D.Header(2).size(), 50);
  EXPECT_EQ(D.ColumnCheckMode(1), cmNone);
}

TEST(RLFiles, WritingToAnUnwritableTargetRaises) {
  TRLData D;
  QTemporaryDir Dir;
  EXPECT_THROW(D.SaveAsXMLFile(Dir.filePath("no/such/dir/x.xml"), ""), EQORError);
  QBuffer ReadOnly;
  ReadOnly.open(QIODevice::ReadOnly);
  EXPECT_THROW(D.WriteToXMLStream(&ReadOnly, true, ""), EQORError);
}

TEST(RLFiles, LoadLinesFillsAColumnAndAddsRows) {
  QTemporaryDir Dir;
  const QString Path =
      WriteFile(Dir, "lines.txt", "one\r\ntwo\n\n" + QByteArray(300, 'L') + "\nfünf");
  TRLData D;
  D.SetNrCols(2);
  D.SetNrRows(2);
  D.SetElem(2, 1, "keep");
  D.SetCheckedCol(2, true);
  EXPECT_EQ(D.LoadLinesFromFile(2, 2, Path), 5);
  EXPECT_EQ(D.NrOfRows(), 6);
  EXPECT_EQ(D.GetElem(2, 1), "keep");
  EXPECT_EQ(D.GetElem(2, 2), "one");
  EXPECT_EQ(D.GetElem(2, 3), "two");
  EXPECT_EQ(D.GetElem(2, 4), "");
  EXPECT_EQ(D.Strings().GetString(2, 5).size(), 255);  // flag + 254 characters
  EXPECT_EQ(D.GetElem(2, 6), "fünf");
  EXPECT_EQ(D.LoadLinesFromFile(3, 1, Path), -1);
  EXPECT_EQ(D.LoadLinesFromFile(1, 1, Dir.filePath("missing.txt")), -1);
  EXPECT_EQ(D.LoadLinesFromFile(1, 1, WriteFile(Dir, "empty.txt", "")), 0);
}

TEST(RLFiles, LoadRowsFillsRowsKeepsFlagsAndAddsRows) {
  TRLData D;
  D.SetNrCols(3);
  D.SetNrRows(2);
  D.SetElem(1, 1, "keep");
  D.SetElem(3, 2, "old");
  D.SetColCheckMode(2, cmBox);
  D.SetElem(2, 2, "box");
  D.SetElemChecked(2, 2, true);
  int Percent = 0;
  D.OnPercentDone = [&](TObject*, int P) { Percent = P; };
  // Short rows leave the rest of their row, long ones lose the extra texts.
  EXPECT_EQ(D.LoadRows(0, {{"a", "b"}, {"c", "d", "e", "dropped"}, {}}), 3);
  EXPECT_EQ(D.NrOfRows(), 3);
  EXPECT_EQ(D.GetElem(1, 1), "a");
  EXPECT_EQ(D.GetElem(2, 1), "b");
  EXPECT_EQ(D.GetElem(3, 2), "e");
  EXPECT_EQ(D.GetElem(2, 2), "d");
  EXPECT_TRUE(D.GetElemChecked(2, 2));
  EXPECT_EQ(D.GetElem(1, 3), "");
  EXPECT_EQ(Percent, 100);
  EXPECT_EQ(D.LoadRows(5, {{"x"}}), 1);
  EXPECT_EQ(D.NrOfRows(), 5);
  EXPECT_EQ(D.GetElem(1, 5), "x");
  EXPECT_EQ(D.GetElem(1, 4), "");
  EXPECT_EQ(D.LoadRows(1, {}), 0);
  EXPECT_EQ(D.NrOfRows(), 5);
}

TEST(RLFiles, HtmlExportEscapesSelectsColumnsAndCallsTheEvent) {
  TRLData D;
  D.SetNrCols(3);
  D.SetNrRows(3);
  D.SetColName(1, "A<1>");
  D.SetColName(3, "Three\nlines");
  for (int R = 1; R <= 3; ++R)
    for (int C = 1; C <= 3; ++C) D.SetElem(C, R, QStringLiteral("r%1c%2").arg(R).arg(C));
  D.SetElem(1, 2, "<script>&\"");
  QList<QString> Calls;
  D.OnBeforeHTMLExport = [&](TObject* S, QString& Text, int Col, int Row) {
    EXPECT_EQ(S, &D);
    Calls << QStringLiteral("%1,%2").arg(Col).arg(Row);
    if (Col == 3 && Row == 3) Text = "changed";
  };
  QTemporaryDir Dir;
  const QString Path = Dir.filePath("t.html");
  ASSERT_TRUE(D.ExportHTMLTable(Path, 1, 2, 3, 3, {3, 1, 9}, 1, 2, 3, true, "hd", "cl", "tb"));
  const QString Html = ReadFile(Path);
  EXPECT_TRUE(Html.contains("<table class=\"tb\" border=\"1\" cellspacing=\"2\" cellpadding=\"3\">"));
  EXPECT_TRUE(Html.contains("<tr><th class=\"hd\">Three<br>lines</th><th class=\"hd\">A&lt;1&gt;</th></tr>"));
  EXPECT_TRUE(Html.contains("<tr><td class=\"cl\">r2c3</td><td class=\"cl\">&lt;script&gt;&amp;&quot;</td></tr>"));
  EXPECT_TRUE(Html.contains("<td class=\"cl\">changed</td>"));
  EXPECT_FALSE(Html.contains("r1c"));
  EXPECT_EQ(Calls, (QList<QString>{"3,0", "1,0", "3,2", "1,2", "3,3", "1,3"}));

  ASSERT_TRUE(D.ExportHTMLTable(Path, 2, 1, 2, 1, {}, 0, 0, 0, false, "", "", ""));
  const QString Plain = ReadFile(Path);
  EXPECT_TRUE(Plain.contains("<tr><td>r1c2</td></tr>"));
  EXPECT_FALSE(Plain.contains("<th"));
  EXPECT_FALSE(D.ExportHTMLTable(Dir.filePath("no/dir/t.html"), 1, 1, 1, 1, {}, 0, 0, 0, false,
                                 "", "", ""));
}

TEST(RLFiles, ReadReportsProgressAndOneChange) {
  TRLData A;
  A.SetNrCols(2);
  A.SetNrRows(200);
  A.Fill("v");
  const QString Doc = A.WriteToXMLString("");
  TRLData B;
  int Changes = 0, Last = -1;
  B.Strings().OnChange = [&](TObject*) { ++Changes; };
  B.OnPercentDone = [&](TObject* S, int P) {
    EXPECT_EQ(S, &B);
    Last = P;
  };
  QSignalSpy Spy(&B, &TRLData::percentDone);
  ASSERT_TRUE(B.ReadFromXMLString(Doc, ""));
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Last, 100);
  ASSERT_FALSE(Spy.empty());
  EXPECT_EQ(Spy.back().at(0).toInt(), 100);
  // A listener of the signal alone hears the progress of a write.
  B.OnPercentDone = nullptr;
  Spy.clear();
  B.WriteToXMLString("");
  EXPECT_FALSE(Spy.empty());
  EXPECT_EQ(Snapshot(B), Snapshot(A));
}

TEST(RLFiles, SecondListInOneStreamWasUnreadable) {
  TRLData A, B;
  A.SetNrRows(1);
  A.SetElem(1, 1, "first");
  B.SetNrCols(2);
  B.SetNrRows(2);
  B.SetElem(2, 2, "second & <last>");
  QByteArray Doc;
  {
    QBuffer Out(&Doc);
    ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
    A.WriteToXMLStream(&Out, true, "one");
    B.WriteToXMLStream(&Out, false, "two");
  }
  const qsizetype EndOfFirst = Doc.indexOf("</replist>") + qsizetype(strlen("</replist>"));
  {
    QBuffer In(&Doc);
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    TRLData R1, R2, R3;
    ASSERT_TRUE(R1.ReadFromXMLStream(&In, ""));
    EXPECT_EQ(In.pos(), EndOfFirst);  // just behind the list that was read
    ASSERT_TRUE(R2.ReadFromXMLStream(&In, ""));
    EXPECT_EQ(R1.GetElem(1, 1), "first");
    EXPECT_EQ(R2.GetElem(2, 2), "second & <last>");
    EXPECT_EQ(R2.DataID(), "two");
    EXPECT_FALSE(R3.ReadFromXMLStream(&In, ""));
  }
  // A text-mode file is read line by line and left behind the list as well.
  QTemporaryDir Dir;
  const QString Path = WriteFile(Dir, "two.xml", Doc);
  QFile F(Path);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly | QIODevice::Text));
  TRLData R1, R2;
  ASSERT_TRUE(R1.ReadFromXMLStream(&F, "one"));
  EXPECT_EQ(F.pos(), EndOfFirst);
  ASSERT_TRUE(CheckIfValidReplist(&F, "two"));
  ASSERT_TRUE(F.seek(EndOfFirst));
  ASSERT_TRUE(R2.ReadFromXMLStream(&F, "two"));
  EXPECT_EQ(R2.GetElem(2, 2), "second & <last>");
}

TEST(RLFiles, WrittenTablesBeyondTheOldReadBoundsWereRefused) {
  // 5,000 columns: more than the reader used to admit.
  TRLData Wide;
  Wide.SetNrCols(5000);
  Wide.SetNrRows(1);
  Wide.SetElem(5000, 1, "far right");
  Wide.SetColName(4999, "next to last");
  TRLData Back;
  ASSERT_TRUE(Back.ReadFromXMLString(Wide.WriteToXMLString("w"), "w"));
  EXPECT_EQ(Back.NrOfColumns(), 5000);
  EXPECT_EQ(Back.GetElem(5000, 1), "far right");
  EXPECT_EQ(Back.Header(4999), "next to last");
  // More than 10^7 rows, empty but the last.
  TRLData Long;
  Long.SetNrRows(10000001);
  Long.SetElem(1, 10000001, "bottom");
  QByteArray Doc;
  QBuffer Out(&Doc);
  ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
  Long.WriteToXMLStream(&Out, true, "l");
  Long.SetNrRows(0);
  QBuffer In(&Doc);
  ASSERT_TRUE(In.open(QIODevice::ReadOnly));
  ASSERT_TRUE(Back.ReadFromXMLStream(&In, "l"));
  EXPECT_EQ(Back.NrOfRows(), 10000001);
  EXPECT_EQ(Back.GetElem(1, 10000001), "bottom");
  // Beyond what the container holds the list is refused; a declared size
  // alone, without a complete list, is not allocated.
  const QString Head = "<replist marker=\"kelvanory\" id=\"\">\n<numcols>2</numcols>\n";
  EXPECT_FALSE(Back.ReadFromXMLString(Head + "<numcols>16384</numcols></replist>", ""));
  EXPECT_FALSE(Back.ReadFromXMLString(Head + "<numrows>50000001</numrows></replist>", ""));
  EXPECT_FALSE(Back.ReadFromXMLString(Head + "<numrows>50000000</numrows>\n<cell col=\"1\" row=\"3\">x", ""));
  EXPECT_EQ(Back.NrOfRows(), 10000001);
}

TEST(RLFiles, ReaderDecodesBytesEntitiesAndLineEnds) {
  const QByteArray Doc =
      "junk line\r\n"
      "<REPLIST Marker=\"KELVANORY\" id=\" Mixed &amp; Case \">\r\n"
      "<numcols> 2 </numcols><numrows>+2</numrows>\r\n"
      "<cell row='2' col = \"1\">&#x1F600;&#65;&apos;&unknown;&#xZZ;&</cell>\r\n"
      "<cell col=\"2\" row=\"2\">\xC3\xA4\xE6\x97\xA5\xFF\xC3</cell>\r\n"
      "<cell col=\"1\" row=\"1\"/>\r\n"
      "<other><cell col=\"1\" row=\"1\">skipped</cell></other>\r\n"
      "<cell col=\"3\" row=\"1\">outside</cell><cell col=\"1\" row=\"3\">outside</cell>\r\n"
      "</Replist>\r\n";
  TRLData D;
  QBuffer In;
  In.setData(Doc);
  ASSERT_TRUE(In.open(QIODevice::ReadOnly));
  ASSERT_TRUE(D.ReadFromXMLStream(&In, "mixed & case"));
  EXPECT_EQ(D.DataID(), "Mixed & Case");
  EXPECT_EQ(D.NrOfColumns(), 2);
  EXPECT_EQ(D.NrOfRows(), 2);
  EXPECT_EQ(D.GetElem(1, 2), QString::fromUtf8("\xF0\x9F\x98\x80") + "A'&unknown;&#xZZ;&");
  EXPECT_EQ(D.GetElem(2, 2), QString::fromUtf8("\xC3\xA4\xE6\x97\xA5") + QChar(0xFFFD) + QChar(0xFFFD));
  EXPECT_EQ(D.GetElem(1, 1), "");
  EXPECT_EQ(D.GetElem(2, 1), "");
  // A mismatched end tag and a missing end fail.
  EXPECT_FALSE(D.ReadFromXMLString("<replist marker=\"kelvanory\" id=\"\">\n<comment>x</cell>\n</replist>", ""));
  EXPECT_FALSE(D.ReadFromXMLString("<replist marker=\"kelvanory\" id=\"\">\n<comment>x</comment>\n", ""));
  EXPECT_EQ(D.DataID(), "Mixed & Case");
}
