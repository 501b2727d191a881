// The catalogue of QorKit's widget classes: what a designer, a form loader or
// a tool needs to offer and create each of them by name.
#pragma once

#include <QStringView>
#include <span>

#include "qorkit_export.h"

class QWidget;

namespace qor {

struct TComponentClass {
  const char* Name;     // qualified class name, as .ui files and uic code spell it
  const char* Header;   // include path below QorKit's include root
  const char* ToolTip;  // one line on what the component is for
  QWidget* (*Create)(QWidget* Parent);
};

// Every visual component, in the order a designer lists them.
QORKIT_EXPORT std::span<const TComponentClass> ComponentClasses();
// The class named Name (qualified, "qor::TNumLab"), or nullptr.
QORKIT_EXPORT const TComponentClass* FindComponentClass(QStringView Name);

}  // namespace qor
