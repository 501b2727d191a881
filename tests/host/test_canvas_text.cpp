// TCanvas::TextRect against the plain clipped QPainter::drawText it stands
// for: the kept glyph runs and the unclipped drawing of texts that fit must
// give the same pixels, on first and on repeated drawing, in every font.
#include <gtest/gtest.h>

#include <QPainter>

#include "host/qor_host.h"
#include "tests/support/qorkit_test_support.h"

namespace qor {
namespace {

constexpr int W = 320, H = 200;

struct TCall {
  TRect Box;
  int X, Y;
  QString Text;
};

// The drawing TextRect stands for: the box filled, the text clipped to it.
void Reference(QImage& Image, const TFont& Font, TColor Back, const TCall& Call,
               const QRect& CanvasClip = {}) {
  QPainter P(&Image);
  if (!CanvasClip.isNull()) P.setClipRect(CanvasClip);
  const QRect Box(Call.Box.Left, Call.Box.Top, Call.Box.Width(), Call.Box.Height());
  P.setClipRect(Box, CanvasClip.isNull() ? Qt::ReplaceClip : Qt::IntersectClip);
  P.fillRect(Box, ToQColor(Back));
  P.setFont(Font.ToQFont());
  P.setPen(ToQColor(Font.Color()));
  P.drawText(QPoint(Call.X, Call.Y + Font.Metrics().ascent()), Call.Text);
}

// Texts that fit their box, texts cut at each edge, texts the cache keeps and
// texts it leaves to drawText (other scripts, controls).
std::vector<TCall> Calls() {
  std::vector<TCall> C;
  const QStringList Texts = {QStringLiteral("1234.567"), QStringLiteral("-nan-"),
                             QStringLiteral("Item 42"), QStringLiteral("AVAWAy Te To"),
                             QStringLiteral("Ölfeld Çağrı ħ"), QStringLiteral("  1.2346E+05"),
                             QStringLiteral("\u05E9\u05DC\u05D5\u05DD abc"),
                             QStringLiteral("\u03A9\u03BC\u03AD\u03B3\u03B1"), QStringLiteral("a\tb"),
                             QStringLiteral("e\u0301t\u00E9"), QStringLiteral("   ")};
  int Y = 2;
  for (const QString& T : Texts) {
    C.push_back({Rect(4, Y, 140, Y + 16), 6, Y + 1, T});          // fits
    C.push_back({Rect(150, Y, 190, Y + 16), 152, Y + 1, T});      // cut on the right
    C.push_back({Rect(200, Y, 260, Y + 16), 190, Y + 1, T});      // cut on the left
    C.push_back({Rect(270, Y + 3, 318, Y + 10), 271, Y, T});      // cut at top and bottom
    Y += 17;
  }
  return C;
}

std::vector<TFont> Fonts() {
  std::vector<TFont> F(6);
  F[1].SetStyle(fsBold);
  F[2].SetStyle(fsItalic);
  F[3].SetSize(14);
  F[4].SetStyle(fsUnderline);
  F[5].SetAntialiased(false);
  for (std::size_t I = 0; I < F.size(); ++I) F[I].SetColor(I % 2 ? clNavy : clBlack);
  return F;
}

TEST(HostCanvasText, TextRectMatchesClippedDrawTextInEveryFontFirstAndAgain) {
  QImage Got(W, H, QImage::Format_RGB32), Want(W, H, QImage::Format_RGB32);
  TCanvas C(&Got);
  for (const TFont& Font : Fonts()) {
    // Twice: the second pass draws from the kept glyphs; the fonts change in
    // between, so a text kept for another font would show.
    for (int Pass = 0; Pass < 2; ++Pass) {
      Got.fill(Qt::white);
      Want.fill(Qt::white);
      C.Font().Assign(Font);
      C.Brush().SetColor(clYellow);
      for (const TCall& Call : Calls()) {
        C.TextRect(Call.Box, Call.X, Call.Y, Call.Text);
        Reference(Want, Font, clYellow, Call);
      }
      C.Flush();
      EXPECT_EQ(test::DiffText(Got, Want), "") << "font " << Font.Size() << " style "
                                               << int(Font.Style()) << " pass " << Pass;
    }
  }
}

TEST(HostCanvasText, TextRectStaysInsideTheCanvasClipAndLeavesAClearBrushBackground) {
  QImage Got(W, H, QImage::Format_RGB32), Want(W, H, QImage::Format_RGB32);
  Got.fill(Qt::green);
  Want.fill(Qt::green);
  TCanvas C(&Got);
  const QRect Clip(0, 0, 60, 100);
  C.SetClipRect(Rect(0, 0, 60, 100));
  C.Brush().SetColor(clWhite);
  for (int Pass = 0; Pass < 2; ++Pass)
    for (const TCall& Call : Calls()) C.TextRect(Call.Box, Call.X, Call.Y, Call.Text);
  for (const TCall& Call : Calls()) Reference(Want, C.Font(), clWhite, Call, Clip);
  // The canvas clip is back after texts that overflowed their boxes.
  C.Brush().SetColor(clRed);
  C.FillRect(Rect(0, 95, W, H));
  QPainter(&Want).fillRect(QRect(0, 95, W, H) & Clip, Qt::red);
  C.Flush();
  EXPECT_EQ(test::DiffText(Got, Want), "");

  // A clear brush keeps what lies under the text.
  C.ClearClipRect();
  Got.fill(Qt::green);
  C.Brush().SetStyle(host::bsClear);
  C.TextRect(Rect(10, 10, 200, 30), 12, 11, QStringLiteral("Item 42"));
  C.Flush();
  EXPECT_EQ(test::PixelAt(Got, 11, 12), TColor(0x00FF00));
  EXPECT_EQ(test::PixelAt(Got, 199, 29), TColor(0x00FF00));
  int Ink = 0;
  for (int Y = 10; Y < 30; ++Y)
    for (int X = 10; X < 200; ++X) Ink += test::PixelAt(Got, X, Y) != TColor(0x00FF00);
  EXPECT_GT(Ink, 20) << "the text is drawn";
}

}  // namespace
}  // namespace qor
