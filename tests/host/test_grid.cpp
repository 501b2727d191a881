#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "host/qor_grid.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;
using namespace qor::host;

namespace {

// A draw grid that records which cells were drawn.
struct TRecordingGrid : TCustomDrawGrid {
  explicit TRecordingGrid(QWidget* Parent = nullptr) : TCustomDrawGrid(Parent) {
    OnDrawCell = [this](TObject*, int, int, const TRect&, TGridDrawState) { ++Drawn; };
  }
  int Drawn = 0;
  using TCustomGrid::Paint;
};

QPoint Center(const QRect& R) { return R.center(); }

void Wheel(QWidget& W, int Delta) {
  QWheelEvent E(QPointF(20, 40), W.mapToGlobal(QPointF(20, 40)), QPoint(), QPoint(0, Delta),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&W, &E);
}

}  // namespace

TEST(Grid, DefaultsAndGeometry) {
  TRecordingGrid G;
  EXPECT_EQ(G.ColCount(), 5);
  EXPECT_EQ(G.RowCount(), 5);
  EXPECT_EQ(G.FixedCols(), 1);
  EXPECT_EQ(G.FixedRows(), 1);
  EXPECT_EQ(G.DefaultColWidth(), 64);
  EXPECT_EQ(G.DefaultRowHeight(), 24);
  EXPECT_EQ(G.GridLineWidth(), 1);
  EXPECT_EQ(G.Options(), goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(G.Row(), 1);
  EXPECT_EQ(G.Selection(), (TGridRect{1, 1, 1, 1}));
  // Cells start inside the two-pixel border, each followed by its grid line.
  EXPECT_EQ(G.CellRect(0, 0), QRect(2, 2, 64, 24));
  EXPECT_EQ(G.CellRect(2, 1), QRect(2 + 2 * 65, 2 + 25, 64, 24));
  EXPECT_EQ(G.MouseCoord(2 + 2 * 65 + 64, 2 + 25), (TGridCoord{2, 1}));  // the line belongs to its cell
  EXPECT_EQ(G.MouseCoord(1, 1), (TGridCoord{-1, -1}));
  G.SetColWidths(1, -1);
  EXPECT_TRUE(G.CellRect(1, 1).isEmpty());
  EXPECT_EQ(G.CellRect(2, 1).left(), 2 + 65);
}

TEST(Grid, CountsClampFixedAndCurrent) {
  TRecordingGrid G;
  G.SetRowCount(10);
  G.SetRow(9);
  G.SetRowCount(4);
  EXPECT_EQ(G.Row(), 3);
  G.SetRowCount(1);
  EXPECT_EQ(G.FixedRows(), 0);
  G.SetFixedCols(7);
  EXPECT_EQ(G.FixedCols(), 4);
  G.SetRow(-3);
  EXPECT_EQ(G.Row(), 0);
}

TEST(Grid, PaintVisitsOnlyVisibleCells) {
  TRecordingGrid G;
  G.resize(300, 200);
  G.SetColCount(5);
  G.SetRowCount(1000000);
  G.Drawn = 0;
  test::Picture(G);
  const int Small = G.Drawn;
  EXPECT_GT(Small, 0);
  EXPECT_LE(Small, 5 * 10);
  G.SetTopRow(500000);
  G.Drawn = 0;
  test::Picture(G);
  EXPECT_EQ(G.Drawn, Small);
}

TEST(Grid, GridLinePixels) {
  TRecordingGrid G;
  G.SetDefaultDrawing(false);
  G.resize(400, 200);
  const QImage Img = test::Picture(G);
  // Fixed lines are black, the others silver; the line follows the cell.
  EXPECT_EQ(test::PixelAt(Img, 2 + 64, 10), clBlack);
  EXPECT_EQ(test::PixelAt(Img, 2 + 65 + 64, 2 + 25 + 10), clSilver);
  EXPECT_EQ(test::PixelAt(Img, 2 + 65 + 30, 2 + 24), clBlack);
  G.SetOptions(G.Options() & ~goVertLine);
  EXPECT_EQ(test::PixelAt(test::Picture(G), 2 + 65 + 64, 2 + 25 + 10), ColorToRGB(clWindow));
}

TEST(Grid, KeyboardNavigationScrollsIntoView) {
  TRecordingGrid G;
  G.resize(300, 150);
  G.SetRowCount(100);
  G.SetColCount(10);
  int TopLeftChanges = 0;
  G.OnTopLeftChanged = [&](TObject*) { ++TopLeftChanges; };
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_Down);
  QTest::keyClick(&G, Qt::Key_Right);
  EXPECT_EQ(G.Row(), 2);
  EXPECT_EQ(G.Col(), 2);
  QTest::keyClick(&G, Qt::Key_End);
  EXPECT_EQ(G.Col(), 9);
  EXPECT_GT(G.LeftCol(), 1);
  QTest::keyClick(&G, Qt::Key_Home);
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(G.LeftCol(), 1);
  QTest::keyClick(&G, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(G.Row(), 99);
  EXPECT_EQ(G.Col(), 9);
  const QRect Last = G.CellRect(9, 99);
  ASSERT_FALSE(Last.isEmpty());
  EXPECT_LE(Last.bottom(), 2 + G.ClientHeight());
  EXPECT_GT(TopLeftChanges, 0);
  QTest::keyClick(&G, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(G.TopRow(), 1);
  const int Page = G.VisibleRowCount();
  QTest::keyClick(&G, Qt::Key_PageDown);
  EXPECT_EQ(G.Row(), 1 + Page);
  QTest::keyClick(&G, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(G.Selection(), (TGridRect{1, Page, 1, 1 + Page}));
}

TEST(Grid, RowSelectAndRefusedCells) {
  TRecordingGrid G;
  G.SetOptions(G.Options() | goRowSelect);
  G.OnSelectCell = [](TObject*, int, int ARow, bool& Can) { Can = ARow != 3; };
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_Down);
  EXPECT_EQ(G.Selection(), (TGridRect{1, 2, 4, 2}));
  QTest::keyClick(&G, Qt::Key_Down);  // row 3 refuses
  EXPECT_EQ(G.Row(), 2);
}

TEST(Grid, MouseSelectsExtendsAndDrags) {
  TRecordingGrid G;
  G.resize(400, 200);
  test::ShowAndWait(G);
  QTest::mouseClick(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(2, 2)));
  EXPECT_EQ(G.Selection(), (TGridRect{2, 2, 2, 2}));
  QTest::mouseClick(&G, Qt::LeftButton, Qt::ShiftModifier, Center(G.CellRect(3, 4)));
  EXPECT_EQ(G.Selection(), (TGridRect{2, 2, 3, 4}));
  QTest::mousePress(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(1, 1)));
  QTest::mouseMove(&G, Center(G.CellRect(2, 3)));
  QTest::mouseRelease(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(2, 3)));
  EXPECT_EQ(G.Selection(), (TGridRect{1, 1, 2, 3}));
  // A click on a fixed cell moves nothing.
  QTest::mouseClick(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(0, 3)));
  EXPECT_EQ(G.Row(), 3);
  EXPECT_EQ(G.Col(), 2);
}

TEST(Grid, ColumnSizingByDraggingTheBorder) {
  TRecordingGrid G;
  G.resize(400, 200);
  G.SetOptions(G.Options() | goColSizing);
  test::ShowAndWait(G);
  const int Border = G.CellRect(1, 0).right() + 1;  // first pixel right of column 1
  QTest::mousePress(&G, Qt::LeftButton, Qt::NoModifier, QPoint(Border, 10));
  QTest::mouseMove(&G, QPoint(Border + 30, 10));
  QTest::mouseRelease(&G, Qt::LeftButton, Qt::NoModifier, QPoint(Border + 30, 10));
  EXPECT_EQ(G.ColWidths(1), 94);
  // Not inside the data rows.
  QTest::mousePress(&G, Qt::LeftButton, Qt::NoModifier, QPoint(Border + 30, 40));
  QTest::mouseMove(&G, QPoint(Border + 60, 40));
  QTest::mouseRelease(&G, Qt::LeftButton, Qt::NoModifier, QPoint(Border + 60, 40));
  EXPECT_EQ(G.ColWidths(1), 94);
}

TEST(Grid, InplaceEditorCommitsOnEnterAndRestoresOnEscape) {
  TRecordingGrid G;
  G.resize(400, 200);
  G.SetOptions(G.Options() | goEditing);
  QString Stored = "old";
  int Sets = 0;
  G.OnGetEditText = [&](TObject*, int, int, QString& V) { V = Stored; };
  G.OnSetEditText = [&](TObject*, int ACol, int ARow, const QString& V) {
    ++Sets;
    EXPECT_EQ(ACol, 1);
    EXPECT_EQ(ARow, 1);
    Stored = V;
  };
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_F2);
  ASSERT_TRUE(G.EditorMode());
  EXPECT_EQ(G.InplaceEditor()->text(), "old");
  EXPECT_EQ(G.InplaceEditor()->geometry(), G.CellRect(1, 1));
  QTest::keyClicks(G.InplaceEditor(), "new");
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Escape);
  EXPECT_FALSE(G.EditorMode());
  EXPECT_EQ(Sets, 0);
  EXPECT_EQ(Stored, "old");
  // A typed character opens the editor with that character.
  QTest::keyClicks(&G, "x");
  ASSERT_TRUE(G.EditorMode());
  QTest::keyClicks(G.InplaceEditor(), "yz");
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Return);
  EXPECT_FALSE(G.EditorMode());
  EXPECT_EQ(Stored, "xyz");
  EXPECT_EQ(Sets, 1);
  // Leaving the cell with an arrow key commits too.
  QTest::keyClick(&G, Qt::Key_Return);
  ASSERT_TRUE(G.EditorMode());
  QTest::keyClicks(G.InplaceEditor(), "q");
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Down);
  EXPECT_EQ(Stored, "q");
  EXPECT_EQ(G.Row(), 2);
  // goRowSelect keeps the editor closed.
  G.SetOptions(G.Options() | goRowSelect);
  QTest::keyClick(&G, Qt::Key_F2);
  EXPECT_FALSE(G.EditorMode());
}

TEST(Grid, SecondClickOnCurrentCellOpensEditor) {
  TRecordingGrid G;
  G.resize(400, 200);
  G.SetOptions(G.Options() | goEditing);
  test::ShowAndWait(G);
  QTest::mouseClick(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(2, 2)));
  EXPECT_FALSE(G.EditorMode());
  QTest::mouseClick(&G, Qt::LeftButton, Qt::NoModifier, Center(G.CellRect(2, 2)));
  EXPECT_TRUE(G.EditorMode());
}

struct TPickGrid : TRecordingGrid {
  TEditStyle GetEditStyle(int, int) override { return esPickList; }
  QStringList GetPickListItems(int, int) override { return {"red", "green", "blue"}; }
};

TEST(Grid, PickListChoosesText) {
  TPickGrid G;
  G.resize(400, 200);
  G.SetOptions(G.Options() | goEditing);
  QString Stored;
  G.OnSetEditText = [&](TObject*, int, int, const QString& V) { Stored = V; };
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_F2);
  ASSERT_EQ(G.InplaceEditor()->PickList().size(), 3);
  QTest::keyClick(G.InplaceEditor(), Qt::Key_F4);
  ASSERT_TRUE(G.InplaceEditor()->ListVisible());
  QWidget* List = QApplication::focusWidget();
  QTest::keyClick(List, Qt::Key_Down);
  QTest::keyClick(List, Qt::Key_Return);
  EXPECT_EQ(G.InplaceEditor()->text(), "green");
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(Stored, "green");
}

TEST(Grid, TabRunsThroughTheRowsWithGoTabs) {
  TRecordingGrid G;
  G.SetColCount(3);
  G.SetOptions(G.Options() | goTabs);
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_Tab);
  EXPECT_EQ(G.Col(), 2);
  QTest::keyClick(&G, Qt::Key_Tab);
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(G.Row(), 2);
  QTest::keyClick(&G, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(G.Col(), 2);
  EXPECT_EQ(G.Row(), 1);
  EXPECT_TRUE(G.hasFocus());
}

TEST(Grid, WheelMovesTheCurrentRowAndScrollBarsFollow) {
  TRecordingGrid G;
  G.resize(300, 150);
  G.SetRowCount(50);
  G.SetOptions(G.Options() | goThumbTracking);
  test::ShowAndWait(G);
  Wheel(G, -240);
  EXPECT_EQ(G.Row(), 3);
  Wheel(G, 120);
  EXPECT_EQ(G.Row(), 2);
  QScrollBar* V = nullptr;
  for (QScrollBar* B : G.findChildren<QScrollBar*>())
    if (B->orientation() == Qt::Vertical) V = B;
  ASSERT_NE(V, nullptr);
  EXPECT_TRUE(V->isVisible());
  V->setValue(V->maximum());
  EXPECT_EQ(G.TopRow(), V->maximum() + 1);
  // At the end the last row fits completely.
  const QRect Last = G.CellRect(0, 49);
  ASSERT_FALSE(Last.isEmpty());
  EXPECT_LE(Last.bottom(), 2 + G.ClientHeight());
  bool Handled = false;
  G.OnMouseWheelDown = [&](TObject*, TShiftState, QPoint, bool& H) { H = Handled = true; };
  const int Row = G.Row();
  Wheel(G, -120);
  EXPECT_TRUE(Handled);
  EXPECT_EQ(G.Row(), Row);
}

// A handler that throws while the in-place editor delivers a key must not let
// the exception pass through Qt's event loop: it reaches the application.
TEST(Grid, ExceptionFromAnEditorHandlerReachesTheApplication) {
  TRecordingGrid G;
  G.resize(400, 200);
  G.SetOptions(G.Options() | goEditing);
  G.OnSetEditText = [](TObject*, int, int, const QString&) {
    throw std::runtime_error("refused by the application");
  };
  QString Reported;
  host::Application()->OnException = [&](QObject*, const std::exception& E) {
    Reported = QString::fromLatin1(E.what());
  };
  test::ShowAndWait(G);
  G.setFocus();
  QTest::keyClick(&G, Qt::Key_F2);
  ASSERT_TRUE(G.EditorMode());
  QTest::keyClicks(G.InplaceEditor(), "7");
  QTest::keyClick(G.InplaceEditor(), Qt::Key_Return);
  host::Application()->OnException = nullptr;
  EXPECT_EQ(Reported, "refused by the application");
}

// A grid laid out before it is ever shown (a top-level grid, or one rendered
// off screen) places its scroll bars at the edges and leaves them room.
TEST(Grid, ScrollBarsPlacedBeforeTheGridIsShown) {
  TRecordingGrid G;
  G.SetRowCount(100);
  G.SetColCount(30);
  auto* V = G.findChildren<QScrollBar*>().at(1);
  auto* H = G.findChildren<QScrollBar*>().at(0);
  ASSERT_EQ(V->orientation(), Qt::Vertical);
  EXPECT_FALSE(V->isHidden());
  EXPECT_EQ(V->geometry().right(), G.width() - 3);
  EXPECT_EQ(H->geometry().bottom(), G.height() - 3);
  const int Rows = G.VisibleRowCount();
  G.setAttribute(Qt::WA_DontShowOnScreen);
  G.show();
  EXPECT_EQ(V->geometry().right(), G.width() - 3);
  EXPECT_EQ(G.VisibleRowCount(), Rows);
}

// Moving the current cell or the range redraws the old and the new selection
// on the kept picture (scrolling first where the move leaves the view); every
// step leaves the picture a full paint gives, with and without row selection,
// focus drawn on selected cells, and wide grid lines.
TEST(Grid, SelectionMovesMatchAFullPaint) {
  struct TCounting : TCustomDrawGrid {
    void Paint() override {
      ++Paints;
      TCustomDrawGrid::Paint();
    }
    int Paints = 0;
  };
  const TGridOptions Variants[] = {goRangeSelect | goVertLine | goHorzLine,
                                   goRowSelect | goVertLine | goHorzLine | goFixedVertLine,
                                   goRangeSelect | goDrawFocusSelected | goHorzLine};
  for (const TGridOptions Options : Variants)
    for (const int Line : {1, 3}) {
      TCounting G;
      G.resize(330, 200);
      G.SetRowCount(60);
      G.SetColCount(12);
      G.SetOptions(Options);
      G.SetGridLineWidth(Line);
      test::ShowAndWait(G);
      G.setFocus();
      test::Picture(G);
      const std::pair<int, Qt::KeyboardModifiers> Keys[] = {
          {Qt::Key_Down, Qt::NoModifier},  {Qt::Key_Right, Qt::NoModifier},   {Qt::Key_Down, Qt::ShiftModifier},
          {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Up, Qt::NoModifier},  {Qt::Key_PageDown, Qt::NoModifier},
          {Qt::Key_Down, Qt::NoModifier},  {Qt::Key_End, Qt::ShiftModifier}, {Qt::Key_Home, Qt::NoModifier}};
      for (const auto& [Key, Modifiers] : Keys) {
        const int Paints = G.Paints;
        QTest::keyClick(&G, Qt::Key(Key), Modifiers);
        const QImage Partial = test::Picture(G);
        const bool Scrolled = G.Paints != Paints;
        G.Invalidate();
        ASSERT_EQ(test::DiffText(Partial, test::Picture(G)), "")
            << "key " << Key << " options " << Options << " line " << Line << (Scrolled ? " (full)" : "");
      }
      // A click on a cell in view moves it without a full paint.
      const int Paints = G.Paints;
      QTest::mouseClick(&G, Qt::LeftButton, {}, G.CellRect(3, 3).center());
      const QImage Partial = test::Picture(G);
      EXPECT_EQ(G.Paints, Paints);
      G.Invalidate();
      ASSERT_EQ(test::DiffText(Partial, test::Picture(G)), "") << "click, options " << Options;
    }
}
