// Application services of the host: the central exception handler, the beep
// (counted, so tests can see input warnings) and the text clipboard.
#pragma once

#include <exception>

#include "host/qor_types.h"

namespace qor::host {

using TExceptionEvent = std::function<void(QObject* Sender, const std::exception& E)>;

class QORKIT_EXPORT TApplication {
 public:
  // Hands an exception raised in a timer or event handler to OnException, or
  // reports it with qWarning when no handler is set.
  void HandleException(QObject* Sender, std::exception_ptr E);
  TExceptionEvent OnException;

  void Beep();
  int BeepCount() const { return FBeeps; }
  void ResetBeepCount() { FBeeps = 0; }

 private:
  int FBeeps = 0;
};

QORKIT_EXPORT TApplication* Application();

// Runs Body; an exception it raises is handed to the application's exception
// handler instead of passing through Qt's event loop, which does not support
// exceptions. Every Qt event handler and timer tick of the components runs
// under it. True when Body returned normally.
template <typename F>
bool RunGuarded(QObject* Sender, F&& Body) {
  try {
    Body();
    return true;
  } catch (...) {
    Application()->HandleException(Sender, std::current_exception());
    return false;
  }
}

// The system clipboard's text.
QORKIT_EXPORT QString ClipboardText();
QORKIT_EXPORT void SetClipboardText(const QString& Text);

// MessageBeep.
inline void MessageBeep() { Application()->Beep(); }

}  // namespace qor::host
