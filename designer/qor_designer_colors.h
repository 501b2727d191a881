// "Edit Colours..." in Designer's task menu of QorKit widgets: every property
// of type qor::TColor edited as a colour, system colours selectable by name.
#pragma once

#include <QDesignerTaskMenuExtension>
#include <QDialog>
#include <QExtensionFactory>
#include <QPointer>

class QAction;
class QComboBox;
class QToolButton;

namespace qor::designer {

// The names of the widget's colour properties, in declaration order: those of
// QorKit's classes with type qor::TColor (an unsigned int) and "Color" in the name.
QStringList ColorProperties(const QWidget& Widget);

// The dialog: one row per colour property; a combo box lists "Custom", the
// standard and the system colours by name, the swatch beside it opens the
// colour dialog.
class TColorEditor : public QDialog {
  Q_OBJECT

 public:
  explicit TColorEditor(QWidget* Target, QWidget* Parent = nullptr);

  // Writes every changed colour to the target: through the form window's
  // cursor when the target is on a Designer form, else directly.
  void Apply();

 private:
  struct TRow {
    QString Property;
    quint32 Value;
    QComboBox* Choice;
    QToolButton* Swatch;
  };
  void ShowValue(TRow& Row);
  void PickCustom(TRow& Row);

  QPointer<QWidget> FTarget;
  std::vector<TRow> FRows;
};

class TColorTaskMenu : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  TColorTaskMenu(QWidget* Target, QObject* Parent);

  QAction* preferredEditAction() const override { return FEdit; }
  QList<QAction*> taskActions() const override { return {FEdit}; }

 private:
  QPointer<QWidget> FTarget;
  QAction* FEdit;
};

class TColorTaskMenuFactory : public QExtensionFactory {
  Q_OBJECT

 public:
  explicit TColorTaskMenuFactory(QExtensionManager* Parent) : QExtensionFactory(Parent) {}

 protected:
  QObject* createExtension(QObject* Object, const QString& Iid, QObject* Parent) const override;
};

}  // namespace qor::designer
