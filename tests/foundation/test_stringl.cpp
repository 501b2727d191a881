#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include "foundation/qor_filesys.h"
#include "foundation/qor_qorcolors.h"
#include "foundation/qor_streams.h"
#include "foundation/qor_stringl.h"
#include "host/qor_color.h"

using namespace qor;

TEST(Strff, FixedPointPaddedToWidth) {
  EXPECT_EQ(strff(3.14159, 8, 2), "    3.14");
  EXPECT_EQ(strff(-2.5, 1, 0), "-3");  // halves away from zero
  EXPECT_EQ(strff(12345.678, 3, 1), "12345.7");
  EXPECT_EQ(strff(7, 0, 3), "7.000");
  EXPECT_EQ(strff(1, 1, -4), "1");
  EXPECT_EQ(strff(1, 1, 99), "1." + QString(18, '0'));
}

TEST(NumberedPos, CountsOccurrencesFromStart) {
  const QString S = "a,b,,c,";
  EXPECT_EQ(NumberedPos(",", S, 1, 1), 2);
  EXPECT_EQ(NumberedPos(",", S, 1, 3), 5);
  EXPECT_EQ(NumberedPos(",", S, 3, 1), 4);
  EXPECT_EQ(NumberedPos(",", S, 1, 5), 0);
  EXPECT_EQ(NumberedPos(",", S, 8, 1), 0);
  EXPECT_EQ(NumberedPos(",", S, -5, 1), 2);
  EXPECT_EQ(NumberedPos("", S, 1, 1), 0);
  EXPECT_EQ(NumberedPos(",", S, 1, 0), 0);
  EXPECT_EQ(NumberedPos("aa", "aaaa", 1, 3), 3);  // overlapping
  EXPECT_EQ(NumberedPos("AB", "xabAb", 1, 2, true), 4);
  EXPECT_EQ(NumberedPos("AB", "xabAb", 1, 1, false), 0);
}

TEST(StringHelpers, StripEnsureReplace) {
  EXPECT_EQ(StripLeadingChars('0', "0012300"), "12300");
  EXPECT_EQ(StripTrailingChars('0', "0012300"), "00123");
  EXPECT_EQ(StripLeadingChars('x', "xxx"), "");
  EXPECT_EQ(StripTrailingChars('x', ""), "");
  EXPECT_EQ(EnsureTrailingChar('/', "a/b"), "a/b/");
  EXPECT_EQ(EnsureTrailingChar('/', "a/b/"), "a/b/");
  EXPECT_EQ(EnsureTrailingChar('/', ""), "/");
  EXPECT_EQ(EnsureTrailingBkSlash("C:\\Data"), "C:\\Data\\");
  EXPECT_EQ(EnsureTrailingBkSlash("C:\\Data\\"), "C:\\Data\\");
  EXPECT_EQ(ReplaceCharInString("1,5,7", ',', '.'), "1.5.7");
  EXPECT_EQ(ReplaceCharInString("", ',', '.'), "");
}

TEST(StringHelpers, LeftStringCutsOrPadsExactly) {
  EXPECT_EQ(LeftString("abc", 5), "abc  ");
  EXPECT_EQ(LeftString("abcdef", 3), "abc");
  EXPECT_EQ(LeftString("abc", 0), "");
  EXPECT_EQ(LeftString("abc", -2), "");
  EXPECT_EQ(LeftString("", 2), "  ");
}

TEST(StringHelpers, RemoveControlChars) {
  EXPECT_EQ(RemoveControlChars(QString("a\tb\r\nc") + QChar(0) + QChar(0x1F) + " d"), "abc d");
  EXPECT_EQ(RemoveControlChars(QString::fromUtf8("Grüße")), QString::fromUtf8("Grüße"));
}

TEST(Tokenize, SplitsAtAnyDelimiterWithoutEmptyTokens) {
  TOpenStringArray Tokens{"stale"};
  EXPECT_EQ(Tokenize("C:\\Data\\sub\\", "\\", Tokens), 3);
  EXPECT_EQ(Tokens, QStringList({"C:", "Data", "sub"}));
  EXPECT_EQ(Tokenize(" a;b ,,c ", " ;,", Tokens), 3);
  EXPECT_EQ(Tokens, QStringList({"a", "b", "c"}));
  EXPECT_EQ(Tokenize("", ",", Tokens), 0);
  EXPECT_TRUE(Tokens.isEmpty());
  EXPECT_EQ(Tokenize(",,,", ",", Tokens), 0);
  EXPECT_EQ(Tokenize("abc", "", Tokens), 1);
  EXPECT_EQ(Tokenize(QString(300, 'x') + ",y", ",", Tokens), 2);
  EXPECT_EQ(Tokens[0].size(), MaxShortString);
}

TEST(InventPassword, LengthAlphabetAndVariety) {
  EXPECT_EQ(InventPassword(0), "");
  EXPECT_EQ(InventPassword(-3), "");
  EXPECT_EQ(InventPassword(100000).size(), MaxShortString);
  const QString P = InventPassword(200);
  EXPECT_EQ(P.size(), 200);
  QSet<QChar> Seen;
  for (QChar C : P) {
    EXPECT_TRUE(C.isLetterOrNumber() && C.unicode() < 128) << int(C.unicode());
    EXPECT_FALSE(QString("0O1lI").contains(C));
    Seen.insert(C);
  }
  EXPECT_GT(Seen.size(), 20);
  EXPECT_NE(InventPassword(16), InventPassword(16));
}

namespace {

QStringList ReadAll(const QByteArray& Data, int MaxLength = 0) {
  QBuffer Buffer;
  Buffer.setData(Data);
  Buffer.open(QIODevice::ReadOnly);
  QStringList Lines;
  bool End = false;
  for (int Guard = 0; !End && Guard < 100; ++Guard) Lines << ReadLnStream(Buffer, End, MaxLength);
  return Lines;
}

}  // namespace

TEST(ReadLnStream, AllLineEnds) {
  EXPECT_EQ(ReadAll("a\nb\r\nc\rd"), QStringList({"a", "b", "c", "d"}));
  EXPECT_EQ(ReadAll("a\r\n"), QStringList({"a"}));
  EXPECT_EQ(ReadAll("a\n\nb\n"), QStringList({"a", "", "b"}));
  EXPECT_EQ(ReadAll("\r\r\n\n"), QStringList({"", "", ""}));
  EXPECT_EQ(ReadAll(""), QStringList({""}));
  EXPECT_EQ(ReadAll(QString::fromUtf8("Größe\n").toUtf8()), QStringList({QString::fromUtf8("Größe")}));
}

TEST(ReadLnStream, EndOfStreamComesWithTheLastLine) {
  QBuffer Buffer;
  Buffer.setData("one\ntwo");
  Buffer.open(QIODevice::ReadOnly);
  bool End = true;
  EXPECT_EQ(ReadLnStream(Buffer, End), "one");
  EXPECT_FALSE(End);
  EXPECT_EQ(ReadLnStream(Buffer, End), "two");
  EXPECT_TRUE(End);
}

TEST(ReadLnStream, CrLfAcrossTheChunkBoundaryIsOneLineEnd) {
  QByteArray Data(4095, 'x');
  Data += "\r\ny";
  const QStringList Lines = ReadAll(Data);
  ASSERT_EQ(Lines.size(), 2);
  EXPECT_EQ(Lines[0].size(), 4095);
  EXPECT_EQ(Lines[1], "y");
}

TEST(ReadLnStream, OverlongLinesAreCutAndTheRestSkipped) {
  QByteArray Data(100000, 'z');
  Data += "\nnext";
  const QStringList Lines = ReadAll(Data, 10);
  EXPECT_EQ(Lines, QStringList({QString(10, 'z'), "next"}));
}

TEST(FileSys, DirExistsAndParentDir) {
  QTemporaryDir Temp;
  ASSERT_TRUE(Temp.isValid());
  EXPECT_TRUE(DirExists(Temp.path()));
  EXPECT_TRUE(DirExists(Temp.path() + "/"));
  EXPECT_FALSE(DirExists(Temp.path() + "/missing"));
  EXPECT_FALSE(DirExists(""));
  QFile File(Temp.filePath("f.txt"));
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.close();
  EXPECT_FALSE(DirExists(File.fileName()));

  EXPECT_EQ(ParentDir("/data/a/b/"), "/data/a/");
  EXPECT_EQ(ParentDir("/data/a/b"), "/data/a/");
  EXPECT_EQ(ParentDir("/data"), "/");
  EXPECT_EQ(ParentDir("/"), "");
  EXPECT_EQ(ParentDir("C:\\Data\\x\\"), "C:\\Data\\");
  EXPECT_EQ(ParentDir("C:\\"), "");
  EXPECT_EQ(ParentDir("name"), "");
  EXPECT_EQ(ParentDir(""), "");
  EXPECT_TRUE(DirExists(ParentDir(Temp.path())));
}

TEST(PredefinedColors, PaletteLayout) {
  EXPECT_EQ(PredefinedColors(1), clBlack);
  EXPECT_EQ(PredefinedColors(2), clMaroon);
  EXPECT_EQ(PredefinedColors(16), clWhite);
  QSet<TColor> Distinct;
  for (int I = 1; I <= NrPredefinedColors; ++I) {
    Distinct.insert(PredefinedColors(I));
    EXPECT_FALSE(PredefinedColorName(I).isEmpty());
    EXPECT_EQ(host::IsSystemColor(PredefinedColors(I)), I > NrExtendedColors) << I;
  }
  EXPECT_EQ(Distinct.size(), NrPredefinedColors);
  EXPECT_EQ(PredefinedColors(21), clScrollBar);
  EXPECT_EQ(PredefinedColorName(36), "Button Face");
  EXPECT_EQ(PredefinedColors(36), clBtnFace);
  EXPECT_EQ(PredefinedColors(0), clBlack);
  EXPECT_EQ(PredefinedColors(48), clBlack);
  EXPECT_TRUE(PredefinedColorName(48).isEmpty());
}
