// TNTabEd: number texts and the drawing of element, heading and corner cells.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/qor_format.h"
#include "ntabed/qor_ntabed.h"

namespace qor {

namespace {

// L(d) = 10^(9-d) - 10^(-d): the largest value fixed notation shows with d decimals.
constexpr std::array<double, 9> FixedLimit = {999999999.0, 9999999.9, 999999.99, 99999.999,
                                              9999.9999,   999.99999, 99.999999, 9.9999999,
                                              0.99999999};
constexpr std::array<double, 9> FixedLow = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

// Sign place, one digit, ".", Frac digits, "E", exponent sign, two digits;
// asterisks over the four-digit-exponent width when the exponent needs three.
QString ScientificText(double Value, int Frac) {
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.*E", Frac, std::fabs(Value));
  const char* E = std::strchr(Buf, 'E');
  const int Exp = E ? std::atoi(E + 1) : 0;
  const int Width = 1 + 1 + (Frac > 0 ? 1 + Frac : 1) + 1 + 1 + 4;
  if (Exp <= -100 || Exp >= 100) return QString(Width, QLatin1Char('*'));
  QString Text = QLatin1String(Value < 0 ? "-" : " ");
  Text += QLatin1String(Buf, int(E - Buf));
  if (Frac == 0) Text += QLatin1Char('.');
  Text += QStringLiteral("E%1%2").arg(Exp < 0 ? QLatin1Char('-') : QLatin1Char('+'))
              .arg(std::abs(Exp), 2, 10, QLatin1Char('0'));
  return Text;
}

}  // namespace

// Fixed notation while the value fits the column's decimals (and is not too
// small to show a digit), else the scientific form; NumWidth 1 leaves no room
// for fraction digits, so that form shows "d." and the exponent.
QString NTabNumberText(double Value, int NumWidth, int Decimals) {
  if (std::isnan(Value)) return QStringLiteral("-nan-");
  const double A = std::fabs(Value);
  if (Decimals >= 0 && Decimals <= 8 && A <= FixedLimit[size_t(Decimals)] &&
      (A >= FixedLow[size_t(Decimals)] || Value == 0))
    return host::FormatF(Value, Decimals, QLatin1Char('.')).rightJustified(NumWidth, QLatin1Char(' '));
  return ScientificText(Value, std::max(0, NumWidth - 1));
}

TNTabEd::TAccessibleLayout TNTabEd::AccessibleLayout() const {
  TAccessibleLayout L = TCustomGrid::AccessibleLayout();
  L.HeaderRow = 0;
  L.HeaderCol = 0;
  return L;
}

QString TNTabEd::AccessibleCellText(int ACol, int ARow) const {
  const int C = ACol - FColOffset, R = ARow - FRowOffset;
  if (ARow == 0) return ACol > FColOffset ? ColName(C) : QString();
  if (ACol == 0) return ARow > FRowOffset ? RowName(R) : QString();
  return IsElementCell(ACol, ARow) ? CellText(C, R) : QString();
}

QString TNTabEd::CellText(int ACol, int ARow) const {
  const std::uint8_t State = FData->GetCellState(ACol, ARow);
  if (State & csEmpty) return {};
  if (State & csInvalid) return QStringLiteral("-nan-");
  const double Value = FData->GetElem(ACol, ARow);
  const TMScaleType Type = FData->GetMScaleType(ACol);
  if (HasNominalIDs(Type)) {
    const double R = std::nearbyint(Value);  // halves to even in the default rounding mode
    const long long V = std::isfinite(R) ? static_cast<long long>(std::clamp(R, -1e15, 1e15)) : 0;
    if (V >= 1 && V <= MaxNominalIDs) {
      const QString ID = FData->GetNominalID(ACol, int(V));
      if (!ID.isEmpty()) return ID;
    }
    return QStringLiteral("%1:%2").arg(QLatin1String(MScaleTypeNames[Type])).arg(V);
  }
  const int Dec = ACol >= 1 && ACol <= int(FDecPlaces.size()) ? FDecPlaces[size_t(ACol - 1)] : 3;
  return NTabNumberText(Value, FNumWidth, Dec);
}

// ---- painting -------------------------------------------------------------------

void TNTabEd::Paint() {
  if (Suppressed()) return;
  TCustomGrid::Paint();
}

std::vector<TRect> TNTabEd::SelectionAreas(const TGridRect& Sel) const {
  return {RangeArea(Sel), RangeArea({0, Sel.Top, FColOffset, Sel.Top}), RangeArea({Sel.Left, 0, Sel.Left, FRowOffset}),
          RangeArea({0, 0, 0, 0})};
}

void TNTabEd::ApplyOptimizedRowHeight() {
  if (!FOptimizeRowHeight) return;
  const int H = AutoRowHeight(-1, 2);
  if (H != DefaultRowHeight()) SetDefaultRowHeight(H);
}

void TNTabEd::FontChanged() {
  TCustomGrid::FontChanged();
  ApplyOptimizedRowHeight();
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState) {
  if (ACol == 0 && ARow == 0) DrawCorner(ARect);
  else if (IsElementCell(ACol, ARow)) DrawElementCell(ACol, ARow, ARect);
  else DrawFixedCell(ACol, ARow, ARect);
}

void TNTabEd::DrawElementCell(int ACol, int ARow, TRect R) {
  const int C = ACol - FColOffset, Row = ARow - FRowOffset;
  const std::uint8_t State = FData->GetCellState(C, Row);
  const bool InRange = Selection().Contains(ACol, ARow);
  const std::uint8_t Marks = State & (csMarkA | csMarkB);
  TColor Text = Marks == csMarkA                ? FColorMarkedA
                : Marks == csMarkB              ? FColorMarkedB
                : Marks == (csMarkA | csMarkB) ? FColorMarkedBoth
                : InRange                       ? FColorRangeSelFG
                                                : FColorNormal;
  TColor Back = InRange ? FColorRangeSelBG : Canvas().Brush().Color();
  TFontStyles Style = Font().Style();
  if (Marks && FBoldMarks) Style |= fsBold;
  QString S = CellText(C, Row);
  if (OnBeforeRenderCell) OnBeforeRenderCell(this, C, Row, S, Text, Back, Style);
  TCanvas& Cv = Canvas();
  Cv.Font().SetColor(Text);
  Cv.Font().SetStyle(Style);
  Cv.Brush().SetColor(Back);
  Cv.TextRect(R, R.Left + 2, R.Top + 1, S);
}

void TNTabEd::DrawFixedCell(int ACol, int ARow, TRect R) {
  if (R.Width() > 0) ++R.Left, --R.Right;
  if (R.Height() > 0) ++R.Top, --R.Bottom;
  const bool AttribLabel = ACol == 1 && ARow == 0 && FColOffset == 1;
  if (!AttribLabel) R.Right -= 2;
  TCanvas& Cv = Canvas();
  const TGridRect Sel = Selection();
  QString Text;
  int Dy = 1;
  bool Current = false, Label = false;
  if (ACol <= FColOffset && ARow > FRowOffset) {  // row name or attribute
    const int Row = ARow - FRowOffset;
    Text = ACol == 0 ? RowName(Row) : QString::number(RowAttrib(Row));
    if (ACol == 0) Dy = 0;
    Current = ARow == Sel.Top;
  } else if (ARow <= FRowOffset && ACol > FColOffset) {  // column name or attribute
    const int Col = ACol - FColOffset;
    Text = ARow == 0 ? ColName(Col) : QString::number(ColAttrib(Col));
    Current = ACol == Sel.Left;
  } else if (AttribLabel) {
    Text = QStringLiteral("Attrib");
    Label = true;
  } else if (ACol == 0 && ARow == 1) {
    Text = QStringLiteral("Attribute");
    Label = true;
  } else {
    return;  // grid cell (1, 1): nothing
  }
  if (!Label) {
    Cv.Font().SetColor(Current ? FColorSelected : FColorNormal);
    Cv.Font().SetStyle(Current && FBoldSelHeads ? Font().Style() | fsBold : Font().Style());
  }
  Cv.TextRect(R, R.Left + 2, R.Top + Dy, Text);
  Cv.Font().SetStyle(Font().Style());
}

void TNTabEd::DrawCorner(const TRect& R) {
  TCanvas& Cv = Canvas();
  if (FCommentActive) {
    Cv.Brush().SetColor(0x808000);
    Cv.Font().SetColor(clWhite);
    Cv.TextRect(R, R.Left + 2, R.Top + 1, QStringLiteral("Comment:"));
    return;
  }
  const TGridRect Sel = Selection();
  Cv.Font().SetColor(FColorNormal);
  Cv.Font().SetStyle(0);
  Cv.Brush().SetColor(clWindow);
  Cv.TextRect(R, R.Left + 3, R.Top + 2,
              QStringLiteral("%1:%2").arg(Sel.Left - FColOffset).arg(Sel.Top - FRowOffset));
}

// The corner text is kept current between paints: the corner cell is redrawn
// on the kept picture.
void TNTabEd::RedrawCorner() {
  if (!Suppressed()) InvalidateCell(0, 0);
}

}  // namespace qor
