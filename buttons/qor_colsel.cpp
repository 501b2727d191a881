#include "buttons/qor_colsel.h"

#include <QColorDialog>
#include <cmath>

namespace qor {

TColSel::TColSel(QWidget* AOwner) : TCustomComboBox(AOwner) {
  for (int i = 0; i < MaxColors; ++i) {
    FColors[i] = PredefinedColors(i + 1);
    FNames[i] = ColorToString(FColors[i]);
  }
  FEditFlags.fill(false);
  SetItemHeight(18);
  resize(sizeHint());
  LoadColorsIntoComboList();
}

// ---- entries ---------------------------------------------------------------

void TColSel::NameColor(int Index, TColor NameOf) {
  QString Name = ColorToString(NameOf);
  if (OnColorNameChange) OnColorNameChange(this, Name);
  FNames[Index - 1] = Name;
  if (Index <= count()) setItemText(Index - 1, Name);
}

TColor TColSel::Colors(int Index) const { return InList(Index) ? FColors[Index - 1] : 0; }

void TColSel::SetColors(int Index, TColor Color) {
  if (!InList(Index)) return;
  FColors[Index - 1] = Color;
  NameColor(Index, Color);
  Refresh();
}

QString TColSel::ColorNames(int Index) const { return InList(Index) ? FNames[Index - 1] : QString(); }

void TColSel::SetColorNames(int Index, const QString& Name) {
  if (!InList(Index)) return;
  FNames[Index - 1] = Name;
  setItemText(Index - 1, Name);
  Refresh();
}

bool TColSel::ColorEditAllowed(int Index) const { return InList(Index) && FEditFlags[Index - 1]; }

void TColSel::SetColorEditAllowed(int Index, bool Allowed) {
  if (!InList(Index)) return;
  FEditFlags[Index - 1] = Allowed;
  Refresh();
}

void TColSel::SetAllEditFlags(bool Allowed) {
  FEditFlags.fill(Allowed);
  Refresh();
}

QString TColSel::SelColorID() const { return currentIndex() < 0 ? QString() : FNames[FSelIndex - 1]; }

void TColSel::SetSelColor(TColor Color) {
  const TColor Rgb = ColorToRGB(Color, this);
  int Found = 0;
  for (int i = 1; i <= FNumColors && !Found; ++i)
    if (ColorToRGB(FColors[i - 1], this) == Rgb) Found = i;
  if (Found) {
    FSelIndex = Found;
    NameColor(Found, FColors[Found - 1]);
    setCurrentIndex(Found - 1);
  } else {
    FColors[FSelIndex - 1] = Color;
    NameColor(FSelIndex, Rgb);
  }
  Refresh();
}

void TColSel::SetNumColors(int Count) {
  if (Count < 1 || Count > MaxColors) return;
  FNumColors = Count;
  FSelIndex = 1;
  LoadColorsIntoComboList();
}

void TColSel::SetColorBarWidth(int Width) {
  if (Width < 0 || !qor::Change(FColorBarWidth, Width)) return;
  updateGeometry();
  Refresh();
}

void TColSel::SetEnabled(bool On) {
  setEnabled(On);
  Refresh();
}

void TColSel::LoadPalette(int First, int Count) {
  FSelIndex = 1;
  FNumColors = Count;
  for (int i = 1; i <= Count; ++i) {
    FColors[i - 1] = PredefinedColors(First + i - 1);
    NameColor(i, FColors[i - 1]);
  }
  LoadColorsIntoComboList();
}

void TColSel::LoadColorsIntoComboList() {
  const QSignalBlocker Quiet(this);
  clear();
  for (int i = 0; i < FNumColors; ++i) addItem(FNames[i]);
  setCurrentIndex(FSelIndex - 1);
  Refresh();
}

// ---- input -----------------------------------------------------------------

void TColSel::Click() {
  if (currentIndex() >= 0) FSelIndex = currentIndex() + 1;
  TCustomComboBox::Click();
}

QSize TColSel::sizeHint() const { return {145, TCustomComboBox::sizeHint().height()}; }

QSize TColSel::minimumSizeHint() const {
  return {std::min(145, FColorBarWidth + 48), TCustomComboBox::sizeHint().height()};
}

void TColSel::Change() {
  TCustomComboBox::Change();
  Q_EMIT colorChanged(SelColor());
}

void TColSel::MouseMove(TShiftState Shift, int X, int Y) {
  FMouseAreaCode = X < FColorBarWidth ? 1 : 0;
  TCustomComboBox::MouseMove(Shift, X, Y);
}

// A press on the bar of an editable entry asks for a new colour first.
void TColSel::DropDown() {
  if (FMouseAreaCode == 1 && FEditFlags[FSelIndex - 1]) {
    QColorDialog Dialog(ToQColor(FColors[FSelIndex - 1], this), this);
    if (Dialog.exec() == QDialog::Accepted) {
      const TColor Chosen = FromQColor(Dialog.selectedColor());
      FColors[FSelIndex - 1] = Chosen;
      NameColor(FSelIndex, Chosen);
    }
    Refresh();
  }
  TCustomComboBox::DropDown();
}

// ---- painting --------------------------------------------------------------

void TColSel::DrawItem(int Index, TCanvas& C, const TRect& R, TOwnerDrawState) {
  if (Index < 0 || Index >= FNumColors) return;
  const TColor OldBrush = C.Brush().Color(), OldFont = C.Font().Color();
  const bool On = isEnabled();
  const TColor Color = FColors[Index];
  const int CBW = FColorBarWidth;
  if (CBW > 0) {
    if (On) {
      C.Brush().SetColor(Color);
    } else {
      C.Pen().SetColor(clSilver);
      C.Brush().SetColor(clSilver);
      C.Rectangle(R.Left - 1, R.Top - 1, R.Left + CBW + 3, R.Bottom + 1);
      C.Pen().SetColor(clGray);
    }
    C.Rectangle(R.Left + 3, R.Top + 2, R.Left + CBW + 3, R.Bottom - 2);
  }
  if (FEditFlags[Index] && CBW > 11 && On) {
    const TColor Rgb = ColorToRGB(Color, this);
    const double R2 = GetRValue(Rgb), G2 = GetGValue(Rgb), B2 = GetBValue(Rgb);
    const bool Light = std::sqrt(R2 * R2 + 2 * G2 * G2 + B2 * B2) / 2 > 180;
    C.Pen().SetColor(Light ? clBlack : clWhite);
    C.Polyline({{R.Left + 5, R.Top + 4}, {R.Left + 5, R.Bottom - 5}, {R.Left + 8, R.Bottom - 5},
                {R.Left + 11, R.Bottom - 8}, {R.Left + 11, R.Top + 7}, {R.Left + 8, R.Top + 4},
                {R.Left + 5, R.Top + 4}});
    C.Pen().SetColor(clBlack);
  }
  C.Font().SetColor(On ? clBlack : clGray);
  C.Brush().SetColor(On ? TCustomComboBox::Color() : clSilver);
  const TRect TextR = Rect(R.Left + CBW + 3, R.Top, R.Right, R.Bottom);
  const QString& Name = FNames[Index];
  C.TextRect(TextR, TextR.Left + 3, R.Top + (R.Height() - C.TextHeight(Name)) / 2, Name);
  C.Brush().SetColor(OldBrush);
  C.Font().SetColor(OldFont);
}

}  // namespace qor
