#include "decoration/qor_gradfl.h"

#include <algorithm>
#include <utility>

namespace qor {
namespace {

constexpr int GridDivisions = 10;

bool IsHorizontal(TGradFill::TGradType Type) {
  return Type == TGradFill::gtHoriz || Type == TGradFill::gtMidBandHoriz;
}

}  // namespace

TGradFill::TGradFill(QWidget* AOwner) : TGraphicControl(AOwner) {
  SetDefaultSize(121, 121);
}

void TGradFill::SetColorFirst(TColor Color) {
  (FFlipped ? FStoredLast : FStoredFirst) = Color;
  Refresh();
}

void TGradFill::SetColorLast(TColor Color) {
  (FFlipped ? FStoredFirst : FStoredLast) = Color;
  Refresh();
}

void TGradFill::SetColorFlipped(bool On) {
  if (On == FFlipped) return;
  FFlipped = On;
  // A form stores the ends as shown, and the flag after them. While it loads,
  // the flag keeps the shown ends in place, so a flipped gradient comes back
  // as it was saved instead of swapped.
  if (Loading()) std::swap(FStoredFirst, FStoredLast);
  Refresh();
}

void TGradFill::SetFillType(TGradType Type) {
  if (Type == FFillType) return;
  if (Type > gtMidBandVert)
    throw EQORError(QStringLiteral("TGradFill.FillType: %1 is not a fill type").arg(int(Type)));
  FFillType = Type;
  Refresh();
}

void TGradFill::SetNrColors(int N) {
  N = std::clamp(N, 1, 255);
  if (N == FNrColors) return;
  FNrColors = N;
  Refresh();
}

void TGradFill::SetFrameStyle(TFrameStyle Style) {
  if (Style == FFrameStyle) return;
  FFrameStyle = Style;
  Refresh();
}

void TGradFill::SetGridMode(TGridMode Mode) {
  if (Mode == FGridMode) return;
  FGridMode = Mode;
  Refresh();
}

void TGradFill::SetGridColor(TColor Color) {
  if (Color == FGridColor) return;
  FGridColor = Color;
  Refresh();
}

//   type            band k of N (M = N div 2)
//   plain           First + MulDiv(k, Last - First, N); N = 1: First
//   mid-band        k <= M: First + MulDiv(k, Last - First, M)
//                   k >  M: First + MulDiv(N - k - 1, Last - First, M)
TColor TGradFill::BandColor(int Band, TColor First, TColor Last) const {
  const int N = FNrColors;
  if (N < 2) return First;
  int Steps = Band, Of = N;
  if (FFillType == gtMidBandHoriz || FFillType == gtMidBandVert) {
    Of = N / 2;
    Steps = Band <= Of ? Band : N - Band - 1;
  }
  const auto Channel = [&](int (*Get)(TColor)) {
    return (Get(First) + MulDiv(Steps, Get(Last) - Get(First), Of)) & 0xFF;
  };
  return RGB(Channel(GetRValue), Channel(GetGValue), Channel(GetBValue));
}

void TGradFill::DrawBands(TCanvas& C) {
  const int W = Width(), H = Height(), N = FNrColors;
  const TColor First = ColorToRGB(ColorFirst(), this), Last = ColorToRGB(ColorLast(), this);
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  const bool Rows = IsHorizontal(FFillType);
  for (int k = 0; k < N; ++k) {
    const TRect Band = Rows ? Rect(0, MulDiv(k, H, N), W, MulDiv(k + 1, H, N))
                            : Rect(MulDiv(k, W, N), 0, MulDiv(k + 1, W, N), H);
    C.Brush().SetColor(BandColor(k, First, Last));
    C.FillRect(Band);
  }
}

void TGradFill::DrawGrid(TCanvas& C) {
  const int W = Width(), H = Height();
  C.Brush().SetColor(FGridColor);
  for (int i = 1; i < GridDivisions; ++i) {
    if (FGridMode == gmHoriz || FGridMode == gmBoth) {
      const int Y = MulDiv(i, H, GridDivisions);
      C.FillRect(Rect(0, Y, W, Y + 1));
    }
    if (FGridMode == gmVert || FGridMode == gmBoth) {
      const int X = MulDiv(i, W, GridDivisions);
      C.FillRect(Rect(X, 0, X + 1, H));
    }
  }
}

void TGradFill::Paint() {
  TCanvas& C = Canvas();
  DrawBands(C);
  DrawGrid(C);
  DrawStandardFrame(C, FFrameStyle, 0, 0, Width() - 1, Height() - 1);
  Notify(this, OnPaint, &TGradFill::painted);
}

}  // namespace qor
