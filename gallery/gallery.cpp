#include "gallery/gallery.h"

#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>

namespace qor::gallery {
namespace {
std::vector<TPage>& Registry() {
  static std::vector<TPage> Pages;
  return Pages;
}
}  // namespace

bool RegisterPage(TPage Page) {
  Registry().push_back(std::move(Page));
  return true;
}

std::vector<TPage> Pages() {
  std::vector<TPage> Sorted = Registry();
  std::stable_sort(Sorted.begin(), Sorted.end(),
                   [](const TPage& A, const TPage& B) { return A.Order < B.Order; });
  return Sorted;
}

QWidget* Captioned(const QString& Caption, QWidget* Widget) {
  auto* Box = new QGroupBox(Caption);
  auto* Layout = new QVBoxLayout(Box);
  Layout->addWidget(Widget);
  return Box;
}

void SetSize(host::TControl* Control, int Width, int Height) {
  Control->SetWidth(Width);
  Control->SetHeight(Height);
}

}  // namespace qor::gallery
