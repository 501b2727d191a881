// TRepSpeedButton: a speed button that repeats while the left mouse button is
// held on it, like the arrow of a scroll bar: OnRepeatClick fires first
// StartClickInterval after the press and then every RepeatClickInterval,
// until the button is released, the pointer leaves it or it is disabled.
// Everything else (glyph, caption, flat look, grouping, Down, OnClick) is the
// host's speed button.
//
//   press (left) --StartClickInterval--> tick --RepeatClickInterval--> tick ...
//   release / leave / disable            stop
//
// Keyboard: holding Space on the focused button repeats the same way (the
// keyboard's own auto-repeat is ignored); its release clicks, as in QToolButton.
//
// A timer the system refuses raises EQORRepSpeedButton "no timer available"
// (from a press, through the application's exception handler).
#pragma once

#include "foundation/qor_qorbase.h"
#include "host/qor_buttons.h"
#include "host/qor_timer.h"

namespace qor {

class QORKIT_EXPORT EQORRepSpeedButton : public EQORError {
 public:
  using EQORError::EQORError;
};

class QORKIT_EXPORT TRepSpeedButton : public TSpeedButton {
  Q_OBJECT
  Q_PROPERTY(int RepeatClickInterval READ RepeatClickInterval WRITE SetRepeatClickInterval)
  Q_PROPERTY(int StartClickInterval READ StartClickInterval WRITE SetStartClickInterval)

 public:
  explicit TRepSpeedButton(QWidget* AOwner = nullptr);

  // Milliseconds, at least 10.
  int RepeatClickInterval() const { return FRepClickIv; }
  void SetRepeatClickInterval(int Interval);
  int StartClickInterval() const { return FStartIv; }
  void SetStartClickInterval(int Interval);
  // True while the left button is held on the button.
  bool Repeating() const { return FRClickTimerEnabled; }

  TNotifyEvent OnRepeatClick;

 Q_SIGNALS:
  void repeatClicked();

 protected:
  void InitTimer();
  void UpdateTimer();
  void DoTimer();
  // Called on every repetition before OnRepeatClick.
  virtual void RepeatClickEvent() {}

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void changeEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;

 private:
  void StartTimer(int Interval);

  host::TTimerWindow FTimer;
  bool FRClickTimerEnabled = false;
  bool FIsStart = false;
  int FRepClickIv = 200;
  int FStartIv = 500;
};

}  // namespace qor
