// TCustomComboBox: the platform's owner-drawn combo box over QComboBox. Items
// have one fixed height (ItemHeight) and are drawn by DrawItem on a TCanvas,
// both in the drop-down list and in the closed box. The list marks the item
// under the pointer or the keyboard with a dotted focus rectangle after
// DrawItem, as the platform does. Keys, wheel and type-ahead as in any
// QComboBox; a choice by mouse or key calls Click and Change.
//
// Colours: Color (items' background, default clWindow), Font.
#pragma once

#include <QComboBox>

#include "host/qor_canvas.h"
#include "host/qor_component.h"
#include "host/qor_font.h"
#include "host/qor_types.h"

namespace qor::host {

enum TOwnerDrawStateFlag : std::uint8_t {
  odSelected = 1, odFocused = 2, odDisabled = 4, odComboBoxEdit = 8
};
using TOwnerDrawState = std::uint8_t;

class QORKIT_EXPORT TCustomComboBox : public QComboBox, public TComponentStateHolder {
  Q_OBJECT
  Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
  Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)

 public:
  explicit TCustomComboBox(QWidget* AOwner = nullptr);

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Height);
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int Count) { setMaxVisibleItems(Count); }
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int Index) { setCurrentIndex(Index); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);
  TFont& Font() { return FFont; }
  bool Enabled() const { return isEnabled(); }
  virtual void SetEnabled(bool On) { setEnabled(On); }
  bool Focused() const { return hasFocus(); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool On) { setFocusPolicy(On ? Qt::StrongFocus : Qt::ClickFocus); }
  // Redraws the box and the open list.
  void Refresh();

  TNotifyEvent OnChange, OnClick, OnDropDown, OnEnter, OnExit;
  TMouseMoveEvent OnMouseMove;

  // The rectangle the closed box gives its current item.
  TRect EditRect() const;

 Q_SIGNALS:
  void changed();

 protected:
  // Draws item Index into Rect; the default writes its text on Color.
  virtual void DrawItem(int Index, TCanvas& Canvas, const TRect& Rect, TOwnerDrawState State);
  virtual void DropDown();
  virtual void Change();
  virtual void Click();
  virtual void MouseMove(TShiftState Shift, int X, int Y);

  void showPopup() override;
  void paintEvent(QPaintEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

  template <typename F>
  void Guarded(F&& Handler);

 private:
  friend class TOwnerDrawDelegate;
  // The picture of item Index at Size, as DrawItem leaves it.
  QImage ItemPicture(int Index, QSize Size, TOwnerDrawState State);

  int FItemHeight = 16;
  TColor FColor = clWindow;
  TFont FFont;
};

}  // namespace qor::host

namespace qor {
using host::TCustomComboBox;
using host::TOwnerDrawState;
}  // namespace qor
