// TCanvas: drawing with the platform's rules on a QImage.
//
//   rule                          here
//   LineTo                        end point excluded
//   Rectangle/FillRect/Ellipse    right and bottom edges excluded
//   brush bsClear                 shapes and text leave the background
//   TextOut (opaque brush)        text cell filled with the brush first
//   pen modes, copy modes         QPainter raster operations (RGB32 targets)
//   antialiasing                  off for geometry, so pixel rules hold
//   device pixel ratio            a target carrying a ratio is drawn in its
//                                 logical coordinates (a one-pixel line is
//                                 Ratio() device pixels wide); text and
//                                 antialiased shapes use every device pixel
//   dark palettes                 on a canvas with an owner, colours go through
//                                 PaletteColor and texts through
//                                 ReadableTextColor (host/qor_color.h); a canvas
//                                 without owner paints colours as given
//
// The painter on the image is opened lazily and closed whenever the image is
// touched directly, so pixel access and drawing can be mixed freely.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "host/qor_font.h"
#include "host/qor_types.h"

class QWidget;

namespace qor::host {

class TBitmap;

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode : std::uint8_t {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : std::uint8_t {
  bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};
enum TFillStyle : std::uint8_t { fsSurface, fsBorder };
enum TStretchMode : std::uint8_t { smColorOnColor, smHalftone };

// Raster operation codes of the copy mode.
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042, cmDstInvert = 0x00550009, cmMergeCopy = 0x00C000CA,
                    cmMergePaint = 0x00BB0226, cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6,
                    cmSrcAnd = 0x008800C6, cmSrcCopy = 0x00CC0020, cmSrcErase = 0x00440328,
                    cmSrcInvert = 0x00660046, cmSrcPaint = 0x00EE0086, cmWhiteness = 0x00FF0062;

class QORKIT_EXPORT TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor C) { FColor = C; }
  int Width() const { return FWidth; }
  void SetWidth(int W) { FWidth = W < 1 ? 1 : W; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle S) { FStyle = S; }
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode M) { FMode = M; }

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class QORKIT_EXPORT TBrush {
 public:
  TColor Color() const { return FColor; }
  // Setting a colour makes a clear brush solid again, as on the platform.
  void SetColor(TColor C) {
    FColor = C;
    if (FStyle == bsClear) FStyle = bsSolid;
  }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle S) { FStyle = S; }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

class QORKIT_EXPORT TCanvas {
 public:
  // Draws on Target; Owner (optional) resolves system colours from its palette.
  explicit TCanvas(QImage* Target = nullptr, const QWidget* Owner = nullptr);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  void SetTarget(QImage* Target);
  void SetOwner(const QWidget* Owner) { FOwner = Owner; }

  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Mode) { FCopyMode = Mode; }
  TStretchMode StretchMode() const { return FStretchMode; }
  void SetStretchMode(TStretchMode Mode) { FStretchMode = Mode; }

  // Logical size of the target, and its device pixels per logical pixel.
  int Width() const;
  int Height() const;
  int Ratio() const;

  // Lines and shapes.
  TPoint PenPos() const { return FPenPos; }
  void MoveTo(int X, int Y) { FPenPos = {X, Y}; }
  void LineTo(int X, int Y);
  void Polyline(const std::vector<TPoint>& Points);
  void Polygon(const std::vector<TPoint>& Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void RoundRect(int X1, int Y1, int X2, int Y2, int CornerW, int CornerH);
  // Counter-clockwise from the radial through (X3, Y3) to the one through (X4, Y4).
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FloodFill(int X, int Y, TColor Color, TFillStyle Style);

  // Pixels (RGB, system colours resolved); at a ratio above 1 a logical
  // pixel is read at its top-left device pixel and written as a whole block.
  TColor Pixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);

  // Text: (X, Y) is the top-left corner of the text cell.
  void TextOut(int X, int Y, const QString& Text);
  void TextRect(const TRect& R, int X, int Y, const QString& Text);
  int TextWidth(const QString& Text) const;
  int TextHeight(const QString& Text) const;

  // Images, combined with the target by the copy mode.
  void Draw(int X, int Y, const TBitmap& Bitmap);
  void StretchDraw(const TRect& Dest, const TBitmap& Bitmap);
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  void DrawImage(const TRect& Dest, const QImage& Image, const TRect& SourceRect);

  // Clipping; everything drawn afterwards stays inside ClipRect.
  void SetClipRect(const TRect& R);
  void ClearClipRect();
  bool HasClipRect() const { return FClipped; }
  TRect ClipRect() const;

  // Escape hatch for antialiased drawing with the canvas's current state.
  QPainter& Painter();
  // Closes the painter: call before touching the target image directly.
  void Flush();
  QImage* Target() const { return FTarget; }
  // A colour as this canvas paints areas with it (QLine: lines and outlines).
  QColor Q(TColor Color) const;
  QColor QLine(TColor Color) const;
  // For texts drawn through Painter(): the colour a text of Color takes on
  // what lies under Cell (logical), and the report of the text once drawn.
  QColor QText(TColor Color, const QRectF& Cell);
  void TextDrawn(const QRectF& Cell, const QString& Text) const;

 private:
  void ApplyPen(QPainter& P, bool FlatCap);
  void ApplyBrush(QPainter& P);
  void ApplyPenMode(QPainter& P);
  bool PenVisible() const { return FPen.Style() != psClear && FPen.Mode() != pmNop; }
  bool BrushVisible() const { return FBrush.Style() != bsClear; }
  void FillSpan(QPainter& P, int X1, int Y1, int X2, int Y2, const QColor& C);
  QColor PenColor() const;


  QImage* FTarget = nullptr;
  const QWidget* FOwner = nullptr;
  std::unique_ptr<QPainter> FPainter;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  TStretchMode FStretchMode = smColorOnColor;
  TPoint FPenPos;
  bool FClipped = false;
  TRect FClip;
};

// Diagnostics: told of every non-empty text a canvas draws, with the target and
// the text cell in the target's device pixels, so that checks of contrast and
// resolution can find the texts in a picture. None by default.
using TTextObserver =
    std::function<void(const QImage& Target, const QRect& DeviceCell, const QString& Text)>;
QORKIT_EXPORT void SetTextObserver(TTextObserver Observer);

// Qt composition mode that performs a raster operation code.
QORKIT_EXPORT QPainter::CompositionMode CompositionFor(TCopyMode Mode);

}  // namespace qor::host
