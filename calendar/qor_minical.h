// TMiniCal: a one-month calendar in an 8 x 8 grid.
//
//   column:  0        1     2     3     4     5     6     7
//   row 0    #        <<    <     [ caption "Jan 2024"  ]  >     >>
//   row 1    #        Mo    Tu    We    Th    Fr    Sa    Su     weekday abbreviations
//   rows 2-7 week no. day   day   day   day   day   day   day    six weeks of days
//
// One date is selected. A click on a day selects it (with AutoSwitch a day of
// the previous or next month switches to that month); "<<" / ">>" step a
// year, "<" / ">" a month, with the day clamped to the new month's length;
// "#" jumps to today. The week-number column shows the ISO 8601 week of the
// row's date.
//
// Holidays: eight fixed holidays of every year in four languages (Language),
// the Easter-dependent feasts (ShowMovableHolidays) and the application's own
// (AddHoliday once, AddRepeatHoliday every year). IndicateHolidays colours
// them; ShowHolidayHint makes the selected day's holiday the control's hint.
//
// Keyboard, as QCalendarWidget: Left/Right one day, Up/Down one week,
// Home/End the first/last day of the month, Page Up/Down one month (day
// clamped), Ctrl+Page Up/Down one year; Tab and Shift+Tab leave the control.
// The mouse wheel turns the months.
// Every change of the date fires OnChange and then the signal changed().
//
// Colours: the button cells use the button face (the style's button colour
// under styles), text starts black (the style's panel text under styles);
// everything else comes from the Color* properties and DayColors. The
// three-dimensional button frames follow Ctl3D.
//
// Dates outside the years 1..9999 and combinations that are no day (31 April,
// 29 February of a common year, month or day 0) are refused by Year, Month,
// Day and the steps with EConvertError; the date stays as it was. Raised from
// a click or a key, the error goes to the application's exception handler.
#pragma once

#include <QDate>
#include <QHash>
#include <QImage>
#include <array>

#include "foundation/qor_qorbase.h"
#include "host/qor_format.h"
#include "host/qor_grid.h"

namespace qor {

class TIntMatrix;

class QORKIT_EXPORT TMiniCal : public TCustomGrid {
  Q_OBJECT

 public:
  enum TDayOfWeek : std::uint8_t { dwMon, dwTue, dwWed, dwThu, dwFri, dwSat, dwSun };
  Q_ENUM(TDayOfWeek)
  // Background of the day cells by weekday.
  using TDayColors = std::array<TColor, 7>;
  // The year of a holiday that repeats every year.
  static constexpr int EveryYear = -99999;

 private:
  Q_PROPERTY(bool AutoSwitch READ AutoSwitch WRITE SetAutoSwitch)
  Q_PROPERTY(qor::TColor ColorActiveMonth READ ColorActiveMonth WRITE SetColorActiveMonth)
  Q_PROPERTY(qor::TColor ColorInactiveMonth READ ColorInactiveMonth WRITE SetColorInactiveMonth)
  Q_PROPERTY(qor::TColor ColorWeekNoBg READ ColorWeekNoBg WRITE SetColorWeekNoBg)
  Q_PROPERTY(qor::TColor ColorWeekNoFg READ ColorWeekNoFg WRITE SetColorWeekNoFg)
  Q_PROPERTY(qor::TColor ColorDayIdBg READ ColorDayIdBg WRITE SetColorDayIdBg)
  Q_PROPERTY(qor::TColor ColorDayIdFg READ ColorDayIdFg WRITE SetColorDayIdFg)
  Q_PROPERTY(qor::TColor ColorSelectedBg READ ColorSelectedBg WRITE SetColorSelectedBg)
  Q_PROPERTY(qor::TColor ColorSelectedFg READ ColorSelectedFg WRITE SetColorSelectedFg)
  Q_PROPERTY(qor::TColor ColorHolidayBg READ ColorHolidayBg WRITE SetColorHolidayBg)
  Q_PROPERTY(qor::TColor ColorHolidayFg READ ColorHolidayFg WRITE SetColorHolidayFg)
  Q_PROPERTY(qor::TColor ColorToday READ ColorToday WRITE SetColorToday)
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
  Q_PROPERTY(double Date READ Date WRITE SetDate NOTIFY changed STORED false USER true)
  Q_PROPERTY(int Day READ Day WRITE SetDay NOTIFY changed STORED false)
  Q_PROPERTY(int Month READ Month WRITE SetMonth NOTIFY changed STORED false)
  Q_PROPERTY(int Year READ Year WRITE SetYear NOTIFY changed STORED false)
  Q_PROPERTY(qor::TMiniCal::TDayOfWeek FirstDayOfWeek READ FirstDayOfWeek WRITE SetFirstDayOfWeek)
  Q_PROPERTY(bool IndicateHolidays READ IndicateHolidays WRITE SetIndicateHolidays)
  Q_PROPERTY(qor::TLanguage Language READ Language WRITE SetLanguage)
  Q_PROPERTY(bool MarkToday READ MarkToday WRITE SetMarkToday)
  Q_PROPERTY(bool ShowHolidayHint READ ShowHolidayHint WRITE SetShowHolidayHint)
  Q_PROPERTY(bool ShowMonthShort READ ShowMonthShort WRITE SetShowMonthShort)
  Q_PROPERTY(bool ShowMovableHolidays READ ShowMovableHolidays WRITE SetShowMovableHolidays)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)

 public:
  explicit TMiniCal(QWidget* AOwner = nullptr);
  ~TMiniCal() override;

  // ---- the selected date. Every change fires OnChange; an equal value does nothing.
  // Date keeps its time of day; Year, Month, Day and the steps re-encode the
  // date from its parts (midnight). Year < 0, Month outside 0..12 and Day
  // outside 0..days of the month are ignored; what is left and is no date
  // raises EConvertError.
  TDateTime Date() const { return FDate; }
  void SetDate(TDateTime Value);
  int Year() const { return FSelected.year(); }
  void SetYear(int Value);
  int Month() const { return FSelected.month(); }
  void SetMonth(int Value);
  int Day() const { return FSelected.day(); }
  void SetDay(int Value);
  void PrevMonth() { MonthStep(-1); }
  void NextMonth() { MonthStep(1); }
  // 29 February steps to 28 February first (OnChange fires for both changes).
  void PrevYear();
  void NextYear();
  void LastDayOfMonth();

  // ---- layout
  TDayOfWeek FirstDayOfWeek() const { return F1stDayWeek; }
  void SetFirstDayOfWeek(TDayOfWeek Value);  // fires OnChange
  TLanguage Language() const { return FLanguage; }
  // Month and weekday names and the built-in holiday captions; values other
  // than 1..4 use the English ones. Replaces the holiday list with the eight
  // built-in holidays (holidays added by the application are dropped).
  void SetLanguage(TLanguage Value);
  bool ShowMonthShort() const { return FMonthShort; }
  void SetShowMonthShort(bool On);
  bool AutoSwitch() const { return FAutoSwitch; }
  void SetAutoSwitch(bool On) { FAutoSwitch = On; }
  bool MarkToday() const { return FMarkToday; }
  void SetMarkToday(bool On);
  // Three-dimensional button frames (flat buttons without).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool On);
  // Whether the hint (tooltip) is shown at all.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool On) { FShowHint = On; }

  // ---- colours (each repaints)
  TColor ColorActiveMonth() const { return FColorActMon; }
  void SetColorActiveMonth(TColor C) { SetColorField(FColorActMon, C); }
  TColor ColorInactiveMonth() const { return FColorInactMon; }
  void SetColorInactiveMonth(TColor C) { SetColorField(FColorInactMon, C); }
  TColor ColorWeekNoBg() const { return FColorWknBg; }
  void SetColorWeekNoBg(TColor C) { SetColorField(FColorWknBg, C); }
  TColor ColorWeekNoFg() const { return FColorWknFg; }
  void SetColorWeekNoFg(TColor C) { SetColorField(FColorWknFg, C); }
  TColor ColorDayIdBg() const { return FColorDayIdBg; }
  void SetColorDayIdBg(TColor C) { SetColorField(FColorDayIdBg, C); }
  TColor ColorDayIdFg() const { return FColorDayIdFg; }
  void SetColorDayIdFg(TColor C) { SetColorField(FColorDayIdFg, C); }
  TColor ColorSelectedBg() const { return FColorSelBg; }
  void SetColorSelectedBg(TColor C) { SetColorField(FColorSelBg, C); }
  TColor ColorSelectedFg() const { return FColorSelFg; }
  void SetColorSelectedFg(TColor C) { SetColorField(FColorSelFg, C); }
  TColor ColorHolidayBg() const { return FColorHdayBg; }
  void SetColorHolidayBg(TColor C) { SetColorField(FColorHdayBg, C); }
  TColor ColorHolidayFg() const { return FColorHdayFg; }
  void SetColorHolidayFg(TColor C) { SetColorField(FColorHdayFg, C); }
  TColor ColorToday() const { return FColorToday; }
  void SetColorToday(TColor C) { SetColorField(FColorToday, C); }
  // Day-cell background of a weekday; setting it fires OnChange. Black and
  // ignored outside dwMon..dwSun.
  TColor DayColors(TDayOfWeek Day) const;
  void SetDayColors(TDayOfWeek Day, TColor C);

  // ---- holidays
  bool IndicateHolidays() const { return FIndicateHolid; }
  void SetIndicateHolidays(bool On);
  bool ShowMovableHolidays() const { return FShowMovHdays; }
  void SetShowMovableHolidays(bool On);
  bool ShowHolidayHint() const { return FShowHDayHint; }
  // Clears the hint; switching on also switches ShowHint on.
  void SetShowHolidayHint(bool On);
  int NumHolidays() const;
  // Captions keep at most 255 characters.
  void AddHoliday(int Day, int Month, int Year, const QString& Caption);
  void AddRepeatHoliday(int Day, int Month, const QString& Caption);
  // Empties the list, the built-in holidays included.
  void ClearHolidayList();
  // Entry Index (1..NumHolidays); false, and the outputs untouched, outside.
  bool RetrieveHoliday(int Index, int& Day, int& Month, int& Year, bool& Repeating,
                       QString& Caption) const;
  // The first entry of the list for the date, then (ShowMovableHolidays) the
  // Easter-dependent feasts. Caption is cleared first.
  bool CheckHoliday(int Year, int Month, int Day, QString& Caption) const;

  // ---- what the grid shows
  // The date shown in a day cell (columns 1..7, rows 2..7), invalid elsewhere.
  QDate CellDate(int ACol, int ARow) const;
  // The text drawn in a cell: captions, weekday abbreviations, week numbers, days.
  QString CellText(int ACol, int ARow) const;

  TNotifyEvent OnChange;

  // Screen readers: a table of the six weeks under the weekday names, headed
  // by the week numbers and named by the month's caption; the selected day
  // is the selected cell.
  QString AccessibleCaption() const override { return CellText(5, 0); }
  TAccessibleLayout AccessibleLayout() const override;
  QString AccessibleCellText(int ACol, int ARow) const override { return CellText(ACol, ARow); }

 Q_SIGNALS:
  // Both follow every OnChange, dateChanged with the selected calendar day.
  void changed();
  void dateChanged(QDate Date);

 public:
  // Eight columns and rows of cells that still hold their texts.
  QSize minimumSizeHint() const override;

 protected:
  // OnChange, then changed() and dateChanged().
  void Changed();
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override;
  bool event(QEvent* Event) override;
  void FontChanged() override;

 private:
  void SetColorField(TColor& Field, TColor Value);
  // Selects Y-M-D (midnight) through SetDate; raises EConvertError for no date.
  void SelectDay(int Y, int M, int D);
  void MonthStep(int N);
  // Runs a step of the keyboard or the wheel: no date beyond the calendar's
  // ends is quietly no step; other errors go to the application.
  void Navigate(const std::function<void()>& Step);
  void UpdateCal();
  void UpdateCellSizes();
  void ResetHolidays();
  void AppendHoliday(int Day, int Month, int Year, const QString& Caption);
  TLanguage NameLanguage() const;
  // Day number N of a day cell: 1..days of the month inside the month.
  int DayNumber(int ACol, int ARow) const;
  void ClickDay(int ACol, int ARow);
  void ClickButton(int ACol);
  void DrawButtonFrame(const TRect& R);
  void DrawCentred(const TRect& R, const QString& Text, TColor Fg, TColor Bg);

  bool FAutoSwitch = true;
  TColor FColorActMon = clBlack, FColorInactMon = clSilver;
  TColor FColorWknBg = clSilver, FColorWknFg = clBlack;
  TColor FColorDayIdBg = clSilver, FColorDayIdFg = clBlack;
  TColor FColorSelBg = 0xD0A040, FColorSelFg = clWhite;
  TColor FColorHdayBg = 0x9BD8F1, FColorHdayFg = 0x0000C0;
  TColor FColorToday = clRed;
  bool FShowHDayHint = true;
  bool FIndicateHolid = true;
  bool FShowMovHdays = true;
  TIntMatrix* FHDayList;
  QStringList FHDayCaptions;
  TDateTime FDate = 0;
  QDate FSelected;  // the calendar day of FDate
  TDayColors FDayColors{0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
  TLanguage FLanguage = lgEnglish;
  bool FMarkToday = true;
  int FMonOfs = 1;
  bool FMonthShort = true;
  TDayOfWeek F1stDayWeek = dwMon;
  bool FCtl3D = true;
  bool FShowHint = true;
  // Holidays of the shown month by day (index 0 unused), rebuilt by UpdateCal.
  std::array<bool, 32> FHolidayOfDay{};
  QSize FSizedFor;  // the control size the cell sizes were computed for
  QDate FPaintToday;  // today, read once per paint
  // Pictures of cells (background and centred text); colours resolved to RGB,
  // dropped when the font changes.
  struct TCellKey {
    QString Text;
    TColor Fg, Bg;
    int W, H;
    bool operator==(const TCellKey&) const = default;
    friend size_t qHash(const TCellKey& K, size_t Seed = 0) {
      return qHashMulti(Seed, K.Text, K.Fg, K.Bg, K.W, K.H);
    }
  };
  QHash<TCellKey, QImage> FCellPictures;
};

using TDayOfWeek = TMiniCal::TDayOfWeek;
using enum TMiniCal::TDayOfWeek;

// Easter Sunday of the Gregorian Year (Gauss's formula in Lichtenberg's form):
// Month 3 or 4 and its Day.
QORKIT_EXPORT void CalcEasterSunday(int Year, int& Day, int& Month);

}  // namespace qor
