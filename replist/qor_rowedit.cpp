#include "replist/qor_rowedit.h"

#include <QDate>
#include <algorithm>
#include <vector>

#include "foundation/qor_stringl.h"
#include "host/qor_forms.h"
#include "numio/qor_numio.h"
#include "replist/qor_replist.h"
#include "replist/qor_rlprivate_p.h"

namespace qor {

namespace {

constexpr int DefaultControlWidth = 200;
constexpr int LineHeight = 25;
constexpr int ButtonBarHeight = 45;
constexpr int BottomMargin = 38;
// Years written with two digits lie in the 100 years from this many years
// before the current one.
constexpr int TwoDigitYearCenturyWindow = 50;
constexpr char DefaultDateFormat[] = "yyyy-MM-dd";

// Text between the first Open and the first Close of S (empty when Close
// comes first or is missing).
QString Between(const QString& S, QChar Open, QChar Close) {
  const qsizetype From = S.indexOf(Open) + 1;
  const qsizetype To = S.indexOf(Close);
  return To > From ? S.mid(From, To - From) : QString();
}

// S after its first C (all of S when there is none).
QString After(const QString& S, QChar C) { return S.mid(S.indexOf(C) + 1); }

}  // namespace

// ---- column format ------------------------------------------------------------

int TColumnFormat::DropDownCount() const {
  const qsizetype Colon = Type.indexOf(u':');
  return Colon < 0 ? 0 : rl::ReadFormatInteger(QStringView(Type).mid(Colon + 1));
}

QStringList TColumnFormat::Items() const {
  if (DefaultPart.isEmpty()) return {};
  QStringList L = DefaultPart.split(u'|');
  // The final "|" may be left out.
  if (DefaultPart.endsWith(u'|')) L.removeLast();
  return L;
}

TColumnFormat ReadColumnFormat(const QString& Format) {
  TColumnFormat F;
  if (Format.indexOf(u'[') < 0 || Format.indexOf(u']') < 0) {
    F.Type = QStringLiteral("s");
    F.DefaultPart = Format;
    return F;
  }
  F.Type = Between(Format, u'[', u']');
  if (F.Type.startsWith(u'#')) {
    F.ReadOnly = true;
    F.Type.remove(0, 1);
  }
  const QString Rest = After(Format, u']');
  const int Width = rl::ReadFormatInteger(Between(Rest, u'[', u']'));
  F.Width = Width < 1 ? DefaultControlWidth : Width;
  F.DefaultPart = After(Rest, u']');
  return F;
}

// ---- date/time reader ------------------------------------------------------------

namespace {

struct TDateFields {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool Clock12 = false;
  bool BeforeNoon = true;
};

class TDateReader {
 public:
  explicit TDateReader(const QString& Text) : FText(Text) {}

  // Reads one token run; returns the error code.
  int Token(const QString& Run, TDateFields& F) {
    const auto N = Run.size();
    switch (Run[0].unicode()) {
      case u'y':
        if (N == 4) return Fixed(4, F.Year);
        if (N != 2) return drBadToken;
        if (const int E = Fixed(2, F.Year)) return E;
        F.Year = TwoDigitYear(F.Year);
        return drOK;
      case u'M':
        if (N == 4) return Name(EnglishNames(true), false, F.Month);
        if (N == 3) return Name(EnglishNames(true), true, F.Month);
        return Number(N, F.Month);
      case u'd': {
        int Weekday = 0;
        if (N == 4) return Name(EnglishNames(false), false, Weekday);
        if (N == 3) return Name(EnglishNames(false), true, Weekday);
        return Number(N, F.Day);
      }
      case u'H': return Number(N, F.Hour, 2);
      case u'h':
        F.Clock12 = true;
        return Number(N, F.Hour, 2);
      case u'm': return Number(N, F.Minute, 2);
      case u's': return Number(N, F.Second, 2);
      case u't': {
        if (N > 2) return drBadToken;
        if (FText.size() < N) return drBadField;
        const QString Marker = FText.left(N).toLower();
        F.BeforeNoon = Marker == (N == 1 ? QStringLiteral("a") : QStringLiteral("am"));
        FText.remove(0, N);
        return drOK;
      }
      default: return drBadToken;
    }
  }

  int Literal(const QString& L) {
    if (!FText.startsWith(L)) return drLiteralMismatch;
    FText.remove(0, L.size());
    return drOK;
  }

 private:
  static const QStringList& EnglishNames(bool Months) {
    return Months ? host::EnglishMonthNames() : host::EnglishDayNames();
  }

  static int TwoDigitYear(int YY) {
    const int Base = QDate::currentDate().year() - TwoDigitYearCenturyWindow;
    int Year = Base / 100 * 100 + YY;
    if (TwoDigitYearCenturyWindow != 0 && Year < Base) Year += 100;
    return Year;
  }

  // Width characters, all decimal digits.
  int Fixed(qsizetype Width, int& Value) {
    if (FText.size() < Width) return drBadField;
    int V = 0;
    for (qsizetype I = 0; I < Width; ++I) {
      const QChar C = FText[I];
      if (C < u'0' || C > u'9') return drBadField;
      V = V * 10 + (C.unicode() - u'0');
    }
    Value = V;
    FText.remove(0, Width);
    return drOK;
  }

  // One letter: an integer by the format rule; two: a fixed field.
  int Number(qsizetype Letters, int& Value, qsizetype MaxLetters = 2) {
    if (Letters > MaxLetters) return drBadToken;
    if (Letters == 2) return Fixed(2, Value);
    qsizetype Used = 0;
    Value = rl::ReadFormatInteger(FText, &Used);
    FText.remove(0, Used);
    return drOK;
  }

  // A full name, or its first three letters, at the start of the text (any case).
  int Name(const QStringList& Names, bool Abbreviated, int& Index) {
    for (qsizetype I = 0; I < Names.size(); ++I) {
      const QString Wanted = Abbreviated ? Names[I].left(3) : Names[I];
      if (FText.startsWith(Wanted, Qt::CaseInsensitive)) {
        Index = int(I + 1);
        FText.remove(0, Wanted.size());
        return drOK;
      }
    }
    return drBadField;
  }

  QString FText;
};

[[noreturn]] void ThrowUnencodable(const TDateFields& F) {
  throw EQORRepListError(
      QStringLiteral("%1-%2-%3 %4:%5:%6 is not a valid date and time")
          .arg(F.Year)
          .arg(F.Month)
          .arg(F.Day)
          .arg(F.Hour)
          .arg(F.Minute)
          .arg(F.Second));
}

}  // namespace

TDateTime ReadDateTimeText(const QString& Text, const QString& Format, int& Error) {
  TDateReader Reader(Text);
  TDateFields F;
  Error = drOK;
  for (QString Rest = Format; !Rest.isEmpty() && Error == drOK;) {
    const host::TDateTimeElement E = host::TakeDateTimeElement(Rest);
    Error = E.Literal ? Reader.Literal(E.Text) : Reader.Token(E.Text, F);
  }
  if (Error != drOK) return 0;
  if (F.Clock12) {
    if (F.BeforeNoon && F.Hour == 12) F.Hour = 0;
    else if (!F.BeforeNoon && F.Hour != 12) F.Hour += 12;
  }
  const QTime Time(F.Hour, F.Minute, F.Second);
  if (!Time.isValid()) ThrowUnencodable(F);
  if (F.Year == 0 && F.Month == 0 && F.Day == 0)
    return host::EncodeTime(F.Hour, F.Minute, F.Second, 0);
  const QDate Date(F.Year, F.Month, F.Day);
  if (F.Year < 1 || F.Year > 9999 || !Date.isValid()) ThrowUnencodable(F);
  return host::FromQDateTime(QDateTime(Date, Time));
}

// ---- the dialog ------------------------------------------------------------------

namespace {

QString ControlName(const char* Prefix, int Col) {
  return QString::fromLatin1(Prefix) + QString::number(Col);
}

bool IsInputControlName(const QString& Name) {
  for (const char* P : {RowEditEditName, RowEditComboName, RowEditDatePickName, RowEditNumIOName})
    if (Name.contains(QLatin1String(P))) return true;
  return false;
}

// Text of a numeric or edit-box column: the cell, else the default part
// with its row number or password filled in.
QString InitialText(const TColumnFormat& F, const QString& Cell, int Row) {
  if (!Cell.isEmpty()) return Cell;
  const QString Lower = F.DefaultPart.toLower();
  if (F.Letter() == u's') {
    if (!Lower.contains(QStringLiteral("$pwd$"))) return F.DefaultPart;
    return InventPassword(std::clamp(rl::ReadFormatInteger(QStringView(F.DefaultPart).mid(5)), 0,
                                     MaxShortString));
  }
  if (!Lower.contains(QStringLiteral("rix"))) return F.DefaultPart;
  return rl::RowIndexText(F.Letter(), Row, rl::ReadFormatInteger(QStringView(F.DefaultPart).mid(3)));
}

TInFormat NumericFormat(QChar Letter) {
  switch (Letter.unicode()) {
    case u'e': return itDynamic;
    case u'f': return itFloat;
    case u'h': return itHex;
    default: return itInt;
  }
}

// The value a control of the row editor holds, as cell text.
QString ControlValue(QObject* C) {
  if (auto* E = qobject_cast<host::TCustomEdit*>(C)) return E->Text();
  if (auto* B = qobject_cast<TComboBox*>(C)) return B->Text();
  if (auto* P = qobject_cast<TDateTimePicker*>(C))
    return host::FormatDateTimeTokens(P->Format(), P->DateTime());
  return {};
}

// Calls Fn with C as the row-editor control class it is.
template <class TFn>
void WithControl(QObject* C, TFn&& Fn) {
  if (auto* E = qobject_cast<host::TCustomEdit*>(C)) Fn(E);
  else if (auto* B = qobject_cast<TComboBox*>(C)) Fn(B);
  else if (auto* P = qobject_cast<TDateTimePicker*>(C)) Fn(P);
}

}  // namespace

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop) {
  return EditRowEntriesIntern(Row, nullptr, PosLeft, PosTop,
                              QStringLiteral("Editing Row ") + QString::number(Row),
                              QStringLiteral("OK"), QStringLiteral("Cancel"));
}

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop, const QString& FormCaption,
                                    const QString& ButOKCaption, const QString& ButCancelCaption) {
  return EditRowEntriesIntern(Row, nullptr, PosLeft, PosTop, FormCaption, ButOKCaption,
                              ButCancelCaption);
}

int TReportListView::EditRowEntries(int Row, TForm* ContainerForm, int PosLeft, int PosTop) {
  return EditRowEntriesIntern(Row, ContainerForm, PosLeft, PosTop, QString(), QString(), QString());
}

void TReportListView::EdRowOKClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrOK);
}

void TReportListView::EdRowCancelClick(TObject*) {
  if (FContainerForm) FContainerForm->SetModalResult(mrCancel);
}

void TReportListView::EdRowKeyPress(TObject*, QChar& Key) {
  if (Key == QChar(13) && FContainerForm) FContainerForm->SetModalResult(mrOK);
}

int TReportListView::EditRowEntriesIntern(int Row, TForm* ContainerForm, int PosLeft, int PosTop,
                                          const QString& FormCaption, const QString& ButOKCaption,
                                          const QString& ButCancelCaption) {
  // The dialog shows and writes the cells as they are: an open in-place edit
  // is finished first.
  HideEditor();
  std::unique_ptr<TForm> OwnForm;
  TForm* Form = ContainerForm;
  int OffX = PosLeft, OffY = PosTop, TopMargin = 0;
  if (!Form) {
    OwnForm = std::make_unique<TForm>(this);
    Form = OwnForm.get();
    OffX = OffY = 0;
    TopMargin = ButtonBarHeight;
  }
  FContainerForm = Form;
  // Whatever happens, the form loses every control added here, and an own form is freed.
  struct TCleanUp {
    TReportListView& View;
    TForm* Form;
    ~TCleanUp() {
      const QObjectList Children = Form->children();
      for (auto It = Children.rbegin(); It != Children.rend(); ++It)
        if ((*It)->objectName().contains(QLatin1String(RowEditNamePrefix))) delete *It;
      View.FContainerForm = nullptr;
    }
  } CleanUp{*this, Form};

  const int NCols = NrOfColumns();
  int LW = 0;
  for (int C = 1; C <= NCols; ++C) LW = std::max(LW, Form->TextWidth(Header(C)));
  LW += 8;
  int W = 0;
  for (int C = 1; C <= NCols; ++C) {
    const int Y = TopMargin + (C - 1) * LineHeight + OffY;
    QString Format = ColumnFormat(C);
    if (OnRequestEditFormat) OnRequestEditFormat(this, C, Row, Format);
    const TColumnFormat F = ReadColumnFormat(Format);
    W = std::max(W, F.Width);

    auto* L = new TLabel(Form);
    L->SetName(ControlName(RowEditLabelName, C));
    L->SetAutoSize(false);
    L->SetAlignment(taRightJustify);
    L->SetCaption(Header(C) + u':');
    L->SetBounds(OffX + 8, Y + 3, LW, Form->fontMetrics().height() + 2);

    const int X = LW + OffX + 12;
    const QString Cell = GetElem(C, Row);
    QWidget* Input = nullptr;
    switch (F.Letter().unicode()) {
      case u'c':
      case u'l': {
        auto* B = new TComboBox(Form);
        B->SetName(ControlName(RowEditComboName, C));
        B->SetStyle(F.Letter() == u'c' ? csDropDown : csDropDownList);
        B->SetItems(F.Items());
        if (F.Type.contains(u':')) B->SetDropDownCount(F.DropDownCount());
        B->SetText(Cell);
        Input = B;
        break;
      }
      case u'd': {
        auto* P = new TDateTimePicker(Form);
        P->SetName(ControlName(RowEditDatePickName, C));
        // A type without a format would read every cell as day zero and
        // write nothing back: it reads and writes ISO dates instead.
        const QString DateFormat = F.Type.size() > 1 ? F.Type.mid(1) : QString::fromLatin1(DefaultDateFormat);
        const QString Source = !Cell.isEmpty() ? Cell : F.DefaultPart;
        if (!Source.isEmpty()) {
          int Error = drOK;
          try {
            P->SetDateTime(ReadDateTimeText(Source, DateFormat, Error));
          } catch (const EQORRepListError& E) {
            throw EQORRepListError(ComponentMessage(
                this, QStringLiteral("TReportListView.EditRowEntries, column %1: %2")
                          .arg(C)
                          .arg(QString::fromUtf8(E.what()))));
          }
        }
        P->SetFormat(DateFormat);
        Input = P;
        break;
      }
      case u'e':
      case u'f':
      case u'h':
      case u'i': {
        auto* N = new TNumIO(Form);
        N->SetName(ControlName(RowEditNumIOName, C));
        N->SetInputFormat(NumericFormat(F.Letter()));
        N->SetRangeLow(-1.7e308);
        N->SetRangeHigh(1.7e308);
        N->SetText(InitialText(F, Cell, Row));
        Input = N;
        break;
      }
      case u's': {
        auto* E = new TEdit(Form);
        E->SetName(ControlName(RowEditEditName, C));
        E->SetText(InitialText(F, Cell, Row));
        Input = E;
        break;
      }
      default: break;  // only the label
    }
    if (!Input) continue;
    Input->setGeometry(X, Y, F.Width, Input->sizeHint().height());
    WithControl(Input, [&](auto* Ctl) {
      Ctl->SetTag(C);
      if (F.ReadOnly) {
        Ctl->SetEnabled(false);
        Ctl->SetColor(0xE0E0E0);
        Ctl->Font().SetColor(0x808080);
      } else {
        Ctl->OnKeyPress = [this](TObject* S, QChar& K) { EdRowKeyPress(S, K); };
      }
    });
  }

  const int FormWidth = W + LW + 28;
  if (OwnForm) {
    Form->SetBorderStyle(host::bsDialog);
    Form->SetBounds(PosLeft, PosTop, FormWidth, NCols * LineHeight + ButtonBarHeight + BottomMargin);
    auto* Cancel = new TSpeedButton(Form);
    Cancel->SetName(QStringLiteral("SBERCancel"));
    Cancel->SetCaption(ButCancelCaption);
    Cancel->SetBounds(W + LW - 69, 4, 81, 29);
    Cancel->OnClick = [this](TObject* S) { EdRowCancelClick(S); };
    auto* OK = new TSpeedButton(Form);
    OK->SetName(QStringLiteral("SBEROK"));
    OK->SetCaption(ButOKCaption);
    OK->SetBounds(W + LW - 154, 4, 81, 29);
    OK->OnClick = [this](TObject* S) { EdRowOKClick(S); };
  } else {
    Form->SetBounds(Form->Left(), Form->Top(), std::max(Form->Width(), FormWidth),
                    std::max(Form->Height(), NCols * LineHeight + BottomMargin));
  }
  Form->SetCaption(FormCaption);

  const int Result = Form->ShowModal();
  if (Result == mrOK) {
    TPaintBatch Batch(*this);
    for (QObject* C : Form->children()) {
      if (!IsInputControlName(C->objectName())) continue;
      WithControl(C, [&](auto* Ctl) {
        SetElem(int(Ctl->Tag()), Row, rl::CutText(ControlValue(C), MaxShortString));
      });
    }
  }
  return Result;
}

}  // namespace qor
