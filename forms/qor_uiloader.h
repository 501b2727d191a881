// TUiLoader: a QUiLoader that creates QorKit's widgets itself and loads a form
// the way the components expect: each QorKit widget is in csLoading while the
// loader sets its properties, and runs its Loaded step once the whole form is
// built (a meter sees both ends of its scale before it clamps its values).
//
//   qor::TUiLoader Loader;
//   QWidget* Form = Loader.load(&File, Parent);
//
// No plugin is needed. Other widgets of the form are created as QUiLoader
// creates them. Link Qt6::UiTools besides QorKit::qorkit_rt. For code that
// uic generated, wrap setupUi in a qor::TFormLoading scope instead
// (host/qor_component.h).
#pragma once

#include <QUiLoader>
#include <QWidget>

#include "forms/qor_classes.h"
#include "host/qor_component.h"

namespace qor {

class TUiLoader : public QUiLoader {
 public:
  using QUiLoader::QUiLoader;

  // Hides QUiLoader::load (not virtual) to open the loading scope around it.
  QWidget* load(QIODevice* Device, QWidget* ParentWidget = nullptr) {
    const TFormLoading Loading;
    return QUiLoader::load(Device, ParentWidget);
  }

  QWidget* createWidget(const QString& ClassName, QWidget* Parent = nullptr,
                        const QString& Name = QString()) override {
    const TComponentClass* Class = FindComponentClass(ClassName);
    if (!Class) return QUiLoader::createWidget(ClassName, Parent, Name);
    QWidget* Widget = Class->Create(Parent);
    Widget->setObjectName(Name);
    return Widget;
  }
};

}  // namespace qor
