// The Designer plugin as Designer and QUiLoader see it: loaded from the build
// tree with QPluginLoader, one entry per component with its name, group, tool
// tip, header, icon and default geometry; widgets made for Designer are in
// the design state; the colour task menu edits colour properties.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QDesignerFormEditorInterface>
#include <QDesignerTaskMenuExtension>
#include <QDialogButtonBox>
#include <QDir>
#include <QExtensionManager>
#include <QFileInfo>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QUiLoader>
#include <map>
#include <memory>

#include "forms/qor_classes.h"
#include "host/qor_component.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

QDesignerCustomWidgetCollectionInterface* Collection() {
  static QPluginLoader Loader(QStringLiteral(QORKIT_DESIGNER_PLUGIN));
  QObject* Instance = Loader.instance();
  EXPECT_NE(Instance, nullptr) << Loader.errorString().toStdString();
  return qobject_cast<QDesignerCustomWidgetCollectionInterface*>(Instance);
}

// Designer's form editor, as far as the plugin uses it.
class TFormEditor : public QDesignerFormEditorInterface {
 public:
  explicit TFormEditor(QObject* Parent) : QDesignerFormEditorInterface(Parent) {
    setExtensionManager(new QExtensionManager(this));
  }
};

QDesignerFormEditorInterface& Core() {
  static QDesignerFormEditorInterface* Editor = [] {
    auto* E = new TFormEditor(qApp);
    for (QDesignerCustomWidgetInterface* W : Collection()->customWidgets()) W->initialize(E);
    return E;
  }();
  return *Editor;
}

QDesignerCustomWidgetInterface* Entry(const QString& Name) {
  for (QDesignerCustomWidgetInterface* W : Collection()->customWidgets())
    if (W->name() == Name) return W;
  return nullptr;
}

bool Designing(QWidget* W) {
  auto* Holder = dynamic_cast<host::TComponentStateHolder*>(W);
  return Holder && Holder->Designing();
}

QSize DomXmlSize(const QString& Xml) {
  const auto Field = [&Xml](const char* Name) {
    const QRegularExpression Re(QStringLiteral("<%1>(\\d+)</%1>").arg(QLatin1String(Name)));
    return Re.match(Xml).captured(1).toInt();
  };
  return {Field("width"), Field("height")};
}

// The sizes the components document for a new instance.
const std::map<QString, QSize> DocumentedSizes = {
    {QStringLiteral("qor::TNumIO2"), {160, 28}},   {QStringLiteral("qor::TNumLab"), {160, 28}},
    {QStringLiteral("qor::TSevenSeg"), {216, 76}}, {QStringLiteral("qor::TRasterLab"), {400, 68}},
    {QStringLiteral("qor::TRotLab"), {200, 200}},  {QStringLiteral("qor::TMeter"), {297, 209}},
    {QStringLiteral("qor::TProgBar"), {300, 28}},  {QStringLiteral("qor::TOnOffBut"), {100, 50}},
    {QStringLiteral("qor::TMarkSel"), {236, 178}}, {QStringLiteral("qor::TGradFill"), {121, 121}},
};

// QUiLoader finds the plugin on its plugin path but does not initialize it:
// the form it builds is a run-time form. First in this file: the process shares
// one plugin instance, which the later tests initialize as Designer does.
TEST(DesignerPlugin, QUiLoaderThroughThePluginMakesRunTimeWidgets) {
  QUiLoader Loader;
  Loader.clearPluginPaths();
  Loader.addPluginPath(QFileInfo(QStringLiteral(QORKIT_DESIGNER_PLUGIN)).absolutePath());
  EXPECT_TRUE(Loader.availableWidgets().contains(QStringLiteral("qor::TNumLab")));
  QByteArray Ui(
      "<ui version=\"4.0\"><class>F</class><widget class=\"QWidget\" name=\"F\">"
      "<widget class=\"qor::TNumLab\" name=\"label\"><property name=\"Value\" stdset=\"0\">"
      "<double>2.5</double></property></widget></widget></ui>");
  QBuffer Buffer(&Ui);
  const std::unique_ptr<QWidget> Form(Loader.load(&Buffer));
  ASSERT_NE(Form, nullptr);
  auto* Label = Form->findChild<QWidget*>(QStringLiteral("label"));
  ASSERT_NE(Label, nullptr);
  EXPECT_EQ(Label->property("Value").toDouble(), 2.5);
  EXPECT_FALSE(Designing(Label));
}

TEST(DesignerPlugin, OffersEveryComponentWithItsDescription) {
  ASSERT_NE(Collection(), nullptr);
  const auto Entries = Collection()->customWidgets();
  ASSERT_EQ(Entries.size(), qsizetype(ComponentClasses().size()));
  for (QDesignerCustomWidgetInterface* W : Entries) {
    SCOPED_TRACE(W->name().toStdString());
    EXPECT_TRUE(W->name().startsWith(QLatin1String("qor::T")));
    EXPECT_EQ(W->group(), QStringLiteral("QorKit"));
    EXPECT_FALSE(W->toolTip().isEmpty());
    EXPECT_FALSE(W->isContainer());
    // uic code includes the header and names the class: the header declares it.
    QFile Header(QStringLiteral(QORKIT_SOURCE_DIR "/") + W->includeFile());
    ASSERT_TRUE(Header.open(QIODevice::ReadOnly)) << W->includeFile().toStdString();
    EXPECT_TRUE(Header.readAll().contains(
        "class QORKIT_EXPORT " + W->name().section(QLatin1String("::"), -1).toLatin1() + " : "));
    // The icon is the component's own picture: more than one colour in it.
    const QImage Icon = W->icon().pixmap(32, 32).toImage();
    ASSERT_FALSE(Icon.isNull());
    QSet<QRgb> Colors;
    for (int Y = 0; Y < Icon.height(); ++Y)
      for (int X = 0; X < Icon.width(); ++X) Colors.insert(Icon.pixel(X, Y));
    EXPECT_GT(Colors.size(), 2);
    // The widget box's template: the class, and the default geometry.
    const QString Xml = W->domXml();
    EXPECT_TRUE(Xml.contains(QStringLiteral("class=\"%1\"").arg(W->name())));
    const std::unique_ptr<QWidget> Default(FindComponentClass(W->name())->Create(nullptr));
    EXPECT_EQ(DomXmlSize(Xml), Default->testAttribute(Qt::WA_Resized) ? Default->size()
                                                                       : Default->sizeHint());
    if (const auto It = DocumentedSizes.find(W->name()); It != DocumentedSizes.end()) {
      EXPECT_EQ(DomXmlSize(Xml), It->second);
    }
  }
}

TEST(DesignerPlugin, WidgetsForDesignerAreInTheDesignState) {
  QWidget Form;
  for (QDesignerCustomWidgetInterface* W : Collection()->customWidgets()) {
    W->initialize(&Core());
    EXPECT_TRUE(W->isInitialized());
    QWidget* Made = W->createWidget(&Form);
    ASSERT_NE(Made, nullptr) << W->name().toStdString();
    EXPECT_EQ(QString::fromLatin1(Made->metaObject()->className()), W->name());
    EXPECT_EQ(Made->parentWidget(), &Form);
    EXPECT_TRUE(Designing(Made)) << W->name().toStdString();
  }
}

// Designer opens a form by creating each widget and setting the file's
// properties in the same event; the meter's value comes before its scale.
TEST(DesignerPlugin, AFormOpenedInDesignerLoadsBeforeItsWidgetsCheck) {
  QWidget Form;
  QWidget* Meter = Entry(QStringLiteral("qor::TMeter"))->createWidget(&Form);
  auto* Holder = dynamic_cast<host::TComponentStateHolder*>(Meter);
  ASSERT_NE(Holder, nullptr);
  EXPECT_TRUE(Holder->Loading());
  Meter->setProperty("Value", 150.0);
  Meter->setProperty("MeterMaxValue", 200.0);
  QTRY_VERIFY(!Holder->Loading());
  EXPECT_EQ(Meter->property("Value").toDouble(), 150.0);
  // After loading, the setters check again.
  Meter->setProperty("Value", 500.0);
  EXPECT_EQ(Meter->property("Value").toDouble(), 200.0);
}

// A bar that increments itself must stay put on Designer's form; the same
// bar made at run time moves, so the wait is long enough to tell.
TEST(DesignerPlugin, DesignTimeBehaviourHolds) {
  Core();
  QWidget Form;
  auto Start = [](QWidget* Bar) {
    Bar->setProperty("StartInterval", 10);
    Bar->setProperty("RepeatInterval", 10);
    Bar->setProperty("AutoInc", true);
  };
  QWidget* Designed = Entry(QStringLiteral("qor::TProgBar"))->createWidget(&Form);
  QWidget* Running = FindComponentClass(u"qor::TProgBar")->Create(&Form);
  const double Initial = Running->property("Value").toDouble();
  Start(Designed);
  Start(Running);
  QTest::qWait(150);
  EXPECT_EQ(Designed->property("Value").toDouble(), Initial);
  EXPECT_GT(Running->property("Value").toDouble(), Initial);

  // A numeric field placed in Designer starts with the widest range.
  QWidget* Field = Entry(QStringLiteral("qor::TNumIO"))->createWidget(&Form);
  EXPECT_LT(Field->property("RangeLow").toDouble(), -1e300);
  EXPECT_GT(Field->property("RangeHigh").toDouble(), 1e300);
}

// Enumerations reach Designer's property editor only when registered, and uic
// code needs their qualified names; the colour editor finds colours as unsigned
// properties named for a colour (an int would also mangle system colours).
TEST(DesignerPlugin, PublishedTypesReachThePropertyEditor) {
  const QByteArrayList NotColors{"ColorBarWidth", "ColorFlipped", "NrColors", "NumColors",
                                 "ShowColorGradient"};
  for (const TComponentClass& Class : ComponentClasses()) {
    const std::unique_ptr<QWidget> W(Class.Create(nullptr));
    for (const QMetaObject* M = W->metaObject(); M; M = M->superClass()) {
      if (!QByteArray(M->className()).startsWith("qor::")) continue;
      for (int I = M->propertyOffset(); I < M->propertyCount(); ++I) {
        const QMetaProperty P = M->property(I);
        SCOPED_TRACE(std::string(Class.Name) + "." + P.name() + " : " + P.typeName());
        const bool IsEnum = P.metaType().flags() & QMetaType::IsEnumeration;
        if (IsEnum) {
          EXPECT_TRUE(P.isEnumType());
          EXPECT_TRUE(QByteArray(P.typeName()).startsWith("qor::"));
        } else if (QByteArray(P.name()).contains("Color") && !NotColors.contains(P.name())) {
          EXPECT_EQ(P.metaType(), QMetaType::fromType<TColor>());
        }
      }
    }
  }
}

TEST(DesignerPlugin, ColourTaskMenuEditsColourPropertiesWithSystemColours) {
  QWidget Form;
  QWidget* Label = Entry(QStringLiteral("qor::TNumLab"))->createWidget(&Form);
  Label->setObjectName(QStringLiteral("label"));
  QExtensionManager* Manager = Core().extensionManager();
  auto* Menu = qt_extension<QDesignerTaskMenuExtension*>(Manager, Label);
  ASSERT_NE(Menu, nullptr);
  ASSERT_EQ(Menu->taskActions().size(), 1);
  EXPECT_EQ(Menu->preferredEditAction(), Menu->taskActions().front());
  // A widget without colour properties gets no colour menu.
  QWidget* Button = Entry(QStringLiteral("qor::TRepSpeedButton"))->createWidget(&Form);
  EXPECT_EQ(qt_extension<QDesignerTaskMenuExtension*>(Manager, Button), nullptr);

  bool Seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* Dialog = QApplication::activeModalWidget();
    ASSERT_NE(Dialog, nullptr);
    auto* Choice = Dialog->findChild<QComboBox*>(QStringLiteral("ColorLabBakG"));
    ASSERT_NE(Choice, nullptr);
    // Every row starts at the property's value.
    auto* Text = Dialog->findChild<QComboBox*>(QStringLiteral("ColorLabText"));
    ASSERT_NE(Text, nullptr);
    EXPECT_EQ(Text->currentText(), ColorToString(Label->property("ColorLabText").toUInt()));
    const int Index = Choice->findText(QStringLiteral("clInfoBk"));
    ASSERT_GT(Index, 0);
    Choice->setCurrentIndex(Index);
    Q_EMIT Choice->activated(Index);
    Seen = true;
    Dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  const TColor Before = Label->property("ColorLabText").toUInt();
  Menu->preferredEditAction()->trigger();
  EXPECT_TRUE(Seen);
  EXPECT_EQ(Label->property("ColorLabBakG").toUInt(), clInfoBk);
  EXPECT_EQ(Label->property("ColorLabText").toUInt(), Before);
}

}  // namespace
}  // namespace qor::test
