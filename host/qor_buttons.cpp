#include "host/qor_buttons.h"

#include <QMouseEvent>

#include "host/qor_app.h"
#include "host/qor_control.h"

namespace qor::host {

TSpeedButton::TSpeedButton(QWidget* AOwner) : QToolButton(AOwner) {
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  setFocusPolicy(Qt::TabFocus);
  resize(23, 22);
  connect(this, &QToolButton::clicked, this, [this] { Guarded([this] { Click(); }); });
  connect(this, &QAbstractButton::toggled, this, &TSpeedButton::downChanged);
}

template <typename F>
void TSpeedButton::Guarded(F&& Handler) {
  try {
    Handler();
  } catch (...) {
    Application()->HandleException(this, std::current_exception());
  }
}

void TSpeedButton::SetGlyph(const TBitmap& Glyph) {
  FGlyph.Assign(Glyph);
  setIcon(FGlyph.Empty() ? QIcon() : QIcon(QPixmap::fromImage(FGlyph.Image())));
  if (!FGlyph.Empty()) setIconSize(FGlyph.Image().size());
}

void TSpeedButton::SetGroupIndex(int Index) {
  if (!Change(FGroupIndex, Index)) return;
  setCheckable(Index != 0);
  if (Index == 0) setChecked(false);
}

void TSpeedButton::SetAllowAllUp(bool On) {
  if (!Change(FAllowAllUp, On)) return;
  if (FGroupIndex == 0 || !parentWidget()) return;
  for (TSpeedButton* Peer : parentWidget()->findChildren<TSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (Peer != this && Peer->FGroupIndex == FGroupIndex) Peer->FAllowAllUp = On;
}

void TSpeedButton::SetDown(bool On) {
  if (FGroupIndex == 0 || On == isChecked()) return;
  if (!On && !FAllowAllUp) return;
  setChecked(On);
  if (On) ReleaseGroupPeers();
}

void TSpeedButton::ReleaseGroupPeers() {
  if (!parentWidget()) return;
  for (TSpeedButton* Peer : parentWidget()->findChildren<TSpeedButton*>(Qt::FindDirectChildrenOnly))
    if (Peer != this && Peer->FGroupIndex == FGroupIndex) Peer->setChecked(false);
}

void TSpeedButton::nextCheckState() {
  if (FGroupIndex == 0) return;
  if (isChecked() && !FAllowAllUp) return;
  setChecked(!isChecked());
  if (isChecked()) ReleaseGroupPeers();
}

void TSpeedButton::mousePressEvent(QMouseEvent* E) {
  QToolButton::mousePressEvent(E);
  const QPoint Pt = E->position().toPoint();
  Guarded([&] {
    MouseDown(MouseButtonOf(E->button()), ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
  });
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* E) {
  QToolButton::mouseMoveEvent(E);
  const QPoint Pt = E->position().toPoint();
  Guarded([&] { MouseMove(ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y()); });
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* E) {
  QToolButton::mouseReleaseEvent(E);
  const QPoint Pt = E->position().toPoint();
  Guarded([&] {
    MouseUp(MouseButtonOf(E->button()), ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
  });
}

void TSpeedButton::enterEvent(QEnterEvent* E) {
  QToolButton::enterEvent(E);
  if (OnMouseEnter) Guarded([this] { OnMouseEnter(this); });
}

void TSpeedButton::leaveEvent(QEvent* E) {
  QToolButton::leaveEvent(E);
  Guarded([this] { MouseLeave(); });
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TSpeedButton::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TSpeedButton::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace qor::host
