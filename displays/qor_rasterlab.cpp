#include "displays/qor_rasterlab.h"

#include <algorithm>
#include <bit>

#include "displays/qor_rasterlab_font_p.h"

namespace qor {
namespace {

// Characters outside 32..255 have no glyph: they take the space's place.
int GlyphCode(QChar Ch) {
  const int Code = Ch.unicode();
  return Code < 32 || Code > 255 ? 32 : Code;
}

// Columns First..Last of a glyph, kept inside the 32 columns of a glyph row.
struct TColumns {
  int First, Count;
};

TColumns ColumnsOf(const TRDCharMatrix& M, int Code, bool FixedWidth) {
  const int First = FixedWidth ? 0 : std::min(31, int(M.LeftMostBit[size_t(Code)]));
  const int Last = std::min(31, FixedWidth ? M.FontWidth - 1 : int(M.RightMostBit[size_t(Code)]));
  return {First, std::max(0, Last - First + 1)};
}

// Floor modulo: the raster stays aligned with the text for negative offsets too.
int FloorMod(int A, int B) { return ((A % B) + B) % B; }

TRDCharMatrix BuiltinFont() {
  TRDCharMatrix M;
  M.FontWidth = rasterfont::Width;
  M.FontHeight = rasterfont::Height;
  const auto& Records = rasterfont::Records();
  for (int i = 0; i < rasterfont::CodeCount; ++i) {
    const size_t Code = size_t(rasterfont::FirstCode + i);
    const rasterfont::TRecord& R = Records[size_t(i)];
    M.LeftMostBit[Code] = R.Left;
    M.RightMostBit[Code] = R.Right;
    for (int Row = 0; Row < rasterfont::Height; ++Row) M.BitData[Code][size_t(Row)] = R.Rows[size_t(Row)];
  }
  return M;
}

// Every code is written at the top-left corner of its own 65 x 65 cell of one
// sheet, clipped to the cell, and the 32 x 32 pixels there are sampled.
TRDCharMatrix SampledFont(const TFont& Font) {
  constexpr int Cell = 65, Sample = 32, PerRow = 16;
  constexpr int Codes = 224, Rows = (Codes + PerRow - 1) / PerRow;
  host::TBitmap Sheet(Cell * PerRow, Cell * Rows);
  TCanvas& C = Sheet.Canvas();
  C.Brush().SetColor(clWhite);
  C.FillRect(Rect(0, 0, Sheet.Width(), Sheet.Height()));
  C.Font().Assign(Font);
  C.Font().SetColor(clBlack);
  C.Font().SetOrientation(0);
  C.Brush().SetStyle(host::bsClear);
  for (int i = 0; i < Codes; ++i) {
    const int X = (i % PerRow) * Cell, Y = (i / PerRow) * Cell;
    C.SetClipRect(Rect(X, Y, X + Cell, Y + Cell));
    C.TextOut(X, Y, QString(QChar(32 + i)));
  }
  C.ClearClipRect();

  TRDCharMatrix M;
  for (int i = 0; i < Codes; ++i) {
    const size_t Code = size_t(32 + i);
    const int X = (i % PerRow) * Cell, Y = (i / PerRow) * Cell;
    int Left = Sample, Right = -1;
    for (int Row = 0; Row < Sample; ++Row) {
      const std::uint32_t* Line = Sheet.ScanLine(Y + Row) + X;
      std::uint32_t Bits = 0;
      for (int Col = 0; Col < Sample; ++Col)
        if ((Line[Col] & 0x00FFFFFFu) != 0x00FFFFFFu) Bits |= 1u << Col;
      M.BitData[Code][size_t(Row)] = Bits;
      if (Bits == 0) continue;
      M.FontHeight = std::max(M.FontHeight, Row + 1);
      Left = std::min(Left, std::countr_zero(Bits));
      Right = std::max(Right, 31 - std::countl_zero(Bits));
    }
    if (Right < 0) {
      M.LeftMostBit[Code] = 31;
      M.RightMostBit[Code] = 0;
      continue;
    }
    M.LeftMostBit[Code] = std::uint8_t(Left);
    M.RightMostBit[Code] = std::uint8_t(Right);
    M.FontWidth = std::max(M.FontWidth, Right - Left + 1);
  }
  M.LeftMostBit[32] = 0;
  M.RightMostBit[32] = std::uint8_t(M.FontWidth / 2);
  return M;
}

}  // namespace

TRasterLab::TRasterLab(QWidget* AOwner)
    : TGraphicControl(AOwner), FCMat(std::make_unique<TRDCharMatrix>()) {
  FScrTimer = new host::TTimerWindow([this] { ScrollStep(); }, this);
  SetDefaultSize(400, 68);
  Font().SetName(QStringLiteral("default"));
  Font().SetSize(8);
  *FCMat = CreateBitFont(Font());
}

TRasterLab::~TRasterLab() = default;

// ---- font ---------------------------------------------------------------------

TRDCharMatrix TRasterLab::CreateBitFont(const TFont& Font) {
  if (Font.Name().toLower() == QLatin1String("default")) return BuiltinFont();
  return SampledFont(Font);
}

void TRasterLab::FontChanged() {
  *FCMat = CreateBitFont(Font());
  AdjustLayout();
  Refresh();
}

void TRasterLab::SetCharMatrix(const TRDCharMatrix& Matrix) {
  *FCMat = Matrix;
  FCMat->FontHeight = std::clamp(FCMat->FontHeight, 0, 32);
  FCMat->FontWidth = std::clamp(FCMat->FontWidth, 0, 32);
  Refresh();
}

// ---- drawing text -------------------------------------------------------------

int TRasterLab::PaintChar(TCanvas& Canvas, const TRDCharMatrix& Matrix, int X, int Y, QChar Ch,
                          int DotSize, int DotSpacing, TColor LitColor, TColor /*UnlitColor*/,
                          TColor /*BackColor*/, bool FixedWidth) {
  const int P = DotSize + DotSpacing, Code = GlyphCode(Ch);
  const TColumns Cols = ColumnsOf(Matrix, Code, FixedWidth);
  const auto& Glyph = Matrix.BitData[size_t(Code)];
  std::vector<QRect> Dots;
  for (int Row = 0; Row < std::min(Matrix.FontHeight, 32); ++Row) {
    const std::uint32_t Bits = Glyph[size_t(Row)] >> Cols.First;
    for (int c = 0; c < Cols.Count; ++c)
      if (Bits & (1u << c)) Dots.emplace_back(X + c * P, Y + Row * P, DotSize, DotSize);
  }
  if (DotSize == 1) {
    for (const QRect& D : Dots) Canvas.SetPixel(D.x(), D.y(), LitColor);
  } else if (!Dots.empty()) {
    QPainter& Painter = Canvas.Painter();
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(Canvas.Q(LitColor));
    Painter.drawRects(Dots.data(), int(Dots.size()));
  }
  return P * Cols.Count;
}

void TRasterLab::PaintString(TCanvas& Canvas, const TRDCharMatrix& Matrix, int X, int Y,
                             const QString& Text, int DotSize, int DotSpacing, TColor LitColor,
                             TColor UnlitColor, TColor BackColor, TRDBlockMode BlockMode,
                             bool Proportional, int& BitLength) {
  const int P = DotSize + DotSpacing, H = Canvas.Height();
  int At = X;
  // In block mode the dot column before each character is cleared.
  const auto Stripe = [&] {
    if (BlockMode != rdbmOn) return;
    Canvas.Brush().SetColor(BackColor);
    Canvas.FillRect(Rect(At - P, 0, At, H));
  };
  Stripe();
  for (QChar Ch : Text) {
    const int W = PaintChar(Canvas, Matrix, At, Y, Ch, DotSize, DotSpacing, LitColor, UnlitColor,
                            BackColor, !Proportional);
    At += Proportional ? W + P : P * Matrix.FontWidth + P;
    Stripe();
  }
  BitLength = At - X + 1;
}

int TRasterLab::CalcTextBitLength(const QString& Text) const {
  const int P = Pitch();
  int Length = 0;
  for (QChar Ch : Text)
    Length += FProportional ? (ColumnsOf(*FCMat, GlyphCode(Ch), false).Count + 1) * P
                            : P * FCMat->FontWidth + P;
  return Length;
}

// ---- layout -------------------------------------------------------------------

int TRasterLab::FrameWidth() const {
  if (FFrameStyle == fsNone) return 0;
  return FFrameStyle <= fsRaised ? 1 : 2;
}

void TRasterLab::AdjustAutoHeight() { SetHeight(FrameWidth() + Pitch() * FCMat->FontHeight); }

void TRasterLab::AdjustAutoCenter() {
  FXPos = (Width() - CalcTextBitLength(FLabText)) / 2 + FrameWidth() + 1;
}

void TRasterLab::AdjustLayout() {
  if (FAutoHeight) AdjustAutoHeight();
  if (FAutoCenter) AdjustAutoCenter();
}

// ---- properties ---------------------------------------------------------------

void TRasterLab::SetText(const QString& Text) {
  if (Text == FLabText) return;
  FLabText = Text;
  if (FAutoCenter) AdjustAutoCenter();
  Refresh();
  host::NotifyAccessibleEvent(this, QAccessible::NameChanged);
}

void TRasterLab::SetPosX(int X) {
  if (X == FXPos) return;
  FXPos = X;
  Refresh();
}

void TRasterLab::SetPosY(int Y) {
  if (Y == FYPos) return;
  FYPos = Y;
  Refresh();
}

void TRasterLab::SetAutoCenter(bool On) {
  if (On == FAutoCenter) return;
  FAutoCenter = On;
  if (On) AdjustAutoCenter();
  else FXPos = 1;
  Refresh();
}

void TRasterLab::SetAutoHeight(bool On) {
  if (On == FAutoHeight) return;
  FAutoHeight = On;
  // Layouts keep an automatic height: it is the size hint, and the only height.
  setSizePolicy(QSizePolicy::Preferred, On ? QSizePolicy::Fixed : QSizePolicy::Preferred);
  if (On) AdjustAutoHeight();
  Refresh();
}

void TRasterLab::SetDotSize(int Size) {
  Size = std::clamp(Size, 1, 32);
  if (Size == FDotSize) return;
  FDotSize = Size;
  AdjustLayout();
  Refresh();
}

void TRasterLab::SetDotSpacing(int Spacing) {
  Spacing = std::clamp(Spacing, 0, 3);
  if (Spacing == FDotSpacing) return;
  FDotSpacing = Spacing;
  AdjustLayout();
  Refresh();
}

void TRasterLab::SetProportional(bool On) {
  if (On == FProportional) return;
  FProportional = On;
  if (FAutoCenter) AdjustAutoCenter();
  Refresh();
}

void TRasterLab::SetCharBlockMode(TRDBlockMode Mode) {
  if (Mode == FCharBlockMode || Mode > rdbmRaster) return;
  FCharBlockMode = Mode;
  Refresh();
}

void TRasterLab::SetColorLabBakG(TColor Color) {
  if (Color == FColorLabBakG) return;
  FColorLabBakG = Color;
  Refresh();
}

void TRasterLab::SetColorDotOn(TColor Color) {
  if (Color == FColorDotOn) return;
  FColorDotOn = Color;
  Refresh();
}

void TRasterLab::SetColorDotOff(TColor Color) {
  if (Color == FColorDotOff) return;
  FColorDotOff = Color;
  Refresh();
}

void TRasterLab::SetColorScheme(TColorScheme Scheme) {
  if (Scheme == FColorScheme) return;
  FColorScheme = Scheme;
  FColGrayLine = SchemeGrayLine(Scheme);
  FColWhiteLine = SchemeWhiteLine(Scheme);
  Refresh();
}

void TRasterLab::SetFrameStyle(TFrameStyle Style) {
  if (Style == FFrameStyle) return;
  FFrameStyle = Style;
  Refresh();
}

// ---- scrolling ----------------------------------------------------------------

//   mode        per tick          loop restart when          restarts at
//   rdsmRight   x += increment    x > Width                  x = -text length
//   rdsmLeft    x -= increment    x < -text length           x = Width
//   rdsmDown    y += increment    y > Height                 y = -text height
//   rdsmUp      y -= increment    y < -text height           y = Height
void TRasterLab::SetScrollMode(TRDScrollMode Mode) {
  if (Mode == FScrollMode || Mode > rdsmUp) return;
  FScrollMode = Mode;
  if (!Designing()) {
    FScrTimerEnabled = Mode != rdsmOff;
    UpdateTimer();
  }
  if (Mode != rdsmOff) return;
  FScrollPosX = FScrollPosY = 0;
  Refresh();
}

void TRasterLab::SetScrollInterval(int Interval) {
  Interval = std::max(10, Interval);
  if (Interval == FScrollIv) return;
  FScrollIv = Interval;
  UpdateTimer();
}

void TRasterLab::SetScrollIncrement(int Increment) {
  Increment = Increment == 0 ? 1 : std::abs(Increment);
  if (Increment == FScrollInc) return;
  FScrollInc = Increment;
  UpdateTimer();
}

void TRasterLab::SetScrollLoop(bool On) {
  FScrollLoop = On;
  Refresh();
}

void TRasterLab::UpdateTimer() {
  FScrTimer->Stop();
  if (FScrollIv <= 0 || FScrollMode == rdsmOff || !FScrTimerEnabled) return;
  if (!FScrTimer->Start(FScrollIv))
    throw EQORRasterLabError(ComponentMessage(this, QStringLiteral("no timer available")));
}

void TRasterLab::ScrollStep() {
  const int TextHeight = Pitch() * FCMat->FontHeight;
  bool Restart = false;
  switch (FScrollMode) {
    case rdsmOff:
      FScrTimerEnabled = false;
      FScrollPosX = FScrollPosY = 0;
      break;
    case rdsmRight:
      FScrollPosX += FScrollInc;
      Restart = FScrollLoop && FScrollPosX > Width();
      if (Restart) FScrollPosX = -FTextBitLength;
      break;
    case rdsmLeft:
      FScrollPosX -= FScrollInc;
      Restart = FScrollLoop && FScrollPosX < -FTextBitLength;
      if (Restart) FScrollPosX = Width();
      break;
    case rdsmDown:
      FScrollPosY += FScrollInc;
      Restart = FScrollLoop && FScrollPosY > Height();
      if (Restart) FScrollPosY = -TextHeight;
      break;
    case rdsmUp:
      FScrollPosY -= FScrollInc;
      Restart = FScrollLoop && FScrollPosY < -TextHeight;
      if (Restart) FScrollPosY = Height();
      break;
  }
  if (Restart) Notify(this, OnScrollLoopRestart, &TRasterLab::scrollLoopRestarted);
  Refresh();
  Notify(this, FOnScrollTimer, &TRasterLab::scrolled);
}

void TRasterLab::SetOnScrollTimer(TNotifyEvent Handler) {
  FOnScrollTimer = std::move(Handler);
  if (!Designing()) UpdateTimer();
}

// ---- painting -----------------------------------------------------------------

void TRasterLab::Paint() {
  TCanvas& C = Canvas();
  const int W = Width(), H = Height();
  const bool Raster = FCharBlockMode != rdbmOff;
  C.Brush().SetColor(Raster ? FColorDotOff : FColorLabBakG);
  C.FillRect(FFrameStyle != fsNone ? Rect(1, 1, W - 1, H - 1) : Rect(0, 0, W, H));
  const int X = FXPos + FScrollPosX, Y = FYPos + FScrollPosY;
  if (Raster) DrawRaster(C, X, Y);
  PaintString(C, *FCMat, X, Y, FLabText, FDotSize, FDotSpacing, FColorDotOn, FColorDotOff,
              FColorLabBakG, FCharBlockMode, FProportional, FTextBitLength);
  DrawFrameLines(C);
}

// Background lines in the DotSpacing pixels before every dot row and column
// leave squares of unlit dots aligned with the text's dots. The lines are
// written straight into the picture's rows: hundreds of one-pixel-wide
// rectangles would cost far more.
void TRasterLab::DrawRaster(TCanvas& C, int OriginX, int OriginY) {
  if (FDotSpacing == 0 || !C.Target()) return;
  const int P = Pitch();
  const int Y0 = FloorMod(OriginY, P) - FDotSpacing, X0 = FloorMod(OriginX, P) - FDotSpacing;
  C.Flush();
  QImage& Img = *C.Target();
  // Rows and columns of device pixels, each belonging to logical pixel / Ratio.
  const int Ratio = C.Ratio();
  const int W = std::min(Width() * Ratio, Img.width()), H = std::min(Height() * Ratio, Img.height());
  const QRgb Back = C.Q(FColorLabBakG).rgb();
  std::vector<int> Columns;
  for (int X = 0; X < W; ++X)
    if (FloorMod(X / Ratio - X0, P) < FDotSpacing) Columns.push_back(X);
  for (int Y = 0; Y < H; ++Y) {
    auto* Row = reinterpret_cast<QRgb*>(Img.scanLine(Y));
    if (FloorMod(Y / Ratio - Y0, P) < FDotSpacing) std::fill(Row, Row + W, Back);
    else
      for (int X : Columns) Row[X] = Back;
  }
}

//   style   lines
//   1       gray outline
//   2       black upper-left inner edge, white lower-right outer edge, gray outline inside
//   3       white upper-left inner edge, black lower-right outer edge, gray outline inside
//   4, 5    gray and white outlines, one pixel apart
void TRasterLab::DrawFrameLines(TCanvas& C) {
  const int W = Width(), H = Height();
  const auto Line = [&C](TColor Color, const std::vector<TPoint>& Points) {
    C.Pen().SetColor(Color);
    C.Polyline(Points);
  };
  const auto Outline = [&C](TColor Color, int X1, int Y1, int X2, int Y2) {
    C.Pen().SetColor(Color);
    DrawRectangle(C, X1, Y1, X2, Y2);
  };
  C.Pen().SetStyle(host::psSolid);
  C.Pen().SetMode(host::pmCopy);
  C.Pen().SetWidth(1);
  if (FFrameStyle != fsNone) {
    // The lines leave corner pixels out (the lower-left ones of style 2, the
    // upper-right one of styles 2 to 5), and the raster and the text may have
    // reached the border: the border starts in the control's colour, so that
    // every pixel of the picture is painted.
    C.Brush().SetStyle(host::bsSolid);
    C.Brush().SetColor(Color());
    for (const TRect& Edge : {Rect(0, 0, W, 1), Rect(0, H - 1, W, H), Rect(0, 0, 1, H), Rect(W - 1, 0, W, H)})
      C.FillRect(Edge);
  }
  switch (FFrameStyle) {
    case fsSimple:
      Outline(FColGrayLine, 0, 0, W - 1, H - 1);
      break;
    case fsLowered:
    case fsRaised: {
      const bool Sunken = FFrameStyle == fsLowered;
      Line(Sunken ? FColBlackLine : FColWhiteLine, {{1, H - 3}, {1, 1}, {W - 2, 1}});
      if (Sunken) Line(FColWhiteLine, {{2, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      else Line(FColBlackLine, {{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}});
      Outline(FColGrayLine, 0, 0, W - 2, H - 2);
      break;
    }
    case fsEmbossed:
    case fsEngraved: {
      const bool Gray = FFrameStyle == fsEmbossed;
      Outline(Gray ? FColGrayLine : FColWhiteLine, 1, 1, W - 1, H - 1);
      Outline(Gray ? FColWhiteLine : FColGrayLine, 0, 0, W - 2, H - 2);
      break;
    }
    default:
      break;
  }
}

// ---- assignment ---------------------------------------------------------------

void TRasterLab::Assign(const TRasterLab& Source) {
  const auto* Other = &Source;
  if (Other == this) return;
  FFrameStyle = Other->FFrameStyle;
  FLabText = Other->FLabText;
  FColorLabBakG = Other->FColorLabBakG;
  FColorDotOn = Other->FColorDotOn;
  FColBlackLine = Other->FColBlackLine;
  FColGrayLine = Other->FColGrayLine;
  FColWhiteLine = Other->FColWhiteLine;
  FColorScheme = Other->FColorScheme;
  Refresh();
}

QSize TRasterLab::minimumSizeHint() const {
  return QSize(std::min(sizeHint().width(), 8 * Pitch() * FCMat->FontWidth + 2 * FrameWidth()),
               sizeHint().height());
}

}  // namespace qor
