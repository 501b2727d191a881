// Every component under a dark palette and at device pixel ratio 2: no classic
// light face glares from a dark window, every text stands out from what it is
// drawn on at least as much as the palette's own text does, one-pixel lines
// stay one logical pixel wide, and texts use the device pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QRegion>
#include <QTest>
#include <memory>
#include <vector>

#include "host/qor_color.h"
#include "replist/qor_replist.h"
#include "tests/components/component_registry.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

// Text is a light grey, not white, so that glyph cores are told from a face
// left white.
QPalette DarkPalette() {
  QPalette P = QApplication::palette();
  const auto Set = [&P](QPalette::ColorRole Role, int V) { P.setColor(Role, QColor(V, V, V + 3)); };
  Set(QPalette::Window, 45);
  Set(QPalette::WindowText, 215);
  Set(QPalette::Base, 30);
  Set(QPalette::AlternateBase, 38);
  Set(QPalette::Text, 215);
  Set(QPalette::Button, 60);
  Set(QPalette::ButtonText, 215);
  Set(QPalette::Light, 90);
  Set(QPalette::Midlight, 75);
  Set(QPalette::Mid, 70);
  Set(QPalette::Dark, 25);
  Set(QPalette::Shadow, 10);
  P.setColor(QPalette::Highlight, QColor(40, 90, 160));
  P.setColor(QPalette::HighlightedText, QColor(235, 235, 235));
  return P;
}

// The style mode with the dark palette for one scope.
class DarkScope {
 public:
  DarkScope() : FSaved(QApplication::palette()) {
    host::SetStyleServicesEnabled(true);
    QApplication::setPalette(DarkPalette());
  }
  ~DarkScope() {
    host::SetStyleServicesEnabled(false);
    QApplication::setPalette(FSaved);
  }

 private:
  QPalette FSaved;
};

struct TTextCell {
  QRect Device;
  QString Text;
};

// The texts drawn at the size of one picture while the scope lives.
class TextCells {
 public:
  explicit TextCells(QSize DeviceSize) {
    host::SetTextObserver([this, DeviceSize](const QImage& Target, const QRect& Cell,
                                             const QString& Text) {
      if (Target.size() == DeviceSize) FCells.push_back({Cell, Text});
    });
  }
  ~TextCells() { host::SetTextObserver(nullptr); }
  const std::vector<TTextCell>& Cells() const { return FCells; }

 private:
  std::vector<TTextCell> FCells;
};

TColor At(const QImage& Img, int X, int Y) { return PixelAt(Img, X, Y); }

// The most common colour of a region: what the text stands on.
TColor Background(const QImage& Img, const QRect& R) {
  std::map<TColor, int> Count;
  for (int Y = R.top(); Y <= R.bottom(); ++Y)
    for (int X = R.left(); X <= R.right(); ++X) ++Count[At(Img, X, Y)];
  return std::max_element(Count.begin(), Count.end(),
                          [](const auto& A, const auto& B) { return A.second < B.second; })
      ->first;
}

double InkContrast(const QImage& Img, const QRect& R) {
  const TColor Back = Background(Img, R);
  double Best = 1;
  for (int Y = R.top(); Y <= R.bottom(); ++Y)
    for (int X = R.left(); X <= R.right(); ++X)
      Best = std::max(Best, host::ContrastRatio(At(Img, X, Y), Back));
  return Best;
}

// A classic light face: a neutral grey at or above 0xE0 (white, button face).
bool LightFace(TColor C) {
  const int R = GetRValue(C), G = GetGValue(C), B = GetBValue(C);
  return std::min({R, G, B}) >= 0xE0 && std::max({R, G, B}) - std::min({R, G, B}) <= 16;
}

bool LightBlock(const QImage& Img, int X, int Y) {
  if (X + 4 > Img.width() || Y + 4 > Img.height()) return false;
  for (int Dy = 0; Dy < 4; ++Dy)
    for (int Dx = 0; Dx < 4; ++Dx)
      if (!LightFace(At(Img, X + Dx, Y + Dy))) return false;
  return true;
}

host::TControl* AsControl(QWidget* W) { return qobject_cast<host::TControl*>(W); }

class PaletteAndRatio : public ::testing::TestWithParam<TComponentEntry> {};

TEST_P(PaletteAndRatio, DarkPaletteHasNoLightFaceAndEveryTextReadable) {
  const TComponentEntry& Entry = GetParam();
  DarkScope Dark;
  std::unique_ptr<QWidget> W(Entry.Create());
  ShowAndWait(*W);
  std::unique_ptr<TextCells> Texts;
  if (host::TControl* C = AsControl(W.get())) {
    Texts = std::make_unique<TextCells>(C->ScreenImage().size());
    C->Refresh();
  }
  const QImage Img = Entry.Picture(*W);
  // Light ink and the highlights of artwork are fine; a light face (a 4 x 4
  // block at least) is not.
  QRegion Ink;
  if (Texts)
    for (const TTextCell& T : Texts->Cells()) Ink += T.Device;
  int Glaring = 0;
  QPoint First;
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X)
      if (LightBlock(Img, X, Y) && !Ink.contains(QPoint(X, Y)) && Glaring++ == 0) First = {X, Y};
  EXPECT_EQ(Glaring, 0) << "first light pixel at " << First.x() << "," << First.y();
  if (!Texts) return;
  const double Needed = host::ContrastRatio(host::FromQColor(DarkPalette().color(QPalette::WindowText)),
                                            host::FromQColor(DarkPalette().color(QPalette::Window)));
  // Antialiasing takes a little off the thinnest glyphs' cores.
  for (const TTextCell& T : Texts->Cells())
    EXPECT_GE(InkContrast(Img, T.Device), Needed * 0.85)
        << '"' << T.Text.toStdString() << "\" at " << T.Device.x() << "," << T.Device.y();
}

TEST_P(PaletteAndRatio, AtRatioTwoLinesStayLogicalAndTextsUseDevicePixels) {
  const TComponentEntry& Entry = GetParam();
  std::unique_ptr<QWidget> W(Entry.Create());
  ShowAndWait(*W);
  host::TControl* C = AsControl(W.get());
  if (!C) GTEST_SKIP() << "drawn by Qt's own widgets";
  // What the control shows, its border and child widgets included.
  QImage One(W->size(), QImage::Format_RGB32);
  W->render(&One);
  QImage Two(W->size() * 2, QImage::Format_RGB32);
  Two.setDevicePixelRatio(2);
  std::vector<TTextCell> Cells;
  {
    TextCells Texts(W->size() * 2);
    W->render(&Two);
    Cells = Texts.Cells();
  }
  EXPECT_EQ(C->PaintRatio(), 2);
  // The left edge (a frame line on every framed component): logical column 0
  // covers device columns 0 and 1, column 1 starts at device column 2.
  // Rows that a child widget (a scroll bar) covers are Qt's own drawing.
  for (int Y = One.height() / 3; Y < 2 * One.height() / 3; ++Y) {
    if (W->childAt(QPoint(1, Y))) continue;
    ASSERT_EQ(At(Two, 0, 2 * Y), At(One, 0, Y)) << "row " << Y;
    ASSERT_EQ(At(Two, 1, 2 * Y + 1), At(One, 0, Y)) << "row " << Y;
    ASSERT_EQ(At(Two, 2, 2 * Y), At(One, 1, Y)) << "row " << Y;
  }
  // A text scaled up from 1x would be made of uniform 2 x 2 blocks.
  for (const TTextCell& T : Cells) {
    bool Fine = false;
    for (int Y = T.Device.top() & ~1; Y + 1 <= T.Device.bottom() && !Fine; Y += 2)
      for (int X = T.Device.left() & ~1; X + 1 <= T.Device.right() && !Fine; X += 2) {
        const TColor P = At(Two, X, Y);
        Fine = At(Two, X + 1, Y) != P || At(Two, X, Y + 1) != P || At(Two, X + 1, Y + 1) != P;
      }
    EXPECT_TRUE(Fine) << '"' << T.Text.toStdString() << "\" is a 1x text blown up";
  }
  // Back on a 1x device the picture is the 1x picture again.
  QImage Back(W->size(), QImage::Format_RGB32);
  W->render(&Back);
  EXPECT_EQ(DiffText(Back, One), "");
}

INSTANTIATE_TEST_SUITE_P(All, PaletteAndRatio, ::testing::ValuesIn(Components()),
                         [](const auto& Info) { return Info.param.Name.toStdString(); });

// A scroll of the report list shifts the kept image in device pixels: the
// picture after scrolling down and sideways at ratio 2 equals a fresh one of
// the same cells.
TEST(PaletteAndRatioScroll, ReportListScrollAtRatioTwoMatchesAFullPaint) {
  const auto Make = [] {
    auto* V = new TReportListView;
    V->SetNrOfColumns(6);
    V->SetNrOfRows(60);
    for (int R = 1; R <= 60; ++R)
      for (int C = 1; C <= 6; ++C) V->SetElem(C, R, QStringLiteral("row %1 %2").arg(R).arg(C));
    V->resize(200, 160);
    return std::unique_ptr<TReportListView>(V);
  };
  const auto RenderTwo = [](QWidget& W) {
    QImage Img(W.size() * 2, QImage::Format_RGB32);
    Img.setDevicePixelRatio(2);
    W.render(&Img);
    return Img;
  };
  auto Scrolled = Make();
  ShowAndWait(*Scrolled);
  RenderTwo(*Scrolled);
  Scrolled->setFocus();
  for (int i = 0; i < 12; ++i) QTest::keyClick(Scrolled.get(), Qt::Key_Down);
  ASSERT_GT(Scrolled->TopRow(), 1);
  RenderTwo(*Scrolled);
  Scrolled->SetLeftCol(3);  // and sideways
  ASSERT_EQ(Scrolled->LeftCol(), 3);
  auto Fresh = Make();
  ShowAndWait(*Fresh);
  RenderTwo(*Fresh);
  Fresh->setFocus();
  for (int i = 0; i < 12; ++i) QTest::keyClick(Fresh.get(), Qt::Key_Down);
  Fresh->SetLeftCol(3);
  Fresh->Invalidate();
  EXPECT_EQ(DiffText(RenderTwo(*Scrolled), RenderTwo(*Fresh)), "");
}

}  // namespace
}  // namespace qor::test
