// The components the cross-component tests walk: how to create one, how to
// take its picture, how to Assign, and the documented exceptions per property.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

namespace qor::test {

struct TPropertyRule {
  bool Skip = false;       // not walked (names a file, or is walked through another property)
  bool Invisible = false;  // does not show in the picture by itself
  QVariant Value;          // the value to write, where the default choice does not fit
  QVariant ReadsBack;      // the documented clamp of Value
};

struct TComponentEntry {
  QString Name;
  std::function<QWidget*()> Create;  // already in the state the walk starts from
  std::function<QImage(QWidget&)> Picture;
  std::function<void(QWidget& Dest, QWidget& Source)> Assign;
  std::map<QString, TPropertyRule> Rules;
  // The published properties that Assign copies, as the component documents.
  QStringList Assigned;

  TPropertyRule Rule(const QString& Property) const {
    const auto It = Rules.find(Property);
    return It == Rules.end() ? TPropertyRule{} : It->second;
  }
};

std::vector<TComponentEntry> Components();

}  // namespace qor::test
