// Shared test helpers: the pinned environment (offscreen platform, DejaVu Sans,
// English locale, classic colours) and pixel access.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "host/qor_host.h"

namespace qor::test {

// Called once by the test main; also usable to restore the pinned state.
void PinEnvironment();

// The control's picture as its Paint() leaves it.
QImage Picture(host::TControl& Control);
// What the widget shows on screen (through Qt's own rendering).
QImage Grab(QWidget& Widget);
// Pixel as 0x00BBGGRR.
TColor PixelAt(const QImage& Image, int X, int Y);
// Empty when both images are equal; else the count, the first differing
// pixel and the box around all of them, for a test's failure message.
std::string DiffText(const QImage& A, const QImage& B);
// Shows a top-level widget and waits until it is exposed.
void ShowAndWait(QWidget& Widget);

// Counts the beeps of one scope.
class BeepCounter {
 public:
  BeepCounter();
  int Count() const;

 private:
  int FStart;
};

}  // namespace qor::test
