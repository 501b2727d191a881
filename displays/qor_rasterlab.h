// TRasterLab: a text shown as a dot-matrix display.
//
// Every character is a matrix of square dots of DotSize pixels, DotSpacing
// pixels apart: lit dots in ColorDotOn, unlit dots in ColorDotOff, the gaps in
// ColorLabBakG. The glyphs come from a built-in 7 x 12 font (Font name
// "default") or are sampled from any system font when the font changes. The
// text stands at PosX, PosY (its first dot), can be centred, and scrolls by a
// timer in four directions, starting again from the other side when
// ScrollLoop is on. The frame uses black, ColorScheme's gray and white lines.
#pragma once

#include <array>
#include <memory>

#include "foundation/qor_qorbase.h"

namespace qor {

class QORKIT_EXPORT EQORRasterLabError : public EQORError {
 public:
  using EQORError::EQORError;
};

// The font of the display. Row r of glyph c is BitData[c][r]; bit j is the dot
// in column j (bit 0 leftmost). A glyph uses the columns LeftMostBit[c] to
// RightMostBit[c]; one without dots has LeftMostBit > RightMostBit.
struct TRDCharMatrix {
  int FontWidth = 0;
  int FontHeight = 0;
  std::array<std::uint8_t, 256> LeftMostBit{};
  std::array<std::uint8_t, 256> RightMostBit{};
  std::array<std::array<std::uint32_t, 32>, 256> BitData{};
};

class QORKIT_EXPORT TRasterLab : public TGraphicControl {
  Q_OBJECT
 public:
  // rdsmLeft, rdsmDown and rdsmUp mirror rdsmRight: the text moves by
  // ScrollIncrement pixels per tick and re-enters from the opposite side.
  enum TRDScrollMode : std::uint8_t { rdsmOff, rdsmLeft, rdsmRight, rdsmDown, rdsmUp };
  Q_ENUM(TRDScrollMode)
  // rdbmOff: lit dots on a plain background; rdbmRaster: the raster of unlit
  // dots behind the text; rdbmOn: the raster, with the dot column between
  // characters cleared so that each character stands in its own block.
  enum TRDBlockMode : std::uint8_t { rdbmOff, rdbmOn, rdbmRaster };
  Q_ENUM(TRDBlockMode)

 private:
  Q_PROPERTY(bool AutoHeight READ AutoHeight WRITE SetAutoHeight)
  Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
  Q_PROPERTY(qor::TColor ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
  Q_PROPERTY(qor::TColor ColorDotOn READ ColorDotOn WRITE SetColorDotOn)
  Q_PROPERTY(qor::TColor ColorDotOff READ ColorDotOff WRITE SetColorDotOff)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(int DotSize READ DotSize WRITE SetDotSize)
  Q_PROPERTY(int DotSpacing READ DotSpacing WRITE SetDotSpacing)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(int PosX READ PosX WRITE SetPosX)
  Q_PROPERTY(int PosY READ PosY WRITE SetPosY)
  Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
  Q_PROPERTY(qor::TRasterLab::TRDScrollMode ScrollMode READ ScrollMode WRITE SetScrollMode)
  Q_PROPERTY(int ScrollInterval READ ScrollInterval WRITE SetScrollInterval)
  Q_PROPERTY(int ScrollIncrement READ ScrollIncrement WRITE SetScrollIncrement)
  Q_PROPERTY(bool ScrollLoop READ ScrollLoop WRITE SetScrollLoop)
  Q_PROPERTY(qor::TRasterLab::TRDBlockMode CharBlockMode READ CharBlockMode WRITE SetCharBlockMode)
  Q_PROPERTY(QString Text READ Text WRITE SetText)

 public:
  explicit TRasterLab(QWidget* AOwner = nullptr);
  ~TRasterLab() override;

  // Text and its place.
  QString Text() const { return FLabText; }
  void SetText(const QString& Text);
  int PosX() const { return FXPos; }
  void SetPosX(int X);
  int PosY() const { return FYPos; }
  void SetPosY(int Y);
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool On);
  bool AutoHeight() const { return FAutoHeight; }
  void SetAutoHeight(bool On);

  // Dots: DotSize 1..32, DotSpacing 0..3 pixels.
  int DotSize() const { return FDotSize; }
  void SetDotSize(int Size);
  int DotSpacing() const { return FDotSpacing; }
  void SetDotSpacing(int Spacing);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool On);
  TRDBlockMode CharBlockMode() const { return FCharBlockMode; }
  void SetCharBlockMode(TRDBlockMode Mode);

  // Colours and frame.
  TColor ColorLabBakG() const { return FColorLabBakG; }
  void SetColorLabBakG(TColor Color);
  TColor ColorDotOn() const { return FColorDotOn; }
  void SetColorDotOn(TColor Color);
  TColor ColorDotOff() const { return FColorDotOff; }
  void SetColorDotOff(TColor Color);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Scheme);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Style);

  // Scrolling: ScrollInterval at least 10 ms, ScrollIncrement at least 1 pixel.
  TRDScrollMode ScrollMode() const { return FScrollMode; }
  void SetScrollMode(TRDScrollMode Mode);
  int ScrollInterval() const { return FScrollIv; }
  void SetScrollInterval(int Interval);
  int ScrollIncrement() const { return FScrollInc; }
  void SetScrollIncrement(int Increment);
  bool ScrollLoop() const { return FScrollLoop; }
  void SetScrollLoop(bool On);
  int ScrollPosX() const { return FScrollPosX; }
  int ScrollPosY() const { return FScrollPosY; }

  // The font; writing it repaints without redoing height and centring.
  const TRDCharMatrix& CharMatrix() const { return *FCMat; }
  void SetCharMatrix(const TRDCharMatrix& Matrix);

  // The built-in font for the name "default" (any case), else the font sampled.
  static TRDCharMatrix CreateBitFont(const TFont& Font);
  // Draws the lit dots of one character at (X, Y); returns the pixels of its columns.
  static int PaintChar(TCanvas& Canvas, const TRDCharMatrix& Matrix, int X, int Y, QChar Ch,
                       int DotSize, int DotSpacing, TColor LitColor, TColor UnlitColor,
                       TColor BackColor, bool FixedWidth);
  // Draws a text from (X, Y); BitLength receives its length in pixels.
  static void PaintString(TCanvas& Canvas, const TRDCharMatrix& Matrix, int X, int Y,
                          const QString& Text, int DotSize, int DotSpacing, TColor LitColor,
                          TColor UnlitColor, TColor BackColor, TRDBlockMode BlockMode,
                          bool Proportional, int& BitLength);
  // Length in pixels of Text in the current font and dots.
  int CalcTextBitLength(const QString& Text) const;
  // Height from the font and dots; PosX so that the text stands in the middle.
  void AdjustAutoHeight();
  void AdjustAutoCenter();
  // Restarts the scroll timer as mode, interval and state require.
  void UpdateTimer();

  // Copies frame, text, colours and scheme from another dot-matrix label.
  void Assign(const TRasterLab& Source);
  void AssignTo(TRasterLab& Dest) const { Dest.Assign(*this); }

  // After every scroll step. Assigning it restarts the scroll timer, so the
  // first call comes one full interval after the assignment.
  const TNotifyEvent& OnScrollTimer() const { return FOnScrollTimer; }
  void SetOnScrollTimer(TNotifyEvent Handler);
  // When a scrolled text starts again.
  TNotifyEvent OnScrollLoopRestart;

  // Screen readers: a read-out named and read by its text.
  QAccessible::Role AccessibleRole() const override { return QAccessible::StaticText; }
  QString AccessibleCaption() const override { return FLabText; }
  std::optional<host::TAccessibleText> AccessibleText() const override {
    return host::TAccessibleText{FLabText};
  }

 Q_SIGNALS:
  // scrolled follows OnScrollTimer, scrollLoopRestarted OnScrollLoopRestart.
  void scrolled();
  void scrollLoopRestarted();

 public:
  // The text may scroll or clip across any width of eight characters' dots.
  QSize minimumSizeHint() const override;

 protected:
  void Paint() override;
  void FontChanged() override;

 private:
  int Pitch() const { return FDotSize + FDotSpacing; }
  int FrameWidth() const;
  void DrawRaster(TCanvas& Canvas, int OriginX, int OriginY);
  void DrawFrameLines(TCanvas& Canvas);
  void ScrollStep();
  void AdjustLayout();

  std::unique_ptr<TRDCharMatrix> FCMat;
  TFrameStyle FFrameStyle = fsLowered;
  TRDScrollMode FScrollMode = rdsmOff;
  int FScrollPosX = 0, FScrollPosY = 0;
  bool FScrollLoop = true;
  host::TTimerWindow* FScrTimer = nullptr;
  TNotifyEvent FOnScrollTimer;
  bool FScrTimerEnabled = false;
  bool FAutoCenter = false;
  int FTextBitLength = 0;
  int FScrollIv = 100;
  int FScrollInc = 1;
  QString FLabText = QStringLiteral("Text");
  TColor FColorLabBakG = clBlack;
  TColor FColorDotOn = clLime;
  TColor FColorDotOff = 0x404040;
  TColor FColBlackLine = clBlack, FColGrayLine = clGray, FColWhiteLine = clWhite;
  bool FAutoHeight = false;
  TRDBlockMode FCharBlockMode = rdbmOn;
  TColorScheme FColorScheme = csGrayWhite;
  bool FProportional = true;
  int FDotSize = 3;
  int FDotSpacing = 1;
  int FXPos = 1, FYPos = 1;
};

}  // namespace qor
