#include "foundation/qor_qorbase.h"

namespace qor {

EQORError::EQORError(const QString& Message) : std::runtime_error(Message.toStdString()) {}

QString ComponentMessage(const QObject* Component, const QString& Text) {
  const QString Name = Component ? Component->objectName() : QString();
  return QStringLiteral("Component \"%1\": %2").arg(Name, Text);
}

TColor SchemeGrayLine(TColorScheme Scheme) { return Scheme == 0 ? clGray : clBtnShadow; }
TColor SchemeWhiteLine(TColorScheme Scheme) { return Scheme == 0 ? clWhite : clBtnHighlight; }

namespace {

void HLine(TCanvas& C, int X1, int X2, int Y, TColor Color) {
  C.Pen().SetColor(Color);
  C.MoveTo(X1, Y);
  C.LineTo(X2 + 1, Y);
}

void VLine(TCanvas& C, int X, int Y1, int Y2, TColor Color) {
  C.Pen().SetColor(Color);
  C.MoveTo(X, Y1);
  C.LineTo(X, Y2 + 1);
}

// One bevel ring: TopLeft colour on the upper and left edges, BottomRight on
// the lower and right ones.
void Bevel(TCanvas& C, int L, int T, int R, int B, TColor TopLeft, TColor BottomRight) {
  if (R < L || B < T) return;
  HLine(C, L, R, T, TopLeft);
  VLine(C, L, T, B, TopLeft);
  HLine(C, L, R, B, BottomRight);
  VLine(C, R, T, B, BottomRight);
}

}  // namespace

//   style          outer ring (upper-left / lower-right)   inner ring
//   1 single       Line / Line                             -
//   2 sunken       Shadow / Light1                         DarkShadow / Light2
//   3 raised       Light1 / DarkShadow                     Light2 / Shadow
//   4 gray lines   Shadow / Light1                         Light1 / Shadow
//   5 white lines  Light1 / Shadow                         Shadow / Light1
void DrawFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               TColor Light1, TColor Light2, TColor Shadow, TColor DarkShadow, TColor Line) {
  const TPen Saved = Canvas.Pen();
  Canvas.Pen().SetStyle(host::psSolid);
  Canvas.Pen().SetMode(host::pmCopy);
  Canvas.Pen().SetWidth(1);
  switch (Style) {
    case fsSimple:
      Bevel(Canvas, Left, Top, Right, Bottom, Line, Line);
      break;
    case fsLowered:
      Bevel(Canvas, Left, Top, Right, Bottom, Shadow, Light1);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, DarkShadow, Light2);
      break;
    case fsRaised:
      Bevel(Canvas, Left, Top, Right, Bottom, Light1, DarkShadow);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Light2, Shadow);
      break;
    case fsEmbossed:
      Bevel(Canvas, Left, Top, Right, Bottom, Shadow, Light1);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Light1, Shadow);
      break;
    case fsEngraved:
      Bevel(Canvas, Left, Top, Right, Bottom, Light1, Shadow);
      Bevel(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Shadow, Light1);
      break;
    default:
      break;
  }
  Canvas.Pen() = Saved;
}

void DrawStandardFrame(TCanvas& Canvas, TFrameStyle Style, int Left, int Top, int Right,
                       int Bottom, bool UseStyle, TColor Line) {
  if (UseStyle)
    DrawFrame(Canvas, Style, Left, Top, Right, Bottom, cl3DLight, clBtnHighlight, clBtnShadow,
              cl3DDkShadow, host::StyleColor(host::scBorder));
  else
    DrawFrame(Canvas, Style, Left, Top, Right, Bottom, clWhite, clSilver, clGray, clBlack, Line);
}

void DrawRectangle(TCanvas& Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas.MoveTo(X1, Y1);
  Canvas.LineTo(X2, Y1);
  Canvas.LineTo(X2, Y2);
  Canvas.LineTo(X1, Y2);
  Canvas.LineTo(X1, Y1);
}

TColor MeanColor(TColor C1, TColor C2) {
  const TColor A = ColorToRGB(C1), B = ColorToRGB(C2);
  return RGB((GetRValue(A) + GetRValue(B)) / 2, (GetGValue(A) + GetGValue(B)) / 2,
             (GetBValue(A) + GetBValue(B)) / 2);
}

}  // namespace qor
