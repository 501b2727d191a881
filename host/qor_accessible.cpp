#include "host/qor_accessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWindow>

#include "host/qor_control.h"
#include "host/qor_edit.h"
#include "host/qor_grid.h"

namespace qor::host {

QString JoinAccessibleTexts(std::initializer_list<QString> Texts) {
  QStringList Parts;
  for (const QString& T : Texts)
    if (!T.trimmed().isEmpty()) Parts.append(T.trimmed());
  return Parts.join(QLatin1Char(' '));
}

void NotifyAccessibleValue(QObject* Object, double Value) {
  if (!Object || !QAccessible::isActive()) return;
  QAccessibleValueChangeEvent Event(Object, Value);
  QAccessible::updateAccessibility(&Event);
}

void NotifyAccessibleEvent(QObject* Object, QAccessible::Event Type, int Child) {
  if (!Object || !QAccessible::isActive()) return;
  QAccessibleEvent Event(Object, Type);
  Event.setChild(Child);
  QAccessible::updateAccessibility(&Event);
}

void NotifyAccessibleState(QObject* Object, QAccessible::State Changed) {
  if (!Object || !QAccessible::isActive()) return;
  QAccessibleStateChangeEvent Event(Object, Changed);
  QAccessible::updateAccessibility(&Event);
}

void NotifyAccessibleRows(QObject* Object, QAccessibleTableModelChangeEvent::ModelChangeType Change,
                          int FirstRow, int LastRow) {
  if (!Object || !QAccessible::isActive()) return;
  QAccessibleTableModelChangeEvent Event(Object, Change);
  Event.setFirstRow(FirstRow);
  Event.setLastRow(LastRow);
  QAccessible::updateAccessibility(&Event);
}

namespace {

QWindow* WindowOf(const QWidget* W) {
  const QWidget* Top = W ? W->window() : nullptr;
  return Top ? Top->windowHandle() : nullptr;
}

QRect GlobalRect(const QWidget* W, const QRect& Local) {
  if (!W || Local.isEmpty()) return {};
  return QRect(W->mapToGlobal(Local.topLeft()), Local.size());
}

// Children created on demand (cells, list items) are registered with Qt's
// cache, which owns them; their parent deletes them when it goes or when
// the set of children changes.
class TChildCache {
 public:
  ~TChildCache() { Clear(); }
  template <class Make>
  QAccessibleInterface* Get(int Index, Make&& Create) {
    const auto It = FIds.constFind(Index);
    if (It != FIds.cend()) return QAccessible::accessibleInterface(*It);
    QAccessibleInterface* Child = Create();
    FIds.insert(Index, QAccessible::registerAccessibleInterface(Child));
    return Child;
  }
  void Clear() {
    for (const QAccessible::Id Id : std::as_const(FIds)) QAccessible::deleteAccessibleInterface(Id);
    FIds.clear();
  }

 private:
  QHash<int, QAccessible::Id> FIds;
};

// Base of the children: a part of a control without an object of its own.
class TAccessiblePart : public QAccessibleInterface {
 public:
  TAccessiblePart(TControl* Owner, int Index) : FOwner(Owner), FIndex(Index) {}
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return WindowOf(FOwner); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(FOwner.data());
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  int Index() const { return FIndex; }

 protected:
  QPointer<TControl> FOwner;
  const int FIndex;
};

// One item of a control shown as a list (a slide, a marker).
class TAccessibleItem final : public TAccessiblePart {
 public:
  using TAccessiblePart::TAccessiblePart;
  bool isValid() const override { return FOwner && FIndex < FOwner->AccessibleItemCount(); }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QString text(QAccessible::Text T) const override {
    return isValid() && T == QAccessible::Name ? FOwner->AccessibleItemText(FIndex) : QString();
  }
  QRect rect() const override {
    return isValid() ? GlobalRect(FOwner, FOwner->AccessibleItemRect(FIndex)) : QRect();
  }
  QAccessible::State state() const override {
    QAccessible::State S;
    if (!isValid()) return S;
    S.selectable = S.focusable = true;
    S.selected = FOwner->AccessibleItemSelected(FIndex);
    S.focused = FOwner->hasFocus() && FOwner->AccessibleItemFocused(FIndex);
    S.invisible = S.offscreen = FOwner->AccessibleItemRect(FIndex).isEmpty();
    S.disabled = !FOwner->isEnabled();
    return S;
  }
};

// Every host control: role, name, states, value, text and list items as the
// control describes them.
class TAccessibleControl : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface {
 public:
  explicit TAccessibleControl(TControl* C) : QAccessibleWidget(C, C->AccessibleRole()) {}

  TControl* Control() const { return static_cast<TControl*>(widget()); }

  QAccessible::Role role() const override { return Control()->AccessibleRole(); }

  QString text(QAccessible::Text T) const override {
    QString S = QAccessibleWidget::text(T);
    if (!S.isEmpty()) return S;
    switch (T) {
      case QAccessible::Name:
        return Control()->AccessibleCaption();
      case QAccessible::Value:
        if (const auto Text = Control()->AccessibleText()) return Text->Text;
        if (const auto V = Control()->AccessibleValue()) return QString::number(V->Current);
        return {};
      default:
        return {};
    }
  }

  QAccessible::State state() const override {
    QAccessible::State S = QAccessibleWidget::state();
    const QAccessible::State Own = Control()->AccessibleState();
    S.checkable |= Own.checkable;
    S.checked |= Own.checked;
    S.readOnly |= Own.readOnly;
    S.editable |= Own.editable;
    S.multiSelectable |= Own.multiSelectable;
    S.selectable |= Own.selectable;
    return S;
  }

  void* interface_cast(QAccessible::InterfaceType T) override {
    if (T == QAccessible::ValueInterface && Control()->AccessibleValue())
      return static_cast<QAccessibleValueInterface*>(this);
    if (T == QAccessible::TextInterface && Control()->AccessibleText())
      return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(T);
  }

  // List items replace the child widgets of a control that has them.
  int childCount() const override {
    const int N = Control()->AccessibleItemCount();
    return N > 0 ? N : QAccessibleWidget::childCount();
  }
  QAccessibleInterface* child(int Index) const override {
    const int N = Control()->AccessibleItemCount();
    if (N <= 0) return QAccessibleWidget::child(Index);
    if (Index < 0 || Index >= N) return nullptr;
    return FItems.Get(Index, [&] { return new TAccessibleItem(Control(), Index); });
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    if (Control()->AccessibleItemCount() <= 0) return QAccessibleWidget::indexOfChild(Child);
    const auto* Item = dynamic_cast<const TAccessibleItem*>(Child);
    return Item && Item->parent() == this ? Item->Index() : -1;
  }
  QAccessibleInterface* focusChild() const override {
    if (!Control()->hasFocus()) return nullptr;
    for (int I = 0, N = Control()->AccessibleItemCount(); I < N; ++I)
      if (Control()->AccessibleItemFocused(I)) return child(I);
    return nullptr;
  }

  // Value.
  QVariant currentValue() const override {
    const auto V = Control()->AccessibleValue();
    return V ? QVariant(V->Current) : QVariant();
  }
  void setCurrentValue(const QVariant& Value) override {
    bool Ok = false;
    const double D = Value.toDouble(&Ok);
    if (Ok) Control()->SetAccessibleValue(D);
  }
  QVariant maximumValue() const override {
    const auto V = Control()->AccessibleValue();
    return V && V->Maximum ? QVariant(*V->Maximum) : QVariant();
  }
  QVariant minimumValue() const override {
    const auto V = Control()->AccessibleValue();
    return V && V->Minimum ? QVariant(*V->Minimum) : QVariant();
  }
  QVariant minimumStepSize() const override { return {}; }

  // Text: read only; the caret and selection are the control's.
  void selection(int Index, int* Start, int* End) const override {
    *Start = *End = 0;
    const auto T = Control()->AccessibleText();
    if (!T || Index != 0 || T->SelStart == T->SelEnd) return;
    *Start = std::min(T->SelStart, T->SelEnd);
    *End = std::max(T->SelStart, T->SelEnd);
  }
  int selectionCount() const override {
    const auto T = Control()->AccessibleText();
    return T && T->SelStart != T->SelEnd ? 1 : 0;
  }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override {
    const auto T = Control()->AccessibleText();
    return T ? T->Caret : 0;
  }
  void setCursorPosition(int) override {}
  QString text(int Start, int End) const override {
    const auto T = Control()->AccessibleText();
    if (!T || Start < 0 || End < Start) return {};
    return T->Text.mid(Start, End - Start);
  }
  int characterCount() const override {
    const auto T = Control()->AccessibleText();
    return T ? int(T->Text.size()) : 0;
  }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int Offset, int* Start, int* End) const override {
    *Start = *End = Offset;
    return {};
  }

 private:
  mutable TChildCache FItems;
};

class TAccessibleGrid;

// One cell of a grid: a data cell or a header.
class TAccessibleCell final : public TAccessiblePart, public QAccessibleTableCellInterface {
 public:
  TAccessibleCell(TCustomGrid* Grid, int Index) : TAccessiblePart(Grid, Index) {}

  TCustomGrid* Grid() const { return static_cast<TCustomGrid*>(FOwner.data()); }
  bool Cell(int& ACol, int& ARow) const {
    return FOwner && Grid()->AccessibleChildCell(FIndex, ACol, ARow);
  }
  bool IsHeader() const {
    int C = 0, R = 0;
    if (!Cell(C, R)) return false;
    const auto L = Grid()->AccessibleLayout();
    return C == L.HeaderCol || R == L.HeaderRow;
  }

  bool isValid() const override {
    int C = 0, R = 0;
    return Cell(C, R);
  }
  QAccessible::Role role() const override {
    int C = 0, R = 0;
    if (!Cell(C, R)) return QAccessible::Cell;
    const auto L = Grid()->AccessibleLayout();
    if (R == L.HeaderRow) return QAccessible::ColumnHeader;
    if (C == L.HeaderCol) return QAccessible::RowHeader;
    return QAccessible::Cell;
  }
  QString text(QAccessible::Text T) const override {
    int C = 0, R = 0;
    if (T != QAccessible::Name || !Cell(C, R)) return {};
    return Grid()->AccessibleCellText(C, R);
  }
  QRect rect() const override {
    int C = 0, R = 0;
    return Cell(C, R) ? GlobalRect(Grid(), Grid()->CellRect(C, R)) : QRect();
  }
  QAccessible::State state() const override {
    QAccessible::State S;
    int C = 0, R = 0;
    if (!Cell(C, R)) return S;
    S.invisible = S.offscreen = Grid()->CellRect(C, R).isEmpty();
    S.disabled = !Grid()->isEnabled();
    if (IsHeader()) return S;
    S.selectable = S.focusable = true;
    S.selected = Grid()->AccessibleCellSelected(C, R);
    S.focused = Grid()->hasFocus() && Grid()->Col() == C && Grid()->Row() == R;
    return S;
  }
  void* interface_cast(QAccessible::InterfaceType T) override {
    if (T == QAccessible::TableCellInterface && isValid() && !IsHeader())
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  bool isSelected() const override {
    int C = 0, R = 0;
    return Cell(C, R) && Grid()->AccessibleCellSelected(C, R);
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    return Header(Grid()->AccessibleLayout().HeaderRow, true);
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    return Header(Grid()->AccessibleLayout().HeaderCol, false);
  }
  int columnIndex() const override {
    int C = 0, R = 0;
    return Cell(C, R) ? C - Grid()->AccessibleLayout().Cells.Left : -1;
  }
  int rowIndex() const override {
    int C = 0, R = 0;
    return Cell(C, R) ? R - Grid()->AccessibleLayout().Cells.Top : -1;
  }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QList<QAccessibleInterface*> Header(int HeaderLine, bool Column) const {
    int C = 0, R = 0;
    if (HeaderLine < 0 || !Cell(C, R)) return {};
    const int Index = Column ? Grid()->AccessibleChild(C, HeaderLine)
                             : Grid()->AccessibleChild(HeaderLine, R);
    QAccessibleInterface* Table = parent();
    QAccessibleInterface* H = Table && Index >= 0 ? Table->child(Index) : nullptr;
    return H ? QList<QAccessibleInterface*>{H} : QList<QAccessibleInterface*>{};
  }
};

// A grid: a table of cells with a header row and column.
class TAccessibleGrid final : public TAccessibleControl, public QAccessibleTableInterface {
 public:
  explicit TAccessibleGrid(TCustomGrid* G) : TAccessibleControl(G) {}

  TCustomGrid* Grid() const { return static_cast<TCustomGrid*>(widget()); }

  void* interface_cast(QAccessible::InterfaceType T) override {
    if (T == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return TAccessibleControl::interface_cast(T);
  }

  int childCount() const override { return Grid()->AccessibleLayout().ChildCount(); }
  QAccessibleInterface* child(int Index) const override {
    if (Index < 0 || Index >= childCount()) return nullptr;
    return FCells.Get(Index, [&] { return new TAccessibleCell(Grid(), Index); });
  }
  int indexOfChild(const QAccessibleInterface* Child) const override {
    const auto* Cell = dynamic_cast<const TAccessibleCell*>(Child);
    return Cell && Cell->Grid() == Grid() && Cell->isValid() ? Cell->Index() : -1;
  }
  QAccessibleInterface* childAt(int X, int Y) const override {
    const QPoint P = Grid()->mapFromGlobal(QPoint(X, Y));
    const TGridCoord Cell = Grid()->MouseCoord(P.x(), P.y());
    const int Index = Grid()->AccessibleChild(Cell.X, Cell.Y);
    return Index >= 0 ? child(Index) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    if (!Grid()->hasFocus()) return nullptr;
    const int Index = Grid()->AccessibleChild(Grid()->Col(), Grid()->Row());
    return Index >= 0 ? child(Index) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int Row, int Column) const override {
    const auto L = Grid()->AccessibleLayout();
    if (Row < 0 || Row >= L.Rows() || Column < 0 || Column >= L.Cols()) return nullptr;
    return child((Row + L.HeadRows()) * L.Width() + Column + L.HeadCols());
  }
  int selectedCellCount() const override { return int(SelectedCells().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> Cells;
    for (const QPoint& P : SelectedCells()) Cells.append(cellAt(P.y(), P.x()));
    return Cells;
  }
  QString columnDescription(int Column) const override {
    const auto L = Grid()->AccessibleLayout();
    if (L.HeaderRow < 0 || Column < 0 || Column >= L.Cols()) return {};
    return Grid()->AccessibleCellText(L.Cells.Left + Column, L.HeaderRow);
  }
  QString rowDescription(int Row) const override {
    const auto L = Grid()->AccessibleLayout();
    if (L.HeaderCol < 0 || Row < 0 || Row >= L.Rows()) return {};
    return Grid()->AccessibleCellText(L.HeaderCol, L.Cells.Top + Row);
  }
  int columnCount() const override { return Grid()->AccessibleLayout().Cols(); }
  int rowCount() const override { return Grid()->AccessibleLayout().Rows(); }
  int selectedColumnCount() const override { return int(selectedColumns().size()); }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  QList<int> selectedColumns() const override {
    QList<int> Columns;
    for (int C = 0, N = columnCount(); C < N; ++C)
      if (isColumnSelected(C)) Columns.append(C);
    return Columns;
  }
  QList<int> selectedRows() const override {
    QList<int> Rows;
    for (int R = 0, N = rowCount(); R < N; ++R)
      if (isRowSelected(R)) Rows.append(R);
    return Rows;
  }
  bool isColumnSelected(int Column) const override {
    const auto L = Grid()->AccessibleLayout();
    if (Column < 0 || Column >= L.Cols() || L.Rows() == 0) return false;
    for (int R = L.Cells.Top; R <= L.Cells.Bottom; ++R)
      if (!Grid()->AccessibleCellSelected(L.Cells.Left + Column, R)) return false;
    return true;
  }
  bool isRowSelected(int Row) const override {
    const auto L = Grid()->AccessibleLayout();
    if (Row < 0 || Row >= L.Rows() || L.Cols() == 0) return false;
    for (int C = L.Cells.Left; C <= L.Cells.Right; ++C)
      if (!Grid()->AccessibleCellSelected(C, L.Cells.Top + Row)) return false;
    return true;
  }
  // Selection stays with the keyboard and mouse, as the grid defines it.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override { FCells.Clear(); }

 private:
  // Selected data cells as (column, row) of the table.
  QList<QPoint> SelectedCells() const {
    QList<QPoint> Cells;
    const auto L = Grid()->AccessibleLayout();
    for (int R = L.Cells.Top; R <= L.Cells.Bottom; ++R)
      for (int C = L.Cells.Left; C <= L.Cells.Right; ++C) {
        if (!Grid()->AccessibleCellSelected(C, R)) continue;
        Cells.append(QPoint(C - L.Cells.Left, R - L.Cells.Top));
      }
    return Cells;
  }

  mutable TChildCache FCells;
};

// An edit box: Qt's line edit as a reader sees it, through the public API
// of QLineEdit, plus the value of an edit box that holds a number.
class TAccessibleEdit final : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface,
                              public QAccessibleValueInterface {
 public:
  explicit TAccessibleEdit(TCustomEdit* E) : QAccessibleWidget(E, QAccessible::EditableText) {}

  TCustomEdit* Edit() const { return static_cast<TCustomEdit*>(widget()); }

  QString text(QAccessible::Text T) const override {
    if (T == QAccessible::Value)
      return Edit()->echoMode() == QLineEdit::Normal ? Edit()->text() : QString();
    return QAccessibleWidget::text(T);
  }
  void setText(QAccessible::Text T, const QString& Text) override {
    if (T != QAccessible::Value) return QAccessibleWidget::setText(T, Text);
    if (!Edit()->isReadOnly()) Edit()->setText(Text);
  }
  QAccessible::State state() const override {
    QAccessible::State S = QAccessibleWidget::state();
    S.readOnly = Edit()->isReadOnly();
    S.editable = !S.readOnly;
    S.selectableText = true;
    S.passwordEdit = Edit()->echoMode() != QLineEdit::Normal;
    return S;
  }
  void* interface_cast(QAccessible::InterfaceType T) override {
    switch (T) {
      case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface*>(this);
      case QAccessible::EditableTextInterface:
        return static_cast<QAccessibleEditableTextInterface*>(this);
      case QAccessible::ValueInterface:
        return Edit()->AccessibleValue() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
      default: return QAccessibleWidget::interface_cast(T);
    }
  }

  // Text.
  void selection(int Index, int* Start, int* End) const override {
    *Start = *End = 0;
    if (Index != 0 || !Edit()->hasSelectedText()) return;
    *Start = Edit()->selectionStart();
    *End = Edit()->selectionEnd();
  }
  int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
  void addSelection(int Start, int End) override { setSelection(0, Start, End); }
  void removeSelection(int Index) override {
    if (Index == 0) Edit()->deselect();
  }
  void setSelection(int Index, int Start, int End) override {
    if (Index == 0) Edit()->setSelection(Start, End - Start);
  }
  int cursorPosition() const override { return Edit()->cursorPosition(); }
  void setCursorPosition(int Position) override { Edit()->setCursorPosition(Position); }
  QString text(int Start, int End) const override {
    if (Start < 0 || End < Start) return {};
    return text(QAccessible::Value).mid(Start, End - Start);
  }
  int characterCount() const override { return int(Edit()->text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint& Point) const override {
    return Edit()->cursorPositionAt(Edit()->mapFromGlobal(Point));
  }
  void scrollToSubstring(int Start, int) override { Edit()->setCursorPosition(Start); }
  QString attributes(int Offset, int* Start, int* End) const override {
    *Start = *End = Offset;
    return {};
  }

  // Editing goes through the selection, as typing does, so that the edit
  // box checks and reports it the same way.
  void deleteText(int Start, int End) override { replaceText(Start, End, QString()); }
  void insertText(int Offset, const QString& Text) override { replaceText(Offset, Offset, Text); }
  void replaceText(int Start, int End, const QString& Text) override {
    if (Edit()->isReadOnly()) return;
    Edit()->setSelection(Start, End - Start);
    Edit()->insert(Text);
  }

  // Value.
  QVariant currentValue() const override {
    const auto V = Edit()->AccessibleValue();
    return V ? QVariant(V->Current) : QVariant();
  }
  void setCurrentValue(const QVariant& Value) override {
    bool Ok = false;
    const double D = Value.toDouble(&Ok);
    if (Ok && !Edit()->isReadOnly()) Edit()->SetAccessibleValue(D);
  }
  QVariant maximumValue() const override {
    const auto V = Edit()->AccessibleValue();
    return V && V->Maximum ? QVariant(*V->Maximum) : QVariant();
  }
  QVariant minimumValue() const override {
    const auto V = Edit()->AccessibleValue();
    return V && V->Minimum ? QVariant(*V->Minimum) : QVariant();
  }
  QVariant minimumStepSize() const override { return {}; }
};

QAccessibleInterface* Factory(const QString&, QObject* Object) {
  if (auto* G = qobject_cast<TCustomGrid*>(Object)) return new TAccessibleGrid(G);
  if (auto* C = qobject_cast<TControl*>(Object)) return new TAccessibleControl(C);
  if (auto* E = qobject_cast<TCustomEdit*>(Object)) return new TAccessibleEdit(E);
  return nullptr;
}

// Installed as every application object starts (Qt ignores a repeat).
void InstallFactory() { QAccessible::installFactory(&Factory); }
Q_COREAPP_STARTUP_FUNCTION(InstallFactory)

}  // namespace
}  // namespace qor::host
