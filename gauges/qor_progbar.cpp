#include "gauges/qor_progbar.h"

#include <charconv>
#include <cmath>

#include "host/qor_format.h"

namespace qor {

using host::FormatF;

namespace {

// Scientific text in the shortest form that reads back exactly, with an
// exponent of sign and four digits ("1.25E+0001"). With TwoDigits the exponent
// is cut to two digits; an exponent that does not fit turns the whole text
// into asterisks.
QString ScientificText(double V, bool TwoDigits) {
  if (!std::isfinite(V)) return FormatF(V, 0, QChar('.'));
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, V, std::chars_format::scientific);
  const QString Raw = QString::fromLatin1(Buffer, int(Result.ptr - Buffer));
  const int E = Raw.indexOf(QChar('e'));
  const int Exponent = Raw.mid(E + 1).toInt();
  const QString Digits = QString::number(std::abs(Exponent)).rightJustified(4, QChar('0'));
  const QString Text = Raw.left(E) + QChar('E') + QChar(Exponent < 0 ? '-' : '+');
  if (!TwoDigits) return Text + Digits;
  if (Digits.startsWith(QLatin1String("00"))) return Text + Digits.mid(2);
  return QString(Text.size() + 4, QChar('*'));
}

}  // namespace

// The bar's extent along its growth axis: the track of Track pixels, the bar's
// first Bar of them, and where line k of the fill lies (Start + Sign * k).
struct TProgBar::TBarGeometry {
  bool Vertical;
  int Track, Bar;
  int Start, Sign;
  int Line(int K) const { return Start + Sign * K; }
};

TProgBar::TProgBar(QWidget* AOwner)
    : TGraphicControl(AOwner), FTimer(new host::TTimerWindow([this] { DoTimer(); }, this)) {
  FBarColorArray[0] = clBlue;
  FBarColorArray[ColorTableSize - 1] = clRed;
  FillColorTable();
  SetDefaultSize(300, 28);
}

TProgBar::~TProgBar() = default;

// ---- value, range, direction ----------------------------------------------------

void TProgBar::SetValue(double V) {
  if (!Change(FProgValue, V)) return;
  Refresh();
  Q_EMIT valueChanged(V);
  host::NotifyAccessibleValue(this, FProgValue);
}

void TProgBar::SetMin(double V) {
  if (Change(FProgMin, V)) Refresh();
}

void TProgBar::SetMax(double V) {
  if (Change(FProgMax, V)) Refresh();
}

void TProgBar::SetRange(double AMin, double AMax) {
  FProgMin = std::min(AMin, AMax);
  FProgMax = std::max(AMin, AMax);
  Refresh();
}

void TProgBar::SetDirection(TDirection D) {
  if (Change(FDirection, D)) Refresh();
}

// ---- automatic increment ----------------------------------------------------------

void TProgBar::StartTimer(int Ms) {
  if (!FTimer->Start(Ms)) throw EQORProgBar(ComponentMessage(this, QStringLiteral("no timer available")));
}

// The start delay: the first tick comes after StartInterval.
void TProgBar::InitTimer() {
  FIsStart = true;
  FTimer->Stop();
  if (FStartIv > 0 && FTimerEnabled) StartTimer(FStartIv);
}

// Repeating: every following tick after RepeatInterval.
void TProgBar::UpdateTimer() {
  FIsStart = false;
  FTimer->Stop();
  if (FRepeatIv > 0 && FTimerEnabled) StartTimer(FRepeatIv);
}

void TProgBar::DoTimer() {
  if (FIsStart) UpdateTimer();
  AutoIncEvent();
  Notify(this, FOnAutoInc, &TProgBar::autoIncremented);
}

void TProgBar::AutoIncEvent() {
  const double Old = FProgValue;
  FProgValue += FAutoIncStep;
  Refresh();
  if (FProgValue != Old) Q_EMIT valueChanged(FProgValue);
  host::NotifyAccessibleValue(this, FProgValue);
}

void TProgBar::SetAutoInc(bool On) {
  if (!Change(FTimerEnabled, On)) return;
  if (!Designing()) InitTimer();
}

void TProgBar::SetAutoIncStep(double Step) {
  if (Step == 0 || std::isnan(Step)) return;
  FAutoIncStep = Step;
}

void TProgBar::SetStartInterval(int Ms) {
  if (Change(FStartIv, std::max(10, Ms)) && !Designing()) InitTimer();
}

void TProgBar::SetRepeatInterval(int Ms) {
  if (Change(FRepeatIv, std::max(10, Ms)) && !Designing()) UpdateTimer();
}

void TProgBar::SetOnAutoInc(TNotifyEvent Handler) {
  FOnAutoInc = std::move(Handler);
  if (!Designing()) UpdateTimer();
}

// ---- colours and fill ---------------------------------------------------------------

// Entries 1..1022 interpolate each byte between the two ends, truncated.
void TProgBar::FillColorTable() {
  const TColor C0 = ColorToRGB(FBarColorArray[0], this);
  const TColor C1 = ColorToRGB(FBarColorArray[ColorTableSize - 1], this);
  auto Mix = [](int A, int B, double X) { return int(A + (B - A) * X); };
  for (int I = 1; I < ColorTableSize - 1; ++I) {
    const double X = std::clamp(I / double(ColorTableSize - 1), 0.0, 1.0);
    FBarColorArray[I] = RGB(Mix(GetRValue(C0), GetRValue(C1), X), Mix(GetGValue(C0), GetGValue(C1), X),
                            Mix(GetBValue(C0), GetBValue(C1), X));
  }
}

void TProgBar::SetColorMin(TColor C) {
  FBarColorArray[0] = C;
  FillColorTable();
  Refresh();
}

void TProgBar::SetColorMax(TColor C) {
  FBarColorArray[ColorTableSize - 1] = C;
  FillColorTable();
  Refresh();
}

TColor TProgBar::BarColors(int Ix) const {
  return Ix >= 0 && Ix < ColorTableSize ? FBarColorArray[size_t(Ix)] : clBlack;
}

void TProgBar::SetBarColors(int Ix, TColor C) {
  if (Ix >= 0 && Ix < ColorTableSize) FBarColorArray[size_t(Ix)] = C;
}

void TProgBar::SetShowColorGradient(bool On) {
  if (Change(FColorGrad, On)) Refresh();
}

void TProgBar::SetColorMapMode(TColorMapping M) {
  if (Change(FColorMapMode, M)) Refresh();
}

void TProgBar::SetColorGrid(TColor C) {
  if (Change(FColorGrid, C)) Refresh();
}

void TProgBar::SetGridDist(int N) {
  if (Change(FGridDist, N)) Refresh();
}

// ---- track, margins, frames ---------------------------------------------------------

void TProgBar::SetColorBackGnd(TColor C) {
  if (Change(FColorBakG, C)) Refresh();
}

void TProgBar::SetColorMargin(TColor C) {
  if (Change(FColorMargin, C)) Refresh();
}

void TProgBar::SetColorScheme(TColorScheme S) {
  if (!Change(FColorScheme, S)) return;
  FColGrayLine = SchemeGrayLine(S);
  FColWhiteLine = SchemeWhiteLine(S);
  Refresh();
}

void TProgBar::SetFrameStyleOuter(TFrameStyle S) {
  if (Change(FFrameStyleOuter, S)) Refresh();
}

void TProgBar::SetFrameStyleInner(TFrameStyle S) {
  if (Change(FFrameStyleInner, S)) Refresh();
}

void TProgBar::SetMarginLeft(int N) {
  if (Change(FMarginLeft, N)) Refresh();
}

void TProgBar::SetMarginRight(int N) {
  if (Change(FMarginRight, N)) Refresh();
}

void TProgBar::SetMarginTop(int N) {
  if (Change(FMarginTop, N)) Refresh();
}

void TProgBar::SetMarginBottom(int N) {
  if (Change(FMarginBottom, N)) Refresh();
}

void TProgBar::SetBackGroundImg(const QString& FileName) {
  if (FileName.isEmpty()) {
    FBakGndFile.clear();
  } else {
    try {
      AuxBmp.LoadFromFile(FileName);
      FBakGndFile = FileName;
    } catch (const host::EInvalidGraphic&) {
    }
  }
  Refresh();
}

// ---- value text ------------------------------------------------------------------

void TProgBar::SetTextVisible(bool On) {
  FShowValue = On;
  Refresh();
}

void TProgBar::SetTextPosX(int X) {
  FTextPosX = std::clamp(X, 0, width());
  Refresh();
}

void TProgBar::SetTextPosY(int Y) {
  FTextPosY = std::clamp(Y, 0, height());
  Refresh();
}

void TProgBar::SetTextDecPlaces(int N) {
  FTextDecPlaces = std::clamp(N, -2, 10);
  Refresh();
}

void TProgBar::SetTextAngle(int Degrees) {
  FTextAngle = std::clamp(Degrees, 0, 360);
  Refresh();
}

void TProgBar::SetTextAlignment(TAlignment A) {
  if (Change(FAlignment, A)) Refresh();
}

QString TProgBar::FormatValue() const {
  if (FTextDecPlaces >= 0) return FormatF(FProgValue, FTextDecPlaces, QChar('.'));
  return ScientificText(FProgValue, FTextDecPlaces == -1);
}

// ---- Assign ------------------------------------------------------------------------

void TProgBar::Assign(const TProgBar& Source) {
  const auto* S = &Source;
  if (S == this) return;
  FFrameStyleOuter = S->FFrameStyleOuter;
  FFrameStyleInner = S->FFrameStyleInner;
  FProgValue = S->FProgValue;
  FProgMax = S->FProgMax;
  FProgMin = S->FProgMin;
  FColorMargin = S->FColorMargin;
  FColBlackLine = S->FColBlackLine;
  FColGrayLine = S->FColGrayLine;
  FColWhiteLine = S->FColWhiteLine;
  FColorScheme = S->FColorScheme;
  FDirection = S->FDirection;
  FBarColorArray = S->FBarColorArray;
  AuxBmp.Assign(S->AuxBmp);
  FColorBakG = S->FColorBakG;
  FColorGrad = S->FColorGrad;
  FColorGrid = S->FColorGrid;
  FGridDist = S->FGridDist;
  FColorMapMode = S->FColorMapMode;
  FMarginLeft = S->FMarginLeft;
  FMarginRight = S->FMarginRight;
  FMarginTop = S->FMarginTop;
  FMarginBottom = S->FMarginBottom;
  FBakGndFile = S->FBakGndFile;
  FTextPosX = S->FTextPosX;
  FTextPosY = S->FTextPosY;
  FTextDecPlaces = S->FTextDecPlaces;
  FTextAngle = S->FTextAngle;
  FAlignment = S->FAlignment;
  OnShowValue = S->OnShowValue;
  FShowValue = S->FShowValue;
  Refresh();
}

// ---- painting ----------------------------------------------------------------------

TProgBar::TBarGeometry TProgBar::Geometry() const {
  const int W = width(), H = height();
  const int L = FMarginLeft, R = FMarginRight, T = FMarginTop, B = FMarginBottom;
  const double Span = FProgMax - FProgMin;
  double F = Span != 0 ? (FProgValue - FProgMin) / Span : 0;
  F = std::isnan(F) ? 0 : std::clamp(F, 0.0, 1.0);
  TBarGeometry G{};
  G.Vertical = FDirection == dirUp || FDirection == dirDown;
  G.Track = std::max(0, G.Vertical ? H - T - B : W - L - R);
  G.Bar = Round(G.Track * F);
  switch (FDirection) {
    case dirUp: G.Start = H - B - 1; G.Sign = -1; break;
    case dirDown: G.Start = T; G.Sign = 1; break;
    case dirLeft: G.Start = W - R - 1; G.Sign = -1; break;
    default: G.Start = L; G.Sign = 1; break;
  }
  return G;
}

void TProgBar::Paint() {
  TCanvas& C = Canvas();
  const int W = width(), H = height();
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  C.Pen().SetWidth(1);
  DrawTrack(C);
  const TBarGeometry G = Geometry();
  DrawBar(C, G);
  DrawGrid(C, G);
  DrawFrame(C, FFrameStyleInner, FMarginLeft, FMarginTop, W - FMarginRight, H - FMarginBottom);
  DrawFrame(C, FFrameStyleOuter, 0, 0, W, H);
  if (FShowValue) DrawValueText(C);
}

void TProgBar::DrawTrack(TCanvas& C) {
  const int W = width(), H = height();
  const TRect Inner = Rect(FMarginLeft, FMarginTop, W - FMarginRight, H - FMarginBottom);
  C.Pen().SetColor(FColorMargin);
  C.Brush().SetColor(FColorMargin);
  C.Rectangle(0, 0, W, H);
  C.Pen().SetColor(FColorBakG);
  C.Brush().SetColor(FColorBakG);
  C.Rectangle(Inner);
  if (!FBakGndFile.isEmpty()) C.StretchDraw(Inner, AuxBmp);
}

int TProgBar::TableIndex(int K, int Track, int Bar) const {
  int Ix;
  switch (FColorMapMode) {
    case cgmCover: Ix = Round(K * 1023.0 / Track); break;
    case cgmMove: Ix = Round(K * 1023.0 / Track) - Round((Bar - 1) * 1023.0 / Track) + 1023; break;
    default: Ix = Round(K * 1023.0 / Bar); break;
  }
  return std::clamp(Ix, 0, ColorTableSize - 1);
}

// The filled part: one colour, or one table colour per line across the
// track. The gradient lines are laid out in a strip one pixel thick and
// stretched across the track in one copy.
void TProgBar::DrawBar(TCanvas& C, const TBarGeometry& G) {
  if (G.Bar <= 0) return;
  const int Near = G.Line(0), Far = G.Line(G.Bar - 1);
  const int From = std::min(Near, Far), To = std::max(Near, Far) + 1;
  const int L = FMarginLeft, T = FMarginTop;
  const int R = width() - FMarginRight, B = height() - FMarginBottom;
  const TRect Filled = G.Vertical ? Rect(L, From, R, To) : Rect(From, T, To, B);
  if (!FColorGrad) {
    C.Pen().SetColor(FBarColorArray[0]);
    C.Brush().SetColor(FBarColorArray[0]);
    C.Rectangle(Filled);
    return;
  }
  host::TBitmap Strip(G.Vertical ? 1 : G.Bar, G.Vertical ? G.Bar : 1);
  for (int K = 0; K < G.Bar; ++K) {
    const TColor Color = ColorToRGB(FBarColorArray[size_t(TableIndex(K, G.Track, G.Bar))], this);
    const QRgb Pixel = qRgb(GetRValue(Color), GetGValue(Color), GetBValue(Color));
    const int At = G.Sign < 0 ? G.Bar - 1 - K : K;
    if (G.Vertical) Strip.ScanLine(At)[0] = Pixel;
    else Strip.ScanLine(0)[At] = Pixel;
  }
  C.StretchDraw(Filled, Strip);
}

// Grid lines every GridDist pixels from the bar's start edge across the fill.
void TProgBar::DrawGrid(TCanvas& C, const TBarGeometry& G) {
  if (FGridDist <= 1) return;
  C.Pen().SetColor(FColorGrid);
  const int Last = G.Vertical ? G.Bar - 1 : G.Bar;
  for (int K = 0; K <= Last; K += FGridDist) DrawAcross(C, G, K);
}

// Line K of the fill across the track: a row of a vertical bar, a column of a
// horizontal one, in the pen's colour.
void TProgBar::DrawAcross(TCanvas& C, const TBarGeometry& G, int K) {
  const int P = G.Line(K);
  if (G.Vertical) {
    C.MoveTo(FMarginLeft, P);
    C.LineTo(width() - FMarginRight, P);
  } else {
    C.MoveTo(P, FMarginTop);
    C.LineTo(P, height() - FMarginBottom);
  }
}

// The bar's own frame looks (right and bottom exclusive); the two corners
// where light and shadow meet take the margin colour.
void TProgBar::DrawFrame(TCanvas& C, TFrameStyle Style, int L, int T, int R, int B) {
  if (Style == fsNone) return;
  C.Brush().SetStyle(host::bsClear);
  auto Stroke = [&](TColor Color, std::initializer_list<TPoint> Points) {
    C.Pen().SetColor(Color);
    auto P = Points.begin();
    C.MoveTo(P->X, P->Y);
    for (++P; P != Points.end(); ++P) C.LineTo(P->X, P->Y);
  };
  auto Outline = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    C.Pen().SetColor(Color);
    C.Rectangle(X1, Y1, X2, Y2);
  };
  auto Bevel = [&](TColor UpperLeft, TColor LowerRight) {
    Stroke(UpperLeft, {{L + 1, B - 3}, {L + 1, T + 1}, {R - 1, T + 1}});
    Stroke(LowerRight, {{L + 1, B - 1}, {R - 1, B - 1}, {R - 1, T}});
    Outline(FColGrayLine, L, T, R - 1, B - 1);
  };
  switch (Style) {
    case fsSimple: Outline(FColGrayLine, L, T, R, B); return;
    case fsLowered: Bevel(FColBlackLine, FColWhiteLine); break;
    case fsRaised: Bevel(FColWhiteLine, FColBlackLine); break;
    case fsEmbossed:
      Outline(FColGrayLine, L + 1, T + 1, R, B);
      Outline(FColWhiteLine, L, T, R - 1, B - 1);
      break;
    case fsEngraved:
      Outline(FColWhiteLine, L + 1, T + 1, R, B);
      Outline(FColGrayLine, L, T, R - 1, B - 1);
      break;
    default: return;
  }
  C.SetPixel(L, B - 1, FColorMargin);
  C.SetPixel(R - 1, T, FColorMargin);
}

// (TextPosX, TextPosY) is the middle of the text's left edge, centre or right
// edge; the text turns counter-clockwise about it.
void TProgBar::DrawValueText(TCanvas& C) {
  C.Font().Assign(Font());
  C.Font().SetOrientation(FTextAngle * 10);
  C.Brush().SetStyle(host::bsClear);
  QString Text = FormatValue();
  if (OnShowValue) OnShowValue(this, Text);
  const int W = C.TextWidth(Text) / 2, H = C.TextHeight(Text) / 2;
  const double A = FTextAngle * 3.14159265358979323846 / 180, Sin = std::sin(A), Cos = std::cos(A);
  const int Span = FAlignment == taLeftJustify ? 0 : FAlignment == taCenter ? W : 2 * W;
  C.TextOut(FTextPosX + Round(-Span * Cos - H * Sin), FTextPosY + Round(Span * Sin - H * Cos), Text);
}

QSize TProgBar::minimumSizeHint() const {
  return sizeHint().boundedTo(
      QSize(FMarginLeft + FMarginRight + 8, FMarginTop + FMarginBottom + 8));
}

}  // namespace qor
