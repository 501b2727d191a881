#include "displays/qor_sevenseg.h"

namespace qor {

const std::array<QChar, 21> SevenSegCharList = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'-',
    u'+', u':', u'\u00B0', u'A', u'B', u'C', u'D', u'E', u'F', u'.'};

namespace {

// The master digit on which one glyph at a time is composed.
constexpr int MasterWidth = 312, MasterHeight = 432;
constexpr int PointCell = 20;

//        1
//      2   3
//        4
//      5   6
//        7
enum TSegImage : std::uint8_t { siVert, siHorz, siDot, siPlus, siDeg, siColon };

struct TPlace {
  TSegImage Image;
  int X, Y;
};

constexpr std::array<TPlace, 7> SegmentPlaces = {{{siHorz, 94, 0},
                                                  {siVert, 37, 23},
                                                  {siVert, 244, 23},
                                                  {siHorz, 57, 197},
                                                  {siVert, 0, 220},
                                                  {siVert, 207, 220},
                                                  {siHorz, 20, 394}}};
constexpr TPlace PointPlace{siDot, 269, 394};

constexpr std::uint8_t Segs(std::initializer_list<int> Numbers) {
  std::uint8_t Mask = 0;
  for (int N : Numbers) Mask |= std::uint8_t(1u << (N - 1));
  return Mask;
}

// What each cache cell shows: lit segments, or one of the special images.
struct TGlyph {
  std::uint8_t Segments;
  bool HasImage;
  TPlace Image;
};

constexpr TGlyph Lit(std::initializer_list<int> Numbers) { return {Segs(Numbers), false, {}}; }
constexpr TGlyph Shown(TPlace Image) { return {0, true, Image}; }

const std::array<TGlyph, 21> Glyphs = {
    Lit({1, 2, 3, 5, 6, 7}),     // 0
    Lit({3, 6}),                 // 1
    Lit({1, 3, 4, 5, 7}),        // 2
    Lit({1, 3, 4, 6, 7}),        // 3
    Lit({2, 3, 4, 6}),           // 4
    Lit({1, 2, 4, 6, 7}),        // 5
    Lit({1, 2, 4, 5, 6, 7}),     // 6
    Lit({1, 3, 6}),              // 7
    Lit({1, 2, 3, 4, 5, 6, 7}),  // 8
    Lit({1, 2, 3, 4, 6, 7}),     // 9
    Lit({4}),                    // -
    Shown({siPlus, 57, 120}),    // +
    Shown({siColon, 122, 121}),  // :
    Shown({siDeg, 150, 0}),      // °
    Lit({1, 2, 3, 4, 5, 6}),     // A
    Lit({2, 4, 5, 6, 7}),        // B
    Lit({1, 2, 5, 7}),           // C
    Lit({3, 4, 5, 6, 7}),        // D
    Lit({1, 2, 4, 5, 7}),        // E
    Lit({1, 2, 4, 5}),           // F
    Lit({}),                     // . (the point alone)
};

bool IsPoint(QChar C) { return C == u'.' || C == u','; }

int CacheIndexOf(QChar C) {
  const QChar Upper = C.toUpper();
  for (size_t i = 0; i < SevenSegCharList.size(); ++i)
    if (SevenSegCharList[i] == Upper) return int(i);
  return -1;
}

}  // namespace

TSevenSeg::TSevenSeg(QWidget* AOwner) : TGraphicControl(AOwner) {
  FSegVert.LoadFromResourceName(QStringLiteral("SEGVERT"));
  FSegHorz.LoadFromResourceName(QStringLiteral("SEGHORZ"));
  FSegDot.LoadFromResourceName(QStringLiteral("SEGDOT"));
  FSegPlus.LoadFromResourceName(QStringLiteral("SEGPLUS"));
  FSegDeg.LoadFromResourceName(QStringLiteral("SEGDEG"));
  FSegColon.LoadFromResourceName(QStringLiteral("SEGCOLON"));
  FMaster.SetSize(MasterWidth, MasterHeight);
  SetDefaultSize(216, 76);
  OnResize = [this](TObject*) { ProcessResize(); };
  FLastSize = size();
  BuildGlyphCache();
}

TSevenSeg::~TSevenSeg() = default;

// ---- properties -------------------------------------------------------------

void TSevenSeg::SetCaption(const QString& Caption) {
  if (Caption == FCaption) return;
  FCaption = Caption;
  Refresh();
  host::NotifyAccessibleEvent(this, QAccessible::NameChanged);
}

void TSevenSeg::SetNumDigits(int NumDigits) {
  if (NumDigits == FNumDigits || NumDigits < 1 || NumDigits > 32) return;
  FNumDigits = NumDigits;
  Rebuild();
}

void TSevenSeg::SetColorText(TColor Color) {
  if (Color == FColorText) return;
  FColorText = Color;
  Rebuild();
}

void TSevenSeg::SetColorBackGnd(TColor Color) {
  if (Color == FColorBackGnd) return;
  FColorBackGnd = Color;
  Rebuild();
}

void TSevenSeg::SetMargin(int Margin) {
  if (Margin == FMargin) return;
  FMargin = std::max(0, std::min(Margin, Height() / 2 - 1));
  Rebuild();
}

void TSevenSeg::SetInterDigDist(int Distance) {
  Distance = std::min(Distance, 255);
  if (Distance == FInterDigDist) return;
  FInterDigDist = Distance;
  Rebuild();
}

void TSevenSeg::SetFrameStyle(TFrameStyle Style) {
  if (Style == FFrameStyle) return;
  FFrameStyle = Style;
  Invalidate();
}

void TSevenSeg::SetColorScheme(TColorScheme Scheme) {
  if (Scheme == FColorScheme) return;
  FColorScheme = Scheme;
  Invalidate();
}

void TSevenSeg::Assign(const TSevenSeg& Source) {
  const auto* Other = &Source;
  if (Other == this) return;
  FColorBackGnd = Other->FColorBackGnd;
  FColorText = Other->FColorText;
  FNumDigits = Other->FNumDigits;
  FCaption = Other->FCaption;
  FFrameStyle = Other->FFrameStyle;
  FColorScheme = Other->FColorScheme;
  FMargin = Other->FMargin;
  FInterDigDist = Other->FInterDigDist;
  BuildGlyphCache();
  Invalidate();
}

// ---- glyph cache ------------------------------------------------------------

int TSevenSeg::CellWidth() const {
  return (Width() - 2 * FMargin) / FNumDigits - FInterDigDist;
}

void TSevenSeg::Rebuild() {
  BuildGlyphCache();
  Refresh();
}

// Each shape is coloured by one surface fill; the text colour never equals the
// white of the images, so the next rebuild finds the shapes again.
void TSevenSeg::ColorSegments() {
  TColor C = ColorToRGB(FColorText, this);
  if (C == clWhite) C = 0xFEFEFE;
  const auto Fill = [C](host::TBitmap& Image, int X, int Y) {
    TCanvas& Canvas = Image.Canvas();
    Canvas.Brush().SetColor(C);
    Canvas.FloodFill(X, Y, Canvas.Pixel(X, Y), host::fsSurface);
  };
  for (host::TBitmap* Bar : {&FSegVert, &FSegHorz, &FSegDot, &FSegPlus})
    Fill(*Bar, Bar->Width() / 2, Bar->Height() / 2);
  Fill(FSegDeg, 18, FSegDeg.Height() - 18);
  Fill(FSegDeg, FSegDeg.Width() - 18, 18);
  // The colon's two dots are apart: each is filled from its centre.
  Fill(FSegColon, 33, 40);
  Fill(FSegColon, 18, FSegColon.Height() - 40);
}

void TSevenSeg::ComposeGlyph(int Index, bool Point) {
  const std::array<const host::TBitmap*, 6> Images = {&FSegVert, &FSegHorz, &FSegDot,
                                                      &FSegPlus, &FSegDeg,  &FSegColon};
  TCanvas& Canvas = FMaster.Canvas();
  Canvas.SetCopyMode(host::cmSrcCopy);
  Canvas.Brush().SetColor(clWhite);
  Canvas.FillRect(Rect(0, 0, MasterWidth, MasterHeight));
  // AND: white leaves what lies below, overlapping shapes keep their colour.
  Canvas.SetCopyMode(host::cmSrcAnd);
  Canvas.Brush().SetColor(FColorBackGnd);
  const TGlyph& G = Glyphs[size_t(Index)];
  if (G.HasImage) Canvas.Draw(G.Image.X, G.Image.Y, *Images[G.Image.Image]);
  for (size_t s = 0; s < SegmentPlaces.size(); ++s)
    if (G.Segments & (1u << s))
      Canvas.Draw(SegmentPlaces[s].X, SegmentPlaces[s].Y, *Images[SegmentPlaces[s].Image]);
  if (Point) Canvas.Draw(PointPlace.X, PointPlace.Y, *Images[PointPlace.Image]);
  Canvas.SetCopyMode(host::cmSrcCopy);
  Canvas.FloodFill(1, 1, clWhite, host::fsSurface);
}

void TSevenSeg::BuildGlyphCache() {
  const int W = CellWidth(), H = Height() - 2 * FMargin;
  if (W <= 0 || H <= 0) {
    FCache.SetSize(0, 0);
    return;
  }
  // The glyphs are reduced from the large master shapes straight to device pixels.
  FCache.SetPixelRatio(PaintRatio());
  FCache.SetSize(W * int(Glyphs.size()), H);
  TCanvas& Canvas = FCache.Canvas();
  Canvas.SetCopyMode(host::cmSrcCopy);
  Canvas.Brush().SetColor(FColorBackGnd);
  Canvas.FillRect(Rect(0, 0, FCache.Width(), H));
  ColorSegments();
  Canvas.SetStretchMode(host::smHalftone);
  for (int i = 0; i < int(Glyphs.size()); ++i) {
    ComposeGlyph(i, i == PointCell);
    Canvas.StretchDraw(Rect(i * W, 0, (i + 1) * W, H), FMaster);
  }
}

// ---- size -------------------------------------------------------------------

bool TSevenSeg::AdoptSize() {
  if (size() == FLastSize && FCache.PixelRatio() == PaintRatio()) return false;
  FLastSize = size();
  BuildGlyphCache();
  return true;
}

void TSevenSeg::ProcessResize() {
  if (AdoptSize()) Refresh();
}

// ---- painting ---------------------------------------------------------------

//   caption   cells
//   "12.5"    1 | 2. | 5
//   ".5"      . | 5
//   "8.8."    8. | 8.
void TSevenSeg::Paint() {
  AdoptSize();
  TCanvas& Canvas = this->Canvas();
  Canvas.SetCopyMode(host::cmSrcCopy);
  Canvas.Brush().SetColor(FColorBackGnd);
  Canvas.FillRect(ClientRect());
  const int W = CellWidth(), H = FCache.Height();
  if (!FCache.Empty()) {
    int Pos = 0;
    for (int Cell = 0; Cell < FNumDigits && Pos < FCaption.size(); ++Cell) {
      QChar C = FCaption[Pos++];
      bool Point = false;
      if (IsPoint(C)) {
        Point = true;
      } else if (Pos < FCaption.size() && IsPoint(FCaption[Pos])) {
        Point = true;
        ++Pos;
      }
      const int X = FMargin + Cell * (W + FInterDigDist), Y = FMargin;
      const int Index = IsPoint(C) ? -1 : CacheIndexOf(C);
      if (Index >= 0)
        Canvas.CopyRect(Rect(X, Y, X + W, Y + H), FCache.Canvas(),
                        Rect(Index * W, 0, (Index + 1) * W, H));
      if (Point) {
        const int Dx = W * 5 / 6, Dy = H * 5 / 6;
        Canvas.CopyRect(Rect(X + Dx, Y + Dy, X + W, Y + H), FCache.Canvas(),
                        Rect(PointCell * W + Dx, Dy, (PointCell + 1) * W, H));
      }
    }
  }
  DrawStandardFrame(Canvas, FFrameStyle, 0, 0, Width() - 1, Height() - 1);
}

}  // namespace qor
