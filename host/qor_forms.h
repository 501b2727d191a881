// Run-time forms and the standard controls placed on them: a modal form over
// QDialog, a label, an edit box, a combo box, a date/time picker over
// QDateTimeEdit and a speed button over QToolButton. Each speaks the
// platform's vocabulary (Name, Tag, SetBounds, Color, Font, OnKeyPress, ...)
// so that code building forms at run time reads as on the original platform.
//
//   TForm::ShowModal      runs the modal loop; returns the modal result
//   TForm::SetModalResult a non-zero result closes the modal loop with it
//   Escape / closing box  closes with mrCancel (Qt's dialog behaviour)
//   OnKeyPress            sees every typed character first (Enter is #13);
//                         Key set to 0 swallows it
//
// Keyboard behaviour is Qt's own: Tab and Shift+Tab move through the controls
// in the order they were created.
#pragma once

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QKeyEvent>
#include <algorithm>
#include <optional>

#include "host/qor_buttons.h"
#include "host/qor_edit.h"
#include "host/qor_format.h"
#include "host/qor_grid.h"
#include "host/qor_label.h"

namespace qor::host {

// Modal results.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };
inline constexpr int mrOK = mrOk;

// Form border styles: TBorderStyle's bsNone and bsSingle, then the form's own.
using TFormBorderStyle = std::uint8_t;
inline constexpr TFormBorderStyle bsSizeable = 2, bsDialog = 3, bsToolWindow = 4, bsSizeToolWin = 5;
enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

// A form created at run time and shown modally. Left/Top are the screen
// position of the window, Width/Height the size of its client area.
class QORKIT_EXPORT TForm : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  explicit TForm(QWidget* AOwner = nullptr);

  QString Name() const { return objectName(); }
  void SetName(const QString& Name) { setObjectName(Name); }
  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& Caption) { setWindowTitle(Caption); }

  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetBounds(int Left, int Top, int Width, int Height);
  void SetWidth(int Width) { SetBounds(x(), y(), Width, height()); }
  void SetHeight(int Height) { SetBounds(x(), y(), width(), Height); }

  // bsDialog and bsSingle keep the size fixed; bsToolWindow gives a tool window.
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Style);

  // Width of Text in the form's font (what the form's canvas measures).
  int TextWidth(const QString& Text) const;

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int Result);
  int ShowModal();

  void reject() override;

 private:
  TFormBorderStyle FBorderStyle = bsSizeable;
  int FModalResult = mrNone;
};

// A label that draws its caption itself (TCustomLabel), published.
class QORKIT_EXPORT TLabel : public TCustomLabel {
  Q_OBJECT
 public:
  explicit TLabel(QWidget* AOwner = nullptr) : TCustomLabel(AOwner) {}
};

// A one-line edit box.
class QORKIT_EXPORT TEdit : public TCustomEdit {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* AOwner = nullptr) : TCustomEdit(AOwner) {}
};

// Background and text colours of an input control, in every colour group
// (a disabled control keeps them, as read-only fields on the platform do).
QORKIT_EXPORT void ApplyInputColors(QWidget* W, TColor Background, const TFont& Font);

// Hands the character E types to Handler first. Returns the event the
// control should go on with: E itself, Replaced when the handler changed the
// character, or nullptr when it swallowed it. A handler's exception goes to
// the application's handler and leaves the key unhandled.
QORKIT_EXPORT QKeyEvent* KeyPressFirst(QObject* Sender, const TKeyPressEvent& Handler, QKeyEvent* E,
                                       std::optional<QKeyEvent>& Replaced);

// The platform's vocabulary of the form's inputs over Qt's own widgets: Name,
// Tag, SetBounds, Enabled, Color and Font (kept in the widget's palette and
// font), and OnKeyPress ahead of the widget's own key handling.
template <class QtInput>
class TFormInput : public QtInput {
 public:
  explicit TFormInput(QWidget* AOwner) : QtInput(AOwner) {
    FFont.SetFromQFont(this->font());
    FFont.SetColor(clWindowText);
    FFont.SetOwnerNotify([this] { ApplyFont(); });
  }

  QString Name() const { return this->objectName(); }
  void SetName(const QString& Name) { this->setObjectName(Name); }
  qintptr Tag() const { return FTag; }
  void SetTag(qintptr Tag) { FTag = Tag; }
  void SetBounds(int Left, int Top, int Width, int Height) {
    this->setGeometry(Left, Top, std::max(0, Width), std::max(0, Height));
  }
  bool Enabled() const { return this->isEnabled(); }
  void SetEnabled(bool On) { this->setEnabled(On); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Color) {
    if (qor::Change(FColor, Color)) ApplyFont();
  }
  TFont& Font() { return FFont; }

  TKeyPressEvent OnKeyPress;

 protected:
  void keyPressEvent(QKeyEvent* E) override {
    std::optional<QKeyEvent> Replaced;
    if (QKeyEvent* Go = KeyPressFirst(this, OnKeyPress, E, Replaced)) QtInput::keyPressEvent(Go);
  }
  void ApplyFont() { ApplyInputColors(this, FColor, FFont); }

 private:
  qintptr FTag = 0;
  TColor FColor = clWindow;
  TFont FFont;
};

// A combo box: csDropDown with an editable text field, csDropDownList
// restricted to its list (no item selected shows an empty text).
// DropDownCount (default 8) is the number of items the open list shows.
class QORKIT_EXPORT TComboBox : public TFormInput<QComboBox> {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
  Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)

 public:
  explicit TComboBox(QWidget* AOwner = nullptr);

  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Style);
  QStringList Items() const;
  void SetItems(const QStringList& Items);
  // -1 when no item is selected; values outside the list select none.
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int Index);
  // The edit field's text (csDropDown), else the selected item's text.
  QString Text() const { return currentText(); }
  // csDropDown: sets the edit field; csDropDownList: selects the item equal
  // to Text, or none.
  void SetText(const QString& Text);
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int Count) { setMaxVisibleItems(std::max(1, Count)); }

  TNotifyEvent OnChange;

 private:
  TComboBoxStyle FStyle = csDropDown;
};

// A date/time picker. Format uses the tokens of the report list's date/time
// reader (yyyy yy, MMMM MMM MM M, dddd ddd dd d, HH H, hh h, mm m, ss s, tt t,
// quoted '...' literals); month and weekday names are English. An empty
// Format shows the short date.
class QORKIT_EXPORT TDateTimePicker : public TFormInput<QDateTimeEdit> {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(QString Format READ Format WRITE SetFormat)

 public:
  explicit TDateTimePicker(QWidget* AOwner = nullptr);

  QString Format() const { return FFormat; }
  void SetFormat(const QString& Format);
  TDateTime DateTime() const;
  void SetDateTime(TDateTime Value);


 private:
  QString FFormat;
};

// Month and weekday names of the date/time tokens (English).
QORKIT_EXPORT const QStringList& EnglishMonthNames();
QORKIT_EXPORT const QStringList& EnglishDayNames();  // Monday first

// One element of a date/time format: a quoted or plain literal, or a run of
// one token letter (y M d H h m s t).
struct TDateTimeElement {
  QString Text;           // the literal text, or the run of letters
  bool Literal = true;
};
// Takes the next element from the start of Format (removing it).
QORKIT_EXPORT TDateTimeElement TakeDateTimeElement(QString& Format);
// Value written in Format (the tokens above, names in English; runs the tokens
// do not know are written as they stand). h and hh count on the 12-hour clock
// only when the format has an am/pm field, so the text reads back to the
// same time; this is also what the picker shows.
QORKIT_EXPORT QString FormatDateTimeTokens(const QString& Format, TDateTime Value);

}  // namespace qor::host

namespace qor {
using host::csDropDown;
using host::csDropDownList;
using host::csSimple;
using host::mrCancel;
using host::mrNone;
using host::mrOK;
using host::mrOk;
using host::TComboBox;
using host::TComboBoxStyle;
using host::TDateTimePicker;
using host::TEdit;
using host::TForm;
using host::bsDialog;
using host::bsSizeable;
using host::bsSizeToolWin;
using host::bsToolWindow;
using host::TFormBorderStyle;
using host::TLabel;
}  // namespace qor
