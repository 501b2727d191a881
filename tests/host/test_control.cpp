#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "host/qor_host.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

// A control that records what reaches its handlers.
class TProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;
  std::vector<std::string> Log;
  std::vector<std::uint16_t> Keys;
  std::vector<TShiftState> Shifts;
  QString Typed;

 protected:
  void Paint() override {
    ++Paints;
    Canvas().Brush().SetColor(clTeal);
    Canvas().FillRect(ClientRect());
  }
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
    Log.push_back("down" + std::to_string(B) + ((S & ssDouble) ? "d" : "") + "@" +
                  std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseUp(TMouseButton B, TShiftState, int, int) override {
    Log.push_back("up" + std::to_string(B));
  }
  void Click() override { Log.push_back("click"); }
  void DblClick() override { Log.push_back("dblclick"); }
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override {
    Keys.push_back(Key);
    Shifts.push_back(Shift);
    if (Key == VK_DELETE) Key = 0;
  }
  void KeyPress(QChar& Key) override { Typed += Key; }
};

TEST(HostControl, PaintsOnceWhenStaleAndBlitsOtherwise) {
  TProbe P;
  P.resize(40, 20);
  test::ShowAndWait(P);
  const int First = P.Paints;
  EXPECT_GE(First, 1);
  P.update();
  QTest::qWait(20);
  EXPECT_EQ(P.Paints, First);  // a plain expose only blits
  P.Invalidate();
  P.Invalidate();
  QTest::qWait(20);
  EXPECT_EQ(P.Paints, First + 1);  // invalidations coalesce
  P.Refresh();
  EXPECT_EQ(P.Paints, First + 2);  // a refresh paints at once
  EXPECT_EQ(test::PixelAt(test::Grab(P), 5, 5), clTeal);
}

TEST(HostControl, CanvasDrawingBetweenPaintsPersists) {
  TProbe P;
  P.resize(30, 30);
  test::ShowAndWait(P);
  P.Canvas().SetPixel(3, 3, clRed);
  P.update();
  QTest::qWait(20);
  EXPECT_EQ(test::PixelAt(test::Grab(P), 3, 3), clRed);
}

TEST(HostControl, MouseSequenceWithClickAndDoubleClick) {
  TProbe P;
  P.resize(50, 50);
  test::ShowAndWait(P);
  QTest::mouseClick(&P, Qt::LeftButton, Qt::NoModifier, QPoint(10, 12));
  EXPECT_EQ(P.Log, (std::vector<std::string>{"down0@10,12", "click", "up0"}));
  P.Log.clear();
  QTest::mouseDClick(&P, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
  ASSERT_FALSE(P.Log.empty());
  EXPECT_NE(std::find(P.Log.begin(), P.Log.end(), "down0d@4,5"), P.Log.end());
  EXPECT_NE(std::find(P.Log.begin(), P.Log.end(), "dblclick"), P.Log.end());
  P.Log.clear();
  // Released outside: no click.
  QTest::mousePress(&P, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseRelease(&P, Qt::LeftButton, Qt::NoModifier, QPoint(80, 80));
  EXPECT_EQ(P.Log, (std::vector<std::string>{"down0@10,10", "up0"}));
  P.Log.clear();
  QTest::mouseClick(&P, Qt::RightButton, Qt::NoModifier, QPoint(1, 1));
  EXPECT_EQ(P.Log, (std::vector<std::string>{"down1@1,1", "up1"}));
}

TEST(HostControl, KeysArriveAsVirtualKeyCodes) {
  TProbe P;
  test::ShowAndWait(P);
  P.SetFocus();
  QTest::keyClick(&P, Qt::Key_A);
  QTest::keyClick(&P, Qt::Key_Dollar, Qt::ShiftModifier);
  QTest::keyClick(&P, Qt::Key_Left);
  QTest::keyClick(&P, Qt::Key_5, Qt::KeypadModifier);
  QTest::keyClick(&P, Qt::Key_Period);
  QTest::keyClick(&P, Qt::Key_Minus, Qt::KeypadModifier);
  QTest::keyClick(&P, Qt::Key_C, Qt::ControlModifier);
  // Modifier keys arrive as keys of their own, as on the platform.
  EXPECT_EQ(P.Keys, (std::vector<std::uint16_t>{'A', VK_SHIFT, '4', VK_LEFT, VK_NUMPAD0 + 5,
                                                VK_OEM_PERIOD, VK_SUBTRACT, VK_CONTROL, 'C'}));
  ASSERT_EQ(P.Shifts.size(), 9u);
  EXPECT_EQ(P.Shifts[2], ssShift);
  EXPECT_EQ(P.Shifts[8], ssCtrl);
  EXPECT_TRUE(P.Typed.startsWith(QStringLiteral("a$5.-")));
}

// What a key types comes from the layout's text, not from its key code.
TEST(HostControl, TypedCharIsTheCharacterTheLayoutDelivers) {
  const auto Typed = [](Qt::Key K, const char* Text, Qt::KeyboardModifiers M = Qt::NoModifier) {
    const QKeyEvent E(QEvent::KeyPress, K, M, QString::fromUtf8(Text));
    return host::TypedChar(&E);
  };
  EXPECT_EQ(Typed(Qt::Key_Ampersand, "&", Qt::ShiftModifier), QChar('&'));  // German Shift+6
  EXPECT_EQ(Typed(Qt::Key_Slash, "/", Qt::ShiftModifier), QChar('/'));      // German Shift+7
  EXPECT_EQ(Typed(Qt::Key_Adiaeresis, "\xc3\xa4"), QChar(0xE4));
  EXPECT_EQ(Typed(Qt::Key_Comma, ",", Qt::KeypadModifier), QChar(','));
  EXPECT_TRUE(Typed(Qt::Key_Left, "").isNull());
  EXPECT_TRUE(Typed(Qt::Key_Backspace, "\b").isNull());
  EXPECT_TRUE(Typed(Qt::Key_C, "\x03", Qt::ControlModifier).isNull());
  TProbe P;
  test::ShowAndWait(P);
  P.SetFocus();
  QTest::sendKeyEvent(QTest::Click, &P, Qt::Key_Ampersand, QStringLiteral("&"), Qt::ShiftModifier);
  EXPECT_EQ(P.Typed, QStringLiteral("&"));
}

// Qt's event loop does not carry exceptions: one raised in a handler goes to
// the application's exception handler, and the control goes on working.
TEST(HostControl, ExceptionsInHandlersGoToTheApplication) {
  TCustomControl C;
  test::ShowAndWait(C);
  QStringList Reported;
  host::Application()->OnException = [&](QObject* Sender, const std::exception& E) {
    EXPECT_EQ(Sender, &C);
    Reported << QString::fromUtf8(E.what());
  };
  C.OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
    throw std::runtime_error("press failed");
  };
  C.OnResize = [](TObject*) { throw std::runtime_error("resize failed"); };
  EXPECT_NO_THROW(QTest::mouseClick(&C, Qt::LeftButton, {}, QPoint(5, 5)));
  EXPECT_NO_THROW(C.resize(90, 50));
  host::Application()->OnException = nullptr;
  EXPECT_EQ(Reported, QStringList({"press failed", "resize failed"}));
  int Clicks = 0;
  C.OnClick = [&](TObject*) { ++Clicks; };
  C.OnMouseDown = nullptr;
  QTest::mouseClick(&C, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Clicks, 1);
}

// A control's Font() and its Qt font are one: setFont, the parent's font and
// the application's font reach Font() and the picture, and Font() reaches Qt.
TEST(HostControl, FontFollowsQtAndQtFollowsTheFont) {
  QWidget Parent;
  TProbe P(&Parent);
  int Changes = 0;
  P.Font().OnChange = [&](TObject*) { ++Changes; };
  EXPECT_EQ(P.Font().Name(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(P.Font().Size(), 9);
  QFont Big(QStringLiteral("DejaVu Sans"));
  Big.setPixelSize(24);
  Big.setBold(true);
  Parent.setFont(Big);  // inherited
  EXPECT_EQ(P.Font().Size(), 18);
  EXPECT_EQ(P.Font().Style(), fsBold);
  EXPECT_GE(Changes, 1);
  P.Font().SetSize(12);
  P.Font().SetStyle(fsItalic);
  EXPECT_EQ(P.font().pixelSize(), 16);
  EXPECT_TRUE(P.font().italic());
  EXPECT_FALSE(P.font().bold());
  QFont Small(QStringLiteral("DejaVu Sans"));
  Small.setPixelSize(8);
  Small.setBold(false);
  P.setFont(Small);
  EXPECT_EQ(P.Font().Size(), 6);
  EXPECT_EQ(P.Font().Style(), 0);
  EXPECT_EQ(P.Font().Color(), clWindowText);  // the colour is Font()'s own
  // A control starts with the application's font, as any QWidget does.
  QFont App = QApplication::font();
  App.setPixelSize(20);
  QApplication::setFont(App);
  TProbe Free;
  EXPECT_EQ(Free.Font().Size(), 15);
  test::PinEnvironment();
}

TEST(HostEdit, FontFollowsQt) {
  host::TCustomEdit E;
  QFont F(QStringLiteral("DejaVu Sans"));
  F.setPixelSize(20);
  E.setFont(F);
  EXPECT_EQ(E.Font().Size(), 15);
  E.Font().SetSize(9);
  EXPECT_EQ(E.font().pixelSize(), 12);
}

TEST(HostControl, ZeroedKeySuppressesItsKeyPress) {
  TProbe P;
  test::ShowAndWait(P);
  P.SetFocus();
  QTest::keyClick(&P, Qt::Key_Delete);
  QTest::keyClick(&P, Qt::Key_Backspace);
  EXPECT_EQ(P.Typed, QStringLiteral("\b"));
}

TEST(HostControl, TabsReachTheControlOnlyWhenWanted) {
  QWidget Form;
  auto* P = new TProbe(&Form);
  auto* Other = new TProbe(&Form);
  Other->move(0, 70);
  test::ShowAndWait(Form);
  P->SetFocus();
  QTest::keyClick(P, Qt::Key_Tab);
  EXPECT_TRUE(P->Keys.empty());
  P->SetFocus();
  P->SetWantTabs(true);
  QTest::keyClick(P, Qt::Key_Tab);
  EXPECT_EQ(P->Keys, (std::vector<std::uint16_t>{VK_TAB}));
  EXPECT_TRUE(P->hasFocus());
}

TEST(HostTimer, TicksRefusalAndExceptionGuard) {
  int Ticks = 0;
  host::TTimerWindow Timer([&] {
    if (++Ticks == 2) throw std::runtime_error("tick failed");
  });
  QString Reported;
  host::Application()->OnException = [&](QObject*, const std::exception& E) {
    Reported = QString::fromUtf8(E.what());
  };
  ASSERT_TRUE(Timer.Start(1));
  EXPECT_EQ(Timer.Interval(), 10);
  QTRY_VERIFY_WITH_TIMEOUT(Ticks >= 3, 2000);
  EXPECT_EQ(Reported, QStringLiteral("tick failed"));
  Timer.Stop();
  EXPECT_FALSE(Timer.Active());
  host::TTimerWindow::SimulateRefusal(true);
  EXPECT_FALSE(Timer.Start(50));
  host::TTimerWindow::SimulateRefusal(false);
  host::Application()->OnException = nullptr;
}

TEST(HostApplication, BeepsAreCountedAndClipboardIsReal) {
  test::BeepCounter Beeps;
  host::MessageBeep();
  host::MessageBeep();
  EXPECT_EQ(Beeps.Count(), 2);
  host::SetClipboardText(QStringLiteral("1.5\t2"));
  EXPECT_EQ(host::ClipboardText(), QStringLiteral("1.5\t2"));
}

TEST(HostColor, SystemColoursClassicAndStyled) {
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
  QWidget W;
  QPalette Dark = W.palette();
  Dark.setColor(QPalette::Button, QColor(30, 30, 30));
  W.setPalette(Dark);
  host::SetStyleServicesEnabled(true);
  EXPECT_EQ(ColorToRGB(clBtnFace, &W), RGB(30, 30, 30));
  host::SetStyleServicesEnabled(false);
  EXPECT_EQ(ColorToRGB(clBtnFace, &W), RGB(240, 240, 240));
}

}  // namespace
}  // namespace qor
