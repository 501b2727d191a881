// TColSel: a drop-down list of colours. Each item shows a colour bar and the
// colour's name; the list holds the first NumColors of 47 entries, which start
// as the predefined colours (entries 1..16 basic VGA, 1..20 extended, 21..47
// system colours) named by ColorToString ("clRed", "clBtnFace", "$00123456").
//
// Entries marked with ColorEditAllowed carry an edit marker in their bar;
// pressing the closed box on the bar of such a selected entry opens the colour
// dialog first, and the chosen colour replaces the entry. OnColorNameChange
// may rename every colour that receives a name.
//
// Items are drawn by position: item i shows entry i + 1, and its text (used by
// type-ahead and screen readers) is that entry's name. Keyboard selection as
// in any QComboBox.
//
// Colours: Color (name background, default clWindow); names in black; a
// disabled selector draws silver bars with gray outlines and gray names on silver.
#pragma once

#include <array>

#include "foundation/qor_qorbase.h"
#include "foundation/qor_qorcolors.h"
#include "host/qor_combo.h"

namespace qor {

using TOnColorNameChangeEvent = std::function<void(TObject* Sender, QString& ColorName)>;

class QORKIT_EXPORT TColSel : public TCustomComboBox {
  Q_OBJECT
  Q_PROPERTY(qor::TColor SelColor READ SelColor WRITE SetSelColor NOTIFY colorChanged USER true)
  Q_PROPERTY(int NumColors READ NumColors WRITE SetNumColors)
  Q_PROPERTY(int ColorBarWidth READ ColorBarWidth WRITE SetColorBarWidth)

 public:
  explicit TColSel(QWidget* AOwner = nullptr);

  // The colour of the selected entry; writing selects the first entry of the
  // same RGB value, or replaces the selected entry when there is none.
  TColor SelColor() const { return FColors[FSelIndex - 1]; }
  void SetSelColor(TColor Color);
  // 1..47; other values are ignored. Selects the first entry.
  int NumColors() const { return FNumColors; }
  void SetNumColors(int Count);
  // Negative values are ignored.
  int ColorBarWidth() const { return FColorBarWidth; }
  void SetColorBarWidth(int Width);
  void SetEnabled(bool On) override;
  // Layouts offer the selector its documented width of 145 pixels and keep
  // at least the colour bar, some of the name and the arrow.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // Entries 1..NumColors; outside, reads give 0, "" or false and writes do nothing.
  TColor Colors(int Index) const;
  void SetColors(int Index, TColor Color);
  QString ColorNames(int Index) const;
  // Renames the entry without calling OnColorNameChange.
  void SetColorNames(int Index, const QString& Name);
  bool ColorEditAllowed(int Index) const;
  void SetColorEditAllowed(int Index, bool Allowed);
  void SetAllColorEditFlags() { SetAllEditFlags(true); }
  void ResetAllColorEditFlags() { SetAllEditFlags(false); }
  // The selected entry's name; empty while no item is selected.
  QString SelColorID() const;
  // The selected entry, 1-based.
  int SelIndex() const { return FSelIndex; }
  // 1 while the pointer is over the colour bars, else 0.
  int MouseAreaCode() const { return FMouseAreaCode; }

  void LoadBasicVGAPalette() { LoadPalette(1, NrVGAColors); }
  void LoadExtendedPalette() { LoadPalette(1, NrExtendedColors); }
  void LoadStandardPalette() { LoadPalette(1, NrPredefinedColors); }
  void LoadWindowsSystemPalette() { LoadPalette(NrExtendedColors + 1, NrPredefinedColors - NrExtendedColors); }
  void LoadColorsIntoComboList();

  // Renames a colour as it is named; it edits the name in place, so it stays
  // an event only.
  TOnColorNameChangeEvent OnColorNameChange;

 Q_SIGNALS:
  // Follows changed() (OnChange) with the selected colour.
  void colorChanged(TColor Color);

 protected:
  void Change() override;
  void DrawItem(int Index, TCanvas& Canvas, const TRect& Rect, TOwnerDrawState State) override;
  void DropDown() override;
  void Click() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  static constexpr int MaxColors = NrPredefinedColors;
  bool InList(int Index) const { return Index >= 1 && Index <= FNumColors; }
  void NameColor(int Index, TColor NameOf);
  void SetAllEditFlags(bool Allowed);
  void LoadPalette(int First, int Count);

  std::array<TColor, MaxColors> FColors;
  std::array<QString, MaxColors> FNames;
  std::array<bool, MaxColors> FEditFlags;
  int FNumColors = 20;
  int FSelIndex = 1;
  int FColorBarWidth = 30;
  int FMouseAreaCode = 0;
};

}  // namespace qor
