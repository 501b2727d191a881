// TCustomTreeView: the platform's tree view over QTreeWidget, with the
// platform's vocabulary (Selected, FullCollapse, Color, ReadOnly, ShowRoot,
// Indent) and its notifications as overridable handlers.
//
//   CanExpand(Node)   runs when a node opens (mouse, keys or code), before it
//                     is painted; false closes it again. The default asks OnExpanding.
//   Change(Node)      runs after the current node changed; the default calls OnChange
//   Click()           a left click released over the tree; the default calls OnClick
//
// Nodes are QTreeWidgetItem (one column, text in column 0, a data word in
// Qt::UserRole). Keys reach KeyDown / KeyPress as virtual-key codes before Qt
// handles them (arrows, +/- and Right/Left open and close nodes as in any Qt
// tree view); Tab and Shift+Tab move the focus in and out.
#pragma once

#include <QTreeWidget>

#include "host/qor_component.h"
#include "host/qor_font.h"
#include "host/qor_types.h"

namespace qor::host {

using TTreeNode = QTreeWidgetItem;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;

class QORKIT_EXPORT TCustomTreeView : public QTreeWidget, public TComponentStateHolder {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TCustomTreeView(QWidget* AOwner = nullptr);

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  qintptr Tag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }

  // The current node (nullptr when none).
  TTreeNode* Selected() const { return currentItem(); }
  void SetSelected(TTreeNode* Node) { setCurrentItem(Node); }
  TTreeNode* TopNode() const { return topLevelItem(0); }
  void FullCollapse() { collapseAll(); }

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool On);
  bool MultiSelect() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
  void SetMultiSelect(bool On);
  bool ShowRoot() const { return rootIsDecorated(); }
  void SetShowRoot(bool On) { setRootIsDecorated(On); }
  int Indent() const { return indentation(); }
  void SetIndent(int Pixels) { setIndentation(Pixels); }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool On) { setFocusPolicy(On ? Qt::StrongFocus : Qt::ClickFocus); }

  // Background of the node area.
  virtual TColor Color() const { return FColor; }
  virtual void SetColor(TColor C);
  bool Enabled() const { return isEnabled(); }
  virtual void SetEnabled(bool On) { setEnabled(On); }

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }

  TTVChangedEvent OnChange;
  TTVExpandingEvent OnExpanding;
  TNotifyEvent OnClick, OnDblClick, OnEnter, OnExit, OnMouseEnter, OnMouseLeave;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown;

 protected:
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  virtual void Click();
  virtual void DblClick();
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  // Applies a background colour without remembering it as Color.
  void ApplyColor(TColor C);
  // True between a mouse press on the tree and its release.
  bool MouseInProgress() const { return FMouseDown; }

  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;

 private:
  void NodeExpanded(TTreeNode* Node);

  qintptr FTag = 0;
  TColor FColor = clWindow;
  TFont FFont;
  bool FReadOnly = true, FMouseDown = false;
};

}  // namespace qor::host

namespace qor {
using host::TCustomTreeView;
using host::TTreeNode;
}  // namespace qor
