#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "browsing/qor_thumbnails.h"
#include "tests/support/qorkit_test_support.h"

using namespace qor;
using test::Picture;
using test::PixelAt;
using Irp = TThumbnails::TImageRequestProcessing;

namespace {

// Defaults give the pitch 136 and slides of 134 pixels: slide (c, r) of an
// unscrolled viewer starts at (10 + 136 (c - 1), 12 + 136 (r - 1)).
constexpr int Pitch = 136, Span = 134;

struct Viewer : TThumbnails {
  explicit Viewer(int W = 400, int H = 400) {
    SetScrollBarVisible(false);
    resize(W, H);
    SetColorBackGnd(clYellow);
    (void)Picture(*this);
  }
};

QImage Solid(int W, int H, Qt::GlobalColor Color) {
  QImage I(W, H, QImage::Format_RGB32);
  I.fill(Color);
  return I;
}

QPoint SlideCentre(int Col, int Row) {
  return {10 + (Col - 1) * Pitch + Span / 2, 12 + (Row - 1) * Pitch + Span / 2};
}

void Wheel(QWidget& W, int Delta) {
  QWheelEvent E(QPointF(50, 50), W.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&W, &E);
}

}  // namespace

TEST(Thumbnails, DefaultsAndSlidesPerRow) {
  TThumbnails T;
  EXPECT_EQ(T.width(), 260);
  EXPECT_EQ(T.height(), 400);
  EXPECT_EQ(T.NumSlidesHoriz(), 2);  // until the first paint
  EXPECT_EQ(T.SlideSelectMode(), TThumbnails::ssmSingle);
  EXPECT_EQ(T.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(T.FirstThumbIdx(), 1.0);
  EXPECT_EQ(T.Min(), 1);
  EXPECT_EQ(T.Max(), 100);
  EXPECT_EQ(T.FocusedSlide(), 0);
  EXPECT_EQ(T.FirstSelectedSlide(), 0);  // Min - 1: nothing selected

  Viewer Narrow(260, 400), Wide(400, 400);
  EXPECT_EQ(Narrow.NumSlidesHoriz(), 1);
  EXPECT_EQ(Wide.NumSlidesHoriz(), 2);
  EXPECT_EQ(Wide.NumSlidesVert(), 400 / Pitch + 1);
  // The scroll bar takes its width from the painting area.
  Viewer Barred(400, 400);
  Barred.SetScrollBarVisible(true);
  Barred.resize(290, 400);
  (void)Picture(Barred);
  EXPECT_EQ(Barred.NumSlidesHoriz(), 1);
}

TEST(Thumbnails, FirstThumbIdxKeepsItsRowAndClamps) {
  Viewer T;
  T.SetFirstThumbIdx(5);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 5);
  T.SetFirstThumbIdx(6);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 5.5);
  T.SetFirstThumbIdx(2);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1.5);
  T.SetFirstThumbIdx(1.5);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1.25);
  T.SetFirstThumbIdx(-7);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1);
  T.SetFirstThumbIdx(1e9);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 99.5);  // Max 100 in the row of 99 and 100
}

TEST(Thumbnails, HalfRowOffsetShiftsTheSlidesUnderTheBand) {
  Viewer T;
  T.SetFirstThumbIdx(2);  // 1.5: the row of 1 and 2, half a pitch up
  const QImage P = Picture(T);
  const int Y = 12 - Pitch / 2;  // -56: top of slide 1, cut by the band
  EXPECT_EQ(PixelAt(P, 50, 5), clYellow);                 // band
  EXPECT_EQ(PixelAt(P, 50, Y + Span - 5), clSilver);      // slide 1's lower part shows
  EXPECT_EQ(PixelAt(P, 50, Y + Span + 1), clYellow);      // gap under it
  EXPECT_EQ(T.CalcSlideIndex(50, Y + Span - 5), 1);
  EXPECT_EQ(T.CalcSlideIndex(50, 5), 0);                  // in the band
  EXPECT_EQ(T.CalcSlideIndex(200, Y + Pitch + 10), 4);
  int X, Yp;
  T.CalcSlidePos(4, X, Yp);
  EXPECT_EQ(X, 10 + Pitch);
  EXPECT_EQ(Yp, Y + Pitch);
}

TEST(Thumbnails, EmptySlideShowsFaceFrameBoxAndNumber) {
  Viewer T;
  int Requests = 0, First = 0, Last = 0;
  T.OnImageRequest = [&](TObject*, int, Irp& How, int& Mark, host::TBitmap&) {
    ++Requests;
    EXPECT_EQ(How, TThumbnails::irpShowEmpty);
    EXPECT_EQ(Mark, -1);
  };
  T.OnFirstImageRequest = [&](TObject*) {
    EXPECT_EQ(Requests, 0);
    ++First;
  };
  T.OnLastImageRequest = [&](TObject*) { ++Last; };
  T.Invalidate();
  const QImage P = Picture(T);
  EXPECT_EQ(First, 1);
  EXPECT_EQ(Last, 1);
  EXPECT_EQ(Requests, 6);  // 2 x 3 slides inside 400 x 400
  const int X = 10 + Pitch, Y = 12;  // slide 2
  EXPECT_EQ(PixelAt(P, X, Y), clWhite);                     // raised frame: light edge
  EXPECT_EQ(PixelAt(P, X + Span, Y + Span), clBlack);       // dark edge
  EXPECT_EQ(PixelAt(P, X + 4, Y + 20), clSilver);           // face
  EXPECT_EQ(PixelAt(P, X + 9, Y + 7 + 22), clWhite);        // number box
  EXPECT_EQ(PixelAt(P, X + Span / 2 + 40, Y + Span / 2), clWhite);
  int Dark = 0;  // the number's glyphs in the box's middle
  for (int Dy = -6; Dy <= 6; ++Dy)
    for (int Dx = -8; Dx <= 8; ++Dx) Dark += qGray(P.pixel(X + Span / 2 + Dx, Y + Span / 2 + Dy)) < 100;
  EXPECT_GT(Dark, 5);
  EXPECT_EQ(PixelAt(P, X - 1, Y + 20), clYellow);           // gap between slides
  EXPECT_EQ(PixelAt(P, 200, 399 - 5), clYellow);            // bottom band
}

TEST(Thumbnails, ShowNothingLeavesBackgroundButMarkAndRenderedEventAppear) {
  Viewer T;
  T.SetColorMark(clRed);
  std::vector<int> Rendered;
  T.OnImageRequest = [](TObject*, int Id, Irp& How, int& Mark, host::TBitmap&) {
    How = TThumbnails::irpShowNothing;
    if (Id == 1) Mark = 0;
  };
  T.OnSlideRendered = [&](TObject*, TCanvas&, int X, int Y, int Id) {
    Rendered.push_back(Id);
    if (Id == 1) {
      EXPECT_EQ(std::pair(X, Y), std::pair(10, 12));
    }
  };
  T.Invalidate();
  const QImage P = Picture(T);
  EXPECT_EQ(PixelAt(P, 50, 100), clYellow);
  EXPECT_EQ((std::vector<int>{1, 3, 5, 2, 4, 6}), Rendered);  // column by column
  int Red = 0;
  for (int Dy = -6; Dy <= 6; ++Dy)
    for (int Dx = -6; Dx <= 6; ++Dx) Red += PixelAt(P, 20 + Dx, 24 + Dy) == clRed;
  EXPECT_GT(Red, 0);
}

TEST(Thumbnails, PicturesKeepTheirAspectRatio) {
  Viewer T;
  const QImage Landscape = Solid(200, 100, Qt::green), Portrait = Solid(100, 200, Qt::blue);
  T.OnImageRequest = [&](TObject*, int Id, Irp& How, int&, host::TBitmap& Buf) {
    How = TThumbnails::irpShowSlide;
    Buf.LoadFromImage(Id == 1 ? Landscape : Portrait);
  };
  T.Invalidate();
  const QImage P = Picture(T);
  // Slide 1: 120 x 60 from (17, 49) to (137, 109), centred vertically.
  EXPECT_EQ(PixelAt(P, 77, 79), clLime);
  EXPECT_EQ(PixelAt(P, 20, 52), clLime);
  EXPECT_EQ(PixelAt(P, 134, 106), clLime);
  EXPECT_EQ(PixelAt(P, 77, 46), clSilver);
  EXPECT_EQ(PixelAt(P, 77, 112), clSilver);
  // Slide 2: 60 x 120, centred horizontally from x = 146 + 7 + 30.
  const int X = 146 + 7 + 30;
  EXPECT_EQ(PixelAt(P, X + 30, 79), clBlue);
  EXPECT_EQ(PixelAt(P, X - 3, 79), clSilver);
  EXPECT_EQ(PixelAt(P, X + 63, 79), clSilver);
}

TEST(Thumbnails, AntiAliasSmoothsTheScaledPicture) {
  QImage Stripes(240, 240, QImage::Format_RGB32);
  for (int Y = 0; Y < 240; ++Y)
    for (int X = 0; X < 240; ++X) Stripes.setPixel(X, Y, X % 2 ? 0xFFFFFF : 0x000000);
  auto Greys = [&](bool Smooth) {
    Viewer T;
    T.SetAntiAlias(Smooth);
    T.OnImageRequest = [&](TObject*, int, Irp& How, int&, host::TBitmap& Buf) {
      How = TThumbnails::irpShowSlide;
      Buf.LoadFromImage(Stripes);
    };
    T.Invalidate();
    const QImage P = Picture(T);
    int N = 0;
    for (int X = 30; X < 120; ++X) {
      const TColor C = PixelAt(P, X, 70);
      N += C != clBlack && C != clWhite;
    }
    return N;
  };
  EXPECT_EQ(Greys(false), 0);
  EXPECT_GT(Greys(true), 40);
}

TEST(Thumbnails, HostileHandlersNeverBreakThePaint) {
  int Caught = 0;
  host::Application()->OnException = [&](QObject*, const std::exception&) { ++Caught; };
  {
    Viewer T;
    int Calls = 0;
    T.OnImageRequest = [&](TObject*, int, Irp&, int&, host::TBitmap&) {
      ++Calls;
      throw std::runtime_error("no picture");
    };
    T.Invalidate();
    const QImage P = Picture(T);
    EXPECT_EQ(Caught, 1);
    EXPECT_EQ(Calls, 1);  // the rest of the paint shows bare faces
    EXPECT_EQ(PixelAt(P, 77, 79), clSilver);
    EXPECT_EQ(PixelAt(P, 146 + 67, 79), clSilver);
  }
  host::Application()->OnException = nullptr;

  Viewer T;
  QImage Tall = Solid(1, 20000, Qt::red);
  T.OnImageRequest = [&](TObject*, int Id, Irp& How, int& Mark, host::TBitmap& Buf) {
    How = TThumbnails::irpShowSlide;
    Mark = Id == 2 ? 999 : -1;  // an unknown mark draws nothing
    if (Id == 1) Buf.LoadFromImage(QImage());  // null picture
    if (Id == 2) Buf.LoadFromImage(Tall);      // scales to zero width
    if (Id == 3) T.SetMax(4);                  // shrinks the range while painting
  };
  T.Invalidate();
  (void)Picture(T);
  EXPECT_EQ(T.Max(), 4);
  QApplication::processEvents();
  T.OnImageRequest = nullptr;
  const QImage P = Picture(T);  // the deferred repaint shows four slides
  EXPECT_EQ(PixelAt(P, 77, 12 + 2 * Pitch + 60), clYellow);
  EXPECT_EQ(PixelAt(P, 14, 12 + Pitch + 60), clSilver);
}

TEST(Thumbnails, ClicksSelectAndReportTheSlide) {
  Viewer T;
  std::vector<int> Clicked, Double;
  T.OnImageClick = [&](TObject*, int, int, int Id) { Clicked.push_back(Id); };
  T.OnImageDblClick = [&](TObject*, int, int, int Id) { Double.push_back(Id); };
  QTest::mouseClick(&T, Qt::LeftButton, Qt::NoModifier, SlideCentre(2, 2));
  EXPECT_TRUE(T.SlideSelected(4));
  EXPECT_EQ(T.NumSlidesSelected(), 1);
  EXPECT_EQ(PixelAt(Picture(T), 146 + 4, 12 + Pitch + 20), clNavy);
  // The gap between two slides: slide 0, selection cleared.
  QTest::mouseClick(&T, Qt::LeftButton, Qt::NoModifier, QPoint(145, 60));
  EXPECT_EQ(T.NumSlidesSelected(), 0);
  EXPECT_EQ(Clicked, (std::vector<int>{4, 0}));
  QTest::mouseDClick(&T, Qt::LeftButton, Qt::NoModifier, SlideCentre(1, 1));
  EXPECT_EQ(Double, (std::vector<int>{1}));
  // The right button neither selects nor reports.
  QTest::mouseClick(&T, Qt::RightButton, Qt::NoModifier, SlideCentre(1, 2));
  EXPECT_FALSE(T.SlideSelected(3));

  T.SetSlideSelectMode(TThumbnails::ssmDisabled);
  EXPECT_EQ(T.NumSlidesSelected(), 0);  // changing the mode clears the selection
  QTest::mouseClick(&T, Qt::LeftButton, Qt::NoModifier, SlideCentre(1, 1));
  EXPECT_EQ(T.NumSlidesSelected(), 0);
}

TEST(Thumbnails, MultipleSelectionTogglesAndExtends) {
  Viewer T;
  T.SetSlideSelectMode(TThumbnails::ssmMultiple);
  QTest::mouseClick(&T, Qt::LeftButton, Qt::NoModifier, SlideCentre(2, 1));     // 2
  QTest::mouseClick(&T, Qt::LeftButton, Qt::ShiftModifier, SlideCentre(1, 3));  // 2..5
  EXPECT_EQ(T.NumSlidesSelected(), 4);
  EXPECT_EQ(T.FirstSelectedSlide(), 2);
  QTest::mouseClick(&T, Qt::LeftButton, Qt::ControlModifier, SlideCentre(1, 2));  // drop 3
  EXPECT_FALSE(T.SlideSelected(3));
  QTest::mouseClick(&T, Qt::LeftButton, Qt::ControlModifier, SlideCentre(2, 3));  // add 6
  EXPECT_EQ(T.NumSlidesSelected(), 4);
  QTest::mouseClick(&T, Qt::LeftButton, Qt::NoModifier, SlideCentre(1, 1));
  EXPECT_EQ(T.NumSlidesSelected(), 1);
  T.SetSlideSelected(100, true);
  T.SetSlideSelected(101, true);  // outside: ignored
  EXPECT_EQ(T.NumSlidesSelected(), 2);
  T.ResetAllSelections();
  EXPECT_EQ(T.NumSlidesSelected(), 0);
}

TEST(Thumbnails, FocusFollowsThePointerUnlessSwitchedOff) {
  Viewer T;
  test::ShowAndWait(T);
  T.SetFocusLinewidth(3);
  int Changes = 0;
  T.OnFocusChange = [&](TObject*) { ++Changes; };
  QTest::mouseMove(&T, SlideCentre(2, 1));
  EXPECT_EQ(T.FocusedSlide(), 2);
  QTest::mouseMove(&T, SlideCentre(2, 1) + QPoint(3, 3));
  EXPECT_EQ(Changes, 1);
  QImage P = Picture(T);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(PixelAt(P, 146 + 2 + I, 60), clBlue);
  EXPECT_EQ(PixelAt(P, 146 + 5, 60), clSilver);
  QTest::mouseMove(&T, SlideCentre(1, 1));
  P = Picture(T);
  EXPECT_EQ(PixelAt(P, 146 + 2, 60), clSilver);  // the old frame is gone
  EXPECT_EQ(PixelAt(P, 10 + 2, 60), clBlue);
  EXPECT_EQ(PixelAt(P, 10 + 2, 5), clYellow);  // never in the band
  EXPECT_EQ(Changes, 2);

  T.SetFocusLinewidth(0);
  QTest::mouseMove(&T, SlideCentre(2, 2));
  EXPECT_EQ(T.FocusedSlide(), 1);
  EXPECT_EQ(Changes, 2);
  T.SetFocusLinewidth(11);
  EXPECT_EQ(T.FocusLinewidth(), 10);
}

TEST(Thumbnails, SizesAreClamped) {
  Viewer T;
  T.SetSlideSize(20);
  EXPECT_EQ(T.SlideSize(), 50);
  T.resize(100, 400);
  T.SetSlideSize(300);
  EXPECT_EQ(T.SlideSize(), 100);
  T.SetSlideDistance(-5);
  EXPECT_EQ(T.SlideDistance(), 0);
  T.SetSlideMargin(500);
  EXPECT_EQ(T.SlideMargin(), 100);
  T.SetMax(-3);
  EXPECT_EQ(T.Max(), 1);
  T.SetMin(-2);
  T.SetSlideSelected(-2, true);
  EXPECT_TRUE(T.SlideSelected(-2));
  EXPECT_EQ(T.FirstSelectedSlide(), -2);
}

TEST(Thumbnails, WheelKeysAndScrollBarScroll) {
  TThumbnails T;
  T.resize(420, 400);
  T.SetColorBackGnd(clYellow);
  (void)Picture(T);
  ASSERT_EQ(T.NumSlidesHoriz(), 2);
  Wheel(T, -120);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1.5);
  Wheel(T, -240);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 3.5);
  Wheel(T, 1200);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1);

  auto* Bar = T.findChild<QScrollBar*>();
  ASSERT_NE(Bar, nullptr);
  Bar->setValue(Bar->maximum());
  // The last row (99, 100) ends on the bottom band.
  int X, Y;
  T.CalcSlidePos(99, X, Y);
  EXPECT_EQ(Y + Span, 400 - 10);
  EXPECT_EQ(T.CalcSlideIndex(30, 400 - 12), 99);

  // Keys move the focus and scroll it into view.
  QTest::keyClick(&T, Qt::Key_Home);
  EXPECT_EQ(T.FocusedSlide(), 1);
  EXPECT_DOUBLE_EQ(T.FirstThumbIdx(), 1);
  QTest::keyClick(&T, Qt::Key_Down);
  QTest::keyClick(&T, Qt::Key_Right);
  EXPECT_EQ(T.FocusedSlide(), 4);
  QTest::keyClick(&T, Qt::Key_Space);
  EXPECT_TRUE(T.SlideSelected(4));
  int Double = 0;
  T.OnImageDblClick = [&](TObject*, int, int, int Id) { Double = Id; };
  QTest::keyClick(&T, Qt::Key_Return);
  EXPECT_EQ(Double, 4);
  QTest::keyClick(&T, Qt::Key_End);
  EXPECT_EQ(T.FocusedSlide(), 100);
  T.CalcSlidePos(100, X, Y);
  EXPECT_LE(Y + Span, 400 - 10);
  EXPECT_GE(Y, 10);
}

TEST(Thumbnails, TabMovesTheFocusInAndOut) {
  QWidget Form;
  auto* Before = new QWidget(&Form);
  Before->setFocusPolicy(Qt::StrongFocus);
  auto* T = new TThumbnails(&Form);
  auto* After = new QWidget(&Form);
  After->setFocusPolicy(Qt::StrongFocus);
  test::ShowAndWait(Form);
  Before->setFocus();
  QTest::keyClick(Before, Qt::Key_Tab);
  EXPECT_TRUE(T->hasFocus());
  QTest::keyClick(T, Qt::Key_Tab);
  EXPECT_TRUE(After->hasFocus());
}

TEST(Thumbnails, AssignCopiesTheDocumentedSet) {
  Viewer A, B;
  A.SetMax(500);
  A.SetSlideSize(80);
  A.SetColorCover(clTeal);
  A.SetColorMark(clRed);
  A.SetSlideSelectMode(TThumbnails::ssmMultiple);
  A.SetSlideSelected(3, true);
  A.SetFirstThumbIdx(7);
  int Requests = 0;
  A.OnImageRequest = [&](TObject*, int, Irp&, int&, host::TBitmap&) { ++Requests; };
  B.Assign(A);
  EXPECT_EQ(B.Max(), 500);
  EXPECT_EQ(B.SlideSize(), 80);
  EXPECT_EQ(B.ColorCover(), clTeal);
  EXPECT_DOUBLE_EQ(B.FirstThumbIdx(), A.FirstThumbIdx());
  EXPECT_EQ(B.ColorMark(), clBlack);
  EXPECT_EQ(B.SlideSelectMode(), TThumbnails::ssmSingle);
  EXPECT_FALSE(B.SlideSelected(3));
  B.Invalidate();
  (void)Picture(B);
  EXPECT_GT(Requests, 0);
}
