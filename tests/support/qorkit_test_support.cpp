#include "tests/support/qorkit_test_support.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QTest>

namespace qor::test {

void PinEnvironment() {
  QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPixelSize(12);
  QApplication::setFont(F);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  host::SetStyleServicesEnabled(false);
}

QImage Picture(host::TControl& Control) {
  return Control.ScreenImage().convertToFormat(QImage::Format_RGB32);
}

QImage Grab(QWidget& Widget) {
  return Widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TColor PixelAt(const QImage& Image, int X, int Y) {
  const QRgb C = Image.pixel(X, Y);
  return RGB(qRed(C), qGreen(C), qBlue(C));
}

void ShowAndWait(QWidget& Widget) {
  Widget.show();
  (void)QTest::qWaitForWindowExposed(&Widget);
}

BeepCounter::BeepCounter() : FStart(host::Application()->BeepCount()) {}
int BeepCounter::Count() const { return host::Application()->BeepCount() - FStart; }

}  // namespace qor::test
