// The Qt signals of the components: each follows its event once per
// occurrence, after the event's handler, with the event's value, also when no
// handler is set; user-driven ones are driven by real keys and mouse. And a
// numeric field bound to a model column through QDataWidgetMapper.
#include <gtest/gtest.h>

#include <QDataWidgetMapper>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>

#include "browsing/qor_thumbnails.h"
#include "buttons/qor_colsel.h"
#include "buttons/qor_marksel.h"
#include "calendar/qor_minical.h"
#include "decoration/qor_gradfl.h"
#include "displays/qor_numlab.h"
#include "displays/qor_rasterlab.h"
#include "foundation/qor_datatable.h"
#include "gauges/qor_meter.h"
#include "gauges/qor_progbar.h"
#include "ntabed/qor_ntabed.h"
#include "numio/qor_numio.h"
#include "replist/qor_replist.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

// The order in which an event's handler ("e") and its signal ("s") run.
class TTrace {
 public:
  TNotifyEvent Handler() {
    return [this](TObject*) { Text += 'e'; };
  }
  template <class T, class TSignal>
  void Watch(T* Sender, TSignal Signal) {
    QObject::connect(Sender, Signal, Sender, [this] { Text += 's'; });
  }
  std::string Text;
};

double DoubleArg(const QSignalSpy& Spy, int I) { return Spy.at(I).at(0).toDouble(); }

// ---- numeric fields -------------------------------------------------------------

class NumIO2Signals : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* L = new QVBoxLayout(&Host);
    Field = new TNumIO2;
    Next = new QLineEdit;
    L->addWidget(Field);
    L->addWidget(Next);
    ShowAndWait(Host);
    Field->SetFocus();
  }
  QWidget Host;
  TNumIO2* Field = nullptr;
  QLineEdit* Next = nullptr;
};

TEST_F(NumIO2Signals, TypingEmitsOncePerAcceptedKeystrokeAfterTheHandler) {
  TTrace Trace;
  Field->OnChange = Trace.Handler();
  Trace.Watch(Field, &TNumIO2::changed);
  QSignalSpy Values(Field, &TNumIO2::valueChanged);
  QTest::keyClicks(Field, "12");
  QTest::keyClicks(Field, "x");  // refused: no event, no signal
  EXPECT_EQ(Trace.Text, "eses");
  ASSERT_EQ(Values.count(), 2);
  EXPECT_EQ(DoubleArg(Values, 0), 1);
  EXPECT_EQ(DoubleArg(Values, 1), 12);

  Field->SetValue(7);  // from code: no OnChange, so no signal either
  Field->SetText(QStringLiteral("8"));
  EXPECT_EQ(Values.count(), 2);
}

TEST_F(NumIO2Signals, ButtonsAndGaugeEmitWithTheirValuesAlsoWithoutHandlers) {
  Field->SetHeight(48);
  Field->SetButVisible(true);
  Field->SetGaugeVisible(true);  // gauge y 39..46, x 35..117
  Field->SetValue(10);
  QSignalSpy Values(Field, &TNumIO2::valueChanged);
  QSignalSpy Gauge(Field, &TNumIO2::gaugeChanged);
  QTest::mouseClick(Field, Qt::LeftButton, {}, QPoint(127, 7));  // up button
  ASSERT_EQ(Values.count(), 1);
  EXPECT_EQ(DoubleArg(Values, 0), 11);

  QTest::mousePress(Field, Qt::LeftButton, {}, QPoint(76, 42));
  QTest::mouseMove(Field, QPoint(118, 42));
  EXPECT_EQ(Values.count(), 1);  // the change is reported at mouse-up
  ASSERT_EQ(Gauge.count(), 1);
  EXPECT_EQ(DoubleArg(Gauge, 0), 1000);
  QTest::mouseRelease(Field, Qt::LeftButton, {}, QPoint(118, 42));
  ASSERT_EQ(Values.count(), 2);
  EXPECT_EQ(DoubleArg(Values, 1), 1000);
}

TEST_F(NumIO2Signals, MapperBindsTheValueToAModelColumnBothWays) {
  QStandardItemModel Model(2, 1);
  Model.setData(Model.index(0, 0), 12.5);
  Model.setData(Model.index(1, 0), -3.0);
  Field->SetRangeLow(-100);
  QDataWidgetMapper Mapper;
  Mapper.setModel(&Model);
  Mapper.addMapping(Field, 0);
  Mapper.toFirst();
  EXPECT_EQ(Field->Value(), 12.5);
  Mapper.toNext();
  EXPECT_EQ(Field->Value(), -3);

  // Retyped and left with Tab: the mapper commits, and the model's change
  // comes back in the field's format.
  Field->SetFocus();
  QTest::keyClick(Field, Qt::Key_End);
  for (int I = 0; I < 5; ++I) QTest::keyClick(Field, Qt::Key_Backspace);
  QTest::keyClicks(Field, "-7.25");
  QTest::keyClick(Field, Qt::Key_Tab);
  EXPECT_TRUE(Next->hasFocus());
  EXPECT_EQ(Model.data(Model.index(1, 0)).toDouble(), -7.25);
  EXPECT_EQ(Field->Text(), QStringLiteral("-7.25"));
  Model.setData(Model.index(1, 0), 99.125);
  EXPECT_EQ(Field->Text(), QStringLiteral("99.13"));
  EXPECT_EQ(Model.data(Model.index(0, 0)).toDouble(), 12.5);
}

TEST(NumIOSignals, AcceptedChangesEmitTheValueRefusedAndInternalOnesNothing) {
  QWidget Host;
  auto* Edit = new TNumIO(&Host);
  Edit->SetRangeHigh(100);
  ShowAndWait(Host);
  Edit->setFocus();
  TTrace Trace;
  Edit->OnChange = Trace.Handler();
  Trace.Watch(Edit, &TNumIO::changed);
  QSignalSpy Values(Edit, &TNumIO::valueChanged);
  QTest::keyClicks(Edit, "42");
  QTest::keyClicks(Edit, "9");  // 429 is out of range: refused
  EXPECT_EQ(Trace.Text, "eses");
  ASSERT_EQ(Values.count(), 2);
  EXPECT_EQ(DoubleArg(Values, 1), 42);
  Edit->SetEditText(QStringLiteral("77"));
  EXPECT_EQ(Values.count(), 2);
  EXPECT_EQ(Edit->metaObject()->userProperty().name(), QByteArray("Value"));
}

// ---- displays and gauges --------------------------------------------------------

TEST(ValueSignals, LabelMeterAndBarEmitEachChangeOfTheValueOnce) {
  TNumLab Lab;
  QSignalSpy LabValues(&Lab, &TNumLab::valueChanged);
  Lab.SetValue(3.5);
  Lab.SetValue(3.5);
  ASSERT_EQ(LabValues.count(), 1);
  EXPECT_EQ(DoubleArg(LabValues, 0), 3.5);

  TProgBar Bar;
  QSignalSpy BarValues(&Bar, &TProgBar::valueChanged);
  Bar.SetValue(40);
  Bar.SetValue(40);
  ASSERT_EQ(BarValues.count(), 1);
  EXPECT_EQ(DoubleArg(BarValues, 0), 40);

  // The meter reports the value it keeps: clamped to the range, and clamped
  // again when the range shrinks below it.
  TMeter M;
  QSignalSpy Values(&M, &TMeter::valueChanged);
  M.SetValue(5);
  M.SetMeterMaxValue(0.5);
  ASSERT_EQ(Values.count(), 2);
  EXPECT_EQ(DoubleArg(Values, 0), 1);
  EXPECT_EQ(DoubleArg(Values, 1), 0.5);
  for (const char* P : {"Value", "ValueSec"})
    EXPECT_TRUE(M.metaObject()->property(M.metaObject()->indexOfProperty(P)).hasNotifySignal())
        << P;
}

TEST(ValueSignals, MeterRangeSignalsFollowTheirEvents) {
  QWidget Host;
  TMeter& M = *new TMeter(&Host);
  M.setMouseTracking(true);
  TTrace Over, Normal;
  M.OnOverFlow = Over.Handler();
  M.OnNormalRange = Normal.Handler();
  Over.Watch(&M, &TMeter::overflow);
  Normal.Watch(&M, &TMeter::normalRange);
  QSignalSpy Under(&M, &TMeter::underflow);
  M.SetValue(0.5);
  M.SetValue(1.0);
  M.SetValue(1.0);  // equal: nothing
  EXPECT_EQ(Normal.Text, "es");
  EXPECT_EQ(Over.Text, "es");
  M.SetThresholdLow(0.9);
  EXPECT_EQ(Under.count(), 0);  // 1.0 is above the new low threshold
  M.SetValue(0.1);
  EXPECT_EQ(Under.count(), 1);

  ShowAndWait(Host);
  QSignalSpy Moves(&M, &TMeter::mouseMoveInMeter);
  QTest::mouseMove(&M, QPoint(M.MeterCenterX(), M.MeterCenterY() - 40));
  ASSERT_GE(Moves.count(), 1);
  EXPECT_TRUE(Moves.last().at(0).toBool());
  EXPECT_NEAR(Moves.last().at(1).toDouble(), 0.5, 0.02);  // straight up: mid-scale
}

TEST(ValueSignals, NeedleLayoutChangedFollowsItsEventAndRepaintsTheMeterStill) {
  TMeter M;
  TTrace Trace;
  M.NeedleLayout()->OnChange = Trace.Handler();
  Trace.Watch(M.NeedleLayout(), &TNeedleLayout::changed);
  M.NeedleLayout()->SetThickness(4);
  M.NeedleLayout()->SetThickness(4);
  EXPECT_EQ(Trace.Text, "es");
}

TEST(ValueSignals, TimersEmitAfterTheirEvents) {
  TProgBar Bar;
  TTrace Trace;
  Bar.SetOnAutoInc(Trace.Handler());
  Trace.Watch(&Bar, &TProgBar::autoIncremented);
  QSignalSpy Values(&Bar, &TProgBar::valueChanged);
  Bar.SetStartInterval(10);
  Bar.SetRepeatInterval(10);
  Bar.SetAutoIncStep(5);
  Bar.SetAutoInc(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Trace.Text.size() >= 2; }, 2000));
  Bar.SetAutoInc(false);
  EXPECT_EQ(Trace.Text.substr(0, 2), "es");
  ASSERT_GE(Values.count(), 1);
  EXPECT_EQ(DoubleArg(Values, 0), 15);  // 10 + 5

  TRasterLab Lab;
  Lab.SetText(QStringLiteral("AB"));
  TTrace Steps, Restarts;
  Lab.SetOnScrollTimer(Steps.Handler());
  Lab.OnScrollLoopRestart = Restarts.Handler();
  Steps.Watch(&Lab, &TRasterLab::scrolled);
  Restarts.Watch(&Lab, &TRasterLab::scrollLoopRestarted);
  Lab.SetScrollIncrement(200);
  Lab.SetScrollInterval(10);
  Lab.SetScrollMode(TRasterLab::rdsmRight);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Restarts.Text.size() >= 2; }, 2000));
  Lab.SetScrollMode(TRasterLab::rdsmOff);
  EXPECT_EQ(Restarts.Text.substr(0, 2), "es");
  EXPECT_EQ(Steps.Text.substr(0, 4), "eses");
}

// ---- calendar, lists and tables -------------------------------------------------

TEST(ListSignals, CalendarEmitsTheSelectedDayForEveryChange) {
  QWidget Host;
  TMiniCal& C = *new TMiniCal(&Host);
  C.SetDate(QDate(1899, 12, 30).daysTo(QDate(2024, 2, 29)));
  TTrace Trace;
  C.OnChange = Trace.Handler();
  Trace.Watch(&C, &TMiniCal::changed);
  QSignalSpy Dates(&C, &TMiniCal::dateChanged);
  C.NextYear();  // 29 February steps to 28 February first: two changes
  EXPECT_EQ(Trace.Text, "eses");
  ASSERT_EQ(Dates.count(), 2);
  EXPECT_EQ(Dates.at(0).at(0).toDate(), QDate(2024, 2, 28));
  EXPECT_EQ(Dates.at(1).at(0).toDate(), QDate(2025, 2, 28));

  ShowAndWait(Host);
  QTest::mouseClick(&C, Qt::LeftButton, {}, C.CellRect(3, 3).center());
  ASSERT_EQ(Dates.count(), 3);
  EXPECT_EQ(Dates.at(2).at(0).toDate(), QDate(C.Year(), C.Month(), C.Day()));
  EXPECT_NE(C.Day(), 28);
}

TEST(ListSignals, ReportListSelectionAndCheckMarksByMouseAndKeys) {
  QWidget Host;
  auto* V = new TReportListView;
  auto* L = new QVBoxLayout(&Host);
  L->addWidget(V);
  V->SetNrOfColumns(2);
  V->SetNrOfRows(4);
  V->SetColumnCheckMode(1, cmBox);
  for (int R = 1; R <= 4; ++R) V->SetElem(1, R, QStringLiteral(" item"));
  ShowAndWait(Host);
  TTrace Trace;
  V->OnSelectedChange = Trace.Handler();
  Trace.Watch(V, &TReportListView::selectionChanged);
  QSignalSpy Checks(V, &TReportListView::checkedChanged);
  QSignalSpy Changes(V, &TReportListView::changed);

  const QRect Cell = V->CellRect(0, 2);  // data row 2, column 1
  QTest::mouseClick(V, Qt::LeftButton, {}, QPoint(Cell.left() + 40, Cell.center().y()));
  EXPECT_EQ(Trace.Text, "es");
  QTest::keyClick(V, Qt::Key_Down);
  EXPECT_EQ(Trace.Text, "eses");

  QTest::mouseClick(V, Qt::LeftButton, {}, QPoint(Cell.left() + 6, Cell.center().y()));
  ASSERT_EQ(Checks.count(), 1);
  EXPECT_EQ(Checks.at(0).at(0).toInt(), 1);
  EXPECT_EQ(Checks.at(0).at(1).toInt(), 2);
  EXPECT_TRUE(V->ElemChecked(1, 2));
  EXPECT_EQ(Checks.at(0).at(2).toBool(), !V->ElemChecked(1, 2));  // the state it is passed
  EXPECT_GE(Changes.count(), 1);
}

TEST(ListSignals, TableEditorSignalsFollowTheirEvents) {
  QWidget Host;
  auto* E = new TNTabEd;
  auto* L = new QVBoxLayout(&Host);
  L->addWidget(E);
  E->SetNrOfColumns(3);
  E->SetNrOfRows(40);
  ShowAndWait(Host);
  E->setFocus();
  TTrace Scroll;
  E->OnTopLeftChanged = Scroll.Handler();
  Scroll.Watch(E, &TNTabEd::topLeftChanged);
  QSignalSpy Selections(E, &TNTabEd::selectionChanged);
  QSignalSpy Edits(E, &TNTabEd::cellEdited);
  // The editor compares its selection after every mouse move and scroll.
  QTest::mouseClick(E, Qt::LeftButton, {}, E->CellRect(3, 2).center());
  QTest::mouseMove(E, E->CellRect(3, 2).center() + QPoint(1, 0));
  EXPECT_EQ(Selections.count(), 1);
  QTest::keyClicks(E, "7");
  ASSERT_TRUE(E->EditorMode());
  QTest::keyClick(E->InplaceEditor(), Qt::Key_Return);
  ASSERT_GE(Edits.count(), 1);
  EXPECT_EQ(Edits.last().at(2).toString(), QStringLiteral("7"));
  QTest::keyClick(E, Qt::Key_PageDown);
  EXPECT_GE(Scroll.Text.size(), 2u);
  EXPECT_EQ(Scroll.Text.substr(0, 2), "es");
}

TEST(ListSignals, DataTableSignalsReachAnyListenerBesideItsEditor) {
  TDataTable T;
  TNTabEd Editor;
  Editor.AssignAnotherDataMatrix(&T);  // the editor takes the table's events
  QSignalSpy Resized(&T, &TDataTable::resized);
  QSignalSpy Setup(&T, &TDataTable::setupChanged);
  QSignalSpy Data(&T, &TDataTable::dataChanged);
  T.Resize(4, 6);
  ASSERT_EQ(Resized.count(), 1);
  EXPECT_EQ(Resized.at(0).at(2).toInt(), 4);
  EXPECT_EQ(Resized.at(0).at(3).toInt(), 6);
  EXPECT_EQ(Setup.count(), 1);
  T.SetElem(1, 1, 2.5);
  EXPECT_EQ(Data.count(), 1);
  EXPECT_EQ(Editor.NrOfColumns(), 4);  // the editor still follows the table
}

// ---- buttons, selectors, browsing, decoration ----------------------------------

TEST(ButtonSignals, SelectorsEmitTheChosenMarkAndColour) {
  QWidget Host;
  auto* L = new QVBoxLayout(&Host);
  auto* Marks = new TMarkSel;
  auto* Colours = new TColSel;
  L->addWidget(Marks);
  L->addWidget(Colours);
  ShowAndWait(Host);

  TTrace Paints;
  Marks->OnPaint = Paints.Handler();
  Paints.Watch(Marks, &TMarkSel::painted);
  QSignalSpy Clicks(Marks, &TMarkSel::markClicked);
  QSignalSpy Doubles(Marks, &TMarkSel::markDoubleClicked);
  QTest::mouseClick(Marks, Qt::LeftButton, {}, QPoint(60, 40));
  ASSERT_EQ(Clicks.count(), 1);
  EXPECT_EQ(Clicks.at(0).at(0).toInt(), Marks->Selected());
  QTest::mouseDClick(Marks, Qt::LeftButton, {}, QPoint(100, 100));
  ASSERT_EQ(Doubles.count(), 1);
  EXPECT_EQ(Doubles.at(0).at(0).toInt(), Marks->Selected());
  ASSERT_GE(Paints.Text.size(), 2u);
  EXPECT_EQ(Paints.Text.substr(0, 2), "es");

  Colours->setFocus();
  QSignalSpy Changed(Colours, &TColSel::changed);
  QSignalSpy Chosen(Colours, &TColSel::colorChanged);
  QTest::keyClick(Colours, Qt::Key_Down);
  ASSERT_EQ(Chosen.count(), 1);
  EXPECT_EQ(Changed.count(), 1);
  EXPECT_EQ(Chosen.at(0).at(0).value<TColor>(), Colours->SelColor());
  EXPECT_EQ(Colours->SelIndex(), 2);
}

TEST(ButtonSignals, PaintNotificationsBracketOrFollowThePaint) {
  TThumbnails T;
  std::string Order;
  T.OnFirstImageRequest = [&](TObject*) { Order += "F"; };
  T.OnLastImageRequest = [&](TObject*) { Order += "L"; };
  T.OnImageRequest = [&](TObject*, int, TThumbnails::TImageRequestProcessing&, int&,
                         host::TBitmap&) { Order += "i"; };
  QObject::connect(&T, &TThumbnails::firstImageRequested, [&] { Order += "f"; });
  QObject::connect(&T, &TThumbnails::lastImageRequested, [&] { Order += "l"; });
  T.SetMin(1);
  T.SetMax(1);
  Picture(T);
  EXPECT_EQ(Order, "FfiLl");

  TGradFill G;
  TTrace Trace;
  G.OnPaint = Trace.Handler();
  Trace.Watch(&G, &TGradFill::painted);
  Picture(G);
  EXPECT_EQ(Trace.Text, "es");
}

}  // namespace
}  // namespace qor::test
