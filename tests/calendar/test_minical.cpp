#include <gtest/gtest.h>

#include <QApplication>
#include <climits>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "calendar/qor_minical.h"
#include "host/qor_app.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;

namespace {

// A calendar on a given day with its OnChange calls counted.
struct TCal : TMiniCal {
  explicit TCal(int Y = 2024, int M = 1, int D = 15) {
    SetDate(host::EncodeDate(Y, M, D));
    OnChange = [this](TObject*) { ++Changes; };
  }
  int Changes = 0;
};

QDate Selected(const TMiniCal& C) { return QDate(C.Year(), C.Month(), C.Day()); }

QPoint Centre(const TMiniCal& C, int Col, int Row) { return C.CellRect(Col, Row).center(); }

void Click(TMiniCal& C, int Col, int Row) {
  QTest::mouseClick(&C, Qt::LeftButton, Qt::NoModifier, Centre(C, Col, Row));
}

// Whether any pixel of the cell's inside has colour Color.
bool CellHasPixel(const QImage& Img, const QRect& R, TColor Color) {
  for (int Y = R.top() + 1; Y < R.bottom(); ++Y)
    for (int X = R.left() + 1; X < R.right(); ++X)
      if (test::PixelAt(Img, X, Y) == Color) return true;
  return false;
}

// Background pixel of a cell: its top-left inner corner, clear of text and frames.
TColor CellBackground(const QImage& Img, const QRect& R) {
  return test::PixelAt(Img, R.left() + 2, R.top() + 2);
}

// Easter by the anonymous Gregorian algorithm (Meeus/Jones/Butcher), an
// algorithm independent of the one under test.
QDate EasterOracle(int Y) {
  const int a = Y % 19, b = Y / 100, c = Y % 100, d = b / 4, e = b % 4;
  const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int Month = (h + l - 7 * m + 114) / 31, Day = (h + l - 7 * m + 114) % 31 + 1;
  return QDate(Y, Month, Day);
}

}  // namespace

// ---- construction and layout ------------------------------------------------------

TEST(MiniCal, NewCalendarHasTheDocumentedDefaults) {
  const QDate Today = QDate::currentDate();
  TMiniCal C;
  EXPECT_EQ(C.width(), 300);
  EXPECT_EQ(C.height(), 180);
  EXPECT_EQ(C.ColCount(), 8);
  EXPECT_EQ(C.RowCount(), 8);
  EXPECT_EQ(C.FixedCols(), 1);
  EXPECT_EQ(C.FixedRows(), 2);
  EXPECT_FALSE(C.DefaultDrawing());
  EXPECT_FALSE(C.Options() & host::goRangeSelect);
  EXPECT_TRUE(C.Options() & host::goDrawFocusSelected);
  EXPECT_EQ(Selected(C), Today);
  EXPECT_EQ(C.FirstDayOfWeek(), dwMon);
  EXPECT_EQ(C.Language(), lgEnglish);
  EXPECT_TRUE(C.AutoSwitch() && C.ShowMonthShort() && C.MarkToday() && C.Ctl3D());
  EXPECT_TRUE(C.IndicateHolidays() && C.ShowMovableHolidays() && C.ShowHolidayHint());
  EXPECT_EQ(C.ColorActiveMonth(), 0x000000u);
  EXPECT_EQ(C.ColorInactiveMonth(), 0xC0C0C0u);
  EXPECT_EQ(C.ColorWeekNoBg(), 0xC0C0C0u);
  EXPECT_EQ(C.ColorDayIdBg(), 0xC0C0C0u);
  EXPECT_EQ(C.ColorSelectedBg(), 0xD0A040u);
  EXPECT_EQ(C.ColorSelectedFg(), 0xFFFFFFu);
  EXPECT_EQ(C.ColorHolidayBg(), 0x9BD8F1u);
  EXPECT_EQ(C.ColorHolidayFg(), 0x0000C0u);
  EXPECT_EQ(C.ColorToday(), 0x0000FFu);
  for (int D = dwMon; D <= dwFri; ++D) EXPECT_EQ(C.DayColors(TDayOfWeek(D)), 0xF8F8F8u);
  EXPECT_EQ(C.DayColors(dwSat), 0xBBDDEEu);
  EXPECT_EQ(C.DayColors(dwSun), 0xCCEEFFu);
  EXPECT_EQ(C.NumHolidays(), 8);
}

TEST(MiniCal, SevenEqualColumnsAndRowsAndTheFirstOnesTakeTheRest) {
  TMiniCal C;
  test::Picture(C);
  // 300 x 180: client 296 x 176, cells 36 wide and 21 high, column 0 and row 0 alike.
  for (int I = 0; I < 8; ++I) {
    EXPECT_EQ(C.ColWidths(I), 36) << I;
    EXPECT_EQ(C.RowHeights(I), 21) << I;
  }
  C.resize(250, 170);
  test::Picture(C);
  EXPECT_EQ(C.ColWidths(1), 29);
  EXPECT_EQ(C.ColWidths(0), 35);
  EXPECT_EQ(C.RowHeights(1), 19);
  EXPECT_EQ(C.RowHeights(0), 25);
  EXPECT_EQ(C.CellRect(7, 7).right() + 1 + 1, 2 + C.ClientWidth());
  // Flat buttons keep the sizes: the border is as wide as before.
  C.SetCtl3D(false);
  test::Picture(C);
  EXPECT_EQ(C.ColWidths(0), 35);
  EXPECT_EQ(C.RowHeights(0), 25);
  // A control too small for the grid keeps non-negative cell sizes and never
  // scrolls its cells, whichever day is selected.
  C.resize(10, 10);
  C.SetDate(host::EncodeDate(2024, 8, 31));
  test::Picture(C);
  EXPECT_GE(C.ColWidths(0), 0);
  EXPECT_GE(C.DefaultColWidth(), 0);
  EXPECT_EQ(C.LeftCol(), 1);
  EXPECT_EQ(C.TopRow(), 2);
}

TEST(MiniCal, MonthStartingOnSundayFillsRowTwoWithTheEndOfTheMonthBefore) {
  TCal C(2026, 2, 10);  // 1 February 2026 is a Sunday
  EXPECT_EQ(C.CellText(7, 2), "1");
  for (int Col = 1; Col <= 6; ++Col) EXPECT_EQ(C.CellText(Col, 2), QString::number(25 + Col));
  EXPECT_EQ(C.CellText(1, 7), "2");  // 2 March
  const QImage Img = test::Picture(C);
  EXPECT_TRUE(CellHasPixel(Img, C.CellRect(1, 2), C.ColorInactiveMonth()));
  EXPECT_FALSE(CellHasPixel(Img, C.CellRect(7, 2), C.ColorInactiveMonth()));
  EXPECT_TRUE(CellHasPixel(Img, C.CellRect(7, 2), C.ColorActiveMonth()));
}

TEST(MiniCal, WeekStartingOnSundayShowsSundayFirstInItsColour) {
  TCal C(2024, 5, 15);
  C.SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(C.Changes, 1);
  EXPECT_EQ(C.CellText(1, 1), "Su");
  EXPECT_EQ(C.CellText(2, 1), "Mo");
  const QImage Img = test::Picture(C);
  EXPECT_EQ(CellBackground(Img, C.CellRect(1, 3)), 0xCCEEFFu);  // Sunday 5 May
  EXPECT_EQ(CellBackground(Img, C.CellRect(7, 3)), 0xBBDDEEu);  // Saturday 11 May
  EXPECT_EQ(CellBackground(Img, C.CellRect(4, 3)), 0xF8F8F8u);
  C.SetFirstDayOfWeek(dwSun);
  EXPECT_EQ(C.Changes, 1);
}

TEST(MiniCal, CaptionSpansColumnsThreeToFiveAndNamesFollowTheLanguage) {
  TCal C(2024, 9, 3);
  EXPECT_EQ(C.CellText(5, 0), "Sep 2024");
  C.SetShowMonthShort(false);
  EXPECT_EQ(C.CellText(5, 0), "September 2024");
  C.SetLanguage(lgSpanish);
  EXPECT_EQ(C.CellText(5, 0), "Septiembre 2024");
  EXPECT_EQ(C.CellText(6, 1), QString::fromUtf8("Sá"));
  C.SetShowMonthShort(true);
  C.SetLanguage(lgFrench);
  EXPECT_EQ(C.CellText(5, 0), "Sept 2024");
  C.SetLanguage(9);  // unknown languages use the English names
  EXPECT_EQ(C.CellText(5, 0), "Sep 2024");
  EXPECT_EQ(C.CellText(1, 0), "<<");
  EXPECT_EQ(C.CellText(7, 0), ">>");
  EXPECT_EQ(C.CellText(0, 1), "#");

  // The caption is one button from column 3 to 5: no grid line or frame of
  // columns 3 and 4 shows inside it (the text starts lower).
  const QImage Img = test::Picture(C);
  const QRect C3 = C.CellRect(3, 0), C5 = C.CellRect(5, 0);
  const int Y = C3.top() + 2;
  for (int X = C3.left() + 2; X < C5.right() - 1; ++X)
    ASSERT_EQ(test::PixelAt(Img, X, Y), ColorToRGB(clBtnFace)) << X;
  // The frame's light edge runs along the caption's left side in column 3.
  EXPECT_EQ(test::PixelAt(Img, C3.left(), C3.top() + 5), 0xFFFFFFu);
  // The "#" button spans rows 0 and 1.
  const QRect Hash = C.CellRect(0, 1);
  EXPECT_EQ(test::PixelAt(Img, Hash.left(), C.CellRect(0, 0).top() + 3), 0xFFFFFFu);
}

TEST(MiniCal, ButtonFramesFollowCtl3D) {
  TMiniCal C;
  QImage Img = test::Picture(C);
  const QRect R = C.CellRect(1, 0);
  EXPECT_EQ(test::PixelAt(Img, R.left(), R.top() + 4), 0xFFFFFFu);
  EXPECT_EQ(test::PixelAt(Img, R.right() - 0, R.top() + 4), 0x9CA0A5u);
  EXPECT_EQ(test::PixelAt(Img, R.right() + 1, R.top() + 4), 0x686868u);
  EXPECT_EQ(test::PixelAt(Img, R.left() + 1, R.top() + 4), 0xE6E2E2u);
  C.SetCtl3D(false);
  Img = test::Picture(C);
  const QRect Flat = C.CellRect(1, 0);
  EXPECT_EQ(test::PixelAt(Img, Flat.left(), Flat.top() + 4), ColorToRGB(clBtnFace));
}

// ---- colours of the day cells ------------------------------------------------------

TEST(MiniCal, SelectedDayHolidaysAndTodayHaveTheirColours) {
  TCal C(2024, 12, 10);
  const QImage Img = test::Picture(C);
  // 1 December 2024 is a Sunday: row 2 column 7; 10 December in row 4, column 2.
  EXPECT_EQ(CellBackground(Img, C.CellRect(2, 4)), C.ColorSelectedBg());
  EXPECT_TRUE(CellHasPixel(Img, C.CellRect(2, 4), C.ColorSelectedFg()));
  EXPECT_EQ(CellBackground(Img, C.CellRect(3, 6)), C.ColorHolidayBg());  // 25 December
  EXPECT_TRUE(CellHasPixel(Img, C.CellRect(3, 6), C.ColorHolidayFg()));
  EXPECT_EQ(CellBackground(Img, C.CellRect(1, 1)), C.ColorDayIdBg());
  EXPECT_EQ(CellBackground(Img, C.CellRect(0, 3)), C.ColorWeekNoBg());

  C.SetDay(25);  // a selected holiday mixes both backgrounds
  QImage Mixed = test::Picture(C);
  EXPECT_EQ(CellBackground(Mixed, C.CellRect(3, 6)), MeanColor(C.ColorSelectedBg(), C.ColorHolidayBg()));
  C.SetIndicateHolidays(false);
  Mixed = test::Picture(C);
  EXPECT_EQ(CellBackground(Mixed, C.CellRect(3, 6)), C.ColorSelectedBg());
  EXPECT_EQ(CellBackground(Mixed, C.CellRect(4, 6)), 0xF8F8F8u);  // 26 December

  C.SetColorSelectedBg(0x00FF00);
  EXPECT_EQ(CellBackground(test::Picture(C), C.CellRect(3, 6)), 0x00FF00u);
}

TEST(MiniCal, FontChangeRedrawsTheTexts) {
  TCal C(2024, 5, 15);
  const QRect R = C.CellRect(4, 4);  // 16 May
  const QImage Before = test::Picture(C).copy(R);
  C.Font().SetStyle(fsBold);
  const QImage Bold = test::Picture(C).copy(R);
  EXPECT_NE(Before, Bold);
  C.Font().SetStyle(0);
  EXPECT_EQ(test::Picture(C).copy(R), Before);
}

TEST(MiniCal, TodayIsCircledOnlyInItsOwnMonth) {
  const QDate Today = QDate::currentDate();
  TCal C(Today.year(), Today.month(), Today.day() == 1 ? 2 : 1);
  QRect R;
  for (int Row = 2; Row <= 7 && R.isNull(); ++Row)
    for (int Col = 1; Col <= 7; ++Col)
      if (C.CellDate(Col, Row) == Today) R = C.CellRect(Col, Row);
  ASSERT_FALSE(R.isNull());
  QImage Img = test::Picture(C);
  // The ellipse (Left+2, Top+2, Right-2, Bottom-2) passes through the middle of its top edge.
  EXPECT_EQ(test::PixelAt(Img, R.center().x(), R.top() + 2), C.ColorToday());
  C.SetMarkToday(false);
  Img = test::Picture(C);
  EXPECT_NE(test::PixelAt(Img, R.center().x(), R.top() + 2), C.ColorToday());
  C.SetMarkToday(true);
  C.NextYear();
  Img = test::Picture(C);
  EXPECT_FALSE(CellHasPixel(Img, R, C.ColorToday()));
}

TEST(MiniCal, DayColorsRepaintAndReportTheChange) {
  TCal C(2024, 5, 15);
  C.SetDayColors(dwWed, 0x123456);
  EXPECT_EQ(C.Changes, 1);
  EXPECT_EQ(C.DayColors(dwWed), 0x123456u);
  EXPECT_EQ(CellBackground(test::Picture(C), C.CellRect(3, 3)), 0x123456u);  // Wednesday 8 May
  C.SetDayColors(dwWed, 0x123456);
  C.SetDayColors(TDayOfWeek(7), 0x111111);
  EXPECT_EQ(C.Changes, 1);
  EXPECT_EQ(C.DayColors(TDayOfWeek(7)), 0u);
}

// ---- the date --------------------------------------------------------------------

TEST(MiniCal, InvalidDatesRaiseAndLeaveTheDateAlone) {
  TCal C(2024, 1, 31);
  const TDateTime Before = C.Date();
  EXPECT_THROW(C.SetMonth(2), EConvertError);   // 31 February
  EXPECT_THROW(C.SetMonth(4), EConvertError);   // 31 April
  EXPECT_THROW(C.SetDay(0), EConvertError);
  EXPECT_THROW(C.SetMonth(0), EConvertError);
  EXPECT_THROW(C.SetYear(0), EConvertError);
  EXPECT_THROW(C.SetYear(10000), EConvertError);
  C.SetMonth(13);   // out of range: ignored
  C.SetMonth(-1);
  C.SetYear(-5);
  C.SetDay(32);
  EXPECT_EQ(C.Date(), Before);
  EXPECT_EQ(C.Changes, 0);
  C.SetDate(std::nan(""));
  EXPECT_EQ(C.Date(), Before);

  // Dates far beyond the calendar and extreme years are shown and checked without faults.
  for (const TDateTime Far : {1e12, -1e12, 3e6, -7e5}) {
    C.SetDate(Far);
    test::Picture(C);
  }
  QString Caption;
  for (const int Y : {INT_MAX, INT_MIN, -1, 0}) C.CheckHoliday(Y, 4, 1, Caption);

  TCal Leap(2024, 2, 29);
  EXPECT_THROW(Leap.SetYear(2023), EConvertError);
  EXPECT_EQ(Selected(Leap), QDate(2024, 2, 29));
}

TEST(MiniCal, DateKeepsItsTimeAndPartsReencodeTheDay) {
  TCal C(2024, 3, 5);
  C.SetDate(host::EncodeDate(2024, 3, 6) + 0.75);
  EXPECT_EQ(C.Changes, 1);
  EXPECT_DOUBLE_EQ(C.Date(), host::EncodeDate(2024, 3, 6) + 0.75);
  C.SetDay(6);  // equal: nothing
  EXPECT_EQ(C.Changes, 1);
  C.SetDay(7);
  EXPECT_EQ(C.Changes, 2);
  EXPECT_DOUBLE_EQ(C.Date(), host::EncodeDate(2024, 3, 7));
}

TEST(MiniCal, MonthStepsClampTheDay) {
  TCal C(2024, 1, 31);
  C.NextMonth();
  EXPECT_EQ(Selected(C), QDate(2024, 2, 29));
  TCal Common(2023, 1, 31);
  Common.NextMonth();
  EXPECT_EQ(Selected(Common), QDate(2023, 2, 28));
  TCal March(2024, 3, 31);
  March.PrevMonth();
  EXPECT_EQ(Selected(March), QDate(2024, 2, 29));
  EXPECT_EQ(March.Changes, 1);
  TCal Dec(2024, 12, 31);
  Dec.NextMonth();
  EXPECT_EQ(Selected(Dec), QDate(2025, 1, 31));
  Dec.PrevMonth();
  Dec.PrevMonth();
  EXPECT_EQ(Selected(Dec), QDate(2024, 11, 30));
  Dec.LastDayOfMonth();
  EXPECT_EQ(Selected(Dec), QDate(2024, 11, 30));
  Dec.SetDay(3);
  Dec.LastDayOfMonth();
  EXPECT_EQ(Dec.Day(), 30);
}

TEST(MiniCal, NextYearFromLeapDayReportsTwoChanges) {
  TCal C(2024, 2, 29);
  C.NextYear();
  EXPECT_EQ(Selected(C), QDate(2025, 2, 28));
  EXPECT_EQ(C.Changes, 2);
  TCal P(2024, 2, 29);
  P.PrevYear();
  EXPECT_EQ(Selected(P), QDate(2023, 2, 28));
  TCal Plain(2024, 7, 4);
  Plain.NextYear();
  EXPECT_EQ(Plain.Changes, 1);
}

TEST(MiniCal, ChangesAlsoReachQtSlots) {
  TCal C(2024, 7, 4);
  int Signals = 0;
  QObject::connect(&C, &TMiniCal::changed, [&] {
    EXPECT_EQ(C.Changes, Signals + 1);  // after OnChange
    ++Signals;
  });
  C.NextMonth();
  C.SetFirstDayOfWeek(dwWed);
  EXPECT_EQ(Signals, 2);
}

// ---- holidays ----------------------------------------------------------------------

TEST(MiniCal, EasterAndTheFeastsThatFollowIt) {
  int D = 0, M = 0;
  CalcEasterSunday(2024, D, M);
  EXPECT_EQ(QDate(2024, M, D), QDate(2024, 3, 31));
  CalcEasterSunday(2025, D, M);
  EXPECT_EQ(QDate(2025, M, D), QDate(2025, 4, 20));

  TMiniCal C;
  QString Caption;
  EXPECT_TRUE(C.CheckHoliday(2025, 5, 1, Caption));
  EXPECT_EQ(Caption, "Labor Day");
  EXPECT_TRUE(C.CheckHoliday(2025, 5, 29, Caption));
  EXPECT_EQ(Caption, "Ascension Day");
  EXPECT_TRUE(C.CheckHoliday(2025, 4, 21, Caption));
  EXPECT_EQ(Caption, "Easter Monday");
  EXPECT_TRUE(C.CheckHoliday(2024, 3, 31, Caption));
  EXPECT_EQ(Caption, "Easter Day");
  EXPECT_TRUE(C.CheckHoliday(2038, 6, 24, Caption));  // Easter 25 April 2038 + 60
  EXPECT_EQ(Caption, "Corpus Christi");
  EXPECT_TRUE(C.CheckHoliday(2025, 6, 8, Caption));
  EXPECT_EQ(Caption, "Pentecost");
  EXPECT_FALSE(C.CheckHoliday(2025, 5, 2, Caption));
  EXPECT_TRUE(Caption.isEmpty());
  C.SetShowMovableHolidays(false);
  EXPECT_FALSE(C.CheckHoliday(2025, 5, 29, Caption));
  EXPECT_TRUE(C.CheckHoliday(2025, 12, 25, Caption));
  EXPECT_EQ(Caption, "Christmas Day");
}

TEST(MiniCal, EasterAgreesWithAnIndependentAlgorithm) {
  for (int Y = 1583; Y <= 4099; ++Y) {
    int D = 0, M = 0;
    CalcEasterSunday(Y, D, M);
    ASSERT_EQ(QDate(Y, M, D), EasterOracle(Y)) << Y;
  }
}

TEST(MiniCal, LanguageReplacesEveryHolidayWithTheBuiltInOnes) {
  TMiniCal C;
  C.AddHoliday(24, 12, 2030, QStringLiteral("Party"));
  EXPECT_EQ(C.NumHolidays(), 9);
  C.SetLanguage(lgGerman);
  EXPECT_EQ(C.NumHolidays(), 8);
  QString Caption;
  EXPECT_FALSE(C.CheckHoliday(2030, 12, 24, Caption));
  EXPECT_TRUE(C.CheckHoliday(2030, 12, 8, Caption));
  EXPECT_EQ(Caption, QString::fromUtf8("Maria Empfängnis"));
  EXPECT_TRUE(C.CheckHoliday(2025, 6, 9, Caption));
  EXPECT_EQ(Caption, "Pfingstmontag");
  C.SetLanguage(lgFrench);
  EXPECT_TRUE(C.CheckHoliday(2025, 1, 6, Caption));
  EXPECT_EQ(Caption, QString::fromUtf8("Épiphanie"));
  C.SetLanguage(lgSpanish);
  EXPECT_TRUE(C.CheckHoliday(2025, 11, 1, Caption));
  EXPECT_EQ(Caption, QString::fromUtf8("Día de Todos los Santos"));
  // Setting the language it already has keeps the application's holidays.
  C.AddRepeatHoliday(24, 12, QStringLiteral("Nochebuena"));
  C.SetLanguage(lgSpanish);
  EXPECT_EQ(C.NumHolidays(), 9);
}

TEST(MiniCal, OneTimeAndRepeatingHolidays) {
  TMiniCal C;
  C.AddHoliday(24, 12, 2030, QStringLiteral("Once"));
  QString Caption;
  EXPECT_TRUE(C.CheckHoliday(2030, 12, 24, Caption));
  EXPECT_EQ(Caption, "Once");
  EXPECT_FALSE(C.CheckHoliday(2031, 12, 24, Caption));
  C.AddRepeatHoliday(24, 12, QString(300, QChar('x')));
  EXPECT_TRUE(C.CheckHoliday(2031, 12, 24, Caption));
  EXPECT_EQ(Caption.size(), 255);
  EXPECT_TRUE(C.CheckHoliday(2030, 12, 24, Caption));  // the first match wins
  EXPECT_EQ(Caption, "Once");

  int D = -1, M = -1, Y = -1;
  bool Rep = false;
  EXPECT_TRUE(C.RetrieveHoliday(10, D, M, Y, Rep, Caption));
  EXPECT_EQ(D, 24);
  EXPECT_EQ(M, 12);
  EXPECT_EQ(Y, TMiniCal::EveryYear);
  EXPECT_TRUE(Rep);
  EXPECT_TRUE(C.RetrieveHoliday(9, D, M, Y, Rep, Caption));
  EXPECT_EQ(Y, 2030);
  EXPECT_FALSE(Rep);
  D = M = Y = -1;
  Caption = "kept";
  EXPECT_FALSE(C.RetrieveHoliday(0, D, M, Y, Rep, Caption));
  EXPECT_FALSE(C.RetrieveHoliday(C.NumHolidays() + 1, D, M, Y, Rep, Caption));
  EXPECT_EQ(D, -1);
  EXPECT_EQ(Caption, "kept");

  C.ClearHolidayList();
  EXPECT_EQ(C.NumHolidays(), 0);
  EXPECT_FALSE(C.CheckHoliday(2030, 12, 25, Caption));
  EXPECT_TRUE(C.CheckHoliday(2025, 4, 20, Caption));  // movable feasts are not in the list
}

TEST(MiniCal, AddedHolidayIsMarkedOnlyInItsYear) {
  TCal C(2030, 12, 1);
  C.AddHoliday(24, 12, 2030, QStringLiteral("Once"));
  const auto Background = [&] {
    for (int Row = 2; Row <= 7; ++Row)
      for (int Col = 1; Col <= 7; ++Col)
        if (C.CellDate(Col, Row) == QDate(C.Year(), 12, 24))
          return CellBackground(test::Picture(C), C.CellRect(Col, Row));
    return TColor(0);
  };
  EXPECT_EQ(Background(), C.ColorHolidayBg());
  C.NextYear();
  EXPECT_NE(Background(), C.ColorHolidayBg());
  C.AddRepeatHoliday(24, 12, QStringLiteral("Every year"));
  EXPECT_EQ(Background(), C.ColorHolidayBg());
}

TEST(MiniCal, HintShowsTheSelectedDaysHoliday) {
  TCal C(2024, 12, 24);
  EXPECT_TRUE(C.Hint().isEmpty());
  C.SetDay(25);
  EXPECT_EQ(C.Hint(), "Christmas Day");
  C.SetIndicateHolidays(false);
  EXPECT_TRUE(C.Hint().isEmpty());
  C.SetIndicateHolidays(true);
  C.SetShowHolidayHint(false);
  EXPECT_TRUE(C.Hint().isEmpty());
  C.SetHint(QStringLiteral("mine"));
  C.SetDay(26);
  EXPECT_EQ(C.Hint(), "mine");  // left alone
  C.SetShowHint(false);
  C.SetShowHolidayHint(true);
  EXPECT_TRUE(C.ShowHint());
  EXPECT_EQ(C.Hint(), "Boxing Day");
}

// ---- independent oracles over two centuries ----------------------------------------

TEST(MiniCal, WeekNumbersAgreeWithQDateForEveryMonth1900To2100) {
  TMiniCal C;
  for (int Y = 1900; Y <= 2100; ++Y)
    for (int M = 1; M <= 12; ++M) {
      C.SetDate(host::EncodeDate(Y, M, 1));
      for (int Row = 2; Row <= 7; ++Row) {
        const QDate D = QDate(Y, M, 1).addDays(7 * (Row - 2));
        ASSERT_EQ(C.CellText(0, Row), QString::number(D.weekNumber())) << Y << "-" << M << " row " << Row;
      }
    }
}

TEST(MiniCal, DayGridAgreesWithQDateForEveryMonthAndFirstWeekday) {
  TMiniCal C;
  for (int First = dwMon; First <= dwSun; ++First) {
    C.SetFirstDayOfWeek(TDayOfWeek(First));
    for (int Y = 1900; Y <= 2100; ++Y)
      for (int M = 1; M <= 12; ++M) {
        C.SetDate(host::EncodeDate(Y, M, 1));
        const QDate Day1(Y, M, 1);
        // The 1st lies in row 2 in the column of its weekday.
        const int Col = (Day1.dayOfWeek() - 1 - First + 7) % 7 + 1;
        QDate Cell = Day1.addDays(1 - Col);
        for (int Row = 2; Row <= 7; ++Row)
          for (int C1 = 1; C1 <= 7; ++C1) {
            ASSERT_EQ(C.CellText(C1, Row), QString::number(Cell.day()))
                << Y << "-" << M << " first " << First << " cell " << C1 << "," << Row;
            ASSERT_EQ(C.CellDate(C1, Row), Cell);
            Cell = Cell.addDays(1);
          }
        ASSERT_EQ(C.CellDate(Col, 2), Day1);
      }
  }
}
// ---- mouse -------------------------------------------------------------------------

TEST(MiniCal, ClickOnANeighbouringMonthsDayFollowsAutoSwitch) {
  TCal C(2026, 2, 10);
  test::ShowAndWait(C);
  ASSERT_EQ(C.CellText(1, 7), "2");
  C.SetAutoSwitch(false);
  Click(C, 1, 7);
  EXPECT_EQ(Selected(C), QDate(2026, 2, 10));
  EXPECT_EQ(C.Changes, 0);
  C.SetAutoSwitch(true);
  Click(C, 1, 7);
  EXPECT_EQ(Selected(C), QDate(2026, 3, 2));
  EXPECT_EQ(C.Changes, 1);
  // Back into February through a leading day of row 2 (23 February).
  ASSERT_EQ(C.CellText(1, 2), "23");
  Click(C, 1, 2);
  EXPECT_EQ(Selected(C), QDate(2026, 2, 23));
  Click(C, 4, 4);
  EXPECT_EQ(Selected(C), QDate(2026, 2, 12));
}

TEST(MiniCal, ClicksAcrossTheYearBoundary) {
  TCal C(2025, 1, 10);
  test::ShowAndWait(C);
  Click(C, 1, 2);  // 30 December 2024
  EXPECT_EQ(Selected(C), QDate(2024, 12, 30));
  Click(C, 7, 7);  // the last cell: 5 January 2025
  EXPECT_EQ(Selected(C), QDate(2025, 1, 5));
}

TEST(MiniCal, NavigationButtonsStepAndTheCornerJumpsToToday) {
  TCal C(2024, 3, 31);
  test::ShowAndWait(C);
  Click(C, 2, 0);
  EXPECT_EQ(Selected(C), QDate(2024, 2, 29));
  Click(C, 6, 0);
  EXPECT_EQ(Selected(C), QDate(2024, 3, 29));
  Click(C, 7, 0);
  EXPECT_EQ(Selected(C), QDate(2025, 3, 29));
  Click(C, 1, 0);
  Click(C, 1, 0);
  EXPECT_EQ(Selected(C), QDate(2023, 3, 29));
  const int Before = C.Changes;
  Click(C, 4, 0);  // the caption
  Click(C, 3, 1);  // a weekday abbreviation
  Click(C, 0, 4);  // a week number
  EXPECT_EQ(C.Changes, Before);
  Click(C, 0, 1);
  EXPECT_EQ(Selected(C), QDate::currentDate());
  C.SetDate(host::EncodeDate(2020, 1, 1));
  QTest::mouseClick(&C, Qt::LeftButton, Qt::NoModifier, C.CellRect(0, 0).center());
  EXPECT_EQ(Selected(C), QDate::currentDate());
}

TEST(MiniCal, RightClicksAndMouseUpDoNothing) {
  TCal C(2024, 6, 12);
  test::ShowAndWait(C);
  int Ups = 0, Clicks = 0;
  C.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++Ups; };
  C.OnClick = [&](TObject*) { ++Clicks; };
  QTest::mouseClick(&C, Qt::RightButton, Qt::NoModifier, Centre(C, 5, 5));
  EXPECT_EQ(C.Changes, 0);
  Click(C, 5, 5);
  EXPECT_EQ(C.Changes, 1);
  EXPECT_EQ(Ups, 0);
  EXPECT_EQ(Clicks, 1);
  // Moving the mouse afterwards changes nothing.
  QTest::mouseMove(&C, Centre(C, 2, 6));
  EXPECT_EQ(Selected(C), QDate(2024, 6, 21));
}

TEST(MiniCal, ErrorsOfAClickGoToTheApplication) {
  TCal C(1, 1, 15);
  test::ShowAndWait(C);
  int Caught = 0;
  host::Application()->OnException = [&](QObject*, const std::exception&) { ++Caught; };
  Click(C, 2, 0);  // no month before January of year 1
  Click(C, 1, 0);
  host::Application()->OnException = nullptr;
  EXPECT_EQ(Caught, 2);
  EXPECT_EQ(Selected(C), QDate(1, 1, 15));
  EXPECT_EQ(C.Changes, 0);
}

// ---- keyboard ----------------------------------------------------------------------

TEST(MiniCal, KeysMoveTheSelectedDateAsInQCalendarWidget) {
  TCal C(2024, 2, 28);
  test::ShowAndWait(C);
  C.SetFocus();
  QTest::keyClick(&C, Qt::Key_Right);
  EXPECT_EQ(Selected(C), QDate(2024, 2, 29));
  QTest::keyClick(&C, Qt::Key_Right);
  EXPECT_EQ(Selected(C), QDate(2024, 3, 1));
  QTest::keyClick(&C, Qt::Key_Up);
  EXPECT_EQ(Selected(C), QDate(2024, 2, 23));
  QTest::keyClick(&C, Qt::Key_Down);
  QTest::keyClick(&C, Qt::Key_Left);
  EXPECT_EQ(Selected(C), QDate(2024, 2, 29));
  QTest::keyClick(&C, Qt::Key_PageDown);
  EXPECT_EQ(Selected(C), QDate(2024, 3, 29));
  QTest::keyClick(&C, Qt::Key_PageUp);
  QTest::keyClick(&C, Qt::Key_PageUp);
  EXPECT_EQ(Selected(C), QDate(2024, 1, 29));
  QTest::keyClick(&C, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(Selected(C), QDate(2025, 1, 29));
  QTest::keyClick(&C, Qt::Key_End);
  EXPECT_EQ(Selected(C), QDate(2025, 1, 31));
  QTest::keyClick(&C, Qt::Key_Home);
  EXPECT_EQ(Selected(C), QDate(2025, 1, 1));
  QTest::keyClick(&C, Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(Selected(C), QDate(2024, 1, 1));
  EXPECT_EQ(C.Changes, 12);
  // The grid's current cell follows the selected day.
  EXPECT_EQ(C.CellDate(C.Col(), C.Row()), QDate(2024, 1, 1));
}

TEST(MiniCal, KeysStopQuietlyAtTheEndsOfTheCalendar) {
  TCal C(9999, 12, 31);
  test::ShowAndWait(C);
  C.SetFocus();
  int Caught = 0;
  host::Application()->OnException = [&](QObject*, const std::exception&) { ++Caught; };
  QTest::keyClick(&C, Qt::Key_Right);
  QTest::keyClick(&C, Qt::Key_PageDown);
  QTest::keyClick(&C, Qt::Key_PageDown, Qt::ControlModifier);
  C.SetDate(host::EncodeDate(1, 1, 1));
  QTest::keyClick(&C, Qt::Key_Left);
  QTest::keyClick(&C, Qt::Key_Up);
  host::Application()->OnException = nullptr;
  EXPECT_EQ(Caught, 0);
  EXPECT_EQ(Selected(C), QDate(1, 1, 1));
}

TEST(MiniCal, WheelTurnsTheMonthsAndKeepsTheCellsInPlace) {
  TCal C(2024, 1, 31);
  test::ShowAndWait(C);
  const QPoint At = Centre(C, 4, 4);
  QWheelEvent Down(At, C.mapToGlobal(At), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(&C, &Down);
  EXPECT_EQ(Selected(C), QDate(2024, 2, 29));
  QWheelEvent Up(At, C.mapToGlobal(At), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(&C, &Up);
  EXPECT_EQ(Selected(C), QDate(2023, 12, 29));
  EXPECT_EQ(C.TopRow(), 2);
  EXPECT_EQ(C.CellDate(C.Col(), C.Row()), QDate(2023, 12, 29));
}

TEST(MiniCal, TabEntersAndLeavesTheCalendar) {
  QWidget Form;
  auto* Before = new QLineEdit(&Form);
  auto* Cal = new TMiniCal(&Form);
  auto* After = new QLineEdit(&Form);
  auto* Layout = new QVBoxLayout(&Form);
  Layout->addWidget(Before);
  Layout->addWidget(Cal);
  Layout->addWidget(After);
  test::ShowAndWait(Form);
  QApplication::setActiveWindow(&Form);
  Before->setFocus();
  QTest::keyClick(Before, Qt::Key_Tab);
  EXPECT_TRUE(Cal->hasFocus());
  QTest::keyClick(Cal, Qt::Key_Tab);
  EXPECT_TRUE(After->hasFocus());
  QTest::keyClick(After, Qt::Key_Backtab);
  EXPECT_TRUE(Cal->hasFocus());
}
