// Walks every published property of every component: a value different from
// the current one must read back (or read back as its documented clamp), must
// change the picture where the property is visible, and must be copied by
// Assign where the component copies it. A property left out of a cache key or
// of Assign fails here instead of in a user's program.
#include <gtest/gtest.h>

#include <QMetaEnum>
#include <QMetaProperty>
#include <QSet>
#include <functional>
#include <memory>

#include "tests/components/component_registry.h"
#include "tests/support/qorkit_test_support.h"

namespace qor::test {
namespace {

// A value of the property's type that differs from Current and that the
// component accepts unchanged (unless the registry names a clamp).
QVariant OtherValue(const QMetaProperty& P, const QVariant& Current) {
  if (P.isEnumType()) {
    const QMetaEnum E = P.enumerator();
    const int Now = Current.toInt();
    // The next enumerator, wrapping round to the first.
    for (int I = 0; I < E.keyCount(); ++I)
      if (E.value(I) > Now) return E.value(I);
    return E.value(0);
  }
  switch (P.metaType().id()) {
    case QMetaType::Bool: return !Current.toBool();
    case QMetaType::Int: return Current.toInt() + 1;
    case QMetaType::UInt: return Current.toUInt() == 0x2080C0u ? 0x40A060u : 0x2080C0u;
    case QMetaType::Double: return Current.toDouble() + 1.5;
    case QMetaType::QString: return Current.toString().isEmpty() ? QStringLiteral("Q7")
                                                                  : Current.toString() + "Z";
    case QMetaType::UChar: return QVariant::fromValue<uchar>(uchar(Current.value<uchar>() + 1));
    case QMetaType::QFont: {
      QFont F = Current.value<QFont>();
      F.setBold(!F.bold());
      return F;
    }
    default: return {};
  }
}

// Value in the property's own type, so that comparisons see like with like.
QVariant Written(const QMetaProperty& P, const QVariant& V) {
  QVariant Typed = V;
  return Typed.convert(P.metaType()) ? Typed : V;
}

bool SameValue(const QVariant& A, const QVariant& B) {
  if (A.metaType() == B.metaType()) return A == B;
  QVariant Converted = B;
  return Converted.convert(A.metaType()) && A == Converted;
}

class ComponentProperties : public ::testing::TestWithParam<TComponentEntry> {};

// Every writable property of the library's own classes (not those of the Qt
// widget a component is built on).
std::vector<QMetaProperty> OwnProperties(const QObject& Object) {
  std::vector<QMetaProperty> Result;
  const QMetaObject* Meta = Object.metaObject();
  const QMetaObject* Base = Meta;
  while (Base->superClass() &&
         QByteArray(Base->superClass()->className()).startsWith("qor::"))
    Base = Base->superClass();
  const int First = Base->superClass() ? Base->superClass()->propertyCount() : 0;
  for (int I = First; I < Meta->propertyCount(); ++I) {
    const QMetaProperty P = Meta->property(I);
    if (P.isWritable()) Result.push_back(P);
  }
  return Result;
}

TEST_P(ComponentProperties, EveryPropertyReadsBackChangesThePictureAndIsAssigned) {
  const TComponentEntry& Entry = GetParam();
  std::unique_ptr<QWidget> A(Entry.Create());
  std::unique_ptr<QWidget> B(Entry.Create());
  std::unique_ptr<QWidget> Fresh(Entry.Create());
  ASSERT_TRUE(A && B && Fresh);
  // Components paint only what can be seen.
  for (QWidget* W : {A.get(), B.get()}) ShowAndWait(*W);
  const QSize Size = A->size();
  // Everything Assign is documented to copy is a published property.
  for (const QString& Name : Entry.Assigned)
    EXPECT_GE(A->metaObject()->indexOfProperty(Name.toLatin1()), 0)
        << Name.toStdString() << " is not a published property";
  int Walked = 0;
  for (const QMetaProperty& P : OwnProperties(*A)) {
    const QString Name = QString::fromLatin1(P.name());
    TPropertyRule Rule = Entry.Rule(Name);
    // The platform's own properties: kept by every control, never drawn.
    if (Name == QLatin1String("Tag") || Name == QLatin1String("Hint")) Rule.Invisible = true;
    if (Rule.Skip) continue;
    SCOPED_TRACE(Entry.Name.toStdString() + "." + Name.toStdString());
    const QVariant Before = A->property(P.name());
    QVariant Value = Rule.Value.isValid() ? Rule.Value : OtherValue(P, Before);
    ASSERT_TRUE(Value.isValid()) << "no test value for type " << P.typeName();
    Value = Written(P, Value);
    ASSERT_FALSE(SameValue(Value, Before)) << "test value equals the current value";
    const QImage PictureBefore = Entry.Picture(*A);
    ASSERT_TRUE(A->setProperty(P.name(), Value)) << "setProperty refused";
    const QVariant After = A->property(P.name());
    const QVariant Expected = Rule.ReadsBack.isValid() ? Written(P, Rule.ReadsBack) : Value;
    EXPECT_TRUE(SameValue(After, Expected))
        << "wrote " << Value.toString().toStdString() << ", read "
        << After.toString().toStdString();
    if (!Rule.Invisible) {
      EXPECT_NE(Entry.Picture(*A), PictureBefore) << "the picture did not change";
    }
    if (Entry.Assign && Entry.Assigned.contains(Name)) {
      Entry.Assign(*B, *A);
      EXPECT_TRUE(SameValue(B->property(P.name()), After)) << "Assign did not copy it";
      EXPECT_EQ(Entry.Picture(*B), Entry.Picture(*A)) << "the copy looks different";
    }
    // Back to the start, so the next property is seen from the defaults.
    A->setProperty(P.name(), Before);
    A->resize(Size);
    if (Entry.Assign) Entry.Assign(*B, *Fresh);
    ++Walked;
  }
  EXPECT_GT(Walked, 0);
}

INSTANTIATE_TEST_SUITE_P(All, ComponentProperties, ::testing::ValuesIn(Components()),
                         [](const auto& Info) { return Info.param.Name.toStdString(); });

}  // namespace
}  // namespace qor::test
