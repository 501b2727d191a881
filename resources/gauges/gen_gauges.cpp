// Draws the gauges' artwork: the hub cap of the meter gallery (GAUGEHUB.png)
// and a light tile for meter and bar backgrounds (GAUGETILE.png).
//   g++ -std=c++20 -fPIC gen_gauges.cpp $(pkg-config --cflags --libs Qt6Gui) -o gen_gauges
//   QT_QPA_PLATFORM=offscreen ./gen_gauges <output dir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  const QString Dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

  // A domed steel cap with a dark rim and a screw slot, on the dial's white.
  QImage Hub(33, 33, QImage::Format_RGB32);
  Hub.fill(Qt::white);
  {
    QPainter P(&Hub);
    P.setRenderHint(QPainter::Antialiasing);
    QRadialGradient Dome(QPointF(12, 11), 20, QPointF(10, 9));
    Dome.setColorAt(0, QColor(250, 250, 252));
    Dome.setColorAt(0.45, QColor(170, 176, 186));
    Dome.setColorAt(1, QColor(70, 76, 88));
    P.setPen(QPen(QColor(40, 44, 52), 1.2));
    P.setBrush(Dome);
    P.drawEllipse(QRectF(1.5, 1.5, 30, 30));
    P.setPen(QPen(QColor(60, 64, 72), 2.2, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(11, 21.5), QPointF(21.5, 11));
    P.setPen(QPen(QColor(235, 238, 242), 1, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(12, 22.5), QPointF(22.5, 12));
  }
  Hub.save(Dir + QStringLiteral("/GAUGEHUB.png"));

  // A faint diagonal weave that tiles seamlessly every 16 pixels.
  QImage Tile(16, 16, QImage::Format_RGB32);
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 16; ++X) {
      const int D = ((X + Y) % 8 < 1) || ((X - Y + 16) % 8 < 1) ? 14 : 0;
      Tile.setPixel(X, Y, qRgb(246 - D, 242 - D, 228 - D));
    }
  Tile.save(Dir + QStringLiteral("/GAUGETILE.png"));
  return 0;
}
