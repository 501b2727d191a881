// TPopupMenu and TMenuItem: the platform's popup menus over QMenu and QAction.
//
// A menu item is a named QAction (Name() is its objectName) with a caption, an
// enabled state, an optional 16 x 16 bitmap and, when items are added to it,
// a submenu. A popup menu owns its top-level items and opens without blocking
// (QMenu::popup), so the control that opened it keeps running; its
// Alignment places the menu's left edge, right edge or centre at the point.
//
//   action                     effect
//   Popup(X, Y)                OnPopup, then the menu opens at (X, Y) in screen coordinates
//   choosing an item           the item's OnClick (with the item as Sender)
//   the menu closes            OnClose
#pragma once

#include <QMenu>
#include <QPointer>
#include <vector>

#include "host/qor_types.h"

class QAction;

namespace qor::host {

class TBitmap;
class TPopupMenu;

enum TPopupAlignment : std::uint8_t { paLeft, paRight, paCenter };

class QORKIT_EXPORT TMenuItem : public QObject {
  Q_OBJECT
 public:
  explicit TMenuItem(QObject* AOwner = nullptr);
  ~TMenuItem() override;

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  QString Caption() const;
  void SetCaption(const QString& Caption);
  bool Enabled() const;
  void SetEnabled(bool On);
  bool Visible() const;
  void SetVisible(bool On);
  // The picture beside the caption (an empty bitmap removes it).
  // HiRes, when given, is the same picture at twice the size for high-DPI screens.
  void SetBitmap(const TBitmap& Bitmap, const TBitmap* HiRes = nullptr);
  bool HasBitmap() const;

  // Submenu items; adding the first one turns the item into a submenu.
  int Count() const { return int(FItems.size()); }
  TMenuItem* Items(int Index) const;
  void Add(TMenuItem* Item);
  TMenuItem* Find(const QString& Name) const;

  // Runs OnClick as choosing the item does.
  void Click();

  QAction* Action() const { return FAction; }
  // The submenu (null while the item has no items).
  QMenu* SubMenu() const { return FSubMenu; }

  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  void MakeSubMenu();

  QAction* FAction;
  QMenu* FSubMenu = nullptr;
  std::vector<TMenuItem*> FItems;
};

class QORKIT_EXPORT TPopupMenu : public QObject {
  Q_OBJECT
 public:
  explicit TPopupMenu(QObject* AOwner = nullptr);
  ~TPopupMenu() override;

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }

  // The top-level items.
  TMenuItem* Items() { return &FRoot; }
  // The item of that name anywhere in the menu, null if there is none.
  TMenuItem* FindItem(const QString& Name) const;

  // Opens the menu at a screen position; returns at once.
  void Popup(int X, int Y);
  void Close();
  bool IsOpen() const;
  QMenu* Menu() const;

  TNotifyEvent OnPopup, OnClose;

 private:
  TMenuItem FRoot;
  TPopupAlignment FAlignment = paLeft;
};

}  // namespace qor::host

namespace qor {
using host::TMenuItem;
using host::TPopupMenu;
}  // namespace qor
