// What a screen reader learns from every component: role, name, value, text,
// states, tables and list items through QAccessible, and the events that tell
// it about changes of values, selection, rows and focus.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QVBoxLayout>
#include <map>
#include <memory>

#include "browsing/qor_thumbnails.h"
#include "buttons/qor_marksel.h"
#include "buttons/qor_onoffbut.h"
#include "calendar/qor_minical.h"
#include "displays/qor_numlab.h"
#include "gauges/qor_meter.h"
#include "gauges/qor_progbar.h"
#include "ntabed/qor_ntabed.h"
#include "numio/qor_numio.h"
#include "replist/qor_replist.h"
#include "tests/components/component_registry.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

// ---- recording the events a screen reader receives ---------------------------------

struct TRecorded {
  QAccessible::Event Type;
  QObject* Object;
  int Child;
  QVariant Value;
  int Change = -1, FirstRow = -1, LastRow = -1;
  QAccessible::State States;
};

std::vector<TRecorded>& Recorded() {
  static std::vector<TRecorded> Events;
  return Events;
}

void Record(QAccessibleEvent* E) {
  TRecorded R{E->type(), E->object(), E->child(), {}, -1, -1, -1, {}};
  if (E->type() == QAccessible::ValueChanged)
    R.Value = static_cast<QAccessibleValueChangeEvent*>(E)->value();
  if (E->type() == QAccessible::TableModelChanged) {
    const auto* T = static_cast<QAccessibleTableModelChangeEvent*>(E);
    R.Change = T->modelChangeType();
    R.FirstRow = T->firstRow();
    R.LastRow = T->lastRow();
  }
  if (E->type() == QAccessible::StateChanged)
    R.States = static_cast<QAccessibleStateChangeEvent*>(E)->changedStates();
  Recorded().push_back(R);
}

// The platform's accessibility layer, switched on as an assistive technology does.
void SetActive(bool On) {
  QPlatformAccessibility* A = QGuiApplicationPrivate::platformIntegration()->accessibility();
  ASSERT_NE(A, nullptr);
  A->setActive(On);
}

// Turns the accessibility layer on with a recording handler for one test.
class ScreenReader {
 public:
  ScreenReader() {
    FOld = QAccessible::installUpdateHandler(&Record);
    SetActive(true);
    Recorded().clear();
  }
  ~ScreenReader() {
    SetActive(false);
    QAccessible::installUpdateHandler(FOld);
    Recorded().clear();
  }
  static std::vector<TRecorded> Of(QObject* O, QAccessible::Event Type) {
    std::vector<TRecorded> Found;
    for (const TRecorded& R : Recorded())
      if (R.Object == O && R.Type == Type) Found.push_back(R);
    return Found;
  }

 private:
  QAccessible::UpdateHandler FOld = nullptr;
};

QAccessibleInterface* Iface(QObject* O) { return QAccessible::queryAccessibleInterface(O); }

// ---- every component ---------------------------------------------------------------

// What each registry component tells, as it leaves the registry's Prepare.
struct TExpected {
  QAccessible::Role Role;
  QString Name;  // empty: not checked (Qt's own interface names it from its content)
  bool Value = false;
  double Current = 0, Minimum = 0, Maximum = 0;
  bool Text = false;
  bool Table = false;
  bool Unbounded = false;  // a value without a range
};

const std::map<QString, TExpected>& Expected() {
  static const std::map<QString, TExpected> Table = {
      {"TNumLab", {QAccessible::StaticText, "U V", true, 12.5, 0, 0, true, false, true}},
      {"TNumIO2", {QAccessible::SpinBox, "", true, 12.5, -100, 100, true}},
      {"TNumIO", {QAccessible::EditableText, "", true, 0, 0, 0, true}},
      {"TSevenSeg", {QAccessible::StaticText, "12.5", false, 0, 0, 0, true}},
      {"TRasterLab", {QAccessible::StaticText, "", false, 0, 0, 0, true}},
      {"TRotLab", {QAccessible::StaticText, "Rotated", false, 0, 0, 0, true}},
      {"TMeter", {QAccessible::Dial, "Volts", true, 40, 0, 100}},
      {"TProgBar", {QAccessible::ProgressBar, "", true, 40, 0, 100}},
      {"TGradFill", {QAccessible::Graphic, ""}},
      {"TReportListView", {QAccessible::Table, "", false, 0, 0, 0, false, true}},
      {"TMiniCal", {QAccessible::Table, "Apr 2026", false, 0, 0, 0, false, true}},
      {"TNTabEd", {QAccessible::Table, "", false, 0, 0, 0, false, true}},
      {"TOnOffBut", {QAccessible::CheckBox, "Pump"}},
      {"TRepSpeedButton", {QAccessible::Button, "+"}},
      {"TColSel", {QAccessible::ComboBox, ""}},
      {"TMarkSel", {QAccessible::List, ""}},
      {"TThumbnails", {QAccessible::List, ""}},
      {"TFolderTree", {QAccessible::Tree, "", false, 0, 0, 0, false, true}},
  };
  return Table;
}

class ComponentAccessibility : public ::testing::TestWithParam<TComponentEntry> {};

TEST_P(ComponentAccessibility, ReportsRoleNameValueTextAndStates) {
  const TComponentEntry& E = GetParam();
  const auto It = Expected().find(E.Name);
  ASSERT_NE(It, Expected().end()) << "no expectation for " << E.Name.toStdString();
  const TExpected& X = It->second;
  QWidget Window;
  QWidget* W = E.Create();
  W->setParent(&Window);
  Window.show();

  QAccessibleInterface* I = Iface(W);
  ASSERT_NE(I, nullptr);
  ASSERT_TRUE(I->isValid());
  EXPECT_EQ(I->object(), W);
  EXPECT_EQ(I->role(), X.Role);
  if (!X.Name.isEmpty()) {
    EXPECT_EQ(I->text(QAccessible::Name), X.Name);
  }
  EXPECT_EQ(I->rect().size(), W->size());

  QAccessibleValueInterface* V = I->valueInterface();
  EXPECT_EQ(V != nullptr, X.Value);
  if (V && X.Value) {
    EXPECT_DOUBLE_EQ(V->currentValue().toDouble(), X.Current);
    EXPECT_EQ(V->minimumValue().isValid(), !X.Unbounded);
    EXPECT_EQ(V->maximumValue().isValid(), !X.Unbounded);
    if (!X.Unbounded) {
      EXPECT_DOUBLE_EQ(V->minimumValue().toDouble(), X.Minimum);
      EXPECT_DOUBLE_EQ(V->maximumValue().toDouble(), X.Maximum);
    }
  }
  if (X.Text) {
    QAccessibleTextInterface* T = I->textInterface();
    ASSERT_NE(T, nullptr);
    EXPECT_EQ(T->text(0, T->characterCount()), I->text(QAccessible::Value));
  }
  EXPECT_EQ(I->tableInterface() != nullptr, X.Table);

  // An accessible name set by the application wins over the caption (Qt's
  // combo box names itself by its current item on Linux).
  if (qobject_cast<host::TControl*>(W)) {
    W->setAccessibleName(QStringLiteral("Given name"));
    EXPECT_EQ(I->text(QAccessible::Name), QStringLiteral("Given name"));
  }

  // Qt's effective state: a disabled parent disables, a hidden widget is invisible.
  EXPECT_FALSE(I->state().disabled);
  EXPECT_FALSE(I->state().invisible);
  EXPECT_EQ(I->state().focusable, W->focusPolicy() != Qt::NoFocus);
  Window.setEnabled(false);
  EXPECT_TRUE(I->state().disabled);
  Window.setEnabled(true);
  W->hide();
  EXPECT_TRUE(I->state().invisible);
}

INSTANTIATE_TEST_SUITE_P(Registry, ComponentAccessibility, ::testing::ValuesIn(Components()),
                         [](const auto& Info) { return Info.param.Name.toStdString(); });

// ---- values ---------------------------------------------------------------------------

TEST(Accessibility, ValueChangesReachTheScreenReaderOnce) {
  ScreenReader Reader;
  TNumLab Label;
  TMeter Meter;
  Meter.SetMeterMinValue(0);
  Meter.SetMeterMaxValue(100);
  TProgBar Bar;
  Recorded().clear();

  Label.SetValue(3.5);
  Label.SetValue(3.5);  // unchanged: no event
  Meter.SetValue(140);  // clamped to the scale
  Bar.SetValue(25);

  const auto L = ScreenReader::Of(&Label, QAccessible::ValueChanged);
  ASSERT_EQ(L.size(), 1u);
  EXPECT_DOUBLE_EQ(L[0].Value.toDouble(), 3.5);
  const auto M = ScreenReader::Of(&Meter, QAccessible::ValueChanged);
  ASSERT_EQ(M.size(), 1u);
  EXPECT_DOUBLE_EQ(M[0].Value.toDouble(), 100);
  EXPECT_DOUBLE_EQ(Iface(&Meter)->valueInterface()->currentValue().toDouble(), 100);
  ASSERT_EQ(ScreenReader::Of(&Bar, QAccessible::ValueChanged).size(), 1u);
}

TEST(Accessibility, ComponentsCreatedInsideAParentWhileAReaderListensGetTheirInterface) {
  ScreenReader Reader;
  QWidget Window;
  auto* Label = new TNumLab(&Window);
  auto* List = new TReportListView(&Window);
  auto* Field = new TNumIO(&Window);
  EXPECT_EQ(Iface(Label)->role(), QAccessible::StaticText);
  EXPECT_NE(Iface(List)->tableInterface(), nullptr);
  EXPECT_NE(Iface(Field)->valueInterface(), nullptr);
}

TEST(Accessibility, NoEventsWhileNoScreenReaderListens) {
  const QAccessible::UpdateHandler Old = QAccessible::installUpdateHandler(&Record);
  Recorded().clear();
  TNumLab Label;
  Label.SetValue(7);
  QAccessible::installUpdateHandler(Old);
  EXPECT_TRUE(Recorded().empty());
}

TEST(Accessibility, NumericFieldTypingReportsValueTextCaretAndSelection) {
  ScreenReader Reader;
  TNumIO2 Field;
  Field.SetRangeLow(0);
  Field.SetRangeHigh(1000);
  Field.SetText(QString());
  ShowAndWait(Field);
  Field.setFocus();
  Recorded().clear();

  QTest::keyClicks(&Field, QStringLiteral("42"));
  QAccessibleInterface* I = Iface(&Field);
  EXPECT_DOUBLE_EQ(I->valueInterface()->currentValue().toDouble(), 42);
  QAccessibleTextInterface* T = I->textInterface();
  EXPECT_EQ(T->text(0, T->characterCount()), QStringLiteral("42"));
  EXPECT_EQ(T->cursorPosition(), 2);
  EXPECT_EQ(T->selectionCount(), 0);
  const auto Values = ScreenReader::Of(&Field, QAccessible::ValueChanged);
  ASSERT_EQ(Values.size(), 2u);  // one per typed digit
  EXPECT_DOUBLE_EQ(Values.back().Value.toDouble(), 42);

  Field.SetSelBegin(1);
  Field.SetSelEnd(2);
  int Start = -1, End = -1;
  T->selection(0, &Start, &End);
  EXPECT_EQ(T->selectionCount(), 1);
  EXPECT_EQ(Start, 1);
  EXPECT_EQ(End, 2);
}

TEST(Accessibility, ScreenReaderSetsNumericFieldWithinRangeUnlessReadOnly) {
  TNumIO2 Field;
  Field.SetRangeLow(-10);
  Field.SetRangeHigh(10);
  Field.SetValue(1);
  int Changes = 0;
  Field.OnChange = [&](TObject*) { ++Changes; };
  QAccessibleValueInterface* V = Iface(&Field)->valueInterface();

  V->setCurrentValue(5.0);
  EXPECT_DOUBLE_EQ(Field.Value(), 5);
  EXPECT_EQ(Changes, 1);
  V->setCurrentValue(99.0);
  EXPECT_DOUBLE_EQ(Field.Value(), 10);
  V->setCurrentValue(QStringLiteral("not a number"));
  EXPECT_DOUBLE_EQ(Field.Value(), 10);

  Field.SetReadOnly(true);
  EXPECT_TRUE(Iface(&Field)->state().readOnly);
  V->setCurrentValue(2.0);
  EXPECT_DOUBLE_EQ(Field.Value(), 10);
  EXPECT_EQ(Changes, 2);
}

TEST(Accessibility, NumberEditReportsValueAndRefusesTextOutsideItsFormat) {
  ScreenReader Reader;
  TNumIO Edit;
  Edit.SetInputFormat(TNumIO2::itInt);
  Edit.SetRangeLow(-50);
  Edit.SetRangeHigh(50);
  Edit.SetValue(7);
  int Changes = 0;
  Edit.OnChange = [&](TObject*) { ++Changes; };
  QAccessibleInterface* I = Iface(&Edit);
  ASSERT_NE(I->valueInterface(), nullptr);
  EXPECT_DOUBLE_EQ(I->valueInterface()->currentValue().toDouble(), 7);
  EXPECT_DOUBLE_EQ(I->valueInterface()->minimumValue().toDouble(), -50);
  EXPECT_EQ(I->textInterface()->text(0, I->textInterface()->characterCount()), QStringLiteral("7"));
  Recorded().clear();

  // Text a reader inserts is checked as typed text is: letters are refused.
  I->editableTextInterface()->insertText(1, QStringLiteral("x"));
  EXPECT_EQ(Edit.Text(), QStringLiteral("7"));
  I->editableTextInterface()->insertText(1, QStringLiteral("2"));
  EXPECT_EQ(Edit.Text(), QStringLiteral("7"));  // 72 lies outside the range: refused

  I->valueInterface()->setCurrentValue(30.0);
  EXPECT_DOUBLE_EQ(Edit.Value(), 30);
  EXPECT_EQ(Changes, 1);
  const auto Values = ScreenReader::Of(&Edit, QAccessible::ValueChanged);
  ASSERT_FALSE(Values.empty());
  EXPECT_DOUBLE_EQ(Values.back().Value.toDouble(), 30);
}

// ---- check state and names --------------------------------------------------------

TEST(Accessibility, OnOffButtonClickReportsCheckedState) {
  ScreenReader Reader;
  TOnOffBut Button;
  Button.SetRightText(QStringLiteral("Heater"));
  ShowAndWait(Button);
  QAccessibleInterface* I = Iface(&Button);
  EXPECT_TRUE(I->state().checkable);
  ASSERT_TRUE(Button.OnOff());
  EXPECT_TRUE(I->state().checked);
  Recorded().clear();

  Button.setFocus();
  QTest::keyClick(&Button, Qt::Key_Space);
  ASSERT_FALSE(Button.OnOff());
  EXPECT_FALSE(I->state().checked);
  const auto Changes = ScreenReader::Of(&Button, QAccessible::StateChanged);
  ASSERT_EQ(Changes.size(), 1u);
  EXPECT_TRUE(Changes[0].States.checked);

  Button.SetGroupIndex(3);
  EXPECT_EQ(I->role(), QAccessible::RadioButton);
}

// ---- tables --------------------------------------------------------------------------

QStringList CellNames(QAccessibleTableInterface* T, int Row) {
  QStringList Names;
  for (int C = 0; C < T->columnCount(); ++C) Names << T->cellAt(Row, C)->text(QAccessible::Name);
  return Names;
}

TEST(Accessibility, ReportListTableHasHeadersCellsSelectionAndRowEvents) {
  ScreenReader Reader;
  TReportListView List;
  List.SetNrOfColumns(3);
  List.SetNrOfRows(4);
  for (int C = 1; C <= 3; ++C) {
    List.SetHeader(C, QStringLiteral("H%1").arg(C));
    for (int R = 1; R <= 4; ++R) List.SetElem(C, R, QStringLiteral("r%1c%2").arg(R).arg(C));
  }
  QAccessibleInterface* I = Iface(&List);
  QAccessibleTableInterface* T = I->tableInterface();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->rowCount(), 4);
  EXPECT_EQ(T->columnCount(), 3);
  EXPECT_EQ(CellNames(T, 1), QStringList({"r2c1", "r2c2", "r2c3"}));
  EXPECT_EQ(T->columnDescription(2), QStringLiteral("H3"));
  EXPECT_EQ(I->childCount(), (4 + 1) * 3);  // the header row, then the data rows
  EXPECT_EQ(I->child(1)->role(), QAccessible::ColumnHeader);

  QAccessibleInterface* Cell = T->cellAt(3, 1);
  QAccessibleTableCellInterface* CI = Cell->tableCellInterface();
  ASSERT_NE(CI, nullptr);
  EXPECT_EQ(CI->rowIndex(), 3);
  EXPECT_EQ(CI->columnIndex(), 1);
  ASSERT_EQ(CI->columnHeaderCells().size(), 1);
  EXPECT_EQ(CI->columnHeaderCells()[0]->text(QAccessible::Name), QStringLiteral("H2"));
  EXPECT_EQ(CI->table(), I);
  EXPECT_EQ(I->indexOfChild(Cell), (3 + 1) * 3 + 1);
  const QAccessible::Id CellId = QAccessible::uniqueId(Cell);

  Recorded().clear();
  List.SetRowSelected(2, true);
  EXPECT_EQ(T->selectedRows(), QList<int>({1}));
  EXPECT_EQ(T->selectedCellCount(), 3);
  EXPECT_TRUE(T->cellAt(1, 0)->state().selected);
  EXPECT_FALSE(T->cellAt(0, 0)->state().selected);
  EXPECT_FALSE(ScreenReader::Of(&List, QAccessible::SelectionWithin).empty());

  List.SetNrOfRows(6);
  auto Rows = ScreenReader::Of(&List, QAccessible::TableModelChanged);
  ASSERT_EQ(Rows.size(), 1u);
  EXPECT_EQ(Rows[0].Change, QAccessibleTableModelChangeEvent::RowsInserted);
  EXPECT_EQ(Rows[0].FirstRow, 4);
  EXPECT_EQ(Rows[0].LastRow, 5);
  EXPECT_EQ(T->rowCount(), 6);

  // An emptied list keeps one grid row, yet the table has none.
  Recorded().clear();
  List.SetNrOfRows(0);
  EXPECT_EQ(T->rowCount(), 0);
  Rows = ScreenReader::Of(&List, QAccessible::TableModelChanged);
  ASSERT_EQ(Rows.size(), 1u);
  EXPECT_EQ(Rows[0].Change, QAccessibleTableModelChangeEvent::RowsRemoved);
  EXPECT_EQ(Rows[0].FirstRow, 0);
  EXPECT_EQ(Rows[0].LastRow, 5);
  EXPECT_EQ(T->cellAt(0, 0), nullptr);
  // Readers keep cells by id: the changed table dropped the old cells.
  EXPECT_EQ(QAccessible::accessibleInterface(CellId), nullptr);
}

TEST(Accessibility, TableEditorReportsNamesAndTheRangeSelectedByKeyboard) {
  ScreenReader Reader;
  TNTabEd Table;
  Table.SetNrOfColumns(3);
  Table.SetNrOfRows(2);
  Table.SetColName(2, QStringLiteral("Volts"));
  Table.SetRowName(1, QStringLiteral("First"));
  Table.SetElem(2, 1, 4.25);
  Table.resize(400, 200);
  ShowAndWait(Table);
  Table.setFocus();

  QAccessibleTableInterface* T = Iface(&Table)->tableInterface();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->rowCount(), 2);
  EXPECT_EQ(T->columnCount(), 3);
  EXPECT_EQ(T->columnDescription(1), QStringLiteral("Volts"));
  EXPECT_EQ(T->rowDescription(0), QStringLiteral("First"));
  EXPECT_TRUE(T->cellAt(0, 1)->text(QAccessible::Name).startsWith(QStringLiteral("4.25")));
  const auto RowHeads = T->cellAt(0, 1)->tableCellInterface()->rowHeaderCells();
  ASSERT_EQ(RowHeads.size(), 1);
  EXPECT_EQ(RowHeads[0]->role(), QAccessible::RowHeader);
  EXPECT_EQ(RowHeads[0]->text(QAccessible::Name), QStringLiteral("First"));

  // The attribute row is no header: headers stay the names.
  Table.SetAttribRowVisible(true);
  EXPECT_EQ(T->rowDescription(0), QStringLiteral("First"));
  EXPECT_EQ(T->columnCount(), 3);

  Recorded().clear();
  QTest::keyClick(&Table, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(T->selectedCellCount(), 2);
  EXPECT_EQ(T->selectedColumns(), QList<int>());
  const auto Focus = ScreenReader::Of(&Table, QAccessible::Focus);
  ASSERT_FALSE(Focus.empty());
  QAccessibleInterface* Current = Iface(&Table)->child(Focus.back().Child);
  ASSERT_NE(Current, nullptr);
  EXPECT_TRUE(Current->state().focused);
  EXPECT_EQ(Current->tableCellInterface()->columnIndex(), 1);
}

TEST(Accessibility, CalendarIsAWeekTableWithTheSelectedDay) {
  ScreenReader Reader;
  TMiniCal Cal;
  Cal.SetFirstDayOfWeek(TMiniCal::dwMon);
  Cal.SetDate(QDate(1899, 12, 30).daysTo(QDate(2026, 4, 15)));
  ShowAndWait(Cal);
  Cal.setFocus();

  QAccessibleInterface* I = Iface(&Cal);
  QAccessibleTableInterface* T = I->tableInterface();
  ASSERT_NE(T, nullptr);
  EXPECT_EQ(T->rowCount(), 6);
  EXPECT_EQ(T->columnCount(), 7);
  EXPECT_EQ(T->selectedCellCount(), 1);
  QAccessibleInterface* Selected = T->selectedCells().value(0);
  ASSERT_NE(Selected, nullptr);
  EXPECT_EQ(Selected->text(QAccessible::Name), QStringLiteral("15"));
  EXPECT_TRUE(Selected->state().focused);
  const QString Weekday =
      Selected->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name);
  EXPECT_EQ(Weekday, Cal.CellText(Selected->tableCellInterface()->columnIndex() + 1, 1));
  EXPECT_EQ(T->rowDescription(Selected->tableCellInterface()->rowIndex()), QStringLiteral("16"));

  Recorded().clear();
  QTest::keyClick(&Cal, Qt::Key_Right);
  ASSERT_EQ(Cal.Day(), 16);
  const auto Focus = ScreenReader::Of(&Cal, QAccessible::Focus);
  ASSERT_FALSE(Focus.empty());
  EXPECT_EQ(I->child(Focus.back().Child)->text(QAccessible::Name), QStringLiteral("16"));
  EXPECT_EQ(T->selectedCells().value(0)->text(QAccessible::Name), QStringLiteral("16"));
}

// ---- list items ------------------------------------------------------------------------

TEST(Accessibility, MarkerSelectorListsMarksWithSelectionAndHighlight) {
  ScreenReader Reader;
  TMarkSel Sel;
  Sel.resize(200, 150);
  Sel.SetMarkVisible(3, false);
  ShowAndWait(Sel);
  QAccessibleInterface* I = Iface(&Sel);
  ASSERT_EQ(I->childCount(), 52);
  EXPECT_EQ(I->child(5)->role(), QAccessible::ListItem);
  EXPECT_EQ(I->child(5)->text(QAccessible::Name), QStringLiteral("Marker 5"));
  EXPECT_TRUE(I->child(3)->state().invisible);
  // Hidden marks close up: mark 4 takes mark 3's place in the grid.
  const QRect Four = I->child(4)->rect(), Two = I->child(2)->rect();
  EXPECT_EQ(Four.top(), Two.top());
  EXPECT_EQ(Four.left() - Two.left(), Two.width());
  EXPECT_EQ(I->childAt(Four.center().x(), Four.center().y()), I->child(4));

  Recorded().clear();
  Sel.SetSelected(5);
  EXPECT_TRUE(I->child(5)->state().selected);
  EXPECT_FALSE(I->child(4)->state().selected);
  const auto Selection = ScreenReader::Of(&Sel, QAccessible::Selection);
  ASSERT_EQ(Selection.size(), 1u);
  EXPECT_EQ(Selection[0].Child, 5);

  Sel.setFocus();
  QTest::keyClick(&Sel, Qt::Key_Right);
  const auto Focus = ScreenReader::Of(&Sel, QAccessible::Focus);
  ASSERT_FALSE(Focus.empty());
  EXPECT_EQ(Focus.back().Child, Sel.Highlighted());
  EXPECT_EQ(I->focusChild(), I->child(Sel.Highlighted()));
}

TEST(Accessibility, ThumbnailsListSlidesWithClickSelection) {
  ScreenReader Reader;
  TThumbnails Thumbs;
  Thumbs.SetMin(5);
  Thumbs.SetMax(24);
  Thumbs.SetSlideSelectMode(TThumbnails::ssmMultiple);
  Thumbs.resize(300, 300);
  ShowAndWait(Thumbs);
  QAccessibleInterface* I = Iface(&Thumbs);
  ASSERT_EQ(I->childCount(), 20);
  EXPECT_TRUE(I->state().multiSelectable);
  QAccessibleInterface* First = I->child(0);
  EXPECT_EQ(First->text(QAccessible::Name), QStringLiteral("Slide 5"));
  const QRect R = First->rect();
  ASSERT_FALSE(R.isEmpty());
  EXPECT_TRUE(I->child(19)->state().invisible);  // far below the visible rows

  Recorded().clear();
  const QPoint Centre = Thumbs.mapFromGlobal(R.center());
  ASSERT_EQ(Thumbs.CalcSlideIndex(Centre.x(), Centre.y()), 5);
  QTest::mouseClick(&Thumbs, Qt::LeftButton, {}, Centre);
  EXPECT_TRUE(First->state().selected);
  EXPECT_FALSE(I->child(1)->state().selected);
  EXPECT_FALSE(ScreenReader::Of(&Thumbs, QAccessible::SelectionWithin).empty());
}

// ---- keyboard focus ---------------------------------------------------------------------

TEST(Accessibility, TabMovesTheReportedFocusAlongTheComponents) {
  ScreenReader Reader;
  QWidget Window;
  auto* Layout = new QVBoxLayout(&Window);
  auto* Field = new TNumIO2;
  auto* Button = new TOnOffBut;
  auto* Cal = new TMiniCal;
  Layout->addWidget(Field);
  Layout->addWidget(Button);
  Layout->addWidget(Cal);
  ShowAndWait(Window);
  Window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
  Field->setFocus();
  Recorded().clear();

  QTest::keyClick(Field, Qt::Key_Tab);
  ASSERT_TRUE(Button->hasFocus());
  EXPECT_FALSE(ScreenReader::Of(Button, QAccessible::Focus).empty());
  EXPECT_TRUE(Iface(Button)->state().focused);
  EXPECT_FALSE(Iface(Field)->state().focused);

  QTest::keyClick(Button, Qt::Key_Tab);
  ASSERT_TRUE(Cal->hasFocus());
  // The calendar reports its current cell, the selected day, beside Qt's
  // report of the widget (as Qt's item views do).
  int CellFocus = -1;
  for (const TRecorded& R : ScreenReader::Of(Cal, QAccessible::Focus))
    if (R.Child >= 0) CellFocus = R.Child;
  ASSERT_GE(CellFocus, 0);
  EXPECT_EQ(Iface(Cal)->child(CellFocus)->text(QAccessible::Name), QString::number(Cal->Day()));
  EXPECT_EQ(Iface(Cal)->focusChild(), Iface(Cal)->child(CellFocus));
}

}  // namespace
}  // namespace qor::test
