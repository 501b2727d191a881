#include <gtest/gtest.h>

#include <QTest>

#include "displays/qor_rotlab.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

using test::PixelAt;
using test::Picture;

// Bounding box of the pixels of colour Ink inside the frame.
QRect InkBox(const QImage& Img, TColor Ink) {
  QRect Box;
  for (int Y = 3; Y < Img.height() - 3; ++Y)
    for (int X = 3; X < Img.width() - 3; ++X)
      if (PixelAt(Img, X, Y) == Ink) Box |= QRect(X, Y, 1, 1);
  return Box;
}

// An opaque white label with black, unsmoothed text: every text pixel is black.
struct Fixture {
  QWidget Parent;
  TRotLab* L;
  Fixture() {
    Parent.resize(400, 400);
    L = new TRotLab(&Parent);
    L->SetTransparent(false);
    L->SetColor(clWhite);
    L->SetAntiAlias(false);
    L->Font().SetColor(clBlack);
    L->Font().SetName("DejaVu Sans");
    L->SetCaption("Rotated label");
    test::ShowAndWait(Parent);
  }
};

TEST(RotLab, DefaultsAndCentredAnchor) {
  Fixture F;
  EXPECT_EQ(F.L->Width(), 200);
  EXPECT_EQ(F.L->Height(), 200);
  TRotLab Plain;
  EXPECT_EQ(Plain.Font().Name(), "Arial");
  EXPECT_EQ(Plain.Font().Size(), 11);
  EXPECT_TRUE(Plain.Transparent());
  EXPECT_TRUE(Plain.AntiAlias());
  EXPECT_TRUE(Plain.AutoCenter());
  EXPECT_EQ(Plain.Alignment(), taCenter);
  EXPECT_EQ(Plain.FrameStyle(), fsLowered);
  EXPECT_EQ(Plain.Color(), clBtnFace);
  // Shown, the anchor sits in the middle; PosX cannot move it while centring.
  EXPECT_EQ(F.L->PosX(), 100);
  EXPECT_EQ(F.L->PosY(), 100);
  F.L->SetPosX(5);
  EXPECT_EQ(F.L->PosX(), 100);
  F.L->SetAutoCenter(false);
  F.L->SetPosX(5);
  EXPECT_EQ(F.L->PosX(), 5);
}

TEST(RotLab, AnchorAfterResize) {
  Fixture F;
  F.L->SetBounds(0, 0, 300, 100);
  QCoreApplication::processEvents();
  EXPECT_EQ(F.L->PosX(), 150);
  EXPECT_EQ(F.L->PosY(), 50);
  const QRect Box = InkBox(Picture(*F.L), clBlack);
  EXPECT_NEAR(Box.center().x(), 150, 2);
  EXPECT_NEAR(Box.center().y(), 50, 3);
}

TEST(RotLab, TextTurnsAboutTheAnchor) {
  Fixture F;
  const QRect Flat = InkBox(Picture(*F.L), clBlack);
  EXPECT_GT(Flat.width(), 2 * Flat.height());
  EXPECT_NEAR(Flat.center().x(), 100, 2);

  // 90 degrees, centred: upright text centred on the anchor.
  F.L->SetTextAngle(90);
  const QRect Up = InkBox(Picture(*F.L), clBlack);
  EXPECT_GT(Up.height(), 2 * Up.width());
  EXPECT_NEAR(Up.center().x(), 100, 3);
  EXPECT_NEAR(Up.center().y(), 100, 2);
  EXPECT_NEAR(Up.height(), Flat.width(), 2);

  // Left-justified, the text starts at the anchor and reads upward.
  F.L->SetAlignment(taLeftJustify);
  const QRect FromAnchor = InkBox(Picture(*F.L), clBlack);
  EXPECT_NEAR(FromAnchor.bottom(), 100, 2);
  EXPECT_LT(FromAnchor.top(), 100 - Flat.width() + 4);

  // Right-justified at 0 degrees, the text ends at the anchor.
  F.L->SetTextAngle(0);
  F.L->SetAlignment(taRightJustify);
  const QRect ToAnchor = InkBox(Picture(*F.L), clBlack);
  EXPECT_NEAR(ToAnchor.right(), 100, 2);
  // Half a turn: the text hangs upside down to the right of the anchor.
  F.L->SetTextAngle(180);
  const QRect Turned = InkBox(Picture(*F.L), clBlack);
  EXPECT_NEAR(Turned.left(), 100, 2);
}

TEST(RotLab, AntiAliasSmoothsTheEdges) {
  Fixture F;
  F.L->SetTextAngle(45);
  auto Grays = [&] {
    const QImage Img = Picture(*F.L);
    int N = 0;
    for (int Y = 3; Y < 197; ++Y)
      for (int X = 3; X < 197; ++X) {
        const TColor C = PixelAt(Img, X, Y);
        N += C != clWhite && C != clBlack;
      }
    return N;
  };
  EXPECT_EQ(Grays(), 0);
  F.L->SetAntiAlias(true);
  EXPECT_GT(Grays(), 20);
}

TEST(RotLab, DisabledCaptionIsEmbossed) {
  Fixture F;
  F.L->SetColor(clNavy);
  EXPECT_TRUE(InkBox(Picture(*F.L), ColorToRGB(clBtnShadow)).isEmpty());
  F.L->SetEnabled(false);
  const QImage Img = Picture(*F.L);
  const QRect Highlight = InkBox(Img, ColorToRGB(clBtnHighlight));
  const QRect Shadow = InkBox(Img, ColorToRGB(clBtnShadow));
  ASSERT_FALSE(Shadow.isEmpty());
  EXPECT_TRUE(InkBox(Img, clBlack).isEmpty());
  // The highlight pass lies one pixel right of and below the shadow on top.
  EXPECT_EQ(Highlight.bottomRight(), Shadow.bottomRight() + QPoint(1, 1));
}

TEST(RotLab, FrameTransparencyAndColour) {
  QWidget Parent;
  Parent.resize(300, 300);
  Parent.setAutoFillBackground(true);
  QPalette Pal = Parent.palette();
  Pal.setColor(QPalette::Window, QColor(0, 128, 0));
  Parent.setPalette(Pal);
  auto* L = new TRotLab(&Parent);
  L->SetCaption("x");
  test::ShowAndWait(Parent);
  QImage Img = Picture(*L);
  EXPECT_EQ(PixelAt(Img, 0, 0), clGray);
  EXPECT_EQ(PixelAt(Img, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(Img, 199, 199), clWhite);
  EXPECT_EQ(PixelAt(Img, 30, 30), clGreen);  // the parent shows through
  L->SetTransparent(false);
  Img = Picture(*L);
  EXPECT_EQ(PixelAt(Img, 30, 30), ColorToRGB(clBtnFace));
  L->SetColor(clYellow);
  EXPECT_EQ(PixelAt(Picture(*L), 30, 30), clYellow);
  L->SetFrameStyle(fsNone);
  EXPECT_EQ(PixelAt(Picture(*L), 0, 0), clYellow);
}

TEST(RotLab, AssignCopiesAngleAnchorAndLook) {
  TRotLab A, B;
  A.SetAutoCenter(false);
  A.SetPosX(33);
  A.SetPosY(44);
  A.SetTextAngle(300);
  A.SetAntiAlias(false);
  A.SetFrameStyle(fsRaised);
  A.SetCaption("not copied");
  B.Assign(A);
  EXPECT_FALSE(B.AutoCenter());
  EXPECT_EQ(B.PosX(), 33);
  EXPECT_EQ(B.PosY(), 44);
  EXPECT_EQ(B.TextAngle(), 300);
  EXPECT_FALSE(B.AntiAlias());
  EXPECT_EQ(B.FrameStyle(), fsRaised);
  EXPECT_EQ(B.Caption(), "");
  TRotLab C;
  A.AssignTo(C);
  EXPECT_EQ(C.TextAngle(), 300);
}

}  // namespace
}  // namespace qor
