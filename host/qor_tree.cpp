#include "host/qor_tree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "host/qor_app.h"
#include "host/qor_color.h"
#include "host/qor_control.h"

namespace qor::host {

namespace {

// Qt handlers must not let an exception of a component or application
// handler escape: it goes to the application's exception handler.
template <typename F>
void Guard(QObject* Sender, F&& Call) {
  try {
    Call();
  } catch (...) {
    Application()->HandleException(Sender, std::current_exception());
  }
}

}  // namespace

TCustomTreeView::TCustomTreeView(QWidget* AOwner) : QTreeWidget(AOwner) {
  setColumnCount(1);
  header()->hide();
  setUniformRowHeights(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusPolicy(Qt::StrongFocus);
  FFont.SetFromQFont(font());
  FFont.SetColor(clWindowText);
  FFont.SetOwnerNotify([this] {
    setFont(FFont.ToQFont());
    QPalette P = palette();
    P.setColor(QPalette::Text, ToQColor(FFont.Color(), this));
    setPalette(P);
  });
  ApplyColor(FColor);
  connect(this, &QTreeWidget::itemExpanded, this, &TCustomTreeView::NodeExpanded);
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* Current) { Guard(this, [&] { Change(Current); }); });
}

void TCustomTreeView::SetReadOnly(bool On) {
  FReadOnly = On;
  setEditTriggers(On ? QAbstractItemView::NoEditTriggers
                     : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

void TCustomTreeView::SetMultiSelect(bool On) {
  setSelectionMode(On ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TCustomTreeView::SetColor(TColor C) {
  FColor = C;
  ApplyColor(C);
}

void TCustomTreeView::ApplyColor(TColor C) {
  QPalette P = palette();
  const QColor Q = ToQColor(C, this);
  for (QPalette::ColorGroup G : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    P.setColor(G, QPalette::Base, Q);
  setPalette(P);
}

void TCustomTreeView::NodeExpanded(TTreeNode* Node) {
  bool Allow = true;
  Guard(this, [&] { Allow = CanExpand(Node); });
  if (!Allow) collapseItem(Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool Allow = true;
  if (OnExpanding) OnExpanding(this, Node, Allow);
  return Allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TCustomTreeView::Click() {
  if (OnClick) OnClick(this);
}

void TCustomTreeView::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TCustomTreeView::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TCustomTreeView::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TCustomTreeView::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TCustomTreeView::keyPressEvent(QKeyEvent* E) {
  bool Swallowed = false;
  Guard(this, [&] {
    std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
    if (Key != 0) {
      KeyDown(Key, ShiftStateOf(E->modifiers(), Qt::NoButton));
      if (Key == 0) {
        Swallowed = true;
        return;
      }
    }
    const QString Typed = E->text();
    if (Typed.size() == 1 && Typed.at(0).isPrint()) {
      QChar C = Typed.at(0);
      KeyPress(C);
      Swallowed = C.isNull();
    }
  });
  if (!Swallowed) QTreeWidget::keyPressEvent(E);
}

void TCustomTreeView::keyReleaseEvent(QKeyEvent* E) {
  Guard(this, [&] {
    std::uint16_t Key = VirtualKeyOf(E->key(), E->modifiers());
    if (Key != 0) KeyUp(Key, ShiftStateOf(E->modifiers(), Qt::NoButton));
  });
  QTreeWidget::keyReleaseEvent(E);
}

void TCustomTreeView::focusInEvent(QFocusEvent* E) {
  QTreeWidget::focusInEvent(E);
  Guard(this, [&] { if (OnEnter) OnEnter(this); });
}

void TCustomTreeView::focusOutEvent(QFocusEvent* E) {
  QTreeWidget::focusOutEvent(E);
  Guard(this, [&] { if (OnExit) OnExit(this); });
}

void TCustomTreeView::mousePressEvent(QMouseEvent* E) {
  FMouseDown = true;
  QTreeWidget::mousePressEvent(E);
  const QPoint Pt = E->position().toPoint();
  Guard(this, [&] {
    if (OnMouseDown)
      OnMouseDown(this, MouseButtonOf(E->button()), ShiftStateOf(E->modifiers(), E->buttons()), Pt.x(), Pt.y());
  });
}

void TCustomTreeView::mouseReleaseEvent(QMouseEvent* E) {
  QTreeWidget::mouseReleaseEvent(E);
  const bool WasDown = FMouseDown;
  FMouseDown = false;
  if (WasDown && E->button() == Qt::LeftButton && rect().contains(E->position().toPoint()))
    Guard(this, [&] { Click(); });
}

void TCustomTreeView::mouseDoubleClickEvent(QMouseEvent* E) {
  FMouseDown = true;
  QTreeWidget::mouseDoubleClickEvent(E);
  if (E->button() == Qt::LeftButton) Guard(this, [&] { DblClick(); });
}

void TCustomTreeView::enterEvent(QEnterEvent* E) {
  QTreeWidget::enterEvent(E);
  Guard(this, [&] { if (OnMouseEnter) OnMouseEnter(this); });
}

void TCustomTreeView::leaveEvent(QEvent* E) {
  QTreeWidget::leaveEvent(E);
  Guard(this, [&] { if (OnMouseLeave) OnMouseLeave(this); });
}

}  // namespace qor::host
