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

std::string DiffText(const QImage& A, const QImage& B) {
  if (A.size() != B.size()) return "sizes differ";
  int N = 0, FirstX = -1, FirstY = -1;
  QRect Box;
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X)
      if ((A.pixel(X, Y) & 0xFFFFFF) != (B.pixel(X, Y) & 0xFFFFFF)) {
        if (N++ == 0) FirstX = X, FirstY = Y;
        Box |= QRect(X, Y, 1, 1);
      }
  if (N == 0) return {};
  return QString("%1 pixels differ, first (%2, %3), within (%4, %5)-(%6, %7)")
      .arg(N).arg(FirstX).arg(FirstY).arg(Box.left()).arg(Box.top()).arg(Box.right()).arg(Box.bottom())
      .toStdString();
}

void ShowAndWait(QWidget& Widget) {
  Widget.show();
  (void)QTest::qWaitForWindowExposed(&Widget);
}

BeepCounter::BeepCounter() : FStart(host::Application()->BeepCount()) {}
int BeepCounter::Count() const { return host::Application()->BeepCount() - FStart; }

}  // namespace qor::test
