// Draws the glyph strips of the on/off button into PNG files, each at its
// natural size and at twice that size ("<NAME>@2x.png") for HiDPI screens.
//
//   g++ -std=c++20 -fPIC resources/buttons/gen_buttons.cpp \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/gen_buttons && /tmp/gen_buttons resources/buttons
//
// A strip is a 2 x 2 grid of equal cells: top-left on and enabled, top-right
// off and enabled, bottom-left on and disabled, bottom-right off and disabled.
// The background is the key colour 0xEBBEEB (red EB, green BE, blue EB). Shapes
// are drawn without antialiasing so no pixel blends with the key colour; every
// picture is described in the coordinates of its natural cell and the painter
// scale gives the 2x version. The disabled pictures are the enabled ones
// turned into light grays.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor Key(0xEB, 0xBE, 0xEB);

using TDraw = std::function<void(QPainter& P, bool On)>;

struct TStrip {
  const char* Name;
  int CellW, CellH;
  TDraw Draw;
};

void Box(QPainter& P, const QRectF& R, const QColor& Fill, const QColor& Line) {
  P.setPen(QPen(Line, 1));
  P.setBrush(Fill);
  P.drawRect(R);
}

void Disc(QPainter& P, const QRectF& R, const QColor& Fill, const QColor& Line) {
  P.setPen(QPen(Line, 1));
  P.setBrush(Fill);
  P.drawEllipse(R);
}

void Shape(QPainter& P, const QPolygonF& Poly, const QColor& Fill, const QColor& Line) {
  P.setPen(QPen(Line, 1));
  P.setBrush(Fill);
  P.drawPolygon(Poly);
}

// A sunken 3D square edge: gray and black above and left, white and silver below and right.
void SunkenEdge(QPainter& P, int W, int H) {
  P.setBrush(Qt::NoBrush);
  P.setPen(QColor(0x80, 0x80, 0x80));
  P.drawLine(QPointF(0.5, 0.5), QPointF(W - 1.5, 0.5));
  P.drawLine(QPointF(0.5, 0.5), QPointF(0.5, H - 1.5));
  P.setPen(Qt::white);
  P.drawLine(QPointF(0.5, H - 0.5), QPointF(W - 0.5, H - 0.5));
  P.drawLine(QPointF(W - 0.5, 0.5), QPointF(W - 0.5, H - 0.5));
  P.setPen(Qt::black);
  P.drawLine(QPointF(1.5, 1.5), QPointF(W - 2.5, 1.5));
  P.drawLine(QPointF(1.5, 1.5), QPointF(1.5, H - 2.5));
}

void CheckBox(QPainter& P, bool On) {
  P.fillRect(QRectF(1, 1, 14, 14), Qt::white);
  SunkenEdge(P, 15, 15);
  if (!On) return;
  P.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  P.drawPolyline(QPolygonF({{4, 7.5}, {6.5, 10}, {11, 5}}));
}

void RadioBut(QPainter& P, bool On) {
  Disc(P, QRectF(0.5, 0.5, 12, 12), Qt::white, QColor(0x40, 0x40, 0x40));
  if (On) Disc(P, QRectF(4, 4, 5, 5), Qt::black, Qt::black);
}

// A slide switch: a dark track and a raised knob at one end.
void Slide(QPainter& P, bool Vertical, bool On, const QColor& Track) {
  const int W = Vertical ? 18 : 30, H = Vertical ? 30 : 18;
  P.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
  P.setBrush(Track);
  P.drawRoundedRect(QRectF(0.5, 0.5, W - 2, H - 2), 3, 3);
  QRectF Knob = Vertical ? QRectF(2.5, On ? 2.5 : H - 15.5, W - 6, 12)
                         : QRectF(On ? W - 15.5 : 2.5, 2.5, 12, H - 6);
  Box(P, Knob, QColor(0xC0, 0xC0, 0xC0), QColor(0x40, 0x40, 0x40));
  P.setPen(Qt::white);
  P.drawLine(Knob.topLeft() + QPointF(1, 1), Knob.topRight() + QPointF(-1, 1));
  P.drawLine(Knob.topLeft() + QPointF(1, 1), Knob.bottomLeft() + QPointF(1, -1));
  // Grip lines across the knob.
  P.setPen(QColor(0x80, 0x80, 0x80));
  const QPointF C = Knob.center();
  for (int i = -2; i <= 2; i += 2) {
    if (Vertical) P.drawLine(QPointF(Knob.left() + 3, C.y() + i), QPointF(Knob.right() - 3, C.y() + i));
    else P.drawLine(QPointF(C.x() + i, Knob.top() + 3), QPointF(C.x() + i, Knob.bottom() - 3));
  }
}

void Led(QPainter& P, bool On) {
  const QColor Fill = On ? QColor(0x10, 0xE0, 0x10) : QColor(0xE0, 0x10, 0x10);
  Disc(P, QRectF(0.5, 0.5, 12, 12), Fill, QColor(0x30, 0x30, 0x30));
  Disc(P, QRectF(3, 3, 3, 3), Fill.lighter(170), Fill.lighter(170));
}

// An arrow pointing at Angle degrees (0 = right, 90 = up) in a 25 x 25 cell.
void Arrow(QPainter& P, double Angle, const QColor& Fill) {
  P.save();
  P.translate(12.5, 12.5);
  P.rotate(-Angle);
  Shape(P, QPolygonF({{11, 0}, {1, -9}, {1, -4}, {-10, -4}, {-10, 4}, {1, 4}, {1, 9}}), Fill,
        QColor(0x20, 0x20, 0x20));
  P.restore();
}

void ArrowTR(QPainter& P, bool On) { Arrow(P, On ? 90 : 0, QColor(0x20, 0x60, 0xE0)); }
void ArrowUD(QPainter& P, bool On) { Arrow(P, On ? 90 : 270, QColor(0x20, 0xA0, 0x20)); }
void ArrowLR(QPainter& P, bool On) { Arrow(P, On ? 180 : 0, QColor(0xD0, 0x60, 0x10)); }

// Pedestrian light: red lamp above, green below, the lit one bright.
void TrafficLight(QPainter& P, bool On) {
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(QColor(0x30, 0x30, 0x30));
  P.drawRoundedRect(QRectF(7.5, 0.5, 16, 29), 3, 3);
  Disc(P, QRectF(10, 2.5, 11, 11), On ? QColor(0x50, 0x10, 0x10) : QColor(0xFF, 0x20, 0x20), Qt::black);
  Disc(P, QRectF(10, 16.5, 11, 11), On ? QColor(0x20, 0xF0, 0x40) : QColor(0x10, 0x40, 0x10), Qt::black);
}

void BeveledLed(QPainter& P, bool On) {
  Disc(P, QRectF(0.5, 0.5, 15, 15), QColor(0x80, 0x80, 0x80), QColor(0x40, 0x40, 0x40));
  P.setPen(QPen(Qt::white, 1));
  P.setBrush(Qt::NoBrush);
  P.drawArc(QRectF(1.5, 1.5, 13, 13), 45 * 16, 180 * 16);
  const QColor Fill = On ? QColor(0x30, 0xFF, 0x30) : QColor(0x10, 0x50, 0x10);
  Disc(P, QRectF(3.5, 3.5, 9, 9), Fill, QColor(0x20, 0x20, 0x20));
  if (On) Disc(P, QRectF(5.5, 5.5, 2, 2), QColor(0xD0, 0xFF, 0xD0), QColor(0xD0, 0xFF, 0xD0));
}

void Smiley(QPainter& P, bool On, const QColor& Face) {
  Disc(P, QRectF(0.5, 0.5, 16, 16), Face, Qt::black);
  P.setPen(Qt::NoPen);
  P.setBrush(Qt::black);
  P.drawRect(QRectF(5, 5, 2, 2));
  P.drawRect(QRectF(11, 5, 2, 2));
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(Qt::NoBrush);
  if (On) P.drawArc(QRectF(4.5, 5.5, 9, 7), 200 * 16, 140 * 16);
  else P.drawArc(QRectF(4.5, 11.5, 9, 6), 20 * 16, 140 * 16);
}

void SmileyYellow(QPainter& P, bool On) { Smiley(P, On, QColor(0xFF, 0xE0, 0x20)); }
void SmileyRedGrn(QPainter& P, bool On) {
  Smiley(P, On, On ? QColor(0x30, 0xE0, 0x30) : QColor(0xF0, 0x30, 0x30));
}

void Bulb(QPainter& P, bool On) {
  if (On) {
    P.setPen(QPen(QColor(0xF0, 0xC0, 0x00), 1));
    for (const QLineF& Ray : {QLineF(19.5, 0.5, 19.5, 3.5), QLineF(4.5, 6.5, 7.5, 9.5),
                              QLineF(34.5, 6.5, 31.5, 9.5), QLineF(0.5, 19.5, 3.5, 19.5),
                              QLineF(38.5, 19.5, 35.5, 19.5)})
      P.drawLine(Ray);
  }
  const QColor Glass = On ? QColor(0xFF, 0xF0, 0x40) : QColor(0xF0, 0xF0, 0xE8);
  QPainterPath Outline;
  Outline.addEllipse(QRectF(7.5, 5.5, 24, 24));
  Outline.addRect(QRectF(13.5, 26.5, 12, 8));
  P.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
  P.setBrush(Glass);
  P.drawPath(Outline.simplified());
  P.setPen(QPen(On ? QColor(0xE0, 0x60, 0x00) : QColor(0x90, 0x90, 0x90), 1));
  P.drawPolyline(QPolygonF({{15.5, 26.5}, {17.5, 17.5}, {19.5, 21.5}, {21.5, 17.5}, {23.5, 26.5}}));
  for (int i = 0; i < 4; ++i)
    Box(P, QRectF(13.5, 35.5 + 3 * i, 12, 3), QColor(0xB0, 0xB0, 0xB0), QColor(0x50, 0x50, 0x50));
  Box(P, QRectF(16.5, 47, 6, 1.5), QColor(0x30, 0x30, 0x30), QColor(0x30, 0x30, 0x30));
}

// A push button with a lamp window, lit amber when on.
void ButLamp(QPainter& P, bool On) {
  Box(P, QRectF(0.5, 0.5, 47, 22), QColor(0xC0, 0xC0, 0xC0), Qt::black);
  P.setPen(Qt::white);
  P.drawLine(QPointF(1.5, 1.5), QPointF(46.5, 1.5));
  P.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 21.5));
  P.setPen(QColor(0x80, 0x80, 0x80));
  P.drawLine(QPointF(2.5, 21.5), QPointF(46.5, 21.5));
  P.drawLine(QPointF(46.5, 2.5), QPointF(46.5, 21.5));
  const QColor Lamp = On ? QColor(0xFF, 0xB0, 0x10) : QColor(0x60, 0x48, 0x20);
  Box(P, QRectF(6.5, 6.5, 35, 10), Lamp, QColor(0x40, 0x40, 0x40));
  if (On) Box(P, QRectF(9, 8.5, 12, 1.5), QColor(0xFF, 0xE8, 0xA0), QColor(0xFF, 0xE8, 0xA0));
}

// A heading bar with an expander triangle at one end: pointing down when on
// (expanded), sideways when off.
void Heading(QPainter& P, bool On, bool Left) {
  Box(P, QRectF(0.5, 0.5, 46, 14), QColor(0x20, 0x40, 0x90), QColor(0x10, 0x20, 0x50));
  const double Cx = Left ? 8 : 39;
  QPolygonF Tri;
  if (On) Tri = QPolygonF({{Cx - 4, 5}, {Cx + 4, 5}, {Cx, 10}});
  else if (Left) Tri = QPolygonF({{Cx - 2, 3}, {Cx + 3, 7.5}, {Cx - 2, 12}});
  else Tri = QPolygonF({{Cx + 2, 3}, {Cx - 3, 7.5}, {Cx + 2, 12}});
  Shape(P, Tri, Qt::white, Qt::white);
  P.setPen(QColor(0xA0, 0xB8, 0xE8));
  const double X1 = Left ? 15.5 : 4.5, X2 = Left ? 43.5 : 32.5;
  P.drawLine(QPointF(X1, 7.5), QPointF(X2, 7.5));
}

void User1(QPainter& P, bool On) {
  Box(P, QRectF(2.5, 2.5, 18, 18), On ? QColor(0x20, 0xC0, 0x20) : QColor(0x50, 0x50, 0x50), Qt::black);
}
void User2(QPainter& P, bool On) {
  Shape(P, QPolygonF({{12, 1}, {22, 12}, {12, 22}, {2, 12}}),
        On ? QColor(0x20, 0x80, 0xF0) : QColor(0xFF, 0xFF, 0xFF), Qt::black);
}
void User3(QPainter& P, bool On) {
  QPolygonF Star;
  for (int i = 0; i < 10; ++i) {
    const double R = i % 2 ? 4.5 : 10.5, A = i * 3.14159265358979 / 5 - 3.14159265358979 / 2;
    Star << QPointF(11.5 + R * std::cos(A), 12 + R * std::sin(A));
  }
  Shape(P, Star, On ? QColor(0xFF, 0xD0, 0x00) : QColor(0xE8, 0xE8, 0xE8), QColor(0x60, 0x40, 0x00));
}
// A power symbol, green when on.
void User4(QPainter& P, bool On) {
  const QColor C = On ? QColor(0x10, 0xB0, 0x10) : QColor(0x70, 0x70, 0x70);
  P.setPen(QPen(C, 2, Qt::SolidLine, Qt::FlatCap));
  P.setBrush(Qt::NoBrush);
  P.drawArc(QRectF(4, 5, 15, 15), 120 * 16, 300 * 16);
  P.drawLine(QPointF(11.5, 2), QPointF(11.5, 11));
}
// Plus when on, minus when off, on a round button.
void User5(QPainter& P, bool On) {
  Disc(P, QRectF(1.5, 1.5, 20, 20), QColor(0xD8, 0xD8, 0xD8), QColor(0x40, 0x40, 0x40));
  P.setPen(Qt::NoPen);
  P.setBrush(On ? QColor(0x10, 0x60, 0xD0) : QColor(0xC0, 0x20, 0x20));
  P.drawRect(QRectF(6, 10.5, 11, 3));
  if (On) P.drawRect(QRectF(10, 6.5, 3, 11));
}

const std::vector<TStrip> Strips = {
    {"CHECKBOX", 16, 16, CheckBox},
    {"RADIOBUT", 14, 14, RadioBut},
    {"SLIDETOPBOT", 18, 30, [](QPainter& P, bool On) { Slide(P, true, On, QColor(0x50, 0x50, 0x50)); }},
    {"SLIDELFTRGT", 30, 18, [](QPainter& P, bool On) { Slide(P, false, On, QColor(0x50, 0x50, 0x50)); }},
    {"COLSLIDETB", 18, 30,
     [](QPainter& P, bool On) { Slide(P, true, On, On ? QColor(0x20, 0xC0, 0x20) : QColor(0xD0, 0x20, 0x20)); }},
    {"COLSLIDELR", 30, 18,
     [](QPainter& P, bool On) { Slide(P, false, On, On ? QColor(0x20, 0xC0, 0x20) : QColor(0xD0, 0x20, 0x20)); }},
    {"LEDREDGREEN", 14, 14, Led},
    {"ARROWTR", 25, 25, ArrowTR},
    {"ARROWUD", 25, 25, ArrowUD},
    {"ARROWLR", 25, 25, ArrowLR},
    {"TRAFFICLGT", 31, 31, TrafficLight},
    {"BEVELEDLED", 17, 17, BeveledLed},
    {"SMILEYS", 18, 18, SmileyYellow},
    {"SMILEYRG", 18, 18, SmileyRedGrn},
    {"BULB", 39, 49, Bulb},
    {"BUTLAMP", 49, 24, ButLamp},
    {"HDLEFT", 48, 16, [](QPainter& P, bool On) { Heading(P, On, true); }},
    {"HDRIGHT", 48, 16, [](QPainter& P, bool On) { Heading(P, On, false); }},
    {"USER1", 24, 24, User1},
    {"USER2", 24, 24, User2},
    {"USER3", 24, 24, User3},
    {"USER4", 24, 24, User4},
    {"USER5", 24, 24, User5},
};

QImage Cell(const TStrip& S, int Scale, bool On) {
  QImage Img(S.CellW * Scale, S.CellH * Scale, QImage::Format_RGB32);
  Img.fill(Key);
  QPainter P(&Img);
  P.setRenderHint(QPainter::Antialiasing, false);
  P.scale(Scale, Scale);
  S.Draw(P, On);
  return Img;
}

// Light grays of the same brightness order; the key colour stays.
QImage Disabled(QImage Img) {
  for (int y = 0; y < Img.height(); ++y) {
    auto* Row = reinterpret_cast<QRgb*>(Img.scanLine(y));
    for (int x = 0; x < Img.width(); ++x) {
      if ((Row[x] & 0xFFFFFF) == (Key.rgb() & 0xFFFFFF)) continue;
      const int G = 150 + qGray(Row[x]) * 90 / 255;
      Row[x] = qRgb(G, G, G);
    }
  }
  return Img;
}

QImage Strip(const TStrip& S, int Scale) {
  const int W = S.CellW * Scale, H = S.CellH * Scale;
  QImage Img(2 * W, 2 * H, QImage::Format_RGB32);
  QPainter P(&Img);
  const QImage OnCell = Cell(S, Scale, true), OffCell = Cell(S, Scale, false);
  P.drawImage(0, 0, OnCell);
  P.drawImage(W, 0, OffCell);
  P.drawImage(0, H, Disabled(OnCell));
  P.drawImage(W, H, Disabled(OffCell));
  return Img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication App(argc, argv);
  const QDir Out(argc > 1 ? argv[1] : ".");
  for (const TStrip& S : Strips) {
    for (int Scale : {1, 2}) {
      const QString File = Out.filePath(QString::fromLatin1(S.Name) + (Scale == 2 ? "@2x.png" : ".png"));
      if (!Strip(S, Scale).save(File)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(File));
        return 1;
      }
    }
  }
  return 0;
}
