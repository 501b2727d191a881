#include "host/qor_forms.h"

#include <QKeyEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "host/qor_app.h"
#include "host/qor_color.h"

namespace qor::host {

namespace {

bool IsTokenLetter(QChar C) {
  switch (C.unicode()) {
    case u'y': case u'M': case u'd': case u'H': case u'h': case u'm': case u's': case u't':
      return true;
    default:
      return false;
  }
}

// Literal text in Qt's display-format syntax: letters quoted, quotes doubled.
QString QtLiteral(const QString& Text) {
  QString Out;
  bool Quoted = false;
  for (const QChar C : Text) {
    const bool Letter = C.isLetter();
    if (Letter != Quoted && C != u'\'') {
      Out += u'\'';
      Quoted = Letter;
    }
    if (C == u'\'') {
      if (Quoted) {
        Out += u'\'';
        Quoted = false;
      }
      Out += QStringLiteral("''");
    } else {
      Out += C;
    }
  }
  if (Quoted) Out += u'\'';
  return Out;
}

// The picker's format as a QDateTimeEdit display format.
QString QtDisplayFormat(QString Format) {
  QString Out;
  while (!Format.isEmpty()) {
    const TDateTimeElement E = TakeDateTimeElement(Format);
    if (E.Literal) {
      Out += QtLiteral(E.Text);
      continue;
    }
    const QChar L = E.Text[0];
    const auto N = E.Text.size();
    const bool Known = (L == u'y' && (N == 2 || N == 4)) || ((L == u'M' || L == u'd') && N <= 4) ||
                       ((L == u'H' || L == u'h' || L == u'm' || L == u's' || L == u't') && N <= 2);
    if (!Known) Out += QtLiteral(E.Text);
    else if (L == u't') Out += N == 1 ? QStringLiteral("A") : QStringLiteral("AP");
    else Out += E.Text;
  }
  return Out;
}

}  // namespace

void ApplyInputColors(QWidget* W, TColor Background, const TFont& Font) {
  W->setFont(Font.ToQFont());
  QPalette P = W->palette();
  const QColor Bkgd = ToQColor(Background, W);
  const QColor Text = ToQColor(Font.Color(), W);
  P.setColor(QPalette::Base, Bkgd);
  P.setColor(QPalette::Button, Bkgd);
  P.setColor(QPalette::Text, Text);
  P.setColor(QPalette::ButtonText, Text);
  P.setColor(QPalette::WindowText, Text);
  W->setPalette(P);
}

QKeyEvent* KeyPressFirst(QObject* Sender, const TKeyPressEvent& Handler, QKeyEvent* E,
                         std::optional<QKeyEvent>& Replaced) {
  const QString Typed = E->text();
  if (!Handler || Typed.size() != 1 || Typed.at(0).isNull()) return E;
  QChar C = Typed.at(0);
  try {
    Handler(Sender, C);
  } catch (...) {
    Application()->HandleException(Sender, std::current_exception());
    return nullptr;
  }
  if (C.isNull()) return nullptr;
  if (C == Typed.at(0)) return E;
  Replaced.emplace(E->type(), E->key(), E->modifiers(), QString(C), E->isAutoRepeat(),
                   ushort(E->count()));
  return &*Replaced;
}

// ---- TForm -----------------------------------------------------------------------

TForm::TForm(QWidget* AOwner) : QDialog(AOwner) {}

void TForm::SetBounds(int Left, int Top, int Width, int Height) {
  move(Left, Top);
  Width = std::max(0, Width);
  Height = std::max(0, Height);
  if (FBorderStyle == bsDialog || FBorderStyle == bsSingle) setFixedSize(Width, Height);
  else resize(Width, Height);
}

void TForm::SetBorderStyle(TFormBorderStyle Style) {
  if (!qor::Change(FBorderStyle, Style)) return;
  const bool Fixed = Style == bsDialog || Style == bsSingle || Style == bsToolWindow;
  if (Fixed) {
    setFixedSize(size());
  } else {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  setSizeGripEnabled(!Fixed);
  Qt::WindowFlags F = windowFlags() & ~(Qt::WindowType_Mask | Qt::FramelessWindowHint);
  F |= Style == bsToolWindow || Style == bsSizeToolWin ? Qt::Tool : Qt::Dialog;
  if (Style == bsNone) F |= Qt::FramelessWindowHint;
  setWindowFlags(F);
}

int TForm::TextWidth(const QString& Text) const { return fontMetrics().horizontalAdvance(Text); }

void TForm::SetModalResult(int Result) {
  FModalResult = Result;
  if (Result != mrNone && isVisible()) done(Result);
}

int TForm::ShowModal() {
  FModalResult = mrNone;
  FModalResult = exec();
  return FModalResult;
}

void TForm::reject() { SetModalResult(mrCancel); }

// ---- TComboBox -------------------------------------------------------------------

TComboBox::TComboBox(QWidget* AOwner) : TFormInput(AOwner) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(8);
  connect(this, &QComboBox::currentTextChanged, this, [this] {
    if (OnChange) OnChange(this);
  });
}

void TComboBox::SetStyle(TComboBoxStyle Style) {
  if (!qor::Change(FStyle, Style)) return;
  const QString Current = Text();
  setEditable(Style != csDropDownList);
  SetText(Current);
}

QStringList TComboBox::Items() const {
  QStringList L;
  for (int I = 0; I < count(); ++I) L << itemText(I);
  return L;
}

void TComboBox::SetItems(const QStringList& Items) {
  const QString Current = Text();
  clear();
  addItems(Items);
  SetText(Current);
}

void TComboBox::SetItemIndex(int Index) { setCurrentIndex(Index >= 0 && Index < count() ? Index : -1); }

void TComboBox::SetText(const QString& Text) {
  if (FStyle == csDropDownList) setCurrentIndex(findText(Text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  else setEditText(Text);
}

// ---- TDateTimePicker -------------------------------------------------------------

TDateTimePicker::TDateTimePicker(QWidget* AOwner) : TFormInput(AOwner) {
  // Names are English, as the format's readers expect, and the clock is free
  // of daylight-saving gaps.
  setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  setTimeSpec(Qt::UTC);
  setDateTimeRange(QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC),
                   QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC));
  setCalendarPopup(true);
  SetFormat(QString());
}

void TDateTimePicker::SetFormat(const QString& Format) {
  FFormat = Format;
  setDisplayFormat(Format.isEmpty() ? locale().dateFormat(QLocale::ShortFormat)
                                    : QtDisplayFormat(Format));
}

TDateTime TDateTimePicker::DateTime() const {
  return FromQDateTime(dateTime());
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  const QDateTime V = ToQDateTime(Value);
  setDateTime(QDateTime(V.date(), V.time(), Qt::UTC));
}

// ---- date/time tokens ------------------------------------------------------------

const QStringList& EnglishMonthNames() {
  static const QStringList Names{"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
  return Names;
}

const QStringList& EnglishDayNames() {
  static const QStringList Names{"Monday", "Tuesday", "Wednesday", "Thursday",
                                 "Friday", "Saturday", "Sunday"};
  return Names;
}

TDateTimeElement TakeDateTimeElement(QString& Format) {
  TDateTimeElement E;
  if (Format.isEmpty()) return E;
  qsizetype I = 0;
  if (Format[0] == u'\'') {
    // '...' with '' standing for one quote; an open quote runs to the end.
    for (I = 1; I < Format.size(); ++I) {
      if (Format[I] != u'\'') {
        E.Text += Format[I];
      } else if (I + 1 < Format.size() && Format[I + 1] == u'\'') {
        E.Text += u'\'';
        ++I;
      } else {
        ++I;
        break;
      }
    }
  } else if (IsTokenLetter(Format[0])) {
    while (I < Format.size() && Format[I] == Format[0]) ++I;
    E.Text = Format.left(I);
    E.Literal = false;
  } else {
    while (I < Format.size() && !IsTokenLetter(Format[I]) && Format[I] != u'\'') ++I;
    E.Text = Format.left(I);
  }
  Format.remove(0, I);
  return E;
}

QString FormatDateTimeTokens(const QString& Format, TDateTime Value) {
  int Y, Mo, D, H, Mi, S, Ms;
  DecodeDate(Value, Y, Mo, D);
  DecodeTime(Value, H, Mi, S, Ms);
  const auto Num = [](int V, int Width) { return QString::number(V).rightJustified(Width, u'0'); };
  std::vector<TDateTimeElement> Elements;
  for (QString Rest = Format; !Rest.isEmpty();) Elements.push_back(TakeDateTimeElement(Rest));
  // h and hh count on the 12-hour clock only beside an am/pm field (so that
  // what is written reads back to the same time).
  const bool Clock12 = std::any_of(Elements.begin(), Elements.end(), [](const TDateTimeElement& E) {
    return !E.Literal && E.Text[0] == u't' && E.Text.size() <= 2;
  });
  const int H12 = !Clock12 ? H : H % 12 == 0 ? 12 : H % 12;
  const bool Am = H < 12;
  QString Out;
  for (const TDateTimeElement& E : Elements) {
    const QString& T = E.Text;
    if (E.Literal) {
      Out += T;
      continue;
    }
    const auto N = T.size();
    QString Field;
    switch (T[0].unicode()) {
      case u'y':
        if (N == 4) Field = Num(Y, 4);
        else if (N == 2) Field = Num(((Y % 100) + 100) % 100, 2);
        break;
      case u'M':
        if (N == 4) Field = EnglishMonthNames()[Mo - 1];
        else if (N == 3) Field = EnglishMonthNames()[Mo - 1].left(3);
        else if (N <= 2) Field = Num(Mo, int(N));
        break;
      case u'd':
        if (N >= 3 && N <= 4) {
          const int Dow = (DayOfWeek(Value) + 5) % 7;  // Monday = 0
          Field = N == 4 ? EnglishDayNames()[Dow] : EnglishDayNames()[Dow].left(3);
        } else if (N <= 2) {
          Field = Num(D, int(N));
        }
        break;
      case u'H': if (N <= 2) Field = Num(H, int(N)); break;
      case u'h': if (N <= 2) Field = Num(H12, int(N)); break;
      case u'm': if (N <= 2) Field = Num(Mi, int(N)); break;
      case u's': if (N <= 2) Field = Num(S, int(N)); break;
      case u't':
        if (N == 1) Field = Am ? QStringLiteral("A") : QStringLiteral("P");
        else if (N == 2) Field = Am ? QStringLiteral("AM") : QStringLiteral("PM");
        break;
      default: break;
    }
    Out += Field.isNull() ? T : Field;
  }
  return Out;
}

}  // namespace qor::host
