#include "designer/qor_designer_plugin.h"

#include <QDesignerFormEditorInterface>
#include <QExtensionManager>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "designer/qor_designer_colors.h"
#include "host/qor_app.h"
#include "host/qor_component.h"

namespace qor::designer {
namespace {

constexpr int IconSize = 32;

// The bare class name with a lower-case first letter after the "T":
// qor::TNumLab gives numLab, as Designer names new widgets.
QString ObjectNameOf(const char* ClassName) {
  QString Name = QString::fromLatin1(ClassName).section(QLatin1String("::"), -1);
  if (Name.size() > 1 && Name.front() == QLatin1Char('T')) Name.remove(0, 1);
  Name.front() = Name.front().toLower();
  return Name;
}

// The picture centred in an icon square, shrunk to fit but never enlarged.
QIcon IconOf(const QPixmap& Picture) {
  QPixmap Icon(IconSize, IconSize);
  Icon.fill(Qt::transparent);
  const QPixmap Fitted =
      Picture.width() > IconSize || Picture.height() > IconSize
          ? Picture.scaled(IconSize, IconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
          : Picture;
  QPainter P(&Icon);
  P.drawPixmap((IconSize - Fitted.width()) / 2, (IconSize - Fitted.height()) / 2, Fitted);
  return QIcon(Icon);
}

}  // namespace

TWidgetEntry::TWidgetEntry(const TComponentClass& Class, TWidgetCollection* Collection)
    : QObject(Collection), FClass(Class), FCollection(Collection) {}

QString TWidgetEntry::name() const { return QString::fromLatin1(FClass.Name); }
QString TWidgetEntry::group() const { return QStringLiteral("QorKit"); }
QString TWidgetEntry::toolTip() const { return QString::fromLatin1(FClass.ToolTip); }
QString TWidgetEntry::whatsThis() const { return toolTip(); }
QString TWidgetEntry::includeFile() const { return QString::fromLatin1(FClass.Header); }

QIcon TWidgetEntry::icon() const {
  Sample();
  return FIcon;
}

void TWidgetEntry::Sample() const {
  if (FDefaultSize.isValid()) return;
  const std::unique_ptr<QWidget> Widget(FClass.Create(nullptr));
  if (auto* Holder = dynamic_cast<host::TComponentStateHolder*>(Widget.get()))
    Holder->SetDesigning(true);
  // A component without a documented size leaves Qt's default; it gets what it asks for.
  FDefaultSize = Widget->testAttribute(Qt::WA_Resized) ? Widget->size() : Widget->sizeHint();
  Widget->resize(FDefaultSize);
  // A value in the picture tells a numeric component from an empty box.
  if (Widget->property("Value").isValid()) Widget->setProperty("Value", 42);
  // Shown (off screen), as some components paint only once they have been.
  Widget->setAttribute(Qt::WA_DontShowOnScreen);
  Widget->show();
  FIcon = IconOf(Widget->grab());
}

QWidget* TWidgetEntry::createWidget(QWidget* Parent) {
  QWidget* Widget = FClass.Create(Parent);
  auto* Holder = dynamic_cast<host::TComponentStateHolder*>(Widget);
  if (!FCore || !Holder) return Widget;
  Holder->SetDesigning(true);
  // Designer sets the properties of a form it opens right after creating each
  // widget, all within one event: the widget loads until the event loop runs again.
  Holder->BeginLoading();
  QTimer::singleShot(0, Widget, [Widget, Holder] {
    host::RunGuarded(Widget, [Holder] { Holder->EndLoading(); });
  });
  return Widget;
}

void TWidgetEntry::initialize(QDesignerFormEditorInterface* Core) {
  if (FCore || !Core) return;
  FCore = Core;
  FCollection->Initialize(Core);
}

QString TWidgetEntry::domXml() const {
  Sample();
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"%1\" name=\"%2\">\n"
             "  <property name=\"geometry\">\n"
             "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
             "  </property>\n"
             " </widget>\n"
             "</ui>\n")
      .arg(name(), ObjectNameOf(FClass.Name))
      .arg(FDefaultSize.width())
      .arg(FDefaultSize.height());
}

TWidgetCollection::TWidgetCollection(QObject* Parent) : QObject(Parent) {
  for (const TComponentClass& Class : ComponentClasses())
    FEntries.append(new TWidgetEntry(Class, this));
}

void TWidgetCollection::Initialize(QDesignerFormEditorInterface* Core) {
  if (FInitialized) return;
  FInitialized = true;
  QExtensionManager* Manager = Core->extensionManager();
  if (!Manager) return;
  Manager->registerExtensions(new TColorTaskMenuFactory(Manager),
                              Q_TYPEID(QDesignerTaskMenuExtension));
}

}  // namespace qor::designer
