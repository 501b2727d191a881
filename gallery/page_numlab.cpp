// Gallery page "Numeric label": every display type, the alignments, the frame
// styles, transparency, the disabled look and an overflow.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

#include "displays/qor_numlab.h"
#include "gallery/gallery.h"

namespace {

using namespace qor;

TNumLab* Label(const QString& Left, double Value, TDisplay Type, const QString& Right = {}) {
  auto* L = new TNumLab;
  gallery::SetSize(L, 260, 28);
  L->SetLeftSpace(90);
  L->SetLabelWidth(120);
  L->SetLeftText(Left);
  L->SetRightText(Right);
  L->SetDisplayType(Type);
  L->SetValue(Value);
  return L;
}

QWidget* DisplayTypes() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  struct TExample { const char* Name; double Value; TDisplay Type; int Precision; const char* Unit; };
  const TExample Examples[] = {
      {"dtFloat", 1234.56789, dtFloat, 6, "V"},     {"dtFixP", 1234.5678, dtFixP, 2, "mm"},
      {"dtExp", -0.000123456, dtExp, 4, "A"},       {"dtHex", 48879, dtHex, 4, ""},
      {"dtZeroInt", 42, dtZeroInt, 5, "pcs"},       {"dtInt", 2.5, dtInt, 0, ""},
      {"dtDateTime", 46364.5, dtDateTime, 0, ""},   {"dtState", 0, dtState, 0, ""},
      {"dtBin", 173, dtBin, 8, ""},                 {"dtOct", 511, dtOct, 0, ""},
      {"dtDeg", 47.2625, dtDeg, 2, ""},             {"dtDegMin", 47.2625, dtDegMin, 2, "N"},
      {"dtDegMinSec", 8.5417, dtDegMinSec, 1, "E"}, {"dtEEng", 47000, dtEEng, 2, "Hz"},
      {"dtEEngNoDP", 0.0033, dtEEngNoDP, 0, "F"}};
  int Row = 0;
  for (const TExample& E : Examples) {
    TNumLab* L = Label(QString::fromLatin1(E.Name), E.Value, E.Type, QString::fromLatin1(E.Unit));
    L->SetPrecision(E.Precision);
    if (E.Type == dtState) L->SetStateText(QStringLiteral("running"));
    Grid->addWidget(L, Row % 8, Row / 8);
    ++Row;
  }
  return gallery::Captioned(QStringLiteral("Display types"), Box);
}

QWidget* Looks() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  const char* Frames[] = {"none", "single", "sunken", "raised", "gray lines", "white lines"};
  for (int Style = 0; Style < 6; ++Style) {
    TNumLab* L = Label(QString::fromLatin1(Frames[Style]), 3.14159, dtFixP, QStringLiteral("rad"));
    L->SetFrameStyle(TFrameStyle(Style));
    L->SetColorLabBakG(clWhite);
    Grid->addWidget(L, Style, 0);
  }
  const TAlignment Aligns[] = {taLeftJustify, taCenter, taRightJustify};
  const char* AlignNames[] = {"left", "center", "right"};
  for (int i = 0; i < 3; ++i) {
    TNumLab* L = Label(QString::fromLatin1(AlignNames[i]), -273.15, dtFixP, QStringLiteral("\u00B0C"));
    L->SetAlignment(Aligns[i]);
    L->SetLeftTextAlignment(Aligns[i]);
    L->SetRightTextAlignment(Aligns[i]);
    Grid->addWidget(L, i, 1);
  }
  TNumLab* Colours = Label(QStringLiteral("Level"), 87.5, dtFixP, QStringLiteral("%"));
  Colours->SetColorLabBakG(0x202020);
  Colours->SetColorLabText(clLime);
  Colours->SetColorOutBakG(0xE0F0FF);
  Colours->SetColorOutText(clNavy);
  Colours->SetPrecision(1);
  Grid->addWidget(Colours, 3, 1);
  TNumLab* Disabled = Label(QStringLiteral("Disabled"), 12.5, dtFixP, QStringLiteral("bar"));
  Disabled->SetEnabled(false);
  Grid->addWidget(Disabled, 4, 1);
  TNumLab* Overflow = Label(QStringLiteral("Overflow"), 1.23456789e15, dtFixP, QStringLiteral("J"));
  Grid->addWidget(Overflow, 5, 1);
  TNumLab* Signed = Label(QStringLiteral("Comma, +"), 0.5, dtFixP, QStringLiteral("m/s"));
  Signed->SetComma(true);
  Signed->SetForcePlusSign(true);
  Grid->addWidget(Signed, 6, 1);
  TNumLab* Empty = Label(QStringLiteral("Empty"), 0, dtFixP, QStringLiteral("-"));
  Empty->SetEmpty(true);
  Grid->addWidget(Empty, 6, 0);
  return gallery::Captioned(QStringLiteral("Frames, alignments, colours, states"), Box);
}

QWidget* Transparency() {
  auto* Back = new QWidget;
  auto* Inside = new QHBoxLayout(Back);
  Inside->setContentsMargins(8, 8, 8, 8);
  Back->setAutoFillBackground(true);
  QPalette P = Back->palette();
  QLinearGradient G(0, 0, 260, 0);
  G.setColorAt(0, QColor(255, 220, 120));
  G.setColorAt(1, QColor(120, 200, 255));
  P.setBrush(QPalette::Window, G);
  Back->setPalette(P);
  auto* L = new TNumLab;
  L->SetWidth(240);
  Inside->addWidget(L);
  L->SetLeftSpace(70);
  L->SetLabelWidth(120);
  L->SetLeftText(QStringLiteral("Transparent"));
  L->SetRightText(QStringLiteral("kg"));
  L->SetValue(9.81);
  L->SetTransparent(true);
  return gallery::Captioned(QStringLiteral("Transparent over a gradient"), Back);
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QGridLayout(Page);
  Layout->addWidget(DisplayTypes(), 0, 0, 1, 2);
  Layout->addWidget(Looks(), 1, 0);
  Layout->addWidget(Transparency(), 1, 1, Qt::AlignTop);
  return Page;
}

const bool Registered =
    qor::gallery::RegisterPage({QStringLiteral("Numeric label"), QStringLiteral("numlab"), 10, MakePage});

}  // namespace
