#include "host/qor_app.h"

#include <QApplication>
#include <QClipboard>
#include <QtDebug>
#include <stdexcept>

namespace qor::host {

TApplication* Application() {
  static TApplication App;
  return &App;
}

void TApplication::HandleException(QObject* Sender, std::exception_ptr E) {
  try {
    std::rethrow_exception(E);
  } catch (const std::exception& Ex) {
    if (OnException) OnException(Sender, Ex);
    else qWarning("%s", Ex.what());
  } catch (...) {
    const std::runtime_error Unknown("unknown exception");
    if (OnException) OnException(Sender, Unknown);
    else qWarning("unknown exception");
  }
}

void TApplication::Beep() {
  ++FBeeps;
  QApplication::beep();
}

QString ClipboardText() { return QApplication::clipboard()->text(); }

void SetClipboardText(const QString& Text) { QApplication::clipboard()->setText(Text); }

}  // namespace qor::host
