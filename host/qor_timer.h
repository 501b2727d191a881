// TTimerWindow: the private message window with its timer 1. One timer per
// window; a tick runs the handler under a guard that passes any exception to
// the application's exception handler.
#pragma once

#include <QObject>

#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TTimerWindow : public QObject {
  Q_OBJECT
 public:
  explicit TTimerWindow(std::function<void()> OnTick, QObject* Parent = nullptr);
  ~TTimerWindow() override;

  // (Re)starts the timer; intervals below 10 ms become 10 ms. False when the
  // system refuses a timer.
  bool Start(int IntervalMs);
  void Stop();
  bool Active() const { return FTimerId != 0; }
  int Interval() const { return FInterval; }

  // Test seam: makes every following Start fail as a refused timer does.
  static void SimulateRefusal(bool Refuse);

 protected:
  void timerEvent(QTimerEvent* Event) override;

 private:
  std::function<void()> FOnTick;
  int FTimerId = 0;
  int FInterval = 0;
};

}  // namespace qor::host
