// TCustomEdit: the platform's single-line edit control over QLineEdit, with
// the platform's vocabulary (Text, SelStart, SelLength, MaxLength, ReadOnly,
// Font, Change) and key translation to virtual-key codes as TCustomControl
// does it.
//
//   Change()      runs after every change of the text, typed or set
//   KeyDown       virtual-key code; Key set to 0 swallows the key
//   KeyPress      the character; Key set to 0 swallows it
//
// As with TControl, Font() and the Qt font are kept in step both ways, and an
// exception raised while Qt delivers an event goes to the application's
// exception handler.
#pragma once

#include <QLineEdit>

#include "host/qor_accessible.h"
#include "host/qor_component.h"
#include "host/qor_font.h"
#include "host/qor_types.h"

namespace qor::host {

class QORKIT_EXPORT TCustomEdit : public QLineEdit, public TComponentStateHolder {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

 public:
  explicit TCustomEdit(QWidget* AOwner = nullptr);

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  qintptr Tag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }

  QString Text() const { return text(); }
  void SetText(const QString& Text) { setText(Text); }
  // Caret position (start of the selection) and selection length in characters.
  int SelStart() const;
  void SetSelStart(int Pos);
  int SelLength() const;
  void SetSelLength(int Length);
  QString SelText() const { return selectedText(); }
  // 0 means no limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Length);
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool On) { setReadOnly(On); }

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Font) { FFont.Assign(Font); }
  // Background of the edit field.
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);

  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool On) { setEnabled(On); }
  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetBounds(int Left, int Top, int Width, int Height);

  // Screen readers see the edit box with its text, caret and selection; an
  // edit box that holds a number adds its value (host/qor_accessible.h).
  virtual std::optional<TAccessibleValue> AccessibleValue() const { return std::nullopt; }
  virtual void SetAccessibleValue(double) {}

  TNotifyEvent OnChange, OnClick, OnDblClick, OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 Q_SIGNALS:
  // Follows every OnChange.
  void changed();

 protected:
  // The default calls OnChange, then changed().
  virtual void Change();
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);

  bool event(QEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void keyReleaseEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;

 private:
  void ApplyFont();

  qintptr FTag = 0;
  int FMaxLength = 0;
  TColor FColor = clWindow;
  TFont FFont;
  bool FSyncingFont = false;
};

}  // namespace qor::host

namespace qor {
using host::TCustomEdit;
}  // namespace qor
