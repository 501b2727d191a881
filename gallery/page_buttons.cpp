// Gallery page "Buttons and selectors": every glyph style on and off, enabled
// and disabled; a radio group with and without AllowAllOff; a repeat button
// driving a counter; a colour selector with a user-editable entry; a marker
// selector.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "buttons/qor_colsel.h"
#include "buttons/qor_marksel.h"
#include "buttons/qor_onoffbut.h"
#include "buttons/qor_repsbut.h"
#include "gallery/gallery.h"

namespace {

using namespace qor;

const char* const StyleNames[] = {
    "User", "Checkbox", "RadioBut", "SlideTB", "SlideLR", "ColSlideTB", "ColSlideLR",
    "LedRedGreen", "ArrowTopRgt", "ArrowUpDown", "ArrowLeftRight", "TrafficLPed", "BeveledLed",
    "SmileyYellow", "SmileyRedGrn", "Bulb", "ButLamp", "HDLeft", "HDRight", "User1", "User2",
    "User3", "User4", "User5"};

TOnOffBut* Button(TOnOffButStyle Style, bool On, bool Enabled, QWidget* Parent) {
  auto* B = new TOnOffBut(Parent);
  gallery::SetSize(B, 70, 60);
  B->SetButtonStyle(Style);
  B->SetFrameStyle(fsNone);
  B->SetOnOff(On);
  B->SetEnabled(Enabled);
  return B;
}

// One row per style: on, off, on disabled, off disabled.
QWidget* Styles() {
  auto* Box = new QWidget;
  auto* Grid = new QGridLayout(Box);
  Grid->setSpacing(2);
  const char* const Heads[] = {"on", "off", "on, disabled", "off, disabled"};
  for (int Half = 0; Half < 2; ++Half)
    for (int h = 0; h < 4; ++h)
      Grid->addWidget(new QLabel(QString::fromLatin1(Heads[h])), 0, 1 + Half * 5 + h, Qt::AlignCenter);
  for (int S = 0; S <= oobsUser5; ++S) {
    const int Row = 1 + S % 12, Col = (S / 12) * 5;
    Grid->addWidget(new QLabel(QString::fromLatin1(StyleNames[S])), Row, Col);
    for (int c = 0; c < 4; ++c)
      Grid->addWidget(Button(TOnOffButStyle(S), c % 2 == 0, c < 2, Box), Row, Col + 1 + c);
  }
  return gallery::Captioned(QStringLiteral("Glyph styles"), Box);
}

QWidget* RadioGroup(int Group, bool AllowAllOff, const QString& Title) {
  auto* Box = new QWidget;
  auto* Column = new QVBoxLayout(Box);
  const char* const Names[] = {"Slow", "Medium", "Fast"};
  for (int i = 0; i < 3; ++i) {
    auto* B = new TOnOffBut(Box);
    gallery::SetSize(B, 150, 24);
    B->SetButtonStyle(oobsRadioBut);
    B->SetFrameStyle(fsNone);
    B->SetAutoCenter(false);
    B->SetLeftSpace(4);
    B->SetTopSpace(4);
    B->SetRightText(QString::fromLatin1(Names[i]));
    B->SetOnOff(i == 1);
    B->SetGroupIndex(Group);
    B->SetAllowAllOff(AllowAllOff);
    Column->addWidget(B);
  }
  return gallery::Captioned(Title, Box);
}

QWidget* Captions() {
  auto* B = new TOnOffBut;
  gallery::SetSize(B, 230, 90);
  B->SetButtonStyle(oobsBeveledLed);
  B->SetLeftText(QStringLiteral("Pump"));
  B->SetRightText(QStringLiteral("running"));
  B->SetTopText(QStringLiteral("Circuit 2"));
  B->SetBottomText(QStringLiteral("click the LED"));
  B->SetColorText(clNavy);
  return gallery::Captioned(QStringLiteral("Captions on four sides"), B);
}

QWidget* Repeat() {
  auto* Box = new QWidget;
  auto* Row = new QHBoxLayout(Box);
  auto* Down = new TRepSpeedButton(Box);
  auto* Up = new TRepSpeedButton(Box);
  Down->SetCaption(QStringLiteral("\u2212"));
  Up->SetCaption(QStringLiteral("+"));
  auto* Count = new QLabel(QStringLiteral("0"));
  Count->setMinimumWidth(50);
  Count->setAlignment(Qt::AlignCenter);
  const auto Step = [Count](int By) {
    return [Count, By](TObject*) { Count->setNum(Count->text().toInt() + By); };
  };
  Down->OnClick = Down->OnRepeatClick = Step(-1);
  Up->OnClick = Up->OnRepeatClick = Step(1);
  Row->addWidget(Down);
  Row->addWidget(Count);
  Row->addWidget(Up);
  Row->addStretch();
  return gallery::Captioned(QStringLiteral("Hold a button: it repeats"), Box);
}

QWidget* Selectors() {
  auto* Box = new QWidget;
  auto* Column = new QVBoxLayout(Box);
  auto* Colours = new TColSel(Box);
  Colours->setMinimumWidth(190);
  Colours->SetColorEditAllowed(1, true);
  Colours->SetColorNames(1, QStringLiteral("Custom (click the bar)"));
  Colours->SetSelColor(clTeal);
  Column->addWidget(gallery::Captioned(QStringLiteral("Colour selector"), Colours));
  auto* Marks = new TMarkSel(Box);
  Marks->SetSelected(9);
  Column->addWidget(gallery::Captioned(QStringLiteral("Marker selector"), Marks));
  return Box;
}

QWidget* MakePage() {
  auto* Page = new QWidget;
  auto* Layout = new QHBoxLayout(Page);
  Layout->addWidget(Styles(), 0, Qt::AlignTop);
  auto* Right = new QVBoxLayout;
  Right->addWidget(RadioGroup(1, false, QStringLiteral("Radio group (one stays on)")));
  Right->addWidget(RadioGroup(2, true, QStringLiteral("Radio group with AllowAllOff")));
  Right->addWidget(Captions());
  Right->addWidget(Repeat());
  Right->addWidget(Selectors());
  Right->addStretch();
  Layout->addLayout(Right);
  return Page;
}

const bool Registered = gallery::RegisterPage(
    {QStringLiteral("Buttons and selectors"), QStringLiteral("buttons"), 60, MakePage});

}  // namespace
