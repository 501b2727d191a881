#include "host/qor_bitmap.h"

#include <QImageReader>

#include "host/qor_color.h"

namespace qor::host {

TBitmap::TBitmap() : FCanvas(&FImage) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap() { SetSize(Width, Height); }

TBitmap::TBitmap(const TBitmap& Other) : TBitmap() { Assign(Other); }

TBitmap& TBitmap::operator=(const TBitmap& Other) {
  if (this != &Other) Assign(Other);
  return *this;
}

TBitmap::~TBitmap() { FCanvas.Flush(); }

void TBitmap::SetSize(int W, int H) {
  W = std::max(0, W);
  H = std::max(0, H);
  if (W == Width() && H == Height() && !FImage.isNull()) return;
  FCanvas.Flush();
  QImage Next(W * FRatio, H * FRatio, QImage::Format_RGB32);
  Next.setDevicePixelRatio(FRatio);
  Next.fill(Qt::white);
  if (!FImage.isNull() && W > 0 && H > 0) {
    QPainter P(&Next);
    P.setCompositionMode(QPainter::CompositionMode_Source);
    P.drawImage(0, 0, FImage);
  }
  FImage = std::move(Next);
}

void TBitmap::SetPixelRatio(int Ratio) {
  Ratio = std::max(1, Ratio);
  if (Ratio == FRatio) return;
  const int W = Width(), H = Height();
  FCanvas.Flush();
  FRatio = Ratio;
  FImage = QImage();
  SetSize(W, H);
}

void TBitmap::LoadFromImage(const QImage& Image) {
  FCanvas.Flush();
  FImage = Image.convertToFormat(QImage::Format_RGB32);
  FImage.setDevicePixelRatio(1);
  FRatio = 1;
}

void TBitmap::LoadFromFile(const QString& FileName) {
  QImageReader Reader(FileName);
  Reader.setAllocationLimit(256);
  const QImage Loaded = Reader.read();
  if (Loaded.isNull())
    throw EInvalidGraphic(QStringLiteral("Cannot load image \"%1\": %2")
                              .arg(FileName, Reader.errorString()).toStdString());
  LoadFromImage(Loaded);
}

void TBitmap::LoadFromResourceName(const QString& Name) {
  const QImage Loaded(QStringLiteral(":/qorkit/%1.png").arg(Name));
  if (Loaded.isNull())
    throw EInvalidGraphic(QStringLiteral("Resource \"%1\" not found").arg(Name).toStdString());
  LoadFromImage(Loaded);
}

bool TBitmap::SaveToFile(const QString& FileName) { return Image().save(FileName); }

std::uint32_t* TBitmap::ScanLine(int Row) {
  FCanvas.Flush();
  return reinterpret_cast<std::uint32_t*>(FImage.scanLine(Row));
}

const std::uint32_t* TBitmap::ScanLine(int Row) const {
  FCanvas.Flush();
  return reinterpret_cast<const std::uint32_t*>(FImage.constScanLine(Row));
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clNone) return FTransparentColor;
  if (Empty()) return clWhite;
  FCanvas.Flush();
  return FromQColor(QColor(FImage.pixel(0, Height() - 1)));
}

void TBitmap::Assign(const TBitmap& Source) {
  FCanvas.Flush();
  FImage = Source.Image().copy();
  FRatio = Source.FRatio;
  FTransparent = Source.FTransparent;
  FTransparentColor = Source.FTransparentColor;
}

const QImage& TBitmap::Image() const {
  FCanvas.Flush();
  return FImage;
}

QImage& TBitmap::Image() {
  FCanvas.Flush();
  return FImage;
}

}  // namespace qor::host
