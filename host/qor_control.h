// Control base classes of the host: every component is a real QWidget that
// keeps a persistent screen image of its size.
//
//   Paint()        redraws the screen image through Canvas()
//   paintEvent     only blits the image (calling Paint() first when stale)
//   Invalidate()   marks the image stale and schedules a blit
//   Refresh()      Paint() now, then schedule the blit ("repaint at once")
//
// Drawing on Canvas() between paints (highlights) persists until the next
// Paint(), as on the original platform.
//
// On a high-DPI screen (or when rendered into a device with a higher pixel
// ratio) the image is kept at that whole-number ratio: it has PaintRatio()
// device pixels per logical pixel and carries the ratio, so Canvas() and every
// documented coordinate stay logical while text and antialiased shapes use the
// device pixels. Qt events are translated into the
// platform's handlers (MouseDown, KeyDown with virtual-key codes, ...), which
// subclasses override; the default handlers call the public OnX events. An
// exception raised while Qt delivers an event goes to the application's
// exception handler (RunGuarded), never into Qt's event loop.
//
// Qt's state is the truth: Enabled() is the effective state (a control in a
// disabled group box is disabled) and every change of it repaints; Font() and
// QWidget::font() are kept in step both ways, so setFont, a parent's font and
// the application font reach the picture, and a change of Font() reaches Qt.
#pragma once

#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <optional>

#include "host/qor_accessible.h"
#include "host/qor_canvas.h"
#include "host/qor_color.h"
#include "host/qor_component.h"
#include "host/qor_font.h"
#include "host/qor_menu.h"
#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TControl : public QWidget, public TComponentStateHolder {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

 public:
  explicit TControl(QWidget* AOwner = nullptr);
  ~TControl() override;

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  qintptr Tag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& Hint) { setToolTip(Hint); }

  // Geometry in the parent's client coordinates.
  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetLeft(int Left) { SetBounds(Left, y(), width(), height()); }
  void SetTop(int Top) { SetBounds(x(), Top, width(), height()); }
  void SetWidth(int Width) { SetBounds(x(), y(), Width, height()); }
  void SetHeight(int Height) { SetBounds(x(), y(), width(), Height); }
  virtual void SetBounds(int Left, int Top, int Width, int Height);
  TRect ClientRect() const { return Rect(0, 0, width(), height()); }

  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool On) { setEnabled(On); }
  bool Visible() const { return !isHidden(); }
  virtual void SetVisible(bool On) { setVisible(On); }

  // The control's font; changing it (or any of its fields), or the widget's
  // Qt font, calls FontChanged.
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Font) { FFont.Assign(Font); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);
  TStyleElements StyleElements() const { return FStyleElements; }
  void SetStyleElements(TStyleElements Elements);
  // True when the style engine is on and the control's style elements include E.
  bool UseStyle(TStyleElement E) const { return StyleServicesEnabled() && (FStyleElements & E); }

  // The persistent screen image and its canvas.
  TCanvas& Canvas() { return FCanvas; }
  const QImage& ScreenImage();
  // Device pixels per logical pixel of the kept image (1 on ordinary screens).
  int PaintRatio() const { return FRatio; }
  void Invalidate();
  void Refresh();
  void Repaint() { Refresh(); }

  // Parent pixels under the control (the parent painted without its children);
  // transparent controls combine their pictures with it.
  QImage ParentBackground();

  // The context menu: a right click (or the menu key) opens it unless
  // OnContextPopup or ContextPopup says the control handled it.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Menu) { FPopupMenu = Menu; }

  // What screen readers are told (host/qor_accessible.h). The name is the
  // widget's accessibleName when set, otherwise AccessibleCaption(); a value or
  // text interface exists only when the control has one. AccessibleState adds
  // the control's own states (checkable, checked, read-only) to Qt's.
  virtual QAccessible::Role AccessibleRole() const { return QAccessible::Client; }
  virtual QString AccessibleCaption() const { return {}; }
  virtual std::optional<TAccessibleValue> AccessibleValue() const { return std::nullopt; }
  // A screen reader sets the value; controls without input ignore it.
  virtual void SetAccessibleValue(double) {}
  virtual std::optional<TAccessibleText> AccessibleText() const { return std::nullopt; }
  virtual QAccessible::State AccessibleState() const { return {}; }
  // Items a control shows as a list (slides, markers), indexed from 0.
  virtual int AccessibleItemCount() const { return 0; }
  virtual QString AccessibleItemText(int) const { return {}; }
  virtual bool AccessibleItemSelected(int) const { return false; }
  virtual bool AccessibleItemFocused(int) const { return false; }
  // The item's rectangle in widget coordinates (empty while it is not shown).
  virtual QRect AccessibleItemRect(int) const { return {}; }

  // Layouts offer a control the size it asks for through its own geometry:
  // the size it is created with, until Width, Height or SetBounds (or its
  // auto-sizing) give another; a layout's own resizing leaves it alone. They
  // never give less than the minimum. The picture of most controls is laid
  // out in fixed pixels, so the default minimum is the whole size hint;
  // controls that scale their picture allow less.
  QSize sizeHint() const override { return FSizeHint; }
  QSize minimumSizeHint() const override { return sizeHint(); }

  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  std::function<void(TObject* Sender, QPoint MousePos, bool& Handled)> OnContextPopup;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  // Redraws the whole picture on Canvas(); the default fills it with Color.
  virtual void Paint();
  // The size a new control gets.
  void SetDefaultSize(int Width, int Height) { SetBounds(x(), y(), Width, Height); }
  // Partial repaints. A control whose change touches a small part of its
  // picture redraws that part on the kept image and blits only it; the rest of
  // the image still holds the last Paint. Both need a current image (not stale,
  // of the control's size, on screen); otherwise the caller repaints fully.
  bool ScreenImageCurrent() const;
  // Draw paints with the canvas clipped to Area; then Area alone is blitted.
  void RefreshArea(const TRect& Area, const std::function<void(TCanvas&)>& Draw);
  // Moves the pixels inside Area by Dx columns and Dy rows; the pixels left
  // behind keep their old values until the caller draws them (and blits Area).
  void ScrollImage(const TRect& Area, int Dx, int Dy);
  virtual void FontChanged() { Invalidate(); }
  virtual void Resize();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Asked before the popup menu opens at MousePos (client coordinates); true
  // when the control handled the request itself.
  virtual bool ContextPopup(QPoint MousePos);
  // Transparent controls start every paint from the parent's pixels.
  void SetParentBackgroundPaint(bool On);
  bool ParentBackgroundPaint() const { return FParentBackground; }

  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

 private:
  void OpenPopupMenu(QPoint MousePos);

  void EnsureImageSize();
  bool ImageFits() const;
  void SetPaintRatio(int Ratio);
  void PaintNow();
  void FontFieldsChanged();
  void QtFontChanged();

  qintptr FTag = 0;
  TFont FFont;
  TColor FColor = clBtnFace;
  TStyleElements FStyleElements = seFont | seClient | seBorder;
  QSize FSizeHint{64, 64};
  QImage FScreen;
  TCanvas FCanvas;
  int FRatio = 1;
  bool FStale = true;
  bool FParentBackground = false;
  bool FPressed = false;
  bool FInPaint = false;
  bool FSyncingFont = false;
  QPointer<TPopupMenu> FPopupMenu;
};

// A windowless control: never takes the focus.
class QORKIT_EXPORT TGraphicControl : public TControl {
  Q_OBJECT
 public:
  explicit TGraphicControl(QWidget* AOwner = nullptr);
};

// A windowed control: takes the focus and the keyboard.
class QORKIT_EXPORT TCustomControl : public TControl {
  Q_OBJECT
 public:
  explicit TCustomControl(QWidget* AOwner = nullptr);

  bool Focused() const { return hasFocus(); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool On) { setFocusPolicy(On ? Qt::StrongFocus : Qt::ClickFocus); }
  // When set, Tab and Shift+Tab reach KeyDown instead of moving the focus.
  void SetWantTabs(bool On) { FWantTabs = On; }
  bool WantTabs() const { return FWantTabs; }

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

 protected:
  // Key set to 0 by KeyDown suppresses the KeyPress of the same key.
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();

  bool event(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  bool FWantTabs = false;
};

// Shift state of a Qt input event; virtual-key code of a Qt key event; mouse button.
QORKIT_EXPORT TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// Virtual-key codes are given to KeyDown and KeyUp. For keys that carry a
// character the code is a best guess (shifted symbols map to the key that
// carries them on a US layout); what such a key types is TypedChar, never a
// character derived back from the code.
QORKIT_EXPORT std::uint16_t VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Modifiers);
// The one printable character a key event types with the keyboard layout in
// use ("&" for Shift+6 on a German layout), or a null QChar for keys that type
// none (named keys, control characters, Control or Alt combinations).
QORKIT_EXPORT QChar TypedChar(const QKeyEvent* Event);
QORKIT_EXPORT TMouseButton MouseButtonOf(Qt::MouseButton Button);

// A key press on a wrapped Qt editor (edit box, memo) goes first to the
// platform's handlers: KeyDown with the virtual-key code (a handler that zeroes
// the key swallows it), then KeyPress with the typed character (a handler that
// nulls it swallows it, one that changes it types the new one). Returns the
// event the editor still gets: null when swallowed, Replacement (built here)
// when the character changed, otherwise Event itself.
using TKeyDownHandler = std::function<void(std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressHandler = std::function<void(QChar& Key)>;
QORKIT_EXPORT QKeyEvent* PlatformKeyPress(QKeyEvent* Event, std::optional<QKeyEvent>& Replacement,
                                          const TKeyDownHandler& KeyDown,
                                          const TKeyPressHandler& KeyPress);

}  // namespace qor::host

namespace qor {
using host::TBrush;
using host::TCanvas;
using host::TControl;
using host::TCustomControl;
using host::TFont;
using host::TGraphicControl;
using host::TPen;
}  // namespace qor
