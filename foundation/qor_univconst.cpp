#include "foundation/qor_univconst.h"

namespace qor {

namespace {

// Row 0 of each table is the unused language 0.
constexpr const char16_t* MonthLongTable[MaxLanguage + 1][12] = {
    {},
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August",
     u"September", u"October", u"November", u"December"},
    {u"Januar", u"Februar", u"M\u00e4rz", u"April", u"Mai", u"Juni", u"Juli", u"August",
     u"September", u"Oktober", u"November", u"Dezember"},
    {u"Janvier", u"F\u00e9vrier", u"Mars", u"Avril", u"Mai", u"Juin", u"Juillet", u"Ao\u00fbt",
     u"Septembre", u"Octobre", u"Novembre", u"D\u00e9cembre"},
    {u"Enero", u"Febrero", u"Marzo", u"Abril", u"Mayo", u"Junio", u"Julio", u"Agosto",
     u"Septiembre", u"Octubre", u"Noviembre", u"Diciembre"},
};

constexpr const char16_t* MonthShortTable[MaxLanguage + 1][12] = {
    {},
    {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov",
     u"Dec"},
    {u"Jan", u"Feb", u"M\u00e4r", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt",
     u"Nov", u"Dez"},
    {u"Janv", u"F\u00e9vr", u"Mars", u"Avr", u"Mai", u"Juin", u"Juil", u"Ao\u00fbt", u"Sept",
     u"Oct", u"Nov", u"D\u00e9c"},
    {u"Ene", u"Feb", u"Mar", u"Abr", u"May", u"Jun", u"Jul", u"Ago", u"Sep", u"Oct", u"Nov",
     u"Dic"},
};

constexpr const char16_t* WeekDayShortTable[MaxLanguage + 1][7] = {
    {},
    {u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa", u"Su"},
    {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"},
    {u"Lu", u"Ma", u"Me", u"Je", u"Ve", u"Sa", u"Di"},
    {u"Lu", u"Ma", u"Mi", u"Ju", u"Vi", u"S\u00e1", u"Do"},
};

bool ValidLanguage(TLanguage Language) { return Language >= lgEnglish && Language <= MaxLanguage; }

}  // namespace

QString MonthLong(TLanguage Language, int Month) {
  if (!ValidLanguage(Language) || Month < 1 || Month > 12) return {};
  return QString::fromUtf16(MonthLongTable[Language][Month - 1]);
}

QString MonthShort(TLanguage Language, int Month) {
  if (!ValidLanguage(Language) || Month < 1 || Month > 12) return {};
  return QString::fromUtf16(MonthShortTable[Language][Month - 1]);
}

QString WeekDayShort(TLanguage Language, int Day) {
  if (!ValidLanguage(Language) || Day < 0 || Day > 6) return {};
  return QString::fromUtf16(WeekDayShortTable[Language][Day]);
}

}  // namespace qor
