#include "calendar/qor_minical.h"

#include <QEvent>
#include <algorithm>
#include <cmath>

#include "foundation/qor_matrix.h"
#include "foundation/qor_univconst.h"
#include "host/qor_app.h"

namespace qor {

namespace {

constexpr int HolidayCaptionLimit = 255;
constexpr int MaxCellPictures = 1024;
constexpr TColor FrameLight = 0xFFFFFF, FrameDark = 0x686868, FrameShadow = 0x9CA0A5,
                 FrameInnerLight = 0xE6E2E2;

// The fixed holidays of every year; captions by language 1..4.
struct TFixedHoliday {
  int Day, Month;
  const char16_t* Caption[MaxLanguage];
};
constexpr TFixedHoliday FixedHolidays[] = {
    {25, 12, {u"Christmas Day", u"Weihnachten", u"No\u00ebl", u"Navidad"}},
    {26, 12, {u"Boxing Day", u"Stephanitag", u"Jour de boxe", u"D\u00eda de San Esteban"}},
    {1, 1, {u"New Year's Day", u"Neujahrstag", u"Nouvel An Jour", u"D\u00eda de A\u00f1o Nuevo"}},
    {6, 1, {u"Epiphany", u"Hl. Drei K\u00f6nige", u"\u00c9piphanie", u"Epifan\u00eda"}},
    {15, 8, {u"Assumption of Mary", u"Maria Himmelfahrt", u"Assomption", u"Asunci\u00f3n"}},
    {1, 11, {u"All Saints", u"Allerheiligen", u"La Toussaint", u"D\u00eda de Todos los Santos"}},
    {8, 12,
     {u"Immaculate Conception", u"Maria Empf\u00e4ngnis", u"Immacul\u00e9e Conception",
      u"Inmaculada Concepci\u00f3n"}},
    {1, 5, {u"Labor Day", u"Tag der Arbeit", u"F\u00eate du Travail", u"D\u00eda del Trabajo"}},
};

// The feasts that follow Easter Sunday by Offset days.
struct TMovableHoliday {
  int Offset;
  const char16_t* Caption[MaxLanguage];
};
constexpr TMovableHoliday MovableHolidays[] = {
    {0, {u"Easter Day", u"Ostersonntag", u"Le jour de P\u00e2ques", u"Domingo de Resurrecci\u00f3n"}},
    {1, {u"Easter Monday", u"Ostermontag", u"Lundi de P\u00e2ques", u"Lunes de Pascua"}},
    {39, {u"Ascension Day", u"Christi Himmelfahrt", u"Ascension du Christ", u"Ascensi\u00f3n de Cristo"}},
    {49, {u"Pentecost", u"Pfingstsonntag", u"Dimanche de Pentec\u00f4te", u"Domingo de Pentecost\u00e9s"}},
    {50, {u"Whit Monday", u"Pfingstmontag", u"Lundi de Pentec\u00f4te", u"Lunes de Pentecost\u00e9s"}},
    {60, {u"Corpus Christi", u"Fronleichnam", u"Corpus Christi", u"Corpus Cristi"}},
};

// Days of a month counted from 1 March: the scale the movable feasts use.
int CountFromMarch(int Month, int Day) {
  constexpr int MonthStart[] = {0, 31, 61, 92};  // March .. June
  return MonthStart[Month - 3] + Day;
}

// ISO 8601 week: the week belongs to the year of its Thursday.
int IsoWeek(const QDate& D) {
  const QDate Thursday = D.addDays(4 - D.dayOfWeek());
  return (Thursday.dayOfYear() - 1) / 7 + 1;
}

TDateTime Now() { return host::FromQDateTime(QDateTime::currentDateTime()); }

}  // namespace

// In 64 bits, so no year makes the sums overflow.
void CalcEasterSunday(int Year, int& Day, int& Month) {
  const long long Y = Year;
  const long long K = Y / 100;
  const long long M = 15 + (3 * K + 3) / 4 - (8 * K + 13) / 25;
  const long long S = 2 - (3 * K + 3) / 4;
  const long long A = Y % 19;
  const long long D = (19 * A + M) % 30;
  const long long R = (D + A / 11) / 29;
  const long long OG = 21 + D - R;
  const long long SZ = 7 - (Y + Y / 4 + S) % 7;
  const long long OE = 7 - (OG - SZ) % 7;
  const int OS = int(OG + OE);
  if (OS <= 31) {
    Day = OS;
    Month = 3;
  } else {
    Day = OS - 31;
    Month = 4;
  }
}

// ---- construction ----------------------------------------------------------------

TMiniCal::TMiniCal(QWidget* AOwner) : TCustomGrid(AOwner), FHDayList(new TIntMatrix(this)) {
  SetColCount(8);
  SetRowCount(8);
  SetFixedCols(1);
  SetFixedRows(2);
  SetScrollBars(host::ssNone);
  SetBorderStyle(host::bsSingle);
  SetGridLineWidth(1);
  SetOptions(host::goFixedVertLine | host::goFixedHorzLine | host::goVertLine | host::goHorzLine |
             host::goDrawFocusSelected);
  SetDefaultDrawing(false);
  SetDefaultSize(300, 180);
  UpdateCellSizes();
  FDate = Now();
  int Y, M, D;
  host::DecodeDate(FDate, Y, M, D);
  FSelected = QDate(Y, M, D);
  ResetHolidays();
  UpdateCal();
}

TMiniCal::~TMiniCal() = default;

// ---- the selected date -----------------------------------------------------------

void TMiniCal::SetDate(TDateTime Value) {
  if (!std::isfinite(Value) || Value == FDate) return;
  FDate = Value;
  int Y, M, D;
  host::DecodeDate(Value, Y, M, D);
  FSelected = QDate(Y, M, D);
  UpdateCal();
  Changed();
}

void TMiniCal::SelectDay(int Y, int M, int D) { SetDate(host::EncodeDateChecked(Y, M, D)); }

void TMiniCal::SetYear(int Value) {
  if (Value < 0 || Value == Year()) return;
  SelectDay(Value, Month(), Day());
}

void TMiniCal::SetMonth(int Value) {
  if (Value < 0 || Value > 12 || Value == Month()) return;
  SelectDay(Year(), Value, Day());
}

void TMiniCal::SetDay(int Value) {
  if (Value < 0 || Value > FSelected.daysInMonth() || Value == Day()) return;
  SelectDay(Year(), Month(), Value);
}

// The anchor is the last day of the month going forward and the first going
// back, so a step never skips a short month.
void TMiniCal::MonthStep(int N) {
  const int D0 = Day();
  const QDate Anchor(Year(), Month(), N > 0 ? FSelected.daysInMonth() : 1);
  const QDate Target = Anchor.addDays(N);
  SelectDay(Target.year(), Target.month(), std::min(D0, Target.daysInMonth()));
}

void TMiniCal::PrevYear() {
  if (Month() == 2 && Day() == 29) SetDay(28);
  SetYear(Year() - 1);
}

void TMiniCal::NextYear() {
  if (Month() == 2 && Day() == 29) SetDay(28);
  SetYear(Year() + 1);
}

void TMiniCal::LastDayOfMonth() { SetDay(FSelected.daysInMonth()); }

void TMiniCal::Changed() {
  Notify(this, OnChange, &TMiniCal::changed);
  Q_EMIT dateChanged(FSelected);
}

TMiniCal::TAccessibleLayout TMiniCal::AccessibleLayout() const {
  TAccessibleLayout L;
  L.Cells = {1, 2, 7, 7};
  L.HeaderRow = 1;
  L.HeaderCol = 0;
  return L;
}

// ---- layout and look -------------------------------------------------------------

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek Value) {
  if (Value > dwSun || Value == F1stDayWeek) return;
  F1stDayWeek = Value;
  UpdateCal();
  Changed();
}

void TMiniCal::SetLanguage(TLanguage Value) {
  if (Value == FLanguage) return;
  FLanguage = Value;
  ResetHolidays();
  UpdateCal();
}

TLanguage TMiniCal::NameLanguage() const {
  return FLanguage >= lgEnglish && FLanguage <= MaxLanguage ? FLanguage : lgEnglish;
}

void TMiniCal::SetShowMonthShort(bool On) {
  if (On == FMonthShort) return;
  FMonthShort = On;
  Refresh();
}

void TMiniCal::SetMarkToday(bool On) {
  if (On == FMarkToday) return;
  FMarkToday = On;
  Refresh();
}

void TMiniCal::SetCtl3D(bool On) {
  if (On == FCtl3D) return;
  FCtl3D = On;
  Refresh();
}

void TMiniCal::SetColorField(TColor& Field, TColor Value) {
  if (Value == Field) return;
  Field = Value;
  Refresh();
}

TColor TMiniCal::DayColors(TDayOfWeek Day) const {
  return Day <= dwSun ? FDayColors[Day] : clBlack;
}

void TMiniCal::SetDayColors(TDayOfWeek Day, TColor C) {
  if (Day > dwSun || FDayColors[Day] == C) return;
  FDayColors[Day] = C;
  UpdateCal();
  Changed();
}

// ---- holidays --------------------------------------------------------------------

void TMiniCal::SetIndicateHolidays(bool On) {
  if (On == FIndicateHolid) return;
  FIndicateHolid = On;
  UpdateCal();
  Refresh();
}

void TMiniCal::SetShowMovableHolidays(bool On) {
  if (On == FShowMovHdays) return;
  FShowMovHdays = On;
  UpdateCal();
  Refresh();
}

void TMiniCal::SetShowHolidayHint(bool On) {
  if (On == FShowHDayHint) return;
  FShowHDayHint = On;
  SetHint(QString());
  if (On) FShowHint = true;
  UpdateCal();
  Refresh();
}

int TMiniCal::NumHolidays() const { return FHDayList->NrOfRows(); }

void TMiniCal::AppendHoliday(int Day, int Month, int Year, const QString& Caption) {
  const int Row = FHDayList->NrOfRows() + 1;
  FHDayList->Resize(3, Row);
  FHDayList->SetVal(1, Row, Day);
  FHDayList->SetVal(2, Row, Month);
  FHDayList->SetVal(3, Row, Year);
  FHDayCaptions.append(Caption.left(HolidayCaptionLimit));
}

void TMiniCal::AddHoliday(int Day, int Month, int Year, const QString& Caption) {
  AppendHoliday(Day, Month, Year, Caption);
  UpdateCal();
  Refresh();
}

void TMiniCal::AddRepeatHoliday(int Day, int Month, const QString& Caption) {
  AddHoliday(Day, Month, EveryYear, Caption);
}

void TMiniCal::ClearHolidayList() {
  FHDayList->Resize(3, 0);
  FHDayCaptions.clear();
  UpdateCal();
  Refresh();
}

void TMiniCal::ResetHolidays() {
  FHDayList->Resize(3, 0);
  FHDayCaptions.clear();
  const TLanguage L = NameLanguage();
  for (const TFixedHoliday& H : FixedHolidays)
    AppendHoliday(H.Day, H.Month, EveryYear, QString::fromUtf16(H.Caption[L - 1]));
}

bool TMiniCal::RetrieveHoliday(int Index, int& Day, int& Month, int& Year, bool& Repeating,
                               QString& Caption) const {
  if (Index < 1 || Index > NumHolidays()) return false;
  Day = FHDayList->GetVal(1, Index);
  Month = FHDayList->GetVal(2, Index);
  Year = FHDayList->GetVal(3, Index);
  Repeating = Year == EveryYear;
  Caption = FHDayCaptions.value(Index - 1);
  return true;
}

bool TMiniCal::CheckHoliday(int Year, int Month, int Day, QString& Caption) const {
  Caption.clear();
  for (int Row = 1; Row <= NumHolidays(); ++Row) {
    const int EntryYear = FHDayList->GetVal(3, Row);
    if (FHDayList->GetVal(1, Row) == Day && FHDayList->GetVal(2, Row) == Month &&
        (EntryYear == EveryYear || EntryYear == Year)) {
      Caption = FHDayCaptions.value(Row - 1);
      return true;
    }
  }
  if (!FShowMovHdays || Month < 3 || Month > 6) return false;
  int EasterDay, EasterMonth;
  CalcEasterSunday(Year, EasterDay, EasterMonth);
  const int Offset = CountFromMarch(Month, Day) - CountFromMarch(EasterMonth, EasterDay);
  for (const TMovableHoliday& H : MovableHolidays)
    if (H.Offset == Offset) {
      Caption = QString::fromUtf16(H.Caption[NameLanguage() - 1]);
      return true;
    }
  return false;
}

// ---- recomputing -----------------------------------------------------------------

// The 1st of the month lies in row 2, in the column of its weekday (A = 0 is
// the seventh column).
void TMiniCal::UpdateCal() {
  const QDate First(Year(), Month(), 1);
  const int A = (First.dayOfWeek() - F1stDayWeek + 7) % 7;
  FMonOfs = A == 0 ? -5 : 2 - A;
  FHolidayOfDay.fill(false);
  QString Caption;
  if (FIndicateHolid)
    for (int D = 1; D <= FSelected.daysInMonth(); ++D)
      FHolidayOfDay[size_t(D)] = CheckHoliday(Year(), Month(), D, Caption);
  // The current cell of the grid is the selected day's cell.
  const int Cell = Day() - FMonOfs;
  FocusCell(Cell % 7 + 1, Cell / 7 + 2, true);
  MoveTopLeft(1, 2);  // a control too small for its cells never scrolls them
  if (FShowHDayHint) {
    if (FIndicateHolid) CheckHoliday(Year(), Month(), Day(), Caption);
    else Caption.clear();
    SetHint(Caption);
  }
  Invalidate();
}

// The seven day columns and rows share the room equally; column 0 and row 0
// take what is left. The border keeps its two pixels with or without Ctl3D,
// so the remainder is the same for both looks (a flat border one pixel wide
// would leave three pixels more).
void TMiniCal::UpdateCellSizes() {
  FSizedFor = size();
  const int GL = GridLineWidth();
  constexpr int F = 2;
  const int ColW = std::max(0, (ClientWidth() - 7 * GL) / 8);
  const int RowH = std::max(0, (ClientHeight() - 7 * GL) / 8);
  SetDefaultColWidth(ColW);
  SetDefaultRowHeight(RowH);
  SetColWidths(0, std::max(0, width() + F - 7 * (ColW + GL + 1)));
  SetRowHeights(0, std::max(0, height() + F - 7 * (RowH + GL + 1)));
}

void TMiniCal::Resize() {
  UpdateCellSizes();
  TCustomControl::Resize();
}

// ---- what the cells show ---------------------------------------------------------

int TMiniCal::DayNumber(int ACol, int ARow) const { return 7 * (ARow - 2) + FMonOfs + ACol - 1; }

QDate TMiniCal::CellDate(int ACol, int ARow) const {
  if (ACol < 1 || ACol > 7 || ARow < 2 || ARow > 7) return {};
  return QDate(Year(), Month(), 1).addDays(DayNumber(ACol, ARow) - 1);
}

QString TMiniCal::CellText(int ACol, int ARow) const {
  if (ACol < 0 || ACol > 7 || ARow < 0 || ARow > 7) return {};
  if (ARow == 0) {
    switch (ACol) {
      case 0: return QStringLiteral("#");
      case 1: return QStringLiteral("<<");
      case 2: return QStringLiteral("<");
      case 5: {
        const QString Name = FMonthShort ? MonthShort(NameLanguage(), Month())
                                         : MonthLong(NameLanguage(), Month());
        return (Name + QChar(' ')).left(FMonthShort ? 5 : 11) + QString::number(Year());
      }
      case 6: return QStringLiteral(">");
      case 7: return QStringLiteral(">>");
      default: return {};
    }
  }
  if (ACol == 0) {
    if (ARow == 1) return QStringLiteral("#");
    return QString::number(IsoWeek(QDate(Year(), Month(), 1).addDays(7 * (ARow - 2))));
  }
  if (ARow == 1) return WeekDayShort(NameLanguage(), (F1stDayWeek + ACol - 1) % 7);
  const int N = DayNumber(ACol, ARow);
  const int L = FSelected.daysInMonth();
  if (N < 1) {
    const int PrevLength = Month() == 1 ? 31 : QDate(Year(), Month() - 1, 1).daysInMonth();
    return QString::number(PrevLength + N);
  }
  return QString::number(N > L ? N - L : N);
}

// ---- painting --------------------------------------------------------------------

void TMiniCal::Paint() {
  if (FSizedFor != size()) UpdateCellSizes();
  FPaintToday = QDate::currentDate();
  TCustomGrid::Paint();
}

void TMiniCal::DrawButtonFrame(const TRect& R) {
  TCanvas& C = Canvas();
  C.Pen().SetStyle(host::psSolid);
  const auto Polyline = [&C](TColor Color, int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    C.Pen().SetColor(Color);
    C.MoveTo(X1, Y1);
    C.LineTo(X2, Y2);
    C.LineTo(X3, Y3);
  };
  Polyline(FrameLight, R.Left, R.Bottom - 1, R.Left, R.Top, R.Right, R.Top);
  Polyline(FrameDark, R.Left, R.Bottom, R.Right, R.Bottom, R.Right, R.Top);
  Polyline(FrameShadow, R.Left + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1, R.Right - 1, R.Top);
  Polyline(FrameInnerLight, R.Left + 1, R.Bottom - 2, R.Left + 1, R.Top + 1, R.Right - 1, R.Top + 1);
}

// A cell's background with its text centred: x = Left + (width - text width)
// div 2, likewise y. The picture is kept by text, colours and size, so a
// repaint copies a few hundred known pictures instead of shaping every text.
void TMiniCal::DrawCentred(const TRect& R, const QString& Text, TColor Fg, TColor Bg) {
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  if (W <= 0 || H <= 0) return;
  const TCellKey Key{Text, ColorToRGB(Fg, this), ColorToRGB(Bg, this), W, H};
  auto It = FCellPictures.constFind(Key);
  if (It == FCellPictures.cend()) {
    if (FCellPictures.size() >= MaxCellPictures) FCellPictures.clear();
    QImage Picture(W, H, QImage::Format_RGB32);
    {
      TCanvas C(&Picture, this);
      C.Font().Assign(Canvas().Font());
      C.Font().SetColor(Key.Fg);
      C.Brush().SetColor(Key.Bg);
      C.TextRect(Rect(0, 0, W, H), (W - C.TextWidth(Text)) / 2, (H - C.TextHeight(Text)) / 2, Text);
    }
    It = FCellPictures.insert(Key, Picture);
  }
  Canvas().DrawImage(R, *It, Rect(0, 0, W, H));
}

void TMiniCal::FontChanged() {
  FCellPictures.clear();
  TCustomGrid::FontChanged();
}

// Row 0 is drawn before row 1, and columns from left to right, so the "#"
// cell (drawn with row 1) and the caption (drawn with column 5) cover the
// cells they span after those were drawn.
void TMiniCal::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState) {
  const TColor Text = UseStyle(seFont) ? host::StyleFontColor(host::sfPanelTextNormal, this)
                                       : clBlack;
  TRect R = ARect;
  const bool Button = ARow == 0 || (ACol == 0 && ARow == 1);
  if (Button) {
    if (ACol == 0 && ARow == 0) return;  // the upper half of "#"
    if (ACol == 3 || ACol == 4) return;  // under the caption
    if (ACol == 0) R.Top -= RowHeights(0) + 1;
    if (ACol == 5) R.Left -= 2 * (R.Right - R.Left) + 2;
    DrawCentred(R, CellText(ACol, ARow), Text,
                UseStyle(seBorder) ? host::StyleColor(host::scButtonNormal, this) : clBtnFace);
    if (FCtl3D) DrawButtonFrame(R);
    return;
  }
  if (ARow == 1) {
    DrawCentred(R, CellText(ACol, ARow), FColorDayIdFg, FColorDayIdBg);
    return;
  }
  if (ACol == 0) {
    DrawCentred(R, CellText(ACol, ARow), FColorWknFg, FColorWknBg);
    return;
  }

  const int N = DayNumber(ACol, ARow);
  const bool InMonth = N >= 1 && N <= FSelected.daysInMonth();
  TColor Bg = FDayColors[size_t((ACol + F1stDayWeek - 1) % 7)];
  TColor Fg = InMonth ? FColorActMon : FColorInactMon;
  if (InMonth) {
    const bool Holiday = FIndicateHolid && FHolidayOfDay[size_t(N)];
    if (Holiday) {
      Bg = FColorHdayBg;
      Fg = FColorHdayFg;
    }
    if (N == Day()) {
      Fg = FColorSelFg;
      Bg = Holiday ? MeanColor(FColorSelBg, FColorHdayBg) : FColorSelBg;
    }
  }
  DrawCentred(R, CellText(ACol, ARow), Fg, Bg);
  if (InMonth && FMarkToday && FPaintToday.year() == Year() && FPaintToday.month() == Month() &&
      FPaintToday.day() == N) {
    TCanvas& C = Canvas();
    C.Pen().SetStyle(host::psSolid);
    C.Pen().SetColor(FColorToday);
    C.Brush().SetStyle(host::bsClear);
    C.Ellipse(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    C.Brush().SetStyle(host::bsSolid);
  }
}

// ---- mouse and keyboard ----------------------------------------------------------

void TMiniCal::ClickDay(int ACol, int ARow) {
  const int N = DayNumber(ACol, ARow);
  const int L = FSelected.daysInMonth();
  int Y = Year(), M = Month(), D = N;
  if (FAutoSwitch && N < 1) {
    if (--M < 1) {
      M = 12;
      --Y;
    }
    D = N + (M == 12 ? 31 : QDate(Y, M, 1).daysInMonth());
  } else if (FAutoSwitch && N > L) {
    D = N - L;
    if (++M > 12) {
      M = 1;
      ++Y;
    }
  }
  const int Length = M == 12 ? 31 : QDate(Y, M, 1).daysInMonth();
  if (D >= 1 && D <= Length) SelectDay(Y, M, D);
  UpdateCal();
}

void TMiniCal::ClickButton(int ACol) {
  switch (ACol) {
    case 0: SetDate(Now()); break;
    case 1: PrevYear(); break;
    case 2: PrevMonth(); break;
    case 6: NextMonth(); break;
    case 7: NextYear(); break;
    default: break;
  }
}

// The grid's own cell selection is left out: the current cell follows the
// selected date, and without the matching mouse-up a drag state would stay.
void TMiniCal::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Designing()) return;
  if (FSizedFor != size()) UpdateCellSizes();
  const TGridCoord Hit = MouseCoord(X, Y);
  if (Hit.X < 0 || Hit.Y < 0 || X >= GridWidth() || Y >= GridHeight()) return;
  try {
    if (Hit.X >= 1 && Hit.Y >= 2) ClickDay(Hit.X, Hit.Y);
    else if (Hit.Y == 0 || (Hit.X == 0 && Hit.Y == 1)) ClickButton(Hit.X);
  } catch (...) {
    host::Application()->HandleException(this, std::current_exception());
  }
}

void TMiniCal::MouseUp(TMouseButton, TShiftState, int, int) {}

// Keys and the wheel stop quietly at the ends of the calendar (1 January 1,
// 31 December 9999), as QCalendarWidget stops at its maximum date.
void TMiniCal::Navigate(const std::function<void()>& Step) {
  try {
    Step();
  } catch (const host::EConvertError&) {
  } catch (...) {
    host::Application()->HandleException(this, std::current_exception());
  }
}

void TMiniCal::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool Ctrl = Shift & ssCtrl;
  const auto Go = [this](int Days) {
    Navigate([this, Days] {
      const QDate D = FSelected.addDays(Days);
      SelectDay(D.year(), D.month(), D.day());
    });
  };
  switch (Key) {
    case VK_LEFT: Go(-1); break;
    case VK_RIGHT: Go(1); break;
    case VK_UP: Go(-7); break;
    case VK_DOWN: Go(7); break;
    case VK_HOME: Navigate([this] { SetDay(1); }); break;
    case VK_END: Navigate([this] { LastDayOfMonth(); }); break;
    case VK_PRIOR: Navigate([this, Ctrl] { Ctrl ? PrevYear() : PrevMonth(); }); break;
    case VK_NEXT: Navigate([this, Ctrl] { Ctrl ? NextYear() : NextMonth(); }); break;
    default: return;
  }
  Key = 0;
}

// The wheel turns the months, as over QCalendarWidget's day table.
bool TMiniCal::DoMouseWheelDown(TShiftState Shift, QPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Handled);
  if (!Handled) Navigate([this] { NextMonth(); });
  return true;
}

bool TMiniCal::DoMouseWheelUp(TShiftState Shift, QPoint MousePos) {
  bool Handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Handled);
  if (!Handled) Navigate([this] { PrevMonth(); });
  return true;
}

bool TMiniCal::event(QEvent* Event) {
  if (Event->type() == QEvent::ToolTip && !FShowHint) {
    Event->ignore();
    return true;
  }
  return TCustomGrid::event(Event);
}

QSize TMiniCal::minimumSizeHint() const {
  const QFontMetrics M(font());
  return sizeHint().boundedTo(
      QSize(8 * (M.horizontalAdvance(QStringLiteral("<<")) + 8), 8 * (M.height() + 2)));
}

}  // namespace qor
