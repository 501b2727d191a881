#include "designer/qor_designer_colors.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMetaProperty>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "host/qor_color.h"

namespace qor::designer {
namespace {

constexpr int SwatchSize = 16;
constexpr TColor FirstSystemColor = 0xFF000000u;
constexpr TColor LastSystemColor = 0xFF00001Eu;  // the menu bar

// The colours offered by name: the sixteen standard ones, then the named
// system colours in index order.
const QList<TColor>& NamedColors() {
  static const QList<TColor> Colors = [] {
    QList<TColor> List{clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                       clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};
    for (TColor C = FirstSystemColor; C <= LastSystemColor; ++C) {
      if (ColorToString(C).startsWith(QLatin1String("cl"))) List.append(C);
    }
    return List;
  }();
  return Colors;
}

QIcon SwatchOf(TColor Color, const QWidget* Widget) {
  QPixmap Swatch(SwatchSize, SwatchSize);
  Swatch.fill(host::ToQColor(Color, Widget));
  QPainter P(&Swatch);
  P.setPen(Qt::black);
  P.drawRect(0, 0, SwatchSize - 1, SwatchSize - 1);
  return QIcon(Swatch);
}

}  // namespace

QStringList ColorProperties(const QWidget& Widget) {
  QStringList Names;
  // Base classes first, as the property editor lists them.
  std::vector<const QMetaObject*> Chain;
  for (const QMetaObject* M = Widget.metaObject(); M; M = M->superClass()) Chain.push_back(M);
  for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
    const QMetaObject* M = *It;
    if (!QByteArray(M->className()).startsWith("qor::")) continue;
    for (int I = M->propertyOffset(); I < M->propertyCount(); ++I) {
      const QMetaProperty P = M->property(I);
      if (P.isWritable() && P.metaType() == QMetaType::fromType<TColor>() &&
          QByteArray(P.name()).contains("Color"))
        Names.append(QString::fromLatin1(P.name()));
    }
  }
  return Names;
}

TColorEditor::TColorEditor(QWidget* Target, QWidget* Parent) : QDialog(Parent), FTarget(Target) {
  setWindowTitle(tr("Edit Colours of %1").arg(Target->objectName()));
  auto* Form = new QFormLayout;
  const QStringList Names = ColorProperties(*Target);
  FRows.reserve(Names.size());
  for (const QString& Name : Names) {
    TRow Row{Name, Target->property(Name.toLatin1().constData()).toUInt(), new QComboBox(this),
             new QToolButton(this)};
    Row.Choice->setObjectName(Name);
    Row.Choice->addItem(tr("Custom"));
    for (const TColor C : NamedColors())
      Row.Choice->addItem(SwatchOf(C, Target), ColorToString(C), C);
    Row.Swatch->setObjectName(Name + QLatin1String("Swatch"));
    Row.Swatch->setToolTip(tr("Choose a colour"));
    auto* Line = new QHBoxLayout;
    Line->addWidget(Row.Swatch);
    Line->addWidget(Row.Choice, 1);
    Form->addRow(Name, Line);
    FRows.push_back(Row);
  }
  // The rows stay where reserve put them, so the handlers may keep their index.
  for (std::size_t I = 0; I < FRows.size(); ++I) {
    ShowValue(FRows[I]);
    connect(FRows[I].Swatch, &QToolButton::clicked, this, [this, I] { PickCustom(FRows[I]); });
    connect(FRows[I].Choice, &QComboBox::activated, this, [this, I](int Index) {
      TRow& Row = FRows[I];
      if (Index == 0) {
        PickCustom(Row);
        return;
      }
      Row.Value = Row.Choice->itemData(Index).toUInt();
      ShowValue(Row);
    });
  }
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* Layout = new QVBoxLayout(this);
  Layout->addLayout(Form);
  Layout->addWidget(Buttons);
}

void TColorEditor::ShowValue(TRow& Row) {
  Row.Swatch->setIcon(SwatchOf(Row.Value, FTarget));
  const int Index = Row.Choice->findData(Row.Value);
  if (Index > 0) {
    Row.Choice->setCurrentIndex(Index);
    Row.Choice->setItemText(0, tr("Custom"));
  } else {
    Row.Choice->setCurrentIndex(0);
    Row.Choice->setItemText(0, tr("Custom: %1").arg(ColorToString(Row.Value)));
  }
}

void TColorEditor::PickCustom(TRow& Row) {
  const QColor Picked =
      QColorDialog::getColor(host::ToQColor(Row.Value, FTarget), this, Row.Property);
  if (Picked.isValid()) Row.Value = FromQColor(Picked);
  ShowValue(Row);
}

void TColorEditor::Apply() {
  if (!FTarget) return;
  QDesignerFormWindowInterface* Form = QDesignerFormWindowInterface::findFormWindow(FTarget);
  for (const TRow& Row : FRows) {
    const QByteArray Name = Row.Property.toLatin1();
    if (FTarget->property(Name.constData()).toUInt() == Row.Value) continue;
    const QVariant Value = QVariant::fromValue(Row.Value);
    if (Form) Form->cursor()->setWidgetProperty(FTarget, Row.Property, Value);
    else FTarget->setProperty(Name.constData(), Value);
  }
}

TColorTaskMenu::TColorTaskMenu(QWidget* Target, QObject* Parent)
    : QObject(Parent), FTarget(Target), FEdit(new QAction(tr("Edit Colours..."), this)) {
  connect(FEdit, &QAction::triggered, this, [this] {
    if (!FTarget) return;
    TColorEditor Editor(FTarget, FTarget->window());
    if (Editor.exec() == QDialog::Accepted) Editor.Apply();
  });
}

QObject* TColorTaskMenuFactory::createExtension(QObject* Object, const QString& Iid,
                                                QObject* Parent) const {
  if (Iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
  auto* Widget = qobject_cast<QWidget*>(Object);
  if (!Widget || !QByteArray(Widget->metaObject()->className()).startsWith("qor::") ||
      ColorProperties(*Widget).isEmpty())
    return nullptr;
  return new TColorTaskMenu(Widget, Parent);
}

}  // namespace qor::designer
