#include "host/qor_menu.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>

#include "host/qor_bitmap.h"

namespace qor::host {

// ---- TMenuItem ---------------------------------------------------------------

TMenuItem::TMenuItem(QObject* AOwner) : QObject(AOwner), FAction(new QAction(this)) {
  connect(FAction, &QAction::triggered, this, [this] { Click(); });
}

TMenuItem::~TMenuItem() { delete FSubMenu; }

QString TMenuItem::Caption() const { return FAction->text(); }
void TMenuItem::SetCaption(const QString& Caption) { FAction->setText(Caption); }
bool TMenuItem::Enabled() const { return FAction->isEnabled(); }
void TMenuItem::SetEnabled(bool On) { FAction->setEnabled(On); }
bool TMenuItem::Visible() const { return FAction->isVisible(); }
void TMenuItem::SetVisible(bool On) { FAction->setVisible(On); }

void TMenuItem::SetBitmap(const TBitmap& Bitmap, const TBitmap* HiRes) {
  if (Bitmap.Empty()) {
    FAction->setIcon(QIcon());
    return;
  }
  QIcon Icon(QPixmap::fromImage(Bitmap.Image()));
  if (HiRes && HiRes->Width() == 2 * Bitmap.Width() && HiRes->Height() == 2 * Bitmap.Height()) {
    QPixmap Two = QPixmap::fromImage(HiRes->Image());
    Two.setDevicePixelRatio(2);
    Icon.addPixmap(Two);
  }
  FAction->setIcon(Icon);
}

bool TMenuItem::HasBitmap() const { return !FAction->icon().isNull(); }

TMenuItem* TMenuItem::Items(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[size_t(Index)] : nullptr;
}

void TMenuItem::MakeSubMenu() {
  if (FSubMenu) return;
  FSubMenu = new QMenu;
  FAction->setMenu(FSubMenu);
}

void TMenuItem::Add(TMenuItem* Item) {
  MakeSubMenu();
  Item->setParent(this);
  FItems.push_back(Item);
  FSubMenu->addAction(Item->Action());
}

TMenuItem* TMenuItem::Find(const QString& Name) const {
  for (TMenuItem* Item : FItems) {
    if (Item->Name() == Name) return Item;
    if (TMenuItem* Sub = Item->Find(Name)) return Sub;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

// ---- TPopupMenu --------------------------------------------------------------

TPopupMenu::TPopupMenu(QObject* AOwner) : QObject(AOwner) {
  // The root item's submenu is the popup itself.
  FRoot.MakeSubMenu();
  connect(FRoot.SubMenu(), &QMenu::aboutToHide, this, [this] {
    if (OnClose) OnClose(this);
  });
}

TPopupMenu::~TPopupMenu() = default;

TMenuItem* TPopupMenu::FindItem(const QString& Name) const { return FRoot.Find(Name); }

QMenu* TPopupMenu::Menu() const { return FRoot.SubMenu(); }

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  QMenu* M = Menu();
  const int W = M->sizeHint().width();
  const int Left = FAlignment == paRight ? X - W : FAlignment == paCenter ? X - W / 2 : X;
  M->popup(QPoint(Left, Y));
}

void TPopupMenu::Close() { Menu()->hide(); }

bool TPopupMenu::IsOpen() const { return Menu()->isVisible(); }

}  // namespace qor::host
