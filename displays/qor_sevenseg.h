// TSevenSeg: a short text in the look of a seven-segment LED display.
//
// The control shows NumDigits character cells side by side, inside Margin
// pixels of ColorBackGnd and InterDigDist pixels apart. A cell shows a digit,
// a hexadecimal letter (either case), "-", "+", ":" or "°", optionally
// followed by a decimal point ("." or ","); any other character leaves its
// cell blank. Segments are lit in ColorText.
//
// The glyphs are composed from the segment images once per change of size,
// colours, cell count, margin or distance, reduced into a glyph cache, and
// painting only copies cache cells. The frame uses the classic bevel colours.
#pragma once

#include <array>

#include "foundation/qor_qorbase.h"

namespace qor {

// The characters that have a glyph, in the order of the glyph cache cells.
QORKIT_EXPORT extern const std::array<QChar, 21> SevenSegCharList;

class QORKIT_EXPORT TSevenSeg : public TGraphicControl {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int NumDigits READ NumDigits WRITE SetNumDigits)
  Q_PROPERTY(qor::TColor ColorText READ ColorText WRITE SetColorText)
  Q_PROPERTY(qor::TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
  Q_PROPERTY(int InterDigDist READ InterDigDist WRITE SetInterDigDist)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)

 public:
  explicit TSevenSeg(QWidget* AOwner = nullptr);
  ~TSevenSeg() override;

  // Text and cells.
  QString Caption() const { return FCaption; }
  void SetCaption(const QString& Caption);
  // 1..32; other values are ignored.
  int NumDigits() const { return FNumDigits; }
  void SetNumDigits(int NumDigits);

  // Colours; a pure white text is lit in 0xFEFEFE.
  TColor ColorText() const { return FColorText; }
  void SetColorText(TColor Color);
  TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBackGnd(TColor Color);

  // Geometry: Margin is kept within 0..Height / 2 - 1, InterDigDist below 256.
  int Margin() const { return FMargin; }
  void SetMargin(int Margin);
  int InterDigDist() const { return FInterDigDist; }
  void SetInterDigDist(int Distance);

  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Scheme);

  // Copies colours, cells, caption, frame, scheme, margin and distance from
  // another seven-segment display; other sources are ignored.
  void Assign(const TSevenSeg& Source);
  void AssignTo(TSevenSeg& Dest) const { Dest.Assign(*this); }

  // The glyph cache: 21 cells of CellWidth() x (Height - 2 * Margin) pixels,
  // in the order of SevenSegCharList.
  const host::TBitmap& GlyphCache() const { return FCache; }
  int CellWidth() const;
  // Rebuilds the glyph cache at the current size and colours.
  void BuildGlyphCache();

  // Screen readers: a read-out named and read by its caption.
  QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
  QString AccessibleCaption() const override { return FCaption; }
  std::optional<host::TAccessibleText> AccessibleText() const override {
    return host::TAccessibleText{FCaption};
  }

 protected:
  void Paint() override;

 private:
  void ProcessResize();
  bool AdoptSize();
  void ColorSegments();
  void ComposeGlyph(int Index, bool Point);
  void Rebuild();

  QString FCaption = QStringLiteral("8.8.8.8.");
  int FNumDigits = 4;
  TColor FColorText = clRed;
  TColor FColorBackGnd = 0x333333;
  int FMargin = 8;
  int FInterDigDist = 2;
  TFrameStyle FFrameStyle = fsLowered;
  TColorScheme FColorScheme = csGrayWhite;

  host::TBitmap FSegVert, FSegHorz, FSegDot, FSegPlus, FSegDeg, FSegColon;
  host::TBitmap FMaster;
  host::TBitmap FCache;
  QSize FLastSize;
};

}  // namespace qor
