// Screen readers: what the controls tell the platform's accessibility layer.
//
// One factory, installed as the application object starts, gives every host
// control a QAccessibleInterface built from the control's own description
// (TControl::AccessibleRole, AccessibleCaption, AccessibleValue, AccessibleText,
// AccessibleState and its list items; TCustomGrid adds the table and its
// cells). TCustomEdit gets an editable text with the value it may hold;
// other components that wrap Qt widgets (combo boxes, tree views, tool
// buttons) keep Qt's own interfaces.
//
//   interface         present when                   answers from
//   name              always                         accessibleName, else AccessibleCaption
//   value             AccessibleValue has a value    current, minimum, maximum
//   text              AccessibleText has a value     text, caret, one selection
//   table, cells      the control is a TCustomGrid   AccessibleLayout, AccessibleCellText
//   list items        AccessibleItemCount() > 0      AccessibleItemText, ...Selected, ...Rect
//
// The components report their changes through the Notify* helpers below;
// each costs one test while no assistive technology listens.
#pragma once

#include <QAccessible>
#include <QString>
#include <initializer_list>
#include <optional>

#include "qorkit_export.h"

class QObject;

namespace qor::host {

// A value a screen reader reads (and, for input fields, sets). A missing
// end of the range is reported as unknown.
struct TAccessibleValue {
  double Current = 0;
  std::optional<double> Minimum, Maximum;
};

// The state of a control that shows a value a reader cannot change.
inline QAccessible::State ReadOnlyAccessibleState() {
  QAccessible::State S;
  S.readOnly = true;
  return S;
}

// Shown text with the caret and one selection (SelStart == SelEnd: none).
struct TAccessibleText {
  QString Text;
  int Caret = 0;
  int SelStart = 0, SelEnd = 0;
};

// Texts placed around a control (left, top, right, bottom) read as its name:
// the non-empty ones, trimmed, joined by single spaces.
QORKIT_EXPORT QString JoinAccessibleTexts(std::initializer_list<QString> Texts);

// The value shown by Object changed to Value.
QORKIT_EXPORT void NotifyAccessibleValue(QObject* Object, double Value);
// An event without data (NameChanged, Selection, SelectionWithin, Focus, ...),
// for the object itself (Child -1) or one of its children.
QORKIT_EXPORT void NotifyAccessibleEvent(QObject* Object, QAccessible::Event Event,
                                         int Child = -1);
// States of Object changed (checked, read-only, ...).
QORKIT_EXPORT void NotifyAccessibleState(QObject* Object, QAccessible::State Changed);
// Rows FirstRow..LastRow (counted from 0 in the table screen readers see)
// were inserted or removed, or the whole table changed (ModelReset).
QORKIT_EXPORT void NotifyAccessibleRows(QObject* Object,
                                        QAccessibleTableModelChangeEvent::ModelChangeType Change,
                                        int FirstRow = -1, int LastRow = -1);

}  // namespace qor::host
