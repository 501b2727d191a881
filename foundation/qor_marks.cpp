// The 52 marker symbols. Every mark is one row of a table: an outer shape, an
// optional inner shape and a radius. Open marks outline their shape with the
// pen and fill it with the brush (a clear brush leaves the inside alone);
// solid marks are drawn entirely in the pen colour, so they stand out on any
// brush. Marks are grouped by shape in fours: small open, small solid, large
// open, large solid.
//
//    0      dot                      21..24  triangle pointing left
//    1.. 4  square                   25..28  triangle pointing right
//    5.. 8  circle                   29..32  five-pointed star
//    9..12  triangle pointing up     33..36  hexagon
//   13..16  triangle pointing down   37..40  thick cross
//   17..20  diamond                  41..46  plus, x, asterisk; small then large each
//   47, 48  horizontal, vertical bar 49 bullseye, 50 crosshair, 51 boxed x
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "foundation/qor_qorbase.h"

namespace qor {

namespace {

enum class TShape : std::uint8_t {
  None, Dot, Square, Circle, TriUp, TriDown, TriLeft, TriRight, Diamond, Star, Hexagon,
  ThickCross, Plus, XCross, Asterisk, HBar, VBar
};

struct TMarkDef {
  TShape Outer;
  TShape Inner;  // drawn over the outer shape, always with the pen
  std::uint8_t Radius;
  bool Solid;
};

constexpr int Small = 3, Large = 5;

constexpr std::array<TMarkDef, MaxMarker + 1> BuildMarkTable() {
  std::array<TMarkDef, MaxMarker + 1> T{};
  int I = 0;
  T[I++] = {TShape::Dot, TShape::None, 0, false};
  for (const TShape S : {TShape::Square, TShape::Circle, TShape::TriUp, TShape::TriDown,
                         TShape::Diamond, TShape::TriLeft, TShape::TriRight, TShape::Star,
                         TShape::Hexagon, TShape::ThickCross})
    for (const int Radius : {Small, Large})
      for (const bool Solid : {false, true})
        T[I++] = {S, TShape::None, static_cast<std::uint8_t>(Radius), Solid};
  for (const TShape S : {TShape::Plus, TShape::XCross, TShape::Asterisk})
    for (const int Radius : {Small, Large})
      T[I++] = {S, TShape::None, static_cast<std::uint8_t>(Radius), false};
  T[I++] = {TShape::HBar, TShape::None, 4, true};
  T[I++] = {TShape::VBar, TShape::None, 4, true};
  T[I++] = {TShape::Circle, TShape::Dot, Large, false};
  T[I++] = {TShape::Circle, TShape::Plus, Large, false};
  T[I++] = {TShape::Square, TShape::XCross, Large, false};
  return T;
}

constexpr std::array<TMarkDef, MaxMarker + 1> MarkTable = BuildMarkTable();

// A line from (X1, Y1) to (X2, Y2) with both end points drawn.
void Segment(TCanvas& C, int X1, int Y1, int X2, int Y2) {
  C.MoveTo(X1, Y1);
  C.LineTo(X2 + (X2 > X1) - (X2 < X1), Y2 + (Y2 > Y1) - (Y2 < Y1));
  if (X1 == X2 && Y1 == Y2) C.LineTo(X1 + 1, Y1);
}

std::vector<TPoint> StarPoints(int X, int Y, int R) {
  std::vector<TPoint> P;
  const double Inner = 0.45 * R;
  for (int I = 0; I < 10; ++I) {
    const double A = -std::numbers::pi / 2 + I * std::numbers::pi / 5;
    const double Rad = I % 2 ? Inner : R;
    P.push_back({X + static_cast<int>(std::lround(Rad * std::cos(A))),
                 Y + static_cast<int>(std::lround(Rad * std::sin(A)))});
  }
  return P;
}

std::vector<TPoint> ThickCrossPoints(int X, int Y, int R) {
  const int W = std::max(1, R / 3);
  return {{X - W, Y - R}, {X + W, Y - R}, {X + W, Y - W}, {X + R, Y - W},
          {X + R, Y + W}, {X + W, Y + W}, {X + W, Y + R}, {X - W, Y + R},
          {X - W, Y + W}, {X - R, Y + W}, {X - R, Y - W}, {X - W, Y - W}};
}

void DrawShape(TCanvas& C, TShape Shape, int X, int Y, int R) {
  switch (Shape) {
    case TShape::None:
      return;
    case TShape::Dot:
      Segment(C, X, Y, X, Y);
      return;
    case TShape::Square:
      C.Rectangle(X - R, Y - R, X + R + 1, Y + R + 1);
      return;
    case TShape::Circle:
      C.Ellipse(X - R, Y - R, X + R + 1, Y + R + 1);
      return;
    case TShape::TriUp:
      C.Polygon({{X, Y - R}, {X + R, Y + R}, {X - R, Y + R}});
      return;
    case TShape::TriDown:
      C.Polygon({{X - R, Y - R}, {X + R, Y - R}, {X, Y + R}});
      return;
    case TShape::TriLeft:
      C.Polygon({{X - R, Y}, {X + R, Y - R}, {X + R, Y + R}});
      return;
    case TShape::TriRight:
      C.Polygon({{X + R, Y}, {X - R, Y + R}, {X - R, Y - R}});
      return;
    case TShape::Diamond:
      C.Polygon({{X, Y - R}, {X + R, Y}, {X, Y + R}, {X - R, Y}});
      return;
    case TShape::Star:
      C.Polygon(StarPoints(X, Y, R));
      return;
    case TShape::Hexagon:
      C.Polygon({{X - R, Y}, {X - R / 2, Y - R}, {X + R / 2, Y - R}, {X + R, Y},
                 {X + R / 2, Y + R}, {X - R / 2, Y + R}});
      return;
    case TShape::ThickCross:
      C.Polygon(ThickCrossPoints(X, Y, R));
      return;
    case TShape::Plus:
      Segment(C, X - R, Y, X + R, Y);
      Segment(C, X, Y - R, X, Y + R);
      return;
    case TShape::XCross:
      Segment(C, X - R, Y - R, X + R, Y + R);
      Segment(C, X + R, Y - R, X - R, Y + R);
      return;
    case TShape::Asterisk:
      DrawShape(C, TShape::Plus, X, Y, R);
      DrawShape(C, TShape::XCross, X, Y, R - 1);
      return;
    case TShape::HBar:
      for (int D = -1; D <= 1; ++D) Segment(C, X - R, Y + D, X + R, Y + D);
      return;
    case TShape::VBar:
      for (int D = -1; D <= 1; ++D) Segment(C, X + D, Y - R, X + D, Y + R);
      return;
  }
}

}  // namespace

int MarkExtent(int Mark) {
  if (Mark < 0 || Mark > MaxMarker) return 0;
  const TMarkDef& Def = MarkTable[Mark];
  // Bars are three pixels thick, so never thinner than one pixel each side.
  return std::max<int>(Def.Radius, Def.Outer == TShape::HBar || Def.Outer == TShape::VBar);
}

void DrawMarkOnCanvas(TCanvas& Canvas, int Mark, int X, int Y) {
  if (Mark < 0 || Mark > MaxMarker) return;
  const TMarkDef& Def = MarkTable[Mark];
  const TBrush SavedBrush = Canvas.Brush();
  const TPoint SavedPos = Canvas.PenPos();
  if (Def.Solid) {
    Canvas.Brush().SetColor(Canvas.Pen().Color());
    Canvas.Brush().SetStyle(host::bsSolid);
  }
  DrawShape(Canvas, Def.Outer, X, Y, Def.Radius);
  DrawShape(Canvas, Def.Inner, X, Y, Def.Inner == TShape::Dot ? 0 : Def.Radius - 2);
  Canvas.Brush() = SavedBrush;
  Canvas.MoveTo(SavedPos.X, SavedPos.Y);
}

}  // namespace qor
