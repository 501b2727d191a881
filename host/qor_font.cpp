#include "host/qor_font.h"

#include <QApplication>

namespace qor::host {

TFont::TFont() : FName(QApplication::font().family()) {}

void TFont::SetName(const QString& Name) {
  if (Name == FName) return;
  FName = Name;
  Changed();
}

void TFont::SetSize(int Size) {
  if (Size == FSize || Size <= 0) return;
  FSize = Size;
  Changed();
}

void TFont::SetHeight(int Height) {
  const int Pixels = Height < 0 ? -Height : Height;
  SetSize(qMax(1, (Pixels * 72 + 48) / 96));
}

void TFont::SetStyle(TFontStyles Style) {
  if (Style == FStyle) return;
  FStyle = Style;
  Changed();
}

void TFont::SetColor(TColor Color) {
  if (Color == FColor) return;
  FColor = Color;
  Notify();
}

void TFont::SetOrientation(int Orientation) {
  if (Orientation == FOrientation) return;
  FOrientation = Orientation;
  Notify();
}

void TFont::SetAntialiased(bool On) {
  if (On == FAntialiased) return;
  FAntialiased = On;
  Changed();
}

void TFont::Assign(const TFont& Source) {
  if (*this == Source) return;
  // The same face measures the same: the font and the widths learnt so far
  // stay (painters assign the control's font before every cell or label).
  if (FName == Source.FName && FSize == Source.FSize && FStyle == Source.FStyle &&
      FAntialiased == Source.FAntialiased) {
    FColor = Source.FColor;
    FOrientation = Source.FOrientation;
    Notify();
    return;
  }
  FQFont = Source.FQFont;
  FMetrics = Source.FMetrics;
  FWidths = Source.FWidths;
  FName = Source.FName;
  FSize = Source.FSize;
  FStyle = Source.FStyle;
  FColor = Source.FColor;
  FOrientation = Source.FOrientation;
  FAntialiased = Source.FAntialiased;
  Notify();
}

bool TFont::operator==(const TFont& Other) const {
  return FName == Other.FName && FSize == Other.FSize && FStyle == Other.FStyle &&
         FColor == Other.FColor && FOrientation == Other.FOrientation &&
         FAntialiased == Other.FAntialiased;
}

const QFont& TFont::ToQFont() const {
  if (FQFont) return *FQFont;
  QFont F(FName);
  F.setPixelSize(-Height());
  F.setBold(FStyle & fsBold);
  F.setItalic(FStyle & fsItalic);
  F.setUnderline(FStyle & fsUnderline);
  F.setStrikeOut(FStyle & fsStrikeOut);
  F.setStyleStrategy(FAntialiased ? QFont::PreferDefault : QFont::NoAntialias);
  F.setHintingPreference(QFont::PreferFullHinting);
  FQFont = F;
  return *FQFont;
}

const QFontMetrics& TFont::Metrics() const {
  if (!FMetrics) FMetrics.emplace(ToQFont());
  return *FMetrics;
}

void TFont::SetFromQFont(const QFont& Font) {
  FName = Font.family();
  FSize = Font.pointSize() > 0 ? Font.pointSize() : qMax(1, (Font.pixelSize() * 72 + 48) / 96);
  FStyle = TFontStyles((Font.bold() ? fsBold : 0) | (Font.italic() ? fsItalic : 0) |
                       (Font.underline() ? fsUnderline : 0) | (Font.strikeOut() ? fsStrikeOut : 0));
  Changed();
}

int TFont::TextWidth(const QString& Text) const {
  constexpr qsizetype MaxRemembered = 512;
  const auto Known = FWidths.constFind(Text);
  if (Known != FWidths.constEnd()) return *Known;
  const int Width = Metrics().horizontalAdvance(Text);
  if (FWidths.size() >= MaxRemembered) FWidths.clear();
  FWidths.insert(Text, Width);
  return Width;
}

void TFont::Changed() {
  FQFont.reset();
  FMetrics.reset();
  FWidths.clear();
  Notify();
}

void TFont::Notify() {
  if (FOwnerNotify) FOwnerNotify();
  if (OnChange) OnChange(nullptr);
}

}  // namespace qor::host
