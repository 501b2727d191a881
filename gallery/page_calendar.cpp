// Gallery page "Calendar": the mini calendar in its four languages, a week
// that starts on Sunday, built-in, movable and application holidays, and
// custom day colours. A line under the first calendar follows its date.
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "calendar/qor_minical.h"
#include "gallery/gallery.h"

namespace {

using namespace qor;

TMiniCal* Calendar(TLanguage Language, int Y, int M, int D) {
  auto* C = new TMiniCal;
  C->SetLanguage(Language);
  C->SetDate(host::EncodeDate(Y, M, D));
  return C;
}

QWidget* English() {
  auto* Box = new QWidget;
  auto* Layout = new QVBoxLayout(Box);
  TMiniCal* C = Calendar(lgEnglish, 2025, 4, 20);
  auto* Line = new QLabel;
  const auto Show = [C, Line](TObject*) {
    QString Holiday;
    C->CheckHoliday(C->Year(), C->Month(), C->Day(), Holiday);
    Line->setText(QStringLiteral("%1-%2-%3  %4")
                      .arg(C->Year())
                      .arg(C->Month(), 2, 10, QChar('0'))
                      .arg(C->Day(), 2, 10, QChar('0'))
                      .arg(Holiday));
  };
  C->OnChange = Show;
  Show(C);
  Layout->addWidget(C);
  Layout->addWidget(Line);
  return gallery::Captioned(QStringLiteral("English: Easter 2025 and its Monday"), Box);
}

QWidget* German() {
  TMiniCal* C = Calendar(lgGerman, 2025, 6, 9);
  C->SetShowMonthShort(false);
  return gallery::Captioned(QStringLiteral("German, long month name: Pentecost"), C);
}

QWidget* FrenchSunday() {
  TMiniCal* C = Calendar(lgFrench, 2024, 12, 25);
  C->SetFirstDayOfWeek(dwSun);
  return gallery::Captioned(QStringLiteral("French, week from Sunday: Christmas selected"), C);
}

QWidget* SpanishOwnHolidays() {
  TMiniCal* C = Calendar(lgSpanish, 2025, 3, 10);
  C->AddRepeatHoliday(19, 3, QString::fromUtf8("San José"));
  C->AddHoliday(14, 3, 2025, QStringLiteral("Inventario"));
  return gallery::Captioned(QStringLiteral("Spanish with the application's holidays"), C);
}

QWidget* CustomColours() {
  TMiniCal* C = Calendar(lgEnglish, 2025, 5, 1);
  const TColor Work = 0xFFF4E8, Weekend = 0xD8F0D8;
  for (int D = dwMon; D <= dwFri; ++D) C->SetDayColors(TDayOfWeek(D), Work);
  C->SetDayColors(dwSat, Weekend);
  C->SetDayColors(dwSun, Weekend);
  C->SetColorDayIdBg(0x704020);
  C->SetColorDayIdFg(clWhite);
  C->SetColorWeekNoBg(0xE0E0E0);
  C->SetColorWeekNoFg(0x806040);
  C->SetColorSelectedBg(0x2080F0);
  C->SetColorHolidayBg(0xC0C0FF);
  C->SetColorHolidayFg(0x000080);
  C->SetColorInactiveMonth(0xB0B0B0);
  return gallery::Captioned(QStringLiteral("Custom day colours, Labour Day selected"), C);
}

QWidget* Flat() {
  TMiniCal* C = Calendar(lgEnglish, 2026, 2, 14);
  C->SetCtl3D(false);
  C->SetIndicateHolidays(false);
  C->SetFirstDayOfWeek(dwSun);
  return gallery::Captioned(QStringLiteral("Flat buttons, no holidays, from Sunday"), C);
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QGridLayout(Page);
  Layout->addWidget(English(), 0, 0, Qt::AlignTop);
  Layout->addWidget(German(), 0, 1, Qt::AlignTop);
  Layout->addWidget(FrenchSunday(), 0, 2, Qt::AlignTop);
  Layout->addWidget(SpanishOwnHolidays(), 1, 0, Qt::AlignTop);
  Layout->addWidget(CustomColours(), 1, 1, Qt::AlignTop);
  Layout->addWidget(Flat(), 1, 2, Qt::AlignTop);
  return Page;
}

const bool Registered =
    gallery::RegisterPage({QStringLiteral("Calendar"), QStringLiteral("calendar"), 80, MakePage});

}  // namespace
