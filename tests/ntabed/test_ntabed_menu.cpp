// TNTabEd: the popup menus opened by right clicks, their commands, the copy
// buffer and the real clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "ntabed/qor_ntabed.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

class NTabEdMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    E.resize(460, 260);
    test::ShowAndWait(E);
    E.setFocus();
  }
  void TearDown() override {
    E.PopupDT()->Close();
    E.PopupHT()->Close();
  }
  QPoint At(int TableCol, int TableRow) {
    return E.CellRect(TableCol + (E.AttribRowVisible() ? 1 : 0), TableRow + (E.AttribColVisible() ? 1 : 0))
        .center();
  }
  void Click(int C, int R) { QTest::mouseClick(&E, Qt::LeftButton, {}, At(C, R)); }
  // Selects table cells (c1, r1) .. (c2, r2) with a click and a Shift+click.
  void Select(int C1, int R1, int C2, int R2) {
    Click(C1, R1);
    QTest::mouseClick(&E, Qt::LeftButton, Qt::ShiftModifier, At(C2, R2));
  }
  void RightClickElement(int C, int R) { QTest::mouseClick(&E, Qt::RightButton, {}, At(C, R)); }
  void RightClickHeading(int GridCol, int GridRow) {
    QTest::mouseClick(&E, Qt::RightButton, {}, E.CellRect(GridCol, GridRow).center());
  }
  // Chooses an item of an open menu by clicking it (opening its submenu first).
  static void Choose(TPopupMenu* Menu, const QString& Name) {
    ASSERT_TRUE(Menu->IsOpen()) << Name.toStdString();
    TMenuItem* Item = Menu->FindItem(Name);
    ASSERT_NE(Item, nullptr);
    QMenu* Host = Menu->Menu();
    if (!Host->actions().contains(Item->Action())) {
      TMenuItem* Parent = qobject_cast<TMenuItem*>(Item->parent());
      QTest::mouseClick(Host, Qt::LeftButton, {}, Host->actionGeometry(Parent->Action()).center());
      ASSERT_TRUE(QTest::qWaitFor([&] { return Parent->SubMenu()->isVisible(); }));
      Host = Parent->SubMenu();
    }
    QTest::mouseClick(Host, Qt::LeftButton, {}, Host->actionGeometry(Item->Action()).center());
  }

  TNTabEd E;
};

TEST_F(NTabEdMenu, RightClickOpensTheDataMenuWithItsNamesAndCaptions) {
  TPopupMenu* Seen = nullptr;
  E.OnBeforePopup = [&](TObject*, TPopupMenu* M) { Seen = M; };
  RightClickElement(1, 1);
  EXPECT_EQ(Seen, E.PopupDT());
  EXPECT_TRUE(E.PopupDT()->IsOpen());
  EXPECT_EQ(E.PopupDT()->Name(), QStringLiteral("PopupDTAction"));
  EXPECT_EQ(E.PopupDT()->FindItem("DIt10")->Caption(), QStringLiteral("Extract from Clipboard"));
  EXPECT_EQ(E.PopupDT()->FindItem("U2It4")->Caption(), QStringLiteral("All"));
  EXPECT_EQ(E.PopupDCaptions(12), QStringLiteral("Toggle Empty State"));
  EXPECT_EQ(E.PopupDCaptions(13), QString());
  EXPECT_TRUE(E.PopupDT()->FindItem("DIt9")->HasBitmap());
  // The menu's left edge lies at the click + 10 pixels.
  EXPECT_EQ(E.PopupDT()->Menu()->pos().x(), E.mapToGlobal(At(1, 1)).x() + 10);
}

TEST_F(NTabEdMenu, MarkingByRangeColumnRowAndAll) {
  E.Redimension(4, 4);
  Select(2, 2, 3, 3);
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "M1It1");
  EXPECT_EQ(E.NrOfMarkedDataA(), 4);
  EXPECT_TRUE(E.ElemMarkedA(3, 3));
  EXPECT_FALSE(E.ElemMarkedA(1, 1));
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "M2It2");  // type B, columns 2..3
  EXPECT_EQ(E.NrOfMarkedDataB(), 8);
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "U2It3");  // unmark B, rows 2..3
  EXPECT_EQ(E.NrOfMarkedDataB(), 4);
  EXPECT_TRUE(E.ElemMarkedB(2, 1));
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "M2It4");
  EXPECT_EQ(E.NrOfMarkedDataB(), 16);
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "U1It4");
  EXPECT_EQ(E.NrOfMarkedDataA(), 0);
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "DIt5");
  EXPECT_FALSE(E.IfAnyMarked());
}

TEST_F(NTabEdMenu, CopyGivesTheDocumentedClipboardText) {
  E.SetClipboardUseFullPrec(false);
  E.SetElem(1, 1, 1);
  E.SetElem(2, 1, 2);
  E.SetElem(1, 2, 3);
  E.SetIsEmpty(2, 2, true);
  Select(1, 1, 2, 2);
  RightClickElement(1, 1);
  EXPECT_FALSE(E.PopupDT()->FindItem("DIt8")->Enabled());
  Choose(E.PopupDT(), "DIt7");
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" 1.000\t2.000\r\n 3.000\t####\r\n"));
  E.SetClipboardUseFullPrec(true);
  E.SetElem(1, 1, -1234.5);
  E.CopySelection();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
      QStringLiteral(" -1.2345000000000E+0003\t 2.0000000000000E+0000\r\n")));
}

TEST_F(NTabEdMenu, PasteIsOffUntilCopyAndWhileReadOnly) {
  E.Redimension(4, 4);
  E.SetElem(1, 1, 5);
  E.SetElemMarkedA(1, 2, true);
  Select(1, 1, 1, 2);
  RightClickElement(1, 1);
  EXPECT_FALSE(E.PopupDT()->FindItem("DIt8")->Enabled());
  Choose(E.PopupDT(), "DIt7");
  Click(3, 3);
  RightClickElement(3, 3);
  EXPECT_TRUE(E.PopupDT()->FindItem("DIt8")->Enabled());
  QStringList Order;
  E.OnChange = [&](TObject*) { Order << "Change"; };
  E.OnCellStateChanged = [&](TObject*) { Order << "States"; };
  E.OnPaste = [&](TObject*) { Order << "Paste"; };
  Choose(E.PopupDT(), "DIt8");
  EXPECT_EQ(E.Elem(3, 3), 5);
  EXPECT_TRUE(E.ElemMarkedA(3, 4));
  EXPECT_EQ(Order, QStringList({"Change", "States", "Paste"}));
  const TGridRect S = E.TableSelection();
  EXPECT_EQ(S, (TGridRect{3, 3, 3, 4}));
  E.SetDataReadOnly(true);
  RightClickElement(3, 3);
  EXPECT_FALSE(E.PopupDT()->FindItem("DIt8")->Enabled());
  EXPECT_FALSE(E.PopupDT()->FindItem("DIt6")->Enabled());
}

TEST_F(NTabEdMenu, PasteBeyondTheTableWritesOnlyInside) {
  E.Fill(1);
  Select(1, 1, 3, 4);
  E.CopySelection();
  Click(2, 2);
  Click(3, 4);
  E.PasteBlock();
  EXPECT_EQ(E.NrOfColumns(), 3);
  EXPECT_EQ(E.TableSelection(), (TGridRect{3, 4, 3, 4}));
}

TEST_F(NTabEdMenu, ClearFiresPasteBeforeChange) {
  E.Fill(4);
  E.SetElemMarkedB(2, 2, true);
  QStringList Order;
  E.OnChange = [&](TObject*) { Order << "Change"; };
  E.OnCellStateChanged = [&](TObject*) { Order << "States"; };
  E.OnPaste = [&](TObject*) { Order << "Paste"; };
  Select(2, 2, 3, 3);
  RightClickElement(2, 2);
  Choose(E.PopupDT(), "DIt6");
  EXPECT_EQ(Order, QStringList({"Paste", "Change", "States"}));
  EXPECT_EQ(E.Elem(2, 2), 0);
  EXPECT_EQ(E.CellState(2, 2), 0);
  EXPECT_EQ(E.Elem(1, 1), 4);
}

TEST_F(NTabEdMenu, ExtractFromClipboardWritesNumbersLeavingStates) {
  E.Redimension(4, 4);
  E.SetCellState(2, 1, csMarkA | csInvalid);
  QApplication::clipboard()->setText(QStringLiteral("1 2\r\n3 4"));
  Click(1, 1);
  int Pastes = 0;
  E.OnPaste = [&](TObject*) { ++Pastes; };
  RightClickElement(1, 1);
  Choose(E.PopupDT(), "DIt10");
  EXPECT_EQ(E.Elem(1, 1), 1);
  EXPECT_EQ(E.Elem(2, 1), 2);
  EXPECT_EQ(E.Elem(1, 2), 3);
  EXPECT_EQ(E.Elem(2, 2), 4);
  EXPECT_EQ(E.CellState(2, 1), csMarkA | csInvalid);
  EXPECT_EQ(Pastes, 1);
  EXPECT_EQ(E.TableSelection(), (TGridRect{1, 1, 2, 2}));
  QApplication::clipboard()->setText(QStringLiteral("1,5;2"));
  Click(3, 3);
  E.ExtractFromClipboard();
  EXPECT_EQ(E.Elem(3, 3), 1.5);
  EXPECT_EQ(E.Elem(4, 3), 2);
}

TEST_F(NTabEdMenu, ClipMatrixSizeOfTheClipboard) {
  int C = 0, R = 0;
  QApplication::clipboard()->setText(QStringLiteral("1 2 3\r\n4 5\r\n"));
  EXPECT_TRUE(E.GetClipMatrixSize(C, R));
  EXPECT_EQ(C, 3);
  EXPECT_EQ(R, 3);
  QApplication::clipboard()->setText(QStringLiteral("7"));
  EXPECT_TRUE(E.GetClipMatrixSize(C, R));
  EXPECT_EQ(C, 1);
  EXPECT_EQ(R, 1);
  QApplication::clipboard()->setText(QStringLiteral("no numbers here, ;;"));
  EXPECT_FALSE(E.GetClipMatrixSize(C, R));
  EXPECT_EQ(C, 1);
  EXPECT_EQ(R, 1);
}

TEST_F(NTabEdMenu, ReadOnlyToggleShowsItsCheckBitmap) {
  int Setup = 0;
  E.OnChangeSetup = [&](TObject*) { ++Setup; };
  RightClickElement(1, 1);
  const QImage Empty = E.PopupDT()->FindItem("DIt9")->Action()->icon().pixmap(16, 16).toImage();
  Choose(E.PopupDT(), "DIt9");
  EXPECT_TRUE(E.DataReadOnly());
  EXPECT_EQ(Setup, 1);
  RightClickElement(1, 1);
  const QImage Checked = E.PopupDT()->FindItem("DIt9")->Action()->icon().pixmap(16, 16).toImage();
  EXPECT_NE(Empty, Checked);
  Choose(E.PopupDT(), "DIt9");
  EXPECT_FALSE(E.DataReadOnly());
}

TEST_F(NTabEdMenu, SelectAllAndToggleEmpty) {
  RightClickElement(1, 1);
  Choose(E.PopupDT(), "DIt11");
  EXPECT_EQ(E.TableSelection(), (TGridRect{1, 1, 3, 4}));
  RightClickElement(1, 1);
  Choose(E.PopupDT(), "DIt12");
  EXPECT_TRUE(E.IsEmpty(3, 4));
  E.ToggleEmptySelection();
  EXPECT_FALSE(E.IsEmpty(1, 1));
}

TEST_F(NTabEdMenu, MasksDisableItems) {
  E.SetPopupDMask(0x7FFFFFFF & ~0x20);
  RightClickElement(1, 1);
  EXPECT_FALSE(E.PopupDT()->FindItem("DIt6")->Enabled());
  EXPECT_TRUE(E.PopupDT()->FindItem("DIt7")->Enabled());
  E.PopupDT()->Close();
  E.SetPopupHMask(0x7FFFFFFF & ~0x04);
  RightClickHeading(3, 0);
  EXPECT_FALSE(E.PopupHT()->FindItem("HIt3")->Enabled());
}

TEST_F(NTabEdMenu, HeadingMenuOnAColumnAndOnARow) {
  RightClickHeading(3, 0);
  ASSERT_TRUE(E.PopupHT()->IsOpen());
  EXPECT_EQ(E.PopupHT()->Name(), QStringLiteral("PopupHTAction"));
  EXPECT_EQ(E.PopupHCaptions(3), QStringLiteral("Select Column"));
  EXPECT_TRUE(E.PopupHT()->FindItem("HIt2")->Enabled());
  EXPECT_EQ(E.PopupHT()->Menu()->pos(), E.mapToGlobal(E.CellRect(3, 0).topLeft() + QPoint(20, 20)));
  Choose(E.PopupHT(), "HIt3");
  EXPECT_EQ(E.TableSelection(), (TGridRect{2, 1, 2, 4}));
  RightClickHeading(0, 2);
  EXPECT_EQ(E.PopupHCaptions(5), QStringLiteral("Delete Row"));
  EXPECT_FALSE(E.PopupHT()->FindItem("HIt2")->Enabled());
  Choose(E.PopupHT(), "HIt4");
  EXPECT_EQ(E.NrOfRows(), 5);
  EXPECT_EQ(E.RowName(2), QStringLiteral("(...)"));
  RightClickHeading(0, 2);
  Choose(E.PopupHT(), "HIt5");
  EXPECT_EQ(E.NrOfRows(), 4);
  E.SetDataReadOnly(true);
  RightClickHeading(0, 2);
  EXPECT_FALSE(E.PopupHT()->FindItem("HIt4")->Enabled());
  EXPECT_FALSE(E.PopupHT()->FindItem("HIt5")->Enabled());
}

TEST_F(NTabEdMenu, DeleteRowOfAOneRowTableOnlyReportsSetup) {
  E.Redimension(2, 1);
  int Setup = 0;
  E.OnChangeSetup = [&](TObject*) { ++Setup; };
  RightClickHeading(0, 1);
  Choose(E.PopupHT(), "HIt5");
  EXPECT_EQ(E.NrOfRows(), 1);
  EXPECT_EQ(Setup, 1);
}

TEST_F(NTabEdMenu, ChangePrecisionStepsDownThroughScientificAndReopens) {
  E.SetPrecision(1, 0);
  int Layout = 0;
  E.OnLayoutChanged = [&](TObject*) { ++Layout; };
  RightClickHeading(2, 0);
  Choose(E.PopupHT(), "HIt2");
  EXPECT_EQ(E.Precision(1), 255);
  EXPECT_EQ(Layout, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return E.PopupHT()->IsOpen(); }));
  Choose(E.PopupHT(), "HIt2");
  EXPECT_EQ(E.Precision(1), 10);
}

TEST_F(NTabEdMenu, HeadingEditorStoresNamesAndClampedAttributes) {
  int Heading = 0;
  E.OnHeadingChanged = [&](TObject*) { ++Heading; };
  RightClickHeading(3, 0);
  Choose(E.PopupHT(), "HIt1");
  auto* Ed = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(Ed, nullptr);
  EXPECT_EQ(Ed->pos(), E.CellRect(3, 0).bottomLeft() + QPoint(30, 6));
  Ed->setText(QString(60, QLatin1Char('h')));
  QTest::keyClick(Ed, Qt::Key_Return);
  EXPECT_EQ(E.ColName(2), QString(50, QLatin1Char('h')));
  EXPECT_EQ(Heading, 1);
  // Attribute column of row 3: "300" becomes 255, "x" changes nothing.
  for (auto [Text, Expected] : {std::pair{"300", 255}, {"-4", 0}, {"x", 0}, {"2.5", 2}}) {
    RightClickHeading(1, 3);
    Choose(E.PopupHT(), "HIt1");
    Ed = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(Ed, nullptr);
    Ed->setText(QLatin1String(Text));
    QTest::keyClick(Ed, Qt::Key_Return);
    EXPECT_EQ(E.RowAttrib(3), Expected) << Text;
  }
  // Esc drops the text.
  RightClickHeading(0, 1);
  Choose(E.PopupHT(), "HIt1");
  Ed = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(Ed, nullptr);
  Ed->setText("dropped");
  QTest::keyClick(Ed, Qt::Key_Escape);
  EXPECT_EQ(E.RowName(1), QString());
}

TEST_F(NTabEdMenu, AnAssignedPopupMenuReplacesTheOwnOnes) {
  TPopupMenu Own;
  auto* Item = new TMenuItem;
  Item->SetCaption("Mine");
  Own.Items()->Add(Item);
  E.SetPopupMenu(&Own);
  RightClickElement(1, 1);
  EXPECT_FALSE(E.PopupDT()->IsOpen());
  EXPECT_TRUE(Own.IsOpen());
  Own.Close();
  E.SetPopupMenu(nullptr);
  E.SetBlockInternalPopup(true);
  RightClickElement(1, 1);
  EXPECT_FALSE(E.PopupDT()->IsOpen());
}

TEST_F(NTabEdMenu, CaptionTablesAreEditable) {
  E.SetPopupMCaptions(2, QString(60, QLatin1Char('c')));
  EXPECT_EQ(E.PopupDT()->FindItem("M1It2")->Caption(), QString(50, QLatin1Char('c')));
  EXPECT_EQ(E.PopupDT()->FindItem("M2It2")->Caption(), QString(50, QLatin1Char('c')));
  EXPECT_EQ(E.PopupDT()->FindItem("U1It2")->Caption(), QStringLiteral("Column"));
  E.SetPopupUCaptions(4, "Alles");
  EXPECT_EQ(E.PopupUCaptions(4), QStringLiteral("Alles"));
  EXPECT_EQ(E.PopupDT()->FindItem("U2It4")->Caption(), QStringLiteral("Alles"));
  E.SetPopupHCaptions(1, "Rename");
  EXPECT_EQ(E.PopupHCaptions(1), QStringLiteral("Rename"));
  E.SetPopupUCaptions(5, "x");
  EXPECT_EQ(E.PopupUCaptions(5), QString());
}

}  // namespace
}  // namespace qor
