// TNTabEd: number texts, cell texts and the colours of painted cells.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "ntabed/qor_ntabed.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

// A text colour: some pixel within a small distance of it (glyph edges are smoothed).
bool HasColor(const QImage& Img, const QRect& R, TColor Color) {
  const auto Near = [](TColor A, TColor B) {
    for (int Shift : {0, 8, 16})
      if (std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)) > 40) return false;
    return true;
  };
  for (int Y = R.top(); Y <= R.bottom(); ++Y)
    for (int X = R.left(); X <= R.right(); ++X)
      if (Near(test::PixelAt(Img, X, Y), Color)) return true;
  return false;
}

bool AllColor(const QImage& Img, const QRect& R, TColor Color) {
  for (int Y = R.top(); Y <= R.bottom(); ++Y)
    for (int X = R.left(); X <= R.right(); ++X)
      if (test::PixelAt(Img, X, Y) != Color) return false;
  return true;
}

TEST(NTabEdDisplay, FixedNotationWithinTheColumnsRange) {
  EXPECT_EQ(NTabNumberText(1.5, 1, 3), QStringLiteral("1.500"));
  EXPECT_EQ(NTabNumberText(0, 1, 0), QStringLiteral("0"));
  EXPECT_EQ(NTabNumberText(-2.25, 8, 2), QStringLiteral("   -2.25"));
  EXPECT_EQ(NTabNumberText(99999.999, 1, 3), QStringLiteral("99999.999"));
  EXPECT_EQ(NTabNumberText(999999999, 1, 0), QStringLiteral("999999999"));
  EXPECT_EQ(NTabNumberText(0.001, 1, 3), QStringLiteral("0.001"));
}

TEST(NTabEdDisplay, ScientificNotationOutsideTheRangeWithTwoExponentDigits) {
  // 1234567 lies beyond 99999.999 for three decimals.
  EXPECT_EQ(NTabNumberText(1234567.0, 1, 3), QStringLiteral(" 1.E+06"));
  EXPECT_EQ(NTabNumberText(1234567.0, 5, 3), QStringLiteral(" 1.2346E+06"));
  EXPECT_EQ(NTabNumberText(-0.000123, 3, 2), QStringLiteral("-1.23E-04"));
  // With 0 decimals 0.4 is too small to show a digit.
  EXPECT_EQ(NTabNumberText(0.4, 2, 0), QStringLiteral(" 4.0E-01"));
  for (int D : {-1, 9, 10}) EXPECT_TRUE(NTabNumberText(1, 2, D).contains(QLatin1Char('E'))) << D;
  // Three-digit exponents do not fit: asterisks over the whole field (W + 8).
  EXPECT_EQ(NTabNumberText(1e150, 1, 3), QString(9, QLatin1Char('*')));
  EXPECT_EQ(NTabNumberText(-1e-200, 4, 3), QString(12, QLatin1Char('*')));
  EXPECT_EQ(NTabNumberText(9.99999e99, 2, -1), QString(10, QLatin1Char('*')));
}

TEST(NTabEdDisplay, EmptyInvalidAndNominalCellTexts) {
  TNTabEd E;
  E.SetCellState(1, 1, csEmpty | csInvalid);
  EXPECT_EQ(E.CellText(1, 1), QString());
  E.SetCellState(1, 2, csInvalid);
  EXPECT_EQ(E.CellText(1, 2), QStringLiteral("-nan-"));
  TDataTable* T = E.Data();
  T->SetMScaleType(2, mstNominal);
  T->SetNominalID(2, 2, "blue");
  E.SetElem(2, 1, 2.5);  // halves to even: 2
  EXPECT_EQ(E.CellText(2, 1), QStringLiteral("blue"));
  E.SetElem(2, 1, 0);
  EXPECT_EQ(E.CellText(2, 1), QStringLiteral("nominal:0"));
  E.SetElem(2, 1, 51);
  EXPECT_EQ(E.CellText(2, 1), QStringLiteral("nominal:51"));
  T->SetMScaleType(3, mstBinary);
  E.SetElem(3, 1, 3.5);  // halves to even: 4, no identifier
  EXPECT_EQ(E.CellText(3, 1), QStringLiteral("binary:4"));
}

class NTabEdPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    E.resize(420, 220);
    E.SetElem(1, 1, 1.5);
    E.SetElem(2, 1, 2);
    E.SetCellState(3, 1, csEmpty);
    E.SetCellState(3, 2, csInvalid);
    E.SetColName(1, "Volt");
    E.SetColName(2, "Amp");
    E.SetRowName(1, "first");
  }
  QRect Cell(int TableCol, int TableRow) {
    return E.CellRect(TableCol + (E.AttribRowVisible() ? 1 : 0), TableRow + (E.AttribColVisible() ? 1 : 0));
  }
  // The right part of a cell, away from its (left-aligned) text.
  static QRect Blank(const QRect& R) { return QRect(R.right() - 6, R.top() + 1, 5, R.height() - 2); }
  static QRect TextArea(const QRect& R) { return QRect(R.left() + 2, R.top() + 1, 40, R.height() - 2); }

  TNTabEd E;
};

TEST_F(NTabEdPixels, PlainSelectedAndFixedCells) {
  E.SetSelection({3, 2, 4, 3});  // table cells (2..3, 2..3)
  const QImage Img = test::Picture(E);
  const TColor Window = ColorToRGB(clWindow), Face = ColorToRGB(clBtnFace);
  EXPECT_TRUE(AllColor(Img, Blank(Cell(1, 1)), Window));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(1, 1)), E.ColorNormal()));
  EXPECT_TRUE(AllColor(Img, Blank(Cell(2, 2)), E.ColorRangeSelBG()));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(2, 2)), E.ColorRangeSelFG()));
  EXPECT_FALSE(HasColor(Img, TextArea(Cell(2, 2)), E.ColorNormal()));
  // A heading: the fixed colour inside its raised edge.
  const QRect Head = E.CellRect(4, 0);
  EXPECT_EQ(test::PixelAt(Img, Head.right() - 4, Head.bottom() - 3), Face);
  // The heading of the current column is drawn in ColorSelected, others in ColorNormal.
  EXPECT_TRUE(HasColor(Img, TextArea(E.CellRect(3, 0)), E.ColorSelected()));
  EXPECT_TRUE(HasColor(Img, TextArea(E.CellRect(2, 0)), E.ColorNormal()));
}

TEST_F(NTabEdPixels, MarkedCellsKeepTheirColourInTheSelection) {
  E.SetElemMarkedA(1, 1, true);
  E.SetElemMarkedB(2, 1, true);
  E.SetElemMarkedA(1, 2, true);
  E.SetElemMarkedB(1, 2, true);
  E.SetSelection({2, 1, 2, 1});  // table cell (1, 1)
  const QImage Img = test::Picture(E);
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(1, 1)), E.ColorMarkedA()));
  EXPECT_TRUE(AllColor(Img, Blank(Cell(1, 1)), E.ColorRangeSelBG()));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(2, 1)), E.ColorMarkedB()));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(1, 2)), E.ColorMarkedBoth()));
  EXPECT_FALSE(HasColor(Img, TextArea(Cell(1, 1)), E.ColorRangeSelFG()));
}

TEST_F(NTabEdPixels, EmptyCellsShowNothingInvalidOnesShowText) {
  const QImage Img = test::Picture(E);
  const TColor Window = ColorToRGB(clWindow);
  const QRect Empty = Cell(3, 1);
  EXPECT_TRUE(AllColor(Img, QRect(Empty.left(), Empty.top(), Empty.width() - 1, Empty.height() - 1), Window));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(3, 2)), E.ColorNormal()));
}

TEST_F(NTabEdPixels, RenderHookChangesTextAndColours) {
  E.OnBeforeRenderCell = [](TObject*, int C, int R, QString& Text, TColor& Fg, TColor& Bg, TFontStyles&) {
    if (C == 2 && R == 2) {
      Text = "hook";
      Fg = clRed;
      Bg = clYellow;
    }
  };
  const QImage Img = test::Picture(E);
  EXPECT_TRUE(AllColor(Img, Blank(Cell(2, 2)), clYellow));
  EXPECT_TRUE(HasColor(Img, TextArea(Cell(2, 2)), clRed));
}

TEST_F(NTabEdPixels, CornerShowsTheCurrentCellOnWhite) {
  E.SetSelection({3, 4, 3, 4});
  const QImage Img = test::Picture(E);
  const QRect C = E.CellRect(0, 0);
  EXPECT_EQ(test::PixelAt(Img, C.right() - 2, C.bottom() - 2), ColorToRGB(clWindow));
  EXPECT_TRUE(HasColor(Img, QRect(C.left() + 3, C.top() + 2, 30, C.height() - 3), E.ColorNormal()));
}

TEST_F(NTabEdPixels, AttributeLabelsAndCells) {
  E.SetAttribColVisible(true);
  E.SetColAttrib(1, 17);
  const QImage Img = test::Picture(E);
  // "Attrib" over the attribute column and "Attribute" before the attribute row.
  EXPECT_TRUE(HasColor(Img, TextArea(E.CellRect(1, 0)).adjusted(0, 0, -15, 0), ColorToRGB(clWindowText)));
  EXPECT_TRUE(HasColor(Img, TextArea(E.CellRect(0, 1)), ColorToRGB(clWindowText)));
  EXPECT_TRUE(HasColor(Img, TextArea(E.CellRect(2, 1)), E.ColorSelected()));
}

// Scrolling moves the kept picture and draws only the cells that come into
// view, down and sideways; every scroll leaves the picture a full paint gives
// (selection, marked cells, attribute row and column, the corner).
TEST_F(NTabEdPixels, ScrollsMatchAFullPaint) {
  E.SetNrOfColumns(30);
  E.SetNrOfRows(80);
  for (int C = 1; C <= 30; ++C)
    for (int R = 1; R <= 80; ++R) E.SetElem(C, R, C * 100 + R / 7.0);
  E.SetAttribColVisible(true);
  E.SetAttribRowVisible(true);
  E.SetSelection({4, 5, 6, 9});
  test::ShowAndWait(E);
  test::Picture(E);
  const std::pair<int, int> Moves[] = {{1, 0}, {0, 1}, {3, 0}, {0, 7}, {-2, 0}, {0, -3}, {12, 0}, {0, 40}, {-14, 0}, {1, 1}};
  for (const auto& [Dx, Dy] : Moves) {
    if (Dx) E.SetLeftCol(E.LeftCol() + Dx);
    else E.SetTopRow(E.TopRow() + Dy);
    if (Dx && Dy) E.SetTopRow(E.TopRow() + Dy);
    const QImage Partial = test::Picture(E);
    E.Invalidate();
    ASSERT_EQ(test::DiffText(Partial, test::Picture(E)), "") << Dx << "," << Dy << " to " << E.LeftCol() << "," << E.TopRow();
  }
}

// Moving the current cell or the range with keys and clicks redraws the old
// and the new selection, the names of the current row and column and the
// corner; every step matches a full paint.
TEST(NTabEdRepaint, SelectionMovesMatchAFullPaint) {
  struct TCounting : TNTabEd {
    void Paint() override {
      ++Paints;
      TNTabEd::Paint();
    }
    int Paints = 0;
  } E;
  E.resize(420, 220);
  E.SetNrOfColumns(12);
  E.SetNrOfRows(40);
  for (int C = 1; C <= 12; ++C) {
    E.SetColName(C, QStringLiteral("col %1").arg(C));
    for (int R = 1; R <= 40; ++R) E.SetElem(C, R, C + R / 10.0);
  }
  E.SetRowName(3, "third");
  E.SetAttribColVisible(true);
  E.SetAttribRowVisible(true);
  test::ShowAndWait(E);
  E.setFocus();
  test::Picture(E);
  int Partial = 0;
  const std::pair<int, Qt::KeyboardModifiers> Keys[] = {
      {Qt::Key_Down, Qt::NoModifier},     {Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Down, Qt::ShiftModifier},
      {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Up, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},
      {Qt::Key_Left, Qt::NoModifier},     {Qt::Key_Home, Qt::NoModifier}};
  for (const auto& [Key, Modifiers] : Keys) {
    const int Paints = E.Paints;
    QTest::keyClick(&E, Qt::Key(Key), Modifiers);
    const QImage Moved = test::Picture(E);
    Partial += E.Paints == Paints;
    E.Invalidate();
    ASSERT_EQ(test::DiffText(Moved, test::Picture(E)), "") << "key " << Key;
  }
  EXPECT_GE(Partial, 4) << "moves within the view redraw the selection, not the table";
  QTest::mouseClick(&E, Qt::LeftButton, {}, E.CellRect(4, 5).center());
  const QImage Moved = test::Picture(E);
  E.Invalidate();
  ASSERT_EQ(test::DiffText(Moved, test::Picture(E)), "") << "click";
}

}  // namespace
}  // namespace qor
