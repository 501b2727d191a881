// Gallery page "Displays": seven-segment displays with points, hex letters
// and colours; dot-matrix labels in each block mode, with a sampled font and
// scrolling; rotated labels at several angles; gradients of each fill type
// with grids.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "decoration/qor_gradfl.h"
#include "displays/qor_rasterlab.h"
#include "displays/qor_rotlab.h"
#include "displays/qor_sevenseg.h"
#include "gallery/gallery.h"

namespace {

using namespace qor;

// A caption above a control that keeps the size it asks for (automatic
// heights included).
QWidget* Titled(const QString& Title, QWidget* Widget) {
  auto* Box = new QWidget;
  auto* Layout = new QVBoxLayout(Box);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(new QLabel(Title));
  Layout->addWidget(Widget, 0, Qt::AlignLeft | Qt::AlignTop);
  Layout->addStretch();
  return Box;
}

TSevenSeg* SevenSeg(const QString& Caption, int Digits, TColor Text, TColor Back, int W, int H) {
  auto* S = new TSevenSeg;
  gallery::SetSize(S, W, H);
  S->SetNumDigits(Digits);
  S->SetCaption(Caption);
  S->SetColorText(Text);
  S->SetColorBackGnd(Back);
  return S;
}

QWidget* SevenSegs() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  Grid->addWidget(Titled(QStringLiteral("Default: \"8.8.8.8.\""), new TSevenSeg), 0, 0);
  Grid->addWidget(Titled(QStringLiteral("Digits with points: \"-12.5\""),
                         SevenSeg(QStringLiteral("-12.5"), 4, clRed, 0x333333, 216, 76)), 0, 1);
  Grid->addWidget(Titled(QStringLiteral("Hex letters: \"C0FFEE\", raised frame"),
                         [] {
                           TSevenSeg* S = SevenSeg(QStringLiteral("c0ffee"), 6, 0x00C0FF, 0x101010, 300, 76);
                           S->SetFrameStyle(fsRaised);
                           return S;
                         }()), 0, 2);
  Grid->addWidget(Titled(QStringLiteral("Clock: \"12:45\", green"),
                         SevenSeg(QStringLiteral("12:45"), 5, clLime, 0x002000, 260, 76)), 1, 0);
  Grid->addWidget(Titled(QStringLiteral("Temperature: \"23.5\u00B0C\", white"),
                         SevenSeg(QStringLiteral("23.5\u00B0C"), 5, clWhite, 0x402010, 260, 76)), 1, 1);
  Grid->addWidget(Titled(QStringLiteral("Sum \"+1.0.2\" on 8 cells, margin 4, distance 6"),
                         [] {
                           TSevenSeg* S = SevenSeg(QStringLiteral("+1.0.2"), 8, clYellow, clBlack, 300, 50);
                           S->SetMargin(4);
                           S->SetInterDigDist(6);
                           S->SetFrameStyle(fsSimple);
                           return S;
                         }()), 1, 2);
  return gallery::Captioned(QStringLiteral("Seven-segment display"), Box);
}

TRasterLab* Raster(const QString& Text, TRasterLab::TRDBlockMode Mode) {
  auto* L = new TRasterLab;
  L->SetWidth(400);
  L->SetAutoHeight(true);
  L->SetAutoCenter(true);
  L->SetText(Text);
  L->SetCharBlockMode(Mode);
  return L;
}

QWidget* RasterLabs() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  Grid->addWidget(Titled(QStringLiteral("Blocks (rdbmOn)"), Raster(QStringLiteral("Qor 2.5 \u00C4\u00F6\u00DF"), TRasterLab::rdbmOn)), 0, 0);
  Grid->addWidget(Titled(QStringLiteral("Raster (rdbmRaster), amber"), [] {
                    TRasterLab* L = Raster(QStringLiteral("Gate 12: 18:45"), TRasterLab::rdbmRaster);
                    L->SetDotSize(2);
                    L->SetColorDotOn(0x00A0FF);
                    L->SetColorDotOff(0x102030);
                    return L;
                  }()), 0, 1);
  Grid->addWidget(Titled(QStringLiteral("Lit dots only (rdbmOff), fixed width"), [] {
                    TRasterLab* L = Raster(QStringLiteral("Fixed 1.0"), TRasterLab::rdbmOff);
                    L->SetProportional(false);
                    L->SetColorDotOn(clRed);
                    return L;
                  }()), 1, 0);
  Grid->addWidget(Titled(QStringLiteral("Sampled font DejaVu Sans 10, 2-pixel dots"), [] {
                    TRasterLab* L = Raster(QStringLiteral("Sampled: Hello!"), TRasterLab::rdbmRaster);
                    L->SetDotSize(2);
                    L->Font().SetName(QStringLiteral("DejaVu Sans"));
                    L->Font().SetSize(10);
                    L->SetColorDotOn(clAqua);
                    return L;
                  }()), 1, 1);
  Grid->addWidget(Titled(QStringLiteral("Scrolling left, looping"), [] {
                    TRasterLab* L = Raster(QStringLiteral("+++ News ticker +++"), TRasterLab::rdbmOn);
                    L->SetAutoCenter(false);
                    L->SetScrollIncrement(3);
                    L->SetScrollInterval(40);
                    L->SetScrollMode(TRasterLab::rdsmLeft);
                    return L;
                  }()), 2, 0);
  Grid->addWidget(Titled(QStringLiteral("Scrolling up, 2-pixel dots, no spacing"), [] {
                    TRasterLab* L = Raster(QStringLiteral("Up we go"), TRasterLab::rdbmRaster);
                    L->SetDotSize(2);
                    L->SetDotSpacing(0);
                    L->SetFrameStyle(fsEmbossed);
                    L->SetScrollInterval(60);
                    L->SetScrollMode(TRasterLab::rdsmUp);
                    return L;
                  }()), 2, 1);
  return gallery::Captioned(QStringLiteral("Dot-matrix label"), Box);
}

QWidget* RotLabs() {
  auto* Box = new QWidget;
  auto* Row = new QHBoxLayout(Box);
  const int Angles[] = {0, 45, 90, 180, 300};
  for (int Angle : Angles) {
    auto* L = new TRotLab;
    gallery::SetSize(L, 150, 150);
    L->SetCaption(QStringLiteral("%1 degrees").arg(Angle));
    L->SetTextAngle(Angle);
    L->SetTransparent(false);
    L->SetColor(clWhite);
    L->Font().SetColor(clNavy);
    L->Font().SetStyle(fsBold);
    Row->addWidget(L);
  }
  auto* Right = new TRotLab;
  gallery::SetSize(Right, 150, 150);
  Right->SetCaption(QStringLiteral("right, 30\u00B0"));
  Right->SetAlignment(taRightJustify);
  Right->SetTextAngle(30);
  Right->SetFrameStyle(fsRaised);
  Row->addWidget(Right);
  auto* Disabled = new TRotLab;
  gallery::SetSize(Disabled, 150, 150);
  Disabled->SetCaption(QStringLiteral("disabled"));
  Disabled->SetTextAngle(-20);
  Disabled->SetEnabled(false);
  Row->addWidget(Disabled);
  return gallery::Captioned(QStringLiteral("Rotated label"), Box);
}

QWidget* Gradients() {
  auto* Box = new QWidget;
  auto* Row = new QHBoxLayout(Box);
  struct TExample {
    const char* Title;
    TGradFill::TGradType Type;
    TGradFill::TGridMode Grid;
    TColor First, Last;
    int Colors;
    TFrameStyle Frame;
  };
  const TExample Examples[] = {
      {"gtHoriz, horizontal grid", TGradFill::gtHoriz, TGradFill::gmHoriz, clMaroon, clYellow, 16, fsNone},
      {"gtVert, vertical grid", TGradFill::gtVert, TGradFill::gmVert, clNavy, clAqua, 32, fsLowered},
      {"gtMidBandHoriz, both", TGradFill::gtMidBandHoriz, TGradFill::gmBoth, clBlack, clLime, 24, fsRaised},
      {"gtMidBandVert, 7 bands", TGradFill::gtMidBandVert, TGradFill::gmNone, clPurple, clWhite, 7, fsSimple}};
  for (const TExample& E : Examples) {
    auto* G = new TGradFill;
    gallery::SetSize(G, 150, 121);
    G->SetFillType(E.Type);
    G->SetGridMode(E.Grid);
    G->SetColorFirst(E.First);
    G->SetColorLast(E.Last);
    G->SetNrColors(E.Colors);
    G->SetFrameStyle(E.Frame);
    if (E.Type == TGradFill::gtMidBandHoriz) G->SetGridColor(clGray);
    Row->addWidget(Titled(QString::fromLatin1(E.Title), G));
  }
  auto* Flipped = new TGradFill;
  gallery::SetSize(Flipped, 150, 121);
  Flipped->SetColorFlipped(true);
  Flipped->SetNrColors(255);
  Row->addWidget(Titled(QStringLiteral("flipped, 255 bands"), Flipped));
  return gallery::Captioned(QStringLiteral("Gradient fill"), Box);
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QVBoxLayout(Page);
  Layout->addWidget(SevenSegs());
  Layout->addWidget(RasterLabs());
  Layout->addWidget(RotLabs());
  Layout->addWidget(Gradients());
  return Page;
}

const bool Registered = gallery::RegisterPage({QStringLiteral("Displays"), QStringLiteral("displays"), 40, MakePage});

}  // namespace
