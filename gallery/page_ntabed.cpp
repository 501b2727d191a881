// Gallery page "Table editor": a measurement table with names and attributes,
// marks A, B and both, a nominal column, a scientific column, an invalid and an
// empty cell and a selected range; beside it the data menu as a right click on
// an element opens it (drawn from the editor's own menu).
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include "gallery/gallery.h"
#include "host/qor_bitmap.h"
#include "ntabed/qor_ntabed.h"

namespace qor::gallery {
namespace {

TNTabEd* Table() {
  auto* E = new TNTabEd;
  gallery::SetSize(E, 560, 300);
  E->Redimension(5, 9);
  E->SetAttribColVisible(true);
  const QStringList Names{"Time s", "Voltage", "Current", "Phase", "Quality"};
  for (int C = 1; C <= 5; ++C) {
    E->SetColName(C, Names[C - 1]);
    E->SetColAttrib(C, C == 5 ? 2 : 1);
  }
  E->Data()->SetMScaleType(5, mstNominal);
  const QStringList Grades{"good", "fair", "poor"};
  for (int I = 0; I < Grades.size(); ++I) E->Data()->SetNominalID(5, I + 1, Grades[I]);
  E->SetPrecision(1, 1);
  E->SetPrecision(2, 3);
  E->SetPrecision(3, -1);
  E->SetPrecision(4, 0);
  E->SetNumWidth(4);
  for (int R = 1; R <= 9; ++R) {
    E->SetRowName(R, QStringLiteral("Sample %1").arg(R));
    E->SetRowAttrib(R, R % 3);
    E->SetElem(1, R, 0.5 * R);
    E->SetElem(2, R, 12.0 + 0.137 * R * R);
    E->SetElem(3, R, 0.00042 * R * R * R);
    E->SetElem(4, R, 15.0 * R - 40);
    E->SetElem(5, R, 1 + R % 3);
  }
  E->SetCellState(2, 4, csInvalid);
  E->SetCellState(4, 6, csEmpty);
  E->SetElemMarkedA(1, 2, true);
  E->SetElemMarkedA(2, 2, true);
  E->SetElemMarkedB(3, 7, true);
  E->SetElemMarkedA(1, 8, true);
  E->SetElemMarkedB(1, 8, true);
  E->SetElemMarkedA(2, 8, true);
  E->SetElemMarkedB(2, 8, true);
  E->SetComment(QStringLiteral("Bench run 7, probe B"));
  E->AutoColWidth(-1, true, 0);
  E->AutoColWidth(0, true, 0);
  for (int C = 1; C <= 5; ++C) E->AutoColWidth(C, true, 4);
  E->SetSelection({3, 3, 4, 5});  // table cells (2..3, 2..4)
  return E;
}

// The data menu as it opens, pictured beside the table (a popup is a window
// of its own and does not show in page snapshots).
QLabel* DataMenuPicture(TNTabEd* E) {
  host::TBitmap Box;
  Box.LoadFromResourceName(QStringLiteral("EMPTYBOX"));
  E->PopupDT()->FindItem(QStringLiteral("DIt9"))->SetBitmap(Box);
  QMenu* M = E->PopupDT()->Menu();
  M->ensurePolished();
  M->adjustSize();
  auto* L = new QLabel;
  L->setPixmap(M->grab());
  return L;
}

QWidget* Page() {
  auto* Box = new QWidget;
  auto* Row = new QHBoxLayout(Box);
  TNTabEd* E = Table();
  Row->addWidget(Captioned(QStringLiteral("Names, attributes, marks A / B / both, nominal and scientific "
                                          "columns, an invalid and an empty cell, a selected range"),
                           E), 0, Qt::AlignTop);
  Row->addWidget(Captioned(QStringLiteral("Data menu (right click on an element)"), DataMenuPicture(E)),
                 0, Qt::AlignTop);
  Row->addStretch();
  return Box;
}

const bool Registered = RegisterPage({QStringLiteral("Table editor"), QStringLiteral("ntabed"), 35, Page});

}  // namespace
}  // namespace qor::gallery
