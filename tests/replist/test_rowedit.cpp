#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QTest>
#include <QTimer>
#include <functional>

#include "numio/qor_numio.h"
#include "replist/qor_replist.h"
#include "replist/qor_rowedit.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;

namespace {

// A view that counts the paints that actually draw.
struct TView : TReportListView {
  void Paint() override {
    if (!SuppressPaint()) ++Paints;
    TReportListView::Paint();
  }
  int Paints = 0;
};

// Runs Action inside the modal loop of the row editor's form once it is shown.
// A guard closes the form with mrNone should the action leave it open, so a
// failing test cannot hang.
void WhenShown(TReportListView& V, std::function<void(TForm&)> Action) {
  QTimer::singleShot(10, &V, [&V, Action] {
    TForm* F = V.ContainerForm();
    if (!F || !F->isVisible()) return WhenShown(V, Action);
    Action(*F);
    if (F->isVisible()) QTimer::singleShot(2000, F, [F] { F->done(mrNone); });
  });
}

template <class T>
T* Child(TForm& F, const QString& Name) {
  return F.findChild<T*>(Name, Qt::FindDirectChildrenOnly);
}

QToolButton* Button(TForm& F, const QString& Caption) {
  for (auto* B : F.findChildren<QToolButton*>())
    if (B->text() == Caption) return B;
  return nullptr;
}

// The documented example columns: a read-only edit box, a list-only combo
// box, a row-number field, a date, an unknown type and a plain text column.
void SetUpExample(TReportListView& V) {
  V.resize(400, 300);
  V.SetNrCols(6);
  V.SetNrRows(12);
  const QStringList Heads{"Name", "Colour", "Index", "Date", "Note", "Comment"};
  for (int C = 1; C <= 6; ++C) V.SetHeader(C, Heads[C - 1]);
  V.SetColumnFormat(1, "[#s][150]abc");
  V.SetColumnFormat(2, "[l:5][80]red|green|blue");
  V.SetColumnFormat(3, "[i][60]rix3");
  V.SetColumnFormat(4, "[ddd.MM.yyyy][100]");
  V.SetColumnFormat(5, "[x][70]");
  V.SetColumnFormat(6, "free text");
}

bool NoRowEditorControlsLeft(QWidget& W) {
  for (QObject* C : W.children())
    if (C->objectName().contains("runtime_rlre_")) return false;
  return true;
}

}  // namespace

// ---- column format reader --------------------------------------------------------

TEST(RowEditFormat, PartsWidthsAndDefaults) {
  TColumnFormat F = ReadColumnFormat("[#s][150]abc");
  EXPECT_EQ(F.Type, "s");
  EXPECT_TRUE(F.ReadOnly);
  EXPECT_EQ(F.Width, 150);
  EXPECT_EQ(F.DefaultPart, "abc");

  F = ReadColumnFormat("[l:5][80]red|green|blue");
  EXPECT_EQ(F.Letter(), u'l');
  EXPECT_EQ(F.DropDownCount(), 5);
  EXPECT_EQ(F.Items(), (QStringList{"red", "green", "blue"}));
  EXPECT_EQ(ReadColumnFormat("[c][80]a||b|").Items(), (QStringList{"a", "", "b"}));
  EXPECT_TRUE(ReadColumnFormat("[c][80]").Items().isEmpty());

  // No bracket pair: a text box of width 200 with the whole format as default.
  F = ReadColumnFormat("plain [ text");
  EXPECT_EQ(F.Type, "s");
  EXPECT_EQ(F.Width, 200);
  EXPECT_EQ(F.DefaultPart, "plain [ text");

  // Widths by the integer rule; missing or non-positive give 200.
  EXPECT_EQ(ReadColumnFormat("[s][ +75px]x").Width, 75);
  EXPECT_EQ(ReadColumnFormat("[s][-5]x").Width, 200);
  EXPECT_EQ(ReadColumnFormat("[s][0]x").Width, 200);
  F = ReadColumnFormat("[s]tail");
  EXPECT_EQ(F.Width, 200);
  EXPECT_EQ(F.DefaultPart, "tail");

  F = ReadColumnFormat("[][40]");
  EXPECT_TRUE(F.Letter().isNull());
  EXPECT_EQ(F.Width, 40);
  F = ReadColumnFormat("[#]");
  EXPECT_TRUE(F.ReadOnly);
  EXPECT_TRUE(F.Type.isEmpty());
  // A closing bracket before the opening one gives an empty type.
  EXPECT_TRUE(ReadColumnFormat("]x[s]").Type.isEmpty());
}

// ---- date/time reader --------------------------------------------------------------

TEST(RowEditDateReader, TokensLiteralsAndClock) {
  int E = 99;
  EXPECT_EQ(ReadDateTimeText("24.12.2025", "dd.MM.yyyy", E), host::EncodeDate(2025, 12, 24));
  EXPECT_EQ(E, drOK);
  EXPECT_EQ(ReadDateTimeText("7/3/2024 5:06:07", "d/M/yyyy H:m:s", E),
            host::EncodeDate(2024, 3, 7) + host::EncodeTime(5, 6, 7, 0));
  EXPECT_EQ(ReadDateTimeText("Wednesday, DECEMBER 24 2025", "dddd, MMMM dd yyyy", E),
            host::EncodeDate(2025, 12, 24));
  EXPECT_EQ(E, drOK);
  EXPECT_EQ(ReadDateTimeText("wed 24-dec-2025", "ddd dd-MMM-yyyy", E), host::EncodeDate(2025, 12, 24));
  // Quoted literals, with '' for a quote, may hold token letters.
  EXPECT_EQ(ReadDateTimeText("day 05/03 o'clock 2020", "'day' dd/MM 'o''clock' yyyy", E),
            host::EncodeDate(2020, 3, 5));
  EXPECT_EQ(E, drOK);
  EXPECT_EQ(ReadDateTimeText("2020-02-29T23:59", "yyyy-MM-dd'T'HH:mm", E),
            host::EncodeDate(2020, 2, 29) + host::EncodeTime(23, 59, 0, 0));

  // The 12-hour clock: 12 before noon is 0, other hours after noon get 12.
  EXPECT_EQ(ReadDateTimeText("12:30 AM", "hh:mm tt", E), host::EncodeTime(0, 30, 0, 0));
  EXPECT_EQ(ReadDateTimeText("12:30 pm", "hh:mm tt", E), host::EncodeTime(12, 30, 0, 0));
  EXPECT_EQ(ReadDateTimeText("01:30 PM", "hh:mm tt", E), host::EncodeTime(13, 30, 0, 0));
  EXPECT_EQ(ReadDateTimeText("1:30 p", "h:mm t", E), host::EncodeTime(13, 30, 0, 0));
  EXPECT_EQ(ReadDateTimeText("1:30 a", "h:mm t", E), host::EncodeTime(1, 30, 0, 0));
  EXPECT_EQ(ReadDateTimeText("12:05", "hh:mm", E), host::EncodeTime(0, 5, 0, 0));

  // Two-digit years lie in the century window (50 years before this year).
  const int Base = QDate::currentDate().year() - 50;
  const auto Expected = [Base](int YY) {
    const int Y = Base / 100 * 100 + YY;
    return Y < Base ? Y + 100 : Y;
  };
  for (int YY : {0, 25, 49, 76, 99}) {
    int Y, M, D;
    host::DecodeDate(ReadDateTimeText(QString("%1/06/15").arg(YY, 2, 10, QChar('0')), "yy/MM/dd", E),
                     Y, M, D);
    EXPECT_EQ(Y, Expected(YY)) << YY;
  }
}

TEST(RowEditDateReader, ErrorCodesGiveZero) {
  int E = 0;
  EXPECT_EQ(ReadDateTimeText("24-12-2025", "dd.MM.yyyy", E), 0);
  EXPECT_EQ(E, drLiteralMismatch);
  EXPECT_EQ(ReadDateTimeText("2025", "yyy", E), 0);
  EXPECT_EQ(E, drBadToken);
  EXPECT_EQ(ReadDateTimeText("12:30:400", "HH:mm:sss", E), 0);
  EXPECT_EQ(E, drBadToken);
  EXPECT_EQ(ReadDateTimeText("2x.12.2025", "dd.MM.yyyy", E), 0);
  EXPECT_EQ(E, drBadField);
  EXPECT_EQ(ReadDateTimeText("24.12.25", "dd.MM.yyyy", E), 0);
  EXPECT_EQ(E, drBadField);
  EXPECT_EQ(ReadDateTimeText("Smarch 3", "MMMM d", E), 0);
  EXPECT_EQ(E, drBadField);
  EXPECT_EQ(ReadDateTimeText("", "t", E), 0);
  EXPECT_EQ(E, drBadField);
  // An element that does not know its run stops the reading there.
  EXPECT_EQ(ReadDateTimeText("2025", "yyyyy", E), 0);
  EXPECT_EQ(E, drBadToken);
}

TEST(RowEditDateReader, UnencodableFieldsRaiseInsteadOfCrashing) {
  int E = 0;
  EXPECT_THROW(ReadDateTimeText("0000-05-01", "yyyy-MM-dd", E), EQORRepListError);
  EXPECT_THROW(ReadDateTimeText("2025-13-01", "yyyy-MM-dd", E), EQORRepListError);
  EXPECT_THROW(ReadDateTimeText("2023-02-29", "yyyy-MM-dd", E), EQORRepListError);
  EXPECT_THROW(ReadDateTimeText("25:00", "HH:mm", E), EQORRepListError);
  EXPECT_THROW(ReadDateTimeText("-3", "M", E), EQORRepListError);
  EXPECT_THROW(ReadDateTimeText("99999999999", "d", E), EQORRepListError);
  // Only day given: no year 0 date either.
  EXPECT_THROW(ReadDateTimeText("5", "d", E), EQORRepListError);
}

TEST(RowEditDateReader, WrittenTextReadsBack) {
  const TDateTime V = host::EncodeDate(1888, 3, 4) - host::EncodeTime(15, 7, 9, 0);
  for (const char* Format : {"dd.MM.yyyy HH:mm:ss", "dddd, d MMMM yyyy h:m:s tt", "ddd dd-MMM-yyyy hh:mm:ss t",
                             "'on' yyyy/M/d 'at' H:mm:ss", "yyyy-MM-dd hh:mm:ss"}) {
    int E = 1;
    const QString Text = host::FormatDateTimeTokens(Format, V);
    EXPECT_DOUBLE_EQ(ReadDateTimeText(Text, Format, E), V) << Format << " " << Text.toStdString();
    EXPECT_EQ(E, drOK);
  }
  EXPECT_EQ(host::FormatDateTimeTokens("ddd dd.MM.yyyy hh:mm tt", host::EncodeDate(2025, 12, 24) +
                                                                     host::EncodeTime(0, 5, 0, 0)),
            "Wed 24.12.2025 12:05 AM");
}

// ---- the dialog -----------------------------------------------------------------------

TEST(RowEditDialog, BuildsOneLabelledControlPerColumnAndCancelChangesNothing) {
  TView V;
  SetUpExample(V);
  V.SetElem(2, 12, "purple");
  V.SetElem(4, 12, "24.12.2025");
  const int LW = [&] {
    TForm Probe;
    int W = 0;
    for (int C = 1; C <= 6; ++C) W = std::max(W, Probe.TextWidth(V.Header(C)));
    return W + 8;
  }();
  bool Checked = false;
  WhenShown(V, [&](TForm& F) {
    EXPECT_EQ(F.Caption(), "Editing Row 12");
    EXPECT_EQ(F.Width(), 200 + LW + 28);  // the widest control is the plain text column
    EXPECT_EQ(F.Height(), 6 * 25 + 45 + 38);

    auto* L1 = Child<TLabel>(F, "runtime_rlre_Label1");
    ASSERT_TRUE(L1);
    EXPECT_EQ(L1->geometry(), QRect(8, 48, LW, L1->height()));
    EXPECT_EQ(L1->Caption(), "Name:");
    EXPECT_EQ(L1->Alignment(), taRightJustify);

    auto* E1 = Child<TEdit>(F, "runtime_rlre_Edit1");
    ASSERT_TRUE(E1);
    EXPECT_EQ(E1->geometry().topLeft(), QPoint(LW + 12, 45));
    EXPECT_EQ(E1->width(), 150);
    EXPECT_FALSE(E1->isEnabled());
    EXPECT_EQ(E1->Text(), "abc");
    EXPECT_EQ(E1->Tag(), 1);
    EXPECT_EQ(test::PixelAt(test::Grab(*E1), 140, E1->height() / 2), 0xE0E0E0u);

    auto* B2 = Child<TComboBox>(F, "runtime_rlre_CBox2");
    ASSERT_TRUE(B2);
    EXPECT_EQ(B2->Style(), csDropDownList);
    EXPECT_EQ(B2->Items(), (QStringList{"red", "green", "blue"}));
    EXPECT_EQ(B2->DropDownCount(), 5);
    EXPECT_EQ(B2->ItemIndex(), -1);
    EXPECT_EQ(B2->geometry(), QRect(LW + 12, 70, 80, B2->height()));

    auto* N3 = Child<TNumIO>(F, "runtime_rlre_NumIO3");
    ASSERT_TRUE(N3);
    EXPECT_EQ(N3->Text(), "012");
    EXPECT_EQ(N3->InputFormat(), itInt);
    EXPECT_EQ(N3->width(), 60);

    auto* P4 = Child<TDateTimePicker>(F, "runtime_rlre_DtPick4");
    ASSERT_TRUE(P4);
    EXPECT_EQ(P4->DateTime(), host::EncodeDate(2025, 12, 24));
    EXPECT_EQ(P4->Format(), "dd.MM.yyyy");
    EXPECT_EQ(P4->text(), "24.12.2025");

    // The unknown type has its label and no control, yet its line is counted.
    EXPECT_TRUE(Child<TLabel>(F, "runtime_rlre_Label5"));
    for (const char* Prefix : {"runtime_rlre_Edit5", "runtime_rlre_CBox5", "runtime_rlre_NumIO5",
                               "runtime_rlre_DtPick5"})
      EXPECT_FALSE(F.findChild<QWidget*>(Prefix));
    auto* E6 = Child<TEdit>(F, "runtime_rlre_Edit6");
    ASSERT_TRUE(E6);
    EXPECT_EQ(E6->y(), 45 + 5 * 25);
    EXPECT_EQ(E6->Text(), "free text");

    QToolButton* OK = Button(F, "OK");
    QToolButton* Cancel = Button(F, "Cancel");
    ASSERT_TRUE(OK && Cancel);
    EXPECT_EQ(OK->geometry(), QRect(200 + LW - 154, 4, 81, 29));
    EXPECT_EQ(Cancel->geometry(), QRect(200 + LW - 69, 4, 81, 29));
    QTest::keyClicks(E6, " changed");
    Checked = true;
    QTest::mouseClick(Cancel, Qt::LeftButton);
  });
  const QString Before = V.Data().WriteToXMLString("x");
  EXPECT_EQ(V.EditRowEntries(12, 100, 80), mrCancel);
  EXPECT_TRUE(Checked);
  EXPECT_EQ(V.Data().WriteToXMLString("x"), Before);
  EXPECT_FALSE(V.ContainerForm());
  EXPECT_TRUE(V.findChildren<TForm*>().isEmpty());  // the own form is freed
}

TEST(RowEditDialog, EnterConfirmsAndWritesEveryControlBackWithOneRepaint) {
  TView V;
  SetUpExample(V);
  V.SetElem(4, 3, "24.12.2025");
  V.SetElem(2, 3, "red");
  test::ShowAndWait(V);
  int Changes = 0;
  V.OnChange = [&](TObject*) { ++Changes; };
  WhenShown(V, [&](TForm& F) {
    auto* B2 = Child<TComboBox>(F, "runtime_rlre_CBox2");
    EXPECT_EQ(B2->ItemIndex(), 0);
    B2->setFocus();
    QTest::keyClick(B2, Qt::Key_Down);  // green
    auto* N3 = Child<TNumIO>(F, "runtime_rlre_NumIO3");
    EXPECT_EQ(N3->Text(), "003");
    N3->setFocus();
    N3->selectAll();
    QTest::keyClicks(N3, "42x");  // the letter is refused by the integer field
    auto* E6 = Child<TEdit>(F, "runtime_rlre_Edit6");
    E6->setFocus();
    E6->selectAll();
    QTest::keyClicks(E6, "typed");
    V.Paints = 0;
    QTest::keyClick(E6, Qt::Key_Return);
  });
  EXPECT_EQ(V.EditRowEntries(3, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(1, 3), "abc");  // read-only controls are written back too
  EXPECT_EQ(V.Elem(2, 3), "green");
  EXPECT_EQ(V.Elem(3, 3), "42");
  EXPECT_EQ(V.Elem(4, 3), "24.12.2025");
  EXPECT_EQ(V.Elem(5, 3), "");
  EXPECT_EQ(V.Elem(6, 3), "typed");
  EXPECT_EQ(V.Paints, 1);
  EXPECT_GE(Changes, 1);
  EXPECT_TRUE(V.findChildren<TForm*>().isEmpty());
}

TEST(RowEditDialog, EnterInComboAndPickerConfirmsEscapeCancels) {
  TView V;
  V.SetNrCols(2);
  V.SetNrRows(1);
  V.SetColumnFormat(1, "[c:3][90]one|two");
  V.SetColumnFormat(2, "[dyyyy-MM-dd HH:mm][140]2001-02-03 04:05");
  WhenShown(V, [&](TForm& F) {
    auto* B = Child<TComboBox>(F, "runtime_rlre_CBox1");
    EXPECT_EQ(B->Style(), csDropDown);
    EXPECT_EQ(B->Text(), "");
    B->setFocus();
    QTest::keyClicks(B, "three");
    QTest::keyClick(B, Qt::Key_Return);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(1, 1), "three");
  EXPECT_EQ(V.Elem(2, 1), "2001-02-03 04:05");  // the default part, written back

  WhenShown(V, [&](TForm& F) {
    auto* P = Child<TDateTimePicker>(F, "runtime_rlre_DtPick2");
    EXPECT_EQ(P->text(), "2001-02-03 04:05");
    P->setFocus();
    P->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClick(P, Qt::Key_Up);
    QTest::keyClick(P, Qt::Key_Return);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(2, 1), "2002-02-03 04:05");

  WhenShown(V, [&](TForm& F) {
    auto* B = Child<TComboBox>(F, "runtime_rlre_CBox1");
    B->setFocus();
    QTest::keyClicks(B, "lost");
    QTest::keyClick(B, Qt::Key_Escape);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrCancel);
  EXPECT_EQ(V.Elem(1, 1), "three");
}

TEST(RowEditDialog, TabWalksTheControlsInColumnOrder) {
  TView V;
  V.SetNrCols(4);
  V.SetNrRows(1);
  V.SetColumnFormat(1, "[s][80]");
  V.SetColumnFormat(2, "[#s][80]");
  V.SetColumnFormat(3, "[f][80]");
  V.SetColumnFormat(4, "[c][80]a|b");
  WhenShown(V, [&](TForm& F) {
    F.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&F));
    auto* E1 = Child<TEdit>(F, "runtime_rlre_Edit1");
    ASSERT_EQ(QApplication::focusWidget(), E1);
    QTest::keyClick(E1, Qt::Key_Tab);  // the read-only column is skipped
    ASSERT_EQ(QApplication::focusWidget(), Child<TNumIO>(F, "runtime_rlre_NumIO3"));
    QTest::keyClicks(QApplication::focusWidget(), "2.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Child<TComboBox>(F, "runtime_rlre_CBox4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(3, 1), "2.5");
}

TEST(RowEditDialog, WrongSeparatorShowsDayZeroAndBareDateTypeKeepsTheDate) {
  TView V;
  V.SetNrCols(2);
  V.SetNrRows(1);
  V.SetColumnFormat(1, "[ddd.MM.yyyy][100]");
  V.SetElem(1, 1, "24-12-2025");
  V.SetColumnFormat(2, "[d][100]");
  V.SetElem(2, 1, "2024-02-29");
  WhenShown(V, [&](TForm& F) {
    auto* P = Child<TDateTimePicker>(F, "runtime_rlre_DtPick1");
    EXPECT_EQ(P->DateTime(), 0.0);
    EXPECT_EQ(P->text(), "30.12.1899");
    EXPECT_EQ(Child<TDateTimePicker>(F, "runtime_rlre_DtPick2")->text(), "2024-02-29");
    QTest::mouseClick(Button(F, "OK"), Qt::LeftButton);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(1, 1), "30.12.1899");
  EXPECT_EQ(V.Elem(2, 1), "2024-02-29");
}

TEST(RowEditDialog, UnencodableDateRaisesAndLeavesNothingBehind) {
  TView V;
  V.SetNrCols(2);
  V.SetNrRows(1);
  V.setObjectName("Log");
  V.SetColumnFormat(1, "[s][80]");
  V.SetColumnFormat(2, "[dyyyy-MM-dd][100]");
  V.SetElem(2, 1, "0000-05-01");
  try {
    V.EditRowEntries(1, 0, 0);
    ADD_FAILURE() << "no exception";
  } catch (const EQORRepListError& E) {
    EXPECT_TRUE(QString::fromUtf8(E.what()).startsWith("Component \"Log\": ")) << E.what();
    EXPECT_TRUE(QString::fromUtf8(E.what()).contains("column 2")) << E.what();
  }
  EXPECT_FALSE(V.ContainerForm());
  EXPECT_TRUE(V.findChildren<TForm*>().isEmpty());

  // In a container form, its own controls stay and the added ones go.
  TForm Container;
  auto* Own = new QToolButton(&Container);
  Own->setObjectName("mine");
  EXPECT_THROW(V.EditRowEntries(1, &Container, 0, 0), EQORRepListError);
  EXPECT_TRUE(NoRowEditorControlsLeft(Container));
  EXPECT_EQ(Container.findChild<QToolButton*>("mine"), Own);
}

TEST(RowEditDialog, ContainerFormKeepsItsControlsAndClosesByItsOwnButtons) {
  TView V;
  V.SetNrCols(2);
  V.SetNrRows(2);
  V.SetHeader(1, "A");
  V.SetHeader(2, "B");
  V.SetColumnFormat(1, "[s][120]");
  V.SetColumnFormat(2, "[e][90]rix2");
  TForm Container;
  Container.SetCaption("My editor");
  Container.SetBounds(50, 50, 100, 40);
  auto* Done = new TSpeedButton(&Container);
  Done->SetName("Done");
  Done->SetCaption("Done");
  Done->SetBounds(0, 0, 40, 20);
  Done->OnClick = [&](TObject*) { Container.SetModalResult(mrOK); };
  const int LW = std::max(Container.TextWidth("A"), Container.TextWidth("B")) + 8;
  WhenShown(V, [&](TForm& F) {
    EXPECT_EQ(&F, &Container);
    EXPECT_EQ(F.Caption(), "");
    EXPECT_GE(F.Width(), 120 + LW + 28);
    EXPECT_GE(F.Height(), 2 * 25 + 38);
    EXPECT_FALSE(Button(F, "OK"));
    auto* E = Child<TEdit>(F, "runtime_rlre_Edit1");
    EXPECT_EQ(E->geometry().topLeft(), QPoint(LW + 30 + 12, 20));
    EXPECT_EQ(Child<TLabel>(F, "runtime_rlre_Label2")->geometry().topLeft(), QPoint(38, 20 + 25 + 3));
    EXPECT_EQ(Child<TNumIO>(F, "runtime_rlre_NumIO2")->Text(), "2.00");
    E->setFocus();
    QTest::keyClicks(E, "in container");
    QTest::mouseClick(Done, Qt::LeftButton);
  });
  EXPECT_EQ(V.EditRowEntries(2, &Container, 30, 20), mrOK);
  EXPECT_EQ(V.Elem(1, 2), "in container");
  EXPECT_EQ(V.Elem(2, 2), "2.00");
  EXPECT_TRUE(NoRowEditorControlsLeft(Container));
  EXPECT_EQ(Container.findChild<TSpeedButton*>("Done"), Done);
  EXPECT_EQ(Container.Caption(), "");
}

TEST(RowEditDialog, RequestedFormatsDefaultsAndRowsOutOfRange) {
  TView V;
  V.SetNrCols(3);
  V.SetNrRows(2);
  V.SetColumnFormat(1, "[s][80]kept");
  V.SetColumnFormat(2, "[s][80]$pwd$12");
  V.SetColumnFormat(3, "[h][80]rix4");
  std::vector<std::pair<int, QString>> Asked;
  V.OnRequestEditFormat = [&](TObject* Sender, int Col, int Row, QString& Format) {
    EXPECT_EQ(Sender, &V);
    EXPECT_EQ(Row, 7);
    Asked.push_back({Col, Format});
    if (Col == 1) Format = "[#l][60]x|y";
  };
  WhenShown(V, [&](TForm& F) {
    auto* B = Child<TComboBox>(F, "runtime_rlre_CBox1");
    ASSERT_TRUE(B);
    EXPECT_FALSE(B->isEnabled());
    EXPECT_EQ(B->Color(), 0xE0E0E0u);
    const QString Pwd = Child<TEdit>(F, "runtime_rlre_Edit2")->Text();
    EXPECT_EQ(Pwd.size(), 12);
    EXPECT_NE(Pwd, "$pwd$12");
    EXPECT_EQ(Child<TNumIO>(F, "runtime_rlre_NumIO3")->Text(), "0007");
    QTest::keyClick(Child<TEdit>(F, "runtime_rlre_Edit2"), Qt::Key_Return);
  });
  const QString Before = V.Data().WriteToXMLString("x");
  EXPECT_EQ(V.EditRowEntries(7, 0, 0), mrOK);
  EXPECT_EQ(Asked, (std::vector<std::pair<int, QString>>{
                       {1, "[s][80]kept"}, {2, "[s][80]$pwd$12"}, {3, "[h][80]rix4"}}));
  EXPECT_EQ(V.Data().WriteToXMLString("x"), Before);  // row 7 does not exist
  EXPECT_EQ(V.ColumnFormat(1), "[s][80]kept");
}

TEST(RowEditDialog, LongValuesAreCutAndCheckFlagsKept) {
  TView V;
  V.SetNrCols(2);
  V.SetNrRows(1);
  V.SetColumnCheckMode(2, cmBox);
  V.SetElem(2, 1, "item");
  V.SetElemChecked(2, 1, true);
  V.SetColumnFormat(1, "[s][100]");
  V.SetColumnFormat(2, "[s][100]");
  WhenShown(V, [&](TForm& F) {
    Child<TEdit>(F, "runtime_rlre_Edit1")->SetText(QString(300, u'z'));
    auto* E = Child<TEdit>(F, "runtime_rlre_Edit2");
    EXPECT_EQ(E->Text(), "item");
    E->SetText("crate");
    QTest::keyClick(E, Qt::Key_Return);
  });
  EXPECT_EQ(V.EditRowEntries(1, 0, 0), mrOK);
  EXPECT_EQ(V.Elem(1, 1), QString(255, u'z'));
  EXPECT_EQ(V.Elem(2, 1), "crate");
  EXPECT_TRUE(V.ElemChecked(2, 1));
}
