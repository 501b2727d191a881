// The Qt Designer plugin: one collection holding every QorKit widget in the
// widget box group "QorKit". The entries are driven by the class catalogue
// (forms/qor_classes.h): the qualified class name (so uic code compiles), the
// header below the installed include root, a tool tip, an icon drawn by a
// default instance of the component, and that instance's size (the
// component's documented default size) as the default geometry.
//
// Design state. Designer initializes every entry with its form editor; from
// then on each widget it creates is in csDesigning (timers stay off, ranges
// follow their design-time rules). It is also in csLoading until the event
// loop runs again: Designer opens a form file in one go, so each widget's
// Loaded step sees every property the file sets, whatever their order. A
// QUiLoader that finds the plugin does not initialize it and gets run-time
// widgets (qor::TUiLoader needs no plugin at all).
//
// Property editor. Published properties appear with their Qt types:
// enumerations as enumerations (Q_ENUM), fonts as fonts (QWidget::font is kept
// in step with the component's Font), numbers, texts and flags as such. A
// colour (qor::TColor, 0x00BBGGRR, system colours 0xFF0000nn) is a number in
// .ui files and uic code, so the property editor shows it as one; to choose
// colours, the task menu of every widget with colour properties (right click,
// or double click) offers "Edit Colours...": a dialog with a swatch per
// colour property that opens the colour dialog, and the system colours to
// pick from by name. Qt's meta-object system keeps no typedef names, so a
// colour property is one of type qor::TColor (an unsigned int) whose name
// says "Color", as every QorKit colour property's does. Its changes go through the form window's cursor, so they
// are undoable and saved like any other property edit.
//
// Making Designer see the plugin: `cmake --install` puts it into Qt's designer
// plugin folder (or <prefix>/<Qt's plugin path>/designer, see
// QORKIT_DESIGNER_PLUGIN_DIR); from a build tree, start Designer with
// QT_PLUGIN_PATH=<build>/plugins.
#pragma once

#include <QIcon>
#include <QObject>
#include <QSize>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "forms/qor_classes.h"

class QDesignerFormEditorInterface;

namespace qor::designer {

class TWidgetCollection;

// One widget box entry, described by a catalogue class.
class TWidgetEntry : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  TWidgetEntry(const TComponentClass& Class, TWidgetCollection* Collection);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* Parent) override;
  bool isInitialized() const override { return FCore != nullptr; }
  void initialize(QDesignerFormEditorInterface* Core) override;
  QString domXml() const override;

 private:
  // The icon and the default size, both taken from one default instance.
  void Sample() const;

  const TComponentClass& FClass;
  TWidgetCollection* FCollection;
  QDesignerFormEditorInterface* FCore = nullptr;
  mutable QIcon FIcon;
  mutable QSize FDefaultSize;
};

class TWidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit TWidgetCollection(QObject* Parent = nullptr);

  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FEntries; }

  // Registers the collection's extensions with Designer once.
  void Initialize(QDesignerFormEditorInterface* Core);

 private:
  QList<QDesignerCustomWidgetInterface*> FEntries;
  bool FInitialized = false;
};

}  // namespace qor::designer
