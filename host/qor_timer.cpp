#include "host/qor_timer.h"

#include <QTimerEvent>

#include "host/qor_app.h"

namespace qor::host {
namespace {
bool RefuseTimers = false;
}

TTimerWindow::TTimerWindow(std::function<void()> OnTick, QObject* Parent)
    : QObject(Parent), FOnTick(std::move(OnTick)) {}

TTimerWindow::~TTimerWindow() { Stop(); }

void TTimerWindow::SimulateRefusal(bool Refuse) { RefuseTimers = Refuse; }

bool TTimerWindow::Start(int IntervalMs) {
  Stop();
  if (RefuseTimers) return false;
  FInterval = std::max(10, IntervalMs);
  FTimerId = startTimer(FInterval, Qt::PreciseTimer);
  return FTimerId != 0;
}

void TTimerWindow::Stop() {
  if (FTimerId != 0) killTimer(FTimerId);
  FTimerId = 0;
}

void TTimerWindow::timerEvent(QTimerEvent* Event) {
  if (Event->timerId() != FTimerId || !FOnTick) return;
  RunGuarded(parent() ? parent() : this, FOnTick);
}

}  // namespace qor::host
