// The gallery's page registry: every page_<name>.cpp registers one page.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "host/qor_control.h"

namespace qor::gallery {

struct TPage {
  QString Title;     // tab caption, e.g. "Numeric label"
  QString FileName;  // snapshot name without extension, e.g. "numlab"
  int Order;         // position among the tabs
  std::function<QWidget*()> Make;
};

bool RegisterPage(TPage Page);
std::vector<TPage> Pages();

// A titled group box holding Widget, for laying out a page's examples.
QWidget* Captioned(const QString& Caption, QWidget* Widget);

// Sets a control's Width and Height: the size its layout then offers it.
void SetSize(host::TControl* Control, int Width, int Height);

}  // namespace qor::gallery
