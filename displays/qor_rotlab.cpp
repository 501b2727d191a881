#include "displays/qor_rotlab.h"

#include <cmath>
#include <numbers>

namespace qor {

TRotLab::TRotLab(QWidget* AOwner) : TCustomLabel(AOwner) {
  SetAutoSize(false);
  TCustomLabel::SetAlignment(taCenter);
  TCustomLabel::SetTransparent(true);
  Font().SetName(QStringLiteral("Arial"));
  Font().SetSize(11);
  SetDefaultSize(200, 200);
  OnResize = [this](TObject* Sender) { ProcessResize(Sender); };
}

// Opaque labels repaint at once; transparent ones wait for the parent's pixels.
void TRotLab::Changed() {
  if (Transparent()) Invalidate();
  else Refresh();
}

void TRotLab::SetTextAngle(int Angle) {
  if (Angle == FTextAngle) return;
  FTextAngle = Angle;
  Changed();
}

void TRotLab::SetPosX(int X) {
  if (X == FTextPosX) return;
  if (FAutoCenter) AdjustAutoCenter();
  else FTextPosX = X;
  Changed();
}

void TRotLab::SetPosY(int Y) {
  if (Y == FTextPosY) return;
  if (FAutoCenter) AdjustAutoCenter();
  else FTextPosY = Y;
  Changed();
}

void TRotLab::SetAutoCenter(bool On) {
  if (On == FAutoCenter) return;
  FAutoCenter = On;
  if (On) AdjustAutoCenter();
  Changed();
}

void TRotLab::SetAntiAlias(bool On) {
  if (On == FAntiAlias) return;
  FAntiAlias = On;
  Changed();
}

void TRotLab::SetAlignment(TAlignment Alignment) {
  if (Alignment == this->Alignment()) return;
  TCustomLabel::SetAlignment(Alignment);
  Changed();
}

void TRotLab::SetTransparent(bool On) {
  if (On == Transparent()) return;
  TCustomLabel::SetTransparent(On);
  Changed();
}

void TRotLab::SetColor(TColor Color) {
  if (Color == FBgColor) return;
  FBgColor = Color;
  TCustomLabel::SetColor(UseStyle(seClient) ? host::StyleColor(host::scWindow, this) : Color);
  Changed();
}

void TRotLab::SetFrameStyle(TFrameStyle Style) {
  if (Style == FFrameStyle) return;
  FFrameStyle = Style;
  Changed();
}

void TRotLab::AdjustAutoCenter() {
  FTextPosX = Width() / 2;
  FTextPosY = Height() / 2;
}

void TRotLab::ProcessResize(TObject*) {
  if (FAutoCenter) AdjustAutoCenter();
  Changed();
}

void TRotLab::Assign(const TRotLab& Source) {
  const auto* Other = &Source;
  if (Other == this) return;
  FAutoCenter = Other->FAutoCenter;
  FFrameStyle = Other->FFrameStyle;
  FTextAngle = Other->FTextAngle;
  FTextPosX = Other->FTextPosX;
  FTextPosY = Other->FTextPosY;
  FAntiAlias = Other->FAntiAlias;
  Invalidate();
}

void TRotLab::Paint() {
  TCustomLabel::Paint();
  DrawStandardFrame(Canvas(), FFrameStyle, 0, 0, Width() - 1, Height() - 1, UseStyle(seBorder));
}

//   alignment        anchor on the text        offset of the text's corner (a = angle)
//   taLeftJustify    middle of the left edge   (-h sin a, -h cos a)
//   taCenter         centre                    (-w cos a - h sin a, w sin a - h cos a)
//   taRightJustify   middle of the right edge  (-2w cos a - h sin a, 2w sin a - h cos a)
void TRotLab::DoDrawText(TRect&, unsigned Flags) {
  if (Flags & host::DT_CALCRECT) return;
  TCanvas& C = Canvas();
  C.Font().Assign(Font());
  if (UseStyle(seFont)) C.Font().SetColor(host::StyleFontColor(host::sfPanelTextNormal, this));
  C.Font().SetOrientation(FTextAngle * 10);
  C.Font().SetAntialiased(FAntiAlias);
  C.Brush().SetStyle(host::bsClear);
  const QString Text = Caption();
  const int W = C.TextWidth(Text) / 2, H = C.TextHeight(Text) / 2;
  const double A = FTextAngle * std::numbers::pi / 180.0, Sin = std::sin(A), Cos = std::cos(A);
  const int Reach = Alignment() == taLeftJustify ? 0 : Alignment() == taCenter ? W : 2 * W;
  const int X = FTextPosX + int(std::lrint(-Reach * Cos - H * Sin));
  const int Y = FTextPosY + int(std::lrint(Reach * Sin - H * Cos));
  if (!Enabled()) {
    C.Font().SetColor(clBtnHighlight);
    C.TextOut(X + 1, Y + 1, Text);
    C.Font().SetColor(clBtnShadow);
  }
  C.TextOut(X, Y, Text);
}

QSize TRotLab::minimumSizeHint() const {
  const QFontMetrics M(font());
  const double A = FTextAngle * std::numbers::pi / 180.0;
  const double W = M.horizontalAdvance(Caption()), H = M.height();
  const double C = std::fabs(std::cos(A)), S = std::fabs(std::sin(A));
  return sizeHint().boundedTo(
      QSize(int(std::ceil(W * C + H * S)) + 4, int(std::ceil(W * S + H * C)) + 4));
}

}  // namespace qor
