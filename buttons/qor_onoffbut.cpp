#include "buttons/qor_onoffbut.h"

#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace qor {
namespace {

// Resource name of each style's strip, indexed by TOnOffButStyle.
constexpr std::array<const char*, 24> StripNames = {
    nullptr,     "CHECKBOX", "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT", "COLSLIDETB",
    "COLSLIDELR", "LEDREDGREEN", "ARROWTR", "ARROWUD", "ARROWLR", "TRAFFICLGT",
    "BEVELEDLED", "SMILEYS", "SMILEYRG", "BULB", "BUTLAMP", "HDLEFT", "HDRIGHT",
    "USER1",     "USER2",    "USER3",    "USER4",    "USER5"};

constexpr QRgb KeyColor = 0xEBBEEB;  // red EB, green BE, blue EB: the same word in both byte orders
const QString TextHeightSample = QStringLiteral("(8g]}\u00DC\u00C4\u00A7");

bool IsKey(QRgb Pixel) { return (Pixel & 0xFFFFFF) == KeyColor; }

QRgb ToRgb(TColor C) { return qRgb(GetRValue(C), GetGValue(C), GetBValue(C)); }

// The four cells of a 2 x 2 strip: [OnOff][Enabled], on/enabled at the top left.
void CutCells(const QImage& Strip, std::array<std::array<host::TBitmap, 2>, 2>& Cells) {
  const int W = Strip.width() / 2, H = Strip.height() / 2;
  Cells[1][1].LoadFromImage(Strip.copy(0, 0, W, H));
  Cells[0][1].LoadFromImage(Strip.copy(W, 0, W, H));
  Cells[1][0].LoadFromImage(Strip.copy(0, H, W, H));
  Cells[0][0].LoadFromImage(Strip.copy(W, H, W, H));
}

}  // namespace

TOnOffBut::TOnOffBut(QWidget* AOwner) : TCustomControl(AOwner) {
  for (auto& Row : FUserGlyphs)
    for (host::TBitmap& B : Row) B.SetSize(FUserGlyphWidth, FUserGlyphHeight);
  FUserGlyphs[1][1].Canvas().Ellipse(5, 5, 15, 15);
  TCanvas& Cross = FUserGlyphs[0][1].Canvas();
  Cross.MoveTo(0, 0);
  Cross.LineTo(20, 20);
  Cross.MoveTo(0, 20);
  Cross.LineTo(20, 0);
  LoadGlyphs();
  SetDefaultSize(100, 50);
}

// ---- state -----------------------------------------------------------------

void TOnOffBut::ShowChange() {
  Refresh();
  Toggled();
}

void TOnOffBut::Toggled() {
  QAccessible::State Changed;
  Changed.checked = true;
  host::NotifyAccessibleState(this, Changed);
  Q_EMIT toggled(FOnOff);
}

void TOnOffBut::StoreOnOff(bool On) {
  if (!Change(FOnOff, On)) return;
  ShowChange();
}

void TOnOffBut::SetOnOff(bool On) {
  if (On == FOnOff) return;
  if (!On && FGroupIndex != 0 && !FAllowAllOff) return;
  StoreOnOff(On);
  if (On) UpdateExclusive();
}

void TOnOffBut::UpdateExclusive() {
  QWidget* Parent = parentWidget();
  if (FGroupIndex == 0 || !Parent) return;
  for (TOnOffBut* Peer : Parent->findChildren<TOnOffBut*>(Qt::FindDirectChildrenOnly))
    Peer->CMButtonPressed(FGroupIndex, this);
}

void TOnOffBut::CMButtonPressed(int Group, TOnOffBut* Sender) {
  if (FGroupIndex < 0 || FGroupIndex != Group || Sender == this) return;
  FAllowAllOff = Sender->FAllowAllOff;
  if (FOnOff && Sender->FOnOff) StoreOnOff(false);
}

void TOnOffBut::SetButtonStyle(TOnOffButStyle Style) {
  if (Style > oobsUser5)
    throw EQORError(ComponentMessage(this, QStringLiteral("TOnOffBut.ButtonStyle out of range")));
  if (!Change(FButtonStyle, Style)) return;
  LoadGlyphs();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::SetMode(TOOButMode Mode) {
  if (!Change(FMode, Mode)) return;
  if (Mode == oobmSpeedBut && Change(FOnOff, false)) Toggled();
  Invalidate();
}

void TOnOffBut::SetMouseAction(TOOButMouseAction Action) {
  if (!Change(FMouseAction, Action)) return;
  // An indicator the mouse cannot switch is no stop for the keyboard either.
  setFocusPolicy(Action == oomaNone ? Qt::NoFocus : Qt::StrongFocus);
}

void TOnOffBut::SetGroupIndex(int Index) {
  if (!Change(FGroupIndex, Index)) return;
  UpdateExclusive();
}

void TOnOffBut::SetAllowAllOff(bool On) {
  if (!Change(FAllowAllOff, On)) return;
  UpdateExclusive();
}

// ---- geometry --------------------------------------------------------------

void TOnOffBut::AdjustAutoCenter() {
  FLeftSpace = (Width() - FGlyphWidth) / 2;
  FTopSpace = (Height() - FGlyphHeight) / 2;
}

void TOnOffBut::SetAutoCenter(bool On) {
  if (!Change(FAutoCenter, On)) return;
  if (On) AdjustAutoCenter();
  if (FTransparent) Invalidate();
  else Refresh();
}

void TOnOffBut::SetLeftSpace(int Space) {
  if (Space < 0 || Space == FLeftSpace) return;
  if (FAutoCenter) AdjustAutoCenter();
  else FLeftSpace = std::min(Space, Width());
  Invalidate();
}

void TOnOffBut::SetTopSpace(int Space) {
  if (Space < 0 || Space == FTopSpace) return;
  if (FAutoCenter) AdjustAutoCenter();
  else FTopSpace = std::min(Space, Height());
  Invalidate();
}

void TOnOffBut::ProcessResize(TObject*) {
  if (!parentWidget() || !FAutoCenter) return;
  AdjustAutoCenter();
  if (FTransparent) Invalidate();
  else Refresh();
}

void TOnOffBut::Resize() {
  ProcessResize(this);
  TCustomControl::Resize();
}

// ---- captions and colours --------------------------------------------------

void TOnOffBut::SetText(int Side, const QString& Text) {
  if (Change(FTexts[Side], Text)) Invalidate();
}

void TOnOffBut::SetAlignment(int Side, TAlignment A) {
  if (Change(FAlignments[Side], A)) Invalidate();
}

void TOnOffBut::SetColorBackgnd(TColor C) {
  if (Change(FColorBackgnd, C)) Refresh();
}

void TOnOffBut::SetColorText(TColor C) {
  if (Change(FColorText, C)) Refresh();
}

void TOnOffBut::SetColorScheme(TColorScheme Scheme) {
  if (Change(FColorScheme, Scheme)) Invalidate();
}

void TOnOffBut::SetFrameStyle(TFrameStyle Style) {
  if (Change(FFrameStyle, Style)) Refresh();
}

void TOnOffBut::SetTransparent(bool On) {
  if (!Change(FTransparent, On)) return;
  SetParentBackgroundPaint(On);
}

// ---- glyphs ----------------------------------------------------------------

void TOnOffBut::SetUserGlyph(const host::TBitmap& Img) {
  if (Img.Width() < 2 || Img.Height() < 2)
    throw host::EInvalidGraphic(
        ComponentMessage(this, QStringLiteral("user glyph strip smaller than 2 x 2 pixels")).toStdString());
  CutCells(Img.Image(), FUserGlyphs);
  FUserGlyphWidth = Img.Width() / 2;
  FUserGlyphHeight = Img.Height() / 2;
  if (FButtonStyle != oobsUser) return;
  LoadGlyphs();
  if (FAutoCenter) AdjustAutoCenter();
  Invalidate();
}

void TOnOffBut::LoadUserGlyph(const QString& FName) {
  host::TBitmap Strip;
  Strip.LoadFromFile(FName);
  SetUserGlyph(Strip);
}

void TOnOffBut::LoadGlyphs() {
  FHiResGlyphs = {};
  if (FButtonStyle == oobsUser) {
    FGlyphs = FUserGlyphs;
    FGlyphWidth = FUserGlyphWidth;
    FGlyphHeight = FUserGlyphHeight;
    return;
  }
  const QString Name = QString::fromLatin1(StripNames[FButtonStyle]);
  host::TBitmap Strip;
  Strip.LoadFromResourceName(Name);
  ExtractGlyphs(Strip);
  Strip.LoadFromResourceName(Name + QStringLiteral("@2x"));
  CutCells(Strip.Image(), FHiResGlyphs);
}

void TOnOffBut::ExtractGlyphs(const host::TBitmap& Bitmap) {
  CutCells(Bitmap.Image(), FGlyphs);
  FGlyphWidth = Bitmap.Width() / 2;
  FGlyphHeight = Bitmap.Height() / 2;
}

const host::TBitmap* TOnOffBut::HiResGlyph() const {
  const host::TBitmap& G = FHiResGlyphs[FOnOff][isEnabled()];
  if (G.Width() != 2 * FGlyphWidth || G.Height() != 2 * FGlyphHeight) return nullptr;
  return &G;
}

// ---- input -----------------------------------------------------------------

bool TOnOffBut::InsideGlyph(int X, int Y) const {
  if (FMouseAction == oomaPlain) return true;
  return FLeftSpace < X && X < FLeftSpace + FGlyphWidth && FTopSpace < Y &&
         Y < FTopSpace + FGlyphHeight;
}

void TOnOffBut::Press() {
  if (FGroupIndex != 0 && !FAllowAllOff && FOnOff) return;
  FOnOff = !FOnOff;
  ShowChange();
  if (FOnOff) UpdateExclusive();
}

void TOnOffBut::Release(bool Click) {
  if (FMode == oobmSpeedBut) StoreOnOff(false);
  if (!Click) return;
  if (OnClick) OnClick(this);
  Q_EMIT clicked();
}

void TOnOffBut::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (FMouseAction == oomaNone || Button != mbLeft || !InsideGlyph(X, Y)) return;
  Press();
}

void TOnOffBut::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FMouseAction == oomaNone || Button != mbLeft) return;
  // A speed button released off its glyph still comes up; only the click needs the glyph.
  Release(InsideGlyph(X, Y));
}

void TOnOffBut::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != VK_SPACE || FMouseAction == oomaNone || FKeyPressed) return;
  FKeyPressed = true;
  Press();
}

void TOnOffBut::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (Key != VK_SPACE || !FKeyPressed) return;
  FKeyPressed = false;
  Release(true);
}

// A held Space is one press: the keyboard's repeats are not new presses.
void TOnOffBut::keyPressEvent(QKeyEvent* Event) {
  if (Event->isAutoRepeat() && Event->key() == Qt::Key_Space) return;
  TCustomControl::keyPressEvent(Event);
}

void TOnOffBut::keyReleaseEvent(QKeyEvent* Event) {
  if (Event->isAutoRepeat() && Event->key() == Qt::Key_Space) return;
  TCustomControl::keyReleaseEvent(Event);
}

void TOnOffBut::DoEnter() {
  Refresh();
  TCustomControl::DoEnter();
}

// Losing the focus with Space held cancels the click, as for a QCheckBox.
void TOnOffBut::DoExit() {
  if (FKeyPressed) {
    FKeyPressed = false;
    if (FMode == oobmSpeedBut) StoreOnOff(false);
  }
  Refresh();
  TCustomControl::DoExit();
}

// ---- painting --------------------------------------------------------------
//
// Paint composes the picture (and, when transparent, the mask) in steps:
// background, captions, glyph, frame; then combines it with the screen image.

void TOnOffBut::Paint() {
  const int W = Width(), H = Height();
  TCanvas& Screen = Canvas();
  // Opaque: compose straight on the kept screen image, which is off-screen too.
  host::TBitmap* Mask = nullptr;
  if (FTransparent) {
    if (FPicture.Width() != W || FPicture.Height() != H || FPicture.PixelRatio() != PaintRatio()) {
      FPicture.SetPixelRatio(PaintRatio());
      FMask.SetPixelRatio(PaintRatio());
      FPicture.SetSize(W, H);
      FMask.SetSize(W, H);
    }
    Mask = &FMask;
  }
  TCanvas& C = FTransparent ? FPicture.Canvas() : Screen;
  C.SetOwner(this);
  C.Font().Assign(Font());
  const TColor Back = FTransparent ? clBlack : FColorBackgnd;
  C.Pen().SetColor(Back);
  C.Brush().SetColor(Back);
  C.Rectangle(0, 0, W, H);
  TCanvas* M = nullptr;
  if (Mask) {
    M = &Mask->Canvas();
    M->Font().Assign(Font());
    M->Pen().SetColor(clWhite);
    M->Brush().SetColor(clWhite);
    M->Rectangle(0, 0, W, H);
  }
  DrawCaptions(C, M ? *M : C, C.TextHeight(TextHeightSample));
  C.Flush();
  DrawGlyph(*C.Target(), Mask);
  DrawFrame(C, FFrameStyle, 0, 0, W - 1, H - 1, clWhite, clSilver, clGray, clBlack, clBlack);
  if (M) {
    DrawFrame(*M, FFrameStyle, 0, 0, W - 1, H - 1, clBlack, clBlack, clBlack, clBlack, clBlack);
    Screen.SetCopyMode(host::cmSrcAnd);
    Screen.Draw(0, 0, FMask);
    Screen.SetCopyMode(host::cmSrcPaint);
    Screen.Draw(0, 0, FPicture);
    Screen.SetCopyMode(host::cmSrcCopy);
  }
  if (hasFocus()) DrawFocus(Screen);
}

void TOnOffBut::DrawCaptions(TCanvas& C, TCanvas& M, int TextHeight) {
  const int W = Width(), LS = FLeftSpace, TS = FTopSpace, GW = FGlyphWidth, GH = FGlyphHeight;
  const int SideY = TS + (GH - TextHeight) / 2;
  struct TPlace {
    int X, Y;
  };
  std::array<TPlace, 4> Places;
  for (int Side = 0; Side < 4; ++Side) {
    const QString& Text = FTexts[Side];
    if (Text.isEmpty()) continue;
    const int TW = C.TextWidth(Text);
    const TAlignment A = FAlignments[Side];
    int X = 4, Y = SideY;
    switch (Side) {
      case 0:
        if (A == taRightJustify) X = LS - TW - 3;
        else if (A == taCenter) X = (LS - TW) / 2;
        break;
      case 2:
        X = LS + GW + 4;
        if (A == taRightJustify) X = W - TW - 4;
        else if (A == taCenter) X = (W - TW - LS - GW) / 2 + LS + GW + 1;
        break;
      default:
        Y = Side == 1 ? TS - TextHeight - 4 : TS + GH + 4;
        if (A == taRightJustify) X = W - TW - 4;
        else if (A == taCenter) X = LS + (GW - TW) / 2;
    }
    Places[Side] = {X, Y};
  }
  // Opaque buttons have no mask: M is then C itself.
  const bool Masked = &M != &C;
  C.Brush().SetStyle(host::bsClear);
  M.Brush().SetStyle(host::bsClear);
  const auto Pass = [&](TColor Color, int Shift) {
    if (Masked) M.Font().SetColor(clBlack);
    C.Font().SetColor(Color);
    for (int Side = 0; Side < 4; ++Side) {
      if (FTexts[Side].isEmpty()) continue;
      C.TextOut(Places[Side].X + Shift, Places[Side].Y + Shift, FTexts[Side]);
      if (Masked) M.TextOut(Places[Side].X + Shift, Places[Side].Y + Shift, FTexts[Side]);
    }
  };
  if (isEnabled()) {
    Pass(FColorText, 0);
    return;
  }
  Pass(clWhite, 1);
  Pass(clGray, 0);
}

// The glyph of [OnOff, Enabled] at (LeftSpace + 1, TopSpace + 1); key pixels
// become the background (black in the picture of a transparent button, whose
// mask stays white there), every other pixel is drawn. Out and Mask are
// written in device pixels: at a pixel ratio of 2 or more the 2x strip keeps
// the glyph crisp, otherwise the plain glyph is sampled.
void TOnOffBut::DrawGlyph(QImage& Out, host::TBitmap* Mask) {
  const int Ratio = std::max(1, int(std::lround(Out.devicePixelRatio())));
  const host::TBitmap* HiRes = Ratio >= 2 ? HiResGlyph() : nullptr;
  const host::TBitmap& Glyph = HiRes ? *HiRes : FGlyphs[FOnOff][isEnabled()];
  const int Scale = HiRes ? 2 : 1;  // glyph pixels per logical pixel
  const QRgb Back = FTransparent ? qRgb(0, 0, 0) : ToRgb(ColorToRGB(FColorBackgnd, this));
  const int X0 = (FLeftSpace + 1) * Ratio, Y0 = (FTopSpace + 1) * Ratio;
  const int GW = std::min(Glyph.Width() / Scale, FGlyphWidth) * Ratio;
  const int GH = std::min(Glyph.Height() / Scale, FGlyphHeight) * Ratio;
  for (int y = 0; y < GH; ++y) {
    const int Row = Y0 + y;
    if (Row < 0 || Row >= Out.height()) continue;
    const std::uint32_t* Src = Glyph.ScanLine(y * Scale / Ratio);
    auto* Dst = reinterpret_cast<QRgb*>(Out.scanLine(Row));
    QRgb* MaskRow = Mask ? reinterpret_cast<QRgb*>(Mask->ScanLine(Row)) : nullptr;
    for (int x = 0; x < GW; ++x) {
      const int Col = X0 + x;
      if (Col < 0 || Col >= Out.width()) continue;
      const std::uint32_t Pixel = Src[x * Scale / Ratio];
      const bool Key = IsKey(Pixel);
      Dst[Col] = Key ? Back : (Pixel | 0xFF000000u);
      if (MaskRow) MaskRow[Col] = Key ? 0xFFFFFFFFu : 0xFF000000u;
    }
  }
}

// A dotted rectangle one pixel outside the glyph.
void TOnOffBut::DrawFocus(TCanvas& C) {
  C.Pen().SetColor(clBlack);
  C.Pen().SetStyle(host::psDot);
  C.Brush().SetStyle(host::bsClear);
  C.Rectangle(FLeftSpace, FTopSpace, FLeftSpace + FGlyphWidth + 2, FTopSpace + FGlyphHeight + 2);
  C.Pen().SetStyle(host::psSolid);
}

void TOnOffBut::Assign(const TOnOffBut& Source) {
  if (&Source == this) return;
  FLeftSpace = Source.FLeftSpace;
  FTopSpace = Source.FTopSpace;
  FAutoCenter = Source.FAutoCenter;
  FTexts = Source.FTexts;
  FAlignments = Source.FAlignments;
  FFrameStyle = Source.FFrameStyle;
  FColorBackgnd = Source.FColorBackgnd;
  FColorScheme = Source.FColorScheme;
  FOnOff = Source.FOnOff;
  FGlyphs = Source.FGlyphs;
  FUserGlyphs = Source.FUserGlyphs;
  FHiResGlyphs = Source.FHiResGlyphs;
  FUserGlyphWidth = Source.FUserGlyphWidth;
  FUserGlyphHeight = Source.FUserGlyphHeight;
  FButtonStyle = Source.FButtonStyle;
  SetMouseAction(Source.FMouseAction);
  FColorText = Source.FColorText;
  FGlyphWidth = Source.FGlyphWidth;
  FGlyphHeight = Source.FGlyphHeight;
  SetTransparent(Source.FTransparent);
  setEnabled(Source.isEnabled());
  Invalidate();
}

}  // namespace qor
