#include "host/qor_label.h"

#include <QFontMetrics>

namespace qor::host {

TCustomLabel::TCustomLabel(QWidget* AOwner) : TGraphicControl(AOwner) {}

void TCustomLabel::SetCaption(const QString& Caption) {
  if (Caption == FCaption) return;
  FCaption = Caption;
  AdjustBounds();
  Invalidate();
  NotifyAccessibleEvent(this, QAccessible::NameChanged);
}

void TCustomLabel::SetAlignment(TAlignment Alignment) {
  if (Alignment == FAlignment) return;
  FAlignment = Alignment;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Layout) {
  if (Layout == FLayout) return;
  FLayout = Layout;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool On) {
  if (On == FTransparent) return;
  FTransparent = On;
  SetParentBackgroundPaint(On);
}

void TCustomLabel::SetAutoSize(bool On) {
  if (On == FAutoSize) return;
  FAutoSize = On;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool On) {
  if (On == FWordWrap) return;
  FWordWrap = On;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() { AdjustBounds(); }

unsigned TCustomLabel::DrawTextFlags() const {
  static constexpr unsigned Horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return DT_EXPANDTABS | DT_NOPREFIX | Horizontal[FAlignment] | (FWordWrap ? DT_WORDBREAK : 0);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || Loading()) return;
  TRect R = ClientRect();
  DoDrawText(R, DrawTextFlags() | DT_CALCRECT);
  // A right-aligned label keeps its right edge, a centred one its middle.
  int X = Left();
  if (FAlignment == taRightJustify) X += Width() - R.Width();
  else if (FAlignment == taCenter) X += (Width() - R.Width()) / 2;
  SetBounds(X, Top(), R.Width(), R.Height());
}

void TCustomLabel::Paint() {
  TCanvas& C = Canvas();
  if (!FTransparent) {
    C.Brush().SetColor(Color());
    C.FillRect(ClientRect());
  }
  C.Brush().SetStyle(bsClear);
  TRect R = ClientRect();
  const unsigned Flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect Measured = R;
    DoDrawText(Measured, Flags | DT_CALCRECT);
    const int Free = R.Height() - Measured.Height();
    const int Offset = FLayout == tlBottom ? Free : Free / 2;
    R.Top += Offset;
    R.Bottom += Offset;
  }
  DoDrawText(R, Flags);
}

void TCustomLabel::DoDrawText(TRect& Rect, unsigned Flags) {
  TCanvas& C = Canvas();
  C.Font().Assign(Font());
  const QFont F = C.Font().ToQFont();
  int QtFlags = Qt::TextExpandTabs;
  if (Flags & DT_CENTER) QtFlags |= Qt::AlignHCenter;
  else if (Flags & DT_RIGHT) QtFlags |= Qt::AlignRight;
  else QtFlags |= Qt::AlignLeft;
  if (Flags & DT_WORDBREAK) QtFlags |= Qt::TextWordWrap;
  if (Flags & DT_SINGLELINE) QtFlags |= Qt::TextSingleLine;
  if (Flags & DT_CALCRECT) {
    // An empty caption still measures one line.
    const int Room = (Flags & DT_WORDBREAK) ? std::max(1, Rect.Width()) : 1 << 20;
    const QRect B = QFontMetrics(F).boundingRect(QRect(0, 0, Room, 1 << 20), QtFlags,
                                                 FCaption.isEmpty() ? QStringLiteral(" ") : FCaption);
    Rect.Right = Rect.Left + B.width();
    Rect.Bottom = Rect.Top + B.height();
    return;
  }
  QPainter& P = C.Painter();
  P.setFont(F);
  const auto Draw = [&](int Dx, TColor Color) {
    const QRect Box(Rect.Left + Dx, Rect.Top + Dx, Rect.Width(), Rect.Height());
    const QRectF Cell = P.transform().mapRect(
        QRectF(QFontMetrics(F).boundingRect(Box, QtFlags, FCaption) & Box));
    P.setPen(C.QText(Color, Cell));
    P.drawText(Box, QtFlags, FCaption);
    C.TextDrawn(Cell, FCaption);
  };
  if (Enabled()) {
    Draw(0, Font().Color());
    return;
  }
  Draw(1, clBtnHighlight);
  Draw(0, clBtnShadow);
}

}  // namespace qor::host
