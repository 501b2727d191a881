#include "host/qor_canvas.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <cmath>

#include "host/qor_bitmap.h"
#include "host/qor_color.h"

namespace qor::host {

QPainter::CompositionMode CompositionFor(TCopyMode Mode) {
  switch (Mode) {
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmDstInvert: return QPainter::RasterOp_NotDestination;
    default: return QPainter::CompositionMode_Source;
  }
}

TCanvas::TCanvas(QImage* Target, const QWidget* Owner) : FTarget(Target), FOwner(Owner) {
  FFont.SetColor(clBlack);
}

TCanvas::~TCanvas() { Flush(); }

void TCanvas::SetTarget(QImage* Target) {
  Flush();
  FTarget = Target;
}

int TCanvas::Ratio() const {
  return FTarget ? std::max(1, int(std::lround(FTarget->devicePixelRatio()))) : 1;
}
int TCanvas::Width() const { return FTarget ? FTarget->width() / Ratio() : 0; }
int TCanvas::Height() const { return FTarget ? FTarget->height() / Ratio() : 0; }

namespace {

QColor ToQ(TColor C) { return QColor(GetRValue(C), GetGValue(C), GetBValue(C)); }

}  // namespace

namespace {

TTextObserver& TextObserver() {
  static TTextObserver Observer;
  return Observer;
}

}  // namespace

void SetTextObserver(TTextObserver Observer) { TextObserver() = std::move(Observer); }

void TCanvas::TextDrawn(const QRectF& Cell, const QString& Text) const {
  if (!TextObserver() || Text.trimmed().isEmpty()) return;
  const int R = Ratio();
  const QRect Device =
      QRectF(Cell.x() * R, Cell.y() * R, Cell.width() * R, Cell.height() * R).toAlignedRect() &
      FTarget->rect();
  if (!Device.isEmpty()) TextObserver()(*FTarget, Device, Text);
}

// Only a control's own pictures follow a dark palette: a canvas without owner
// (a mask, a picture combined by raster operations) paints colours as given.
QColor TCanvas::Q(TColor Color) const {
  return ToQ(FOwner ? PaletteColor(Color, cuFill, FOwner) : ColorToRGB(Color));
}
QColor TCanvas::QLine(TColor Color) const {
  return ToQ(FOwner ? PaletteColor(Color, cuLine, FOwner) : ColorToRGB(Color));
}

// The outline of a shape filled in its own pen colour (a background drawn
// with pen and brush alike) stays with the fill.
QColor TCanvas::PenColor() const {
  if (BrushVisible() && FBrush.Color() == FPen.Color()) return Q(FPen.Color());
  return QLine(FPen.Color());
}

// A text colour made readable on what lies under the text cell: the opaque
// brush, else the most common pixel of the target there.
QColor TCanvas::QText(TColor Color, const QRectF& Cell) {
  if (!FOwner || !DarkPaletteActive(FOwner)) return Q(Color);
  TColor Back = FromQColor(Q(FBrush.Color()));
  if (!BrushVisible()) {
    const QImage& Img = *FTarget;
    const QRect Area = QRectF(Cell.x() * Ratio(), Cell.y() * Ratio(), Cell.width() * Ratio(),
                              Cell.height() * Ratio()).toAlignedRect() & Img.rect();
    if (Area.isEmpty()) return Q(Color);
    std::vector<QRgb> Samples;
    const int Step = std::max(1, int(std::sqrt(double(Area.width()) * Area.height() / 400)));
    for (int Y = Area.top(); Y <= Area.bottom(); Y += Step)
      for (int X = Area.left(); X <= Area.right(); X += Step) Samples.push_back(Img.pixel(X, Y) | 0xFF000000u);
    std::sort(Samples.begin(), Samples.end());
    QRgb Mode = Samples.front();
    size_t Run = 0, Best = 0;
    for (size_t i = 0; i < Samples.size(); ++i) {
      Run = i > 0 && Samples[i] == Samples[i - 1] ? Run + 1 : 1;
      if (Run > Best) {
        Best = Run;
        Mode = Samples[i];
      }
    }
    Back = FromQColor(QColor(Mode));
  }
  return ToQ(ReadableTextColor(Color, Back, FOwner));
}

QPainter& TCanvas::Painter() {
  if (!FPainter) FPainter = std::make_unique<QPainter>();
  if (!FPainter->isActive() && FTarget && !FTarget->isNull()) {
    FPainter->begin(FTarget);
    if (FClipped)
      FPainter->setClipRect(QRect(FClip.Left, FClip.Top, FClip.Width(), FClip.Height()));
  }
  FPainter->setRenderHint(QPainter::Antialiasing, false);
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  return *FPainter;
}

void TCanvas::Flush() {
  if (FPainter && FPainter->isActive()) FPainter->end();
}

void TCanvas::SetClipRect(const TRect& R) {
  FClipped = true;
  FClip = R;
  if (FPainter && FPainter->isActive())
    FPainter->setClipRect(QRect(R.Left, R.Top, R.Width(), R.Height()));
}

void TCanvas::ClearClipRect() {
  FClipped = false;
  if (FPainter && FPainter->isActive()) FPainter->setClipping(false);
}

TRect TCanvas::ClipRect() const { return FClipped ? FClip : Rect(0, 0, Width(), Height()); }

void TCanvas::ApplyPenMode(QPainter& P) {
  switch (FPen.Mode()) {
    case pmNot: P.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case pmXor: P.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case pmNotXor: P.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination); break;
    case pmMask: P.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case pmMerge: P.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case pmNotCopy: P.setCompositionMode(QPainter::RasterOp_NotSource); break;
    case pmMaskPenNot: P.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination); break;
    case pmMergeNotPen: P.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination); break;
    case pmNotMerge: P.setCompositionMode(QPainter::RasterOp_NotSourceAndNotDestination); break;
    case pmNotMask: P.setCompositionMode(QPainter::RasterOp_NotSourceOrNotDestination); break;
    default: P.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
  }
}

void TCanvas::ApplyPen(QPainter& P, bool FlatCap) {
  if (!PenVisible()) {
    P.setPen(Qt::NoPen);
    return;
  }
  QColor C = PenColor();
  if (FPen.Mode() == pmBlack) C = Qt::black;
  if (FPen.Mode() == pmWhite) C = Qt::white;
  QPen Pen(C);
  // A thin pen is one logical pixel: cosmetic at ratio 1, scaled above.
  Pen.setWidth(FPen.Width() <= 1 ? (Ratio() > 1 ? 1 : 0) : FPen.Width());
  Pen.setCapStyle(FlatCap ? Qt::FlatCap : Qt::SquareCap);
  Pen.setJoinStyle(Qt::MiterJoin);
  static constexpr Qt::PenStyle Styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                            Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                            Qt::SolidLine};
  Pen.setStyle(Styles[FPen.Style()]);
  P.setPen(Pen);
  ApplyPenMode(P);
}

void TCanvas::ApplyBrush(QPainter& P) {
  static constexpr Qt::BrushStyle Styles[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern,
                                              Qt::VerPattern, Qt::BDiagPattern, Qt::FDiagPattern,
                                              Qt::CrossPattern, Qt::DiagCrossPattern};
  P.setBrush(QBrush(Q(FBrush.Color()), Styles[FBrush.Style()]));
}

void TCanvas::FillSpan(QPainter& P, int X1, int Y1, int X2, int Y2, const QColor& C) {
  // Clamped to the target first: far-away ends would overflow the extent.
  const int W = Width(), H = Height();
  X1 = std::clamp(X1, -1, W + 1);
  X2 = std::clamp(X2, -1, W + 1);
  Y1 = std::clamp(Y1, -1, H + 1);
  Y2 = std::clamp(Y2, -1, H + 1);
  if (X2 <= X1 || Y2 <= Y1) return;
  P.fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), C);
}

namespace {

// The pixels of a one-pixel line from A towards B with B excluded, as the
// platform picks them: one pixel per step along the major axis, the minor
// coordinate rounded from the exact line. Only the steps that land inside a
// Width x Height target are produced, so far-away end points cost nothing.
QPolygon LinePixels(TPoint A, TPoint B, int Width, int Height) {
  const long long Dx = static_cast<long long>(B.X) - A.X, Dy = static_cast<long long>(B.Y) - A.Y;
  const bool XMajor = std::llabs(Dx) >= std::llabs(Dy);
  const long long Steps = XMajor ? std::llabs(Dx) : std::llabs(Dy);
  const long long Major0 = XMajor ? A.X : A.Y, Minor0 = XMajor ? A.Y : A.X;
  const long long DMinor = XMajor ? Dy : Dx;
  const int Sign = (XMajor ? Dx : Dy) < 0 ? -1 : 1;
  const long long MajorLimit = XMajor ? Width : Height, MinorLimit = XMajor ? Height : Width;
  const long long First = Sign > 0 ? std::max(0LL, -Major0) : std::max(0LL, Major0 - MajorLimit + 1);
  const long long Last = Sign > 0 ? std::min(Steps, MajorLimit - Major0) : std::min(Steps, Major0 + 1);
  QPolygon Pixels;
  for (long long K = First; K < Last; ++K) {
    // Minor offset = round(K * DMinor / Steps), halves away from the start.
    const __int128 Num = static_cast<__int128>(K) * DMinor;
    const __int128 Half = Steps / 2;
    const long long Offset =
        static_cast<long long>(Num >= 0 ? (Num + Half) / Steps : -((-Num + Half) / Steps));
    const long long Major = Major0 + Sign * K, Minor = Minor0 + Offset;
    if (Minor < 0 || Minor >= MinorLimit) continue;
    Pixels << (XMajor ? QPoint(int(Major), int(Minor)) : QPoint(int(Minor), int(Major)));
  }
  return Pixels;
}

}  // namespace

void TCanvas::LineTo(int X, int Y) {
  const TPoint From = FPenPos;
  FPenPos = {X, Y};
  if (!PenVisible() || !FTarget || (From.X == X && From.Y == Y)) return;
  QPainter& P = Painter();
  if (FPen.Width() <= 1 && FPen.Style() == psSolid &&
      (FPen.Mode() == pmCopy || FPen.Mode() == pmBlack || FPen.Mode() == pmWhite) &&
      (From.X == X || From.Y == Y)) {
    // Axis-parallel lines as spans: exact and fast.
    const QColor C = FPen.Mode() == pmBlack ? QColor(Qt::black)
                     : FPen.Mode() == pmWhite ? QColor(Qt::white) : PenColor();
    if (From.Y == Y) {
      if (X > From.X) FillSpan(P, From.X, Y, X, Y + 1, C);
      else FillSpan(P, X + 1, Y, From.X + 1, Y + 1, C);
    } else {
      if (Y > From.Y) FillSpan(P, X, From.Y, X + 1, Y, C);
      else FillSpan(P, X, Y + 1, X + 1, From.Y + 1, C);
    }
    return;
  }
  ApplyPen(P, true);
  if (FPen.Width() <= 1 && FPen.Style() == psSolid) {
    // Qt leaves out the last pixel in its own drawing direction, which is
    // the start point for lines running left or up: place the pixels here.
    const QPolygon Pixels = LinePixels(From, FPenPos, Width(), Height());
    if (Ratio() == 1) {
      P.drawPoints(Pixels);
      return;
    }
    for (const QPoint& Pt : Pixels) P.fillRect(QRect(Pt, QSize(1, 1)), P.pen().color());
    return;
  }
  // A thin pen scaled to a ratio above 1 runs along pixel centres, as the
  // cosmetic pen does at ratio 1.
  const QPointF Centre = FPen.Width() <= 1 && Ratio() > 1 ? QPointF(0.5, 0.5) : QPointF();
  P.drawLine(QPointF(From.X, From.Y) + Centre, QPointF(X, Y) + Centre);
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  const TPoint Keep = FPenPos;
  MoveTo(Points[0].X, Points[0].Y);
  for (size_t i = 1; i < Points.size(); ++i) LineTo(Points[i].X, Points[i].Y);
  FPenPos = Keep;
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  if (Points.size() < 2 || !FTarget) return;
  QPolygon Poly;
  for (const TPoint& Pt : Points) Poly << QPoint(Pt.X, Pt.Y);
  QPainter& P = Painter();
  ApplyPen(P, false);
  if (BrushVisible()) ApplyBrush(P);
  else P.setBrush(Qt::NoBrush);
  P.drawPolygon(Poly, Qt::OddEvenFill);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (!FTarget) return;
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (X2 - X1 < 1 || Y2 - Y1 < 1) return;
  QPainter& P = Painter();
  const int W = PenVisible() ? FPen.Width() : 0;
  if (BrushVisible()) {
    ApplyBrush(P);
    P.setPen(Qt::NoPen);
    P.drawRect(QRect(X1 + W, Y1 + W, X2 - X1 - 2 * W, Y2 - Y1 - 2 * W));
  }
  if (W == 0) return;
  if (FPen.Style() == psSolid && FPen.Mode() == pmCopy) {
    const QColor C = PenColor();
    FillSpan(P, X1, Y1, X2, Y1 + W, C);
    FillSpan(P, X1, Y2 - W, X2, Y2, C);
    FillSpan(P, X1, Y1 + W, X1 + W, Y2 - W, C);
    FillSpan(P, X2 - W, Y1 + W, X2, Y2 - W, C);
    return;
  }
  ApplyPen(P, false);
  P.setBrush(Qt::NoBrush);
  if (FPen.Width() <= 1 && Ratio() > 1) {
    P.drawRect(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1));
    return;
  }
  P.drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
}

void TCanvas::FillRect(const TRect& R) {
  if (!FTarget || R.Width() <= 0 || R.Height() <= 0) return;
  QPainter& P = Painter();
  if (FBrush.Style() == bsClear) return;
  const QRect Box(R.Left, R.Top, R.Width(), R.Height());
  // A solid brush takes the painter's plain fill, the cheapest there is.
  if (FBrush.Style() == bsSolid) {
    P.fillRect(Box, Q(FBrush.Color()));
    return;
  }
  ApplyBrush(P);
  P.setPen(Qt::NoPen);
  P.drawRect(Box);
}

void TCanvas::FrameRect(const TRect& R) {
  if (!FTarget || R.Width() <= 0 || R.Height() <= 0) return;
  QPainter& P = Painter();
  const QColor C = QLine(FBrush.Color());
  FillSpan(P, R.Left, R.Top, R.Right, R.Top + 1, C);
  FillSpan(P, R.Left, R.Bottom - 1, R.Right, R.Bottom, C);
  FillSpan(P, R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1, C);
  FillSpan(P, R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1, C);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (!FTarget || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  QPainter& P = Painter();
  ApplyPen(P, false);
  if (BrushVisible()) ApplyBrush(P);
  else P.setBrush(Qt::NoBrush);
  P.drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int CornerW, int CornerH) {
  if (!FTarget || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  QPainter& P = Painter();
  ApplyPen(P, false);
  if (BrushVisible()) ApplyBrush(P);
  else P.setBrush(Qt::NoBrush);
  P.drawRoundedRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), CornerW / 2.0, CornerH / 2.0);
}

namespace {

// Start angle and counter-clockwise span, in 1/16 degree, of an arc given by
// its bounding box and two radial points.
std::pair<int, int> ArcAngles(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  const double Cx = (X1 + X2) / 2.0, Cy = (Y1 + Y2) / 2.0;
  const double Rx = std::max(1.0, (X2 - X1) / 2.0), Ry = std::max(1.0, (Y2 - Y1) / 2.0);
  const double A1 = std::atan2(-(Y3 - Cy) / Ry, (X3 - Cx) / Rx) * 180.0 / M_PI;
  const double A2 = std::atan2(-(Y4 - Cy) / Ry, (X4 - Cx) / Rx) * 180.0 / M_PI;
  double Span = A2 - A1;
  while (Span <= 0) Span += 360.0;
  return {int(std::lround(A1 * 16)), int(std::lround(Span * 16))};
}

}  // namespace

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  if (!FTarget || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  const auto [Start, Span] = ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  QPainter& P = Painter();
  ApplyPen(P, true);
  P.setBrush(Qt::NoBrush);
  P.drawArc(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), Start, Span);
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  if (!FTarget || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  const auto [Start, Span] = ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  QPainter& P = Painter();
  ApplyPen(P, false);
  if (BrushVisible()) ApplyBrush(P);
  else P.setBrush(Qt::NoBrush);
  P.drawPie(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), Start, Span);
}

TColor TCanvas::Pixel(int X, int Y) {
  if (!FTarget || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return clNone;
  Flush();
  const QRgb C = FTarget->pixel(X * Ratio(), Y * Ratio());
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  if (!FTarget || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
  if (FClipped && !FClip.Contains(X, Y)) return;
  Flush();
  const int R = Ratio();
  const QRgb C = Q(Color).rgb();
  for (int Dy = 0; Dy < R; ++Dy)
    for (int Dx = 0; Dx < R; ++Dx) FTarget->setPixel(X * R + Dx, Y * R + Dy, C);
}

namespace {

// Seed fill of the 32-bit image Img from (X, Y) within Area (inclusive
// bounds); Inside(pixel) tells whether a pixel belongs to the region, and is
// false for filled pixels. Each stacked segment is a run of row Y that is
// filled already; the row Y + DY next to it is explored, and the parent row
// only where the new run reaches beyond the segment, so every pixel is looked
// at about twice.
template <typename TInside>
void ScanFill(QImage& Img, int X, int Y, const TRect& Area, QRgb Fill, TInside Inside) {
  uchar* Bits = Img.bits();
  const qsizetype Stride = Img.bytesPerLine();
  const auto RowAt = [&](int Py) { return reinterpret_cast<QRgb*>(Bits + Py * Stride); };
  if (!Inside(RowAt(Y)[X])) return;
  struct TSegment {
    int Y, XL, XR, DY;
  };
  std::vector<TSegment> Stack;
  const auto Push = [&](int Py, int XL, int XR, int DY) {
    if (Py + DY >= Area.Top && Py + DY <= Area.Bottom) Stack.push_back({Py, XL, XR, DY});
  };
  Push(Y, X, X, 1);
  Push(Y + 1, X, X, -1);
  while (!Stack.empty()) {
    const TSegment S = Stack.back();
    Stack.pop_back();
    const int Py = S.Y + S.DY, X1 = S.XL, X2 = S.XR, DY = S.DY;
    QRgb* Row = RowAt(Py);
    int Px = X1;
    while (Px >= Area.Left && Inside(Row[Px])) Row[Px--] = Fill;
    int L = Px + 1;
    if (Px < X1) {
      if (L < X1) Push(Py, L, X1 - 1, -DY);
      Px = X1 + 1;
    } else {
      for (++Px; Px <= X2 && !Inside(Row[Px]); ++Px) {}
      if (Px > X2) continue;
      L = Px;
    }
    do {
      while (Px <= Area.Right && Inside(Row[Px])) Row[Px++] = Fill;
      Push(Py, L, Px - 1, DY);
      if (Px > X2 + 1) Push(Py, X2 + 1, Px - 1, -DY);
      for (++Px; Px <= X2 && !Inside(Row[Px]); ++Px) {}
      L = Px;
    } while (Px <= X2);
  }
}

}  // namespace

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle Style) {
  if (!FTarget || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
  Flush();
  QImage& Img = *FTarget;
  if (Img.depth() != 32) Img = Img.convertToFormat(QImage::Format_RGB32);
  // The fill runs over device pixels; the seed is the logical pixel's first.
  const int Ratio = this->Ratio();
  X *= Ratio;
  Y *= Ratio;
  // The alpha byte takes no part in the comparisons.
  constexpr QRgb Rgb = 0x00FFFFFFu;
  const QRgb Ref = Q(Color).rgb() & Rgb;
  const QRgb Fill = Q(FBrush.Color()).rgb() | 0xFF000000u;
  const TRect Clip = ClipRect();
  const TRect Area{std::max(0, Clip.Left * Ratio), std::max(0, Clip.Top * Ratio),
                   std::min(Img.width(), Clip.Right * Ratio) - 1,
                   std::min(Img.height(), Clip.Bottom * Ratio) - 1};
  if (X < Area.Left || X > Area.Right || Y < Area.Top || Y > Area.Bottom) return;
  // fsSurface fills the area of colour Ref; fsBorder fills up to the border colour Ref.
  if (Style == fsSurface) {
    if (Ref == (Fill & Rgb)) return;
    ScanFill(Img, X, Y, Area, Fill, [Ref](QRgb C) { return (C & Rgb) == Ref; });
  } else {
    ScanFill(Img, X, Y, Area, Fill,
             [Ref, Fill](QRgb C) { return (C & Rgb) != Ref && (C & Rgb) != (Fill & Rgb); });
  }
}

void TCanvas::TextOut(int X, int Y, const QString& Text) {
  if (!FTarget || Text.isEmpty()) return;
  QPainter& P = Painter();
  const QFont& F = FFont.ToQFont();
  const QFontMetrics& M = FFont.Metrics();
  P.save();
  P.translate(X, Y);
  if (FFont.Orientation() != 0) P.rotate(-FFont.Orientation() / 10.0);
  const QRect Cell(0, 0, M.horizontalAdvance(Text), M.height());
  const QColor Ink = QText(FFont.Color(), P.transform().mapRect(QRectF(Cell)));
  if (BrushVisible()) P.fillRect(Cell, Q(FBrush.Color()));
  P.setFont(F);
  P.setPen(Ink);
  P.drawText(QPoint(0, M.ascent()), Text);
  const QRectF Placed = P.transform().mapRect(QRectF(Cell));
  P.restore();
  TextDrawn(Placed, Text);
}

namespace {

// Grids and lists draw the same texts on every repaint and scroll. TextRect
// keeps the shaped glyphs of the texts it drew in the last few fonts (one
// cache for every canvas), and clips only a text whose ink reaches beyond its
// rectangle. Plain Latin texts without underline or
// strike-out are kept; others are shaped and clipped every time.
struct TShapedText {
  QList<QGlyphRun> Runs;  // placed from the origin of the baseline
  QRect Ink;              // where the glyphs' pixels can be
};

struct TShapedTexts {
  QFont Font;
  QHash<QString, TShapedText> Texts;
};

constexpr std::size_t MaxShapedFonts = 4;
constexpr qsizetype MaxShapedTexts = 2048;

// Texts whose glyph runs from a one-line layout are the glyphs drawText
// places: no control characters, no right-to-left or combining characters.
bool PlainLatinText(const QString& Text) {
  for (const QChar C : Text) {
    const char16_t U = C.unicode();
    if (U < 0x20 || (U >= 0x7F && U < 0xA0) || U > 0x24F) return false;
  }
  return true;
}

TShapedText ShapeText(const QString& Text, const QFont& Font) {
  QTextLayout Layout(Text, Font);
  QTextOption Option(Qt::AlignLeft);
  Option.setWrapMode(QTextOption::NoWrap);
  Option.setTextDirection(Qt::LeftToRight);
  Layout.setTextOption(Option);
  Layout.beginLayout();
  QTextLine Line = Layout.createLine();
  if (Line.isValid()) Line.setLineWidth(1e6);
  Layout.endLayout();
  TShapedText Shape;
  if (!Line.isValid()) return Shape;
  const QPointF Baseline(Line.x(), Line.y() + Line.ascent());
  QRectF Ink;
  Shape.Runs = Line.glyphRuns();
  for (QGlyphRun& Run : Shape.Runs) {
    QList<QPointF> Positions = Run.positions();
    for (QPointF& P : Positions) P -= Baseline;
    Run.setPositions(Positions);
    Ink |= Run.boundingRect();
  }
  // A pixel of margin on every side for antialiased edges.
  Shape.Ink = Ink.toAlignedRect().adjusted(-1, -1, 1, 1);
  return Shape;
}

// The kept shape of Text in Font, or null for texts that are not kept.
const TShapedText* Shaped(const QFont& Font, const QString& Text) {
  if (Font.underline() || Font.strikeOut() || Font.overline() || !PlainLatinText(Text)) return nullptr;
  // The widgets' thread only. The cache lives as long as the process: the font
  // engines its glyph runs hold must not be released after Qt's font database
  // has gone at exit.
  const QCoreApplication* App = QCoreApplication::instance();
  if (!App || QThread::currentThread() != App->thread()) return nullptr;
  static auto* const Shapes = new std::vector<TShapedTexts>;  // most recently used font first
  std::vector<TShapedTexts>& Cache = *Shapes;
  auto Entry = std::find_if(Cache.begin(), Cache.end(), [&](const TShapedTexts& S) { return S.Font == Font; });
  if (Entry == Cache.end()) {
    if (Cache.size() >= MaxShapedFonts) Cache.pop_back();
    Entry = Cache.insert(Cache.begin(), TShapedTexts{Font, {}});
  } else if (Entry != Cache.begin()) {
    std::rotate(Cache.begin(), Entry, Entry + 1);
    Entry = Cache.begin();
  }
  QHash<QString, TShapedText>& Texts = Entry->Texts;
  const auto Known = Texts.constFind(Text);
  if (Known != Texts.constEnd()) return &*Known;
  if (Texts.size() >= MaxShapedTexts) Texts.clear();
  return &*Texts.insert(Text, ShapeText(Text, Font));
}

}  // namespace

void TCanvas::TextRect(const TRect& R, int X, int Y, const QString& Text) {
  if (!FTarget || R.Width() <= 0 || R.Height() <= 0) return;
  QPainter& P = Painter();
  const QRect Box(R.Left, R.Top, R.Width(), R.Height());
  if (BrushVisible()) P.fillRect(Box, Q(FBrush.Color()));
  if (Text.isEmpty()) return;
  const QFont& F = FFont.ToQFont();
  const QPoint Origin(X, Y + FFont.Metrics().ascent());
  P.setPen(QText(FFont.Color(), QRectF(Box)));
  const TShapedText* Shape = Shaped(F, Text);
  const bool Fits = Shape && Box.contains(Shape->Ink.translated(Origin));
  // The canvas's own clip is the only one its painter carries: a text that
  // overflows is clipped to the box within it, and the clip set back after.
  const QRect CanvasClip(FClip.Left, FClip.Top, FClip.Width(), FClip.Height());
  if (!Fits) P.setClipRect(FClipped ? Box & CanvasClip : Box);
  if (Shape) {
    for (const QGlyphRun& Run : Shape->Runs) P.drawGlyphRun(Origin, Run);
  } else {
    P.setFont(F);
    P.drawText(Origin, Text);
  }
  if (!Fits) {
    if (FClipped) P.setClipRect(CanvasClip);
    else P.setClipping(false);
  }
  if (!TextObserver()) return;
  const QRect Extent(X, Y, FFont.TextWidth(Text), FFont.Metrics().height());
  TextDrawn(QRectF(Extent & Box), Text);
}

int TCanvas::TextWidth(const QString& Text) const {
  return FFont.TextWidth(Text);
}

int TCanvas::TextHeight(const QString& Text) const {
  Q_UNUSED(Text);
  return FFont.Metrics().height();
}

void TCanvas::DrawImage(const TRect& Dest, const QImage& Image, const TRect& SourceRect) {
  if (!FTarget || Image.isNull() || Dest.Width() == 0 || Dest.Height() == 0) return;
  QPainter& P = Painter();
  P.setCompositionMode(CompositionFor(FCopyMode));
  P.setRenderHint(QPainter::SmoothPixmapTransform, FStretchMode == smHalftone);
  // SourceRect is logical: an image with a pixel ratio is read in its device pixels.
  const int SR = std::max(1, int(std::lround(Image.devicePixelRatio())));
  const QRect Src(SourceRect.Left * SR, SourceRect.Top * SR, SourceRect.Width() * SR,
                  SourceRect.Height() * SR);
  const QRect Dst(Dest.Left, Dest.Top, Dest.Width(), Dest.Height());
  if (FCopyMode == cmBlackness || FCopyMode == cmWhiteness) {
    P.fillRect(Dst, FCopyMode == cmBlackness ? Qt::black : Qt::white);
  } else if (FStretchMode == smHalftone && Dst.width() > 0 && Dst.height() > 0 &&
             (Dst.width() * Ratio() < Src.width() || Dst.height() * Ratio() < Src.height())) {
    // Halftone reduction averages every source pixel into the target, so thin
    // lines fade instead of vanishing or breaking up as sampled pixels would.
    QImage Part = Src == Image.rect() ? Image : Image.copy(Src);
    Part = Part.scaled(Dst.size() * Ratio(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Part.setDevicePixelRatio(Ratio());
    P.drawImage(Dst.topLeft(), Part);
  } else {
    P.drawImage(Dst, Image, Src);
  }
  P.setRenderHint(QPainter::SmoothPixmapTransform, false);
  P.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Draw(int X, int Y, const TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  const TRect Dest = Rect(X, Y, X + Bitmap.Width(), Y + Bitmap.Height());
  StretchDraw(Dest, Bitmap);
}

void TCanvas::StretchDraw(const TRect& Dest, const TBitmap& Bitmap) {
  if (Bitmap.Empty()) return;
  const TRect Src = Rect(0, 0, Bitmap.Width(), Bitmap.Height());
  if (!Bitmap.Transparent()) {
    DrawImage(Dest, Bitmap.Image(), Src);
    return;
  }
  // Transparent bitmaps: pixels of the transparent colour are left out.
  QImage Masked = Bitmap.Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb Key = ToQColor(Bitmap.TransparentColor()).rgb() | 0xFF000000u;
  for (int Row = 0; Row < Masked.height(); ++Row) {
    auto* Line = reinterpret_cast<QRgb*>(Masked.scanLine(Row));
    for (int Col = 0; Col < Masked.width(); ++Col)
      if ((Line[Col] | 0xFF000000u) == Key) Line[Col] = 0;
  }
  QPainter& P = Painter();
  P.setRenderHint(QPainter::SmoothPixmapTransform, FStretchMode == smHalftone);
  P.drawImage(QRect(Dest.Left, Dest.Top, Dest.Width(), Dest.Height()), Masked);
  P.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  if (!Source.FTarget) return;
  Source.Flush();
  if (&Source == this) {
    const QImage Copy = FTarget->copy();
    DrawImage(Dest, Copy, SourceRect);
    return;
  }
  DrawImage(Dest, *Source.FTarget, SourceRect);
}

}  // namespace qor::host
