#include "buttons/qor_repsbut.h"

#include <QKeyEvent>

#include "host/qor_app.h"

namespace qor {

TRepSpeedButton::TRepSpeedButton(QWidget* AOwner)
    : TSpeedButton(AOwner), FTimer([this] { DoTimer(); }, this) {}

void TRepSpeedButton::SetRepeatClickInterval(int Interval) {
  if (!Change(FRepClickIv, std::max(Interval, 10))) return;
  if (!Designing()) UpdateTimer();
}

void TRepSpeedButton::SetStartClickInterval(int Interval) {
  if (!Change(FStartIv, std::max(Interval, 10))) return;
  if (!Designing()) InitTimer();
}

void TRepSpeedButton::StartTimer(int Interval) {
  if (!FTimer.Start(Interval))
    throw EQORRepSpeedButton(ComponentMessage(this, QStringLiteral("no timer available")));
}

void TRepSpeedButton::InitTimer() {
  FIsStart = true;
  FTimer.Stop();
  if (FStartIv > 0 && FRClickTimerEnabled) StartTimer(FStartIv);
}

void TRepSpeedButton::UpdateTimer() {
  FIsStart = false;
  FTimer.Stop();
  if (FRepClickIv > 0 && FRClickTimerEnabled) StartTimer(FRepClickIv);
}

void TRepSpeedButton::DoTimer() {
  if (FIsStart) UpdateTimer();
  RepeatClickEvent();
  if (OnRepeatClick) OnRepeatClick(this);
  Q_EMIT repeatClicked();
}

void TRepSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Designing()) return;
  FRClickTimerEnabled = true;
  InitTimer();
}

void TRepSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FRClickTimerEnabled = false;
  UpdateTimer();
}

// Leaving the button stops the repetition as a release would. While the
// button holds the mouse, Qt reports the way out as moves, not as a leave.
void TRepSpeedButton::MouseLeave() {
  TSpeedButton::MouseLeave();
  if (FRClickTimerEnabled) MouseUp(mbLeft, 0, 0, 0);
}

void TRepSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseMove(Shift, X, Y);
  if (FRClickTimerEnabled && !rect().contains(X, Y)) MouseUp(mbLeft, 0, 0, 0);
}

// A disabled button gets no release, so the repetition stops here.
void TRepSpeedButton::changeEvent(QEvent* Event) {
  TSpeedButton::changeEvent(Event);
  if (Event->type() != QEvent::EnabledChange || isEnabled() || !FRClickTimerEnabled) return;
  FRClickTimerEnabled = false;
  UpdateTimer();
}

void TRepSpeedButton::keyPressEvent(QKeyEvent* Event) {
  TSpeedButton::keyPressEvent(Event);
  if (Event->key() != Qt::Key_Space || Event->isAutoRepeat() || Designing()) return;
  FRClickTimerEnabled = true;
  try {
    InitTimer();
  } catch (...) {
    FRClickTimerEnabled = false;
    host::Application()->HandleException(this, std::current_exception());
  }
}

void TRepSpeedButton::keyReleaseEvent(QKeyEvent* Event) {
  TSpeedButton::keyReleaseEvent(Event);
  if (Event->key() != Qt::Key_Space || Event->isAutoRepeat() || !FRClickTimerEnabled) return;
  FRClickTimerEnabled = false;
  UpdateTimer();
}

}  // namespace qor
