#include "host/qor_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "host/qor_app.h"
#include "host/qor_color.h"
#include "host/qor_control.h"

namespace qor::host {

TCustomEdit::TCustomEdit(QWidget* AOwner) : QLineEdit(AOwner) {
  FFont.SetFromQFont(font());
  FFont.SetColor(clWindowText);
  FFont.SetOwnerNotify([this] { ApplyFont(); });
  connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

int TCustomEdit::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TCustomEdit::SetSelStart(int Pos) {
  setCursorPosition(std::clamp(Pos, 0, int(text().size())));
}

int TCustomEdit::SelLength() const { return hasSelectedText() ? selectionLength() : 0; }

void TCustomEdit::SetSelLength(int Length) {
  const int Start = SelStart();
  setSelection(Start, std::clamp(Length, 0, int(text().size()) - Start));
}

void TCustomEdit::SetMaxLength(int Length) {
  FMaxLength = std::max(0, Length);
  setMaxLength(FMaxLength == 0 ? 32767 : FMaxLength);
}

void TCustomEdit::SetBounds(int Left, int Top, int Width, int Height) {
  setGeometry(Left, Top, std::max(0, Width), std::max(0, Height));
}

void TCustomEdit::SetColor(TColor Color) {
  if (qor::Change(FColor, Color)) ApplyFont();
}

void TCustomEdit::ApplyFont() {
  if (!FSyncingFont) {
    FSyncingFont = true;
    setFont(FFont.ToQFont());
    FSyncingFont = false;
  }
  QPalette P = palette();
  P.setColor(QPalette::Base, ToQColor(FColor, this));
  P.setColor(QPalette::Text, ToQColor(FFont.Color(), this));
  setPalette(P);
}

bool TCustomEdit::event(QEvent* Event) {
  bool Handled = true;
  RunGuarded(this, [&] { Handled = QLineEdit::event(Event); });
  return Handled;
}

void TCustomEdit::changeEvent(QEvent* Event) {
  // setFont, the parent's or the application's font reach Font().
  const bool FontEvent = Event->type() == QEvent::FontChange || Event->type() == QEvent::ApplicationFontChange;
  if (FontEvent && !FSyncingFont) {
    FSyncingFont = true;
    FFont.SetFromQFont(font());
    FSyncingFont = false;
  }
  QLineEdit::changeEvent(Event);
}

void TCustomEdit::Change() { Notify(this, OnChange, &TCustomEdit::changed); }

void TCustomEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomEdit::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomEdit::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomEdit::keyPressEvent(QKeyEvent* E) {
  std::optional<QKeyEvent> Replacement;
  QKeyEvent* Passed = PlatformKeyPress(
      E, Replacement, [this](std::uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); },
      [this](QChar& Key) { KeyPress(Key); });
  if (Passed) QLineEdit::keyPressEvent(Passed);
}

void TCustomEdit::keyReleaseEvent(QKeyEvent* E) {
  std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
  if (Key != 0) KeyUp(Key, ShiftStateOf(E->modifiers(), Qt::NoButton));
  QLineEdit::keyReleaseEvent(E);
}

void TCustomEdit::focusInEvent(QFocusEvent* E) {
  QLineEdit::focusInEvent(E);
  if (OnEnter) OnEnter(this);
}

void TCustomEdit::focusOutEvent(QFocusEvent* E) {
  QLineEdit::focusOutEvent(E);
  if (OnExit) OnExit(this);
}

void TCustomEdit::mousePressEvent(QMouseEvent* E) {
  QLineEdit::mousePressEvent(E);
  const QPoint Pt = E->position().toPoint();
  if (OnMouseDown)
    OnMouseDown(this, MouseButtonOf(E->button()), ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
}

void TCustomEdit::mouseMoveEvent(QMouseEvent* E) {
  QLineEdit::mouseMoveEvent(E);
  const QPoint Pt = E->position().toPoint();
  if (OnMouseMove) OnMouseMove(this, ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
}

void TCustomEdit::mouseReleaseEvent(QMouseEvent* E) {
  QLineEdit::mouseReleaseEvent(E);
  const QPoint Pt = E->position().toPoint();
  if (E->button() == Qt::LeftButton && rect().contains(Pt) && OnClick) OnClick(this);
  if (OnMouseUp)
    OnMouseUp(this, MouseButtonOf(E->button()), ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
}

void TCustomEdit::mouseDoubleClickEvent(QMouseEvent* E) {
  QLineEdit::mouseDoubleClickEvent(E);
  if (E->button() == Qt::LeftButton && OnDblClick) OnDblClick(this);
}

}  // namespace qor::host
