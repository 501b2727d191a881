// Numeric input beside its Qt peers: scanning a number (ScanFloatNumber vs
// strtod and std::from_chars), painting a field (TNumIO2 vs QDoubleSpinBox)
// and one keystroke from key event to repainted field.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "numio/qor_numconv_p.h"
#include "numio/qor_numio.h"

namespace {

const std::vector<std::string>& Numbers() {
  static const std::vector<std::string> Texts = {
      "12.5", "-0.001", "3.14159265358979", "1E10", "-2.5e-7", "1000", "65536.25",
      "0.5", "123456789.123", "7", "-42.42", "6.02214076E23", "9.81", "1.5E-300", "299792458", "0.0"};
  return Texts;
}

void BM_ScanFloatNumber(benchmark::State& State) {
  std::vector<QString> Texts;
  for (const std::string& S : Numbers()) Texts.push_back(QString::fromStdString(S));
  for (auto _ : State)
    for (const QString& T : Texts) {
      int Pos = 1;
      benchmark::DoNotOptimize(qor::ScanFloatNumber(T, true, 3, Pos));
    }
  State.SetItemsProcessed(State.iterations() * std::int64_t(Texts.size()));
}
BENCHMARK(BM_ScanFloatNumber);

void BM_Strtod(benchmark::State& State) {
  for (auto _ : State)
    for (const std::string& T : Numbers()) benchmark::DoNotOptimize(std::strtod(T.c_str(), nullptr));
  State.SetItemsProcessed(State.iterations() * std::int64_t(Numbers().size()));
}
BENCHMARK(BM_Strtod);

void BM_FromChars(benchmark::State& State) {
  for (auto _ : State)
    for (const std::string& T : Numbers()) {
      double V = 0;
      std::from_chars(T.data(), T.data() + T.size(), V);
      benchmark::DoNotOptimize(V);
    }
  State.SetItemsProcessed(State.iterations() * std::int64_t(Numbers().size()));
}
BENCHMARK(BM_FromChars);

// A TNumIO2 with buttons and gauge, and a QDoubleSpinBox of the same size.
struct TFields {
  QWidget Host;
  qor::TNumIO2* Field;
  QDoubleSpinBox* Spin;
  TFields() {
    Host.resize(400, 120);
    Field = new qor::TNumIO2(&Host);
    Field->SetHeight(48);
    Field->SetButVisible(true);
    Field->SetButHeight(28);
    Field->SetGaugeVisible(true);
    Field->SetValue(123.45);
    Field->SetReadOnly(true);
    Spin = new QDoubleSpinBox(&Host);
    Spin->setGeometry(0, 60, 160, 28);
    Spin->setRange(0, 1000);
    Spin->setValue(123.45);
    Host.show();
    QApplication::processEvents();
  }
};

void BM_PaintTNumIO2(benchmark::State& State) {
  TFields F;
  QImage Image(F.Field->size(), QImage::Format_RGB32);
  for (auto _ : State) {
    F.Field->Invalidate();
    F.Field->render(&Image);
  }
}
BENCHMARK(BM_PaintTNumIO2);

void BM_PaintQDoubleSpinBox(benchmark::State& State) {
  TFields F;
  QImage Image(F.Spin->size(), QImage::Format_RGB32);
  for (auto _ : State) F.Spin->render(&Image);
}
BENCHMARK(BM_PaintQDoubleSpinBox);

// Types "5" and takes it back with Backspace, repainting after each key.
void Keystrokes(QWidget* Target, QWidget* Painted, benchmark::State& State) {
  QKeyEvent Five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
  QKeyEvent Back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  for (auto _ : State) {
    QApplication::sendEvent(Target, &Five);
    Painted->repaint();
    QApplication::sendEvent(Target, &Back);
    Painted->repaint();
  }
  State.SetItemsProcessed(State.iterations() * 2);
}

void BM_KeystrokeTNumIO2(benchmark::State& State) {
  TFields F;
  F.Field->SetReadOnly(false);
  F.Field->SetSelBegin(2);
  Keystrokes(F.Field, F.Field, State);
}
BENCHMARK(BM_KeystrokeTNumIO2);

void BM_KeystrokeQDoubleSpinBox(benchmark::State& State) {
  TFields F;
  F.Spin->setFocus();
  QLineEdit* Line = F.Spin->findChild<QLineEdit*>();
  Line->setCursorPosition(2);
  Keystrokes(F.Spin, F.Spin, State);
}
BENCHMARK(BM_KeystrokeQDoubleSpinBox);

}  // namespace
