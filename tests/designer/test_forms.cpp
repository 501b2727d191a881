// A form holding every component with properties off their defaults: it loads
// through TUiLoader and through uic code with the values the file holds, and
// each component's Loaded step sees all of its properties.
#include <gtest/gtest.h>

#include <QFile>
#include <QMetaProperty>
#include <QXmlStreamReader>
#include <memory>

#include "decoration/qor_gradfl.h"
#include "forms/qor_classes.h"
#include "forms/qor_uiloader.h"
#include "gauges/qor_meter.h"
#include "tests/support/qorkit_test_support.h"
#include "ui_all_components.h"

namespace qor::test {
namespace {

struct TFormProperty {
  QString Widget;
  QString Class;
  QString Name;
  QString Kind;  // the value element: number, double, bool, string, enum, UInt
  QString Text;
};

// Every property of a QorKit widget in the form, in file order (geometry aside).
std::vector<TFormProperty> ReadForm() {
  QFile File(QStringLiteral(QORKIT_TEST_FORM));
  EXPECT_TRUE(File.open(QIODevice::ReadOnly));
  std::vector<TFormProperty> Out;
  QXmlStreamReader Xml(&File);
  QString Class, Widget;
  while (!Xml.atEnd()) {
    Xml.readNext();
    if (!Xml.isStartElement()) continue;
    if (Xml.name() == QLatin1String("widget")) {
      Class = Xml.attributes().value(QLatin1String("class")).toString();
      Widget = Xml.attributes().value(QLatin1String("name")).toString();
    } else if (Xml.name() == QLatin1String("property") &&
               Class.startsWith(QLatin1String("qor::"))) {
      TFormProperty P{
          Widget, Class, Xml.attributes().value(QLatin1String("name")).toString(), {}, {}};
      if (P.Name == QLatin1String("geometry")) continue;
      Xml.readNextStartElement();
      P.Kind = Xml.name().toString();
      P.Text = Xml.readElementText();
      Out.push_back(P);
    }
  }
  EXPECT_FALSE(Xml.hasError()) << Xml.errorString().toStdString();
  return Out;
}

// The file's text as a value of the property's type.
QVariant Expected(const QMetaProperty& P, const TFormProperty& F) {
  if (F.Kind == QLatin1String("enum"))
    return P.enumerator().keyToValue(F.Text.section(QLatin1String("::"), -1).toLatin1());
  if (F.Kind == QLatin1String("bool")) return F.Text == QLatin1String("true");
  if (F.Kind == QLatin1String("number")) return F.Text.toInt();
  if (F.Kind == QLatin1String("double")) return F.Text.toDouble();
  if (F.Kind == QLatin1String("UInt")) return F.Text.toUInt();
  return F.Text;
}

// The property as the file would spell it, for comparison with Expected.
QVariant Actual(const QMetaProperty& P, const QWidget& W, const TFormProperty& F) {
  const QVariant V = P.read(&W);
  if (F.Kind == QLatin1String("enum") || F.Kind == QLatin1String("number")) return V.toInt();
  if (F.Kind == QLatin1String("bool")) return V.toBool();
  if (F.Kind == QLatin1String("double")) return V.toDouble();
  if (F.Kind == QLatin1String("UInt")) return V.toUInt();
  return V.toString();
}

// Every value of the file reached its widget.
void ExpectFormValues(const QWidget& Form) {
  const auto Properties = ReadForm();
  ASSERT_FALSE(Properties.empty());
  for (const TFormProperty& F : Properties) {
    SCOPED_TRACE((F.Widget + QLatin1Char('.') + F.Name).toStdString());
    const auto* W = Form.findChild<QWidget*>(F.Widget);
    ASSERT_NE(W, nullptr);
    EXPECT_EQ(QString::fromLatin1(W->metaObject()->className()), F.Class);
    const int Index = W->metaObject()->indexOfProperty(F.Name.toLatin1().constData());
    ASSERT_GE(Index, 0);
    const QMetaProperty P = W->metaObject()->property(Index);
    EXPECT_EQ(Actual(P, *W, F), Expected(P, F));
  }
}

std::unique_ptr<QWidget> LoadWithTUiLoader() {
  QFile File(QStringLiteral(QORKIT_TEST_FORM));
  EXPECT_TRUE(File.open(QIODevice::ReadOnly));
  TUiLoader Loader;
  std::unique_ptr<QWidget> Form(Loader.load(&File));
  EXPECT_NE(Form, nullptr) << Loader.errorString().toStdString();
  return Form;
}

TEST(Forms, TheFormHoldsEveryComponentOffItsDefaults) {
  const auto Properties = ReadForm();
  QStringList Classes;
  for (const TFormProperty& F : Properties) {
    if (!Classes.contains(F.Class)) Classes.append(F.Class);
    SCOPED_TRACE((F.Widget + QLatin1Char('.') + F.Name).toStdString());
    const TComponentClass* Class = FindComponentClass(F.Class);
    ASSERT_NE(Class, nullptr);
    const std::unique_ptr<QWidget> Default(Class->Create(nullptr));
    const QMetaProperty P = Default->metaObject()->property(
        Default->metaObject()->indexOfProperty(F.Name.toLatin1().constData()));
    ASSERT_TRUE(P.isValid());
    EXPECT_TRUE(P.isWritable());
    EXPECT_NE(Actual(P, *Default, F), Expected(P, F)) << "the form repeats the default";
  }
  EXPECT_EQ(Classes.size(), qsizetype(ComponentClasses().size()));
}

TEST(Forms, TUiLoaderAndUicCodeSetTheFormsValues) {
  {
    SCOPED_TRACE("TUiLoader");
    const auto Form = LoadWithTUiLoader();
    ASSERT_NE(Form, nullptr);
    ExpectFormValues(*Form);
  }
  {
    SCOPED_TRACE("uic");
    QWidget Form;
    {
      const TFormLoading Loading;
      Ui::AllComponents Ui;
      Ui.setupUi(&Form);
    }
    ExpectFormValues(Form);
  }
}

// The meter's form sets Value 150 and Logarithmic before the scale 1..200: a
// meter that checked each value on arrival would clamp the value to the
// default scale's 100 and refuse a logarithmic scale that starts at 0.
TEST(Forms, LoadedRunsOnceTheFormIsComplete) {
  auto Check = [](QWidget& Form) {
    auto* Meter = Form.findChild<TMeter*>(QStringLiteral("meter"));
    ASSERT_NE(Meter, nullptr);
    EXPECT_FALSE(Meter->Loading());
    EXPECT_EQ(Meter->Value(), 150.0);
    EXPECT_TRUE(Meter->Logarithmic());
    for (QWidget* W : Form.findChildren<QWidget*>()) {
      if (auto* Holder = dynamic_cast<host::TComponentStateHolder*>(W)) {
        EXPECT_FALSE(Holder->Loading()) << W->objectName().toStdString();
      }
    }
  };
  const auto Loaded = LoadWithTUiLoader();
  ASSERT_NE(Loaded, nullptr);
  Check(*Loaded);

  QWidget Generated;
  {
    const TFormLoading Loading;
    Ui::AllComponents Ui;
    Ui.setupUi(&Generated);
    EXPECT_TRUE(Ui.meter->Loading());
  }
  Check(Generated);

  // Without the scope uic code is plain construction: each setter checks at
  // once, against the default scale 0..1.
  QWidget Plain;
  Ui::AllComponents Ui;
  Ui.setupUi(&Plain);
  EXPECT_EQ(Ui.meter->Value(), 1.0);
  EXPECT_FALSE(Ui.meter->Logarithmic());
}

// A form writer stores the ends as shown and the flag after them (the order of
// the published properties). Flipping while loading used to swap the ends.
TEST(Forms, AFlippedGradientComesBackFromAFormAsSaved) {
  TGradFill Saved;
  Saved.SetColorFirst(clRed);
  Saved.SetColorLast(clBlue);
  Saved.SetColorFlipped(true);
  const QMetaObject* Meta = Saved.metaObject();
  std::unique_ptr<TGradFill> Loaded;
  {
    const TFormLoading Loading;
    Loaded = std::make_unique<TGradFill>();
    for (int I = TGradFill::staticMetaObject.propertyOffset(); I < Meta->propertyCount(); ++I)
      Meta->property(I).write(Loaded.get(), Meta->property(I).read(&Saved));
  }
  EXPECT_EQ(Loaded->ColorFirst(), clBlue);
  EXPECT_EQ(Loaded->ColorLast(), clRed);
  // Both remember the order the colours were set in.
  Loaded->SetColorFlipped(false);
  Saved.SetColorFlipped(false);
  EXPECT_EQ(Loaded->ColorFirst(), Saved.ColorFirst());
  EXPECT_EQ(Loaded->ColorLast(), Saved.ColorLast());
  // Outside a form, flipping swaps the shown ends.
  Loaded->SetColorFlipped(true);
  EXPECT_EQ(Loaded->ColorFirst(), clBlue);
}

TEST(Forms, LoadingScopesNestAndSurviveDeletedWidgets) {
  TMeter Outside;
  EXPECT_FALSE(Outside.Loading());
  auto Kept = std::make_unique<TMeter>();  // made before any scope: never loading
  std::unique_ptr<TMeter> Inner, Survivor;
  {
    const TFormLoading Outer;
    EXPECT_TRUE(TFormLoading::Active());
    {
      const TFormLoading Nested;
      Inner = std::make_unique<TMeter>();
      auto Dropped = std::make_unique<TMeter>();
      EXPECT_TRUE(Dropped->Loading());
    }
    // Only the outermost scope ends the loading.
    EXPECT_TRUE(Inner->Loading());
    Survivor = std::make_unique<TMeter>();
    Survivor->SetValue(150);
    Survivor->SetMeterMaxValue(200);
  }
  EXPECT_FALSE(TFormLoading::Active());
  EXPECT_FALSE(Inner->Loading());
  EXPECT_FALSE(Kept->Loading());
  EXPECT_EQ(Survivor->Value(), 150.0);
  EXPECT_FALSE(TMeter().Loading());
}

}  // namespace
}  // namespace qor::test
