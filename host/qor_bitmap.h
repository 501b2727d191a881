// TBitmap: an off-screen RGB32 image with its own canvas, loadable from files
// and from the library's named resources (":/qorkit/<NAME>.png").
//
// A bitmap composed for a high-DPI control carries the control's pixel ratio
// (SetPixelRatio): its size and canvas stay logical, its image and ScanLine
// rows hold Ratio device pixels per logical pixel. Loaded images have ratio 1.
#pragma once

#include <QImage>
#include <stdexcept>

#include "host/qor_canvas.h"

namespace qor::host {

// Raised when an image file or resource cannot be read.
class QORKIT_EXPORT EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class QORKIT_EXPORT TBitmap {
 public:
  TBitmap();
  TBitmap(int Width, int Height);
  TBitmap(const TBitmap& Other);
  TBitmap& operator=(const TBitmap& Other);
  ~TBitmap();

  int Width() const { return FImage.width() / FRatio; }
  int Height() const { return FImage.height() / FRatio; }
  bool Empty() const { return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0; }
  void SetWidth(int W) { SetSize(W, Height()); }
  void SetHeight(int H) { SetSize(Width(), H); }
  // Keeps the overlapping pixels; new pixels are white.
  void SetSize(int W, int H);
  // Device pixels per logical pixel; a change keeps the logical size and
  // clears the picture.
  int PixelRatio() const { return FRatio; }
  void SetPixelRatio(int Ratio);

  TCanvas& Canvas() { return FCanvas; }

  void LoadFromFile(const QString& FileName);
  void LoadFromResourceName(const QString& Name);
  bool SaveToFile(const QString& FileName);
  void LoadFromImage(const QImage& Image);

  // Direct pixel rows of device pixels (0x00RRGGBB words as QImage stores
  // them): Height() * PixelRatio() rows of Width() * PixelRatio() words.
  std::uint32_t* ScanLine(int Row);
  const std::uint32_t* ScanLine(int Row) const;

  // Drawn with TransparentColor (default: the bottom-left pixel) left out.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool On) { FTransparent = On; }
  TColor TransparentColor() const;
  void SetTransparentColor(TColor C) { FTransparentColor = C; }

  void Assign(const TBitmap& Source);
  const QImage& Image() const;
  QImage& Image();

 private:
  QImage FImage;
  mutable TCanvas FCanvas;
  bool FTransparent = false;
  TColor FTransparentColor = clNone;
  int FRatio = 1;
};

}  // namespace qor::host
