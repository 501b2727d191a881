#include "host/qor_memo.h"

#include <QKeyEvent>

#include "host/qor_color.h"
#include "host/qor_control.h"

namespace qor::host {

TCustomMemo::TCustomMemo(QWidget* AOwner) : QPlainTextEdit(AOwner) {
  FFont.SetFromQFont(font());
  FFont.SetColor(clWindowText);
  FFont.SetOwnerNotify([this] { ApplyColors(); });
}

void TCustomMemo::SetColor(TColor Color) {
  if (!Change(FColor, Color)) return;
  ApplyColors();
}

void TCustomMemo::ApplyColors() {
  setFont(FFont.ToQFont());
  QPalette P = palette();
  P.setColor(QPalette::Base, ToQColor(FColor, this));
  P.setColor(QPalette::Text, ToQColor(FFont.Color(), this));
  setPalette(P);
}

void TCustomMemo::SetBounds(int Left, int Top, int Width, int Height) {
  setGeometry(Left, Top, std::max(0, Width), std::max(0, Height));
}

void TCustomMemo::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomMemo::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomMemo::keyPressEvent(QKeyEvent* E) {
  std::optional<QKeyEvent> Replacement;
  QKeyEvent* Passed = PlatformKeyPress(
      E, Replacement, [this](std::uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); },
      [this](QChar& Key) { KeyPress(Key); });
  if (Passed) QPlainTextEdit::keyPressEvent(Passed);
}

}  // namespace qor::host
