#include "buttons/qor_marksel.h"

#include <QEvent>
#include <limits>

namespace qor {

TMarkSel::TMarkSel(QWidget* AOwner) : TCustomControl(AOwner) {
  FVisible.fill(true);
  setMouseTracking(true);
  SetDefaultSize(236, 178);
}

void TMarkSel::SetNrOfColumns(int N) {
  if (N < 1 || N > MaxMarker || !Change(FNrOfColumns, N)) return;
  Refresh();
}

void TMarkSel::SetNrOfRows(int N) {
  if (N < 1 || N > MaxMarker || !Change(FNrOfRows, N)) return;
  Refresh();
}

void TMarkSel::SetSelected(int Mark) {
  if (Mark < -1 || Mark > MaxMarker || !Change(FSelected, Mark)) return;
  Refresh();
  host::NotifyAccessibleEvent(this, Mark >= 0 ? QAccessible::Selection : QAccessible::SelectionWithin,
                              Mark);
  Q_EMIT selectedChanged(Mark);
}

void TMarkSel::SetShowZeroAsCross(bool On) {
  if (Change(FShowZeroAsCross, On)) Invalidate();
}

bool TMarkSel::MarkVisible(int Mark) const {
  return FVisible[Mark < 0 || Mark > MaxMarker ? 0 : Mark];
}

void TMarkSel::SetMarkVisible(int Mark, bool Visible) {
  if (Mark < 1 || Mark > MaxMarker) return;
  FVisible[Mark] = Visible;
  Refresh();
}

void TMarkSel::SetAllMarks(bool Visible) {
  std::fill(FVisible.begin() + 1, FVisible.end(), Visible);
  Refresh();
}

void TMarkSel::SetColor(int Index, TColor C) {
  if (Change(FColors[Index], C)) Refresh();
}

void TMarkSel::SetFrameStyle(TFrameStyle Style) {
  if (Change(FFrameStyle, Style)) Refresh();
}

// ---- geometry --------------------------------------------------------------

void TMarkSel::Layout() {
  FDH = (Width() - 4) / FNrOfColumns;
  FDV = (Height() - 4) / FNrOfRows;
  int N = 0;
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    TGridPoint& P = FPoints[Mark];
    P.Shown = FVisible[Mark];
    if (!P.Shown) continue;
    P.X = FDH / 2 + FDH * (N % FNrOfColumns);
    P.Y = FDV / 2 + FDV * (N / FNrOfColumns);
    ++N;
  }
}

int TMarkSel::NearestMark(int X, int Y) {
  Layout();
  int Best = 0;
  long long BestDist = std::numeric_limits<long long>::max();
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    const TGridPoint& P = FPoints[Mark];
    if (!P.Shown) continue;
    const long long DX = X - P.X, DY = Y - P.Y, Dist = DX * DX + DY * DY;
    if (Dist < BestDist) {
      BestDist = Dist;
      Best = Mark;
    }
  }
  return Best;
}

// ---- painting --------------------------------------------------------------

void TMarkSel::DrawSymbol(TCanvas& C, int Mark) {
  if (Mark == 0 && FShowZeroAsCross) {
    C.MoveTo(4, 4);
    C.LineTo(FDH + 1, FDV + 1);
    C.MoveTo(4, FDV);
    C.LineTo(FDH + 1, 3);
    return;
  }
  DrawMarkOnCanvas(C, Mark, FPoints[Mark].X + 2, FPoints[Mark].Y + 2);
}

void TMarkSel::Paint() {
  Layout();
  const bool On = isEnabled();
  const TColor Back = On ? FColors[0] : clSilver;
  const TColor Marks = On ? FColors[1] : clGray;
  const TColor SelBG = On ? FColors[2] : TColor(0xDEDEDE);
  const TColor SelFG = On ? FColors[3] : clGray;
  TCanvas& C = Canvas();
  C.Pen().SetColor(Back);
  C.Brush().SetColor(Back);
  C.Rectangle(0, 0, Width(), Height());
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  const int HalfH = FDH / 2, HalfV = FDV / 2;
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    const TGridPoint& P = FPoints[Mark];
    if (!P.Shown) continue;
    if (Mark == FSelected) {
      C.Pen().SetColor(SelFG);
      C.Brush().SetColor(SelBG);
      C.Rectangle(P.X + 3 - HalfH, P.Y + 3 - HalfV, P.X + 3 + HalfH, P.Y + 3 + HalfV);
    } else {
      C.Pen().SetColor(Marks);
      C.Brush().SetColor(Back);
    }
    DrawSymbol(C, Mark);
  }
  DrawFrame(C, FFrameStyle, 0, 0, Width() - 1, Height() - 1, clWhite, clSilver, clGray, clBlack,
            Marks);
  Notify(this, OnPaint, &TMarkSel::painted);
}

void TMarkSel::HighlightMark(int Mark) {
  const TGridPoint& P = FPoints[Mark];
  if (!P.Shown) return;
  TCanvas& C = Canvas();
  C.Pen().SetColor(FColors[4]);
  C.Brush().SetColor(FColors[4]);
  C.Rectangle(P.X + 4 - FDH / 2, P.Y + 4 - FDV / 2, P.X + 2 + FDH / 2, P.Y + 2 + FDV / 2);
  C.Pen().SetColor(FColors[5]);
  DrawSymbol(C, Mark);
  update();
}

void TMarkSel::RestoreMark(int Mark) {
  const TGridPoint& P = FPoints[Mark];
  if (!P.Shown) return;
  TCanvas& C = Canvas();
  const bool Sel = Mark == FSelected;
  C.Pen().SetColor(Sel ? FColors[3] : FColors[0]);
  C.Brush().SetColor(Sel ? FColors[2] : FColors[0]);
  C.Rectangle(P.X + 3 - FDH / 2, P.Y + 3 - FDV / 2, P.X + 3 + FDH / 2, P.Y + 3 + FDV / 2);
  C.Pen().SetColor(Sel ? FColors[3] : FColors[1]);
  DrawSymbol(C, Mark);
  update();
}

// ---- input -----------------------------------------------------------------

void TMarkSel::MoveHighlight(int Mark) {
  ScreenImage();  // the highlight goes on an up-to-date picture
  if (Mark == FLastHiLite) return;
  RestoreMark(FLastHiLite);
  HighlightMark(Mark);
  FLastHiLite = Mark;
  if (hasFocus()) host::NotifyAccessibleEvent(this, QAccessible::Focus, Mark);
}

QString TMarkSel::AccessibleItemText(int Index) const {
  return QStringLiteral("Marker %1").arg(Index);
}

// The cell of a shown mark around its grid point; Layout's placement, here
// without touching the kept points.
QRect TMarkSel::AccessibleItemRect(int Index) const {
  if (Index < 0 || Index > MaxMarker || !FVisible[size_t(Index)] || FNrOfColumns < 1) return {};
  int N = 0;
  for (int Mark = 0; Mark < Index; ++Mark) N += FVisible[size_t(Mark)] ? 1 : 0;
  const int DH = (Width() - 4) / FNrOfColumns, DV = (Height() - 4) / std::max(1, FNrOfRows);
  const QRect R(2 + DH * (N % FNrOfColumns), 2 + DV * (N / FNrOfColumns), DH, DV);
  return R.intersected(rect());
}

void TMarkSel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  MoveHighlight(NearestMark(X, Y));
}

void TMarkSel::ChooseMark(int Mark, int X, int Y, const TMarkClickEvent& Event,
                          void (TMarkSel::*Signal)(int)) {
  if (Change(FSelected, Mark)) Q_EMIT selectedChanged(Mark);
  if (Event) Event(this, X, Y, Mark);
  Q_EMIT(this->*Signal)(Mark);
  Refresh();
  HighlightMark(Mark);
  FLastHiLite = Mark;
}

void TMarkSel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && (Shift & ssDouble) && !(X == -1 && Y == -1))
    ChooseMark(NearestMark(X, Y), X, Y, OnMarkDblClick, &TMarkSel::markDoubleClicked);
}

void TMarkSel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && !(X == -1 && Y == -1))
    ChooseMark(NearestMark(X, Y), X, Y, OnMarkClick, &TMarkSel::markClicked);
}

void TMarkSel::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  Layout();
  std::array<int, MaxMarker + 1> Order;  // visible marks in grid order
  int Count = 0, Pos = 0;
  for (int Mark = 0; Mark <= MaxMarker; ++Mark) {
    if (!FPoints[Mark].Shown) continue;
    if (Mark == FLastHiLite) Pos = Count;
    Order[Count++] = Mark;
  }
  int Target = Pos;
  switch (Key) {
    case VK_LEFT: Target = Pos - 1; break;
    case VK_RIGHT: Target = Pos + 1; break;
    case VK_UP: Target = Pos - FNrOfColumns; break;
    case VK_DOWN: Target = Pos + FNrOfColumns; break;
    case VK_HOME: Target = 0; break;
    case VK_END: Target = Count - 1; break;
    case VK_SPACE:
    case VK_RETURN: {
      const TGridPoint& P = FPoints[Order[Pos]];
      ChooseMark(Order[Pos], P.X, P.Y, OnMarkClick, &TMarkSel::markClicked);
      return;
    }
    default: return;
  }
  if (Target < 0 || Target >= Count) return;
  MoveHighlight(Order[Target]);
}

}  // namespace qor
