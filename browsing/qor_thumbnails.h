// TThumbnails: a scrollable grid of square slides, one per item number
// Min..Max. The viewer owns no pictures: for every visible slide it asks the
// application through OnImageRequest how to show it (empty with its number,
// with a picture scaled into the slide, as a bare face, or not at all) and,
// for a picture, reads it from one image buffer shared by the whole paint.
//
// Geometry (all in pixels of the painting area):
//   pitch        Q = SlideSize + SlideDistance + 2 * SlideMargin
//   slide        a square of SlideSize + 2 * SlideMargin, picture inset by SlideMargin
//   columns      start 10 pixels from the left; NumSlidesHoriz = (W - 20 + SlideDistance) div Q
//   bands        10 pixels at the top and at the bottom stay in ColorBackGnd
//   FirstThumbIdx  integer part: the slide at the top left; fraction: how far
//                  that row is scrolled up, in rows
//
// The painting area is the control minus a vertical scroll bar docked at its
// right edge (ScrollBarVisible, default on); with the bar off it is the whole
// control. The viewer takes the keyboard focus (Tab reaches it) so it can be
// driven without a mouse:
//
//   input              effect
//   wheel              scrolls half a row per notch
//   scroll bar         scrolls continuously over all rows
//   Up/Down            focus one row up/down (scrolls it into view)
//   Left/Right         focus the previous/next slide
//   PageUp/PageDown    focus one page of rows up/down
//   Home/End           focus Min/Max
//   Space              acts like a click on the focused slide
//   Return             acts like a double click on the focused slide
//   (FocusLinewidth 0: no focus; the keys only scroll)
//
// Selection (SlideSelectMode):
//   ssmDisabled   clicks never change the selection
//   ssmSingle     a click selects the slide under the pointer alone (a gap: none)
//   ssmMultiple   as Qt's extended selection: click selects alone, Ctrl+click
//                 toggles, Shift+click selects the range from the last clicked slide
//
// A handler that throws is reported to the application's exception handler
// and the rest of that paint shows its slides as bare faces; a repaint asked
// for from inside a handler is done after the paint in progress.
//
// Colours: ColorBackGnd (background and bands), ColorCover / ColorSelected
// (slide faces), ColorFocus (focus frame), ColorMark (marks), the bevel colours
// of ColorScheme for the frames; the slide numbers use Font.
#pragma once

#include <QScrollBar>

#include "foundation/qor_dstruct.h"
#include "foundation/qor_qorbase.h"
#include "host/qor_bitmap.h"

namespace qor {

class QORKIT_EXPORT TThumbnails : public TCustomControl {
  Q_OBJECT

 public:
  enum TSlideSelectMode : std::uint8_t { ssmDisabled, ssmSingle, ssmMultiple };
  Q_ENUM(TSlideSelectMode)
  enum TImageRequestProcessing : std::uint8_t {
    irpShowEmpty, irpShowSlide, irpShowFrameOnly, irpShowNothing
  };
  Q_ENUM(TImageRequestProcessing)

  using TImageRequestEvent = std::function<void(TObject* Sender, int ThumbID,
                                                TImageRequestProcessing& HowToProcess, int& MarkIt,
                                                host::TBitmap& ImgBuffer)>;
  using TImageClickEvent = std::function<void(TObject* Sender, int X, int Y, int ThumbID)>;
  using TSlideRenderedEvent =
      std::function<void(TObject* Sender, TCanvas& Canvas, int X, int Y, int ThumbID)>;

 private:
  Q_PROPERTY(qor::TThumbnails::TSlideSelectMode SlideSelectMode READ SlideSelectMode
              WRITE SetSlideSelectMode)
  Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
  Q_PROPERTY(qor::TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
  Q_PROPERTY(qor::TColor ColorCover READ ColorCover WRITE SetColorCover)
  Q_PROPERTY(qor::TColor ColorSelected READ ColorSelected WRITE SetColorSelected)
  Q_PROPERTY(qor::TColor ColorFocus READ ColorFocus WRITE SetColorFocus)
  Q_PROPERTY(qor::TColor ColorMark READ ColorMark WRITE SetColorMark)
  Q_PROPERTY(qor::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
  Q_PROPERTY(qor::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
  Q_PROPERTY(qor::TFrameStyle OuterFrameStyle READ OuterFrameStyle WRITE SetOuterFrameStyle)
  Q_PROPERTY(qor::TFrameStyle InnerFrameStyle READ InnerFrameStyle WRITE SetInnerFrameStyle)
  Q_PROPERTY(int FocusLinewidth READ FocusLinewidth WRITE SetFocusLinewidth)
  Q_PROPERTY(int FocusedSlide READ FocusedSlide NOTIFY focusChanged)
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int SlideSize READ SlideSize WRITE SetSlideSize)
  Q_PROPERTY(int SlideDistance READ SlideDistance WRITE SetSlideDistance)
  Q_PROPERTY(int SlideMargin READ SlideMargin WRITE SetSlideMargin)
  Q_PROPERTY(double FirstThumbIdx READ FirstThumbIdx WRITE SetFirstThumbIdx)
  Q_PROPERTY(bool ScrollBarVisible READ ScrollBarVisible WRITE SetScrollBarVisible)

 public:
  explicit TThumbnails(QWidget* AOwner = nullptr);
  ~TThumbnails() override;

  // ---- items and scrolling
  // The first slide number (at least -2^30); the selection keeps one bit per
  // slide Min..Max.
  int Min() const { return FMin; }
  void SetMin(int V);
  // Raised to 1.
  int Max() const { return FMax; }
  void SetMax(int V);
  // Clamped to Min..Max and held on its row: with N slides per row the row
  // start C = N * (Trunc(X - 1) div N) + 1 and the stored value C + (X - C) / N.
  double FirstThumbIdx() const { return FFirstThumbIx; }
  void SetFirstThumbIdx(double X);
  // Computed by every paint.
  int NumSlidesHoriz() const { return FNumSldX; }
  int NumSlidesVert() const { return FNumSldY; }
  bool ScrollBarVisible() const { return FScrollBarVisible; }
  void SetScrollBarVisible(bool On);

  // ---- slide geometry
  // Raised to 50, then lowered to the width.
  int SlideSize() const { return FThumbBaseSize; }
  void SetSlideSize(int V);
  int SlideDistance() const { return FSlideDist; }  // 0..100
  void SetSlideDistance(int V);
  int SlideMargin() const { return FSlideMargin; }  // 0..100
  void SetSlideMargin(int V);
  // Smooth (halftone) scaling of the pictures instead of colour-on-colour.
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool On);

  // ---- colours and frames
  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor C);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor C);
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor C);
  TColor ColorFocus() const { return FColorHilite; }
  void SetColorFocus(TColor C);
  TColor ColorMark() const { return FMarkColor; }
  void SetColorMark(TColor C);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme S);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle S);
  TFrameStyle OuterFrameStyle() const { return FOuterFrameStyle; }
  void SetOuterFrameStyle(TFrameStyle S);
  TFrameStyle InnerFrameStyle() const { return FInnerFrameStyle; }
  void SetInnerFrameStyle(TFrameStyle S);

  // ---- focus (the slide under the pointer or the keyboard cursor)
  // 0..10 lines; 0 switches focus tracking off.
  int FocusLinewidth() const { return FHiliteThickness; }
  void SetFocusLinewidth(int V);
  int FocusedSlide() const { return FLastHiLite; }
  // Draws / removes the focus frame of slide S directly on the screen image.
  void HiLite(int S);
  void ResetLastHiLite();

  // ---- selection
  TSlideSelectMode SlideSelectMode() const { return FSelectMode; }
  void SetSlideSelectMode(TSlideSelectMode M);
  bool SlideSelected(int I) const;
  void SetSlideSelected(int I, bool On);
  void ResetAllSelections();
  // Min - 1 when nothing is selected.
  int FirstSelectedSlide() const;
  int NumSlidesSelected() const;

  // The slide under (X, Y), 0 for gaps, margins, bands and numbers outside Min..Max.
  int CalcSlideIndex(int X, int Y) const;
  // The top-left corner of slide S's square.
  void CalcSlidePos(int S, int& X, int& Y) const;

  // Copies the look, range, position and handlers of another TThumbnails
  // (not OnSlideRendered, ColorMark, the selection or the select mode).
  void Assign(const TThumbnails& Source);
  void AssignTo(TThumbnails& Dest) const { Dest.Assign(*this); }

  TImageRequestEvent OnImageRequest;
  TImageClickEvent OnImageClick, OnImageDblClick;
  TNotifyEvent OnFocusChange, OnFirstImageRequest, OnLastImageRequest;
  TSlideRenderedEvent OnSlideRendered;

  // Screen readers: a list of the slides Min..Max (item i is slide Min + i),
  // with their selection and the focused slide.
  QAccessible::Role AccessibleRole() const override { return QAccessible::List; }
  int AccessibleItemCount() const override;
  QString AccessibleItemText(int Index) const override;
  bool AccessibleItemSelected(int Index) const override { return SlideSelected(FMin + Index); }
  bool AccessibleItemFocused(int Index) const override { return FMin + Index == FLastHiLite; }
  QRect AccessibleItemRect(int Index) const override;
  QAccessible::State AccessibleState() const override;

 Q_SIGNALS:
  // Each follows its event: imageClicked OnImageClick, imageDoubleClicked
  // OnImageDblClick, focusChanged OnFocusChange (with the focused slide), and
  // the two request signals OnFirstImageRequest and OnLastImageRequest around
  // the image requests of a paint. OnImageRequest and OnSlideRendered hand
  // out a picture or canvas of the paint in progress: they stay events only.
  void imageClicked(int ThumbID);
  void imageDoubleClicked(int ThumbID);
  void focusChanged(int ThumbID);
  void firstImageRequested();
  void lastImageRequested();

 public:
  // One slide with the margins around the grid.
  QSize minimumSizeHint() const override;

 protected:
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void wheelEvent(QWheelEvent* Event) override;

 private:
  struct TSlideRect;

  // The painting sequence.
  void DrawSlide(TCanvas& C, host::TBitmap& Buffer, int T, int X, int Y, bool& HandlersOk);
  void DrawFace(TCanvas& C, const TSlideRect& R, int T);
  void DrawNumber(TCanvas& C, const TSlideRect& R, int T);
  void DrawPicture(TCanvas& C, const TSlideRect& R, const host::TBitmap& Picture);
  void DrawBandsAndFrame(TCanvas& C);
  void DrawFocusFrame(TCanvas& C, int S, TColor Color);
  void ClearBands(TCanvas& C);

  int Pitch() const { return FThumbBaseSize + FSlideDist + 2 * FSlideMargin; }
  int SlideSpan() const { return FThumbBaseSize + 2 * FSlideMargin; }
  int AreaWidth() const;
  int ComputeNumSldX() const;
  // Runs an application handler; an exception goes to the application's
  // handler and turns the remaining handler calls of this paint off.
  template <typename F> bool Guarded(F&& Call);

  // Scrolling in rows: row 0 holds slides 1..N.
  double RowPos() const;
  double MinRowPos() const;
  double MaxRowPos() const;
  void ScrollToRow(double P);
  void SyncScrollBar();
  void ScrollBarMoved(int Value);
  void EnsureVisible(int S);
  void MoveFocus(int S);
  void SelectByClick(int S, TShiftState Shift);
  void ResizeSelection();
  void Changed();

  TFrameStyle FFrameStyle = fsLowered;
  TColor FColorBG = clBtnFace, FColBlackLine = clBlack, FColGrayLine = clGray,
         FColWhiteLine = clWhite;
  TColorScheme FColorScheme = csGrayWhite;
  double FFirstThumbIx = 1.0;
  int FMin = 1, FMax = 100, FNumSldX = 2, FNumSldY = 0, FThumbBaseSize = 120, FSlideDist = 2,
      FSlideMargin = 7;
  TFrameStyle FOuterFrameStyle = fsRaised, FInnerFrameStyle = fsLowered;
  bool FAntiAlias = false;
  TColor FColorCover = clSilver, FColorSelected = clNavy, FColorHilite = clBlue, FMarkColor = clBlack;
  int FLastHiLite = 0, FHiliteThickness = 1;
  bool FIsWorking = false, FChangedWhileWorking = false;
  TBitFld* FSelectedSlide;
  TSlideSelectMode FSelectMode = ssmSingle;
  int FLastClickedSlide = 0;
  QScrollBar* FScrollBar;
  bool FScrollBarVisible = true, FSyncingBar = false;
  double FRowUnits = 1;
  int FWheelRest = 0;
  TPoint FLastDown;
};

}  // namespace qor
