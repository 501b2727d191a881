#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "buttons/qor_colsel.h"
#include "buttons/qor_marksel.h"
#include "buttons/qor_repsbut.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;

// ---- TMarkSel ----------------------------------------------------------------

TEST(MarkSelGeometry, DefaultGridAndTheSecondRow) {
  TMarkSel M;
  EXPECT_EQ(M.Width(), 236);
  EXPECT_EQ(M.Height(), 178);
  EXPECT_EQ(M.Selected(), -1);
  // DH = DV = 29; mark 9 at (43, 43), so the pointer there finds it.
  EXPECT_EQ(M.NearestMark(43, 43), 9);
  EXPECT_EQ(M.NearestMark(14, 14), 0);
  EXPECT_EQ(M.NearestMark(1000, 1000), 47);
}

TEST(MarkSelGeometry, HiddenMarksCloseUpAndMarkZeroStays) {
  TMarkSel M;
  M.SetMarkVisible(0, false);
  EXPECT_TRUE(M.MarkVisible(0));
  M.SetMarkVisible(1, false);
  EXPECT_FALSE(M.MarkVisible(1));
  EXPECT_EQ(M.NearestMark(43, 14), 2);  // mark 2 moved into mark 1's cell
  EXPECT_EQ(M.NearestMark(43, 43), 10);
  EXPECT_TRUE(M.MarkVisible(-4));  // reads clamp to mark 0
  EXPECT_TRUE(M.MarkVisible(99));
  M.HideAllMarks();
  EXPECT_EQ(M.NearestMark(200, 150), 0);
  M.ShowAllMarks();
  EXPECT_EQ(M.NearestMark(43, 14), 1);
}

TEST(MarkSelGeometry, SettersIgnoreOutOfRange) {
  TMarkSel M;
  M.SetSelected(52);
  M.SetSelected(-2);
  EXPECT_EQ(M.Selected(), -1);
  M.SetSelected(51);
  EXPECT_EQ(M.Selected(), 51);
  M.SetNrOfColumns(0);
  M.SetNrOfColumns(52);
  M.SetNrOfRows(0);
  EXPECT_EQ(M.NrOfColumns(), 8);
  EXPECT_EQ(M.NrOfRows(), 6);
}

TEST(MarkSelInput, ClickSelectsNearestAndTiesGoToTheLowerMark) {
  QWidget Form;
  Form.resize(300, 200);
  TMarkSel M(&Form);
  test::ShowAndWait(Form);
  std::vector<int> Clicked;
  M.OnMarkClick = [&](TObject*, int, int, int Mark) { Clicked.push_back(Mark); };
  // An even cell width puts a pixel exactly between two marks.
  M.resize(4 + 8 * 30, 4 + 6 * 30);  // DH = DV = 30: mark 0 at (15, 15), mark 1 at (45, 15)
  QTest::mouseClick(&M, Qt::LeftButton, {}, QPoint(30, 15));
  QTest::mouseClick(&M, Qt::LeftButton, {}, QPoint(31, 15));
  ASSERT_EQ(Clicked.size(), 2u);
  EXPECT_EQ(Clicked[0], 0);
  EXPECT_EQ(Clicked[1], 1);
  EXPECT_EQ(M.Selected(), 1);
  // The right button selects nothing.
  QTest::mouseClick(&M, Qt::RightButton, {}, QPoint(75, 15));
  EXPECT_EQ(M.Selected(), 1);
}

TEST(MarkSelPaint, SelectionHighlightAndDisabledColours) {
  QWidget Form;
  Form.resize(300, 200);
  TMarkSel M(&Form);
  int Paints = 0;
  M.OnPaint = [&](TObject*) { ++Paints; };
  test::ShowAndWait(Form);
  M.SetSelected(9);  // (43, 43): selection box from (46 - 14, 46 - 14) to (46 + 14, 46 + 14)
  QImage P = test::Picture(M);
  EXPECT_EQ(PixelAt(P, 32, 40), clNavy);   // outline
  EXPECT_EQ(PixelAt(P, 34, 34), clWhite);  // inside
  EXPECT_EQ(PixelAt(P, 31, 40), ColorToRGB(clBtnFace));
  EXPECT_GE(Paints, 1);
  // Highlight of mark 18 under the pointer: red box from (x + 4 - 14) = 33 on, at y 72.
  QTest::mouseMove(&M, QPoint(43, 72));
  EXPECT_EQ(M.Highlighted(), 17);
  P = test::Picture(M);
  EXPECT_EQ(PixelAt(P, 34, 63), clRed);
  QTest::mouseMove(&M, QPoint(72, 72));
  EXPECT_EQ(M.Highlighted(), 18);
  P = test::Picture(M);
  EXPECT_EQ(PixelAt(P, 34, 63), ColorToRGB(clBtnFace));  // restored
  M.SetEnabled(false);
  P = test::Picture(M);
  EXPECT_EQ(PixelAt(P, 34, 34), TColor(0xDEDEDE));
  EXPECT_EQ(PixelAt(P, 100, 150), clSilver);
}

TEST(MarkSelInput, KeyboardMovesTheHighlightAndSelects) {
  QWidget Form;
  Form.resize(300, 200);
  TMarkSel M(&Form);
  test::ShowAndWait(Form);
  M.setFocus();
  int Clicks = 0;
  M.OnMarkClick = [&](TObject*, int, int, int) { ++Clicks; };
  QTest::keyClick(&M, Qt::Key_Right);
  QTest::keyClick(&M, Qt::Key_Down);
  EXPECT_EQ(M.Highlighted(), 9);
  QTest::keyClick(&M, Qt::Key_Space);
  EXPECT_EQ(M.Selected(), 9);
  EXPECT_EQ(Clicks, 1);
  QTest::keyClick(&M, Qt::Key_End);
  EXPECT_EQ(M.Highlighted(), 51);
  QTest::keyClick(&M, Qt::Key_Right);
  EXPECT_EQ(M.Highlighted(), 51);
}

// ---- TRepSpeedButton -----------------------------------------------------------

TEST(RepSpeedButton, RepeatsAfterTheStartDelayUntilRelease) {
  QWidget Form;
  Form.resize(200, 100);
  TRepSpeedButton B(&Form);
  B.resize(40, 30);
  test::ShowAndWait(Form);
  B.SetStartClickInterval(100);
  B.SetRepeatClickInterval(30);
  std::vector<qint64> Times;
  QElapsedTimer Clock;
  B.OnRepeatClick = [&](TObject*) { Times.push_back(Clock.elapsed()); };
  int Clicks = 0;
  B.OnClick = [&](TObject*) { ++Clicks; };
  Clock.start();
  QTest::mousePress(&B, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::qWait(60);
  EXPECT_TRUE(Times.empty());  // still in the start delay
  QTest::qWait(190);
  QTest::mouseRelease(&B, Qt::LeftButton, {}, QPoint(10, 10));
  const size_t AtRelease = Times.size();
  ASSERT_GE(AtRelease, 2u);
  EXPECT_GE(Times[0], 95);
  EXPECT_GE(Times[1] - Times[0], 25);
  QTest::qWait(100);
  EXPECT_EQ(Times.size(), AtRelease);
  EXPECT_EQ(Clicks, 1);
}

TEST(RepSpeedButton, IntervalsClampAndOnlyTheLeftButtonRepeats) {
  QWidget Form;
  TRepSpeedButton B(&Form);
  B.resize(40, 30);
  test::ShowAndWait(Form);
  B.SetRepeatClickInterval(0);
  EXPECT_EQ(B.RepeatClickInterval(), 10);
  B.SetStartClickInterval(-5);
  EXPECT_EQ(B.StartClickInterval(), 10);
  QTest::mousePress(&B, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(B.Repeating());
  QTest::mouseRelease(&B, Qt::RightButton, {}, QPoint(5, 5));
}

TEST(RepSpeedButton, LeavingOrDisablingStopsTheRepetition) {
  QWidget Form;
  Form.resize(200, 100);
  TRepSpeedButton B(&Form);
  B.resize(40, 30);
  test::ShowAndWait(Form);
  B.SetStartClickInterval(10);
  B.SetRepeatClickInterval(10);
  int Repeats = 0;
  B.OnRepeatClick = [&](TObject*) { ++Repeats; };
  QTest::mousePress(&B, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(B.Repeating());
  QTest::mouseMove(&B, QPoint(100, 80));
  EXPECT_FALSE(B.Repeating());
  QTest::qWait(50);
  EXPECT_EQ(Repeats, 0);
  QTest::mouseRelease(&B, Qt::LeftButton, {}, QPoint(100, 80));
  QTest::mousePress(&B, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::qWait(40);
  B.SetEnabled(false);
  const int Before = Repeats;
  EXPECT_GT(Before, 0);
  QTest::qWait(50);
  EXPECT_EQ(Repeats, Before);
  EXPECT_FALSE(B.Repeating());
}

TEST(RepSpeedButton, HoldingSpaceRepeatsToo) {
  QWidget Form;
  TRepSpeedButton B(&Form);
  B.resize(40, 30);
  test::ShowAndWait(Form);
  B.setFocus();
  B.SetStartClickInterval(20);
  B.SetRepeatClickInterval(10);
  int Repeats = 0, Clicks = 0;
  B.OnRepeatClick = [&](TObject*) { ++Repeats; };
  B.OnClick = [&](TObject*) { ++Clicks; };
  QTest::keyPress(&B, Qt::Key_Space);
  QTest::qWait(80);
  QTest::keyRelease(&B, Qt::Key_Space);
  const int AtRelease = Repeats;
  EXPECT_GE(AtRelease, 2);
  QTest::qWait(40);
  EXPECT_EQ(Repeats, AtRelease);
  EXPECT_EQ(Clicks, 1);
}

TEST(RepSpeedButton, RefusedTimerReachesTheApplicationHandler) {
  QWidget Form;
  TRepSpeedButton B(&Form);
  B.setObjectName(QStringLiteral("Rep1"));
  B.resize(40, 30);
  test::ShowAndWait(Form);
  QString Message;
  host::Application()->OnException = [&](QObject*, const std::exception& E) { Message = E.what(); };
  host::TTimerWindow::SimulateRefusal(true);
  QTest::mousePress(&B, Qt::LeftButton, {}, QPoint(5, 5));
  host::TTimerWindow::SimulateRefusal(false);
  QTest::mouseRelease(&B, Qt::LeftButton, {}, QPoint(5, 5));
  host::Application()->OnException = nullptr;
  EXPECT_EQ(Message, "Component \"Rep1\": no timer available");
}

TEST(SpeedButton, GroupKeepsOneDown) {
  QWidget Form;
  TSpeedButton A(&Form), B(&Form);
  B.move(30, 0);
  A.SetGroupIndex(1);
  B.SetGroupIndex(1);
  test::ShowAndWait(Form);
  QTest::mouseClick(&A, Qt::LeftButton);
  EXPECT_TRUE(A.Down());
  QTest::mouseClick(&B, Qt::LeftButton);
  EXPECT_TRUE(B.Down());
  EXPECT_FALSE(A.Down());
  QTest::mouseClick(&B, Qt::LeftButton);
  EXPECT_TRUE(B.Down());
  B.SetAllowAllUp(true);
  QTest::mouseClick(&B, Qt::LeftButton);
  EXPECT_FALSE(B.Down());
}

// ---- TColSel -----------------------------------------------------------------

TEST(ColSel, DefaultsAndRangeRules) {
  TColSel S;
  EXPECT_EQ(S.NumColors(), 20);
  EXPECT_EQ(S.count(), 20);
  EXPECT_EQ(S.SelColor(), clBlack);
  EXPECT_EQ(S.SelColorID(), "clBlack");
  EXPECT_EQ(S.ColorNames(2), "clMaroon");
  EXPECT_EQ(S.itemText(1), "clMaroon");  // item i shows and names entry i + 1
  S.SetNumColors(0);
  S.SetNumColors(48);
  EXPECT_EQ(S.count(), 20);
  S.SetNumColors(5);
  EXPECT_EQ(S.count(), 5);
  EXPECT_EQ(S.currentIndex(), 0);
  EXPECT_EQ(S.Colors(0), 0u);
  EXPECT_EQ(S.Colors(6), 0u);
  S.SetColors(6, clRed);
  S.SetColors(0, clRed);
  EXPECT_EQ(S.Colors(6), 0u);
  EXPECT_EQ(S.ColorNames(6), "");
  EXPECT_FALSE(S.ColorEditAllowed(6));
}

TEST(ColSel, SelColorSelectsOrReplacesAndNamesThroughTheEvent) {
  TColSel S;
  int Named = 0;
  S.OnColorNameChange = [&](TObject*, QString& Name) {
    ++Named;
    Name = Name.toUpper();
  };
  S.SetSelColor(clYellow);
  EXPECT_EQ(S.SelIndex(), 12);
  EXPECT_EQ(S.currentIndex(), 11);
  EXPECT_EQ(S.SelColorID(), "CLYELLOW");
  EXPECT_EQ(Named, 1);
  S.SetSelColor(0x123456);
  EXPECT_EQ(S.SelIndex(), 12);
  EXPECT_EQ(S.Colors(12), 0x123456u);
  EXPECT_EQ(S.SelColorID(), "$00123456");
  // A system colour is found by its RGB value.
  S.LoadWindowsSystemPalette();
  EXPECT_EQ(S.NumColors(), 27);
  EXPECT_EQ(S.Colors(1), clScrollBar);
  S.SetSelColor(ColorToRGB(clWindow));
  EXPECT_EQ(S.SelColor(), clWindow);
}

TEST(ColSel, KeyboardSelectionFiresChange) {
  QWidget Form;
  TColSel S(&Form);
  test::ShowAndWait(Form);
  S.setFocus();
  int Changes = 0;
  S.OnChange = [&](TObject*) { ++Changes; };
  QTest::keyClick(&S, Qt::Key_Down);
  QTest::keyClick(&S, Qt::Key_Down);
  EXPECT_EQ(S.SelIndex(), 3);
  EXPECT_EQ(S.SelColor(), clGreen);
  EXPECT_EQ(Changes, 2);
}

QImage ItemImage(TColSel& S) {
  QImage Img = S.grab().toImage().convertToFormat(QImage::Format_RGB32);
  return Img;
}

TEST(ColSel, BarsMarkersAndDisabledLook) {
  QWidget Form;
  TColSel S(&Form);
  test::ShowAndWait(Form);
  const TRect R = S.EditRect();
  S.SetAllColorEditFlags();
  S.SetSelColor(clYellow);  // light: black marker
  QImage P = ItemImage(S);
  EXPECT_EQ(PixelAt(P, R.Left + 5, R.Top + 6), clBlack);
  EXPECT_EQ(PixelAt(P, R.Left + 20, R.Top + 6), clYellow);
  EXPECT_EQ(PixelAt(P, R.Left + 3, R.Top + 6), clBlack);  // bar outline
  S.SetSelColor(clNavy);  // dark: white marker
  P = ItemImage(S);
  EXPECT_EQ(PixelAt(P, R.Left + 5, R.Top + 6), clWhite);
  S.SetColorBarWidth(11);  // too narrow for a marker
  P = ItemImage(S);
  EXPECT_EQ(PixelAt(P, R.Left + 5, R.Top + 6), clNavy);
  S.SetColorBarWidth(30);
  S.SetEnabled(false);
  P = ItemImage(S);
  EXPECT_EQ(PixelAt(P, R.Left + 20, R.Top + 6), clSilver);
  EXPECT_EQ(PixelAt(P, R.Left + 3, R.Top + 6), clGray);
}

TEST(ColSel, ClickOnTheBarOfAnEditableEntryOpensTheColourDialog) {
  QWidget Form;
  TColSel S(&Form);
  test::ShowAndWait(Form);
  S.SetColorEditAllowed(1, true);
  int Drops = 0;
  S.OnDropDown = [&](TObject*) { ++Drops; };
  bool Seen = false;
  QTimer::singleShot(50, [&] {
    auto* Dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    if (!Dialog) return;
    Seen = Dialog->currentColor() == QColor(0, 0, 0);
    Dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
    Dialog->accept();
  });
  const TRect R = S.EditRect();
  QTest::mouseClick(&S, Qt::LeftButton, {}, QPoint(R.Left + 8, R.Top + 5));
  EXPECT_TRUE(Seen);
  EXPECT_EQ(S.SelColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(S.ColorNames(1), "$00563412");
  EXPECT_EQ(Drops, 1);
  S.hidePopup();
  // On the name area the list just drops down.
  QTest::mouseClick(&S, Qt::LeftButton, {}, QPoint(R.Left + 60, R.Top + 5));
  EXPECT_EQ(Drops, 2);
  EXPECT_TRUE(S.view()->isVisible());
  S.hidePopup();
}

}  // namespace
}  // namespace qor
