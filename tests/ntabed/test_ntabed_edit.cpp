// TNTabEd: editing by keyboard and mouse, the heading and comment editors.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "ntabed/qor_ntabed.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

class NTabEdEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    E.resize(420, 240);
    test::ShowAndWait(E);
    E.setFocus();
  }
  // Grid point inside table cell (c, r).
  QPoint At(int TableCol, int TableRow) {
    return E.CellRect(TableCol + (E.AttribRowVisible() ? 1 : 0), TableRow + (E.AttribColVisible() ? 1 : 0))
        .center();
  }
  void Click(int C, int R, Qt::MouseButton B = Qt::LeftButton) { QTest::mouseClick(&E, B, {}, At(C, R)); }
  // Selects (c, r) by a first click, opens the editor with F2, types Text and Enter.
  void Type(int C, int R, const QString& Text) {
    Click(C, R);
    QTest::keyClick(&E, Qt::Key_F2);
    ASSERT_TRUE(E.EditorMode());
    QLineEdit* Ed = E.InplaceEditor();
    Ed->setText(Text);
    QTest::keyClick(Ed, Qt::Key_Return);
  }

  TNTabEd E;
};

TEST_F(NTabEdEdit, TypingACharacterOpensTheEditorWithIt) {
  Click(1, 1);
  QTest::keyClicks(&E, "8");
  ASSERT_TRUE(E.EditorMode());
  QTest::keyClicks(E.InplaceEditor(), "5");
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Down);
  EXPECT_EQ(E.Elem(1, 1), 85);
  EXPECT_EQ(E.TableSelection().Top, 2);
}

TEST_F(NTabEdEdit, TypedNumbersAreReadWithCommaAndBlanks) {
  Type(1, 1, "1,5");
  EXPECT_EQ(E.Elem(1, 1), 1.5);
  Type(1, 2, " 2.25 ");
  EXPECT_EQ(E.Elem(1, 2), 2.25);
  EXPECT_EQ(E.CellState(1, 2), 0);
}

TEST_F(NTabEdEdit, InvalidInputKeepsTheValueAndShowsNan) {
  E.SetElem(2, 2, 7);
  Type(2, 2, "abc");
  EXPECT_EQ(E.Elem(2, 2), 7);
  EXPECT_EQ(E.CellState(2, 2), csInvalid);
  EXPECT_EQ(E.CellText(2, 2), QStringLiteral("-nan-"));
  Type(2, 3, "");
  EXPECT_EQ(E.CellState(2, 3), csInvalid);
}

TEST_F(NTabEdEdit, EditingRemovesMarksAndTheEmptyFlag) {
  E.SetCellState(1, 1, csMarkA | csMarkB | csEmpty);
  int States = 0;
  E.OnCellStateChanged = [&](TObject*) { ++States; };
  Type(1, 1, "4");
  EXPECT_EQ(E.CellState(1, 1), 0);
  EXPECT_EQ(E.Elem(1, 1), 4);
  EXPECT_EQ(States, 1);
}

// Fault pinned: leaving an editor whose text was not changed must not round
// the value to the shown decimals nor clear the cell's marks.
TEST_F(NTabEdEdit, AnUnchangedEditorTextChangesNothing) {
  E.SetElem(1, 1, 1.23456);
  E.SetElemMarkedA(1, 1, true);
  Click(1, 1);
  Click(1, 1);  // second click: the editor opens
  ASSERT_TRUE(E.EditorMode());
  EXPECT_EQ(E.InplaceEditor()->text(), QStringLiteral("1.235"));
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(E.Elem(1, 1), 1.23456);
  EXPECT_TRUE(E.ElemMarkedA(1, 1));
}

TEST_F(NTabEdEdit, NominalColumnsTakeIdentifiersInAnyCaseOrIntegers) {
  E.Data()->SetMScaleType(2, mstNominal);
  E.Data()->SetNominalID(2, 1, "red");
  E.Data()->SetNominalID(2, 3, "Blue");
  Type(2, 1, "BLUE");
  EXPECT_EQ(E.Elem(2, 1), 3);
  Type(2, 2, "7");
  EXPECT_EQ(E.Elem(2, 2), 7);
  EXPECT_EQ(E.CellState(2, 2), 0);
  Type(2, 3, "green");
  EXPECT_EQ(E.CellState(2, 3), csInvalid);
  // The editor offers a pick list of the identifiers and the identifier as text.
  Click(2, 1);
  QTest::keyClick(&E, Qt::Key_F2);
  ASSERT_TRUE(E.EditorMode());
  EXPECT_EQ(E.InplaceEditor()->PickList(), QStringList({"red", "Blue"}));
  EXPECT_EQ(E.InplaceEditor()->text(), QStringLiteral("Blue"));
  EXPECT_EQ(E.InplaceEditor()->DropDownRows(), 8);
}

TEST_F(NTabEdEdit, FirstClickSelectsSecondClickEdits) {
  Click(2, 3);
  EXPECT_FALSE(E.EditorMode());
  EXPECT_EQ(E.TableSelection().Left, 2);
  EXPECT_EQ(E.TableSelection().Top, 3);
  Click(2, 3);
  EXPECT_TRUE(E.EditorMode());
  E.HideEditor();
  E.SetDataReadOnly(true);
  Click(1, 1);
  Click(1, 1);
  EXPECT_FALSE(E.EditorMode());
  QTest::keyClicks(&E, "5");
  EXPECT_FALSE(E.EditorMode());
  EXPECT_FALSE(E.Options() & host::goEditing);
}

TEST_F(NTabEdEdit, EscClosesTheEditorUntilTheNextMouseRelease) {
  E.SetElem(1, 1, 2);
  Click(1, 1);
  QTest::keyClicks(&E, "9");
  ASSERT_TRUE(E.EditorMode());
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Escape);
  EXPECT_FALSE(E.EditorMode());
  EXPECT_EQ(E.Elem(1, 1), 2);
  EXPECT_FALSE(E.Options() & host::goEditing);
  QTest::mouseRelease(&E, Qt::LeftButton, {}, At(1, 1));
  EXPECT_TRUE(E.Options() & host::goEditing);
}

TEST_F(NTabEdEdit, KeyboardAloneCanEditAgainAfterEsc) {
  Click(1, 1);
  QTest::keyClicks(&E, "9");
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Escape);
  QTest::keyClick(&E, Qt::Key_F2);
  EXPECT_TRUE(E.EditorMode());
}

TEST_F(NTabEdEdit, EnterAdvancesDownOrRight) {
  Type(1, 1, "1");
  EXPECT_EQ(E.TableSelection().Top, 2);
  EXPECT_EQ(E.TableSelection().Left, 1);
  E.SetAutoAdvanceDir(orHorizontal);
  Type(1, 2, "2");
  EXPECT_EQ(E.TableSelection().Left, 2);
  EXPECT_EQ(E.TableSelection().Top, 2);
  E.SetAutoAdvance(false);
  Type(2, 2, "3");
  EXPECT_EQ(E.TableSelection().Left, 2);
  EXPECT_EQ(E.Elem(2, 2), 3);
}

TEST_F(NTabEdEdit, ArrowKeysMoveAndReportTheSelection) {
  int Sel = 0;
  E.OnSelectionChanged = [&](TObject*) { ++Sel; };
  Click(1, 1);
  QTest::keyClick(&E, Qt::Key_Right);
  QTest::keyClick(&E, Qt::Key_Down, Qt::ShiftModifier);
  const TGridRect S = E.TableSelection();
  EXPECT_EQ(S.Left, 2);
  EXPECT_EQ(S.Top, 1);
  EXPECT_EQ(S.Bottom, 2);
  EXPECT_GE(Sel, 2);
}

TEST_F(NTabEdEdit, TabLeavesTheTable) {
  QWidget Form;
  auto* Ed = new TNTabEd(&Form);
  auto* After = new QLineEdit(&Form);
  After->move(0, 250);
  Form.resize(420, 300);
  test::ShowAndWait(Form);
  Ed->setFocus();
  std::uint16_t Seen = 0;
  Ed->OnKeyDown = [&](TObject*, std::uint16_t& Key, TShiftState) { Seen = Key; };
  QTest::keyClick(Ed, Qt::Key_Tab);
  EXPECT_EQ(Seen, VK_TAB);
  EXPECT_TRUE(After->hasFocus());
}

TEST_F(NTabEdEdit, EditTextEventsSeeGridCoordinates) {
  int GetCol = -1, SetRow = -1;
  QString Seen;
  E.OnGetEditText = [&](TObject*, int C, int, QString& V) {
    GetCol = C;
    V = "12";
  };
  E.OnSetEditText = [&](TObject*, int, int R, const QString& V) {
    SetRow = R;
    Seen = V;
  };
  Click(2, 3);
  QTest::keyClick(&E, Qt::Key_F2);
  ASSERT_TRUE(E.EditorMode());
  EXPECT_EQ(E.InplaceEditor()->text(), QStringLiteral("12"));
  QTest::keyClick(E.InplaceEditor(), Qt::Key_End);
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Backspace);
  QTest::keyClick(E.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(GetCol, 3);
  EXPECT_EQ(SetRow, 3);
  EXPECT_EQ(Seen, QStringLiteral("1"));
  EXPECT_EQ(E.Elem(2, 3), 1);
}

TEST_F(NTabEdEdit, CommentEditorOpensOnTheCornerAndEnterStoresIt) {
  int Changes = 0;
  E.OnChange = [&](TObject*) { ++Changes; };
  QTest::mouseClick(&E, Qt::RightButton, {}, E.CellRect(0, 0).center());
  auto* Memo = E.findChild<QPlainTextEdit*>();
  ASSERT_NE(Memo, nullptr);
  ASSERT_TRUE(Memo->isVisible());
  EXPECT_EQ(Memo->geometry(), QRect(80, 0, E.width() - 80 - 20, 80));
  EXPECT_EQ(test::PixelAt(test::Picture(E), 72, 22), 0x808000u);
  QTest::keyClicks(Memo, "run 7");
  QTest::keyClick(Memo, Qt::Key_Return);
  EXPECT_FALSE(Memo->isVisible());
  EXPECT_EQ(E.Comment(), QStringLiteral("run 7"));
  EXPECT_EQ(Changes, 1);
  // Esc drops what was typed.
  QTest::mouseClick(&E, Qt::RightButton, {}, E.CellRect(0, 0).center());
  QTest::keyClicks(Memo, " more");
  QTest::keyClick(Memo, Qt::Key_Escape);
  EXPECT_EQ(E.Comment(), QStringLiteral("run 7"));
  E.SetCommentEditingAllowed(false);
  QTest::mouseClick(&E, Qt::RightButton, {}, E.CellRect(0, 0).center());
  EXPECT_FALSE(Memo->isVisible());
}

TEST_F(NTabEdEdit, ReadersOfTypedTexts) {
  double V = 3;
  EXPECT_FALSE(ReadTypedNumber("", V));
  EXPECT_FALSE(ReadTypedNumber("1.5x", V));
  EXPECT_EQ(V, 3);
  EXPECT_TRUE(ReadTypedNumber("-1e3", V));
  EXPECT_EQ(V, -1000);
  EXPECT_TRUE(ReadTypedNumber("1e999", V));
  EXPECT_EQ(V, 1.7976931348623157e308);
  int A = 5;
  EXPECT_TRUE(ReadAttribText("300", A));
  EXPECT_EQ(A, 255);
  EXPECT_TRUE(ReadAttribText("-4", A));
  EXPECT_EQ(A, 0);
  EXPECT_TRUE(ReadAttribText("2.5", A));
  EXPECT_EQ(A, 2);
  A = 9;
  EXPECT_FALSE(ReadAttribText("x", A));
  EXPECT_EQ(A, 9);
}

}  // namespace
}  // namespace qor
