#include "browsing/qor_thumbnails.h"

#include <QWheelEvent>
#include <climits>
#include <cmath>

#include "host/qor_app.h"
#include "host/qor_format.h"

namespace qor {

namespace {

// Division and remainder rounding toward minus infinity, for row numbers of
// slides below 1.
int FloorDiv(int A, int B) {
  const int Q = A / B;
  return (A % B != 0 && (A < 0) != (B < 0)) ? Q - 1 : Q;
}

// Scroll bar units are kept below this so that 10^6 rows of any pitch fit an int.
constexpr double MaxBarUnits = 1e9;

constexpr int MinSlideNumber = -(1 << 30);

}  // namespace

// One slide's square: (X, Y) .. (X2, Y2) inclusive.
struct TThumbnails::TSlideRect {
  int X, Y, X2, Y2;
};

TThumbnails::TThumbnails(QWidget* AOwner)
    : TCustomControl(AOwner), FSelectedSlide(new TBitFld(this)), FScrollBar(new QScrollBar(Qt::Vertical, this)) {
  FSelectedSlide->SetSize(FMax - FMin + 1);
  FScrollBar->setFocusPolicy(Qt::NoFocus);
  connect(FScrollBar, &QScrollBar::valueChanged, this, &TThumbnails::ScrollBarMoved);
  setMouseTracking(true);
  SetDefaultSize(260, 400);
}

TThumbnails::~TThumbnails() = default;

// Every change of what the picture shows: repaint now, or after the paint in
// progress when a handler caused it.
void TThumbnails::Changed() {
  SyncScrollBar();
  if (FIsWorking) {
    FChangedWhileWorking = true;
    return;
  }
  Refresh();
}

template <typename F>
bool TThumbnails::Guarded(F&& Call) {
  try {
    Call();
    return true;
  } catch (...) {
    host::Application()->HandleException(this, std::current_exception());
    return false;
  }
}

// ---- items and scrolling ---------------------------------------------------------

void TThumbnails::ResizeSelection() {
  const long long N = (long long)FMax - FMin + 1;
  FSelectedSlide->SetSize(int(std::clamp(N, 0LL, (long long)INT_MAX)));
}

// Held above -2^30 so that slide and row arithmetic stays inside int.
void TThumbnails::SetMin(int V) {
  if (!Change(FMin, std::max(V, MinSlideNumber))) return;
  ResizeSelection();
  Changed();
}

void TThumbnails::SetMax(int V) {
  if (!Change(FMax, std::max(1, V))) return;
  ResizeSelection();
  Changed();
}

void TThumbnails::SetFirstThumbIdx(double X) {
  if (std::isnan(X)) return;
  X = std::clamp(X, double(FMin), double(std::max(FMin, FMax)));
  const int N = std::max(1, FNumSldX);
  const double C = N * (int(std::trunc(X - 1)) / N) + 1;
  if (Change(FFirstThumbIx, C + (X - C) / N)) Changed();
}

void TThumbnails::SetScrollBarVisible(bool On) {
  if (!Change(FScrollBarVisible, On)) return;
  FScrollBar->setVisible(On);
  Changed();
}

int TThumbnails::AreaWidth() const {
  return width() - (FScrollBarVisible ? FScrollBar->sizeHint().width() : 0);
}

int TThumbnails::ComputeNumSldX() const {
  return std::max(1, (AreaWidth() - 20 + FSlideDist) / Pitch());
}

// The scroll position in rows: the top row's number (row 0 holds slides
// 1..N) plus its fraction scrolled away.
double TThumbnails::RowPos() const {
  const double Int = std::floor(FFirstThumbIx);
  return FloorDiv(int(Int) - 1, std::max(1, FNumSldX)) + (FFirstThumbIx - Int);
}

double TThumbnails::MinRowPos() const { return FloorDiv(FMin - 1, ComputeNumSldX()); }

// The last row ends on the bottom band.
double TThumbnails::MaxRowPos() const {
  const int LastRow = FloorDiv(std::max(FMin, FMax) - 1, ComputeNumSldX());
  return std::max(MinRowPos(), LastRow + 1 - (height() - 20) / double(Pitch()));
}

void TThumbnails::ScrollToRow(double P) {
  P = std::clamp(P, MinRowPos(), MaxRowPos());
  FNumSldX = ComputeNumSldX();
  const double Row = std::floor(P);
  const double X = 1.0 + Row * FNumSldX + (P - Row);
  if (Change(FFirstThumbIx, X)) Changed();
}

void TThumbnails::SyncScrollBar() {
  const double Lo = MinRowPos(), Span = MaxRowPos() - Lo;
  FRowUnits = Span * Pitch() < MaxBarUnits ? Pitch() : std::max(1.0, std::floor(MaxBarUnits / Span));
  FSyncingBar = true;
  FScrollBar->setRange(0, int(std::lround(Span * FRowUnits)));
  FScrollBar->setPageStep(std::max(1, int(FRowUnits * (height() - 20) / Pitch())));
  FScrollBar->setSingleStep(std::max(1, int(FRowUnits / 4)));
  FScrollBar->setValue(int(std::lround((RowPos() - Lo) * FRowUnits)));
  FSyncingBar = false;
}

void TThumbnails::ScrollBarMoved(int Value) {
  if (!FSyncingBar) ScrollToRow(MinRowPos() + Value / FRowUnits);
}

void TThumbnails::Resize() {
  const int W = FScrollBar->sizeHint().width();
  FScrollBar->setGeometry(width() - W, 0, W, height());
  SyncScrollBar();
  TCustomControl::Resize();
}

// ---- slide geometry, colours, frames ---------------------------------------------

void TThumbnails::SetSlideSize(int V) {
  if (Change(FThumbBaseSize, std::min(std::max(V, 50), width()))) Changed();
}

void TThumbnails::SetSlideDistance(int V) {
  if (Change(FSlideDist, std::clamp(V, 0, 100))) Changed();
}

void TThumbnails::SetSlideMargin(int V) {
  if (Change(FSlideMargin, std::clamp(V, 0, 100))) Changed();
}

void TThumbnails::SetAntiAlias(bool On) {
  if (Change(FAntiAlias, On)) Changed();
}

void TThumbnails::SetColorBackGnd(TColor C) {
  if (Change(FColorBG, C)) Changed();
}

void TThumbnails::SetColorCover(TColor C) {
  if (Change(FColorCover, C)) Changed();
}

void TThumbnails::SetColorSelected(TColor C) {
  if (Change(FColorSelected, C)) Changed();
}

void TThumbnails::SetColorFocus(TColor C) {
  if (Change(FColorHilite, C)) Changed();
}

void TThumbnails::SetColorMark(TColor C) {
  if (Change(FMarkColor, C)) Changed();
}

void TThumbnails::SetColorScheme(TColorScheme S) {
  if (!Change(FColorScheme, S)) return;
  FColGrayLine = SchemeGrayLine(S);
  FColWhiteLine = SchemeWhiteLine(S);
  Changed();
}

void TThumbnails::SetFrameStyle(TFrameStyle S) {
  if (Change(FFrameStyle, S)) Changed();
}

void TThumbnails::SetOuterFrameStyle(TFrameStyle S) {
  if (Change(FOuterFrameStyle, S)) Changed();
}

void TThumbnails::SetInnerFrameStyle(TFrameStyle S) {
  if (Change(FInnerFrameStyle, S)) Changed();
}

void TThumbnails::SetFocusLinewidth(int V) {
  if (Change(FHiliteThickness, std::clamp(V, 0, 10))) Changed();
}

// ---- selection -------------------------------------------------------------------

void TThumbnails::SetSlideSelectMode(TSlideSelectMode M) {
  if (!Change(FSelectMode, M)) return;
  FSelectedSlide->Clear();
  Changed();
}

bool TThumbnails::SlideSelected(int I) const {
  return FSelectedSlide->GetBit(int((long long)I - FMin));
}

void TThumbnails::SetSlideSelected(int I, bool On) {
  const long long Bit = (long long)I - FMin;
  if (Bit < 0 || Bit >= FSelectedSlide->Size()) return;
  FSelectedSlide->SetBit(int(Bit), On);
  Changed();
  host::NotifyAccessibleEvent(this, QAccessible::SelectionWithin);
}

void TThumbnails::ResetAllSelections() {
  FSelectedSlide->Clear();
  Changed();
  host::NotifyAccessibleEvent(this, QAccessible::SelectionWithin);
}

int TThumbnails::FirstSelectedSlide() const { return FSelectedSlide->FirstTrueBit() + FMin; }
int TThumbnails::NumSlidesSelected() const { return FSelectedSlide->CountTrueBits(); }

//   mode          plain click        Ctrl+click    Shift+click
//   ssmDisabled   -                  -             -
//   ssmSingle     S alone (gap: none)  as plain    as plain
//   ssmMultiple   S alone (gap: none)  toggles S   last clicked .. S
void TThumbnails::SelectByClick(int S, TShiftState Shift) {
  if (FSelectMode == ssmDisabled) return;
  const bool Multi = FSelectMode == ssmMultiple;
  if (Multi && S != 0 && (Shift & ssCtrl)) {
    FSelectedSlide->SetBit(S - FMin, !SlideSelected(S));
  } else if (Multi && S != 0 && (Shift & ssShift) && FLastClickedSlide != 0) {
    FSelectedSlide->Clear();
    for (long long I = std::min(S, FLastClickedSlide); I <= std::max(S, FLastClickedSlide); ++I)
      FSelectedSlide->SetBit(int(I - FMin), true);
  } else {
    FSelectedSlide->Clear();
    if (S != 0) FSelectedSlide->SetBit(S - FMin, true);
  }
  if (S != 0 && !(Multi && (Shift & ssShift))) FLastClickedSlide = S;
  if (S == 0) FLastClickedSlide = 0;
  Changed();
  host::NotifyAccessibleEvent(this, QAccessible::SelectionWithin);
}

// ---- geometry queries ------------------------------------------------------------

int TThumbnails::CalcSlideIndex(int X, int Y) const {
  const int Q = Pitch(), Span = SlideSpan();
  if (X < 10 || X > AreaWidth() - 10 || Y < 10 || Y > height() - 10) return 0;
  const int A = (X - 10) / Q;
  if (!(Q * A + 10 <= X && X <= Q * A + Span + 10) || A + 1 > FNumSldX) return 0;
  const int D = Round((FFirstThumbIx - std::floor(FFirstThumbIx)) * Q);
  const int E = FloorDiv(Y + D - FSlideDist - 10, Q);
  const int F = Q * E + FSlideDist - D + 10;
  if (!(F <= Y && Y <= F + Span) || E + 1 < 1) return 0;
  const long long S = (long long)std::floor(FFirstThumbIx) + (long long)E * FNumSldX + A;
  return S < FMin || S > FMax ? 0 : int(S);
}

void TThumbnails::CalcSlidePos(int S, int& X, int& Y) const {
  const int Q = Pitch(), N = std::max(1, FNumSldX);
  const int B = Round(std::floor(FFirstThumbIx));
  X = Q * ((S - B) % N) + 10;
  Y = Q * ((S - B) / N) + FSlideDist - Round((FFirstThumbIx - std::floor(FFirstThumbIx)) * Q) + 10;
}

// ---- screen readers ----------------------------------------------------------------

int TThumbnails::AccessibleItemCount() const {
  return int(std::max<long long>(0, (long long)FMax - FMin + 1));
}

QString TThumbnails::AccessibleItemText(int Index) const {
  return QStringLiteral("Slide %1").arg((long long)FMin + Index);
}

// The slide's square, clipped to the painting area between the bands.
QRect TThumbnails::AccessibleItemRect(int Index) const {
  int X = 0, Y = 0;
  CalcSlidePos(FMin + Index, X, Y);
  const QRect Area(10, 10, AreaWidth() - 20, height() - 20);
  if (Index < 0 || Index >= AccessibleItemCount()) return {};
  return QRect(X, Y, SlideSpan(), SlideSpan()).intersected(Area);
}

QAccessible::State TThumbnails::AccessibleState() const {
  QAccessible::State S;
  S.multiSelectable = FSelectMode == ssmMultiple;
  return S;
}

// ---- focus frame ------------------------------------------------------------------

// Outlines FocusLinewidth nested rectangles of slide S in Color, then clears
// the bands again so that a frame never shows in them.
void TThumbnails::DrawFocusFrame(TCanvas& C, int S, TColor Color) {
  int X, Y;
  CalcSlidePos(S, X, Y);
  const int X1 = X + 2, Y1 = std::max(Y + 2, 2);
  const int B = std::min(height() - 3, Y + 2 * FSlideMargin + FThumbBaseSize - 2);
  C.Pen().SetColor(Color);
  C.Pen().SetWidth(1);
  C.Brush().SetStyle(host::bsClear);
  for (int I = 1; I <= FHiliteThickness; ++I)
    DrawRectangle(C, X1 + I - 1, Y1 + I - 1, X + 2 * FSlideMargin + FThumbBaseSize - I - 1, B - I + 1);
  ClearBands(C);
}

void TThumbnails::ClearBands(TCanvas& C) {
  const int W = AreaWidth(), H = height();
  C.Pen().SetColor(FColorBG);
  C.Brush().SetColor(FColorBG);
  C.FillRect(Rect(2, 2, W - 2, 10));
  C.FillRect(Rect(2, H - 10, W - 2, H - 2));
}

void TThumbnails::HiLite(int S) {
  if (S < FMin || S > FMax || FIsWorking) return;
  (void)ScreenImage();
  DrawFocusFrame(Canvas(), S, FColorHilite);
  Canvas().Flush();
  update();
}

void TThumbnails::ResetLastHiLite() {
  if (FLastHiLite < FMin || FLastHiLite > FMax || FIsWorking) return;
  (void)ScreenImage();
  DrawFocusFrame(Canvas(), FLastHiLite, SlideSelected(FLastHiLite) ? FColorSelected : FColorCover);
  Canvas().Flush();
  update();
}

// ---- painting ------------------------------------------------------------------------

void TThumbnails::Paint() {
  if (FIsWorking) return;
  FIsWorking = true;
  FChangedWhileWorking = false;
  TCanvas& C = Canvas();
  const int W = AreaWidth(), H = height(), Q = Pitch();
  C.Font().Assign(Font());
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  C.Pen().SetWidth(1);
  C.Pen().SetColor(FColorBG);
  C.Brush().SetColor(FColorBG);
  C.Rectangle(0, 0, width(), H);

  const int N = std::max(1, (W - 20 + FSlideDist) / Q);
  if (N != FNumSldX) {
    // Re-normalize the position for the new row length.
    FNumSldX = N;
    const double X = std::clamp(FFirstThumbIx, double(FMin), double(std::max(FMin, FMax)));
    const double Start = N * (int(std::trunc(X - 1)) / N) + 1;
    FFirstThumbIx = Start + (X - Start) / N;
  }
  FNumSldY = H / Q + 1;

  bool HandlersOk = Guarded(
      [&] { Notify(this, OnFirstImageRequest, &TThumbnails::firstImageRequested); });
  host::TBitmap Buffer;
  const long long First = (long long)std::floor(FFirstThumbIx);
  const int Shift = Round((FFirstThumbIx - std::floor(FFirstThumbIx)) * Q);
  for (int Col = 1; Col <= FNumSldX; ++Col)
    for (int Row = 1; Row <= FNumSldY; ++Row) {
      const long long T = First + (long long)(Row - 1) * FNumSldX + Col - 1;
      if (T < FMin || T > FMax) continue;
      DrawSlide(C, Buffer, int(T), (Col - 1) * Q + 10, (Row - 1) * Q + FSlideDist - Shift + 10, HandlersOk);
    }
  if (HandlersOk)
    Guarded([&] { Notify(this, OnLastImageRequest, &TThumbnails::lastImageRequested); });
  DrawBandsAndFrame(C);
  if (FHiliteThickness > 0 && FLastHiLite >= FMin && FLastHiLite <= FMax)
    DrawFocusFrame(C, FLastHiLite, FColorHilite);
  FIsWorking = false;
  if (FChangedWhileWorking) Invalidate();
}

void TThumbnails::DrawSlide(TCanvas& C, host::TBitmap& Buffer, int T, int X, int Y, bool& HandlersOk) {
  const TSlideRect R{X, Y, X + SlideSpan(), Y + SlideSpan()};
  TImageRequestProcessing How = irpShowEmpty;
  int MarkIt = -1;
  if (HandlersOk && OnImageRequest)
    HandlersOk = Guarded([&] { OnImageRequest(this, T, How, MarkIt, Buffer); });
  if (!HandlersOk) How = irpShowFrameOnly;
  if (How != irpShowNothing) DrawFace(C, R, T);
  C.Pen().SetColor(clBlack);
  if (How == irpShowEmpty) DrawNumber(C, R, T);
  else if (How == irpShowSlide && !Buffer.Empty()) DrawPicture(C, R, Buffer);
  if (MarkIt != -1) {
    C.Pen().SetColor(FMarkColor);
    C.Brush().SetColor(FMarkColor);
    DrawMarkOnCanvas(C, MarkIt, X + 10, Y + 12);
  }
  if (HandlersOk && OnSlideRendered)
    HandlersOk = Guarded([&] { OnSlideRendered(this, C, X, Y, T); });
}

void TThumbnails::DrawFace(TCanvas& C, const TSlideRect& R, int T) {
  const TColor Face = SlideSelected(T) ? FColorSelected : FColorCover;
  C.Pen().SetColor(Face);
  C.Brush().SetColor(Face);
  C.Rectangle(R.X, R.Y, R.X2 + 1, R.Y2 + 1);
  DrawFrame(C, FOuterFrameStyle, R.X, R.Y, R.X2, R.Y2, FColWhiteLine, clSilver, FColGrayLine,
            FColBlackLine, FColBlackLine);
}

// A white box across the middle with the slide's number.
void TThumbnails::DrawNumber(TCanvas& C, const TSlideRect& R, int T) {
  C.Brush().SetColor(clWhite);
  C.Rectangle(R.X + FSlideMargin, R.Y + FSlideMargin + 20, R.X2 - FSlideMargin, R.Y2 - FSlideMargin - 20);
  const QString Text = QString::number(T);
  C.Font().SetColor(clBlack);
  C.TextOut((R.X + R.X2) / 2 - C.TextWidth(Text) / 2, (R.Y + R.Y2) / 2 - C.TextHeight(Text) / 2, Text);
  C.Font().SetColor(Font().Color());
}

// The whole picture scaled into the SlideSize square, keeping its aspect
// ratio, centred across the short side.
void TThumbnails::DrawPicture(TCanvas& C, const TSlideRect& R, const host::TBitmap& Picture) {
  const double PW = Picture.Width(), PH = Picture.Height();
  const int S = FThumbBaseSize;
  TRect Target;
  if (PW < PH) {
    const int F = Round(PW * S / PH);
    const int L = R.X + FSlideMargin + (S - F) / 2;
    Target = Rect(L, R.Y + FSlideMargin, L + F, R.Y2 - FSlideMargin);
  } else {
    const int F = Round(PH * S / PW);
    const int T = R.Y + FSlideMargin + (S - F) / 2;
    Target = Rect(R.X + FSlideMargin, T, R.X2 - FSlideMargin, T + F);
  }
  if (Target.Width() <= 0 || Target.Height() <= 0) return;
  C.SetStretchMode(FAntiAlias ? host::smHalftone : host::smColorOnColor);
  C.StretchDraw(Target, Picture);
  DrawFrame(C, FInnerFrameStyle, Target.Left, Target.Top, Target.Right, Target.Bottom, FColWhiteLine,
            clSilver, FColGrayLine, FColBlackLine, FColBlackLine);
}

void TThumbnails::DrawBandsAndFrame(TCanvas& C) {
  const int W = AreaWidth(), H = height();
  C.Pen().SetColor(FColorBG);
  C.Brush().SetColor(FColorBG);
  C.Rectangle(0, 0, W, 10);
  C.Rectangle(0, H - 10, W, H);
  DrawFrame(C, FFrameStyle, 0, 0, W - 2, H - 2, FColWhiteLine, clSilver, FColGrayLine, FColBlackLine,
            FColBlackLine);
}

// ---- mouse and keyboard -------------------------------------------------------------

void TThumbnails::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLastDown = {X, Y};
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TThumbnails::MoveFocus(int S) {
  if (S == FLastHiLite) return;
  ResetLastHiLite();
  FLastHiLite = S;
  HiLite(S);
  if (S != 0 && hasFocus()) host::NotifyAccessibleEvent(this, QAccessible::Focus, S - FMin);
  if (OnFocusChange) OnFocusChange(this);
  Q_EMIT focusChanged(S);
}

void TThumbnails::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FHiliteThickness > 0) MoveFocus(CalcSlideIndex(X, Y));
}

void TThumbnails::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || (X == -1 && Y == -1)) return;
  const int S = CalcSlideIndex(X, Y);
  SelectByClick(S, Shift);
  if (OnImageClick) OnImageClick(this, X, Y, S);
  Q_EMIT imageClicked(S);
}

void TThumbnails::DblClick() {
  TCustomControl::DblClick();
  const int S = CalcSlideIndex(FLastDown.X, FLastDown.Y);
  if (OnImageDblClick) OnImageDblClick(this, FLastDown.X, FLastDown.Y, S);
  Q_EMIT imageDoubleClicked(S);
}

// Scrolls the least distance that shows the whole row of slide S.
void TThumbnails::EnsureVisible(int S) {
  const int N = ComputeNumSldX();
  const double Row = FloorDiv(S - 1, N);
  const double Rows = (height() - 20) / double(Pitch());
  const double P = RowPos();
  if (Row < P) ScrollToRow(Row);
  else if (Row + 1 > P + Rows) ScrollToRow(Row + 1 - Rows);
}

void TThumbnails::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const int N = ComputeNumSldX();
  const int PageRows = std::max(1, (height() - 20) / Pitch());
  int Step = 0;
  switch (Key) {
    case VK_UP: Step = -N; break;
    case VK_DOWN: Step = N; break;
    case VK_LEFT: Step = -1; break;
    case VK_RIGHT: Step = 1; break;
    case VK_PRIOR: Step = -N * PageRows; break;
    case VK_NEXT: Step = N * PageRows; break;
    case VK_HOME: Step = INT_MIN; break;
    case VK_END: Step = INT_MAX; break;
    case VK_SPACE:
    case VK_RETURN: {
      if (FLastHiLite < FMin || FLastHiLite > FMax) return;
      int X, Y;
      CalcSlidePos(FLastHiLite, X, Y);
      X += SlideSpan() / 2;
      Y += SlideSpan() / 2;
      if (Key == VK_SPACE) {
        SelectByClick(FLastHiLite, Shift);
        if (OnImageClick) OnImageClick(this, X, Y, FLastHiLite);
        Q_EMIT imageClicked(FLastHiLite);
      } else {
        if (OnImageDblClick) OnImageDblClick(this, X, Y, FLastHiLite);
        Q_EMIT imageDoubleClicked(FLastHiLite);
      }
      Key = 0;
      return;
    }
    default: return;
  }
  Key = 0;
  if (FHiliteThickness == 0) {
    // No focus to move: the keys scroll.
    const double P = RowPos();
    if (Step == INT_MIN) ScrollToRow(MinRowPos());
    else if (Step == INT_MAX) ScrollToRow(MaxRowPos());
    else ScrollToRow(P + (std::abs(Step) < N ? Step : Step / N));
    return;
  }
  const int From = FLastHiLite >= FMin && FLastHiLite <= FMax ? FLastHiLite : FMin;
  long long To = Step == INT_MIN ? FMin : Step == INT_MAX ? FMax : (long long)From + Step;
  if (FLastHiLite < FMin || FLastHiLite > FMax) To = FMin;
  const int S = int(std::clamp(To, (long long)FMin, (long long)std::max(FMin, FMax)));
  EnsureVisible(S);
  MoveFocus(S);
}

void TThumbnails::wheelEvent(QWheelEvent* E) {
  FWheelRest += E->angleDelta().y();
  const int Notches = FWheelRest / 120;
  FWheelRest -= Notches * 120;
  if (Notches != 0) ScrollToRow(RowPos() - Notches * 0.5);
  E->accept();
}

// ---- Assign ----------------------------------------------------------------------------

void TThumbnails::Assign(const TThumbnails& Source) {
  const auto* S = &Source;
  if (S == this) return;
  FFrameStyle = S->FFrameStyle;
  FOuterFrameStyle = S->FOuterFrameStyle;
  FInnerFrameStyle = S->FInnerFrameStyle;
  FColorBG = S->FColorBG;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FFirstThumbIx = S->FFirstThumbIx;
  FMin = S->FMin;
  FMax = S->FMax;
  FNumSldX = S->FNumSldX;
  FNumSldY = S->FNumSldY;
  FThumbBaseSize = S->FThumbBaseSize;
  FSlideDist = S->FSlideDist;
  FSlideMargin = S->FSlideMargin;
  OnImageRequest = S->OnImageRequest;
  OnImageClick = S->OnImageClick;
  OnImageDblClick = S->OnImageDblClick;
  OnFocusChange = S->OnFocusChange;
  OnFirstImageRequest = S->OnFirstImageRequest;
  OnLastImageRequest = S->OnLastImageRequest;
  FAntiAlias = S->FAntiAlias;
  FColorCover = S->FColorCover;
  FColorSelected = S->FColorSelected;
  FColorHilite = S->FColorHilite;
  FLastHiLite = S->FLastHiLite;
  FHiliteThickness = S->FHiliteThickness;
  ResizeSelection();
  Changed();
}

QSize TThumbnails::minimumSizeHint() const {
  const int Slide = FThumbBaseSize + 2 * FSlideMargin + 20;
  return sizeHint().boundedTo(QSize(Slide, Slide));
}

}  // namespace qor
