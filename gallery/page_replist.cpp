// Gallery page "Report list": an inventory with check and radio columns, a
// password column, row shading, selected and disabled rows, a sorted column
// and a two-line common header; beside it an empty list showing its message.
// A button opens the row editor on the first selected row.
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "gallery/gallery.h"
#include "host/qor_app.h"
#include "replist/qor_replist.h"

namespace qor::gallery {
namespace {

struct TItem {
  const char* Name;
  const char* Store;
  int Stock;
  const char* Code;
};

constexpr TItem Items[] = {
    {"Resistor 4k7", "North", 1250, "r47"},   {"Capacitor 100n", "South", 830, "c100"},
    {"Diode 1N4148", "North", 412, "d4148"},   {"LED red 5 mm", "East", 96, "led5r"},
    {"Crystal 16 MHz", "West", 58, "xt16"},    {"Regulator 7805", "South", 240, "vr05"},
    {"Relay 12 V", "East", 17, "rl12"},        {"Fuse 500 mA", "North", 305, "f500"},
    {"Transistor BC547", "West", 990, "bc547"}, {"Inductor 10 uH", "South", 121, "l10u"},
};

TReportListView* Inventory() {
  auto* V = new TReportListView;
  gallery::SetSize(V, 520, 330);
  V->SetNrCols(5);
  V->SetNrRows(int(std::size(Items)));
  V->SetCommonHeader(QStringLiteral("Parts inventory\nspring stock count"));
  V->SetCommonHeaderVisible(true);
  V->SetCommonHeaderHeight(36);
  V->SetColumnHeadersHeight(22);
  const QStringList Heads{"Part", "Store", "Stock", "Order", "Code"};
  for (int C = 1; C <= 5; ++C) V->SetHeader(C, Heads[C - 1]);
  for (int R = 1; R <= V->NrOfRows(); ++R) {
    const TItem& I = Items[R - 1];
    V->SetElem(1, R, QString::fromLatin1(I.Name));
    V->SetElem(2, R, QString::fromLatin1(I.Store));
    V->SetElem(3, R, QString::number(I.Stock));
    V->SetElem(5, R, QString::fromLatin1(I.Code));
  }
  V->SetColumnCheckMode(2, cmRadio);
  V->SetColumnCheckMode(4, cmBox);
  V->SetElemChecked(2, 3, true);
  for (int R : {1, 4, 7}) V->SetElemChecked(4, R, true);
  V->SetColumnAlignment(3, taRightJustify);
  V->SetColumnAlignment(4, taCenter);
  V->SetColumnIsPwd(5, true);
  V->SetRowSelectMode(2);
  V->SetRowSelected(2, true);
  V->SetRowSelected(5, true);
  V->SetRowEnabled(8, false);
  V->SetRowColPattern(1);
  V->Sort(3, -1, false);
  V->FitAllColWidths(1, true, 6, 200, 0);
  // The row editor's controls: text, a store list, a count, a check-column
  // note and the read-only code.
  V->SetColumnFormat(1, QStringLiteral("[s][180]"));
  V->SetColumnFormat(2, QStringLiteral("[l:4][100]North|South|East|West"));
  V->SetColumnFormat(3, QStringLiteral("[i][80]0"));
  V->SetColumnFormat(4, QStringLiteral("[s][120]"));
  V->SetColumnFormat(5, QStringLiteral("[#s][80]"));
  return V;
}

QWidget* WithRowEditor(TReportListView* V) {
  auto* Box = new QWidget;
  auto* Col = new QVBoxLayout(Box);
  Col->setContentsMargins(0, 0, 0, 0);
  Col->addWidget(V);
  auto* Edit = new QPushButton(QStringLiteral("Edit selected row..."));
  QObject::connect(Edit, &QPushButton::clicked, V, [V, Edit] {
    const int Row = std::max(1, V->FirstSelectedRow());
    const QPoint At = Edit->mapToGlobal(QPoint(0, Edit->height()));
    try {
      V->EditRowEntries(Row, At.x(), At.y());
    } catch (...) {
      host::Application()->HandleException(V, std::current_exception());
    }
  });
  Col->addWidget(Edit, 0, Qt::AlignLeft);
  return Box;
}

TReportListView* EmptyList() {
  auto* V = new TReportListView;
  gallery::SetSize(V, 300, 200);
  V->SetNrCols(3);
  V->SetNrRows(0);
  V->SetHeader(1, QStringLiteral("Date"));
  V->SetHeader(2, QStringLiteral("Event"));
  V->SetHeader(3, QStringLiteral("Result"));
  V->SetEmptyMessage(QStringLiteral("No measurements yet|press Start to record"));
  V->SetColorEmptyMsg(clNavy);
  V->FitAllColWidths(2, true, 10, 200, 0);
  return V;
}

QWidget* Page() {
  auto* Box = new QWidget;
  auto* Row = new QHBoxLayout(Box);
  Row->addWidget(Captioned(QStringLiteral("Check, radio and password columns, shading, selection, sorted by stock"),
                           WithRowEditor(Inventory())));
  Row->addWidget(Captioned(QStringLiteral("An empty list with its message"), EmptyList()), 0, Qt::AlignTop);
  Row->addStretch();
  return Box;
}

const bool Registered = RegisterPage({QStringLiteral("Report list"), QStringLiteral("replist"), 30, Page});

}  // namespace
}  // namespace qor::gallery
