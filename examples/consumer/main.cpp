// Shows a numeric label; with an output path it writes the label as PNG and exits.
#include <QApplication>

#include "displays/qor_numlab.h"

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  qor::TNumLab Label;
  Label.SetLeftText(QStringLiteral("U"));
  Label.SetRightText(QStringLiteral("V"));
  Label.SetValue(230.4);
  Label.SetPrecision(1);
  if (argc > 1) return Label.ScreenImage().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
  Label.show();
  return App.exec();
}
