#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "buttons/qor_onoffbut.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;

constexpr QRgb Key = 0xEBBEEB;
const char* const Strips[] = {nullptr, "CHECKBOX", "RADIOBUT", "SLIDETOPBOT", "SLIDELFTRGT",
                              "COLSLIDETB", "COLSLIDELR", "LEDREDGREEN", "ARROWTR", "ARROWUD",
                              "ARROWLR", "TRAFFICLGT", "BEVELEDLED", "SMILEYS", "SMILEYRG", "BULB",
                              "BUTLAMP", "HDLEFT", "HDRIGHT", "USER1", "USER2", "USER3", "USER4",
                              "USER5"};
// Documented bitmap sizes of the strips, by style.
const QSize StripSizes[] = {{}, {32, 32}, {28, 28}, {36, 60}, {60, 36}, {36, 60}, {60, 36},
                            {28, 28}, {50, 50}, {50, 50}, {50, 50}, {62, 62}, {34, 34}, {36, 36},
                            {36, 36}, {78, 98}, {98, 48}, {96, 32}, {96, 32}, {48, 48}, {48, 48},
                            {48, 48}, {48, 48}, {48, 48}};

// A cell of a strip as the button shows it on Background.
QImage ExpectedCell(const QImage& Strip, bool On, bool Enabled, QRgb Background) {
  const int W = Strip.width() / 2, H = Strip.height() / 2;
  QImage Cell = Strip.copy(On ? 0 : W, Enabled ? 0 : H, W, H).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if ((Cell.pixel(x, y) & 0xFFFFFF) == Key) Cell.setPixel(x, y, Background);
  return Cell;
}

// Glyph pixels that differ from Expected, with the glyph at (X0, Y0).
int Mismatches(const QImage& Picture, int X0, int Y0, const QImage& Expected) {
  int Bad = 0;
  for (int y = 0; y < Expected.height(); ++y)
    for (int x = 0; x < Expected.width(); ++x)
      if ((Picture.pixel(X0 + x, Y0 + y) & 0xFFFFFF) != (Expected.pixel(x, y) & 0xFFFFFF)) ++Bad;
  return Bad;
}

struct Form {
  QWidget Parent;
  Form() { Parent.resize(400, 300); }
};

TEST(OnOffButLayout, DefaultStyleCentresOnFirstResize) {
  Form F;
  TOnOffBut B(&F.Parent);
  EXPECT_EQ(B.ButtonStyle(), oobsColSlideLR);
  EXPECT_EQ(B.GlyphWidth(), 30);
  EXPECT_EQ(B.GlyphHeight(), 18);
  EXPECT_TRUE(B.OnOff());
  test::ShowAndWait(F.Parent);
  EXPECT_EQ(B.Width(), 100);
  EXPECT_EQ(B.Height(), 50);
  EXPECT_EQ(B.LeftSpace(), 35);
  EXPECT_EQ(B.TopSpace(), 16);
  B.resize(120, 60);
  EXPECT_EQ(B.LeftSpace(), 45);
  EXPECT_EQ(B.TopSpace(), 21);
}

TEST(OnOffButLayout, UserResizeHandlerKeepsCentring) {
  Form F;
  TOnOffBut B(&F.Parent);
  int Resizes = 0;
  B.OnResize = [&](TObject*) { ++Resizes; };
  test::ShowAndWait(F.Parent);
  B.resize(200, 100);
  EXPECT_GE(Resizes, 1);
  EXPECT_EQ(B.LeftSpace(), 85);
  EXPECT_EQ(B.TopSpace(), 41);
}

TEST(OnOffButLayout, SpacesIgnoreNegativesAndFollowAutoCenter) {
  Form F;
  TOnOffBut B(&F.Parent);
  test::ShowAndWait(F.Parent);
  B.SetLeftSpace(-5);
  EXPECT_EQ(B.LeftSpace(), 35);
  B.SetLeftSpace(3);  // AutoCenter: re-centres instead of storing
  EXPECT_EQ(B.LeftSpace(), 35);
  B.SetAutoCenter(false);
  B.SetLeftSpace(3);
  EXPECT_EQ(B.LeftSpace(), 3);
  B.SetLeftSpace(500);
  EXPECT_EQ(B.LeftSpace(), 100);
  B.SetTopSpace(70);
  EXPECT_EQ(B.TopSpace(), 50);
  B.SetTopSpace(-1);
  EXPECT_EQ(B.TopSpace(), 50);
  B.SetAutoCenter(true);
  EXPECT_EQ(B.LeftSpace(), 35);
  EXPECT_EQ(B.TopSpace(), 16);
}

TEST(OnOffButGlyphs, EveryStripHasTheDocumentedSizesAtOneAndTwoTimes) {
  for (int S = 1; S <= oobsUser5; ++S) {
    const QImage One(QStringLiteral(":/qorkit/%1.png").arg(Strips[S]));
    const QImage Two(QStringLiteral(":/qorkit/%1@2x.png").arg(Strips[S]));
    EXPECT_EQ(One.size(), StripSizes[S]) << Strips[S];
    EXPECT_EQ(Two.size(), StripSizes[S] * 2) << Strips[S];
    TOnOffBut B;
    B.SetButtonStyle(TOnOffButStyle(S));
    EXPECT_EQ(B.GlyphWidth(), StripSizes[S].width() / 2) << Strips[S];
    EXPECT_EQ(B.GlyphHeight(), StripSizes[S].height() / 2) << Strips[S];
  }
}

// Every style's four cells appear pixel for pixel at (LeftSpace + 1, TopSpace + 1),
// with key pixels in the background colour.
TEST(OnOffButGlyphs, FourCellsOfEveryStyleAtTheGlyphPosition) {
  Form F;
  TOnOffBut B(&F.Parent);
  B.resize(140, 100);
  B.SetFrameStyle(fsNone);
  B.SetColorBackgnd(0x336699);
  test::ShowAndWait(F.Parent);
  const QRgb Back = qRgb(0x99, 0x66, 0x33);
  for (int S = 1; S <= oobsUser5; ++S) {
    B.SetButtonStyle(TOnOffButStyle(S));
    const QImage Strip(QStringLiteral(":/qorkit/%1.png").arg(Strips[S]));
    for (bool Enabled : {true, false}) {
      B.SetEnabled(Enabled);
      for (bool On : {true, false}) {
        B.SetOnOff(On);
        const QImage P = test::Picture(B);
        EXPECT_EQ(Mismatches(P, B.LeftSpace() + 1, B.TopSpace() + 1, ExpectedCell(Strip, On, Enabled, Back)), 0)
            << Strips[S] << " on " << On << " enabled " << Enabled;
      }
    }
  }
  // The column left of the glyph is background.
  EXPECT_EQ(PixelAt(test::Picture(B), B.LeftSpace(), B.TopSpace() + 5), TColor(0x336699));
}

TEST(OnOffButGlyphs, HiResStripAtDevicePixelRatioTwo) {
  Form F;
  TOnOffBut B(&F.Parent);
  B.SetButtonStyle(oobsSmileyYellow);
  test::ShowAndWait(F.Parent);
  QImage Screen(B.width() * 2, B.height() * 2, QImage::Format_RGB32);
  Screen.setDevicePixelRatio(2);
  B.render(&Screen);
  const QImage Strip(QStringLiteral(":/qorkit/SMILEYS@2x.png"));
  const QRgb Back = ToQColor(clBtnFace).rgb();
  const QImage Expected = ExpectedCell(Strip, true, true, Back);
  EXPECT_EQ(Mismatches(Screen, 2 * (B.LeftSpace() + 1), 2 * (B.TopSpace() + 1), Expected), 0);
  // At ratio 1 the plain strip is used.
  const QImage Plain(QStringLiteral(":/qorkit/SMILEYS.png"));
  EXPECT_EQ(Mismatches(test::Grab(B), B.LeftSpace() + 1, B.TopSpace() + 1,
                       ExpectedCell(Plain, true, true, Back)), 0);
}

TEST(OnOffButGlyphs, UserGlyphsDefaultAndSupplied) {
  TOnOffBut B;
  B.SetButtonStyle(oobsUser);
  EXPECT_EQ(B.GlyphWidth(), 20);
  EXPECT_EQ(B.GlyphHeight(), 20);
  host::TBitmap Strip(8, 6);
  Strip.Canvas().Pen().SetColor(clRed);
  Strip.Canvas().Brush().SetColor(clRed);
  Strip.Canvas().Rectangle(0, 0, 4, 3);  // on/enabled cell red
  B.SetUserGlyph(Strip);
  EXPECT_EQ(B.GlyphWidth(), 4);
  EXPECT_EQ(B.GlyphHeight(), 3);
  B.SetAutoCenter(false);
  B.SetLeftSpace(10);
  B.SetTopSpace(10);
  B.SetFrameStyle(fsNone);
  const QImage P = test::Picture(B);
  EXPECT_EQ(PixelAt(P, 11, 11), clRed);
  EXPECT_EQ(PixelAt(P, 14, 13), clRed);
  EXPECT_NE(PixelAt(P, 15, 13), clRed);
  // An unreadable file or a too small picture changes nothing.
  EXPECT_THROW(B.LoadUserGlyph(QStringLiteral("/nonexistent/strip.png")), host::EInvalidGraphic);
  EXPECT_THROW(B.SetUserGlyph(host::TBitmap(1, 9)), host::EInvalidGraphic);
  EXPECT_EQ(B.GlyphWidth(), 4);
  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("strip.png"));
  ASSERT_TRUE(QImage(QStringLiteral(":/qorkit/USER3.png")).save(File));
  B.LoadUserGlyph(File);
  EXPECT_EQ(B.GlyphWidth(), 24);
}

TEST(OnOffButInput, FocusedActionCountsOnlyStrictlyInsideTheGlyph) {
  Form F;
  TOnOffBut B(&F.Parent);
  test::ShowAndWait(F.Parent);
  int Clicks = 0;
  B.OnClick = [&](TObject*) { ++Clicks; };
  const int LS = B.LeftSpace(), TS = B.TopSpace();
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS, TS + 5));
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 30, TS + 5));
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 5, TS));
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 5, TS + 18));
  QTest::mouseClick(&B, Qt::RightButton, {}, QPoint(LS + 5, TS + 5));
  EXPECT_TRUE(B.OnOff());
  EXPECT_EQ(Clicks, 0);
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 1, TS + 1));
  EXPECT_FALSE(B.OnOff());
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 29, TS + 17));
  EXPECT_TRUE(B.OnOff());
  EXPECT_EQ(Clicks, 2);
  // Plain: anywhere; None: never.
  B.SetMouseAction(oomaPlain);
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(B.OnOff());
  B.SetMouseAction(oomaNone);
  QTest::mouseClick(&B, Qt::LeftButton, {}, QPoint(LS + 5, TS + 5));
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(Clicks, 3);
  EXPECT_EQ(B.focusPolicy(), Qt::NoFocus);
}

TEST(OnOffButInput, SpeedModeIsOnOnlyWhileHeld) {
  Form F;
  TOnOffBut B(&F.Parent);
  test::ShowAndWait(F.Parent);
  QSignalSpy Toggles(&B, &TOnOffBut::toggled);
  B.SetMode(oobmSpeedBut);
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(Toggles.count(), 1);
  int Clicks = 0;
  B.OnClick = [&](TObject*) { ++Clicks; };
  const QPoint Glyph(B.LeftSpace() + 10, B.TopSpace() + 8);
  QTest::mousePress(&B, Qt::LeftButton, {}, Glyph);
  EXPECT_TRUE(B.OnOff());
  QTest::mouseRelease(&B, Qt::LeftButton, {}, Glyph);
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Toggles.count(), 3);
}

// Regression: a speed button released off its glyph stayed on.
TEST(OnOffButInput, SpeedButtonReleasedOffTheGlyphComesUpWithoutClick) {
  Form F;
  TOnOffBut B(&F.Parent);
  B.SetMode(oobmSpeedBut);
  test::ShowAndWait(F.Parent);
  int Clicks = 0;
  B.OnClick = [&](TObject*) { ++Clicks; };
  QTest::mousePress(&B, Qt::LeftButton, {}, QPoint(B.LeftSpace() + 10, B.TopSpace() + 8));
  EXPECT_TRUE(B.OnOff());
  QTest::mouseRelease(&B, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(Clicks, 0);
}

TEST(OnOffButInput, SpaceTogglesTheFocusedButtonAndTabMovesOn) {
  Form F;
  TOnOffBut A(&F.Parent), B(&F.Parent);
  B.move(0, 60);
  test::ShowAndWait(F.Parent);
  A.setFocus();
  ASSERT_TRUE(A.hasFocus());
  int Clicks = 0;
  A.OnClick = [&](TObject*) { ++Clicks; };
  QTest::keyClick(&A, Qt::Key_Space);
  EXPECT_FALSE(A.OnOff());
  EXPECT_EQ(Clicks, 1);
  // A dotted focus rectangle one pixel outside the glyph.
  const QImage P = test::Picture(A);
  EXPECT_EQ(PixelAt(P, A.LeftSpace(), A.TopSpace()), clBlack);
  QTest::keyClick(&A, Qt::Key_Tab);
  EXPECT_TRUE(B.hasFocus());
  QTest::keyClick(&B, Qt::Key_Space);
  EXPECT_FALSE(B.OnOff());
  EXPECT_FALSE(A.OnOff());
}

TEST(OnOffButGroup, SwitchingInsideAGroupWithoutAllOff) {
  Form F;
  TOnOffBut A(&F.Parent), B(&F.Parent), Other(&F.Parent);
  B.move(0, 60);
  Other.move(0, 120);
  A.SetGroupIndex(1);
  B.SetOnOff(false);
  B.SetGroupIndex(1);
  B.SetAllowAllOff(false);  // announced: the whole group takes it
  EXPECT_FALSE(A.AllowAllOff());
  test::ShowAndWait(F.Parent);
  QSignalSpy AToggles(&A, &TOnOffBut::toggled);
  const QPoint Glyph(B.LeftSpace() + 10, B.TopSpace() + 8);
  QTest::mouseClick(&B, Qt::LeftButton, {}, Glyph);
  EXPECT_TRUE(B.OnOff());
  EXPECT_FALSE(A.OnOff());
  EXPECT_EQ(AToggles.count(), 1);
  // The last one on stays on: by mouse and by code.
  QTest::mouseClick(&B, Qt::LeftButton, {}, Glyph);
  EXPECT_TRUE(B.OnOff());
  B.SetOnOff(false);
  EXPECT_TRUE(B.OnOff());
  // A button outside the group is untouched; one in it switches B off.
  EXPECT_TRUE(Other.OnOff());
  A.SetOnOff(true);
  EXPECT_FALSE(B.OnOff());
  EXPECT_TRUE(Other.OnOff());
}

TEST(OnOffButGroup, AllowAllOffLetsTheLastOneGoAndNegativeGroupsListenToNobody) {
  Form F;
  TOnOffBut A(&F.Parent), B(&F.Parent), C(&F.Parent);
  A.SetGroupIndex(2);
  B.SetGroupIndex(2);  // B on announces: A switches off
  EXPECT_FALSE(A.OnOff());
  B.SetOnOff(false);
  EXPECT_FALSE(B.OnOff());
  C.SetGroupIndex(-3);
  TOnOffBut D(&F.Parent);
  D.SetGroupIndex(-3);  // announces, but C ignores negative groups
  EXPECT_TRUE(C.OnOff());
  EXPECT_TRUE(D.OnOff());
}

TEST(OnOffButPaint, CaptionsAroundTheGlyphAndEngravedWhenDisabled) {
  Form F;
  TOnOffBut B(&F.Parent);
  B.resize(200, 80);
  B.Font().SetAntialiased(false);  // exact text colours
  B.SetColorText(clRed);
  B.SetLeftText(QStringLiteral("Pump"));
  B.SetRightTextAlignment(taRightJustify);
  B.SetRightText(QStringLiteral("On"));
  test::ShowAndWait(F.Parent);
  const auto CountColor = [](const QImage& P, const QRect& R, TColor C) {
    int N = 0;
    for (int y = R.top(); y <= R.bottom(); ++y)
      for (int x = R.left(); x <= R.right(); ++x) N += PixelAt(P, x, y) == C;
    return N;
  };
  QImage P = test::Picture(B);
  // Left text ends 3 pixels before LeftSpace; the right text 4 before the edge.
  const QRect LeftArea(4, B.TopSpace(), B.LeftSpace() - 4, B.GlyphHeight());
  const QRect RightArea(B.LeftSpace() + B.GlyphWidth() + 2, B.TopSpace(), 200 - B.LeftSpace() - B.GlyphWidth() - 2, B.GlyphHeight());
  EXPECT_GT(CountColor(P, LeftArea, clRed), 10);
  EXPECT_GT(CountColor(P, RightArea, clRed), 5);
  EXPECT_EQ(CountColor(P, QRect(B.LeftSpace() - 2, 0, 2, 80), clRed), 0);
  EXPECT_EQ(CountColor(P, QRect(196, 0, 4, 80), clRed), 0);
  B.SetEnabled(false);
  P = test::Picture(B);
  EXPECT_EQ(CountColor(P, LeftArea, clRed), 0);
  EXPECT_GT(CountColor(P, LeftArea, clGray), 10);
  EXPECT_GT(CountColor(P, LeftArea, clWhite), 3);
}

TEST(OnOffButPaint, FrameAndTransparentBackground) {
  Form F;
  F.Parent.setAutoFillBackground(true);
  QPalette Pal = F.Parent.palette();
  Pal.setColor(QPalette::Window, QColor(0, 128, 0));
  F.Parent.setPalette(Pal);
  TOnOffBut B(&F.Parent);
  B.SetButtonStyle(oobsLedRedGreen);
  test::ShowAndWait(F.Parent);
  QImage P = test::Picture(B);
  // Sunken frame: gray top-left outer line, white bottom-right.
  EXPECT_EQ(PixelAt(P, 10, 0), clGray);
  EXPECT_EQ(PixelAt(P, 10, 49), clWhite);
  EXPECT_EQ(PixelAt(P, 10, 10), ColorToRGB(clBtnFace));
  B.SetTransparent(true);
  B.SetFrameStyle(fsNone);
  P = test::Grab(B);
  EXPECT_EQ(PixelAt(P, 10, 10), clGreen);
  // Key pixels of the glyph show the parent; drawn pixels stay.
  const QImage Cell = QImage(QStringLiteral(":/qorkit/LEDREDGREEN.png")).copy(0, 0, 14, 14);
  const int X0 = B.LeftSpace() + 1, Y0 = B.TopSpace() + 1;
  EXPECT_EQ(Cell.pixel(0, 0) & 0xFFFFFF, Key);
  EXPECT_EQ(PixelAt(P, X0, Y0), clGreen);
  EXPECT_EQ(P.pixel(X0 + 7, Y0 + 7) & 0xFFFFFF, Cell.pixel(7, 7) & 0xFFFFFF);
}

TEST(OnOffButAssign, CopiesLookAndStateButKeepsOwnBitmaps) {
  TOnOffBut A, B;
  A.SetButtonStyle(oobsBulb);
  A.SetOnOff(false);
  A.SetTopText(QStringLiteral("Light"));
  A.SetMouseAction(oomaPlain);
  A.SetColorBackgnd(clYellow);
  B.Assign(A);
  EXPECT_EQ(B.ButtonStyle(), oobsBulb);
  EXPECT_EQ(B.GlyphWidth(), 39);
  EXPECT_FALSE(B.OnOff());
  EXPECT_EQ(B.TopText(), "Light");
  EXPECT_EQ(B.MouseAction(), oomaPlain);
  EXPECT_EQ(B.ColorBackgnd(), clYellow);
  EXPECT_THROW(A.SetButtonStyle(TOnOffButStyle(24)), EQORError);
}

}  // namespace
}  // namespace qor
