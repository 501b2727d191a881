// Gallery page "Numeric input": custom-drawn fields in every input format,
// with buttons, pivots, gauge, warning colours, read-only and disabled looks,
// and an edit-based field beside them.
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "foundation/qor_univconst.h"
#include "gallery/gallery.h"
#include "numio/qor_numio.h"

namespace qor::gallery {
namespace {

TNumIO2* Field(const QString& Left, const QString& Right, TInFormat Format, double Value) {
  auto* F = new TNumIO2;
  F->SetLeftSpace(70);
  F->SetTextBoxWidth(110);
  F->SetWidth(260);
  F->SetLeftText(Left);
  F->SetRightText(Right);
  F->SetRangeLow(-uc_MaxDouble);
  F->SetRangeHigh(uc_MaxDouble);
  F->SetInputFormat(Format);
  F->SetValue(Value);
  return F;
}

// Places a configured field at the size it asks for.
void Add(QGridLayout* Grid, TNumIO2* F, int Row, int Column) {
  Grid->addWidget(F, Row, Column, Qt::AlignLeft);
}

QWidget* Formats() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  Add(Grid, Field("Float", "mV", itFloat, 12.5), 0, 0);
  Add(Grid, Field("Exponent", "Hz", itExp, 1.5e6), 1, 0);
  auto* Fixed = Field("Fixed", "kg", itFixPoint, 3.14159);
  Fixed->SetFixPointDecPlaces(3);
  Add(Grid, Fixed, 2, 0);
  Add(Grid, Field("Integer", "pcs", itInt, -42), 3, 0);
  Add(Grid, Field("Hex", "", itHex, 48879), 0, 1);
  Add(Grid, Field("Octal", "", itOct, 511), 1, 1);
  auto* Bin = Field("Binary", "", itBin, 165);
  Bin->SetTextBoxWidth(190);
  Bin->SetFrameStyle(fsSimple);
  Bin->SetAlignment(taRightJustify);
  Add(Grid, Bin, 2, 1);
  auto* Dynamic = Field("Dynamic", "", itDynamic, 0);
  Dynamic->SetText("$1F");
  Add(Grid, Dynamic, 3, 1);
  return Box;
}

QWidget* Controls() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);

  auto* Buttons = Field("Speed", "rpm", itFloat, 1200);
  Buttons->SetRangeLow(0);
  Buttons->SetRangeHigh(3000);
  Buttons->SetButVisible(true);
  Buttons->SetButIncrem(100);
  Buttons->SetFixPointDecPlaces(1);
  Add(Grid, Buttons, 0, 0);

  auto* Pivots = Field("Range", "V", itFixPoint, 10);
  Pivots->SetRangeLow(0);
  Pivots->SetRangeHigh(1000);
  Pivots->ButtonPivots = {0.1, 1, 10, 100, 1000};
  Pivots->SetButVisible(true);
  Pivots->SetButColor(0xE0D8C8);
  Pivots->SetHeight(50);
  Pivots->SetButHeight(28);
  Pivots->SetGaugeVisible(true);
  Pivots->SetGaugeLeftMargin(70);
  Pivots->SetGaugeWidth(110);
  Add(Grid, Pivots, 1, 0);

  auto* Gauge = Field("Level", "%", itFloat, 62.5);
  Gauge->SetRangeLow(0);
  Gauge->SetRangeHigh(100);
  Gauge->SetHeight(48);
  Gauge->SetGaugeVisible(true);
  Gauge->SetGaugeLeftMargin(70);
  Gauge->SetGaugeWidth(110);
  Gauge->SetGaugeColor(0x208020);
  Gauge->SetGaugeFrameStyle(fsSimple);
  Add(Grid, Gauge, 2, 0);

  auto* Warn = Field("Pressure", "bar", itFloat, 250);
  Warn->SetRangeLow(0);
  Warn->SetRangeHigh(200);
  Warn->SetFrameStyle(fsNone);
  Add(Grid, Warn, 0, 1);

  auto* ReadOnly = Field("Read-only", "s", itFloat, 0.25);
  ReadOnly->SetReadOnly(true);
  ReadOnly->SetColorBoxBG(0xF0F0F0);
  ReadOnly->SetFrameStyle(fsRaised);
  Add(Grid, ReadOnly, 1, 1);

  auto* Disabled = Field("Disabled", "A", itFloat, 7.5);
  Disabled->SetButVisible(true);
  Disabled->SetHeight(48);
  Disabled->SetButHeight(28);
  Disabled->SetGaugeVisible(true);
  Disabled->SetGaugeLeftMargin(70);
  Disabled->SetGaugeWidth(110);
  Disabled->SetRangeLow(0);
  Disabled->SetRangeHigh(10);
  Disabled->SetEnabled(false);
  Add(Grid, Disabled, 2, 1);
  return Box;
}

QWidget* EditField() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  auto* Edit = new TNumIO;
  Edit->SetRangeLow(-100);
  Edit->SetRangeHigh(100);
  Edit->SetInputFormat(itFixPoint);
  Edit->SetValue(42.5);
  Grid->addWidget(new QLabel(QStringLiteral("Edit-based, -100..100:")), 0, 0);
  Grid->addWidget(Edit, 0, 1);
  auto* Dynamic = new TNumIO;
  Dynamic->SetRangeLow(-uc_MaxDouble);
  Dynamic->SetRangeHigh(uc_MaxDouble);
  Dynamic->SetText(QStringLiteral("$FF"));
  Grid->addWidget(new QLabel(QStringLiteral("Dynamic ($, %, &):")), 1, 0);
  Grid->addWidget(Dynamic, 1, 1);
  Grid->setColumnStretch(2, 1);
  return Box;
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QVBoxLayout(Page);
  Layout->addWidget(Captioned(QStringLiteral("Input formats"), Formats()));
  Layout->addWidget(Captioned(QStringLiteral("Buttons, pivots, gauge, warning, read-only, disabled"), Controls()));
  Layout->addWidget(Captioned(QStringLiteral("TNumIO"), EditField()));
  Layout->addStretch(1);
  return Page;
}

}  // namespace
}  // namespace qor::gallery

static const bool Registered = qor::gallery::RegisterPage(
    {QStringLiteral("Numeric input"), QStringLiteral("numio"), 20, qor::gallery::MakePage});
