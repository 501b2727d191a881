// TMarkSel: picks one of the 52 marker symbols (0..51, as DrawMarkOnCanvas
// draws them) from a grid; the symbol nearest to the pointer is highlighted
// and a click selects it. Applications use it to choose the marker of a data
// series.
//
//   DH = (Width - 4) div NrOfColumns, DV = (Height - 4) div NrOfRows
//   the n-th visible mark (n from 0) sits at grid point
//     x = DH div 2 + DH * (n mod NrOfColumns), y = DV div 2 + DV * (n div NrOfColumns)
//   and is drawn centred at (x + 2, y + 2); hidden marks close up.
//
// Nearest mark: smallest squared distance to the grid point; the lower number
// wins a tie. The highlight and its removal are drawn straight on the screen
// image between paints.
//
// Keyboard (beyond the original mouse-only control): the selector takes the
// focus by Tab or click; the arrow keys move the highlight through the visible
// marks (Left/Right one mark, Up/Down one row, Home/End first/last), and
// Space or Return selects the highlighted mark as a click on it does.
//
// Colours: ColorBackGnd, ColorMarks, ColorSelBG/ColorSelFG (the selected mark),
// ColorHiLiteBG/ColorHiLiteSymbol (the highlight); disabled: silver background,
// gray marks, selection on 0xDEDEDE.
#pragma once

#include <array>

#include "foundation/qor_qorbase.h"

namespace qor {

using TMarkClickEvent = std::function<void(TObject* Sender, int X, int Y, int Mark)>;

class QORKIT_EXPORT TMarkSel : public TCustomControl {
  Q_OBJECT
  Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrOfColumns)
  Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrOfRows)
  Q_PROPERTY(int Selected READ Selected WRITE SetSelected NOTIFY selectedChanged)
  Q_PROPERTY(bool ShowZeroAsCross READ ShowZeroAsCross WRITE SetShowZeroAsCross)
  Q_PROPERTY(qor::TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(qor::TColor ColorMarks READ ColorMarks WRITE SetColorMarks)
  Q_PROPERTY(qor::TColor ColorSelBG READ ColorSelBG WRITE SetColorSelBG)
  Q_PROPERTY(qor::TColor ColorSelFG READ ColorSelFG WRITE SetColorSelFG)
  Q_PROPERTY(qor::TColor ColorHiLiteBG READ ColorHiLiteBG WRITE SetColorHiLiteBG)
  Q_PROPERTY(qor::TColor ColorHiLiteSymbol READ ColorHiLiteSymbol WRITE SetColorHiLiteSymbol)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)

 public:
  explicit TMarkSel(QWidget* AOwner = nullptr);

  // Grid: 1..51 columns and rows; other values are ignored.
  int NrOfColumns() const { return FNrOfColumns; }
  void SetNrOfColumns(int N);
  int NrOfRows() const { return FNrOfRows; }
  void SetNrOfRows(int N);
  // The selected mark, -1 for none; values outside -1..51 are ignored.
  int Selected() const { return FSelected; }
  void SetSelected(int Mark);
  bool ShowZeroAsCross() const { return FShowZeroAsCross; }
  void SetShowZeroAsCross(bool On);
  // Reading clamps Mark to mark 0 outside 0..51; writing takes 1..51 only
  // (mark 0 is always shown).
  bool MarkVisible(int Mark) const;
  void SetMarkVisible(int Mark, bool Visible);
  void ShowAllMarks() { SetAllMarks(true); }
  void HideAllMarks() { SetAllMarks(false); }
  // The mark nearest to (X, Y) among the visible ones.
  int NearestMark(int X, int Y);
  // The mark highlighted last (0 at start).
  int Highlighted() const { return FLastHiLite; }

  TColor ColorBackGnd() const { return FColors[0]; }
  void SetColorBackGnd(TColor C) { SetColor(0, C); }
  TColor ColorMarks() const { return FColors[1]; }
  void SetColorMarks(TColor C) { SetColor(1, C); }
  TColor ColorSelBG() const { return FColors[2]; }
  void SetColorSelBG(TColor C) { SetColor(2, C); }
  TColor ColorSelFG() const { return FColors[3]; }
  void SetColorSelFG(TColor C) { SetColor(3, C); }
  TColor ColorHiLiteBG() const { return FColors[4]; }
  void SetColorHiLiteBG(TColor C) { SetColor(4, C); }
  TColor ColorHiLiteSymbol() const { return FColors[5]; }
  void SetColorHiLiteSymbol(TColor C) { SetColor(5, C); }
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);

  TMarkClickEvent OnMarkClick, OnMarkDblClick;
  TNotifyEvent OnPaint;

  // Screen readers: a list of the 52 marks (item n is mark n; hidden marks
  // are invisible items), the selected mark selected, the highlight focused.
  QAccessible::Role AccessibleRole() const override { return QAccessible::List; }
  int AccessibleItemCount() const override { return MaxMarker + 1; }
  QString AccessibleItemText(int Index) const override;
  bool AccessibleItemSelected(int Index) const override { return Index == FSelected; }
  bool AccessibleItemFocused(int Index) const override { return Index == FLastHiLite; }
  QRect AccessibleItemRect(int Index) const override;

 Q_SIGNALS:
  // selectedChanged follows every change of Selected; markClicked follows
  // OnMarkClick, markDoubleClicked OnMarkDblClick, painted OnPaint.
  void selectedChanged(int Mark);
  void markClicked(int Mark);
  void markDoubleClicked(int Mark);
  void painted();

 protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;

 private:
  struct TGridPoint {
    int X = 0, Y = 0;
    bool Shown = false;
  };

  void SetColor(int Index, TColor C);
  void SetAllMarks(bool Visible);
  void Layout();
  void DrawSymbol(TCanvas& C, int Mark);
  void HighlightMark(int Mark);
  void RestoreMark(int Mark);
  void MoveHighlight(int Mark);
  void ChooseMark(int Mark, int X, int Y, const TMarkClickEvent& Event,
                  void (TMarkSel::*Signal)(int));

  int FNrOfColumns = 8;
  int FNrOfRows = 6;
  int FSelected = -1;
  bool FShowZeroAsCross = true;
  // ColorBackGnd, ColorMarks, ColorSelBG, ColorSelFG, ColorHiLiteBG, ColorHiLiteSymbol
  std::array<TColor, 6> FColors = {clBtnFace, clBlack, clWhite, clNavy, clRed, clWhite};
  TFrameStyle FFrameStyle = fsEngraved;
  std::array<bool, MaxMarker + 1> FVisible;
  std::array<TGridPoint, MaxMarker + 1> FPoints;
  int FDH = 0, FDV = 0;
  int FLastHiLite = 0;
};

}  // namespace qor
