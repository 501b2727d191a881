// Draws the segment images of the seven-segment display into PNG files.
//
//   g++ -std=c++20 -fPIC resources/tools/gen_segments.cpp \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/gen_segments && /tmp/gen_segments resources/displays
//
// Every image shows its shape in black on white, without antialiasing, so
// that the display can colour a shape with one surface flood fill. The digit
// is slanted: upper parts lie further right than lower ones (36 pixels over
// the height of a vertical bar).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <cstdio>

namespace {

constexpr double Slant = 36.0 / 190.0;

QImage Blank(int W, int H) {
  QImage Img(W, H, QImage::Format_RGB32);
  Img.fill(Qt::white);
  return Img;
}

void FillPolygon(QImage& Img, const QPolygonF& Shape) {
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setPen(Qt::NoPen);
  P.setBrush(Qt::black);
  P.drawPolygon(Shape);
}

// A bar with pointed ends along a slanted axis from (TopX, Top) to (BottomX, Bottom).
QPolygonF VerticalBar(double TopX, double Top, double BottomX, double Bottom, double Half) {
  const auto X = [&](double Y) { return TopX + (BottomX - TopX) * (Y - Top) / (Bottom - Top); };
  const double Upper = Top + Half, Lower = Bottom - Half;
  return QPolygonF({{X(Top), Top}, {X(Upper) + Half, Upper}, {X(Lower) + Half, Lower},
                    {X(Bottom), Bottom}, {X(Lower) - Half, Lower}, {X(Upper) - Half, Upper}});
}

QPolygonF HorizontalBar(double Left, double Right, double Y, double Half) {
  return QPolygonF({{Left, Y}, {Left + Half, Y - Half}, {Right - Half, Y - Half}, {Right, Y},
                    {Right - Half, Y + Half}, {Left + Half, Y + Half}});
}

QImage SegVert() {
  QImage Img = Blank(68, 190);
  FillPolygon(Img, VerticalBar(52 - 4 * Slant, 4, 52 - 186 * Slant, 186, 14));
  return Img.convertToFormat(QImage::Format_Mono);
}

QImage SegHorz() {
  QImage Img = Blank(200, 38);
  FillPolygon(Img, HorizontalBar(8, 192, 19, 16));
  return Img.convertToFormat(QImage::Format_Mono);
}

QImage SegDot() {
  QImage Img = Blank(38, 38);
  QPainter P(&Img);
  P.setPen(Qt::NoPen);
  P.setBrush(Qt::black);
  P.drawEllipse(QPointF(19, 19), 14, 14);
  P.end();
  return Img.convertToFormat(QImage::Format_Mono);
}

// A horizontal arm crossed by a slanted vertical arm around the centre (100, 95).
QImage SegPlus() {
  QImage Img = Blank(200, 190);
  FillPolygon(Img, HorizontalBar(30, 170, 95, 15));
  FillPolygon(Img, VerticalBar(100 + 75 * Slant, 20, 100 - 75 * Slant, 170, 15));
  return Img;
}

// A slanted ring in two halves; the gaps let the background reach the inside.
// The halves pass through (18, 120) and (142, 18), where the display fills them.
QImage SegDeg() {
  QImage Img = Blank(160, 138);
  const double Cx = 80, Cy = 69, Len = std::hypot(124.0, 102.0);
  const double Ux = 124 / Len, Uy = -102 / Len;  // along the ring's long axis
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X) {
      const double Dx = X - Cx, Dy = Y - Cy;
      const double U = Dx * Ux + Dy * Uy, V = -Dx * Uy + Dy * Ux;
      const double Rho = std::hypot(U / 78.0, V / 44.0);
      if (Rho >= 0.78 && Rho <= 1.12 && std::abs(U) >= 6) Img.setPixel(X, Y, qRgb(0, 0, 0));
    }
  return Img;
}

// Two slanted dots, the upper one further right. The display colours each
// dot by its own fill from its centre, (33, 40) and (18, height - 40).
QImage SegColon() {
  QImage Img = Blank(68, 190);
  QPainter P(&Img);
  P.setPen(Qt::NoPen);
  P.setBrush(Qt::black);
  P.drawEllipse(QPointF(33, 40), 14, 14);
  P.drawEllipse(QPointF(18, 150), 14, 14);
  P.end();
  return Img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  const QDir Out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  const struct {
    const char* Name;
    QImage Image;
  } Images[] = {{"SEGVERT", SegVert()}, {"SEGHORZ", SegHorz()},   {"SEGDOT", SegDot()},
                {"SEGPLUS", SegPlus()}, {"SEGDEG", SegDeg()},     {"SEGCOLON", SegColon()}};
  for (const auto& Item : Images) {
    const QString Path = Out.filePath(QString::fromLatin1(Item.Name) + QStringLiteral(".png"));
    if (!Item.Image.save(Path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(Path));
      return 1;
    }
  }
  return 0;
}
