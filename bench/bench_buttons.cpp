// Buttons and selectors beside their Qt peers: a TOnOffBut toggle + paint
// beside a QCheckBox toggle + paint; a TMarkSel highlight move + paint; opening
// the TColSel list beside opening a plain QComboBox list.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include "buttons/qor_colsel.h"
#include "buttons/qor_marksel.h"
#include "buttons/qor_onoffbut.h"

namespace {

void BM_OnOffButTogglePaint(benchmark::State& State) {
  qor::TOnOffBut Button;
  Button.SetButtonStyle(qor::oobsCheckbox);
  Button.resize(100, 24);
  Button.SetRightText(QStringLiteral("Heater"));
  QImage Target(100, 24, QImage::Format_RGB32);
  for (auto _ : State) {
    Button.SetOnOff(!Button.OnOff());
    Button.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_OnOffButTogglePaint);

void BM_QCheckBoxTogglePaint(benchmark::State& State) {
  QCheckBox Box(QStringLiteral("Heater"));
  Box.resize(100, 24);
  QImage Target(100, 24, QImage::Format_RGB32);
  for (auto _ : State) {
    Box.toggle();
    Box.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_QCheckBoxTogglePaint);

// The pointer alternates between two marks: restore one, highlight the other.
void BM_MarkSelHighlightMove(benchmark::State& State) {
  qor::TMarkSel Marks;
  QImage Target(Marks.width(), Marks.height(), QImage::Format_RGB32);
  Marks.render(&Target);
  const QPointF Points[2] = {{43, 43}, {130, 100}};
  int i = 0;
  for (auto _ : State) {
    i ^= 1;
    QMouseEvent Move(QEvent::MouseMove, Points[i], Points[i], Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Marks, &Move);
    Marks.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_MarkSelHighlightMove);

void BM_MarkSelPaint(benchmark::State& State) {
  qor::TMarkSel Marks;
  Marks.SetSelected(9);
  QImage Target(Marks.width(), Marks.height(), QImage::Format_RGB32);
  for (auto _ : State) {
    Marks.Invalidate();
    Marks.render(&Target);
    benchmark::DoNotOptimize(Target.constBits());
  }
}
BENCHMARK(BM_MarkSelPaint);

void OpenList(benchmark::State& State, QComboBox& Box) {
  Box.resize(160, 24);
  Box.show();
  for (auto _ : State) {
    Box.showPopup();
    QCoreApplication::processEvents();
    Box.hidePopup();
  }
}

void BM_ColSelOpenList(benchmark::State& State) {
  qor::TColSel Colours;
  Colours.LoadStandardPalette();
  OpenList(State, Colours);
}
BENCHMARK(BM_ColSelOpenList);

void BM_QComboBoxOpenList(benchmark::State& State) {
  QComboBox Box;
  for (int i = 1; i <= qor::NrPredefinedColors; ++i) Box.addItem(qor::PredefinedColorName(i));
  OpenList(State, Box);
}
BENCHMARK(BM_QComboBoxOpenList);

}  // namespace
