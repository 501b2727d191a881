// Seven-segment display, dot-matrix label, rotated label and gradient fill,
// each beside its nearest Qt peer at the same size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLCDNumber>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

#include "decoration/qor_gradfl.h"
#include "displays/qor_rasterlab.h"
#include "displays/qor_rotlab.h"
#include "displays/qor_sevenseg.h"

namespace {

using namespace qor;

template <typename TWidget>
void RenderLoop(benchmark::State& State, TWidget& Widget, bool Invalidate) {
  QImage Target(Widget.size(), QImage::Format_RGB32);
  for (auto _ : State) {
    if constexpr (std::is_base_of_v<host::TControl, TWidget>)
      if (Invalidate) Widget.Invalidate();
    Widget.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}

// ---- seven-segment display at 216 x 76, "8.8.8.8." --------------------------

void BM_SevenSegPaint(benchmark::State& State) {
  TSevenSeg S;
  RenderLoop(State, S, true);
}
BENCHMARK(BM_SevenSegPaint);

void BM_QLCDNumberPaint(benchmark::State& State) {
  QLCDNumber Lcd(4);
  Lcd.resize(216, 76);
  Lcd.setSmallDecimalPoint(true);
  Lcd.setSegmentStyle(QLCDNumber::Filled);
  Lcd.display(QStringLiteral("8.8.8.8."));
  RenderLoop(State, Lcd, false);
}
BENCHMARK(BM_QLCDNumberPaint);

void BM_SevenSegGlyphCacheRebuild(benchmark::State& State) {
  TSevenSeg S;
  for (auto _ : State) {
    S.BuildGlyphCache();
    benchmark::DoNotOptimize(S.GlyphCache().Image().constBits());
  }
}
BENCHMARK(BM_SevenSegGlyphCacheRebuild)->Unit(benchmark::kMillisecond);

// ---- dot-matrix label at 400 x 68 --------------------------------------------

void BM_RasterLabPaint(benchmark::State& State) {
  TRasterLab L;
  L.SetText(QStringLiteral("Gate 12: 18:45"));
  RenderLoop(State, L, true);
}
BENCHMARK(BM_RasterLabPaint);

void BM_QLabelPaint400x68(benchmark::State& State) {
  QLabel Label(QStringLiteral("Gate 12: 18:45"));
  Label.resize(400, 68);
  Label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  RenderLoop(State, Label, false);
}
BENCHMARK(BM_QLabelPaint400x68);

void BM_CreateBitFontSystem(benchmark::State& State) {
  TFont F;
  F.SetName(QStringLiteral("DejaVu Sans"));
  F.SetSize(8);
  for (auto _ : State) benchmark::DoNotOptimize(TRasterLab::CreateBitFont(F).FontHeight);
}
BENCHMARK(BM_CreateBitFontSystem)->Unit(benchmark::kMillisecond);

void BM_CreateBitFontBuiltIn(benchmark::State& State) {
  TFont F;
  F.SetName(QStringLiteral("default"));
  for (auto _ : State) benchmark::DoNotOptimize(TRasterLab::CreateBitFont(F).FontHeight);
}
BENCHMARK(BM_CreateBitFontBuiltIn);

// ---- rotated label at 200 x 200 ----------------------------------------------

void BM_RotLabPaint(benchmark::State& State) {
  TRotLab L;
  L.SetTransparent(false);
  L.SetCaption(QStringLiteral("Rotated label"));
  L.SetTextAngle(State.range(0));
  RenderLoop(State, L, true);
}
BENCHMARK(BM_RotLabPaint)->Arg(0)->Arg(45);

void BM_QLabelPaint200x200(benchmark::State& State) {
  QLabel Label(QStringLiteral("Rotated label"));
  Label.resize(200, 200);
  Label.setAlignment(Qt::AlignCenter);
  Label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
  RenderLoop(State, Label, false);
}
BENCHMARK(BM_QLabelPaint200x200);

// ---- gradient fill at 121 x 121 -------------------------------------------------

void BM_GradFillPaint(benchmark::State& State) {
  TGradFill G;
  G.SetFillType(TGradFill::TGradType(State.range(0)));
  RenderLoop(State, G, true);
}
BENCHMARK(BM_GradFillPaint)->Arg(TGradFill::gtHoriz)->Arg(TGradFill::gtMidBandVert);

// A widget painting a smooth linear gradient over the same area.
class GradientWidget : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter P(this);
    QLinearGradient G(0, 0, 0, height());
    G.setColorAt(0, QColor(128, 0, 0));
    G.setColorAt(1, QColor(255, 255, 0));
    P.fillRect(rect(), G);
  }
};

void BM_QLinearGradientPaint(benchmark::State& State) {
  GradientWidget W;
  W.resize(121, 121);
  RenderLoop(State, W, false);
}
BENCHMARK(BM_QLinearGradientPaint);

}  // namespace
