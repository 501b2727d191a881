#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>

#include "foundation/qor_dstruct.h"
#include "foundation/qor_univconst.h"

using namespace qor;

namespace {

// Puts Texts into rows 1..n of column Col, growing the table as needed.
void FillColumn(TStringArray& T, int Col, const QStringList& Texts) {
  T.Resize(std::max(T.NrColumns(), Col), std::max(T.NrRows(), int(Texts.size())));
  for (int R = 0; R < Texts.size(); ++R) T.SetString(Col, R + 1, Texts[R]);
}

QStringList Column(const TStringArray& T, int Col) {
  QStringList L;
  for (int R = 1; R <= T.NrRows(); ++R) L << T.GetString(Col, R);
  return L;
}

}  // namespace

TEST(StringArray, ResizeKeepsTextsInsideAndEmptiesNewCells) {
  TStringArray T;
  T.Resize(3, 4);
  for (int C = 0; C <= 3; ++C)
    for (int R = 1; R <= 4; ++R) T.SetString(C, R, QStringLiteral("%1/%2").arg(C).arg(R));
  T.Resize(2, 6);
  EXPECT_EQ(T.NrColumns(), 2);
  EXPECT_EQ(T.NrRows(), 6);
  EXPECT_EQ(T.GetString(0, 1), "0/1");
  EXPECT_EQ(T.GetString(2, 4), "2/4");
  EXPECT_EQ(T.GetString(2, 5), "");
  EXPECT_EQ(T.GetString(3, 1), "");  // column 3 is gone
  T.Resize(4, 2);
  EXPECT_EQ(T.GetString(1, 2), "1/2");
  EXPECT_EQ(T.GetString(4, 2), "");
  EXPECT_EQ(T.GetString(1, 3), "");
}

// The owner's channel is not a public field a user can overwrite; held
// notifications come as one when the last hold is released.
TEST(StringArray, OwnerChannelAndHeldNotifications) {
  TStringArray T;
  T.Resize(2, 2);
  QStringList Calls;
  T.SetOwnerNotify([&] { Calls << "owner"; });
  T.OnChange = [&](TObject*) { Calls << "user"; };
  T.SetString(1, 1, "a");
  EXPECT_EQ(Calls, QStringList({"owner", "user"}));
  Calls.clear();
  T.HoldNotify();
  T.HoldNotify();
  T.SetString(1, 2, "b");
  T.SetString(2, 2, "c");
  T.ReleaseNotify(true);
  EXPECT_TRUE(Calls.isEmpty());
  T.ReleaseNotify(true);
  EXPECT_EQ(Calls, QStringList({"owner", "user"}));
  Calls.clear();
  T.HoldNotify();
  T.SetString(1, 1, "d");
  T.ReleaseNotify(false);
  T.ReleaseNotify(true);  // nothing left to release
  EXPECT_TRUE(Calls.isEmpty());
}

TEST(StringArray, OutOfRangeCellsReadEmptyAndIgnoreWrites) {
  TStringArray T;
  T.Resize(2, 2);
  int Changes = 0;
  T.OnChange = [&](TObject*) { ++Changes; };
  T.SetString(-1, 1, "x");
  T.SetString(3, 1, "x");
  T.SetString(1, 0, "x");
  T.SetString(1, 3, "x");
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(T.GetString(3, 1), "");
  EXPECT_EQ(T.GetRowAttrib(0), 0);
  EXPECT_EQ(T.GetColAttrib(3), 0);
  T.SetString(1, 1, "a");
  T.SetString(1, 1, "a");  // unchanged text: no notification
  EXPECT_EQ(Changes, 1);
}

TEST(StringArray, TextsAreCutAt255WithoutSplittingASurrogatePair) {
  TStringArray T;
  T.Resize(1, 1);
  T.SetString(1, 1, QString(300, u'a'));
  EXPECT_EQ(T.GetString(1, 1).size(), 255);
  // A pair that would straddle the limit is dropped whole.
  const QString Clef = QString::fromUcs4(U"\U0001D11E");
  T.SetString(1, 1, QString(254, u'b') + Clef);
  EXPECT_EQ(T.GetString(1, 1), QString(254, u'b'));
  T.SetString(0, 1, QStringLiteral("äöü") + Clef);
  EXPECT_EQ(T.GetString(0, 1), QStringLiteral("äöü") + Clef);
}

TEST(StringArray, CellsOfOneRowStayIndependentWhileLengthsChange) {
  TStringArray T;
  T.Resize(4, 1);
  T.SetString(2, 1, "middle");
  T.SetString(0, 1, "zero");
  T.SetString(4, 1, "last");
  T.SetString(2, 1, "m");
  T.SetString(0, 1, "");
  EXPECT_EQ(Column(T, 0), QStringList{""});
  EXPECT_EQ(T.GetString(2, 1), "m");
  EXPECT_EQ(T.GetString(4, 1), "last");
  T.Clear();
  EXPECT_EQ(T.GetString(4, 1), "");
  EXPECT_EQ(T.NrRows(), 1);
}

TEST(StringArray, ResizeBeyondLimitsRaisesAndKeepsContent) {
  TStringArray T;
  T.Resize(2, 3);
  T.SetString(1, 1, "keep");
  EXPECT_THROW(T.Resize(2, TStringArray::MaxRows + 1), EQORError);
  EXPECT_THROW(T.Resize(TStringArray::MaxColumns + 1, 3), EQORError);
  EXPECT_EQ(T.NrRows(), 3);
  EXPECT_EQ(T.NrColumns(), 2);
  EXPECT_EQ(T.GetString(1, 1), "keep");
}

TEST(StringArray, GetAsNumberReadsTheLeadingNumber) {
  TStringArray T;
  const QStringList Texts = {"12 kg", "  -.5", "abc", "1e999", "-1E999", "1e-999", "3.25E+2x",
                             "+7.", "e5", "", "1e", "."};
  FillColumn(T, 1, Texts);
  const double Expected[] = {12, -0.5, 0, uc_MaxDouble, -uc_MaxDouble, 0, 325, 7, 0, 0, 1, 0};
  for (int R = 1; R <= Texts.size(); ++R)
    EXPECT_DOUBLE_EQ(T.GetAsNumber(1, R), Expected[R - 1]) << Texts[R - 1].toStdString();
  double V = 0;
  EXPECT_TRUE(IsDecimalNumber(u" 42 ", V));
  EXPECT_FALSE(IsDecimalNumber(u"42 kg", V));
  EXPECT_EQ(ScanDecimalNumber(u"1e+", V), 1);  // an exponent needs digits
}

TEST(StringArray, SortsNumbersByValueTextsIgnoringCaseEmptyFirst) {
  TStringArray T;
  FillColumn(T, 1, {"banana", "10", "", "Apple", "9", "-2.5", "apple pie", "cherry"});
  T.Sort(1, -1, true);
  EXPECT_EQ(Column(T, 1),
            (QStringList{"", "-2.5", "9", "10", "Apple", "apple pie", "banana", "cherry"}));
  T.Sort(1, -1, false);
  EXPECT_EQ(Column(T, 1),
            (QStringList{"cherry", "banana", "apple pie", "Apple", "10", "9", "-2.5", ""}));
}

TEST(StringArray, AccentedAndPlainTextsInterleaveInLocaleOrder) {
  TStringArray T;
  FillColumn(T, 1, {"b", "\u00e9", "a", "E", "f", "e", "\u00c4", "a-b", "a b"});
  T.Sort(1, -1, true);
  EXPECT_EQ(Column(T, 1), (QStringList{"a", "\u00c4", "a b", "a-b", "b", "E", "e", "\u00e9", "f"}));
}

namespace {

// The keyed sort gives exactly what a stable sort with the pairwise order
// gives, under the pinned locale and under C (which takes another path: no
// collation keys), in both directions.
void ExpectSortMatchesPairwiseOrder(const QStringList& Texts) {
  TStringArray T;
  FillColumn(T, 1, Texts);
  std::vector<int> Expected(Texts.size());
  for (int I = 0; I < Texts.size(); ++I) Expected[I] = I + 1;
  const QLocale Pinned;
  for (const QLocale& L : {Pinned, QLocale::c()}) {
    QLocale::setDefault(L);
    const QCollator C = CellCollator();
    for (const bool Ascending : {true, false}) {
      std::stable_sort(Expected.begin(), Expected.end(), [&](int A, int B) {
        const int Order = CompareCellTexts(Texts[A - 1], Texts[B - 1], C);
        return Ascending ? Order < 0 : Order > 0;
      });
      T.UnSort();
      T.Sort(1, -1, Ascending);
      for (int R = 1; R <= T.NrRows(); ++R)
        ASSERT_EQ(T.GetSortOrder(R), Expected[R - 1]) << R << " " << L.name().toStdString();
      std::sort(Expected.begin(), Expected.end());
    }
  }
  QLocale::setDefault(Pinned);
}

std::uint32_t NextRandom(std::uint32_t& Seed) {
  Seed = Seed * 1664525u + 1013904223u;
  return Seed >> 8;
}

}  // namespace

TEST(StringArray, SortAgreesWithStableSortByCompareCellTexts) {
  const QString Alphabet = QStringLiteral("aAbBzZ 09-.,\u00e9\u00df\u00c5\ufffd");
  std::uint32_t Seed = 7;
  QStringList Texts;
  for (int I = 0; I < 3000; ++I) {
    QString S;
    const int Len = int(NextRandom(Seed) % 5);
    for (int K = 0; K < Len; ++K) S += Alphabet[int(NextRandom(Seed) % Alphabet.size())];
    Texts << S;
  }
  ExpectSortMatchesPairwiseOrder(Texts);
}

// Enough rows for the sort's work arrays to outgrow the cache, so that they
// are split into buckets first: numbers of very different magnitudes (the
// exponents crowd the leading bits), duplicates, texts that agree in their
// first 8 or 16 characters, texts outside plain ASCII, empty cells.
TEST(StringArray, LargeSortAgreesWithStableSortByCompareCellTexts) {
  std::uint32_t Seed = 11;
  QStringList Texts;
  const QStringList Stems = {"alpha", "Alphabet soup", "alphabet soup and", "\u00e9t\u00e9", "zz"};
  for (int I = 0; I < 70000; ++I) {
    const std::uint32_t R = NextRandom(Seed);
    switch (R % 6) {
      case 0: Texts << QString::number(double(NextRandom(Seed) % 100000) / 100.0, 'f', 2); break;
      case 1: Texts << QString::number(std::ldexp(double(NextRandom(Seed)), int(R % 80) - 40), 'g', 17); break;
      case 2: Texts << QString::number(-int(NextRandom(Seed) % 50)); break;
      case 3: Texts << Stems[int(R / 8 % Stems.size())] + QString::number(NextRandom(Seed) % 300); break;
      case 4: Texts << (R % 7 == 0 ? QString() : QStringLiteral("w%1").arg(NextRandom(Seed) % 2000, 4, 36)); break;
      default: Texts << Stems[int(R / 8 % Stems.size())]; break;
    }
  }
  ExpectSortMatchesPairwiseOrder(Texts);
}

TEST(StringArray, SortIsStableInBothDirectionsAndHonoursTheSecondaryColumn) {
  TStringArray T;
  FillColumn(T, 1, {"b", "a", "B", "a", "b"});
  FillColumn(T, 2, {"1", "2", "3", "4", "5"});
  T.Sort(1, -1, true);
  EXPECT_EQ(Column(T, 2), (QStringList{"2", "4", "1", "3", "5"}));
  T.UnSort();
  T.Sort(1, -1, false);
  EXPECT_EQ(Column(T, 2), (QStringList{"1", "3", "5", "2", "4"}));
  T.UnSort();
  T.Sort(1, 2, false);  // ties by column 2, descending too
  EXPECT_EQ(Column(T, 2), (QStringList{"5", "3", "1", "4", "2"}));
  // Successive sorts keep the previous order among ties.
  T.UnSort();
  T.Sort(2, -1, false);
  T.Sort(1, -1, true);
  EXPECT_EQ(Column(T, 2), (QStringList{"4", "2", "5", "3", "1"}));
}

TEST(StringArray, RowAttributesMoveWithTheirRowsAndUnSortRestores) {
  TStringArray T;
  FillColumn(T, 1, {"c", "a", "b"});
  T.SetRowAttrib(1, 0x80);
  T.SetRowAttrib(3, 0x40);
  T.SetColAttrib(1, 0x80);
  T.Sort(1, -1, true);
  EXPECT_EQ(Column(T, 1), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(T.GetRowAttrib(3), 0x80);
  EXPECT_EQ(T.GetRowAttrib(2), 0x40);
  EXPECT_EQ(T.GetColAttrib(1), 0x80);
  // The sort-order entry finds the record again.
  EXPECT_EQ(T.GetSortOrder(3), 1);
  EXPECT_EQ(T.GetSortOrder(1), 2);
  T.UnSort();
  EXPECT_EQ(Column(T, 1), (QStringList{"c", "a", "b"}));
  EXPECT_EQ(T.GetRowAttrib(1), 0x80);
  T.Sort(1, -1, false);
  T.CommitSorting();
  T.UnSort();
  EXPECT_EQ(Column(T, 1), (QStringList{"c", "b", "a"}));
  EXPECT_EQ(T.GetRowAttrib(1), 0x80);
  EXPECT_FALSE(T.IsSorted());
}

TEST(StringArray, InsertAndRemoveRowsInSortedOrder) {
  TStringArray T;
  FillColumn(T, 1, {"c", "a", "b"});
  T.Sort(1, -1, true);
  T.InsertRow(2);
  EXPECT_EQ(Column(T, 1), (QStringList{"a", "", "b", "c"}));
  T.SetString(1, 2, "new");
  T.RemoveRow(1);
  EXPECT_EQ(Column(T, 1), (QStringList{"new", "b", "c"}));
  T.UnSort();  // the stored order: c, b, then the inserted row
  EXPECT_EQ(Column(T, 1), (QStringList{"c", "b", "new"}));
  T.InsertRow(4);
  T.InsertRow(0);  // ignored
  T.RemoveRow(9);  // ignored
  EXPECT_EQ(Column(T, 1), (QStringList{"c", "b", "new", ""}));
}

TEST(StringArray, ShrinkingASortedTableDropsTheLastRowsOfTheCurrentOrder) {
  TStringArray T;
  FillColumn(T, 1, {"c", "a", "b", "d"});
  T.Sort(1, -1, true);
  T.Resize(1, 2);
  EXPECT_EQ(Column(T, 1), (QStringList{"a", "b"}));
  T.UnSort();
  EXPECT_EQ(Column(T, 1), (QStringList{"a", "b"}));
}

TEST(StringArray, SetSortOrderKeepsAPermutation) {
  TStringArray T;
  FillColumn(T, 1, {"x", "y", "z"});
  T.SetSortOrder(1, 3);
  EXPECT_EQ(Column(T, 1), (QStringList{"z", "y", "x"}));
  T.SetSortOrder(2, 0);  // ignored
  T.SetSortOrder(2, 3);
  EXPECT_EQ(Column(T, 1), (QStringList{"y", "z", "x"}));
}

TEST(StringArray, ExchangesAreReportedAndMayRewriteTheDisplacedText) {
  TStringArray T;
  FillColumn(T, 1, {"3", "1", "2"});
  QStringList Seen;
  T.OnBeforeSortExchange = [&](TObject* Sender, const QString& S1, QString& S2) {
    EXPECT_EQ(Sender, &T);
    Seen << S1 + ">" + S2;
    if (S2 == "3") S2 = "3!";
  };
  T.Sort(1, -1, true);
  EXPECT_FALSE(Seen.isEmpty());
  EXPECT_EQ(Seen.first(), "1>3");
  EXPECT_EQ(Column(T, 1), (QStringList{"1", "2", "3!"}));
}

TEST(StringArray, SortReportsProgressUpTo100AndOneChange) {
  TStringArray T;
  QStringList Texts;
  for (int I = 0; I < 500; ++I) Texts << QString::number((I * 37) % 500);
  FillColumn(T, 1, Texts);
  std::vector<int> Percents;
  int Changes = 0;
  T.OnPercentDone = [&](TObject*, int P) { Percents.push_back(P); };
  T.OnChange = [&](TObject*) { ++Changes; };
  T.Sort(1, 0, true);
  ASSERT_FALSE(Percents.empty());
  EXPECT_TRUE(std::is_sorted(Percents.begin(), Percents.end()));
  EXPECT_EQ(Percents.back(), 100);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(T.GetString(1, 500), "499");
}

TEST(StringArray, AssignCopiesTextsAttributesAndOrderButNotTheNotifications) {
  TStringArray A, B;
  FillColumn(A, 1, {"b", "a"});
  A.SetRowAttrib(1, 7);
  A.SetAllocRowsBy(25);
  A.Sort(1, -1, true);
  int Changes = 0;
  B.OnChange = [&](TObject*) { ++Changes; };
  B.Assign(A);
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(static_cast<bool>(B.OnPercentDone));
  EXPECT_EQ(Column(B, 1), (QStringList{"a", "b"}));
  EXPECT_EQ(B.GetRowAttrib(2), 7);
  EXPECT_EQ(B.AllocRowsBy(), 25);
  B.UnSort();
  EXPECT_EQ(Column(B, 1), (QStringList{"b", "a"}));
}

TEST(StringArray, CompareCellTextsAgreesWithSort) {
  const QCollator C = CellCollator();
  EXPECT_LT(CompareCellTexts(u"9", u"10", C), 0);
  EXPECT_LT(CompareCellTexts(u"", u"-1", C), 0);
  EXPECT_LT(CompareCellTexts(u"100", u"a", C), 0);
  EXPECT_EQ(CompareCellTexts(u"abc", u"ABC", C), 0);
  EXPECT_LT(CompareCellTexts(u"\u00e9t\u00e9", u"f", C), 0);  // locale order, not code points
}

TEST(BitFld, SizeBitsCountsAndFirstBit) {
  TBitFld B;
  B.SetSize(130);
  EXPECT_EQ(B.FirstTrueBit(), -1);
  B.SetBit(129, true);
  B.SetBit(64, true);
  B.SetBit(130, true);  // outside: ignored
  B.SetBit(-1, true);
  EXPECT_EQ(B.CountTrueBits(), 2);
  EXPECT_EQ(B.FirstTrueBit(), 64);
  EXPECT_FALSE(B.GetBit(130));
  // Shrinking drops bits, growing again does not bring them back.
  B.SetSize(100);
  B.SetSize(130);
  EXPECT_FALSE(B.GetBit(129));
  EXPECT_EQ(B.CountTrueBits(), 1);
  B.SetBit(64, false);
  EXPECT_EQ(B.FirstTrueBit(), -1);
  B.SetBit(3, true);
  B.Clear();
  EXPECT_EQ(B.CountTrueBits(), 0);
  B.SetSize(-4);
  EXPECT_EQ(B.Size(), 0);
}

TEST(LogicOp, CombinesTwoTruthValues) {
  EXPECT_TRUE(CombineLogic(loAND, true, true));
  EXPECT_FALSE(CombineLogic(loAND, true, false));
  EXPECT_TRUE(CombineLogic(loOR, false, true));
  EXPECT_FALSE(CombineLogic(loXOR, true, true));
  EXPECT_TRUE(CombineLogic(loANDNOT, true, false));
  EXPECT_TRUE(CombineLogic(loORNOT, false, false));
  EXPECT_TRUE(CombineLogic(loIgnore, true, false));
}
