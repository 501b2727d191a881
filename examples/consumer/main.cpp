// Loads a .ui form with QorKit components (made in Qt Designer with the QorKit
// plugin) and drives one of them from code; with an output path it writes the
// form as PNG and exits.
#include <QApplication>
#include <QFile>
#include <memory>

#include "displays/qor_numlab.h"
#include "forms/qor_uiloader.h"

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QFile File(QStringLiteral(":/panel.ui"));
  if (!File.open(QIODevice::ReadOnly)) return 1;
  qor::TUiLoader Loader;
  const std::unique_ptr<QWidget> Panel(Loader.load(&File));
  if (!Panel) return 1;
  auto* Setpoint = Panel->findChild<qor::TNumLab*>(QStringLiteral("setpoint"));
  if (!Setpoint) return 1;
  Setpoint->SetValue(230.4);
  if (argc > 1) {
    // Shown off screen: the components paint as on screen.
    Panel->setAttribute(Qt::WA_DontShowOnScreen);
    Panel->show();
    return Panel->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
  }
  Panel->show();
  return App.exec();
}
