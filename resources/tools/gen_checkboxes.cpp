// Draws the check-box images of the table editor's data menu into PNG files.
//
//   g++ -std=c++20 -fPIC resources/tools/gen_checkboxes.cpp \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/gen_checkboxes && /tmp/gen_checkboxes resources/ntabed
//
// EMPTYBOX: a 16 x 16 sunken box, white inside; CHECKEDBOX: the same box with
// a black tick. Both are drawn without antialiasing so that they stay crisp at
// menu size. The @2x versions (32 x 32) keep the box's lines one logical pixel
// (two device pixels) wide and draw the tick as a smooth stroke.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

QImage Box(bool Checked, int Scale) {
  QImage Img(16 * Scale, 16 * Scale, QImage::Format_ARGB32);
  Img.fill(Qt::transparent);
  QPainter P(&Img);
  P.scale(Scale, Scale);
  P.setRenderHint(QPainter::Antialiasing, false);
  // Outer edge: gray top-left, white bottom-right; inner edge: dark gray / light gray.
  P.fillRect(QRect(2, 2, 12, 12), QColor(0x80, 0x80, 0x80));
  P.fillRect(QRect(3, 3, 11, 11), Qt::white);
  P.fillRect(QRect(3, 3, 10, 10), QColor(0x40, 0x40, 0x40));
  P.fillRect(QRect(4, 4, 9, 9), QColor(0xD4, 0xD0, 0xC8));
  P.fillRect(QRect(4, 4, 8, 8), Qt::white);
  if (!Checked) return Img;
  if (Scale == 1) {
    // A tick of three-pixel-high columns centred on (5, 7) .. (7, 9) .. (11, 5).
    const int Ys[] = {7, 8, 9, 8, 7, 6, 5};
    for (int I = 0; I < 7; ++I) P.fillRect(QRect(5 + I, Ys[I] - 1, 1, 3), Qt::black);
    return Img;
  }
  // The same tick through the columns' centres, stroked at the device resolution.
  P.setRenderHint(QPainter::Antialiasing, true);
  QPen Pen(Qt::black, 2.2);
  Pen.setCapStyle(Qt::RoundCap);
  Pen.setJoinStyle(Qt::RoundJoin);
  P.setPen(Pen);
  const QPointF Tick[] = {{5.5, 7.5}, {7.5, 9.5}, {11.5, 5.5}};
  P.drawPolyline(Tick, 3);
  return Img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  const QString Dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(Dir);
  bool Ok = true;
  Ok &= Box(false, 1).save(Dir + QStringLiteral("/EMPTYBOX.png"));
  Ok &= Box(true, 1).save(Dir + QStringLiteral("/CHECKEDBOX.png"));
  Ok &= Box(false, 2).save(Dir + QStringLiteral("/EMPTYBOX@2x.png"));
  Ok &= Box(true, 2).save(Dir + QStringLiteral("/CHECKEDBOX@2x.png"));
  std::printf("%s\n", Ok ? "written" : "failed");
  return Ok ? 0 : 1;
}
